#pragma once
// Turning a point of the basin map into the section of interest, without the windows: the
// basin test, the placement, the confirmation, the "Ponto" layer and the computations. Every road
// that places a section (the location window's click and typed coordinates, `secao`, `analise`,
// `lote`, `bacia`) runs ColocaSecao; questions and notices go through the presenter it is given,
// the window-only parts (progress bar, redraws, status bar) through the callbacks of
// TInterfaceSecao.

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
  // The point was identified inside the basin (before any question): what the section object
  // holds now stays whatever follows.
  std::function<void()> Identificada;
};

enum class TResultadoSecao {
  ForaDaBacia,        // the point lies outside the basin outline; nothing changed
  EntradaInvalida,    // the typed coordinates could not be read or converted
  NaoConfirmada,      // No to the confirmation: placed, the layer unchanged
  NaoSubstituida,     // No to replacing the existing section: placed, the layer unchanged
  ForaDaHidrografia,  // placed and shown off the mapped drainage; nothing computed
  Calculada,          // placed on the mapped drainage and computed
};

// How the point of a placement was given. The form chooses the wording of the basin test's
// refusal and of the confirmation, so that one input says the same on every road.
enum class TFormaPonto {
  Mapa,      // a map point: a click, projected coordinates
  Digitada,  // latitude and longitude typed DDMMSS, already converted
};

// What a placement does beyond identifying the point.
struct TOpcoesColocacao {
  // The location window's road: ask the confirmation, replace the "Ponto" layer and colour it.
  // Without it the placement only answers (a batch request, a contributing basin): no question,
  // no layer written.
  bool Mostra = true;
  // Without the regionalizations, only the upstream grants are summed (the contributing basin
  // compares grants and has no use for flows).
  bool Regionalizacoes = true;
};

// Whether a polygon of the basin outline contains the point.
bool DentroDaBacia(const TCamada& limite, const TPontoMapa& p);

// Deletes every record of the "Ponto" layer and writes the layer.
void LimpaCamadaPonto(TCamada& camadaPonto);

// The one placement of a section, whatever road it came by. In order: the basin test (outside:
// "A seção de interesse está fora do limite da bacia." as a notice for a map point, "Os valores de
// Latitude e Longitude estão fora do limite da bacia." as an error for typed coordinates), the
// identification, and when opcoes.Mostra the confirmation ("nesta"/"nessa") and the "Ponto"
// layer (asking before replacing a section already there, white on the mapped drainage, yellow
// off it). A section off the mapped drainage (CodTrecho 0 or -9999) gets the notice "A seção
// escolhida está fora da hidrografia. Escolha uma seção sobre um curso d'água." and no
// computation; on it, CalculaSecao runs. Questions and notices go to `apresentador`. For typed
// coordinates, a failure before the layer is touched shows "Favor inserir os valores de Latitude e
// Longitude."; later errors of the map engine or the computations propagate with their own text.
TResultadoSecao ColocaSecao(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p,
                            TFormaPonto forma, TApresentador& apresentador,
                            const TOpcoesColocacao& opcoes = {},
                            const TInterfaceSecao& interface = {});

// Typed latitude and longitude, six digits DDMMSS each, south and west positive, read by
// PontoDeDDMMSS and placed by ColocaSecao. Texts that are not six digits or that cannot be
// converted show "Favor inserir os valores de Latitude e Longitude."; six digits whose minutes or
// seconds are 60 or more are refused with a message naming the field (EntradaInvalida both).
TResultadoSecao ColocaSecaoDigitada(TPonto& ponto, const TBacia& bacia, const QString& latitude,
                                    const QString& longitude, TApresentador& apresentador,
                                    const TOpcoesColocacao& opcoes = {},
                                    const TInterfaceSecao& interface = {});

// The regionalizations and the upstream grants for the placed section, in order; the progress
// bar is shown around the grants and hidden again however they end.
void CalculaSecao(TPonto& ponto, const TBacia& bacia, TApresentador& apresentador,
                  const TInterfaceSecao& interface = {});

// The confirmation question; `digitada` chooses the typed flow's wording ("nessa").
QString TextoConfirmacaoSecao(const TPonto& ponto, bool digitada);
