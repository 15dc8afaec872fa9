#pragma once
// The river network as the computations walk it: the arc table of the mapped hydrography (arcs
// joined at numbered nodes, pointing downstream) and the drainage grids (mapped drainage,
// network without spurious cells, flow directions, flow accumulation). Everything here only
// reads.
//
// Every walk ends: a walk that leaves the grid, meets a cell whose direction is not one of the
// eight codes, reaches a node that no arc leaves, or goes round a loop in the data stops
// without a decision (no station, no arc, no cell).

#include <cstdint>
#include <memory>
#include <optional>

#include "hydro/TMalha.h"
#include "hydro/TPilhaLongInt.h"
#include "hydro/TTabelaArcos.h"

class TApresentador;
class TImagem;

// A grid value read as an arc identifier or a segment label: truncated toward zero; nothing when
// it is not a finite number within 32 bits.
std::optional<std::int32_t> TruncaCodigo(double valor);

class TRede {
 public:
  TRede(const TMalha& malha, const TImagem& imgHidroMapeada, const TImagem& imgHidroSemEsp,
        const TImagem& imgDirEsc, const TImagem& imgFluxoAc, const TTabelaArcos& arcos);
  // The same, keeping the arc table alive for the network's life.
  TRede(const TMalha& malha, const TImagem& imgHidroMapeada, const TImagem& imgHidroSemEsp,
        const TImagem& imgDirEsc, const TImagem& imgFluxoAc,
        std::shared_ptr<const TTabelaArcos> arcos);

  const TMalha& Malha() const { return Malha_; }
  const TTabelaArcos& Arcos() const { return Arcos_; }

  double HidroMapeada(std::int64_t c) const { return LeCelula(Mapeada_, c); }
  double HidroSemEsp(std::int64_t c) const { return LeCelula(SemEsp_, c); }
  double DirEsc(std::int64_t c) const { return LeCelula(DirEsc_, c); }
  double FluxoAc(std::int64_t c) const { return LeCelula(FluxoAc_, c); }

  // Flow accumulation x 0.05 x 0.05 km^2; 0 where the grid holds no data.
  double AreaDrenagem(std::int64_t celula) const;

  // The first of the cell itself and its east, south-east, south, south-west, west, north-west,
  // north and north-east neighbours that lies on the network; the cell itself when none does.
  std::int64_t CelulaRedeProxima(std::int64_t celula) const;

  // --- Station searches on the arc table (0: none). ---
  // Depth first above arc h (h itself is not examined); among the arcs arriving at a node, the
  // last in record order is followed first, to its upper end.
  std::int32_t EstacaoMontante(std::int32_t h) const;
  // Down from arc h to the outlet node. Fills caminho with the arcs walked, top down, ending
  // with the station's arc, and afluentes with one other arc arriving at each node passed.
  std::int32_t EstacaoJusante(std::int32_t h, TPilhaLongInt& caminho,
                              TPilhaLongInt& afluentes) const;
  // The first station above the tributaries, nearest to the section first.
  std::int32_t EstacaoEmAfluente(const TPilhaLongInt& afluentes) const;
  // The first arc of caminho that the water of arc h reaches, or 0.
  std::int32_t TrechoDeEncontro(std::int32_t h, const TPilhaLongInt& caminho) const;

  // --- Segment walks on the network grid (0: no step could be taken). ---
  // With the flow, along the cells labelled rotulo; answers the last cell but one reached.
  std::int64_t DesceSegmento(std::int64_t celula, std::int32_t rotulo) const;
  // Against the flow, taking the first draining neighbour in the order south-east, south,
  // south-west, west, north-west, north, north-east, east.
  std::int64_t SobeSegmento(std::int64_t celula, std::int32_t rotulo) const;
  // Upper and lower end of the network segment of arc h. Shows "Erro ao encontrar segmento com
  // equação." or "Erro ao encontrar segmento sem espúrio com equação." and answers 0 when the
  // arc cannot be found on the grids.
  std::int64_t CelulaTopoTrecho(std::int32_t h, TApresentador& apresentador) const;
  std::int64_t CelulaBaseTrecho(std::int32_t h, TApresentador& apresentador) const;

  // --- Grant position. ---
  // The arc of the mapped drainage that the flow path from a cell reaches (the cell's own arc
  // when it lies on one), or nothing when the path ends first.
  std::optional<std::int32_t> TrechoAlcancado(std::int64_t celula) const;
  // Whether the walk down the arcs from arc b meets arc codTrecho before the outlet. A node that
  // no arc leaves counts as meeting it; a loop in the arc table does not.
  bool ChegaAoTrecho(std::int32_t b, std::int32_t codTrecho) const;
  // The same walk, saying how it ended.
  enum class TChegada : std::uint8_t { MesmoTrecho, Encontra, NoSemSaida, Exutorio, Ciclo };
  TChegada ComoChegaAoTrecho(std::int32_t b, std::int32_t codTrecho) const;

 private:
  // The snapped network cell and its label at the arc's cell nearest (in index order) to the
  // centre of the arc's extent; nothing, with the message shown, when there is none.
  std::optional<std::pair<std::int64_t, std::int32_t>> InicioSegmento(
      std::int32_t h, TApresentador& apresentador) const;

  TMalha Malha_;
  const TImagem& Mapeada_;
  const TImagem& SemEsp_;
  const TImagem& DirEsc_;
  const TImagem& FluxoAc_;
  std::shared_ptr<const TTabelaArcos> Dono_;
  const TTabelaArcos& Arcos_;
};
