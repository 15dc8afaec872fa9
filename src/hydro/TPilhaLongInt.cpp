#include "hydro/TPilhaLongInt.h"

#include <algorithm>

std::int32_t TPilhaLongInt::Desempilha() {
  if (Itens_.empty()) return 0;
  const std::int32_t v = Itens_.back();
  Itens_.pop_back();
  return v;
}

std::int32_t TPilhaLongInt::Item(std::int32_t i) const {
  if (i < 1 || i > Topo()) return 0;
  return Itens_[static_cast<std::size_t>(i - 1)];
}

bool TPilhaLongInt::Contem(std::int32_t v) const {
  return std::find(Itens_.begin(), Itens_.end(), v) != Itens_.end();
}
