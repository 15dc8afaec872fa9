#include "gis/TConversorCoordenadas.h"

#include <cmath>

#include "base/Erro.h"
#include "gis/interno/Ogr.h"

struct TConversorCoordenadas::TImpl {
  Ogr::TTransformacao ParaProjetada;
  Ogr::TTransformacao ParaGeografica;
};

namespace {

OGRSpatialReference Referencia(int epsg) {
  OGRSpatialReference srs;
  if (srs.importFromEPSG(epsg) != OGRERR_NONE)
    throw ETorveda(QStringLiteral("Sistema de coordenadas desconhecido: EPSG:%1").arg(epsg));
  // X longitude/easting, Y latitude/northing, whatever the authority's axis order.
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  return srs;
}

TPontoMapa Transforma(OGRCoordinateTransformation& t, const TPontoMapa& p) {
  double x = p.X;
  double y = p.Y;
  if (!t.Transform(1, &x, &y) || !std::isfinite(x) || !std::isfinite(y))
    throw ETorveda(QStringLiteral("Não foi possível converter as coordenadas (%1; %2).")
                       .arg(p.X, 0, 'g', 12)
                       .arg(p.Y, 0, 'g', 12));
  return {x, y};
}

}  // namespace

TConversorCoordenadas::TConversorCoordenadas() : Impl_(std::make_unique<TImpl>()) {
  Ogr::Inicia();
  const OGRSpatialReference geo = Referencia(EpsgGeografico);
  const OGRSpatialReference proj = Referencia(EpsgProjetado);
  Impl_->ParaProjetada.reset(OGRCreateCoordinateTransformation(&geo, &proj));
  Impl_->ParaGeografica.reset(OGRCreateCoordinateTransformation(&proj, &geo));
  if (!Impl_->ParaProjetada || !Impl_->ParaGeografica)
    throw ETorveda(QStringLiteral("Não foi possível criar a conversão entre EPSG:%1 e EPSG:%2.")
                       .arg(EpsgGeografico)
                       .arg(EpsgProjetado));
}

TConversorCoordenadas::~TConversorCoordenadas() = default;

const TConversorCoordenadas& TConversorCoordenadas::Padrao() {
  // One per thread: a PROJ transformation may not be used by two threads at once.
  thread_local const TConversorCoordenadas conversor;
  return conversor;
}

TPontoMapa TConversorCoordenadas::ParaProjetada(const TPontoMapa& geografica) const {
  return Transforma(*Impl_->ParaProjetada, geografica);
}

TPontoMapa TConversorCoordenadas::ParaGeografica(const TPontoMapa& projetada) const {
  return Transforma(*Impl_->ParaGeografica, projetada);
}
