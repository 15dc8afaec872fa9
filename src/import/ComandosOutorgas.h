#pragma once
// The two commands of the main window's "A&tualização" menu, "Outorgas Estaduais (AQEM)"
// (mmiOutorgasAqemClick) and "Outorgas Federais (ANA)" (mmiOutorgasAnaClick): each lets the
// analyst choose the workbook (the dialog opens where one was last chosen, or in Dados/DadosBD,
// proposing the conventional file), asks for confirmation naming that file and runs its import
// on the program-wide objects, reading the file as it is at that moment, with the progress in
// the main window's status bar and a closing summary.

#include <QString>
#include <functional>

#include "import/ImportaAna.h"
#include "import/ImportaAqem.h"

class TApresentador;
class TSistema;

namespace TextosOutorgas {
extern const QString ConfirmacaoAqem;
extern const QString ConfirmacaoAna;
// The question for the workbook chosen: it gains a line naming the file.
QString PerguntaAqem(const QString& arquivo);
QString PerguntaAna(const QString& arquivo);
// The file dialog's title and filter.
extern const QString TituloAqem;
extern const QString TituloAna;
extern const QString FiltroPlanilhas;
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
// The same inputs reading the workbook `arquivo` that the analyst chose.
TEntradaAqem EntradaAqem(TSistema& sistema, const QString& arquivo);
TEntradaAna EntradaAna(TSistema& sistema, const QString& arquivo);

// Where the file dialog opens: the folder in which a register workbook was last chosen
// (remembered between sessions) when it still exists, otherwise Dados/DadosBD; with the name of
// `convencional` (the workbook the data module would read) proposed in it.
QString ArquivoProposto(const TSistema& sistema, const QString& convencional);

void ComandoOutorgasAqem(TSistema& sistema, TApresentador& apresentador,
                         const TBarraProgresso& barra = {});
void ComandoOutorgasAna(TSistema& sistema, TApresentador& apresentador,
                        const TBarraProgresso& barra = {});
