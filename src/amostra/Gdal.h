#pragma once
// GDAL/OGR/OSR handles of the generator, each owned once. Private to tools/.

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <QString>
#include <memory>

#include "base/Erro.h"

namespace gdal_amostra {

struct TFechaDataset {
  void operator()(GDALDataset* ds) const {
    if (ds) GDALClose(GDALDataset::ToHandle(ds));
  }
};
using TDataset = std::unique_ptr<GDALDataset, TFechaDataset>;

struct TApagaFeicao {
  void operator()(OGRFeature* f) const { OGRFeature::DestroyFeature(f); }
};
using TFeicao = std::unique_ptr<OGRFeature, TApagaFeicao>;

struct TApagaTransformacao {
  void operator()(OGRCoordinateTransformation* t) const {
    OGRCoordinateTransformation::DestroyCT(t);
  }
};
using TTransformacao = std::unique_ptr<OGRCoordinateTransformation, TApagaTransformacao>;

// Registers the drivers once per process.
inline void Registra() {
  static const bool registrado = [] {
    GDALAllRegister();
    return true;
  }();
  (void)registrado;
}

inline QString UltimoErro() { return QString::fromUtf8(CPLGetLastErrorMsg()); }

// Keeps GDAL's messages off stderr while in scope.
class TSilencio {
 public:
  TSilencio() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~TSilencio() { CPLPopErrorHandler(); }
  TSilencio(const TSilencio&) = delete;
  TSilencio& operator=(const TSilencio&) = delete;
};

// A driver by name, or an ETorveda saying which is missing.
inline GDALDriver* Driver(const char* nome) {
  Registra();
  GDALDriver* d = GetGDALDriverManager()->GetDriverByName(nome);
  if (!d)
    throw ETorveda(
        QStringLiteral("O GDAL desta máquina não tem o formato %1.").arg(QLatin1String(nome)));
  return d;
}

// A spatial reference of an EPSG code with X = easting/longitude, Y = northing/latitude.
inline OGRSpatialReference Referencia(int epsg) {
  OGRSpatialReference r;
  if (r.importFromEPSG(epsg) != OGRERR_NONE)
    throw ETorveda(QStringLiteral("Sistema de coordenadas EPSG:%1 indisponível.").arg(epsg));
  r.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  return r;
}

// Conversion between the basin's projected system (EPSG:22523) and its geographic system
// (EPSG:4225), both on Corrego Alegre: no datum shift.
class TConversor {
 public:
  TConversor() : Utm_(Referencia(22523)), Geo_(Referencia(4225)) {
    ParaGeo_.reset(OGRCreateCoordinateTransformation(&Utm_, &Geo_));
    ParaUtm_.reset(OGRCreateCoordinateTransformation(&Geo_, &Utm_));
    if (!ParaGeo_ || !ParaUtm_)
      throw ETorveda(QStringLiteral("Erro ao criar a conversão entre EPSG:22523 e EPSG:4225."));
  }
  // x, y projected -> longitude, latitude in signed decimal degrees.
  void ParaGeografica(double x, double y, double& lon, double& lat) const {
    lon = x;
    lat = y;
    if (!ParaGeo_->Transform(1, &lon, &lat))
      throw ETorveda(QStringLiteral("Erro ao converter coordenadas."));
  }
  void ParaProjetada(double lon, double lat, double& x, double& y) const {
    x = lon;
    y = lat;
    if (!ParaUtm_->Transform(1, &x, &y))
      throw ETorveda(QStringLiteral("Erro ao converter coordenadas."));
  }
  const OGRSpatialReference& Utm() const { return Utm_; }

 private:
  OGRSpatialReference Utm_;
  OGRSpatialReference Geo_;
  TTransformacao ParaGeo_;
  TTransformacao ParaUtm_;
};

}  // namespace gdal_amostra
