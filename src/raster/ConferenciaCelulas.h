#pragma once
// The start-up's checks of the drainage grids' cells. A reader accepts any number in a cell; the
// network walks then read a direction code that is none of the eight as "no way on", a loop in the
// directions as a river that never reaches the outlet, and a negative or non-finite accumulation
// as a drainage area that no flow law can take. Each check looks at every cell once and answers
// what is wrong with the first offending cell (row-major order from the top-left), naming the
// file, or an empty text. No-data is Convencao::SemDado, as everywhere else.

#include <QString>

class TImagem;

namespace ConferenciaCelulas {

// Every cell one of the eight D8 codes or no-data, and no two or more cells draining into each
// other. A direction that leaves the grid, or reaches a no-data cell, ends its path.
QString ConfereDirecoes(const TImagem& grade, const QString& nome);

// Every cell finite and not negative, or no-data.
QString ConfereAcumulacao(const TImagem& grade, const QString& nome);

// Every cell finite, or no-data.
QString ConfereDrenagem(const TImagem& grade, const QString& nome);

}  // namespace ConferenciaCelulas
