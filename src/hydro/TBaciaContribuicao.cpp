#include "hydro/TBaciaContribuicao.h"

#include <array>
#include <bit>
#include <cstring>

#include "base/Convencoes.h"
#include "raster/TImagem.h"

namespace {

// The eight neighbours in the order of the D8 codes (east, south-east, ... north-east): index j
// is the neighbour that code 2^j points to.
constexpr std::array<int, 8> DColuna = {+1, +1, 0, -1, -1, -1, 0, +1};
constexpr std::array<int, 8> DLinha = {0, +1, +1, +1, 0, -1, -1, -1};

static_assert([] {
  for (int j = 0; j < 8; ++j)
    if (Convencao::DirecoesD8[j].Codigo != 1 << j ||
        Convencao::DirecoesD8[j].DColuna != DColuna[j] ||
        Convencao::DirecoesD8[j].DLinha != DLinha[j])
      return false;
  return true;
}());

// A direction code as the bits of the single-precision real the grid holds: 2^j is exponent
// 127 + j with a zero mantissa, so a neighbour's word is compared with one integer.
constexpr std::uint32_t BitsCodigo(int j) { return static_cast<std::uint32_t>(127 + j) << 23; }

// The word a neighbour must hold to drain into the cell: the code pointing back, j + 4.
constexpr std::array<std::uint32_t, 8> ParaDentro = [] {
  std::array<std::uint32_t, 8> t{};
  for (int j = 0; j < 8; ++j) t[j] = BitsCodigo((j + 4) & 7);
  return t;
}();

// Whether a word is one of the eight codes.
bool EhCodigo(std::uint32_t bits) {
  const std::uint32_t e = bits >> 23;
  return (bits & 0x7FFFFFu) == 0 && e >= 127 && e <= 134;
}

// Reads straight from the mapped store, for cells known to lie inside the grid.
struct TLeituraDireta {
  const unsigned char* Celulas;
  std::uint32_t operator()(std::int64_t i) const {
    std::uint32_t w;
    std::memcpy(&w, Celulas + static_cast<std::size_t>(i) * 4, 4);
    return w;
  }
};

// Reads through the grid's checked accessor: a store shorter than the grid, or one in the
// other byte order, still gives no-data past its end.
struct TLeituraVerificada {
  const TImagem* Grade;
  std::uint32_t operator()(std::int64_t i) const {
    return std::bit_cast<std::uint32_t>(static_cast<float>(Grade->LeRealOuSemDado(i)));
  }
};

}  // namespace

// The walk, for either way of reading: a depth-first search up the flow directions with its own
// stack of cells still to visit. Each visited cell pushes the neighbours that drain into it
// without a branch per neighbour (every neighbour is written, and the top only moves past those
// that drain here), so the cost per cell is a few dozen instructions and the grid's words around
// it. The stack holds at most seven cells per step of the longest flow path.
template <typename TLeitura>
void TBaciaContribuicao::Sobe(const TLeitura& le, std::int64_t celula) {
  const int nc = Malha_.NCols();
  const int nr = Malha_.NRows();
  std::array<std::int64_t, 8> desloc{};
  for (int j = 0; j < 8; ++j) desloc[j] = std::int64_t{DLinha[j]} * nc + DColuna[j];

  // A cell on the stack is its row and column in one word, row above, so that a neighbour is one
  // addition and the cell just pushed is read back in one load.
  const auto Item = [](int c, int l) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(l)) << 32) |
           static_cast<std::uint32_t>(c);
  };
  std::array<std::uint64_t, 8> passo{};
  for (int j = 0; j < 8; ++j)
    passo[j] = (static_cast<std::uint64_t>(static_cast<std::int64_t>(DLinha[j])) << 32) +
               static_cast<std::uint64_t>(static_cast<std::int64_t>(DColuna[j]));
  std::vector<std::uint64_t> pilha(4096);
  std::size_t topo = 0;
  const std::uint64_t saida = Item(static_cast<int>(celula % nc), static_cast<int>(celula / nc));
  pilha[topo++] = saida;
  std::int64_t conta = 0;
  while (topo) {
    const std::uint64_t t = pilha[--topo];
    // Only a loop of directions through the outlet leads the walk back to a cell it has seen,
    // and then only to the outlet itself: every other cell has one way down.
    if (t == saida && conta > 0) continue;
    const int c = static_cast<int>(static_cast<std::uint32_t>(t));
    const int l = static_cast<int>(t >> 32);
    Marca(c, l);
    ++conta;
    if (topo + 8 > pilha.size()) pilha.resize(pilha.size() * 2);
    std::uint64_t* novo = pilha.data() + topo;
    std::size_t n = 0;
    const std::int64_t i = std::int64_t{l} * nc + c;
    if (c > 0 && c < nc - 1 && l > 0 && l < nr - 1) {
#pragma GCC unroll 8
      for (int j = 0; j < 8; ++j) {
        novo[n] = t + passo[j];
        n += le(i + desloc[j]) == ParaDentro[j];
      }
    } else {
      for (int j = 0; j < 8; ++j) {
        const int cv = c + DColuna[j];
        const int lv = l + DLinha[j];
        novo[n] = Item(cv, lv);
        n += cv >= 0 && cv < nc && lv >= 0 && lv < nr && le(i + desloc[j]) == ParaDentro[j];
      }
    }
    topo += n;
  }
  NumCelulas_ = conta;
}

TBaciaContribuicao TBaciaContribuicao::Delineia(const TMalha& malha, const TImagem& dirEsc,
                                                std::int64_t celula) {
  TBaciaContribuicao b;
  b.Malha_ = malha;
  if (!malha.Contem(celula)) return b;
  const TLeituraVerificada verificada{&dirEsc};
  if (!EhCodigo(verificada(celula))) return b;
  const int nc = malha.NCols();
  const int nr = malha.NRows();
  b.CelulaSecao_ = celula;
  b.BitsPorLinha_ = (static_cast<std::size_t>(nc) / 64 + 1) * 64;
  b.Bits_.assign(b.BitsPorLinha_ / 64 * static_cast<std::size_t>(nr), 0);
  if (const unsigned char* celulas = dirEsc.Palavras4(malha.NumCelulas()))
    b.Sobe(TLeituraDireta{celulas}, celula);
  else
    b.Sobe(verificada, celula);
  b.CalculaExtensao();
  return b;
}

// The rows and columns the cells span, from the set: a few hundred thousand words at most,
// cheaper than keeping the bounds at every step of the walk.
void TBaciaContribuicao::CalculaExtensao() {
  const std::size_t porLinha = BitsPorLinha_ / 64;
  const int nr = Malha_.NRows();
  std::vector<std::uint64_t> colunas(porLinha, 0);
  for (int l = 0; l < nr; ++l) {
    const std::uint64_t* linha = Bits_.data() + static_cast<std::size_t>(l) * porLinha;
    std::uint64_t alguma = 0;
    for (std::size_t w = 0; w < porLinha; ++w) {
      colunas[w] |= linha[w];
      alguma |= linha[w];
    }
    if (!alguma) continue;
    if (LinMax_ < LinMin_) LinMin_ = l;
    LinMax_ = l;
  }
  for (std::size_t w = 0; w < porLinha; ++w)
    if (colunas[w]) {
      ColMin_ = static_cast<int>(w * 64) + std::countr_zero(colunas[w]);
      break;
    }
  for (std::size_t w = porLinha; w-- > 0;)
    if (colunas[w]) {
      ColMax_ = static_cast<int>(w * 64) + 63 - std::countl_zero(colunas[w]);
      break;
    }
}

double TBaciaContribuicao::AreaM2() const {
  return static_cast<double>(NumCelulas_) * Malha_.CellSize() * Malha_.CellSize();
}

bool TBaciaContribuicao::Contem(int coluna, int linha) const {
  if (Vazia() || coluna < 0 || linha < 0 || coluna >= Malha_.NCols() || linha >= Malha_.NRows())
    return false;
  return Marcada(coluna, linha);
}

bool TBaciaContribuicao::Contem(std::int64_t celula) const {
  if (!Malha_.Contem(celula)) return false;
  return Contem(static_cast<int>(celula % Malha_.NCols()),
                static_cast<int>(celula / Malha_.NCols()));
}

TRetangulo TBaciaContribuicao::Extensao() const {
  if (Vazia()) return {};
  const double t = Malha_.CellSize();
  const double topo = Malha_.YllCorner() + Malha_.NRows() * t;
  return TRetangulo(Malha_.XllCorner() + ColMin_ * t, Malha_.XllCorner() + (ColMax_ + 1) * t,
                    topo - (LinMax_ + 1) * t, topo - LinMin_ * t);
}
