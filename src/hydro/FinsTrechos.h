#pragma once
// The downstream end of every arc of the mapped drainage: the arc's last cell on the grid, the
// one whose flow leaves the arc. A section placed at that cell's centre takes that cell and that
// arc, so the whole-river figures of an arc are those of a section placed there.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "gis/TGeometria.h"
#include "hydro/TMalha.h"

class TRede;

struct TFimTrecho {
  std::int32_t Trecho = 0;
  std::int64_t Celula = TMalha::CelulaFora;
  TPontoMapa Centro;  // the cell's centre, projected metres
};

// The centre of a cell, the point whose cell (IndiceCelula) is that cell.
TPontoMapa CentroCelula(const TMalha& malha, std::int64_t celula);

class TFinsTrechos {
 public:
  TFinsTrechos() = default;
  // One pass over the mapped drainage. An arc drawn in pieces on the grid (several cells whose
  // flow leaves it) ends at the piece with the largest flow accumulation, the lowest one.
  explicit TFinsTrechos(const TRede& rede);

  // The end of an arc, or nullptr when the arc has no cell on the grid.
  const TFimTrecho* Fim(std::int32_t trecho) const;
  // Every arc of the arc table that has a cell, once, in the table's record order.
  const std::vector<TFimTrecho>& Todos() const { return Fins_; }
  // The arcs of the table with no cell on the grid (their balance cannot be placed).
  const std::vector<std::int32_t>& SemCelula() const { return SemCelula_; }

 private:
  std::vector<TFimTrecho> Fins_;
  std::unordered_map<std::int32_t, std::size_t> PorTrecho_;
  std::vector<std::int32_t> SemCelula_;
};
