#pragma once
// The grant analysis: for every month of a period, the upstream granted flows, the allowable flow
// still free before and after the requested grant, and its colour class; the five month x year
// tables and their pictures. The grant window and `torveda-cli analise` both run it.

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "grants/ClassesCor.h"
#include "grants/TTabelaMeses.h"
#include "grants/VazaoCriterio.h"

class TPonto;

// What the analyst typed and chose in the grant window.
struct TEntradasOutorga {
  QDate Inicio;
  QDate Fim;
  QString VazaoSolicitada;  // edtValorOutorga, as typed
  TCriterioOutorga Criterio;
};

// The five tables, in the order they are made, and their picture files.
enum class TTabelaOutorga { Estadual, Federal, Total, Anterior, Posterior };
inline constexpr int NumTabelasOutorga = 5;
const std::array<QString, NumTabelasOutorga>& NomesImagensTabela();
QString NomeImagemTabela(TTabelaOutorga tabela);

// The message that names no section on the river network (also used by the reports).
QString MensagemSemSecao();

// The entries' checks in order; the first failure's message, or an empty text.
QString ValidaEntradas(const TEntradasOutorga& entradas);

// "Ok": lays the input grid out for the period and writes the requested flow, as typed, into the
// cell of every month of it. False (after "Verifique o período.") when the period is reversed.
bool PreencheEntrada(TTabelaMeses& entrada, const QDate& inicio, const QDate& fim,
                     const QString& vazao);

// One month of the analysis. Values not reached (a failure stopped the run before them) are
// empty.
struct TMesOutorga {
  int Mes = 0;
  int Ano = 0;
  double Estadual = 0.0;
  double Federal = 0.0;
  double Total = 0.0;
  std::optional<double> Solicitada;
  QString Anterior;  // availability before the grant, as displayed
  QString Posterior;
  std::optional<double> ParcelaAnterior;  // share of the allowable flow used, %
  std::optional<double> ParcelaPosterior;
  std::optional<TClasseCor> CorAnterior;
  std::optional<TClasseCor> CorPosterior;
};

struct TResultadoOutorga {
  // How many of the five tables were made, in order (0 when the checks failed).
  int TabelasFeitas = 0;
  bool Completo() const { return TabelasFeitas == NumTabelasOutorga; }
  std::optional<double> VazaoCriterio;  // the allowable flow, once the percentage was read
  std::array<TTabelaMeses, NumTabelasOutorga> Tabelas;
  std::vector<TMesOutorga> Meses;
  // The table the result grid is left showing: the last one made, or nullptr.
  const TTabelaMeses* Exibida() const {
    return TabelasFeitas > 0 ? &Tabelas[static_cast<size_t>(TabelasFeitas - 1)] : nullptr;
  }
};

// The share of the allowable flow a used when a of it is still free, in %.
double ParcelaUsada(double permissivel, double livre);

// "Calcular": checks the section and the entries, makes the three upstream tables, reads the
// percentage, makes the availability tables before and after the grant (the requested flow of
// each month read from the input grid), writing each table's picture into pastaImagens as it is
// made (no pictures when pastaImagens is empty). Every failure is shown through the presenter and
// ends the run; what was made by then stays made.
TResultadoOutorga CalculaOutorga(const TPonto& ponto, const TEntradasOutorga& entradas,
                                 const TTabelaMeses& entrada, const QString& pastaImagens);
