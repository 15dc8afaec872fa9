#pragma once
// RAII owners of GDAL/OGR handles and the conversions between OGR geometries and our own
// types. Included only inside gis/.

#include <gdal.h>
#include <gdal_priv.h>
#include <ogr_api.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <QString>
#include <memory>

#include "gis/TGeometria.h"

namespace Ogr {

struct FechaDataset {
  void operator()(GDALDataset* d) const { GDALClose(GDALDataset::ToHandle(d)); }
};
struct DestroiFeature {
  void operator()(OGRFeature* f) const { OGRFeature::DestroyFeature(f); }
};
struct DestroiGeometria {
  void operator()(OGRGeometry* g) const { OGRGeometryFactory::destroyGeometry(g); }
};
struct DestroiPreparada {
  void operator()(OGRPreparedGeometry* g) const { OGRDestroyPreparedGeometry(g); }
};
struct LiberaDefn {
  void operator()(OGRFeatureDefn* d) const { d->Release(); }
};
struct LiberaSrs {
  void operator()(OGRSpatialReference* s) const { s->Release(); }
};
struct DestroiTransformacao {
  void operator()(OGRCoordinateTransformation* t) const {
    OGRCoordinateTransformation::DestroyCT(t);
  }
};

using TDataset = std::unique_ptr<GDALDataset, FechaDataset>;
using TFeature = std::unique_ptr<OGRFeature, DestroiFeature>;
using TGeometriaOgr = std::unique_ptr<OGRGeometry, DestroiGeometria>;
using TPreparada = std::unique_ptr<OGRPreparedGeometry, DestroiPreparada>;
using TDefn = std::unique_ptr<OGRFeatureDefn, LiberaDefn>;
using TSrs = std::unique_ptr<OGRSpatialReference, LiberaSrs>;
using TTransformacao = std::unique_ptr<OGRCoordinateTransformation, DestroiTransformacao>;

// Registers GDAL's drivers once.
void Inicia();

// The last GDAL error text, or `padrao` when there is none.
QString UltimoErro(const QString& padrao = {});

TTipoGeometria TipoDe(OGRwkbGeometryType tipo);
// Our shape as an OGR geometry (nullptr for an empty shape).
TGeometriaOgr ParaOgr(const TForma& forma);
// An OGR geometry as our shape, of the kind the layer holds.
TForma DeOgr(const OGRGeometry* g);

}  // namespace Ogr
