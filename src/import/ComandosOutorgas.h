#pragma once
// The two commands of the main window's "A&tualização" menu, "Outorgas Estaduais (AQEM)"
// (mmiOutorgasAqemClick) and "Outorgas Federais (ANA)" (mmiOutorgasAnaClick): each asks for
// confirmation naming the workbook file it will read (.xls, or the .xlsx beside it), says where
// the workbook must lie and runs its import on the program-wide objects, reading the file as it
// is at that moment, with the progress in the main window's status bar and a closing summary.

#include <QString>
#include <functional>

#include "import/ImportaAna.h"
#include "import/ImportaAqem.h"

class TSistema;

namespace TextosOutorgas {
extern const QString ConfirmacaoAqem;
extern const QString InformacaoAqem;
extern const QString ConfirmacaoAna;
extern const QString InformacaoAna;
// The question and the notice for the workbook actually used: the question gains a line naming
// the file, the notice names the file by its real name.
QString PerguntaAqem(const QString& arquivo);
QString AvisoAqem(const QString& arquivo);
QString PerguntaAna(const QString& arquivo);
QString AvisoAna(const QString& arquivo);
}  // namespace TextosOutorgas

// The main window's progress label and bar, as the commands use them.
struct TBarraProgresso {
  std::function<void(bool visivel)> Mostra;
  TProgressoImportacao Informa;
};

// The inputs of each import from the program-wide objects: the data module's sheet tables with
// the reading of the workbook file that is there now, the layers by name (a missing one stays
// null) and that file.
TEntradaAqem EntradaAqem(TSistema& sistema);
TEntradaAna EntradaAna(TSistema& sistema);

void ComandoOutorgasAqem(TSistema& sistema, const TBarraProgresso& barra = {});
void ComandoOutorgasAna(TSistema& sistema, const TBarraProgresso& barra = {});
