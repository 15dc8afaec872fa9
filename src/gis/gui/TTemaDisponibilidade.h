#pragma once
// The theme "Disponibilidade da bacia": every arc of the network drawn in the colour of its
// availability class for one month of a balance. The class of every arc and month is worked out
// once per balance and the arcs' lines are turned into pixels once per view, so that choosing
// another month costs only the drawing.

#include <QColor>
#include <QPolygonF>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "gis/TGeometria.h"
#include "grants/BalancoRede.h"

class QPainter;
class TCamada;

// The grey of the arcs without a class.
QColor CorSemClasse();

class TTemaDisponibilidade {
 public:
  // The arcs' lines: the first record of each arc in the hydrography layer, as the arc table
  // takes it.
  void DefineLinhas(const TCamada& hidrografia);
  // The balance shown (nullptr: none); the month goes back to the first.
  void DefineBalanco(std::shared_ptr<const TBalanco> balanco);
  const TBalanco* Balanco() const { return Balanco_.get(); }

  int NumMeses() const { return Meses_; }
  int Mes() const { return Mes_; }
  // An index into the balance's months, kept within them.
  void SetMes(int indice);

  // An arc without allowable flow, or whose end could not be placed: drawn grey.
  static constexpr std::uint8_t SemClasse = 4;
  // The class of an arc in the month shown (a TClasseCor, or SemClasse).
  std::uint8_t Classe(std::int32_t trecho) const;
  // The balance of an arc, or nullptr.
  const TTrechoBalanco* DoTrecho(std::int32_t trecho) const;

  // Draws the arcs over area (pixels) with mundo mapping projected metres to pixels.
  void Desenha(QPainter& p, const QTransform& mundo, const QRectF& area);
  // The arc drawn nearest to a pixel of the last view drawn, within tolerancia pixels.
  std::optional<std::int32_t> TrechoNoPixel(const QPointF& pixel, double tolerancia) const;

 private:
  struct TLinha {
    std::int32_t Trecho = 0;
    std::vector<std::vector<TPontoMapa>> Partes;
    TRetangulo Extensao;
    int Balanco = -1;  // index into the balance's arcs
  };
  void PreparaVista(const QTransform& mundo);

  std::vector<TLinha> Linhas_;
  std::unordered_map<std::int32_t, std::size_t> PorTrecho_;
  std::shared_ptr<const TBalanco> Balanco_;
  int Meses_ = 0;
  int Mes_ = 0;
  std::vector<std::uint8_t> Classes_;  // per line, its months one after the other
  // The lines in pixels of the last view, per line, its parts, without the vertices that fall
  // within half a pixel of the last one kept.
  std::optional<QTransform> Vista_;
  std::vector<std::vector<QPolygonF>> Pixels_;
};
