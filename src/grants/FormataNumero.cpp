#include "grants/FormataNumero.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/LeituraNumero.h"

namespace {

// The decimal digits of |valor| with 15 significant digits (what a double can be trusted to
// hold) and the number of digits before the decimal point. Rounding the pattern's places from
// these digits makes 1.005 read as the analyst typed it, not as its binary neighbour 1.00499...
struct TDigitos {
  std::string Algarismos;
  int Inteiros = 0;
};

TDigitos Digitos(double magnitude) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", magnitude);  // "d.dddddddddddddde+XX"
  TDigitos d;
  d.Algarismos.push_back(buf[0]);
  int i = 2;
  while (buf[i] != 'e') d.Algarismos.push_back(buf[i++]);
  d.Inteiros = std::atoi(buf + i + 1) + 1;
  return d;
}

// Adds one unit in the last place of a digit string; true when the carry runs out of the front.
bool Incrementa(std::string& s) {
  for (auto it = s.rbegin(); it != s.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

QString Agrupa(const std::string& inteiros, const QString& separador) {
  QString texto;
  const int n = static_cast<int>(inteiros.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) texto += separador;
    texto += QLatin1Char(inteiros[static_cast<size_t>(i)]);
  }
  return texto;
}

}  // namespace

QString FormataDecimal(double valor, int casasMin, int casasMax, bool milhares) {
  const QLocale local;
  if (!std::isfinite(valor)) return local.toString(valor);
  if (casasMin > casasMax) casasMin = casasMax;
  TDigitos d = Digitos(std::fabs(valor));
  std::string num = d.Algarismos;
  int p = d.Inteiros;
  while (p < 1) {
    num.insert(num.begin(), '0');
    ++p;
  }
  while (static_cast<int>(num.size()) < p + casasMax + 1) num.push_back('0');
  const size_t manter = static_cast<size_t>(p + casasMax);
  const char arredonda = num[manter];
  num.resize(manter);
  if (arredonda >= '5' && Incrementa(num)) {
    num.insert(num.begin(), '1');
    ++p;
  }
  std::string inteiros = num.substr(0, static_cast<size_t>(p));
  std::string fracao = num.substr(static_cast<size_t>(p));
  const size_t primeiro = inteiros.find_first_not_of('0');
  inteiros = primeiro == std::string::npos ? std::string("0") : inteiros.substr(primeiro);
  while (static_cast<int>(fracao.size()) > casasMin && !fracao.empty() && fracao.back() == '0')
    fracao.pop_back();

  const bool zero = inteiros == "0" && fracao.find_first_not_of('0') == std::string::npos;
  QString texto;
  if (valor < 0 && !zero) texto += local.negativeSign();
  texto += milhares ? Agrupa(inteiros, local.groupSeparator()) : QString::fromStdString(inteiros);
  if (!fracao.empty()) texto += local.decimalPoint() + QString::fromStdString(fracao);
  return texto;
}

namespace {

// The places that show three significant digits of a value, at least `minimo`.
int CasasSignificativas(double valor, int minimo) {
  const double m = std::fabs(valor);
  // What rounds to nothing at the most places is zero (a difference's binary residue, 4e-16).
  if (!(m >= 0.5 * std::pow(10.0, -CasasVazaoMax)) || !std::isfinite(m)) return minimo;
  const int expoente = Digitos(m).Inteiros - 1;  // 0.00812 -> -3
  return std::clamp(2 - expoente, minimo, std::max(minimo, CasasVazaoMax));
}

}  // namespace

QString FormataTabela(double valor) {
  return FormataDecimal(valor, 0, CasasSignificativas(valor, 3));
}

int CasasDaColuna(const std::vector<double>& valores) {
  int casas = 3;
  for (double v : valores) casas = std::max(casas, CasasSignificativas(v, 3));
  return casas;
}

QString FormataFixo(double valor, int casas) { return FormataDecimal(valor, casas, casas); }

QString FormataVazao(double valor) {
  if (valor > 10) return FormataDecimal(valor, 0, 1);
  if (valor > 1) return FormataDecimal(valor, 0, 2);
  return FormataDecimal(valor, 0, CasasSignificativas(valor, 3));
}

QString FormataMetros(double valor) { return FormataDecimal(valor, 2, 2); }

QString FormataArea(double valor) { return FormataDecimal(valor, 2, 2, true); }

QString FormataGeral(double valor) {
  QLocale local;
  local.setNumberOptions(QLocale::OmitGroupSeparator);
  return local.toString(valor, 'g', 15);
}

double LeNumero(const QString& texto, bool* ok) {
  const auto v = LeNumeroDigitado(texto);
  if (ok) *ok = v.has_value();
  return v.value_or(0.0);
}

int LeInteiro(const QString& texto, bool* ok) {
  bool lido = false;
  const int v = texto.trimmed().toInt(&lido, 10);
  if (ok) *ok = lido;
  return lido ? v : 0;
}
