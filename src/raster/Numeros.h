#pragma once
// Numbers in grid headers and text grids.
//
// Header values are read the same under any regional setting: every comma and point is a decimal
// separator, blanks around the number are allowed, an empty value reads 0 and anything else that
// is not a finite number is an error. Numbers are always written with a decimal point.

#include <QString>
#include <QStringView>
#include <cstdint>

namespace Numeros {

// The value of a header field; throws ETorveda naming the field and the file (without its
// directory) when the text is not a number.
double LeValor(QStringView texto, const QString& campo, const QString& arquivo);
// Same, for a value that must be a whole number within [minimo, maximo].
std::int64_t LeInteiro(QStringView texto, const QString& campo, const QString& arquivo,
                       std::int64_t minimo, std::int64_t maximo);
// Rounds to the nearest whole number, ties to even, and checks [minimo, maximo].
std::int64_t Arredonda(double valor, const QString& campo, const QString& arquivo,
                       std::int64_t minimo, std::int64_t maximo);

// A number token of a text grid (the bytes between blanks); false when it is not a finite number.
// A comma is taken as the decimal separator too.
bool LeToken(const char* inicio, const char* fim, double& valor);

// The fixed 23-character scientific notation: blank or minus, one digit, a point, 14 digits, E,
// the exponent's sign and four digits (" 1.00000000000000E+0000").
QString Cientifico(double valor);
// Fixed notation with the given decimals and a decimal point ("-9999.00000").
QByteArray Fixo(double valor, int decimais);

}  // namespace Numeros
