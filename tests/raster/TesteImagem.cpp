#include <gtest/gtest.h>

#include <QFile>
#include <cmath>

#include "GradesTeste.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "raster/TImagem.h"

using namespace GradesTeste;

namespace {
// 3 columns x 2 rows, top row first.
const std::vector<float> Celulas3x2{1.5f, 2.5f, 3.5f, 10.f, 20.f, -9999.f};

class ImagemModos : public ::testing::TestWithParam<bool> {
 protected:
  TPastaTemporaria Pasta;
  QString Hdr = ParArcView(Pasta.Arquivo(QStringLiteral("g")), 3, 2, Celulas3x2);
};
}  // namespace

TEST_P(ImagemModos, LayoutTresPorDoisPorIndiceEColunaLinha) {
  TImagem g(GetParam());
  ASSERT_TRUE(g.Carrega(Hdr));
  EXPECT_EQ(g.NCols(), 3);
  EXPECT_EQ(g.NRows(), 2);
  EXPECT_EQ(g.TipoCelula(), QLatin1Char('R'));
  EXPECT_EQ(g.TamCelula(), 4);
  EXPECT_EQ(g.DesvioDados(), 0);
  EXPECT_EQ(g.OrigemRaster(), TImagem::FormatoArcView);
  EXPECT_EQ(g.EmDisco(), GetParam());
  EXPECT_EQ(g.SemDados(), -9999.f);
  // Index 4: the second value of the bottom row; column 1, row 1 is the same cell.
  EXPECT_EQ(g.LeReal(4), 20.f);
  EXPECT_EQ(g.LeRealCL(1, 1), 20.f);
  EXPECT_EQ(g.LeRealOuSemDado(4), 20.0);
  float buffer = 0;
  g.LeCelula(2, &buffer);
  EXPECT_EQ(buffer, 3.5f);
  g.LeCelulaCL(0, 1, &buffer);
  EXPECT_EQ(buffer, 10.f);
  EXPECT_DOUBLE_EQ(g.XMin(), 1000);
  EXPECT_DOUBLE_EQ(g.XMax(), 1150);
  EXPECT_DOUBLE_EQ(g.YMin(), 2000);
  EXPECT_DOUBLE_EQ(g.YMax(), 2100);
  EXPECT_EQ(g.Titulo(), QStringLiteral("Arquivo importado do ArcView - g.hdr"));
  EXPECT_EQ(g.Unidade(), QStringLiteral("plane"));
  EXPECT_EQ(g.TemCabecalho(), 1);
  // The binary grid does not compute statistics: they stay reset.
  EXPECT_EQ(g.MinReal(), 1e10f);
  EXPECT_EQ(g.MaxReal(), -1e10f);
  // Loading through the .flt name reads the same pair.
  TImagem f(GetParam());
  ASSERT_TRUE(f.Carrega(Pasta.Arquivo(QStringLiteral("g.flt"))));
  EXPECT_EQ(f.LeReal(4), 20.f);
}

// Outside the grid nothing outside the cell store is touched: every family answers its no-data
// value, including a typed family wider than the grid's cells.
TEST_P(ImagemModos, ForaDaGradeRespondeSemDado) {
  TImagem g(GetParam());
  ASSERT_TRUE(g.Carrega(Hdr));
  for (std::int32_t i : {-1, 6, 7, 1 << 30, std::numeric_limits<std::int32_t>::min()}) {
    EXPECT_EQ(g.LeReal(i), -9999.f) << i;
    EXPECT_EQ(g.LeInteiro(i), -9999) << i;
    EXPECT_EQ(g.LeByte(i), 0) << i;
  }
  EXPECT_EQ(g.LeRealOuSemDado(-1), -9999.0);
  EXPECT_EQ(g.LeRealOuSemDado(6), -9999.0);
  EXPECT_EQ(g.LeRealOuSemDado(std::int64_t{1} << 40), -9999.0);
  EXPECT_EQ(g.LeRealCL(3, 0), -9999.f);  // column past the edge, though index 3 exists
  EXPECT_EQ(g.LeRealCL(0, 2), -9999.f);
  EXPECT_EQ(g.LeRealCL(65535, 65535), -9999.f);
  EXPECT_FALSE(g.DentroDaGrade(6));
  EXPECT_TRUE(g.DentroDaGrade(5));
  float buffer = 7;
  g.LeCelula(6, &buffer);
  EXPECT_EQ(buffer, 0.f);
  // The 2-byte family addresses 2-byte cells: index 5 is inside the 24-byte store.
  EXPECT_EQ(g.LeInteiro(5), static_cast<qint16>(0x4060));  // upper half of 3.5f
}

TEST_P(ImagemModos, FltMaisCurtoQueOCabecalhoEErroClaro) {
  Grava(Pasta.Arquivo(QStringLiteral("g.flt")), Singles({1, 2, 3, 4, 5}));
  TImagem g(GetParam());
  try {
    g.Carrega(Hdr);
    FAIL();
  } catch (const ETorveda& e) {
    EXPECT_EQ(e.mensagem(), QStringLiteral("Erro na leitura do arquivo g.flt: o arquivo tem 20 "
                                           "bytes, mas o cabeçalho indica 3 colunas e 2 linhas "
                                           "(24 bytes)."));
  }
  EXPECT_EQ(g.NCols(), 0);
  EXPECT_EQ(g.LeReal(0), -9999.f);
}

TEST_P(ImagemModos, SemFltOuHdrIlegivelEErro) {
  QFile::remove(Pasta.Arquivo(QStringLiteral("g.flt")));
  TImagem g(GetParam());
  EXPECT_THROW(g.Carrega(Hdr), ETorveda);
  // The .flt exists but its header does not.
  ParArcView(Pasta.Arquivo(QStringLiteral("h")), 3, 2, Celulas3x2);
  QFile::remove(Pasta.Arquivo(QStringLiteral("h.hdr")));
  EXPECT_THROW(g.Carrega(Pasta.Arquivo(QStringLiteral("h.flt"))), ETorveda);
}

INSTANTIATE_TEST_SUITE_P(Raster, ImagemModos, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "EmDisco" : "Memoria"; });

// On-disk mode reads the data file in place: a byte changed in the file after the load shows in
// the next read, while a memory grid keeps its copy.
TEST(Imagem, EmDiscoLeNoArquivoSemCopiar) {
  TPastaTemporaria pasta;
  const QString hdr = ParArcView(pasta.Arquivo(QStringLiteral("g")), 3, 2, Celulas3x2);
  TImagem disco(true), memoria(false);
  ASSERT_TRUE(disco.Carrega(hdr));
  ASSERT_TRUE(memoria.Carrega(hdr));
  {
    QFile f(pasta.Arquivo(QStringLiteral("g.flt")));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(4 * 4);
    f.write(Singles({77.f}));
  }
  EXPECT_EQ(disco.LeReal(4), 77.f);
  EXPECT_EQ(memoria.LeReal(4), 20.f);
  EXPECT_EQ(disco.TamanhoArmazem(), 24);
  // Nothing writes to a grid read in place.
  EXPECT_THROW(disco.GravaReal(0, 1.f), ETorveda);
  EXPECT_EQ(disco.LeReal(0), 1.5f);
}

TEST(Imagem, CentroOuCantoPeloRotuloDaTerceiraLinha) {
  TPastaTemporaria pasta;
  Grava(pasta.Arquivo(QStringLiteral("c.flt")), Singles(Celulas3x2));
  Grava(pasta.Arquivo(QStringLiteral("c.hdr")),
        CabecalhoArcView(3, 2, QStringLiteral("1025"), QStringLiteral("2025"), QStringLiteral("50"),
                         QStringLiteral("-9999"), QStringLiteral("xllcenter"),
                         QStringLiteral("yllcenter")));
  TImagem g;
  ASSERT_TRUE(g.Carrega(pasta.Arquivo(QStringLiteral("c.hdr"))));
  EXPECT_DOUBLE_EQ(g.XMin(), 1000);
  EXPECT_DOUBLE_EQ(g.YMin(), 2000);
  EXPECT_DOUBLE_EQ(g.XMax(), 1150);

  Grava(pasta.Arquivo(QStringLiteral("c.hdr")),
        CabecalhoArcView(3, 2, QStringLiteral("1025"), QStringLiteral("2025"), QStringLiteral("50"),
                         QStringLiteral("-9999"), QStringLiteral("XLLCorner"),
                         QStringLiteral("YLLCORNER")));
  ASSERT_TRUE(g.Carrega(pasta.Arquivo(QStringLiteral("c.hdr"))));
  EXPECT_DOUBLE_EQ(g.XMin(), 1025);
  EXPECT_DOUBLE_EQ(g.YMin(), 2025);
}

TEST(Imagem, CabecalhoComVirgulaCurtoOuForaDoIntervalo) {
  TPastaTemporaria pasta;
  Grava(pasta.Arquivo(QStringLiteral("v.flt")), Singles(Celulas3x2));
  Grava(pasta.Arquivo(QStringLiteral("v.hdr")),
        CabecalhoArcView(3, 2, QStringLiteral("1000,5"), QStringLiteral("2000.5"),
                         QStringLiteral("50,0"), QStringLiteral("-9999,0")));
  TImagem g;
  ASSERT_TRUE(g.Carrega(pasta.Arquivo(QStringLiteral("v.hdr"))));
  EXPECT_DOUBLE_EQ(g.XMin(), 1000.5);
  EXPECT_DOUBLE_EQ(g.YMin(), 2000.5);
  EXPECT_DOUBLE_EQ(g.TamanhoCelula(), 50);

  // A binary header shorter than six lines reads its missing values as 0.
  Grava(pasta.Arquivo(QStringLiteral("v.hdr")), "ncols 3\r\nnrows 2\r\n");
  ASSERT_TRUE(g.Carrega(pasta.Arquivo(QStringLiteral("v.hdr"))));
  EXPECT_EQ(g.NCols(), 3);
  EXPECT_EQ(g.XMin(), 0.0);
  EXPECT_EQ(g.SemDados(), 0.f);
  EXPECT_EQ(g.LeReal(5), -9999.f);  // the cell's own value

  // Dimensions beyond the 16-bit fields are refused, not wrapped around.
  Grava(pasta.Arquivo(QStringLiteral("v.hdr")),
        CabecalhoArcView(70000, 2, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                         QStringLiteral("0")));
  EXPECT_THROW(g.Carrega(pasta.Arquivo(QStringLiteral("v.hdr"))), ETorveda);
  Grava(pasta.Arquivo(QStringLiteral("v.hdr")), "ncols -3\r\nnrows 2\r\n");
  EXPECT_THROW(g.Carrega(pasta.Arquivo(QStringLiteral("v.hdr"))), ETorveda);
  Grava(pasta.Arquivo(QStringLiteral("v.hdr")), "ncols 3\r\nnrows dois\r\n");
  EXPECT_THROW(g.Carrega(pasta.Arquivo(QStringLiteral("v.hdr"))), ETorveda);
}

TEST(Imagem, CarregaArquivoAusenteExtensaoDesconhecidaEGS) {
  TPastaTemporaria pasta;
  TApresentadorRoteirizado apresentador;
  TImagem g(true);
  EXPECT_FALSE(g.Carrega(pasta.Arquivo(QStringLiteral("nada.hdr")), apresentador));
  EXPECT_TRUE(apresentador.Textos().isEmpty());
  EXPECT_TRUE(g.NomeArquivo().isEmpty());

  const QString tif = pasta.Escreve(QStringLiteral("sub/mapa.tif"), "II*");
  try {
    g.Carrega(tif);
    FAIL();
  } catch (const ETorveda& e) {
    EXPECT_EQ(e.mensagem(), QStringLiteral("Erro. O arquivo mapa.tif não corresponde a um arquivo "
                                           "válido de imagem."));
  }
  EXPECT_EQ(g.NomeArquivo(), tif);

  EXPECT_FALSE(g.Carrega(pasta.Escreve(QStringLiteral("k.krg"), "x"), apresentador));
  EXPECT_EQ(g.OrigemRaster(), TImagem::FormatoGS);
  EXPECT_EQ(apresentador.Textos(TApresentadorRoteirizado::TTipo::Mensagem),
            QStringList{QStringLiteral(
                "A leitura de arquivos no formato do GS+ não está disponível. Ao utilizar o GS+, "
                "favor salvar os resultados no formato do Surfer ou do ArcView.")});
}

TEST(Imagem, DefineTipoLetrasTamanhosEDesvio) {
  TImagem g;
  g.DefineTipo(QLatin1Char('r'));
  EXPECT_EQ(g.TipoCelula(), QLatin1Char('R'));
  EXPECT_EQ(g.TamCelula(), 4);
  EXPECT_EQ(g.DesvioDados(), 544);  // own format: header space before the cells
  g.DefineTipo(QLatin1Char('i'));
  EXPECT_EQ(g.TamCelula(), 2);
  EXPECT_EQ(g.DesvioDados(), 540);
  g.DefineTipo(QLatin1Char('B'));
  EXPECT_EQ(g.TamCelula(), 1);
  EXPECT_EQ(g.DesvioDados(), 538);
  g.DefineOrigem(TImagem::FormatoIdrisi);
  g.DefineTipo(QLatin1Char('I'));
  EXPECT_EQ(g.DesvioDados(), 0);
  try {
    g.DefineTipo(QLatin1Char('x'));
    FAIL();
  } catch (const ETorveda& e) {
    EXPECT_EQ(e.mensagem(), QStringLiteral("Erro durante a definição do tipo do arquivo raster: "
                                           "real, inteiro ou byte."));
  }
  EXPECT_EQ(g.TipoCelula(), QLatin1Char('I'));
}

TEST(Imagem, GradeEmMemoriaGravaSoDentroDaGrade) {
  TImagem g;
  g.DefineTipo(QLatin1Char('I'));
  g.DefineDimensoes(4, 3);
  EXPECT_EQ(g.TemCabecalho(), 1);
  EXPECT_EQ(g.TamanhoArmazem(), 540 + 12 * 2);
  g.GravaInteiroCL(3, 2, -5);
  g.GravaInteiro(0, 300);
  EXPECT_EQ(g.LeInteiro(11), -5);
  EXPECT_EQ(g.LeInteiroCL(0, 0), 300);
  EXPECT_EQ(g.LeInteiro(5), 0);
  qint16 v = 42;
  g.GravaCelula(6, &v);
  EXPECT_EQ(g.LeInteiro(6), 42);
  EXPECT_THROW(g.GravaInteiro(12, 1), ETorveda);
  EXPECT_THROW(g.GravaInteiro(-1, 1), ETorveda);
  EXPECT_THROW(g.GravaInteiroCL(4, 0, 1), ETorveda);
  g.CalculaEstatisticas();
  EXPECT_EQ(g.MinInteiro(), -5);
  EXPECT_EQ(g.MaxInteiro(), 300);
  // Limpa empties the buffer: the cells read as no data until written again.
  g.Limpa();
  EXPECT_EQ(g.TamanhoArmazem(), 0);
  EXPECT_EQ(g.LeInteiro(0), -9999);
  g.GravaInteiro(11, 8);
  EXPECT_EQ(g.LeInteiro(11), 8);
}

TEST(Imagem, StatusEProgressoSemWidgets) {
  TPastaTemporaria pasta;
  const QString hdr = ParArcView(pasta.Arquivo(QStringLiteral("g")), 3, 2, Celulas3x2);
  TImagem g(true);
  QStringList status;
  QList<QPair<int, int>> progresso;
  g.DefineControleStatus([&](const QString& t) { status << t; });
  g.DefineBarraProgresso([&](int max, int pos) { progresso << qMakePair(max, pos); });
  ASSERT_TRUE(g.Carrega(hdr));
  EXPECT_EQ(status, (QStringList{QStringLiteral("Carregando a imagem ..."), QString()}));
  EXPECT_EQ(progresso, (QList<QPair<int, int>>{{1, 0}}));
  EXPECT_TRUE(g.TextoStatus().isEmpty());
  g.MostraStatus(QStringLiteral("x"));
  EXPECT_EQ(g.TextoStatus(), QStringLiteral("x"));
}
