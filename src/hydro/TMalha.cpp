#include "hydro/TMalha.h"

#include <cmath>

#include "base/Convencoes.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"

TMalha::TMalha(std::int32_t nCols, std::int32_t nRows, double xllCorner, double yllCorner,
               double cellSize)
    : NCols_(nCols > 0 ? nCols : 0),
      NRows_(nRows > 0 ? nRows : 0),
      XllCorner_(xllCorner),
      YllCorner_(yllCorner),
      CellSize_(cellSize) {}

TMalha::TMalha(const THeaderMDE& h)
    : TMalha(h.NCols(), h.NRows(), h.XllCorner(), h.YllCorner(), h.CellSize()) {}

std::int64_t TMalha::IndiceCelula(const TPontoMapa& p) const {
  if (!(CellSize_ > 0.0) || NCols_ == 0 || NRows_ == 0) return CelulaFora;
  const double dx = (p.X - XllCorner_) / CellSize_;
  const double dy = (p.Y - YllCorner_) / CellSize_;
  // Trunc would fold a point just west or south of the grid into its first column or row; such
  // a point lies outside.
  if (!(dx >= 0.0) || !(dy >= 0.0) || dx >= NCols_ || dy >= NRows_) return CelulaFora;
  const std::int64_t coluna = static_cast<std::int64_t>(std::trunc(dx)) + 1;
  const std::int64_t linha = NRows_ - static_cast<std::int64_t>(std::trunc(dy));
  if (coluna < 1 || coluna > NCols_ || linha < 1 || linha > NRows_) return CelulaFora;
  return (linha - 1) * NCols_ + (coluna - 1);
}

std::int64_t TMalha::Vizinho(std::int64_t celula, int dColuna, int dLinha) const {
  if (!Contem(celula)) return CelulaFora;
  const std::int64_t coluna = celula % NCols_ + dColuna;
  const std::int64_t linha = celula / NCols_ + dLinha;
  if (coluna < 0 || coluna >= NCols_ || linha < 0 || linha >= NRows_) return CelulaFora;
  return linha * NCols_ + coluna;
}

std::int64_t TMalha::VizinhoD8(std::int64_t celula, double codigo) const {
  // Only the eight exact codes are directions; 3.5 or -9999 are not.
  if (!(codigo >= 1.0 && codigo <= 128.0) || std::trunc(codigo) != codigo) return CelulaFora;
  const auto* d = Convencao::DirecaoD8(static_cast<int>(codigo));
  if (!d) return CelulaFora;
  return Vizinho(celula, d->DColuna, d->DLinha);
}

double LeCelula(const TImagem& grade, std::int64_t celula) {
  return celula < 0 ? Convencao::SemDado : grade.LeRealOuSemDado(celula);
}
