#pragma once
// The hydrology of the model basin: the flow laws behind the reference database, and the
// equation rows fitted to them. Every equation set (a region's or a river's) gives its four flows
// with one model kind and one shape, scaled flow by flow, so Q7,10 < Q95 < Q90 < Qmld holds at
// every drainage area, also for the differences that the mass-conservation transfer takes at a
// confluence. The regions and the rivers follow different laws, a few per cent apart, and the
// stations scatter a few per cent about their region's law: the three methods give close but
// different numbers.

#include <QString>
#include <vector>

#include "amostra/Bacia.h"

// The four reference flows, in the order of the tables: Q7,10, Q90, Q95, Qmld.
inline constexpr int NumVazoes = 4;
extern const char* const VarMinimaVazao[NumVazoes];  // "Q710Ob", ...
extern const char* const TipoVazao[NumVazoes];       // "Q7,10", ...

struct TLinhaEquacao {
  QString Modelo;
  double B0 = 0, BAd = 0;
  QString VarMinima, Tipo;
};

// A region's or a river's equations: its rows in table order (a later row of the same flow
// overrides an earlier one, as the program reads them) and its range of validity.
struct TConjuntoEquacoes {
  int Chave = 0;  // region number, or the river's Eq_Conserv
  int CodRestricao = 0;
  double MenorAd = 0, MaiorAd = 0;
  std::vector<TLinhaEquacao> Linhas;
  // The flow k (0..3) as the program evaluates this set at a drainage area.
  double Vazao(int k, double ad) const;
};

struct THidrologia {
  std::vector<TConjuntoEquacoes> Regioes;  // regions 1, 2, 3
  std::vector<TConjuntoEquacoes> Rios;     // one per river with Eq_Conserv, in river order
  const TConjuntoEquacoes& Regiao(int regiao) const { return Regioes.at(regiao - 1); }
};

// The law of a region (what a gauge there measures, before its scatter), m³/s at ad km².
double VazaoDaRegiao(int k, int regiao, double ad);
// The model of the equation tables: "Lin", "Pot", "Exp", "Log" and "Rec".
double AvaliaModeloAmostra(const QString& modelo, double b0, double bAd, double ad);

THidrologia MontaHidrologia(const TBacia& b);
