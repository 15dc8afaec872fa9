// The list of grants the upstream sum examined: each counted grant with its months and the rule
// that counted it, each one left out with the reason, and the tables equal to the list's sum.
#include <gtest/gtest.h>

#include "BaciaTeste.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"

namespace {

using C = QVariantMap;

// The significant layer with the holder and the document number, as the import writes them.
void SignificanteCompleta(TBaciaTeste& b) {
  b.Signif = std::make_unique<TCamada>();
  b.Signif->DefineDados(TDadosShape::Cria(
      b.Pasta.Arquivo(QStringLiteral("Out_Sup_Signif_AQEM.shp")), TTipoGeometria::Ponto,
      {TCampo::Real(QStringLiteral("Vazao")), TCampo::Data(QStringLiteral("Datapublic")),
       TCampo::Inteiro(QStringLiteral("Validade")), TCampo::Texto(QStringLiteral("Requerente")),
       TCampo::Inteiro(QStringLiteral("Nportaria"))}));
}

// Every month of the tables equals the sum of the listed grants of its register.
void ConfereSomas(const TPonto& p) {
  for (int ano = 1980; ano <= 2100; ++ano)
    for (int mes = 1; mes <= 12; ++mes) {
      ASSERT_EQ(p.Outorgas().SomaDoMes(false, mes, ano), p.OutorgadaEstadual(mes, ano))
          << mes << "/" << ano;
      ASSERT_EQ(p.Outorgas().SomaDoMes(true, mes, ano), p.OutorgadaFederal(mes, ano))
          << mes << "/" << ano;
    }
}

}  // namespace

// A section on the Rio Paracatu at cell (6,4), unit 111, region 1.
TEST(OutorgasConsideradas, ListaERazoes) {
  TBaciaTeste b;
  SignificanteCompleta(b);
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(7, 1),
                     C{{"Vazao", 0.5},
                       {"Datapublic", QDate(2005, 1, 31)},
                       {"Validade", 2},
                       {"Requerente", QStringLiteral("Fazenda Boa Vista")},
                       {"Nportaria", 1234}});
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(0, 0),  // unit 105 lies below unit 111
                     C{{"Vazao", 9.0}, {"Datapublic", QDate(2005, 1, 31)}, {"Validade", 2}});
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(6, 5),  // in no drainage unit
                     C{{"Vazao", 9.0}, {"Datapublic", QDate(2005, 1, 31)}, {"Validade", 2}});
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(8, 2), C{{"Vazao", 9.0}, {"Validade", 2}});
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(8, 2),
                     C{{"Vazao", 9.0}, {"Datapublic", QDate(2005, 1, 31)}, {"Validade", -1}});
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(8, 2),
                     C{{"Vazao", 9.0}, {"Datapublic", QDate(1950, 5, 1)}, {"Validade", 5}});
  TBaciaTeste::Ponto(*b.Insignif, b.G.Centro(8, 1),
                     C{{"Vazao", 0.25}, {"Dataexpedi", QDate(2006, 6, 10)}});
  TBaciaTeste::Ponto(*b.Ana, b.G.Centro(7, 0),
                     C{{"Qjan", 0.2},
                       {"Qfev", 0.05},
                       {"DataPub01", QDate(2010, 3, 1)},
                       {"DataVenc01", QDate(2012, 2, 15)}});

  const TBacia bacia = b.Bacia();
  TPonto p;
  IdentificaSecao(p, bacia, b.G.Centro(6, 4));
  ASSERT_EQ(p.IdAdRegiao(), 111);
  p.CalculaOutorgas(*b.Signif, *b.Insignif, *b.Ana, *b.AdRegioes, bacia.Rede());
  const TOutorgasConsideradas& l = p.Outorgas();

  ASSERT_EQ(l.Consideradas.size(), 3u);
  const TOutorgaExaminada& a = l.Consideradas[0];
  EXPECT_EQ(a.Cadastro(), QStringLiteral("AQEM"));
  EXPECT_EQ(a.NomeCamada(), QStringLiteral("Out_Sup_Signif_AQEM"));
  EXPECT_EQ(a.Registro, 1);
  EXPECT_EQ(l.Requerente(a), QStringLiteral("Fazenda Boa Vista"));
  EXPECT_EQ(l.Documento(a), QStringLiteral("1234"));
  // The insignificant layer of this basin has neither field.
  EXPECT_EQ(l.Requerente(l.Consideradas[1]), QString());
  EXPECT_EQ(a.TextoVazao(), QStringLiteral("0,5"));
  EXPECT_EQ(a.Inicio, QDate(2005, 1, 31));
  EXPECT_EQ(a.Fim, QDate(2007, 1, 31));
  EXPECT_EQ(a.PrimeiroMes, 2005 * 12);
  EXPECT_EQ(a.NumMeses, 25);
  EXPECT_EQ(a.Unidade, 111);
  EXPECT_EQ(a.Regra, TRegraOutorga::NoTrechoDaSecao);
  EXPECT_EQ(a.TextoRegra(l.UnidadeSecao, l.TrechoSecao), QStringLiteral("no trecho da seção (11)"));

  const TOutorgaExaminada& g = l.Consideradas[1];
  EXPECT_EQ(g.NomeCamada(), QStringLiteral("Out_Sup_Insignif_AQEM"));
  EXPECT_EQ(g.NumMeses, 37);
  EXPECT_EQ(g.Fim, QDate(2009, 6, 10));
  const TOutorgaExaminada& h = l.Consideradas[2];
  EXPECT_EQ(h.Cadastro(), QStringLiteral("ANA"));
  EXPECT_EQ(h.NumMeses, 24);
  EXPECT_FALSE(h.VazaoUnica());
  EXPECT_EQ(h.TextoVazao(), QStringLiteral("0–0,2 (mensal)"));

  struct TEsperado {
    int Registro;
    TRegraOutorga Regra;
    const char* Texto;
  };
  const TEsperado descartadas[] = {
      {2, TRegraOutorga::UnidadeAJusante, "unidade 105 a jusante da unidade da seção (111)"},
      {3, TRegraOutorga::ForaDasUnidades, "fora das unidades de drenagem (Ad_Regioes)"},
      {4, TRegraOutorga::DataEmBranco, "data de validade em branco"},
      {5, TRegraOutorga::ValidadeInvertida, "a validade termina antes de começar"},
      {6, TRegraOutorga::ForaDoPeriodo, "validade fora de 1980–2100"},
  };
  ASSERT_EQ(l.Descartadas.size(), std::size(descartadas));
  for (std::size_t i = 0; i < std::size(descartadas); ++i) {
    const TOutorgaExaminada& o = l.Descartadas[i];
    EXPECT_EQ(o.Registro, descartadas[i].Registro);
    EXPECT_EQ(o.Regra, descartadas[i].Regra) << i;
    EXPECT_FALSE(RegraConta(o.Regra));
    EXPECT_EQ(o.TextoRegra(l.UnidadeSecao, l.TrechoSecao), QString::fromUtf8(descartadas[i].Texto));
  }
  ConfereSomas(p);

  // A new import after the computation: the list no longer names the holder it cannot vouch for.
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(7, 1), C{{"Requerente", QStringLiteral("Outro")}});
  EXPECT_EQ(l.Requerente(a), QStringLiteral("(camada alterada após o cálculo)"));
}

// The network decides inside the section's own unit, and the headwater rule outside it.
TEST(OutorgasConsideradas, RegrasDaRede) {
  TBaciaTeste b;
  const C valida{{"Vazao", 1.0}, {"Datapublic", QDate(2001, 1, 1)}, {"Validade", 1}};
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(0, 0), valida);  // drains to arc 10
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(7, 1), valida);  // unit 111
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(3, 0), valida);  // drains to arc 11
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(4, 0), valida);  // its flow path ends
  b.G.Define(b.G.DirEsc, 4, 0, 0);
  const TBacia bacia = b.Bacia();

  // Section on the main river in headwater unit 105.
  TPonto principal;
  IdentificaSecao(principal, bacia, b.G.Centro(3, 4));
  ASSERT_EQ(principal.IdAdRegiao(), 105);
  principal.CalculaOutorgas(*b.Signif, *b.Insignif, *b.Ana, *b.AdRegioes, bacia.Rede());
  const TOutorgasConsideradas& l = principal.Outorgas();
  ASSERT_EQ(l.Consideradas.size(), 2u);
  EXPECT_EQ(l.Consideradas[0].Regra, TRegraOutorga::MontantePelaRede);
  EXPECT_EQ(l.Consideradas[0].Trecho, 10);
  EXPECT_EQ(l.Consideradas[0].TextoRegra(l.UnidadeSecao, l.TrechoSecao),
            QStringLiteral("a montante pela rede: do trecho 10 desce ao trecho da seção (11)"));
  EXPECT_EQ(l.Consideradas[1].Regra, TRegraOutorga::NoTrechoDaSecao);
  ASSERT_EQ(l.Descartadas.size(), 2u);
  EXPECT_EQ(l.Descartadas[0].Regra, TRegraOutorga::Cabeceira);
  EXPECT_EQ(l.Descartadas[0].TextoRegra(l.UnidadeSecao, l.TrechoSecao),
            QStringLiteral("seção na unidade de cabeceira 105: a unidade 111 não contribui"));
  EXPECT_EQ(l.Descartadas[1].Regra, TRegraOutorga::SemHidrografia);
  ConfereSomas(principal);

  // Section on the tributary: the main river's water never reaches it.
  TPonto afluente;
  IdentificaSecao(afluente, bacia, b.G.Centro(2, 1));
  afluente.CalculaOutorgas(*b.Signif, *b.Insignif, *b.Ana, *b.AdRegioes, bacia.Rede());
  const TOutorgasConsideradas& m = afluente.Outorgas();
  ASSERT_EQ(m.Consideradas.size(), 1u);
  EXPECT_EQ(m.Consideradas[0].Regra, TRegraOutorga::NoTrechoDaSecao);
  ASSERT_EQ(m.Descartadas.size(), 3u);
  EXPECT_EQ(m.Descartadas[1].Regra, TRegraOutorga::JusantePelaRede);
  EXPECT_EQ(m.Descartadas[1].Trecho, 11);
  ConfereSomas(afluente);
}

// The region rules name themselves; the arc walk says how it ended.
TEST(OutorgasConsideradas, RegrasDasRegioes) {
  TBaciaTeste b;
  const TBacia bacia = b.Bacia();
  const TRede rede = bacia.Rede();
  struct TCaso {
    int Regiao, Unidade;
    const char* Rio;
    int A;
    TRegraOutorga Regra;
  };
  const TCaso casos[] = {
      {1, 111, "Rio X", 250, TRegraOutorga::OutraRegiao},
      {3, 305, "Rio X", 150, TRegraOutorga::OutraRegiao},
      {3, 312, "Rio Paracatu", 150, TRegraOutorga::Regiao3Paracatu},
      {3, 312, "Rio Preto", 250, TRegraOutorga::Unidade312OutroRio},
      {0, 111, "Rio X", 111, TRegraOutorga::SemRegiao},
      {1, 111, "Rio X", 103, TRegraOutorga::UnidadeAJusante},
  };
  for (const TCaso& c : casos) {
    TPonto p;
    p.SetCodTrecho(11);
    p.SetRegiao(c.Regiao);
    p.SetIdAdRegiao(c.Unidade);
    p.SetNomeRio(QString::fromLatin1(c.Rio));
    const TVeredito v = p.VereditoRelativo(b.G.Centro(7, 1), rede, c.A);
    EXPECT_EQ(v.Regra, c.Regra) << c.Regiao << " " << c.Unidade << " " << c.A;
    EXPECT_EQ(v.Posicao == TPosicao::AMontante, RegraConta(c.Regra));
    TOutorgaExaminada o;
    o.Regra = v.Regra;
    o.Unidade = c.A;
    EXPECT_FALSE(o.TextoRegra(c.Unidade, 11).isEmpty());
  }

  // A node that no arc leaves counts (as the walk always did); a loop does not.
  TGradesTeste g(1, 1);
  const TTabelaArcos semSaida({Arco(1, 1, 2), Arco(2, 2, 5)});
  EXPECT_EQ(g.Rede(semSaida).ComoChegaAoTrecho(1, 99), TRede::TChegada::NoSemSaida);
  const TTabelaArcos ciclo({Arco(1, 1, 2), Arco(2, 2, 1)});
  EXPECT_EQ(g.Rede(ciclo).ComoChegaAoTrecho(1, 99), TRede::TChegada::Ciclo);
  EXPECT_FALSE(g.Rede(ciclo).ChegaAoTrecho(1, 99));
  TOutorgaExaminada o;
  o.Trecho = 4;
  o.Regra = TRegraOutorga::NoSemSaida;
  EXPECT_TRUE(RegraConta(o.Regra));
  EXPECT_EQ(o.TextoRegra(111, 11),
            QStringLiteral("a montante pela rede: a descida do trecho 4 para num nó sem saída"));
  o.Regra = TRegraOutorga::CicloNaRede;
  EXPECT_FALSE(RegraConta(o.Regra));
}
