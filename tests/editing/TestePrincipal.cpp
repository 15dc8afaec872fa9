// The editing windows as children of the main window: opened from the menu "A&tualização" with
// their status texts, created once and re-used with what was typed still there.

#include <QAction>
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

class TestePrincipal : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void abertasPeloMenu() {
    TApresentadorRoteirizado apresentador;
    TBaseTeste base;
    TfrmMain frmMain(base.Sistema());
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
};

QTEST_MAIN(TestePrincipal)
#include "TestePrincipal.moc"
