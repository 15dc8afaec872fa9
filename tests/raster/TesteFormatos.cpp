#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "GradesTeste.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "raster/TImagem.h"

using namespace GradesTeste;

namespace {
// A real grid built in memory, 3 x 2, corner (1000, 2000), cells of 50.
void Preenche(TImagem& g) {
  g.DefineTipo(QLatin1Char('R'));
  g.DefineDimensoes(3, 2);
  g.DefineExtensao(1000, 1150, 2000, 2100);
  g.DefineSemDados(-9999);
  g.DefineTitulo(QStringLiteral("Título"));
  g.DefineUnidade(QStringLiteral("m"));
  const float v[] = {1.5f, 2.5f, 3.5f, 10.f, 20.f, -9999.f};
  for (int i = 0; i < 6; ++i) g.GravaReal(i, v[i]);
}
}  // namespace

TEST(Surfer, DoisPorDoisGravaSulPrimeiroERelêIgual) {
  TPastaTemporaria pasta;
  TImagem g;
  g.DefineTipo(QLatin1Char('R'));
  g.DefineDimensoes(2, 2);
  g.DefineExtensao(0, 20, 0, 20);
  g.GravaRealCL(0, 0, 1.f);  // north-west
  g.GravaRealCL(1, 0, 2.f);
  g.GravaRealCL(0, 1, 3.f);  // south-west
  g.GravaRealCL(1, 1, 4.f);
  const QString grd = pasta.Arquivo(QStringLiteral("s.grd"));
  ASSERT_TRUE(g.Grava(grd));
  EXPECT_EQ(g.OrigemRaster(), TImagem::FormatoSurfer);
  // Node extents (cell centres), statistics computed for the header, cells south row first.
  EXPECT_EQ(Le(grd), QByteArray("DSAA\r\n2  2\r\n"
                                " 5.00000000000000E+0000   1.50000000000000E+0001\r\n"
                                " 5.00000000000000E+0000   1.50000000000000E+0001\r\n"
                                " 1.00000000000000E+0000   4.00000000000000E+0000\r\n"
                                "3.00000 4.00000 1.00000 2.00000 "));

  TImagem r(true);
  ASSERT_TRUE(r.Carrega(grd));
  EXPECT_FALSE(r.EmDisco());  // text grids are always parsed into memory
  EXPECT_EQ(r.OrigemRaster(), TImagem::FormatoSurfer);
  EXPECT_EQ(r.LeRealCL(0, 0), 1.f);
  EXPECT_EQ(r.LeRealCL(1, 0), 2.f);
  EXPECT_EQ(r.LeRealCL(0, 1), 3.f);
  EXPECT_EQ(r.LeRealCL(1, 1), 4.f);
  EXPECT_DOUBLE_EQ(r.XMin(), 0);
  EXPECT_DOUBLE_EQ(r.XMax(), 20);
  EXPECT_DOUBLE_EQ(r.YMax(), 20);
  EXPECT_EQ(r.MinReal(), 1.f);
  EXPECT_EQ(r.MaxReal(), 4.f);
}

// A blank node (any spelling of 1.70141e38 or more) reads as no data; no-data cells are written as
// the blank, never as a value of the range.
TEST(Surfer, BrancosViramSemDadoEVoltam) {
  TPastaTemporaria pasta;
  TImagem g;
  ASSERT_TRUE(g.Carrega(pasta.Escreve(
      QStringLiteral("b.grd"), "DSAA\n3 1\n5 25\n0 0\n1 3\n1 1.70141e+38 1.7014100091878e38\n")));
  EXPECT_EQ(g.SemDados(), -9999.f);
  EXPECT_EQ(g.LeReal(0), 1.f);
  EXPECT_EQ(g.LeReal(1), -9999.f);
  EXPECT_EQ(g.LeReal(2), -9999.f);

  const QString saida = pasta.Arquivo(QStringLiteral("s.grd"));
  ASSERT_TRUE(g.Grava(saida));
  QFile f(saida);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QList<QByteArray> linhas = f.readAll().split('\n');
  ASSERT_EQ(linhas.size(), 6);
  EXPECT_FALSE(linhas[4].contains("E+0038")) << linhas[4].toStdString();
  EXPECT_EQ(linhas[5], QByteArray("1.00000 1.70141e38 1.70141e38 "));
}

TEST(Surfer, ValoresEmQualquerQuebraDeLinhaEFaltandoValores) {
  TPastaTemporaria pasta;
  TImagem g;
  ASSERT_TRUE(
      g.Carrega(pasta.Escreve(QStringLiteral("a.grd"), "DSAA\n3 1\n5 25\n0 0\n1 3\n1\n 2\t3\n")));
  EXPECT_EQ(g.LeReal(2), 3.f);
  EXPECT_DOUBLE_EQ(g.XMin(), 0);
  EXPECT_DOUBLE_EQ(g.XMax(), 30);
  EXPECT_DOUBLE_EQ(g.YMin(), -5);  // a single row takes the column spacing
  EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("b.grd"), "DSAA\n3 1\n5 25\n0 0\n1 3\n1 2")),
               ETorveda);
  EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("c.grd"), "DSAA\n3 1\n5 x\n")), ETorveda);
  EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("d.grd"), "DSAA\n3.5 1\n")), ETorveda);
  EXPECT_EQ(g.NCols(), 0);
}

TEST(ArcView, SalvarComoAscProduzOParBinario) {
  TPastaTemporaria pasta;
  TImagem g;
  Preenche(g);
  ASSERT_TRUE(g.Grava(pasta.Arquivo(QStringLiteral("saida.asc"))));
  EXPECT_FALSE(QFile::exists(pasta.Arquivo(QStringLiteral("saida.asc"))));
  EXPECT_EQ(Le(pasta.Arquivo(QStringLiteral("saida.hdr"))),
            QByteArray("ncols         3\r\n"
                       "nrows         2\r\n"
                       "xllcorner      1.00000000000000E+0003\r\n"
                       "yllcorner      2.00000000000000E+0003\r\n"
                       "cellsize       5.00000000000000E+0001\r\n"
                       "NODATA_value  -9.99900000000000E+0003\r\n"
                       "byteorder     LSBFIRST\r\n"));
  // Only the cells, from byte 0: never the own format's header space.
  EXPECT_EQ(Le(pasta.Arquivo(QStringLiteral("saida.flt"))),
            Singles({1.5f, 2.5f, 3.5f, 10.f, 20.f, -9999.f}));

  TImagem r(true);
  ASSERT_TRUE(r.Carrega(pasta.Arquivo(QStringLiteral("saida.flt"))));
  EXPECT_EQ(r.LeReal(4), 20.f);
  EXPECT_DOUBLE_EQ(r.YMax(), 2100);
}

TEST(ArcView, GradeInteiraViraReal) {
  TPastaTemporaria pasta;
  TImagem g;
  g.DefineTipo(QLatin1Char('I'));
  g.DefineDimensoes(2, 1);
  g.DefineExtensao(0, 2, 0, 1);
  g.GravaInteiro(0, -7);
  g.GravaInteiro(1, 300);
  ASSERT_TRUE(g.Grava(pasta.Arquivo(QStringLiteral("i.FLT"))));
  EXPECT_EQ(Le(pasta.Arquivo(QStringLiteral("i.FLT"))), Singles({-7.f, 300.f}));
  EXPECT_TRUE(QFile::exists(pasta.Arquivo(QStringLiteral("i.HDR"))));
}

TEST(ArcView, AsciiLeValoresEEstatisticasSemNoData) {
  TPastaTemporaria pasta;
  const QByteArray cabecalho =
      "ncols        3\nnrows        2\nxllcenter    25\nyllcenter    25\n"
      "cellsize     50\nNODATA_value -9999\n";
  TImagem g(true);
  ASSERT_TRUE(
      g.Carrega(pasta.Escreve(QStringLiteral("a.asc"), cabecalho + "1 2.5 -9999\n4 5 6\n")));
  EXPECT_FALSE(g.EmDisco());
  EXPECT_EQ(g.OrigemRaster(), TImagem::FormatoArcView);
  EXPECT_EQ(g.LeRealCL(1, 0), 2.5f);
  EXPECT_EQ(g.LeReal(5), 6.f);
  EXPECT_DOUBLE_EQ(g.XMin(), 0);
  EXPECT_EQ(g.MinReal(), 1.f);
  EXPECT_EQ(g.MaxReal(), 6.f);
  EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("b.asc"), cabecalho + "1 2 3 4 5\n")),
               ETorveda);
  EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("c.asc"), cabecalho + "1 2 3 4 5 x\n")),
               ETorveda);
  // All six header lines are required in a text grid.
  EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("d.asc"), "ncols 1\nnrows 1\n")), ETorveda);
}

TEST(Idrisi, TipoDoCabecalhoDefineCelulas) {
  TPastaTemporaria pasta;
  Grava(pasta.Arquivo(QStringLiteral("i.doc")),
        DocIdrisi(QStringLiteral("integer"), 3, 2, QStringLiteral("-5"), QStringLiteral("300")));
  const qint16 celulas[] = {1, 2, 3, -5, 300, 0};
  Grava(pasta.Arquivo(QStringLiteral("i.img")),
        QByteArray(reinterpret_cast<const char*>(celulas), sizeof celulas));
  for (const bool emDisco : {false, true}) {
    TImagem g(emDisco);
    ASSERT_TRUE(g.Carrega(pasta.Arquivo(QStringLiteral("i.img"))));
    EXPECT_EQ(g.TipoCelula(), QLatin1Char('I'));
    EXPECT_EQ(g.TamCelula(), 2);
    EXPECT_EQ(g.DesvioDados(), 0);
    EXPECT_EQ(g.OrigemRaster(), TImagem::FormatoIdrisi);
    EXPECT_EQ(g.LeInteiro(4), 300);
    EXPECT_EQ(g.LeInteiroCL(0, 1), -5);
    EXPECT_EQ(g.MinInteiro(), -5);
    EXPECT_EQ(g.MaxInteiro(), 300);
    EXPECT_DOUBLE_EQ(g.XMax(), 30);
    EXPECT_EQ(g.Titulo(), QStringLiteral("teste"));
    EXPECT_EQ(g.Unidade(), QStringLiteral("m"));
  }
  // A .img shorter than the header says, a data type that is none, a missing line.
  Grava(pasta.Arquivo(QStringLiteral("i.img")), QByteArray(11, '\0'));
  TImagem g;
  EXPECT_THROW(g.Carrega(pasta.Arquivo(QStringLiteral("i.doc"))), ETorveda);
  Grava(pasta.Arquivo(QStringLiteral("i.doc")),
        DocIdrisi(QStringLiteral("float"), 3, 2, QStringLiteral("0"), QStringLiteral("1")));
  EXPECT_THROW(g.Carrega(pasta.Arquivo(QStringLiteral("i.doc"))), ETorveda);
  Grava(
      pasta.Arquivo(QStringLiteral("i.doc")),
      DocIdrisi(QStringLiteral("byte"), 3, 2, QStringLiteral("0"), QStringLiteral("1")).left(200));
  EXPECT_THROW(g.Carrega(pasta.Arquivo(QStringLiteral("i.doc"))), ETorveda);
}

TEST(Idrisi, GravaCabecalhoDeVinteEUmaLinhasERelê) {
  TPastaTemporaria pasta;
  TImagem g;
  g.DefineTipo(QLatin1Char('B'));
  g.DefineDimensoes(2, 2);
  g.DefineExtensao(0, 2, 0, 2);
  g.DefineTitulo(QStringLiteral("bytes"));
  g.DefineUnidade(QStringLiteral("m"));
  for (int i = 0; i < 4; ++i) g.GravaByte(i, static_cast<quint8>(10 * (i + 1)));
  ASSERT_TRUE(g.Grava(pasta.Arquivo(QStringLiteral("b.doc"))));
  const QList<QByteArray> linhas = Le(pasta.Arquivo(QStringLiteral("b.doc"))).split('\n');
  ASSERT_EQ(linhas.size(), 22);
  EXPECT_EQ(linhas[1], "data type   : byte\r");
  EXPECT_EQ(linhas[3], "columns     : 2\r");
  EXPECT_EQ(linhas[7], "unit dist.  :  1.00000000000000E+0000\r");
  EXPECT_EQ(linhas[9], "max. X      :  2.00000000000000E+0000\r");
  EXPECT_EQ(linhas[14], "min. value  : 10\r");
  EXPECT_EQ(linhas[15], "max. value  : 40\r");
  EXPECT_EQ(Le(pasta.Arquivo(QStringLiteral("b.img"))), QByteArray("\x0a\x14\x1e\x28"));
  TImagem r;
  ASSERT_TRUE(r.Carrega(pasta.Arquivo(QStringLiteral("b.img"))));
  EXPECT_EQ(r.LeByteCL(1, 1), 40);
  EXPECT_EQ(r.Titulo(), QStringLiteral("bytes"));
}

TEST(Raster, PrimeiroByteZeroCarregaSemDimensoes) {
  TPastaTemporaria pasta;
  TImagem g(true);
  EXPECT_TRUE(g.Carrega(pasta.Escreve(QStringLiteral("z.ras"), QByteArray(600, '\0'))));
  EXPECT_EQ(g.NCols(), 0);
  EXPECT_EQ(g.NRows(), 0);
  EXPECT_EQ(g.TemCabecalho(), 0);
  EXPECT_EQ(g.LeReal(0), -9999.f);
}

TEST(Raster, IdaEVoltaDosTresTiposEArquivoTruncado) {
  TPastaTemporaria pasta;
  for (const char tipo : {'B', 'I', 'R'}) {
    SCOPED_TRACE(tipo);
    TImagem g;
    g.DefineTipo(QLatin1Char(tipo));
    g.DefineDimensoes(3, 2);
    g.DefineExtensao(0.5, 3.5, -2, 0);
    g.DefineTitulo(QStringLiteral("Ação"));
    g.DefineUnidade(QString(300, QLatin1Char('u')));
    for (int i = 0; i < 6; ++i) {
      if (tipo == 'B') g.GravaByte(i, static_cast<quint8>(i * 40));
      if (tipo == 'I') g.GravaInteiro(i, static_cast<qint16>(-1000 * i));
      if (tipo == 'R') g.GravaReal(i, 0.25f * i);
    }
    const QString ras = pasta.Arquivo(QStringLiteral("t.ras"));
    ASSERT_TRUE(g.Grava(ras));
    const int desvio = 536 + 2 * g.TamCelula();
    EXPECT_EQ(QFileInfo(ras).size(), desvio + 6 * g.TamCelula());
    for (const bool emDisco : {false, true}) {
      TImagem r(emDisco);
      ASSERT_TRUE(r.Carrega(ras));
      EXPECT_EQ(r.TipoCelula(), QLatin1Char(tipo));
      EXPECT_EQ(r.DesvioDados(), desvio);
      EXPECT_EQ(r.NCols(), 3);
      EXPECT_EQ(r.NRows(), 2);
      EXPECT_DOUBLE_EQ(r.XMin(), 0.5);
      EXPECT_DOUBLE_EQ(r.YMin(), -2);
      EXPECT_EQ(r.Titulo(), QStringLiteral("Ação"));
      EXPECT_EQ(r.Unidade().size(), 254);
      for (int i = 0; i < 6; ++i) EXPECT_EQ(r.ValorReal(i), g.ValorReal(i)) << i;
      // Statistics not set by the program are computed when written.
      if (tipo == 'I') {
        EXPECT_EQ(r.MinInteiro(), -5000);
      } else if (tipo == 'R') {
        EXPECT_EQ(r.MaxReal(), 1.25f);
      }
    }
    // Truncated by one byte: the own format answers false, never an error.
    QByteArray conteudo = Le(ras);
    conteudo.chop(1);
    Grava(ras, conteudo);
    TImagem r;
    EXPECT_FALSE(r.Carrega(ras));
    EXPECT_FALSE(r.Carrega(pasta.Escreve(QStringLiteral("c.ras"), conteudo.left(300))));
    EXPECT_FALSE(r.Carrega(pasta.Escreve(QStringLiteral("v.ras"), QByteArray())));
    conteudo[1] = 'X';
    EXPECT_FALSE(r.Carrega(pasta.Escreve(QStringLiteral("x.ras"), conteudo)));
  }
}

TEST(Grava, GSRecusadoEExtensaoDesconhecida) {
  TPastaTemporaria pasta;
  TApresentadorRoteirizado apresentador;
  TImagem g;
  Preenche(g);
  EXPECT_FALSE(g.Grava(pasta.Arquivo(QStringLiteral("k.krg")), apresentador));
  EXPECT_EQ(apresentador.Textos(TApresentadorRoteirizado::TTipo::Mensagem),
            QStringList{QStringLiteral("A gravação de arquivos no formato do GS+ não está "
                                       "disponível. Favor gravar os resultados no formato do "
                                       "Surfer ou do ArcView.")});
  try {
    g.Grava(pasta.Arquivo(QStringLiteral("k.png")));
    FAIL();
  } catch (const ETorveda& e) {
    EXPECT_EQ(e.mensagem(), QStringLiteral("Erro. O arquivo k.png não corresponde a um arquivo "
                                           "válido de imagem."));
  }
  EXPECT_TRUE(QDir(pasta.Caminho()).entryList(QDir::Files).isEmpty());
  // A folder that does not exist: an error, and the own format answers false.
  EXPECT_THROW(g.Grava(pasta.Caminho() + QStringLiteral("/nao/existe.flt")), ETorveda);
  EXPECT_FALSE(g.Grava(pasta.Caminho() + QStringLiteral("/nao/existe.ras")));
}

// The writer follows the name's extension, not the target; the status names both formats; the
// progress walks the rows and returns to 0; the copy keeps the no-data value.
TEST(Exporta, PelaExtensaoComStatusEProgresso) {
  TPastaTemporaria pasta;
  const QString hdr =
      ParArcView(pasta.Arquivo(QStringLiteral("g")), 3, 2, {1.5f, 2.5f, 3.5f, 10.f, 20.f, -9999.f});
  TImagem g(true);
  ASSERT_TRUE(g.Carrega(hdr));
  QStringList status;
  QList<QPair<int, int>> progresso;
  g.DefineControleStatus([&](const QString& t) { status << t; });
  g.DefineBarraProgresso([&](int max, int pos) { progresso << qMakePair(max, pos); });
  const QString grd = pasta.Arquivo(QStringLiteral("e.grd"));
  ASSERT_TRUE(g.ExportaIdrisi(grd));
  EXPECT_TRUE(Le(grd).startsWith("DSAA"));
  EXPECT_EQ(status, (QStringList{QStringLiteral("Exportando a imagem do ArcView para Idrisi."),
                                 QStringLiteral("Gravando a imagem no disco rígido ..."), QString(),
                                 QString()}));
  EXPECT_EQ(progresso, (QList<QPair<int, int>>{{1, 0}, {1, 0}, {1, 1}, {1, 0}}));
  EXPECT_EQ(g.OrigemRaster(), TImagem::FormatoArcView);  // the source is not changed

  ASSERT_TRUE(g.ExportaRaster(pasta.Arquivo(QStringLiteral("e.flt"))));
  EXPECT_EQ(Le(pasta.Arquivo(QStringLiteral("e.flt"))), Le(pasta.Arquivo(QStringLiteral("g.flt"))));
  EXPECT_TRUE(Le(pasta.Arquivo(QStringLiteral("e.hdr"))).contains("NODATA_value  -9.999"));

  ASSERT_TRUE(g.ExportaArcView(pasta.Arquivo(QStringLiteral("e.ras"))));
  TImagem r;
  ASSERT_TRUE(r.Carrega(pasta.Arquivo(QStringLiteral("e.ras"))));
  EXPECT_EQ(r.LeReal(4), 20.f);
  EXPECT_EQ(r.DesvioDados(), 544);
  EXPECT_FALSE(g.ExportaGS(pasta.Arquivo(QStringLiteral("e.krg"))));
  EXPECT_TRUE(g.ExportaSurfer(pasta.Arquivo(QStringLiteral("e.doc"))));
  EXPECT_EQ(Le(pasta.Arquivo(QStringLiteral("e.img"))), Le(pasta.Arquivo(QStringLiteral("g.flt"))));
}
