#pragma once
// The windowed program's presenter: modal Qt message boxes with the system's captions.

#include <QPointer>
#include <QWidget>

#include "base/Apresentador.h"

class TApresentadorQt final : public TApresentador {
 public:
  // The window the boxes are centred on (may change as windows come and go).
  void DefineDono(QWidget* dono) { Dono_ = dono; }

  void Erro(const QString& texto) override;
  void Informacao(const QString& texto) override;
  TResposta Confirmacao(const QString& texto) override;
  void Mensagem(const QString& texto) override;
  void ErroNaoTratado(const QString& texto) override;
  TEscolha PerguntaSalvar(const QString& texto, bool podeSalvar) override;
  QString AbreArquivo(const QString& titulo, const QString& pasta, const QString& filtro) override;
  QString SalvaArquivo(const QString& titulo, const QString& pasta, const QString& filtro) override;

 private:
  QPointer<QWidget> Dono_;
};
