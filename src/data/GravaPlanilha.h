#pragma once
// Tables written out for the analyst's own files: an Excel workbook (.xlsx, one sheet per table)
// or one semicolon-separated text file per table, as spreadsheets under Portuguese (Brazil)
// settings open them. Files are written beside their final name and moved into place, so a
// failure never leaves a half-written file where the analyst expects the whole one.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

struct TTabelaExportada {
  QString Nome;     // the sheet's name (at most 31 characters, none of []:*?/\)
  QString Arquivo;  // the suffix of its own .csv file ("outorgas_consideradas")
  QStringList Cabecalhos;
  // Each cell: a double, an integer or a text; an invalid QVariant leaves the cell empty. A
  // column's type is that of its first non-empty cell.
  std::vector<std::vector<QVariant>> Linhas;
};

// One workbook, one sheet per table, in order. Throws ETorveda saying why.
void GravaPlanilhaXlsx(const QString& arquivo, const std::vector<TTabelaExportada>& tabelas);

// One table as text: fields separated by semicolons, numbers with the regional decimal separator
// and no grouping, texts quoted when they need it, UTF-8. Throws ETorveda saying why.
void GravaCsv(const QString& arquivo, const TTabelaExportada& tabela);
