// Malformed grid files never crash and never read outside a file: each load either succeeds,
// answers false or throws ETorveda, and every read afterwards stays inside the cell store. Run
// under AddressSanitizer (-DTORVEDA_SANITIZE=ON) this also proves no byte outside is touched.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <random>

#include "GradesTeste.h"
#include "base/Erro.h"
#include "comum/PastaTemporaria.h"
#include "comum/Semente.h"
#include "raster/TImagem.h"

using namespace GradesTeste;

namespace {

struct TArquivoGrade {
  QString Nome;  // the file given to Carrega
  QByteArray Conteudo;
  QString Par;  // the data or header file beside it, if any
  QByteArray ConteudoPar;
};

std::vector<TArquivoGrade> Validos() {
  const QByteArray cabecalho =
      "ncols         3\r\nnrows         2\r\nxllcorner     1000\r\nyllcorner     2000\r\n"
      "cellsize      50\r\nNODATA_value  -9999\r\n";
  const QByteArray flt = Singles({1, 2, 3, 4, 5, -9999});
  const qint16 inteiros[] = {1, 2, 3, -5, 300, 0};
  QByteArray ras(544, '\0');
  ras[0] = 1;
  ras[1] = 'R';
  ras[257] = 3;
  ras[259] = 2;
  ras[261] = 2;
  ras += flt;
  return {
      {QStringLiteral("g.hdr"), cabecalho, QStringLiteral("g.flt"), flt},
      {QStringLiteral("g.asc"), cabecalho + "1 2 3\r\n4 5 -9999\r\n", {}, {}},
      {QStringLiteral("g.doc"),
       DocIdrisi(QStringLiteral("integer"), 3, 2, QStringLiteral("-5"), QStringLiteral("300")),
       QStringLiteral("g.img"),
       QByteArray(reinterpret_cast<const char*>(inteiros), sizeof inteiros)},
      {QStringLiteral("g.grd"), "DSAA\r\n3  2\r\n0  100\r\n0  50\r\n1  6\r\n4 5 6 1 2 3 ", {}, {}},
      {QStringLiteral("g.ras"), ras, {}, {}},
  };
}

// Reads every family at the edges and far outside; none may leave the store.
void LeTudo(const TImagem& g, std::mt19937& aleatorio) {
  const std::int64_t n = g.NumCelulas();
  char buffer[8];
  volatile double soma = 0;
  for (std::int64_t i = -3; i < std::min<std::int64_t>(n, 4096) + 3; ++i) {
    const auto i32 = static_cast<std::int32_t>(i);
    soma = soma + g.LeReal(i32) + g.LeInteiro(i32) + g.LeByte(i32) + g.LeRealOuSemDado(i);
    g.LeCelula(i32, buffer);
  }
  std::uniform_int_distribution<std::int32_t> qualquer;
  std::uniform_int_distribution<int> cl(0, 65535);
  for (int k = 0; k < 64; ++k) {
    soma = soma + g.LeReal(qualquer(aleatorio)) + g.LeRealOuSemDado(qualquer(aleatorio));
    const auto c = static_cast<quint16>(cl(aleatorio));
    const auto l = static_cast<quint16>(cl(aleatorio));
    soma = soma + g.LeRealCL(c, l) + g.LeInteiroCL(c, l) + g.LeByteCL(c, l);
    g.LeCelulaCL(c, l, buffer);
  }
}

QByteArray Muta(QByteArray b, std::mt19937& a) {
  static const char* const pedacos[] = {"99999999", "-1",    "1e300", "nan", ",", " ",
                                        "\n",       "65535", "0",     "x",   "-", "1.5.5"};
  const auto em = [&](qsizetype n) {
    return std::uniform_int_distribution<qsizetype>(0, std::max<qsizetype>(n, 0))(a);
  };
  switch (std::uniform_int_distribution<int>(0, 3)(a)) {
    case 0:  // truncated
      b.truncate(em(b.size()));
      break;
    case 1:  // bytes overwritten
      for (int k = std::uniform_int_distribution<int>(1, 8)(a); k > 0 && !b.isEmpty(); --k)
        b[em(b.size() - 1)] = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(a));
      break;
    case 2:  // a token inserted
      b.insert(em(b.size()), pedacos[std::uniform_int_distribution<int>(0, 11)(a)]);
      break;
    default:  // a stretch removed
      b.remove(em(b.size()), em(16));
      break;
  }
  return b;
}

void CarregaSemFalhar(const QString& arquivo, bool emDisco, std::mt19937& aleatorio,
                      const QString& saida, bool grava) {
  TImagem g(emDisco);
  try {
    g.Carrega(arquivo);
  } catch (const ETorveda&) {
    EXPECT_EQ(g.NCols() * g.NRows(), 0) << "a failed load leaves the grid empty";
  }
  LeTudo(g, aleatorio);
  // What was loaded can be written again (now and then: every save waits for the disk).
  if (grava && g.NumCelulas() > 0 && g.NumCelulas() < 100000 && g.TamCelula() > 0) {
    EXPECT_TRUE(g.Grava(saida + QStringLiteral(".ras")));
    EXPECT_TRUE(g.Grava(saida + QStringLiteral(".flt")));
  }
}

}  // namespace

TEST(Malformados, MutacoesAleatoriasNuncaLeemForaDoArquivo) {
  const unsigned semente = SementeTeste(20261209);
  SCOPED_TRACE(::testing::Message() << "semente " << semente);
  std::mt19937 aleatorio(semente);
  TPastaTemporaria pasta;
  const auto validos = Validos();
  QElapsedTimer relogio;
  relogio.start();
  int casos = 0;
  for (; casos < 1500 && relogio.elapsed() < 10000; ++casos) {
    const auto& v = validos[static_cast<std::size_t>(casos) % validos.size()];
    const bool mutaPar = !v.Par.isEmpty() && (aleatorio() & 1);
    Grava(pasta.Arquivo(v.Nome), mutaPar ? v.Conteudo : Muta(v.Conteudo, aleatorio));
    if (!v.Par.isEmpty())
      Grava(pasta.Arquivo(v.Par), mutaPar ? Muta(v.ConteudoPar, aleatorio) : v.ConteudoPar);
    CarregaSemFalhar(pasta.Arquivo(v.Nome), (casos / 5) % 2 == 1, aleatorio,
                     pasta.Arquivo(QStringLiteral("saida")), casos % 200 == 0);
    if (HasFailure()) break;
  }
  EXPECT_GT(casos, 100);
}

// Sizes declared far beyond the data are refused at once, without reserving memory for them;
// zero sizes load an empty grid.
TEST(Malformados, TamanhosEnormesOuZero) {
  TPastaTemporaria pasta;
  const QByteArray enorme =
      "ncols 65535\nnrows 65535\nxllcorner 0\nyllcorner 0\ncellsize 1\n"
      "NODATA_value -9999\n";
  Grava(pasta.Arquivo(QStringLiteral("e.flt")), Singles({1, 2}));
  QByteArray ras(538, '\0');
  ras[0] = 1;
  ras[1] = 'B';
  ras[257] = ras[258] = ras[261] = ras[262] = '\xff';
  Grava(pasta.Arquivo(QStringLiteral("e.img")), "abc");
  for (const bool emDisco : {false, true}) {
    TImagem g(emDisco);
    EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("e.hdr"), enorme)), ETorveda);
    EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("e.asc"), enorme + "1 2 3")), ETorveda);
    EXPECT_THROW(
        g.Carrega(pasta.Escreve(QStringLiteral("e.grd"), "DSAA\n65535 65535 0 1 0 1 0 1 1 2 3")),
        ETorveda);
    EXPECT_THROW(g.Carrega(pasta.Escreve(QStringLiteral("e.doc"),
                                         DocIdrisi(QStringLiteral("real"), 65535, 65535,
                                                   QStringLiteral("0"), QStringLiteral("1")))),
                 ETorveda);
    EXPECT_FALSE(g.Carrega(pasta.Escreve(QStringLiteral("e.ras"), ras)));
    EXPECT_EQ(g.LeReal(0), -9999.f);

    const QByteArray zero =
        "ncols 0\nnrows 0\nxllcorner 0\nyllcorner 0\ncellsize 0\n"
        "NODATA_value -9999\n";
    Grava(pasta.Arquivo(QStringLiteral("z.flt")), QByteArray());
    ASSERT_TRUE(g.Carrega(pasta.Escreve(QStringLiteral("z.hdr"), zero)));
    EXPECT_EQ(g.NumCelulas(), 0);
    EXPECT_EQ(g.LeReal(0), -9999.f);
    EXPECT_EQ(g.TamanhoCelula(), 0.0);
    ASSERT_TRUE(g.Carrega(pasta.Escreve(QStringLiteral("z.asc"), zero)));
    ASSERT_TRUE(g.Carrega(pasta.Escreve(QStringLiteral("z.grd"), "DSAA\n0 0 0 0 0 0 0 0")));
    EXPECT_EQ(g.LeRealCL(0, 0), -9999.f);
    EXPECT_TRUE(g.Grava(pasta.Arquivo(QStringLiteral("z2.grd"))));
    EXPECT_TRUE(g.Grava(pasta.Arquivo(QStringLiteral("z2.flt"))));
  }
}
