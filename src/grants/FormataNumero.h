#pragma once
// Number texts as the analyst reads them on screen and on paper: picture patterns with optional
// and required decimals, the flow display rule, the general format, and the reverse reading. All
// use the regional settings in force (QLocale()), where Portuguese (Brazil) writes a comma.

#include <QString>
#include <vector>

// The value rounded half away from zero to at most casasMax decimals, trailing zeros dropped down
// to casasMin, the integer part always written (at least "0"), a thousands separator every three
// digits when milhares is set. Patterns: "0.###" = (0, 3), "##.##" = (0, 2) for values above 1,
// "#,##0.00" = (2, 2, true). A value that rounds to zero carries no minus sign.
QString FormataDecimal(double valor, int casasMin, int casasMax, bool milhares = false);

// The most places a flow is written with: a millilitre a second, far below any grant.
inline constexpr int CasasVazaoMax = 6;

// The places a column of flows is written with, the same for every value of it: the three of the
// tables' pattern, more when a value that is not zero would otherwise show fewer than three
// significant digits (0,00812, never 0,008 or 0), at most CasasVazaoMax.
int CasasDaColuna(const std::vector<double>& valores);
// A value with exactly `casas` places, trailing zeros kept so that a column lines up.
QString FormataFixo(double valor, int casas);
// One flow in the tables' pattern "0.###", with the places a small flow needs for three
// significant digits (as a column of it would show it), trailing zeros dropped.
QString FormataTabela(double valor);

// The display rule of flows: "##.#" above 10, "##.##" above 1, "0.###" otherwise; a smaller flow
// gets the places that show three significant digits of it (0,00812), up to CasasVazaoMax.
QString FormataVazao(double valor);

// Projected coordinates in metres, to the centimetre, no thousands separator ("8164211,75").
QString FormataMetros(double valor);

// "#,##0.00": drainage areas.
QString FormataArea(double valor);

// The general format: up to 15 significant digits, no trailing zeros, exponent form only for very
// large or very small magnitudes.
QString FormataGeral(double valor);

// Reads a number typed by a person (LeNumeroDigitado: the regional decimal separator, no
// thousands separators, blanks around it allowed). ok is false for an empty or malformed text.
double LeNumero(const QString& texto, bool* ok);

// Reads an integer (blanks around it allowed, an optional sign). ok is false otherwise.
int LeInteiro(const QString& texto, bool* ok);
