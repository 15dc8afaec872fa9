#pragma once
// The key filter of the two number boxes of the grant window: digits, backspace and one decimal
// separator (the regional one); nothing else, so no sign and no letter can be typed.

#include <QChar>
#include <QString>

// True when the key typed into a box holding texto is to be kept.
bool AceitaTecla(const QString& texto, QChar tecla, QChar separador);

// True when every character of texto could have been typed through the filter, in order.
bool TextoDigitavel(const QString& texto, QChar separador);
