#pragma once
// The two reports: "Vazão disponível" (the criterion and the availability tables before and after
// the grant) and "Outorgas a montante" (the three tables of upstream granted flow). The pages
// are A4 portrait sheets laid out in millimetres from their top-left corner and drawn with
// QPainter on any paged device: a PDF file here, the printer or its preview in the windows.
// The tables are drawn from the analysis they belong to, every month of the period, in bands of
// at most twelve years; what does not fit on the first page continues on the next.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "grants/AnaliseOutorga.h"
#include "grants/MapaBaciaRelatorio.h"
#include "grants/TTabelaMeses.h"
#include "grants/VazaoCriterio.h"

class QPainter;
class TApresentador;
class TPonto;

enum class TTipoRelatorio { VazaoDisponivel, OutorgasMontante };

// A table of the page under its caption.
struct TTabelaRelatorio {
  QString Legenda;
  TTabelaMeses Tabela;
};

// Every variable text and picture of one report page.
struct TDadosRelatorio {
  TTipoRelatorio Tipo = TTipoRelatorio::VazaoDisponivel;
  QString Latitude;    // "Latitude: 17° 15' 00\""
  QString Longitude;   // "Longitude: ..."
  QString Estado;      // "Estado: ..."
  QString Rio;         // "Rio: ..."
  QString Y;           // "Y: ... metros"
  QString X;           // "X: ... metros"
  QString Municipio;   // "Município: ..."
  QString Area;        // "Área de drenagem: 1.234,57"
  QString VazaoRef;    // "Critério de outorga: 30% da Q710 = 12,3" (available flow only)
  QString MetReg;      // "Método de regionalização: ..." (available flow only)
  QString Frequencia;  // how often the criterion holds after the grant (available flow only)
  // The request the analysis answers, under the section in both reports.
  QString Periodo;          // "Período: 01/2000 a 12/2030"
  QString VazaoSolicitada;  // "Vazão solicitada: 0,05 m³/s" or "...: variável por mês"
  QString Processo;         // "Processo nº: ..." (empty when not given)
  QString Analista;         // "Analista: ..." (empty when not given)
  std::optional<TTabelaRelatorio> PedidoMensal;  // the monthly request, when it varies
  QString Secao;                          // the section in one line, heading the continuation pages
  std::vector<TTabelaRelatorio> Tabelas;  // in the page's order
  QStringList Avisos;  // one line per warning on the criterion's flow (available flow only)
  QString Rodape;      // "Relatório elaborado pelo TORVEDA em dd/mm/yyyy."
  // The section's contributing basin, drawn in the header of the available-flow report.
  std::optional<TMapaBaciaRelatorio> MapaBacia;
};

QString TituloRelatorio(TTipoRelatorio tipo);
// The message when the grant window is closed or its criterion is incomplete.
QString MensagemCriterioIncompleto();

// What the grant window holds when a report is asked for.
struct TJanelaOutorga {
  TEntradasOutorga Entradas;                     // the boxes and pickers now
  const TTabelaMeses* Entrada = nullptr;         // the input grid now
  const TResultadoOutorga* Resultado = nullptr;  // the last complete "Calcular", if any
};

// Checks, in this order, the section, the grant window's criterion (janela nullptr: no grant
// window), the percentage (available-flow report) and that the window's last analysis was made
// for this section and these entries; then fills the pages. A failed check shows its message
// through the presenter and answers empty, so nothing stale is ever shown or written.
std::optional<TDadosRelatorio> PreparaRelatorio(TTipoRelatorio tipo, const TPonto& ponto,
                                                const TJanelaOutorga* janela, const QDate& hoje,
                                                TApresentador& apresentador);

// The grant window's optional process number and analyst's name, printed when given.
void IdentificaRelatorio(TDadosRelatorio& dados, const QString& processo, const QString& analista);

// The number of pages the report takes.
int PaginasRelatorio(const TDadosRelatorio& dados);

// Draws every page, asking the device for a new page between them (QPrinter, QPdfWriter). The
// painter's device origin must be the sheet's top-left corner (a full-page printer, a PDF writer
// without margins); its resolution gives the millimetre scale.
void DesenhaRelatorio(QPainter& p, const TDadosRelatorio& dados);

// Writes the report as an A4 PDF, replacing the file safely. A failure shows a message and
// answers false.
bool GravaRelatorioPdf(const TDadosRelatorio& dados, const QString& arquivo,
                       TApresentador& apresentador);
