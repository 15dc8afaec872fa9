#include "gis/gui/TMarcadorSecao.h"

#include <QPainter>

#include "gis/TCamada.h"
#include "gis/TMap.h"
#include "gis/TRegistros.h"

TMarcadorSecao::TMarcadorSecao(TMap* mapa, TCamada* camadaPonto)
    : QObject(mapa), Mapa_(mapa), Camada_(camadaPonto) {
  connect(mapa, &TMap::AposDesenharTracking, this, &TMarcadorSecao::Desenha);
  if (camadaPonto) connect(camadaPonto, &TCamada::Alterada, mapa, [mapa] { mapa->update(); });
}

std::optional<TPontoMapa> TMarcadorSecao::Posicao() const {
  if (!Camada_ || !Camada_->Valida() || !Camada_->Visivel()) return std::nullopt;
  TRegistros r = Camada_->Registros();
  r.Primeiro();
  if (r.Fim()) return std::nullopt;
  const TForma forma = r.Forma();
  if (forma.Vazia() || forma.Partes.empty() || forma.Partes.front().empty()) return std::nullopt;
  return forma.Partes.front().front();
}

void TMarcadorSecao::Desenha(QPainter& p) {
  const std::optional<TPontoMapa> posicao = Posicao();
  if (!posicao) return;
  const QPointF c = Mapa_->PixelDoPonto(*posicao);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  // Each stroke twice: a wide white one under a narrow black one, so that either shows on any
  // background.
  const QLineF bracos[] = {{c.x() - 2 * Raio, c.y(), c.x() - Raio, c.y()},
                           {c.x() + Raio, c.y(), c.x() + 2 * Raio, c.y()},
                           {c.x(), c.y() - 2 * Raio, c.x(), c.y() - Raio},
                           {c.x(), c.y() + Raio, c.x(), c.y() + 2 * Raio}};
  for (const auto& [cor, largura] : {std::pair{QColor(Qt::white), 5.0}, {QColor(Qt::black), 2.0}}) {
    p.setPen(QPen(cor, largura, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF& l : bracos) p.drawLine(l);
    p.drawEllipse(c, Raio + 1.5, Raio + 1.5);
  }
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Camada_->Simbolo().Cor());
  p.drawEllipse(c, Raio - 1.0, Raio - 1.0);
  p.restore();
}
