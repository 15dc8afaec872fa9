#include "hydro/TBaciaContribuicao.h"

#include <array>
#include <bit>

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

// The code a neighbour must hold to drain into the cell: the one pointing back, j + 4.
constexpr std::array<float, 8> CodigoParaDentro = {16, 32, 64, 128, 1, 2, 4, 8};

// The neighbour index (0..7) of a cell's own direction, or -1 when its value is not a code.
int Direcao(const TImagem& dirEsc, std::int64_t celula) {
  const double v = dirEsc.LeRealOuSemDado(celula);
  if (!(v >= 1.0 && v <= 128.0)) return -1;
  const auto codigo = static_cast<unsigned>(v);
  if (codigo != v || !std::has_single_bit(codigo)) return -1;
  return std::countr_zero(codigo);
}

}  // namespace

TBaciaContribuicao TBaciaContribuicao::Delineia(const TMalha& malha, const TImagem& dirEsc,
                                                std::int64_t celula) {
  TBaciaContribuicao b;
  b.Malha_ = malha;
  if (!malha.Contem(celula) || Direcao(dirEsc, celula) < 0) return b;
  const int nc = malha.NCols();
  const int nr = malha.NRows();
  b.CelulaSecao_ = celula;
  b.BitsPorLinha_ = (static_cast<std::size_t>(nc) / 64 + 1) * 64;
  b.Bits_.assign(b.BitsPorLinha_ / 64 * static_cast<std::size_t>(nr), 0);

  std::array<std::int64_t, 8> desloc{};
  for (int j = 0; j < 8; ++j) desloc[j] = std::int64_t{DLinha[j]} * nc + DColuna[j];

  const int c0 = static_cast<int>(celula % nc);
  const int l0 = static_cast<int>(celula / nc);
  int c = c0, l = l0;
  std::int64_t i = celula;
  int k = 0;  // the next neighbour of (c, l) to look at
  b.Marca(c, l);
  std::int64_t conta = 1;
  int colMin = c, colMax = c, linMin = l, linMax = l;
  for (;;) {
    const bool borda = c == 0 || c == nc - 1 || l == 0 || l == nr - 1;
    bool subiu = false;
    for (; k < 8; ++k) {
      const int cv = c + DColuna[k];
      const int lv = l + DLinha[k];
      if (borda && (cv < 0 || cv >= nc || lv < 0 || lv >= nr)) continue;
      if (dirEsc.LeRealOuSemDado(i + desloc[k]) != CodigoParaDentro[k]) continue;
      // Only a loop of directions through the outlet brings the walk back to a marked cell.
      if (b.Marcada(cv, lv)) continue;
      b.Marca(cv, lv);
      ++conta;
      colMin = std::min(colMin, cv);
      colMax = std::max(colMax, cv);
      linMin = std::min(linMin, lv);
      linMax = std::max(linMax, lv);
      c = cv;
      l = lv;
      i += desloc[k];
      k = 0;
      subiu = true;
      break;
    }
    if (subiu) continue;
    if (c == c0 && l == l0) break;
    // Every neighbour of this cell is done: back down its own direction, to the neighbour after
    // it in the cell below.
    const int j = Direcao(dirEsc, i);
    c += DColuna[j];
    l += DLinha[j];
    i += desloc[j];
    k = ((j + 4) & 7) + 1;
  }
  b.NumCelulas_ = conta;
  b.ColMin_ = colMin;
  b.ColMax_ = colMax;
  b.LinMin_ = linMin;
  b.LinMax_ = linMax;
  return b;
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
