// `balanco`, `analise --jusante` and the verdict columns of `lote`, end to end on the sample.
#include <gdal.h>
#include <gtest/gtest.h>
#include <ogr_api.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include "AmbienteBalanco.h"
#include "base/Convencoes.h"
#include "data/ArquivoTabela.h"
#include "grants/FormataNumero.h"

namespace {

QStringList Base() { return {QStringLiteral("--dados"), Ambiente().Pasta.Caminho()}; }
QStringList CriterioCli() {
  return {QStringLiteral("--inicio"),     QStringLiteral("01/2008"),
          QStringLiteral("--fim"),        QStringLiteral("12/2016"),
          QStringLiteral("--percentual"), QStringLiteral("30"),
          QStringLiteral("--referencia"), QStringLiteral("Q90"),
          QStringLiteral("--metodo"),     QStringLiteral("Tradicional")};
}
double Numero(const QString& texto) {
  bool ok = false;
  const double v = LeNumero(texto, &ok);
  EXPECT_TRUE(ok) << texto.toStdString();
  return v;
}

}  // namespace

// The CSV answers, at the outlet's end, what `analise` answers there with a request of 0, month
// by month; and the downstream check there is the analysis itself.
TEST(BalancoCli, CsvAgreesWithAnaliseAtTheOutlet) {
  const QString csv = Ambiente().Pasta.Caminho() + QStringLiteral("/balanco.csv");
  const TSaidaCli b =
      Cli(Base() << QStringLiteral("balanco") << CriterioCli() << QStringLiteral("--saida") << csv);
  ASSERT_EQ(b.Codigo, 0) << b.Erro.toStdString();
  const TTabelaLida t = LeTabela(csv);
  EXPECT_EQ(t.Colunas, QStringList({"Trecho", "X", "Y", "Mes", "VazaoCriterio", "OutorgadaEstadual",
                                    "OutorgadaFederal", "Disponivel", "Classe"}));
  const int meses = b.Json.value(QStringLiteral("Meses")).toInt();
  EXPECT_EQ(meses, 108);
  ASSERT_EQ(static_cast<int>(t.Linhas.size()),
            b.Json.value(QStringLiteral("Trechos")).toInt() * meses);

  std::vector<QStringList> exutorio;
  for (const QStringList& l : t.Linhas)
    if (l[0] == QString::number(Convencao::TrechoExutorio)) exutorio.push_back(l);
  ASSERT_EQ(static_cast<int>(exutorio.size()), meses);
  const TSaidaCli a =
      Cli(Base() << QStringLiteral("analise") << QStringLiteral("--xy") << exutorio[0][1]
                 << exutorio[0][2] << CriterioCli() << QStringLiteral("--vazao")
                 << QStringLiteral("0") << QStringLiteral("--jusante"));
  ASSERT_EQ(a.Codigo, 0) << a.Erro.toStdString();
  const QJsonObject m = a.Json.value(QStringLiteral("Meses")).toObject();
  for (const QStringList& l : exutorio) {
    const QJsonObject mes = m.value(l[3]).toObject();
    ASSERT_FALSE(mes.isEmpty()) << l[3].toStdString();
    EXPECT_NEAR(Numero(l[5]), mes.value(QStringLiteral("Estadual")).toDouble(), 1e-12);
    EXPECT_NEAR(Numero(l[6]), mes.value(QStringLiteral("Federal")).toDouble(), 1e-12);
    EXPECT_EQ(Numero(l[7]), Numero(mes.value(QStringLiteral("DisponivelAnterior")).toString()));
    EXPECT_EQ(l[8], mes.value(QStringLiteral("CorAnterior")).toString());
  }
  EXPECT_NEAR(Numero(exutorio[0][4]), a.Json.value(QStringLiteral("VazaoCriterio")).toDouble(),
              1e-12);

  const QJsonObject j = a.Json.value(QStringLiteral("Jusante")).toObject();
  const QJsonArray trechos = j.value(QStringLiteral("Trechos")).toArray();
  ASSERT_EQ(trechos.size(), 1);
  const QJsonObject proprio = trechos[0].toObject();
  EXPECT_EQ(proprio.value(QStringLiteral("Trecho")).toInt(), Convencao::TrechoExutorio);
  const QJsonObject f = a.Json.value(QStringLiteral("FrequenciaCriterio")).toObject();
  EXPECT_EQ(proprio.value(QStringLiteral("PiorDisponivel")).toDouble(),
            f.value(QStringLiteral("PiorDisponivel")).toDouble());
  EXPECT_EQ(proprio.value(QStringLiteral("PiorMes")), f.value(QStringLiteral("PiorMes")));
  EXPECT_TRUE(j.value(QStringLiteral("Texto")).toString().startsWith(QStringLiteral("Jusante: ")));
}

// The GeoPackage holds the arcs' lines, one feature per arc and month.
TEST(BalancoCli, GeoPackageHasOneLinePerArcAndMonth) {
  const QString gpkg = Ambiente().Pasta.Caminho() + QStringLiteral("/balanco.gpkg");
  QStringList criterio = CriterioCli();
  criterio[3] = QStringLiteral("03/2008");  // three months
  const TSaidaCli b =
      Cli(Base() << QStringLiteral("balanco") << criterio << QStringLiteral("--saida") << gpkg);
  ASSERT_EQ(b.Codigo, 0) << b.Erro.toStdString();
  GDALAllRegister();
  GDALDatasetH ds =
      GDALOpenEx(gpkg.toUtf8().constData(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  ASSERT_TRUE(ds);
  OGRLayerH camada = GDALDatasetGetLayer(ds, 0);
  EXPECT_EQ(OGR_L_GetFeatureCount(camada, TRUE),
            b.Json.value(QStringLiteral("Trechos")).toInt() * 3);
  EXPECT_EQ(wkbFlatten(OGR_L_GetGeomType(camada)), wkbMultiLineString);
  OGRFeatureH f = OGR_L_GetNextFeature(camada);
  ASSERT_TRUE(f);
  EXPECT_GT(OGR_G_Length(OGR_F_GetGeometryRef(f)), 0.0);
  EXPECT_STREQ(OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "Mes")), "2008-01");
  OGR_F_Destroy(f);
  GDALClose(ds);
}

// Bad arguments are told before anything is loaded.
TEST(BalancoCli, RefusesBadArguments) {
  QStringList criterio = CriterioCli();
  EXPECT_EQ(Cli(Base() << QStringLiteral("balanco") << criterio << QStringLiteral("--saida")
                       << QStringLiteral("x.txt"))
                .Codigo,
            2);
  criterio[5] = QStringLiteral("3a");
  EXPECT_EQ(Cli(Base() << QStringLiteral("balanco") << criterio << QStringLiteral("--saida")
                       << QStringLiteral("x.csv"))
                .Codigo,
            2);
}

// `lote` answers each request with the downstream verdict in its own columns.
TEST(BalancoCli, LoteAddsTheVerdict) {
  const QString dir = Ambiente().Pasta.Caminho();
  const QJsonObject s = Ambiente().Resumo.value(QStringLiteral("secoes")).toObject();
  QFile f(dir + QStringLiteral("/pedidos.csv"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Identificador;X;Y;Inicio;Fim;Vazao;Percentual;Referencia;Metodo\n");
  for (const char* nome : {"cabeceira", "principal"}) {
    const QJsonObject p = s.value(QString::fromLatin1(nome)).toObject();
    f.write(QStringLiteral("%1;%2;%3;01/2008;12/2016;0,01;30;Q90;Tradicional\n")
                .arg(QString::fromLatin1(nome))
                .arg(p.value(QStringLiteral("X")).toDouble(), 0, 'f', 3)
                .arg(p.value(QStringLiteral("Y")).toDouble(), 0, 'f', 3)
                .toUtf8());
  }
  f.close();
  const QString saida = dir + QStringLiteral("/respostas.csv");
  const TSaidaCli r =
      Cli(Base() << QStringLiteral("lote") << f.fileName() << QStringLiteral("--saida") << saida
                 << QStringLiteral("--jusante"));
  ASSERT_NE(r.Codigo, 2) << r.Erro.toStdString();
  const TTabelaLida t = LeTabela(saida);
  const int jusante = static_cast<int>(t.Colunas.indexOf(QStringLiteral("Jusante")));
  ASSERT_GE(jusante, 0);
  EXPECT_EQ(t.Colunas.mid(jusante),
            QStringList({"Jusante", "JusanteTrecho", "JusanteRio", "JusanteDistanciaKm",
                         "JusantePiorMes", "JusantePiorDisponivel"}));
  ASSERT_EQ(t.Linhas.size(), 2u);
  for (const QStringList& l : t.Linhas) {
    ASSERT_EQ(l[1], QStringLiteral("ok")) << l[1].toStdString();
    EXPECT_TRUE(l[jusante].startsWith(QStringLiteral("Jusante: "))) << l[jusante].toStdString();
    // A failing reach is named; a passing check leaves the reach's columns blank.
    EXPECT_EQ(l[jusante].contains(QStringLiteral("não atendido")), !l[jusante + 1].isEmpty());
  }
}
