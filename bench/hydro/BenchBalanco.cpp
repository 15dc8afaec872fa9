// The balance of every reach and the downstream check of one request on the full-scale sample
// basin (5000 x 5000 cells, 1 109 arcs, 20 000 register rows), over 31 years (372 months).
// Targets: the whole balance 1 s (BM_BalancoCompleto: reading the network, then the balance);
// the downstream check of one request 100 ms (BM_VerificaJusante/0: the first check on a network
// just read), from the headwater section, the longest path; recolouring the basin availability
// map when the month changes 50 ms (BM_RecoloreMes: the arcs drawn over the map's picture for the
// next month, in a view of the whole basin).
//
// The basin is the one bench_secao uses (TORVEDA_BENCH_DADOS, default bench-dados/hydro beside
// the build), generated on first use.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QJsonObject>
#include <QLocale>
#include <QPainter>
#include <memory>

#include "../comum/BaciaEscalaReal.h"
#include "../comum/ExecutaBenchmarks.h"
#include "base/Apresentador.h"
#include "base/ApresentadorMudo.h"
#include "base/Convencoes.h"
#include "gis/TCamada.h"
#include "gis/gui/TTemaDisponibilidade.h"
#include "grants/AnaliseOutorga.h"
#include "grants/BalancoRede.h"
#include "grants/VerificacaoJusante.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/Calendario.h"
#include "hydro/ColocaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

struct TAmbiente {
  std::unique_ptr<TSistema> Sistema;
  std::unique_ptr<TBacia> Bacia;
  std::unique_ptr<TRede> Rede;
  std::unique_ptr<TRedeBalanco> Dados;
  QJsonObject Secoes;
  QString Erro;
};

TAmbiente& Ambiente() {
  static TAmbiente a = [] {
    TApresentadorMudo apresentador;
    TAmbiente amb;
    const QString dir = PastaBaciaEscalaReal();
    amb.Secoes = PreparaBaciaEscalaReal(dir).value(QStringLiteral("secoes")).toObject();
    if (amb.Secoes.isEmpty()) {
      amb.Erro = QStringLiteral("não foi possível gerar a bacia em ") + dir;
      return amb;
    }
    amb.Sistema = std::make_unique<TSistema>(TCaminhos(dir, QStringLiteral("TORVEDA")));
    amb.Sistema->CriaFormPrincipal(apresentador);
    amb.Sistema->CriaDataModule(apresentador);
    try {
      amb.Bacia = std::make_unique<TBacia>(BaciaDoSistema(*amb.Sistema));
      amb.Rede = std::make_unique<TRede>(amb.Bacia->Rede());
      amb.Dados = std::make_unique<TRedeBalanco>(*amb.Bacia, *amb.Rede);
    } catch (const std::exception& e) {
      amb.Erro = QString::fromLocal8Bit(e.what());
    }
    return amb;
  }();
  return a;
}

bool Pronto(benchmark::State& state) {
  if (Ambiente().Dados) return true;
  state.SkipWithError(qPrintable(Ambiente().Erro));
  return false;
}

const TCriterioOutorga Criterio{QStringLiteral("30"), QStringLiteral("Q90"),
                                QStringLiteral("Tradicional")};
const QDate Inicio(1990, 1, 1);
const QDate Fim(2020, 12, 1);

// Reading the network: the arc ends (one pass over the mapped drainage) and every surface grant,
// carried down the arcs.
void BM_LeRede(benchmark::State& state) {
  if (!Pronto(state)) return;
  const TAmbiente& a = Ambiente();
  for (auto _ : state) {
    const TRedeBalanco dados(*a.Bacia, *a.Rede);
    benchmark::DoNotOptimize(dados.Fins.Todos().size());
  }
  state.counters["trechos"] = static_cast<double>(a.Dados->Fins.Todos().size());
  state.counters["outorgas"] = static_cast<double>(a.Dados->Outorgas.Outorgas().size());
}

// The whole balance as `balanco` computes it: the network read, every arc end placed and
// regionalized, the sums and the availability of every month.
void BM_BalancoCompleto(benchmark::State& state) {
  TApresentadorMudo apresentador;
  if (!Pronto(state)) return;
  const TAmbiente& a = Ambiente();
  for (auto _ : state) {
    const TRedeBalanco dados(*a.Bacia, *a.Rede);
    benchmark::DoNotOptimize(
        CalculaBalanco(*a.Bacia, *a.Rede, dados, Inicio, Fim, Criterio, apresentador));
  }
}

// The balance again on a network already read and placed (another period or percentage).
void BM_Balanco(benchmark::State& state) {
  TApresentadorMudo apresentador;
  if (!Pronto(state)) return;
  const TAmbiente& a = Ambiente();
  std::size_t trechos = 0;
  for (auto _ : state) {
    const auto b = CalculaBalanco(*a.Bacia, *a.Rede, *a.Dados, Inicio, Fim, Criterio, apresentador);
    trechos = b ? b->Trechos.size() : 0;
  }
  state.counters["trechos"] = static_cast<double>(trechos);
  state.counters["meses"] = static_cast<double>(ContaMeses(Inicio, Fim));
}

// The downstream check of one request from a placed and analysed section.
void BM_VerificaJusante(benchmark::State& state) {
  TApresentadorMudo apresentador;
  if (!Pronto(state)) return;
  const TAmbiente& a = Ambiente();
  const QJsonObject s = a.Secoes.value(QStringLiteral("cabeceira")).toObject();
  TPonto ponto;
  IdentificaSecao(
      ponto, *a.Bacia,
      {s.value(QStringLiteral("X")).toDouble(), s.value(QStringLiteral("Y")).toDouble()});
  CalculaSecao(ponto, *a.Bacia, apresentador);
  const TEntradasOutorga e{Inicio, Fim, QStringLiteral("0,05"), Criterio};
  TTabelaMeses entrada;
  PreencheEntrada(entrada, Inicio, Fim, e.VazaoSolicitada, apresentador);
  const TResultadoOutorga r = CalculaOutorga(ponto, e, entrada, QString(), apresentador);
  if (!r.Completo()) {
    state.SkipWithError("a análise da seção não se completou");
    return;
  }
  // The first check on a network just read (state.range(0) 0), or a later one, whose arc ends
  // were placed and summed for the same period by an earlier check (1).
  const bool fria = state.range(0) == 0;
  std::size_t trechos = 0;
  for (auto _ : state) {
    std::unique_ptr<TRedeBalanco> nova;
    if (fria) {
      state.PauseTiming();
      nova = std::make_unique<TRedeBalanco>(*a.Bacia, *a.Rede);
      state.ResumeTiming();
    }
    trechos = VerificaJusante(*a.Bacia, *a.Rede, fria ? *nova : *a.Dados, ponto, r, apresentador)
                  .Trechos.size();
  }
  state.SetLabel(fria ? "primeira" : "seguinte");
  state.counters["trechos"] = static_cast<double>(trechos);
}

// The upstream sums of the outlet arc over 31 years: every grant of the basin, the dearest arc.
void BM_SomaExutorio(benchmark::State& state) {
  TApresentadorMudo apresentador;
  if (!Pronto(state)) return;
  const TAmbiente& a = Ambiente();
  const TFimTrecho* f = a.Dados->Fins.Fim(Convencao::TrechoExutorio);
  TPonto ponto;
  if (!f ||
      !ColocaParaBalanco(ponto, *a.Bacia, *a.Rede, f->Centro, Criterio.Metodo, apresentador)) {
    state.SkipWithError("o trecho do exutório não foi colocado");
    return;
  }
  const std::int32_t primeiro = Inicio.year() * 12 + Inicio.month() - 1;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        a.Dados->Outorgas.Soma(ponto, f->Centro, *a.Rede, primeiro, ContaMeses(Inicio, Fim)));
}

// The basin availability map moved to the next month: the map's picture copied, as a repaint
// does, and every arc drawn over it in its class of that month. The balance and the arcs' pixels
// are made once, before the loop, as the window makes them once per balance and view.
void BM_RecoloreMes(benchmark::State& state) {
  if (!Pronto(state)) return;
  const TAmbiente& a = Ambiente();
  TApresentadorMudo apresentador;
  auto b = CalculaBalanco(*a.Bacia, *a.Rede, *a.Dados, Inicio, Fim, Criterio, apresentador);
  if (!b) {
    state.SkipWithError("o balanço não foi calculado");
    return;
  }
  TTemaDisponibilidade tema;
  tema.DefineLinhas(a.Bacia->Hidrografia);
  tema.DefineBalanco(std::make_shared<const TBalanco>(std::move(*b)));
  // A maximised map on a common screen, the whole basin in view.
  const QSize tamanho(1200, 900);
  const TRetangulo e = a.Bacia->Limite.Extensao();
  const double escala = std::min(tamanho.width() / e.Largura(), tamanho.height() / e.Altura());
  const QTransform vista(escala, 0.0, 0.0, -escala, -e.Esquerda() * escala, e.Topo() * escala);
  QImage mapa(tamanho, QImage::Format_ARGB32_Premultiplied);
  mapa.fill(Qt::white);
  QImage tela(tamanho, QImage::Format_ARGB32_Premultiplied);
  const QRectF area(QPointF(0, 0), QSizeF(tamanho));
  {
    QPainter p(&tela);
    tema.Desenha(p, vista, area);
  }
  int mes = 0;
  for (auto _ : state) {
    mes = (mes + 1) % tema.NumMeses();
    tema.SetMes(mes);
    QPainter p(&tela);
    p.drawImage(QPointF(0, 0), mapa);
    tema.Desenha(p, vista, area);
  }
  state.counters["trechos"] = static_cast<double>(tema.Balanco()->Trechos.size());
  state.counters["meses"] = static_cast<double>(tema.NumMeses());
}

BENCHMARK(BM_LeRede)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BalancoCompleto)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Balanco)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerificaJusante)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SomaExutorio)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoloreMes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return ExecutaBenchmarks(argc, argv);
}
