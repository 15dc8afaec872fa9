// The contributing basin on the sample: cell counts against the flow accumulation at every
// ready-made section, and `torveda-cli bacia` end to end, its files read back with GDAL.
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <memory>
#include <random>

#include "comum/ExecutaCli.h"
#include "comum/PastaTemporaria.h"
#include "hydro/TBaciaContribuicao.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"

namespace {

using TSaida = TSaidaCli;

TSaida Executa(const QStringList& args) { return ExecutaCli(QStringLiteral(TORVEDA_CLI), args); }

struct TFechaDataset {
  void operator()(GDALDataset* d) const { GDALClose(d); }
};
using TDataset = std::unique_ptr<GDALDataset, TFechaDataset>;

class BaciaCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    GDALAllRegister();
    Pasta = new TPastaTemporaria;
    const TSaida amostra = Executa({QStringLiteral("amostra"), Pasta->Caminho()});
    ASSERT_EQ(amostra.Codigo, 0) << amostra.Erro.toStdString();
    Resumo = new QJsonObject(amostra.Json);
    for (const char* registro : {"aqem", "ana"}) {
      const TSaida importa = Executa({QStringLiteral("--dados"), Pasta->Caminho(),
                                      QStringLiteral("importa"), QString::fromLatin1(registro)});
      EXPECT_EQ(importa.Codigo, 0) << importa.Erro.toStdString();
    }
    const QString matrizes = Pasta->Caminho() + QStringLiteral("/Dados/DadosSIG/Matrizes/");
    Header = new THeaderMDE;
    Header->Carrega(matrizes + QStringLiteral("Header.hdr"));
    Dir = new TImagem(true);
    Fluxo = new TImagem(true);
    ASSERT_TRUE(Dir->Carrega(matrizes + QStringLiteral("dir_esc.hdr")));
    ASSERT_TRUE(Fluxo->Carrega(matrizes + QStringLiteral("fluxo_ac.hdr")));
  }
  static void TearDownTestSuite() {
    delete Dir;
    delete Fluxo;
    delete Header;
    delete Resumo;
    delete Pasta;
  }

  static TBaciaContribuicao Bacia(std::int64_t celula) {
    return TBaciaContribuicao::Delineia(TMalha(*Header), *Dir, celula);
  }
  static QJsonObject Secao(const char* nome) {
    return Resumo->value(QStringLiteral("secoes"))
        .toObject()
        .value(QString::fromLatin1(nome))
        .toObject();
  }
  static TSaida BaciaXY(const QJsonObject& s, const QString& saida,
                        const QStringList& opcoes = {}) {
    return Executa(QStringList{QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("bacia"),
                               QStringLiteral("--xy"),
                               QString::number(s.value(QStringLiteral("X")).toDouble(), 'f', 6),
                               QString::number(s.value(QStringLiteral("Y")).toDouble(), 'f', 6),
                               QStringLiteral("--saida"), saida} +
                   opcoes);
  }

  // Reads the one feature back and checks what every export must hold.
  static void ConfereArquivo(const QString& arquivo, std::int64_t celulas, const QString& rio) {
    TDataset ds(static_cast<GDALDataset*>(
        GDALOpenEx(arquivo.toUtf8().constData(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr)));
    ASSERT_TRUE(ds) << arquivo.toStdString();
    ASSERT_EQ(ds->GetLayerCount(), 1);
    OGRLayer* camada = ds->GetLayer(0);
    ASSERT_EQ(camada->GetFeatureCount(), 1);
    const OGRSpatialReference* srs = camada->GetSpatialRef();
    ASSERT_TRUE(srs);
    OGRSpatialReference copia(*srs);
    copia.AutoIdentifyEPSG();
    ASSERT_TRUE(copia.GetAuthorityCode(nullptr));
    EXPECT_STREQ(copia.GetAuthorityCode(nullptr), "22523");
    std::unique_ptr<OGRFeature> f(camada->GetNextFeature());
    ASSERT_TRUE(f);
    const OGRGeometry* g = f->GetGeometryRef();
    ASSERT_TRUE(g);
    const auto tipo = wkbFlatten(g->getGeometryType());
    EXPECT_TRUE(tipo == wkbMultiPolygon || tipo == wkbPolygon);
    double area = 0;
    if (tipo == wkbPolygon)
      area = g->toPolygon()->get_Area();
    else
      area = g->toMultiPolygon()->get_Area();
    EXPECT_EQ(area, static_cast<double>(celulas) * 2500.0);
    if (OGRGeometryFactory::haveGEOS()) {
      EXPECT_TRUE(g->IsValid());
    }
    EXPECT_EQ(f->GetFieldAsInteger64("Celulas"), celulas);
    EXPECT_EQ(QString::fromUtf8(f->GetFieldAsString("Rio")), rio);
    EXPECT_GT(f->GetFieldAsDouble("AreaDren"), 0.0);
  }

  // The grants where outline and counted list disagree: each on the side it is listed for.
  static int ConfereOutorgas(const QJsonObject& j, std::int64_t secao) {
    const auto b = Bacia(secao);
    EXPECT_TRUE(j.value(QStringLiteral("OutorgasDentroNaoConsideradas")).isArray());
    EXPECT_TRUE(j.value(QStringLiteral("OutorgasConsideradasFora")).isArray());
    int n = 0;
    for (const char* lista : {"OutorgasDentroNaoConsideradas", "OutorgasConsideradasFora"}) {
      const bool dentro = QString::fromLatin1(lista).contains(QStringLiteral("Dentro"));
      for (const auto& v : j.value(QString::fromLatin1(lista)).toArray()) {
        const QJsonObject o = v.toObject();
        EXPECT_EQ(b.ContemPonto({o.value(QStringLiteral("X")).toDouble(),
                                 o.value(QStringLiteral("Y")).toDouble()}),
                  dentro);
        EXPECT_TRUE(
            o.value(QStringLiteral("Camada")).toString().startsWith(QStringLiteral("Out_Sup")));
        EXPECT_FALSE(o.value(QStringLiteral("Requerente")).toString().isEmpty());
        // The rule's verdict on its position, which the outline contradicts.
        EXPECT_FALSE(o.value(QStringLiteral("Regra")).toString().isEmpty());
        ++n;
      }
    }
    return n;
  }

  static TPastaTemporaria* Pasta;
  static QJsonObject* Resumo;
  static THeaderMDE* Header;
  static TImagem* Dir;
  static TImagem* Fluxo;
};

TPastaTemporaria* BaciaCli::Pasta = nullptr;
QJsonObject* BaciaCli::Resumo = nullptr;
THeaderMDE* BaciaCli::Header = nullptr;
TImagem* BaciaCli::Dir = nullptr;
TImagem* BaciaCli::Fluxo = nullptr;

}  // namespace

TEST_F(BaciaCli, CelulasSaoOFluxoAcumuladoMaisAPropriaCelula) {
  std::vector<std::pair<QString, std::int64_t>> celulas;
  const QJsonObject secoes = Resumo->value(QStringLiteral("secoes")).toObject();
  for (auto it = secoes.begin(); it != secoes.end(); ++it) {
    const QJsonObject s = it.value().toObject();
    if (s.value(QStringLiteral("dentroDaBacia")).toBool())
      celulas.push_back({it.key(), s.value(QStringLiteral("celula")).toInteger()});
  }
  ASSERT_GE(celulas.size(), 4u);
  celulas.push_back({QStringLiteral("exutorio"), Resumo->value(QStringLiteral("exutorio"))
                                                     .toObject()
                                                     .value(QStringLiteral("celula"))
                                                     .toInteger()});
  for (const auto& e : Resumo->value(QStringLiteral("estacoes")).toArray())
    celulas.push_back({e.toObject().value(QStringLiteral("nome")).toString(),
                       e.toObject().value(QStringLiteral("celula")).toInteger()});
  // And cells anywhere in the basin.
  std::mt19937 gerador(19);
  std::uniform_int_distribution<std::int64_t> qualquer(0, Dir->NumCelulas() - 1);
  for (int n = 0; n < 200;) {
    const std::int64_t c = qualquer(gerador);
    if (Dir->LeRealOuSemDado(c) == -9999.0) continue;
    celulas.push_back({QStringLiteral("aleatória"), c});
    ++n;
  }
  for (const auto& [nome, c] : celulas) {
    const auto b = Bacia(c);
    EXPECT_EQ(b.NumCelulas(), static_cast<std::int64_t>(Fluxo->LeRealOuSemDado(c)) + 1)
        << nome.toStdString() << " célula " << c;
  }
  // The outlet's basin is the whole basin.
  const std::int64_t exutorio = Resumo->value(QStringLiteral("exutorio"))
                                    .toObject()
                                    .value(QStringLiteral("celula"))
                                    .toInteger();
  EXPECT_EQ(Bacia(exutorio).NumCelulas(),
            Resumo->value(QStringLiteral("celulasNaBacia")).toInteger());
}

TEST_F(BaciaCli, GeoPackageDoRioPrincipal) {
  const QJsonObject s = Secao("principal");
  const QString arquivo = Pasta->Caminho() + QStringLiteral("/principal.gpkg");
  const TSaida r = BaciaXY(s, arquivo);
  ASSERT_EQ(r.Codigo, 0) << r.Erro.toStdString();
  const QJsonObject bacia = r.Json.value(QStringLiteral("Bacia")).toObject();
  const std::int64_t celulas = bacia.value(QStringLiteral("Celulas")).toInteger();
  const std::int64_t secao = bacia.value(QStringLiteral("CelulaSecao")).toInteger();
  EXPECT_EQ(celulas, static_cast<std::int64_t>(Fluxo->LeRealOuSemDado(secao)) + 1);
  EXPECT_EQ(
      r.Json.value(QStringLiteral("Secao")).toObject().value(QStringLiteral("NomeRio")).toString(),
      QStringLiteral("Rio Paracatu"));
  EXPECT_DOUBLE_EQ(bacia.value(QStringLiteral("AreaKm2")).toDouble(), celulas * 0.0025);
  ConfereArquivo(arquivo, celulas, QStringLiteral("Rio Paracatu"));

  ConfereOutorgas(r.Json, secao);
  // The section's own lists of examined grants only when asked for; its counts always.
  const QJsonObject curta = r.Json.value(QStringLiteral("Secao")).toObject();
  EXPECT_FALSE(curta.contains(QStringLiteral("OutorgasConsideradas")));
  EXPECT_TRUE(curta.contains(QStringLiteral("NumOutorgasDescartadas")));

  // Written again over itself: still one feature.
  const TSaida completa = BaciaXY(s, arquivo, {QStringLiteral("--outorgas")});
  ASSERT_EQ(completa.Codigo, 0) << completa.Erro.toStdString();
  ConfereArquivo(arquivo, celulas, QStringLiteral("Rio Paracatu"));
  const QJsonObject secaoCompleta = completa.Json.value(QStringLiteral("Secao")).toObject();
  EXPECT_EQ(secaoCompleta.value(QStringLiteral("OutorgasConsideradas")).toArray().size(),
            curta.value(QStringLiteral("NumOutorgasConsideradas")).toInteger());
  EXPECT_EQ(completa.Json.value(QStringLiteral("OutorgasConsideradasFora")),
            r.Json.value(QStringLiteral("OutorgasConsideradasFora")));
  // `secao` writes the same lists straight to text.
  const TSaida secaoCli = Executa({QStringLiteral("--dados"), Pasta->Caminho(),
                                   QStringLiteral("secao"), QStringLiteral("--xy"),
                                   QString::number(s.value(QStringLiteral("X")).toDouble(), 'f', 6),
                                   QString::number(s.value(QStringLiteral("Y")).toDouble(), 'f', 6),
                                   QStringLiteral("--outorgas")});
  ASSERT_EQ(secaoCli.Codigo, 0) << secaoCli.Erro.toStdString();
  for (const char* lista : {"OutorgasConsideradas", "OutorgasDescartadas"}) {
    EXPECT_FALSE(secaoCli.Json.value(QString::fromLatin1(lista)).toArray().isEmpty()) << lista;
    EXPECT_EQ(secaoCli.Json.value(QString::fromLatin1(lista)),
              secaoCompleta.value(QString::fromLatin1(lista)))
        << lista;
  }
}

TEST_F(BaciaCli, OutorgasEmQueContornoERegrasDivergem) {
  // On a tributary the region rules and the outline do not agree on every grant; the federal
  // layer names its applicants in another field.
  int divergentes = 0;
  for (const char* nome : {"afluenteComEstacoes", "rioSemEquacoes", "cabeceira"}) {
    const TSaida r = BaciaXY(Secao(nome), Pasta->Caminho() + QStringLiteral("/divergem.gpkg"));
    ASSERT_EQ(r.Codigo, 0) << nome << ' ' << r.Erro.toStdString();
    divergentes += ConfereOutorgas(r.Json, r.Json.value(QStringLiteral("Bacia"))
                                               .toObject()
                                               .value(QStringLiteral("CelulaSecao"))
                                               .toInteger());
  }
  EXPECT_GT(divergentes, 0);
}

TEST_F(BaciaCli, ShapefileDaCabeceiraPorCoordenadasGeograficas) {
  const QJsonObject s = Secao("cabeceira");
  const QString arquivo = Pasta->Caminho() + QStringLiteral("/cabeceira.shp");
  const TSaida r = Executa(
      {QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("bacia"),
       QStringLiteral("--latlong"), s.value(QStringLiteral("latitude")).toString(),
       s.value(QStringLiteral("longitude")).toString(), QStringLiteral("--saida"), arquivo});
  ASSERT_EQ(r.Codigo, 0) << r.Erro.toStdString();
  const QJsonObject bacia = r.Json.value(QStringLiteral("Bacia")).toObject();
  const std::int64_t celulas = bacia.value(QStringLiteral("Celulas")).toInteger();
  EXPECT_EQ(celulas, static_cast<std::int64_t>(
                         Fluxo->LeRealOuSemDado(s.value(QStringLiteral("celula")).toInteger())) +
                         1);
  ConfereArquivo(arquivo, celulas, s.value(QStringLiteral("rio")).toString());
  EXPECT_TRUE(QFileInfo::exists(Pasta->Caminho() + QStringLiteral("/cabeceira.prj")));
}

TEST_F(BaciaCli, ForaDaBaciaOuArquivoInvalidoNaoGravaNada) {
  const QString arquivo = Pasta->Caminho() + QStringLiteral("/fora.gpkg");
  const TSaida fora = BaciaXY(Secao("foraDaBacia"), arquivo);
  EXPECT_EQ(fora.Codigo, 3);
  EXPECT_FALSE(QFileInfo::exists(arquivo));
  const TSaida extensao = BaciaXY(Secao("principal"), Pasta->Caminho() + QStringLiteral("/b.txt"));
  EXPECT_EQ(extensao.Codigo, 2);
  const TSaida semSaida =
      Executa({QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("bacia"),
               QStringLiteral("--xy"), QStringLiteral("1"), QStringLiteral("2")});
  EXPECT_EQ(semSaida.Codigo, 2);
  const TSaida minutos =
      Executa({QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("bacia"),
               QStringLiteral("--latlong"), QStringLiteral("163602"), QStringLiteral("466028"),
               QStringLiteral("--saida"), arquivo});
  EXPECT_EQ(minutos.Codigo, 2);
  EXPECT_TRUE(minutos.Erro.contains(QStringLiteral("Longitude: \"466028\"")))
      << minutos.Erro.toStdString();
  EXPECT_FALSE(QFileInfo::exists(arquivo));
  const TSaida pastaInexistente =
      BaciaXY(Secao("principal"), Pasta->Caminho() + QStringLiteral("/nao/existe/b.gpkg"));
  EXPECT_EQ(pastaInexistente.Codigo, 1);
}
