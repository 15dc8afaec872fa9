#pragma once
// The inside of a dataset: the records as OGR features in the file's order. A deleted record
// keeps its place as an empty slot for the rest of the run, so record keys never move.

#include <QByteArray>
#include <QHash>
#include <string>
#include <vector>

#include "gis/TDadosShape.h"
#include "gis/interno/Ogr.h"

struct TDadosShape::TDados {
  TDadosShape* Dono = nullptr;
  QString Nome;
  QString Caminho;  // the .shp
  OGRwkbGeometryType TipoOgr = wkbUnknown;
  TTipoGeometria Geometria = TTipoGeometria::Nenhuma;
  QList<TCampo> Campos;
  QHash<QString, int> Indices;  // lower-case field name -> index
  Ogr::TDefn Defn;
  QByteArray Prj;        // the .prj as found (written back unchanged)
  std::string Encoding;  // of the .dbf texts
  std::vector<Ogr::TFeature> Registros;
  qint64 Vivos = 0;
  quint64 Versao = 1;
  bool Modificado = false;
  bool Rascunho = false;  // memory only: never written

  void IndexaCampos();
  // Checks a key: a record of this dataset, not deleted.
  bool Vivo(qint64 chave) const {
    return chave >= 0 && chave < static_cast<qint64>(Registros.size()) &&
           Registros[static_cast<std::size_t>(chave)] != nullptr;
  }
  OGRFeature* Registro(qint64 chave) const {
    return Vivo(chave) ? Registros[static_cast<std::size_t>(chave)].get() : nullptr;
  }
  // A blank feature of this schema.
  Ogr::TFeature NovoRegistro() const;
  // Marks a change: new version, unsaved, announced.
  void Alterou();
  // Every live key, in record order.
  std::vector<qint64> Chaves() const;
  // Writes the live records as a new shapefile at `base` (path without extension). Throws.
  void Escreve(const QString& base) const;
};
