#include "app/gui/TApresentadorQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

void TApresentadorQt::Erro(const QString& texto) {
  QMessageBox::critical(Dono_, QStringLiteral("Erro"), texto, QMessageBox::Ok);
}

void TApresentadorQt::Informacao(const QString& texto) {
  QMessageBox::information(Dono_, QStringLiteral("Informação"), texto, QMessageBox::Ok);
}

TResposta TApresentadorQt::Confirmacao(const QString& texto) {
  QMessageBox caixa(QMessageBox::Question, QStringLiteral("Confirmação"), texto,
                    QMessageBox::Yes | QMessageBox::No, Dono_);
  caixa.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
  caixa.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
  return caixa.exec() == QMessageBox::Yes ? TResposta::Sim : TResposta::Nao;
}

void TApresentadorQt::Mensagem(const QString& texto) {
  QMessageBox::information(Dono_, QApplication::applicationDisplayName(), texto, QMessageBox::Ok);
}

QString TApresentadorQt::AbreArquivo(const QString& titulo, const QString& pasta,
                                     const QString& filtro) {
  return QFileDialog::getOpenFileName(Dono_, titulo, pasta, filtro);
}

QString TApresentadorQt::SalvaArquivo(const QString& titulo, const QString& pasta,
                                      const QString& filtro) {
  return QFileDialog::getSaveFileName(Dono_, titulo, pasta, filtro);
}
