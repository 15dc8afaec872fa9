// Number texts under Portuguese (Brazil) regional settings: the flow display rule, the tables'
// pattern, drainage areas, the general format and the reverse reading.

#include <gtest/gtest.h>

#include "base/LeituraNumero.h"
#include "grants/FiltroTecla.h"
#include "grants/FormataNumero.h"

TEST(FormataVazao, ExemplosEPatternsPorFaixa) {
  const std::pair<double, const char*> casos[] = {
      {123.45, "123,5"},
      {12.04, "12"},
      {5.678, "5,68"},
      {10, "10"},
      {1, "1"},
      {0.04567, "0,0457"},
      {0, "0"},
      {-0.5, "-0,5"},
      {10.06, "10,1"},
      {1.006, "1,01"},
      {10.04, "10"},
      {1234567.89, "1234567,9"},
      {-12.345, "-12,345"},
      // A creek's flow keeps three significant digits, down to a millilitre a second.
      {0.00812, "0,00812"},
      {0.0005, "0,0005"},
      {-0.000123456, "-0,000123"},
      {1e-7, "0"},
      {0.0099996, "0,01"}};
  for (const auto& [valor, texto] : casos)
    EXPECT_EQ(FormataVazao(valor), QString::fromUtf8(texto)) << valor;
}

TEST(CasasDaColuna, TresSignificativosDoMenorValorEUmaSoCasaPorColuna) {
  EXPECT_EQ(CasasDaColuna({}), 3);
  EXPECT_EQ(CasasDaColuna({0.0, 12.5, 0.4}), 3);
  EXPECT_EQ(CasasDaColuna({12.5, 0.00812, 0.0}), 5);
  EXPECT_EQ(CasasDaColuna({-0.0003}), 6);
  EXPECT_EQ(CasasDaColuna({2e-6}), CasasVazaoMax);
  // The residue of a difference that should be 0 does not widen the column.
  EXPECT_EQ(CasasDaColuna({3.0 * 0.1 - 0.3, 2.5}), 3);
  EXPECT_EQ(FormataFixo(12.5, 5), QStringLiteral("12,50000"));
  EXPECT_EQ(FormataFixo(0.00812, 5), QStringLiteral("0,00812"));
  EXPECT_EQ(FormataFixo(0.0, 3), QStringLiteral("0,000"));
  EXPECT_EQ(FormataFixo(-0.0000001, 3), QStringLiteral("0,000"));
}

TEST(FormataMetros, AteOCentimetro) {
  EXPECT_EQ(FormataMetros(8164211.74810669), QStringLiteral("8164211,75"));
  EXPECT_EQ(FormataMetros(269041.0), QStringLiteral("269041,00"));
}

TEST(FormataDecimal, ArredondaMetadeParaLongeDoZeroNoValorDigitado) {
  // 1.005 and 2.675 are stored just below their decimal value; the analyst typed the decimal.
  EXPECT_EQ(FormataDecimal(1.005, 0, 2), QStringLiteral("1,01"));
  EXPECT_EQ(FormataDecimal(2.675, 0, 2), QStringLiteral("2,68"));
  EXPECT_EQ(FormataDecimal(-2.675, 0, 2), QStringLiteral("-2,68"));
  EXPECT_EQ(FormataDecimal(9.9996, 0, 3), QStringLiteral("10"));
  EXPECT_EQ(FormataDecimal(999.9999, 0, 3), QStringLiteral("1000"));
  // A value that rounds to nothing carries no minus sign.
  EXPECT_EQ(FormataDecimal(-0.0004, 0, 3), QStringLiteral("0"));
  EXPECT_EQ(FormataDecimal(-0.0005, 0, 3), QStringLiteral("-0,001"));
  EXPECT_EQ(FormataTabela(-0.0005), QStringLiteral("-0,0005"));
  EXPECT_EQ(FormataTabela(1e-20), QStringLiteral("0"));
  EXPECT_EQ(FormataTabela(3.5e15), QStringLiteral("3500000000000000"));
}

TEST(FormataArea, SeparadorDeMilharesEDuasCasas) {
  EXPECT_EQ(FormataArea(1234.567), QStringLiteral("1.234,57"));
  EXPECT_EQ(FormataArea(1234567.891), QStringLiteral("1.234.567,89"));
  EXPECT_EQ(FormataArea(999.999), QStringLiteral("1.000,00"));
  EXPECT_EQ(FormataArea(0), QStringLiteral("0,00"));
  EXPECT_EQ(FormataArea(12.5), QStringLiteral("12,50"));
}

TEST(FormataGeral, QuinzeAlgarismosSemSeparadorDeMilhares) {
  EXPECT_EQ(FormataGeral(8286112.6317), QStringLiteral("8286112,6317"));
  EXPECT_EQ(FormataGeral(269041.0), QStringLiteral("269041"));
  EXPECT_EQ(FormataGeral(0.1 + 0.2), QStringLiteral("0,3"));
}

TEST(LeNumero, VirgulaDecimalSemSeparadorDeMilhares) {
  bool ok = false;
  EXPECT_DOUBLE_EQ(LeNumero(QStringLiteral("1,5"), &ok), 1.5);
  EXPECT_TRUE(ok);
  EXPECT_DOUBLE_EQ(LeNumero(QStringLiteral(" -0,25 "), &ok), -0.25);
  EXPECT_TRUE(ok);
  for (const char* ruim : {"", "1.5", "1.000,5", "abc", "1,5,2", ",", "inf", "1e999"}) {
    LeNumero(QString::fromUtf8(ruim), &ok);
    EXPECT_FALSE(ok) << ruim;
  }
  EXPECT_EQ(LeInteiro(QStringLiteral(" 30 "), &ok), 30);
  EXPECT_TRUE(ok);
  LeInteiro(QStringLiteral("1,5"), &ok);
  EXPECT_FALSE(ok);
}

// A lone point is a decimal point only where scripts and other programs write the number; a
// register cell takes either separator, a CSV field too, whatever the regional settings.
TEST(LeituraNumero, PontoCelulaECampoCsv) {
  EXPECT_EQ(LeNumeroDigitado(QStringLiteral("269041.38"), TPontoDecimal::Aceito), 269041.38);
  EXPECT_EQ(LeNumeroDigitado(QStringLiteral("269041,38"), TPontoDecimal::Aceito), 269041.38);
  for (const char* ruim : {"1.000,5", "1.000.5"})
    EXPECT_FALSE(LeNumeroDigitado(QString::fromUtf8(ruim), TPontoDecimal::Aceito)) << ruim;
  EXPECT_EQ(LeNumeroDeCelula(QStringLiteral(" 1,5 ")), 1.5);
  EXPECT_EQ(LeNumeroDeCelula(QStringLiteral("1.5")), 1.5);
  EXPECT_EQ(LeNumeroDeCampoCsv(QStringLiteral("0,02")), 0.02);
  EXPECT_EQ(LeNumeroDeCampoCsv(QStringLiteral("0.02")), 0.02);
  for (const char* ruim : {"", "1.000,5", "nan", "x"}) {
    EXPECT_FALSE(LeNumeroDeCelula(QString::fromUtf8(ruim))) << ruim;
    EXPECT_FALSE(LeNumeroDeCampoCsv(QString::fromUtf8(ruim))) << ruim;
  }
}

TEST(FiltroTecla, AlgarismosRetrocessoEUmSeparador) {
  const QChar virgula(QLatin1Char(','));
  for (QChar c : QStringLiteral("0123456789")) EXPECT_TRUE(AceitaTecla(QString(), c, virgula));
  EXPECT_TRUE(AceitaTecla(QStringLiteral("12"), QChar(0x08), virgula));
  EXPECT_TRUE(AceitaTecla(QStringLiteral("12"), virgula, virgula));
  EXPECT_FALSE(AceitaTecla(QStringLiteral("1,2"), virgula, virgula));
  for (QChar c : QStringLiteral("-+.aE "))
    EXPECT_FALSE(AceitaTecla(QString(), c, virgula)) << int(c.unicode());
  EXPECT_TRUE(TextoDigitavel(QStringLiteral("12,5"), virgula));
  EXPECT_FALSE(TextoDigitavel(QStringLiteral("-1"), virgula));
  EXPECT_FALSE(TextoDigitavel(QStringLiteral("1,2,3"), virgula));
}
