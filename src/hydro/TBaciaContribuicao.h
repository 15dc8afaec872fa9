#pragma once
// The contributing basin of a cell: every cell whose flow path, followed along the flow
// directions, reaches it (the cell itself included), and the basin's outline.
//
// The cells are found by walking up the flow directions straight from the direction grid (in
// place, never copied) and kept as one bit per grid cell. The walk is depth-first with a stack
// of cells still to visit, which never holds more than seven cells per step of the longest flow
// path; when the grid's store holds every cell in this machine's byte order the neighbours are
// compared as raw words, otherwise through the grid's checked reads.
//
// A cell belongs to the basin only when its code is one of the eight D8 codes and points to a
// cell of the basin inside the grid: cells without a direction (no data, off the basin) never do,
// and a code pointing across the grid's border never wraps into the next row. The cell count
// therefore equals the flow accumulation of the outlet cell plus the cell itself.
//
// The outline runs along the cell edges, in the projected system of the grids:
//
//       +--+--+              a basin is one or more polygons; each has its outer ring first
//       |  |  |+--+          (counterclockwise) and then its holes (clockwise: enclosed land
//       +--+--++  |          that drains elsewhere). Cells that touch only at a corner lie in
//          |      |          different polygons that share that corner, so every ring is
//          +------+          simple and the polygons are valid as they stand.

#include <cstdint>
#include <vector>

#include "gis/TGeometria.h"
#include "hydro/TMalha.h"

class TImagem;

// One polygon of the outline: the outer ring, then the holes. Rings are closed (the last vertex
// repeats the first) and keep only the corners.
using TAnel = std::vector<TPontoMapa>;
using TPoligonoBacia = std::vector<TAnel>;

class TBaciaContribuicao {
 public:
  // An empty basin (no cell).
  TBaciaContribuicao() = default;

  // Walks up from `celula`. A cell outside the grid or without a direction code gives an empty
  // basin.
  static TBaciaContribuicao Delineia(const TMalha& malha, const TImagem& dirEsc,
                                     std::int64_t celula);

  bool Vazia() const { return NumCelulas_ == 0; }
  const TMalha& Malha() const { return Malha_; }
  // The outlet cell the basin was delineated from (TMalha::CelulaFora when none).
  std::int64_t CelulaSecao() const { return CelulaSecao_; }
  std::int64_t NumCelulas() const { return NumCelulas_; }
  // Cell count x cell side², in m².
  double AreaM2() const;

  bool Contem(std::int64_t celula) const;
  bool Contem(int coluna, int linha) const;
  // Whether the cell of a map point belongs to the basin (a point outside the grid does not).
  bool ContemPonto(const TPontoMapa& p) const { return Contem(Malha_.IndiceCelula(p)); }

  // Columns and rows that the basin's cells span (inclusive); meaningless when empty.
  int ColunaMin() const { return ColMin_; }
  int ColunaMax() const { return ColMax_; }
  int LinhaMin() const { return LinMin_; }
  int LinhaMax() const { return LinMax_; }
  // The extent of the basin's cells in map units; empty when the basin is.
  TRetangulo Extensao() const;

  // The outline, traced along the cell edges; empty for an empty basin.
  std::vector<TPoligonoBacia> Contorno() const;

  // Bytes held by the cell set.
  std::size_t BytesUsados() const { return Bits_.capacity() * sizeof(std::uint64_t); }

 private:
  // The set keeps one row per WordsPorLinha_ words, so that a row starts on a word and the bit
  // after the last column is always clear.
  void Marca(int coluna, int linha) {
    const std::size_t b = static_cast<std::size_t>(linha) * BitsPorLinha_ + coluna;
    Bits_[b >> 6] |= std::uint64_t{1} << (b & 63);
  }
  bool Marcada(int coluna, int linha) const {
    const std::size_t b = static_cast<std::size_t>(linha) * BitsPorLinha_ + coluna;
    return (Bits_[b >> 6] >> (b & 63)) & 1;
  }

  template <typename TLeitura>
  void Sobe(const TLeitura& le, std::int64_t celula);
  void CalculaExtensao();

  TMalha Malha_;
  std::int64_t CelulaSecao_ = TMalha::CelulaFora;
  std::int64_t NumCelulas_ = 0;
  std::size_t BitsPorLinha_ = 0;
  std::vector<std::uint64_t> Bits_;
  int ColMin_ = 0, ColMax_ = -1, LinMin_ = 0, LinMax_ = -1;

  friend class TTracadoContorno;
};
