#include <gtest/gtest.h>

#include <cmath>

#include "data/Modelos.h"

TEST(Modelos, FormasDasEquacoes) {
  EXPECT_NEAR(AvaliaModelo(QStringLiteral("Pot"), 0.5, 0.8, 100.0), 19.9054, 1e-4);
  EXPECT_DOUBLE_EQ(AvaliaModelo(QStringLiteral("Lin"), 1.0, 0.01, 250.0), 3.5);
  EXPECT_DOUBLE_EQ(AvaliaModelo(QStringLiteral("Exp"), 0.0, 0.0, 12345.0), 1.0);
  EXPECT_DOUBLE_EQ(AvaliaModelo(QStringLiteral("Exp"), 1.0, 0.5, 2.0), std::exp(2.0));
  EXPECT_DOUBLE_EQ(AvaliaModelo(QStringLiteral("Log"), 4.25, 9.0, 100.0), 4.25);
  EXPECT_DOUBLE_EQ(AvaliaModelo(QStringLiteral("Rec"), -1.5, 9.0, 100.0), -1.5);
  // The model name is compared exactly, case included.
  EXPECT_EQ(AvaliaModelo(QStringLiteral("pot"), 0.5, 0.8, 100.0), 0.0);
  EXPECT_EQ(AvaliaModelo(QStringLiteral("Lin "), 1.0, 1.0, 1.0), 0.0);
  EXPECT_EQ(AvaliaModelo(QString(), 1.0, 1.0, 1.0), 0.0);
}

TEST(Modelos, PotenciaReal) {
  EXPECT_EQ(PotenciaReal(0.0, 0.0), 1.0);
  EXPECT_EQ(PotenciaReal(-3.0, 0.0), 1.0);
  EXPECT_EQ(PotenciaReal(0.0, 2.5), 0.0);
  // Integral exponents also work for negative bases.
  EXPECT_DOUBLE_EQ(PotenciaReal(-2.0, 3.0), -8.0);
  EXPECT_DOUBLE_EQ(PotenciaReal(2.0, -2.0), 0.25);
  EXPECT_DOUBLE_EQ(PotenciaReal(100.0, 0.8), std::exp(0.8 * std::log(100.0)));
}

// What the original divides unguarded gives 0 (not estimated) instead of an infinity or NaN.
TEST(Modelos, ResultadosNaoFinitosViramZero) {
  EXPECT_EQ(AvaliaModelo(QStringLiteral("Pot"), 0.5, -0.8, 0.0), 0.0);
  EXPECT_EQ(AvaliaModelo(QStringLiteral("Pot"), 0.5, -1.0, 0.0), 0.0);
  EXPECT_EQ(AvaliaModelo(QStringLiteral("Pot"), 1.0, 0.5, -4.0), 0.0);
  EXPECT_EQ(AvaliaModelo(QStringLiteral("Exp"), 0.0, 10.0, 1000.0), 0.0);
}

TEST(Modelos, InterpolacaoEProporcao) {
  // Stations of 100 and 300 km^2 with Q7,10 of 2 and 5: at 150 km^2, 2 + 50/200 x 3.
  EXPECT_DOUBLE_EQ(*Interpola(150.0, 100.0, 2.0, 300.0, 5.0), 2.75);
  // Extrapolation below the upper station follows the same line.
  EXPECT_DOUBLE_EQ(*Interpola(50.0, 100.0, 2.0, 300.0, 5.0), 1.25);
  EXPECT_DOUBLE_EQ(*Proporcional(100.0, 400.0, 8.0), 2.0);
  EXPECT_FALSE(Interpola(150.0, 100.0, 2.0, 100.0, 5.0).has_value());
  EXPECT_FALSE(Proporcional(100.0, 0.0, 8.0).has_value());
}
