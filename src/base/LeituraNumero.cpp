#include "base/LeituraNumero.h"

#include <QLocale>
#include <cmath>

namespace {

std::optional<double> Finito(double v, bool ok) {
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<double> Le(QLocale local, const QString& texto) {
  local.setNumberOptions(QLocale::RejectGroupSeparator);
  bool ok = false;
  const double v = local.toDouble(texto, &ok);
  return Finito(v, ok);
}

}  // namespace

std::optional<double> LeNumeroDigitado(const QString& texto, TPontoDecimal ponto) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) return std::nullopt;
  const QLocale local;
  if (const auto v = Le(local, t)) return v;
  const QString separador = local.decimalPoint();
  if (ponto == TPontoDecimal::Recusado || separador == QLatin1String(".") ||
      t.contains(separador) || t.count(QLatin1Char('.')) != 1)
    return std::nullopt;
  return Le(QLocale::c(), t);
}

std::optional<double> LeNumeroDeCelula(const QString& texto) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) return std::nullopt;
  if (const auto v = Le(QLocale(), t)) return v;
  return Le(QLocale::c(), t);
}

std::optional<double> LeNumeroDeCampoCsv(const QString& texto) {
  QString t = texto.trimmed();
  if (t.isEmpty()) return std::nullopt;
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  return Le(QLocale::c(), t);
}
