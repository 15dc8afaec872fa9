#pragma once
// One sheet of a register workbook opened as a table: a heading row, then one record per row.
// Opening reads every row into memory, so the workbook need not stay open and the table can be
// walked again. Columns are found by their exact heading (accents, blanks, º and ³ included).
//
// Each column has the type that its data cells show (text, number or date); an empty cell reads
// as empty text, 0 or the zero date. Dates are day counts since 30 December 1899 (time as the
// fraction), 0 for a blank cell.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class TLivroPlanilha;

enum class TTipoColunaPlanilha { Texto, Numero, Data };

class TTabelaPlanilha {
 public:
  // folha: the sheet's name, e.g. "Outorgas ANA" (table name "'Outorgas ANA$'").
  explicit TTabelaPlanilha(QString folha);

  const QString& Folha() const { return Folha_; }
  QString NomeTabela() const;  // "'<folha>$'"

  // Reads the sheet from an open workbook. Throws ETorveda when the workbook is not open or has
  // no such sheet (the message names the sheet and the file); the table is then closed.
  void Abre(const TLivroPlanilha& livro);
  // Only finds the sheet and its headings, reading no row (NumLinhas() 0, Carregada() false):
  // what the start-up checks. Throws as Abre does.
  void AbreTitulos(const TLivroPlanilha& livro);
  // Drops the rows read, keeping the headings.
  void LiberaLinhas();
  void Fecha();
  bool Ativa() const { return Ativa_; }
  // The rows were read (Abre, Preenche), not only the headings.
  bool Carregada() const { return Ativa_ && Carregada_; }
  // The workbook file the rows were read from (empty when closed).
  const QString& Arquivo() const { return Arquivo_; }

  int NumLinhas() const { return static_cast<int>(Linhas_.size()); }
  void Primeiro();
  void Proximo();
  bool Fim() const;                       // past the last row (also when there is none)
  int Linha() const { return Posicao_; }  // 0-based data row

  QStringList Colunas() const;  // the headings, in sheet order
  bool TemColuna(const QString& coluna) const;
  TTipoColunaPlanilha TipoColuna(const QString& coluna) const;

  // The current row's cell. Each throws ETorveda when the table is closed or past its last row,
  // or when the sheet has no such heading (the message names it).
  bool Vazio(const QString& coluna) const;
  // Text of the cell: a number in general format with the regional decimal separator (a whole
  // number reads as its digits), a date in the regional short format.
  QString Texto(const QString& coluna) const;
  // Number of the cell: a date gives its day count; a text is read as a number (regional or
  // point decimal separator; blank text is 0), anything else throws naming column and row.
  double Numero(const QString& coluna) const;
  // Day count of the cell: a number is taken as a day count; a text is read as a date
  // (dd/MM/yyyy or yyyy-MM-dd, optionally with hh:mm[:ss]), anything else throws.
  double Data(const QString& coluna) const;
  // The cell as it stands: invalid for an empty cell, else QString, double or QDateTime.
  QVariant Valor(const QString& coluna) const;

  // Conversions between day counts and calendar dates.
  static double DiasDeData(const QDateTime& data);
  static QDateTime DataDeDias(double dias);

  // Fills the table directly (for callers that build tables in memory, e.g. tests). A row may
  // stop at its last cell; the cells after it are empty.
  struct TColuna {
    QString Titulo;
    TTipoColunaPlanilha Tipo;
  };
  void Preenche(const QString& arquivo, std::vector<TColuna> colunas,
                std::vector<std::vector<QVariant>> linhas);

 private:
  // A cell read as a number: blank 0, a number as stored, a date as its day count, a text through
  // the given parser, which failing names the cell and what it should have been.
  double Real(const QString& coluna, bool (*leTexto)(const QString&, double*),
              const QString& oQueEra) const;
  int IndiceColuna(const QString& coluna) const;
  const QVariant& Celula(const QString& coluna, int* indice = nullptr) const;
  QString Descricao() const;  // "'<folha>$' (<arquivo>)" for messages

  QString Folha_;
  bool Ativa_ = false;
  bool Carregada_ = false;
  QString Arquivo_;
  std::vector<TColuna> Colunas_;
  std::vector<std::vector<QVariant>> Linhas_;
  int Posicao_ = 0;
};
