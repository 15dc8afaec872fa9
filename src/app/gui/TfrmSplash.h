#pragma once
// The title window: shown without a frame while the basin loads, and as the "about" window.

#include <QDialog>

class QLabel;

class TfrmSplash : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmSplash(QWidget* dono = nullptr);

  // Centres the window on the main window, or on the screen while there is none.
  void Centraliza(QWidget* janelaPrincipal);
  // The "about" window: below the picture, the program's version and the data folder in use.
  void MostraSobre(const QString& pastaDados);

  // The build's version ("0.1").
  static QString Versao();

  QLabel* lblVersao = nullptr;
  QLabel* lblPastaDados = nullptr;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QLabel* imgSplash;
};
