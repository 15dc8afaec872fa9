#pragma once
// Drawing layers and shapes with a QPainter, from map units to pixels.

#include <QPainter>
#include <QPointF>

#include "gis/TGeometria.h"

class TCamada;
class TSimbolo;

// Map units to pixels: x grows east, y grows south from the view's top-left corner.
struct TVista {
  TRetangulo Extensao;
  double Escala = 1.0;  // pixels per map unit
  QPointF Pixel(double x, double y) const {
    return {(x - Extensao.Esquerda()) * Escala, (Extensao.Topo() - y) * Escala};
  }
};

void DesenhaCamada(QPainter& p, const TCamada& camada, const TVista& vista);
void DesenhaRotulos(QPainter& p, const TCamada& camada, const TVista& vista);
void DesenhaForma(QPainter& p, const TForma& forma, TTipoGeometria tipo, const TSimbolo& simbolo,
                  const TVista& vista);
