#pragma once
// A message presenter for tests: records every message with its kind and answers questions and
// file dialogs from a script. Handed to the operations and windows under test.

#include <QQueue>
#include <QString>
#include <QVector>

#include "base/Apresentador.h"

class TApresentadorRoteirizado final : public TApresentador {
 public:
  enum class TTipo { Erro, Informacao, Confirmacao, Mensagem, Arquivo, ErroNaoTratado, Pergunta };
  struct TRegistro {
    TTipo Tipo;
    QString Texto;
  };

  void Erro(const QString& texto) override;
  void Informacao(const QString& texto) override;
  TResposta Confirmacao(const QString& texto) override;
  void Mensagem(const QString& texto) override;
  void ErroNaoTratado(const QString& texto) override;
  TEscolha PerguntaSalvar(const QString& texto, bool podeSalvar) override;
  QString AbreArquivo(const QString& titulo, const QString& pasta, const QString& filtro) override;
  QString SalvaArquivo(const QString& titulo, const QString& pasta, const QString& filtro) override;

  // Answers of the next questions, in order; when none is left the answer is RespostaPadrao.
  void Responde(TResposta resposta) { Respostas_.enqueue(resposta); }
  TResposta RespostaPadrao = TResposta::Sim;
  // Answers of the next questions on closing with unsaved work (recorded as Pergunta, with
  // whether saving was offered in PodiaSalvar); when none is left the answer is EscolhaPadrao.
  void Escolhe(TEscolha escolha) { Escolhas_.enqueue(escolha); }
  TEscolha EscolhaPadrao = TEscolha::Descartar;
  QVector<bool> PodiaSalvar;
  // Files chosen by the next file dialogs; when none is left the dialog is cancelled.
  void EscolheArquivo(const QString& arquivo) { Arquivos_.enqueue(arquivo); }

  const QVector<TRegistro>& Registros() const { return Registros_; }
  QStringList Textos() const;
  QStringList Textos(TTipo tipo) const;
  void Limpa() { Registros_.clear(); }

 private:
  QVector<TRegistro> Registros_;
  QQueue<TResposta> Respostas_;
  QQueue<TEscolha> Escolhas_;
  QQueue<QString> Arquivos_;
};
