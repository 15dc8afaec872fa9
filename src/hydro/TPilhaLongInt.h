#pragma once
// A stack of arc identifiers for the network searches. Items are counted from the bottom, so a
// search can both pop the latest branch and later scan the path in the order it was walked.

#include <cstdint>
#include <vector>

class TPilhaLongInt {
 public:
  std::int32_t Topo() const { return static_cast<std::int32_t>(Itens_.size()); }
  bool Vazia() const { return Itens_.empty(); }

  void Empilha(std::int32_t v) { Itens_.push_back(v); }
  // The top item, removed. An empty stack answers 0 (no arc) rather than failing: callers test
  // Topo first, and 0 already means "none" everywhere in the network code.
  std::int32_t Desempilha();
  // The i-th item from the bottom, i from 1 to Topo; 0 outside that range.
  std::int32_t Item(std::int32_t i) const;
  void Esvazia() { Itens_.clear(); }
  // True when v is on the stack (searched from the bottom).
  bool Contem(std::int32_t v) const;

  const std::vector<std::int32_t>& Itens() const { return Itens_; }

 private:
  std::vector<std::int32_t> Itens_;
};
