#pragma once
// The state register import: the workbook's three sheets rebuild the four state grant layers.
//
//   step  layer                    sheet (table)                    flow column    stored in
//   1     Out_Sup_Signif_AQEM      tdbOutorgasAqemSuperficial       Vazão (m³/s)   m³/s
//   2     Out_Sup_Insignif_AQEM    tdbOutorgasAqemInsignificante    Vazão (m³/s)   m³/s
//   3     Out_Sub_Signif_AQEM      tdbOutorgasAqemSubterranea       Vazão (m³/h)   m³/h
//   4     Out_Sub_Insignif_AQEM    tdbOutorgasAqemInsignificante    Vazão (m³/h)   m³/h
//
// Flows are stored as read: the groundwater layers hold m³/h. The certificates sheet feeds both
// insignificant layers, a row going to each layer whose flow is not zero.

#include <QString>
#include <functional>

#include "import/ResultadoImportacao.h"

class TApresentador;
class TTabelaPlanilha;
class TRegistros;
class TCamada;

namespace CamadasAqem {
inline const QString SupSignif = QStringLiteral("Out_Sup_Signif_AQEM");
inline const QString SupInsignif = QStringLiteral("Out_Sup_Insignif_AQEM");
inline const QString SubSignif = QStringLiteral("Out_Sub_Signif_AQEM");
inline const QString SubInsignif = QStringLiteral("Out_Sub_Insignif_AQEM");
}  // namespace CamadasAqem

// One import step over the significant-grant schema (steps 1 and 3), or the insignificant-use
// schema (steps 2 and 4). Walks every row of the table from the first: a row without latitude
// or longitude, or whose flow is zero, is skipped; a negative or non-finite flow fails the row;
// the others are projected and written as a point when the basin outline `limite` contains
// them. The first row that fails ends the step
// with its message in the result (nothing is shown here). The records go into `registros`,
// whose dataset is written at the end either way: the whole import gives it a draft of the
// layer, put in place only when the step completes.
TResultadoPasso ImportaSignificantes(TTabelaPlanilha& tabela, TRegistros& registros,
                                     const QString& colunaVazao, const TCamada& limite,
                                     const TProgressoImportacao& progresso = {});
TResultadoPasso ImportaInsignificantes(TTabelaPlanilha& tabela, TRegistros& registros,
                                       const QString& colunaVazao, const TCamada& limite,
                                       const TProgressoImportacao& progresso = {});

// The message of a failing row. `portaria` is the row's "Nº Portaria" text; the certificates
// sheet has no such column and gives its "Nº Certidão" text instead.
QString MensagemFalhaAqem(const QString& requerente, const QString& portaria,
                          const QString& latitude, const QString& longitude);

// Everything the state import reads and writes, passed in so that it runs without the start-up.
struct TEntradaAqem {
  TTabelaPlanilha* Superficial = nullptr;
  TTabelaPlanilha* Insignificante = nullptr;
  TTabelaPlanilha* Subterranea = nullptr;
  QString Arquivo;  // the workbook file used
  TCamada* SupSignif = nullptr;
  TCamada* SupInsignif = nullptr;
  TCamada* SubSignif = nullptr;
  TCamada* SubInsignif = nullptr;
  const TCamada* Limite = nullptr;
  // Reads the rows of the workbook as the file is now into the three tables (throws ETorveda
  // naming the file, sheet or heading), and lets them go afterwards. Empty when the tables
  // were filled beforehand.
  std::function<void()> LePlanilha;
  std::function<void()> LiberaPlanilha;
  TProgressoImportacao Progresso;
  // What to do when the import would leave a layer that holds grants without any.
  TSubstituicaoVazia Vazia = TSubstituicaoVazia::Pergunta;
};

// The whole state import. First checks everything the steps need: the four layers open and
// writable, "Limite" open with its polygons, the workbook read now with its three sheets and
// every heading the steps read; any lack refuses the import with an error message, changing
// nothing. Then runs the four steps in order, each into a draft of its layer; a failing row is
// shown in an application-titled box (naming its line and column) and the next step still
// runs. The four layers are replaced together or not at all: only when every step read all its
// rows, and when a layer holding grants would be left without any, only as `Vazia` says. Ends
// with a summary per layer in an information message. Never throws ETorveda.
TResultadoImportacao ImportaOutorgasAqem(const TEntradaAqem& entrada, TApresentador& apresentador);
