#pragma once
// Where the availability window's flows came from: each flow box carries its origin as a tool
// tip and is tinted when its flow has a warning or no value; the box the analyst clicks (or
// reaches with Tab) shows its origin and warnings in full in this panel.

#include <QGroupBox>
#include <array>

class QLineEdit;
class QPlainTextEdit;
class TPonto;

class TDetalhesOrigem : public QGroupBox {
  Q_OBJECT
 public:
  // [flow Q710, Q90, Q95, Qmld][method Tradicional, Proporcional, Conservação]
  using TCaixas = std::array<std::array<QLineEdit*, 3>, 4>;

  TDetalhesOrigem(const TCaixas& caixas, QWidget* parent = nullptr);

  // Reads the origins of the section into the boxes' tool tips and tints; the panel shows again
  // the box it showed.
  void Atualiza(const TPonto& ponto);

  // The lines shown for one box (flow, method).
  QStringList Linhas(std::size_t vazao, std::size_t metodo) const;

  QPlainTextEdit* mmOrigem = nullptr;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Mostra(std::size_t vazao, std::size_t metodo);

  TCaixas Caixas_;
  std::array<std::array<QStringList, 3>, 4> Linhas_;
  std::array<std::array<bool, 3>, 4> Aviso_{};
  int VazaoMostrada_ = -1;
  int MetodoMostrado_ = -1;
};

// The method names the window shows.
const std::array<QString, 3>& NomesMetodoJanela();

// The tint of a box whose flow has a warning or no value, for the legends that explain it.
QString CorAvisoOrigem();
