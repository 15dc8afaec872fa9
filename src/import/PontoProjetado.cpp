#include "import/PontoProjetado.h"

#include "hydro/TextoGMS.h"

TPontoMapa PontoProjetado(double latitude, double longitude) {
  return PontoDeGraus(latitude, longitude);
}
