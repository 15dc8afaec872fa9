// The main window: menus, status texts, child-window life cycle, start-up on an empty tree.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QtTest>

#include "app/TSistema.h"
#include "app/gui/TfrmAjuda.h"
#include "app/gui/TfrmMain.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "hydro/TPonto.h"

namespace {

// A child window of the tests' own, with a field that must survive re-use.
class TJanelaTeste : public QWidget {
 public:
  using QWidget::QWidget;
  QString Campo;
};

QAction* Acao(QWidget& janela, const char* nome) {
  return janela.findChild<QAction*>(QString::fromLatin1(nome));
}

}  // namespace

class TesteJanelaPrincipal : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void init() {
    pasta = std::make_unique<TPastaTemporaria>();
    apresentador = std::make_unique<TApresentadorRoteirizado>();
    sistema = std::make_unique<TSistema>(TCaminhos(pasta->Caminho(), QStringLiteral("TORVEDA")));
    frm = std::make_unique<TfrmMain>(*sistema);
  }

  void cleanup() {
    frm.reset();
    sistema.reset();
    apresentador.reset();
    pasta.reset();
  }

  void menusTemNomesETitulos() {
    const QList<QPair<const char*, QString>> itens = {
        {"mmLocalizacao", QStringLiteral("&Localização")},
        {"mmVazao", QStringLiteral("&Vazão")},
        {"mmOutorga", QStringLiteral("&Outorga")},
        {"mmRelatorios", QStringLiteral("Relatórios")},
        {"mmiRelVazaoDisp", QStringLiteral("Vazão disponível")},
        {"mmiRelOutMontante", QStringLiteral("Outorgas a montante")},
        {"mmAtualizacao", QStringLiteral("A&tualização")},
        {"mmiVazoes", QStringLiteral("Vazões")},
        {"mmiCoefTradicional", QStringLiteral("Equações Mét. Tradicional")},
        {"mmiCoefConsMassa", QStringLiteral("Equações Mét. Cons. de massas")},
        {"mmiOutorgasAqem", QStringLiteral("Outorgas Estaduais (AQEM)")},
        {"mmiOutorgasAna", QStringLiteral("Outorgas Federais (ANA)")},
        {"mmAjuda", QStringLiteral("&Ajuda")},
        {"mmiConteudo", QStringLiteral("Conteúdo")},
        {"mmiObter", QStringLiteral("Obter ajuda sobre")},
        {"mmiLMZ", QStringLiteral("&LMZ na web")},
        {"mmiNQTS", QStringLiteral("&NQTS na web")},
        {"mmiAqem", QStringLiteral("&AQEM na web")},
        {"mmiSobre", QStringLiteral("Sobre o TORVEDA")},
        {"mmManutencao", QStringLiteral("Manutenção")},
    };
    for (const auto& [nome, titulo] : itens) {
      QAction* a = Acao(*frm, nome);
      QVERIFY2(a, nome);
      QCOMPARE(a->text(), titulo);
    }
    // Top-level order and the hidden maintenance item.
    QStringList topo;
    for (QAction* a : frm->menuBar()->actions()) topo << a->objectName();
    QCOMPARE(topo, (QStringList{"mmLocalizacao", "mmVazao", "mmOutorga", "mmRelatorios",
                                "mmAtualizacao", "mmAjuda", "mmManutencao"}));
    QVERIFY(!Acao(*frm, "mmManutencao")->isVisible());
    QCOMPARE(frm->windowTitle(),
             QStringLiteral("TORVEDA - Sistema integrado para a gestão de recursos hídricos"));
    QCOMPARE(frm->minimumSize(), QSize(848, 627));
  }

  void comandosEscrevemStatus() {
    struct {
      const char* item;
      TTipoJanela tipo;
      QString status;
    } casos[] = {
        {"mmLocalizacao", TTipoJanela::Localizacao, QStringLiteral("      Localização")},
        {"mmVazao", TTipoJanela::Vazao, QStringLiteral("      Vazão")},
        {"mmOutorga", TTipoJanela::Outorga, QStringLiteral("      Outorga")},
        {"mmiVazoes", TTipoJanela::AtualizaVazao, QStringLiteral("      Atualização das Vazões")},
        {"mmiCoefTradicional", TTipoJanela::AtualizaEqTrad,
         QStringLiteral("      Atualização das equações do método tradicional")},
        {"mmiCoefConsMassa", TTipoJanela::AtualizaEqCons,
         QStringLiteral("      Atualização das equações do baseado na conservação de massas")},
        {"mmManutencao", TTipoJanela::Manutencao, QStringLiteral("      Manutenção")},
    };
    for (const auto& c : casos) {
      frm->DefineFabrica(c.tipo, [](TContextoJanela&) { return new TJanelaTeste; }, false);
      frm->EscreveStatus(1, QStringLiteral("       Zoom"));
      Acao(*frm, c.item)->trigger();
      QCOMPARE(frm->Status(0), c.status);
      QCOMPARE(frm->Status(1), QStringLiteral(" "));
      QVERIFY(frm->Filho(c.tipo));
    }
  }

  void janelaReutilizadaGuardaCampos() {
    frm->DefineFabrica(TTipoJanela::Outorga, [](TContextoJanela&) { return new TJanelaTeste; },
                       true);
    frm->show();
    auto* primeira = static_cast<TJanelaTeste*>(frm->MostraFilho(TTipoJanela::Outorga));
    QVERIFY(primeira);
    primeira->Campo = QStringLiteral("01/2005");
    auto* segunda = static_cast<TJanelaTeste*>(frm->MostraFilho(TTipoJanela::Outorga));
    QCOMPARE(segunda, primeira);
    QCOMPARE(segunda->Campo, QStringLiteral("01/2005"));
    QVERIFY(segunda->parentWidget()->isMaximized());
  }

  void janelaDestruidaAoFecharERecriada() {
    frm->DefineFabrica(TTipoJanela::Vazao, [](TContextoJanela&) { return new TJanelaTeste; },
                       true);
    frm->show();
    QPointer<QWidget> primeira = frm->MostraFilho(TTipoJanela::Vazao);
    QVERIFY(primeira);
    primeira->parentWidget()->close();
    QTRY_VERIFY(primeira.isNull());
    QCOMPARE(frm->Filho(TTipoJanela::Vazao), nullptr);
    QWidget* nova = frm->MostraFilho(TTipoJanela::Vazao);
    QVERIFY(nova);
    QVERIFY(nova != primeira.data());
  }

  void janelaMantidaAoFecharEhReexibida() {
    frm->DefineFabrica(TTipoJanela::Localizacao,
                       [](TContextoJanela&) { return new TJanelaTeste; }, false);
    frm->show();
    QPointer<QWidget> primeira = frm->MostraFilho(TTipoJanela::Localizacao);
    primeira->parentWidget()->close();
    QCoreApplication::processEvents();
    QVERIFY(!primeira.isNull());
    QCOMPARE(frm->MostraFilho(TTipoJanela::Localizacao), primeira.data());
    QVERIFY(primeira->isVisible());
  }

  void janelaDestruidaPorDentroLimpaReferencia() {
    frm->DefineFabrica(TTipoJanela::AtualizaVazao,
                       [](TContextoJanela&) { return new TJanelaTeste; }, false);
    QWidget* janela = frm->MostraFilho(TTipoJanela::AtualizaVazao);
    delete janela;
    QCoreApplication::processEvents();
    QCOMPARE(frm->Filho(TTipoJanela::AtualizaVazao), nullptr);
  }

  void inicioComPastaVazia() {
    // The window opened, only the two grid messages were shown, maps not loaded.
    QCOMPARE(apresentador->Textos(),
             (QStringList{QStringLiteral("Erro ao abrir o arquivo Header.hdr"),
                          QStringLiteral("Erro ao abrir as Matrizes: hidro_mapeada.hdr, "
                                         "hidro_sem_esp.hdr, dir_esc.hdr, e fluxo_ac.hdr")}));
    QVERIFY(!sistema->MapasCarregados);
    frm->show();
    QVERIFY(frm->isVisible());
    QVERIFY(frm->lblBarraProgresso->isHidden());
    QVERIFY(frm->prbBarraProgresso->isHidden());
    QCOMPARE(frm->ArquivoAjuda(), pasta->Caminho() + QStringLiteral("/Ajuda/Ajuda.html"));
  }

  void progressoAtualizaBarraELegenda() {
    frm->show();
    frm->MostraProgresso(true);
    sistema->Ponto->InformaProgresso(40, 7,
                                     QStringLiteral("Calculando vazões outorgadas significante..."));
    QCOMPARE(frm->prbBarraProgresso->maximum(), 40);
    QCOMPARE(frm->prbBarraProgresso->value(), 7);
    QCOMPARE(frm->lblBarraProgresso->text(),
             QStringLiteral("Calculando vazões outorgadas significante..."));
    QVERIFY(frm->lblBarraProgresso->isVisible());
    frm->MostraProgresso(false);
    QVERIFY(frm->lblBarraProgresso->isHidden());
    QVERIFY(frm->prbBarraProgresso->isHidden());
  }

  void ajudaTemConteudoEBusca() {
    const QString arquivo = pasta->Escreve(
        QStringLiteral("Ajuda/Ajuda.html"),
        "<html><body><h1 id=\"conteudo\">Conteúdo</h1>"
        "<h2 id=\"outorga\" data-chaves=\"outorga; critério de outorga\">Outorga</h2>"
        "<h2 id=\"vazao\" data-chaves=\"vazão de referência; Q7,10\">Vazões</h2>"
        "</body></html>");
    TfrmAjuda ajuda;
    QVERIFY(ajuda.Carrega(arquivo));
    QCOMPARE(ajuda.Chaves().size(), 4);
    QCOMPARE(ajuda.Procura(QStringLiteral("q7")), (QStringList{QStringLiteral("Q7,10")}));
    QCOMPARE(ajuda.Procura(QStringLiteral("outorga")),
             (QStringList{QStringLiteral("outorga"), QStringLiteral("critério de outorga")}));
    QVERIFY(!ajuda.Carrega(pasta->Caminho() + QStringLiteral("/nao-existe.html")));
  }

 private:
  std::unique_ptr<TPastaTemporaria> pasta;
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  std::unique_ptr<TSistema> sistema;
  std::unique_ptr<TfrmMain> frm;
};

QTEST_MAIN(TesteJanelaPrincipal)
#include "TesteJanelaPrincipal.moc"
