#pragma once
// The contributing basin of the section of interest, and the grants that lie in it compared with
// those that the network rules place upstream of the section.

#include <QString>
#include <vector>

#include "gis/TGeometria.h"
#include "hydro/TBaciaContribuicao.h"
#include "hydro/TOutorgasConsideradas.h"

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

// How a grant's place in the outline compares with what the network rules made of its position.
enum class TAcordoBacia {
  SemPonto,              // the record has no point: it lies in no basin
  Concordam,             // inside and upstream by the rules, or outside and not upstream
  DentroNaoConsiderada,  // inside the outline, but not upstream by the rules
  ConsideradaFora,       // upstream by the rules, but outside the outline
};

// A grant lies inside when its cell belongs to the basin; it is upstream by the rules when its
// position counted it (its dates may still have left it out: see PosicaoAMontante).
TAcordoBacia AcordoComABacia(const TBaciaContribuicao& bacia, const TOutorgaExaminada& o);

struct TComparacaoOutorgas {
  std::vector<TOutorgaExaminada> DentroNaoConsideradas;
  std::vector<TOutorgaExaminada> ConsideradasFora;
};

// The grants of the section's list (counted, then left out, each in the order the walk met
// them) on which the outline and the rules disagree.
TComparacaoOutorgas ComparaOutorgas(const TBaciaContribuicao& bacia,
                                    const TOutorgasConsideradas& outorgas);

// Writes the basin's outline as one feature (.gpkg or .shp, EPSG:22523) with the section's
// identification and drainage area: "Trecho", "Rio", "Municipio", "Estado", "Latitude",
// "Longitude", "X", "Y", "AreaDren" (km², as the section shows it), "Celulas" and "AreaKm2" (the
// cells' own area). `contorno` is the basin's Contorno(), which callers keep for other uses as
// well (tracing it again would cost as much as the writing). Throws ETorveda when the basin is
// empty or the file cannot be written.
void ExportaBaciaDaSecao(const QString& arquivo, const TPonto& ponto,
                         const TBaciaContribuicao& bacia,
                         const std::vector<TPoligonoBacia>& contorno);
