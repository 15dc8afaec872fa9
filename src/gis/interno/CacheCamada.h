#pragma once
// What a layer derives from its records and keeps until they change: the geometry in flat
// arrays for drawing and distance searches, the extent, and the point-in-polygon index.

#include <QPointF>
#include <QPolygonF>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
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
  // The caches are built under Guarda the first time a version is asked for and only read after
  // that, so that threads computing sections side by side can search one loaded layer. (Changing
  // the records while another thread searches is not supported: the loaded basin is read-only
  // while sections are computed.)
  std::mutex Guarda;

  // Geometry and extent, by dataset version.
  std::atomic<quint64> VersaoFeicoes{0};
  std::vector<TFeicao> Feicoes;  // live records, in record order
  TRetangulo Extensao;
  void AtualizaFeicoes(const TDadosShape::TDados& d);

  // Point-in-polygon index: the polygons and a uniform grid of buckets over their bounding boxes
  // (bucket lists stay in record order).
  struct TPoligono {
    qint64 Chave;
    OGREnvelope Env;
    const OGRGeometry* Geometria;
    const TFeicao* Feicao;
  };
  std::atomic<quint64> VersaoIndice{0};
  std::vector<TPoligono> Poligonos;
  double X0 = 0, Y0 = 0, Dx = 1, Dy = 1;
  int Nx = 0, Ny = 0;
  std::vector<std::vector<int>> Baldes;
  void AtualizaIndice(const TDadosShape::TDados& d);

  // A prepared geometry per polygon (nullptr: tested by the even-odd rule on Feicao). GEOS
  // prepares lazily inside and each prepared geometry carries its own GEOS context, neither of
  // which may be used by two threads at once: each thread gets a set of its own, made on its
  // first search of this index.
  using TPreparadas = std::vector<Ogr::TPreparada>;
  const TPreparadas& PreparadasDaThread();
  // Tells the index builds apart, across layers, for the threads' last-used set.
  quint64 Geracao = 0;
  std::unordered_map<std::thread::id, std::unique_ptr<TPreparadas>> Preparadas;  // under Guarda

  // Calls `achou(chave)` for each polygon containing the point, in record order, until it
  // answers false.
  template <typename F>
  void Contem(const TPontoMapa& p, F&& achou);

 private:
  void AtualizaFeicoesTravado(const TDadosShape::TDados& d);
};

template <typename F>
void TCamada::TCaches::Contem(const TPontoMapa& p, F&& achou) {
  if (Nx <= 0 || p.X < X0 || p.Y < Y0) return;
  const double cx = (p.X - X0) / Dx;
  const double cy = (p.Y - Y0) / Dy;
  if (!(cx <= Nx && cy <= Ny)) return;
  const int ix = std::min(static_cast<int>(cx), Nx - 1);
  const int iy = std::min(static_cast<int>(cy), Ny - 1);
  const auto& balde = Baldes[static_cast<std::size_t>(iy) * static_cast<std::size_t>(Nx) +
                             static_cast<std::size_t>(ix)];
  if (balde.empty()) return;
  const TPreparadas& preparadas = PreparadasDaThread();
  OGRPoint ponto(p.X, p.Y);
  for (int i : balde) {
    const TPoligono& pol = Poligonos[static_cast<std::size_t>(i)];
    if (p.X < pol.Env.MinX || p.X > pol.Env.MaxX || p.Y < pol.Env.MinY || p.Y > pol.Env.MaxY)
      continue;
    OGRPreparedGeometry* preparada = preparadas[static_cast<std::size_t>(i)].get();
    const bool dentro =
        preparada ? OGRPreparedGeometryIntersects(preparada, OGRGeometry::ToHandle(&ponto))
                  : PoligonoContem(*pol.Feicao, p);
    if (dentro && !achou(pol.Chave)) return;
  }
}
