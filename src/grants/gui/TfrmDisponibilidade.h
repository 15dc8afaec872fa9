#pragma once
// The availability window: the twelve reference flows of the section of interest, four flows by
// three regionalization methods, read again every time the window becomes active.

#include <QWidget>
#include <array>

#include "base/gui/ContextoJanela.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class TDetalhesOrigem;
class TSistema;

class TfrmDisponibilidade : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmDisponibilidade(TContextoJanela& contexto, QWidget* parent = nullptr);

  // Fills the twelve boxes from the section (nothing changes when there is none) and names the
  // section in the caption line.
  void FormActivate();
  // The same, when the section's numbers changed while the window stayed active.
  Q_INVOKABLE void AtualizaSecao();

  QGroupBox* gbQminest = nullptr;
  QGroupBox* gbQmedest = nullptr;
  QGroupBox* gbq710est = nullptr;
  QGroupBox* gbQ90est = nullptr;
  QGroupBox* gbQ95est = nullptr;
  QGroupBox* gbQmldest = nullptr;
  // [flow Q710, Q90, Q95, Qmld][method Tradicional, Proporcional, Conservação]
  std::array<std::array<QLineEdit*, 3>, 4> Caixas{};
  QLabel* lblSecao = nullptr;         // the section the window shows
  QLabel* lblLegendaAviso = nullptr;  // what the amber tint of a box means
  // The origin and warnings of the box last clicked.
  TDetalhesOrigem* Detalhes = nullptr;

 protected:
  void showEvent(QShowEvent* evento) override;
  bool event(QEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;

 private:
  QGroupBox* GrupoVazao(QWidget* pai, const char* nome, const QString& subscrito, int topo,
                        int vazao);
  void LigaAtivacao();
  void PosicionaLegendaSecao();

  TSistema& Sistema_;
  bool AtivacaoLigada_ = false;
};
