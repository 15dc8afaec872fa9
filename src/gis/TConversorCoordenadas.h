#pragma once
// Conversion between the geographic system EPSG:4225 (Corrego Alegre 1970-72; X longitude,
// Y latitude, decimal degrees, negative south and west) and the basin's projected system
// EPSG:22523 (UTM zone 23S on the same datum; metres). The two transformations are built once
// and reused for every point: building one costs far more than using it.

#include <memory>

#include "gis/TGeometria.h"

class TConversorCoordenadas {
 public:
  static constexpr int EpsgGeografico = 4225;
  static constexpr int EpsgProjetado = 22523;

  // Throws ETorveda when PROJ cannot build the transformations.
  TConversorCoordenadas();
  ~TConversorCoordenadas();
  TConversorCoordenadas(const TConversorCoordenadas&) = delete;
  TConversorCoordenadas& operator=(const TConversorCoordenadas&) = delete;

  // The calling thread's converter, built on its first use.
  static const TConversorCoordenadas& Padrao();

  // Geographic -> projected. Throws ETorveda when the point cannot be transformed.
  TPontoMapa ParaProjetada(const TPontoMapa& geografica) const;
  // Projected -> geographic. Throws ETorveda when the point cannot be transformed.
  TPontoMapa ParaGeografica(const TPontoMapa& projetada) const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> Impl_;
};
