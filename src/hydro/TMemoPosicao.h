#pragma once
// Answers of the network kept between the grant points of one upstream-grant computation: the
// arc that the flow path from a cell reaches, and whether the arc walk from an arc meets the
// section. The grids, the arc table and the section do not change while the computation runs,
// so a walk already made need not be made again; a new computation starts a new memo.
//
// Flow paths of thousands of grant points converge on the same streams, so every cell of every
// path is kept: a later path stops at the first cell already known. The cells live in a flat
// open-addressing table (no allocation per cell), which keeps the bookkeeping cheaper than the
// grid reads it saves.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

class TMemoPosicao {
 public:
  TMemoPosicao() : Celulas_(1u << 16) {}

  // The arc reached from a cell (nothing: the flow path ends first), when known.
  const std::optional<std::int32_t>* TrechoDaCelula(std::int64_t celula) const {
    const TEntrada& e = Celulas_[Procura(celula)];
    return e.Ocupada ? &e.Trecho : nullptr;
  }
  void GuardaTrechoDaCelula(std::int64_t celula, std::optional<std::int32_t> trecho) {
    if ((Ocupadas_ + 1) * 2 > Celulas_.size()) Cresce();
    TEntrada& e = Celulas_[Procura(celula)];
    if (e.Ocupada) return;
    e = TEntrada{celula, trecho, true};
    ++Ocupadas_;
  }

  // Whether the arc walk from arc b meets the section, when known.
  const bool* ChegaDoTrecho(std::int32_t b) const {
    const auto it = ChegaPorTrecho_.find(b);
    return it == ChegaPorTrecho_.end() ? nullptr : &it->second;
  }
  void GuardaChegaDoTrecho(std::int32_t b, bool chega) { ChegaPorTrecho_.emplace(b, chega); }

  // A buffer for the cells of the path being walked, reused from walk to walk.
  std::vector<std::int64_t>& Caminho() { return Caminho_; }

 private:
  struct TEntrada {
    std::int64_t Celula = 0;
    std::optional<std::int32_t> Trecho;
    bool Ocupada = false;
  };

  // The slot of the cell, or the empty slot where it would go (linear probing).
  std::size_t Procura(std::int64_t celula) const {
    const std::size_t mascara = Celulas_.size() - 1;
    std::size_t i = static_cast<std::size_t>(static_cast<std::uint64_t>(celula) *
                                              0x9E3779B97F4A7C15ULL >> 20) &
                    mascara;
    while (Celulas_[i].Ocupada && Celulas_[i].Celula != celula) i = (i + 1) & mascara;
    return i;
  }
  void Cresce() {
    std::vector<TEntrada> antigas(Celulas_.size() * 2);
    antigas.swap(Celulas_);
    for (const TEntrada& e : antigas)
      if (e.Ocupada) Celulas_[Procura(e.Celula)] = e;
  }

  std::vector<TEntrada> Celulas_;
  std::size_t Ocupadas_ = 0;
  std::unordered_map<std::int32_t, bool> ChegaPorTrecho_;
  std::vector<std::int64_t> Caminho_;
};
