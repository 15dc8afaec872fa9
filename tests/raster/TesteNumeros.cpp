#include <gtest/gtest.h>

#include "base/Erro.h"
#include "raster/Numeros.h"

// The tests run under Portuguese (Brazil) settings, where the decimal separator is a comma: the
// header values must read and write the same there as anywhere.
TEST(Numeros, VirgulaEPontoLeemIgualVazioLeZero) {
  const QString a = QStringLiteral("a.hdr");
  EXPECT_DOUBLE_EQ(Numeros::LeValor(u"  12,5 ", QStringLiteral("x"), a), 12.5);
  EXPECT_DOUBLE_EQ(Numeros::LeValor(u"12.5", QStringLiteral("x"), a), 12.5);
  EXPECT_DOUBLE_EQ(Numeros::LeValor(u"-2.5E+0003", QStringLiteral("x"), a), -2500.0);
  EXPECT_DOUBLE_EQ(Numeros::LeValor(u"+7", QStringLiteral("x"), a), 7.0);
  EXPECT_DOUBLE_EQ(Numeros::LeValor(u"   ", QStringLiteral("x"), a), 0.0);
  for (const char16_t* ruim : {u"abc", u"1.2.3", u"12 m", u"nan", u"inf", u"1e999", u"+", u"0x10"})
    EXPECT_THROW(Numeros::LeValor(ruim, QStringLiteral("x"), a), ETorveda)
        << QString::fromUtf16(ruim).toStdString();
}

TEST(Numeros, MensagemNomeiaCampoEArquivoSemPasta) {
  try {
    Numeros::LeValor(u"dez", QStringLiteral("ncols"), QStringLiteral("/tmp/x/grade.hdr"));
    FAIL();
  } catch (const ETorveda& e) {
    EXPECT_EQ(e.mensagem(), QStringLiteral("Erro na leitura do arquivo grade.hdr: o valor \"dez\" "
                                           "de ncols não é um número."));
  }
}

TEST(Numeros, InteirosArredondamAoParEVerificamIntervalo) {
  const QString a = QStringLiteral("a");
  EXPECT_EQ(Numeros::Arredonda(2.5, a, a, 0, 10), 2);
  EXPECT_EQ(Numeros::Arredonda(3.5, a, a, 0, 10), 4);
  EXPECT_EQ(Numeros::Arredonda(-0.4, a, a, 0, 10), 0);
  EXPECT_THROW(Numeros::Arredonda(10.6, a, a, 0, 10), ETorveda);
  EXPECT_THROW(Numeros::Arredonda(-1, a, a, 0, 10), ETorveda);
  EXPECT_EQ(Numeros::LeInteiro(u"3,0", a, a, 0, 10), 3);
  EXPECT_THROW(Numeros::LeInteiro(u"3,5", a, a, 0, 10), ETorveda);
}

TEST(Numeros, CientificoTemVinteETresCaracteresComPonto) {
  EXPECT_EQ(Numeros::Cientifico(1.0), QStringLiteral(" 1.00000000000000E+0000"));
  EXPECT_EQ(Numeros::Cientifico(-9999.0), QStringLiteral("-9.99900000000000E+0003"));
  EXPECT_EQ(Numeros::Cientifico(0.05), QStringLiteral(" 5.00000000000000E-0002"));
  EXPECT_EQ(Numeros::Cientifico(0.0), QStringLiteral(" 0.00000000000000E+0000"));
  EXPECT_EQ(Numeros::Cientifico(8286112.5).size(), 23);
  EXPECT_DOUBLE_EQ(
      Numeros::LeValor(Numeros::Cientifico(8286112.63), QStringLiteral("y"), QStringLiteral("a")),
      8286112.63);
  EXPECT_EQ(Numeros::Fixo(-9999.0, 5), QByteArray("-9999.00000"));
  EXPECT_EQ(Numeros::Fixo(0.125, 5), QByteArray("0.12500"));
}

TEST(Numeros, TokensDeGradeTexto) {
  double v = 0;
  const auto le = [&](const char* s) { return Numeros::LeToken(s, s + std::strlen(s), v); };
  EXPECT_TRUE(le("1.5") && v == 1.5);
  EXPECT_TRUE(le("1,5") && v == 1.5);
  EXPECT_TRUE(le("-9999") && v == -9999);
  EXPECT_TRUE(le("1.70141e+38") && v == 1.70141e38);
  EXPECT_FALSE(le("1.5x"));
  EXPECT_FALSE(le("nan"));
  EXPECT_FALSE(le(""));
}
