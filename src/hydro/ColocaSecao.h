#pragma once
// Turning a point of the basin map into the section of interest, without the windows: the
// basin test, the placement, the confirmation, the "Ponto" layer and the computations. The
// location window and `torveda-cli secao` run these same operations; questions and notices go
// through the message presenter the caller hands in, the window-only parts (progress bar, redraws,
// status bar) through the callbacks of TInterfaceSecao.

#include <QString>
#include <functional>

#include "gis/TGeometria.h"

class TApresentador;
class TCamada;
class TPonto;
struct TBacia;

struct TInterfaceSecao {
  // Show and hide the main window's progress label and bar around the upstream grants.
  std::function<void()> MostraProgresso;
  std::function<void()> OcultaProgresso;
  // Redraw the maps after the "Ponto" layer changed.
  std::function<void()> Redesenha;
  // The user confirmed a clicked section (the window clears its status panel then).
  std::function<void()> Confirmada;
};

enum class TResultadoSecao {
  ForaDaBacia,        // the point lies outside the basin outline; nothing changed
  EntradaInvalida,    // the typed coordinates could not be read or converted
  NaoConfirmada,      // No to the confirmation: placed, the layer unchanged
  NaoSubstituida,     // No to replacing the existing section: placed, the layer unchanged
  ForaDaHidrografia,  // placed and shown off the mapped drainage; nothing computed
  Calculada,          // placed on the mapped drainage and computed
};

// Whether a polygon of the basin outline contains the point.
bool DentroDaBacia(const TCamada& limite, const TPontoMapa& p);

// Deletes every record of the "Ponto" layer and writes the layer.
void LimpaCamadaPonto(TCamada& camadaPonto);

// Replaces the content of the "Ponto" layer by p ("Codigo" 1), asking first when a section is
// already there, colours it (white on the mapped drainage, yellow off it, with the notice) and
// runs CalculaSecao when p lies on the mapped drainage.
TResultadoSecao CriaSecao(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p,
                          TApresentador& apresentador, const TInterfaceSecao& interface = {});

// The regionalizations and the upstream grants for the placed section, in order; the progress
// bar is shown around the grants and hidden again however they end.
void CalculaSecao(TPonto& ponto, const TBacia& bacia, TApresentador& apresentador,
                  const TInterfaceSecao& interface = {});

// The click flow: basin test ("A seção de interesse está fora do limite da bacia."), placement,
// confirmation, CriaSecao. Errors of the map engine or the computations propagate.
TResultadoSecao ColocaSecaoNoPonto(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p,
                                   TApresentador& apresentador,
                                   const TInterfaceSecao& interface = {});

// The typed-coordinates flow: latitude and longitude as six digits DDMMSS each, south and west
// positive, read by PontoDeDDMMSS. Texts that are not six digits, a failed conversion or
// placement show "Favor inserir os valores de Latitude e Longitude."; six digits whose minutes or
// seconds are 60 or more are refused with a message naming the field; a point outside the basin
// shows "Os valores de Latitude e Longitude estão fora do limite da bacia.". Errors of the
// computations propagate with their own text, so that a database failure is not reported as a
// typing mistake.
TResultadoSecao ColocaSecaoDigitada(TPonto& ponto, const TBacia& bacia, const QString& latitude,
                                    const QString& longitude, TApresentador& apresentador,
                                    const TInterfaceSecao& interface = {});

// The confirmation question; `digitada` chooses the typed flow's wording ("nessa").
QString TextoConfirmacaoSecao(const TPonto& ponto, bool digitada);
