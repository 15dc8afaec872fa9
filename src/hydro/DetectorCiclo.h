#pragma once
// Guards a walk over a successor function (a flow path on the grid, a chain of arcs) against a
// loop in the data, in time proportional to the walk and without memory (Brent's method): the
// walk keeps a reference position and moves it to the current position whenever the number of
// steps since the last move reaches a power of two; meeting the reference again means a loop.

#include <cstdint>

class TDetectorCiclo {
 public:
  explicit TDetectorCiclo(std::int64_t inicio) : Referencia_(inicio) {}

  // Records a step onto posicao; true when the walk has come back to a position it already
  // visited, so it must stop.
  bool Passo(std::int64_t posicao) {
    if (posicao == Referencia_) return true;
    if (++Passos_ == Potencia_) {
      Referencia_ = posicao;
      Potencia_ *= 2;
      Passos_ = 0;
    }
    return false;
  }

 private:
  std::int64_t Referencia_;
  std::int64_t Potencia_ = 1;
  std::int64_t Passos_ = 0;
};
