#pragma once
// The system's grid widget: a table whose cells are addressed by column and row from 1, with
// column headings, centred texts, a background colour per cell, 13-pixel rows, 60-pixel columns
// and a horizontal scroll bar. It shows a TTabelaMeses; its picture is drawn from the same
// contents by the core, so a picture written here matches one written by the CLI.

#include <QImage>
#include <QTableWidget>

#include "grants/TTabelaMeses.h"

class TtsGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit TtsGrid(QWidget* parent = nullptr);

  // The contents; after changing them, Atualiza() redraws.
  TTabelaMeses& Tabela() { return Tabela_; }
  const TTabelaMeses& Tabela() const { return Tabela_; }
  void DefineTabela(const TTabelaMeses& tabela);

  // Shows the contents: size, headings, texts, alignment, colours, and the grid's height for the
  // laid-out period.
  void Atualiza();

  // The text of a cell (column, row from 1), as shown.
  QString Texto(int coluna, int linha) const;
  // The background of a cell as shown (invalid: the grid's own).
  QColor Fundo(int coluna, int linha) const;

  QImage Imagem() const;

  // Lets the analyst type into the cells of the months of the laid-out period (digits and one
  // decimal separator, a point taken for the regional one); what is typed goes into Tabela().
  void SetEditavel(bool editavel);
  bool Editavel() const { return Editavel_; }

  // Shows the contents greyed: results that no longer answer for the inputs beside them.
  void SetDesatualizada(bool desatualizada);
  bool Desatualizada() const { return Desatualizada_; }

 signals:
  // The analyst typed into a cell.
  void CelulaEditada();

 private:
  void CelulaAlterada(QTableWidgetItem* item);

  TTabelaMeses Tabela_;
  bool Editavel_ = false;
  bool Atualizando_ = false;
  bool Desatualizada_ = false;
};
