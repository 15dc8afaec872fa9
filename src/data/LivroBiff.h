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

enum class TTipoCelulaXls : std::uint8_t { Nula, Inteiro, Real, Texto, Data, DataHora, Hora };

struct TCelulaXls {
  TTipoCelulaXls Tipo = TTipoCelulaXls::Nula;
  std::uint32_t Texto = 0;  // index into TFolhaXls::Textos
  double Valor = 0;         // the number, or the day count of a date
};

struct TFolhaXls {
  unsigned Linhas = 0;
  unsigned Colunas = 0;
  // One vector per row, empty for a row without cells, else `Colunas` long.
  std::vector<std::vector<TCelulaXls>> Celulas;
  std::vector<QString> Textos;

  const TCelulaXls* Celula(unsigned linha, unsigned coluna) const {
    if (linha >= Celulas.size() || coluna >= Celulas[linha].size()) return nullptr;
    return &Celulas[linha][coluna];
  }
};

class TLivroBiff {
 public:
  // Reads the globals. Throws ETorveda naming `arquivo` when the stream cannot be read.
  TLivroBiff(QByteArray fluxo, QString arquivo);

  const QStringList& Folhas() const { return Folhas_; }
  bool Base1904() const { return Base1904_; }
  // The sheet's cells; with `soPrimeiraLinha` the reading stops where the second row begins, so
  // that the headings cost no more than the way to them.
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
