#pragma once
// The small map of the availability report: the outline of the section's contributing basin,
// the main rivers inside it and the section point, drawn as vector content in a frame of the
// page's header.

#include <QRectF>
#include <vector>

#include "gis/TGeometria.h"
#include "hydro/TBaciaContribuicao.h"

class QPainter;
class TCamada;

struct TMapaBaciaRelatorio {
  std::vector<TPoligonoBacia> Contorno;
  std::vector<std::vector<TPontoMapa>> Rios;  // lines of the main rivers that reach the basin
  TPontoMapa Secao;
  TRetangulo Extensao;  // of the basin's cells
};

// Where the page puts it: the free top-right corner of the header, beside the logos and above
// the title, where no text of the section can run into it (millimetres from the sheet's
// top-left corner).
QRectF QuadroMapaBacia();

// The map of a basin; `rios` (the main rivers' layer) may be null or invalid, then the map has
// no rivers. An empty basin gives an empty map.
TMapaBaciaRelatorio MontaMapaBacia(const TBaciaContribuicao& bacia, const TCamada* rios,
                                   const TPontoMapa& secao);

// Draws the map stretched over `alvo` (device units), keeping the map's proportions.
void DesenhaMapaBacia(QPainter& p, const QRectF& alvo, const TMapaBaciaRelatorio& mapa);
