#pragma once
// The elevation model's header: the geometry every part uses to turn a map coordinate into a cell
// and a cell into a linear index.
//
//   column = Trunc((x - XllCorner) / CellSize) + 1
//   row    = NRows - Trunc((y - YllCorner) / CellSize)
//   index  = (row - 1) * NCols + (column - 1)      0 at the top-left cell, row-major
//
// The file is six lines, each a 14-character label (its content is not checked) then the value:
//
//   ncols         5000
//   nrows         4000
//   xllcorner     250000
//   yllcorner     8200000
//   cellsize      50
//   NODATA_value  -9999

#include <QString>
#include <cstdint>

class THeaderMDE {
 public:
  // Fills every field from the header file. False (fields untouched) when the file does not
  // exist; throws ETorveda when it cannot be read, has fewer than six lines, or holds a value
  // that is not a number (integers must be whole numbers).
  bool Carrega(const QString& arquivo);

  std::int32_t NCols() const { return NCols_; }
  std::int32_t NRows() const { return NRows_; }
  double XllCorner() const { return XllCorner_; }
  double YllCorner() const { return YllCorner_; }
  double CellSize() const { return CellSize_; }
  std::int32_t NoDataValue() const { return NoDataValue_; }

  // Width of the label at the start of each line.
  static constexpr int LarguraRotulo = 14;

 private:
  std::int32_t NCols_ = 0;
  std::int32_t NRows_ = 0;
  double XllCorner_ = 0;
  double YllCorner_ = 0;
  double CellSize_ = 0;
  std::int32_t NoDataValue_ = 0;
};
