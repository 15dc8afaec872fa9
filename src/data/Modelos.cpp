#include "data/Modelos.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Binary exponentiation; a negative exponent inverts the positive power.
double PotenciaInteira(double base, long long expoente) {
  const bool negativo = expoente < 0;
  unsigned long long n = negativo ? 0ULL - static_cast<unsigned long long>(expoente)
                                  : static_cast<unsigned long long>(expoente);
  double r = 1.0;
  double b = base;
  while (n != 0) {
    if (n & 1ULL) r *= b;
    b *= b;
    n >>= 1;
  }
  return negativo ? 1.0 / r : r;
}

std::optional<double> Finito(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

double PotenciaReal(double base, double expoente) {
  if (expoente == 0.0) return 1.0;
  if (base == 0.0 && expoente > 0.0) return 0.0;
  if (std::trunc(expoente) == expoente &&
      std::fabs(expoente) <= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return PotenciaInteira(base, static_cast<long long>(expoente));
  return std::exp(expoente * std::log(base));
}

double AvaliaModeloBruto(const QString& modelo, double b0, double bAd, double ad) {
  double q = 0.0;
  if (modelo == QLatin1String("Lin"))
    q = bAd * ad + b0;
  else if (modelo == QLatin1String("Pot"))
    q = b0 * PotenciaReal(ad, bAd);
  else if (modelo == QLatin1String("Exp"))
    q = std::exp(bAd * ad + b0);
  else if (modelo == QLatin1String("Log") || modelo == QLatin1String("Rec"))
    q = b0;
  return q;
}

double AvaliaModelo(const QString& modelo, double b0, double bAd, double ad) {
  const double q = AvaliaModeloBruto(modelo, b0, bAd, ad);
  return std::isfinite(q) ? q : 0.0;
}

bool ModeloConhecido(const QString& modelo) {
  return modelo == QLatin1String("Lin") || modelo == QLatin1String("Pot") ||
         modelo == QLatin1String("Exp") || modelo == QLatin1String("Log") ||
         modelo == QLatin1String("Rec");
}

std::optional<double> Interpola(double a, double a1, double x1, double a2, double x2) {
  if (a2 == a1) return std::nullopt;
  return Finito(x1 + (a - a1) / (a2 - a1) * (x2 - x1));
}

std::optional<double> Proporcional(double a, double a1, double x1) {
  if (a1 == 0.0) return std::nullopt;
  return Finito(a / a1 * x1);
}

const QStringList& NomesModelos() {
  static const QStringList nomes{QStringLiteral("Lin"), QStringLiteral("Pot"),
                                 QStringLiteral("Exp"), QStringLiteral("Log"),
                                 QStringLiteral("Rec")};
  return nomes;
}
