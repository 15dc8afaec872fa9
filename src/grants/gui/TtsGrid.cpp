#include "grants/gui/TtsGrid.h"

#include <QHeaderView>

#include "grants/ImagemTabela.h"

namespace {
const QColor FundoFixo(240, 240, 240);
}

TtsGrid::TtsGrid(QWidget* parent) : QTableWidget(parent) {
  QFont fonte = font();
  fonte.setPixelSize(10);
  setFont(fonte);
  horizontalHeader()->setFont(fonte);
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(TTabelaMeses::LarguraColuna);
  verticalHeader()->setDefaultSectionSize(TTabelaMeses::AlturaLinha);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setFixedHeight(TTabelaMeses::AlturaLinha);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setWordWrap(false);
}

void TtsGrid::DefineTabela(const TTabelaMeses& tabela) {
  Tabela_ = tabela;
  Atualiza();
}

void TtsGrid::Atualiza() {
  clear();
  setColumnCount(Tabela_.NumColunas());
  setRowCount(Tabela_.NumLinhas());
  horizontalHeader()->setDefaultAlignment(Tabela_.TitulosCentrados() ? Qt::AlignCenter
                                                                     : Qt::AlignLeft);
  QStringList titulos;
  for (int c = 1; c <= Tabela_.NumColunas(); ++c) titulos.append(Tabela_.Titulo(c));
  setHorizontalHeaderLabels(titulos);
  for (int c = 1; c <= Tabela_.NumColunas(); ++c) {
    for (int l = 1; l <= Tabela_.NumLinhas(); ++l) {
      const TCelulaGrade* cel = Tabela_.Celula(c, l);
      auto* item = new QTableWidgetItem(cel->Texto);
      item->setFlags(Qt::ItemIsEnabled);
      item->setTextAlignment((cel->Centrada ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
      if (c == 1)
        item->setBackground(FundoFixo);
      else if (cel->Fundo.isValid())
        item->setBackground(cel->Fundo);
      setItem(l - 1, c - 1, item);
    }
  }
  if (Tabela_.Inicio().isValid()) setFixedHeight(Tabela_.Altura());
  viewport()->update();
}

QString TtsGrid::Texto(int coluna, int linha) const {
  const QTableWidgetItem* i = item(linha - 1, coluna - 1);
  return i ? i->text() : QString();
}

QColor TtsGrid::Fundo(int coluna, int linha) const {
  const QTableWidgetItem* i = item(linha - 1, coluna - 1);
  if (!i || coluna == 1 || i->background().style() == Qt::NoBrush) return {};
  return i->background().color();
}

QImage TtsGrid::Imagem() const { return ImagemTabela(Tabela_); }
