// The main window: menus, status texts, child-window life cycle, start-up on an empty tree.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QtTest>
#include <functional>

#include <QDateEdit>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/gui/EnderecosWeb.h"
#include "app/gui/Instalacao.h"
#include "app/gui/TAplicacao.h"
#include "app/gui/TApresentadorQt.h"
#include "app/gui/TfrmAjuda.h"
#include "app/gui/TfrmMain.h"
#include "app/gui/TfrmSplash.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/Relatorio.h"
#include "grants/gui/TfrmOutorga.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

using TTipo = TApresentadorRoteirizado::TTipo;

// A child window of the tests' own, with a field that must survive re-use.
class TJanelaTeste : public QWidget {
 public:
  using QWidget::QWidget;
  QString Campo;
};

QAction* Acao(QWidget& janela, const char* nome) {
  return janela.findChild<QAction*>(QString::fromLatin1(nome));
}

// A command of the menu bar chosen with the mouse; a submenu's item is clicked in the open menu.
void ClicaMenu(TfrmMain& frm, const char* topo, const char* item = nullptr) {
  QAction* a = Acao(frm, topo);
  QVERIFY(a);
  QTest::mouseClick(frm.menuBar(), Qt::LeftButton, {}, frm.menuBar()->actionGeometry(a).center());
  if (!item) return;
  QMenu* menu = a->menu();
  QVERIFY(menu);
  QTRY_VERIFY(menu->isVisible());
  QAction* i = Acao(frm, item);
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(i).center());
}

// Presses a key in the control that has the focus, as a user typing would.
void Tecla(QWidget& janela, Qt::Key tecla, Qt::KeyboardModifiers mod = {}) {
  QWidget* alvo = QApplication::focusWidget() ? QApplication::focusWidget() : &janela;
  QTest::keyClick(alvo, tecla, mod);
}

// Runs acao on the next modal window as soon as it is up.
void QuandoModal(std::function<void(QWidget*)> acao) {
  auto* relogio = new QTimer;
  relogio->setInterval(10);
  // A box of the step before that is still closing is not the one awaited.
  const QPointer<QWidget> antes = QApplication::activeModalWidget();
  QObject::connect(relogio, &QTimer::timeout, [relogio, acao, antes] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == antes) return;
    relogio->stop();
    relogio->deleteLater();
    acao(modal);
  });
  relogio->start();
}

// Answers the next modal box with Enter.
void FechaCaixaComEnter() {
  QuandoModal([](QWidget* caixa) { QTest::keyClick(caixa, Qt::Key_Return); });
}

// Hands every message to the presenter it points at, so that a test can let the main window's
// start-up speak to the scripted one and its windows' boxes be real ones.
class TApresentadorRepassa final : public TApresentador {
 public:
  void Erro(const QString& t) override { Alvo->Erro(t); }
  void Informacao(const QString& t) override { Alvo->Informacao(t); }
  TResposta Confirmacao(const QString& t) override { return Alvo->Confirmacao(t); }
  void Mensagem(const QString& t) override { Alvo->Mensagem(t); }
  void ErroNaoTratado(const QString& t) override { Alvo->ErroNaoTratado(t); }
  TEscolha PerguntaSalvar(const QString& t, bool podeSalvar) override {
    return Alvo->PerguntaSalvar(t, podeSalvar);
  }
  QString AbreArquivo(const QString& titulo, const QString& pasta, const QString& f) override {
    return Alvo->AbreArquivo(titulo, pasta, f);
  }
  QString SalvaArquivo(const QString& titulo, const QString& pasta, const QString& f) override {
    return Alvo->SalvaArquivo(titulo, pasta, f);
  }
  TApresentador* Alvo = nullptr;
};

}  // namespace

// Collects what the web items ask the desktop to open.
class TNavegadorTeste : public QObject {
  Q_OBJECT
 public slots:
  void Abre(const QUrl& url) { Enderecos << url.toString(); }

 public:
  QStringList Enderecos;
};

class TesteJanelaPrincipal : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void init() {
    pasta = std::make_unique<TPastaTemporaria>();
    apresentador = std::make_unique<TApresentadorRoteirizado>();
    sistema = std::make_unique<TSistema>(TCaminhos(pasta->Caminho(), QStringLiteral("TORVEDA")));
    repassa.Alvo = apresentador.get();
    frm = std::make_unique<TfrmMain>(*sistema, repassa);
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
      frm->DefineFabrica(
          c.tipo, [](TContextoJanela&) { return new TJanelaTeste; }, false);
      frm->EscreveStatus(1, QStringLiteral("       Zoom"));
      Acao(*frm, c.item)->trigger();
      QCOMPARE(frm->Status(0), c.status);
      QCOMPARE(frm->Status(1), QStringLiteral(" "));
      QVERIFY(frm->Filho(c.tipo));
    }
  }

  void janelaReutilizadaGuardaCampos() {
    frm->DefineFabrica(
        TTipoJanela::Outorga, [](TContextoJanela&) { return new TJanelaTeste; }, true);
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
    frm->DefineFabrica(
        TTipoJanela::Vazao, [](TContextoJanela&) { return new TJanelaTeste; }, true);
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
    frm->DefineFabrica(
        TTipoJanela::Localizacao, [](TContextoJanela&) { return new TJanelaTeste; }, false);
    frm->show();
    QPointer<QWidget> primeira = frm->MostraFilho(TTipoJanela::Localizacao);
    primeira->parentWidget()->close();
    QCoreApplication::processEvents();
    QVERIFY(!primeira.isNull());
    QCOMPARE(frm->MostraFilho(TTipoJanela::Localizacao), primeira.data());
    QVERIFY(primeira->isVisible());
  }

  void janelaDestruidaPorDentroLimpaReferencia() {
    frm->DefineFabrica(
        TTipoJanela::AtualizaVazao, [](TContextoJanela&) { return new TJanelaTeste; }, false);
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
    sistema->Ponto->InformaProgresso(
        40, 7, QStringLiteral("Calculando vazões outorgadas significante..."));
    QCOMPARE(frm->prbBarraProgresso->maximum(), 40);
    QCOMPARE(frm->prbBarraProgresso->value(), 7);
    QCOMPARE(frm->lblBarraProgresso->text(),
             QStringLiteral("Calculando vazões outorgadas significante..."));
    QVERIFY(frm->lblBarraProgresso->isVisible());
    frm->MostraProgresso(false);
    QVERIFY(frm->lblBarraProgresso->isHidden());
    QVERIFY(frm->prbBarraProgresso->isHidden());
  }

  void ctrlF4FechaOutorgaEOMenuCriaOutra() {
    InstalaJanelas(*frm);
    Mostra();
    ClicaMenu(*frm, "mmOutorga");
    QPointer<TfrmOutorga> primeira = qobject_cast<TfrmOutorga*>(frm->Filho(TTipoJanela::Outorga));
    QVERIFY(primeira);
    QVERIFY(frm->btnFechaFilho()->isVisible());
    QTest::mouseClick(primeira->edtValorOutorga, Qt::LeftButton);
    QTest::keyClicks(primeira->edtValorOutorga, QStringLiteral("12"));
    apresentador->Limpa();
    // A typed request is not thrown away unasked: Cancelar keeps the window as it was.
    apresentador->Escolhe(TEscolha::Cancelar);
    Tecla(*frm, Qt::Key_F4, Qt::ControlModifier);
    QCOMPARE(apresentador->Textos(TTipo::Pergunta).size(), 1);
    QCOMPARE(apresentador->PodiaSalvar, QVector<bool>{false});
    QVERIFY(!primeira.isNull() && primeira->isVisible());
    QCOMPARE(primeira->edtValorOutorga->text(), QStringLiteral("12"));
    QCOMPARE(QApplication::focusWidget(), primeira->edtValorOutorga);
    apresentador->Escolhe(TEscolha::Descartar);
    Tecla(*frm, Qt::Key_F4, Qt::ControlModifier);
    QTRY_VERIFY(primeira.isNull());
    QCOMPARE(frm->Filho(TTipoJanela::Outorga), nullptr);
    QTRY_VERIFY(!frm->btnFechaFilho()->isVisible());

    ClicaMenu(*frm, "mmOutorga");
    QPointer<TfrmOutorga> nova = qobject_cast<TfrmOutorga*>(frm->Filho(TTipoJanela::Outorga));
    QVERIFY(nova);
    QCOMPARE(nova->edtValorOutorga->text(), QString());
    QVERIFY(nova->parentWidget()->isMaximized());
    // Nothing typed, nothing asked.
    Tecla(*frm, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(nova.isNull());
    QCOMPARE(apresentador->Textos(TTipo::Pergunta).size(), 2);
  }

  void sairComUmPedidoDigitadoPergunta() {
    InstalaJanelas(*frm);
    Mostra();
    ClicaMenu(*frm, "mmOutorga");
    auto* outorga = qobject_cast<TfrmOutorga*>(frm->Filho(TTipoJanela::Outorga));
    QTest::mouseClick(outorga->edtValorCriterio, Qt::LeftButton);
    QTest::keyClicks(outorga->edtValorCriterio, QStringLiteral("30"));
    ClicaMenu(*frm, "mmLocalizacao");
    apresentador->Limpa();
    apresentador->Escolhe(TEscolha::Cancelar);
    Tecla(*frm, Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(apresentador->Textos(TTipo::Pergunta).size(), 1);
    QVERIFY(frm->isVisible());
    // Back at the window whose question was cancelled, with what was typed.
    QCOMPARE(frm->findChild<QMdiArea*>()->activeSubWindow()->widget(), outorga);
    QCOMPARE(outorga->edtValorCriterio->text(), QStringLiteral("30"));
    apresentador->Escolhe(TEscolha::Descartar);
    Tecla(*frm, Qt::Key_F4, Qt::AltModifier);
    QTRY_VERIFY(!frm->isVisible());
  }

  void manutencaoPelaLinhaDeComando() {
    QVERIFY(TfrmMain::PedeManutencao({QStringLiteral("TORVEDA"), QStringLiteral("--manutencao")}));
    QVERIFY(!TfrmMain::PedeManutencao({QStringLiteral("TORVEDA")}));
    QVERIFY(!TfrmMain::PedeManutencao({QStringLiteral("--manutencao")}));
    frm->DefineFabrica(
        TTipoJanela::Manutencao, [](TContextoJanela&) { return new TJanelaTeste; }, false);
    frm->MostraManutencao(true);
    Mostra();
    ClicaMenu(*frm, "mmManutencao");
    QVERIFY(frm->Filho(TTipoJanela::Manutencao));
    QCOMPARE(frm->Status(0), QStringLiteral("      Manutenção"));
    // The help tells how.
    QFile ajuda(qEnvironmentVariable("TORVEDA_FONTES") + QStringLiteral("/ajuda/Ajuda.html"));
    QVERIFY(ajuda.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(ajuda.readAll()).contains(QStringLiteral("TORVEDA --manutencao")));
  }

  void relatorioSemJanelaDeOutorgaAposFechar() {
    InstalaJanelas(*frm);
    sistema->Ponto->SetCodTrecho(5);
    Mostra();
    ClicaMenu(*frm, "mmOutorga");
    QPointer<QWidget> outorga = frm->Filho(TTipoJanela::Outorga);
    Tecla(*frm, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(outorga.isNull());
    apresentador->Limpa();
    ClicaMenu(*frm, "mmRelatorios", "mmiRelVazaoDisp");
    QTRY_COMPARE(apresentador->Textos(), QStringList(MensagemCriterioIncompleto()));
  }

  void botaoDeFecharNaBarraDeMenus() {
    frm->DefineFabrica(
        TTipoJanela::Localizacao, [](TContextoJanela&) { return new TJanelaTeste; }, false);
    frm->DefineFabrica(
        TTipoJanela::Vazao, [](TContextoJanela&) { return new TJanelaTeste; }, true);
    Mostra();
    apresentador->Limpa();
    QVERIFY(!frm->btnFechaFilho()->isVisible());
    ClicaMenu(*frm, "mmLocalizacao");
    QPointer<QWidget> localizacao = frm->Filho(TTipoJanela::Localizacao);
    ClicaMenu(*frm, "mmVazao");
    QPointer<QWidget> vazao = frm->Filho(TTipoJanela::Vazao);
    QVERIFY(frm->btnFechaFilho()->isVisible());
    // At the right end of the menu bar.
    const QRect botao(frm->btnFechaFilho()->mapTo(frm.get(), QPoint()),
                      frm->btnFechaFilho()->size());
    QVERIFY(botao.right() >= frm->width() - 40);

    // The availability window is destroyed; the location window behind it comes to the front.
    QTest::mouseClick(frm->btnFechaFilho(), Qt::LeftButton);
    QTRY_VERIFY(vazao.isNull());
    QVERIFY(frm->btnFechaFilho()->isVisible());
    // The location window is kept, only hidden, and the next command shows it as it was.
    QTest::mouseClick(frm->btnFechaFilho(), Qt::LeftButton);
    QTRY_VERIFY(!frm->btnFechaFilho()->isVisible());
    QVERIFY(!localizacao.isNull());
    QVERIFY(!localizacao->isVisible());
    ClicaMenu(*frm, "mmLocalizacao");
    QCOMPARE(frm->Filho(TTipoJanela::Localizacao), localizacao.data());
    QVERIFY(localizacao->isVisible());
    QVERIFY(frm->btnFechaFilho()->isVisible());
    QVERIFY(apresentador->Registros().isEmpty());
  }

  void altF4FechaAJanelaPrincipalSemPerguntar() {
    frm->DefineFabrica(
        TTipoJanela::Vazao, [](TContextoJanela&) { return new TJanelaTeste; }, true);
    Mostra();
    ClicaMenu(*frm, "mmVazao");
    apresentador->Limpa();
    Tecla(*frm, Qt::Key_F4, Qt::AltModifier);
    QTRY_VERIFY(!frm->isVisible());
    QVERIFY(apresentador->Registros().isEmpty());
  }

  void focoVoltaAoControleAposUmaCaixa() {
    // Real boxes, answered with Enter.
    // The windows of this test show real boxes.
    TApresentadorQt qt;
    repassa.Alvo = &qt;
    qt.DefineDono(frm.get());
    InstalaJanelas(*frm);
    Mostra();
    ClicaMenu(*frm, "mmVazao");
    ClicaMenu(*frm, "mmOutorga");
    auto* outorga = qobject_cast<TfrmOutorga*>(frm->Filho(TTipoJanela::Outorga));
    QVERIFY(outorga);
    const QDate inicio = outorga->dtpInicio->date();
    outorga->dtpFim->setDate(inicio.addYears(-1));
    QMdiSubWindow* moldura = frm->findChild<QMdiArea*>()->activeSubWindow();
    QCOMPARE(moldura->widget(), outorga);

    // A box while the user types in the requested flow: the digits typed next go on there.
    QTest::mouseClick(outorga->edtValorOutorga, Qt::LeftButton);
    QTest::keyClicks(outorga->edtValorOutorga, QStringLiteral("3"));
    FechaCaixaComEnter();
    qt.Erro(QStringLiteral("Uma caixa qualquer."));
    QTRY_COMPARE(QApplication::focusWidget(), outorga->edtValorOutorga);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
    QCOMPARE(outorga->edtValorOutorga->text(), QStringLiteral("35"));
    QCOMPARE(outorga->dtpInicio->date(), inicio);

    // "Ok" with the end before the start: "Verifique o período."; "Ok" keeps the focus.
    FechaCaixaComEnter();
    QTest::mouseClick(outorga->btnOk, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), outorga->btnOk);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2030"));
    QCOMPARE(outorga->dtpInicio->date(), inicio);
    // The box never brought the other child to the front.
    QCOMPARE(frm->findChild<QMdiArea*>()->activeSubWindow(), moldura);
    QCOMPARE(frm->findChild<QMdiArea*>()->subWindowList(QMdiArea::StackingOrder).last(), moldura);
    repassa.Alvo = apresentador.get();
  }

  void caixaNaoTrazOutorgaParaAFrente() {
    // The windows of this test show real boxes.
    TApresentadorQt qt;
    repassa.Alvo = &qt;
    qt.DefineDono(frm.get());
    InstalaJanelas(*frm);
    frm->DefineFabrica(
        TTipoJanela::Localizacao,
        [](TContextoJanela&) {
          auto* janela = new TJanelaTeste;
          new QLineEdit(janela);
          return janela;
        },
        false);
    Mostra();
    ClicaMenu(*frm, "mmOutorga");
    QVERIFY(frm->Filho(TTipoJanela::Outorga));
    ClicaMenu(*frm, "mmLocalizacao");
    QWidget* frente = frm->Filho(TTipoJanela::Localizacao);
    auto* campo = frente->findChild<QLineEdit*>();
    QTest::mouseClick(campo, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), campo);
    QMdiArea* area = frm->findChild<QMdiArea*>();
    for (int vez = 0; vez < 2; ++vez) {
      FechaCaixaComEnter();
      qt.Informacao(QStringLiteral("Uma caixa qualquer."));
      QTest::qWait(50);
      QTRY_COMPARE(QApplication::focusWidget(), campo);
      QCOMPARE(area->activeSubWindow()->widget(), frente);
      QCOMPARE(area->subWindowList(QMdiArea::StackingOrder).last()->widget(), frente);
    }
    repassa.Alvo = apresentador.get();
  }

  void sobreMostraVersaoEPastaDeDados() {
    Mostra();
    QString versao, pastaDados;
    int topo = 0;
    // Reads the about box and closes it with a key, as often as it is found open: a box of an
    // earlier step still closing must not use up the only answer.
    QTimer relogio;
    relogio.setInterval(10);
    connect(&relogio, &QTimer::timeout, [&] {
      // Looked for among the visible windows rather than as the active modal one: a slow run
      // (the sanitizer build) may still count another box as active when this one is up.
      TfrmSplash* sobre = nullptr;
      TfrmSplash* escondida = nullptr;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<TfrmSplash*>(w); s && s->lblVersao)
          (s->isVisible() ? sobre : escondida) = s;
      // On a loaded machine the key can land while the box is shown but before its modal loop
      // runs: the box hides and the loop then waits for a window nobody sees. Show it again so
      // that the next key ends the loop.
      if (!sobre && escondida && !versao.isEmpty()) {
        escondida->show();
        return;
      }
      if (!sobre) return;
      versao = sobre->lblVersao->text();
      pastaDados = sobre->lblPastaDados->text().remove(QChar(0x200B));
      topo = sobre->lblVersao->mapTo(sobre, QPoint()).y();
      QTest::keyClick(sobre, Qt::Key_Space);
    });
    relogio.start();
    ClicaMenu(*frm, "mmAjuda", "mmiSobre");
    relogio.stop();
    QTRY_VERIFY(!versao.isEmpty());
    QCOMPARE(versao, QStringLiteral("Versão ") + TfrmSplash::Versao());
    QVERIFY(!TfrmSplash::Versao().isEmpty());
    QVERIFY(topo >= 339);  // below the picture
    QVERIFY2(pastaDados.contains(QDir::toNativeSeparators(QDir::cleanPath(pasta->Caminho()))),
             qPrintable(pastaDados));
  }

  void itensDaWebAbremOsEnderecosDefinidos() {
    TNavegadorTeste navegador;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &navegador, "Abre");
    Mostra();
    ClicaMenu(*frm, "mmAjuda", "mmiLMZ");
    ClicaMenu(*frm, "mmAjuda", "mmiNQTS");
    ClicaMenu(*frm, "mmAjuda", "mmiAqem");
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QTRY_COMPARE(navegador.Enderecos, (QStringList{QString::fromLatin1(EnderecosWeb::LMZ),
                                                   QString::fromLatin1(EnderecosWeb::NQTS),
                                                   QString::fromLatin1(EnderecosWeb::AQEM)}));
    // The help tells where the addresses are set.
    QFile ajuda(qEnvironmentVariable("TORVEDA_FONTES") + QStringLiteral("/ajuda/Ajuda.html"));
    QVERIFY(ajuda.open(QIODevice::ReadOnly));
    QVERIFY(
        QString::fromUtf8(ajuda.readAll()).contains(QStringLiteral("src/app/gui/EnderecosWeb.h")));
  }

  void traducoesDoQtEmPortugues() {
    // Debian's Qt translations are installed by the set-up script.
    QVERIFY(CarregaTraducoesQt(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
    QMessageBox caixa(QMessageBox::Question, QStringLiteral("Confirmação"), QStringLiteral("?"),
                      QMessageBox::Cancel | QMessageBox::Save);
    QCOMPARE(caixa.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancelar"));
    // A folder without them is no error: Qt's own texts stay.
    QVERIFY(!CarregaTraducoesQt(*QCoreApplication::instance(), pasta->Caminho()));
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
  void Mostra() {
    frm->show();
    frm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frm.get()));
  }

  std::unique_ptr<TPastaTemporaria> pasta;
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  TApresentadorRepassa repassa;
  std::unique_ptr<TSistema> sistema;
  std::unique_ptr<TfrmMain> frm;
};

QTEST_MAIN(TesteJanelaPrincipal)
#include "TesteJanelaPrincipal.moc"
