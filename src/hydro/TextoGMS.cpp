#include "hydro/TextoGMS.h"

#include <cmath>

namespace {

QString DoisDigitos(double v) {
  // Pattern "00": at least two digits, a sign when negative; only the first two characters count.
  const qint64 n = static_cast<qint64>(v);
  QString t = QString::number(n < 0 ? -n : n).rightJustified(2, QLatin1Char('0'));
  if (n < 0) t.prepend(QLatin1Char('-'));
  return t.left(2);
}

}  // namespace

QString TextoGMS(double graus) {
  if (!std::isfinite(graus)) return QStringLiteral("0° 00' 00\"");
  // Work in whole seconds when the value is a whole number of seconds up to floating-point
  // noise: 15°29'30" typed and converted back must not read 15°29'29".
  const double sinal = graus < 0.0 ? -1.0 : 1.0;
  double segundosTotais = std::fabs(graus) * 3600.0;
  const double inteiro = std::round(segundosTotais);
  if (std::fabs(segundosTotais - inteiro) < 1e-6) segundosTotais = inteiro;

  const double g = std::trunc(segundosTotais / 3600.0);
  const double resto = segundosTotais - g * 3600.0;
  const double m = std::trunc(resto / 60.0);
  const double s = std::trunc(resto - m * 60.0);

  // Trunc gives an integer, so a zero carries no sign.
  const double grausInteiros = g == 0.0 ? 0.0 : sinal * g;
  const QString textoGraus = QString::number(grausInteiros, 'g', 16).left(2);
  return textoGraus + QStringLiteral("° ") + DoisDigitos(sinal * m) + QStringLiteral("' ") +
         DoisDigitos(sinal * s) + QLatin1Char('"');
}

std::optional<double> GrausDeDDMMSS(const QString& texto) {
  const QString t = texto.trimmed();
  if (t.size() != 6) return std::nullopt;
  for (const QChar c : t)
    if (!c.isDigit() || c.unicode() > 127) return std::nullopt;
  const double graus = t.mid(0, 2).toDouble();
  const double minutos = t.mid(2, 2).toDouble();
  const double segundos = t.mid(4, 2).toDouble();
  return (segundos / 60.0 + minutos) / 60.0 + graus;
}
