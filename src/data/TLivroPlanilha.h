#pragma once
// A register workbook opened for reading: the connection that the sheet tables are read from.
// Reads Excel 97-2003 (.xls) and Office Open XML (.xlsx) workbooks.

#include <QString>
#include <QStringList>
#include <memory>

class TLivroPlanilha {
 public:
  TLivroPlanilha();
  ~TLivroPlanilha();
  TLivroPlanilha(const TLivroPlanilha&) = delete;
  TLivroPlanilha& operator=(const TLivroPlanilha&) = delete;

  // The file that Abre() opens. Cleared when opening failed, so the workbook stays closed.
  void DefineArquivo(const QString& arquivo);
  const QString& Arquivo() const { return Arquivo_; }

  // Opens the file (closing it first). Throws ETorveda naming the file when it is missing or
  // cannot be read as a workbook.
  void Abre();
  void Fecha();
  bool Ativo() const;

  // The workbook's sheet names, as the reader sees them.
  QStringList Folhas() const;

  // The file to read for an .xls name: the name itself when it exists; otherwise the .xlsx of the
  // same name when that one exists; otherwise the name itself (whose opening then fails).
  static QString ArquivoExistente(const QString& arquivoXls);

 private:
  friend class TTabelaPlanilha;
  struct TDados;
  std::unique_ptr<TDados> D_;
  QString Arquivo_;
};
