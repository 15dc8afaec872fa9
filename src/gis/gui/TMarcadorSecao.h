#pragma once
// The placed section as a marker a user finds at a glance on either map, over any layer: a disc
// in the "Ponto" layer's own colour (white on the mapped drainage, yellow off it) ringed in black
// over a white halo, with a cross-hair. It is drawn on the map's tracking layer, above every
// layer, wherever the "Ponto" layer holds a point and is visible.

#include <QObject>
#include <QPointer>
#include <optional>

#include "gis/TGeometria.h"

class QPainter;
class TCamada;
class TMap;

class TMarcadorSecao : public QObject {
  Q_OBJECT
 public:
  // Follows the layer on the map; owned by the map.
  TMarcadorSecao(TMap* mapa, TCamada* camadaPonto);

  // The section's map position, when the layer shows one.
  std::optional<TPontoMapa> Posicao() const;

  // Radius of the disc, in pixels; the cross-hair reaches twice as far.
  static constexpr int Raio = 6;

 private:
  void Desenha(QPainter& p);

  TMap* Mapa_;
  QPointer<TCamada> Camada_;
};
