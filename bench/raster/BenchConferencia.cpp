// The start-up's cell checks on the full-scale sample basin (5000 x 5000 cells):
//   - Completa: the three checks (mapped drainage, directions with loops, accumulation) over grids
//     already open, as a first start-up after the grids changed runs them. Target: <= 1.5 s.
//   - Hoje / ComMemoria: the grid loads of the start-up (header, four grids, agreement with the
//     header) without the checks, as before them, and with the memory of an unchanged tree
//     consulted, as now. Target: the same time.
//
//   build/bench/raster/bench_conferencia --benchmark_repetitions=5
//
// The basin is made once with torveda-cli and kept in TORVEDA_BENCH_DADOS (default:
// bench-dados/hydro beside the build), shared with the section benchmarks.

#include <benchmark/benchmark.h>

#include <QJsonObject>
#include <cstdio>
#include <memory>

#include "../comum/BaciaEscalaReal.h"
#include "base/Caminhos.h"
#include "raster/ConferenciaCelulas.h"
#include "raster/ConferenciaGrades.h"
#include "raster/MemoriaConferencia.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"

namespace {

const char* const Nomes[] = {"hidro_mapeada.hdr", "hidro_sem_esp.hdr", "dir_esc.hdr",
                             "fluxo_ac.hdr"};

QString Matrizes() {
  static const QString pasta = [] {
    const QString dir = PastaBaciaEscalaReal();
    if (PreparaBaciaEscalaReal(dir).isEmpty()) return QString();
    return TCaminhos(dir, QStringLiteral("TORVEDA")).Matrizes();
  }();
  return pasta;
}

// The grid steps of the start-up as they ran before the cell checks.
bool CarregaComoAntes(const QString& pasta, std::unique_ptr<TImagem> (&grades)[4]) {
  THeaderMDE header;
  if (!header.Carrega(pasta + QStringLiteral("Header.hdr")) ||
      !ConferenciaGrades::ConfereHeader(header, QStringLiteral("Header.hdr")).isEmpty())
    return false;
  for (int k = 0; k < 4; ++k) {
    const QString arquivo = pasta + QLatin1String(Nomes[k]);
    grades[k] = std::make_unique<TImagem>(true);
    if (!ConferenciaGrades::ConfereCabecalho(arquivo).isEmpty() || !grades[k]->Carrega(arquivo) ||
        !ConferenciaGrades::ConfereComHeader(*grades[k], header, QLatin1String(Nomes[k])).isEmpty())
      return false;
  }
  return true;
}

void Completa(benchmark::State& estado) {
  const QString pasta = Matrizes();
  std::unique_ptr<TImagem> g[4];
  if (pasta.isEmpty() || !CarregaComoAntes(pasta, g)) {
    estado.SkipWithError("bacia em escala real indisponível");
    return;
  }
  for (auto _ : estado) {
    QString r = ConferenciaCelulas::ConfereDrenagem(*g[0], QLatin1String(Nomes[0]));
    r += ConferenciaCelulas::ConfereDirecoes(*g[2], QLatin1String(Nomes[2]));
    r += ConferenciaCelulas::ConfereAcumulacao(*g[3], QLatin1String(Nomes[3]));
    if (!r.isEmpty()) {
      estado.SkipWithError(qPrintable(r));
      return;
    }
    benchmark::DoNotOptimize(r);
  }
  estado.counters["celulas"] = static_cast<double>(g[2]->NumCelulas());
}

void Hoje(benchmark::State& estado) {
  const QString pasta = Matrizes();
  for (auto _ : estado) {
    std::unique_ptr<TImagem> g[4];
    if (pasta.isEmpty() || !CarregaComoAntes(pasta, g)) {
      estado.SkipWithError("bacia em escala real indisponível");
      return;
    }
  }
}

void ComMemoria(benchmark::State& estado) {
  const QString pasta = Matrizes();
  if (pasta.isEmpty()) {
    estado.SkipWithError("bacia em escala real indisponível");
    return;
  }
  {
    // The memory a first start-up leaves behind.
    TMemoriaConferencia memoria(pasta);
    for (const int k : {0, 2, 3}) memoria.Registra(pasta + QLatin1String(Nomes[k]));
    memoria.Grava();
  }
  for (auto _ : estado) {
    std::unique_ptr<TImagem> g[4];
    if (!CarregaComoAntes(pasta, g)) {
      estado.SkipWithError("bacia em escala real indisponível");
      return;
    }
    const TMemoriaConferencia memoria(pasta);
    for (const int k : {0, 2, 3})
      if (!memoria.Conferida(pasta + QLatin1String(Nomes[k]))) {
        estado.SkipWithError("a memória da conferência não foi reconhecida");
        return;
      }
  }
}

}  // namespace

BENCHMARK(Completa)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Hoje)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComMemoria)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
