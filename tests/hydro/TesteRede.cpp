#include <gtest/gtest.h>

#include "GradesTeste.h"
#include "base/Convencoes.h"
#include "comum/ApresentadorRoteirizado.h"

using Convencao::NoExutorio;

// The identifiers of the basin's outlet and the D8 picture are fixed by the data; pin them.
TEST(Convencoes, ExutorioEDirecoes) {
  EXPECT_EQ(Convencao::NoExutorio, 706);
  EXPECT_EQ(Convencao::TrechoExutorio, 698);
  TMalha m(5, 5, 0, 0, 1);
  const std::int64_t c = 12;  // the centre cell
  EXPECT_EQ(m.VizinhoD8(c, 1), c + 1);
  EXPECT_EQ(m.VizinhoD8(c, 2), c + 5 + 1);
  EXPECT_EQ(m.VizinhoD8(c, 4), c + 5);
  EXPECT_EQ(m.VizinhoD8(c, 8), c + 5 - 1);
  EXPECT_EQ(m.VizinhoD8(c, 16), c - 1);
  EXPECT_EQ(m.VizinhoD8(c, 32), c - 5 - 1);
  EXPECT_EQ(m.VizinhoD8(c, 64), c - 5);
  EXPECT_EQ(m.VizinhoD8(c, 128), c - 5 + 1);
  EXPECT_EQ(m.VizinhoD8(c, 3), TMalha::CelulaFora);
  EXPECT_EQ(m.VizinhoD8(c, 1.5), TMalha::CelulaFora);
  EXPECT_EQ(m.VizinhoD8(c, -9999), TMalha::CelulaFora);
}

TEST(Malha, CelulaDoPonto) {
  TMalha m(4, 3, 1000, 2000, 50);
  EXPECT_EQ(m.IndiceCelula({1000, 2149.9}), 0);
  EXPECT_EQ(m.IndiceCelula({1199.9, 2000}), 2 * 4 + 3);
  // On the line between two columns: the eastern one; between two rows: the northern one.
  EXPECT_EQ(m.IndiceCelula({1050, 2010}), 2 * 4 + 1);
  EXPECT_EQ(m.IndiceCelula({1010, 2050}), 1 * 4 + 0);
  // Outside the grid there is no cell, even just west or south of it where Trunc gives 0.
  EXPECT_EQ(m.IndiceCelula({999.9, 2010}), TMalha::CelulaFora);
  EXPECT_EQ(m.IndiceCelula({1010, 1999.9}), TMalha::CelulaFora);
  EXPECT_EQ(m.IndiceCelula({1200, 2010}), TMalha::CelulaFora);
  EXPECT_EQ(m.IndiceCelula({1010, 2150}), TMalha::CelulaFora);
  // Neighbours never wrap into the next row.
  EXPECT_EQ(m.Vizinho(3, 1, 0), TMalha::CelulaFora);
  EXPECT_EQ(m.Vizinho(4, -1, 0), TMalha::CelulaFora);
  EXPECT_EQ(m.Vizinho(1, 0, -1), TMalha::CelulaFora);
}

TEST(Rede, CelulaRedeProximaSegueAOrdem) {
  TGradesTeste g(5, 5);
  TTabelaArcos arcos;
  const TRede rede = g.Rede(arcos);
  const std::int64_t c = g.Celula(2, 2);
  EXPECT_EQ(rede.CelulaRedeProxima(c), c);  // nothing around: the cell itself
  g.Define(g.SemEsp, 1, 1, 7);              // north-west
  EXPECT_EQ(rede.CelulaRedeProxima(c), g.Celula(1, 1));
  g.Define(g.SemEsp, 1, 3, 7);  // south-west comes before north-west
  EXPECT_EQ(rede.CelulaRedeProxima(c), g.Celula(1, 3));
  g.Define(g.SemEsp, 3, 3, 7);  // south-east before south-west
  EXPECT_EQ(rede.CelulaRedeProxima(c), g.Celula(3, 3));
  g.Define(g.SemEsp, 3, 2, 7);  // east first of all
  EXPECT_EQ(rede.CelulaRedeProxima(c), g.Celula(3, 2));
  g.Define(g.SemEsp, 2, 2, 7);  // the cell itself wins
  EXPECT_EQ(rede.CelulaRedeProxima(c), c);
  // At the east border the "east" neighbour is not the next row's first cell.
  g.Define(g.SemEsp, 0, 1, 7);
  EXPECT_EQ(rede.CelulaRedeProxima(g.Celula(4, 0)), g.Celula(4, 0));
  EXPECT_EQ(rede.CelulaRedeProxima(TMalha::CelulaFora), TMalha::CelulaFora);
}

TEST(Rede, AreaDeDrenagem) {
  TGradesTeste g(2, 1);
  g.Define(g.FluxoAc, 0, 0, 400);
  TTabelaArcos arcos;
  const TRede rede = g.Rede(arcos);
  EXPECT_DOUBLE_EQ(rede.AreaDrenagem(0), 1.0);
  EXPECT_EQ(rede.AreaDrenagem(1), 0.0);  // no data
  EXPECT_EQ(rede.AreaDrenagem(TMalha::CelulaFora), 0.0);
}

// Lookups take the first record in record order.
TEST(TabelaArcos, PrimeiroNaOrdemDosRegistros) {
  const TTabelaArcos t({Arco(5, 1, 2), Arco(5, 9, 9, "321"), Arco(6, 1, 3, "654"),
                        Arco(7, 4, 2, "654"), Arco(8, 4, 2, " 777 ")});
  EXPECT_EQ(t.TnodePorHo(5), 2);
  EXPECT_EQ(t.FnodePorHo(5), 1);
  EXPECT_EQ(t.HoPorFnode(1), 5);
  EXPECT_EQ(t.HoPorFnode(4), 7);
  EXPECT_EQ(t.EstFluPorHo(5), 321);  // first record of arc 5 that has a station
  EXPECT_EQ(t.HoPorEstFlu(654), 6);
  EXPECT_EQ(t.HoPorEstFlu(777), 8);
  EXPECT_EQ(t.TnodePorHo(99), 0);
  EXPECT_EQ(t.EstFluPorHo(99), 0);
  TPilhaLongInt p;
  t.EmpilhaChegadas(2, p);
  EXPECT_EQ(p.Itens(), (std::vector<std::int32_t>{5, 7, 8}));
  p.Esvazia();
  t.EmpilhaAfluente(5, 2, p);
  t.EmpilhaAfluente(7, 2, p);
  t.EmpilhaAfluente(6, 3, p);  // none other arrives at 3
  EXPECT_EQ(p.Itens(), (std::vector<std::int32_t>{7, 5}));
  EXPECT_EQ(TTabelaArcos::CodigoEstacao(QStringLiteral("60010000.0")), 60010000);
  EXPECT_EQ(TTabelaArcos::CodigoEstacao(QStringLiteral("abc")), 0);
  EXPECT_EQ(TTabelaArcos::CodigoEstacao(QStringLiteral("99999999999")), 0);
}

TEST(PilhaLongInt, Operacoes) {
  TPilhaLongInt p;
  EXPECT_EQ(p.Desempilha(), 0);
  p.Empilha(4);
  p.Empilha(9);
  EXPECT_EQ(p.Topo(), 2);
  EXPECT_EQ(p.Item(1), 4);
  EXPECT_EQ(p.Item(2), 9);
  EXPECT_EQ(p.Item(3), 0);
  EXPECT_TRUE(p.Contem(4));
  EXPECT_EQ(p.Desempilha(), 9);
  p.Esvazia();
  EXPECT_EQ(p.Topo(), 0);
}

// Two arcs arrive above the section (arc 10): the earlier one (20) leads to a station one arc up,
// the later one (30) to a station two arcs up. The later branch is explored to its end first.
TEST(Rede, EstacaoMontanteRamoPosteriorPrimeiro) {
  const TTabelaArcos t({Arco(10, 1, NoExutorio), Arco(20, 2, 1), Arco(30, 3, 1),
                        Arco(21, 4, 2, "111"), Arco(31, 5, 3), Arco(32, 6, 5, "222")});
  TGradesTeste g(1, 1);
  const TRede rede = g.Rede(t);
  EXPECT_EQ(rede.EstacaoMontante(10), 222);
  EXPECT_EQ(rede.EstacaoMontante(20), 111);
  EXPECT_EQ(rede.EstacaoMontante(32), 0);  // a headwater arc
}

TEST(Rede, EstacaoDoProprioTrechoNaoConta) {
  const TTabelaArcos t({Arco(10, 1, 2, "999"), Arco(11, 2, NoExutorio), Arco(20, 3, 1)});
  TGradesTeste g(1, 1);
  const TRede rede = g.Rede(t);
  EXPECT_EQ(rede.EstacaoMontante(10), 0);
  TPilhaLongInt caminho, afluentes;
  EXPECT_EQ(rede.EstacaoJusante(10, caminho, afluentes), 0);
  EXPECT_EQ(caminho.Itens(), (std::vector<std::int32_t>{11}));
  // From an arc that ends at the outlet the downstream search stops at once.
  caminho.Esvazia();
  EXPECT_EQ(rede.EstacaoJusante(11, caminho, afluentes), 0);
  EXPECT_EQ(caminho.Topo(), 0);
}

// Section on arc 10; below it 11 and 12 (station 500) to the outlet; tributaries 40 at node 2
// and 41 at node 3; above 40 arc 42 with station 700; arc 41 has a station on itself only.
TEST(Rede, JusanteAfluentesEEncontro) {
  const TTabelaArcos t({Arco(10, 1, 2), Arco(11, 2, 3), Arco(12, 3, NoExutorio, "500"),
                        Arco(40, 7, 2), Arco(41, 8, 3, "800"), Arco(42, 9, 7, "700")});
  TGradesTeste g(1, 1);
  const TRede rede = g.Rede(t);
  TPilhaLongInt caminho, afluentes;
  EXPECT_EQ(rede.EstacaoJusante(10, caminho, afluentes), 500);
  EXPECT_EQ(caminho.Itens(), (std::vector<std::int32_t>{11, 12}));
  EXPECT_EQ(afluentes.Itens(), (std::vector<std::int32_t>{40, 41}));
  EXPECT_EQ(rede.EstacaoEmAfluente(afluentes), 700);
  EXPECT_EQ(rede.TrechoDeEncontro(42, caminho), 11);
  EXPECT_EQ(rede.TrechoDeEncontro(41, caminho), 12);
  EXPECT_EQ(rede.TrechoDeEncontro(12, caminho), 0);  // nothing below the outlet
  // Tributaries above which nothing is gauged.
  TPilhaLongInt soAfluente41;
  soAfluente41.Empilha(41);
  EXPECT_EQ(rede.EstacaoEmAfluente(soAfluente41), 0);
}

// Broken tables: a node no arc leaves, and a loop. Every walk ends without a decision, except
// the grant-position walk, for which a dead end counts as reaching the section.
TEST(Rede, TabelasDefeituosasNaoPrendemAsBuscas) {
  const TTabelaArcos morto({Arco(1, 1, 2), Arco(2, 2, 3)});
  TGradesTeste g(1, 1);
  const TRede r1 = g.Rede(morto);
  TPilhaLongInt c, a;
  EXPECT_EQ(r1.EstacaoJusante(1, c, a), 0);
  EXPECT_EQ(r1.TrechoDeEncontro(1, TPilhaLongInt()), 0);
  EXPECT_TRUE(r1.ChegaAoTrecho(1, 99));

  const TTabelaArcos laco({Arco(1, 1, 2), Arco(2, 2, 3), Arco(3, 3, 1), Arco(4, 5, 1)});
  const TRede r2 = g.Rede(laco);
  TPilhaLongInt c2, a2;
  EXPECT_EQ(r2.EstacaoJusante(4, c2, a2), 0);
  EXPECT_EQ(r2.TrechoDeEncontro(4, TPilhaLongInt()), 0);
  EXPECT_EQ(r2.EstacaoMontante(1), 0);
  EXPECT_FALSE(r2.ChegaAoTrecho(4, 99));
  EXPECT_TRUE(r2.ChegaAoTrecho(4, 2));
}

TEST(Rede, PosicaoNaRedeDeArcos) {
  const TTabelaArcos t({Arco(10, 1, 2), Arco(11, 2, 3), Arco(Convencao::TrechoExutorio, 3, 4),
                        Arco(13, 4, NoExutorio), Arco(20, 5, 1), Arco(30, 6, 3)});
  TGradesTeste g(1, 1);
  const TRede rede = g.Rede(t);
  EXPECT_TRUE(rede.ChegaAoTrecho(10, 10));
  EXPECT_TRUE(rede.ChegaAoTrecho(20, 11));
  EXPECT_FALSE(rede.ChegaAoTrecho(30, 11));  // joins below
  EXPECT_FALSE(rede.ChegaAoTrecho(20, 13));  // the walk stops at the outlet arc 698
}

// Segment walks on a river of four cells labelled 7, flowing east along row 1, columns 1 to 4
// of a 6 x 3 grid; the cell at column 5 belongs to another segment.
TEST(Rede, CaminhadasNoSegmento) {
  TGradesTeste g(6, 3);
  g.Rio({{1, 1, 1}, {2, 1, 1}, {3, 1, 1}, {4, 1, 1}}, 7);
  g.Rio({{5, 1, 4}}, 8);
  TTabelaArcos arcos;
  const TRede rede = g.Rede(arcos);
  EXPECT_EQ(rede.DesceSegmento(g.Celula(1, 1), 7), g.Celula(3, 1));
  EXPECT_EQ(rede.SobeSegmento(g.Celula(4, 1), 7), g.Celula(2, 1));
  // Two cells walked downward from the upper one: the upper one.
  EXPECT_EQ(rede.DesceSegmento(g.Celula(3, 1), 7), g.Celula(3, 1));
  EXPECT_EQ(rede.SobeSegmento(g.Celula(2, 1), 7), g.Celula(2, 1));
  // A single cell, or a cell off the segment: no step.
  EXPECT_EQ(rede.DesceSegmento(g.Celula(5, 1), 8), 0);
  EXPECT_EQ(rede.SobeSegmento(g.Celula(5, 1), 8), 0);
  EXPECT_EQ(rede.DesceSegmento(g.Celula(4, 1), 7), 0);
  EXPECT_EQ(rede.SobeSegmento(g.Celula(1, 1), 7), 0);
  EXPECT_EQ(rede.DesceSegmento(g.Celula(0, 0), 7), 0);
}

TEST(Rede, SubidaPrefereSudeste) {
  // Cell (2,1) receives from the south-east (3,2) and from the west (1,1): south-east first.
  TGradesTeste g(5, 4);
  g.Rio({{2, 1, 4}, {3, 2, 32}, {1, 1, 1}, {4, 3, 32}, {0, 1, 1}}, 3);
  TTabelaArcos arcos;
  const TRede rede = g.Rede(arcos);
  EXPECT_EQ(rede.SobeSegmento(g.Celula(2, 1), 3), g.Celula(3, 2));
}

TEST(Rede, LacoDeDirecoesTermina) {
  TGradesTeste g(4, 1);
  g.Rio({{1, 0, 1}, {2, 0, 16}}, 5);  // 1 and 2 drain into each other
  g.Rio({{0, 0, 1}}, 6);
  TTabelaArcos arcos;
  const TRede rede = g.Rede(arcos);
  EXPECT_EQ(rede.DesceSegmento(g.Celula(1, 0), 5), 0);
  EXPECT_EQ(rede.SobeSegmento(g.Celula(1, 0), 5), 0);
  // A flow path round the loop never reaches mapped drainage.
  EXPECT_FALSE(rede.TrechoAlcancado(g.Celula(0, 0)).has_value());
}

TEST(Rede, CaminhoDoFluxoAteADrenagemMapeada) {
  TGradesTeste g(5, 4);
  // Hillside cells (not on any network) draining south-east then east into arc 42 at (3,2).
  g.Define(g.DirEsc, 0, 0, 2);
  g.Define(g.DirEsc, 1, 1, 2);
  g.Define(g.DirEsc, 2, 2, 1);
  g.Define(g.Mapeada, 3, 2, 42.7);
  g.Define(g.DirEsc, 4, 0, 1);  // points out of the grid
  g.Define(g.DirEsc, 0, 3, 3);  // not a direction
  TTabelaArcos arcos;
  const TRede rede = g.Rede(arcos);
  EXPECT_EQ(rede.TrechoAlcancado(g.Celula(0, 0)), 42);
  EXPECT_EQ(rede.TrechoAlcancado(g.Celula(3, 2)), 42);
  EXPECT_FALSE(rede.TrechoAlcancado(g.Celula(4, 0)).has_value());
  EXPECT_FALSE(rede.TrechoAlcancado(g.Celula(0, 3)).has_value());
  EXPECT_FALSE(rede.TrechoAlcancado(TMalha::CelulaFora).has_value());
}

// The ends of an arc's segment: arc 9 runs down column 2 from row 1 to row 4 of a 5 x 6 grid,
// labelled 4 on the network; its extent's centre lies off the river, west of it.
TEST(Rede, TopoEBaseDoTrecho) {
  TApresentadorRoteirizado apresentador;
  TGradesTeste g(5, 6);
  g.Rio({{2, 1, 4}, {2, 2, 4}, {2, 3, 4}, {2, 4, 4}}, 4, 9);
  TArco a = Arco(9, 1, 2);
  a.XMin = TGradesTeste::Xll + 0.5 * TGradesTeste::Lado;
  a.XMax = TGradesTeste::Xll + 2.5 * TGradesTeste::Lado;
  a.YMin = TGradesTeste::Yll + 1.5 * TGradesTeste::Lado;
  a.YMax = TGradesTeste::Yll + 4.5 * TGradesTeste::Lado;
  const TTabelaArcos t({a, Arco(77, 3, 4)});
  const TRede rede = g.Rede(t);
  // The index scan from the centre's cell meets the arc at (2,3): the walks start there.
  EXPECT_EQ(rede.CelulaTopoTrecho(9, apresentador), g.Celula(2, 2));
  EXPECT_EQ(rede.CelulaBaseTrecho(9, apresentador), g.Celula(2, 3));
  EXPECT_TRUE(apresentador.Textos().isEmpty());

  // An arc absent from the grid.
  EXPECT_EQ(rede.CelulaTopoTrecho(77, apresentador), 0);
  EXPECT_EQ(apresentador.Textos(),
            QStringList{QStringLiteral("Erro ao encontrar segmento com equação.")});
}

TEST(Rede, TrechoSemSegmentoNaRede) {
  TApresentadorRoteirizado apresentador;
  TGradesTeste g(5, 5);
  g.Define(g.Mapeada, 2, 2, 9);  // mapped, but no network cell around it
  TArco a = Arco(9, 1, 2);
  a.XMin = a.XMax = TGradesTeste::Xll + 2.5 * TGradesTeste::Lado;
  a.YMin = a.YMax = TGradesTeste::Yll + 2.5 * TGradesTeste::Lado;
  const TTabelaArcos t({a});
  const TRede rede = g.Rede(t);
  EXPECT_EQ(rede.CelulaBaseTrecho(9, apresentador), 0);
  EXPECT_EQ(apresentador.Textos(),
            QStringList{QStringLiteral("Erro ao encontrar segmento sem espúrio com equação.")});
}
