// The editing windows as children of the main window: opened from the menu "A&tualização" with
// their status texts, created once and re-used with what was typed still there.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QtTest>
#include <memory>

#include "BaseTeste.h"
#include "app/gui/TfrmMain.h"
#include "comum/ApresentadorRoteirizado.h"
#include "editing/TfrmAtualizaEqCons.h"
#include "editing/TfrmAtualizaEqTrad.h"
#include "editing/TfrmAtualizaVazao.h"

using TTipo = TApresentadorRoteirizado::TTipo;

class TestePrincipal : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void abertasPeloMenu() {
    TApresentadorRoteirizado apresentador;
    TBaseTeste base(apresentador);
    TfrmMain frmMain(base.Sistema(), apresentador);
    frmMain.DefineFabrica(
        TTipoJanela::AtualizaVazao,
        [](TContextoJanela& c) -> QWidget* { return new TfrmAtualizaVazao(c); }, false);
    frmMain.DefineFabrica(
        TTipoJanela::AtualizaEqTrad,
        [](TContextoJanela& c) -> QWidget* { return new TfrmAtualizaEqTrad(c); }, false);
    frmMain.DefineFabrica(
        TTipoJanela::AtualizaEqCons,
        [](TContextoJanela& c) -> QWidget* { return new TfrmAtualizaEqCons(c); }, false);
    frmMain.show();
    apresentador.Limpa();

    auto menu = [&](const char* nome) {
      frmMain.findChild<QAction*>(QString::fromLatin1(nome))->trigger();
    };
    menu("mmiVazoes");
    auto* vazao = qobject_cast<TfrmAtualizaVazao*>(frmMain.Filho(TTipoJanela::AtualizaVazao));
    QVERIFY(vazao);
    QCOMPARE(frmMain.Status(0), QStringLiteral("      Atualização das Vazões"));
    QCOMPARE(vazao->NumLinhas(), 3);
    vazao->Campo(QStringLiteral("Q90Ob"))->setText(QStringLiteral("pendente"));

    menu("mmiCoefTradicional");
    QVERIFY(qobject_cast<TfrmAtualizaEqTrad*>(frmMain.Filho(TTipoJanela::AtualizaEqTrad)));
    QCOMPARE(frmMain.Status(0),
             QStringLiteral("      Atualização das equações do método tradicional"));
    menu("mmiCoefConsMassa");
    QVERIFY(qobject_cast<TfrmAtualizaEqCons*>(frmMain.Filho(TTipoJanela::AtualizaEqCons)));

    // The second command brings back the same window, as it was left.
    menu("mmiVazoes");
    QCOMPARE(frmMain.Filho(TTipoJanela::AtualizaVazao), vazao);
    QCOMPARE(vazao->Campo(QStringLiteral("Q90Ob"))->text(), QStringLiteral("pendente"));
    QVERIFY(apresentador.Registros().isEmpty());
  }

  void fecharComValorDigitadoPergunta() {
    TApresentadorRoteirizado apresentador;
    TBaseTeste base(apresentador);
    TfrmMain frmMain(base.Sistema(), apresentador);
    frmMain.DefineFabrica(
        TTipoJanela::AtualizaVazao,
        [](TContextoJanela& c) -> QWidget* { return new TfrmAtualizaVazao(c); }, false);
    frmMain.show();
    frmMain.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frmMain));
    frmMain.findChild<QAction*>(QStringLiteral("mmiVazoes"))->trigger();
    auto* vazao = qobject_cast<TfrmAtualizaVazao*>(frmMain.Filho(TTipoJanela::AtualizaVazao));
    QVERIFY(vazao);
    QLineEdit* q90 = vazao->Campo(QStringLiteral("Q90Ob"));
    const QString lido =
        QStringLiteral("SELECT Q90Ob FROM EstFluviometricas WHERE CodEstFlu = 100");
    const QVariant original = base.Le(lido);
    auto tecla = [&frmMain](Qt::Key k, Qt::KeyboardModifiers m) {
      QWidget* alvo = QApplication::focusWidget();
      QTest::keyClick(alvo ? alvo : &frmMain, k, m);
    };
    apresentador.Limpa();

    // Nothing typed: it closes without a word.
    tecla(Qt::Key_F4, Qt::ControlModifier);
    QTRY_VERIFY(!vazao->isVisible());
    QVERIFY(apresentador.Registros().isEmpty());

    frmMain.findChild<QAction*>(QStringLiteral("mmiVazoes"))->trigger();
    QTest::mouseClick(q90, Qt::LeftButton);
    q90->selectAll();
    QTest::keyClicks(q90, QStringLiteral("7,5"));
    // Cancelar: the window and the value stay.
    apresentador.Escolhe(TEscolha::Cancelar);
    tecla(Qt::Key_F4, Qt::ControlModifier);
    QCOMPARE(apresentador.Textos(TTipo::Pergunta).size(), 1);
    QCOMPARE(apresentador.PodiaSalvar, QVector<bool>{true});
    QVERIFY(vazao->isVisible());
    QCOMPARE(q90->text(), QStringLiteral("7,5"));
    QCOMPARE(base.Le(lido), original);
    // Salvar: written, then closed.
    apresentador.Escolhe(TEscolha::Salvar);
    tecla(Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(!vazao->isVisible());
    QCOMPARE(base.Le(lido).toDouble(), 7.5);

    // Quitting with a value typed: Descartar drops it and the program ends.
    frmMain.findChild<QAction*>(QStringLiteral("mmiVazoes"))->trigger();
    QTest::mouseClick(q90, Qt::LeftButton);
    q90->selectAll();
    QTest::keyClicks(q90, QStringLiteral("9"));
    apresentador.Escolhe(TEscolha::Cancelar);
    tecla(Qt::Key_F4, Qt::AltModifier);
    QVERIFY(frmMain.isVisible());
    QCOMPARE(apresentador.Textos(TTipo::Pergunta).size(), 3);
    apresentador.Escolhe(TEscolha::Descartar);
    tecla(Qt::Key_F4, Qt::AltModifier);
    QTRY_VERIFY(!frmMain.isVisible());
    QCOMPARE(base.Le(lido).toDouble(), 7.5);
    QVERIFY(apresentador.Textos(TTipo::Erro).isEmpty());
  }
};

QTEST_MAIN(TestePrincipal)
#include "TestePrincipal.moc"
