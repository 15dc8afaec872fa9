// The maintenance window driven as the analyst would: the grid shown on the map, the tools,
// "Pegar área", the two coordinate conversions and the equation-number copy.

#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <memory>

#include "GradeArcInfo.h"
#include "base/gui/ContextoJanela.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamadaImagem.h"
#include "gis/TDadosShape.h"
#include "gis/TMap.h"
#include "gis/TRegistros.h"
#include "gis/manutencao/EqPelmar.h"
#include "gis/manutencao/TfrmManutencao.h"
#include "hydro/TPonto.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"
#include "sistema/TSistema.h"

namespace {

using TTipo = TApresentadorRoteirizado::TTipo;

class TRodapeTeste : public TRodape {
 public:
  void EscreveStatus(int, const QString&) override {}
  QString Status(int) const override { return {}; }
  void MostraProgresso(bool) override {}
};

double Numero(const QString& texto) {
  bool ok = false;
  const double v = QLocale().toDouble(texto, &ok);
  return ok ? v : std::nan("");
}

// 5 x 5 drainage grids of 50 m from (1000, 2000). One network cell, column 3 and row 2 from the
// top-left (0-based); every cell accumulates its own index plus a fraction.
constexpr int Lado = 5;
constexpr double Xll = 1000.0, Yll = 2000.0, Tam = 50.0;
constexpr int ColRede = 3, LinRede = 2;

std::unique_ptr<TImagem> Grade(float valorPadrao) {
  auto g = std::make_unique<TImagem>();
  g->DefineTipo(QChar('R'));
  g->DefineDimensoes(Lado, Lado);
  g->DefineExtensao(Xll, Xll + Lado * Tam, Yll, Yll + Lado * Tam);
  g->DefineSemDados(-9999);
  for (int i = 0; i < Lado * Lado; ++i) g->GravaReal(i, valorPadrao);
  return g;
}

// The map point at the centre of a cell, as the two texts "Pegar área" reads (Y, X).
QString TextoCentro(double v) { return QString::number(v, 'f', 1).replace(u'.', u','); }
double CentroX(int coluna) { return Xll + (coluna + 0.5) * Tam; }
double CentroY(int linha) { return Yll + (Lado - linha - 0.5) * Tam; }

// A layer of lines with the fields "Ho_" and "Eq_Conserv", one record per pair.
void EscreveRios(const QString& arquivo, const std::vector<std::pair<int, int>>& registros) {
  auto dados = TDadosShape::Cria(
      arquivo, TTipoGeometria::Linha,
      {TCampo::Inteiro(QStringLiteral("Ho_")), TCampo::Inteiro(QStringLiteral("Eq_Conserv")),
       TCampo::Texto(QStringLiteral("Textuserid"), 40)});
  TRegistros r(dados, {});
  double y = 8260000;
  for (const auto& [ho, eq] : registros) {
    r.AdicionaNovo();
    r.Define(QStringLiteral("Ho_"), ho);
    r.Define(QStringLiteral("Eq_Conserv"), eq);
    r.Define(QStringLiteral("Textuserid"), QStringLiteral("Rio %1").arg(ho));
    r.DefineForma(TForma::Linha({{240000, y}, {240100, y + 100}}));
    r.Atualiza();
    y += 200;
  }
  r.FimEdicao();
}

std::vector<qint64> LeEqConserv(const QString& arquivo) {
  auto dados = TDadosShape::Abre(arquivo);
  std::vector<qint64> r;
  if (!dados) return r;
  TRegistros reg(dados, [&] {
    std::vector<qint64> chaves;
    for (qint64 k = 0; k < dados->Conta(); ++k) chaves.push_back(k);
    return chaves;
  }());
  for (reg.Primeiro(); !reg.Fim(); reg.Proximo())
    r.push_back(reg.Inteiro(QStringLiteral("Eq_Conserv")));
  return r;
}

}  // namespace

class TesteManutencao : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void init() {
    pasta = std::make_unique<TPastaTemporaria>();
    apresentador = std::make_unique<TApresentadorRoteirizado>();
    sistema = std::make_unique<TSistema>(TCaminhos(pasta->Caminho(), QStringLiteral("TORVEDA")));
    sistema->Ponto = std::make_unique<TPonto>();
    contexto = std::make_unique<TContextoJanela>(TContextoJanela{*sistema, rodape, *apresentador});
    frm = std::make_unique<TfrmManutencao>(*contexto);
    frm->show();
  }

  void cleanup() {
    frm.reset();
    contexto.reset();
    sistema.reset();
    apresentador.reset();
    pasta.reset();
  }

  // Truth from PROJ's cs2cs (EPSG:4225 <-> EPSG:22523):
  //   15°29'30" S 47°09'10" W -> 269041.385996 8286112.631689
  //   241340.5076 8261898.6759 -> 15.7077177274 S 47.4133798574 W (15°42'27.78" 47°24'48.17")
  void conversoesDosTextosIniciais() {
    QCOMPARE(frm->edtX->text(), QStringLiteral("241340,5076"));
    QCOMPARE(frm->edtY->text(), QStringLiteral("8261898,6759"));
    QCOMPARE(frm->edtLatitude->text(), QStringLiteral("152930"));
    QCOMPARE(frm->edtLongitude->text(), QStringLiteral("470910"));

    QTest::mouseClick(frm->Button4, Qt::LeftButton);
    QCOMPARE(frm->edtLatitude->text(), QStringLiteral("15°42'27\""));
    QCOMPARE(frm->edtLongitude->text(), QStringLiteral("47°24'48\""));

    // What Lat/Long wrote is not six digits: refused, and neither UTM box changes.
    QTest::mouseClick(frm->Button2, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 1);
    QVERIFY(apresentador->Textos(TTipo::Erro).first().contains(QStringLiteral("15°42'27\"")));
    QCOMPARE(frm->edtX->text(), QStringLiteral("241340,5076"));
    QCOMPARE(frm->edtY->text(), QStringLiteral("8261898,6759"));

    frm->edtLatitude->setText(QStringLiteral("152930"));
    frm->edtLongitude->setText(QStringLiteral("470910"));
    QTest::mouseClick(frm->Button2, Qt::LeftButton);
    QVERIFY(std::fabs(Numero(frm->edtX->text()) - 269041.385996) < 1e-3);
    QVERIFY(std::fabs(Numero(frm->edtY->text()) - 8286112.631689) < 1e-3);
    // Four decimals at most, in the regional format.
    QCOMPARE(frm->edtY->text(), QStringLiteral("8286112,6317"));

    // And back: the same second.
    QTest::mouseClick(frm->Button4, Qt::LeftButton);
    QCOMPARE(frm->edtLatitude->text(), QStringLiteral("15°29'30\""));
    QCOMPARE(frm->edtLongitude->text(), QStringLiteral("47°09'10\""));

    // A number the locale does not read leaves every box as it was.
    frm->edtX->setText(QStringLiteral("241340.5076"));
    QTest::mouseClick(frm->Button4, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 2);
    QCOMPARE(frm->edtLatitude->text(), QStringLiteral("15°29'30\""));
  }

  void pegarArea() {
    QDir().mkpath(sistema->Caminhos().Matrizes());
    const QString header = sistema->Caminhos().Matrizes() + QStringLiteral("Header.hdr");
    QFile f(header);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(
        "ncols         5\nnrows         5\nxllcorner     1000\nyllcorner     2000\n"
        "cellsize      50\nNODATA_value  -9999\n");
    f.close();
    sistema->HeaderMDE = std::make_unique<THeaderMDE>();
    QVERIFY(sistema->HeaderMDE->Carrega(header));
    sistema->ImgHidroMapeada = Grade(-9999.0f);
    sistema->ImgDirEsc = Grade(1.0f);
    sistema->ImgHidroSemEsp = Grade(-9999.0f);
    sistema->ImgHidroSemEsp->GravaReal(LinRede * Lado + ColRede, 7.0f);
    sistema->ImgFluxoAc = Grade(0.0f);
    for (int i = 0; i < Lado * Lado; ++i) sistema->ImgFluxoAc->GravaReal(i, i + 0.123456f);

    auto pega = [&](double x, double y) {
      frm->Edit1->setText(TextoCentro(y));
      frm->Edit2->setText(TextoCentro(x));
      QTest::mouseClick(frm->Button1, Qt::LeftButton);
      return frm->Edit3->text();
    };
    static_assert(LinRede * Lado + ColRede == 13);
    // On the network cell, and from the cell west of it (its east neighbour is the network):
    // the accumulation there, in cells, rounded to 4 decimals.
    QCOMPARE(pega(CentroX(ColRede), CentroY(LinRede)), QStringLiteral("13,1235"));
    QCOMPARE(pega(CentroX(ColRede - 1), CentroY(LinRede)), QStringLiteral("13,1235"));
    // From the south-west, the north-east neighbour is the only one on the network.
    QCOMPARE(pega(CentroX(ColRede - 1), CentroY(LinRede + 1)), QStringLiteral("13,1235"));
    // With no network cell around, the cell's own value.
    QCOMPARE(pega(CentroX(0), CentroY(4)), QStringLiteral("20,1235"));
    QVERIFY(apresentador->Textos(TTipo::Erro).isEmpty());

    // Outside the grid, or not a number: the message, and the area box keeps its text.
    const QString antes = frm->Edit3->text();
    pega(Xll - 10, CentroY(0));
    frm->Edit1->setText(QStringLiteral("dois mil"));
    QTest::mouseClick(frm->Button1, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 2);
    QVERIFY(apresentador->Textos(TTipo::Erro).at(1).contains(QStringLiteral("dois mil")));
    QCOMPARE(frm->Edit3->text(), antes);
  }

  void arquivoCancelado() {
    QTest::mouseClick(frm->btnConexaoGrids, Qt::LeftButton);
    QCOMPARE(apresentador->Registros().size(), 2);
    QCOMPARE(apresentador->Registros().at(0).Tipo, TTipo::Arquivo);
    QCOMPARE(apresentador->Registros().at(0).Texto, QStringLiteral("Abrir arquivo de dados"));
    QCOMPARE(apresentador->Registros().at(1).Tipo, TTipo::Erro);
    QCOMPARE(apresentador->Registros().at(1).Texto, QStringLiteral("Erro ao abrir o arquivo."));
    QVERIFY(frm->edtManutencao1->text().isEmpty());
    QCOMPARE(frm->MapManutencao1->NumCamadas(), 0);
    QVERIFY(!frm->CamadaImagem());
  }

  void gradeArcInfoComoCamadaDeImagem() {
    // 8 x 4 cells of 50 m; the lowest value is drawn black, which is the transparent colour.
    std::vector<float> valores(32);
    for (int i = 0; i < 32; ++i) valores[static_cast<std::size_t>(i)] = static_cast<float>(i % 8);
    const QString hdr = EscreveGradeArcInfo(pasta->Caminho() + QStringLiteral("/grade/fluxo"), 8, 4,
                                            241000, 8261000, 50, valores);
    apresentador->EscolheArquivo(hdr);
    QTest::mouseClick(frm->btnConexaoGrids, Qt::LeftButton);
    QVERIFY2(apresentador->Textos(TTipo::Erro).isEmpty() &&
                 apresentador->Textos(TTipo::Informacao).isEmpty(),
             qPrintable(apresentador->Textos().join(u'|')));
    QCOMPARE(frm->edtManutencao1->text(), hdr);
    QVERIFY(frm->CamadaImagem() && frm->CamadaImagem()->Valida());
    QCOMPARE(frm->MapManutencao1->NumCamadas(), 1);
    QCOMPARE(frm->MapManutencao1->CamadaImagem(0), frm->CamadaImagem());
    QVERIFY(frm->CamadaImagem()->Transparente());
    QCOMPARE(frm->CamadaImagem()->CorTransparente(), QColor(0, 0, 0));
    const TRetangulo ext = frm->CamadaImagem()->Extensao();
    QCOMPARE(ext, TRetangulo(241000, 241400, 8261000, 8261200));

    // Drawn: the first column (the minimum) lets the map show through, the last is white.
    const QImage img = frm->CamadaImagem()->Desenha(ext, QSize(8, 4));
    QCOMPARE(qAlpha(img.pixel(0, 1)), 0);
    QCOMPARE(img.pixel(7, 1), qRgb(255, 255, 255));
    QVERIFY(qGray(img.pixel(3, 1)) > 0 && qGray(img.pixel(3, 1)) < 255);

    // Zoomed in, the full-extent tool shows the whole grid again.
    frm->MapManutencao1->SetExtensao(TRetangulo(241100, 241150, 8261050, 8261100));
    QVERIFY(frm->MapManutencao1->Extensao().Largura() < 200);
    frm->sbFullExtendClick();
    const TRetangulo tudo = frm->MapManutencao1->Extensao();
    QVERIFY(tudo.Contem({241000, 8261000}) && tudo.Contem({241400, 8261200}));

    // A file that is not a grid: the notice, and the grid shown stays.
    const QString falso = pasta->Escreve(QStringLiteral("falso/hdr.adf"), "não é uma grade");
    apresentador->EscolheArquivo(falso);
    TCamadaImagem* anterior = frm->CamadaImagem();
    QTest::mouseClick(frm->btnConexaoGrids, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Informacao),
             QStringList{QStringLiteral("Erro ao abrir o grid.")});
    QCOMPARE(frm->CamadaImagem(), anterior);
    QCOMPARE(frm->MapManutencao1->CamadaImagem(0), anterior);
    frm->sbFullExtendClick();
    QVERIFY(!frm->MapManutencao1->Extensao().Vazio());

    // The information tool: the clicked point, then the current section.
    sistema->Ponto->SetNomeRio(QStringLiteral("Rio Preto"));
    sistema->Ponto->SetMunicipio(QStringLiteral("Unaí"));
    sistema->Ponto->SetEstado(QStringLiteral("MG"));
    sistema->Ponto->SetAreaDrenagem(1234.5);
    frm->sbInformation->setChecked(true);
    apresentador->Limpa();
    frm->MapManutencao1MouseDown(1, 0, 100, 100);
    const TPontoMapa p = frm->MapManutencao1->PontoDoPixel(QPointF(100, 100));
    const QStringList linhas = apresentador->Textos(TTipo::Informacao).value(0).split(u'\n');
    QCOMPARE(linhas.size(), 8);
    QVERIFY2(linhas[0].startsWith(QStringLiteral("Latitude: 15°4")), qPrintable(linhas[0]));
    QVERIFY2(linhas[1].startsWith(QStringLiteral("Longitude: 47°")), qPrintable(linhas[1]));
    QCOMPARE(Numero(linhas[2].mid(3)), p.Y);
    QCOMPARE(Numero(linhas[3].mid(3)), p.X);
    QCOMPARE(
        linhas.mid(4),
        (QStringList{QStringLiteral("Rio: Rio Preto"), QStringLiteral("Município: Unaí"),
                     QStringLiteral("Estado: MG"), QStringLiteral("Área de drenagem: 1.234,50")}));

    // The pointer follows the tool.
    frm->MapManutencao1MouseMove(0, 0, 10, 10);
    QCOMPARE(frm->MapManutencao1->Ponteiro(), 55);
    frm->sbZoomIn->setChecked(true);
    QVERIFY(!frm->sbInformation->isChecked());
    frm->MapManutencao1MouseMove(0, 0, 10, 10);
    QCOMPARE(frm->MapManutencao1->Ponteiro(), 51);
    frm->sbPan->setChecked(true);
    frm->MapManutencao1MouseMove(0, 0, 10, 10);
    QCOMPARE(frm->MapManutencao1->Ponteiro(), 0);
  }

  void eqPelmar() {
    const QString dir = sistema->Caminhos().DadosSIGManutencao();
    QDir().mkpath(dir);
    EscreveRios(dir + QStringLiteral("hidrografia_ucor_nova.shp"),
                {{1, 9}, {2, 9}, {3, 9}, {4, 9}});
    // Code 2 twice: the first record counts. Code 3 is missing: its arc gets 0.
    EscreveRios(dir + QStringLiteral("Rios_ProcPelmar.shp"),
                {{4, 11}, {1, 7}, {2, 8}, {2, 99}, {5, 3}});

    QTest::mouseClick(frm->Button3, Qt::LeftButton);
    QVERIFY2(apresentador->Registros().isEmpty(), qPrintable(apresentador->Textos().join(u'|')));
    QCOMPARE(LeEqConserv(dir + QStringLiteral("hidrografia_ucor_nova.shp")),
             (std::vector<qint64>{7, 8, 0, 11}));
    // The source layer is only read.
    QCOMPARE(LeEqConserv(dir + QStringLiteral("Rios_ProcPelmar.shp")),
             (std::vector<qint64>{11, 7, 8, 99, 3}));
  }

  void eqPelmarSemDados() {
    // No folder: the connection message alone, and the job stops there.
    QTest::mouseClick(frm->Button3, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro),
             QStringList{QStringLiteral("Erro ao criar conexão com os dados no formato shape")});

    // The second layer missing: nothing of the first is touched (a copy from nowhere would
    // zero every arc).
    const QString dir = sistema->Caminhos().DadosSIGManutencao();
    QDir().mkpath(dir);
    EscreveRios(dir + QStringLiteral("hidrografia_ucor_nova.shp"), {{1, 9}, {2, 5}});
    apresentador->Limpa();
    QTest::mouseClick(frm->Button3, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 1);
    QVERIFY(apresentador->Textos(TTipo::Erro).first().contains(QStringLiteral("Rios_ProcPelmar")));
    QCOMPARE(LeEqConserv(dir + QStringLiteral("hidrografia_ucor_nova.shp")),
             (std::vector<qint64>{9, 5}));

    // A source without the code field: refused before anything is written.
    auto semCampo =
        TDadosShape::Cria(dir + QStringLiteral("Rios_ProcPelmar.shp"), TTipoGeometria::Linha,
                          {TCampo::Inteiro(QStringLiteral("Eq_Conserv"))});
    semCampo.reset();
    apresentador->Limpa();
    QTest::mouseClick(frm->Button3, Qt::LeftButton);
    QVERIFY(apresentador->Textos(TTipo::Erro).value(0).contains(QStringLiteral("Ho_")));
    QCOMPARE(LeEqConserv(dir + QStringLiteral("hidrografia_ucor_nova.shp")),
             (std::vector<qint64>{9, 5}));
  }

 private:
  TRodapeTeste rodape;
  std::unique_ptr<TPastaTemporaria> pasta;
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  std::unique_ptr<TSistema> sistema;
  std::unique_ptr<TContextoJanela> contexto;
  std::unique_ptr<TfrmManutencao> frm;
};

QTEST_MAIN(TesteManutencao)
#include "TesteManutencao.moc"
