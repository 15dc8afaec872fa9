#pragma once
// An image layer: a raster file shown through GDAL (an Arc/Info grid's hdr.adf, a GeoTIFF...),
// optionally with one colour drawn transparent. Single-band grids are shown in grey levels
// stretched between their minimum and maximum, no-data cells transparent.

#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>
#include <memory>

#include "gis/TGeometria.h"

class TCamadaImagem : public QObject {
  Q_OBJECT

 public:
  explicit TCamadaImagem(QObject* pai = nullptr);
  ~TCamadaImagem() override;

  // Opens the file; Valida() tells whether GDAL could read it as a raster.
  void SetArquivo(const QString& arquivo);
  const QString& Arquivo() const { return Arquivo_; }
  bool Valida() const;
  QString Nome() const;

  bool Visivel() const { return Visivel_; }
  void SetVisivel(bool visivel);

  const QColor& CorTransparente() const { return CorTransparente_; }
  void SetCorTransparente(const QColor& cor);
  bool Transparente() const { return Transparente_; }
  void SetTransparente(bool transparente);

  // Georeferenced extent in map units; empty when invalid.
  TRetangulo Extensao() const;

  // The part of the raster under `extensao`, resampled to `tamanho` pixels (north up);
  // transparent where there is no data.
  QImage Desenha(const TRetangulo& extensao, const QSize& tamanho) const;

 signals:
  void Alterada();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> Impl_;
  QString Arquivo_;
  bool Visivel_ = true;
  QColor CorTransparente_{0, 0, 0};
  bool Transparente_ = false;
};
