#pragma once
// The federal register import: the sheet "Outorgas ANA" rebuilds the layer "Out_Sup_ANA". A row
// is kept when its point lies in a homogeneous region ("Reg_Met_Tradicional"); its twelve
// monthly flows go from m³/h to m³/s.

#include <QString>

#include "import/ResultadoImportacao.h"

class TTabelaPlanilha;
class TRegistros;
class TCamada;

namespace CamadasAna {
inline const QString Outorgas = QStringLiteral("Out_Sup_ANA");
inline const QString Regioes = QStringLiteral("Reg_Met_Tradicional");
}  // namespace CamadasAna

// The import step: walks every row from the first; a row without latitude or longitude text is
// skipped (the flows are not tested); the others are projected, whatever their "Hemisferio"
// says, and written when a polygon of `regioes` contains them. The first row that fails ends the
// step with its message in the result (nothing is shown here); the records written before it
// stay. The layer's files are written at the end either way.
TResultadoPasso ImportaAna(TTabelaPlanilha& tabela, TRegistros& registros, const TCamada& regioes);

QString MensagemFalhaAna(const QString& nomeReq, const QString& nrPort01, const QString& latitude,
                         const QString& longitude);

struct TEntradaAna {
  TTabelaPlanilha* Tabela = nullptr;
  QString Arquivo;  // the workbook, named when it is not open
  TCamada* Outorgas = nullptr;
  // The program-wide regions layer, so that the import does not depend on a map window.
  const TCamada* Regioes = nullptr;
};

// The whole federal import, without questions: refuses, with an error message and changing
// nothing, when the workbook did not open at start-up or a layer is not available; otherwise
// empties "Out_Sup_ANA" and runs the step, showing a failing row's message. Never throws
// ETorveda.
TResultadoImportacao ImportaOutorgasAna(const TEntradaAna& entrada);
