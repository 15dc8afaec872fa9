// The availability and grant windows on the sample basin: a second section placed, then a
// register import, with the windows open; each time they say which section they show and never
// keep the numbers of the one before.

#include <QComboBox>
#include <QDateEdit>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "amostra/Amostra.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/gui/AtualizaSecao.h"
#include "grants/gui/TfrmDisponibilidade.h"
#include "grants/gui/TfrmOutorga.h"
#include "grants/gui/TtsGrid.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/TPonto.h"
#include "import/ComandosOutorgas.h"
#include "sistema/TSistema.h"

namespace {

class TRodapeTeste final : public TRodape {
 public:
  void EscreveStatus(int, const QString&) override {}
  QString Status(int) const override { return {}; }
  void MostraProgresso(bool visivel) override { (visivel ? Mostrou : Ocultou)++; }
  int Mostrou = 0, Ocultou = 0;
};

double TotalAMontante(const TPonto& p) {
  double soma = 0.0;
  for (int ano = 2000; ano <= 2030; ++ano)
    for (int mes = 1; mes <= 12; ++mes)
      soma += p.OutorgadaEstadual(mes, ano) + p.OutorgadaFederal(mes, ano);
  return soma;
}

}  // namespace

class TesteJanelasSecao : public QObject {
  Q_OBJECT

  std::unique_ptr<TPastaTemporaria> pasta;
  QJsonObject secoes;

  TPontoMapa Secao(const char* nome) const {
    const QJsonObject s = secoes.value(QLatin1String(nome)).toObject();
    return {s.value(QStringLiteral("X")).toDouble(), s.value(QStringLiteral("Y")).toDouble()};
  }

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    pasta = std::make_unique<TPastaTemporaria>();
    TOpcoesAmostra opcoes;
    opcoes.Colunas = opcoes.Linhas = 200;
    secoes = GeraAmostra(pasta->Caminho(), opcoes).value(QStringLiteral("secoes")).toObject();
  }

  void segundaSecaoEImportacao() {
    TApresentadorRoteirizado apresentador;
    TSistema sistema(TCaminhos(pasta->Caminho(), QStringLiteral("TORVEDA")));
    sistema.CriaFormPrincipal(apresentador);
    sistema.CriaDataModule(apresentador);
    QVERIFY(sistema.MapasCarregados);
    TRodapeTeste rodape;
    TContextoJanela contexto{sistema, rodape, apresentador};
    const TBacia bacia = BaciaDoSistema(sistema);
    TPonto& ponto = *sistema.Ponto;
    QCOMPARE(ColocaSecaoNoPonto(ponto, bacia, Secao("principal"), apresentador),
             TResultadoSecao::Calculada);
    const QString rioPrincipal = ponto.NomeRio();

    QMdiArea mdi;
    mdi.resize(900, 700);
    auto* disp = new TfrmDisponibilidade(contexto);
    auto* frm = new TfrmOutorga(contexto);
    QMdiSubWindow* subDisp = mdi.addSubWindow(disp);
    QMdiSubWindow* subOut = mdi.addSubWindow(frm);
    QMdiSubWindow* localizacao = mdi.addSubWindow(new QWidget);
    mdi.show();
    mdi.setActiveSubWindow(subDisp);
    QVERIFY2(
        disp->lblSecao->toolTip().startsWith(QStringLiteral("Seção de interesse: ") + rioPrincipal),
        qPrintable(disp->lblSecao->toolTip()));
    const QString q710Principal = disp->Caixas[0][0]->text();

    mdi.setActiveSubWindow(subOut);
    frm->dtpInicio->setDate(QDate(2010, 1, 1));
    frm->dtpFim->setDate(QDate(2012, 12, 1));
    QTest::keyClicks(frm->edtValorOutorga, QStringLiteral("0.01"));
    QTest::mouseClick(frm->btnOk, Qt::LeftButton);
    QTest::keyClicks(frm->edtValorCriterio, QStringLiteral("30"));
    // The lists chosen with the keyboard: Home is the first item, Down the next.
    QTest::keyClick(frm->cbVarInteresse, Qt::Key_Home);
    QTest::keyClick(frm->cbVarInteresse, Qt::Key_Down);
    QCOMPARE(frm->cbVarInteresse->currentText(), QStringLiteral("Q90"));
    QTest::keyClick(frm->cbMetodo, Qt::Key_Home);
    QCOMPARE(frm->cbMetodo->currentText(), QStringLiteral("Tradicional"));
    QTest::mouseClick(frm->btnCalcular, Qt::LeftButton);
    QVERIFY2(frm->Resultado().Completo(), qPrintable(apresentador.Textos().join('\n')));
    QVERIFY(!frm->lblFrequencia->toolTip().isEmpty());

    // A second section, on another river, placed while the location window is in front.
    mdi.setActiveSubWindow(localizacao);
    apresentador.Limpa();
    QCOMPARE(ColocaSecaoNoPonto(ponto, bacia, Secao("afluenteComEstacoes"), apresentador),
             TResultadoSecao::Calculada);
    QVERIFY(ponto.NomeRio() != rioPrincipal);
    mdi.setActiveSubWindow(subDisp);
    QVERIFY(disp->lblSecao->toolTip().contains(ponto.NomeRio()));
    QVERIFY(disp->Caixas[0][0]->text() != q710Principal);
    mdi.setActiveSubWindow(subOut);
    QVERIFY(frm->lblSecao->toolTip().contains(ponto.NomeRio()));
    QCOMPARE(frm->tsResultado->columnCount(), 0);

    // Back to the main stem and computed there: the registers are not imported yet.
    mdi.setActiveSubWindow(localizacao);
    QCOMPARE(ColocaSecaoNoPonto(ponto, bacia, Secao("principal"), apresentador),
             TResultadoSecao::Calculada);
    mdi.setActiveSubWindow(subOut);
    QTest::mouseClick(frm->btnCalcular, Qt::LeftButton);
    QVERIFY(frm->Resultado().Completo());
    const double antes = TotalAMontante(ponto);

    // The state register imported from the menu, the grant window in front.
    apresentador.Limpa();
    apresentador.EscolheArquivo(EntradaAqem(sistema).Arquivo);
    rodape.Mostrou = rodape.Ocultou = 0;
    ImportaEAtualizaSecao(
        sistema, rodape, apresentador, [&] { ComandoOutorgasAqem(sistema, apresentador); },
        [&] {
          return std::vector<QWidget*>{disp, frm};
        });
    QVERIFY2(TotalAMontante(ponto) > antes, qPrintable(apresentador.Textos().join('\n')));
    QCOMPARE(rodape.Mostrou, 1);
    QCOMPARE(rodape.Ocultou, 1);
    // The grant window's tables were made with the totals of before: gone.
    QVERIFY(!frm->Resultado().Completo());
    QCOMPARE(frm->tsResultado->columnCount(), 0);
    QVERIFY(frm->lblFrequencia->toolTip().contains(QStringLiteral("Calcular")));

    // "Calcular" again shows the new totals; the same import once more changes nothing.
    QTest::mouseClick(frm->btnCalcular, Qt::LeftButton);
    QVERIFY(frm->Resultado().Completo());
    const double total = frm->Resultado().Meses[0].Total;
    QCOMPARE(total, ponto.OutorgadaEstadual(1, 2010) + ponto.OutorgadaFederal(1, 2010));
    ImportaEAtualizaSecao(
        sistema, rodape, apresentador, [] {},
        [&] {
          return std::vector<QWidget*>{disp, frm};
        });
    QCOMPARE(rodape.Mostrou, 1);
    QVERIFY(frm->Resultado().Completo());
  }
};

QTEST_MAIN(TesteJanelasSecao)
#include "TesteJanelasSecao.moc"
