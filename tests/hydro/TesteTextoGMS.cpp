#include <gtest/gtest.h>

#include "hydro/TPonto.h"
#include "hydro/TextoGMS.h"

TEST(TextoGMS, GrausMinutosSegundos) {
  EXPECT_EQ(TextoGMS(17.25), QStringLiteral("17° 15' 00\""));
  EXPECT_EQ(TextoGMS(5.5), QStringLiteral("5° 30' 00\""));
  // Only the first two characters of the degrees.
  EXPECT_EQ(TextoGMS(100.5), QStringLiteral("10° 30' 00\""));
  // Truncated, never rounded.
  EXPECT_EQ(TextoGMS(17.0 + 59.0 / 60 + 59.9 / 3600), QStringLiteral("17° 59' 59\""));
  EXPECT_EQ(TextoGMS(0.0), QStringLiteral("0° 00' 00\""));
}

// A whole number of seconds typed and converted back keeps its seconds, whatever the rounding of
// the floating-point value in between.
TEST(TextoGMS, SegundosDigitadosVoltamIguais) {
  for (int g = 0; g < 90; g += 7)
    for (int m = 0; m < 60; m += 3)
      for (int s = 0; s < 60; ++s) {
        const QString texto = QStringLiteral("%1%2%3")
                                  .arg(g, 2, 10, QLatin1Char('0'))
                                  .arg(m, 2, 10, QLatin1Char('0'))
                                  .arg(s, 2, 10, QLatin1Char('0'));
        const auto v = GrausDeDDMMSS(texto);
        ASSERT_TRUE(v.has_value());
        const QString esperado = QStringLiteral("%1° %2' %3\"")
                                     .arg(g)
                                     .arg(m, 2, 10, QLatin1Char('0'))
                                     .arg(s, 2, 10, QLatin1Char('0'));
        ASSERT_EQ(TextoGMS(*v), esperado) << texto.toStdString();
      }
}

TEST(TextoGMS, CoordenadaDigitada) {
  EXPECT_NEAR(*GrausDeDDMMSS(QStringLiteral("152930")), 15.4916666667, 1e-9);
  EXPECT_NEAR(*GrausDeDDMMSS(QStringLiteral("470910")), 47.1527777778, 1e-9);
  EXPECT_FALSE(GrausDeDDMMSS(QString()).has_value());
  EXPECT_FALSE(GrausDeDDMMSS(QStringLiteral("15293")).has_value());
  EXPECT_FALSE(GrausDeDDMMSS(QStringLiteral("15a930")).has_value());
  EXPECT_FALSE(GrausDeDDMMSS(QStringLiteral("1529300")).has_value());
}

TEST(TextoGMS, TextosDaSecao) {
  TPonto p;
  p.SetLatitude(17.25);
  p.SetLongitude(47.1527777777778);
  EXPECT_EQ(p.LatitudeGMS(), QStringLiteral("17° 15' 00\""));
  EXPECT_EQ(p.LongitudeGMS(), QStringLiteral("47° 09' 10\""));
}
