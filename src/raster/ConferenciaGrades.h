#pragma once
// The start-up's checks of the elevation-model header and the drainage grids against each other.
// A reader accepts a header that is merely readable (a short binary grid header reads its missing
// values as 0); the basin's grids must also agree cell for cell with Header.hdr, or every index
// computed from a coordinate points at another cell. Each check answers what is wrong, naming the
// file, or an empty text.

#include <QString>

class THeaderMDE;
class TImagem;

namespace ConferenciaGrades {

// Largest number of columns or rows a grid may have (its cells are addressed by 16-bit column
// and row).
inline constexpr int MaxDimensao = 65535;

// Header.hdr's own geometry: at least one column and one row, at most MaxDimensao, and a
// positive, finite cell size.
QString ConfereHeader(const THeaderMDE& header, const QString& nome);

// A grid's header file as text: empty, or missing one of its six lines.
QString ConfereCabecalho(const QString& arquivo);

// A loaded grid against Header.hdr: columns, rows, lower-left corner and cell size.
QString ConfereComHeader(const TImagem& grade, const THeaderMDE& header, const QString& nome);

}  // namespace ConferenciaGrades
