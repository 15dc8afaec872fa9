// The map control: layer order and events, extent and aspect ratio, drawing, the cached
// picture, the interactive tools and image layers.
#include <gdal_priv.h>

#include <QLocale>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "ShapeTeste.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamada.h"
#include "gis/TCamadaImagem.h"
#include "gis/TDadosShape.h"
#include "gis/TMap.h"

using namespace ShapeTeste;

namespace {

// A square of 1000 x 1000 map units with its corner at the origin.
std::shared_ptr<TDadosShape> Quadrados(const TPastaTemporaria& pasta, const QString& nome) {
  const QString caminho = pasta.Arquivo(nome + QStringLiteral(".shp"));
  Escreve(caminho, wkbPolygon, {{"Nome", OFTString, 20}},
          {{Quadrado(0, 0, 1000), {QStringLiteral("grande")}}});
  return TDadosShape::Abre(caminho);
}

std::shared_ptr<TDadosShape> Pontos(const TPastaTemporaria& pasta) {
  const QString caminho = pasta.Arquivo(QStringLiteral("Pontos.shp"));
  Escreve(caminho, wkbPoint, {{"Codigo", OFTInteger, 9}}, {{Ponto(250, 250), {7}}});
  return TDadosShape::Abre(caminho);
}

QColor Cor(TMap& m, const TPontoMapa& p) {
  const QPointF px = m.PixelDoPonto(p);
  return m.Imagem().pixelColor(qRound(px.x()), qRound(px.y()));
}

}  // namespace

class TesteMapa : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void CamadasIndiceZeroEhOTopo() {
    TPastaTemporaria pasta;
    TCamada a, b;
    a.DefineDados(Quadrados(pasta, QStringLiteral("A")));
    b.DefineDados(Pontos(pasta));
    TMap mapa, outro;
    mapa.AdicionaCamada(&a);
    mapa.AdicionaCamada(&b);
    outro.AdicionaCamada(&a);  // one layer in two maps
    QCOMPARE(mapa.NumCamadas(), 2);
    QCOMPARE(mapa.Camada(0), &b);
    QCOMPARE(mapa.Camada(1), &a);
    QCOMPARE(mapa.Camada(QStringLiteral("pontos")), &b);
    QCOMPARE(mapa.Camada(QStringLiteral("Nada")), nullptr);
    QCOMPARE(mapa.Camada(2), nullptr);
    QCOMPARE(outro.Camada(0), &a);
    mapa.RemoveCamada(0);
    QCOMPARE(mapa.Camada(0), &a);
    mapa.LimpaCamadas();
    QCOMPARE(mapa.NumCamadas(), 0);
  }

  void EventosDeCamadaSoAoRedesenhar() {
    TPastaTemporaria pasta;
    TCamada a, b;
    a.DefineDados(Quadrados(pasta, QStringLiteral("A")));
    b.DefineDados(Pontos(pasta));
    b.SetVisivel(false);  // hidden layers still raise their events
    TMap mapa;
    mapa.resize(200, 200);
    mapa.AdicionaCamada(&a);
    mapa.AdicionaCamada(&b);
    QList<int> ordem;
    connect(&mapa, &TMap::AntesDesenharCamada, this, [&](int i, QPainter&) { ordem << 100 + i; });
    connect(&mapa, &TMap::AposDesenharCamada, this, [&](int i, QPainter&) { ordem << i; });
    mapa.Imagem();
    QCOMPARE(ordem, (QList<int>{101, 1, 100, 0}));
    ordem.clear();
    mapa.Imagem();  // the cached picture serves
    QVERIFY(ordem.isEmpty());
    a.Simbolo().SetCor(Qt::red);  // a layer change redraws
    mapa.Imagem();
    QCOMPARE(ordem.size(), 4);
  }

  void ExtensaoMantemProporcao() {
    TPastaTemporaria pasta;
    TCamada a;
    a.DefineDados(Quadrados(pasta, QStringLiteral("A")));
    TMap mapa;
    mapa.resize(400, 200);
    mapa.AdicionaCamada(&a);
    // Never set: the full extent, widened to the control's shape.
    TRetangulo e = mapa.Extensao();
    QCOMPARE(e.Centro(), (TPontoMapa{500, 500}));
    QCOMPARE(e.Altura(), 1000.0);
    QCOMPARE(e.Largura(), 2000.0);
    QCOMPARE(mapa.ExtensaoTotal(), TRetangulo(0, 1000, 0, 1000));

    QSignalSpy mudou(&mapa, &TMap::ExtensaoAlterada);
    TRetangulo pedida = mapa.Extensao();
    pedida.Escala(0.8);
    mapa.SetExtensao(pedida);
    QCOMPARE(mudou.count(), 1);
    QCOMPARE(mapa.Extensao().Largura(), 1600.0);
    // Pixels and map points both ways; y grows downwards on the screen.
    const TPontoMapa p = mapa.PontoDoPixel(QPointF(0, 0));
    QCOMPARE(p.X, mapa.Extensao().Esquerda());
    QCOMPARE(p.Y, mapa.Extensao().Topo());
    const QPointF px = mapa.PixelDoPonto({700, 300});
    const TPontoMapa volta = mapa.PontoDoPixel(px);
    QVERIFY(std::abs(volta.X - 700) < 1e-6 && std::abs(volta.Y - 300) < 1e-6);
    QVERIFY(px.y() > 100);
    // An empty rectangle changes nothing.
    mapa.SetExtensao(TRetangulo());
    QCOMPARE(mudou.count(), 1);
  }

  void DesenhaSimbolosEVisibilidade() {
    TPastaTemporaria pasta;
    TCamada fundo, pontos;
    fundo.DefineDados(Quadrados(pasta, QStringLiteral("A")));
    pontos.DefineDados(Pontos(pasta));
    fundo.Simbolo().SetCor(QColor(255, 248, 198));
    pontos.Simbolo().SetCor(Qt::red);
    pontos.Simbolo().SetTamanho(12);
    TMap mapa, outro;
    mapa.resize(300, 300);
    outro.resize(300, 300);
    mapa.AdicionaCamada(&fundo);
    mapa.AdicionaCamada(&pontos);
    outro.AdicionaCamada(&fundo);
    mapa.SetExtensao(TRetangulo(-500, 1500, -500, 1500));
    QCOMPARE(Cor(mapa, {750, 750}), QColor(255, 248, 198));
    QCOMPARE(Cor(mapa, {250, 250}), QColor(Qt::red));
    QCOMPARE(Cor(mapa, {-250, -250}), QColor(Qt::white));  // outside: background
    // Outline only: the inside shows the background, in every map that holds the layer.
    fundo.Simbolo().SetEstilo(1);
    QCOMPARE(Cor(mapa, {750, 750}), QColor(Qt::white));
    QCOMPARE(Cor(outro, {750, 750}), QColor(Qt::white));
    pontos.SetVisivel(false);
    QCOMPARE(Cor(mapa, {250, 250}), QColor(Qt::white));
    // A record added to the dataset shows at the next drawing.
    TRegistros r = pontos.Registros();
    pontos.SetVisivel(true);
    r.AdicionaNovo();
    r.DefinePonto({750, 750});
    r.Atualiza();
    r.CancelaEdicao();
    QCOMPARE(Cor(mapa, {750, 750}), QColor(Qt::red));
  }

  void RotulosPeloCampo() {
    TPastaTemporaria pasta;
    TCamada a;
    a.DefineDados(Quadrados(pasta, QStringLiteral("A")));
    a.Simbolo().SetEstilo(1);
    TMap mapa;
    mapa.resize(300, 300);
    mapa.AdicionaCamada(&a);
    auto escuros = [&] {
      const QImage img = mapa.Imagem();
      int n = 0;
      const QPoint c = mapa.PixelDoPonto({500, 500}).toPoint();
      for (int y = c.y() - 10; y < c.y() + 10; ++y)
        for (int x = c.x() - 30; x < c.x() + 30; ++x) n += qGray(img.pixel(x, y)) < 128 ? 1 : 0;
      return n;
    };
    QCOMPARE(escuros(), 0);
    a.DefineRotulos(QStringLiteral("nome"));  // field names ignore case
    QVERIFY(escuros() > 10);
    a.DefineRotulos(QString());
    QCOMPARE(escuros(), 0);
  }

  void RastreamentoEFormas() {
    TPastaTemporaria pasta;
    TCamada a;
    a.DefineDados(Quadrados(pasta, QStringLiteral("A")));
    TMap mapa;
    mapa.resize(300, 300);
    mapa.AdicionaCamada(&a);
    int vezes = 0;
    TSimbolo vermelho;
    vermelho.SetCorContorno(QColor(255, 0, 0));
    vermelho.SetEstilo(1);
    vermelho.SetLargura(3);
    connect(&mapa, &TMap::AposDesenharTracking, this, [&](QPainter&) {
      ++vezes;
      mapa.DesenhaForma(TForma::Poligono({{200, 200}, {800, 200}, {800, 800}, {200, 800}}),
                        vermelho);
    });
    mapa.RefrescaTracking();
    const QImage tela = mapa.grab().toImage();
    QVERIFY(vezes >= 1);
    const QPoint canto = mapa.PixelDoPonto({200, 500}).toPoint();
    QCOMPARE(tela.pixelColor(canto), QColor(255, 0, 0));
    // The cached picture holds the layers only.
    QVERIFY(mapa.Imagem().pixelColor(canto) != QColor(255, 0, 0));
  }

  void PonteirosViramCursores() {
    TMap mapa;
    const QList<QPair<int, Qt::CursorShape>> casos{
        {0, Qt::ArrowCursor},       {11, Qt::WaitCursor},      {53, Qt::OpenHandCursor},
        {54, Qt::ClosedHandCursor}, {55, Qt::WhatsThisCursor}, {57, Qt::PointingHandCursor},
        {51, Qt::BitmapCursor},     {52, Qt::BitmapCursor}};
    for (const auto& [codigo, forma] : casos) {
      mapa.SetPonteiro(codigo);
      QCOMPARE(mapa.Ponteiro(), codigo);
      QCOMPARE(mapa.cursor().shape(), forma);
    }
  }

  // The handler of a mouse down asks for a rectangle and gets it when the button is released.
  void RetanguloEArrastoVoltamAoSoltar() {
    TPastaTemporaria pasta;
    TCamada a;
    a.DefineDados(Quadrados(pasta, QStringLiteral("A")));
    TMap mapa;
    mapa.resize(200, 200);
    mapa.AdicionaCamada(&a);
    mapa.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mapa));
    mapa.SetExtensao(TRetangulo(0, 1000, 0, 1000));  // 5 units a pixel

    TRetangulo arrastado;
    bool retangulo = true;
    connect(&mapa, &TMap::MouseDown, this, [&](int, int, int, int) {
      if (retangulo)
        arrastado = mapa.ArrastaRetangulo();
      else
        mapa.Arrasta();
    });
    auto soltaEm = [&](QPoint fim) {
      QTimer::singleShot(0, &mapa, [&mapa, fim] {
        QMouseEvent mover(QEvent::MouseMove, fim, mapa.mapToGlobal(fim), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&mapa, &mover);
        QMouseEvent soltar(QEvent::MouseButtonRelease, fim, mapa.mapToGlobal(fim), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&mapa, &soltar);
      });
    };
    soltaEm(QPoint(60, 40));
    QTest::mousePress(&mapa, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QCOMPARE(arrastado, TRetangulo(100, 300, 800, 900));

    retangulo = false;
    soltaEm(QPoint(30, 60));  // drag 10 px right, 40 px down
    QTest::mousePress(&mapa, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QCOMPARE(mapa.Extensao(), TRetangulo(-50, 950, 200, 1200));
  }

  void RodaAproximaEmTornoDoPonteiro() {
    TPastaTemporaria pasta;
    TCamada a;
    a.DefineDados(Quadrados(pasta, QStringLiteral("A")));
    TMap mapa;
    mapa.resize(200, 200);
    mapa.AdicionaCamada(&a);
    mapa.SetExtensao(TRetangulo(0, 1000, 0, 1000));
    const QPointF sob(50, 150);
    const TPontoMapa antes = mapa.PontoDoPixel(sob);
    QWheelEvent roda(sob, mapa.mapToGlobal(sob), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&mapa, &roda);
    QVERIFY(std::abs(mapa.Extensao().Largura() - 800) < 1e-6);
    const TPontoMapa depois = mapa.PontoDoPixel(sob);
    QVERIFY(std::abs(depois.X - antes.X) < 1e-6 && std::abs(depois.Y - antes.Y) < 1e-6);
  }

  // A one-band grid through GDAL, black cells transparent.
  void CamadaDeImagemComCorTransparente() {
    TPastaTemporaria pasta;
    const QString arquivo = pasta.Arquivo(QStringLiteral("grade.tif"));
    {
      GDALAllRegister();
      GDALDataset* ds = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
          QFile::encodeName(arquivo).constData(), 10, 10, 1, GDT_Byte, nullptr);
      double gt[6] = {0, 100, 0, 1000, 0, -100};
      ds->SetGeoTransform(gt);
      std::vector<GByte> v(100, 255);
      for (int i = 0; i < 50; ++i) v[static_cast<std::size_t>(i)] = 0;  // the northern half black
      QCOMPARE(
          ds->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, 10, 10, v.data(), 10, 10, GDT_Byte, 0, 0),
          CE_None);
      GDALClose(ds);
    }
    TCamadaImagem imagem;
    imagem.SetArquivo(arquivo);
    QVERIFY(imagem.Valida());
    QCOMPARE(imagem.Extensao(), TRetangulo(0, 1000, 0, 1000));
    TMap mapa;
    mapa.resize(200, 200);
    mapa.AdicionaCamada(&imagem);
    QCOMPARE(mapa.CamadaImagem(0), &imagem);
    QCOMPARE(mapa.Camada(0), nullptr);
    QCOMPARE(Cor(mapa, {500, 750}), QColor(Qt::black));
    QCOMPARE(Cor(mapa, {500, 250}), QColor(Qt::white));
    imagem.SetCorTransparente(Qt::black);
    imagem.SetTransparente(true);
    QCOMPARE(Cor(mapa, {500, 750}), QColor(Qt::white));  // the background shows through

    TCamadaImagem ruim;
    ruim.SetArquivo(pasta.Escreve(QStringLiteral("hdr.adf"), "lixo"));
    QVERIFY(!ruim.Valida());
    QVERIFY(ruim.Extensao().Vazio());
  }
};

QTEST_MAIN(TesteMapa)
#include "TesteMapa.moc"
