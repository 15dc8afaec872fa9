#pragma once
// The synthetic basin in memory: the grids and the river network that every file of the sample is
// written from. Built by GeraBacia (Bacia.cpp); see Amostra.h for the layout.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// A river of the design, rasterized: its cells from the head down. The last cell flows into a
// cell of the parent river (or, for the main stem, out of the basin at the outlet).
struct TRio {
  QString Nome;
  int Pai = -1;                       // index of the river it joins; -1 for the main stem
  std::vector<std::int32_t> Celulas;  // head first
  int EqConserv = 0;                  // code of its mass-conservation equations; 0 none
  bool Principal = false;             // drawn in Hidrografia_Principais
  bool Projetado = true;              // false for the mapped creeks that emerge from the terrain
};

// An arc of the mapped drainage ("Hidrografia"): one segment of the network between two
// confluences, on a mapped river.
struct TTrecho {
  std::int32_t Ho = 0;
  std::int32_t Fnode = 0;
  std::int32_t Tnode = 0;
  std::int32_t Rotulo = 0;            // its label in hidro_sem_esp
  std::vector<std::int32_t> Celulas;  // upstream first
  int Rio = -1;                       // index in TBacia::Rios
  std::int32_t EstFlu = 0;            // station on the arc; 0 none
  int Unidade = 0;                    // drainage unit of its first cell
  int Ordem = 0;                      // Strahler order in the mapped network
};

struct TEstacaoFlu {
  std::int32_t Codigo = 0;
  QString Nome;
  std::int32_t Celula = 0;
  int Rio = -1;
  std::int32_t Ho = 0;
  double AreaKm2 = 0;
};

struct TMunicipio {
  QString Nome;
  QString Uf;
  double U = 0, V = 0;  // seat, in fractions of the grid (east, north)
};

struct TBacia {
  int NC = 0, NR = 0;
  double Xll = 0, Yll = 0;
  double Tam = 50.0;
  std::uint64_t Semente = 0;

  // One entry per cell, row-major from the top-left cell.
  std::vector<std::uint8_t> Dentro;     // 1 inside the basin
  std::vector<std::uint8_t> Dir;        // D8 code; 0 outside the basin
  std::vector<std::int32_t> Fluxo;      // cells upstream (flow accumulation); -1 outside
  std::vector<std::int32_t> Rede;       // label of the network segment; 0 off the network
  std::vector<std::int32_t> Mapeada;    // Ho_ of the arc; 0 off the mapped drainage
  std::vector<std::int16_t> Unidade;    // drainage unit ("ID" of Ad_Regioes); 0 outside
  std::vector<std::int16_t> RioCelula;  // designed river at the cell; -1 none
  std::vector<std::int32_t> Ordem;  // the basin's cells, every cell before the cell it flows into

  std::int32_t Exutorio = 0;  // the outlet cell
  std::int32_t Juncao = 0;    // where regions 1 and 2 meet the main stem: first cell of unit 312
  std::int32_t LimiarRede = 0;
  std::int32_t LimiarMapeada = 0;

  std::vector<TRio> Rios;
  std::vector<TTrecho> Trechos;  // record order of "Hidrografia"
  std::vector<TEstacaoFlu> Estacoes;
  std::vector<TMunicipio> Municipios;
  // The municipality of each cell of a coarser grid (FatorMun cells a side), covering the grid.
  int FatorMun = 1, NCMun = 0, NRMun = 0;
  std::vector<std::uint8_t> Municipio;

  // Index step of each D8 code (0 for anything else).
  std::array<std::int32_t, 129> Desloc{};
  // The cell a basin cell drains into. Only for cells of the basin, whose directions always
  // point inside the grid (the outlet's points to a cell outside the basin).
  std::int32_t Abaixo(std::int32_t c) const { return c + Desloc[Dir[c]]; }

  std::int64_t Celulas() const { return static_cast<std::int64_t>(NC) * NR; }
  int Coluna(std::int64_t c) const { return static_cast<int>(c % NC); }
  int Linha(std::int64_t c) const { return static_cast<int>(c / NC); }
  std::int32_t Indice(int coluna, int linha) const { return linha * NC + coluna; }
  bool NaGrade(int coluna, int linha) const {
    return coluna >= 0 && linha >= 0 && coluna < NC && linha < NR;
  }
  // Centre of a cell, in metres of EPSG:22523.
  double X(std::int64_t c) const { return Xll + (Coluna(c) + 0.5) * Tam; }
  double Y(std::int64_t c) const { return Yll + (NR - Linha(c) - 0.5) * Tam; }
  // The cell a D8 code points to, or -1 when it leaves the grid or the code is not one of eight.
  std::int64_t Jusante(std::int64_t c) const;
  // The cell of a map point, or -1 outside the grid.
  std::int64_t CelulaDe(double x, double y) const;
  // The municipality index of a map point (the grid is covered; -1 outside it).
  int MunicipioDe(double x, double y) const;
  const TTrecho* TrechoPorHo(std::int32_t ho) const;
};

struct TParametrosBacia {
  int Colunas = 400;
  int Linhas = 400;
  std::uint64_t Semente = 1;
};

// Builds the whole basin: design, terrain, flow, network, arcs, units, stations, municipalities.
// Throws ETorveda on parameters that cannot hold the design.
TBacia GeraBacia(const TParametrosBacia& p);
