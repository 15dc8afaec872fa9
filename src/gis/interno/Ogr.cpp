#include "gis/interno/Ogr.h"

#include <cpl_error.h>

#include <mutex>

namespace Ogr {

void Inicia() {
  static std::once_flag feito;
  std::call_once(feito, [] { GDALAllRegister(); });
}

QString UltimoErro(const QString& padrao) {
  const char* msg = CPLGetLastErrorMsg();
  if (msg && *msg) return QString::fromUtf8(msg);
  return padrao;
}

TTipoGeometria TipoDe(OGRwkbGeometryType tipo) {
  switch (wkbFlatten(tipo)) {
    case wkbPoint:
    case wkbMultiPoint:
      return TTipoGeometria::Ponto;
    case wkbLineString:
    case wkbMultiLineString:
      return TTipoGeometria::Linha;
    case wkbPolygon:
    case wkbMultiPolygon:
      return TTipoGeometria::Poligono;
    default:
      return TTipoGeometria::Nenhuma;
  }
}

namespace {

void Anel(const std::vector<TPontoMapa>& pontos, OGRLinearRing& anel) {
  anel.setNumPoints(static_cast<int>(pontos.size()), FALSE);
  for (std::size_t i = 0; i < pontos.size(); ++i)
    anel.setPoint(static_cast<int>(i), pontos[i].X, pontos[i].Y);
  anel.closeRings();
}

void Vertices(const OGRSimpleCurve& curva, std::vector<TPontoMapa>& destino) {
  const int n = curva.getNumPoints();
  destino.reserve(destino.size() + static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) destino.push_back({curva.getX(i), curva.getY(i)});
}

void Acrescenta(const OGRGeometry* g, TForma& forma) {
  if (!g || g->IsEmpty()) return;
  switch (wkbFlatten(g->getGeometryType())) {
    case wkbPoint: {
      const auto* p = g->toPoint();
      forma.Partes.push_back({{p->getX(), p->getY()}});
      break;
    }
    case wkbLineString: {
      forma.Partes.emplace_back();
      Vertices(*g->toLineString(), forma.Partes.back());
      break;
    }
    case wkbPolygon: {
      for (const auto* anel : *g->toPolygon()) {
        forma.Partes.emplace_back();
        Vertices(*anel, forma.Partes.back());
      }
      break;
    }
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
      for (const auto* parte : *g->toGeometryCollection()) Acrescenta(parte, forma);
      break;
    default:
      break;
  }
}

}  // namespace

TGeometriaOgr ParaOgr(const TForma& forma) {
  if (forma.Vazia()) return nullptr;
  switch (forma.Tipo) {
    case TTipoGeometria::Ponto: {
      if (forma.Partes.size() == 1 && forma.Partes[0].size() == 1)
        return TGeometriaOgr(new OGRPoint(forma.Partes[0][0].X, forma.Partes[0][0].Y));
      auto* mp = new OGRMultiPoint;
      for (const auto& parte : forma.Partes)
        for (const auto& p : parte) mp->addGeometryDirectly(new OGRPoint(p.X, p.Y));
      return TGeometriaOgr(mp);
    }
    case TTipoGeometria::Linha: {
      auto linha = [](const std::vector<TPontoMapa>& pts) {
        auto* l = new OGRLineString;
        l->setNumPoints(static_cast<int>(pts.size()), FALSE);
        for (std::size_t i = 0; i < pts.size(); ++i)
          l->setPoint(static_cast<int>(i), pts[i].X, pts[i].Y);
        return l;
      };
      if (forma.Partes.size() == 1) return TGeometriaOgr(linha(forma.Partes[0]));
      auto* ml = new OGRMultiLineString;
      for (const auto& parte : forma.Partes) ml->addGeometryDirectly(linha(parte));
      return TGeometriaOgr(ml);
    }
    case TTipoGeometria::Poligono: {
      // Which rings are holes is decided by how they nest, as the shapefile reader does.
      std::vector<OGRGeometry*> poligonos;
      for (const auto& parte : forma.Partes) {
        if (parte.size() < 3) continue;
        auto* pol = new OGRPolygon;
        auto* anel = new OGRLinearRing;
        Anel(parte, *anel);
        pol->addRingDirectly(anel);
        poligonos.push_back(pol);
      }
      if (poligonos.empty()) return nullptr;
      if (poligonos.size() == 1) return TGeometriaOgr(poligonos[0]);
      int valido = FALSE;
      const char* opcoes[] = {"METHOD=DEFAULT", nullptr};
      return TGeometriaOgr(OGRGeometryFactory::organizePolygons(
          poligonos.data(), static_cast<int>(poligonos.size()), &valido, opcoes));
    }
    case TTipoGeometria::Nenhuma:
      break;
  }
  return nullptr;
}

TForma DeOgr(const OGRGeometry* g) {
  TForma forma;
  if (!g) return forma;
  forma.Tipo = TipoDe(g->getGeometryType());
  Acrescenta(g, forma);
  return forma;
}

}  // namespace Ogr
