#pragma once
// The one road of every message box and file dialog. There is no presenter in force: whoever
// starts an operation hands it the presenter it must use (the windowed program Qt dialogs, the
// tests a scripted responder, each CLI command a printer to stderr, each batch request a silent
// one), so that two operations can run side by side without hearing each other.

#include <QString>
#include <QStringList>

enum class TResposta { Sim, Nao };
// The answers to closing with work not yet saved.
enum class TEscolha { Salvar, Descartar, Cancelar };

class TApresentador {
 public:
  virtual ~TApresentador() = default;
  // "Erro", OK button.
  virtual void Erro(const QString& texto) = 0;
  // "Informação", OK button.
  virtual void Informacao(const QString& texto) = 0;
  // "Confirmação", Yes/No buttons.
  virtual TResposta Confirmacao(const QString& texto) = 0;
  // Plain box titled with the application's title, OK button.
  virtual void Mensagem(const QString& texto) = 0;
  // A failure that no window handled (the application-wide guard): the program's error box,
  // titled with the application's title, OK button. A presenter without one shows it as a plain
  // message.
  virtual void ErroNaoTratado(const QString& texto) { Mensagem(texto); }
  // Closing with work that would be lost: "Confirmação" with "Salvar", "Descartar" and "Cancelar"
  // ("Descartar" and "Cancelar" when nothing can be saved). A presenter that cannot ask keeps the
  // work: Cancelar.
  virtual TEscolha PerguntaSalvar(const QString& texto, bool podeSalvar) {
    (void)texto, (void)podeSalvar;
    return TEscolha::Cancelar;
  }
  // File-open dialog; an empty string means cancelled.
  virtual QString AbreArquivo(const QString& titulo, const QString& pasta,
                              const QString& filtro) = 0;
  // File-save dialog; an empty string means cancelled (what a presenter without one answers).
  virtual QString SalvaArquivo(const QString& titulo, const QString& pasta, const QString& filtro) {
    (void)titulo, (void)pasta, (void)filtro;
    return {};
  }
};

// Joins the lines of a multi-line message with single line feeds.
QString JuntaLinhas(const QStringList& linhas);
