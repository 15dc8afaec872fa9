#pragma once
// A record set: some records of a dataset, always in the dataset's own record order, with a
// cursor. Copies are cheap and independent (each has its own cursor).
//
// Reading: Primeiro(), then while !Fim(): read fields, Proximo().
// Editing a record: Edita(), Define(...), Atualiza().
// Adding one: AdicionaNovo(), Define(...) and DefineForma/DefinePonto, Atualiza().
// Deleting: Apaga() deletes the current record (Proximo() then goes on to the one after it).
// FimEdicao() writes every change to the shapefile's files. A record set that changed its
// dataset also writes it when it goes away, so a change made through it is never left only in
// memory; a failure of that last write goes to the presenter given to AvisaFalhasEm (the dataset
// then stays modified, its changes kept for the next write).
//
// Field values by type: texts QString, integers int (64-bit fields qlonglong), reals double,
// dates QDate (an invalid QDate when blank), "Shape" a TForma. Dates also read and write as a
// day count since 30 December 1899, 0 meaning blank. Reading a field that does not exist, or
// reading when there is no current record, throws ETorveda.

#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "gis/TGeometria.h"

class TApresentador;
class TDadosShape;

class TRegistros {
 public:
  // An empty record set, at its end.
  TRegistros();
  // The given records (keys of the dataset, see Chave()) in record order, cursor on the first.
  TRegistros(std::shared_ptr<TDadosShape> dados, std::vector<qint64> chaves);
  TRegistros(const TRegistros& outro);
  TRegistros& operator=(const TRegistros& outro);
  TRegistros(TRegistros&& outro) noexcept;
  TRegistros& operator=(TRegistros&& outro) noexcept;
  ~TRegistros();

  // The day count of a date (30 December 1899 is 0) and back; 0 and an invalid date match.
  static qint32 DiasDe(const QDate& data);
  static QDate DataDe(qint32 dias);

  // Cursor.
  void Primeiro();
  void Proximo();
  bool Fim() const;
  // Records of the set not deleted.
  qint64 Conta() const;

  // The current record's key: its position in the dataset for the whole run.
  qint64 Chave() const;
  std::shared_ptr<TDadosShape> Dados() const { return Dados_; }

  // Fields of the current record (or of the record being edited or added).
  QVariant Valor(const QString& campo) const;
  // The index of a field (case ignored), -1 when there is none; and a field's value by that
  // index, for loops that read the same fields of many records.
  int IndiceCampo(const QString& campo) const;
  QVariant Valor(int indice) const;
  // The value as text: numbers with the regional decimal separator and no grouping, dates as
  // their day count, "Shape" as TForma::Texto, a blank field as an empty text (dates "0").
  QString Texto(const QString& campo) const;
  // Numbers rounded to the nearest integer (reals), texts parsed; blank 0. By name, or by the
  // field's index for loops over many records.
  qint64 Inteiro(const QString& campo) const;
  double Real(const QString& campo) const;
  qint32 Data(const QString& campo) const;
  qint64 Inteiro(int indice) const;
  double Real(int indice) const;
  qint32 Data(int indice) const;
  TForma Forma() const;
  // The geometry as a point (the first vertex of a non-point shape); throws when it has none.
  TPontoMapa Ponto() const;

  // Edit buffer.
  void Edita();
  // Writes a field of the record being edited or added (starts editing the current record when
  // neither is in progress). An invalid QVariant blanks the field. "Shape" takes a TForma or a
  // TPontoMapa. Throws ETorveda on a field that does not exist or a value that does not fit.
  void Define(const QString& campo, const QVariant& valor);
  void DefineForma(const TForma& forma);
  void DefinePonto(const TPontoMapa& ponto);
  // Starts a new, blank record; Atualiza() appends it to the dataset and to this set, and the
  // cursor rests on it.
  void AdicionaNovo();
  // Writes the record being edited or added into the dataset.
  void Atualiza();
  // Drops the record being edited or added.
  void CancelaEdicao();
  // Deletes the current record.
  void Apaga();
  // Writes a pending record and every change of the dataset to its files. Throws ETorveda.
  void FimEdicao();
  // Where a failure of the write on the way out is told (not owned; it must outlive the set).
  void AvisaFalhasEm(TApresentador& apresentador) { Apresentador_ = &apresentador; }

 private:
  struct TBuffer;
  const void* Corrente() const;  // the feature read: the buffer's or the dataset's current one
  void ExigeCorrente() const;
  void PulaApagados();
  void GravaAoSair() noexcept;

  std::shared_ptr<TDadosShape> Dados_;
  // Shared between copies until one of them adds a record (copy on write).
  std::shared_ptr<std::vector<qint64>> Chaves_;
  std::size_t Pos_ = 0;
  std::unique_ptr<TBuffer> Buffer_;
  bool Alterou_ = false;
  TApresentador* Apresentador_ = nullptr;
};
