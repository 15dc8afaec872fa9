#pragma once
// The modal print preview of a report page, from which the analyst prints it or, choosing the
// printer "Print to File (PDF)", saves it as PDF.

#include "grants/Relatorio.h"

class QWidget;

// Returns when the preview is closed: true when the page was printed (or saved as PDF) from it.
bool MostraPreviaRelatorio(const TDadosRelatorio& dados, QWidget* dono);
