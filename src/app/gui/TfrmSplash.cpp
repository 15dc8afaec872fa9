#include "app/gui/TfrmSplash.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "app/gui/Arte.h"

TfrmSplash::TfrmSplash(QWidget* dono)
    : QDialog(dono, Qt::SplashScreen | Qt::FramelessWindowHint), imgSplash(new QLabel(this)) {
  setObjectName(QStringLiteral("frmSplash"));
  setFixedSize(560, 338);
  imgSplash->setObjectName(QStringLiteral("imgSplash"));
  imgSplash->setGeometry(0, 0, 560, 339);
  imgSplash->setPixmap(ImagemAbertura());
}

QString TfrmSplash::Versao() { return QStringLiteral(TORVEDA_VERSAO); }

void TfrmSplash::MostraSobre(const QString& pastaDados) {
  if (lblVersao) return;
  auto* info = new QWidget(this);
  info->setObjectName(QStringLiteral("pnlSobre"));
  info->setAutoFillBackground(true);
  auto* linhas = new QVBoxLayout(info);
  linhas->setContentsMargins(12, 8, 12, 10);
  lblVersao = new QLabel(QStringLiteral("Versão ") + Versao(), info);
  lblVersao->setObjectName(QStringLiteral("lblVersao"));
  // A long folder wraps at its separators instead of being cut.
  QString pasta = QDir::toNativeSeparators(QDir::cleanPath(pastaDados));
  pasta.replace(QDir::separator(), QString(QDir::separator()) + QChar(0x200B));
  lblPastaDados = new QLabel(QStringLiteral("Pasta de dados: ") + pasta, info);
  lblPastaDados->setObjectName(QStringLiteral("lblPastaDados"));
  lblPastaDados->setWordWrap(true);
  lblPastaDados->setTextInteractionFlags(Qt::TextSelectableByMouse);
  linhas->addWidget(lblVersao);
  linhas->addWidget(lblPastaDados);
  const int largura = width();
  info->setFixedWidth(largura);
  info->setFixedHeight(info->heightForWidth(largura) > 0 ? info->heightForWidth(largura)
                                                         : info->sizeHint().height());
  info->move(0, imgSplash->height());
  setFixedSize(largura, imgSplash->height() + info->height());
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
