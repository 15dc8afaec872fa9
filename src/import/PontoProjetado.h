#pragma once
// A register position (degrees, both positive: every grant lies south and west) -> the basin's
// projected point, through the same projection as typed coordinates (EPSG:4225 -> EPSG:22523,
// same datum, no shift).

#include "gis/TGeometria.h"

// Throws ETorveda when the point cannot be projected.
TPontoMapa PontoProjetado(double latitude, double longitude);
