#include "grants/VazaoCriterio.h"

#include "hydro/TPonto.h"

const QStringList& NomesReferencia() {
  static const QStringList nomes{QStringLiteral("Q710"), QStringLiteral("Q90"),
                                 QStringLiteral("Q95"), QStringLiteral("Qmld")};
  return nomes;
}

const QStringList& NomesMetodo() {
  static const QStringList nomes{QStringLiteral("Tradicional"),
                                 QStringLiteral("Proporc. de vazões"),
                                 QStringLiteral("Conserv. de massas")};
  return nomes;
}

namespace {

const TVazoes* VazoesDoMetodo(const TPonto& ponto, const QString& metodo) {
  const QStringList& m = NomesMetodo();
  if (metodo == m[0]) return &ponto.VazoesTradicional();
  if (metodo == m[1]) return &ponto.VazoesProporcional();
  if (metodo == m[2]) return &ponto.VazoesConservacao();
  return nullptr;
}

double VazaoDeReferencia(const TVazoes& v, const QString& referencia) {
  const QStringList& r = NomesReferencia();
  if (referencia == r[0]) return v.Q710();
  if (referencia == r[1]) return v.Q90();
  if (referencia == r[2]) return v.Q95();
  if (referencia == r[3]) return v.Qmld();
  return 0.0;
}

}  // namespace

double VazaoCriterio(const TPonto& ponto, const QString& referencia, const QString& metodo, int p) {
  const TVazoes* vazoes = VazoesDoMetodo(ponto, metodo);
  const long double q = vazoes ? VazaoDeReferencia(*vazoes, referencia) : 0.0;
  // The analyst's formula, kept in extended precision so that round percentages of round flows
  // come out round.
  const long double resultado = q - q * (1.0L - static_cast<long double>(p) / 100.0L);
  return static_cast<double>(resultado);
}
