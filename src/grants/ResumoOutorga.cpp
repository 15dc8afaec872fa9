#include "grants/ResumoOutorga.h"

#include "grants/AnaliseOutorga.h"
#include "grants/FormataNumero.h"

TResumoOutorga ResumeOutorga(const TResultadoOutorga& r) {
  TResumoOutorga s;
  if (!r.Completo()) return s;
  for (const TMesOutorga& m : r.Meses) {
    if (!m.CorPosterior) continue;
    // The figure the analyst sees in the table, so that "0" is never counted as a deficit
    // because of a remainder below the table's last decimal place.
    bool ok = false;
    const double v = LeNumero(m.Posterior, &ok);
    if (!ok) continue;
    ++s.Meses;
    if (v >= 0.0) ++s.Atendidos;
    ++s.MesesPorClasse[static_cast<size_t>(*m.CorPosterior)];
    if (!s.Pior || v < *s.Pior) {
      s.Pior = v;
      s.MesPior = m.Mes;
      s.AnoPior = m.Ano;
    }
  }
  return s;
}
