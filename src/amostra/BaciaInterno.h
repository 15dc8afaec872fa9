#pragma once
// The steps of GeraBacia, one file each.

#include <cstddef>
#include <cstdint>

#include "amostra/Bacia.h"

class TAleatorio;

namespace bacia_interno {

// The D8 code of a step (dc columns east, dl rows south), 0 when it is not a neighbour.
int CodigoPara(int dc, int dl);
// Value noise in [0, 1): smooth, with lattice step passo, fixed by the seed.
double Ruido(std::uint64_t semente, double x, double y, double passo);
// Index along a river's cells of a fraction of the design (see TRioProjeto::Fracao).
std::size_t PosicaoFracao(const TBacia& b, int rio, double fracao, std::size_t posJuncao);

// Outline and drawn rivers: Dentro, RioCelula, Rios, the rivers' Dir, Exutorio, Juncao.
void DesenhaRios(TBacia& b, TAleatorio& rnd, std::size_t& posJuncao);
// Directions of the other cells, Ordem and Fluxo.
void Escoa(TBacia& b);
// Network, mapped drainage, arcs and nodes, the creeks' names.
void MontaRede(TBacia& b);
// Drainage units of every cell.
void MontaUnidades(TBacia& b, std::size_t posJuncao);
// Gauging stations on their arcs.
void MontaEstacoes(TBacia& b, std::size_t posJuncao);
// Municipalities on a coarser grid.
void MontaMunicipios(TBacia& b, TAleatorio& rnd);

}  // namespace bacia_interno
