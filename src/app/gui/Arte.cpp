#include "app/gui/Arte.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QPainterPath Gota(const QRectF& r) {
  QPainterPath p;
  p.moveTo(r.center().x(), r.top());
  p.cubicTo(r.right(), r.top() + r.height() * 0.55, r.right(), r.bottom(), r.center().x(),
            r.bottom());
  p.cubicTo(r.left(), r.bottom(), r.left(), r.top() + r.height() * 0.55, r.center().x(), r.top());
  return p;
}

void DesenhaRio(QPainter& p, const QRectF& area, double largura) {
  QPainterPath rio;
  rio.moveTo(area.left(), area.top() + area.height() * 0.7);
  rio.cubicTo(area.left() + area.width() * 0.3, area.top() + area.height() * 0.35,
              area.left() + area.width() * 0.6, area.bottom(), area.right(),
              area.top() + area.height() * 0.45);
  p.setPen(QPen(QColor(40, 110, 200), largura, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(rio);
}

}  // namespace

QPixmap ImagemAbertura() {
  QPixmap img(560, 339);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fundo(0, 0, 0, 339);
  fundo.setColorAt(0, QColor(232, 242, 252));
  fundo.setColorAt(1, QColor(196, 222, 244));
  p.fillRect(img.rect(), fundo);
  DesenhaRio(p, QRectF(0, 200, 560, 139), 14);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 90, 180));
  p.drawPath(Gota(QRectF(40, 40, 70, 100)));

  QFont titulo(QStringLiteral("DejaVu Sans"), 34, QFont::Bold);
  p.setFont(titulo);
  p.setPen(QColor(20, 60, 120));
  p.drawText(QRectF(130, 45, 420, 60), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("TORVEDA"));
  QFont sub(QStringLiteral("DejaVu Sans"), 13);
  p.setFont(sub);
  p.drawText(QRectF(132, 100, 420, 60), Qt::AlignLeft | Qt::TextWordWrap,
             QStringLiteral("Sistema integrado para a gestão de recursos hídricos"));
  QFont rodape(QStringLiteral("DejaVu Sans"), 9);
  p.setFont(rodape);
  p.setPen(QColor(20, 60, 120));
  p.drawText(QRectF(0, 305, 545, 25), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Outorga de direito de uso de recursos hídricos"));
  p.end();
  return img;
}

QIcon IconePrograma() {
  QIcon icone;
  for (int lado : {16, 32, 64}) {
    QPixmap img(lado, lado);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 180));
    p.drawPath(Gota(QRectF(lado * 0.2, lado * 0.05, lado * 0.6, lado * 0.9)));
    p.end();
    icone.addPixmap(img);
  }
  return icone;
}
