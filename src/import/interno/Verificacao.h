#pragma once
// What both imports check before they empty anything, and how they show their failures.

#include <QString>

#include "import/ResultadoImportacao.h"

namespace Verificacao {

// "O arquivo de Outorgas Estaduais (AQEM) não está disponível: ..." naming the workbook.
QString ArquivoIndisponivel(const TResultadoImportacao& r);
// "A camada "<nome>" não está disponível: ...".
QString CamadaIndisponivel(const TResultadoImportacao& r, const QString& nome);
// Shows the refusal as an error, records it and returns the result unchanged otherwise.
TResultadoImportacao Recusa(TResultadoImportacao& r, const QString& mensagem);
// The failing row's message in an application-titled box; a layer that could not be written
// as an error.
void MostraFalhas(const TResultadoPasso& passo);

}  // namespace Verificacao
