#pragma once
// Degree-minute-second coordinate texts of the register workbooks -> decimal degrees.
//
// The state register writes a position as the six digits DDMMSS ("194530"); the federal one
// puts separators between the pairs ("19° 45' 30\""), so its pairs sit at characters 1-2, 5-6
// and 9-10. Neither carries a sign: every position is south and west.

#include <QString>

// Where each pair of digits starts in the text, counting characters from 1.
struct TPosicoesDMS {
  int Graus;
  int Minutos;
  int Segundos;
};

inline constexpr TPosicoesDMS PosicoesAqem{1, 3, 5};
inline constexpr TPosicoesDMS PosicoesAna{1, 5, 9};

// (seconds / 60 + minutes) / 60 + degrees, each pair read as a number with the regional
// settings, through the program's one degree-minute-second reading (hydro/TextoGMS.h). Throws
// ETorveda when the text is too short for a pair (nothing past its end is read) or a pair is not
// a number, and an ECoordenadaGMS naming the column when the minutes or the seconds are 60 or
// more.
double GrausDMS(const QString& texto, TPosicoesDMS posicoes, const QString& coluna);

// The pairs of the text joined in order (degrees, minutes, seconds) and read as one number:
// "19° 45' 30\"" -> 194530. Throws ETorveda when a pair is missing or not a number.
double NumeroDMS(const QString& texto, TPosicoesDMS posicoes);
