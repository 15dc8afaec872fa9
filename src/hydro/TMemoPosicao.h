#pragma once
// Answers of the network kept between the grant points of one upstream-grant computation: the
// arc that the flow path from a cell reaches, and whether the arc walk from an arc meets the
// section. The grids, the arc table and the section do not change while the computation runs,
// so a walk already made need not be made again; a new computation starts a new memo.

#include <cstdint>
#include <optional>
#include <unordered_map>

class TMemoPosicao {
 public:
  // The arc reached from a cell (nothing: the flow path ends first), when known.
  const std::optional<std::int32_t>* TrechoDaCelula(std::int64_t celula) const {
    const auto it = TrechoPorCelula_.find(celula);
    return it == TrechoPorCelula_.end() ? nullptr : &it->second;
  }
  void GuardaTrechoDaCelula(std::int64_t celula, std::optional<std::int32_t> trecho) {
    TrechoPorCelula_.emplace(celula, trecho);
  }

  // Whether the arc walk from arc b meets the section, when known.
  const bool* ChegaDoTrecho(std::int32_t b) const {
    const auto it = ChegaPorTrecho_.find(b);
    return it == ChegaPorTrecho_.end() ? nullptr : &it->second;
  }
  void GuardaChegaDoTrecho(std::int32_t b, bool chega) { ChegaPorTrecho_.emplace(b, chega); }

 private:
  std::unordered_map<std::int64_t, std::optional<std::int32_t>> TrechoPorCelula_;
  std::unordered_map<std::int32_t, bool> ChegaPorTrecho_;
};
