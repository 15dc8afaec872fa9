// The texts of the editing windows: what a value shows, what a typed text becomes, and which
// values a column refuses.

#include <gtest/gtest.h>

#include <QLocale>
#include <limits>

#include "data/Esquema.h"
#include "editing/ValorCampo.h"

namespace {

const TColunaBD Real{QStringLiteral("Q90Ob"), TTipoColunaBD::Real};
const TColunaBD Inteiro{QStringLiteral("Ad"), TTipoColunaBD::Inteiro};
const TColunaBD Chave{QStringLiteral("CodEstFlu"), TTipoColunaBD::Inteiro, 0, true};
const TColunaBD Texto{QStringLiteral("Modelo"), TTipoColunaBD::Texto, 3};

}  // namespace

TEST(ValorCampo, RealVoltaAoMesmoNumero) {
  // Whatever is shown must read back to the very double stored, or an untouched row would be
  // rewritten with a rounded value.
  for (double v : {0.1, 1.0 / 3.0, 8261898.6759, 1e-7, 123456789012345680.0, -0.035, 0.0}) {
    const QString t = TextoValor(v, &Real);
    const QVariant lido = ValorDoTexto(t, &Real);
    ASSERT_EQ(lido.metaType().id(), QMetaType::Double) << t.toStdString();
    EXPECT_EQ(lido.toDouble(), v) << t.toStdString();
  }
  EXPECT_EQ(TextoValor(8.25, &Real), QStringLiteral("8,25"));
  EXPECT_EQ(TextoValor(1000000.0, &Real), QStringLiteral("1000000"));
  EXPECT_EQ(TextoValor(qlonglong{40}, &Real), QStringLiteral("40"));
}

TEST(ValorCampo, TextosDigitados) {
  EXPECT_EQ(ValorDoTexto(QStringLiteral(" 12,5 "), &Real), QVariant(12.5));
  EXPECT_EQ(ValorDoTexto(QStringLiteral("-3"), &Inteiro), QVariant(qlonglong{-3}));
  // Empty numbers are NULL; texts stay texts, blanks and all.
  EXPECT_TRUE(ValorDoTexto(QStringLiteral("  "), &Real).isNull());
  EXPECT_EQ(ValorDoTexto(QStringLiteral(" Lin"), &Texto), QVariant(QStringLiteral(" Lin")));
  // A point is read as the decimal separator too, where no comma makes it a thousands mark.
  EXPECT_EQ(ValorDoTexto(QStringLiteral("1.5"), &Real), QVariant(1.5));
  EXPECT_EQ(ValorDoTexto(QStringLiteral("-0.00385"), &Real), QVariant(-0.00385));
  // What does not read is kept as typed, for the message and for the analyst.
  for (const char* t : {"abc", "1.2.3", "1.234,5", "12,5x"})
    EXPECT_EQ(ValorDoTexto(QString::fromLatin1(t), &Real), QVariant(QString::fromLatin1(t))) << t;
  EXPECT_EQ(ValorDoTexto(QStringLiteral("200,5"), &Inteiro), QVariant(QStringLiteral("200,5")));
  EXPECT_EQ(TextoValor(QVariant(), &Real), QString());
}

TEST(ValorCampo, ValoresRecusados) {
  EXPECT_TRUE(ErroValor(12.5, Real).isEmpty());
  EXPECT_TRUE(ErroValor(qlonglong{3}, Real).isEmpty());
  EXPECT_TRUE(ErroValor(QVariant(), Real).isEmpty());
  EXPECT_TRUE(ErroValor(QStringLiteral("Pot"), Texto).isEmpty());

  EXPECT_TRUE(ErroValor(QStringLiteral("abc"), Real).contains(QStringLiteral("Q90Ob")));
  EXPECT_TRUE(ErroValor(12.5, Inteiro).contains(QStringLiteral("inteiro")));
  EXPECT_FALSE(ErroValor(qlonglong{std::numeric_limits<qint32>::max()} + 1, Inteiro).isEmpty());
  EXPECT_TRUE(ErroValor(qlonglong{std::numeric_limits<qint32>::min()}, Inteiro).isEmpty());
  EXPECT_FALSE(ErroValor(QVariant(), Chave).isEmpty());
  EXPECT_FALSE(ErroValor(QStringLiteral("Linear"), Texto).isEmpty());
}

TEST(ValorCampo, MaisCurtoQueVoltaAoMesmoNumero) {
  EXPECT_EQ(TextoValor(0.00385, &Real), QStringLiteral("0,00385"));
  EXPECT_EQ(TextoValor(0.1 + 0.2, &Real), QStringLiteral("0,30000000000000004"));
  EXPECT_EQ(TextoValor(-47.1, &Real), QStringLiteral("-47,1"));
  // A coefficient a computation left one unit off 0.00385: 17 digits at most, never 22.
  EXPECT_EQ(TextoValor(0.0038500000000000006, &Real), QStringLiteral("0,0038500000000000006"));
  EXPECT_EQ(TextoValor(1e-7, &Real), QStringLiteral("1E-07"));
}

TEST(ValorCampo, ModeloSoOsConhecidos) {
  for (const char* m : {"Lin", "Pot", "Exp", "Log", "Rec"})
    EXPECT_TRUE(ErroValor(QString::fromLatin1(m), Texto).isEmpty()) << m;
  // Named by the caption given; the valid names listed.
  const QString erro = ErroValor(QStringLiteral("Xyz"), Texto, QStringLiteral("Modelo da equação"));
  EXPECT_TRUE(erro.contains(QStringLiteral("'Xyz'"))) << erro.toStdString();
  EXPECT_TRUE(erro.contains(QStringLiteral("Modelo da equação"))) << erro.toStdString();
  EXPECT_TRUE(erro.contains(QStringLiteral("Lin, Pot, Exp, Log ou Rec"))) << erro.toStdString();
  EXPECT_FALSE(ErroValor(QVariant(), Texto).isEmpty());
  EXPECT_FALSE(ErroValor(QStringLiteral("pot"), Texto).isEmpty());
  // A caption replaces the column's name in every message.
  EXPECT_TRUE(ErroValor(QStringLiteral("abc"), Real, QStringLiteral("Q90 (m³ s⁻¹)"))
                  .contains(QStringLiteral("Q90 (m³ s⁻¹)")));
}
