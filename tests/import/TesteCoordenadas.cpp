// Degree-minute-second texts of both registers and the projected point, checked against PROJ's
// own command-line tool.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "base/Erro.h"
#include "hydro/TextoGMS.h"
#include "import/GrausDMS.h"
#include "import/PontoProjetado.h"

namespace {

constexpr double Graus194530 = 19.0 + 45.0 / 60.0 + 30.0 / 3600.0;
const QString Lat = QStringLiteral("Latitude");

// cs2cs reading "19d45'30\"S 43d45'12\"W" itself, so no conversion of ours is involved.
TPontoMapa Cs2cs(const QString& dms) {
  QProcess p;
  p.start(QStringLiteral("cs2cs"), {QStringLiteral("-f"), QStringLiteral("%.4f"),
                                    QStringLiteral("EPSG:4225"), QStringLiteral("EPSG:22523")});
  p.write(dms.toUtf8() + '\n');
  p.closeWriteChannel();
  EXPECT_TRUE(p.waitForFinished(30000)) << p.errorString().toStdString();
  const QStringList campos =
      QString::fromUtf8(p.readAllStandardOutput())
          .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  EXPECT_GE(campos.size(), 2) << dms.toStdString();
  if (campos.size() < 2) return {};
  return {campos[0].toDouble(), campos[1].toDouble()};
}

}  // namespace

TEST(GrausDMS, RegistroEstadualLeOsSeisDigitos) {
  EXPECT_DOUBLE_EQ(GrausDMS(QStringLiteral("194530"), PosicoesAqem, Lat), Graus194530);
  EXPECT_DOUBLE_EQ(GrausDMS(QStringLiteral("434512"), PosicoesAqem, Lat),
                   43.0 + 45.0 / 60.0 + 12.0 / 3600.0);
  // A numeric cell with a fraction reads in the general format; only the six digits count.
  EXPECT_DOUBLE_EQ(GrausDMS(QStringLiteral("194530,25"), PosicoesAqem, Lat), Graus194530);
  EXPECT_DOUBLE_EQ(GrausDMS(QStringLiteral("000000"), PosicoesAqem, Lat), 0.0);
}

TEST(GrausDMS, RegistroFederalIgnoraOsSeparadores) {
  for (const char* texto : {"19° 45' 30\"", "19:-45:-30", "19  45  30", "19ab45cd30xyz"}) {
    const QString t = QString::fromUtf8(texto);
    EXPECT_DOUBLE_EQ(GrausDMS(t, PosicoesAna, Lat), Graus194530) << texto;
    EXPECT_DOUBLE_EQ(NumeroDMS(t, PosicoesAna), 194530.0) << texto;
  }
  EXPECT_DOUBLE_EQ(NumeroDMS(QStringLiteral("07° 05' 09\""), PosicoesAna), 70509.0);
}

// Nothing past the end of the text is read: a text too short for its pairs is a failure.
TEST(GrausDMS, TextoCurtoOuNaoNumericoFalha) {
  EXPECT_THROW(GrausDMS(QStringLiteral("19453"), PosicoesAqem, Lat), ETorveda);
  EXPECT_THROW(GrausDMS(QStringLiteral("1"), PosicoesAqem, Lat), ETorveda);
  EXPECT_THROW(GrausDMS(QString(), PosicoesAqem, Lat), ETorveda);
  EXPECT_THROW(GrausDMS(QStringLiteral("19° 45' 3"), PosicoesAna, Lat), ETorveda);
  EXPECT_THROW(NumeroDMS(QStringLiteral("19° 45'"), PosicoesAna), ETorveda);
  EXPECT_THROW(GrausDMS(QStringLiteral("19x530"), PosicoesAqem, Lat), ETorveda);
  EXPECT_THROW(GrausDMS(QStringLiteral("19° ab' 30\""), PosicoesAna, Lat), ETorveda);
}

// Minutes or seconds of 60 or more fail the row with a message naming the column.
TEST(GrausDMS, MinutosOuSegundosDe60OuMaisNomeiamAColuna) {
  for (const auto& [texto, posicoes] :
       {std::pair{"194590", PosicoesAqem}, std::pair{"196030", PosicoesAqem},
        std::pair{"19° 45' 75\"", PosicoesAna}}) {
    try {
      GrausDMS(QString::fromUtf8(texto), posicoes, QStringLiteral("Longitude"));
      ADD_FAILURE() << texto;
    } catch (const ECoordenadaGMS& e) {
      EXPECT_TRUE(
          e.mensagem().startsWith(QStringLiteral("Longitude: \"") + QString::fromUtf8(texto)))
          << e.mensagem().toStdString();
    }
  }
}

TEST(PontoProjetado, ConfereComCs2cs) {
  struct {
    const char* Dms;
    double Lat, Lon;
  } const casos[] = {
      {"19d45'30\"S 43d45'12\"W", Graus194530, 43.0 + 45.0 / 60.0 + 12.0 / 3600.0},
      {"15d29'30\"S 47d09'10\"W", 15.0 + 29.0 / 60.0 + 30.0 / 3600.0,
       47.0 + 9.0 / 60.0 + 10.0 / 3600.0},
      {"17d00'00\"S 45d00'00\"W", 17.0, 45.0},
  };
  for (const auto& c : casos) {
    const TPontoMapa esperado = Cs2cs(QString::fromUtf8(c.Dms));
    const TPontoMapa p = PontoProjetado(c.Lat, c.Lon);
    EXPECT_NEAR(p.X, esperado.X, 0.001) << c.Dms;
    EXPECT_NEAR(p.Y, esperado.Y, 0.001) << c.Dms;
  }
}
