// The two menu commands on a data tree loaded by the real start-up: the questions and notices,
// and the imports reaching the program-wide layers.
#include <gtest/gtest.h>

#include <QDir>
#include <memory>

#include "Montagem.h"
#include "app/TSistema.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamada.h"
#include "gis/TRegistros.h"
#include "import/ComandosOutorgas.h"

namespace {

using T = TApresentadorRoteirizado::TTipo;

QVariantMap Outorga(const QString& requerente, double qs, double qh) {
  return {{QStringLiteral("Requerente"), requerente},
          {QStringLiteral("Latitude"), 194530},
          {QStringLiteral("Longitude"), 434512},
          {QStringLiteral("Vazão (m³/s)"), qs},
          {QStringLiteral("Vazão (m³/h)"), qh}};
}

class Comandos : public ::testing::Test {
 protected:
  // The state workbook as .xlsx (the data module's fallback for a missing .xls), the federal one
  // as .xls; either can be left out.
  void Inicia(bool comAqem, bool comAna) {
    Montagem::CriaArvore(Caminhos);
    if (comAqem) {
      QString xlsx = Caminhos.OutorgasAqem();
      xlsx.chop(4);
      Montagem::EscreveLivro(xlsx + QStringLiteral(".xlsx"),
                             Montagem::LivroAqem({Outorga(QStringLiteral("A"), 0.5, 0)},
                                                 {Outorga(QStringLiteral("B"), 0.1, 2.0)},
                                                 {Outorga(QStringLiteral("C"), 0, 3.6)}));
    }
    if (comAna)
      Montagem::EscreveLivro(
          Caminhos.OutorgasAna(),
          Montagem::LivroAna({{{QStringLiteral("NomeReq"), QStringLiteral("D")},
                               {QStringLiteral("Latitude"), QStringLiteral("19° 45' 30\"")},
                               {QStringLiteral("Longitude"), QStringLiteral("43° 45' 12\"")},
                               {QStringLiteral("Qc01 (m³/h)"), 72}}}));
    Sistema = std::make_unique<TSistema>(Caminhos);
    Sistema->CriaFormPrincipal();
    Sistema->CriaDataModule();
    Apresentador.Limpa();
  }
  qint64 Conta(const QString& camada) {
    return Montagem::AbreCamada(QDir::cleanPath(Caminhos.DadosSIG()), camada)->Registros().Conta();
  }

  TPastaTemporaria Pasta;
  TCaminhos Caminhos{Pasta.Caminho(), QStringLiteral("TORVEDA")};
  TApresentadorRoteirizado Apresentador;
  std::unique_ptr<TSistema> Sistema;
};

}  // namespace

TEST_F(Comandos, NaoNaoMudaNada) {
  Inicia(true, true);
  Apresentador.Responde(TResposta::Nao);
  ComandoOutorgasAqem(*Sistema);
  Apresentador.Responde(TResposta::Nao);
  ComandoOutorgasAna(*Sistema);
  EXPECT_EQ(Apresentador.Textos(),
            (QStringList{TextosOutorgas::ConfirmacaoAqem, TextosOutorgas::ConfirmacaoAna}));
  EXPECT_EQ(Apresentador.Textos(T::Confirmacao).size(), 2);
  EXPECT_EQ(Conta(CamadasAqem::SupSignif), 1);
  EXPECT_EQ(Conta(CamadasAna::Outorgas), 1);
}

TEST_F(Comandos, SimPerguntaAvisaEImporta) {
  Inicia(true, true);
  ComandoOutorgasAqem(*Sistema);
  EXPECT_EQ(Apresentador.Textos(),
            (QStringList{QStringLiteral("A operação de Atualização das Outorgas Estaduais (AQEM) "
                                        "pode durar\nalguns minutos. Além disso, essa operação "
                                        "remove todas as\noutorgas do banco de dados.\nVocê tem "
                                        "certeza que deseja executar essa operação?"),
                         QStringLiteral("O arquivo de Outorgas Estaduais (AQEM) deve estar "
                                        "localizado\nna pasta DadosBD com o nome "
                                        "\"TORVEDA_Outorgas_AQEM.xls\".")}));
  EXPECT_EQ(Apresentador.Registros()[0].Tipo, T::Confirmacao);
  EXPECT_EQ(Apresentador.Registros()[1].Tipo, T::Informacao);
  EXPECT_EQ(Conta(CamadasAqem::SupSignif), 1);
  EXPECT_EQ(Conta(CamadasAqem::SupInsignif), 1);
  EXPECT_EQ(Conta(CamadasAqem::SubSignif), 1);
  EXPECT_EQ(Conta(CamadasAqem::SubInsignif), 1);
  // The program-wide layer shows the new records at once.
  TRegistros r = Sistema->Camada(CamadasAqem::SubSignif)->Registros();
  r.Primeiro();
  EXPECT_DOUBLE_EQ(r.Real(QStringLiteral("Vazao")), 3.6);

  // The federal import needs no map window: the regions come from the program-wide layer.
  Apresentador.Limpa();
  ComandoOutorgasAna(*Sistema);
  EXPECT_EQ(Apresentador.Textos(),
            (QStringList{TextosOutorgas::ConfirmacaoAna, TextosOutorgas::InformacaoAna}));
  TRegistros ana = Sistema->Camada(CamadasAna::Outorgas)->Registros();
  ASSERT_EQ(ana.Conta(), 1);
  ana.Primeiro();
  EXPECT_EQ(ana.Texto(QStringLiteral("NomeReq")), QStringLiteral("D"));
  EXPECT_DOUBLE_EQ(ana.Real(QStringLiteral("Qjan")), 0.02);
}

// Yes with a workbook that did not open at start-up: after the notice, the user learns that the
// workbook is not available, and the layers keep their records.
TEST_F(Comandos, PlanilhaAusenteNaoApagaAsCamadas) {
  Inicia(false, false);
  ComandoOutorgasAqem(*Sistema);
  ComandoOutorgasAna(*Sistema);
  const QStringList erros = Apresentador.Textos(T::Erro);
  ASSERT_EQ(erros.size(), 2);
  EXPECT_TRUE(erros[0].contains(QStringLiteral("TORVEDA_Outorgas_AQEM.xls")))
      << erros[0].toStdString();
  EXPECT_TRUE(erros[1].contains(QStringLiteral("TORVEDA_Outorgas_ANA.xls")))
      << erros[1].toStdString();
  EXPECT_EQ(Apresentador.Textos(T::Informacao),
            (QStringList{TextosOutorgas::InformacaoAqem, TextosOutorgas::InformacaoAna}));
  for (const QString& c : {CamadasAqem::SupSignif, CamadasAqem::SupInsignif, CamadasAqem::SubSignif,
                           CamadasAqem::SubInsignif, CamadasAna::Outorgas})
    EXPECT_EQ(Conta(c), 1) << c.toStdString();
}
