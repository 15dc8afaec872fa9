#pragma once
// The contents of a month x year grid: what the grant window's grids show and what the table
// pictures are drawn from. Columns and rows are numbered from 1; column 1 holds the month names,
// column c >= 2 the year (first year + c - 2), row m the month m.
//
//            | 2004 | 2005 | 2006 |      <- headings, centred
//   Jan      |      |      |      |
//   ...      |      |      |      |
//   Dez      |      |      |      |

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class TApresentador;

struct TCelulaGrade {
  QString Texto;
  bool Centrada = false;
  QColor Fundo;  // invalid: the grid's own background
};

class TTabelaMeses {
 public:
  // The grid widget's fixed sizes, in pixels.
  static constexpr int LarguraColuna = 60;
  static constexpr int AlturaLinha = 13;
  static constexpr int LarguraGrade = 798;
  // Extra height below the 13 rows: the frame, and the horizontal scroll bar when the period
  // spans more than twelve years.
  static constexpr int MargemSemBarra = 6;
  static constexpr int MargemComBarra = 22;
  // The largest table picture: the grid's visible part without its scroll bar.
  static constexpr int LarguraImagemMax = 798;
  static constexpr int AlturaImagemMax = 175;

  int NumColunas() const { return Colunas_; }
  int NumLinhas() const { return Linhas_; }
  // Empties the grid (texts, alignment, colours, headings) and gives it a new size.
  void Redimensiona(int colunas, int linhas);

  QString Titulo(int coluna) const;
  void SetTitulo(int coluna, const QString& texto);
  bool TitulosCentrados() const { return TitulosCentrados_; }
  void SetTitulosCentrados(bool centrados) { TitulosCentrados_ = centrados; }

  // nullptr outside the grid.
  const TCelulaGrade* Celula(int coluna, int linha) const;
  TCelulaGrade* Celula(int coluna, int linha);
  // Writes a cell's text (ignored outside the grid).
  void SetTexto(int coluna, int linha, const QString& texto);
  // Centres every cell of a column.
  void CentraColuna(int coluna);

  // The period the grid was laid out for (invalid dates before the first layout).
  QDate Inicio() const { return Inicio_; }
  QDate Fim() const { return Fim_; }
  void SetPeriodo(const QDate& inicio, const QDate& fim);
  // The column of a year; outside the grid when the year is not in the laid-out period.
  int ColunaDoAno(int ano) const { return ano - Inicio_.year() + 2; }
  // The cell of a calendar month, or nullptr when the grid has no such cell.
  const TCelulaGrade* CelulaDoMes(int mes, int ano) const;
  TCelulaGrade* CelulaDoMes(int mes, int ano);

  // Height of the grid widget for the laid-out period.
  int Altura() const;
  // True when the period spans more than twelve years (the grid needs its scroll bar).
  bool ComBarraRolagem() const;

 private:
  int Colunas_ = 0;
  int Linhas_ = 0;
  bool TitulosCentrados_ = false;
  QStringList Titulos_;
  std::vector<TCelulaGrade> Celulas_;  // column-major: (coluna - 1) * Linhas_ + (linha - 1)
  QDate Inicio_;
  QDate Fim_;
};

// "Jan" .. "Dez".
const QStringList& NomesMeses();
// "Mar/2005": how messages name a month.
QString NomeMesAno(int mes, int ano);

// Lays a grid out for a period: one column of month names, one column per year, twelve rows.
// An end before the start (the full dates compared) shows "Verifique o período." and leaves the
// grid as it was; the answer is false then.
bool MontaGrade(TTabelaMeses& grade, const QDate& inicio, const QDate& fim,
                TApresentador& apresentador);
