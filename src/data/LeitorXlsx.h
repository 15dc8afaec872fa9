#pragma once
// The rows of one sheet of an .xlsx workbook, read by our own walk of its package: cells, shared
// strings, the cell formats and the 1904 date base give the same cells the .xls reader gives, so
// that one register reads the same from either file. Private to src/data.

#include <QString>
#include <QVariant>
#include <vector>

#include "data/TTabelaPlanilha.h"

// The sheet's columns with their types and every data row (TabelaFolhaXls.h tells how). Throws
// ETorveda naming the file when it is not a readable workbook, is damaged, or has no such sheet.
void LeXlsx(const QString& arquivo, const QString& folha,
            std::vector<TTabelaPlanilha::TColuna>& colunas,
            std::vector<std::vector<QVariant>>& linhas);
