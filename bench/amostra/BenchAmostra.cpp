// Writing the whole sample data tree: the default size used by the tests, and the full scale used
// by the other benchmarks (target: under a minute on the project's 2-core machine).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "amostra/Amostra.h"

namespace {

void GeraEmPasta(benchmark::State& estado, int lado, int registros) {
  for (auto _ : estado) {
    estado.PauseTiming();
    QTemporaryDir pasta;
    TOpcoesAmostra opcoes;
    opcoes.Colunas = opcoes.Linhas = lado;
    opcoes.Registros = registros;
    estado.ResumeTiming();
    benchmark::DoNotOptimize(GeraAmostra(pasta.path(), opcoes));
    estado.PauseTiming();
    pasta.remove();
    estado.ResumeTiming();
  }
}

void BM_AmostraPadrao(benchmark::State& estado) { GeraEmPasta(estado, 400, 400); }
void BM_AmostraEscalaCheia(benchmark::State& estado) { GeraEmPasta(estado, 5000, 20000); }

}  // namespace

BENCHMARK(BM_AmostraPadrao)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AmostraEscalaCheia)->Unit(benchmark::kSecond)->Iterations(1);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
