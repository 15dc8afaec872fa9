#pragma once
// The federal register import: the sheet "Outorgas ANA" rebuilds the layer "Out_Sup_ANA". A row
// is kept when its point lies in a homogeneous region ("Reg_Met_Tradicional"); its twelve
// monthly flows go from m³/h to m³/s.

#include <QString>
#include <functional>

#include "import/ResultadoImportacao.h"

class TApresentador;
class TTabelaPlanilha;
class TRegistros;
class TCamada;

namespace CamadasAna {
inline const QString Outorgas = QStringLiteral("Out_Sup_ANA");
inline const QString Regioes = QStringLiteral("Reg_Met_Tradicional");
}  // namespace CamadasAna

// The import step: walks every row from the first; a row without latitude or longitude text is
// skipped; a negative or non-finite monthly flow fails the row; the others are projected, whatever
// their "Hemisferio" says, and written when a polygon of `regioes` contains them. The first row
// that fails ends the step with its message in the result (nothing is shown here). The records go
// into `registros` (a draft of the layer in the whole import).
TResultadoPasso ImportaAna(TTabelaPlanilha& tabela, TRegistros& registros, const TCamada& regioes,
                           const TProgressoImportacao& progresso = {});

QString MensagemFalhaAna(const QString& nomeReq, const QString& nrPort01, const QString& latitude,
                         const QString& longitude);

struct TEntradaAna {
  TTabelaPlanilha* Tabela = nullptr;
  QString Arquivo;  // the workbook file used
  TCamada* Outorgas = nullptr;
  // The program-wide regions layer, so that the import does not depend on a map window.
  const TCamada* Regioes = nullptr;
  // As in TEntradaAqem.
  std::function<void()> LePlanilha;
  std::function<void()> LiberaPlanilha;
  TProgressoImportacao Progresso;
  // What to do when the import would leave a layer that holds grants without any.
  TSubstituicaoVazia Vazia = TSubstituicaoVazia::Pergunta;
};

// The whole federal import, with the checks and the rules of the state import: "Out_Sup_ANA"
// is replaced only when every row was read (and, were it left without grants, only as `Vazia`
// says), and a summary ends it. Never throws ETorveda.
TResultadoImportacao ImportaOutorgasAna(const TEntradaAna& entrada, TApresentador& apresentador);
