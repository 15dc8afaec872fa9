#include "hydro/Calendario.h"

#include <cmath>

namespace Calendario {

QDate DataDeDias(double dias) { return Origem().addDays(static_cast<qint64>(std::trunc(dias))); }

double DiasDeData(const QDate& data) { return static_cast<double>(Origem().daysTo(data)); }

QDate IncMes(const QDate& d, int n) { return d.addMonths(n); }

QDate IncAno(const QDate& d, int n) { return d.addYears(n); }

}  // namespace Calendario

std::int32_t ContaMeses(const QDate& inicio, const QDate& fim) {
  return 12 * (fim.year() - inicio.year()) + (fim.month() - inicio.month()) + 1;
}

std::int32_t ContaMeses(double inicio, double fim) {
  return ContaMeses(Calendario::DataDeDias(inicio), Calendario::DataDeDias(fim));
}

std::vector<std::pair<int, int>> MesesDoPeriodo(const QDate& inicio, const QDate& fim) {
  std::vector<std::pair<int, int>> meses;
  const std::int32_t n = ContaMeses(inicio, fim);
  QDate d = inicio;
  for (std::int32_t i = 0; i < n; ++i) {
    meses.emplace_back(d.month(), d.year());
    d = Calendario::IncMes(d);
  }
  return meses;
}
