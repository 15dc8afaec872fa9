#pragma once
// (to be replaced by the raster subsystem)
#include <QString>
class THeaderMDE {
 public:
  bool Carrega(const QString&) { return false; }
};
