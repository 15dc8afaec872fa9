// The application-wide guard: a failure that escapes a window's handler is shown in the program's
// error box and the event loop goes on, with the shell put back in order.

#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>
#include <stdexcept>

#include "app/gui/TAplicacao.h"
#include "app/gui/TApresentadorQt.h"
#include "app/gui/TfrmMain.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "sistema/TSistema.h"

namespace {

using TTipo = TApresentadorRoteirizado::TTipo;

// A child window whose buttons fail half-way through their work, after the progress bar is up.
class TJanelaFalha : public QWidget {
 public:
  explicit TJanelaFalha(TContextoJanela& c) {
    auto* coluna = new QVBoxLayout(this);
    btnFalha = new QPushButton(QStringLiteral("Falha"), this);
    btnPadrao = new QPushButton(QStringLiteral("Padrão"), this);
    btnConta = new QPushButton(QStringLiteral("Conta"), this);
    coluna->addWidget(btnFalha);
    coluna->addWidget(btnPadrao);
    coluna->addWidget(btnConta);
    connect(btnFalha, &QPushButton::clicked, this, [&c] {
      c.Rodape.MostraProgresso(true);
      throw ETorveda(QStringLiteral("Campo inexistente em Est_Fluviometricas: Estacoes"));
    });
    connect(btnPadrao, &QPushButton::clicked, this, [] { throw std::out_of_range("indice"); });
    connect(btnConta, &QPushButton::clicked, this, [this] { ++Cliques; });
  }
  QPushButton* btnFalha;
  QPushButton* btnPadrao;
  QPushButton* btnConta;
  int Cliques = 0;
};

}  // namespace

class TesteGuarda : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void falhaNumBotaoMostraACaixaEOProgramaSegue() {
    auto* app = qobject_cast<TAplicacao*>(QCoreApplication::instance());
    QVERIFY(app);
    TPastaTemporaria pasta;
    TApresentadorRoteirizado apresentador;
    TSistema sistema(TCaminhos(pasta.Caminho(), QStringLiteral("TORVEDA")));
    TfrmMain frm(sistema, apresentador);
    app->AvisaFalhasEm(&apresentador);
    app->DefineRecuperacao([&frm] { frm.MostraProgresso(false); });
    frm.DefineFabrica(
        TTipoJanela::Outorga, [](TContextoJanela& c) { return new TJanelaFalha(c); }, true);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    auto* janela = static_cast<TJanelaFalha*>(frm.MostraFilho(TTipoJanela::Outorga));
    apresentador.Limpa();
    const int antes = app->Capturadas();

    QTest::mouseClick(janela->btnFalha, Qt::LeftButton);
    QCOMPARE(app->Capturadas(), antes + 1);
    QCOMPARE(apresentador.Textos(TTipo::ErroNaoTratado),
             QStringList(QStringLiteral("Campo inexistente em Est_Fluviometricas: Estacoes")));
    // The progress bar the handler put up is not left behind over nothing.
    QVERIFY(frm.prbBarraProgresso->isHidden());
    QVERIFY(frm.lblBarraProgresso->isHidden());

    // Any other failure is shown with its text too.
    QTest::mouseClick(janela->btnPadrao, Qt::LeftButton);
    QCOMPARE(apresentador.Textos(TTipo::ErroNaoTratado).size(), 2);
    QCOMPARE(apresentador.Textos(TTipo::ErroNaoTratado).last(), QStringLiteral("indice"));

    // The event loop goes on: clicks, timers and the window itself still work.
    QTest::mouseClick(janela->btnConta, Qt::LeftButton);
    QCOMPARE(janela->Cliques, 1);
    bool disparou = false;
    QTimer::singleShot(0, [&] { disparou = true; });
    QTRY_VERIFY(disparou);
    QVERIFY(frm.isVisible());
    QCOMPARE(frm.Filho(TTipoJanela::Outorga), janela);
    app->DefineRecuperacao({});
    app->AvisaFalhasEm(nullptr);
  }

  void falhaNumTemporizadorTambem() {
    auto* app = qobject_cast<TAplicacao*>(QCoreApplication::instance());
    TApresentadorRoteirizado apresentador;
    app->AvisaFalhasEm(&apresentador);
    QTimer::singleShot(0, [] { throw ETorveda(QStringLiteral("Falha adiada")); });
    QTRY_COMPARE(apresentador.Textos(TTipo::ErroNaoTratado),
                 QStringList(QStringLiteral("Falha adiada")));
    QVERIFY(app->Capturadas() > 0);
    app->AvisaFalhasEm(nullptr);
  }

  void avisosSemIconeEAGuardaComODeErro() {
    // Real boxes, read and answered with Enter as soon as each is up.
    auto* app = qobject_cast<TAplicacao*>(QCoreApplication::instance());
    TApresentadorQt qt;
    app->AvisaFalhasEm(&qt);
    QList<QMessageBox::Icon> icones;
    QTimer relogio;
    relogio.setInterval(10);
    connect(&relogio, &QTimer::timeout, [&] {
      if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        icones << caixa->icon();
        QTest::keyClick(caixa, Qt::Key_Return);
      }
    });
    relogio.start();
    qt.Mensagem(QStringLiteral("O cadastro estadual não foi aberto."));
    QTimer::singleShot(0, [] { throw ETorveda(QStringLiteral("Falha sem dono")); });
    QTRY_COMPARE(icones.size(), 2);
    relogio.stop();
    app->AvisaFalhasEm(nullptr);
    QCOMPARE(icones, (QList<QMessageBox::Icon>{QMessageBox::NoIcon, QMessageBox::Critical}));
  }
};

int main(int argc, char** argv) {
  TAplicacao app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  TesteGuarda teste;
  return QTest::qExec(&teste, argc, argv);
}

#include "TesteGuarda.moc"
