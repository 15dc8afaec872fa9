#pragma once
// Writes many features of one kind (lines, with a fixed list of attributes) into a new
// GeoPackage, one feature at a time, in the basin's projected system. The file is built beside
// the target and moved over it only by Conclui(), so an old file of that name is either kept or
// replaced, never left half-written; a writer dropped before Conclui() leaves nothing behind.

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "gis/TGeometria.h"

struct TCampoSaida {
  enum class TTipo { Inteiro, Real, Texto };
  QString Nome;
  TTipo Tipo = TTipo::Texto;
};

class TGravadorFeicoes {
 public:
  // Throws ETorveda naming the file when it is not a .gpkg or cannot be created.
  TGravadorFeicoes(const QString& arquivo, const std::vector<TCampoSaida>& campos,
                   int epsg = 22523);
  ~TGravadorFeicoes();
  TGravadorFeicoes(const TGravadorFeicoes&) = delete;
  TGravadorFeicoes& operator=(const TGravadorFeicoes&) = delete;

  // One feature: the line's parts and a value per field, in the fields' order (an invalid
  // QVariant leaves the field blank). Throws ETorveda when GDAL refuses it.
  void Grava(const TForma& linha, const std::vector<QVariant>& valores);
  // Writes the file out and moves it into place. Throws ETorveda.
  void Conclui();

 private:
  struct TDados;
  std::unique_ptr<TDados> D_;
};
