#include "hydro/TTabelaArcos.h"

#include <cmath>
#include <limits>

TTabelaArcos::TTabelaArcos(std::vector<TArco> arcos) : Arcos_(std::move(arcos)) {
  PorHo_.reserve(Arcos_.size());
  PorFnode_.reserve(Arcos_.size());
  ChegadasPorTnode_.reserve(Arcos_.size());
  for (std::uint32_t i = 0; i < Arcos_.size(); ++i) {
    TArco& a = Arcos_[i];
    a.EstFlu = a.EstFlu.trimmed();
    // emplace keeps an existing entry: the first record in record order wins.
    PorHo_.emplace(a.Ho, i);
    PorFnode_.emplace(a.Fnode, i);
    ChegadasPorTnode_[a.Tnode].push_back(i);
    if (!a.EstFlu.isEmpty()) {
      EstacaoPorHo_.emplace(a.Ho, CodigoEstacao(a.EstFlu));
      if (!HoPorEstacao_.contains(a.EstFlu)) HoPorEstacao_.insert(a.EstFlu, a.Ho);
    }
  }
}

const TArco* TTabelaArcos::PrimeiroPorHo(std::int32_t h) const {
  const auto it = PorHo_.find(h);
  return it == PorHo_.end() ? nullptr : &Arcos_[it->second];
}

std::int32_t TTabelaArcos::TnodePorHo(std::int32_t h) const {
  const TArco* a = PrimeiroPorHo(h);
  return a ? a->Tnode : 0;
}

std::int32_t TTabelaArcos::FnodePorHo(std::int32_t h) const {
  const TArco* a = PrimeiroPorHo(h);
  return a ? a->Fnode : 0;
}

std::int32_t TTabelaArcos::EqConservPorHo(std::int32_t h) const {
  const TArco* a = PrimeiroPorHo(h);
  return a ? a->EqConserv : 0;
}

std::int32_t TTabelaArcos::HoPorFnode(std::int32_t n) const {
  const auto it = PorFnode_.find(n);
  return it == PorFnode_.end() ? 0 : Arcos_[it->second].Ho;
}

std::int32_t TTabelaArcos::EstFluPorHo(std::int32_t h) const {
  const auto it = EstacaoPorHo_.find(h);
  return it == EstacaoPorHo_.end() ? 0 : it->second;
}

std::int32_t TTabelaArcos::HoPorEstFlu(std::int32_t s) const {
  return HoPorEstacao_.value(QString::number(s), 0);
}

void TTabelaArcos::EmpilhaChegadas(std::int32_t n, TPilhaLongInt& pilha) const {
  const auto it = ChegadasPorTnode_.find(n);
  if (it == ChegadasPorTnode_.end()) return;
  for (const std::uint32_t i : it->second) pilha.Empilha(Arcos_[i].Ho);
}

void TTabelaArcos::EmpilhaAfluente(std::int32_t h, std::int32_t n, TPilhaLongInt& pilha) const {
  const auto it = ChegadasPorTnode_.find(n);
  if (it == ChegadasPorTnode_.end()) return;
  for (const std::uint32_t i : it->second) {
    if (Arcos_[i].Ho != h) {
      pilha.Empilha(Arcos_[i].Ho);
      return;
    }
  }
}

std::int32_t TTabelaArcos::CodigoEstacao(const QString& texto) {
  bool ok = false;
  const qlonglong inteiro = texto.trimmed().toLongLong(&ok);
  if (ok) {
    if (inteiro < std::numeric_limits<std::int32_t>::min() ||
        inteiro > std::numeric_limits<std::int32_t>::max())
      return 0;
    return static_cast<std::int32_t>(inteiro);
  }
  const double real = texto.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(real) || std::trunc(real) != real ||
      real < std::numeric_limits<std::int32_t>::min() ||
      real > std::numeric_limits<std::int32_t>::max())
    return 0;
  return static_cast<std::int32_t>(real);
}
