#include "import/interno/ValorNoCampo.h"

#include <QByteArray>
#include <QLocale>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "base/Erro.h"
#include "gis/TDadosShape.h"

namespace {

// What a new layer gives a real field without a width (TCampo::Real).
constexpr int LarguraPadrao = 24;
constexpr int DecimaisPadrao = 15;

}  // namespace

QString ValorNoCampo::Texto(double valor) {
  return QLocale().toString(valor, 'g', QLocale::FloatingPointShortest);
}

void ValorNoCampo::VerificaVazao(double vazao) {
  if (!std::isfinite(vazao))
    throw ETorveda(QStringLiteral("a vazão %1 não é um número finito.").arg(Texto(vazao)));
  if (vazao < 0.0) throw ETorveda(QStringLiteral("a vazão %1 é negativa.").arg(Texto(vazao)));
}

void ValorNoCampo::VerificaReal(double valor, const TCampo& campo) {
  const int largura = campo.Largura > 0 ? campo.Largura : LarguraPadrao;
  const int decimais = campo.Largura > 0 ? std::max(campo.Precisao, 0) : DecimaisPadrao;
  auto recusa = [&] {
    return ETorveda(
        QStringLiteral(
            "o valor %1 não cabe no campo \"%2\" da camada (%3 caracteres, %4 decimais).")
            .arg(Texto(valor), campo.Nome)
            .arg(largura)
            .arg(decimais));
  };
  if (!std::isfinite(valor)) throw recusa();
  // The attribute table writes a real as printf's "%*.*f" and cuts what passes the width.
  const QByteArray escrito = QByteArray::number(valor, 'f', decimais);
  if (escrito.size() > largura) throw recusa();
  bool ok = false;
  const double relido = escrito.toDouble(&ok);
  const double tolerancia = 0.5 * std::pow(10.0, -decimais) + std::fabs(valor) * 4 * DBL_EPSILON;
  if (!ok || std::fabs(relido - valor) > tolerancia) throw recusa();
}
