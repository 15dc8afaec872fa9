#include "hydro/TRede.h"

#include <array>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "base/Apresentador.h"
#include "base/Convencoes.h"
#include "hydro/DetectorCiclo.h"

using Convencao::NoExutorio;
using Convencao::SemDado;

TRede::TRede(const TMalha& malha, const TImagem& imgHidroMapeada, const TImagem& imgHidroSemEsp,
             const TImagem& imgDirEsc, const TImagem& imgFluxoAc, const TTabelaArcos& arcos)
    : Malha_(malha),
      Mapeada_(imgHidroMapeada),
      SemEsp_(imgHidroSemEsp),
      DirEsc_(imgDirEsc),
      FluxoAc_(imgFluxoAc),
      Arcos_(arcos) {}

std::optional<std::int32_t> TruncaCodigo(double valor) {
  if (!std::isfinite(valor)) return std::nullopt;
  const double t = std::trunc(valor);
  if (t < std::numeric_limits<std::int32_t>::min() || t > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(t);
}

TRede::TRede(const TMalha& malha, const TImagem& imgHidroMapeada, const TImagem& imgHidroSemEsp,
             const TImagem& imgDirEsc, const TImagem& imgFluxoAc,
             std::shared_ptr<const TTabelaArcos> arcos)
    : Malha_(malha),
      Mapeada_(imgHidroMapeada),
      SemEsp_(imgHidroSemEsp),
      DirEsc_(imgDirEsc),
      FluxoAc_(imgFluxoAc),
      Dono_(std::move(arcos)),
      Arcos_(*Dono_) {}

double TRede::AreaDrenagem(std::int64_t celula) const {
  const double fluxo = FluxoAc(celula);
  return fluxo == SemDado ? 0.0 : fluxo * Convencao::AreaCelulaKm2;
}

std::int64_t TRede::CelulaRedeProxima(std::int64_t celula) const {
  if (HidroSemEsp(celula) != SemDado) return celula;
  // The neighbours in the order of the direction codes: east first, north-east last.
  for (const auto& d : Convencao::DirecoesD8) {
    const std::int64_t v = Malha_.Vizinho(celula, d.DColuna, d.DLinha);
    if (v != TMalha::CelulaFora && HidroSemEsp(v) != SemDado) return v;
  }
  return celula;
}

std::int32_t TRede::EstacaoMontante(std::int32_t h) const {
  TPilhaLongInt pilha;
  // A node already expanded adds nothing new: in a tree it is never met twice, and in a network
  // with a loop this is what stops the search.
  std::unordered_set<std::int32_t> expandidos;
  std::int32_t n = Arcos_.FnodePorHo(h);
  while (n != 0) {
    if (expandidos.insert(n).second) Arcos_.EmpilhaChegadas(n, pilha);
    if (pilha.Vazia()) return 0;
    const std::int32_t b = pilha.Desempilha();
    const std::int32_t s = Arcos_.EstFluPorHo(b);
    if (s != 0) return s;
    n = Arcos_.FnodePorHo(b);
  }
  return 0;
}

std::int32_t TRede::EstacaoJusante(std::int32_t h, TPilhaLongInt& caminho,
                                   TPilhaLongInt& afluentes) const {
  std::int32_t n = Arcos_.TnodePorHo(h);
  Arcos_.EmpilhaAfluente(h, n, afluentes);
  TDetectorCiclo ciclo(n);
  while (n != NoExutorio) {
    const std::int32_t t = Arcos_.HoPorFnode(n);
    if (t == 0) return 0;  // a node that no arc leaves: the walk cannot go on
    n = Arcos_.TnodePorHo(t);
    caminho.Empilha(t);
    const std::int32_t s = Arcos_.EstFluPorHo(t);
    if (s != 0) return s;
    Arcos_.EmpilhaAfluente(t, n, afluentes);
    if (ciclo.Passo(n)) return 0;
  }
  return 0;
}

std::int32_t TRede::EstacaoEmAfluente(const TPilhaLongInt& afluentes) const {
  for (std::int32_t i = 1; i <= afluentes.Topo(); ++i) {
    const std::int32_t s = EstacaoMontante(afluentes.Item(i));
    if (s != 0) return s;
  }
  return 0;
}

std::int32_t TRede::TrechoDeEncontro(std::int32_t h, const TPilhaLongInt& caminho) const {
  std::int32_t n = Arcos_.TnodePorHo(h);
  TDetectorCiclo ciclo(n);
  while (n != NoExutorio) {
    const std::int32_t t = Arcos_.HoPorFnode(n);
    if (t == 0) return 0;
    if (caminho.Contem(t)) return t;
    n = Arcos_.TnodePorHo(t);
    if (ciclo.Passo(n)) return 0;
  }
  return 0;
}

std::int64_t TRede::DesceSegmento(std::int64_t celula, std::int32_t rotulo) const {
  const double r = rotulo;
  std::int64_t anterior = 0;
  std::int64_t atual = celula;
  TDetectorCiclo ciclo(atual);
  while (HidroSemEsp(atual) == r) {
    const std::int64_t t = Malha_.VizinhoD8(atual, DirEsc(atual));
    if (t == TMalha::CelulaFora || HidroSemEsp(t) != r) break;
    anterior = atual;
    atual = t;
    if (ciclo.Passo(atual)) return 0;
  }
  return anterior;
}

std::int64_t TRede::SobeSegmento(std::int64_t celula, std::int32_t rotulo) const {
  // Each neighbour and the code with which it would drain into the cell.
  struct TEntrada {
    int DColuna;
    int DLinha;
    double Codigo;
  };
  static constexpr std::array<TEntrada, 8> Entradas{{
      {+1, +1, 32},   // south-east, draining north-west
      {0, +1, 64},    // south, draining north
      {-1, +1, 128},  // south-west, draining north-east
      {-1, 0, 1},     // west, draining east
      {-1, -1, 2},    // north-west, draining south-east
      {0, -1, 4},     // north, draining south
      {+1, -1, 8},    // north-east, draining south-west
      {+1, 0, 16},    // east, draining west
  }};
  const double r = rotulo;
  std::int64_t anterior = 0;
  std::int64_t atual = celula;
  TDetectorCiclo ciclo(atual);
  while (HidroSemEsp(atual) == r) {
    std::int64_t proxima = TMalha::CelulaFora;
    for (const auto& e : Entradas) {
      const std::int64_t v = Malha_.Vizinho(atual, e.DColuna, e.DLinha);
      if (v != TMalha::CelulaFora && DirEsc(v) == e.Codigo && HidroSemEsp(v) == r) {
        proxima = v;
        break;
      }
    }
    if (proxima == TMalha::CelulaFora) break;
    anterior = atual;
    atual = proxima;
    if (ciclo.Passo(atual)) return 0;
  }
  return anterior;
}

std::optional<std::pair<std::int64_t, std::int32_t>> TRede::InicioSegmento(
    std::int32_t h, TApresentador& apresentador) const {
  const TArco* arco = Arcos_.PrimeiroPorHo(h);
  std::int64_t i = TMalha::CelulaFora;
  if (arco) {
    const TPontoMapa q{(arco->XMin + arco->XMax) / 2.0, (arco->YMin + arco->YMax) / 2.0};
    const std::int64_t inicio = Malha_.IndiceCelula(q);
    if (inicio != TMalha::CelulaFora) {
      // Along the linear index, not along the river: the first cell of the arc at or after the
      // centre's cell, else the last one before it.
      const double alvo = h;
      const std::int64_t ultima = Malha_.NumCelulas() - 1;
      i = inicio;
      while (HidroMapeada(i) != alvo && i < ultima) ++i;
      if (HidroMapeada(i) != alvo) {
        i = inicio;
        while (HidroMapeada(i) != alvo && i > 0) --i;
      }
      if (HidroMapeada(i) != alvo) i = TMalha::CelulaFora;
    }
  }
  if (i == TMalha::CelulaFora) {
    apresentador.Mensagem(QStringLiteral("Erro ao encontrar segmento com equação."));
    return std::nullopt;
  }
  const std::int64_t b = CelulaRedeProxima(i);
  const double rotulo = HidroSemEsp(b);
  // Without a network cell in the 3 x 3 block there is no segment to walk: walking the cells
  // "labelled" -9999 would wander over the hillside.
  if (b == 0 || rotulo == SemDado) {
    apresentador.Mensagem(QStringLiteral("Erro ao encontrar segmento sem espúrio com equação."));
    return std::nullopt;
  }
  const auto r = TruncaCodigo(rotulo);
  if (!r) {
    apresentador.Mensagem(QStringLiteral("Erro ao encontrar segmento sem espúrio com equação."));
    return std::nullopt;
  }
  return std::make_pair(b, *r);
}

std::int64_t TRede::CelulaTopoTrecho(std::int32_t h, TApresentador& apresentador) const {
  const auto inicio = InicioSegmento(h, apresentador);
  return inicio ? SobeSegmento(inicio->first, inicio->second) : 0;
}

std::int64_t TRede::CelulaBaseTrecho(std::int32_t h, TApresentador& apresentador) const {
  const auto inicio = InicioSegmento(h, apresentador);
  return inicio ? DesceSegmento(inicio->first, inicio->second) : 0;
}

std::optional<std::int32_t> TRede::TrechoAlcancado(std::int64_t celula) const {
  std::int64_t c = celula;
  TDetectorCiclo ciclo(c);
  double valor = HidroMapeada(c);
  while (valor == SemDado) {
    c = Malha_.VizinhoD8(c, DirEsc(c));
    if (c == TMalha::CelulaFora || ciclo.Passo(c)) return std::nullopt;
    valor = HidroMapeada(c);
  }
  return TruncaCodigo(valor);
}

bool TRede::ChegaAoTrecho(std::int32_t b, std::int32_t codTrecho) const {
  const TChegada c = ComoChegaAoTrecho(b, codTrecho);
  return c == TChegada::MesmoTrecho || c == TChegada::Encontra || c == TChegada::NoSemSaida;
}

TRede::TChegada TRede::ComoChegaAoTrecho(std::int32_t b, std::int32_t codTrecho) const {
  if (b == codTrecho) return TChegada::MesmoTrecho;
  std::int32_t n = Arcos_.TnodePorHo(b);
  std::int32_t t = 0;
  TDetectorCiclo ciclo(n);
  while (n != NoExutorio && t != Convencao::TrechoExutorio) {
    t = Arcos_.HoPorFnode(n);
    if (t == codTrecho) return TChegada::Encontra;
    if (t == 0) return TChegada::NoSemSaida;
    n = Arcos_.TnodePorHo(t);
    if (ciclo.Passo(n)) return TChegada::Ciclo;
  }
  return TChegada::Exutorio;
}
