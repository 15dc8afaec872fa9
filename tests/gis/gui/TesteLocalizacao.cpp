// The location and identification windows on the sample basin, with the scripted presenter
// answering the questions.
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <QCheckBox>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>
#include <optional>

#include "amostra/Amostra.h"
#include "base/gui/ContextoJanela.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamada.h"
#include "gis/TMap.h"
#include "gis/TRegistros.h"
#include "gis/gui/TfrmIdentificacao.h"
#include "gis/gui/TfrmLocalizacao.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

class TRodapeTeste final : public TRodape {
 public:
  void EscreveStatus(int painel, const QString& texto) override { Paineis[painel & 1] = texto; }
  QString Status(int painel) const override { return Paineis[painel & 1]; }
  void MostraProgresso(bool visivel) override { (visivel ? Mostrou : Ocultou)++; }
  QString Paineis[2];
  int Mostrou = 0, Ocultou = 0;
};

using TTipo = TApresentadorRoteirizado::TTipo;

}  // namespace

class TesteLocalizacao : public QObject {
  Q_OBJECT

  std::unique_ptr<TPastaTemporaria> pasta;
  QJsonObject secoes;
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  std::unique_ptr<TSistema> sistema;
  TRodapeTeste rodape;
  std::unique_ptr<TContextoJanela> contexto;
  std::unique_ptr<TfrmLocalizacao> frm;

  TPontoMapa Secao(const char* nome) const {
    const QJsonObject s = secoes.value(QLatin1String(nome)).toObject();
    return {s.value(QStringLiteral("X")).toDouble(), s.value(QStringLiteral("Y")).toDouble()};
  }
  QString Texto(const char* nome, const char* campo) const {
    return secoes.value(QLatin1String(nome)).toObject().value(QLatin1String(campo)).toString();
  }
  // Centres the basin map on p at a scale where one cell spans many pixels, and returns the
  // pixel of p.
  QPoint Mira(const TPontoMapa& p) {
    frm->Map1->SetExtensao(TRetangulo(p.X - 500, p.X + 500, p.Y - 500, p.Y + 500));
    return frm->Map1->PixelDoPonto(p).toPoint();
  }
  void Clica(const TPontoMapa& p) {
    const QPoint px = Mira(p);
    frm->Map1MouseDown(1, 0, px.x(), px.y());
  }
  TCamada& Camada(const char* nome) { return *sistema->Camada(QString::fromLatin1(nome)); }
  // The middle vertex of an arc of the river that the placement finds there, other than the
  // river's first arc in record order (whose key goes to primeiro).
  std::optional<TPontoMapa> OutroArcoDoRio(const QString& rio, qint64& primeiro) {
    const TBacia bacia = BaciaDoSistema(*sistema);
    TRegistros r = Camada("Hidrografia").Registros();
    for (r.Primeiro(); !r.Fim(); r.Proximo()) {
      if (r.Texto(QStringLiteral("Textuserid")) != rio) continue;
      if (primeiro < 0) {
        primeiro = r.Chave();
        continue;
      }
      const auto partes = r.Forma().Partes;
      if (partes.empty() || partes.front().size() < 3) continue;
      const TPontoMapa meio = partes.front()[partes.front().size() / 2];
      if (IdentificaPonto(bacia, meio).RegistroArco == r.Chave()) return meio;
    }
    return std::nullopt;
  }
  qint64 PontosNaCamada() { return Camada("Ponto").Registros().Conta(); }
  int VermelhosNoLocalizador() {
    const QImage img = frm->Map2->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (const QColor c = img.pixelColor(x, y); c.red() > 180 && c.green() < 80 && c.blue() < 80)
          ++n;
    return n;
  }

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    pasta = std::make_unique<TPastaTemporaria>();
    TOpcoesAmostra opcoes;
    opcoes.Colunas = opcoes.Linhas = 200;
    secoes = GeraAmostra(pasta->Caminho(), opcoes).value(QStringLiteral("secoes")).toObject();
  }

  void init() {
    apresentador = std::make_unique<TApresentadorRoteirizado>();
    sistema = std::make_unique<TSistema>(TCaminhos(pasta->Caminho(), QStringLiteral("TORVEDA")));
    sistema->CriaFormPrincipal(*apresentador);
    sistema->CriaDataModule(*apresentador);
    QVERIFY(sistema->MapasCarregados);
    rodape = TRodapeTeste();
    contexto = std::make_unique<TContextoJanela>(TContextoJanela{*sistema, rodape, *apresentador});
    frm = std::make_unique<TfrmLocalizacao>(*contexto);
    frm->resize(834, 552);
    frm->show();
    QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
    apresentador->Limpa();
  }

  void cleanup() {
    frm.reset();
    contexto.reset();
    sistema.reset();
    apresentador.reset();
  }

  void semMapasAJanelaFicaInerte() {
    TSistema vazio(TCaminhos(pasta->Caminho() + QStringLiteral("/nada"), QStringLiteral("X")));
    TContextoJanela c{vazio, rodape, *apresentador};
    TfrmLocalizacao inerte(c);
    QCOMPARE(apresentador->Textos(TTipo::Informacao),
             QStringList(QStringLiteral(
                 "Os mapas não foram carregados corretamente. Verifique a Ajuda do programa.")));
    for (QWidget* w : std::initializer_list<QWidget*>{inerte.Map1, inerte.Map2, inerte.sbCursor,
                                                      inerte.sbInformation, inerte.btnCriar,
                                                      inerte.chkLimite, inerte.chkOutSubInsig})
      QVERIFY(!w->isEnabled());
    inerte.show();  // showing does not try the full extent on absent layers
    QVERIFY(apresentador->Textos(TTipo::Erro).isEmpty());
  }

  void cliqueNoRioConfirmaPintaDeBrancoECalcula() {
    apresentador->Responde(TResposta::Sim);
    Clica(Secao("principal"));
    const QStringList perguntas = apresentador->Textos(TTipo::Confirmacao);
    QCOMPARE(perguntas.size(), 1);
    const TPonto& ponto = *sistema->Ponto;
    QVERIFY(perguntas[0].startsWith(QStringLiteral("Deseja criar a seção de outorga nesta")));
    QVERIFY(!ponto.NomeRio().isEmpty());
    for (const QString& parte : {ponto.NomeRio(), ponto.Municipio(), ponto.Estado()})
      QVERIFY2(perguntas[0].contains(parte), qPrintable(perguntas[0]));
    QVERIFY(perguntas[0].contains(QStringLiteral("Área de drenagem")));
    QCOMPARE(PontosNaCamada(), 1);
    QCOMPARE(Camada("Ponto").Simbolo().Cor(), QColor(255, 255, 255));
    QCOMPARE(rodape.Mostrou, 1);
    QCOMPARE(rodape.Ocultou, 1);
    QCOMPARE(rodape.Status(1), QStringLiteral(" "));
  }

  void cliqueForaDaDrenagemPintaDeAmareloSemCalcular() {
    apresentador->Responde(TResposta::Sim);
    Clica(Secao("foraDaDrenagem"));
    QCOMPARE(PontosNaCamada(), 1);
    QCOMPARE(Camada("Ponto").Simbolo().Cor(), QColor(255, 255, 0));
    QVERIFY(apresentador->Textos(TTipo::Informacao).join(' ').contains("fora da hidrografia"));
    QCOMPARE(rodape.Mostrou, 0);
  }

  void cliqueForaDaBaciaNaoMudaNada() {
    Clica(Secao("foraDaBacia"));
    QCOMPARE(PontosNaCamada(), 0);
    QVERIFY(apresentador->Textos().join(' ').contains(
        QStringLiteral("A seção de interesse está fora do limite da bacia.")));
    QVERIFY(apresentador->Textos(TTipo::Confirmacao).isEmpty());
  }

  void coordenadasDigitadas() {
    QTest::mouseClick(frm->rbLatLong, Qt::LeftButton);
    QVERIFY(frm->meLatitude->isVisible() && frm->btnCriar->isVisible());
    QVERIFY(frm->sbCoordLatLong->isChecked() && !frm->sbCursor->isChecked());
    // In coordinates mode a click on the map does nothing.
    Clica(Secao("principal"));
    QCOMPARE(PontosNaCamada(), 0);

    frm->meLatitude->setFocus();
    frm->meLatitude->setCursorPosition(0);
    QTest::keyClicks(frm->meLatitude, Texto("principal", "latitude"));
    frm->meLongitude->setCursorPosition(0);
    QTest::keyClicks(frm->meLongitude, Texto("principal", "longitude"));
    QCOMPARE(frm->meLatitude->text().size(), 9);  // the signs are shown
    apresentador->Responde(TResposta::Sim);
    frm->btnCriarClick();
    const QStringList perguntas = apresentador->Textos(TTipo::Confirmacao);
    QCOMPARE(perguntas.size(), 1);
    QVERIFY(perguntas[0].contains(QStringLiteral("nessa")));
    QCOMPARE(PontosNaCamada(), 1);
    QVERIFY(sistema->Ponto->SobreHidrografia());

    QTest::mouseClick(frm->sbCursor, Qt::LeftButton);
    QVERIFY(frm->rbMapa->isChecked() && !frm->meLatitude->isVisible());
  }

  void latitudeVazia() {
    frm->rbLatLongClick();
    frm->meLongitude->setText(Texto("principal", "longitude"));
    frm->btnCriarClick();
    QVERIFY(apresentador->Textos().contains(
        QStringLiteral("Favor inserir os valores de Latitude e Longitude.")));
    QCOMPARE(PontosNaCamada(), 0);
  }

  // 99 seconds are a typing mistake, not 37' 39": the field is named and nothing is placed.
  void segundosDe60OuMaisNomeiamOCampo() {
    QTest::mouseClick(frm->rbLatLong, Qt::LeftButton);
    frm->meLatitude->setFocus();
    frm->meLatitude->setCursorPosition(0);
    QTest::keyClicks(frm->meLatitude, QStringLiteral("163699"));
    frm->meLongitude->setFocus();
    frm->meLongitude->setCursorPosition(0);
    QTest::keyClicks(frm->meLongitude, Texto("principal", "longitude"));
    QTest::mouseClick(frm->btnCriar, Qt::LeftButton);
    const QString erros = apresentador->Textos(TTipo::Erro).join(' ');
    QVERIFY2(erros.contains(QStringLiteral("Latitude: \"163699\"")) &&
                 erros.contains(QStringLiteral("os segundos (99)")),
             qPrintable(erros));
    QVERIFY(apresentador->Textos(TTipo::Confirmacao).isEmpty());
    QCOMPARE(PontosNaCamada(), 0);
  }

  void segundaSecaoPerguntaSubstituirENaoRestaura() {
    apresentador->Responde(TResposta::Sim);
    Clica(Secao("principal"));
    const double x = sistema->Ponto->CoordX(), area = sistema->Ponto->AreaDrenagem();
    QVERIFY(area > 0);
    apresentador->Responde(TResposta::Sim);
    apresentador->Responde(TResposta::Nao);
    Clica(Secao("afluenteComEstacoes"));
    QCOMPARE(apresentador->Textos(TTipo::Confirmacao).size(), 3);
    QCOMPARE(PontosNaCamada(), 1);
    QCOMPARE(sistema->Ponto->CoordX(), x);
    QCOMPARE(sistema->Ponto->AreaDrenagem(), area);
    TRegistros r = Camada("Ponto").Registros();
    r.Primeiro();
    QVERIFY(std::abs(r.Ponto().X - Secao("principal").X) < 50);
  }

  void temasMostramEOcultamCamadas() {
    QTest::mouseClick(frm->chkMunicipios, Qt::LeftButton);
    QVERIFY(Camada("Municipios").Visivel() && Camada("Municipios_Sedes").Visivel());
    QCOMPARE(Camada("Municipios").CampoRotulo(), QStringLiteral("Municipio"));
    QTest::mouseClick(frm->chkMunicipios, Qt::LeftButton);
    QVERIFY(!Camada("Municipios").Visivel() && !Camada("Municipios_Sedes").Visivel());
    QTest::mouseClick(frm->chkEstados, Qt::LeftButton);
    QCOMPARE(Camada("Estados").CampoRotulo(), QStringLiteral("UF"));
  }

  void extensaoTotalEZoomFixo() {
    auto contem = [](const TRetangulo& fora, const TRetangulo& dentro) {
      const double tol = 1e-6 * fora.Largura();
      return fora.Esquerda() <= dentro.Esquerda() + tol &&
             fora.Direita() >= dentro.Direita() - tol && fora.Baixo() <= dentro.Baixo() + tol &&
             fora.Topo() >= dentro.Topo() - tol &&
             (std::abs(fora.Largura() - dentro.Largura()) < tol ||
              std::abs(fora.Altura() - dentro.Altura()) < tol);
    };
    // No listed layer visible: the outline's extent, even with the outline hidden.
    QTest::mouseClick(frm->chkLimite, Qt::LeftButton);
    frm->sbFullExtendClick();
    QVERIFY(contem(frm->Map1->Extensao(), Camada("Limite").Extensao()));
    // States win over municipalities.
    frm->chkMunicipios->click();
    frm->chkEstados->click();
    frm->sbFullExtendClick();
    QVERIFY(contem(frm->Map1->Extensao(), Camada("Estados").Extensao()));

    const TRetangulo antes = frm->Map1->Extensao();
    frm->sbZoomFixedInClick();
    const TRetangulo dentro = frm->Map1->Extensao();
    QVERIFY(std::abs(dentro.Largura() / antes.Largura() - 0.8) < 1e-9);
    QVERIFY(std::abs(dentro.Centro().X - antes.Centro().X) < 1e-6 * antes.Largura());
    frm->sbZoomFixedOutClick();
    QVERIFY(std::abs(frm->Map1->Extensao().Largura() / dentro.Largura() - 1.25) < 1e-9);
  }

  void localizadorSoComAlgumTema() {
    frm->sbZoomFixedInClick();
    frm->Map1->Imagem();
    const int comTemas = VermelhosNoLocalizador();
    frm->chkLimite->click();
    frm->chkHidrografia->click();
    frm->Map1->Imagem();
    const int semTemas = VermelhosNoLocalizador();
    QVERIFY(comTemas > semTemas);
    // Any box brings it back, even one whose layer lies outside the view.
    frm->chkOutAna->click();
    frm->Map1->Imagem();
    QCOMPARE(VermelhosNoLocalizador(), comTemas);
  }

  void ponteiroEStatusSobreOMapa() {
    QPoint px = Mira(Secao("principal"));
    frm->Map1MouseMove(0, 0, px.x(), px.y());
    QCOMPARE(frm->Map1->Ponteiro(), 57);
    QVERIFY(rodape.Status(1).startsWith(QStringLiteral("       X = ")));
    QVERIFY(rodape.Status(1).contains(QStringLiteral("    Y = ")));
    px = Mira(Secao("foraDaDrenagem"));
    frm->Map1MouseMove(0, 0, px.x(), px.y());
    QCOMPARE(frm->Map1->Ponteiro(), 0);
    frm->sbZoomOut->click();
    frm->Map1MouseMove(0, 0, px.x(), px.y());
    QCOMPARE(frm->Map1->Ponteiro(), 52);
    frm->sbInformation->click();
    frm->Map1MouseMove(0, 0, px.x(), px.y());
    QCOMPARE(frm->Map1->Ponteiro(), 55);

    QCOMPARE(TfrmLocalizacao::TextoCoordenadas({365000.123456, 8165000.5}),
             QStringLiteral("       X = 365000,12 m    Y = 8165000,50 m"));
    QTest::mouseMove(frm->sbPan);
    QCOMPARE(rodape.Status(1), QStringLiteral("       Pan"));
  }

  void identificacaoArvoreETabelas() {
    const TPontoMapa p = Secao("principal");
    // A federal grant beside the point, with a long name and a publication date.
    {
      TRegistros r = Camada("Out_Sup_ANA").Registros();
      r.AdicionaNovo();
      r.DefinePonto({p.X + 10, p.Y});
      r.Define(QStringLiteral("NomeReq"), QString(60, QLatin1Char('A')));
      r.Define(QStringLiteral("DataPub01"), QDate(2000, 1, 1));
      r.Atualiza();
      r.FimEdicao();
    }
    const TBacia bacia = BaciaDoSistema(*sistema);
    IdentificaSecao(*sistema->Ponto, bacia, p);
    TfrmIdentificacao id(*sistema);
    id.MontaArvore(p, IdentificaPonto(bacia, p));
    QStringList nos;
    for (int i = 0; i < id.TreeView1->topLevelItemCount(); ++i)
      nos << id.TreeView1->topLevelItem(i)->text(0);
    QCOMPARE(nos, (QStringList{"Posição", "Área de drenagem", "Hidrografia"}));
    QCOMPARE(id.TreeView1->topLevelItem(2)->child(0)->text(0), sistema->Ponto->NomeRio());

    id.TreeView1->setCurrentItem(id.TreeView1->topLevelItem(0));
    QCOMPARE(id.tsInformacao->rowCount(), 4);
    QCOMPARE(id.tsInformacao->item(0, 1)->text(), sistema->Ponto->LatitudeGMS());
    QCOMPARE(id.tsInformacao->columnWidth(0), 94);
    id.TreeView1->setCurrentItem(id.TreeView1->topLevelItem(2)->child(0));
    QCOMPARE(id.tsInformacao->rowCount(), 18);
    QCOMPARE(id.tsInformacao->item(15, 1)->text(), sistema->Ponto->NomeRio());
    id.TreeView1->setCurrentItem(id.TreeView1->topLevelItem(2));
    QCOMPARE(id.tsInformacao->rowCount(), 0);

    Camada("Out_Sup_ANA").SetVisivel(true);
    id.MontaArvore(p, IdentificaPonto(bacia, p));
    QTreeWidgetItem* ana = id.TreeView1->topLevelItem(id.TreeView1->topLevelItemCount() - 1);
    QCOMPARE(ana->text(0), QStringLiteral("Outorga ANA"));
    id.TreeView1->setCurrentItem(ana->child(0));
    QCOMPARE(id.tsInformacao->rowCount(), 42);
    QCOMPARE(id.tsInformacao->item(41, 0)->text(), QStringLiteral("Outros"));
    QCOMPARE(id.tsInformacao->item(3, 1)->text(),
             QLocale().toString(QDate(2000, 1, 1), QLocale::ShortFormat));
    QCOMPARE(id.tsInformacao->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(id.tsInformacao->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  }

  void identificacaoSemOCampoEstacoes() {
    // A station layer made elsewhere, without the field "Estacoes".
    TPastaTemporaria outra;
    TOpcoesAmostra opcoes;
    opcoes.Colunas = opcoes.Linhas = 150;
    GeraAmostra(outra.Caminho(), opcoes);
    {
      const QByteArray shp =
          (outra.Caminho() + QStringLiteral("/Dados/DadosSIG/Est_Fluviometricas.shp")).toUtf8();
      GDALDataset* ds = GDALDataset::Open(shp.constData(), GDAL_OF_VECTOR | GDAL_OF_UPDATE);
      QVERIFY(ds);
      OGRLayer* camada = ds->GetLayer(0);
      const int campo = camada->FindFieldIndex("Estacoes", TRUE);
      QVERIFY(campo >= 0);
      QCOMPARE(camada->DeleteField(campo), OGRERR_NONE);
      GDALClose(ds);
    }
    TSistema semCampo(TCaminhos(outra.Caminho(), QStringLiteral("TORVEDA")));
    semCampo.CriaFormPrincipal(*apresentador);
    TCamada& estacoes = *semCampo.Camada(QStringLiteral("Est_Fluviometricas"));
    estacoes.SetVisivel(true);
    TRegistros r = estacoes.Registros();
    r.Primeiro();
    const TPontoMapa p = r.Forma().Partes.front().front();
    const QString codigo = r.Texto(QStringLiteral("Codigo"));

    TfrmIdentificacao id(semCampo);
    id.MontaArvore(p, {});
    id.show();
    QVERIFY(QTest::qWaitForWindowExposed(&id));
    QTreeWidgetItem* no = nullptr;
    for (int i = 0; i < id.TreeView1->topLevelItemCount(); ++i)
      if (id.TreeView1->topLevelItem(i)->text(0) == QStringLiteral("Estação Fluviométrica"))
        no = id.TreeView1->topLevelItem(i);
    QVERIFY(no);
    id.TreeView1->expandItem(no);
    const QRect linha = id.TreeView1->visualItemRect(no->child(0));
    QTest::mouseClick(id.TreeView1->viewport(), Qt::LeftButton, {}, linha.center());
    QCOMPARE(id.TreeView1->currentItem(), no->child(0));
    // Every field it can, and the missing one named.
    QCOMPARE(id.tsInformacao->rowCount(), 6);
    QCOMPARE(id.tsInformacao->item(4, 0)->text(), QStringLiteral("Codigo"));
    QCOMPARE(id.tsInformacao->item(4, 1)->text(), codigo);
    QVERIFY(!id.tsInformacao->item(3, 1)->text().isEmpty());
    QCOMPARE(id.tsInformacao->item(5, 0)->text(), QStringLiteral("Estacoes"));
    QCOMPARE(id.tsInformacao->item(5, 1)->text(),
             QStringLiteral("(campo ausente na camada Est_Fluviometricas)"));
    QVERIFY(apresentador->Registros().isEmpty());
  }

  void identificarNaoMudaASecaoEMostraOArcoDoPonto() {
    apresentador->Responde(TResposta::Sim);
    Clica(Secao("principal"));
    const TPonto antes = *sistema->Ponto;
    QVERIFY(antes.VazoesTradicional().Q710() > 0);
    TRegistros r = Camada("Ponto").Registros();
    r.Primeiro();
    const TPontoMapa marcado = r.Ponto();

    // Elsewhere on the same river, on an arc that is not the first of its name.
    qint64 primeiro = -1;
    const std::optional<TPontoMapa> achado = OutroArcoDoRio(antes.NomeRio(), primeiro);
    QVERIFY(achado);
    const TPontoMapa alvo = *achado;
    const TPontoIdentificado esperado = IdentificaPonto(BaciaDoSistema(*sistema), alvo);
    QCOMPARE(esperado.Ponto.NomeRio(), antes.NomeRio());
    QVERIFY(esperado.RegistroArco != primeiro);

    QTest::mouseClick(frm->sbInformation, Qt::LeftButton);
    const QPoint px = Mira(alvo);
    QStringList ho;
    // The window is modal: read it and close it with Escape as soon as it is up.
    QTimer relogio;
    relogio.setInterval(10);
    connect(&relogio, &QTimer::timeout, [&] {
      auto* id = qobject_cast<TfrmIdentificacao*>(QApplication::activeModalWidget());
      if (!id) return;
      relogio.stop();
      QTreeWidgetItem* rio = id->TreeView1->topLevelItem(2);
      id->TreeView1->expandItem(rio);
      QTest::mouseClick(id->TreeView1->viewport(), Qt::LeftButton, {},
                        id->TreeView1->visualItemRect(rio->child(0)).center());
      for (int linha : {6, 15})
        if (QTableWidgetItem* i = id->tsInformacao->item(linha, 1)) ho << i->text();
      QTest::keyClick(id, Qt::Key_Escape);
    });
    relogio.start();
    QTest::mouseClick(frm->Map1, Qt::LeftButton, {}, px);
    QTRY_COMPARE(ho.size(), 2);
    QCOMPARE(ho[0], QString::number(esperado.Ponto.CodTrecho()));
    QCOMPARE(ho[1], antes.NomeRio());

    // The section of interest, its results and the "Ponto" layer are as they were.
    QCOMPARE(sistema->Ponto->CoordX(), antes.CoordX());
    QCOMPARE(sistema->Ponto->CodTrecho(), antes.CodTrecho());
    QCOMPARE(sistema->Ponto->VazoesTradicional().Q710(), antes.VazoesTradicional().Q710());
    QCOMPARE(PontosNaCamada(), 1);
    r = Camada("Ponto").Registros();
    r.Primeiro();
    QCOMPARE(r.Ponto().X, marcado.X);
    QVERIFY(apresentador->Textos(TTipo::Confirmacao).size() == 1);
  }

  void secaoMarcadaNosDoisMapas() {
    // Count, around the section's pixel, the marker's black and white strokes.
    auto marcas = [this](TMap* mapa, const TPontoMapa& p) {
      const QImage img = mapa->grab().toImage();
      const QPoint c = mapa->PixelDoPonto(p).toPoint();
      int pretos = 0, brancos = 0;
      for (int y = c.y() - 14; y <= c.y() + 14; ++y)
        for (int x = c.x() - 14; x <= c.x() + 14; ++x) {
          if (!img.rect().contains(x, y)) continue;
          const QColor cor = img.pixelColor(x, y);
          pretos += cor.lightness() < 40;
          brancos += cor.lightness() > 245;
        }
      return std::pair{pretos, brancos};
    };
    const TPontoMapa p = Secao("principal");
    // Dark polygons under the point: the marker must still stand out.
    frm->chkMunicipios->click();
    Mira(p);
    const auto [pretosAntes, brancosAntes] = marcas(frm->Map1, p);
    apresentador->Responde(TResposta::Sim);
    Clica(p);
    QCOMPARE(PontosNaCamada(), 1);
    const auto [pretos1, brancos1] = marcas(frm->Map1, p);
    QVERIFY2(pretos1 >= pretosAntes + 40,
             qPrintable(QStringLiteral("%1 %2").arg(pretosAntes).arg(pretos1)));
    QVERIFY2(brancos1 >= brancosAntes + 40,
             qPrintable(QStringLiteral("%1 %2").arg(brancosAntes).arg(brancos1)));
    const auto [pretos2, brancos2] = marcas(frm->Map2, p);
    QVERIFY(pretos2 >= 40);
    QVERIFY(brancos2 >= 40);
  }

  void captura() {
    const QString destino = qEnvironmentVariable("TORVEDA_CAPTURA");
    if (destino.isEmpty()) QSKIP("TORVEDA_CAPTURA names the picture to write");
    frm->chkMunicipios->click();
    frm->chkEstradas->click();
    frm->sbFullExtendClick();
    apresentador->Responde(TResposta::Sim);
    const TPontoMapa p = Secao("principal");
    frm->Map1MouseDown(1, 0, frm->Map1->PixelDoPonto(p).x(), frm->Map1->PixelDoPonto(p).y());
    frm->Map1->Imagem();
    QVERIFY(frm->grab().save(destino));
  }
};

QTEST_MAIN(TesteLocalizacao)
#include "TesteLocalizacao.moc"
