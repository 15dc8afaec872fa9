#include "grants/ArteRelatorio.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include "grants/ClassesCor.h"

namespace {

// Runs a drawing designed on a w x h grid inside a frame of the page.
template <typename F>
void NaMoldura(QPainter& p, const QRectF& alvo, double w, double h, F desenho) {
  p.save();
  p.translate(alvo.topLeft());
  p.scale(alvo.width() / w, alvo.height() / h);
  p.setRenderHint(QPainter::Antialiasing);
  desenho();
  p.restore();
}

QFont Fonte(int pixels, bool negrito = false) {
  QFont f;
  f.setFamilies(
      {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixels);
  f.setBold(negrito);
  return f;
}

QPainterPath Gota(const QRectF& r) {
  QPainterPath g;
  g.moveTo(r.center().x(), r.top());
  g.cubicTo(r.right(), r.top() + r.height() * 0.55, r.right(), r.bottom(), r.center().x(),
            r.bottom());
  g.cubicTo(r.left(), r.bottom(), r.left(), r.top() + r.height() * 0.55, r.center().x(), r.top());
  return g;
}

void Selo(QPainter& p, const QRectF& r, const QColor& cor, const QString& sigla,
          const QString& legenda) {
  p.setPen(QPen(cor, 2));
  p.setBrush(Qt::white);
  p.drawRoundedRect(r, 8, 8);
  p.setPen(Qt::NoPen);
  p.setBrush(cor);
  p.drawEllipse(QRectF(r.left() + 6, r.top() + 8, 18, 18));
  p.setPen(cor);
  p.setFont(Fonte(17, true));
  p.drawText(QRectF(r.left() + 26, r.top() + 4, r.width() - 28, 26), Qt::AlignCenter, sigla);
  p.setFont(Fonte(8));
  p.drawText(QRectF(r.left() + 3, r.top() + 34, r.width() - 6, r.height() - 36),
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, legenda);
}

}  // namespace

void DesenhaLogotiposInstitucionais(QPainter& p, const QRectF& alvo) {
  NaMoldura(p, alvo, 283, 70, [&] {
    Selo(p, QRectF(2, 2, 88, 66), QColor(20, 90, 60), QStringLiteral("LMZ"),
         QStringLiteral("Laboratório de recursos hídricos"));
    Selo(p, QRectF(97, 2, 88, 66), QColor(30, 70, 150), QStringLiteral("NQTS"),
         QStringLiteral("Núcleo de sistemas hídricos"));
    Selo(p, QRectF(192, 2, 88, 66), QColor(150, 70, 20), QStringLiteral("AQEM"),
         QStringLiteral("Gestão das águas do estado"));
  });
}

void DesenhaLogotipoTorveda(QPainter& p, const QRectF& alvo) {
  NaMoldura(p, alvo, 191, 59, [&] {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 180));
    p.drawPath(Gota(QRectF(4, 4, 34, 50)));
    p.setPen(QPen(QColor(40, 110, 200), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath rio;
    rio.moveTo(44, 50);
    rio.cubicTo(80, 40, 120, 58, 188, 46);
    p.setBrush(Qt::NoBrush);
    p.drawPath(rio);
    p.setPen(QColor(20, 60, 120));
    p.setFont(Fonte(28, true));
    p.drawText(QRectF(44, 2, 147, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TORVEDA"));
  });
}

void DesenhaLegendaCores(QPainter& p, const QRectF& alvo) {
  NaMoldura(p, alvo, 593, 146, [&] {
    const QColor linha(90, 90, 90);
    p.setPen(Qt::black);
    p.setFont(Fonte(11, true));
    p.drawText(QRectF(0, 0, 593, 20), Qt::AlignCenter,
               QStringLiteral("Escala de cores para a caracterização das faixas de vazão ainda "
                              "permissíveis para outorga"));
    // Columns: colour name, swatch, criterion.
    const double xNome = 4, xAmostra = 78, xCriterio = 138, topo = 22, cabecalho = 18;
    const double alturaLinha = (146 - topo - cabecalho - 2) / 4.0;
    p.setPen(QPen(linha, 1));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(1, topo, 591, cabecalho));
    p.setPen(Qt::black);
    p.setFont(Fonte(11, true));
    p.drawText(QRectF(xNome, topo, xCriterio - xNome - 8, cabecalho), Qt::AlignCenter,
               QStringLiteral("Cor"));
    p.drawText(QRectF(xCriterio, topo, 593 - xCriterio, cabecalho), Qt::AlignCenter,
               QStringLiteral("Critério"));
    p.setFont(Fonte(10));
    double y = topo + cabecalho;
    for (const TDefinicaoCor& d : DefinicoesCor()) {
      const QRectF faixa(1, y, 591, alturaLinha);
      p.setPen(QPen(linha, 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(faixa);
      p.setPen(Qt::black);
      p.drawText(QRectF(xNome, y, xAmostra - xNome - 4, alturaLinha),
                 Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(d.Nome));
      p.setPen(QPen(linha, 1));
      p.setBrush(d.Cor);
      p.drawRect(QRectF(xAmostra, y + 4, 48, alturaLinha - 8));
      p.setPen(Qt::black);
      p.drawText(QRectF(xCriterio, y, 593 - xCriterio - 6, alturaLinha),
                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                 QString::fromUtf8(d.Criterio));
      y += alturaLinha;
    }
    p.setPen(QPen(linha, 1));
    p.drawLine(QPointF(xCriterio - 6, topo), QPointF(xCriterio - 6, y));
  });
}
