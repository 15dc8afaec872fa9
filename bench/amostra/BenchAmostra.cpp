// Writing the whole sample data tree: the default size used by the tests, and the full scale used
// by the other benchmarks (target: under a minute on the project's 2-core machine). The full-scale
// run also reads its river network back from "Hidrografia" and reports its size: at least 700
// arcs, so that the outlet arc 698 is a member of the numbering and not past its end, and
// tributaries up to Strahler order 5.

#include <benchmark/benchmark.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "amostra/Amostra.h"

namespace {

struct TArco {
  int Ho, Fnode, Tnode;
};

std::vector<TArco> LeArcos(const QString& arquivo) {
  GDALAllRegister();
  std::unique_ptr<GDALDataset> ds(
      GDALDataset::Open(arquivo.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
  std::vector<TArco> arcos;
  if (!ds) return arcos;
  OGRLayer* camada = ds->GetLayer(0);
  camada->ResetReading();
  while (OGRFeature* f = camada->GetNextFeature()) {
    arcos.push_back({f->GetFieldAsInteger("Ho_"), f->GetFieldAsInteger("Fnode_"),
                     f->GetFieldAsInteger("Tnode_")});
    OGRFeature::DestroyFeature(f);
  }
  return arcos;
}

// The largest Strahler order of the arc network: an arc that no arc reaches is of order 1; below
// a node the largest arriving order, plus one when two or more arrive with it.
int OrdemMaxima(const std::vector<TArco>& arcos) {
  std::map<int, std::vector<std::size_t>> chegam;
  for (std::size_t i = 0; i < arcos.size(); ++i) chegam[arcos[i].Tnode].push_back(i);
  std::vector<int> ordem(arcos.size(), 0);
  std::vector<std::size_t> pilha;
  int maior = 0;
  for (std::size_t i = 0; i < arcos.size(); ++i) {
    pilha.push_back(i);
    while (!pilha.empty()) {
      const std::size_t a = pilha.back();
      if (ordem[a]) {
        pilha.pop_back();
        continue;
      }
      bool pronto = true;
      int m = 0, quantos = 0;
      for (std::size_t c : chegam[arcos[a].Fnode]) {
        if (!ordem[c]) {
          pronto = false;
          pilha.push_back(c);
        } else if (ordem[c] > m) {
          m = ordem[c];
          quantos = 1;
        } else if (ordem[c] == m) {
          ++quantos;
        }
      }
      if (!pronto) continue;
      ordem[a] = m == 0 ? 1 : m + (quantos > 1 ? 1 : 0);
      maior = std::max(maior, ordem[a]);
      pilha.pop_back();
    }
  }
  return maior;
}

void GeraEmPasta(benchmark::State& estado, int lado, int registros, bool confereRede) {
  for (auto _ : estado) {
    estado.PauseTiming();
    QTemporaryDir pasta;
    TOpcoesAmostra opcoes;
    opcoes.Colunas = opcoes.Linhas = lado;
    opcoes.Registros = registros;
    estado.ResumeTiming();
    benchmark::DoNotOptimize(GeraAmostra(pasta.path(), opcoes));
    estado.PauseTiming();
    if (confereRede) {
      const auto arcos = LeArcos(pasta.path() + QStringLiteral("/Dados/DadosSIG/Hidrografia.shp"));
      int maiorHo = 0;
      bool saida = false;
      for (const auto& a : arcos) {
        maiorHo = std::max(maiorHo, a.Ho);
        saida = saida || (a.Ho == 698 && a.Tnode == 706);
      }
      const int ordem = OrdemMaxima(arcos);
      estado.counters["trechos"] = static_cast<double>(arcos.size());
      estado.counters["maiorHo"] = maiorHo;
      estado.counters["ordemMaxima"] = ordem;
      if (arcos.size() < 700 || maiorHo <= 698 || !saida || ordem < 5)
        estado.SkipWithError("a rede da escala cheia é pequena demais");
    }
    pasta.remove();
    estado.ResumeTiming();
  }
}

void BM_AmostraPadrao(benchmark::State& estado) { GeraEmPasta(estado, 400, 400, false); }
void BM_AmostraEscalaCheia(benchmark::State& estado) { GeraEmPasta(estado, 5000, 20000, true); }

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
