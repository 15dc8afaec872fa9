#pragma once
// A month x year table drawn as text and lines with QPainter, for paper and PDF: the same cells,
// texts, alignment and colours as the grant window's grid, in bands of at most twelve years.
//
//   |     | 2004 | 2005 | ... | 2015 |   <- band 1: the month column and up to 12 years
//   | Jan |      |      |     |      |
//   ...
//   |     | 2016 | ...                   <- band 2, drawn under it by the caller

#include <QFont>
#include <QPointF>

#include "grants/TTabelaMeses.h"

class QPainter;

inline constexpr int AnosPorFaixa = 12;

// How many bands the table needs (at least one).
int NumFaixasTabela(const TTabelaMeses& tabela);

// Draws band `faixa` (from 0) with its top-left corner at origem; sizes in the painter's units.
// The month column is repeated in every band.
void DesenhaFaixaTabela(QPainter& p, const QPointF& origem, double larguraColuna,
                        double alturaLinha, const TTabelaMeses& tabela, int faixa,
                        const QFont& fonte);
