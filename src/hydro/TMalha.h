#pragma once
// Geometry of the drainage grids (the elevation model's header): the cell of a map point and the
// neighbours of a cell.
//
//   column = Trunc((X - XllCorner) / CellSize) + 1
//   row    = NRows - Trunc((Y - YllCorner) / CellSize)
//   index  = (row - 1) * NCols + (column - 1)        0 at the top-left cell, row-major
//
// A point on the line between two columns belongs to the eastern one, between two rows to the
// northern one. Cells are int64 indexes; CelulaFora (-1) stands for "no cell": a point outside
// the grid, a neighbour across the grid's border. Reading a grid there gives no data.

#include <cstdint>

#include "gis/TGeometria.h"

class THeaderMDE;
class TImagem;

class TMalha {
 public:
  static constexpr std::int64_t CelulaFora = -1;

  TMalha() = default;
  TMalha(std::int32_t nCols, std::int32_t nRows, double xllCorner, double yllCorner,
         double cellSize);
  explicit TMalha(const THeaderMDE& header);

  std::int32_t NCols() const { return NCols_; }
  std::int32_t NRows() const { return NRows_; }
  std::int64_t NumCelulas() const { return std::int64_t{NCols_} * NRows_; }
  double XllCorner() const { return XllCorner_; }
  double YllCorner() const { return YllCorner_; }
  double CellSize() const { return CellSize_; }
  bool Contem(std::int64_t celula) const { return celula >= 0 && celula < NumCelulas(); }

  // The cell of a map point, or CelulaFora when the point lies outside the grid.
  std::int64_t IndiceCelula(const TPontoMapa& p) const;
  // The neighbour dColuna columns east and dLinha rows south, or CelulaFora across the border
  // (the linear index is never allowed to wrap into the next row).
  std::int64_t Vizinho(std::int64_t celula, int dColuna, int dLinha) const;
  // The neighbour a flow-direction code points to; CelulaFora when the code is not one of the
  // eight (compared as a real number) or the neighbour lies outside the grid.
  std::int64_t VizinhoD8(std::int64_t celula, double codigo) const;

 private:
  std::int32_t NCols_ = 0;
  std::int32_t NRows_ = 0;
  double XllCorner_ = 0.0;
  double YllCorner_ = 0.0;
  double CellSize_ = 0.0;
};

// A grid cell as the network reads it: the value, or no data (-9999) for CelulaFora and for any
// index outside the grid.
double LeCelula(const TImagem& grade, std::int64_t celula);
