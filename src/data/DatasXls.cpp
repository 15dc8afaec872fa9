#include "data/DatasXls.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

bool Bissexto(std::int64_t ano) { return ano % 4 == 0; }

// Days from year 0 to the start of `ano`, with a leap year every fourth year.
std::int64_t DiasAntesDoAno(std::int64_t ano) { return 365 * ano + (ano + 3) / 4; }

constexpr int kAntesDoMes[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

std::int64_t DiasAntesDoMes(std::int64_t ano, int mes) {
  return kAntesDoMes[mes - 1] + (mes > 2 && Bissexto(ano) ? 1 : 0);
}

}  // namespace

std::optional<TDataHoraXls> DataHoraXls(double serial, bool base1904) {
  if (!std::isfinite(serial)) return std::nullopt;
  const double piso = std::floor(serial);
  if (piso < -2147483648.0 || piso > 2147483647.0) return std::nullopt;
  const int dias = static_cast<int>(piso);
  TDataHoraXls d;
  // Day 1 is the base date itself; counts below it stay there.
  const int anoBase = base1904 ? 1904 : 1900, diaBase = base1904 ? 2 : 1;
  std::int64_t n = DiasAntesDoAno(anoBase) + diaBase - 1 + (dias > 1 ? dias - 1 : 0);
  std::int64_t ano = n * 4 / 1461;
  while (DiasAntesDoAno(ano + 1) <= n) ++ano;
  while (DiasAntesDoAno(ano) > n) --ano;
  n -= DiasAntesDoAno(ano);
  int mes = 12;
  while (mes > 1 && DiasAntesDoMes(ano, mes) > n) --mes;
  d.Ano = static_cast<int>(ano);
  d.Mes = mes;
  d.Dia = static_cast<int>(n - DiasAntesDoMes(ano, mes)) + 1;

  long segundos = std::lround(86400.0 * (serial - static_cast<double>(dias)));
  d.Hora = static_cast<int>(segundos / 3600);
  segundos -= d.Hora * 3600L;
  d.Minuto = static_cast<int>(segundos / 60);
  d.Segundo = static_cast<int>(segundos - d.Minuto * 60L);
  return d;
}

QString TextoData(const TDataHoraXls& d) {
  char b[64];
  std::snprintf(b, sizeof b, "%04d-%02d-%02d", d.Ano, d.Mes, d.Dia);
  return QString::fromLatin1(b);
}

QString TextoDataHora(const TDataHoraXls& d) {
  char b[96];
  std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d", d.Ano, d.Mes, d.Dia, d.Hora, d.Minuto,
                d.Segundo);
  return QString::fromLatin1(b);
}

QString TextoHora(const TDataHoraXls& d) {
  char b[64];
  std::snprintf(b, sizeof b, "%02d:%02d:%02d", d.Hora, d.Minuto, d.Segundo);
  return QString::fromLatin1(b);
}
