#pragma once
// A presenter that shows nothing, answers No and cancels every dialog: for callers that want an
// operation's outcome without its messages.

#include "base/Apresentador.h"

class TApresentadorMudo final : public TApresentador {
 public:
  void Erro(const QString&) override {}
  void Informacao(const QString&) override {}
  TResposta Confirmacao(const QString&) override { return TResposta::Nao; }
  void Mensagem(const QString&) override {}
  QString AbreArquivo(const QString&, const QString&, const QString&) override { return {}; }
};
