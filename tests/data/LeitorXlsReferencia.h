#pragma once
// The program's earlier .xls reader, through FreeXL, kept for the tests as the reference that
// the reader of our own must match cell by cell and type by type (same interface, same rules for
// headings, column types and texts).

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "data/TTabelaPlanilha.h"

class TLeitorXlsReferencia {
 public:
  // Parses the file. Throws ETorveda naming it when it cannot be read as an .xls workbook.
  explicit TLeitorXlsReferencia(const QString& arquivo);
  ~TLeitorXlsReferencia();
  TLeitorXlsReferencia(const TLeitorXlsReferencia&) = delete;
  TLeitorXlsReferencia& operator=(const TLeitorXlsReferencia&) = delete;

  const QStringList& Folhas() const { return Folhas_; }
  // The sheet's headings, without reading its rows. Throws ETorveda for an unknown sheet.
  QStringList Titulos(const QString& folha);
  // The sheet's columns with their types and every data row.
  void Le(const QString& folha, std::vector<TTabelaPlanilha::TColuna>& colunas,
          std::vector<std::vector<QVariant>>& linhas);

  // Starts with the CFBF signature of Excel 97-2003 files.
  static bool EhXls(const QString& arquivo);

 private:
  void Seleciona(const QString& folha, unsigned* linhas, unsigned short* colunas);

  QString Arquivo_;
  const void* Handle_ = nullptr;
  QStringList Folhas_;
};
