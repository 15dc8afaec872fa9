// The map engine's hot paths.
//
//   bench_gis                         synthetic layers
//   TORVEDA_DADOS=<data tree> bench_gis
//                                     the redraw also runs on the basin in <tree>/Dados/DadosSIG
//                                     (e.g. the full-scale sample written by torveda-cli amostra)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gis/CatalogoCamadas.h"
#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"
#include "gis/TConversorCoordenadas.h"
#include "gis/TDadosShape.h"
#include "gis/TMap.h"
#include "gis/TRegistros.h"

namespace {

QTemporaryDir& Pasta() {
  static QTemporaryDir pasta;
  return pasta;
}

// 30 polygons of 2,000 vertices each, a 6 x 5 mosaic of wavy discs over 60 x 50 km.
TCamada& Mosaico() {
  static std::unique_ptr<TCamada> camada = [] {
    auto dados =
        TDadosShape::Cria(Pasta().filePath(QStringLiteral("Mosaico")), TTipoGeometria::Poligono,
                          {TCampo::Inteiro(QStringLiteral("ID"))});
    TRegistros r(dados, {});
    for (int j = 0; j < 5; ++j)
      for (int i = 0; i < 6; ++i) {
        const double cx = 300000 + i * 10000 + 5000, cy = 8200000 + j * 10000 + 5000;
        std::vector<TPontoMapa> anel;
        for (int k = 0; k < 2000; ++k) {
          const double a = 2 * M_PI * k / 2000;
          const double raio = 5000 + 400 * std::sin(13 * a) + 150 * std::sin(57 * a);
          anel.push_back({cx + raio * std::cos(a), cy + raio * std::sin(a)});
        }
        r.AdicionaNovo();
        r.DefineForma(TForma::Poligono(std::move(anel)));
        r.Define(QStringLiteral("ID"), 100 + j * 6 + i);
        r.Atualiza();
      }
    r.FimEdicao();
    auto c = std::make_unique<TCamada>();
    c->DefineDados(dados);
    return c;
  }();
  return *camada;
}

std::vector<TPontoMapa> Pontos(int n) {
  QRandomGenerator rnd(42);
  std::vector<TPontoMapa> p;
  for (int i = 0; i < n; ++i)
    p.push_back({300000 + rnd.bounded(60000.0), 8200000 + rnd.bounded(50000.0)});
  return p;
}

void BM_PontoEmPoligono(benchmark::State& state) {
  TCamada& camada = Mosaico();
  const auto pontos = Pontos(20000);
  camada.ContemPonto(pontos[0]);  // the index is built once, outside the timing
  std::int64_t achados = 0;
  for (auto _ : state)
    for (const auto& p : pontos) achados += camada.PrimeiroPoligonoQueContem(p) >= 0 ? 1 : 0;
  benchmark::DoNotOptimize(achados);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(pontos.size()));
  state.counters["us_por_ponto"] = benchmark::Counter(
      static_cast<double>(state.iterations() * pontos.size()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_PontoEmPoligono)->Unit(benchmark::kMillisecond);

// The record-set answer (what the placement and the grants read), with the attribute read.
void BM_ProcuraPorFormaComAtributo(benchmark::State& state) {
  TCamada& camada = Mosaico();
  const auto pontos = Pontos(20000);
  camada.ContemPonto(pontos[0]);
  std::int64_t soma = 0;
  for (auto _ : state)
    for (const auto& p : pontos) {
      TRegistros r = camada.ProcuraPorForma(p);
      if (!r.Fim()) soma += r.Inteiro(QStringLiteral("ID"));
    }
  benchmark::DoNotOptimize(soma);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(pontos.size()));
}
BENCHMARK(BM_ProcuraPorFormaComAtributo)->Unit(benchmark::kMillisecond);

void BM_ConversaoParaProjetada(benchmark::State& state) {
  const auto& conv = TConversorCoordenadas::Padrao();
  double soma = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) soma += conv.ParaProjetada({-47.0 + i * 1e-4, -15.5}).X;
  }
  benchmark::DoNotOptimize(soma);
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ConversaoParaProjetada)->Unit(benchmark::kMicrosecond);

// The layers of the location window's basin map, opened as at start-up.
struct TBacia {
  std::unique_ptr<TConexaoShape> Conexao;
  std::vector<std::unique_ptr<TCamada>> Camadas;
};

// A synthetic basin of the full sample's size when no data tree is given: an outline of 20,000
// vertices, 6,000 river arcs of 60 vertices, 120 municipalities of 1,500 vertices and 20,000
// grant points.
void EscreveSintetica(const QString& pasta) {
  QRandomGenerator rnd(7);
  const double x0 = 240000, y0 = 8040000, lado = 250000;
  auto limite = TDadosShape::Cria(pasta + QStringLiteral("/Limite"), TTipoGeometria::Poligono,
                                  {TCampo::Inteiro(QStringLiteral("ID"))});
  {
    TRegistros r(limite, {});
    std::vector<TPontoMapa> anel;
    for (int k = 0; k < 20000; ++k) {
      const double a = 2 * M_PI * k / 20000;
      const double raio = lado * (0.42 + 0.05 * std::sin(7 * a) + 0.01 * std::sin(91 * a));
      anel.push_back({x0 + lado / 2 + raio * std::cos(a), y0 + lado / 2 + raio * std::sin(a)});
    }
    r.AdicionaNovo();
    r.DefineForma(TForma::Poligono(anel));
    r.Atualiza();
    r.FimEdicao();
  }
  auto rios = TDadosShape::Cria(pasta + QStringLiteral("/Hidrografia"), TTipoGeometria::Linha,
                                {TCampo::Inteiro(QStringLiteral("Ho_"))});
  {
    TRegistros r(rios, {});
    for (int i = 0; i < 6000; ++i) {
      std::vector<TPontoMapa> arco;
      double x = x0 + lado * (0.1 + 0.8 * rnd.generateDouble());
      double y = y0 + lado * (0.1 + 0.8 * rnd.generateDouble());
      for (int k = 0; k < 60; ++k) {
        arco.push_back({x, y});
        x += rnd.bounded(100.0) - 30;
        y += rnd.bounded(100.0) - 50;
      }
      r.AdicionaNovo();
      r.DefineForma(TForma::Linha(std::move(arco)));
      r.Define(QStringLiteral("Ho_"), i + 1);
      r.Atualiza();
    }
    r.FimEdicao();
  }
  auto municipios =
      TDadosShape::Cria(pasta + QStringLiteral("/Municipios"), TTipoGeometria::Poligono,
                        {TCampo::Texto(QStringLiteral("Municipio"), 40)});
  {
    TRegistros r(municipios, {});
    for (int j = 0; j < 10; ++j)
      for (int i = 0; i < 12; ++i) {
        const double w = lado / 12, h = lado / 10;
        std::vector<TPontoMapa> anel;
        for (int k = 0; k < 1500; ++k) {
          const double t = k / 1500.0 * 4;
          const int lado4 = static_cast<int>(t);
          const double f = t - lado4;
          const double ruido = 200 * std::sin(k * 0.7);
          double x = x0 + i * w, y = y0 + j * h;
          if (lado4 == 0) x += f * w, y += ruido;
          if (lado4 == 1) x += w + ruido, y += f * h;
          if (lado4 == 2) x += (1 - f) * w, y += h + ruido;
          if (lado4 == 3) x += ruido, y += (1 - f) * h;
          anel.push_back({x, y});
        }
        r.AdicionaNovo();
        r.DefineForma(TForma::Poligono(std::move(anel)));
        r.Define(QStringLiteral("Municipio"), QStringLiteral("Município %1").arg(j * 12 + i));
        r.Atualiza();
      }
    r.FimEdicao();
  }
  auto outorgas = TDadosShape::Cria(pasta + QStringLiteral("/Out_Sup_Signif_AQEM"),
                                    TTipoGeometria::Ponto, {TCampo::Real(QStringLiteral("Vazao"))});
  {
    TRegistros r(outorgas, {});
    for (int i = 0; i < 20000; ++i) {
      r.AdicionaNovo();
      r.DefinePonto({x0 + lado * rnd.generateDouble(), y0 + lado * rnd.generateDouble()});
      r.Define(QStringLiteral("Vazao"), 0.01 * i);
      r.Atualiza();
    }
    r.FimEdicao();
  }
}

TBacia& Bacia() {
  static TBacia bacia = [] {
    TBacia b;
    QString pasta = qEnvironmentVariable("TORVEDA_DADOS");
    if (pasta.isEmpty()) {
      pasta = Pasta().filePath(QStringLiteral("Sintetica"));
      QDir().mkpath(pasta);
      EscreveSintetica(pasta);
    } else {
      pasta += QStringLiteral("/Dados/DadosSIG");
    }
    b.Conexao = std::make_unique<TConexaoShape>(pasta);
    b.Conexao->Conecta();
    for (const auto& item : CatalogoCamadas::Itens()) {
      if (QLatin1String(item.Nome) == QLatin1String("Hidrografia_Principais")) continue;
      auto c = CatalogoCamadas::AbreCamada(*b.Conexao, item);
      CatalogoCamadas::AplicaVisibilidadeInicial(*c);
      if (c->Valida()) b.Camadas.push_back(std::move(c));
    }
    return b;
  }();
  return bacia;
}

// Full redraw of a 1000 x 800 map at full extent: `todas` makes every layer visible.
void Redesenho(benchmark::State& state, bool todas) {
  TBacia& bacia = Bacia();
  for (auto& c : bacia.Camadas) {
    CatalogoCamadas::AplicaVisibilidadeInicial(*c);
    if (todas) c->SetVisivel(true);
  }
  TMap mapa;
  mapa.resize(1000, 800);
  for (auto& c : bacia.Camadas) mapa.AdicionaCamada(c.get());
  mapa.SetExtensao(mapa.ExtensaoTotal());
  mapa.Imagem();  // geometry caches built once, as after the first drawing
  for (auto _ : state) {
    mapa.Refresca();
    benchmark::DoNotOptimize(mapa.Imagem().constBits());
  }
  std::int64_t registros = 0;
  for (auto& c : bacia.Camadas)
    if (c->Visivel()) registros += c->Registros().Conta();
  state.counters["registros"] = static_cast<double>(registros);
}

void BM_RedesenhoInicial(benchmark::State& state) { Redesenho(state, false); }
void BM_RedesenhoTodasVisiveis(benchmark::State& state) { Redesenho(state, true); }
BENCHMARK(BM_RedesenhoInicial)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedesenhoTodasVisiveis)->Unit(benchmark::kMillisecond);

// Opening the basin's layers as start-up does (reading every record).
void BM_AberturaDasCamadas(benchmark::State& state) {
  Bacia();
  QString pasta = qEnvironmentVariable("TORVEDA_DADOS");
  pasta = pasta.isEmpty() ? Pasta().filePath(QStringLiteral("Sintetica"))
                          : pasta + QStringLiteral("/Dados/DadosSIG");
  for (auto _ : state) {
    TConexaoShape conexao(pasta);
    conexao.Conecta();
    std::int64_t n = 0;
    for (const auto& item : CatalogoCamadas::Itens())
      if (auto c = CatalogoCamadas::AbreCamada(conexao, item); c->Valida())
        n += c->Registros().Conta();
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_AberturaDasCamadas)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
