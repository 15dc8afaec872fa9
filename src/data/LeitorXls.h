#pragma once
// Excel 97-2003 (.xls) workbooks read by our own reader of the container and its records:
// opening reads the workbook's globals only (sheet names, shared strings, formats), a sheet's
// headings cost the way to its first row, and its rows are read when asked for, at a few
// microseconds a row. Private to src/data.
//
// The sheets become tables as TabelaFolhaXls.h tells.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "data/TTabelaPlanilha.h"

class TLivroBiff;

class TLeitorXls {
 public:
  // Reads the file's globals. Throws ETorveda naming it when it cannot be read as an .xls workbook.
  explicit TLeitorXls(const QString& arquivo);
  ~TLeitorXls();
  TLeitorXls(const TLeitorXls&) = delete;
  TLeitorXls& operator=(const TLeitorXls&) = delete;

  const QStringList& Folhas() const { return Folhas_; }
  // The sheet's headings, without reading its rows. Throws ETorveda for an unknown sheet.
  QStringList Titulos(const QString& folha);
  // The sheet's columns with their types and every data row.
  void Le(const QString& folha, std::vector<TTabelaPlanilha::TColuna>& colunas,
          std::vector<std::vector<QVariant>>& linhas);

  // Starts with the CFBF signature of Excel 97-2003 files.
  static bool EhXls(const QString& arquivo);

 private:
  qsizetype Indice(const QString& folha) const;

  QString Arquivo_;
  std::unique_ptr<TLivroBiff> Livro_;
  QStringList Folhas_;
};
