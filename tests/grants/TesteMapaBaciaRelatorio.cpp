// The basin map in the header of the available-flow report: it stays inside its frame, the
// frame lies in free space of the page, and the outline, the rivers and the section show.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/MapaBaciaRelatorio.h"
#include "grants/Relatorio.h"
#include "hydro/TPonto.h"
#include "raster/TImagem.h"

namespace {

constexpr double Dpi = 150;

// A basin of a 6 x 4 grid where every cell drains east along its row and then down the last
// column: the whole grid.
TBaciaContribuicao BaciaQuadrada(TImagem& dir) {
  dir.DefineTipo(QChar('R'));
  dir.DefineDimensoes(6, 4);
  dir.DefineExtensao(269000, 269300, 8286000, 8286200);
  for (int l = 0; l < 4; ++l)
    for (int c = 0; c < 6; ++c) dir.GravaReal(l * 6 + c, c < 5 ? 1.0f : 4.0f);
  return TBaciaContribuicao::Delineia(TMalha(6, 4, 269000, 8286000, 50), dir, 23);
}

QImage Pagina(const TDadosRelatorio& d) {
  QImage img(qRound(210 / 25.4 * Dpi), qRound(297 / 25.4 * Dpi), QImage::Format_RGB32);
  img.setDotsPerMeterX(qRound(Dpi / 0.0254));
  img.setDotsPerMeterY(qRound(Dpi / 0.0254));
  img.fill(Qt::white);
  QPainter p(&img);
  DesenhaRelatorio(p, d);
  return img;
}

QRect Quadro(int folga) {
  const QRectF q = QuadroMapaBacia();
  const double k = Dpi / 25.4;
  return QRect(QPoint(qFloor(q.left() * k), qFloor(q.top() * k)),
               QPoint(qCeil(q.right() * k), qCeil(q.bottom() * k)))
      .adjusted(-folga, -folga, folga, folga);
}

bool Magenta(QRgb c) { return qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) > 120; }

}  // namespace

TEST(MapaBaciaRelatorio, CabeNoEspacoLivreDoCabecalho) {
  TApresentadorRoteirizado apresentador;
  TPastaTemporaria pasta;
  TPonto p;
  p.SetCodTrecho(7);
  p.SetNomeRio(QStringLiteral("Ribeirão São Pedro"));
  p.SetMunicipio(QStringLiteral("São Gonçalo do Abaeté"));
  p.SetEstado(QStringLiteral("MG"));
  p.SetCoordX(269041.38612345);
  p.SetCoordY(8286112.63171234);
  p.SetLatitude(17.25);
  p.SetLongitude(47.5);
  p.SetAreaDrenagem(41234.567);
  p.VazoesTradicional().SetQ710(41.15);
  // The grant window after "Ok" and "Calcular" for a long period.
  const TEntradasOutorga entradas{
      QDate(1990, 1, 1),
      QDate(2026, 12, 1),
      QStringLiteral("0,5"),
      {QStringLiteral("30"), QStringLiteral("Q710"), QStringLiteral("Tradicional")}};
  TTabelaMeses entrada;
  PreencheEntrada(entrada, entradas.Inicio, entradas.Fim, entradas.VazaoSolicitada, apresentador);
  const TResultadoOutorga resultado =
      CalculaOutorga(p, entradas, entrada, pasta.Caminho() + QLatin1Char('/'), apresentador);
  ASSERT_TRUE(resultado.Completo());
  const TJanelaOutorga janela{entradas, &entrada, &resultado};
  auto d = PreparaRelatorio(TTipoRelatorio::VazaoDisponivel, p, &janela, QDate(2024, 3, 9),
                            apresentador);
  ASSERT_TRUE(d);
  const QImage sem = Pagina(*d);
  // Nothing of the page is drawn where the map goes.
  const QRect quadro = Quadro(2);
  for (int y = quadro.top(); y <= quadro.bottom(); ++y)
    for (int x = quadro.left(); x <= quadro.right(); ++x)
      ASSERT_EQ(sem.pixel(x, y), qRgb(255, 255, 255)) << x << ',' << y;

  TImagem dir;
  const TBaciaContribuicao bacia = BaciaQuadrada(dir);
  ASSERT_EQ(bacia.NumCelulas(), 24);
  d->MapaBacia = MontaMapaBacia(bacia, nullptr, {269290, 8286010});
  const QImage com = Pagina(*d);
  int magenta = 0, vermelho = 0;
  for (int y = 0; y < com.height(); ++y)
    for (int x = 0; x < com.width(); ++x) {
      const QRgb c = com.pixel(x, y);
      if (!quadro.contains(x, y)) {
        ASSERT_EQ(c, sem.pixel(x, y)) << "fora do quadro em " << x << ',' << y;
        continue;
      }
      magenta += Magenta(c);
      vermelho += qRed(c) > 200 && qGreen(c) < 40 && qBlue(c) < 40;
    }
  EXPECT_GT(magenta, 100);
  EXPECT_GT(vermelho, 5);  // the section
  // With TORVEDA_CAPTURAS set, the page as a picture to look at.
  const QString capturas = qEnvironmentVariable("TORVEDA_CAPTURAS");
  if (!capturas.isEmpty()) com.save(capturas + QStringLiteral("/relatorio-bacia.png"));
}

TEST(MapaBaciaRelatorio, BaciaVaziaNaoDesenhaNada) {
  const TMapaBaciaRelatorio vazio = MontaMapaBacia(TBaciaContribuicao(), nullptr, {});
  EXPECT_TRUE(vazio.Contorno.empty());
  QImage img(100, 100, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    DesenhaMapaBacia(p, QRectF(10, 10, 50, 80), vazio);
  }
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(img.pixel(x, y), qRgb(255, 255, 255));
}
