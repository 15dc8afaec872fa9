// Conversions between EPSG:4225 and EPSG:22523 against PROJ's own command-line tool, in both
// directions, over the basin's region.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cmath>

#include "base/Erro.h"
#include "gis/TConversorCoordenadas.h"

namespace {

// Runs cs2cs on the points ("a b" per line, the systems' own axis order) and reads its answer.
std::vector<std::pair<double, double>> Cs2cs(const QString& de, const QString& para,
                                             const std::vector<std::pair<double, double>>& pts) {
  QProcess p;
  p.start(QStringLiteral("cs2cs"), {QStringLiteral("-f"), QStringLiteral("%.10f"), de, para});
  if (!p.waitForStarted()) return {};
  QByteArray entrada;
  for (const auto& [a, b] : pts)
    entrada += QByteArray::number(a, 'f', 12) + ' ' + QByteArray::number(b, 'f', 12) + '\n';
  p.write(entrada);
  p.closeWriteChannel();
  p.waitForFinished();
  std::vector<std::pair<double, double>> saida;
  for (const QByteArray& linha : p.readAllStandardOutput().split('\n')) {
    const QList<QByteArray> campos = linha.simplified().split(' ');
    if (campos.size() >= 2) saida.emplace_back(campos[0].toDouble(), campos[1].toDouble());
  }
  return saida;
}

bool TemCs2cs() { return !QStandardPaths::findExecutable(QStringLiteral("cs2cs")).isEmpty(); }

}  // namespace

TEST(Coordenadas, PontoDeReferencia) {
  // 15°29'30" S, 47°09'10" W on Corrego Alegre 1970-72.
  const TPontoMapa geo{-(47 + (10.0 / 60 + 9) / 60), -(15 + (30.0 / 60 + 29) / 60)};
  const auto& conv = TConversorCoordenadas::Padrao();
  const TPontoMapa p = conv.ParaProjetada(geo);
  EXPECT_NEAR(p.X, 269041.3860, 0.001);
  EXPECT_NEAR(p.Y, 8286112.6317, 0.001);
  const TPontoMapa volta = conv.ParaGeografica(p);
  EXPECT_NEAR(volta.X, geo.X, 1e-9);
  EXPECT_NEAR(volta.Y, geo.Y, 1e-9);
  EXPECT_EQ(&TConversorCoordenadas::Padrao(), &conv);  // built once
}

TEST(Coordenadas, ConcordaComCs2csNosDoisSentidos) {
  if (!TemCs2cs()) GTEST_SKIP() << "cs2cs not installed";
  // A grid over the basin's region, geographic (longitude, latitude).
  std::vector<TPontoMapa> geos;
  for (double lat = -18.5; lat <= -14.5; lat += 0.5)
    for (double lon = -48.5; lon <= -44.5; lon += 0.5) geos.push_back({lon, lat});
  std::vector<std::pair<double, double>> latLon;
  for (const auto& g : geos) latLon.emplace_back(g.Y, g.X);  // EPSG:4225 is latitude first
  const auto proj = Cs2cs(QStringLiteral("EPSG:4225"), QStringLiteral("EPSG:22523"), latLon);
  ASSERT_EQ(proj.size(), geos.size());
  const auto& conv = TConversorCoordenadas::Padrao();
  std::vector<std::pair<double, double>> xy;
  for (std::size_t i = 0; i < geos.size(); ++i) {
    const TPontoMapa p = conv.ParaProjetada(geos[i]);
    EXPECT_NEAR(p.X, proj[i].first, 0.001) << geos[i].X << " " << geos[i].Y;
    EXPECT_NEAR(p.Y, proj[i].second, 0.001) << geos[i].X << " " << geos[i].Y;
    xy.emplace_back(p.X + 123.456, p.Y - 654.321);
  }
  const auto volta = Cs2cs(QStringLiteral("EPSG:22523"), QStringLiteral("EPSG:4225"), xy);
  ASSERT_EQ(volta.size(), xy.size());
  for (std::size_t i = 0; i < xy.size(); ++i) {
    const TPontoMapa g = conv.ParaGeografica({xy[i].first, xy[i].second});
    EXPECT_NEAR(g.Y, volta[i].first, 1e-8);
    EXPECT_NEAR(g.X, volta[i].second, 1e-8);
  }
}

TEST(Coordenadas, PontoImpossivelFalhaComMensagem) {
  EXPECT_THROW(TConversorCoordenadas::Padrao().ParaProjetada({0, 200}), ETorveda);
  EXPECT_THROW(TConversorCoordenadas::Padrao().ParaProjetada({NAN, -15}), ETorveda);
}
