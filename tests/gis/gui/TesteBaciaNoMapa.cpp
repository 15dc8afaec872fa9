// The outline of the section's contributing basin in the location window: it follows the
// section placed by a click, its theme box switches it, and the window exports it.
//
// With TORVEDA_CAPTURAS set to a folder, the window is also saved there as a picture.
#include <QCheckBox>
#include <QFileInfo>
#include <QJsonObject>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "amostra/Amostra.h"
#include "base/gui/ContextoJanela.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamada.h"
#include "gis/TMap.h"
#include "gis/gui/TBaciaNoMapa.h"
#include "gis/gui/TfrmLocalizacao.h"
#include "hydro/BaciaDaSecao.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "sistema/TSistema.h"

namespace {

class TRodapeTeste final : public TRodape {
 public:
  void EscreveStatus(int, const QString&) override {}
  QString Status(int) const override { return {}; }
  void MostraProgresso(bool) override {}
};

using TTipo = TApresentadorRoteirizado::TTipo;

// Pixels of the outline's colour.
int Magenta(TMap* mapa) {
  const QImage img = mapa->grab().toImage();
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (const QColor c = img.pixelColor(x, y); c.red() > 170 && c.green() < 60 && c.blue() > 140)
        ++n;
  return n;
}

}  // namespace

class TesteBaciaNoMapa : public QObject {
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
  // A click of the placement tool on the point, the map zoomed in around it.
  void Clica(const TPontoMapa& p) {
    frm->Map1->SetExtensao(TRetangulo(p.X - 500, p.X + 500, p.Y - 500, p.Y + 500));
    QTest::mouseClick(frm->Map1, Qt::LeftButton, {}, frm->Map1->PixelDoPonto(p).toPoint());
  }
  std::int64_t CelulasEsperadas(const char* nome) {
    return BaciaDaSecao(Secao(nome), BaciaDoSistema(*sistema)).NumCelulas();
  }
  void Captura(const char* nome) {
    const QString pastaCapturas = qEnvironmentVariable("TORVEDA_CAPTURAS");
    if (!pastaCapturas.isEmpty())
      frm->grab().save(pastaCapturas + QLatin1Char('/') + QLatin1String(nome) +
                       QStringLiteral(".png"));
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
    contexto = std::make_unique<TContextoJanela>(TContextoJanela{*sistema, rodape, *apresentador});
    frm = std::make_unique<TfrmLocalizacao>(*contexto);
    frm->resize(1000, 700);
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

  void contornoSegueASecaoColocadaSubstituidaERemovida() {
    QVERIFY(frm->chkBacia->isChecked());
    QCOMPARE(Magenta(frm->Map1), 0);

    Clica(Secao("principal"));
    QCOMPARE(frm->BaciaNoMapa->Bacia().NumCelulas(), CelulasEsperadas("principal"));
    QVERIFY(frm->BaciaNoMapa->Bacia().NumCelulas() > 100);
    QTest::mouseClick(frm->sbFullExtend, Qt::LeftButton);
    QVERIFY(Magenta(frm->Map1) > 50);
    QVERIFY(Magenta(frm->Map2) > 20);
    Captura("localizacao-bacia");

    // The theme box hides it on both maps and shows it again.
    QTest::mouseClick(frm->chkBacia, Qt::LeftButton);
    QVERIFY(!frm->chkBacia->isChecked());
    QCOMPARE(Magenta(frm->Map1), 0);
    QCOMPARE(Magenta(frm->Map2), 0);
    QTest::mouseClick(frm->chkBacia, Qt::LeftButton);
    QVERIFY(Magenta(frm->Map1) > 50);

    // Replaced: the headwater section's basin, much smaller.
    apresentador->Responde(TResposta::Sim);
    apresentador->Responde(TResposta::Sim);
    Clica(Secao("cabeceira"));
    QCOMPARE(frm->BaciaNoMapa->Bacia().NumCelulas(), CelulasEsperadas("cabeceira"));
    QVERIFY(CelulasEsperadas("cabeceira") < CelulasEsperadas("principal"));

    // No to replacing: the layer keeps the headwater section and so does the outline.
    apresentador->Responde(TResposta::Sim);
    apresentador->Responde(TResposta::Nao);
    Clica(Secao("principal"));
    QCOMPARE(frm->BaciaNoMapa->Bacia().NumCelulas(), CelulasEsperadas("cabeceira"));

    // Removed with the section.
    LimpaCamadaPonto(*sistema->Camada(QStringLiteral("Ponto")));
    QVERIFY(frm->BaciaNoMapa->Bacia().Vazia());
    QTest::mouseClick(frm->sbFullExtend, Qt::LeftButton);
    QCOMPARE(Magenta(frm->Map1), 0);
  }

  void exportaAPartirDaJanela() {
    // Without a section there is nothing to write.
    QTest::mouseClick(frm->btnExportarBacia, Qt::LeftButton);
    QVERIFY(apresentador->Textos(TTipo::Informacao)
                .join(' ')
                .contains(QStringLiteral("Defina uma seção de interesse")));

    Clica(Secao("afluenteComEstacoes"));
    const QString arquivo = pasta->Caminho() + QStringLiteral("/janela");
    apresentador->EscolheArquivo(arquivo);  // no extension: a GeoPackage
    apresentador->Limpa();
    QTest::mouseClick(frm->btnExportarBacia, Qt::LeftButton);
    QVERIFY2(QFileInfo::exists(arquivo + QStringLiteral(".gpkg")),
             qPrintable(apresentador->Textos().join('\n')));
    QVERIFY(apresentador->Textos(TTipo::Informacao).join(' ').contains(QStringLiteral("gravada")));
    QVERIFY(apresentador->Textos(TTipo::Erro).isEmpty());

    // Cancelled: nothing is written, nothing said.
    apresentador->Limpa();
    QTest::mouseClick(frm->btnExportarBacia, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Informacao).size(), 0);
  }
};

QTEST_MAIN(TesteBaciaNoMapa)
#include "TesteBaciaNoMapa.moc"
