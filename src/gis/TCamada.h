#pragma once
// A map layer: a dataset attached (or none, then the layer is invalid), its visibility, symbol
// and label field, and the searches the computations run on it. Every search answers in the
// dataset's own record order, on which the first-match rules rely.
//
// One layer object can sit in several maps; a change of visibility, symbol, labels or records
// is announced by Alterada() so that each of them redraws.

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "gis/TGeometria.h"
#include "gis/TRegistros.h"
#include "gis/TSimbolo.h"

class TDadosShape;

class TCamada : public QObject {
  Q_OBJECT

 public:
  // `nome` names the layer until a dataset is attached (then the dataset's name counts).
  explicit TCamada(const QString& nome = {}, QObject* pai = nullptr);
  ~TCamada() override;

  // The dataset's name.
  const QString& Nome() const { return Nome_; }

  // Attaches a dataset; nullptr leaves the layer invalid, without data.
  void DefineDados(std::shared_ptr<TDadosShape> dados);
  const std::shared_ptr<TDadosShape>& Dados() const { return Dados_; }
  bool Valida() const { return Dados_ != nullptr; }
  TTipoGeometria Geometria() const;

  bool Visivel() const { return Visivel_; }
  void SetVisivel(bool visivel);

  // The extent of every record; empty for an invalid or empty layer.
  TRetangulo Extensao() const;

  TSimbolo& Simbolo() { return Simbolo_; }
  const TSimbolo& Simbolo() const { return Simbolo_; }
  // False until the symbol is changed from the default.
  bool SimboloAlterado() const { return SimboloAlterado_; }

  // The label renderer: a new one on `campo` replaces the one before; empty removes it.
  void DefineRotulos(const QString& campo);
  const QString& CampoRotulo() const { return CampoRotulo_; }

  // All records. Empty for an invalid layer.
  TRegistros Registros() const;
  // Records whose shape lies within `distancia` map units of the point, with an optional
  // attribute filter (an SQL WHERE expression, e.g. "Codigo = 1"; empty keeps all).
  TRegistros ProcuraPorDistancia(const TPontoMapa& ponto, double distancia,
                                 const QString& filtro = {}) const;
  // Relation 12: the polygons that contain the point (a point on a boundary counts as inside,
  // a point in a hole does not). Other relations throw ETorveda.
  TRegistros ProcuraPorForma(const TPontoMapa& ponto, int relacao = 12,
                             const QString& filtro = {}) const;

  // The fast path for repeated point-in-polygon tests: prepared geometries behind a
  // bounding-box filter, built on first use and rebuilt after the records change.
  // Keys (TRegistros::Chave) of the polygons containing the point, in record order.
  std::vector<qint64> PoligonosQueContem(const TPontoMapa& ponto) const;
  // The first of them, or -1.
  qint64 PrimeiroPoligonoQueContem(const TPontoMapa& ponto) const;
  bool ContemPonto(const TPontoMapa& ponto) const;
  // A field of the record with that key (see TRegistros::Valor / Texto).
  QVariant Valor(qint64 chave, const QString& campo) const;
  QString Texto(qint64 chave, const QString& campo) const;
  // The record with that key alone.
  TRegistros Registro(qint64 chave) const;

  // Grows whenever the records change (0 for an invalid layer).
  quint64 Versao() const;

  // Internal drawing and search caches, for the rest of the map engine.
  struct TCaches;
  TCaches& Caches() const { return *Caches_; }

 signals:
  // Visibility, symbol, labels or records changed.
  void Alterada();

 private:
  QString Nome_;
  std::shared_ptr<TDadosShape> Dados_;
  QMetaObject::Connection ConexaoDados_;
  bool Visivel_ = true;
  TSimbolo Simbolo_;
  bool SimboloAlterado_ = false;
  QString CampoRotulo_;
  std::unique_ptr<TCaches> Caches_;
};
