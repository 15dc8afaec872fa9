#include "base/Apresentador.h"

namespace {

class TApresentadorMudo final : public TApresentador {
 public:
  void Erro(const QString&) override {}
  void Informacao(const QString&) override {}
  TResposta Confirmacao(const QString&) override { return TResposta::Nao; }
  void Mensagem(const QString&) override {}
  QString AbreArquivo(const QString&, const QString&, const QString&) override { return {}; }
};

TApresentadorMudo mudo;
// Per thread, so that a thread answering requests beside others hears only its own messages.
thread_local TApresentador* atual = &mudo;

}  // namespace

TApresentador& Apresentador() { return *atual; }

void DefineApresentador(TApresentador* apresentador) {
  atual = apresentador ? apresentador : &mudo;
}

QString JuntaLinhas(const QStringList& linhas) { return linhas.join(QLatin1Char('\n')); }
