#include "grants/MapaBaciaRelatorio.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "gis/TCamada.h"

QRectF QuadroMapaBacia() { return {172.0, 11.0, 27.5, 30.5}; }

TMapaBaciaRelatorio MontaMapaBacia(const TBaciaContribuicao& bacia, const TCamada* rios,
                                   const TPontoMapa& secao) {
  TMapaBaciaRelatorio m;
  if (bacia.Vazia()) return m;
  m.Contorno = bacia.Contorno();
  m.Extensao = bacia.Extensao();
  m.Secao = secao;
  if (rios && rios->Valida()) {
    TRegistros r = rios->Registros();
    for (r.Primeiro(); !r.Fim(); r.Proximo()) {
      const TForma f = r.Forma();
      if (f.Tipo != TTipoGeometria::Linha || !f.Extensao().Intercepta(m.Extensao)) continue;
      for (const auto& parte : f.Partes) m.Rios.push_back(parte);
    }
  }
  return m;
}

namespace {

// Map units to the frame, centred, the same scale on both axes.
class TVistaMapa {
 public:
  TVistaMapa(const TRetangulo& e, const QRectF& alvo) {
    const double largura = std::max(e.Largura(), 1.0);
    const double altura = std::max(e.Altura(), 1.0);
    K_ = std::min(alvo.width() / largura, alvo.height() / altura);
    X0_ = alvo.center().x() - (e.Esquerda() + e.Largura() / 2) * K_;
    Y0_ = alvo.center().y() + (e.Baixo() + e.Altura() / 2) * K_;
  }
  QPointF operator()(const TPontoMapa& p) const { return {X0_ + p.X * K_, Y0_ - p.Y * K_}; }

 private:
  double K_ = 1, X0_ = 0, Y0_ = 0;
};

// A line in device units without the vertices closer than `passo` to the last one kept.
QPolygonF Linha(const std::vector<TPontoMapa>& pontos, const TVistaMapa& v, double passo) {
  QPolygonF l;
  for (const TPontoMapa& p : pontos) {
    const QPointF d = v(p);
    if (!l.isEmpty() && std::abs(d.x() - l.back().x()) < passo &&
        std::abs(d.y() - l.back().y()) < passo)
      continue;
    l.append(d);
  }
  if (!pontos.empty() && l.size() > 1) l.back() = v(pontos.back());
  return l;
}

}  // namespace

void DesenhaMapaBacia(QPainter& p, const QRectF& alvo, const TMapaBaciaRelatorio& m) {
  if (m.Contorno.empty()) return;
  const double mm = p.device()->logicalDpiX() / 25.4;  // device units per millimetre
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 120, 120), 0.2 * mm));
  p.setBrush(Qt::white);
  p.drawRect(alvo);
  p.setClipRect(alvo);

  TRetangulo e = m.Extensao;
  e.Escala(1.08);
  const TVistaMapa v(e, alvo.adjusted(mm, mm, -mm, -mm));
  const double passo = 0.1 * mm;

  QPainterPath bacia;
  bacia.setFillRule(Qt::OddEvenFill);
  for (const TPoligonoBacia& pol : m.Contorno)
    for (const TAnel& anel : pol) bacia.addPolygon(Linha(anel, v, passo));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(252, 235, 250));
  p.drawPath(bacia);

  p.setBrush(Qt::NoBrush);
  QPen rio(QColor(30, 100, 210), 0.25 * mm);
  rio.setCapStyle(Qt::RoundCap);
  rio.setJoinStyle(Qt::RoundJoin);
  p.setPen(rio);
  // Only the rivers inside the basin.
  p.save();
  p.setClipPath(bacia, Qt::IntersectClip);
  for (const auto& r : m.Rios) p.drawPolyline(Linha(r, v, passo));
  p.restore();

  QPen contorno(QColor(200, 0, 180), 0.35 * mm);
  contorno.setJoinStyle(Qt::RoundJoin);
  p.setPen(contorno);
  p.drawPath(bacia);

  p.setPen(QPen(Qt::black, 0.2 * mm));
  p.setBrush(QColor(230, 0, 0));
  p.drawEllipse(v(m.Secao), 0.9 * mm, 0.9 * mm);
  p.restore();
}
