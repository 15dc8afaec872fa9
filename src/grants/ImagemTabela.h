#pragma once
// The picture of a month x year grid as the grant window shows it: fixed heading row and month
// column, 60 x 13 pixel cells, centred texts, coloured backgrounds. The window and the CLI both
// draw it from the grid's contents, so the reports print the same picture whoever wrote it.

#include <QImage>
#include <QSize>
#include <QString>

#include "grants/TTabelaMeses.h"

// The picture's size: the grid's width (798) or, for a period too long for it, the width of every
// column; the height of the grid without its scroll bar (175).
QSize TamanhoImagemTabela(const TTabelaMeses& grade);

// The grid drawn as on screen, every column of it. The last four pixel columns and rows (the
// grid's frame) stay blank.
QImage ImagemTabela(const TTabelaMeses& grade);

// Writes the grid's picture as a Windows bitmap, replacing the file safely. A failure shows
// "Erro ao inserir na pasta Imagens" and answers false; the caller goes on.
bool SalvaImagemGrade(const TTabelaMeses& grade, const QString& caminho,
                      TApresentador& apresentador);
