#include "import/ApagaRegistros.h"

#include "gis/TCamada.h"
#include "gis/TRegistros.h"

void ApagaRegistros(TCamada& camada) {
  TRegistros registros = camada.Registros();
  if (registros.Conta() < 1) return;
  registros.Primeiro();
  while (!registros.Fim()) {
    registros.Apaga();
    registros.Proximo();
  }
  registros.FimEdicao();
}
