#pragma once
// Moving one sheet row into a new record of a grant layer, attribute by attribute.

#include <QString>
#include <vector>

#include "import/EsquemaOutorgas.h"

class TTabelaPlanilha;
class TRegistros;

namespace LinhaPlanilha {

// Writes the attributes of the list, in order, from the table's current row into the record
// being added. `vazao` is the value of the step's flow column `colunaVazao`. Throws ETorveda on
// a cell that cannot be read as its attribute needs, or a value the field cannot take or would
// not give back as it was; `coluna` then names the heading being written.
void EscreveAtributos(const TTabelaPlanilha& tabela, TRegistros& registros,
                      const std::vector<TAtributo>& atributos, double vazao,
                      const QString& colunaVazao, QString& coluna);

// Throws ETorveda on a monthly flow of the list that no grant can have (negative, not finite),
// `coluna` then naming its heading; empty cells pass.
void VerificaVazoesMensais(const TTabelaPlanilha& tabela, const std::vector<TAtributo>& atributos,
                           QString& coluna);

// The text of a cell of the current row for a message: empty when the sheet has no such column
// or no current row. Never throws.
QString TextoParaMensagem(const TTabelaPlanilha& tabela, const QString& coluna);

}  // namespace LinhaPlanilha
