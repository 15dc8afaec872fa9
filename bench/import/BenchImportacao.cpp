// The state and federal imports on the full-scale sample basin (5000 × 5000 cells, 25,000
// register rows: 20,000 in the state workbook, 5,000 in the federal one). Each iteration reads
// the workbook as the program's import does, then rebuilds the layers.
//
//   build-*/bin/bench_importacao [--benchmark_filter=Ambas]
//
// The sample is written once into $TORVEDA_AMOSTRA_BENCH (default <tmp>/torveda-bench-importacao)
// by `torveda-cli amostra DIR --colunas 5000 --linhas 5000 --registros 25000` and reused.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>
#include <cstdio>
#include <memory>

#include "base/ApresentadorMudo.h"
#include "data/TdmS.h"
#include "import/ComandosOutorgas.h"
#include "sistema/TSistema.h"

#include "../comum/ExecutaBenchmarks.h"

namespace {

QString PastaAmostra() {
  const QString dir = qEnvironmentVariable(
      "TORVEDA_AMOSTRA_BENCH", QDir::tempPath() + QStringLiteral("/torveda-bench-importacao"));
  if (QDir(dir + QStringLiteral("/Dados")).exists()) return dir;
  std::fprintf(stderr, "Criando a bacia de exemplo em escala real em %s ...\n", qPrintable(dir));
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(QStringLiteral(TORVEDA_CLI),
          {QStringLiteral("amostra"), dir, QStringLiteral("--colunas"), QStringLiteral("5000"),
           QStringLiteral("--linhas"), QStringLiteral("5000"), QStringLiteral("--registros"),
           QStringLiteral("25000")});
  if (!p.waitForFinished(-1) || p.exitCode() != 0) {
    std::fprintf(stderr, "torveda-cli amostra falhou\n");
    std::exit(1);
  }
  return dir;
}

TSistema& Sistema() {
  static std::unique_ptr<TSistema> sistema = [] {
    TApresentadorMudo apresentador;
    auto s = std::make_unique<TSistema>(TCaminhos(PastaAmostra(), QStringLiteral("TORVEDA")));
    QElapsedTimer t;
    t.start();
    s->CriaFormPrincipal(apresentador);
    s->CriaDataModule(apresentador);
    std::fprintf(stderr, "início do sistema (grades, camadas, planilhas): %lld ms\n",
                 static_cast<long long>(t.elapsed()));
    return s;
  }();
  return *sistema;
}

void Contadores(benchmark::State& estado, const TResultadoImportacao& r) {
  int lidas = 0, gravados = 0;
  for (const auto& p : r.Passos) {
    lidas += p.LinhasLidas;
    gravados += p.Gravados;
  }
  estado.counters["linhas"] = lidas;
  estado.counters["pontos"] = gravados;
  if (!r.Completa()) estado.SkipWithError("a importação não foi completa");
}

void BM_ImportaAqem(benchmark::State& estado) {
  TApresentadorMudo apresentador;
  TSistema& s = Sistema();
  TResultadoImportacao r;
  for (auto _ : estado) r = ImportaOutorgasAqem(EntradaAqem(s), apresentador);
  Contadores(estado, r);
}

void BM_ImportaAna(benchmark::State& estado) {
  TApresentadorMudo apresentador;
  TSistema& s = Sistema();
  TResultadoImportacao r;
  for (auto _ : estado) r = ImportaOutorgasAna(EntradaAna(s), apresentador);
  Contadores(estado, r);
}

// The target: both registers together under 2 s.
void BM_ImportaAmbas(benchmark::State& estado) {
  TApresentadorMudo apresentador;
  TSistema& s = Sistema();
  TResultadoImportacao aqem, ana;
  for (auto _ : estado) {
    aqem = ImportaOutorgasAqem(EntradaAqem(s), apresentador);
    ana = ImportaOutorgasAna(EntradaAna(s), apresentador);
  }
  Contadores(estado, aqem);
  if (!ana.Completa()) estado.SkipWithError("a importação federal não foi completa");
}

// What the start-up spends checking the two workbooks (sheets and headings; no row is read).
void BM_LePlanilhas(benchmark::State& estado) {
  TApresentadorMudo apresentador;
  TSistema& s = Sistema();
  for (auto _ : estado) {
    TdmS dm(s.Caminhos());
    dm.Cria(apresentador);
    benchmark::DoNotOptimize(dm.tdbOutorgasAna.NumLinhas());
  }
}

BENCHMARK(BM_ImportaAqem)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_ImportaAna)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_ImportaAmbas)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);
BENCHMARK(BM_LePlanilhas)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return ExecutaBenchmarks(argc, argv);
}
