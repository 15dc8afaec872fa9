#include "grants/AvisosCriterio.h"

#include "grants/VazaoCriterio.h"
#include "hydro/TPonto.h"

QStringList AvisosDoCriterio(const TPonto& ponto, const TCriterioOutorga& criterio) {
  const qsizetype m = NomesMetodo().indexOf(criterio.Metodo);
  const qsizetype r = NomesReferencia().indexOf(criterio.Referencia);
  if (m < 0 || r < 0) return {};
  const TOrigemMetodo* origens[] = {&ponto.OrigemTradicional(), &ponto.OrigemProporcional(),
                                    &ponto.OrigemConservacao()};
  const TOrigemMetodo& o = *origens[m];
  const auto i = static_cast<std::size_t>(r);
  const QString prefixo =
      NomesVazoesReferencia()[i] + QStringLiteral(" (") + criterio.Metodo + QStringLiteral("): ");
  QStringList l;
  if (!o.Motivos[i].isEmpty()) l << prefixo + QStringLiteral("sem estimativa, ") + o.Motivos[i];
  for (const QString& a : o.Avisos[i]) l << prefixo + a;
  return l;
}
