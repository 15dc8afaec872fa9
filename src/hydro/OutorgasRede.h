#pragma once
// The surface grants of the whole network, read once, and for every arc the grants whose water
// reaches it by the arc walk of the upstream sum, carried down the network once from the
// headwaters to the outlet. A section placed at an arc's end then sums, month by month, exactly
// the grants its own upstream sum would count, in the same order, without scanning the layers
// again.

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "gis/TGeometria.h"

class TPonto;
class TRede;
struct TBacia;

struct TOutorgaRede {
  bool Federal = false;
  std::int32_t Unidade = 0;  // "ID" of the drainage unit holding the point
  // The arc its water reaches on the mapped drainage; none when its flow path ends first (it
  // then counts only where the region rules count it without the network).
  bool NaRede = false;
  std::int32_t Trecho = 0;
  // Months it adds to the tables: from PrimeiroMes (year * 12 + month - 1), NumMeses of them.
  std::int32_t PrimeiroMes = 0;
  std::int32_t NumMeses = 0;
  std::array<double, 12> Vazao{};  // m^3/s by calendar month
};

// The monthly sums at one section over a period, m^3/s.
struct TSomasMensais {
  std::vector<double> Estadual;
  std::vector<double> Federal;
};

class TOutorgasRede {
 public:
  TOutorgasRede() = default;
  // Reads the significant, insignificant and federal layers, in the order the upstream sum scans
  // them, keeping the grants that lie in a drainage unit and add at least one month to the
  // tables, and carries them down the arc table. Throws ETorveda when a layer lacks a field.
  TOutorgasRede(const TBacia& bacia, const TRede& rede);

  const std::vector<TOutorgaRede>& Outorgas() const { return Outorgas_; }
  // The grants (indexes into Outorgas(), ascending) whose arc walk meets arc h, h itself included.
  const std::vector<std::int32_t>& ChegamAo(std::int32_t h) const;
  // Grants whose arc walk stops at a node that no arc leaves: upstream of every section.
  const std::vector<std::int32_t>& SemSaida() const { return SemSaida_; }

  // The state and federal flows granted upstream of a section, for the months from primeiroMes
  // (year * 12 + month - 1), meses of them. The section holds the placement of a point on arc
  // secao.CodTrecho(): its region, drainage unit and river decide, by the same rules as its own
  // upstream sum, which units count; `ponto` is that point.
  TSomasMensais Soma(const TPonto& secao, const TPontoMapa& ponto, const TRede& rede,
                     std::int32_t primeiroMes, int meses) const;

 private:
  void Carrega(const TRede& rede);

  std::vector<TOutorgaRede> Outorgas_;
  std::vector<std::int32_t> Unidades_;        // the distinct units of the grants, ascending
  std::vector<std::uint16_t> IndiceUnidade_;  // per grant, its unit's place in Unidades_
  std::unordered_map<std::int32_t, std::vector<std::int32_t>> Chegam_;
  std::vector<std::int32_t> SemSaida_;
};

// The arcs below arc h by the walk of the upstream sum (h first): the arcs at whose sections a
// grant whose water reaches h counts, when the walk does not stop at a node that no arc leaves.
std::vector<std::int32_t> TrechosAbaixo(const TRede& rede, std::int32_t h);
