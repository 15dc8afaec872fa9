#pragma once
// The data connection: a directory of shapefiles. Every dataset is looked up in it by name (the
// shapefile's base name, case ignored) and read once; asking again gives the same object.

#include <QHash>
#include <QString>
#include <memory>

class TDadosShape;

class TConexaoShape {
 public:
  explicit TConexaoShape(const QString& diretorio = {});
  ~TConexaoShape();
  TConexaoShape(const TConexaoShape&) = delete;
  TConexaoShape& operator=(const TConexaoShape&) = delete;

  // The directory, without a trailing separator.
  const QString& Diretorio() const { return Diretorio_; }
  void SetDiretorio(const QString& diretorio);

  // Succeeds when the directory exists and can be read.
  bool Conecta();
  bool Conectada() const { return Conectada_; }

  // The dataset of that name, or nullptr when not connected, when there is no such shapefile
  // or when it cannot be read (UltimoErro() then says why).
  std::shared_ptr<TDadosShape> Dataset(const QString& nome);
  const QString& UltimoErro() const { return UltimoErro_; }
  // True when the last Dataset() found the shapefile but could not read it (a damaged layer, as
  // opposed to a missing one).
  bool UltimoIlegivel() const { return UltimoIlegivel_; }

 private:
  QString Diretorio_;
  bool Conectada_ = false;
  QString UltimoErro_;
  bool UltimoIlegivel_ = false;
  QHash<QString, std::shared_ptr<TDadosShape>> Abertos_;
};
