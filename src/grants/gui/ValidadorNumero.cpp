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

TValidadorPercentual::TValidadorPercentual(QObject* parent) : QValidator(parent) {}

QValidator::State TValidadorPercentual::validate(QString& texto, int&) const {
  if (texto.isEmpty()) return Intermediate;
  if (texto.size() > 3) return Invalid;
  for (QChar c : texto)
    if (!c.isDigit()) return Invalid;
  const int p = texto.toInt();
  if (p > 100) return Invalid;
  return p >= 1 ? Acceptable : Intermediate;
}

QString TextoTeclaRecusada() {
  return QStringLiteral("Digite apenas algarismos e uma vírgula decimal.");
}

QString TextoPercentualEsperado() {
  return QStringLiteral(
      "O valor da % da vazão de referência deve ser um número inteiro de 1 a 100.");
}

namespace {

void MostraRecusa(QLineEdit* caixa, const QString& texto) {
  QObject::connect(caixa, &QLineEdit::inputRejected, caixa, [caixa, texto] {
    QToolTip::showText(caixa->mapToGlobal(QPoint(0, caixa->height())), texto, caixa);
    caixa->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid rgb(220, 0, 0); }"));
    QPointer<QLineEdit> alvo(caixa);
    QTimer::singleShot(800, caixa, [alvo] {
      if (alvo) alvo->setStyleSheet(QString());
    });
  });
}

}  // namespace

void ConfiguraCaixaNumero(QLineEdit* caixa) {
  caixa->setValidator(new TValidadorNumero(caixa));
  MostraRecusa(caixa, TextoTeclaRecusada());
}

void ConfiguraCaixaPercentual(QLineEdit* caixa) {
  caixa->setValidator(new TValidadorPercentual(caixa));
  MostraRecusa(caixa, TextoPercentualEsperado());
}
