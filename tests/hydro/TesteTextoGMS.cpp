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
        const double v = GrausDDMMSS(texto, QStringLiteral("Latitude"));
        const QString esperado = QStringLiteral("%1° %2' %3\"")
                                     .arg(g)
                                     .arg(m, 2, 10, QLatin1Char('0'))
                                     .arg(s, 2, 10, QLatin1Char('0'));
        ASSERT_EQ(TextoGMS(v), esperado) << texto.toStdString();
      }
}

TEST(TextoGMS, CoordenadaDigitada) {
  const QString lat = QStringLiteral("Latitude");
  EXPECT_NEAR(GrausDDMMSS(QStringLiteral("152930"), lat), 15.4916666667, 1e-9);
  EXPECT_NEAR(GrausDDMMSS(QStringLiteral(" 470910 "), lat), 47.1527777778, 1e-9);
  EXPECT_DOUBLE_EQ(GrausDDMMSS(QStringLiteral("165959"), lat), 16.0 + 59.0 / 60 + 59.0 / 3600);
  for (const char* t : {"", "15293", "15a930", "1529300", "-15293", "１５２９３０"}) {
    EXPECT_FALSE(FormatoDDMMSS(QString::fromUtf8(t))) << t;
    EXPECT_THROW(GrausDDMMSS(QString::fromUtf8(t), lat), ECoordenadaGMS) << t;
  }
}

// Minutes or seconds of 60 or more are a typing mistake, never carried into the next unit: the
// message names the field and the part.
TEST(TextoGMS, MinutosOuSegundosDe60OuMaisRecusados) {
  struct {
    const char* Texto;
    const char* Parte;
  } const casos[] = {{"163699", "os segundos (99)"},
                     {"166039", "os minutos (60)"},
                     {"159900", "os minutos (99)"},
                     {"161560", "os segundos (60)"}};
  for (const auto& c : casos) {
    try {
      GrausDDMMSS(QString::fromLatin1(c.Texto), QStringLiteral("Longitude"));
      ADD_FAILURE() << c.Texto;
    } catch (const ECoordenadaGMS& e) {
      EXPECT_EQ(e.Campo(), QStringLiteral("Longitude"));
      EXPECT_TRUE(e.mensagem().startsWith(QStringLiteral("Longitude: \"") + c.Texto))
          << e.mensagem().toStdString();
      EXPECT_TRUE(e.Detalhe().contains(QString::fromLatin1(c.Parte))) << e.Detalhe().toStdString();
    }
  }
  // The part-wise reading that the register texts use refuses the same way, keeping fractions.
  EXPECT_THROW(GrausDeGMS(19, 45, 60.0, QStringLiteral("Latitude"), QStringLiteral("x")),
               ECoordenadaGMS);
  EXPECT_THROW(GrausDeGMS(19, -1, 0, QStringLiteral("Latitude"), QStringLiteral("x")),
               ECoordenadaGMS);
  EXPECT_DOUBLE_EQ(GrausDeGMS(19, 45, 59.5, QStringLiteral("Latitude"), QStringLiteral("x")),
                   19.0 + 45.0 / 60 + 59.5 / 3600);
}

// Typed coordinates and register degrees reach the map through the same projection; the field
// at fault is named whichever of the two it is.
TEST(TextoGMS, PontoDigitadoEPontoEmGrausCoincidem) {
  const TPontoMapa a = PontoDeDDMMSS(QStringLiteral("152930"), QStringLiteral("470910"));
  const TPontoMapa b = PontoDeGraus(15.0 + 29.0 / 60 + 30.0 / 3600, 47.0 + 9.0 / 60 + 10.0 / 3600);
  EXPECT_DOUBLE_EQ(a.X, b.X);
  EXPECT_DOUBLE_EQ(a.Y, b.Y);
  // 15°29'30" S, 47°09'10" W in the basin's projected system (checked with cs2cs).
  EXPECT_NEAR(a.X, 269041.386, 0.01);
  EXPECT_NEAR(a.Y, 8286112.632, 0.01);
  try {
    PontoDeDDMMSS(QStringLiteral("152930"), QStringLiteral("476010"));
    ADD_FAILURE();
  } catch (const ECoordenadaGMS& e) {
    EXPECT_EQ(e.Campo(), QStringLiteral("Longitude"));
  }
}

TEST(TextoGMS, TextosDaSecao) {
  TPonto p;
  p.SetLatitude(17.25);
  p.SetLongitude(47.1527777777778);
  EXPECT_EQ(p.LatitudeGMS(), QStringLiteral("17° 15' 00\""));
  EXPECT_EQ(p.LongitudeGMS(), QStringLiteral("47° 09' 10\""));
}
