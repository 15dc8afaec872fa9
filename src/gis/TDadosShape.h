#pragma once
// A shapefile dataset held in memory: its schema, its records in the file's own order, and the
// path it came from. Reads never touch the disk; a change reaches the files when it is saved
// (TRegistros::FimEdicao, or when the record set that changed it goes away), written beside the
// files and renamed over them so a failure never leaves a half-written layer.
//
// One dataset object per file for the whole run: the connection hands out the same object to
// every layer that asks for the name.

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

#include "gis/TGeometria.h"

enum class TTipoCampo { Texto, Inteiro, Inteiro64, Real, Data };

struct TCampo {
  QString Nome;  // at most 10 characters (the attribute table's limit)
  TTipoCampo Tipo = TTipoCampo::Texto;
  // 0 picks a default: 254 for texts, 9 for integers, 18 for 64-bit integers, 24 (15 decimals)
  // for reals. Keep plain integers at 9 digits or less so they reopen as 32-bit.
  int Largura = 0;
  int Precisao = 0;

  static TCampo Texto(const QString& nome, int largura = 254) {
    return {nome, TTipoCampo::Texto, largura, 0};
  }
  static TCampo Inteiro(const QString& nome, int largura = 9) {
    return {nome, TTipoCampo::Inteiro, largura, 0};
  }
  static TCampo Real(const QString& nome, int largura = 24, int precisao = 15) {
    return {nome, TTipoCampo::Real, largura, precisao};
  }
  static TCampo Data(const QString& nome) { return {nome, TTipoCampo::Data, 8, 0}; }
};

class TSubstituicaoPreparada;

class TDadosShape : public QObject {
  Q_OBJECT

 public:
  ~TDadosShape() override;

  // Reads the shapefile at `caminho` (the .shp, or the path without extension). nullptr when it
  // cannot be read; `erro` then receives the reason.
  static std::shared_ptr<TDadosShape> Abre(const QString& caminho, QString* erro = nullptr);
  // Creates an empty shapefile (.shp, .shx, .dbf, .prj, .cpg) with these fields in this order,
  // replacing one that exists (and creating its folder), and returns it open. `epsg` 0 writes no
  // .prj. Throws ETorveda.
  static std::shared_ptr<TDadosShape> Cria(const QString& caminho, TTipoGeometria geometria,
                                           const QList<TCampo>& campos, int epsg = 22523);

  // The dataset's name: the shapefile's base name.
  const QString& Nome() const;
  // The .shp file.
  const QString& Caminho() const;
  TTipoGeometria Geometria() const;
  const QList<TCampo>& Campos() const;
  // Index of a field (case ignored, as the attribute table does), -1 when there is none.
  int IndiceCampo(const QString& nome) const;
  // Records not deleted.
  qint64 Conta() const;
  // Grows with every change to the records; never goes back.
  quint64 Versao() const;
  // Changes not yet written to the files.
  bool Modificado() const;
  // Writes the records to the files now (nothing when unchanged). Throws ETorveda.
  void Grava();

  // A dataset of the same name and schema that lives in memory only: records gathered there
  // never reach any file until they replace this dataset's records (SubstituiRegistros).
  std::shared_ptr<TDadosShape> NovoRascunho() const;
  bool Rascunho() const;
  // Why the files cannot be replaced now (a read-only member file, a folder that cannot be
  // written); empty when they can.
  QString ImpedimentoGravacao() const;
  // Puts the records of `rascunho` (a draft of this dataset) in place of every record: the new
  // files are written beside the old ones, read back, and only then moved over them and taken
  // into memory (old keys are retired, new records get new keys). On any failure the files and
  // the records in memory stay exactly as they were. Throws ETorveda.
  void SubstituiRegistros(const TDadosShape& rascunho);
  // The first half of SubstituiRegistros, for datasets that must change together: the new files
  // are written beside the old ones and read back, and nothing in place changes until the answer
  // is marked and concluded (all the datasets prepared first, then all marked, then all moved).
  // Dropped before that, it throws its files away. Throws ETorveda.
  std::unique_ptr<TSubstituicaoPreparada> PreparaSubstituicao(const TDadosShape& rascunho);

  // Internal state, for the rest of the map engine.
  struct TDados;
  TDados& Dados() { return *D_; }
  const TDados& Dados() const { return *D_; }

 signals:
  // After every change to the records.
  void Alterado();

 private:
  explicit TDadosShape(std::unique_ptr<TDados> d);
  friend struct TDados;
  std::unique_ptr<TDados> D_;
};

// New records of a dataset written beside its files and read back (PreparaSubstituicao).
class TSubstituicaoPreparada {
 public:
  ~TSubstituicaoPreparada();
  TSubstituicaoPreparada(const TSubstituicaoPreparada&) = delete;
  TSubstituicaoPreparada& operator=(const TSubstituicaoPreparada&) = delete;

  // Flushes the new files and marks them complete: from here on a program stopped before
  // Conclui leaves them to be moved into place by the next opening (the object dropped without
  // Conclui withdraws them). Throws ETorveda.
  void Marca();
  // Moves the marked files over the old ones and takes their records into memory (old keys
  // are retired, new records get new keys). Throws ETorveda.
  void Conclui();

 private:
  struct TDados;
  explicit TSubstituicaoPreparada(std::unique_ptr<TDados> d);
  friend class TDadosShape;
  std::unique_ptr<TDados> D_;
};
