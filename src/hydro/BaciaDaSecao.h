#pragma once
// The contributing basin of the section of interest, and the grants that lie in it compared with
// those that the network rules count upstream of the section.

#include <QString>
#include <set>
#include <utility>
#include <vector>

#include "gis/TGeometria.h"
#include "hydro/TBaciaContribuicao.h"

class TCamada;
class TPonto;
class TRede;
struct TBacia;

// The section's cell: the network cell nearest to its point, where its drainage area is read
// (TMalha::CelulaFora for a point outside the grid).
std::int64_t CelulaDaSecao(const TPonto& ponto, const TRede& rede);
std::int64_t CelulaDaSecao(const TPontoMapa& p, const TRede& rede);

// The basin of a section placed at map point p; empty outside the grid or the drainage grids'
// basin.
TBaciaContribuicao BaciaDaSecao(const TPontoMapa& p, const TBacia& bacia);

// A grant point of one of the surface grant layers: the layer's name and the record's key.
using TIdOutorga = std::pair<QString, qint64>;

struct TOutorgaComparada {
  TIdOutorga Id;
  TPontoMapa Ponto;
  QString Requerente;
};

struct TComparacaoOutorgas {
  // Inside the outline, but not counted upstream of the section.
  std::vector<TOutorgaComparada> DentroNaoConsideradas;
  // Counted upstream of the section, but outside the outline.
  std::vector<TOutorgaComparada> ConsideradasFora;
};

// Walks the grant layers in record order and sorts out the grants on which the outline and the
// counted list disagree. A grant lies inside when its cell belongs to the basin.
TComparacaoOutorgas ComparaOutorgas(const TBaciaContribuicao& bacia,
                                    const std::vector<const TCamada*>& camadas,
                                    const std::set<TIdOutorga>& consideradas);

// The grants of the three surface layers that the upstream-grant computation counts for the
// placed section: those whose position, by the region rules and the network, is upstream.
std::set<TIdOutorga> OutorgasConsideradas(const TPonto& ponto, const TBacia& bacia);

// Writes the basin's outline as one feature (.gpkg or .shp, EPSG:22523) with the section's
// identification and drainage area: "Trecho", "Rio", "Municipio", "Estado", "Latitude",
// "Longitude", "X", "Y", "AreaDren" (km², as the section shows it), "Celulas" and "AreaKm2" (the
// cells' own area). Throws ETorveda when the basin is empty or the file cannot be written.
void ExportaBaciaDaSecao(const QString& arquivo, const TPonto& ponto,
                         const TBaciaContribuicao& bacia);
