#pragma once
// Numbers that must not reach a grant layer: a flow no grant can have, and a value that the
// layer's field would not give back as it was written (a real field keeps so many characters
// and decimals; what does not fit is cut, and 1e308 would come back as 1e23).

#include <QString>

struct TCampo;

namespace ValorNoCampo {

// Throws ETorveda naming the value when the flow is negative or not a finite number.
void VerificaVazao(double vazao);

// Throws ETorveda naming the value and the field when `valor`, written into the real field
// `campo` with its width and decimals, would not read back within those decimals.
void VerificaReal(double valor, const TCampo& campo);

// The number as a message shows it: every significant digit, regional decimal separator.
QString Texto(double valor);

}  // namespace ValorNoCampo
