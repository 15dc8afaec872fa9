#include "gis/gui/ImagensBotoes.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void Lupa(QPainter& p, bool mais) {
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(QColor(220, 235, 255));
  p.drawEllipse(QRectF(2.5, 2.5, 9, 9));
  p.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
  p.setPen(QPen(Qt::black, 1.2));
  p.drawLine(QPointF(4.5, 7), QPointF(9.5, 7));
  if (mais) p.drawLine(QPointF(7, 4.5), QPointF(7, 9.5));
}

void Moldura(QPainter& p, bool mais) {
  p.setPen(QPen(Qt::darkGray, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
  if (mais) p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
}

}  // namespace

QIcon ImagemBotao(TImagemBotao tipo) {
  QPixmap img(16, 16);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  switch (tipo) {
    case TImagemBotao::Cursor: {
      QPainterPath seta;
      seta.moveTo(4, 1);
      seta.lineTo(4, 13);
      seta.lineTo(7, 10);
      seta.lineTo(9.5, 15);
      seta.lineTo(11, 14);
      seta.lineTo(8.5, 9.5);
      seta.lineTo(12, 9.5);
      seta.closeSubpath();
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(Qt::white);
      p.drawPath(seta);
      break;
    }
    case TImagemBotao::ZoomIn:
      Lupa(p, true);
      break;
    case TImagemBotao::ZoomOut:
      Lupa(p, false);
      break;
    case TImagemBotao::Pan: {
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(QColor(255, 225, 190));
      for (int dedo = 0; dedo < 4; ++dedo)
        p.drawRoundedRect(QRectF(3 + dedo * 2.6, 2, 2.4, 8), 1, 1);
      p.drawRoundedRect(QRectF(3, 7, 10.5, 7.5), 2, 2);
      break;
    }
    case TImagemBotao::FullExtend:
      p.setPen(QPen(Qt::darkGreen, 1));
      p.setBrush(QColor(190, 230, 190));
      p.drawEllipse(QRectF(2.5, 3.5, 11, 9));
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(0.5, 0.5, 15, 15));
      break;
    case TImagemBotao::ZoomFixedIn:
      Moldura(p, true);
      break;
    case TImagemBotao::ZoomFixedOut:
      Moldura(p, false);
      break;
    case TImagemBotao::Information:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 80, 200));
      p.drawEllipse(QRectF(1, 1, 14, 14));
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(7, 3, 2.2, 2.2));
      p.drawRect(QRectF(7, 6.5, 2.2, 6.5));
      break;
    case TImagemBotao::Balanco: {
      const QColor cores[] = {QColor(0, 204, 102), QColor(255, 255, 153), QColor(255, 204, 0),
                              QColor(255, 102, 0)};
      p.setPen(QPen(Qt::black, 1));
      for (int linha = 0; linha < 4; ++linha) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5 + linha * 3.25, 6.5, 3.25));
        p.setBrush(cores[linha]);
        p.drawRect(QRectF(8, 1.5 + linha * 3.25, 6.5, 3.25));
      }
      break;
    }
  }
  p.end();
  return QIcon(img);
}
