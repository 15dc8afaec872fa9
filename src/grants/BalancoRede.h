#pragma once
// The balance of every reach: for every arc of the network, at its downstream end (the cell a
// section placed there would take), month by month over a period, the allowable flow of the
// criterion, the state and federal flows granted upstream, and the availability with its colour
// class. Every figure is the one the grant analysis gives for a section placed at that cell
// with a request of 0: the same placement, the same regionalization, the same upstream rules and
// the same rounding, only the grants are carried down the network once instead of being looked
// for again at every arc.

#include <QDate>
#include <QString>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "grants/ClassesCor.h"
#include "grants/VazaoCriterio.h"
#include "hydro/FinsTrechos.h"
#include "hydro/OutorgasRede.h"
#include "hydro/TVazoes.h"

class TApresentador;
class TPonto;
class TRede;
struct TBacia;

// What the balance and the downstream checks read from the network, read once per loaded basin
// (the grids and the grant layers do not change while it is used).
// A section placed at an arc's end with one method's regionalization: what the rules, the
// allowable flow and the tables read of it.
struct TSecaoTrecho {
  bool Colocada = false;  // false: the end lies outside the basin outline or off the drainage
  QString Rio;
  std::int32_t Trecho = 0;
  std::int32_t Regiao = 0;
  std::int32_t IdAdRegiao = 0;
  double AreaDrenagem = 0.0;
  TVazoes Vazoes;  // the method's flows
};

class TRedeBalanco {
 public:
  TRedeBalanco(const TBacia& bacia, const TRede& rede);
  TRedeBalanco(const TRedeBalanco&) = delete;
  TRedeBalanco& operator=(const TRedeBalanco&) = delete;

  TFinsTrechos Fins;
  TOutorgasRede Outorgas;

  // The section placed at an arc's end (ColocaParaBalanco) with a method's flows, kept per arc
  // and method: the regionalization of an arc does not change while the basin stays loaded.
  // Safe to call from several threads. The placement's notices go to the presenter of the call
  // that placed it.
  std::shared_ptr<const TSecaoTrecho> Secao(const TBacia& bacia, const TRede& rede,
                                            const TFimTrecho& fim, const QString& metodo,
                                            TApresentador& apresentador) const;

  // The upstream sums of the section placed at an arc's end (secao, placed there) over a
  // period. The sums of a month do not depend on the period, and the checks of a batch go down
  // the same main stem again and again: an arc met a second time has every month of the tables
  // summed once and kept, up to a bound, for the next check of any period. Safe to call from
  // several threads.
  TSomasMensais Somas(const TPonto& secao, const TFimTrecho& fim, const TRede& rede,
                      std::int32_t primeiroMes, int meses) const;

 private:
  mutable std::mutex Guarda_;
  mutable std::map<std::int32_t, std::shared_ptr<const TSomasMensais>> Guardadas_;
  mutable std::size_t Valores_ = 0;
  mutable std::map<std::pair<std::int32_t, QString>, std::shared_ptr<const TSecaoTrecho>> Secoes_;
};

// A working section holding what s keeps: its arc, region, drainage unit and river for the
// upstream rules, the method's flows for the allowable flow.
void PreencheSecao(TPonto& ponto, const TSecaoTrecho& s, const QString& metodo);

// The availability of one month as the grant tables show it: the free flow written with the
// places of its column (the same for every month of the period), read back, the share of the
// allowable flow used and its class.
struct TDisponibilidadeMes {
  QString Texto;
  double Valor = 0.0;
  double Parcela = 0.0;
  TClasseCor Classe = TClasseCor::Verde;
};
// permissivel: the allowable flow (not 0); livre: what is left of it, unrounded; casas: the
// column's places (CasasDaColuna over the period).
TDisponibilidadeMes DisponibilidadeMes(double permissivel, double livre, int casas);

struct TMesBalanco {
  int Mes = 0;
  int Ano = 0;
  double Estadual = 0.0;
  double Federal = 0.0;
  // Empty when the arc has no allowable flow (the analysis refuses such a section).
  std::optional<TDisponibilidadeMes> Disponivel;
};

struct TTrechoBalanco {
  TFimTrecho Fim;
  QString Rio;
  double AreaDrenagem = 0.0;
  double VazaoCriterio = 0.0;  // the allowable flow, m^3/s
  std::vector<TMesBalanco> Meses;
};

struct TBalanco {
  QDate Inicio;  // first and last month of the period
  QDate Fim;
  TCriterioOutorga Criterio;
  std::vector<TTrechoBalanco> Trechos;  // in the arc table's record order
  std::vector<std::int32_t> SemCelula;  // arcs of the table with no cell on the grid
  // Arcs whose end lies outside the basin outline or off the mapped drainage, where no section
  // can be placed.
  std::vector<std::int32_t> NaoColocados;
};

// Places a working section at a point as the location window does (without the "Ponto" layer or
// any question) and runs the regionalization the criterion names. False, with nothing computed,
// when the point lies outside the basin outline or off the mapped drainage.
bool ColocaParaBalanco(TPonto& ponto, const TBacia& bacia, const TRede& rede, const TPontoMapa& p,
                       const QString& metodo, TApresentador& apresentador);

// The balance over the months from inicio to fim. The percentage must be an integer and the
// period in order; otherwise the presenter is told why and the answer is empty. Errors of the
// data (a layer without a field, a database that fails) propagate as ETorveda.
std::optional<TBalanco> CalculaBalanco(const TBacia& bacia, const TRede& rede,
                                       const TRedeBalanco& dados, const QDate& inicio,
                                       const QDate& fim, const TCriterioOutorga& criterio,
                                       TApresentador& apresentador);
