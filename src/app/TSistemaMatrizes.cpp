// Start-up steps 4 and 5: the elevation-model header and the four drainage grids.
#include "app/Apresentador.h"
#include "app/TSistema.h"

void TSistema::CarregaHeader() {
  const QString msg = QStringLiteral("Erro ao abrir o arquivo Header.hdr");
  RegistraFalha(QStringLiteral("Header.hdr"), msg);
  Apresentador().Erro(msg);
}

void TSistema::CarregaMatrizes() {
  const QString msg = QStringLiteral(
      "Erro ao abrir as Matrizes: hidro_mapeada.hdr, hidro_sem_esp.hdr, dir_esc.hdr, e "
      "fluxo_ac.hdr");
  RegistraFalha(QStringLiteral("hidro_mapeada.hdr"), msg);
  Apresentador().Erro(msg);
}
