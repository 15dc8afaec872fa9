// The balance of every reach and the downstream check on the sample basin, against the grant
// analysis run at the same cells one section at a time: the road `analise` takes (placement,
// the three regionalizations, the upstream sum, "Ok" then "Calcular").
#include <gtest/gtest.h>

#include <QDate>
#include <QJsonObject>
#include <memory>
#include <random>
#include <unordered_map>
#include <unordered_set>

#include "AmbienteBalanco.h"
#include "base/ApresentadorMudo.h"
#include "base/Convencoes.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/ExecutaCli.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/BalancoRede.h"
#include "grants/FormataNumero.h"
#include "grants/VerificacaoJusante.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

TAmbiente& Ambiente() {
  static TAmbiente* a = [] {
    TApresentadorMudo apresentador;
    auto* amb = new TAmbiente;
    const QString dir = amb->Pasta.Caminho();
    amb->Resumo = Cli({QStringLiteral("amostra"), dir}).Json;
    for (const char* registro : {"aqem", "ana"})
      Cli({QStringLiteral("--dados"), dir, QStringLiteral("importa"),
           QString::fromLatin1(registro)});
    amb->Sistema = std::make_unique<TSistema>(TCaminhos(dir, QStringLiteral("TORVEDA")));
    amb->Sistema->CriaFormPrincipal(apresentador);
    amb->Sistema->CriaDataModule(apresentador);
    amb->Bacia = std::make_unique<TBacia>(BaciaDoSistema(*amb->Sistema));
    amb->Rede = std::make_unique<TRede>(amb->Bacia->Rede());
    amb->Dados = std::make_unique<TRedeBalanco>(*amb->Bacia, *amb->Rede);
    return amb;
  }();
  return *a;
}

// The grant analysis of a section placed at p, as `analise` runs it (without writing the "Ponto"
// layer, which the command-line runs of these tests write).
TResultadoOutorga Analise(TPonto& ponto, const TPontoMapa& p, const QString& vazao,
                          const TCriterioOutorga& criterio) {
  TApresentadorMudo apresentador;
  const TBacia& bacia = *Ambiente().Bacia;
  EXPECT_TRUE(DentroDaBacia(bacia.Limite, p));
  IdentificaSecao(ponto, bacia, p);
  EXPECT_TRUE(ponto.SobreHidrografia());
  CalculaSecao(ponto, bacia, apresentador);
  const TEntradasOutorga e{Inicio, Fim, vazao, criterio};
  TTabelaMeses entrada;
  PreencheEntrada(entrada, Inicio, Fim, vazao, apresentador);
  return CalculaOutorga(ponto, e, entrada, QString(), apresentador);
}

namespace {

// Arcs of three kinds: ending at a confluence, the outlet arc, headwater arcs.
struct TTipos {
  std::vector<std::int32_t> Confluencias, Cabeceiras;
};
TTipos Tipos(const TTabelaArcos& arcos) {
  std::unordered_map<std::int32_t, int> chegam;
  std::unordered_set<std::int32_t> temAcima;
  for (const TArco& a : arcos.Arcos()) ++chegam[a.Tnode];
  for (const TArco& a : arcos.Arcos())
    if (chegam[a.Fnode] > 0) temAcima.insert(a.Ho);
  TTipos t;
  for (const TArco& a : arcos.Arcos()) {
    if (chegam[a.Tnode] >= 2) t.Confluencias.push_back(a.Ho);
    if (!temAcima.count(a.Ho)) t.Cabeceiras.push_back(a.Ho);
  }
  return t;
}

}  // namespace

namespace {

// The grants carried down a network reach exactly the arcs at which the arc walk of the upstream
// sum meets them.
void ComparaComACaminhada(const TRede& rede, const TOutorgasRede& o) {
  std::unordered_set<std::int32_t> trechos;
  for (const TArco& arco : rede.Arcos().Arcos()) trechos.insert(arco.Ho);
  for (std::int32_t h : trechos) {
    const auto& lista = o.ChegamAo(h);
    const std::unordered_set<std::int32_t> chegam(lista.begin(), lista.end());
    for (std::size_t g = 0; g < o.Outorgas().size(); ++g) {
      const TOutorgaRede& x = o.Outorgas()[g];
      if (!x.NaRede) continue;
      const bool semSaida = std::binary_search(o.SemSaida().begin(), o.SemSaida().end(),
                                               static_cast<std::int32_t>(g));
      ASSERT_EQ(chegam.count(static_cast<std::int32_t>(g)) > 0 || semSaida,
                rede.ChegaAoTrecho(x.Trecho, h))
          << "outorga no trecho " << x.Trecho << ", seção no trecho " << h;
    }
  }
}

}  // namespace

TEST(Balanco, GrantsReachTheArcsTheWalkMeets) {
  const TAmbiente& a = Ambiente();
  ASSERT_GT(a.Dados->Outorgas.Outorgas().size(), 50u);
  ComparaComACaminhada(*a.Rede, a.Dados->Outorgas);
}

// The same on an arc table spoilt three ways: an arc missing (the walk stops at a node no arc
// leaves, and grants reach an arc absent from the table), a loop, and an outlet arc that does
// not end at the outlet node (its own grants go on, those from above stop there).
TEST(Balanco, GrantsReachTheArcsTheWalkMeetsOnABrokenNetwork) {
  const TAmbiente& a = Ambiente();
  const TTabelaArcos& original = a.Rede->Arcos();
  const TTipos tipos = Tipos(original);
  ASSERT_GE(tipos.Confluencias.size(), 4u);
  const std::int32_t perdido = original.HoPorFnode(original.TnodePorHo(tipos.Confluencias[0]));
  // An arc that ends at a confluence and has an arc above it: it is made to flow back into the
  // node above that one.
  std::int32_t ciclo = 0, voltaPara = 0;
  for (std::size_t i = 1; i < tipos.Confluencias.size() && !ciclo; ++i)
    for (const TArco& arco : original.Arcos())
      if (arco.Tnode == original.FnodePorHo(tipos.Confluencias[i]) && arco.Ho != perdido) {
        ciclo = tipos.Confluencias[i];
        voltaPara = arco.Fnode;
        break;
      }
  ASSERT_NE(ciclo, 0);
  const std::int32_t depoisDoExutorio = original.FnodePorHo(tipos.Cabeceiras[0]);
  std::vector<TArco> arcos;
  for (TArco arco : original.Arcos()) {
    if (arco.Ho == perdido) continue;
    if (arco.Ho == ciclo) arco.Tnode = voltaPara;
    if (arco.Ho == Convencao::TrechoExutorio) arco.Tnode = depoisDoExutorio;
    arcos.push_back(arco);
  }
  const TTabelaArcos estragada(std::move(arcos));
  const TBacia& b = *a.Bacia;
  const TRede rede(a.Rede->Malha(), b.ImgHidroMapeada, b.ImgHidroSemEsp, b.ImgDirEsc, b.ImgFluxoAc,
                   estragada);
  const TOutorgasRede o(b, rede);
  EXPECT_FALSE(o.SemSaida().empty());
  ComparaComACaminhada(rede, o);
}

// Every figure of the balance at an arc end equals the analysis of a section placed at that
// cell with a request of 0, every month.
TEST(Balanco, AgreesWithTheAnalysisAtArcEnds) {
  TAmbiente& a = Ambiente();
  TApresentadorRoteirizado apresentador;
  const auto b = CalculaBalanco(*a.Bacia, *a.Rede, *a.Dados, Inicio, Fim, Criterio, apresentador);
  ASSERT_TRUE(b);
  ASSERT_GT(b->Trechos.size(), 20u);
  std::unordered_map<std::int32_t, const TTrechoBalanco*> porTrecho;
  for (const TTrechoBalanco& t : b->Trechos) porTrecho[t.Fim.Trecho] = &t;

  const TTipos tipos = Tipos(a.Rede->Arcos());
  std::vector<std::int32_t> amostra{Convencao::TrechoExutorio};
  std::mt19937 sorteio(29);
  for (const auto* lista : {&tipos.Confluencias, &tipos.Cabeceiras})
    for (int i = 0; i < 4 && !lista->empty(); ++i)
      amostra.push_back((*lista)[sorteio() % lista->size()]);

  TPonto& ponto = *a.Sistema->Ponto;
  bool algumaEstadual = false, algumaFederal = false;
  for (std::int32_t h : amostra) {
    ASSERT_TRUE(porTrecho.count(h)) << "trecho " << h;
    const TTrechoBalanco& t = *porTrecho[h];
    const TResultadoOutorga r = Analise(ponto, t.Fim.Centro, QStringLiteral("0"));
    ASSERT_TRUE(r.Completo()) << "trecho " << h;
    EXPECT_EQ(ponto.CodTrecho(), h);
    EXPECT_EQ(t.VazaoCriterio, *r.VazaoCriterio) << "trecho " << h;
    ASSERT_EQ(t.Meses.size(), r.Meses.size());
    for (std::size_t i = 0; i < r.Meses.size(); ++i) {
      const TMesBalanco& m = t.Meses[i];
      const TMesOutorga& esperado = r.Meses[i];
      ASSERT_EQ(m.Mes, esperado.Mes);
      EXPECT_EQ(m.Estadual, esperado.Estadual) << "trecho " << h << " mês " << i;
      EXPECT_EQ(m.Federal, esperado.Federal) << "trecho " << h << " mês " << i;
      ASSERT_TRUE(m.Disponivel);
      EXPECT_EQ(m.Disponivel->Texto, esperado.Anterior);
      EXPECT_EQ(m.Disponivel->Texto, esperado.Posterior);
      EXPECT_EQ(m.Disponivel->Classe, *esperado.CorAnterior);
      algumaEstadual = algumaEstadual || m.Estadual > 0;
      algumaFederal = algumaFederal || m.Federal > 0;
    }
  }
  EXPECT_TRUE(algumaEstadual && algumaFederal) << "a amostra não exercitou as outorgas";
}

// A criterion the analysis refuses is refused the same way, and nothing is computed.
TEST(Balanco, RefusesWhatTheAnalysisRefuses) {
  TAmbiente& a = Ambiente();
  TApresentadorRoteirizado apresentador;
  TCriterioOutorga c = Criterio;
  c.Percentual = QStringLiteral("30,5");
  EXPECT_FALSE(CalculaBalanco(*a.Bacia, *a.Rede, *a.Dados, Inicio, Fim, c, apresentador));
  EXPECT_FALSE(CalculaBalanco(*a.Bacia, *a.Rede, *a.Dados, Fim, Inicio, Criterio, apresentador));
  EXPECT_EQ(apresentador.Textos(), (QStringList{MensagemPercentualNaoInteiro(c.Percentual),
                                                QStringLiteral("Verifique o período.")}));
}

// The downstream verdict: the availability after the grant at the first failing arc, and at the
// arc just above it, equals the analysis placed there with the same request.
TEST(Jusante, FirstFailingArcAgreesWithTheAnalysis) {
  TApresentadorMudo apresentador;
  TAmbiente& a = Ambiente();
  TPonto secao;
  // A section whose own arc has water to spare and below which some arc has less than every arc
  // above it: a request between the two fits at the section and fails first at that arc.
  TPontoMapa p;
  std::size_t k = 0;
  double pedido = 0.0;
  for (const char* nome : {"cabeceira", "afluenteComEstacoes", "rioSemEquacoes", "principal"}) {
    const QJsonObject s =
        a.Resumo.value(QStringLiteral("secoes")).toObject().value(QLatin1String(nome)).toObject();
    p = {s.value(QStringLiteral("X")).toDouble(), s.value(QStringLiteral("Y")).toDouble()};
    const TResultadoOutorga r0 = Analise(secao, p, QStringLiteral("0"));
    ASSERT_TRUE(r0.Completo()) << nome;
    const TVerificacaoJusante v0 =
        VerificaJusante(*a.Bacia, *a.Rede, *a.Dados, secao, r0, apresentador);
    EXPECT_EQ(TextoJusante(v0) ==
                  QStringLiteral("Jusante: critério atendido em todos os trechos até o exutório"),
              !v0.PrimeiraFalha);
    double menorAcima = v0.Trechos.empty() ? 0.0 : v0.Trechos[0].PiorDisponivel;
    for (k = 1; k < v0.Trechos.size() && menorAcima > 0.01; ++k) {
      if (v0.Trechos[k].PiorDisponivel < menorAcima - 0.004) break;
      menorAcima = std::min(menorAcima, v0.Trechos[k].PiorDisponivel);
    }
    if (k >= v0.Trechos.size() || menorAcima <= 0.01) continue;
    const double abaixo = std::max(0.0, v0.Trechos[k].PiorDisponivel);
    pedido = std::round((menorAcima + abaixo) / 2 * 1000) / 1000;
    break;
  }
  ASSERT_GT(pedido, 0.0) << "nenhuma seção da amostra tem um trecho abaixo com menos água";

  TResultadoOutorga r = Analise(secao, p, FormataTabela(pedido));
  ASSERT_TRUE(r.Completo());
  const TVerificacaoJusante v =
      VerificaJusante(*a.Bacia, *a.Rede, *a.Dados, secao, r, apresentador);
  ASSERT_TRUE(v.PrimeiraFalha);
  EXPECT_EQ(*v.PrimeiraFalha, k);
  EXPECT_TRUE(
      TextoJusante(v).startsWith(QStringLiteral("Jusante: critério não atendido no trecho %1 (")
                                     .arg(v.Trechos[k].Fim.Trecho)));
  EXPECT_GT(v.Trechos[k].DistanciaKm, v.Trechos[k - 1].DistanciaKm);

  TPonto outra;
  for (std::size_t i : {k - 1, k}) {
    const TTrechoJusante& t = v.Trechos[i];
    const TResultadoOutorga ali = Analise(outra, t.Fim.Centro, FormataTabela(pedido));
    ASSERT_TRUE(ali.Completo() && ali.Frequencia);
    EXPECT_EQ(t.PiorDisponivel, ali.Frequencia->PiorDisponivel) << "trecho " << t.Fim.Trecho;
    EXPECT_EQ(t.PiorMes, ali.Frequencia->PiorMes);
    EXPECT_EQ(t.PiorAno, ali.Frequencia->PiorAno);
    EXPECT_EQ(t.Atende, i != k);
  }
}
