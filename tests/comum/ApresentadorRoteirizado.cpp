#include "comum/ApresentadorRoteirizado.h"

#include <QStringList>

void TApresentadorRoteirizado::Erro(const QString& t) { Registros_.push_back({TTipo::Erro, t}); }
void TApresentadorRoteirizado::Informacao(const QString& t) {
  Registros_.push_back({TTipo::Informacao, t});
}
TResposta TApresentadorRoteirizado::Confirmacao(const QString& t) {
  Registros_.push_back({TTipo::Confirmacao, t});
  return Respostas_.isEmpty() ? RespostaPadrao : Respostas_.dequeue();
}
void TApresentadorRoteirizado::Mensagem(const QString& t) {
  Registros_.push_back({TTipo::Mensagem, t});
}
void TApresentadorRoteirizado::ErroNaoTratado(const QString& t) {
  Registros_.push_back({TTipo::ErroNaoTratado, t});
}
TEscolha TApresentadorRoteirizado::PerguntaSalvar(const QString& t, bool podeSalvar) {
  Registros_.push_back({TTipo::Pergunta, t});
  PodiaSalvar.push_back(podeSalvar);
  return Escolhas_.isEmpty() ? EscolhaPadrao : Escolhas_.dequeue();
}
QString TApresentadorRoteirizado::AbreArquivo(const QString& titulo, const QString&,
                                              const QString&) {
  Registros_.push_back({TTipo::Arquivo, titulo});
  return Arquivos_.isEmpty() ? QString() : Arquivos_.dequeue();
}

QString TApresentadorRoteirizado::SalvaArquivo(const QString& titulo, const QString& pasta,
                                               const QString& filtro) {
  return AbreArquivo(titulo, pasta, filtro);
}

QStringList TApresentadorRoteirizado::Textos() const {
  QStringList r;
  for (const auto& m : Registros_) r << m.Texto;
  return r;
}

QStringList TApresentadorRoteirizado::Textos(TTipo tipo) const {
  QStringList r;
  for (const auto& m : Registros_)
    if (m.Tipo == tipo) r << m.Texto;
  return r;
}
