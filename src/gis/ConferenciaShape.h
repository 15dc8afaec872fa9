#pragma once
// What the shapefile reader does not refuse by itself: a layer without its attribute table
// (.dbf) opens with no fields, a .dbf cut short reads fewer records than it declares, and a .shp
// whose records are garbage reads every shape as empty. Each would pass as a sound layer with
// missing data, so the three files are checked against each other before the layer is read.

#include <QString>

namespace ConferenciaShape {

// What is wrong with the shapefile whose .shp is given (naming the file), or an empty text.
QString Confere(const QString& shp);

}  // namespace ConferenciaShape
