#include "app/gui/TApresentadorQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>

namespace {

// A modal box takes the focus away from the window the user works in. Afterwards the control
// that had it gets it back, and the child window it lies in stays the one in front: the main
// window's reactivation must neither pick another child nor let a window move the focus to its
// first control.
class TFocoGuardado {
 public:
  TFocoGuardado() : Foco_(QApplication::focusWidget()) {
    for (QWidget* w = Foco_; w; w = w->parentWidget())
      if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
        Filho_ = sub;
        break;
      }
  }
  ~TFocoGuardado() {
    if (Filho_ && Filho_->isVisible())
      if (QMdiArea* area = Filho_->mdiArea(); area && area->activeSubWindow() != Filho_)
        area->setActiveSubWindow(Filho_);
    if (!Foco_ || !Foco_->isVisible() || !Foco_->isEnabled()) return;
    // Without a window manager nobody gives the window back its keyboard.
    Foco_->window()->activateWindow();
    Foco_->setFocus(Qt::OtherFocusReason);
  }
  TFocoGuardado(const TFocoGuardado&) = delete;
  TFocoGuardado& operator=(const TFocoGuardado&) = delete;

 private:
  QPointer<QWidget> Foco_;
  QPointer<QMdiSubWindow> Filho_;
};

}  // namespace

void TApresentadorQt::Erro(const QString& texto) {
  TFocoGuardado foco;
  QMessageBox::critical(Dono_, QStringLiteral("Erro"), texto, QMessageBox::Ok);
}

void TApresentadorQt::Informacao(const QString& texto) {
  TFocoGuardado foco;
  QMessageBox::information(Dono_, QStringLiteral("Informação"), texto, QMessageBox::Ok);
}

TResposta TApresentadorQt::Confirmacao(const QString& texto) {
  TFocoGuardado foco;
  QMessageBox caixa(QMessageBox::Question, QStringLiteral("Confirmação"), texto,
                    QMessageBox::Yes | QMessageBox::No, Dono_);
  caixa.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
  caixa.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
  return caixa.exec() == QMessageBox::Yes ? TResposta::Sim : TResposta::Nao;
}

// A notice of the program: no icon, so that it never reads as a failure.
void TApresentadorQt::Mensagem(const QString& texto) {
  TFocoGuardado foco;
  QMessageBox caixa(QMessageBox::NoIcon, QApplication::applicationDisplayName(), texto,
                    QMessageBox::Ok, Dono_);
  caixa.exec();
}

// The program's own error box: what no window handled.
void TApresentadorQt::ErroNaoTratado(const QString& texto) {
  TFocoGuardado foco;
  QMessageBox::critical(Dono_, QApplication::applicationDisplayName(), texto, QMessageBox::Ok);
}

TEscolha TApresentadorQt::PerguntaSalvar(const QString& texto, bool podeSalvar) {
  TFocoGuardado foco;
  QMessageBox caixa(QMessageBox::Question, QStringLiteral("Confirmação"), texto,
                    (podeSalvar ? QMessageBox::Save : QMessageBox::NoButton) |
                        QMessageBox::Discard | QMessageBox::Cancel,
                    Dono_);
  if (podeSalvar) caixa.button(QMessageBox::Save)->setText(QStringLiteral("Salvar"));
  caixa.button(QMessageBox::Discard)->setText(QStringLiteral("Descartar"));
  caixa.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
  // Enter keeps the work: it saves where it can, and otherwise goes back to the window.
  caixa.setDefaultButton(podeSalvar ? QMessageBox::Save : QMessageBox::Cancel);
  caixa.setEscapeButton(QMessageBox::Cancel);
  switch (caixa.exec()) {
    case QMessageBox::Save:
      return TEscolha::Salvar;
    case QMessageBox::Discard:
      return TEscolha::Descartar;
    default:
      return TEscolha::Cancelar;
  }
}

QString TApresentadorQt::AbreArquivo(const QString& titulo, const QString& pasta,
                                     const QString& filtro) {
  TFocoGuardado foco;
  return QFileDialog::getOpenFileName(Dono_, titulo, pasta, filtro);
}

QString TApresentadorQt::SalvaArquivo(const QString& titulo, const QString& pasta,
                                      const QString& filtro) {
  return QFileDialog::getSaveFileName(Dono_, titulo, pasta, filtro);
}
