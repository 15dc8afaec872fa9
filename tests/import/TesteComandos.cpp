// The two menu commands on a data tree loaded by the real start-up: the file dialog, the
// questions, and the imports reaching the program-wide layers.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <memory>
#include <tuple>
#include <vector>

#include "Montagem.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "data/TdmS.h"
#include "gis/TCamada.h"
#include "gis/TRegistros.h"
#include "import/ComandosOutorgas.h"
#include "sistema/TSistema.h"

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
    // Where the dialog last opened is remembered in a settings file of the test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       Pasta.Caminho() + QStringLiteral("/config"));
    Sistema = std::make_unique<TSistema>(Caminhos);
    Sistema->CriaFormPrincipal(Apresentador);
    Sistema->CriaDataModule(Apresentador);
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

TEST_F(Comandos, NaoOuCanceladoNaoMudaNada) {
  Inicia(true, true);
  // Cancelling the dialog ends the command before any question.
  ComandoOutorgasAqem(*Sistema, Apresentador);
  EXPECT_EQ(Apresentador.Textos(), QStringList{TextosOutorgas::TituloAqem});
  Apresentador.Limpa();
  const QString xlsx = Caminhos.OutorgasAqem() + QLatin1Char('x');
  Apresentador.EscolheArquivo(xlsx);
  Apresentador.Responde(TResposta::Nao);
  ComandoOutorgasAqem(*Sistema, Apresentador);
  Apresentador.EscolheArquivo(Caminhos.OutorgasAna());
  Apresentador.Responde(TResposta::Nao);
  ComandoOutorgasAna(*Sistema, Apresentador);
  EXPECT_EQ(
      Apresentador.Textos(),
      (QStringList{TextosOutorgas::TituloAqem, TextosOutorgas::PerguntaAqem(xlsx),
                   TextosOutorgas::TituloAna, TextosOutorgas::PerguntaAna(Caminhos.OutorgasAna())}))
      << Apresentador.Textos().join(u'|').toStdString();
  EXPECT_EQ(Conta(CamadasAqem::SupSignif), 1);
  EXPECT_EQ(Conta(CamadasAna::Outorgas), 1);
}

TEST_F(Comandos, EscolheAPlanilhaPerguntaEImporta) {
  Inicia(true, true);
  // The dialog proposes the conventional file (here the .xlsx, as there is no .xls) in DadosBD.
  const QString xlsx = Caminhos.OutorgasAqem() + QLatin1Char('x');
  EXPECT_EQ(QDir::cleanPath(ArquivoProposto(*Sistema, xlsx)), QDir::cleanPath(xlsx));
  std::vector<std::tuple<int, int, QString>> progresso;
  int mostra = 0;
  TBarraProgresso barra;
  barra.Mostra = [&](bool visivel) { mostra += visivel ? 1 : -1; };
  barra.Informa = [&](int maximo, int posicao, const QString& texto) {
    progresso.emplace_back(maximo, posicao, texto);
  };
  Apresentador.EscolheArquivo(xlsx);
  ComandoOutorgasAqem(*Sistema, Apresentador, barra);
  const QStringList textos = Apresentador.Textos();
  ASSERT_EQ(textos.size(), 3) << textos.join(u'|').toStdString();
  EXPECT_EQ(textos[1], QStringLiteral("A operação de Atualização das Outorgas Estaduais (AQEM) "
                                      "pode durar\nalguns minutos. Além disso, essa operação "
                                      "remove todas as\noutorgas do banco de dados.\nVocê tem "
                                      "certeza que deseja executar essa operação?\n\nArquivo: ") +
                           QDir::toNativeSeparators(xlsx));
  EXPECT_EQ(Apresentador.Registros()[0].Tipo, T::Arquivo);
  EXPECT_EQ(Apresentador.Registros()[1].Tipo, T::Confirmacao);
  // The summary is an information, one paragraph per layer.
  EXPECT_EQ(Apresentador.Registros()[2].Tipo, T::Informacao);
  EXPECT_TRUE(textos[2].startsWith(
      QStringLiteral("Atualização das Outorgas Estaduais (AQEM) concluída.\n")))
      << textos[2].toStdString();
  // Progress: shown, each step's rows counted to its end, hidden again.
  EXPECT_EQ(mostra, 0);
  ASSERT_EQ(progresso.size(), 4u);
  EXPECT_EQ(progresso[0],
            std::make_tuple(1, 1, QStringLiteral("Importando Out_Sup_Signif_AQEM...")));
  for (const QString& c : {CamadasAqem::SupSignif, CamadasAqem::SupInsignif, CamadasAqem::SubSignif,
                           CamadasAqem::SubInsignif})
    EXPECT_EQ(Conta(c), 1) << c.toStdString();
  // The program-wide layer shows the new records at once.
  TRegistros r = Sistema->Camada(CamadasAqem::SubSignif)->Registros();
  r.Primeiro();
  EXPECT_DOUBLE_EQ(r.Real(QStringLiteral("Vazao")), 3.6);

  // A federal workbook kept in another folder: read from there, and that folder is where the
  // next dialog opens.
  const QString outra = Pasta.Caminho() + QStringLiteral("/recebidos");
  ASSERT_TRUE(QDir().mkpath(outra));
  const QString ana = outra + QStringLiteral("/ana_2026.xls");
  ASSERT_TRUE(QFile::copy(Caminhos.OutorgasAna(), ana));
  ASSERT_TRUE(QFile::remove(Caminhos.OutorgasAna()));
  Apresentador.Limpa();
  Apresentador.EscolheArquivo(ana);
  ComandoOutorgasAna(*Sistema, Apresentador);
  ASSERT_EQ(Apresentador.Textos().size(), 3);
  EXPECT_EQ(Apresentador.Textos()[1], TextosOutorgas::PerguntaAna(ana));
  TRegistros federal = Sistema->Camada(CamadasAna::Outorgas)->Registros();
  ASSERT_EQ(federal.Conta(), 1);
  federal.Primeiro();
  EXPECT_EQ(federal.Texto(QStringLiteral("NomeReq")), QStringLiteral("D"));
  EXPECT_DOUBLE_EQ(federal.Real(QStringLiteral("Qjan")), 0.02);
  EXPECT_EQ(ArquivoProposto(*Sistema, Caminhos.OutorgasAna()),
            outra + QStringLiteral("/TORVEDA_Outorgas_ANA.xls"));
  // A remembered folder that is gone sends the dialog back to DadosBD.
  ASSERT_TRUE(QDir(outra).removeRecursively());
  EXPECT_EQ(QDir::cleanPath(ArquivoProposto(*Sistema, Caminhos.OutorgasAna())),
            QDir::cleanPath(Caminhos.OutorgasAna()));
}

// A chosen workbook that is not there: the user learns it, and the layers keep their records.
TEST_F(Comandos, PlanilhaAusenteNaoApagaAsCamadas) {
  Inicia(false, false);
  Apresentador.EscolheArquivo(Caminhos.OutorgasAqem());
  ComandoOutorgasAqem(*Sistema, Apresentador);
  Apresentador.EscolheArquivo(Caminhos.OutorgasAna());
  ComandoOutorgasAna(*Sistema, Apresentador);
  const QStringList erros = Apresentador.Textos(T::Erro);
  ASSERT_EQ(erros.size(), 2);
  EXPECT_TRUE(erros[0].contains(QStringLiteral("TORVEDA_Outorgas_AQEM.xls")))
      << erros[0].toStdString();
  EXPECT_TRUE(erros[1].contains(QStringLiteral("TORVEDA_Outorgas_ANA.xls")))
      << erros[1].toStdString();
  for (const QString& c : {CamadasAqem::SupSignif, CamadasAqem::SupInsignif, CamadasAqem::SubSignif,
                           CamadasAqem::SubInsignif, CamadasAna::Outorgas})
    EXPECT_EQ(Conta(c), 1) << c.toStdString();
}

// The import reads the workbook that is there when it runs: one replaced after start-up (here
// an .xls put where the start-up found only the .xlsx) is the one imported and named.
TEST_F(Comandos, PlanilhaTrocadaDepoisDaInicializacao) {
  Inicia(true, true);
  Montagem::EscreveLivro(Caminhos.OutorgasAqem(),
                         Montagem::LivroAqem({Outorga(QStringLiteral("Nova 1"), 0.7, 0),
                                              Outorga(QStringLiteral("Nova 2"), 0.8, 0)},
                                             {Outorga(QStringLiteral("Nova 4"), 0.01, 0)},
                                             {Outorga(QStringLiteral("Nova 3"), 0, 4.0)}));
  Montagem::EscreveLivro(
      Caminhos.OutorgasAna(),
      Montagem::LivroAna({{{QStringLiteral("NomeReq"), QStringLiteral("E")},
                           {QStringLiteral("Latitude"), QStringLiteral("19° 45' 30\"")},
                           {QStringLiteral("Longitude"), QStringLiteral("43° 45' 12\"")},
                           {QStringLiteral("Qc01 (m³/h)"), 36}}}));
  Apresentador.EscolheArquivo(Caminhos.OutorgasAqem());
  ComandoOutorgasAqem(*Sistema, Apresentador);
  Apresentador.EscolheArquivo(Caminhos.OutorgasAna());
  ComandoOutorgasAna(*Sistema, Apresentador);
  EXPECT_TRUE(Apresentador.Textos(T::Erro).isEmpty())
      << Apresentador.Textos(T::Erro).join(u'|').toStdString();
  TRegistros sup = Sistema->Camada(CamadasAqem::SupSignif)->Registros();
  ASSERT_EQ(sup.Conta(), 2);
  sup.Primeiro();
  EXPECT_EQ(sup.Texto(QStringLiteral("Requerente")), QStringLiteral("Nova 1"));
  EXPECT_EQ(Conta(CamadasAqem::SupSignif), 2);
  TRegistros ana = Sistema->Camada(CamadasAna::Outorgas)->Registros();
  ASSERT_EQ(ana.Conta(), 1);
  ana.Primeiro();
  EXPECT_EQ(ana.Texto(QStringLiteral("NomeReq")), QStringLiteral("E"));
  EXPECT_DOUBLE_EQ(ana.Real(QStringLiteral("Qjan")), 0.01);
  // The rows read for the import are let go afterwards.
  EXPECT_EQ(Sistema->dmS->tdbOutorgasAqemSuperficial.NumLinhas(), 0);
}
