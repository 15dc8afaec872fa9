#include <gtest/gtest.h>

#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {
const QString ErroHeader = QStringLiteral("Erro ao abrir o arquivo Header.hdr");
const QString ErroMatrizes = QStringLiteral(
    "Erro ao abrir as Matrizes: hidro_mapeada.hdr, hidro_sem_esp.hdr, dir_esc.hdr, e "
    "fluxo_ac.hdr");
}  // namespace

// Against an empty data tree: the two grid messages are shown, nothing else; the error text
// ends as the last layer's message and the maps are not loaded.
TEST(Sistema, PastaVaziaMostraSoAsMensagensDoInicio) {
  TPastaTemporaria pasta;
  TApresentadorRoteirizado apresentador;
  TSistema sistema(TCaminhos(pasta.Caminho(), QStringLiteral("TORVEDA")));
  sistema.CriaFormPrincipal(apresentador);

  EXPECT_EQ(apresentador.Textos(TApresentadorRoteirizado::TTipo::Erro),
            (QStringList{ErroHeader, ErroMatrizes}));
  EXPECT_FALSE(sistema.MapasCarregados);
  ASSERT_NE(sistema.Ponto, nullptr);
  EXPECT_EQ(sistema.Ponto->CodTrecho(), 0);
  ASSERT_FALSE(sistema.Cargas().empty());
  EXPECT_FALSE(sistema.Cargas().front().Ok);
  EXPECT_EQ(sistema.Cargas().front().Mensagem, ErroHeader);
  EXPECT_NE(sistema.ErroInicial(), QStringLiteral(" "));
}

// Two trees loaded side by side: each start-up speaks only to the presenter its caller gave it.
TEST(Sistema, CadaInicioFalaComQuemOChamou) {
  TPastaTemporaria pastaA, pastaB;
  TApresentadorRoteirizado a, b;
  TSistema sistemaA(TCaminhos(pastaA.Caminho(), QStringLiteral("TORVEDA")));
  TSistema sistemaB(TCaminhos(pastaB.Caminho(), QStringLiteral("TORVEDA")));
  sistemaA.CriaFormPrincipal(a);
  EXPECT_TRUE(b.Registros().isEmpty());
  sistemaB.CriaFormPrincipal(b);
  sistemaB.CriaDataModule(b);
  EXPECT_EQ(a.Textos(), (QStringList{ErroHeader, ErroMatrizes}));
  EXPECT_EQ(b.Textos(TApresentadorRoteirizado::TTipo::Erro).mid(0, 2),
            (QStringList{ErroHeader, ErroMatrizes}));
  EXPECT_GT(b.Textos().size(), 2);  // and the data module's own
}

TEST(Ponto, ProgressoSoComTratador) {
  TPonto p;
  p.InformaProgresso(10, 1, QStringLiteral("x"));  // no handler: nothing happens
  int chamadas = 0;
  p.OnProgresso = [&](TPonto& s, std::int32_t max, std::int32_t pos, const QString& t) {
    ++chamadas;
    EXPECT_EQ(&s, &p);
    EXPECT_EQ(max, 10);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(t, QStringLiteral("Calculando vazões outorgadas ANA..."));
  };
  p.InformaProgresso(10, 3, QStringLiteral("Calculando vazões outorgadas ANA..."));
  EXPECT_EQ(chamadas, 1);
}

TEST(Ponto, ReiniciaZeraTudoETabelasForaDoIntervalo) {
  TPonto p;
  p.SetCodTrecho(12);
  p.SetNomeRio(QStringLiteral("Rio Paracatu"));
  p.SetAreaDrenagem(10.5);
  p.VazoesConservacao().SetQ90(3.0);
  p.SetOutorgadaEstadual(1, 1980, 2.0);
  p.SetOutorgadaFederal(12, 2100, 4.0);
  p.SetOutorgadaFederal(1, 2101, 9.0);  // outside the tables: ignored
  p.SomaOutorgadaEstadual(0, 1990, 9.0);
  EXPECT_EQ(p.OutorgadaEstadual(1, 1980), 2.0);
  EXPECT_EQ(p.OutorgadaFederal(12, 2100), 4.0);
  EXPECT_EQ(p.OutorgadaFederal(1, 2101), 0.0);
  EXPECT_EQ(p.OutorgadaFederal(1, 1979), 0.0);
  EXPECT_TRUE(p.SobreHidrografia());

  p.Reinicia();
  EXPECT_EQ(p.CodTrecho(), 0);
  EXPECT_TRUE(p.NomeRio().isEmpty());
  EXPECT_EQ(p.AreaDrenagem(), 0.0);
  EXPECT_EQ(p.VazoesConservacao().Q90(), 0.0);
  EXPECT_EQ(p.OutorgadaEstadual(1, 1980), 0.0);
  EXPECT_EQ(p.OutorgadaFederal(12, 2100), 0.0);
  EXPECT_FALSE(p.SobreHidrografia());
  p.SetCodTrecho(-9999);
  EXPECT_FALSE(p.SobreHidrografia());
}
