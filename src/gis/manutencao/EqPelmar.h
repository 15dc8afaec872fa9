#pragma once
// The copy of the mass-conservation equation number between the two river layers kept for
// maintenance in the "DadosSIG" folder beside the executable: every arc of
// "hidrografia_ucor_nova" receives in "Eq_Conserv" the "Eq_Conserv" of the first arc of
// "Rios_ProcPelmar" (in record order) with the same "Ho_" code, or 0 when none has it. The
// destination layer is rewritten in place.

#include <QString>

class TCamada;

// The message of a folder that cannot be connected.
extern const QString ErroConexaoEqPelmar;  // "Erro ao criar conexão com os dados no formato shape"

struct TResultadoEqPelmar {
  qint64 Registros = 0;          // arcs of the destination layer written
  qint64 SemCorrespondente = 0;  // of them, those whose code the source layer lacks (got 0)
};

// Connects to the folder and runs the copy. Throws ETorveda with ErroConexaoEqPelmar when the
// folder cannot be connected, and with a message naming the dataset that cannot be opened;
// nothing is written then.
TResultadoEqPelmar CopiaEqPelmar(const QString& pasta);

// The copy between two layers already open. Throws ETorveda, writing nothing, when a layer lacks
// "Ho_" or "Eq_Conserv"; a write that fails puts back the values already changed before the
// error goes on, so the layer is never left half-copied.
TResultadoEqPelmar CopiaEqPelmar(TCamada& destino, const TCamada& origem);
