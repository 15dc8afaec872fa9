#pragma once
// What the maintenance window's buttons compute, apart from the window: each reads the texts of
// the edit boxes, works everything out, and only then hands back the texts to show, so a
// mistyped entry (ETorveda, with a message naming it) changes no field.

#include <QString>
#include <utility>

#include "gis/TGeometria.h"

class TPonto;
class TSistema;

namespace Manutencao {

// Degrees, minutes and seconds without blanks: 15.4917 -> 15°29'30". Same truncation and
// two-character parts as the section's own texts.
QString TextoGMS(double graus);

// "Pegar área": the flow accumulation (number of cells, not km²) at the network cell nearest to
// the point typed as Y and X, rounded to 4 decimals. Throws ETorveda for a text that is not a
// number, or a point outside the grids.
QString PegaArea(const TSistema& sistema, const QString& textoY, const QString& textoX);

// "Converter para Lat/Long": {latitude, longitude} texts, south and west positive, of the
// projected point typed as X and Y.
std::pair<QString, QString> ParaLatLong(const QString& textoX, const QString& textoY);

// "Converter para UTM": {X, Y} texts, rounded to 4 decimals, of the coordinates typed as six
// digits DDMMSS each, south and west positive. Any other text (the degree-sign texts that
// ParaLatLong writes included) throws ETorveda.
std::pair<QString, QString> ParaUtm(const QString& textoLatitude, const QString& textoLongitude);

// The information tool: the clicked point in degrees and map units, then the current section.
QString TextoInformacao(const TPontoMapa& p, const TPonto& ponto);

}  // namespace Manutencao
