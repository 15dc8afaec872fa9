// The cell checks of the drainage grids and the memory that spares an unchanged tree from them.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <cmath>
#include <limits>

#include "GradesTeste.h"
#include "comum/PastaTemporaria.h"
#include "raster/ConferenciaCelulas.h"
#include "raster/MemoriaConferencia.h"
#include "raster/TImagem.h"

using namespace ConferenciaCelulas;
using namespace GradesTeste;

namespace {

constexpr float S = -9999.f;
const QString Nome = QStringLiteral("dir_esc.hdr");

// A memory grid of 4 x 3 with the given cells, row by row from the top.
std::unique_ptr<TImagem> Grade(const std::vector<float>& celulas, int nc = 4, int nr = 3) {
  auto g = std::make_unique<TImagem>();
  g->DefineTipo(QChar('R'));
  g->DefineDimensoes(static_cast<quint16>(nc), static_cast<quint16>(nr));
  for (std::size_t i = 0; i < celulas.size(); ++i)
    g->GravaReal(static_cast<std::int32_t>(i), celulas[i]);
  return g;
}

}  // namespace

// Everything drains east then south to the bottom edge; no-data cells end paths.
TEST(ConferenciaCelulas, DirecoesSaidasPelaBordaESemDadoPassam) {
  EXPECT_EQ(ConfereDirecoes(*Grade({1, 1, 4, S, 1, 2, 4, S, 64, 128, 4, 8}), Nome), QString());
}

TEST(ConferenciaCelulas, CodigoInvalidoNomeiaAPrimeiraCelulaEmOrdemDeLinhas) {
  // The walk from the first cell reaches (4, 3) before it sees (2, 2); the message names (2, 2).
  EXPECT_EQ(ConfereDirecoes(*Grade({1, 1, 1, 4, 1, 3, 4, 4, 1, 1, 1, 0}), Nome),
            QStringLiteral("dir_esc.hdr: a célula da coluna 2, linha 2 tem o código de direção 3; "
                           "os códigos válidos são 1, 2, 4, 8, 16, 32, 64 e 128, ou -9999 (sem "
                           "dado)."));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(ConfereDirecoes(*Grade({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, nan}), Nome)
                  .contains(QStringLiteral("coluna 4, linha 3 tem o código de direção nan")));
  EXPECT_TRUE(ConfereDirecoes(*Grade({1, 1, 1, 1, 1, 2.5f, 1, 1, 1, 1, 1, 1}), Nome)
                  .contains(QStringLiteral("código de direção 2.5")));
}

TEST(ConferenciaCelulas, LacoNomeiaSuaPrimeiraCelulaESeuTamanho) {
  // Two cells pointing at each other, met from a path that starts upstream of them.
  EXPECT_EQ(ConfereDirecoes(*Grade({4, S, S, S, 1, 16, S, S, S, S, S, S}), Nome),
            QStringLiteral("dir_esc.hdr: as direções de fluxo formam um laço de 2 células a "
                           "partir da célula da coluna 1, linha 2: a água que entra nele não chega "
                           "ao exutório."));
  // A square of four cells; the later loop of two cells in the bottom row is not the first.
  const QString quatro =
      ConfereDirecoes(*Grade({S, S, S, S, S, 1, 4, S, S, 64, 16, S, 1, 16, S, S}, 4, 4), Nome);
  EXPECT_TRUE(
      quatro.contains(QStringLiteral("laço de 4 células a partir da célula da coluna 2, "
                                     "linha 2")))
      << quatro.toStdString();
  // A cell pointing at itself cannot be written with a D8 code; a 1 x 1 grid that drains out
  // is sound.
  EXPECT_EQ(ConfereDirecoes(*Grade({1}, 1, 1), Nome), QString());
}

TEST(ConferenciaCelulas, AcumulacaoEDrenagem) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(ConfereAcumulacao(*Grade({0, 1, 2, S, 3, 4, 5, 6, 7, 8, 9, 1e30f}), Nome), QString());
  EXPECT_EQ(ConfereAcumulacao(*Grade({0, 1, 2, S, 3, -4, 5, inf, 7, 8, 9, 10}),
                              QStringLiteral("fluxo_ac.hdr")),
            QStringLiteral("fluxo_ac.hdr: a célula da coluna 2, linha 2 vale -4; a acumulação de "
                           "fluxo deve ser um número finito e não negativo."));
  EXPECT_TRUE(ConfereAcumulacao(*Grade({0, 1, 2, S, 3, 4, 5, inf}), Nome)
                  .contains(QStringLiteral("coluna 4, linha 2 vale inf")));
  EXPECT_EQ(ConfereDrenagem(*Grade({-5, 1, 2, S, 3, 4, 5, 6}), Nome), QString());
  EXPECT_TRUE(ConfereDrenagem(*Grade({0, 1, 2, S, 3, 4, 5, -inf}), Nome)
                  .contains(QStringLiteral("coluna 4, linha 2 vale -inf; a drenagem mapeada")));
}

// The memory trusts a grid only while both of its files keep their size and time.
TEST(ConferenciaCelulas, MemoriaPorTamanhoEHoraDosArquivos) {
  TPastaTemporaria pasta;
  const QString hdr = ParArcView(pasta.Arquivo(QStringLiteral("dir_esc")), 2, 1, {1, 1});
  {
    TMemoriaConferencia m(pasta.Caminho());
    EXPECT_FALSE(m.Conferida(hdr));
    m.Registra(hdr);
    m.Grava();
  }
  EXPECT_TRUE(TMemoriaConferencia(pasta.Caminho() + QLatin1Char('/')).Conferida(hdr));

  // Same size, new time: checked again.
  QFile flt(pasta.Arquivo(QStringLiteral("dir_esc.flt")));
  ASSERT_TRUE(flt.open(QIODevice::ReadWrite));
  ASSERT_TRUE(flt.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                              QFileDevice::FileModificationTime));
  flt.close();
  EXPECT_FALSE(TMemoriaConferencia(pasta.Caminho()).Conferida(hdr));

  // A foreign file of the memory's name is ignored, and replaced at the next write.
  const QString arquivo = pasta.Arquivo(TMemoriaConferencia::NomeArquivo);
  Grava(arquivo, "dir_esc.hdr\tqualquer coisa\n");
  {
    TMemoriaConferencia m(pasta.Caminho());
    EXPECT_FALSE(m.Conferida(hdr));
    m.Registra(hdr);
    m.Grava();
  }
  EXPECT_TRUE(TMemoriaConferencia(pasta.Caminho()).Conferida(hdr));
  EXPECT_TRUE(Le(arquivo).startsWith("TORVEDA conferencia das grades 1\n"));
}
