#pragma once
// Moving one sheet row into a new record of a grant layer, attribute by attribute.

#include <QString>
#include <vector>

#include "import/EsquemaOutorgas.h"

class TTabelaPlanilha;
class TRegistros;

namespace LinhaPlanilha {

// Writes the attributes of the list, in order, from the table's current row into the record
// being added. `vazao` is the value of the step's flow column. Throws ETorveda on a cell that
// cannot be read as its attribute needs, or a value the field cannot take.
void EscreveAtributos(const TTabelaPlanilha& tabela, TRegistros& registros,
                      const std::vector<TAtributo>& atributos, double vazao);

// The text of a cell of the current row for a message: empty when the sheet has no such column
// or no current row. Never throws.
QString TextoParaMensagem(const TTabelaPlanilha& tabela, const QString& coluna);

}  // namespace LinhaPlanilha
