#pragma once
// The drawing of the sample basin: its outline, its named rivers and how they join, the stretches
// that bound the drainage units, the gauging stations and the municipalities. Positions are
// fractions of the grid (U east, V north), so every grid size gets the same basin.

#include <vector>

struct TPontoUV {
  double U, V;
};

struct TTrechoUnidade {
  double Ate;  // fraction of the river (same rule as TRioProjeto::Fracao) where the stretch ends
  int Unidade;
};

struct TRioProjeto {
  const char* Nome;
  int Pai;  // index of the river it joins; -1 for the main stem
  // Where it joins its parent, along the parent's cells. For the main stem's tributaries a value
  // in [0, 1) lies above the junction J (fraction of the cells above J) and a value in [1, 2]
  // below it (1 + fraction of the cells from J to the outlet); for other parents, a fraction of
  // the parent's cells. A negative value joins at J itself.
  double Fracao;
  int Chegada;                   // D8 code of a straight last reach into the parent; 0 none
  std::vector<TPontoUV> Pontos;  // head first; the junction is added
  int Unidade;                   // drainage unit of its cells; 0: by stretches
  std::vector<TTrechoUnidade> Trechos;
  int EqConserv;
  bool Principal;
};

struct TEstacaoProjeto {
  int Codigo;
  const char* Nome;
  int Rio;
  double Fracao;  // along the river, as TRioProjeto::Fracao
};

struct TMunicipioProjeto {
  const char* Nome;
  const char* Uf;
  TPontoUV Sede;
};

// The main stem is river 0; its vertex VerticeJuncao is the junction J where regions 1 and 2
// reach it, drawn with straight neighbouring reaches so that four rivers can meet at one cell.
inline constexpr int VerticeJuncao = 6;

const std::vector<TRioProjeto>& RiosProjeto();
const std::vector<TEstacaoProjeto>& EstacoesProjeto();
const std::vector<TMunicipioProjeto>& MunicipiosProjeto();

// The basin outline: inside when the cell centre (u, v) lies within the perturbed ellipse.
bool DentroDoContorno(double u, double v, const double* harmonicos);
