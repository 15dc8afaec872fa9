#pragma once
// The two one-page reports: "Vazão disponível" (the criterion and the availability tables before
// and after the grant) and "Outorgas a montante" (the three tables of upstream granted flow).
// The page is an A4 portrait sheet laid out in millimetres from its top-left corner and drawn
// with QPainter on any paint device: a PDF file here, the printer or its preview in the windows.

#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "grants/VazaoCriterio.h"

class QPainter;
class TPonto;

enum class TTipoRelatorio { VazaoDisponivel, OutorgasMontante };

// A table picture of the page; a null image when its file could not be read.
struct TImagemRelatorio {
  QString Arquivo;
  QImage Imagem;
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
  QStringList Avisos;  // one line per warning on the criterion's flow (available flow only)
  std::vector<TImagemRelatorio> Imagens;  // in the page's order
  QString Rodape;                         // "Relatório elaborado pelo TORVEDA em dd/mm/yyyy."
};

QString TituloRelatorio(TTipoRelatorio tipo);
// The message when the grant window is closed or its criterion is incomplete.
QString MensagemCriterioIncompleto();

// Checks the section and the grant window's criterion (nullptr: no grant window), in this order,
// and fills the page. A failed check shows its message through the presenter and answers empty;
// so does a percentage that is not an integer, for the available-flow report.
std::optional<TDadosRelatorio> PreparaRelatorio(TTipoRelatorio tipo, const TPonto& ponto,
                                                const TCriterioOutorga* criterio,
                                                const QString& pastaImagens, const QDate& hoje);

// Draws the page. The painter's device origin must be the sheet's top-left corner (a full-page
// printer, a PDF writer without margins); its resolution gives the millimetre scale.
void DesenhaRelatorio(QPainter& p, const TDadosRelatorio& dados);

// Writes the page as a one-page A4 PDF, replacing the file safely. A failure shows a message and
// answers false.
bool GravaRelatorioPdf(const TDadosRelatorio& dados, const QString& arquivo);
