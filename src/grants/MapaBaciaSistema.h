#pragma once
// The report's basin map for the running program's section. Header-only, like BaciaDoSistema,
// so that the report library does not depend on the start-up code; its users (the report
// commands of the windows and the CLI) link both.

#include <exception>
#include <optional>

#include "grants/MapaBaciaRelatorio.h"
#include "hydro/BaciaDaSecao.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/TPonto.h"

// Nothing when the basin's data did not load or the section has no basin: the page is printed
// without the map.
inline std::optional<TMapaBaciaRelatorio> MapaBaciaDoSistema(const TSistema& sistema,
                                                             const TPonto& ponto) {
  try {
    const TBacia bacia = BaciaDoSistema(sistema);
    const TPontoMapa p{ponto.CoordX(), ponto.CoordY()};
    const TBaciaContribuicao b = BaciaDaSecao(p, bacia);
    if (b.Vazia()) return std::nullopt;
    return MontaMapaBacia(b, sistema.Camada(QStringLiteral("Hidrografia_Principais")), p);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}
