#include "app/gui/TfrmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/gui/Arte.h"

TfrmSplash::TfrmSplash(QWidget* dono)
    : QDialog(dono, Qt::SplashScreen | Qt::FramelessWindowHint), imgSplash(new QLabel(this)) {
  setObjectName(QStringLiteral("frmSplash"));
  setFixedSize(560, 338);
  imgSplash->setObjectName(QStringLiteral("imgSplash"));
  imgSplash->setGeometry(0, 0, 560, 339);
  imgSplash->setPixmap(ImagemAbertura());
}

void TfrmSplash::Centraliza(QWidget* janelaPrincipal) {
  QRect alvo;
  if (janelaPrincipal && janelaPrincipal->isVisible()) {
    alvo = janelaPrincipal->frameGeometry();
  } else if (QScreen* tela = QGuiApplication::primaryScreen()) {
    alvo = tela->availableGeometry();
  }
  if (alvo.isValid()) move(alvo.center() - rect().center());
}

// A click on the picture or any key closes the window.
void TfrmSplash::mousePressEvent(QMouseEvent*) { accept(); }
void TfrmSplash::keyPressEvent(QKeyEvent*) { accept(); }
