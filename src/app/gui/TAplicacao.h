#pragma once
// The windowed program's application object. It is the last guard of the event loop: a failure
// that no window handler caught is shown in the program's error box ("TORVEDA", the error's
// text, OK) and the program goes on, after the shell has put back what a handler cut short may
// have left on screen (the progress bar, a waiting pointer).

#include <QApplication>
#include <functional>

class TApresentador;

class TAplicacao : public QApplication {
  Q_OBJECT
 public:
  TAplicacao(int& argc, char** argv);

  bool notify(QObject* receptor, QEvent* evento) override;

  // Where the guard shows a failure (not owned; nullptr: nowhere, the failure only counted).
  void AvisaFalhasEm(TApresentador* apresentador) { Apresentador_ = apresentador; }

  // Run after a failure was shown; the main window puts its status bar back in order here.
  void DefineRecuperacao(std::function<void()> recuperacao) {
    Recuperacao_ = std::move(recuperacao);
  }

  // Failures caught by the guard since the start (the tests read it).
  int Capturadas() const { return Capturadas_; }

 private:
  void Reporta(const QString& texto);

  TApresentador* Apresentador_ = nullptr;
  std::function<void()> Recuperacao_;
  int Capturadas_ = 0;
  bool Mostrando_ = false;
};

// Loads Qt's own Portuguese (Brazil) texts (standard buttons, file and print dialogs) from Qt's
// translations folder (or the one given). A missing file is no error: the dialogs then speak
// English. True when loaded.
bool CarregaTraducoesQt(QCoreApplication& app, const QString& pasta = {});
