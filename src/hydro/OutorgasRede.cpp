#include "hydro/OutorgasRede.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <unordered_set>

#include "base/Convencoes.h"
#include "base/Erro.h"
#include "gis/TCamada.h"
#include "hydro/DetectorCiclo.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"
#include "hydro/TRede.h"
#include "hydro/VigenciaOutorga.h"

namespace {

void Ordena(std::vector<std::int32_t>& v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
}

// How the region rules place a unit for a section: counted without the network, left out, or
// left to the arc walk.
enum class TClasse : std::uint8_t { Montante, Jusante, Rede };

TClasse ClasseDaRegra(TRegraOutorga regra) {
  switch (regra) {
    case TRegraOutorga::Regiao3Paracatu:
      return TClasse::Montante;
    case TRegraOutorga::OutraRegiao:
    case TRegraOutorga::Unidade312OutroRio:
    case TRegraOutorga::SemRegiao:
    case TRegraOutorga::Cabeceira:
    case TRegraOutorga::UnidadeAJusante:
      return TClasse::Jusante;
    default:
      return TClasse::Rede;
  }
}

const std::vector<std::int32_t> Vazia;

}  // namespace

TOutorgasRede::TOutorgasRede(const TBacia& bacia, const TRede& rede) {
  std::unordered_map<qint64, std::int32_t> idPorPoligono;
  const std::pair<const TCamada*, TCamadaOutorga> camadas[] = {
      {&bacia.OutSupSignifAqem, TCamadaOutorga::Significante},
      {&bacia.OutSupInsignifAqem, TCamadaOutorga::Insignificante},
      {&bacia.OutSupAna, TCamadaOutorga::Federal}};
  for (const auto& [camada, tipo] : camadas) {
    TRegistros r = camada->Registros();
    const TCamposVigencia campos(r, tipo);
    for (r.Primeiro(); !r.Fim(); r.Proximo()) {
      TOutorgaRede o;
      o.Federal = tipo == TCamadaOutorga::Federal;
      TPontoMapa p;
      try {
        p = r.Ponto();
      } catch (const ETorveda&) {
        continue;  // without a location it lies upstream of nothing
      }
      const qint64 chave = bacia.AdRegioes.PrimeiroPoligonoQueContem(p);
      if (chave < 0) continue;
      auto it = idPorPoligono.find(chave);
      if (it == idPorPoligono.end())
        it = idPorPoligono
                 .emplace(chave, static_cast<std::int32_t>(
                                     bacia.AdRegioes.Registro(chave).Inteiro(QStringLiteral("ID"))))
                 .first;
      o.Unidade = it->second;
      const TVigenciaOutorga v = LeVigencia(r, campos);
      if (v.Falha) continue;
      o.Vazao = v.Vazao;
      o.PrimeiroMes = v.PrimeiroMes;
      o.NumMeses = v.NumMeses;
      if (const auto b = rede.TrechoAlcancado(rede.Malha().IndiceCelula(p))) {
        o.NaRede = true;
        o.Trecho = *b;
      }
      Outorgas_.push_back(o);
    }
  }
  for (const TOutorgaRede& o : Outorgas_) Unidades_.push_back(o.Unidade);
  Ordena(Unidades_);
  if (Unidades_.size() > std::numeric_limits<std::uint16_t>::max())
    throw ETorveda(QStringLiteral("Unidades de drenagem demais na camada Ad_Regioes."));
  IndiceUnidade_.reserve(Outorgas_.size());
  for (const TOutorgaRede& o : Outorgas_)
    IndiceUnidade_.push_back(static_cast<std::uint16_t>(
        std::lower_bound(Unidades_.begin(), Unidades_.end(), o.Unidade) - Unidades_.begin()));
  Carrega(rede);
}

// The arc walk of the upstream sum, from a grant's arc b: b itself, then from b's lower node
// down the arcs that leave each node, stopping after the outlet arc or at the outlet node. A
// walk that reaches a node no arc leaves counts everywhere. Each arc's list is made once, from
// its own grants and what the arcs above hand it, in upstream-to-downstream order.
void TOutorgasRede::Carrega(const TRede& rede) {
  const TTabelaArcos& arcos = rede.Arcos();
  using Convencao::NoExutorio;
  using Convencao::TrechoExutorio;

  std::unordered_map<std::int32_t, std::vector<std::int32_t>> proprias;
  for (std::size_t i = 0; i < Outorgas_.size(); ++i)
    if (Outorgas_[i].NaRede) proprias[Outorgas_[i].Trecho].push_back(static_cast<std::int32_t>(i));

  // What reaches each arc from the arcs above it.
  std::unordered_map<std::int32_t, std::vector<std::int32_t>> recebidas;
  auto passa = [&](std::int32_t de, const std::vector<std::int32_t>& lista) {
    const std::int32_t n = arcos.TnodePorHo(de);
    if (lista.empty() || n == NoExutorio) return;
    const std::int32_t t = arcos.HoPorFnode(n);
    auto& destino = t == 0 ? SemSaida_ : recebidas[t];
    destino.insert(destino.end(), lista.begin(), lista.end());
  };
  // A grant's own arc starts its walk whatever that arc is, the outlet arc included.
  for (const auto& [b, lista] : proprias) passa(b, lista);

  std::vector<std::int32_t> trechos;
  std::unordered_set<std::int32_t> vistos;
  for (const TArco& a : arcos.Arcos())
    if (vistos.insert(a.Ho).second) trechos.push_back(a.Ho);
  // Only what arrived from above goes on below an arc the walk stops at.
  auto continua = [&](std::int32_t x) {
    return x != TrechoExutorio && arcos.TnodePorHo(x) != NoExutorio;
  };
  std::unordered_map<std::int32_t, int> entradas;
  for (std::int32_t x : trechos)
    if (continua(x))
      if (const std::int32_t t = arcos.HoPorFnode(arcos.TnodePorHo(x)); t != 0) ++entradas[t];

  std::deque<std::int32_t> fila;
  for (std::int32_t x : trechos)
    if (entradas[x] == 0) fila.push_back(x);
  std::unordered_set<std::int32_t> feitos;
  while (!fila.empty()) {
    const std::int32_t x = fila.front();
    fila.pop_front();
    feitos.insert(x);
    std::vector<std::int32_t>& acima = recebidas[x];
    std::vector<std::int32_t>& lista = Chegam_[x];
    lista = proprias[x];
    lista.insert(lista.end(), acima.begin(), acima.end());
    Ordena(lista);
    if (continua(x)) {
      passa(x, acima);
      if (const std::int32_t t = arcos.HoPorFnode(arcos.TnodePorHo(x));
          t != 0 && --entradas[t] == 0)
        fila.push_back(t);
    }
    std::vector<std::int32_t>().swap(acima);
  }

  // Arcs on a loop of the arc table: the walk goes round the whole loop before it stops.
  for (std::int32_t x : trechos) {
    if (feitos.count(x)) continue;
    const auto& p = proprias[x];
    Chegam_[x].insert(Chegam_[x].end(), p.begin(), p.end());
    // Own grants of the loop's arcs were handed to the arc below each one: they go round too.
    const std::vector<std::int32_t> acima = recebidas[x];
    std::int32_t y = x;
    for (std::size_t passos = 0; passos <= trechos.size(); ++passos) {
      std::vector<std::int32_t>& lista = Chegam_[y];
      lista.insert(lista.end(), acima.begin(), acima.end());
      if (!continua(y)) break;
      const std::int32_t t = arcos.HoPorFnode(arcos.TnodePorHo(y));
      if (t == 0) {
        SemSaida_.insert(SemSaida_.end(), acima.begin(), acima.end());
        break;
      }
      if (t == x) break;
      y = t;
    }
  }
  for (std::int32_t x : trechos)
    if (!feitos.count(x)) Ordena(Chegam_[x]);
  // An arc reached on the grid but missing from the table meets only itself.
  for (auto& [b, lista] : proprias)
    if (!Chegam_.count(b)) Chegam_[b] = lista;
  Ordena(SemSaida_);
}

const std::vector<std::int32_t>& TOutorgasRede::ChegamAo(std::int32_t h) const {
  const auto it = Chegam_.find(h);
  return it == Chegam_.end() ? Vazia : it->second;
}

TSomasMensais TOutorgasRede::Soma(const TPonto& secao, const TPontoMapa& ponto, const TRede& rede,
                                  std::int32_t primeiroMes, int meses) const {
  TSomasMensais s;
  s.Estadual.assign(static_cast<std::size_t>(std::max(0, meses)), 0.0);
  s.Federal.assign(s.Estadual.size(), 0.0);
  if (meses <= 0) return s;

  // The region rules decide per unit; the point lies on the section's arc, so a unit they leave
  // to the network is answered by its own arc at once.
  std::vector<TClasse> classes;
  classes.reserve(Unidades_.size());
  bool algumaSemRede = false;
  for (std::int32_t u : Unidades_) {
    classes.push_back(ClasseDaRegra(secao.VereditoRelativo(ponto, rede, u).Regra));
    algumaSemRede = algumaSemRede || classes.back() == TClasse::Montante;
  }

  const std::int32_t fimPeriodo = primeiroMes + meses;
  // In the order of the layers' records, as the section's own sum adds them, so that every month
  // comes out to the last bit.
  auto soma = [&](std::int32_t g) {
    const TOutorgaRede& o = Outorgas_[static_cast<std::size_t>(g)];
    const std::int32_t de = std::max(o.PrimeiroMes, primeiroMes);
    const std::int32_t ate = std::min(o.PrimeiroMes + o.NumMeses, fimPeriodo);
    if (de >= ate) return;
    double* t = (o.Federal ? s.Federal : s.Estadual).data() + (de - primeiroMes);
    // A calendar year at a time, so that the months of each run are contiguous on both sides.
    std::int32_t resta = ate - de;
    std::int32_t mes = de % 12;
    while (resta > 0) {
      const std::int32_t n = std::min(12 - mes, resta);
      const double* v = o.Vazao.data() + mes;
      for (std::int32_t j = 0; j < n; ++j) t[j] += v[j];
      t += n;
      resta -= n;
      mes = 0;
    }
  };
  auto classe = [&](std::int32_t g) {
    return classes[IndiceUnidade_[static_cast<std::size_t>(g)]];
  };

  const std::vector<std::int32_t>& chegam = ChegamAo(secao.CodTrecho());
  if (!algumaSemRede) {
    auto a = chegam.begin();
    auto b = SemSaida_.begin();
    while (a != chegam.end() || b != SemSaida_.end()) {
      std::int32_t g;
      if (b == SemSaida_.end() || (a != chegam.end() && *a < *b))
        g = *a++;
      else if (a == chegam.end() || *b < *a)
        g = *b++;
      else
        g = (++b, *a++);
      if (classe(g) == TClasse::Rede) soma(g);
    }
    return s;
  }
  for (std::int32_t g = 0; g < static_cast<std::int32_t>(Outorgas_.size()); ++g) {
    const TClasse c = classe(g);
    if (c == TClasse::Montante ||
        (c == TClasse::Rede && (std::binary_search(chegam.begin(), chegam.end(), g) ||
                                std::binary_search(SemSaida_.begin(), SemSaida_.end(), g))))
      soma(g);
  }
  return s;
}

std::vector<std::int32_t> TrechosAbaixo(const TRede& rede, std::int32_t h) {
  const TTabelaArcos& arcos = rede.Arcos();
  std::vector<std::int32_t> r{h};
  std::unordered_set<std::int32_t> vistos{h};
  std::int32_t n = arcos.TnodePorHo(h);
  std::int32_t t = 0;
  TDetectorCiclo ciclo(n);
  while (n != Convencao::NoExutorio && t != Convencao::TrechoExutorio) {
    t = arcos.HoPorFnode(n);
    if (t == 0) break;
    if (vistos.insert(t).second) r.push_back(t);
    n = arcos.TnodePorHo(t);
    if (ciclo.Passo(n)) break;
  }
  return r;
}
