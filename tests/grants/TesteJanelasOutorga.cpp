// The availability and grant analysis windows and the report commands, driven as the analyst
// would: activation, typing, "Ok", "Calcular", and the print preview.

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/gui/ComandosRelatorio.h"
#include "grants/gui/TfrmDisponibilidade.h"
#include "grants/gui/TfrmOutorga.h"
#include "grants/gui/TtsGrid.h"
#include "grants/gui/ValidadorNumero.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

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
  void initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    // The analyst's name is remembered in the test's own settings, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("TORVEDA"), QStringLiteral("TORVEDA")).clear();
  }

  void init() {
    pasta = std::make_unique<TPastaTemporaria>();
    apresentador = std::make_unique<TApresentadorRoteirizado>();
    sistema = std::make_unique<TSistema>(TCaminhos(pasta->Caminho(), QStringLiteral("TORVEDA")));
    sistema->Ponto = std::make_unique<TPonto>();
    contexto = std::make_unique<TContextoJanela>(TContextoJanela{*sistema, rodape, *apresentador});
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
    // A typed point is the regional decimal separator, never dropped.
    frm.edtValorOutorga->clear();
    QTest::keyClicks(frm.edtValorOutorga, QStringLiteral("0.5"));
    QCOMPARE(frm.edtValorOutorga->text(), QStringLiteral("0,5"));
    // A second separator, typed as a point, is refused like a comma.
    QTest::keyClicks(frm.edtValorOutorga, QStringLiteral(".1"));
    QCOMPARE(frm.edtValorOutorga->text(), QStringLiteral("0,51"));
  }

  void teclaRecusadaDaUmSinalVisivel() {
    TfrmOutorga frm(*contexto);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    QTest::keyClicks(frm.edtValorOutorga, QStringLiteral("2"));
    QVERIFY(!QToolTip::isVisible());
    QTest::keyClick(frm.edtValorOutorga, Qt::Key_Minus);
    QCOMPARE(frm.edtValorOutorga->text(), QStringLiteral("2"));
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Digite apenas algarismos e uma vírgula decimal."));
    QVERIFY(frm.edtValorOutorga->styleSheet().contains(QStringLiteral("border")));
    QTRY_VERIFY_WITH_TIMEOUT(frm.edtValorOutorga->styleSheet().isEmpty(), 3000);
    QToolTip::hideText();
  }

  // The percentage takes whole numbers from 1 to 100; the criterion and the method are chosen
  // from their lists, never typed.
  void percentualDe1A100EListasFixas() {
    SecaoComVazao();
    TfrmOutorga frm(*contexto);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    QTest::keyClicks(frm.edtValorCriterio, QStringLiteral("1.5"));
    QCOMPARE(frm.edtValorCriterio->text(), QStringLiteral("15"));
    QTest::keyClick(frm.edtValorCriterio, Qt::Key_0);
    QCOMPARE(frm.edtValorCriterio->text(), QStringLiteral("15"));  // 150 % is refused
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("O valor da % da vazão de referência deve ser um "
                                              "número inteiro de 1 a 100."));
    QToolTip::hideText();
    frm.edtValorCriterio->clear();
    QTest::keyClicks(frm.edtValorCriterio, QStringLiteral("100"));
    QCOMPARE(frm.edtValorCriterio->text(), QStringLiteral("100"));

    QVERIFY(!frm.cbVarInteresse->isEditable());
    QVERIFY(!frm.cbMetodo->isEditable());
    QTest::keyClicks(frm.cbMetodo, QStringLiteral("Regressao"));
    QVERIFY(frm.cbMetodo->currentText().isEmpty() ||
            NomesMetodo().contains(frm.cbMetodo->currentText()));

    // 0 may be on its way to 10 while typing; "Calcular" refuses it and says what is expected.
    Preenche(frm, QDate(2006, 1, 1), QDate(2006, 2, 1), QStringLiteral("1"), QStringLiteral("0"));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro), QStringList{TextoPercentualEsperado()});
    QVERIFY(!frm.Resultado().Completo());
  }

  // Month and year typed as people type them; the cursor moves on once the year is complete.
  void mesAnoDigitadosETabNaOrdemDeLeitura() {
    TfrmOutorga frm(*contexto);
    frm.show();
    QApplication::setActiveWindow(&frm);
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    // A click on the year: typing starts at the month all the same.
    QTest::mouseClick(frm.dtpInicio, Qt::LeftButton, {},
                      QPoint(frm.dtpInicio->width() - 30, frm.dtpInicio->height() / 2));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("012000"));
    QCOMPARE(frm.Inicio(), QDate(2000, 1, 1));
    QCOMPARE(QApplication::focusWidget(), frm.dtpFim);
    QTest::keyClicks(frm.dtpFim, QStringLiteral("12/2030"));
    QCOMPARE(frm.Fim(), QDate(2030, 12, 1));
    QCOMPARE(QApplication::focusWidget(), frm.edtValorOutorga);
    QTest::keyClick(frm.edtValorOutorga, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), frm.dtpInicio);
    QTest::keyClicks(frm.dtpInicio, QStringLiteral("3/2005"));
    QCOMPARE(frm.Inicio(), QDate(2005, 3, 1));
    QCOMPARE(QApplication::focusWidget(), frm.dtpFim);

    QList<QWidget*> esperada{frm.edtValorOutorga, frm.btnOk,       frm.edtValorCriterio,
                             frm.cbVarInteresse,  frm.cbMetodo,    frm.btnCalcular,
                             frm.edtProcesso,     frm.edtAnalista, frm.btnOutorgas};
    for (QWidget* w : esperada) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), w);
    }
  }

  // Any input changed after "Calcular" greys the results at once, until "Calcular" again.
  void resultadoDesatualizadoAteCalcularDeNovo() {
    SecaoComVazao();
    TfrmOutorga frm(*contexto);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    Preenche(frm, QDate(2006, 1, 1), QDate(2006, 3, 1), QStringLiteral("1"), QStringLiteral("50"));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QVERIFY(!frm.ResultadoDesatualizado());
    const QColor verde(0, 204, 102);
    QCOMPARE(frm.tsResultado->Fundo(2, 1), verde);
    auto confere = [&](bool desatualizado) {
      QCOMPARE(frm.ResultadoDesatualizado(), desatualizado);
      QCOMPARE(frm.tsResultado->Desatualizada(), desatualizado);
      QCOMPARE(frm.tsResultado->Fundo(2, 1) == verde, !desatualizado);
      QCOMPARE(frm.lblFrequencia->toolTip() ==
                   QStringLiteral("Resultado desatualizado: pressione Calcular"),
               desatualizado);
    };
    QTest::keyClick(frm.edtValorCriterio, Qt::Key_Backspace);
    confere(true);
    QTest::keyClick(frm.edtValorCriterio, Qt::Key_0);  // back to 50: current again
    confere(false);
    Escolhe(frm.cbMetodo, QStringLiteral("Proporc. de vazões"));
    confere(true);
    Escolhe(frm.cbMetodo, QStringLiteral("Tradicional"));
    confere(false);
    DigitaNaCelula(*frm.tsEntrada, 2, 2, "2");
    confere(true);
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    confere(false);
    frm.dtpFim->setFocus();
    QTest::keyClicks(frm.dtpFim, QStringLiteral("042006"));
    confere(true);
    frm.edtValorOutorga->clear();
    QTest::keyClicks(frm.edtValorOutorga, QStringLiteral("2"));
    QTest::mouseClick(frm.btnOk, Qt::LeftButton);
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QVERIFY2(apresentador->Registros().isEmpty(),
             qPrintable(apresentador->Textos().join(QLatin1Char('\n'))));
    confere(false);
  }

  // Before and after the grant, switched by the analyst; the legend names the criterion's flow.
  void antesEDepoisDaOutorgaComLegenda() {
    SecaoComVazao();
    sistema->Ponto->SetOutorgadaEstadual(1, 2006, 0.5);
    TfrmOutorga frm(*contexto);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    Preenche(frm, QDate(2006, 1, 1), QDate(2006, 2, 1), QStringLiteral("4.49188"),
             QStringLiteral("50"));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QVERIFY(frm.rbApos->isChecked());
    // 5 - 0.5 - 4.49188 = 0.00812: three significant digits, the same places in the column.
    QCOMPARE(frm.tsResultado->Texto(2, 1), QStringLiteral("0,00812"));
    QCOMPARE(frm.tsResultado->Texto(2, 2), QStringLiteral("0,50812"));
    QVERIFY(frm.lblResultados->text().contains(QStringLiteral("após a outorga")));
    QTest::mouseClick(frm.rbAntes, Qt::LeftButton);
    QVERIFY(frm.rbAntes->isChecked());
    QCOMPARE(frm.tsResultado->Texto(2, 1), QStringLiteral("4,500"));
    QCOMPARE(frm.tsResultado->Texto(2, 2), QStringLiteral("5,000"));
    QVERIFY(frm.lblResultados->text().contains(QStringLiteral("antes da outorga")));
    const QString legenda = QString(frm.lblLegenda->text()).replace(QStringLiteral("&nbsp;"), " ");
    QVERIFY2(
        legenda.contains(QStringLiteral("parcela da vazão do critério (50% da Q710 = 5 m³/s)")),
        qPrintable(legenda));
    for (const char* palavras : {"30% ou mais livre", "de 10% a 30% livre", "menos de 10% livre",
                                 "vazão do critério excedida"})
      QVERIFY(legenda.contains(QString::fromUtf8(palavras)));
    QVERIFY(!legenda.contains(QStringLiteral("referência")));
  }

  // The analyst's name is remembered by the next window, the process number is not.
  void analistaLembradoEntreSessoes() {
    {
      TfrmOutorga frm(*contexto);
      frm.show();
      QTest::keyClicks(frm.edtAnalista, QStringLiteral("Maria Souza"));
      QTest::keyClicks(frm.edtProcesso, QStringLiteral("1234/2026"));
    }
    TfrmOutorga outra(*contexto);
    QCOMPARE(outra.edtAnalista->text(), QStringLiteral("Maria Souza"));
    QVERIFY(outra.edtProcesso->text().isEmpty());
  }

  // A failed "Calcular" after a complete one: the result grid and the five pictures stay those of
  // the complete one, whatever stopped it.
  void calcularQueFalhaNaoMexeNaGradeNemNasImagens() {
    SecaoComVazao();
    TfrmOutorga frm(*contexto);
    frm.show();
    Preenche(frm, QDate(2006, 1, 1), QDate(2006, 3, 1), QStringLiteral("2"), QStringLiteral("50"));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QVERIFY2(apresentador->Registros().isEmpty(),
             qPrintable(apresentador->Textos().join(QLatin1Char('\n'))));
    const QString pasta = sistema->Caminhos().Relatorios();
    auto estado = [&] {
      QStringList e;
      for (const QString& nome : NomesImagensTabela()) {
        QFile f(pasta + nome);
        if (!f.open(QIODevice::ReadOnly)) return QStringList{QStringLiteral("sem ") + nome};
        e << QFileInfo(f).lastModified().toString(Qt::ISODateWithMs) +
                 QString::number(qHash(f.readAll()));
      }
      // The contents, not their greyed look while inputs differ from the last calculation.
      const TTabelaMeses& t = frm.tsResultado->Tabela();
      for (int c = 1; c <= t.NumColunas(); ++c)
        for (int l = 1; l <= 12; ++l) e << t.Celula(c, l)->Texto + t.Celula(c, l)->Fundo.name();
      return e;
    };
    const QStringList antes = estado();
    QCOMPARE(frm.tsResultado->Texto(2, 1), QStringLiteral("3,000"));  // 50 % of 10, less 2
    QTest::qWait(20);

    // A percentage of 0.
    frm.edtValorCriterio->clear();
    QTest::keyClicks(frm.edtValorCriterio, QStringLiteral("0"));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QCOMPARE(estado(), antes);
    // No allowable flow (a method that estimated none here).
    frm.edtValorCriterio->clear();
    QTest::keyClicks(frm.edtValorCriterio, QStringLiteral("50"));
    Escolhe(frm.cbMetodo, QStringLiteral("Proporc. de vazões"));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QCOMPARE(estado(), antes);
    // The period grown without "Ok": April has no requested flow.
    Escolhe(frm.cbMetodo, QStringLiteral("Tradicional"));
    frm.dtpFim->setDate(QDate(2006, 4, 1));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QCOMPARE(estado(), antes);

    const QStringList erros = apresentador->Textos(TTipo::Erro);
    QCOMPARE(erros.size(), 3);
    QCOMPARE(erros[0], TextoPercentualEsperado());
    QVERIFY(erros[1].contains(QStringLiteral("não dá vazão permissível")));
    QVERIFY(erros[2].contains(QStringLiteral("Abr/2006")));
  }

  // "Ok" with 0, then 0.2 typed into the cells of May to December: the availability after the
  // grant follows the request month by month.
  void pedidoSazonalDigitadoNasCelulas() {
    SecaoComVazao();
    TfrmOutorga frm(*contexto);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    Preenche(frm, QDate(2006, 1, 1), QDate(2006, 12, 1), QStringLiteral("0"),
             QStringLiteral("100"));
    QCOMPARE(frm.tsEntrada->Texto(2, 5), QStringLiteral("0"));
    for (int mes = 5; mes <= 12; ++mes) DigitaNaCelula(*frm.tsEntrada, mes, 2, "0.2");
    for (int mes = 5; mes <= 12; ++mes)
      QCOMPARE(frm.tsEntrada->Texto(2, mes), QStringLiteral("0,2"));
    QCOMPARE(frm.tsEntrada->Tabela().CelulaDoMes(8, 2006)->Texto, QStringLiteral("0,2"));
    // The month names are not editable.
    QVERIFY(!(frm.tsEntrada->item(0, 0)->flags() & Qt::ItemIsEditable));

    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QVERIFY2(apresentador->Registros().isEmpty(),
             qPrintable(apresentador->Textos().join(QLatin1Char('\n'))));
    for (int mes = 1; mes <= 4; ++mes)
      QCOMPARE(frm.tsResultado->Texto(2, mes), QStringLiteral("10,000"));
    for (int mes = 5; mes <= 12; ++mes)
      QCOMPARE(frm.tsResultado->Texto(2, mes), QStringLiteral("9,800"));
    QVERIFY(frm.lblFrequencia->toolTip().startsWith(
        QStringLiteral("Critério atendido em 12 de 12 meses do período (100%)")));

    // An emptied cell stops "Calcular" naming its month.
    const QRect r = frm.tsEntrada->visualRect(frm.tsEntrada->model()->index(6, 1));
    QTest::mouseClick(frm.tsEntrada->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(frm.tsEntrada->viewport(), Qt::LeftButton, {}, r.center());
    QLineEdit* editor = EditorAberto(*frm.tsEntrada);
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("0,2"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(frm.tsEntrada->Texto(2, 7), QString());
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 1);
    QVERIFY(apresentador->Textos(TTipo::Erro)[0].contains(QStringLiteral("Jul/2006")));
    QCOMPARE(frm.tsResultado->Texto(2, 5), QStringLiteral("9,800"));
  }

  // The windows name the section they show and follow it when it changes.
  void janelasSeguemASecao() {
    SecaoComVazao();
    TPonto& p = *sistema->Ponto;
    p.SetNomeRio(QStringLiteral("Rio Preto"));
    p.SetMunicipio(QStringLiteral("Unaí"));
    p.SetEstado(QStringLiteral("MG"));
    p.SetAreaDrenagem(1234.567);
    p.SetCoordX(269041.0);
    p.SetCoordY(8286112.0);
    QMdiArea mdi;
    mdi.resize(900, 700);
    auto* disp = new TfrmDisponibilidade(*contexto);
    auto* frm = new TfrmOutorga(*contexto);
    QMdiSubWindow* subDisp = mdi.addSubWindow(disp);
    QMdiSubWindow* subOut = mdi.addSubWindow(frm);
    QMdiSubWindow* outra = mdi.addSubWindow(new QWidget);
    mdi.show();
    mdi.setActiveSubWindow(subDisp);
    QCOMPARE(disp->lblSecao->toolTip(),
             QStringLiteral("Seção de interesse: Rio Preto, Unaí (MG); área de drenagem 1.234,57 "
                            "km²; X 269041,00 m, Y 8286112,00 m (0° 00' 00\" S, 0° 00' 00\" W)"));
    mdi.setActiveSubWindow(subOut);
    QCOMPARE(frm->lblSecao->toolTip(), disp->lblSecao->toolTip());
    Preenche(*frm, QDate(2006, 1, 1), QDate(2006, 2, 1), QStringLiteral("1"),
             QStringLiteral("100"));
    QTest::mouseClick(frm->btnCalcular, Qt::LeftButton);
    QVERIFY(frm->Resultado().Completo());

    // Another section placed while the location window is in front.
    mdi.setActiveSubWindow(outra);
    p.SetNomeRio(QStringLiteral("Rio Claro"));
    p.SetCoordX(270000.0);
    p.VazoesTradicional().SetQ710(4.0);
    mdi.setActiveSubWindow(subDisp);
    QVERIFY(disp->lblSecao->toolTip().contains(QStringLiteral("Rio Claro")));
    QCOMPARE(disp->Caixas[0][0]->text(), QStringLiteral("4"));
    mdi.setActiveSubWindow(subOut);
    QVERIFY(frm->lblSecao->toolTip().contains(QStringLiteral("Rio Claro")));
    QVERIFY(!frm->Resultado().Completo());
    QCOMPARE(frm->tsResultado->columnCount(), 0);
    QVERIFY(frm->lblFrequencia->toolTip().contains(QStringLiteral("Calcular")));
    // The input grid, the analyst's request, stays.
    QCOMPARE(frm->tsEntrada->Texto(2, 1), QStringLiteral("1"));

    // A click off the drainage: the section is shown as off it, its flows as zero.
    mdi.setActiveSubWindow(outra);
    p.Reinicia();
    p.SetCodTrecho(-9999);
    p.SetNomeRio(QStringLiteral("Córrego Seco"));
    p.SetCoordX(271000.0);
    mdi.setActiveSubWindow(subDisp);
    QVERIFY(disp->lblSecao->toolTip().startsWith(QStringLiteral("Seção fora da hidrografia")));
    QCOMPARE(disp->Caixas[0][0]->text(), QStringLiteral("0"));
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
    QCOMPARE(frm.tsResultado->Texto(2, 1), QStringLiteral("7,500"));
    QCOMPARE(frm.tsResultado->Fundo(2, 1), QColor(0, 204, 102));
    QCOMPARE(frm.tsResultado->Texto(2, 2), QStringLiteral("1,500"));
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
    RelatorioVazaoDisponivel(*sistema, *apresentador, &frm, nullptr);
    RelatorioOutorgasMontante(*sistema, *apresentador, nullptr, nullptr);
    sistema->Ponto->SetCodTrecho(5);
    RelatorioVazaoDisponivel(*sistema, *apresentador, nullptr, nullptr);
    RelatorioOutorgasMontante(*sistema, *apresentador, &frm, nullptr);
    QCOMPARE(apresentador->Textos(TTipo::Erro),
             (QStringList{MensagemSemSecao(), MensagemSemSecao(),
                          QStringLiteral("Favor verificar se os valores estão corretamente "
                                         "inseridos na tela Outorga."),
                          QStringLiteral("Favor verificar se os valores estão corretamente "
                                         "inseridos na tela Outorga.")}));
  }

  void relatorioAbrePreviaModalComOCriterioDigitado() {
    SecaoComVazao();
    TfrmOutorga frm(*contexto);
    frm.show();
    Preenche(frm, QDate(2006, 1, 1), QDate(2006, 2, 1), QStringLiteral("1"), QStringLiteral("50"));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QTest::keyClicks(frm.edtProcesso, QStringLiteral("77/2026"));
    QTest::keyClick(frm.edtAnalista, Qt::Key_A, Qt::ControlModifier);  // over a remembered name
    QTest::keyClicks(frm.edtAnalista, QStringLiteral("Ana Lima"));
    QString titulo;
    bool modal = false;
    const QString pdf = pasta->Caminho() + QStringLiteral("/previa.pdf");
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QPrintPreviewDialog*>(w); d && d->isVisible()) {
          titulo = d->windowTitle();
          modal = d->isModal();
          // What the preview would print, to a PDF file.
          d->printer()->setOutputFormat(QPrinter::PdfFormat);
          d->printer()->setOutputFileName(pdf);
          d->findChild<QPrintPreviewWidget*>()->print();
          d->reject();
        }
      }
    });
    RelatorioVazaoDisponivel(*sistema, *apresentador, &frm, nullptr);
    QCOMPARE(titulo, QStringLiteral("Relatório de vazões disponíveis"));
    QVERIFY(modal);
    QVERIFY(apresentador->Registros().isEmpty());
    // The window's request and optional fields reach the page.
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(texto.waitForFinished(30000));
    const QString pagina = QString::fromUtf8(texto.readAllStandardOutput()).simplified();
    for (const char* esperado :
         {"Período: 01/2006 a 02/2006", "Vazão solicitada: 1 m", "77/2026", "Analista: Ana Lima"})
      QVERIFY2(pagina.contains(QString::fromUtf8(esperado)), qPrintable(pagina));

    // The section moved since "Calcular": a message, and no preview.
    sistema->Ponto->SetCoordX(123.0);
    titulo.clear();
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QPrintPreviewDialog*>(w); d && d->isVisible()) {
          titulo = d->windowTitle();
          d->reject();
        }
    });
    RelatorioOutorgasMontante(*sistema, *apresentador, &frm, nullptr);
    QVERIFY(titulo.isEmpty());
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 1);
    QVERIFY(apresentador->Textos(TTipo::Erro)[0].contains(
        QStringLiteral("Calcule novamente a disponibilidade para esta seção")));
  }

 private:
  // The cell editor the grid has open, if any.
  static QLineEdit* EditorAberto(TtsGrid& grade) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QLineEdit* e : grade.findChildren<QLineEdit*>(QStringLiteral("edtCelula")))
      if (e->isVisible()) return e;
    return nullptr;
  }

  // Types over a cell as the analyst does: a click on it, the text, Enter.
  static void DigitaNaCelula(TtsGrid& grade, int linha, int coluna, const char* texto) {
    const QRect r = grade.visualRect(grade.model()->index(linha - 1, coluna - 1));
    QTest::mouseClick(grade.viewport(), Qt::LeftButton, {}, r.center());
    const QString t = QString::fromLatin1(texto);
    QTest::keyClicks(&grade, t.left(1));  // the first key opens the editor
    QLineEdit* editor = EditorAberto(grade);
    QVERIFY(editor);
    QTest::keyClicks(editor, t.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits on a queued call
  }

  // Chooses an item of a list with the keyboard: Home, then Down until it is there.
  static void Escolhe(QComboBox* lista, const QString& item) {
    QTest::keyClick(lista, Qt::Key_Home);
    for (int i = 0; i < lista->count() && lista->currentText() != item; ++i)
      QTest::keyClick(lista, Qt::Key_Down);
    QCOMPARE(lista->currentText(), item);
  }

  // A section on the river with Q7,10 = 10 m^3/s by the traditional method.
  void SecaoComVazao() {
    sistema->Ponto->SetCodTrecho(3);
    sistema->Ponto->VazoesTradicional().SetQ710(10.0);
  }

  // Period, requested flow and "Ok", then the criterion (Q710, "Tradicional"), by keys and clicks.
  void Preenche(TfrmOutorga& frm, QDate inicio, QDate fim, const QString& vazao,
                const QString& percentual) {
    frm.dtpInicio->setDate(inicio);
    frm.dtpFim->setDate(fim);
    frm.edtValorOutorga->clear();
    QTest::keyClicks(frm.edtValorOutorga, vazao);
    QTest::mouseClick(frm.btnOk, Qt::LeftButton);
    frm.edtValorCriterio->clear();
    QTest::keyClicks(frm.edtValorCriterio, percentual);
    Escolhe(frm.cbVarInteresse, QStringLiteral("Q710"));
    Escolhe(frm.cbMetodo, QStringLiteral("Tradicional"));
  }

  std::unique_ptr<TPastaTemporaria> pasta;
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  std::unique_ptr<TSistema> sistema;
  TRodapeTeste rodape;
  std::unique_ptr<TContextoJanela> contexto;
};

QTEST_MAIN(TesteJanelasOutorga)
#include "TesteJanelasOutorga.moc"
