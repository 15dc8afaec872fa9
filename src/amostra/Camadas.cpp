// The 17 basin layers and the two layers of the maintenance window. The polygons of the outline,
// the regions and the drainage units are polygonized from the very grids the hydrology reads, so
// a point and its cell always agree.

#include <QDir>
#include <cmath>

#include "base/Convencoes.h"
#include "amostra/Aleatorio.h"
#include "amostra/Escritas.h"
#include "amostra/Projeto.h"
#include "amostra/Shape.h"

using namespace gdal_amostra;

namespace {

// Centre of a cell.
OGRPoint Centro(const TBacia& b, std::int32_t c) { return OGRPoint(b.X(c), b.Y(c)); }

// The arc's line: its cells' centres, ending at the node where it meets the next arc (the next
// arc's first cell), or at the basin's edge for the outlet arc.
OGRLineString LinhaDoTrecho(const TBacia& b, const TTrecho& t) {
  OGRLineString l;
  for (std::int32_t c : t.Celulas) l.addPoint(b.X(c), b.Y(c));
  const std::int32_t ultimo = t.Celulas.back();
  const std::int32_t j = b.Abaixo(ultimo);
  if (b.Dentro[j])
    l.addPoint(b.X(j), b.Y(j));
  else
    l.addPoint((b.X(ultimo) + b.X(j)) / 2, (b.Y(ultimo) + b.Y(j)) / 2);
  return l;
}

void EscreveLimite(const TBacia& b, const QString& pasta, const OGRSpatialReference& srs) {
  std::vector<std::int32_t> v(b.Dentro.begin(), b.Dentro.end());
  auto poligonos = Poligoniza(v, b.NC, b.NR, b.Xll, b.Yll, b.Tam);
  TShapeNovo s(pasta, QStringLiteral("Limite"), wkbPolygon, srs);
  s.Texto("Nome", 60);
  s.Real("Area_km2", 16, 4);
  for (auto& [valor, g] : poligonos) {
    auto f = s.Nova();
    TShapeNovo::Define(*f, "Nome", QStringLiteral("Bacia do Rio Paracatu (exemplo sintético)"));
    f->SetField("Area_km2", static_cast<double>(b.Ordem.size()) * Convencao::AreaCelulaKm2);
    s.Grava(std::move(f), g.get());
  }
  s.Fecha();
}

void EscreveUnidades(const TBacia& b, const QString& pasta, const OGRSpatialReference& srs) {
  std::vector<std::int32_t> v(b.Unidade.begin(), b.Unidade.end());
  {
    auto poligonos = Poligoniza(v, b.NC, b.NR, b.Xll, b.Yll, b.Tam);
    TShapeNovo s(pasta, QStringLiteral("Ad_Regioes"), wkbPolygon, srs);
    s.Inteiro("ID");
    s.Inteiro("Regiao");
    s.Real("Area_km2", 16, 4);
    std::vector<std::int64_t> celulas(400, 0);
    for (std::int32_t c : b.Ordem) ++celulas[b.Unidade[c]];
    for (auto& [id, g] : poligonos) {
      auto f = s.Nova();
      f->SetField("ID", id);
      f->SetField("Regiao", id / 100);
      f->SetField("Area_km2", celulas[id] * Convencao::AreaCelulaKm2);
      s.Grava(std::move(f), g.get());
    }
    s.Fecha();
  }
  for (auto& x : v) x /= 100;
  auto poligonos = Poligoniza(v, b.NC, b.NR, b.Xll, b.Yll, b.Tam);
  TShapeNovo s(pasta, QStringLiteral("Reg_Met_Tradicional"), wkbPolygon, srs);
  s.Inteiro("Regiao");
  for (auto& [regiao, g] : poligonos) {
    auto f = s.Nova();
    f->SetField("Regiao", regiao);
    s.Grava(std::move(f), g.get());
  }
  s.Fecha();
}

void EscreveHidrografia(const TBacia& b, const QString& pasta, const OGRSpatialReference& srs) {
  TShapeNovo s(pasta, QStringLiteral("Hidrografia"), wkbLineString, srs);
  for (const char* campo : {"Fnode_", "Tnode_", "Lpoly_", "Rpoly_"}) s.Inteiro(campo);
  s.Real("Length", 18, 3);
  for (const char* campo : {"Ho_", "Ho_id", "Arcid", "Arctype", "Fromnode", "Tonode", "Leftpoly",
                            "Rightpoly", "Numericuse"})
    s.Inteiro(campo);
  s.Texto("Textuserid", 60);
  s.Inteiro("Eq_Conserv");
  s.Texto("EstFlu", 10);
  for (const TTrecho& t : b.Trechos) {
    OGRLineString l = LinhaDoTrecho(b, t);
    const TRio& rio = b.Rios[t.Rio];
    auto f = s.Nova();
    f->SetField("Fnode_", t.Fnode);
    f->SetField("Tnode_", t.Tnode);
    f->SetField("Lpoly_", t.Unidade);
    f->SetField("Rpoly_", t.Unidade);
    f->SetField("Length", l.get_Length());
    f->SetField("Ho_", t.Ho);
    f->SetField("Ho_id", t.Ho);
    f->SetField("Arcid", t.Ho);
    f->SetField("Arctype", rio.Projetado ? 1 : 2);
    f->SetField("Fromnode", t.Fnode);
    f->SetField("Tonode", t.Tnode);
    f->SetField("Leftpoly", t.Unidade);
    f->SetField("Rightpoly", t.Unidade);
    f->SetField("Numericuse", t.Rotulo);
    TShapeNovo::Define(*f, "Textuserid", rio.Nome);
    f->SetField("Eq_Conserv", rio.EqConserv);
    if (t.EstFlu) f->SetField("EstFlu", QByteArray::number(t.EstFlu).constData());
    s.Grava(std::move(f), &l);
  }
  s.Fecha();

  TShapeNovo p(pasta, QStringLiteral("Hidrografia_Principais"), wkbLineString, srs);
  p.Texto("Nome", 60);
  p.Real("Length", 18, 3);
  for (const TRio& rio : b.Rios) {
    if (!rio.Principal) continue;
    OGRLineString l;
    for (std::int32_t c : rio.Celulas) l.addPoint(b.X(c), b.Y(c));
    const std::int32_t j = b.Abaixo(rio.Celulas.back());
    l.addPoint(b.X(j), b.Y(j));
    auto f = p.Nova();
    TShapeNovo::Define(*f, "Nome", rio.Nome);
    f->SetField("Length", l.get_Length());
    p.Grava(std::move(f), &l);
  }
  p.Fecha();
}

void EscreveManutencao(const TBacia& b, const QString& pasta, const OGRSpatialReference& srs) {
  // The arcs as a newer survey would deliver them, still without equation numbers, and the
  // rivers that have equations, from which the maintenance job copies them.
  TShapeNovo a(pasta, QStringLiteral("hidrografia_ucor_nova"), wkbLineString, srs);
  a.Inteiro("Ho_");
  a.Texto("Textuserid", 60);
  a.Inteiro("Eq_Conserv");
  TShapeNovo r(pasta, QStringLiteral("Rios_ProcPelmar"), wkbLineString, srs);
  r.Inteiro("Ho_");
  r.Texto("Textuserid", 60);
  r.Inteiro("Eq_Conserv");
  for (const TTrecho& t : b.Trechos) {
    OGRLineString l = LinhaDoTrecho(b, t);
    const TRio& rio = b.Rios[t.Rio];
    auto f = a.Nova();
    f->SetField("Ho_", t.Ho);
    TShapeNovo::Define(*f, "Textuserid", rio.Nome);
    f->SetField("Eq_Conserv", 0);
    a.Grava(std::move(f), &l);
    if (rio.EqConserv) {
      auto g = r.Nova();
      g->SetField("Ho_", t.Ho);
      TShapeNovo::Define(*g, "Textuserid", rio.Nome);
      g->SetField("Eq_Conserv", rio.EqConserv);
      r.Grava(std::move(g), &l);
    }
  }
  a.Fecha();
  r.Fecha();
}

void EscreveMunicipios(const TBacia& b, const QString& pasta, const OGRSpatialReference& srs) {
  const double tam = b.Tam * b.FatorMun;
  const double yTopo = b.Yll + b.NR * b.Tam;
  const double yBase = yTopo - b.NRMun * tam;
  std::vector<std::int32_t> v(b.Municipio.size());
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = b.Municipio[i] + 1;
  auto poligonos = Poligoniza(v, b.NCMun, b.NRMun, b.Xll, yBase, tam);
  TShapeNovo s(pasta, QStringLiteral("Municipios"), wkbPolygon, srs);
  s.Texto("Municipio", 60);
  s.Texto("Uf", 2);
  for (auto& [k, g] : poligonos) {
    auto f = s.Nova();
    TShapeNovo::Define(*f, "Municipio", b.Municipios[k - 1].Nome);
    TShapeNovo::Define(*f, "Uf", b.Municipios[k - 1].Uf);
    s.Grava(std::move(f), g.get());
  }
  s.Fecha();

  TShapeNovo sedes(pasta, QStringLiteral("Municipios_Sedes"), wkbPoint, srs);
  sedes.Texto("Municipio", 60);
  sedes.Texto("Uf", 2);
  for (const auto& m : b.Municipios) {
    OGRPoint p(b.Xll + m.U * b.NC * b.Tam, b.Yll + m.V * b.NR * b.Tam);
    auto f = sedes.Nova();
    TShapeNovo::Define(*f, "Municipio", m.Nome);
    TShapeNovo::Define(*f, "Uf", m.Uf);
    sedes.Grava(std::move(f), &p);
  }
  sedes.Fecha();

  // States: the municipalities grouped by their "Uf".
  const QStringList ufs{QStringLiteral("MG"), QStringLiteral("GO"), QStringLiteral("DF")};
  const int codigos[] = {31, 52, 53};
  for (std::size_t i = 0; i < v.size(); ++i)
    v[i] = static_cast<std::int32_t>(ufs.indexOf(b.Municipios[b.Municipio[i]].Uf)) + 1;
  auto estados = Poligoniza(v, b.NCMun, b.NRMun, b.Xll, yBase, tam);
  TShapeNovo e(pasta, QStringLiteral("Estados"), wkbPolygon, srs);
  e.Texto("Uf", 2);
  e.Inteiro("Codigouf");
  e.Real("Area", 18, 4);
  e.Real("Perimetro", 18, 4);
  for (auto& [k, g] : estados) {
    auto f = e.Nova();
    TShapeNovo::Define(*f, "Uf", ufs[k - 1]);
    f->SetField("Codigouf", codigos[k - 1]);
    const auto* sup = dynamic_cast<const OGRSurface*>(g.get());
    const auto* multi = dynamic_cast<const OGRMultiSurface*>(g.get());
    const double area = sup ? sup->get_Area() : (multi ? multi->get_Area() : 0.0);
    std::unique_ptr<OGRGeometry> borda(g->Boundary());
    const auto* curva = borda ? dynamic_cast<const OGRCurve*>(borda.get()) : nullptr;
    const auto* curvas = borda ? dynamic_cast<const OGRMultiCurve*>(borda.get()) : nullptr;
    const double perimetro = curva ? curva->get_Length() : (curvas ? curvas->get_Length() : 0.0);
    f->SetField("Area", area / 1e6);
    f->SetField("Perimetro", perimetro / 1e3);
    e.Grava(std::move(f), g.get());
  }
  e.Fecha();
}

void EscreveEstradas(const TBacia& b, const QString& pasta, const OGRSpatialReference& srs) {
  struct TEstrada {
    const char* Rodovia;
    std::vector<TPontoUV> Pontos;
  };
  const std::vector<TEstrada> estradas = {
      {"BR-040", {{0.0, 0.30}, {0.25, 0.42}, {0.50, 0.55}, {0.75, 0.70}, {1.0, 0.92}}},
      {"BR-251", {{0.0, 0.62}, {0.30, 0.66}, {0.60, 0.60}, {1.0, 0.58}}},
      {"MG-188", {{0.38, 0.0}, {0.45, 0.30}, {0.48, 0.58}, {0.52, 1.0}}},
      {"MG-181", {{0.70, 0.0}, {0.78, 0.40}, {0.88, 0.78}, {0.95, 1.0}}},
      {"GO-346", {{0.05, 1.0}, {0.12, 0.70}, {0.18, 0.40}, {0.12, 0.0}}},
  };
  TAleatorio rnd(b.Semente + 17);
  const double largura = b.NC * b.Tam, altura = b.NR * b.Tam;
  TShapeNovo s(pasta, QStringLiteral("Estradas"), wkbLineString, srs);
  s.Texto("Rodovia", 20);
  for (const auto& e : estradas) {
    OGRLineString l;
    for (std::size_t i = 0; i < e.Pontos.size(); ++i) {
      const double u = e.Pontos[i].U, v = e.Pontos[i].V;
      const bool borda = i == 0 || i + 1 == e.Pontos.size();
      l.addPoint(b.Xll + (u + (borda ? 0 : rnd.Real(-0.02, 0.02))) * largura,
                 b.Yll + (v + (borda ? 0 : rnd.Real(-0.02, 0.02))) * altura);
    }
    auto f = s.Nova();
    TShapeNovo::Define(*f, "Rodovia", QString::fromLatin1(e.Rodovia));
    s.Grava(std::move(f), &l);
  }
  s.Fecha();
}

void EscreveEstacoes(const TBacia& b, const TConversor& conv, const QString& pasta,
                     const OGRSpatialReference& srs) {
  TShapeNovo s(pasta, QStringLiteral("Est_Fluviometricas"), wkbPoint, srs);
  s.Inteiro("Codigo");
  s.Real("Latitude", 14, 6);
  s.Real("Longitude", 14, 6);
  s.Real("Area", 16, 4);
  s.Texto("Estacoes", 60);
  for (const auto& e : b.Estacoes) {
    double lon, lat;
    conv.ParaGeografica(b.X(e.Celula), b.Y(e.Celula), lon, lat);
    OGRPoint p = Centro(b, e.Celula);
    auto f = s.Nova();
    f->SetField("Codigo", e.Codigo);
    f->SetField("Latitude", lat);
    f->SetField("Longitude", lon);
    f->SetField("Area", e.AreaKm2);
    TShapeNovo::Define(*f, "Estacoes", e.Nome);
    s.Grava(std::move(f), &p);
  }
  s.Fecha();

  // Rain gauges: anywhere in the basin.
  const char* const nomes[] = {
      "Fazenda Boa Esperança", "Serra Dourada",   "Vereda Funda",     "Chapada Alta",
      "Retiro Velho",          "Barreiro",        "Cachoeira Grande", "Lagoa Seca",
      "Morro do Chapéu",       "Ponte Nova",      "Buriti Alto",      "Canabrava",
      "Santa Luzia",           "Cabeceira Grande"};
  TAleatorio rnd(b.Semente + 23);
  TShapeNovo p(pasta, QStringLiteral("Est_Pluviometricas"), wkbPoint, srs);
  p.Inteiro("Codigo");
  p.Texto("Codigo_str", 10);
  p.Real("Latitude", 14, 6);
  p.Real("Longitude", 14, 6);
  p.Real("Altitude", 10, 1);
  p.Texto("Estacao", 60);
  int k = 0;
  for (const char* nome : nomes) {
    std::int32_t c;
    do c = static_cast<std::int32_t>(rnd.Proximo() % static_cast<std::uint64_t>(b.Celulas()));
    while (!b.Dentro[c]);
    const int codigo = 1545000 + 1000 * k++;
    double lon, lat;
    conv.ParaGeografica(b.X(c), b.Y(c), lon, lat);
    OGRPoint ponto = Centro(b, c);
    auto f = p.Nova();
    f->SetField("Codigo", codigo);
    TShapeNovo::Define(*f, "Codigo_str", QStringLiteral("%1").arg(codigo, 8, 10, QLatin1Char('0')));
    f->SetField("Latitude", lat);
    f->SetField("Longitude", lon);
    f->SetField("Altitude", std::round(rnd.Real(520, 1050)));
    TShapeNovo::Define(*f, "Estacao", QString::fromUtf8(nome));
    p.Grava(std::move(f), &ponto);
  }
  p.Fecha();
}

// The layers that the program itself fills: "Ponto" and the five grant layers, empty, with the
// fields the placement and the imports write.
void EscreveCamadasVazias(const QString& pasta, const OGRSpatialReference& srs) {
  {
    TShapeNovo s(pasta, QStringLiteral("Ponto"), wkbPoint, srs);
    s.Inteiro("Codigo");
    s.Fecha();
  }
  for (const char* nome : {"Out_Sup_Signif_AQEM", "Out_Sub_Signif_AQEM"}) {
    TShapeNovo s(pasta, QString::fromLatin1(nome), wkbPoint, srs);
    s.Inteiro("ID");
    s.Real("Longitude", 12, 0);
    s.Real("Latitude", 12, 0);
    s.Texto("Nprocesso", 30);
    s.Texto("Requerente", 100);
    s.Inteiro("Nportaria");
    s.Data("Datapublic");
    s.Texto("Municipio", 60);
    s.Texto("Rioestadua", 60);
    s.Texto("Riofederal", 60);
    s.Texto("Rechidrico", 60);
    s.Real("Vazao");
    s.Texto("Local", 100);
    s.Data("Dataentrad");
    s.Texto("Obs", 100);
    s.Inteiro("Validade");
    s.Texto("Finalidade", 60);
    s.Texto("Uso", 60);
    s.Fecha();
  }
  for (const char* nome : {"Out_Sup_Insignif_AQEM", "Out_Sub_Insignif_AQEM"}) {
    TShapeNovo s(pasta, QString::fromLatin1(nome), wkbPoint, srs);
    s.Inteiro("ID");
    s.Real("Longitude", 12, 0);
    s.Real("Latitude", 12, 0);
    s.Texto("Nprocesso", 30);
    s.Texto("Requerente", 100);
    s.Texto("Municipio", 60);
    s.Texto("Rioestadua", 60);
    s.Texto("Riofederal", 60);
    s.Texto("Rechidrico", 60);
    s.Real("Vazao");
    s.Texto("Local", 100);
    s.Data("Dataentrad");
    s.Inteiro("Ncertidao");
    s.Data("Dataexpedi");
    s.Texto("Finalidade", 60);
    s.Texto("Uso", 60);
    s.Fecha();
  }
  TShapeNovo s(pasta, QStringLiteral("Out_Sup_ANA"), wkbPoint, srs);
  s.Texto("NomeReq", 100);
  s.Inteiro("NrPort01");
  s.Data("DataPub01");
  s.Data("DataVenc01");
  s.Real("Latitude", 12, 0);
  s.Texto("Hemisferio", 10);
  s.Real("Longitude", 12, 0);
  s.Texto("Uf", 2);
  s.Texto("NOME_SIMPL", 60);
  s.Texto("TipoMan", 30);
  s.Texto("Rios", 60);
  s.Texto("Bacia1", 60);
  s.Texto("Finalidade", 60);
  for (const char* mes : {"Qjan", "Qfev", "Qmar", "Qabr", "Qmai", "Qjun", "Qjul", "Qago", "Qset",
                          "Qout", "Qnov", "Qdez"})
    s.Real(mes);
  for (const char* uso : {"Abastecime", "Aquicultur", "Industria", "Irrigacao", "Saneamento",
                          "Mineracao", "PequenosUs", "Hidrogerac", "Termogerac", "Obras",
                          "Diversos", "Servicos", "Travessia", "Navegacao", "Lazer", "Outros"})
    s.Texto(uso, 10);
  s.Fecha();
}

}  // namespace

void EscreveCamadas(const TBacia& b, const TConversor& conv, const QString& pasta,
                    const QString& pastaManutencao) {
  const OGRSpatialReference& srs = conv.Utm();
  EscreveLimite(b, pasta, srs);
  EscreveHidrografia(b, pasta, srs);
  EscreveMunicipios(b, pasta, srs);
  EscreveEstradas(b, pasta, srs);
  EscreveEstacoes(b, conv, pasta, srs);
  EscreveCamadasVazias(pasta, srs);
  EscreveUnidades(b, pasta, srs);
  EscreveManutencao(b, pastaManutencao, srs);
}
