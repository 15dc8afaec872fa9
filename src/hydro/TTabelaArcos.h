#pragma once
// The arc table of the mapped hydrography held in memory, in the layer's record order, with
// indexes that answer every lookup of the network code in constant time. Each index keeps the
// FIRST record in record order that qualifies, so the answers are those of a scan from the first
// record.
//
// Arcs point downstream: water leaves an arc at its Tnode and enters the arc whose Fnode is that
// node. Several arcs may arrive at a node; where several leave one, the first is taken.

#include <QHash>
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "hydro/TPilhaLongInt.h"

struct TArco {
  std::int32_t Ho = 0;         // arc identifier, also written on the arc's cells of the grid
  std::int32_t Fnode = 0;      // node at the upstream end
  std::int32_t Tnode = 0;      // node at the downstream end
  std::int32_t EqConserv = 0;  // key of the river's mass-conservation equations, 0 when none
  QString EstFlu;              // gauging-station code on the arc, empty when none
  QString NomeRio;             // "Textuserid"
  qint64 Registro = -1;        // the record's key in the layer (TRegistros::Chave), -1 unknown
  // Bounding rectangle of the arc's line.
  double XMin = 0.0;
  double YMin = 0.0;
  double XMax = 0.0;
  double YMax = 0.0;
};

class TTabelaArcos {
 public:
  TTabelaArcos() = default;
  explicit TTabelaArcos(std::vector<TArco> arcos);

  const std::vector<TArco>& Arcos() const { return Arcos_; }
  std::size_t NumArcos() const { return Arcos_.size(); }

  // The first record whose Ho equals h, or nullptr.
  const TArco* PrimeiroPorHo(std::int32_t h) const;

  // Lookups; each answers 0 when no record qualifies.
  std::int32_t TnodePorHo(std::int32_t h) const;
  std::int32_t FnodePorHo(std::int32_t h) const;
  std::int32_t EqConservPorHo(std::int32_t h) const;
  // The arc that leaves node n.
  std::int32_t HoPorFnode(std::int32_t n) const;
  // Among the records of arc h, the station of the first one that has a station, as integer.
  std::int32_t EstFluPorHo(std::int32_t h) const;
  // The arc of the first record whose station code is s written as decimal text.
  std::int32_t HoPorEstFlu(std::int32_t s) const;

  // Pushes every arc arriving at node n, in record order.
  void EmpilhaChegadas(std::int32_t n, TPilhaLongInt& pilha) const;
  // Pushes the first arc arriving at node n other than h; nothing when there is none.
  void EmpilhaAfluente(std::int32_t h, std::int32_t n, TPilhaLongInt& pilha) const;

  // A station code read as an integer: decimal digits, or a whole real number; anything else
  // (and a code beyond 32 bits) is 0, no station.
  static std::int32_t CodigoEstacao(const QString& texto);

 private:
  std::vector<TArco> Arcos_;
  std::unordered_map<std::int32_t, std::uint32_t> PorHo_;
  std::unordered_map<std::int32_t, std::uint32_t> PorFnode_;
  std::unordered_map<std::int32_t, std::vector<std::uint32_t>> ChegadasPorTnode_;
  std::unordered_map<std::int32_t, std::int32_t> EstacaoPorHo_;
  QHash<QString, std::int32_t> HoPorEstacao_;
};
