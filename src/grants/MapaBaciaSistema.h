#pragma once
// The running program's section: its contributing basin, and the report's map of it. Header-only,
// like BaciaDoSistema, so that the report library does not depend on the start-up code; its users
// (the report commands of the windows and the CLI) link both.

#include <exception>
#include <optional>

#include "grants/MapaBaciaRelatorio.h"
#include "hydro/BaciaDaSecao.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/TPonto.h"

// The section's contributing basin; empty when the basin's data did not load or the section
// lies off the drainage grids.
inline TBaciaContribuicao BaciaContribuicaoDoSistema(const TSistema& sistema, const TPonto& ponto) {
  try {
    return BaciaDaSecao({ponto.CoordX(), ponto.CoordY()}, BaciaDoSistema(sistema));
  } catch (const std::exception&) {
    return {};
  }
}

// Nothing when the basin's data did not load or the section has no basin: the page is printed
// without the map.
inline std::optional<TMapaBaciaRelatorio> MapaBaciaDoSistema(const TSistema& sistema,
                                                             const TPonto& ponto) {
  try {
    const TBaciaContribuicao b = BaciaContribuicaoDoSistema(sistema, ponto);
    if (b.Vazia()) return std::nullopt;
    return MontaMapaBacia(b, sistema.Camada(QStringLiteral("Hidrografia_Principais")),
                          {ponto.CoordX(), ponto.CoordY()});
  } catch (const std::exception&) {
    return std::nullopt;
  }
}
