// Start-up steps 4 and 5: the elevation-model header and the four drainage grids, read in place
// from Dados/DadosSIG/Matrizes. A failure is recorded, shown at once, and start-up goes on.
#include <exception>

#include "base/Apresentador.h"
#include "app/TSistema.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"

void TSistema::CarregaHeader() {
  HeaderMDE = std::make_unique<THeaderMDE>();
  const QString nome = QStringLiteral("Header.hdr");
  bool ok = false;
  try {
    ok = HeaderMDE->Carrega(Caminhos_.Matrizes() + nome);
  } catch (const std::exception&) {
    ok = false;
  }
  if (ok) {
    RegistraSucesso(nome);
    return;
  }
  const QString msg = QStringLiteral("Erro ao abrir o arquivo Header.hdr");
  RegistraFalha(nome, msg);
  Apresentador().Erro(msg);
}

void TSistema::CarregaMatrizes() {
  // All four exist even when a load fails, so that a later reader meets an empty grid (every
  // cell answers no data) rather than a null pointer.
  ImgHidroMapeada = std::make_unique<TImagem>(true);
  ImgHidroSemEsp = std::make_unique<TImagem>(true);
  ImgDirEsc = std::make_unique<TImagem>(true);
  ImgFluxoAc = std::make_unique<TImagem>(true);
  const std::pair<TImagem*, QString> grades[] = {
      {ImgHidroMapeada.get(), QStringLiteral("hidro_mapeada.hdr")},
      {ImgHidroSemEsp.get(), QStringLiteral("hidro_sem_esp.hdr")},
      {ImgDirEsc.get(), QStringLiteral("dir_esc.hdr")},
      {ImgFluxoAc.get(), QStringLiteral("fluxo_ac.hdr")},
  };
  // The four loads are one unit: the first failure stops the rest.
  for (const auto& [grade, nome] : grades) {
    bool ok = false;
    try {
      ok = grade->Carrega(Caminhos_.Matrizes() + nome);
    } catch (const std::exception&) {
      ok = false;
    }
    if (ok) {
      RegistraSucesso(nome);
      continue;
    }
    const QString msg = QStringLiteral(
        "Erro ao abrir as Matrizes: hidro_mapeada.hdr, hidro_sem_esp.hdr, dir_esc.hdr, e "
        "fluxo_ac.hdr");
    RegistraFalha(nome, msg);
    Apresentador().Erro(msg);
    return;
  }
}
