#pragma once
// The number boxes of the grant window and the cells of its input grid take digits and one
// decimal separator. A typed or pasted point counts as the regional separator (a comma in
// Portuguese (Brazil)), so "0.5" reads 0,5 and never 05; anything else is refused with a visible
// cue beside the box.

#include <QValidator>

class QLineEdit;

class TValidadorNumero : public QValidator {
  Q_OBJECT
 public:
  explicit TValidadorNumero(QObject* parent = nullptr);
  State validate(QString& texto, int& posicao) const override;
};

// The percentage of the grant criterion: a whole number from 1 to 100. A key that would leave
// anything else (a separator, a fourth digit, 101) is refused; an empty box or 0 are let through
// while typing and refused by "Calcular" with TextoPercentualEsperado().
class TValidadorPercentual : public QValidator {
  Q_OBJECT
 public:
  explicit TValidadorPercentual(QObject* parent = nullptr);
  State validate(QString& texto, int& posicao) const override;
};

// The text of the cue shown when a key is refused.
QString TextoTeclaRecusada();
// What the percentage box expects, as the cue and as the message of "Calcular".
QString TextoPercentualEsperado();

// Puts the validator on the box and shows the cue (a tooltip under the box and a brief red frame)
// whenever the box refuses a key.
void ConfiguraCaixaNumero(QLineEdit* caixa);
void ConfiguraCaixaPercentual(QLineEdit* caixa);
