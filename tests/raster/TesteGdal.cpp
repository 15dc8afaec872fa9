// Agreement with an independent implementation: grids written by GDAL read here give the same
// cells and geometry, and grids written here read by GDAL give the same values and geometry.
// GDAL's tools are a test dependency only; without them the tests are skipped.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <optional>

#include "GradesTeste.h"
#include "comum/PastaTemporaria.h"
#include "raster/TImagem.h"

using namespace GradesTeste;

namespace {

// 4 x 3, top row first, with one no-data cell; values exact in binary and in decimal text.
const std::vector<float> Valores{1.5f,    2.25f, -3.f, 4.f,  5.f,  6.5f,
                                 -9999.f, 8.f,   9.f,  10.f, 11.f, 12.75f};
constexpr double X0 = 250000, Y0 = 8200000, Lado = 50;

QString GdalTranslate() { return QStandardPaths::findExecutable(QStringLiteral("gdal_translate")); }

// Runs gdal_translate; its standard output (empty on failure).
QByteArray Traduz(const QStringList& argumentos) {
  QProcess p;
  p.start(GdalTranslate(), QStringList{QStringLiteral("-q")} + argumentos);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << "gdal_translate " << argumentos.join(QLatin1Char(' ')).toStdString() << ": "
                  << p.readAllStandardError().toStdString();
    return {};
  }
  return p.readAllStandardOutput();
}

struct TPontoXyz {
  double X, Y, Z;
};

// GDAL's reading of a grid as "x y z" lines, cell centres from the top row down.
std::vector<TPontoXyz> ComoGdalLe(const QString& arquivo) {
  const QByteArray saida = Traduz(
      {QStringLiteral("-of"), QStringLiteral("XYZ"), arquivo, QStringLiteral("/vsistdout/")});
  std::vector<TPontoXyz> pontos;
  for (const QByteArray& linha : saida.split('\n')) {
    const QList<QByteArray> campos = linha.simplified().split(' ');
    if (campos.size() == 3)
      pontos.push_back({campos[0].toDouble(), campos[1].toDouble(), campos[2].toDouble()});
  }
  return pontos;
}

void ConfereComoGdalLe(const QString& arquivo) {
  SCOPED_TRACE(arquivo.toStdString());
  const auto pontos = ComoGdalLe(arquivo);
  ASSERT_EQ(pontos.size(), Valores.size());
  for (std::size_t i = 0; i < pontos.size(); ++i) {
    const double c = static_cast<double>(i % 4), r = static_cast<double>(i / 4);
    EXPECT_NEAR(pontos[i].X, X0 + (c + 0.5) * Lado, 1e-6) << i;
    EXPECT_NEAR(pontos[i].Y, Y0 + 3 * Lado - (r + 0.5) * Lado, 1e-6) << i;
    EXPECT_EQ(static_cast<float>(pontos[i].Z), Valores[i]) << i;
  }
}

void ConfereGeometria(const TImagem& g) {
  EXPECT_EQ(g.NCols(), 4);
  EXPECT_EQ(g.NRows(), 3);
  EXPECT_NEAR(g.XMin(), X0, 1e-6);
  EXPECT_NEAR(g.YMin(), Y0, 1e-6);
  EXPECT_NEAR(g.XMax(), X0 + 4 * Lado, 1e-6);
  EXPECT_NEAR(g.YMax(), Y0 + 3 * Lado, 1e-6);
  EXPECT_NEAR(g.TamanhoCelula(), Lado, 1e-9);
}

class Gdal : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GdalTranslate().isEmpty()) GTEST_SKIP() << "gdal_translate não encontrado";
  }
  TPastaTemporaria Pasta;
};

}  // namespace

TEST_F(Gdal, GradesEscritasPeloGdalLidasAqui) {
  // The source is written by hand in the six-line layout GDAL reads (its own EHdr writer uses
  // another layout).
  const QString origem =
      ParArcView(Pasta.Arquivo(QStringLiteral("origem")), 4, 3, Valores, QStringLiteral("250000"),
                 QStringLiteral("8200000"), QStringLiteral("50"), QStringLiteral("-9999"));
  ConfereComoGdalLe(Pasta.Arquivo(QStringLiteral("origem.flt")));  // GDAL agrees on the source

  const QString asc = Pasta.Arquivo(QStringLiteral("gdal.asc"));
  const QString grd = Pasta.Arquivo(QStringLiteral("gdal.grd"));
  Traduz({QStringLiteral("-of"), QStringLiteral("AAIGrid"),
          Pasta.Arquivo(QStringLiteral("origem.flt")), asc});
  Traduz({QStringLiteral("-of"), QStringLiteral("GSAG"),
          Pasta.Arquivo(QStringLiteral("origem.flt")), grd});

  TImagem a(true);
  ASSERT_TRUE(a.Carrega(asc));
  ConfereGeometria(a);
  EXPECT_EQ(a.SemDados(), -9999.f);
  for (std::int32_t i = 0; i < 12; ++i) EXPECT_EQ(a.LeReal(i), Valores[i]) << i;

  TImagem s(true);
  ASSERT_TRUE(s.Carrega(grd));
  ConfereGeometria(s);
  // Surfer's blank value is read as the grid's no-data value.
  EXPECT_EQ(s.SemDados(), -9999.f);
  for (std::int32_t i = 0; i < 12; ++i) EXPECT_EQ(s.LeReal(i), Valores[i]) << i;
  EXPECT_EQ(s.MinReal(), -3.f);
  EXPECT_EQ(s.MaxReal(), 12.75f);
}

TEST_F(Gdal, GradesEscritasAquiLidasPeloGdal) {
  TImagem g;
  g.DefineTipo(QLatin1Char('R'));
  g.DefineDimensoes(4, 3);
  g.DefineExtensao(X0, X0 + 4 * Lado, Y0, Y0 + 3 * Lado);
  g.DefineSemDados(-9999);
  for (std::int32_t i = 0; i < 12; ++i) g.GravaReal(i, Valores[i]);

  ASSERT_TRUE(g.Grava(Pasta.Arquivo(QStringLiteral("binaria.hdr"))));
  ConfereComoGdalLe(Pasta.Arquivo(QStringLiteral("binaria.flt")));
  ASSERT_TRUE(g.Grava(Pasta.Arquivo(QStringLiteral("par.asc"))));
  ConfereComoGdalLe(Pasta.Arquivo(QStringLiteral("par.flt")));
  // Surfer files carry the hole as Surfer's blank: SurferComBrancosIdaEVoltaPeloArcView.

  // The no-data value written in the header is the one GDAL reports.
  QProcess info;
  info.start(QStandardPaths::findExecutable(QStringLiteral("gdalinfo")),
             {Pasta.Arquivo(QStringLiteral("binaria.flt"))});
  ASSERT_TRUE(info.waitForFinished(60000));
  EXPECT_TRUE(info.readAllStandardOutput().contains("NoData Value=-9999"));
}

namespace {

// GDAL's reading of a grid: per cell from the top row down, the value or nullopt for no data (the
// no-data value GDAL reports for the file).
std::vector<std::optional<double>> CelulasComoGdalLe(const QString& arquivo) {
  QProcess info;
  info.start(QStandardPaths::findExecutable(QStringLiteral("gdalinfo")), {arquivo});
  EXPECT_TRUE(info.waitForFinished(60000));
  const QString texto = QString::fromUtf8(info.readAllStandardOutput());
  const qsizetype p = texto.indexOf(QStringLiteral("NoData Value="));
  EXPECT_GE(p, 0) << arquivo.toStdString();
  const double semDado = texto.mid(p + 13).section(QLatin1Char('\n'), 0, 0).toDouble();
  std::vector<std::optional<double>> celulas;
  for (const TPontoXyz& c : ComoGdalLe(arquivo))
    celulas.push_back(static_cast<float>(c.Z) == static_cast<float>(semDado)
                          ? std::nullopt
                          : std::optional<double>(c.Z));
  return celulas;
}

}  // namespace

// A Surfer grid with blanks, written by GDAL, converted to ArcView and back: GDAL reads the same
// holes and the same values in all three files.
TEST_F(Gdal, SurferComBrancosIdaEVoltaPeloArcView) {
  ParArcView(Pasta.Arquivo(QStringLiteral("origem")), 4, 3, Valores, QStringLiteral("250000"),
             QStringLiteral("8200000"), QStringLiteral("50"), QStringLiteral("-9999"));
  const QString grd = Pasta.Arquivo(QStringLiteral("gdal.grd"));
  Traduz({QStringLiteral("-of"), QStringLiteral("GSAG"),
          Pasta.Arquivo(QStringLiteral("origem.flt")), grd});
  const auto esperado = CelulasComoGdalLe(grd);
  ASSERT_EQ(esperado.size(), Valores.size());
  EXPECT_FALSE(esperado[6].has_value());  // the hole is a Surfer blank to GDAL too

  TImagem s;
  ASSERT_TRUE(s.Carrega(grd));
  ASSERT_TRUE(s.Grava(Pasta.Arquivo(QStringLiteral("arcview.hdr"))));
  EXPECT_EQ(CelulasComoGdalLe(Pasta.Arquivo(QStringLiteral("arcview.flt"))), esperado);
  // The text never carries the blank value into the ArcView file.
  TImagem a;
  ASSERT_TRUE(a.Carrega(Pasta.Arquivo(QStringLiteral("arcview.hdr"))));
  EXPECT_EQ(a.LeReal(6), -9999.f);

  ASSERT_TRUE(a.Grava(Pasta.Arquivo(QStringLiteral("volta.grd"))));
  EXPECT_EQ(CelulasComoGdalLe(Pasta.Arquivo(QStringLiteral("volta.grd"))), esperado);
  ConfereComoGdalLe(Pasta.Arquivo(QStringLiteral("arcview.flt")));
}
