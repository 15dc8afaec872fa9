#include "raster/Numeros.h"

#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/Erro.h"

namespace Numeros {

namespace {

QString SemPasta(const QString& arquivo) { return QFileInfo(arquivo).fileName(); }

bool Converte(QByteArray texto, double& valor) {
  texto.replace(',', '.');
  const char* p = texto.constData();
  const char* fim = p + texto.size();
  if (p != fim && *p == '+') ++p;
  if (p == fim) return false;
  const auto [resto, erro] = std::from_chars(p, fim, valor, std::chars_format::general);
  return erro == std::errc() && resto == fim && std::isfinite(valor);
}

}  // namespace

double LeValor(QStringView texto, const QString& campo, const QString& arquivo) {
  const QStringView limpo = texto.trimmed();
  if (limpo.isEmpty()) return 0.0;
  double valor = 0.0;
  // Non-Latin-1 characters become '?', which is never part of a number.
  if (!Converte(limpo.toLatin1(), valor))
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o valor \"%2\" de %3 não é um "
                                  "número.")
                       .arg(SemPasta(arquivo), limpo.toString(), campo));
  return valor;
}

std::int64_t LeInteiro(QStringView texto, const QString& campo, const QString& arquivo,
                       std::int64_t minimo, std::int64_t maximo) {
  const double valor = LeValor(texto, campo, arquivo);
  if (valor != std::trunc(valor))
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o valor \"%2\" de %3 não é um "
                                  "número inteiro.")
                       .arg(SemPasta(arquivo), texto.trimmed().toString(), campo));
  return Arredonda(valor, campo, arquivo, minimo, maximo);
}

std::int64_t Arredonda(double valor, const QString& campo, const QString& arquivo,
                       std::int64_t minimo, std::int64_t maximo) {
  // nearbyint follows the default rounding mode: to nearest, ties to even.
  const double inteiro = std::nearbyint(valor);
  if (!(inteiro >= static_cast<double>(minimo) && inteiro <= static_cast<double>(maximo)))
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o valor %2 de %3 está fora do "
                                  "intervalo de %4 a %5.")
                       .arg(SemPasta(arquivo), QString::number(valor, 'g', 17), campo)
                       .arg(minimo)
                       .arg(maximo));
  return static_cast<std::int64_t>(inteiro);
}

bool LeToken(const char* inicio, const char* fim, double& valor) {
  if (inicio != fim && *inicio == '+') ++inicio;
  if (inicio == fim) return false;
  auto [resto, erro] = std::from_chars(inicio, fim, valor, std::chars_format::general);
  if (erro == std::errc() && resto == fim) return std::isfinite(valor);
  // Rare: a decimal comma. Worth a copy only then.
  for (const char* p = inicio; p != fim; ++p)
    if (*p == ',') return Converte(QByteArray(inicio, fim - inicio), valor);
  return false;
}

QString Cientifico(double valor) {
  if (std::isnan(valor)) return QStringLiteral(" NAN");
  if (std::isinf(valor)) return valor < 0 ? QStringLiteral("-INF") : QStringLiteral(" INF");
  // to_chars ignores the C locale, which Qt sets from the environment (a decimal comma here).
  char mantissa[40];
  const auto r = std::to_chars(mantissa, mantissa + sizeof mantissa, std::fabs(valor),
                               std::chars_format::scientific, 14);
  // "d.dddddddddddddde+XX[X]": re-write the exponent with four digits.
  const char* e = std::find(mantissa, r.ptr, 'e');
  int expoente = 0;
  std::from_chars(e + 1 + (e[1] == '+'), r.ptr, expoente);
  QString saida;
  saida.reserve(23);
  saida += QLatin1Char(std::signbit(valor) && valor != 0 ? '-' : ' ');
  saida += QLatin1String(mantissa, e - mantissa);
  saida += QLatin1Char('E');
  saida += QLatin1Char(expoente < 0 ? '-' : '+');
  saida += QStringLiteral("%1").arg(std::abs(expoente), 4, 10, QLatin1Char('0'));
  return saida;
}

QByteArray Fixo(double valor, int decimais) {
  char saida[400];
  const auto r =
      std::to_chars(saida, saida + sizeof saida, valor, std::chars_format::fixed, decimais);
  return QByteArray(saida, r.ec == std::errc() ? r.ptr - saida : 0);
}

}  // namespace Numeros
