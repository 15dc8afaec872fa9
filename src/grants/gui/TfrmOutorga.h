#pragma once
// The grant analysis window: period, requested flow and criterion in, the month x year tables of
// availability before and after the grant out, and the five table pictures for the reports.

#include <QDate>
#include <QWidget>
#include <optional>

#include "base/gui/ContextoJanela.h"
#include "grants/AnaliseOutorga.h"
#include "hydro/TBaciaContribuicao.h"

class QComboBox;
class QDateEdit;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TApresentador;
class TSistema;
class TListaOutorgas;
class TtsGrid;

class TfrmOutorga : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmOutorga(TContextoJanela& contexto, QWidget* parent = nullptr);

  // "Ok": the input grid filled with the requested flow over the period.
  void btnOkClick();
  // "Calcular": the tables, the pictures, the result grid.
  void btnCalcularClick();

  // "Outorgas consideradas...": the grants the upstream sum counted, in a window of their own.
  void btnOutorgasClick();

  // The criterion as the boxes hold it now (the reports read it at report time).
  TCriterioOutorga Criterio() const;
  // Everything "Calcular" reads from the boxes and pickers.
  TEntradasOutorga Entradas() const;
  // The pickers' months (the first day: only month and year can be chosen).
  QDate Inicio() const;
  QDate Fim() const;
  // The last complete "Calcular" (empty before the first, and after the section changed).
  const TResultadoOutorga& Resultado() const { return Resultado_; }

  // Whether the result grid shows tables that no longer answer for the inputs beside them (an
  // input changed after "Calcular").
  bool ResultadoDesatualizado() const { return Desatualizado_; }

  // The caption line names the current section; tables made for another section, or before its
  // upstream grants changed, are cleared. Run on activation and after a register import.
  Q_INVOKABLE void AtualizaSecao();

  // Work that closing would lose: inputs typed and not yet delivered as a printed report or an
  // export of their results.
  Q_INVOKABLE bool TrabalhoPendente() const;
  // The current result went out (its report printed, its tables exported).
  void ResultadoEntregue();
  // Closing (Ctrl+F4, Ctrl+W, the close button, the program's end) with work pending asks
  // "Descartar" or "Cancelar". True when the window may close.
  Q_INVOKABLE bool PodeFechar();

  QGroupBox* gbPeriodo = nullptr;
  QDateEdit* dtpInicio = nullptr;
  QDateEdit* dtpFim = nullptr;
  QLineEdit* edtValorOutorga = nullptr;
  QPushButton* btnOk = nullptr;
  QGroupBox* gbDisponibilidade = nullptr;
  QLineEdit* edtValorCriterio = nullptr;
  QComboBox* cbVarInteresse = nullptr;
  QComboBox* cbMetodo = nullptr;
  QPushButton* btnCalcular = nullptr;
  QLabel* lblVazaosolicitada = nullptr;
  TtsGrid* tsEntrada = nullptr;
  QLabel* lblResultados = nullptr;
  QRadioButton* rbAntes = nullptr;  // the result grid shows the availability before the grant
  QRadioButton* rbApos = nullptr;   // ... or after it
  TtsGrid* tsResultado = nullptr;
  QLabel* lblLegenda = nullptr;      // the colour classes in the words of the rule applied
  QLineEdit* edtProcesso = nullptr;  // optional, printed on the reports
  QLineEdit* edtAnalista = nullptr;  // optional, printed, remembered between sessions
  QLabel* lblFrequencia = nullptr;   // how often the criterion holds after the grant
  QLabel* lblSecao = nullptr;        // the section the window shows
  QPushButton* btnOutorgas = nullptr;
  QDialog* dlgOutorgas = nullptr;  // created by the first btnOutorgasClick
  TListaOutorgas* ListaOutorgas = nullptr;

 protected:
  void resizeEvent(QResizeEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  bool event(QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  void CriaPeriodo();
  void CriaCriterio();
  void CriaGrades();
  void CriaIdentificacao();
  void LigaAlteracoes();
  void DefineOrdemTab();
  void Dispoe();
  // Shows in the result grid the table the switch chooses, with its caption and legend.
  void MostraResultado();
  // Greys the results, or shows them current again, as the inputs now stand.
  void VerificaDesatualizado();
  void DispoeCriterio();
  void FormActivate();
  void PosicionaLegendaSecao();
  // Fills the grant list from the current section and its basin. The refresh of an open list
  // (`soSeMudou`) does nothing while the section and its grants are those already shown: it runs
  // at every activation of the window, and refilling twenty thousand rows there would be felt.
  void CarregaLista(bool soSeMudou = false);

  TSistema& Sistema_;
  TApresentador& Apresentador_;
  TResultadoOutorga Resultado_;
  bool Desatualizado_ = false;       // the grid shows Resultado_ greyed
  TBaciaContribuicao BaciaLista_;    // the basin the grant list compares with
  TPontoMapa PontoBaciaLista_;       // the section point it was delineated for
  std::size_t AssinaturaLista_ = 0;  // of the section and grants the list shows (0: none)
  bool AtivacaoLigada_ = false;
  TEntradasOutorga Iniciais_;                          // what a fresh window holds
  std::optional<TEntradasOutorga> EntradasEntregues_;  // of the last result that went out
};
