#pragma once
// Placing the section at a map point: what the point is (its cell, the arc of the mapped
// drainage, river, municipality, state, region, drainage unit, coordinates and drainage area).
// Every placement starts from an empty section, so nothing of a previous section survives.

#include "gis/TGeometria.h"

class TPonto;
struct TBacia;

// Fills the section for point p (projected metres). A point off the mapped drainage (or outside
// the grid) gets CodTrecho -9999; a point outside the basin outline gets drainage area 0. The
// drainage area is that of the network cell nearest to the point's cell. Throws ETorveda when
// the coordinates cannot be converted or a layer lacks a field.
void IdentificaSecao(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p);
