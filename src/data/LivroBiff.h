#pragma once
// The records of an Excel 97-2003 workbook stream (BIFF8, and the Excel 5.0/95 BIFF5 before it,
// whose texts are bytes in the workbook's code page): the workbook globals (sheet names, shared
// strings, number formats, the 1904 date base) read once, then any sheet's cells on request. Cells
// come out typed as the program always read them: integers where the file stores an integer in its
// compact form (and logical values as 0/1), reals for the other numbers, date, date-time or time
// where the cell's number format shows one. Private to src/data.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "data/FolhaXls.h"

class TLivroBiff {
 public:
  // Reads the globals. Throws ETorveda naming `arquivo` when the stream cannot be read.
  TLivroBiff(QByteArray fluxo, QString arquivo);

  const QStringList& Folhas() const { return Folhas_; }
  bool Base1904() const { return Base1904_; }
  // The sheet's cells, every cell record present whatever extent the sheet declares; with
  // `soPrimeiraLinha` the reading stops where the second row begins, so that the headings cost no
  // more than the way to them.
  TFolhaXls LeFolha(qsizetype indice, bool soPrimeiraLinha) const;

 private:
  [[noreturn]] void Falha(const QString& motivo) const;
  void LeGlobais();
  TTipoCelulaXls TipoDoNumero(std::uint16_t xf) const;

  QByteArray Fluxo_;
  QString Arquivo_;
  QStringList Folhas_;
  std::vector<std::uint32_t> Inicios_;
  std::vector<QString> Sst_;
  // Per cell format: whether its numbers show as a date, a date-time or a time (else Real).
  std::vector<TTipoCelulaXls> TipoDoXf_;
  bool Base1904_ = false;
  bool Biff5_ = false;
  std::uint16_t Pagina_ = 1252;
};
