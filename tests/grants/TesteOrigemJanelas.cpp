// Where the flows and the upstream sum came from, as the analyst sees it: the availability
// window's boxes with their origin and warnings, and the grant window's list of counted grants
// with its filter, sorting, export and comparison with the section's basin. With TORVEDA_CAPTURAS
// set to a folder, the windows are also saved there as pictures.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <memory>

#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/gui/TDetalhesOrigem.h"
#include "grants/gui/TListaOutorgas.h"
#include "grants/gui/TfrmDisponibilidade.h"
#include "grants/gui/TfrmOutorga.h"
#include "hydro/TBaciaContribuicao.h"
#include "hydro/TPonto.h"
#include "raster/TImagem.h"
#include "sistema/TSistema.h"

namespace {

class TRodapeTeste : public TRodape {
 public:
  void EscreveStatus(int, const QString&) override {}
  QString Status(int) const override { return {}; }
  void MostraProgresso(bool) override {}
};

using TTipo = TApresentadorRoteirizado::TTipo;

void Captura(QWidget* w, const char* nome) {
  const QString pasta = qEnvironmentVariable("TORVEDA_CAPTURAS");
  if (pasta.isEmpty()) return;
  QApplication::processEvents();
  w->grab().save(pasta + QLatin1Char('/') + QString::fromLatin1(nome) + QStringLiteral(".png"));
}

// A traditional Q7,10 evaluated outside its range, a proportional method without stations.
void PreencheOrigens(TPonto& p) {
  p.SetCodTrecho(11);
  p.SetAreaDrenagem(5234.5);
  p.VazoesTradicional().SetQ710(12.5);
  p.VazoesTradicional().SetQmld(80.2);
  TOrigemMetodo& t = p.OrigemTradicional();
  t.Resumo = QStringLiteral(
      "Equações da região 3 (EQ_Tradicional) na área de drenagem da seção, "
      "5.234,5 km²");
  TEquacaoUsada e;
  e.Tabela = QStringLiteral("EQ_Tradicional");
  e.Chave = 12;
  e.Regiao = 3;
  e.Modelo = QStringLiteral("Pot");
  e.B0 = 0.01;
  e.BAd = 0.83;
  e.AreaAvaliada = 5234.5;
  e.Resultado = 12.5;
  e.Papel = QStringLiteral("seção");
  e.CodRestricao = 3;
  e.Intervalo = TIntervaloValidade{3, 12.0, 4500.0};
  t.Equacoes.push_back(e);
  t.MarcaIntervalos();
  t.Motivos[1] = QStringLiteral("sem equação da região 3 para Q90 em EQ_Tradicional");
  t.Motivos[2] = QStringLiteral("sem equação da região 3 para Q95 em EQ_Tradicional");
  p.OrigemProporcional().Resumo = QStringLiteral("Sem estações fluviométricas");
  p.OrigemProporcional().MotivoGeral(
      QStringLiteral("nenhuma estação fluviométrica a montante nem a jusante da seção"));
}

TOutorgaExaminada Outorga(TCamadaOutorga camada, int registro, const char* requerente, double vazao,
                          TRegraOutorga regra) {
  TOutorgaExaminada o;
  o.Camada = camada;
  o.Registro = registro;
  o.Requerente = QString::fromUtf8(requerente);
  o.Documento = QString::number(1000 + registro);
  o.Vazao.fill(vazao);
  o.Inicio = QDate(2004, 3, 15);
  o.Fim = QDate(2014, 3, 15);
  o.PrimeiroMes = 2004 * 12 + 2;
  o.NumMeses = 121;
  o.Unidade = 312;
  o.Regra = regra;
  o.Trecho = 40;
  return o;
}

}  // namespace

class TesteOrigemJanelas : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

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

  void disponibilidadeMostraOrigemEAvisos() {
    PreencheOrigens(*sistema->Ponto);
    TfrmDisponibilidade frm(*contexto);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    QLineEdit* q710 = frm.Caixas[0][0];
    QCOMPARE(q710->text(), QStringLiteral("12,5"));  // the flow is still shown
    QVERIFY(q710->toolTip().contains(
        QStringLiteral("fora do intervalo de validade da equação: 12–4.500 km²")));
    QVERIFY(q710->toolTip().contains(QStringLiteral("EQ_Tradicional 12")));
    // Marked: the warning and the missing flows; the Qmld of the same method is not.
    QVERIFY(!q710->styleSheet().isEmpty());
    QVERIFY(!frm.Caixas[1][0]->styleSheet().isEmpty());
    QVERIFY(frm.Caixas[3][0]->styleSheet().isEmpty());
    // The tint is explained beside the boxes, by a sample of the very colour.
    QVERIFY(frm.lblLegendaAviso->isVisible());
    QVERIFY(q710->styleSheet().contains(CorAvisoOrigem()));
    QVERIFY(frm.lblLegendaAviso->text().contains(CorAvisoOrigem()));
    QVERIFY(frm.lblLegendaAviso->text().contains(QStringLiteral("Em âmbar")));

    QTest::mouseClick(q710, Qt::LeftButton);
    const QString texto = frm.Detalhes->mmOrigem->toPlainText();
    QVERIFY2(texto.startsWith(QStringLiteral("Q7,10 — Tradicional\n")), qPrintable(texto));
    QVERIFY(texto.contains(QStringLiteral("Ad = 5.234,5 km² (seção)")));
    QVERIFY(texto.contains(
        QStringLiteral("Atenção: fora do intervalo de validade da equação: 12–4.500 km²")));
    Captura(&frm, "disponibilidade");

    // Tab reaches the next box and shows its origin too.
    QTest::mouseClick(frm.Caixas[1][1], Qt::LeftButton);
    QVERIFY(frm.Detalhes->mmOrigem->toPlainText().contains(QStringLiteral(
        "Sem estimativa: nenhuma estação fluviométrica a montante nem a jusante da seção")));

    // A new placement empties the origins; the panel follows at the next activation.
    sistema->Ponto->Reinicia();
    frm.FormActivate();
    QVERIFY(q710->toolTip().isEmpty());
    QVERIFY(q710->styleSheet().isEmpty());
    QVERIFY(frm.Detalhes->mmOrigem->toPlainText().contains(
        QStringLiteral("Nenhuma estimativa calculada")));
  }

  void listaDeOutorgasFiltraOrdenaEExporta() {
    TPonto& p = *sistema->Ponto;
    p.SetCodTrecho(40);
    TOutorgasConsideradas& l = p.Outorgas();
    l.UnidadeSecao = 312;
    l.TrechoSecao = 40;
    l.Consideradas = {
        Outorga(TCamadaOutorga::Significante, 7, "Fazenda Santa Luzia", 0.35,
                TRegraOutorga::NoTrechoDaSecao),
        Outorga(TCamadaOutorga::Significante, 2, "Cooperativa Agrícola do Vale", 1.2,
                TRegraOutorga::MontantePelaRede),
        Outorga(TCamadaOutorga::Insignificante, 15, "Sítio Boa Esperança", 0.001,
                TRegraOutorga::MontantePelaRede),
        Outorga(TCamadaOutorga::Federal, 4, "Companhia de Saneamento", 0.8,
                TRegraOutorga::Regiao3Paracatu),
        Outorga(TCamadaOutorga::Federal, 1, "Mineração Serra Azul", 0.15,
                TRegraOutorga::Regiao3Paracatu),
    };
    l.Consideradas[3].Vazao[6] = 0.5;
    l.Descartadas = {Outorga(TCamadaOutorga::Significante, 9, "Usina Ribeirão", 2.0,
                             TRegraOutorga::JusantePelaRede)};

    TfrmOutorga frm(*contexto);
    frm.show();
    QTest::mouseClick(frm.btnOutorgas, Qt::LeftButton);
    QVERIFY(frm.dlgOutorgas && frm.dlgOutorgas->isVisible());
    QCOMPARE(frm.dlgOutorgas->windowTitle(), QStringLiteral("Outorgas consideradas"));
    Captura(&frm, "outorga");
    TListaOutorgas* lista = frm.ListaOutorgas;
    QVERIFY(QTest::qWaitForWindowExposed(frm.dlgOutorgas));
    QCOMPARE(lista->NumLinhas(), 5);
    QCOMPARE(lista->lblTotal->text(), QStringLiteral("5 outorga(s)"));
    QCOMPARE(lista->Texto(3, 5), QStringLiteral("0,5–0,8 (mensal)"));
    QVERIFY(lista->Texto(3, 10).startsWith(QStringLiteral("seção no Rio Paracatu")));
    QCOMPARE(lista->Texto(0, 9), QStringLiteral("Mar/2004 a Mar/2014"));
    Captura(frm.dlgOutorgas, "outorgas_consideradas");

    // Sorting by the record number (a number, not a text: 15 after 7).
    QHeaderView* cab = lista->tvOutorgas->horizontalHeader();
    QTest::mouseClick(cab->viewport(), Qt::LeftButton, {},
                      QPoint(cab->sectionViewportPosition(2) + 5, cab->height() / 2));
    QStringList registros;
    for (int i = 0; i < lista->NumLinhas(); ++i) registros << lista->Texto(i, 2);
    QCOMPARE(registros, (QStringList{"1", "2", "4", "7", "15"}));

    // Only the federal register.
    lista->cbCadastro->setFocus();
    QTest::keyClick(lista->cbCadastro, Qt::Key_Down);
    QTest::keyClick(lista->cbCadastro, Qt::Key_Down);
    QCOMPARE(lista->cbCadastro->currentText(), QStringLiteral("ANA"));
    QCOMPARE(lista->NumLinhas(), 2);
    QCOMPARE(lista->Texto(0, 0), QStringLiteral("ANA"));
    QCOMPARE(lista->lblTotal->text(), QStringLiteral("2 outorga(s)"));

    // Those left out, with the reason.
    lista->cbCadastro->setFocus();
    QTest::keyClick(lista->cbCadastro, Qt::Key_Home);
    lista->cbLista->setFocus();
    QTest::keyClick(lista->cbLista, Qt::Key_Down);
    QCOMPARE(lista->NumLinhas(), 1);
    QCOMPARE(lista->Texto(0, 3), QStringLiteral("Usina Ribeirão"));
    QCOMPARE(lista->Texto(0, 8),
             QStringLiteral("a jusante pela rede: do trecho 40 a descida chega ao exutório sem "
                            "passar pela seção"));

    // The export, to the file the analyst chose.
    const QString arquivo = pasta->Arquivo(QStringLiteral("exportadas/outorgas.xlsx"));
    lista->EscolheArquivo = [&] { return arquivo; };
    QTest::mouseClick(lista->btnExportar, Qt::LeftButton);
    QVERIFY(QFile::exists(arquivo));
    QCOMPARE(apresentador->Textos(TTipo::Informacao).size(), 1);
    QVERIFY(apresentador->Textos(TTipo::Informacao)[0].startsWith(
        QStringLiteral("Tabelas exportadas para:")));
    // Cancelling the file dialog writes nothing and says nothing.
    lista->EscolheArquivo = [] { return QString(); };
    QTest::mouseClick(lista->btnExportar, Qt::LeftButton);
    QCOMPARE(apresentador->Registros().size(), 1);

    // A refresh with the same section and grants leaves the list as the analyst left it: the
    // row clicked stays selected.
    QTest::mouseClick(
        lista->tvOutorgas->viewport(), Qt::LeftButton, {},
        lista->tvOutorgas->visualRect(lista->tvOutorgas->model()->index(0, 3)).center());
    QVERIFY(lista->tvOutorgas->selectionModel()->isRowSelected(0, {}));
    QMetaObject::invokeMethod(&frm, "AtualizaSecao");
    QVERIFY(lista->tvOutorgas->selectionModel()->isRowSelected(0, {}));

    // A new section (here: its grants recomputed) reaches the open list at the window's next
    // refresh, not only when the list is opened again.
    p.Outorgas().Descartadas.push_back(
        Outorga(TCamadaOutorga::Federal, 3, "Fazenda Nova", 0.2, TRegraOutorga::OutraRegiao));
    QCOMPARE(lista->NumLinhas(), 1);
    QMetaObject::invokeMethod(&frm, "AtualizaSecao");
    QCOMPARE(lista->NumLinhas(), 2);
  }

  void listaMarcaAsQueDivergemDaBacia() {
    // One row of four cells 50 m wide, every one draining east: the basin of the third cell is
    // the three western cells; the fourth lies outside it.
    TImagem dir;
    dir.DefineTipo(QChar('R'));
    dir.DefineDimensoes(4, 1);
    dir.DefineExtensao(0, 200, 0, 50);
    for (int c = 0; c < 4; ++c) dir.GravaReal(c, 1.0f);
    const TBaciaContribuicao bacia = TBaciaContribuicao::Delineia(TMalha(4, 1, 0, 0, 50), dir, 2);
    QCOMPARE(bacia.NumCelulas(), 3);

    auto emPonto = [](TOutorgaExaminada o, double x) {
      o.Ponto = {x, 25};
      o.TemPonto = true;
      return o;
    };
    TPonto p;
    TOutorgasConsideradas& l = p.Outorgas();
    l.Consideradas = {emPonto(Outorga(TCamadaOutorga::Significante, 1, "Dentro e contada", 0.2,
                                      TRegraOutorga::MontantePelaRede),
                              25),
                      emPonto(Outorga(TCamadaOutorga::Federal, 2, "Fora mas contada", 0.3,
                                      TRegraOutorga::Regiao3Paracatu),
                              175)};
    l.Descartadas = {
        emPonto(Outorga(TCamadaOutorga::Significante, 3, "Dentro mas a jusante", 0.4,
                        TRegraOutorga::JusantePelaRede),
                75),
        // Upstream by its position, left out by its dates: outside, it disagrees too.
        emPonto(Outorga(TCamadaOutorga::Insignificante, 4, "Fora sem data", 0.1,
                        TRegraOutorga::DataEmBranco),
                175),
        emPonto(Outorga(TCamadaOutorga::Significante, 5, "Fora e a jusante", 0.1,
                        TRegraOutorga::JusantePelaRede),
                175),
        Outorga(TCamadaOutorga::Significante, 6, "Sem ponto", 0.1, TRegraOutorga::SemLocalizacao)};

    TListaOutorgas lista(*apresentador);
    lista.resize(1100, 300);
    lista.Carrega(p, nullptr, &bacia);
    lista.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lista));
    auto* modelo = lista.tvOutorgas->model();
    QCOMPARE(modelo->headerData(10, Qt::Horizontal).toString(), QStringLiteral("Na bacia"));
    QCOMPARE(lista.Texto(0, 10), QStringLiteral("Sim"));
    QCOMPARE(lista.Texto(1, 10), QStringLiteral("Não"));
    QVERIFY(modelo->index(0, 3).data(Qt::ToolTipRole).toString().isEmpty());
    QVERIFY(modelo->index(1, 3)
                .data(Qt::ToolTipRole)
                .toString()
                .contains(QStringLiteral("fora da bacia de contribuição")));
    QCOMPARE(lista.lblTotal->text(),
             QStringLiteral("2 outorga(s); 1 diverge(m) da bacia de contribuição"));
    Captura(&lista, "outorgas_bacia");

    // Only the disagreements, by a click on the box.
    QVERIFY(lista.ckDivergentes->isEnabled());
    QTest::mouseClick(lista.ckDivergentes, Qt::LeftButton, {},
                      QPoint(8, lista.ckDivergentes->height() / 2));
    QVERIFY(lista.ckDivergentes->isChecked());
    QCOMPARE(lista.NumLinhas(), 1);
    QCOMPARE(lista.Texto(0, 3), QStringLiteral("Fora mas contada"));

    // Those left out: inside but downstream, and outside without a date.
    lista.cbLista->setFocus();
    QTest::keyClick(lista.cbLista, Qt::Key_Down);
    QCOMPARE(lista.NumLinhas(), 2);
    QCOMPARE(lista.Texto(0, 3), QStringLiteral("Dentro mas a jusante"));
    QCOMPARE(lista.Texto(1, 3), QStringLiteral("Fora sem data"));
    QVERIFY(modelo->index(0, 3)
                .data(Qt::ToolTipRole)
                .toString()
                .contains(QStringLiteral("Dentro da bacia de contribuição")));
    QTest::mouseClick(lista.ckDivergentes, Qt::LeftButton, {},
                      QPoint(8, lista.ckDivergentes->height() / 2));
    QCOMPARE(lista.NumLinhas(), 4);
    QCOMPARE(lista.Texto(3, 8), QStringLiteral("—"));

    // Without a basin there is nothing to compare: no column, the box off.
    lista.Carrega(p, nullptr, nullptr);
    QVERIFY(!lista.ckDivergentes->isEnabled());
    QCOMPARE(modelo->columnCount(), 9);
  }

 private:
  std::unique_ptr<TPastaTemporaria> pasta;
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  std::unique_ptr<TSistema> sistema;
  TRodapeTeste rodape;
  std::unique_ptr<TContextoJanela> contexto;
};

QTEST_MAIN(TesteOrigemJanelas)
#include "TesteOrigemJanelas.moc"
