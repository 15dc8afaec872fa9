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

#include "import/ResultadoImportacao.h"

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
// or longitude, or whose flow is zero, is skipped; the others are projected and written as a
// point when the basin outline `limite` contains them. The first row that fails ends the step
// with its message in the result (nothing is shown here); the records written before it stay.
// The layer's files are written at the end either way.
TResultadoPasso ImportaSignificantes(TTabelaPlanilha& tabela, TRegistros& registros,
                                     const QString& colunaVazao, const TCamada& limite);
TResultadoPasso ImportaInsignificantes(TTabelaPlanilha& tabela, TRegistros& registros,
                                       const QString& colunaVazao, const TCamada& limite);

// The message of a failing row. `portaria` is the row's "Nº Portaria" text; the certificates
// sheet has no such column and gives its "Nº Certidão" text instead.
QString MensagemFalhaAqem(const QString& requerente, const QString& portaria,
                          const QString& latitude, const QString& longitude);

// Everything the state import reads and writes, passed in so that it runs without the start-up.
struct TEntradaAqem {
  TTabelaPlanilha* Superficial = nullptr;
  TTabelaPlanilha* Insignificante = nullptr;
  TTabelaPlanilha* Subterranea = nullptr;
  QString Arquivo;  // the workbook, named when it is not open
  TCamada* SupSignif = nullptr;
  TCamada* SupInsignif = nullptr;
  TCamada* SubSignif = nullptr;
  TCamada* SubInsignif = nullptr;
  const TCamada* Limite = nullptr;
};

// The whole state import, without questions: refuses, with an error message and changing
// nothing, when the workbook did not open at start-up or a layer is not available; otherwise
// empties the four layers in step order and runs the four steps, showing each failing row's
// message (application-titled box) before going on with the next step. Never throws ETorveda:
// a layer that cannot be emptied ends the import with its error shown and recorded.
TResultadoImportacao ImportaOutorgasAqem(const TEntradaAqem& entrada);
