#pragma once
// Writes one feature of polygons with its attributes as a new vector file: a GeoPackage (.gpkg)
// or a shapefile (.shp), chosen by the name's extension, in the basin's projected system. The
// file is written whole beside the target and then moved over it, so an old file of that name is
// either kept or replaced, never left half-written.

#include <QString>
#include <QVariant>
#include <vector>

#include "gis/TGeometria.h"

// Each polygon: its outer ring, then its holes; rings closed.
using TPoligonoSaida = std::vector<std::vector<TPontoMapa>>;

struct TAtributoSaida {
  QString Nome;    // at most ten characters, so that a shapefile keeps it whole
  QVariant Valor;  // text, integer or real
};

// Throws ETorveda naming the file when the extension is neither .gpkg nor .shp, when there is no
// polygon or when GDAL cannot write it.
void GravaPoligonos(const QString& arquivo, const std::vector<TPoligonoSaida>& poligonos,
                    const std::vector<TAtributoSaida>& atributos, int epsg = 22523);
