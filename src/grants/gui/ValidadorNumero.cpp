#include "grants/gui/ValidadorNumero.h"

#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QToolTip>

#include "grants/FiltroTecla.h"

TValidadorNumero::TValidadorNumero(QObject* parent) : QValidator(parent) {}

QValidator::State TValidadorNumero::validate(QString& texto, int&) const {
  const QChar separador = QLocale().decimalPoint().at(0);
  if (separador != QLatin1Char('.')) texto.replace(QLatin1Char('.'), separador);
  return TextoDigitavel(texto, separador) ? Acceptable : Invalid;
}

QString TextoTeclaRecusada() {
  return QStringLiteral("Digite apenas algarismos e uma vírgula decimal.");
}

void ConfiguraCaixaNumero(QLineEdit* caixa) {
  caixa->setValidator(new TValidadorNumero(caixa));
  QObject::connect(caixa, &QLineEdit::inputRejected, caixa, [caixa] {
    QToolTip::showText(caixa->mapToGlobal(QPoint(0, caixa->height())), TextoTeclaRecusada(), caixa);
    caixa->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid rgb(220, 0, 0); }"));
    QPointer<QLineEdit> alvo(caixa);
    QTimer::singleShot(800, caixa, [alvo] {
      if (alvo) alvo->setStyleSheet(QString());
    });
  });
}
