#include "editing/ValorCampo.h"

#include <QLocale>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/LeituraNumero.h"
#include "data/Modelos.h"

namespace {

QLocale Local() {
  QLocale l;
  l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  return l;
}

bool Numerico(const QVariant& v) {
  switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
      return true;
    default:
      return false;
  }
}

bool Inteiro(const QVariant& v) {
  return Numerico(v) && v.metaType().id() != QMetaType::Double &&
         v.metaType().id() != QMetaType::Float;
}

// The shortest digits that read back to the very same double (C++'s round-trip conversion),
// with the regional decimal separator. Fixed notation reads best; the exponent form only where
// fixed would run to dozens of digits.
QString TextoReal(double v) {
  if (!std::isfinite(v)) return Local().toString(v);
  const double a = std::fabs(v);
  const auto formato = a != 0.0 && (a >= 1e16 || a < 1e-6) ? std::chars_format::scientific
                                                           : std::chars_format::fixed;
  std::array<char, 400> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, formato);
  QString t = QString::fromLatin1(buf.data(), static_cast<qsizetype>(r.ptr - buf.data()));
  t.replace(QLatin1Char('.'), Local().decimalPoint());
  if (formato == std::chars_format::scientific) t.replace(QLatin1Char('e'), QLatin1Char('E'));
  return t;
}

}  // namespace

QString TextoValor(const QVariant& valor, const TColunaBD* coluna) {
  if (valor.isNull() || !valor.isValid()) return {};
  if (!coluna) return valor.toString();
  switch (coluna->Tipo) {
    case TTipoColunaBD::Inteiro:
      if (Inteiro(valor)) return Local().toString(valor.toLongLong());
      if (Numerico(valor)) return TextoReal(valor.toDouble());
      return valor.toString();
    case TTipoColunaBD::Real:
      if (Numerico(valor)) return TextoReal(valor.toDouble());
      return valor.toString();
    case TTipoColunaBD::Texto:
      return valor.toString();
  }
  return valor.toString();
}

QVariant ValorDoTexto(const QString& texto, const TColunaBD* coluna) {
  if (!coluna || coluna->Tipo == TTipoColunaBD::Texto) return texto;
  const QString t = texto.trimmed();
  if (t.isEmpty()) return QVariant();
  const QLocale l = Local();
  bool ok = false;
  if (coluna->Tipo == TTipoColunaBD::Inteiro) {
    const qlonglong n = l.toLongLong(t, &ok);
    if (ok) return n;
    return texto;
  }
  if (const auto v = LeNumeroDigitado(t, TPontoDecimal::Aceito)) return *v;
  return texto;
}

QString ErroValor(const QVariant& valor, const TColunaBD& coluna, const QString& rotulo) {
  const QString nome = rotulo.isEmpty() ? coluna.Nome : rotulo;
  if (EhColunaModelo(coluna)) {
    const QString t = valor.isNull() ? QString() : valor.toString();
    if (!NomesModelos().contains(t))
      return QStringLiteral("'%1' não é um modelo válido para o campo %2. Use %3 ou %4.")
          .arg(t, nome, NomesModelos().mid(0, NomesModelos().size() - 1).join(QStringLiteral(", ")),
               NomesModelos().last());
    return {};
  }
  if (valor.isNull() || !valor.isValid()) {
    if (coluna.Chave) return QStringLiteral("O campo %1 não pode ficar vazio.").arg(nome);
    return {};
  }
  switch (coluna.Tipo) {
    case TTipoColunaBD::Inteiro: {
      if (!Inteiro(valor))
        return QStringLiteral("'%1' não é um número inteiro válido para o campo %2.")
            .arg(TextoValor(valor, nullptr), nome);
      const qlonglong n = valor.toLongLong();
      if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return QStringLiteral("%1 está fora da faixa do campo %2 (%3 a %4).")
            .arg(n)
            .arg(nome)
            .arg(std::numeric_limits<qint32>::min())
            .arg(std::numeric_limits<qint32>::max());
      return {};
    }
    case TTipoColunaBD::Real:
      if (!Numerico(valor) || !std::isfinite(valor.toDouble()))
        return QStringLiteral("'%1' não é um número válido para o campo %2.")
            .arg(TextoValor(valor, nullptr), nome);
      return {};
    case TTipoColunaBD::Texto: {
      const QString t = valor.toString();
      if (coluna.Tamanho > 0 && t.size() > coluna.Tamanho)
        return QStringLiteral("O texto '%1' tem %2 caracteres; o campo %3 aceita no máximo %4.")
            .arg(t)
            .arg(t.size())
            .arg(nome)
            .arg(coluna.Tamanho);
      return {};
    }
  }
  return {};
}

bool EhColunaModelo(const TColunaBD& coluna) {
  return coluna.Tipo == TTipoColunaBD::Texto &&
         coluna.Nome.compare(QLatin1String("Modelo"), Qt::CaseInsensitive) == 0;
}
