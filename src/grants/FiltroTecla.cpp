#include "grants/FiltroTecla.h"

bool AceitaTecla(const QString& texto, QChar tecla, QChar separador) {
  if (tecla == separador) return !texto.contains(separador);
  return (tecla >= QLatin1Char('0') && tecla <= QLatin1Char('9')) || tecla == QChar(0x08);
}

bool TextoDigitavel(const QString& texto, QChar separador) {
  QString digitado;
  for (QChar c : texto) {
    if (c == QChar(0x08) || !AceitaTecla(digitado, c, separador)) return false;
    digitado += c;
  }
  return true;
}
