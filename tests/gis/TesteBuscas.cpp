// Point-in-polygon and distance searches: record order, boundaries, holes, filters, and the
// fast path against OGR's own unprepared test on random data.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cmath>

#include "ShapeTeste.h"
#include "base/Erro.h"
#include "comum/PastaTemporaria.h"
#include "comum/Semente.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"

using namespace ShapeTeste;

namespace {

std::vector<qint64> Ids(TRegistros r) {
  std::vector<qint64> ids;
  for (r.Primeiro(); !r.Fim(); r.Proximo()) ids.push_back(r.Inteiro(QStringLiteral("ID")));
  return ids;
}

// Overlapping squares written in an order unrelated to position or identifier:
//   ID 301: (0,0)-(100,100)   ID 105: (50,50)-(150,150)   ID 212: (-50,-50)-(60,60)
//   ID 110: a 100-square with a 20-square hole at (240..260, 40..60), plus a far part
std::unique_ptr<TCamada> Poligonos(const TPastaTemporaria& pasta) {
  const QString caminho = pasta.Arquivo(QStringLiteral("Ad_Regioes.shp"));
  Escreve(caminho, wkbPolygon, {{"ID", OFTInteger, 9}},
          {{Quadrado(0, 0, 100), {301}},
           {Quadrado(50, 50, 100), {105}},
           {Quadrado(-50, -50, 110), {212}},
           {"MULTIPOLYGON (((200 0, 300 0, 300 100, 200 100, 200 0), "
            "(240 40, 260 40, 260 60, 240 60, 240 40)), "
            "((1000 1000, 1010 1000, 1010 1010, 1000 1000)))",
            {110}}});
  auto camada = std::make_unique<TCamada>();
  camada->DefineDados(TDadosShape::Abre(caminho));
  return camada;
}

}  // namespace

TEST(Buscas, PoligonosQueContemNaOrdemDoArquivo) {
  TPastaTemporaria pasta;
  auto camada = Poligonos(pasta);
  ASSERT_TRUE(camada->Valida());
  EXPECT_EQ(Ids(camada->ProcuraPorForma({55, 55}, 12)), (std::vector<qint64>{301, 105, 212}));
  EXPECT_EQ(Ids(camada->ProcuraPorForma({80, 80})), (std::vector<qint64>{301, 105}));
  EXPECT_EQ(Ids(camada->ProcuraPorForma({-10, -10})), (std::vector<qint64>{212}));
  EXPECT_TRUE(camada->ProcuraPorForma({500, 500}).Fim());
  EXPECT_EQ(camada->Valor(camada->PrimeiroPoligonoQueContem({55, 55}), QStringLiteral("ID")), 301);
  EXPECT_EQ(camada->PoligonosQueContem({55, 55}), (std::vector<qint64>{0, 1, 2}));
  // Only relation 12 is offered; a filter narrows the answer.
  EXPECT_THROW(camada->ProcuraPorForma({55, 55}, 5), ETorveda);
  EXPECT_EQ(Ids(camada->ProcuraPorForma({55, 55}, 12, QStringLiteral("ID > 200"))),
            (std::vector<qint64>{301, 212}));
  EXPECT_THROW(camada->ProcuraPorForma({55, 55}, 12, QStringLiteral("ID >>> 2")), ETorveda);
}

TEST(Buscas, BordaContaDentroBuracoFora) {
  TPastaTemporaria pasta;
  auto camada = Poligonos(pasta);
  struct TCaso {
    TPontoMapa P;
    bool Dentro;
  };
  const TCaso casos[] = {
      {{200, 50}, true},      // outer edge
      {{300, 100}, true},     // outer corner
      {{250, 50}, false},     // in the hole
      {{240, 50}, true},      // on the hole's edge
      {{239.99, 50}, true},   // just outside the hole
      {{1005, 1002}, true},   // the second part of the multipolygon
      {{1002, 1005}, false},  // beside the triangle
      {{300.01, 50}, false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(testing::Message() << c.P.X << " " << c.P.Y);
    EXPECT_EQ(camada->ContemPonto(c.P), c.Dentro);
    EXPECT_EQ(!camada->ProcuraPorForma(c.P).Fim(), c.Dentro);
  }
}

TEST(Buscas, IndiceRefeitoQuandoOsRegistrosMudam) {
  TPastaTemporaria pasta;
  auto camada = Poligonos(pasta);
  ASSERT_TRUE(camada->ContemPonto({-10, -10}));
  TRegistros r = camada->ProcuraPorForma({-10, -10});
  r.Apaga();
  EXPECT_FALSE(camada->ContemPonto({-10, -10}));
  r.AdicionaNovo();
  r.DefineForma(TForma::Poligono({{400, 400}, {500, 400}, {500, 500}, {400, 500}}));
  r.Define(QStringLiteral("ID"), 999);
  r.Atualiza();
  EXPECT_EQ(camada->Valor(camada->PrimeiroPoligonoQueContem({450, 450}), QStringLiteral("ID")),
            999);
  r.CancelaEdicao();
}

TEST(Buscas, PorDistanciaDentroEAlemDeCem) {
  TPastaTemporaria pasta;
  const QString caminho = pasta.Arquivo(QStringLiteral("Estradas.shp"));
  // P = (1000, 1000). Roads written far one first.
  Escreve(caminho, wkbLineString, {{"Rodovia", OFTString, 20}, {"Codigo", OFTInteger, 9}},
          {{"LINESTRING (900 1100.1, 1100 1100.1)", {QStringLiteral("BR-100,1"), 1}},
           {"LINESTRING (1099.9 0, 1099.9 2000)", {QStringLiteral("BR-99,9"), 2}},
           {"LINESTRING (0 1000, 2000 1000)", {QStringLiteral("BR-passa"), 3}},
           {"LINESTRING (1060 1080, 1200 1300)", {QStringLiteral("BR-diag"), 4}}});
  TCamada estradas;
  estradas.DefineDados(TDadosShape::Abre(caminho));
  auto nomes = [](TRegistros r) {
    QStringList s;
    for (r.Primeiro(); !r.Fim(); r.Proximo()) s << r.Texto(QStringLiteral("Rodovia"));
    return s;
  };
  EXPECT_EQ(nomes(estradas.ProcuraPorDistancia({1000, 1000}, 100)),
            (QStringList{"BR-99,9", "BR-passa", "BR-diag"}));  // the diagonal's end is 100 away
  EXPECT_EQ(nomes(estradas.ProcuraPorDistancia({1000, 1000}, 100, QStringLiteral("Codigo <> 3"))),
            (QStringList{"BR-99,9", "BR-diag"}));
  EXPECT_EQ(nomes(estradas.ProcuraPorDistancia({1000, 1000}, 99.8)), QStringList{"BR-passa"});
  EXPECT_TRUE(estradas.ProcuraPorDistancia({5000, 5000}, 100).Fim());

  // A point inside a polygon is at distance 0 from it.
  auto poligonos = Poligonos(pasta);
  EXPECT_EQ(Ids(poligonos->ProcuraPorDistancia({250, 50}, 5)), std::vector<qint64>{});
  EXPECT_EQ(Ids(poligonos->ProcuraPorDistancia({250, 50}, 10)), std::vector<qint64>{110});
  EXPECT_EQ(Ids(poligonos->ProcuraPorDistancia({140, 140}, 1)), std::vector<qint64>{105});
}

// Random star-shaped polygons with holes and random points: the fast path (prepared geometries
// behind a grid of buckets) must agree with OGR's plain Intersects on every point.
TEST(Buscas, CaminhoRapidoConcordaComOgr) {
  const quint32 semente = SementeTeste(20261209);
  SCOPED_TRACE(testing::Message() << "semente " << semente);
  QRandomGenerator rnd(semente);
  TPastaTemporaria pasta;
  std::vector<TFeicaoOgr> feicoes;
  std::vector<std::unique_ptr<OGRGeometry>> geometrias;
  for (int i = 0; i < 25; ++i) {
    const double cx = rnd.bounded(1000.0), cy = rnd.bounded(1000.0);
    const double r0 = 20 + rnd.bounded(150.0);
    std::string wkt = "POLYGON ((";
    const int n = 8 + static_cast<int>(rnd.bounded(40));
    std::string primeiro;
    for (int k = 0; k < n; ++k) {
      const double a = 2 * M_PI * k / n;
      const double r = r0 * (0.5 + rnd.bounded(0.5));
      const std::string v = N(cx + r * std::cos(a)) + " " + N(cy + r * std::sin(a));
      if (k == 0) primeiro = v;
      wkt += v + ", ";
    }
    wkt += primeiro + "), (" + N(cx - r0 / 8) + " " + N(cy - r0 / 8) + ", " + N(cx + r0 / 8) + " " +
           N(cy - r0 / 8) + ", " + N(cx) + " " + N(cy + r0 / 8) + ", " + N(cx - r0 / 8) + " " +
           N(cy - r0 / 8) + "))";
    feicoes.push_back({wkt, {i}});
    OGRGeometry* g = nullptr;
    OGRGeometryFactory::createFromWkt(wkt.c_str(), nullptr, &g);
    geometrias.emplace_back(g);
  }
  const QString caminho = pasta.Arquivo(QStringLiteral("Aleatorio.shp"));
  Escreve(caminho, wkbPolygon, {{"ID", OFTInteger, 9}}, feicoes);
  TCamada camada;
  camada.DefineDados(TDadosShape::Abre(caminho));
  for (int k = 0; k < 4000; ++k) {
    const TPontoMapa p{rnd.bounded(1200.0) - 100, rnd.bounded(1200.0) - 100};
    OGRPoint ponto(p.X, p.Y);
    std::vector<qint64> esperado;
    for (std::size_t i = 0; i < geometrias.size(); ++i)
      if (geometrias[i]->Intersects(&ponto)) esperado.push_back(static_cast<qint64>(i));
    ASSERT_EQ(camada.PoligonosQueContem(p), esperado) << p.X << " " << p.Y;
  }
}
