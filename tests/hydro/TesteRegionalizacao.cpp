#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "BaseTeste.h"
#include "GradesTeste.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "hydro/TPonto.h"

using Convencao::NoExutorio;

namespace {

void EsperaVazoes(const TVazoes& v, double q710, double q90, double q95, double qmld) {
  EXPECT_NEAR(v.Q710(), q710, 1e-12);
  EXPECT_NEAR(v.Q90(), q90, 1e-12);
  EXPECT_NEAR(v.Q95(), q95, 1e-12);
  EXPECT_NEAR(v.Qmld(), qmld, 1e-12);
}

// A tributary (arc 10, segment 1) runs south down column 2 and joins, south-east, the main river
// (arc 11, segment 2) that runs east along row 4 from column 3. Flow accumulation grows along
// both. The segment walks give: base of arc 10 = cell (2,2), 300 cells, 0.75 km^2; top of arc
// 11 = cell (4,4), 1100 cells, 2.75 km^2.
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
  // The arc's extent along the centres of its first and last cells.
  TArco ComExtensao(TArco a, int c0, int l0, int c1, int l1) const {
    const TPontoMapa p0 = G.Centro(c0, l0), p1 = G.Centro(c1, l1);
    a.XMin = std::min(p0.X, p1.X);
    a.XMax = std::max(p0.X, p1.X);
    a.YMin = std::min(p0.Y, p1.Y);
    a.YMax = std::max(p0.Y, p1.Y);
    return a;
  }
  TGradesTeste G;
};

}  // namespace

TEST(Regionalizacao, Tradicional) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Equacao("EQ_Tradicional", 1, 2, "Pot", 0.5, 0.8, "Q710Ob");
  base.Equacao("EQ_Tradicional", 2, 2, "Lin", 1.0, 0.01, "QmldOb");
  base.Equacao("EQ_Tradicional", 3, 2, "Lin", 2.0, 0.01, "QmldOb");  // the later one wins
  base.Equacao("EQ_Tradicional", 4, 2, "Lin", 9.0, 9.0, "Q710Nat");  // not a reference flow
  base.Equacao("EQ_Tradicional", 5, 2, "Lin", 9.0, 9.0, "q90ob");    // case matters
  base.Equacao("EQ_Tradicional", 6, 3, "Log", 7.0, 0.0, "Q90Ob");    // another region
  TdmS& dmS = base.Abre();

  TPonto p;
  p.SetRegiao(2);
  p.SetAreaDrenagem(100.0);
  p.CalculaTradicional(dmS.qryEQ_Tradicional, apresentador);
  EXPECT_NEAR(p.VazoesTradicional().Q710(), 19.9054, 1e-4);
  EXPECT_EQ(p.VazoesTradicional().Q90(), 0.0);
  EXPECT_EQ(p.VazoesTradicional().Q95(), 0.0);
  EXPECT_DOUBLE_EQ(p.VazoesTradicional().Qmld(), 3.0);
  EXPECT_EQ(dmS.qryEQ_Tradicional.SQL(),
            QStringLiteral("SELECT * FROM EQ_Tradicional WHERE Regiao = 2"));
  EXPECT_FALSE(dmS.qryEQ_Tradicional.Ativa());

  // A region without equations leaves the record as the placement left it.
  TPonto semRegiao;
  semRegiao.CalculaTradicional(dmS.qryEQ_Tradicional, apresentador);
  EsperaVazoes(semRegiao.VazoesTradicional(), 0, 0, 0, 0);
}

// A query the database refuses shows its statement and ends the computation with the error.
TEST(Regionalizacao, ConsultaRecusadaMostraOSql) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Executa(QStringLiteral("DROP TABLE EQ_Tradicional"));
  TdmS& dmS = base.Abre();
  apresentador.Limpa();
  TPonto p;
  p.SetRegiao(1);
  EXPECT_THROW(p.CalculaTradicional(dmS.qryEQ_Tradicional, apresentador), ETorveda);
  ASSERT_EQ(apresentador.Registros().size(), 1);
  EXPECT_EQ(apresentador.Registros()[0].Tipo, TApresentadorRoteirizado::TTipo::Mensagem);
  EXPECT_EQ(apresentador.Registros()[0].Texto,
            QStringLiteral("SELECT * FROM EQ_Tradicional WHERE Regiao = 1"));
}

// Stations above (1: 100 km^2), below (2: 300 km^2) or both, on the arcs 20 -> 10 -> 30 -> 706.
TEST(Regionalizacao, ProporcionalMontanteEJusante) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Estacao(1, 100, 2, 4, 6, 8);
  base.Estacao(2, 300, 5, 10, 15, 20);
  base.Estacao(3, 400, 8, 16, 24, 32);
  base.Estacao(4, 100, 9, 9, 9, 9);  // same area as station 1
  TdmS& dmS = base.Abre();
  TGradesTeste g(1, 1);

  const TTabelaArcos ambas({Arco(20, 1, 2, "1"), Arco(10, 2, 3), Arco(30, 3, NoExutorio, "2")});
  TPonto p;
  p.SetCodTrecho(10);
  p.SetAreaDrenagem(150.0);
  p.CalculaProporcional(dmS, g.Rede(ambas), apresentador);
  EsperaVazoes(p.VazoesProporcional(), 2.75, 5.5, 8.25, 11.0);

  const TTabelaArcos soJusante({Arco(10, 2, 3), Arco(30, 3, NoExutorio, "3")});
  p.VazoesProporcional().Zera();
  p.SetAreaDrenagem(100.0);
  p.CalculaProporcional(dmS, g.Rede(soJusante), apresentador);
  EsperaVazoes(p.VazoesProporcional(), 2, 4, 6, 8);

  const TTabelaArcos soMontante({Arco(20, 1, 2, "2"), Arco(10, 2, 3), Arco(30, 3, NoExutorio)});
  p.SetAreaDrenagem(150.0);
  p.CalculaProporcional(dmS, g.Rede(soMontante), apresentador);
  EsperaVazoes(p.VazoesProporcional(), 2.5, 5, 7.5, 10);

  // No station above nor below (the one on the side arc 20 counts for neither, and nothing
  // lies above it): nothing is written.
  const TTabelaArcos nenhuma({Arco(20, 1, 2, "1"), Arco(10, 5, 2), Arco(30, 2, NoExutorio)});
  p.SetCodTrecho(10);
  p.VazoesProporcional().SetQ710(7.0);
  p.CalculaProporcional(dmS, g.Rede(nenhuma), apresentador);
  EXPECT_EQ(p.VazoesProporcional().Q710(), 7.0);

  // A station missing from the table, or two stations of the same area, zero the record.
  const TTabelaArcos ausente({Arco(20, 1, 2, "99"), Arco(10, 2, 3), Arco(30, 3, NoExutorio, "2")});
  p.CalculaProporcional(dmS, g.Rede(ausente), apresentador);
  EsperaVazoes(p.VazoesProporcional(), 0, 0, 0, 0);
  const TTabelaArcos mesmaArea({Arco(20, 1, 2, "1"), Arco(10, 2, 3), Arco(30, 3, NoExutorio, "4")});
  p.VazoesProporcional().SetQ710(7.0);
  p.CalculaProporcional(dmS, g.Rede(mesmaArea), apresentador);
  EsperaVazoes(p.VazoesProporcional(), 0, 0, 0, 0);
  EXPECT_TRUE(apresentador.Textos(TApresentadorRoteirizado::TTipo::Mensagem).isEmpty());
}

// Section on arc 20 with nothing above it; below: 11 (the main river of the grid) and 12 with
// station 500. The tributary 10 joins at node 1 and has station 300 on arc 13 above it. The
// tributary's water reaches the path at arc 11, whose top cell has 2.75 km^2.
TEST(Regionalizacao, ProporcionalPorAfluente) {
  TApresentadorRoteirizado apresentador;
  TConfluencia c;
  const TTabelaArcos arcos({Arco(20, 9, 1), Arco(10, 3, 1),
                            c.ComExtensao(Arco(11, 1, 2), 3, 4, 9, 4),
                            Arco(12, 2, NoExutorio, "500"), Arco(13, 4, 3, "300")});
  TBaseTeste base;
  base.Estacao(300, 1, 1, 2, 3, 4);
  base.Estacao(500, 5, 3, 6, 9, 12);
  TdmS& dmS = base.Abre();

  TPonto p;
  p.SetCodTrecho(20);
  p.SetAreaDrenagem(0.5);
  p.CalculaProporcional(dmS, c.G.Rede(arcos), apresentador);
  // At 2.75 km^2 between the stations, then scaled to 0.5 km^2.
  const double f = (2.75 - 1.0) / 4.0;
  EsperaVazoes(p.VazoesProporcional(), 0.5 / 2.75 * (1 + f * 2), 0.5 / 2.75 * (2 + f * 4),
               0.5 / 2.75 * (3 + f * 6), 0.5 / 2.75 * (4 + f * 8));
  EXPECT_TRUE(apresentador.Textos().isEmpty() ||
              apresentador.Textos(TApresentadorRoteirizado::TTipo::Mensagem).isEmpty());

  // One of the four interpolated flows equal to 0 zeroes all four.
  TBaseTeste base2;
  base2.Estacao(300, 1, 1, 2, 0, 4);
  base2.Estacao(500, 5, 3, 6, 0, 12);
  TPonto q;
  q.SetCodTrecho(20);
  q.SetAreaDrenagem(0.5);
  q.VazoesProporcional().SetQ710(1.0);
  q.CalculaProporcional(base2.Abre(), c.G.Rede(arcos), apresentador);
  EsperaVazoes(q.VazoesProporcional(), 0, 0, 0, 0);
}

TEST(Regionalizacao, ConservacaoNoProprioRio) {
  TApresentadorRoteirizado apresentador;
  TBaseTeste base;
  base.Rio(5);
  base.Equacao("EQ_Conservacao", 1, 5, "Lin", 1.0, 0.01, "Q710Ob");
  base.Equacao("EQ_Conservacao", 2, 5, "Exp", 0.0, 0.0, "Q95Ob");
  base.Equacao("EQ_Conservacao", 3, 6, "Log", 9.0, 0.0, "Q90Ob");
  TdmS& dmS = base.Abre();
  TGradesTeste g(1, 1);
  const TTabelaArcos arcos({Arco(10, 1, NoExutorio, "", 5)});
  TPonto p;
  p.SetCodTrecho(10);
  p.SetCodEqConserv(5);
  p.SetAreaDrenagem(250.0);
  p.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, g.Rede(arcos), apresentador);
  EsperaVazoes(p.VazoesConservacao(), 3.5, 0, 1, 0);
  EXPECT_FALSE(dmS.qryRios.Ativa());
  EXPECT_FALSE(dmS.qryEQ_Conservacao.Ativa());
}

// The tributary 10 has no equations; the main river 11 (code 5) has. The tributary's flow is
// what the main river gains at the confluence, shared out by area.
TEST(Regionalizacao, ConservacaoPorTransferencia) {
  TApresentadorRoteirizado apresentador;
  TConfluencia c;
  const TTabelaArcos arcos({c.ComExtensao(Arco(10, 1, 2), 2, 0, 2, 3),
                            c.ComExtensao(Arco(11, 2, NoExutorio, "", 5), 3, 4, 9, 4)});
  TBaseTeste base;
  base.Rio(5);
  base.Equacao("EQ_Conservacao", 1, 5, "Pot", 2.0, 0.5, "Q710Ob");
  base.Equacao("EQ_Conservacao", 2, 5, "Lin", 0.0, 0.1, "QmldOb");
  TdmS& dmS = base.Abre();

  TPonto p;
  p.SetCodTrecho(10);
  p.SetAreaDrenagem(0.5);
  p.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, c.G.Rede(arcos), apresentador);
  const double abaixo = 2.75, afluente = 0.75, acima = abaixo - afluente;
  EXPECT_NEAR(p.VazoesConservacao().Q710(),
              0.5 * (2 * std::sqrt(abaixo) - 2 * std::sqrt(acima)) / afluente, 1e-12);
  EXPECT_EQ(p.VazoesConservacao().Q90(), 0.0);
  EXPECT_NEAR(p.VazoesConservacao().Qmld(), 0.5 * 0.1, 1e-12);
  EXPECT_TRUE(apresentador.Textos(TApresentadorRoteirizado::TTipo::Mensagem).isEmpty());

  // No river with equations down to the outlet: nothing is written.
  const TTabelaArcos semRio({Arco(10, 1, 2), Arco(11, 2, NoExutorio, "", 7), Arco(12, 8, 9)});
  TPonto q;
  q.SetCodTrecho(10);
  q.SetAreaDrenagem(0.5);
  q.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, c.G.Rede(semRio), apresentador);
  EsperaVazoes(q.VazoesConservacao(), 0, 0, 0, 0);
}

// A joining river whose base cell has no area (the arc is not on the grids): the messages of the
// segment search, and the record stays at 0 instead of an infinity.
TEST(Regionalizacao, ConservacaoSemAreaDoAfluente) {
  TApresentadorRoteirizado apresentador;
  TConfluencia c;
  const TTabelaArcos arcos(
      {Arco(30, 1, 2), c.ComExtensao(Arco(11, 2, NoExutorio, "", 5), 3, 4, 9, 4)});
  TBaseTeste base;
  base.Rio(5);
  base.Equacao("EQ_Conservacao", 1, 5, "Lin", 0.0, 0.1, "QmldOb");
  TdmS& dmS = base.Abre();
  TPonto p;
  p.SetCodTrecho(30);
  p.SetAreaDrenagem(0.5);
  p.CalculaConservacao(dmS.qryRios, dmS.qryEQ_Conservacao, c.G.Rede(arcos), apresentador);
  EsperaVazoes(p.VazoesConservacao(), 0, 0, 0, 0);
  EXPECT_EQ(apresentador.Textos(TApresentadorRoteirizado::TTipo::Mensagem),
            QStringList{QStringLiteral("Erro ao encontrar segmento com equação.")});
}
