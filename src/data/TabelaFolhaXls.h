#pragma once
// A workbook sheet's cells turned into a table's columns and rows, the same way for .xls and
// .xlsx files. Private to src/data.
//
// The columns come out as GDAL's spreadsheet layer gave them (the program read workbooks that way
// before, and the layers it wrote must not change): the first row holds the headings (a heading
// that is not a text becomes "Field<n>"); a column's type follows its data cells (integer and
// real give a number, any mix of date, date-time and time a date, any other mix a text); in a
// text column a number reads as its digits ("%d", "%.16g") and a date as
// "YYYY-MM-DD[ HH:MM:SS]".
//
// The register columns whose kind is known by their heading (ColunasOutorgas) are read as that
// kind whatever the cells' number formats say: a flow, a coordinate or a document number is the
// number written, never a date because its format shows a unit; a date column's numbers are
// dates. Rows past the last one with a cell under the headings are not rows (a stray cell far
// away does not make the empty rows before it rows); each row holds only up to its last cell.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "data/FolhaXls.h"
#include "data/TTabelaPlanilha.h"

QStringList TitulosDaFolha(const TFolhaXls& folha);

void TabelaDaFolha(const TFolhaXls& folha, bool base1904, const QString& nomeFolha,
                   std::vector<TTabelaPlanilha::TColuna>& colunas,
                   std::vector<std::vector<QVariant>>& linhas);
