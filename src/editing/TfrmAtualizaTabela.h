#pragma once
// What the three editing windows share: one query of their own over every column of a table of
// the reference database, a record navigator with "Atualizar", the labelled edit boxes of the
// current row and the grid of every row, all bound to the query.
//
// Bound-control behaviour: typing into an edit box or a grid cell puts the current row into
// editing; moving to another row (navigator or grid) writes the pending changes first and stays
// on the row when the write fails; "Atualizar" writes a row being edited and does nothing
// otherwise. A value its column's type does not take, or a write the database refuses, is shown
// with the reason and the row stays in editing with everything typed kept. Escape on the grid
// drops the changes of the row.

#include <QString>
#include <QWidget>
#include <deque>
#include <vector>

#include "data/Esquema.h"

#include "base/gui/ContextoJanela.h"

class QDataWidgetMapper;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlTableModel;
class QTableView;
class QToolButton;
class TApresentador;
class TDelegadoCampo;
class TSelecaoLinha;

// One edit box of the window: its column and its caption (rich text, for the sub- and
// superscripts).
struct TCampoJanela {
  QString Coluna;
  QString Rotulo;
};

class TfrmAtualizaTabela : public QWidget {
  Q_OBJECT
 public:
  ~TfrmAtualizaTabela() override;

  // The record navigator.
  void Primeiro();
  void Anterior();
  void Proximo();
  void Ultimo();
  // "Atualizar".
  void btnAtualizarClick();

  // The query is open (the database could be read).
  bool Aberta() const { return Aberta_; }
  // The current row is being edited.
  bool Editando() const { return Editando_; }
  // A value typed into a box or a cell differs from the one stored (what closing would lose).
  Q_INVOKABLE bool TrabalhoPendente();
  // Closing (the window's own close, or the program's end): with a typed value not yet stored,
  // asks "Salvar" (writes it; a refused write keeps the window open), "Descartar" (drops it) or
  // "Cancelar". True when the window may close.
  Q_INVOKABLE bool PodeFechar();
  // The current row (0-based), -1 when there is none.
  int Linha() const;
  int NumLinhas() const;

  QSqlTableModel* Consulta() const { return Consulta_; }
  QTableView* Grade() const { return Grade_; }
  // The edit box of a column, or nullptr.
  QLineEdit* Campo(const QString& coluna) const;
  QLabel* Rotulo(const QString& coluna) const;

  QGroupBox* gbNavegador = nullptr;
  QGroupBox* gbCampos = nullptr;
  QGroupBox* gbTabela = nullptr;
  QToolButton* btnPrimeiro = nullptr;
  QToolButton* btnAnterior = nullptr;
  QToolButton* btnProximo = nullptr;
  QToolButton* btnUltimo = nullptr;
  QPushButton* btnAtualizar = nullptr;

 protected:
  // nomeConsulta: the query object's name; campos: the edit boxes in screen order.
  TfrmAtualizaTabela(TContextoJanela& contexto, const QString& nomeJanela, const QString& titulo,
                     const QString& tabela, const QString& nomeConsulta,
                     const std::vector<TCampoJanela>& campos, QWidget* parent);

  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  void MontaNavegador();
  void MontaCampos(const std::vector<TCampoJanela>& campos);
  void MontaGrade();
  void Abre(TContextoJanela& contexto, const QString& tabela);

  bool VaiPara(int linha);
  // The grid's guard: writes what is pending before the move to another row.
  bool PodeSair(int novaLinha);
  bool Grava();
  void Cancela();
  void LinhaMudou(int linha);
  void AtualizaNavegador();
  void Digitou();

  TApresentador& Apresentador_;
  QString Tabela_;
  QSqlTableModel* Consulta_ = nullptr;
  QDataWidgetMapper* Mapeador_ = nullptr;
  TDelegadoCampo* Delegado_ = nullptr;
  TSelecaoLinha* Selecao_ = nullptr;
  QTableView* Grade_ = nullptr;
  std::vector<std::pair<QString, QLineEdit*>> Campos_;
  std::vector<std::pair<QString, QLabel*>> Rotulos_;
  // Columns whose type in the open database differs from the schema's (a drainage area kept as a
  // real number): the delegate reads and checks them by the database's type.
  std::deque<TColunaBD> ColunasDoBanco_;
  bool Aberta_ = false;
  bool Editando_ = false;
};
