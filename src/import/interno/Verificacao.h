#pragma once
// What both imports check before they change anything, how a step's records are put in place,
// and how the imports show their failures and their summary.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "import/EsquemaOutorgas.h"
#include "import/ResultadoImportacao.h"

class TCamada;
class TRegistros;
class TTabelaPlanilha;

// Runs a release (when there is one) on leaving the scope.
class TLiberaAoSair {
 public:
  explicit TLiberaAoSair(std::function<void()> libera) : Libera_(std::move(libera)) {}
  ~TLiberaAoSair() {
    if (Libera_) Libera_();
  }
  TLiberaAoSair(const TLiberaAoSair&) = delete;
  TLiberaAoSair& operator=(const TLiberaAoSair&) = delete;

 private:
  std::function<void()> Libera_;
};

namespace Verificacao {

// "O arquivo de Outorgas Estaduais (AQEM) não está disponível: ..." naming the workbook.
QString ArquivoIndisponivel(const TResultadoImportacao& r);
// The workbook could not be read now: `detalhe` says why.
QString ArquivoIlegivel(const TResultadoImportacao& r, const QString& detalhe);
// "A camada "<nome>" não está disponível: ...".
QString CamadaIndisponivel(const TResultadoImportacao& r, const QString& nome);
// The area layer holds no polygon, so every row would fall outside it.
QString CamadaVazia(const TResultadoImportacao& r, const QString& nome);
// A grant layer whose files cannot be replaced.
QString CamadaNaoGravavel(const TResultadoImportacao& r, const QString& nome,
                          const QString& motivo);
// Sheets lacking headings that their steps read (one line per sheet).
QString ColunasAusentes(const TResultadoImportacao& r, const QStringList& faltas);

// The headings a step reads: the coordinates, the flow column and each attribute's column.
QStringList ColunasDoPasso(const std::vector<TAtributo>& atributos, const QString& colunaVazao);
// The line for the sheet when it lacks any of `colunas`; empty otherwise.
QString FaltaNaFolha(const TTabelaPlanilha& tabela, const QStringList& colunas);

// Shows the refusal as an error, records it and returns the result unchanged otherwise.
TResultadoImportacao Recusa(TResultadoImportacao& r, const QString& mensagem);

// Runs one step into a draft of the layer and, when every row was read, puts the draft's
// records in place of the layer's; a step that failed, or whose records could not be written,
// leaves the layer exactly as it was. Shows the step's failures.
TResultadoPasso ExecutaPasso(TCamada& camada,
                             const std::function<TResultadoPasso(TRegistros&)>& passo);

// Reports progress every so many rows, and at the last.
void Informa(const TProgressoImportacao& progresso, const TResultadoPasso& passo, int linha,
             int total);

// The closing summary, per layer: rows read, records written, rows skipped by reason, the
// failing row, and whether the layer was replaced or kept.
QString Resumo(const TResultadoImportacao& r);

// The failing row's message in an application-titled box; a layer that could not be written
// as an error.
void MostraFalhas(const TResultadoPasso& passo);

}  // namespace Verificacao
