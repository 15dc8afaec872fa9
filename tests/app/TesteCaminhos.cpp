#include <gtest/gtest.h>

#include "base/Caminhos.h"
#include "base/Convencoes.h"

TEST(Caminhos, NomeBaseSegueOExecutavel) {
  EXPECT_EQ(TCaminhos::NomeBaseDe(QStringLiteral("/opt/x/TORVEDA.exe")), QStringLiteral("TORVEDA"));
  EXPECT_EQ(TCaminhos::NomeBaseDe(QStringLiteral("/opt/x/TORVEDA")), QStringLiteral("TORVEDA"));
  EXPECT_EQ(TCaminhos::NomeBaseDe(QStringLiteral("Bacia.Nova.exe")), QStringLiteral("Bacia.Nova"));

  const TCaminhos c(QStringLiteral("/dados"), QStringLiteral("Bacia"));
  EXPECT_EQ(c.Dir(), QStringLiteral("/dados/"));
  EXPECT_EQ(c.BaseDados(), QStringLiteral("/dados/Dados/DadosBD/Bacia.sqlite"));
  EXPECT_EQ(c.OutorgasAqem(), QStringLiteral("/dados/Dados/DadosBD/Bacia_Outorgas_AQEM.xls"));
  EXPECT_EQ(c.OutorgasAna(), QStringLiteral("/dados/Dados/DadosBD/Bacia_Outorgas_ANA.xls"));
  EXPECT_EQ(c.Matrizes(), QStringLiteral("/dados/Dados/DadosSIG/Matrizes/"));
  EXPECT_EQ(c.Relatorios(), QStringLiteral("/dados/Imagens/Relatórios/"));
  EXPECT_EQ(c.Ajuda(), QStringLiteral("/dados/Ajuda/Ajuda.html"));
  EXPECT_EQ(c.DadosSIGManutencao(), QStringLiteral("/dados/DadosSIG/"));
}

// The D8 picture of the conventions header, cell by cell.
TEST(Convencoes, CodigosD8EDeslocamentos) {
  struct {
    int codigo, dc, dl;
  } esperado[] = {{1, 1, 0},  {2, 1, 1},    {4, 0, 1},  {8, -1, 1},
                  {16, -1, 0}, {32, -1, -1}, {64, 0, -1}, {128, 1, -1}};
  for (const auto& e : esperado) {
    const auto* d = Convencao::DirecaoD8(e.codigo);
    ASSERT_NE(d, nullptr) << e.codigo;
    EXPECT_EQ(d->DColuna, e.dc) << e.codigo;
    EXPECT_EQ(d->DLinha, e.dl) << e.codigo;
  }
  EXPECT_EQ(Convencao::DirecaoD8(0), nullptr);
  EXPECT_EQ(Convencao::DirecaoD8(3), nullptr);
  EXPECT_EQ(Convencao::DirecaoD8(255), nullptr);
  EXPECT_DOUBLE_EQ(Convencao::AreaCelulaKm2, 0.0025);
  EXPECT_EQ(Convencao::NoExutorio, 706);
  EXPECT_EQ(Convencao::TrechoExutorio, 698);
  EXPECT_EQ(Convencao::SemDado, -9999.0);
}
