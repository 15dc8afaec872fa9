#pragma once
// The downstream check of a request: water taken at the section is also missing at every section
// below it. With the requested flow taken at the section, every arc end on the path from the
// section to the outlet is checked, every month of the period, under the same criterion: its
// availability after the grant is what the grant analysis gives for a section placed at that
// cell with the same request.

#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

#include "grants/BalancoRede.h"

class TApresentador;
class TPonto;
class TRede;
struct TBacia;
struct TResultadoOutorga;

struct TTrechoJusante {
  TFimTrecho Fim;
  QString Rio;
  double DistanciaKm = 0.0;  // along the flow path from the section to the arc's end
  double VazaoCriterio = 0.0;
  // The month with the least availability after the grant (the first of equals) and that
  // availability as displayed; the criterion holds when no month is negative.
  int PiorMes = 0;
  int PiorAno = 0;
  double PiorDisponivel = 0.0;
  bool Atende = true;
};

struct TVerificacaoJusante {
  std::vector<TTrechoJusante> Trechos;       // from the section's own arc down to the outlet
  std::optional<std::size_t> PrimeiraFalha;  // index into Trechos
  // Arcs below the section whose end could not be placed (no cell, outside the basin).
  std::vector<std::int32_t> NaoVerificados;
};

// "Jusante: critério atendido em todos os trechos até o exutório", or the first failing reach:
// "Jusante: critério não atendido no trecho 412 (Rio Paracatu), a 12,4 km da seção; pior mês:
// Set/2015, -0,35 m³/s".
QString TextoJusante(const TVerificacaoJusante& v);

// Checks the arcs below a section placed and analysed: r is its complete analysis, whose months,
// requested flows and criterion are taken. The section's own placement is not changed. Errors of
// the data propagate as ETorveda.
TVerificacaoJusante VerificaJusante(const TBacia& bacia, const TRede& rede,
                                    const TRedeBalanco& dados, const TPonto& secao,
                                    const TResultadoOutorga& r, TApresentador& apresentador);

// The check as JSON: "Texto", "Trechos" (each arc checked: Trecho, Rio, Celula, X, Y,
// DistanciaKm, VazaoCriterio, PiorMes "AAAA-MM", PiorDisponivel, Atende), "PrimeiraFalha" (the
// first failing arc, null when none) and "NaoVerificados".
QJsonObject JsonJusante(const TVerificacaoJusante& v);
