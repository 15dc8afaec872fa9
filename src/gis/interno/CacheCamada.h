#pragma once
// What a layer derives from its records and keeps until they change: the geometry in flat
// arrays for drawing and distance searches, the extent, and the point-in-polygon index.

#include <QPointF>
#include <QPolygonF>
#include <vector>

#include "gis/TCamada.h"
#include "gis/interno/DadosShape.h"

struct TFeicao {
  qint64 Chave = -1;
  TRetangulo Extensao;
  std::vector<QPolygonF> Partes;  // map units; rings of a polygon, parts of a line, points
};

// Distance from a point to a feature of that geometry (0 inside a polygon).
double DistanciaAte(const TFeicao& f, TTipoGeometria tipo, const TPontoMapa& p);
// Even-odd rule over every ring of the feature, boundary inclusive.
bool PoligonoContem(const TFeicao& f, const TPontoMapa& p);

struct TCamada::TCaches {
  // Geometry and extent, by dataset version.
  quint64 VersaoFeicoes = 0;
  std::vector<TFeicao> Feicoes;  // live records, in record order
  TRetangulo Extensao;
  void AtualizaFeicoes(const TDadosShape::TDados& d);

  // Point-in-polygon index: a prepared geometry per polygon and a uniform grid of buckets over
  // their bounding boxes (bucket lists stay in record order).
  struct TPoligono {
    qint64 Chave;
    OGREnvelope Env;
    Ogr::TPreparada Preparada;  // nullptr: tested by the even-odd rule on Feicao
    const TFeicao* Feicao;
  };
  quint64 VersaoIndice = 0;
  std::vector<TPoligono> Poligonos;
  double X0 = 0, Y0 = 0, Dx = 1, Dy = 1;
  int Nx = 0, Ny = 0;
  std::vector<std::vector<int>> Baldes;
  void AtualizaIndice(const TDadosShape::TDados& d);
  // Calls `achou(chave)` for each polygon containing the point, in record order, until it
  // answers false.
  template <typename F>
  void Contem(const TPontoMapa& p, F&& achou) const;
};

template <typename F>
void TCamada::TCaches::Contem(const TPontoMapa& p, F&& achou) const {
  if (Nx <= 0 || p.X < X0 || p.Y < Y0) return;
  const double cx = (p.X - X0) / Dx;
  const double cy = (p.Y - Y0) / Dy;
  if (!(cx <= Nx && cy <= Ny)) return;
  const int ix = std::min(static_cast<int>(cx), Nx - 1);
  const int iy = std::min(static_cast<int>(cy), Ny - 1);
  const auto& balde = Baldes[static_cast<std::size_t>(iy) * static_cast<std::size_t>(Nx) +
                             static_cast<std::size_t>(ix)];
  if (balde.empty()) return;
  OGRPoint ponto(p.X, p.Y);
  for (int i : balde) {
    const TPoligono& pol = Poligonos[static_cast<std::size_t>(i)];
    if (p.X < pol.Env.MinX || p.X > pol.Env.MaxX || p.Y < pol.Env.MinY || p.Y > pol.Env.MaxY)
      continue;
    const bool dentro = pol.Preparada ? OGRPreparedGeometryIntersects(pol.Preparada.get(),
                                                                      OGRGeometry::ToHandle(&ponto))
                                      : PoligonoContem(*pol.Feicao, p);
    if (dentro && !achou(pol.Chave)) return;
  }
}
