#pragma once
// Conventions of the basin's data, written once. Every other file takes them from here.

#include <array>
#include <cstdint>

namespace Convencao {

// Value of a drainage-grid cell that lies off the network, compared as a real number. The grid
// header's own no-data value is not consulted.
inline constexpr double SemDado = -9999.0;

// Drainage area of a cell: flow accumulation x FatorCelula x FatorCelula km^2 (cells of 50 m).
// A fixed constant, never derived from the grid's cell size.
inline constexpr double FatorCelula = 0.05;
inline constexpr double AreaCelulaKm2 = FatorCelula * FatorCelula;

// Flow-direction (D8) codes:
//
//     32  64  128
//     16   x    1
//      8   4    2
//
// Rows grow southward, so "south" is row + 1.
struct TDirecaoD8 {
  int Codigo;
  int DColuna;
  int DLinha;
};
inline constexpr std::array<TDirecaoD8, 8> DirecoesD8{{
    {1, +1, 0},     // east
    {2, +1, +1},    // south-east
    {4, 0, +1},     // south
    {8, -1, +1},    // south-west
    {16, -1, 0},    // west
    {32, -1, -1},   // north-west
    {64, 0, -1},    // north
    {128, +1, -1},  // north-east
}};

// The D8 entry of a code, or nullptr when the code is not one of the eight.
constexpr const TDirecaoD8* DirecaoD8(int codigo) {
  for (const auto& d : DirecoesD8)
    if (d.Codigo == codigo) return &d;
  return nullptr;
}

// Outlet of the basin's arc table: every downstream walk stops at this node, and the
// grant-position walk stops at this arc.
inline constexpr std::int32_t NoExutorio = 706;
inline constexpr std::int32_t TrechoExutorio = 698;

// First and last years of the monthly tables of upstream granted flow.
inline constexpr int AnoInicial = 1980;
inline constexpr int AnoFinal = 2100;

}  // namespace Convencao
