#include <gtest/gtest.h>

#include "BaciaTeste.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"

namespace {

// Points whose flow path reaches the section's arc (network says upstream) or leaves the grid
// (network says downstream); the section lies on arc 11.
struct TCasoRegra {
  int Regiao;
  int Unidade;  // IdAdRegiao of the section
  const char* Rio;
  int A;  // drainage unit of the grant
  bool RedeMontante;
  TPosicao Esperada;
};

}  // namespace

TEST(Outorgas, RegrasDasRegioes) {
  TBaciaTeste b;
  const TBacia bacia = b.Bacia();
  const TRede rede = bacia.Rede();
  const TPontoMapa montante = b.G.Centro(7, 1);
  const TPontoMapa fora = b.G.Centro(12, 1);
  const auto M = TPosicao::AMontante;
  const auto J = TPosicao::AJusante;
  const TCasoRegra casos[] = {
      {1, 111, "Rio X", 111, true, M},  // own unit: the network decides
      {1, 111, "Rio X", 111, false, J},
      {1, 111, "Rio X", 250, true, J},  // another region's unit
      {1, 111, "Rio X", 301, true, J},
      {2, 211, "Rio X", 150, true, J},
      {2, 211, "Rio X", 399, true, J},
      {3, 305, "Rio X", 150, true, J},          // region 3 outside unit 312
      {3, 312, "Rio Paracatu", 150, false, M},  // the main stem in 312 receives regions 1 and 2
      {3, 312, "Rio Paracatu", 299, false, M},
      {3, 312, "Rio Preto", 150, true, J},
      {3, 312, "Rio Preto", 312, true, M},
      {0, 111, "Rio Paracatu", 111, true, J},  // no region: nothing counts
      {4, 111, "Rio X", 111, true, J},
      {1, 105, "Rio X", 111, true, J},  // headwater units
      {1, 105, "Rio X", 105, true, M},
      {2, 208, "Rio X", 211, true, J},
      {3, 301, "Rio X", 311, true, J},
      {3, 309, "Rio X", 311, true, M},
      {1, 111, "Rio X", 103, true, J},  // the lists of units below
      {1, 111, "Rio X", 108, true, M},
      {1, 114, "Rio X", 101, true, J},
      {2, 213, "Rio X", 215, true, J},
      {2, 213, "Rio X", 214, true, M},
      {3, 311, "Rio X", 312, true, J},
      {3, 311, "Rio X", 306, true, M},
      {1, 211, "Rio X", 103, true, M},  // only the section's own region's lists apply
      {1, 111, "Rio X", 100, true, M},  // 100 belongs to no region
  };
  for (const auto& c : casos) {
    TPonto p;
    p.SetCodTrecho(11);
    p.SetRegiao(c.Regiao);
    p.SetIdAdRegiao(c.Unidade);
    p.SetNomeRio(QString::fromLatin1(c.Rio));
    EXPECT_EQ(p.PosicaoRelativa(c.RedeMontante ? montante : fora, rede, c.A), c.Esperada)
        << "R=" << c.Regiao << " S=" << c.Unidade << " rio=" << c.Rio << " a=" << c.A;
  }
}

TEST(Outorgas, PosicaoPelaRede) {
  TBaciaTeste b;
  const TBacia bacia = b.Bacia();
  const TRede rede = bacia.Rede();
  TPonto naPrincipal;
  naPrincipal.SetCodTrecho(11);
  // Below the section on its own arc still counts (the arc is the unit of the network).
  EXPECT_EQ(naPrincipal.PosicaoPelaRede(b.G.Centro(9, 1), rede), TPosicao::AMontante);
  EXPECT_EQ(naPrincipal.PosicaoPelaRede(b.G.Centro(0, 0), rede), TPosicao::AMontante);
  TPonto noAfluente;
  noAfluente.SetCodTrecho(10);
  EXPECT_EQ(noAfluente.PosicaoPelaRede(b.G.Centro(0, 0), rede), TPosicao::AMontante);
  EXPECT_EQ(noAfluente.PosicaoPelaRede(b.G.Centro(7, 1), rede), TPosicao::AJusante);
  EXPECT_EQ(noAfluente.PosicaoPelaRede(b.G.Centro(7, 40), rede), TPosicao::AJusante);
  EXPECT_EQ(TextoPosicao(TPosicao::AMontante), QStringLiteral("A montante"));
  EXPECT_EQ(TextoPosicao(TPosicao::AJusante), QStringLiteral("A jusante"));
}

// A section on the Rio Paracatu at cell (6,4), unit 111, region 1.
TEST(Outorgas, SomaMesAMes) {
  TBaciaTeste b;
  using C = QVariantMap;
  // Significant, drains into the section's arc: January 2005 to January 2007.
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(7, 1),
                     C{{"Vazao", 0.5}, {"Datapublic", QDate(2005, 1, 31)}, {"Validade", 2}});
  // In unit 105, which lies below unit 111: not counted.
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(0, 0),
                     C{{"Vazao", 9.0}, {"Datapublic", QDate(2005, 1, 31)}, {"Validade", 2}});
  // Outside every drainage unit.
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(6, 5),
                     C{{"Vazao", 9.0}, {"Datapublic", QDate(2005, 1, 31)}, {"Validade", 2}});
  // Blank date.
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(8, 2), C{{"Vazao", 9.0}, {"Validade", 2}});
  // Validity ending before it starts.
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(8, 2),
                     C{{"Vazao", 9.0}, {"Datapublic", QDate(2005, 1, 31)}, {"Validade", -1}});
  // Insignificant: June 2006 to June 2009, 37 months.
  TBaciaTeste::Ponto(*b.Insignif, b.G.Centro(8, 1),
                     C{{"Vazao", 0.25}, {"Dataexpedi", QDate(2006, 6, 10)}});
  // Federal: 0.2 in January, nothing in July, from March 2010 to February 2012.
  TBaciaTeste::Ponto(*b.Ana, b.G.Centro(7, 0),
                     C{{"Qjan", 0.2},
                       {"Qjul", 0.0},
                       {"Qfev", 0.05},
                       {"DataPub01", QDate(2010, 3, 1)},
                       {"DataVenc01", QDate(2012, 2, 15)}});

  const TBacia bacia = b.Bacia();
  TPonto p;
  IdentificaSecao(p, bacia, b.G.Centro(6, 4));
  ASSERT_EQ(p.CodTrecho(), 11);
  ASSERT_EQ(p.IdAdRegiao(), 111);
  ASSERT_EQ(p.Regiao(), 1);

  struct TProgresso {
    int Max, Pos;
    QString Texto;
  };
  std::vector<TProgresso> progresso;
  p.OnProgresso = [&](TPonto& sender, std::int32_t max, std::int32_t pos, const QString& t) {
    EXPECT_EQ(&sender, &p);
    progresso.push_back({max, pos, t});
  };
  p.CalculaOutorgas(*b.Signif, *b.Insignif, *b.Ana, *b.AdRegioes, bacia.Rede());

  int mesesEstaduais = 0;
  for (int ano = 1980; ano <= 2100; ++ano)
    for (int mes = 1; mes <= 12; ++mes) {
      const int k = ano * 12 + mes - 1;
      double esperado = 0.0;
      if (k >= 2005 * 12 && k <= 2007 * 12) esperado += 0.5;
      if (k >= 2006 * 12 + 5 && k <= 2009 * 12 + 5) esperado += 0.25;
      if (esperado != 0.0) ++mesesEstaduais;
      EXPECT_DOUBLE_EQ(p.OutorgadaEstadual(mes, ano), esperado) << mes << "/" << ano;
      double federal = 0.0;
      if (ano == 2011 && mes == 1) federal = 0.2;
      if (ano == 2012 && mes == 1) federal = 0.2;
      if ((ano == 2011 || ano == 2012) && mes == 2) federal = 0.05;
      EXPECT_DOUBLE_EQ(p.OutorgadaFederal(mes, ano), federal) << mes << "/" << ano;
    }
  EXPECT_EQ(mesesEstaduais, 25 + 37 - 8);

  ASSERT_EQ(progresso.size(), 7u);
  EXPECT_EQ(progresso[0].Max, 5);
  EXPECT_EQ(progresso[0].Pos, 1);
  EXPECT_EQ(progresso[4].Pos, 5);
  EXPECT_EQ(progresso[0].Texto, QStringLiteral("Calculando vazões outorgadas significante..."));
  EXPECT_EQ(progresso[5].Max, 1);
  EXPECT_EQ(progresso[5].Texto, QStringLiteral("Calculando vazões outorgadas insignificante..."));
  EXPECT_EQ(progresso[6].Texto, QStringLiteral("Calculando vazões outorgadas ANA..."));
}

// Months outside 1980-2100 are written nowhere, and a validity of centuries costs nothing.
TEST(Outorgas, MesesForaDasTabelas) {
  TBaciaTeste b;
  using C = QVariantMap;
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(7, 1),
                     C{{"Vazao", 1.0}, {"Datapublic", QDate(1979, 11, 15)}, {"Validade", 2000000}});
  TBaciaTeste::Ponto(
      *b.Ana, b.G.Centro(7, 1),
      C{{"Qdez", 3.0}, {"DataPub01", QDate(1900, 1, 1)}, {"DataVenc01", QDate(1979, 12, 31)}});
  const TBacia bacia = b.Bacia();
  TPonto p;
  IdentificaSecao(p, bacia, b.G.Centro(6, 4));
  p.CalculaOutorgas(*b.Signif, *b.Insignif, *b.Ana, *b.AdRegioes, bacia.Rede());
  EXPECT_EQ(p.OutorgadaEstadual(1, 1980), 1.0);
  EXPECT_EQ(p.OutorgadaEstadual(12, 2100), 1.0);
  EXPECT_EQ(p.OutorgadaEstadual(12, 1979), 0.0);
  EXPECT_EQ(p.OutorgadaEstadual(1, 2101), 0.0);
  for (int ano = 1980; ano <= 2100; ++ano) EXPECT_EQ(p.OutorgadaFederal(12, ano), 0.0);
}
