#pragma once
// The sample basin: a complete, internally consistent data tree for a synthetic basin, so that the
// program runs out of the box, the tests exercise every subsystem on realistic data and the
// benchmarks run at full scale. It is a model basin, not a real one.
//
// Layout (fractions of the grid; the same basin at every size). Cells of 50 m in EPSG:22523,
// centred on X 365 000, Y 8 165 000 (at 5000 × 5000: X 240 000 to 490 000, Y 8 040 000 to
// 8 290 000). The basin is the perturbed ellipse around the grid's centre; the grid's corners lie
// outside it.
//
//   - Outlet: on the east edge, where "Rio Paracatu" leaves the basin. Its arc is Ho_ 698 and its
//     lower node 706. The main stem runs from the north-west (head near U 0.15, V 0.72) to J
//     (U 0.42, V 0.52) and on east to the outlet (V ~0.46).
//   - J: one cell of the main stem where four rivers meet: the upper Paracatu from the west, Rio
//     Claro from the north, Rio Preto from the south-west and Ribeirão São Pedro from the south.
//     J is the first cell of unit 312, so everything of regions 1 and 2 drains into it.
//   - Region 1 (north-west): units 111 | 112 | 113 along the upper main stem (head to 1/3, 1/3 to
//     0.62, 0.62 to J), 114 = Rio Claro; headwater creeks 101 (Córrego da Anta) and 102 (Córrego
//     do Veado) join in 111, 103 (Córrego Santa Fé) in 112, 104 (Ribeirão Bonito), 107 (Córrego
//     Lavado) and 108 (Córrego Fundo) in 113; 105 (Córrego das Pedras) and 106 (Córrego do
//     Retiro) join Rio Claro.
//   - Region 2 (south-west): Rio Preto, 211 (upper 40 %) then 213; 201 (Córrego Brejão) joins in
//     211; 202 (Córrego Canabrava) and 204 (Córrego Taboca) join 213; branches 212 (Ribeirão Santa
//     Isabel, with 203 Córrego Capão) and 214 (Ribeirão da Prata, with 205 Córrego Sucuri) join
//     213; 215 (Ribeirão São Pedro, with 206 Córrego Gameleira) reaches J.
//   - Region 3 (east): 312 = the lower main stem from J to the outlet and what drains directly to
//     it; 311 = Rio do Sono (joins at 30 % of the lower stem, with 301 Córrego Mutuca and 306
//     Córrego Barreiro); 302 (Córrego Piteiras), 303 (Ribeirão Santo Antônio), 304 (Córrego
//     Lajes), 305 (Córrego Confins) join the main stem.
//     So every list of the upstream-grant rules holds: no unit named as "downstream" of a section
//     drains into it, and the whole main stem of region 3 lies in 312.
//   - Rivers with mass-conservation equations ("Eq_Conserv"): 1 Rio Paracatu, 2 Rio Preto, 3 Rio
//     Claro, 4 Rio do Sono, 5 Ribeirão Santa Isabel, 6 Ribeirão da Prata. Every other river has
//     none (its flows come by transfer from the river it joins).
//   - Gauging stations ("EstFlu", one per arc): 42250000 main stem at 20 % of the upper stem
//     (111), 42251000 at 92 % (113, just above J), 42290000 on the lower stem at 45 %, 42395000 at
//     90 %; 42255000 Rio Claro 75 %; 42257000 Rio Preto 25 % and 42260000 at 92 %; 42259000
//     Ribeirão Santa Isabel 75 %; 42300000 Rio do Sono 80 %; 42280000 Ribeirão Santo Antônio 70 %;
//     42253000 Córrego das Pedras 60 %.
//   - Besides the drawn rivers, creeks form where enough cells drain ("Córrego Jatobá", ...): they
//     are mapped, in no unit of their own, and without equations.
//   - Municipalities: twelve, in MG, GO and DF, covering the whole grid; roads and rain gauges
//     for the map.
// The summary that GeraAmostra returns names ready-made sections (main stem, a tributary between
// two stations, a river without equations, a headwater unit, a cell off the drainage, a point
// outside the basin) with their cells, projected coordinates and degree-minute-second texts.

#include <QJsonObject>
#include <QString>
#include <cstdint>

struct TOpcoesAmostra {
  int Colunas = 400;
  int Linhas = 400;
  std::uint64_t Semente = 1;
  int Registros = 400;  // rows of the two register workbooks together
  QString NomeBase = QStringLiteral("TORVEDA");
};

// Writes the data tree into dir (created when missing): Dados/DadosSIG/Matrizes,
// Dados/DadosSIG, Dados/DadosBD, DadosSIG, Imagens/Relatórios and Ajuda/Ajuda.html. The same
// options give the same files. A folder that already holds Dados/ or DadosSIG/ is refused, so no
// data is overwritten; nothing is left half-written: the tree is built aside and moved in at the
// end. Returns the summary; throws ETorveda with the user's message on failure.
QJsonObject GeraAmostra(const QString& dir, const TOpcoesAmostra& opcoes);
