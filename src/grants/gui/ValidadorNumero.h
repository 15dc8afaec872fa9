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

// The text of the cue shown when a key is refused.
QString TextoTeclaRecusada();

// Puts the validator on the box and shows the cue (a tooltip under the box and a brief red frame)
// whenever the box refuses a key.
void ConfiguraCaixaNumero(QLineEdit* caixa);
