#include "raster/ConferenciaCelulas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/Convencoes.h"
#include "raster/TImagem.h"

namespace ConferenciaCelulas {

namespace {

constexpr double SemDado = Convencao::SemDado;

// Straight from the store when it holds 4-byte reals in this machine's order (the drainage grids
// as the program reads them); through the grid's checked accessor otherwise.
struct TLeituraDireta {
  const unsigned char* Celulas;
  double operator()(std::int64_t i) const {
    float v;
    std::memcpy(&v, Celulas + static_cast<std::size_t>(i) * 4, 4);
    return v;
  }
};

struct TLeituraVerificada {
  const TImagem* Grade;
  double operator()(std::int64_t i) const { return Grade->ValorReal(i); }
};

template <typename TFuncao>
QString ComLeitura(const TImagem& g, TFuncao&& f) {
  if (g.TipoCelula() == QLatin1Char('R'))
    if (const unsigned char* p = g.Palavras4(g.NumCelulas())) return f(TLeituraDireta{p});
  return f(TLeituraVerificada{&g});
}

QString Celula(std::int64_t i, int nCols) {
  return QStringLiteral("a célula da coluna %1, linha %2").arg(i % nCols + 1).arg(i / nCols + 1);
}

QString Valor(double v) { return QString::number(v, 'g', 9); }

// The D8 entry of a cell's value: 0..7 for 1, 2, 4 ... 128, -1 for anything else.
int IndiceCodigo(double v) {
  if (!(v >= 1.0 && v <= 128.0) || v != std::trunc(v)) return -1;
  const auto k = static_cast<unsigned>(v);
  return std::has_single_bit(k) ? std::countr_zero(k) : -1;
}

enum : std::uint8_t { Novo = 0, NoCaminho = 1, Visto = 2 };

// Each cell is entered once: a path is followed from every cell not yet seen until it leaves the
// grid, meets no-data or a bad code, reaches a cell seen on an earlier path (whose end is known),
// or comes back onto itself, which is a loop.
template <typename TLeitura>
QString Direcoes(const TLeitura& le, int nc, int nr, const QString& nome) {
  const std::int64_t n = std::int64_t{nc} * nr;
  std::vector<std::uint8_t> estado(static_cast<std::size_t>(n), Novo);
  std::vector<std::int64_t> caminho;
  std::int64_t codigoRuim = -1;
  double valorRuim = 0;
  std::int64_t laco = -1;  // the laço's first cell in row-major order
  std::size_t tamanhoLaco = 0;
  for (std::int64_t inicio = 0; inicio < n; ++inicio) {
    if (estado[static_cast<std::size_t>(inicio)] != Novo) continue;
    caminho.clear();
    std::int64_t c = inicio;
    int coluna = static_cast<int>(inicio % nc);
    int linha = static_cast<int>(inicio / nc);
    for (;;) {
      estado[static_cast<std::size_t>(c)] = NoCaminho;
      caminho.push_back(c);
      const double v = le(c);
      if (v == SemDado) break;
      const int j = IndiceCodigo(v);
      if (j < 0) {
        if (codigoRuim < 0 || c < codigoRuim) codigoRuim = c, valorRuim = v;
        break;
      }
      const int c2 = coluna + Convencao::DirecoesD8[static_cast<std::size_t>(j)].DColuna;
      const int l2 = linha + Convencao::DirecoesD8[static_cast<std::size_t>(j)].DLinha;
      if (c2 < 0 || c2 >= nc || l2 < 0 || l2 >= nr) break;
      const std::int64_t p = std::int64_t{l2} * nc + c2;
      const std::uint8_t e = estado[static_cast<std::size_t>(p)];
      if (e == Visto) break;
      if (e == NoCaminho) {
        const auto volta = std::find(caminho.rbegin(), caminho.rend(), p);
        const auto menor = std::min_element(caminho.rbegin(), volta + 1);
        if (laco < 0 || *menor < laco) {
          laco = *menor;
          tamanhoLaco = static_cast<std::size_t>(volta - caminho.rbegin()) + 1;
        }
        break;
      }
      c = p;
      coluna = c2;
      linha = l2;
    }
    for (const std::int64_t k : caminho) estado[static_cast<std::size_t>(k)] = Visto;
  }
  if (codigoRuim >= 0)
    return QStringLiteral(
               "%1: %2 tem o código de direção %3; os códigos válidos são 1, 2, 4, 8, 16, 32, "
               "64 e 128, ou %4 (sem dado).")
        .arg(nome, Celula(codigoRuim, nc), Valor(valorRuim), Valor(SemDado));
  if (laco >= 0)
    return QStringLiteral(
               "%1: as direções de fluxo formam um laço de %2 células a partir d%3: a água que "
               "entra nele não chega ao exutório.")
        .arg(nome)
        .arg(tamanhoLaco)
        .arg(Celula(laco, nc));
  return {};
}

template <typename TLeitura, typename TAceita>
QString CadaCelula(const TLeitura& le, std::int64_t n, int nc, const TAceita& aceita,
                   const QString& nome, const QString& oque) {
  for (std::int64_t i = 0; i < n; ++i) {
    const double v = le(i);
    if (v == SemDado || aceita(v)) continue;
    return QStringLiteral("%1: %2 vale %3; %4.").arg(nome, Celula(i, nc), Valor(v), oque);
  }
  return {};
}

}  // namespace

QString ConfereDirecoes(const TImagem& g, const QString& nome) {
  if (g.NumCelulas() == 0) return {};
  return ComLeitura(g, [&](const auto& le) { return Direcoes(le, g.NCols(), g.NRows(), nome); });
}

QString ConfereAcumulacao(const TImagem& g, const QString& nome) {
  return ComLeitura(g, [&](const auto& le) {
    return CadaCelula(
        le, g.NumCelulas(), g.NCols(), [](double v) { return std::isfinite(v) && v >= 0; }, nome,
        QStringLiteral("a acumulação de fluxo deve ser um número finito e não negativo"));
  });
}

QString ConfereDrenagem(const TImagem& g, const QString& nome) {
  return ComLeitura(g, [&](const auto& le) {
    return CadaCelula(
        le, g.NumCelulas(), g.NCols(), [](double v) { return std::isfinite(v); }, nome,
        QStringLiteral("a drenagem mapeada deve ser um número finito"));
  });
}

}  // namespace ConferenciaCelulas
