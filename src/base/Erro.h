#pragma once
// A failure that carries the text the user is to read. Thrown inside the core and caught where
// the work started (a window handler, a CLI command), which shows it through the presenter.

#include <QString>
#include <stdexcept>

class ETorveda : public std::runtime_error {
 public:
  explicit ETorveda(const QString& mensagem)
      : std::runtime_error(mensagem.toStdString()), Mensagem(mensagem) {}
  const QString& mensagem() const noexcept { return Mensagem; }

 private:
  QString Mensagem;
};
