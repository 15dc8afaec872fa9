#pragma once
// A plain .xlsx workbook writer: sheets of numbers and texts under one bold heading row. Numbers
// are written in their shortest exact decimal form, so that a double read back is the same
// double (GDAL's XLSX writer keeps only 16 digits, and leaves out the headings of a sheet
// without rows). The package is zipped with GDAL's zip writer.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class TEscritorXlsx {
 public:
  // Adds a sheet. A value is a null QVariant (empty cell), an integer, a double (finite) or a
  // text; anything else is written as its text.
  void AdicionaFolha(const QString& nome, const QStringList& cabecalhos,
                     const std::vector<std::vector<QVariant>>& linhas);
  // Writes the workbook to a temporary file beside `arquivo` and renames it into place.
  // Throws ETorveda.
  void Salva(const QString& arquivo) const;

 private:
  int IndiceTexto(const QString& texto);

  QStringList Nomes_;
  std::vector<QByteArray> Folhas_;
  QStringList Textos_;
  QHash<QString, int> IndiceTextos_;
};
