#include "editing/ValorCampo.h"

#include <QLocale>
#include <cmath>
#include <limits>

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

QString TextoReal(double v) {
  const QLocale l = Local();
  // Fixed notation reads best; the exponent form only where fixed would run to dozens of digits.
  const double a = std::fabs(v);
  if (a != 0.0 && (a >= 1e16 || a < 1e-6))
    return l.toString(v, 'g', QLocale::FloatingPointShortest);
  return l.toString(v, 'f', QLocale::FloatingPointShortest);
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
  const double d = l.toDouble(t, &ok);
  if (ok && std::isfinite(d)) return d;
  return texto;
}

QString ErroValor(const QVariant& valor, const TColunaBD& coluna) {
  if (valor.isNull() || !valor.isValid()) {
    if (coluna.Chave) return QStringLiteral("O campo %1 não pode ficar vazio.").arg(coluna.Nome);
    return {};
  }
  switch (coluna.Tipo) {
    case TTipoColunaBD::Inteiro: {
      if (!Inteiro(valor))
        return QStringLiteral("'%1' não é um número inteiro válido para o campo %2.")
            .arg(TextoValor(valor, nullptr), coluna.Nome);
      const qlonglong n = valor.toLongLong();
      if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return QStringLiteral("%1 está fora da faixa do campo %2 (%3 a %4).")
            .arg(n)
            .arg(coluna.Nome)
            .arg(std::numeric_limits<qint32>::min())
            .arg(std::numeric_limits<qint32>::max());
      return {};
    }
    case TTipoColunaBD::Real:
      if (!Numerico(valor) || !std::isfinite(valor.toDouble()))
        return QStringLiteral("'%1' não é um número válido para o campo %2.")
            .arg(TextoValor(valor, nullptr), coluna.Nome);
      return {};
    case TTipoColunaBD::Texto: {
      const QString t = valor.toString();
      if (coluna.Tamanho > 0 && t.size() > coluna.Tamanho)
        return QStringLiteral("O texto '%1' tem %2 caracteres; o campo %3 aceita no máximo %4.")
            .arg(t)
            .arg(t.size())
            .arg(coluna.Nome)
            .arg(coluna.Tamanho);
      return {};
    }
  }
  return {};
}
