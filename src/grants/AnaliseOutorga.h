#pragma once
// The grant analysis: for every month of a period, the upstream granted flows, the allowable flow
// still free before and after the requested grant, and its colour class; the five month x year
// tables and their pictures. The grant window and `torveda-cli analise` both run it.

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "grants/ClassesCor.h"
#include "grants/TTabelaMeses.h"
#include "grants/VazaoCriterio.h"

class TApresentador;
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
                     const QString& vazao, TApresentador& apresentador);

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

// How often the criterion holds after the grant: the months of the period whose availability after
// the grant (as displayed) is not negative, and the worst month.
struct TFrequenciaCriterio {
  int Meses = 0;
  int Atendidos = 0;
  double Percentual = 0.0;  // Atendidos x 100 / Meses
  int PiorMes = 0;
  int PiorAno = 0;
  double PiorDisponivel = 0.0;  // m^3/s, as displayed
};

struct TResultadoOutorga {
  // Five when the run was complete, 0 otherwise: every input is checked before the first table is
  // made, so a failed run makes none.
  int TabelasFeitas = 0;
  bool Completo() const { return TabelasFeitas == NumTabelasOutorga; }
  std::optional<double> VazaoCriterio;  // the allowable flow, once the percentage was read
  std::array<TTabelaMeses, NumTabelasOutorga> Tabelas;
  std::vector<TMesOutorga> Meses;
  std::optional<TFrequenciaCriterio> Frequencia;
  // The picture files actually written, in table order; fewer than five when a write failed.
  std::vector<QString> Imagens;
  // What the tables were made for: the section's cell and the entries as read by "Calcular".
  std::int32_t CodTrecho = 0;
  double CoordX = 0.0;
  double CoordY = 0.0;
  TEntradasOutorga Entradas;
  // The table the result grid is left showing: the last one made, or nullptr.
  const TTabelaMeses* Exibida() const {
    return TabelasFeitas > 0 ? &Tabelas[static_cast<size_t>(TabelasFeitas - 1)] : nullptr;
  }
};

// The share of the allowable flow a used when a of it is still free, in %.
double ParcelaUsada(double permissivel, double livre);

// "Calcular": checks the section, the entries, the percentage (LePercentual), the allowable flow
// and the requested flow of every month of the period (read from the input grid), in this order;
// then makes the three upstream tables and the availability tables before and after the grant, and
// writes the five pictures into pastaImagens (none when it is empty). The first failed check is
// shown through the presenter and nothing is made or written (TabelasFeitas 0).
TResultadoOutorga CalculaOutorga(const TPonto& ponto, const TEntradasOutorga& entradas,
                                 const TTabelaMeses& entrada, const QString& pastaImagens,
                                 TApresentador& apresentador);

// The message for a percentage that is not an integer.
QString MensagemPercentualNaoInteiro(const QString& percentual);

// The percentage of the reference flow a criterion may take: a whole number from 1 to 100. More
// than the reference flow itself would paint every month as available.
inline constexpr int PercentualMinimo = 1;
inline constexpr int PercentualMaximo = 100;
// The message for a whole number outside PercentualMinimo..PercentualMaximo.
QString MensagemPercentualForaDoIntervalo(const QString& percentual);
// The percentage as typed, when it is a whole number within the limits; otherwise nothing, and
// erro (when given) gets the message that says what is expected. Every road that analyses a
// request reads it here.
std::optional<int> LePercentual(const QString& percentual, QString* erro = nullptr);

// Why the tables of r no longer answer for the section and the entries as they stand now (another
// section, changed upstream grants or reference flows, another period, criterion or requested
// flow); an empty text when they still do. Each text ends asking for a new calculation.
QString MotivoAnaliseVencida(const TResultadoOutorga& r, const TPonto& ponto,
                             const TEntradasOutorga& entradas, const TTabelaMeses& entrada);
// Only the part that depends on the section (cell, upstream grants, reference flows).
QString MotivoSecaoMudou(const TResultadoOutorga& r, const TPonto& ponto);

// "Critério atendido em 10 de 12 meses do período (83,3%); pior mês: Mar/2010, -0,35 m³/s".
QString TextoFrequencia(const TFrequenciaCriterio& f);
