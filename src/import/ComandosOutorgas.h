#pragma once
// The two commands of the main window's "A&tualização" menu, "Outorgas Estaduais (AQEM)"
// (mmiOutorgasAqemClick) and "Outorgas Federais (ANA)" (mmiOutorgasAnaClick): each asks for
// confirmation, says where the workbook must lie and runs its import on the program-wide
// objects. No completion message and no progress display.

#include <QString>

#include "import/ImportaAna.h"
#include "import/ImportaAqem.h"

class TSistema;

namespace TextosOutorgas {
extern const QString ConfirmacaoAqem;
extern const QString InformacaoAqem;
extern const QString ConfirmacaoAna;
extern const QString InformacaoAna;
}  // namespace TextosOutorgas

// The inputs of each import from the program-wide objects: the data module's sheet tables, the
// layers by name (a missing one stays null) and the workbook's file.
TEntradaAqem EntradaAqem(TSistema& sistema);
TEntradaAna EntradaAna(TSistema& sistema);

void ComandoOutorgasAqem(TSistema& sistema);
void ComandoOutorgasAna(TSistema& sistema);
