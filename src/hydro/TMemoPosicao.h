#pragma once
// Answers of the arc walk kept between the grant points of one upstream-grant computation:
// whether the walk down the arcs from an arc meets the section. Thousands of grant points reach
// the same few hundred arcs, and the arc table and the section do not change while the
// computation runs; a new computation starts a new memo.
//
// Flow paths on the grid are not kept: they are short (a few tens of cells) and rarely shared,
// so keeping their cells costs more memory traffic than walking them again.

#include <cstdint>
#include <unordered_map>

class TMemoPosicao {
 public:
  // Whether the arc walk from arc b meets the section, when known.
  const bool* ChegaDoTrecho(std::int32_t b) const {
    const auto it = ChegaPorTrecho_.find(b);
    return it == ChegaPorTrecho_.end() ? nullptr : &it->second;
  }
  void GuardaChegaDoTrecho(std::int32_t b, bool chega) { ChegaPorTrecho_.emplace(b, chega); }

 private:
  std::unordered_map<std::int32_t, bool> ChegaPorTrecho_;
};
