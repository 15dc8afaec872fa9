#include <gtest/gtest.h>

#include "BaciaTeste.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "gis/TConversorCoordenadas.h"
#include "hydro/ColocaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"

using TTipo = TApresentadorRoteirizado::TTipo;

TEST(Secao, IdentificaNoRio) {
  TBaciaTeste b;
  const TBacia bacia = b.Bacia();
  TPonto p;
  const TPontoMapa centro = b.G.Centro(6, 4);
  IdentificaSecao(p, bacia, centro);
  EXPECT_EQ(p.CodTrecho(), 11);
  EXPECT_TRUE(p.SobreHidrografia());
  EXPECT_EQ(p.NomeRio(), QStringLiteral("Rio Paracatu"));
  EXPECT_EQ(p.CodEqConserv(), 5);
  EXPECT_EQ(p.Municipio(), QStringLiteral("Paracatu"));
  EXPECT_EQ(p.Estado(), QStringLiteral("MG"));
  EXPECT_EQ(p.Regiao(), 1);
  EXPECT_EQ(p.IdAdRegiao(), 111);
  EXPECT_EQ(p.CoordX(), centro.X);
  EXPECT_EQ(p.CoordY(), centro.Y);
  EXPECT_DOUBLE_EQ(p.AreaDrenagem(), 1300 * 0.0025);
  const TPontoMapa g = TConversorCoordenadas::Padrao().ParaGeografica(centro);
  EXPECT_DOUBLE_EQ(p.Latitude(), -g.Y);
  EXPECT_DOUBLE_EQ(p.Longitude(), -g.X);
  EXPECT_GT(p.Latitude(), 15.0);   // south, positive
  EXPECT_GT(p.Longitude(), 47.0);  // west, positive
  // The projected point and back agree with the conversions the typed flow uses.
  const TPontoMapa volta{TPonto::GeograficaParaX(g), TPonto::GeograficaParaY(g)};
  EXPECT_NEAR(volta.X, centro.X, 1e-6);
  EXPECT_NEAR(volta.Y, centro.Y, 1e-6);
}

TEST(Secao, IdentificaForaDoRioEForaDaBacia) {
  TBaciaTeste b;
  const TBacia bacia = b.Bacia();
  TPonto p;
  // One cell above the river: no arc, but the area of the network cell to the south-east
  // (east is hillside).
  IdentificaSecao(p, bacia, b.G.Centro(5, 3));
  EXPECT_EQ(p.CodTrecho(), -9999);
  EXPECT_FALSE(p.SobreHidrografia());
  EXPECT_TRUE(p.NomeRio().isEmpty());
  EXPECT_DOUBLE_EQ(p.AreaDrenagem(), 1300 * 0.0025);
  // No network cell in the 3 x 3 block: the cell's own accumulation.
  IdentificaSecao(p, bacia, b.G.Centro(7, 1));
  EXPECT_DOUBLE_EQ(p.AreaDrenagem(), 0.0025);
  // On the river but outside the basin outline: every attribute, no area.
  IdentificaSecao(p, bacia, b.G.Centro(9, 4));
  EXPECT_EQ(p.CodTrecho(), 11);
  EXPECT_EQ(p.Municipio(), QStringLiteral("Paracatu"));
  EXPECT_EQ(p.AreaDrenagem(), 0.0);
  // Outside the grid: no cell, no arc, no area.
  IdentificaSecao(p, bacia, b.G.Centro(12, 4));
  EXPECT_EQ(p.CodTrecho(), -9999);
  EXPECT_EQ(p.AreaDrenagem(), 0.0);
  EXPECT_TRUE(p.Municipio().isEmpty());
  EXPECT_EQ(p.IdAdRegiao(), 0);
}

TEST(Secao, NovaColocacaoApagaAAnterior) {
  TBaciaTeste b;
  const TBacia bacia = b.Bacia();
  TPonto p;
  IdentificaSecao(p, bacia, b.G.Centro(6, 4));
  p.VazoesTradicional().SetQ710(1);
  p.VazoesProporcional().SetQ90(1);
  p.VazoesConservacao().SetQmld(1);
  p.SomaOutorgadaEstadual(5, 2005, 1);
  p.SomaOutorgadaFederal(5, 2005, 1);
  IdentificaSecao(p, bacia, b.G.Centro(2, 1));
  EXPECT_EQ(p.CodTrecho(), 10);
  EXPECT_EQ(p.VazoesTradicional().Q710(), 0.0);
  EXPECT_EQ(p.VazoesProporcional().Q90(), 0.0);
  EXPECT_EQ(p.VazoesConservacao().Qmld(), 0.0);
  EXPECT_EQ(p.OutorgadaEstadual(5, 2005), 0.0);
  EXPECT_EQ(p.OutorgadaFederal(5, 2005), 0.0);
}

namespace {

// The "Ponto" layer as written to its files.
qint64 RegistrosGravados(const TCamada& camada) {
  auto d = TDadosShape::Abre(camada.Dados()->Caminho());
  return d ? d->Conta() : -1;
}

}  // namespace

TEST(Secao, CliqueNoRioCalculaEGravaOPonto) {
  TApresentadorRoteirizado apresentador;
  TBaciaTeste b;
  b.Base.Equacao("EQ_Tradicional", 1, 1, "Lin", 1.0, 0.01, "Q710Ob");
  TBaciaTeste::Ponto(*b.Signif, b.G.Centro(7, 1),
                     {{"Vazao", 0.5}, {"Datapublic", QDate(2005, 1, 31)}, {"Validade", 2}});
  const TBacia bacia = b.Bacia();
  apresentador.Limpa();
  TPonto p;
  QStringList eventos;
  TInterfaceSecao ui;
  ui.MostraProgresso = [&] { eventos << QStringLiteral("mostra"); };
  ui.OcultaProgresso = [&] { eventos << QStringLiteral("oculta"); };
  ui.Confirmada = [&] { eventos << QStringLiteral("confirmada"); };
  p.OnProgresso = [&](TPonto&, std::int32_t, std::int32_t, const QString&) {
    if (eventos.last() != QStringLiteral("progresso")) eventos << QStringLiteral("progresso");
  };

  EXPECT_EQ(ColocaSecaoNoPonto(p, bacia, b.G.Centro(6, 4), apresentador, ui),
            TResultadoSecao::Calculada);
  EXPECT_EQ(apresentador.Textos(),
            QStringList{QStringLiteral("Deseja criar a seção de outorga nesta localidade: \nRio: "
                                       "Rio Paracatu\nMunicípio: Paracatu\nEstado: MG\nÁrea de "
                                       "drenagem: 3,25 km²?")});
  EXPECT_EQ(eventos, (QStringList{QStringLiteral("confirmada"), QStringLiteral("mostra"),
                                  QStringLiteral("progresso"), QStringLiteral("oculta")}));
  EXPECT_DOUBLE_EQ(p.VazoesTradicional().Q710(), 1.0 + 0.01 * 3.25);
  EXPECT_EQ(p.OutorgadaEstadual(1, 2006), 0.5);
  EXPECT_EQ(b.CamadaPonto->Registros().Conta(), 1);
  EXPECT_EQ(RegistrosGravados(*b.CamadaPonto), 1);
  TRegistros r = b.CamadaPonto->Registros();
  r.Primeiro();
  EXPECT_EQ(r.Inteiro(QStringLiteral("Codigo")), 1);
  EXPECT_EQ(r.Ponto(), b.G.Centro(6, 4));
  EXPECT_EQ(b.CamadaPonto->Simbolo().Cor(), QColor(255, 255, 255));
  EXPECT_TRUE(b.CamadaPonto->Visivel());

  // A second section asks before replacing the first; No keeps the layer as it was.
  apresentador.Limpa();
  apresentador.Responde(TResposta::Sim);
  apresentador.Responde(TResposta::Nao);
  EXPECT_EQ(ColocaSecaoNoPonto(p, bacia, b.G.Centro(2, 1), apresentador),
            TResultadoSecao::NaoSubstituida);
  EXPECT_EQ(apresentador.Textos().last(),
            QStringLiteral("Uma seção já foi definida. Deseja substituir a seção existente?"));
  EXPECT_EQ(p.CodTrecho(), 10);  // placed, not computed
  EXPECT_EQ(p.VazoesTradicional().Q710(), 0.0);
  r = b.CamadaPonto->Registros();
  r.Primeiro();
  EXPECT_EQ(r.Ponto(), b.G.Centro(6, 4));

  // Yes: one record only, at the new point.
  EXPECT_EQ(ColocaSecaoNoPonto(p, bacia, b.G.Centro(2, 1), apresentador),
            TResultadoSecao::Calculada);
  EXPECT_EQ(RegistrosGravados(*b.CamadaPonto), 1);
  r = b.CamadaPonto->Registros();
  r.Primeiro();
  EXPECT_EQ(r.Ponto(), b.G.Centro(2, 1));
}

TEST(Secao, CliqueForaDaBaciaOuDaHidrografia) {
  TApresentadorRoteirizado apresentador;
  TBaciaTeste b;
  const TBacia bacia = b.Bacia();
  apresentador.Limpa();
  TPonto p;
  p.SetNomeRio(QStringLiteral("anterior"));
  EXPECT_EQ(ColocaSecaoNoPonto(p, bacia, b.G.Centro(9, 4), apresentador),
            TResultadoSecao::ForaDaBacia);
  ASSERT_EQ(apresentador.Registros().size(), 1);
  EXPECT_EQ(apresentador.Registros()[0].Tipo, TTipo::Informacao);
  EXPECT_EQ(apresentador.Registros()[0].Texto,
            QStringLiteral("A seção de interesse está fora do limite da bacia."));
  EXPECT_EQ(p.NomeRio(), QStringLiteral("anterior"));  // nothing changed
  EXPECT_EQ(b.CamadaPonto->Registros().Conta(), 0);

  // No to the confirmation: placed, the layer untouched.
  apresentador.Limpa();
  apresentador.Responde(TResposta::Nao);
  EXPECT_EQ(ColocaSecaoNoPonto(p, bacia, b.G.Centro(7, 1), apresentador),
            TResultadoSecao::NaoConfirmada);
  EXPECT_EQ(b.CamadaPonto->Registros().Conta(), 0);
  EXPECT_TRUE(apresentador.Textos().first().contains(QStringLiteral("\nRio: \nMunicípio:")));

  // Yes off the drainage: a yellow point and the notice, nothing computed.
  apresentador.Limpa();
  bool mostrou = false;
  TInterfaceSecao ui;
  ui.MostraProgresso = [&] { mostrou = true; };
  EXPECT_EQ(ColocaSecaoNoPonto(p, bacia, b.G.Centro(7, 1), apresentador, ui),
            TResultadoSecao::ForaDaHidrografia);
  EXPECT_FALSE(mostrou);
  EXPECT_EQ(apresentador.Textos(TTipo::Informacao),
            QStringList{QStringLiteral("A seção escolhida está fora da hidrografia. Escolha uma "
                                       "seção sobre um curso d'água.")});
  EXPECT_EQ(b.CamadaPonto->Simbolo().Cor(), QColor(255, 255, 0));
  EXPECT_EQ(RegistrosGravados(*b.CamadaPonto), 1);
}

TEST(Secao, CoordenadasDigitadas) {
  TApresentadorRoteirizado apresentador;
  TBaciaTeste b;
  const TBacia bacia = b.Bacia();
  apresentador.Limpa();
  TPonto p;
  EXPECT_EQ(ColocaSecaoDigitada(p, bacia, QString(), QStringLiteral("470910"), apresentador),
            TResultadoSecao::EntradaInvalida);
  EXPECT_EQ(apresentador.Textos(TTipo::Erro),
            QStringList{QStringLiteral("Favor inserir os valores de Latitude e Longitude.")});
  EXPECT_EQ(b.CamadaPonto->Registros().Conta(), 0);

  apresentador.Limpa();
  EXPECT_EQ(ColocaSecaoDigitada(p, bacia, QStringLiteral("162930"), QStringLiteral("470910"),
                                apresentador),
            TResultadoSecao::ForaDaBacia);
  EXPECT_EQ(apresentador.Textos(TTipo::Erro),
            QStringList{QStringLiteral(
                "Os valores de Latitude e Longitude estão fora do limite da bacia.")});

  // The coordinates of a cell on the tributary, typed to the second (about 30 m).
  const TPontoMapa g = TConversorCoordenadas::Padrao().ParaGeografica(b.G.Centro(2, 1));
  auto ddmmss = [](double v) {
    const int s = static_cast<int>(std::lround(std::fabs(v) * 3600));
    return QStringLiteral("%1%2%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
  };
  apresentador.Limpa();
  apresentador.Responde(TResposta::Nao);
  EXPECT_EQ(ColocaSecaoDigitada(p, bacia, ddmmss(g.Y), ddmmss(g.X), apresentador),
            TResultadoSecao::NaoConfirmada);
  EXPECT_TRUE(apresentador.Textos().first().startsWith(
      QStringLiteral("Deseja criar a seção de outorga nessa localidade: \nRio: Córrego Afluente")));
  EXPECT_EQ(p.LatitudeGMS().right(3), ddmmss(g.Y).right(2) + QLatin1Char('"'));
}

// A failure of the computations is reported with its own text, not as a typing mistake.
TEST(Secao, FalhaDoCalculoNaoViraErroDeDigitacao) {
  TApresentadorRoteirizado apresentador;
  TBaciaTeste b;
  b.Base.Executa(QStringLiteral("DROP TABLE EQ_Tradicional"));
  const TBacia bacia = b.Bacia();
  const TPontoMapa g = TConversorCoordenadas::Padrao().ParaGeografica(b.G.Centro(6, 4));
  auto ddmmss = [](double v) {
    const int s = static_cast<int>(std::lround(std::fabs(v) * 3600));
    return QStringLiteral("%1%2%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
  };
  TPonto p;
  bool oculto = false;
  TInterfaceSecao ui;
  ui.OcultaProgresso = [&] { oculto = true; };
  EXPECT_THROW(ColocaSecaoDigitada(p, bacia, ddmmss(g.Y), ddmmss(g.X), apresentador, ui), ETorveda);
  EXPECT_FALSE(apresentador.Textos(TTipo::Erro)
                   .contains(QStringLiteral("Favor inserir os valores de Latitude e Longitude.")));
  EXPECT_FALSE(oculto);  // it failed before the progress bar was shown
}
