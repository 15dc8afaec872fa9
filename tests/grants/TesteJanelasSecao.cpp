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
#include "grants/BalancoRede.h"
#include "grants/FormataNumero.h"
#include "grants/Relatorio.h"
#include "grants/VerificacaoJusante.h"
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
    QCOMPARE(ColocaSecao(ponto, bacia, Secao("principal"), TFormaPonto::Mapa, apresentador),
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
    QCOMPARE(
        ColocaSecao(ponto, bacia, Secao("afluenteComEstacoes"), TFormaPonto::Mapa, apresentador),
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
    QCOMPARE(ColocaSecao(ponto, bacia, Secao("principal"), TFormaPonto::Mapa, apresentador),
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

  // After "Calcular" the grant window checks the request down to the outlet: a request that fits
  // everywhere says so; one that fits at the section but not at an arc below names that arc, as
  // the check of `analise --jusante` does. The line goes with the results and into the report.
  void jusanteAposCalcularENoRelatorio() {
    // The basin at its sample size, both registers in: reaches below a section can then hold
    // less water than the section's own.
    TPastaTemporaria dir;
    const QJsonObject secoesAmostra =
        GeraAmostra(dir.Caminho(), TOpcoesAmostra()).value(QStringLiteral("secoes")).toObject();
    TApresentadorRoteirizado apresentador;
    TSistema sistema(TCaminhos(dir.Caminho(), QStringLiteral("TORVEDA")));
    sistema.CriaFormPrincipal(apresentador);
    sistema.CriaDataModule(apresentador);
    apresentador.EscolheArquivo(EntradaAqem(sistema).Arquivo);
    ComandoOutorgasAqem(sistema, apresentador);
    apresentador.EscolheArquivo(EntradaAna(sistema).Arquivo);
    ComandoOutorgasAna(sistema, apresentador);
    TRodapeTeste rodape;
    TContextoJanela contexto{sistema, rodape, apresentador};
    const TBacia bacia = BaciaDoSistema(sistema);
    const TRede rede = bacia.Rede();
    const TRedeBalanco dados(bacia, rede);
    TPonto& ponto = *sistema.Ponto;
    const QDate inicio(2008, 1, 1), fim(2016, 12, 1);
    const TCriterioOutorga criterio{QStringLiteral("30"), QStringLiteral("Q90"),
                                    QStringLiteral("Tradicional")};

    auto coloca = [&](const char* nome) {
      const QJsonObject s = secoesAmostra.value(QLatin1String(nome)).toObject();
      return ColocaSecao(
          ponto, bacia,
          {s.value(QStringLiteral("X")).toDouble(), s.value(QStringLiteral("Y")).toDouble()},
          TFormaPonto::Mapa, apresentador);
    };
    auto verifica = [&](const QString& vazao) {
      TTabelaMeses entrada;
      PreencheEntrada(entrada, inicio, fim, vazao, apresentador);
      const TResultadoOutorga r =
          CalculaOutorga(ponto, {inicio, fim, vazao, criterio}, entrada, QString(), apresentador);
      return r.Completo() ? VerificaJusante(bacia, rede, dados, ponto, r, apresentador)
                          : TVerificacaoJusante();
    };

    // On the main stem every reach below has water to spare.
    QCOMPARE(coloca("principal"), TResultadoSecao::Calculada);
    QVERIFY(!verifica(QStringLiteral("0,001")).PrimeiraFalha);
    auto* frm = new TfrmOutorga(contexto);
    QMdiArea mdi;
    mdi.resize(900, 700);
    mdi.addSubWindow(frm)->resize(870, 680);
    mdi.show();
    frm->dtpInicio->setDate(inicio);
    frm->dtpFim->setDate(fim);
    QTest::keyClicks(frm->edtValorOutorga, QStringLiteral("0,001"));
    QTest::mouseClick(frm->btnOk, Qt::LeftButton);
    QTest::keyClicks(frm->edtValorCriterio, QStringLiteral("30"));
    QTest::keyClick(frm->cbVarInteresse, Qt::Key_Home);
    QTest::keyClick(frm->cbVarInteresse, Qt::Key_Down);
    QTest::keyClick(frm->cbMetodo, Qt::Key_Home);
    QVERIFY(frm->lblJusante->isHidden());
    QTest::mouseClick(frm->btnCalcular, Qt::LeftButton);
    QVERIFY2(frm->Resultado().Completo(), qPrintable(apresentador.Textos().join('\n')));
    const QString atendido =
        QStringLiteral("Jusante: critério atendido em todos os trechos até o exutório");
    QCOMPARE(frm->lblJusante->toolTip(), atendido);
    QVERIFY(frm->lblJusante->isVisible());
    // Under the frequency, above the legend, clear of both.
    QVERIFY(frm->lblJusante->y() > frm->lblFrequencia->geometry().bottom());
    QVERIFY(frm->lblLegenda->y() > frm->lblJusante->geometry().bottom());

    // The report prints the line of the result it shows.
    const TJanelaOutorga janela{frm->Entradas(), &frm->tsEntrada->Tabela(), &frm->Resultado(),
                                frm->LinhaJusante()};
    const auto relatorio = PreparaRelatorio(TTipoRelatorio::VazaoDisponivel, ponto, &janela,
                                            QDate(2026, 1, 1), apresentador);
    QVERIFY(relatorio);
    QCOMPARE(relatorio->Jusante, atendido);

    // A tributary whose own arc has water to spare and below which some arc has less than every
    // arc above it: a request between the two fits at the section and fails first at that arc.
    double pedido = 0.0;
    std::int32_t falha = 0;
    for (const char* nome : {"cabeceira", "afluenteComEstacoes", "rioSemEquacoes"}) {
      coloca(nome);
      const TVerificacaoJusante v0 = verifica(QStringLiteral("0"));
      double menorAcima = v0.Trechos.empty() ? 0.0 : v0.Trechos[0].PiorDisponivel;
      for (std::size_t k = 1; k < v0.Trechos.size() && menorAcima > 0.01; ++k) {
        if (v0.Trechos[k].PiorDisponivel < menorAcima - 0.004) {
          const double abaixo = std::max(0.0, v0.Trechos[k].PiorDisponivel);
          pedido = std::round((menorAcima + abaixo) / 2 * 1000) / 1000;
          falha = v0.Trechos[k].Fim.Trecho;
          break;
        }
        menorAcima = std::min(menorAcima, v0.Trechos[k].PiorDisponivel);
      }
      if (falha) break;
    }
    QVERIFY2(falha, "nenhuma seção da amostra tem um trecho abaixo com menos água");

    // Another request: the results are stale, and so is the verdict.
    frm->edtValorOutorga->selectAll();
    QTest::keyClicks(frm->edtValorOutorga, FormataTabela(pedido));
    QVERIFY(frm->lblJusante->toolTip().isEmpty());
    QVERIFY(frm->lblJusante->isHidden());
    QTest::mouseClick(frm->btnOk, Qt::LeftButton);
    QTest::mouseClick(frm->btnCalcular, Qt::LeftButton);
    QVERIFY(frm->Resultado().Completo());
    QVERIFY2(frm->lblJusante->toolTip().startsWith(
                 QStringLiteral("Jusante: critério não atendido no trecho %1 (").arg(falha)),
             qPrintable(frm->lblJusante->toolTip()));
    QCOMPARE(
        frm->lblJusante->toolTip(),
        TextoJusante(VerificaJusante(bacia, rede, dados, ponto, frm->Resultado(), apresentador)));
    // The request itself fits at the section.
    QVERIFY(frm->Resultado().Frequencia && frm->Resultado().Frequencia->PiorDisponivel >= 0.0);
    const QString pastaCapturas = qEnvironmentVariable("TORVEDA_CAPTURAS");
    if (!pastaCapturas.isEmpty())
      frm->grab().save(pastaCapturas + QStringLiteral("/outorga-jusante.png"));
  }
};

QTEST_MAIN(TesteJanelasSecao)
#include "TesteJanelasSecao.moc"
