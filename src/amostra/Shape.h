#pragma once
// A shapefile being written: created with its fields, fed features, closed. Private to tools/.

#include <QDate>
#include <QString>
#include <map>
#include <memory>
#include <vector>

#include "amostra/Gdal.h"

class TShapeNovo {
 public:
  TShapeNovo(const QString& pasta, const QString& nome, OGRwkbGeometryType tipo,
             const OGRSpatialReference& srs);
  // Fields, in order, before the first feature. Integers keep 9 digits so that they read back
  // as 32-bit integers.
  void Inteiro(const char* nome);
  void Real(const char* nome, int largura = 24, int precisao = 15);
  void Texto(const char* nome, int largura);
  void Data(const char* nome);

  // A new feature of this layer, to be filled and handed to Grava.
  gdal_amostra::TFeicao Nova() const;
  void Grava(gdal_amostra::TFeicao f, OGRGeometry* geometria);
  // Writes the files; the destructor closes without checking.
  void Fecha();

  static void Define(OGRFeature& f, const char* campo, const QString& texto);
  static void Define(OGRFeature& f, const char* campo, const QDate& data);

 private:
  QString Nome_;
  gdal_amostra::TDataset Ds_;
  OGRLayer* Camada_ = nullptr;
};

// One geometry per distinct non-zero value of a raster of the grid's geometry: the value's
// polygons (GDAL's polygonize, 4-connected), gathered in a multipolygon when there are several.
std::map<int, std::unique_ptr<OGRGeometry>> Poligoniza(const std::vector<std::int32_t>& valores,
                                                       int nc, int nr, double xll, double yll,
                                                       double tam);
