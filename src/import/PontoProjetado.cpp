#include "import/PontoProjetado.h"

#include "gis/TConversorCoordenadas.h"

TPontoMapa PontoProjetado(double latitude, double longitude) {
  return TConversorCoordenadas::Padrao().ParaProjetada({-longitude, -latitude});
}
