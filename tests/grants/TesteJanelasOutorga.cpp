// The availability and grant analysis windows and the report commands, driven as the analyst
// would: activation, typing, "Ok", "Calcular", and the print preview.

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/TSistema.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/gui/ComandosRelatorio.h"
#include "grants/gui/TfrmDisponibilidade.h"
#include "grants/gui/TfrmOutorga.h"
#include "grants/gui/TtsGrid.h"
#include "hydro/TPonto.h"

namespace {

class TRodapeTeste : public TRodape {
 public:
  void EscreveStatus(int, const QString&) override {}
  QString Status(int) const override { return {}; }
  void MostraProgresso(bool) override {}
};

using TTipo = TApresentadorRoteirizado::TTipo;

}  // namespace

class TesteJanelasOutorga : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void init() {
    pasta = std::make_unique<TPastaTemporaria>();
    apresentador = std::make_unique<TApresentadorRoteirizado>();
    sistema = std::make_unique<TSistema>(TCaminhos(pasta->Caminho(), QStringLiteral("TORVEDA")));
    sistema->Ponto = std::make_unique<TPonto>();
    contexto = std::make_unique<TContextoJanela>(TContextoJanela{*sistema, rodape});
  }

  void cleanup() {
    contexto.reset();
    sistema.reset();
    apresentador.reset();
    pasta.reset();
  }

  void disponibilidadeLeASecaoAoSerAtivada() {
    QMdiArea mdi;
    mdi.resize(900, 700);
    auto* frm = new TfrmDisponibilidade(*contexto);
    QMdiSubWindow* sub = mdi.addSubWindow(frm);
    auto* outra = mdi.addSubWindow(new QWidget);
    mdi.show();
    mdi.setActiveSubWindow(sub);
    for (const auto& linha : frm->Caixas)
      for (QLineEdit* e : linha) QCOMPARE(e->text(), QStringLiteral("0"));
    QCOMPARE(frm->Caixas[0][0]->objectName(), QStringLiteral("edtQ710TradEst"));
    QCOMPARE(frm->Caixas[3][2]->objectName(), QStringLiteral("edtQmldConserEst"));

    // A new section placed while another window is active shows on the next activation.
    mdi.setActiveSubWindow(outra);
    sistema->Ponto->VazoesTradicional().SetQ710(10.06);
    sistema->Ponto->VazoesProporcional().SetQ90(1.006);
    sistema->Ponto->VazoesConservacao().SetQmld(123.45);
    mdi.setActiveSubWindow(sub);
    QCOMPARE(frm->Caixas[0][0]->text(), QStringLiteral("10,1"));
    QCOMPARE(frm->Caixas[1][1]->text(), QStringLiteral("1,01"));
    QCOMPARE(frm->Caixas[3][2]->text(), QStringLiteral("123,5"));

    // Typing changes nothing.
    frm->Caixas[0][0]->setFocus();
    QTest::keyClicks(frm->Caixas[0][0], QStringLiteral("99"));
    QTest::keyClick(frm->Caixas[0][0], Qt::Key_Backspace);
    QCOMPARE(frm->Caixas[0][0]->text(), QStringLiteral("10,1"));
  }

  void filtroDeTeclasDasCaixasDeNumero() {
    TfrmOutorga frm(*contexto);
    frm.show();
    QTest::keyClicks(frm.edtValorOutorga, QStringLiteral("-1a2,3,4x"));
    QCOMPARE(frm.edtValorOutorga->text(), QStringLiteral("12,34"));
    QTest::keyClick(frm.edtValorOutorga, Qt::Key_Backspace);
    QCOMPARE(frm.edtValorOutorga->text(), QStringLiteral("12,3"));
    QTest::keyClicks(frm.edtValorCriterio, QStringLiteral("+5.0"));
    QCOMPARE(frm.edtValorCriterio->text(), QStringLiteral("50"));
  }

  void okPreencheAEntradaECalcularMostraAposAOutorga() {
    TPonto& p = *sistema->Ponto;
    p.SetCodTrecho(3);
    p.VazoesTradicional().SetQ710(10.0);
    p.SetOutorgadaEstadual(2, 2006, 6.0);
    TfrmOutorga frm(*contexto);
    frm.show();
    frm.dtpInicio->setDate(QDate(2006, 1, 20));
    frm.dtpFim->setDate(QDate(2006, 2, 3));
    frm.edtValorOutorga->setText(QStringLiteral("2,5"));
    frm.btnOkClick();
    QCOMPARE(frm.tsEntrada->columnCount(), 2);
    QCOMPARE(frm.tsEntrada->Texto(2, 1), QStringLiteral("2,5"));
    QCOMPARE(frm.tsEntrada->Texto(2, 2), QStringLiteral("2,5"));
    QCOMPARE(frm.tsEntrada->Texto(2, 3), QString());
    QCOMPARE(frm.tsEntrada->Texto(1, 12), QStringLiteral("Dez"));
    QCOMPARE(frm.tsEntrada->horizontalHeaderItem(1)->text(), QStringLiteral("2006"));
    QCOMPARE(frm.tsEntrada->height(), 175);

    frm.edtValorCriterio->setText(QStringLiteral("100"));
    frm.cbVarInteresse->setCurrentText(QStringLiteral("Q710"));
    frm.cbMetodo->setCurrentText(QStringLiteral("Tradicional"));
    frm.btnCalcularClick();
    QVERIFY2(apresentador->Registros().isEmpty(),
             qPrintable(apresentador->Textos().join(QLatin1Char('\n'))));
    // Jan: 10 - 2.5 = 7.5 free (green); Feb: 10 - 2.5 - 6 = 1.5 free, 85 % used (light yellow).
    QCOMPARE(frm.tsResultado->Texto(2, 1), QStringLiteral("7,5"));
    QCOMPARE(frm.tsResultado->Fundo(2, 1), QColor(0, 204, 102));
    QCOMPARE(frm.tsResultado->Texto(2, 2), QStringLiteral("1,5"));
    QCOMPARE(frm.tsResultado->Fundo(2, 2), QColor(255, 255, 153));
    QVERIFY(!frm.tsResultado->Fundo(2, 3).isValid());
    for (const QString& nome : NomesImagensTabela())
      QVERIFY(QFile::exists(sistema->Caminhos().Relatorios() + nome));
  }

  void periodoInvertidoAvisaNoOkENoCalcular() {
    sistema->Ponto->SetCodTrecho(3);
    TfrmOutorga frm(*contexto);
    frm.dtpInicio->setDate(QDate(2010, 5, 1));
    frm.dtpFim->setDate(QDate(2010, 4, 1));
    frm.edtValorOutorga->setText(QStringLiteral("1"));
    frm.btnOkClick();
    frm.btnCalcularClick();
    QCOMPARE(apresentador->Textos(TTipo::Erro),
             QStringList(2, QStringLiteral("Verifique o período.")));
    QCOMPARE(frm.tsEntrada->columnCount(), 0);
  }

  void periodoLongoAumentaAGrade() {
    TfrmOutorga frm(*contexto);
    frm.dtpInicio->setDate(QDate(1990, 1, 1));
    frm.dtpFim->setDate(QDate(2003, 1, 1));
    frm.edtValorOutorga->setText(QStringLiteral("1"));
    frm.btnOkClick();
    QCOMPARE(frm.tsEntrada->columnCount(), 15);
    QCOMPARE(frm.tsEntrada->height(), 191);
  }

  void relatoriosSemJanelaOuSemSecao() {
    // No section: that message, whatever the grant window holds.
    TfrmOutorga frm(*contexto);
    RelatorioVazaoDisponivel(*sistema, &frm, nullptr);
    RelatorioOutorgasMontante(*sistema, nullptr, nullptr);
    sistema->Ponto->SetCodTrecho(5);
    RelatorioVazaoDisponivel(*sistema, nullptr, nullptr);
    RelatorioOutorgasMontante(*sistema, &frm, nullptr);
    QCOMPARE(apresentador->Textos(TTipo::Erro),
             (QStringList{MensagemSemSecao(), MensagemSemSecao(),
                          QStringLiteral("Favor verificar se os valores estão corretamente "
                                         "inseridos na tela Outorga."),
                          QStringLiteral("Favor verificar se os valores estão corretamente "
                                         "inseridos na tela Outorga.")}));
  }

  void relatorioAbrePreviaModalComOCriterioDigitado() {
    sistema->Ponto->SetCodTrecho(5);
    sistema->Ponto->VazoesTradicional().SetQ90(2.0);
    TfrmOutorga frm(*contexto);
    frm.edtValorCriterio->setText(QStringLiteral("50"));
    frm.cbVarInteresse->setCurrentText(QStringLiteral("Q90"));
    frm.cbMetodo->setCurrentText(QStringLiteral("Tradicional"));
    QString titulo;
    bool modal = false;
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QPrintPreviewDialog*>(w); d && d->isVisible()) {
          titulo = d->windowTitle();
          modal = d->isModal();
          d->reject();
        }
      }
    });
    RelatorioVazaoDisponivel(*sistema, &frm, nullptr);
    QCOMPARE(titulo, QStringLiteral("Relatório de vazões disponíveis"));
    QVERIFY(modal);
    QVERIFY(apresentador->Registros().isEmpty());
  }

 private:
  std::unique_ptr<TPastaTemporaria> pasta;
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  std::unique_ptr<TSistema> sistema;
  TRodapeTeste rodape;
  std::unique_ptr<TContextoJanela> contexto;
};

QTEST_MAIN(TesteJanelasOutorga)
#include "TesteJanelasOutorga.moc"
