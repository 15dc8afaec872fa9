#pragma once
// Placing the section at a map point: what the point is (its cell, the arc of the mapped
// drainage, river, municipality, state, region, drainage unit, coordinates and drainage area).
// Every placement starts from an empty section, so nothing of a previous section survives.

#include <QtGlobal>

#include "gis/TGeometria.h"
#include "hydro/TPonto.h"

struct TBacia;

// Fills the section for point p (projected metres). A point off the mapped drainage (or outside
// the grid) gets CodTrecho -9999; a point outside the basin outline gets drainage area 0. The
// drainage area is that of the network cell nearest to the point's cell. Throws ETorveda when
// the coordinates cannot be converted or a layer lacks a field.
void IdentificaSecao(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p);

// What lies at a point, as the identification tool reads it: the point identified as a section
// would be, on a section object of its own, so that the section of interest, its results and the
// "Ponto" layer stay as they are; and the key of the "Hidrografia" record of the arc the
// placement finds at the point (-1 when the point lies on no mapped arc).
struct TPontoIdentificado {
  TPonto Ponto;
  qint64 RegistroArco = -1;
};
TPontoIdentificado IdentificaPonto(const TBacia& bacia, const TPontoMapa& p);
