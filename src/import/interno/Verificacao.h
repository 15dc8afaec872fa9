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

class TApresentador;
class TCamada;
class TDadosShape;
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
TResultadoImportacao Recusa(TResultadoImportacao& r, const QString& mensagem,
                            TApresentador& apresentador);

// One step run into a draft of its layer, its records not yet in place.
struct TPassoPreparado {
  TCamada* Camada = nullptr;
  std::shared_ptr<TDadosShape> Rascunho;
  TResultadoPasso Resultado;
};

// Runs one step into a draft of the layer, changing nothing, and shows its failing row.
TPassoPreparado PreparaPasso(TCamada& camada,
                             const std::function<TResultadoPasso(TRegistros&)>& passo,
                             TApresentador& apresentador);

// Puts the records of every prepared step in place of their layers' together, or none: none
// when a step failed; when a layer that holds grants would be left without any, only if `vazia`
// lets it (asking the user when it says so). The new files of every layer are written and read
// back first, then all marked complete, then all moved over the old ones, so a failure while
// writing keeps every layer as it was. Records the steps in `r`. False when the user declined:
// nothing was changed and no summary is due.
bool SubstituiJuntas(TResultadoImportacao& r, std::vector<TPassoPreparado>& passos,
                     TSubstituicaoVazia vazia, TApresentador& apresentador);

// Where and why a step's row failed: "Falha na linha 7, coluna "Latitude": ...", as the
// summary and the failure's box both say it.
QString LocalDaFalha(const TResultadoPasso& passo);

// Reports progress every so many rows, and at the last.
void Informa(const TProgressoImportacao& progresso, const TResultadoPasso& passo, int linha,
             int total);

// The closing summary, per layer: rows read, records written, rows skipped by reason, the
// failing row, and whether the layer was replaced or kept.
QString Resumo(const TResultadoImportacao& r);

// The failing row's message in an application-titled box; a layer that could not be written
// as an error.
void MostraFalhas(const TResultadoPasso& passo, TApresentador& apresentador);

}  // namespace Verificacao
