// Where the flows come from: the equation rows, stations and confluences each method used, the
// line saying why a flow has no value, and the range-of-validity marks.
#include <gtest/gtest.h>

#include <algorithm>

#include "BaseTeste.h"
#include "GradesTeste.h"
#include "comum/ApresentadorRoteirizado.h"
#include "hydro/TPonto.h"

using Convencao::NoExutorio;

namespace {

// The confluence of the regionalization tests: the tributary (arc 10, segment 1) runs south down
// column 2 and joins the main river (arc 11, segment 2) along row 4. Base of arc 10: 0.75 km²;
// top of arc 11: 2.75 km².
class TConfluencia {
 public:
  TConfluencia() : G(10, 6) {
    G.Rio({{2, 0, 4}, {2, 1, 4}, {2, 2, 4}, {2, 3, 2}}, 1, 10);
    for (int l = 0; l < 4; ++l) G.Define(G.FluxoAc, 2, l, 100 * (l + 1));
    for (int c = 3; c <= 9; ++c) {
      G.Rio({{c, 4, 1}}, 2, 11);
      G.Define(G.FluxoAc, c, 4, 1000 + 100 * (c - 3));
    }
  }
  TArco ComExtensao(TArco a, int c0, int l0, int c1, int l1) const {
    const TPontoMapa p0 = G.Centro(c0, l0), p1 = G.Centro(c1, l1);
    a.XMin = std::min(p0.X, p1.X);
    a.XMax = std::max(p0.X, p1.X);
    a.YMin = std::min(p0.Y, p1.Y);
    a.YMax = std::max(p0.Y, p1.Y);
    return a;
  }
  TTabelaArcos Arcos() const {
    return TTabelaArcos({ComExtensao(Arco(10, 1, 2), 2, 0, 2, 3),
                         ComExtensao(Arco(11, 2, NoExutorio, "", 5), 3, 4, 9, 4)});
  }
  TGradesTeste G;
};

void EquacaoComRestricao(TBaseTeste& base, const char* tabela, int chave, int regiaoOuRio,
                         const char* var, const QString& restricao) {
  base.Equacao(tabela, chave, regiaoOuRio, "Lin", 1.0, 0.01, var);
  base.Executa(QStringLiteral("UPDATE %1 SET codRestricao = %2 WHERE %3 = %4")
                   .arg(QString::fromLatin1(tabela), restricao,
                        QString::fromLatin1(tabela) == QStringLiteral("EQ_Tradicional")
                            ? QStringLiteral("codEQQuintaro")
                            : QStringLiteral("codEQPelmar"))
                   .arg(chave));
}

}  // namespace

TEST(Origem, TradicionalEquacoesEMotivos) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Equacao("EQ_Tradicional", 7, 2, "Pot", 0.5, 0.8, "Q710Ob");
  base.Equacao("EQ_Tradicional", 8, 2, "Lin", 1.0, 0.01, "QmldOb");
  base.Equacao("EQ_Tradicional", 9, 2, "Lin", 2.0, 0.01, "QmldOb");  // the later one wins
  base.Equacao("EQ_Tradicional", 10, 2, "pot", 2.0, 0.5, "Q95Ob");   // case matters
  TdmS& dmS = base.Abre();

  TPonto p;
  p.SetRegiao(2);
  p.SetAreaDrenagem(100.0);
  p.CalculaTradicional(dmS.qryEQ_Tradicional, apresentador);
  const TOrigemMetodo& o = p.OrigemTradicional();
  EXPECT_TRUE(o.Resumo.contains(QStringLiteral("região 2"))) << o.Resumo.toStdString();
  ASSERT_EQ(o.EquacoesDaVazao(0).size(), 1u);
  const TEquacaoUsada& q710 = *o.EquacoesDaVazao(0).front();
  EXPECT_EQ(q710.Tabela, QStringLiteral("EQ_Tradicional"));
  EXPECT_EQ(q710.Chave, 7);
  EXPECT_EQ(q710.Regiao, 2);
  EXPECT_EQ(q710.Modelo, QStringLiteral("Pot"));
  EXPECT_EQ(q710.AreaAvaliada, 100.0);
  EXPECT_EQ(q710.Resultado, p.VazoesTradicional().Q710());
  ASSERT_EQ(o.EquacoesDaVazao(3).size(), 1u);
  EXPECT_EQ(o.EquacoesDaVazao(3).front()->Chave, 9);

  // Estimated flows carry no reason; the others say why in one line.
  EXPECT_TRUE(o.Motivos[0].isEmpty());
  EXPECT_TRUE(o.Motivos[3].isEmpty());
  EXPECT_EQ(o.Motivos[1], QStringLiteral("sem equação da região 2 para Q90 em EQ_Tradicional"));
  EXPECT_EQ(o.Motivos[2],
            QStringLiteral("modelo \"pot\" desconhecido na equação EQ_Tradicional 10"));
  EXPECT_TRUE(o.Linhas(1).contains(
      QStringLiteral("Sem estimativa: sem equação da região 2 para Q90 em EQ_Tradicional")));

  // A region without any equation: all four say so. A new placement forgets the origin.
  TPonto semRegiao;
  semRegiao.SetRegiao(4);
  semRegiao.CalculaTradicional(dmS.qryEQ_Tradicional, apresentador);
  EXPECT_EQ(semRegiao.OrigemTradicional().Motivos[0],
            QStringLiteral("sem equação da região 4 para Q7,10 em EQ_Tradicional"));
  semRegiao.Reinicia();
  EXPECT_TRUE(semRegiao.OrigemTradicional().Resumo.isEmpty());
  EXPECT_TRUE(semRegiao.OrigemTradicional().Motivos[0].isEmpty());
}

// The range 12–4.500 km²: both ends belong to it; just outside either end the flow is still
// given, marked with the range.
TEST(Origem, IntervaloDeValidade) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Executa(QStringLiteral("INSERT INTO Restricoes VALUES (3, 12, 4500)"));
  EquacaoComRestricao(base, "EQ_Tradicional", 1, 1, "Q710Ob", QStringLiteral("3"));
  // No range row for the key, and no key at all: unmarked.
  EquacaoComRestricao(base, "EQ_Tradicional", 2, 1, "Q90Ob", QStringLiteral("99"));
  EquacaoComRestricao(base, "EQ_Tradicional", 3, 1, "Q95Ob", QStringLiteral("NULL"));
  TdmS& dmS = base.Abre();

  const QString aviso = QStringLiteral("fora do intervalo de validade da equação: 12–4.500 km²");
  const std::pair<double, bool> casos[] = {
      {11.99, true},    {12.0, false},   {12.01, false},
      {4499.99, false}, {4500.0, false}, {4500.01, true},
  };
  for (const auto& [area, fora] : casos) {
    TPonto p;
    p.SetRegiao(1);
    p.SetAreaDrenagem(area);
    p.CalculaTradicional(dmS.qryEQ_Tradicional, apresentador);
    const TOrigemMetodo& o = p.OrigemTradicional();
    EXPECT_NEAR(p.VazoesTradicional().Q710(), 1.0 + 0.01 * area, 1e-12) << area;
    EXPECT_EQ(o.Avisos[0], fora ? QStringList{aviso} : QStringList{}) << area;
    EXPECT_TRUE(o.Avisos[1].isEmpty()) << area;
    EXPECT_TRUE(o.Avisos[2].isEmpty()) << area;
    EXPECT_TRUE(o.Motivos[0].isEmpty());
    const TEquacaoUsada& e = *o.EquacoesDaVazao(0).front();
    ASSERT_TRUE(e.Intervalo.has_value());
    EXPECT_EQ(e.ForaDoIntervalo(), fora);
    EXPECT_EQ(*o.EquacoesDaVazao(1).front()->CodRestricao, 99);
    EXPECT_FALSE(o.EquacoesDaVazao(1).front()->Intervalo.has_value());
    EXPECT_FALSE(o.EquacoesDaVazao(2).front()->CodRestricao.has_value());
    if (fora) {
      EXPECT_TRUE(o.AvisosDoMetodo().contains(QStringLiteral("Q7,10: ") + aviso));
    }
  }

  // A bound left blank does not limit; a range with decimals keeps them.
  TIntervaloValidade aberto;
  aberto.MaiorAd = 0.5;
  EXPECT_TRUE(aberto.Contem(-1e9));
  EXPECT_FALSE(aberto.Contem(0.6));
  EXPECT_EQ(aberto.Texto(), QStringLiteral("…–0,5 km²"));
}

// A database without the Restricoes table: the flows are given, unmarked, and the summary says
// the ranges were not read.
TEST(Origem, RestricoesIlegiveis) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  EquacaoComRestricao(base, "EQ_Tradicional", 1, 1, "Q710Ob", QStringLiteral("3"));
  base.Executa(QStringLiteral("DROP TABLE Restricoes"));
  TdmS& dmS = base.Abre();
  TPonto p;
  p.SetRegiao(1);
  p.SetAreaDrenagem(5.0);
  p.CalculaTradicional(dmS.qryEQ_Tradicional, apresentador);
  EXPECT_NEAR(p.VazoesTradicional().Q710(), 1.05, 1e-12);
  EXPECT_TRUE(p.OrigemTradicional().Avisos[0].isEmpty());
  EXPECT_TRUE(p.OrigemTradicional().Resumo.contains(QStringLiteral("não lidos")));
}

TEST(Origem, ProporcionalEstacoesEMotivos) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Estacao(1, 100, 2, 4, 6, 8);
  base.Estacao(2, 300, 5, 10, 15, 20);
  base.Estacao(4, 100, 9, 9, 9, 9);  // same area as station 1
  base.Estacao(5, 0, 9, 9, 9, 9);    // no area
  TdmS& dmS = base.Abre();
  TGradesTeste g(1, 1);
  auto calcula = [&](const TTabelaArcos& arcos) {
    auto p = std::make_unique<TPonto>();
    p->SetCodTrecho(10);
    p->SetAreaDrenagem(150.0);
    p->CalculaProporcional(dmS, g.Rede(arcos), apresentador);
    return p;
  };

  // Both stations: each recorded with its role, area and flows.
  auto ambas =
      calcula(TTabelaArcos({Arco(20, 1, 2, "1"), Arco(10, 2, 3), Arco(30, 3, NoExutorio, "2")}));
  const TOrigemMetodo& o = ambas->OrigemProporcional();
  ASSERT_EQ(o.Estacoes.size(), 2u);
  EXPECT_EQ(o.Estacoes[0].Papel, QStringLiteral("montante"));
  EXPECT_EQ(o.Estacoes[0].Codigo, 1);
  EXPECT_EQ(o.Estacoes[0].Ad, 100.0);
  EXPECT_EQ(o.Estacoes[1].Papel, QStringLiteral("jusante"));
  EXPECT_EQ(o.Estacoes[1].Q[3], 20.0);
  for (const QString& m : o.Motivos) EXPECT_TRUE(m.isEmpty());

  const QString nenhuma =
      QStringLiteral("nenhuma estação fluviométrica a montante nem a jusante da seção");
  EXPECT_EQ(calcula(TTabelaArcos({Arco(10, 5, 2), Arco(30, 2, NoExutorio)}))
                ->OrigemProporcional()
                .Motivos,
            (std::array<QString, 4>{nenhuma, nenhuma, nenhuma, nenhuma}));
  EXPECT_EQ(
      calcula(TTabelaArcos({Arco(20, 1, 2, "99"), Arco(10, 2, 3), Arco(30, 3, NoExutorio, "2")}))
          ->OrigemProporcional()
          .Motivos[0],
      QStringLiteral("estação 99 não encontrada em EstFluviometricas"));
  EXPECT_EQ(
      calcula(TTabelaArcos({Arco(20, 1, 2, "1"), Arco(10, 2, 3), Arco(30, 3, NoExutorio, "4")}))
          ->OrigemProporcional()
          .Motivos[2],
      QStringLiteral("as estações 1 e 4 têm a mesma área de drenagem (100 km²): divisão por "
                     "zero"));
  auto semArea = calcula(TTabelaArcos({Arco(10, 2, 3), Arco(30, 3, NoExutorio, "5")}));
  EXPECT_EQ(semArea->VazoesProporcional().Q710(), 0.0);
  EXPECT_EQ(semArea->OrigemProporcional().Motivos[1],
            QStringLiteral("a estação 5 tem área de drenagem 0: divisão por zero"));
}

// The tributary case when the confluence cell cannot be found: no flow, and the line says so.
TEST(Origem, ProporcionalConfluenciaNaoEncontrada) {
  TApresentadorRoteirizado apresentador;
  TConfluencia c;
  // Arc 11 has no extent on the grid of this table: its top cell cannot be found.
  const TTabelaArcos arcos({Arco(20, 9, 1), Arco(10, 3, 1), Arco(11, 1, 2),
                            Arco(12, 2, NoExutorio, "500"), Arco(13, 4, 3, "300")});
  TBaseTeste base;
  base.Estacao(300, 1, 1, 2, 3, 4);
  base.Estacao(500, 5, 3, 6, 9, 12);
  TdmS& dmS = base.Abre();
  TPonto p;
  p.SetCodTrecho(20);
  p.SetAreaDrenagem(0.5);
  p.CalculaProporcional(dmS, c.G.Rede(arcos), apresentador);
  EXPECT_EQ(p.VazoesProporcional().Qmld(), 0.0);
  const TOrigemMetodo& o = p.OrigemProporcional();
  EXPECT_EQ(o.Motivos[0],
            QStringLiteral("célula da confluência não encontrada (topo do trecho 11)"));
  ASSERT_TRUE(o.Confluencia.has_value());
  EXPECT_EQ(o.Confluencia->TrechoAfluente, 13);  // the tributary station's arc
  EXPECT_EQ(o.Confluencia->TrechoReceptor, 11);
  EXPECT_FALSE(o.Confluencia->AdAbaixo.has_value());
}

TEST(Origem, ConservacaoTransferencia) {
  TApresentadorRoteirizado apresentador;
  TConfluencia c;
  TBaseTeste base;
  base.Rio(5);
  base.Executa(QStringLiteral("INSERT INTO Restricoes VALUES (1, 2, 100)"));
  EquacaoComRestricao(base, "EQ_Conservacao", 1, 5, "QmldOb", QStringLiteral("1"));
  base.Equacao("EQ_Conservacao", 2, 5, "Log", 3.0, 0.0, "Q95Ob");
  TdmS& dmS = base.Abre();
  TPonto p;
  p.SetCodTrecho(10);
  p.SetAreaDrenagem(0.5);
  p.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, c.G.Rede(c.Arcos()), apresentador);
  EXPECT_NEAR(p.VazoesConservacao().Qmld(), 0.5 * 0.01, 1e-12);
  const TOrigemMetodo& o = p.OrigemConservacao();
  ASSERT_TRUE(o.Confluencia.has_value());
  EXPECT_EQ(o.Confluencia->TrechoAfluente, 10);
  EXPECT_EQ(o.Confluencia->TrechoReceptor, 11);
  EXPECT_DOUBLE_EQ(*o.Confluencia->AdAbaixo, 2.75);
  EXPECT_DOUBLE_EQ(*o.Confluencia->AdAfluente, 0.75);
  EXPECT_DOUBLE_EQ(*o.Confluencia->AdAcima, 2.0);
  // The equation evaluated above (2 km², at the range's lower end) and below (2,75 km²).
  const auto qmld = o.EquacoesDaVazao(3);
  ASSERT_EQ(qmld.size(), 2u);
  EXPECT_DOUBLE_EQ(qmld[0]->AreaAvaliada, 2.0);
  EXPECT_EQ(qmld[0]->Papel, QStringLiteral("acima da confluência"));
  EXPECT_DOUBLE_EQ(qmld[1]->AreaAvaliada, 2.75);
  EXPECT_EQ(qmld[1]->CodRio, 5);
  EXPECT_TRUE(o.Avisos[3].isEmpty());
  EXPECT_EQ(o.Motivos[0], QStringLiteral("sem equação do rio 5 para Q7,10 em EQ_Conservacao"));
  // "Log" gives the same flow on both sides: the tributary brings nothing.
  EXPECT_TRUE(o.Motivos[2].startsWith(QStringLiteral("a equação dá a mesma vazão acima e abaixo")));

  // The same equation with a range that starts above the area upstream of the confluence.
  TBaseTeste base2;
  base2.Rio(5);
  base2.Executa(QStringLiteral("INSERT INTO Restricoes VALUES (1, 2.5, 100)"));
  EquacaoComRestricao(base2, "EQ_Conservacao", 1, 5, "QmldOb", QStringLiteral("1"));
  TdmS& dmS2 = base2.Abre();
  TPonto q;
  q.SetCodTrecho(10);
  q.SetAreaDrenagem(0.5);
  q.CalculaConservacao(dmS2.qryRios, dmS2.qryEQ_Conservacao, c.G.Rede(c.Arcos()), apresentador);
  EXPECT_NEAR(q.VazoesConservacao().Qmld(), 0.5 * 0.01, 1e-12);
  EXPECT_EQ(q.OrigemConservacao().Avisos[3],
            QStringList{QStringLiteral("fora do intervalo de validade da equação: 2,5–100 km²")});
}

// The segment end of a transfer not found: before, the flow came from the area of cell 0 (a
// negative area above the confluence); now the method gives no flow and says why.
TEST(Origem, ConservacaoCelulaDaConfluenciaNaoEncontrada) {
  TApresentadorRoteirizado apresentador;
  TConfluencia c;
  TBaseTeste base;
  base.Rio(5);
  base.Equacao("EQ_Conservacao", 1, 5, "Lin", 1.0, 0.1, "Q710Ob");
  base.Equacao("EQ_Conservacao", 2, 5, "Lin", 0.0, 0.1, "QmldOb");
  TdmS& dmS = base.Abre();

  // The receiving arc 12 is not on the grids: its top cell is not found.
  const TTabelaArcos semTopo({c.ComExtensao(Arco(10, 1, 2), 2, 0, 2, 3),
                              c.ComExtensao(Arco(12, 2, NoExutorio, "", 5), 3, 4, 9, 4)});
  TPonto p;
  p.SetCodTrecho(10);
  p.SetAreaDrenagem(0.5);
  p.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, c.G.Rede(semTopo), apresentador);
  EXPECT_EQ(p.VazoesConservacao().Q710(), 0.0);
  EXPECT_EQ(p.VazoesConservacao().Qmld(), 0.0);
  const std::array<QString, 4>& m = p.OrigemConservacao().Motivos;
  EXPECT_EQ(m[0], QStringLiteral("célula da confluência não encontrada (topo do trecho 12)"));
  EXPECT_EQ(m[3], m[0]);
  EXPECT_TRUE(p.OrigemConservacao().Equacoes.empty());

  // The joining arc 30 is not on the grids: its base cell is not found.
  const TTabelaArcos semBase(
      {Arco(30, 1, 2), c.ComExtensao(Arco(11, 2, NoExutorio, "", 5), 3, 4, 9, 4)});
  TPonto q;
  q.SetCodTrecho(30);
  q.SetAreaDrenagem(0.5);
  q.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, c.G.Rede(semBase), apresentador);
  EXPECT_EQ(q.VazoesConservacao().Q710(), 0.0);
  EXPECT_EQ(q.OrigemConservacao().Motivos[1],
            QStringLiteral("célula da confluência não encontrada (base do trecho 30)"));

  // A base cell without area: a division by zero, said as such.
  c.G.Define(c.G.FluxoAc, 2, 2, 0);
  TPonto r;
  r.SetCodTrecho(10);
  r.SetAreaDrenagem(0.5);
  r.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, c.G.Rede(c.Arcos()), apresentador);
  EXPECT_EQ(r.VazoesConservacao().Q710(), 0.0);
  EXPECT_EQ(r.OrigemConservacao().Motivos[0],
            QStringLiteral("área de drenagem 0 do afluente na confluência: divisão por zero"));

  // No river with equations below.
  const TTabelaArcos semRio({Arco(10, 1, 2), Arco(11, 2, NoExutorio, "", 7)});
  TPonto s;
  s.SetCodTrecho(10);
  s.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, c.G.Rede(semRio), apresentador);
  EXPECT_EQ(s.OrigemConservacao().Motivos[2],
            QStringLiteral("nenhum rio com equações de conservação de massas a jusante da seção"));
}

// A flow that comes out below zero is no flow: the record holds 0 and the reason names the
// computation and the value; the other flows of the method keep theirs.
TEST(Origem, VazaoNegativaNaoEVazao) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Equacao("EQ_Tradicional", 1, 2, "Lin", -5.0, 0.01, "Q710Ob");
  base.Equacao("EQ_Tradicional", 2, 2, "Pot", 0.5, 0.8, "Q90Ob");
  base.Estacao(1, 100, 2, 4, 6, 8);
  base.Estacao(2, 300, 1, 5, 7, 9);  // Q7,10 falls downstream
  TdmS& dmS = base.Abre();

  TPonto p;
  p.SetRegiao(2);
  p.SetAreaDrenagem(100.0);
  p.CalculaTradicional(dmS.qryEQ_Tradicional, apresentador);
  EXPECT_EQ(p.VazoesTradicional().Q710(), 0.0);
  EXPECT_EQ(p.OrigemTradicional().Motivos[0],
            QStringLiteral("a equação EQ_Tradicional 1 (Lin) em 100 km² dá vazão negativa "
                           "(-4 m³/s)"));
  EXPECT_GT(p.VazoesTradicional().Q90(), 0.0);
  EXPECT_TRUE(p.OrigemTradicional().Motivos[1].isEmpty());

  // Interpolated beyond the downstream station: 2 + (700 - 100) / 200 x (1 - 2) = -1.
  TGradesTeste g(1, 1);
  p.SetCodTrecho(10);
  p.SetAreaDrenagem(700.0);
  p.CalculaProporcional(
      dmS,
      g.Rede(TTabelaArcos({Arco(20, 1, 2, "1"), Arco(10, 2, 3), Arco(30, 3, NoExutorio, "2")})),
      apresentador);
  const TOrigemMetodo& o = p.OrigemProporcional();
  EXPECT_EQ(p.VazoesProporcional().Q710(), 0.0);
  EXPECT_EQ(o.Motivos[0],
            QStringLiteral("a interpolação entre as estações dá vazão negativa (-1 m³/s)"));
  EXPECT_TRUE(o.Avisos[0].isEmpty());
  // The flows that stay are extrapolated, and say so as an equation out of its range does.
  EXPECT_DOUBLE_EQ(p.VazoesProporcional().Q90(), 7.0);
  EXPECT_EQ(o.Avisos[1], QStringList{QStringLiteral(
                             "fora do intervalo das áreas de drenagem das estações: 100–300 km²")});
}

// Inside the stations' range there is nothing to warn of; one station alone is always scaled to
// another area, and the warning names it.
TEST(Origem, ProporcionalAvisaExtrapolacao) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Estacao(1, 100, 2, 4, 6, 8);
  base.Estacao(2, 300, 5, 10, 15, 20);
  TdmS& dmS = base.Abre();
  TGradesTeste g(1, 1);
  TPonto p;
  p.SetCodTrecho(10);
  p.SetAreaDrenagem(300.0);
  p.CalculaProporcional(
      dmS,
      g.Rede(TTabelaArcos({Arco(20, 1, 2, "1"), Arco(10, 2, 3), Arco(30, 3, NoExutorio, "2")})),
      apresentador);
  for (const QStringList& a : p.OrigemProporcional().Avisos) EXPECT_TRUE(a.isEmpty());

  p.SetAreaDrenagem(150.0);
  p.CalculaProporcional(dmS, g.Rede(TTabelaArcos({Arco(10, 2, 3), Arco(30, 3, NoExutorio, "2")})),
                        apresentador);
  EXPECT_EQ(p.OrigemProporcional().Avisos[3],
            QStringList{QStringLiteral("extrapolada da área de drenagem da estação 2: 300 km²")});
  EXPECT_TRUE(p.OrigemProporcional().AvisosDoMetodo().contains(
      QStringLiteral("Qmld: extrapolada da área de drenagem da estação 2: 300 km²")));
}
