// Single-cell reads per second on a 5000 x 5000 real grid read in place (on-disk mode), at random
// and along a D8 path, each against a plain in-memory array read on the very same indices.
// Target: on-disk LeReal within 3x of the array.
//
//   bench_raster --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>
#include <vector>

#include "base/Convencoes.h"
#include "raster/TImagem.h"

namespace {

constexpr int Lado = 5000;
constexpr std::size_t Leituras = 1 << 20;

struct TDados {
  QTemporaryDir Pasta;
  std::vector<float> Vetor;
  TImagem Grade{true};
  std::vector<std::int32_t> Aleatorios;
  std::vector<std::int32_t> Caminho;

  TDados() {
    std::mt19937 aleatorio(20240601);
    Vetor.resize(static_cast<std::size_t>(Lado) * Lado);
    std::uniform_real_distribution<float> valor(0, 1000);
    for (auto& v : Vetor) v = valor(aleatorio);
    const QString base = Pasta.path() + QStringLiteral("/grade");
    {
      QFile flt(base + QStringLiteral(".flt"));
      if (!flt.open(QIODevice::WriteOnly)) std::abort();
      flt.write(reinterpret_cast<const char*>(Vetor.data()),
                static_cast<qint64>(Vetor.size() * sizeof(float)));
      QFile hdr(base + QStringLiteral(".hdr"));
      if (!hdr.open(QIODevice::WriteOnly)) std::abort();
      hdr.write(QStringLiteral("ncols         %1\r\nnrows         %1\r\nxllcorner     0\r\n"
                               "yllcorner     0\r\ncellsize      50\r\nNODATA_value  -9999\r\n")
                    .arg(Lado)
                    .toLatin1());
    }
    if (!Grade.Carrega(base + QStringLiteral(".hdr"))) std::abort();

    std::uniform_int_distribution<std::int32_t> celula(0, Lado * Lado - 1);
    Aleatorios.resize(Leituras);
    for (auto& i : Aleatorios) i = celula(aleatorio);

    // A walk of D8 steps from the centre, turning back at the edges, as a flow path would.
    std::uniform_int_distribution<int> direcao(0, 7);
    int c = Lado / 2, l = Lado / 2;
    const auto* d = &Convencao::DirecoesD8[0];
    Caminho.resize(Leituras);
    for (auto& i : Caminho) {
      if (direcao(aleatorio) == 0) d = &Convencao::DirecoesD8[direcao(aleatorio)];
      if (c + d->DColuna < 0 || c + d->DColuna >= Lado || l + d->DLinha < 0 ||
          l + d->DLinha >= Lado)
        d = &Convencao::DirecoesD8[(d - &Convencao::DirecoesD8[0] + 4) % 8];
      c += d->DColuna;
      l += d->DLinha;
      i = l * Lado + c;
    }
  }
};

TDados& Dados() {
  static TDados dados;
  return dados;
}

template <typename Le>
void Percorre(benchmark::State& state, const std::vector<std::int32_t>& indices, Le le) {
  for (auto _ : state) {
    double soma = 0;
    for (const std::int32_t i : indices) soma += le(i);
    benchmark::DoNotOptimize(soma);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * indices.size()));
}

void BM_AleatorioEmDisco(benchmark::State& state) {
  const TImagem& g = Dados().Grade;
  Percorre(state, Dados().Aleatorios, [&](std::int32_t i) { return g.LeReal(i); });
}
void BM_AleatorioVetor(benchmark::State& state) {
  const float* v = Dados().Vetor.data();
  Percorre(state, Dados().Aleatorios, [&](std::int32_t i) { return v[i]; });
}
void BM_CaminhoD8EmDisco(benchmark::State& state) {
  const TImagem& g = Dados().Grade;
  Percorre(state, Dados().Caminho, [&](std::int32_t i) { return g.LeReal(i); });
}
void BM_CaminhoD8EmDiscoVerificado(benchmark::State& state) {
  const TImagem& g = Dados().Grade;
  Percorre(state, Dados().Caminho, [&](std::int32_t i) { return g.LeRealOuSemDado(i); });
}
void BM_CaminhoD8Vetor(benchmark::State& state) {
  const float* v = Dados().Vetor.data();
  Percorre(state, Dados().Caminho, [&](std::int32_t i) { return v[i]; });
}

}  // namespace

BENCHMARK(BM_AleatorioEmDisco);
BENCHMARK(BM_AleatorioVetor);
BENCHMARK(BM_CaminhoD8EmDisco);
BENCHMARK(BM_CaminhoD8EmDiscoVerificado);
BENCHMARK(BM_CaminhoD8Vetor);
BENCHMARK_MAIN();
