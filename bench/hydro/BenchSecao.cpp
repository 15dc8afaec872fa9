// One section of interest on the full-scale sample basin: placement, the three
// regionalizations and the upstream grants, as the location window runs them.
//
// The basin (5000 x 5000 cells, 20 000 register rows imported into the grant layers) is made
// once with torveda-cli and kept in TORVEDA_BENCH_DADOS (default: bench-dados/hydro beside the
// build), so later runs start at once.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QJsonObject>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <memory>

#include "../comum/BaciaEscalaReal.h"
#include "../comum/ExecutaBenchmarks.h"
#include "base/ApresentadorMudo.h"
#include "data/TdmS.h"
#include "gis/TCamada.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

struct TAmbiente {
  std::unique_ptr<TSistema> Sistema;
  std::unique_ptr<TBacia> Bacia;
  QJsonObject Secoes;
  QString Erro;
};

TAmbiente& Ambiente() {
  static TAmbiente a = [] {
    TApresentadorMudo apresentador;
    TAmbiente amb;
    const QString dir = PastaBaciaEscalaReal();
    const QJsonObject resumo = PreparaBaciaEscalaReal(dir);
    amb.Secoes = resumo.value(QStringLiteral("secoes")).toObject();
    if (amb.Secoes.isEmpty()) {
      amb.Erro = QStringLiteral("não foi possível gerar a bacia em ") + dir;
      return amb;
    }
    amb.Sistema = std::make_unique<TSistema>(TCaminhos(dir, QStringLiteral("TORVEDA")));
    amb.Sistema->CriaFormPrincipal(apresentador);
    amb.Sistema->CriaDataModule(apresentador);
    try {
      amb.Bacia = std::make_unique<TBacia>(BaciaDoSistema(*amb.Sistema));
    } catch (const std::exception& e) {
      amb.Erro = QString::fromLocal8Bit(e.what());
    }
    return amb;
  }();
  return a;
}

TPontoMapa PontoDaSecao(const char* nome) {
  const QJsonObject s = Ambiente().Secoes.value(QString::fromLatin1(nome)).toObject();
  return {s.value(QStringLiteral("X")).toDouble(), s.value(QStringLiteral("Y")).toDouble()};
}

const char* const NomesSecoes[] = {"principal", "afluenteComEstacoes", "rioSemEquacoes",
                                   "cabeceira"};

bool Pronto(benchmark::State& state) {
  if (Ambiente().Bacia) return true;
  state.SkipWithError(qPrintable(Ambiente().Erro));
  return false;
}

qint64 NumOutorgas() {
  const TBacia& b = *Ambiente().Bacia;
  return b.OutSupSignifAqem.Registros().Conta() + b.OutSupInsignifAqem.Registros().Conta() +
         b.OutSupAna.Registros().Conta();
}

// The whole computation of one section, what the user waits for after confirming it (target on
// the main stem: 30 ms).
void BM_SecaoCompleta(benchmark::State& state) {
  TApresentadorMudo apresentador;
  if (!Pronto(state)) return;
  const TBacia& bacia = *Ambiente().Bacia;
  TPonto& ponto = *Ambiente().Sistema->Ponto;
  const TPontoMapa p = PontoDaSecao(NomesSecoes[state.range(0)]);
  for (auto _ : state) {
    IdentificaSecao(ponto, bacia, p);
    CalculaSecao(ponto, bacia, apresentador);
    benchmark::DoNotOptimize(ponto.OutorgadaEstadual(1, 2010));
  }
  state.SetLabel(NomesSecoes[state.range(0)]);
  state.counters["outorgas"] = static_cast<double>(NumOutorgas());
}

void BM_Colocacao(benchmark::State& state) {
  if (!Pronto(state)) return;
  const TBacia& bacia = *Ambiente().Bacia;
  TPonto& ponto = *Ambiente().Sistema->Ponto;
  const TPontoMapa p = PontoDaSecao("principal");
  for (auto _ : state) IdentificaSecao(ponto, bacia, p);
}

void BM_Regionalizacoes(benchmark::State& state) {
  TApresentadorMudo apresentador;
  if (!Pronto(state)) return;
  const TBacia& bacia = *Ambiente().Bacia;
  TPonto& ponto = *Ambiente().Sistema->Ponto;
  IdentificaSecao(ponto, bacia, PontoDaSecao(NomesSecoes[state.range(0)]));
  const TRede rede = bacia.Rede();
  for (auto _ : state) {
    ponto.CalculaTradicional(bacia.dmS.qryEQ_Tradicional, apresentador);
    ponto.CalculaProporcional(bacia.dmS, rede, apresentador);
    ponto.CalculaConservacao(bacia.dmS.qryRios, bacia.dmS.qryEQ_Conservacao, rede, apresentador);
  }
  state.SetLabel(NomesSecoes[state.range(0)]);
}

void BM_OutorgasMontante(benchmark::State& state) {
  if (!Pronto(state)) return;
  const TBacia& bacia = *Ambiente().Bacia;
  TPonto& ponto = *Ambiente().Sistema->Ponto;
  IdentificaSecao(ponto, bacia, PontoDaSecao(NomesSecoes[state.range(0)]));
  const TRede rede = bacia.Rede();
  for (auto _ : state) {
    // The sum only adds, to the tables and to the lists of examined grants: each run starts
    // from a fresh placement, as in the program, or the lists would grow run after run.
    state.PauseTiming();
    IdentificaSecao(ponto, bacia, PontoDaSecao(NomesSecoes[state.range(0)]));
    state.ResumeTiming();
    ponto.CalculaOutorgas(bacia.OutSupSignifAqem, bacia.OutSupInsignifAqem, bacia.OutSupAna,
                          bacia.AdRegioes, rede);
  }
  state.SetLabel(NomesSecoes[state.range(0)]);
  state.counters["outorgas"] = static_cast<double>(NumOutorgas());
}

// The list of examined grants at full scale: every month of both tables equals the sum of the
// grants listed as counted (checked once, outside the timing); the timing is the list's
// rendering as the CLI writes it.
void BM_ListaDeOutorgas(benchmark::State& state) {
  TApresentadorMudo apresentador;
  if (!Pronto(state)) return;
  const TBacia& bacia = *Ambiente().Bacia;
  TPonto& ponto = *Ambiente().Sistema->Ponto;
  IdentificaSecao(ponto, bacia, PontoDaSecao(NomesSecoes[state.range(0)]));
  CalculaSecao(ponto, bacia, apresentador);
  const TOutorgasConsideradas& l = ponto.Outorgas();
  double diferenca = 0.0;
  for (int ano = Convencao::AnoInicial; ano <= Convencao::AnoFinal; ++ano)
    for (int mes = 1; mes <= 12; ++mes)
      diferenca = std::max(
          {diferenca, std::fabs(l.SomaDoMes(false, mes, ano) - ponto.OutorgadaEstadual(mes, ano)),
           std::fabs(l.SomaDoMes(true, mes, ano) - ponto.OutorgadaFederal(mes, ano))});
  if (diferenca != 0.0 ||
      static_cast<qint64>(l.Consideradas.size() + l.Descartadas.size()) != NumOutorgas()) {
    state.SkipWithError("a lista de outorgas não soma as tabelas mensais");
    return;
  }
  for (auto _ : state) {
    qint64 n = 0;
    for (const auto& o : l.Consideradas) n += o.TextoRegra(l.UnidadeSecao, l.TrechoSecao).size();
    for (const auto& o : l.Descartadas) n += o.TextoRegra(l.UnidadeSecao, l.TrechoSecao).size();
    benchmark::DoNotOptimize(n);
  }
  state.SetLabel(NomesSecoes[state.range(0)]);
  state.counters["consideradas"] = static_cast<double>(l.Consideradas.size());
  state.counters["descartadas"] = static_cast<double>(l.Descartadas.size());
  state.counters["diferencaMaxima"] = diferenca;
}

// Reading the arc table, paid once and again only after the hydrography layer changes.
void BM_TabelaArcos(benchmark::State& state) {
  if (!Pronto(state)) return;
  const TBacia& bacia = *Ambiente().Bacia;
  for (auto _ : state) benchmark::DoNotOptimize(LeTabelaArcos(bacia.Hidrografia).NumArcos());
}

BENCHMARK(BM_SecaoCompleta)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Colocacao)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Regionalizacoes)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutorgasMontante)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaDeOutorgas)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TabelaArcos)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return ExecutaBenchmarks(argc, argv);
}
