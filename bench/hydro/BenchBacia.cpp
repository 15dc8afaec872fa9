// The contributing basin of a section on the full-scale sample basin (5000 x 5000 cells): the
// walk up the direction grid and the outline, at the outlet (the whole basin) and at a headwater
// section. Targets: 0.5 s and 1 byte of extra memory per grid cell at the outlet, 5 ms at the
// headwater.
//
// The extra memory is measured, not estimated: every allocation of the program goes through the
// counting operator new below, and the counter "bytes/celula" is the peak above the level before
// the delineation, over the grid's cells. The grids themselves are mapped files, never copied.
//
// The basin is the one bench_secao uses (TORVEDA_BENCH_DADOS, default bench-dados/hydro beside
// the build), generated on first use.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QDir>
#include <QGuiApplication>
#include <QJsonObject>
#include <QLocale>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "../comum/BaciaEscalaReal.h"
#include "../comum/ExecutaBenchmarks.h"
#include "hydro/TBaciaContribuicao.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"

namespace {

std::atomic<std::size_t> BytesAtuais{0};
std::atomic<std::size_t> BytesPico{0};

void* Aloca(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  const std::size_t atual = BytesAtuais += malloc_usable_size(p);
  std::size_t pico = BytesPico;
  while (atual > pico && !BytesPico.compare_exchange_weak(pico, atual)) {
  }
  return p;
}

void Libera(void* p) noexcept {
  if (!p) return;
  BytesAtuais -= malloc_usable_size(p);
  std::free(p);
}

}  // namespace

void* operator new(std::size_t n) { return Aloca(n); }
void* operator new[](std::size_t n) { return Aloca(n); }
void operator delete(void* p) noexcept { Libera(p); }
void operator delete[](void* p) noexcept { Libera(p); }
void operator delete(void* p, std::size_t) noexcept { Libera(p); }
void operator delete[](void* p, std::size_t) noexcept { Libera(p); }

namespace {

struct TAmbiente {
  THeaderMDE Header;
  TImagem Dir{true};
  QJsonObject Resumo;
  QString Erro;
};

TAmbiente& Ambiente() {
  static TAmbiente a;
  static const bool pronto = [] {
    const QString dir = PastaBaciaEscalaReal();
    a.Resumo = PreparaBaciaEscalaReal(dir);
    const QString matrizes = dir + QStringLiteral("/Dados/DadosSIG/Matrizes/");
    try {
      a.Header.Carrega(matrizes + QStringLiteral("Header.hdr"));
      if (a.Resumo.isEmpty() || !a.Dir.Carrega(matrizes + QStringLiteral("dir_esc.hdr")))
        a.Erro = QStringLiteral("não foi possível gerar ou ler a bacia em ") + dir;
    } catch (const std::exception& e) {
      a.Erro = QString::fromLocal8Bit(e.what());
    }
    return true;
  }();
  (void)pronto;
  return a;
}

std::int64_t Celula(const char* nome) {
  const QJsonObject r = Ambiente().Resumo;
  const QJsonObject s = QString::fromLatin1(nome) == QStringLiteral("exutorio")
                            ? r.value(QStringLiteral("exutorio")).toObject()
                            : r.value(QStringLiteral("secoes"))
                                  .toObject()
                                  .value(QString::fromLatin1(nome))
                                  .toObject();
  return s.value(QStringLiteral("celula")).toInteger();
}

const char* const Secoes[] = {"exutorio", "principal", "cabeceira"};

// Walk and outline together: what the user waits for.
void BM_BaciaDaSecao(benchmark::State& state) {
  TAmbiente& a = Ambiente();
  if (!a.Erro.isEmpty()) {
    state.SkipWithError(qPrintable(a.Erro));
    return;
  }
  const TMalha malha(a.Header);
  const std::int64_t celula = Celula(Secoes[state.range(0)]);
  std::int64_t celulas = 0;
  std::size_t vertices = 0;
  std::size_t extra = 0;
  for (auto _ : state) {
    const std::size_t antes = BytesAtuais;
    BytesPico = antes;
    {
      const TBaciaContribuicao b = TBaciaContribuicao::Delineia(malha, a.Dir, celula);
      const auto contorno = b.Contorno();
      celulas = b.NumCelulas();
      vertices = 0;
      for (const auto& pol : contorno)
        for (const auto& anel : pol) vertices += anel.size();
      benchmark::DoNotOptimize(contorno.data());
    }
    extra = std::max(extra, BytesPico - antes);
  }
  state.SetLabel(Secoes[state.range(0)]);
  state.counters["celulas"] = static_cast<double>(celulas);
  state.counters["vertices"] = static_cast<double>(vertices);
  state.counters["bytes/celula"] =
      static_cast<double>(extra) / static_cast<double>(malha.NumCelulas());
}

// The walk alone.
void BM_Subida(benchmark::State& state) {
  TAmbiente& a = Ambiente();
  if (!a.Erro.isEmpty()) {
    state.SkipWithError(qPrintable(a.Erro));
    return;
  }
  const TMalha malha(a.Header);
  const std::int64_t celula = Celula(Secoes[state.range(0)]);
  for (auto _ : state)
    benchmark::DoNotOptimize(TBaciaContribuicao::Delineia(malha, a.Dir, celula).NumCelulas());
  state.SetLabel(Secoes[state.range(0)]);
}

BENCHMARK(BM_BaciaDaSecao)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Subida)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return ExecutaBenchmarks(argc, argv);
}
