#pragma once
// Answers of the arc walk kept between the grant points of one upstream-grant computation:
// how the walk down the arcs from an arc ends with respect to the section. Thousands of grant
// points reach the same few hundred arcs, and the arc table and the section do not change while
// the computation runs; a new computation starts a new memo.
//
// Flow paths on the grid are not kept: they are short (a few tens of cells) and rarely shared,
// so keeping their cells costs more memory traffic than walking them again.

#include <cstdint>
#include <unordered_map>

#include "hydro/TRede.h"

class TMemoPosicao {
 public:
  // How the arc walk from arc b ends, when known.
  const TRede::TChegada* ChegadaDoTrecho(std::int32_t b) const {
    const auto it = ChegadaPorTrecho_.find(b);
    return it == ChegadaPorTrecho_.end() ? nullptr : &it->second;
  }
  void GuardaChegadaDoTrecho(std::int32_t b, TRede::TChegada c) { ChegadaPorTrecho_.emplace(b, c); }

 private:
  std::unordered_map<std::int32_t, TRede::TChegada> ChegadaPorTrecho_;
};
