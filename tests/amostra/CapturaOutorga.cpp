// The picture of the grant analysis on the sample basin that the README shows: the registers
// imported, the section placed on the main stem, and the analysis run as the analyst would, with
// the keyboard and the mouse. Runs only when TORVEDA_CAPTURA_OUTORGA names the picture to write.

#include <QComboBox>
#include <QDateEdit>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "amostra/Amostra.h"
#include "base/gui/ContextoJanela.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/gui/TfrmOutorga.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

class TRodapeCaptura : public TRodape {
 public:
  void EscreveStatus(int, const QString&) override {}
  QString Status(int) const override { return {}; }
  void MostraProgresso(bool) override {}
};

}  // namespace

class CapturaOutorga : public QObject {
  Q_OBJECT

 private slots:
  void captura() {
    const QString destino = qEnvironmentVariable("TORVEDA_CAPTURA_OUTORGA");
    if (destino.isEmpty()) QSKIP("TORVEDA_CAPTURA_OUTORGA names the picture to write");
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TPastaTemporaria pasta;
    const QJsonObject principal = GeraAmostra(pasta.Caminho(), TOpcoesAmostra{})
                                      .value(QStringLiteral("secoes"))
                                      .toObject()
                                      .value(QStringLiteral("principal"))
                                      .toObject();
    for (const char* registro : {"aqem", "ana"})
      QCOMPARE(QProcess::execute(QStringLiteral(TORVEDA_CLI),
                                 {QStringLiteral("--dados"), pasta.Caminho(),
                                  QStringLiteral("importa"), QLatin1String(registro)}),
               0);

    TApresentadorRoteirizado apresentador;
    TSistema sistema(TCaminhos(pasta.Caminho(), QStringLiteral("TORVEDA")));
    sistema.CriaFormPrincipal(apresentador);
    sistema.CriaDataModule(apresentador);
    QVERIFY(sistema.MapasCarregados);
    const TBacia bacia = BaciaDoSistema(sistema);
    QCOMPARE(ColocaSecaoNoPonto(*sistema.Ponto, bacia,
                                TPontoMapa{principal.value(QStringLiteral("X")).toDouble(),
                                           principal.value(QStringLiteral("Y")).toDouble()},
                                apresentador),
             TResultadoSecao::Calculada);

    TRodapeCaptura rodape;
    TContextoJanela contexto{sistema, rodape, apresentador};
    TfrmOutorga frm(contexto);
    // The design size plus the caption line that names the section, which the program, its
    // windows always maximized, shows at the foot.
    frm.resize(834, 562);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    // Twelve years in which the main stem goes from green to orange-red.
    frm.dtpInicio->setDate(QDate(2009, 1, 1));
    frm.dtpFim->setDate(QDate(2020, 12, 1));
    QTest::keyClicks(frm.edtValorOutorga, QStringLiteral("0,01"));
    QTest::mouseClick(frm.btnOk, Qt::LeftButton);
    QTest::keyClicks(frm.edtValorCriterio, QStringLiteral("50"));
    frm.cbVarInteresse->setCurrentText(QStringLiteral("Q710"));
    frm.cbMetodo->setCurrentText(QStringLiteral("Tradicional"));
    QTest::mouseClick(frm.btnCalcular, Qt::LeftButton);
    QVERIFY(apresentador.Textos(TApresentadorRoteirizado::TTipo::Erro).isEmpty());
    QVERIFY(frm.grab().save(destino));
  }
};

QTEST_MAIN(CapturaOutorga)
#include "CapturaOutorga.moc"
