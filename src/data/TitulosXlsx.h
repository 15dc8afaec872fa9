#pragma once
// The heading row of one sheet of an .xlsx workbook, read without parsing the sheet's rows: the
// start-up only checks that the register workbooks have their sheets and headings, and reading
// a whole register there would cost as much as an import. Private to src/data.

#include <QString>
#include <QStringList>

// The sheet's headings, left to right (a blank heading or one that is not a text reads
// "Field<n>", as the full reader names it). Throws ETorveda naming the file when it is not a
// readable workbook or has no such sheet.
QStringList TitulosXlsx(const QString& arquivo, const QString& folha);

// The workbook's sheet names, in order. Throws ETorveda naming the file when it is not an .xlsx
// package.
QStringList FolhasXlsx(const QString& arquivo);
