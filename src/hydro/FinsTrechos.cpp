#include "hydro/FinsTrechos.h"

#include <unordered_set>

#include "base/Convencoes.h"
#include "hydro/TRede.h"

TPontoMapa CentroCelula(const TMalha& malha, std::int64_t celula) {
  const std::int64_t coluna = celula % malha.NCols();
  const std::int64_t linha = celula / malha.NCols();
  return {
      malha.XllCorner() + (static_cast<double>(coluna) + 0.5) * malha.CellSize(),
      malha.YllCorner() + (static_cast<double>(malha.NRows() - linha) - 0.5) * malha.CellSize()};
}

TFinsTrechos::TFinsTrechos(const TRede& rede) {
  const TMalha& malha = rede.Malha();
  struct TCandidato {
    std::int64_t Celula;
    double Fluxo;
  };
  std::unordered_map<std::int32_t, TCandidato> fins;
  const std::int64_t n = malha.NumCelulas();
  for (std::int64_t c = 0; c < n; ++c) {
    const double v = rede.HidroMapeada(c);
    if (v == Convencao::SemDado) continue;
    const std::int64_t abaixo = malha.VizinhoD8(c, rede.DirEsc(c));
    if (abaixo != TMalha::CelulaFora && rede.HidroMapeada(abaixo) == v) continue;
    const auto h = TruncaCodigo(v);
    if (!h) continue;
    const double fluxo = rede.FluxoAc(c);
    auto [it, novo] = fins.try_emplace(*h, TCandidato{c, fluxo});
    if (!novo && fluxo > it->second.Fluxo) it->second = {c, fluxo};
  }
  std::unordered_set<std::int32_t> vistos;
  for (const TArco& a : rede.Arcos().Arcos()) {
    if (!vistos.insert(a.Ho).second) continue;
    const auto it = fins.find(a.Ho);
    if (it == fins.end()) {
      SemCelula_.push_back(a.Ho);
      continue;
    }
    PorTrecho_.emplace(a.Ho, Fins_.size());
    Fins_.push_back({a.Ho, it->second.Celula, CentroCelula(malha, it->second.Celula)});
  }
}

const TFimTrecho* TFinsTrechos::Fim(std::int32_t trecho) const {
  const auto it = PorTrecho_.find(trecho);
  return it == PorTrecho_.end() ? nullptr : &Fins_[it->second];
}
