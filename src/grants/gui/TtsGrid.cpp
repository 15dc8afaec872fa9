#include "grants/gui/TtsGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "grants/ImagemTabela.h"
#include "grants/gui/ValidadorNumero.h"

namespace {
const QColor FundoFixo(240, 240, 240);
const QColor TextoDesatualizado(150, 150, 150);

// A class colour washed out towards light grey: still told apart, plainly not current.
QColor Acinzentada(const QColor& c) {
  const int g = (qGray(c.rgb()) + 2 * 225) / 3;
  return QColor(g, g, g);
}

// Whether the cell (column, row from 1) is a month of the laid-out period.
bool DentroDoPeriodo(const TTabelaMeses& t, int coluna, int linha) {
  if (!t.Inicio().isValid()) return false;
  const QDate mes(t.Inicio().year() + coluna - 2, linha, 1);
  return mes >= QDate(t.Inicio().year(), t.Inicio().month(), 1) &&
         mes <= QDate(t.Fim().year(), t.Fim().month(), 1);
}

// The cell editor: the number box of the grant window, centred like the cell.
class TEditorNumero : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* caixa = new QLineEdit(pai);
    caixa->setObjectName(QStringLiteral("edtCelula"));
    caixa->setAlignment(Qt::AlignCenter);
    caixa->setFrame(false);
    ConfiguraCaixaNumero(caixa);
    return caixa;
  }
};

}  // namespace

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
  connect(this, &QTableWidget::itemChanged, this, &TtsGrid::CelulaAlterada);
}

void TtsGrid::SetEditavel(bool editavel) {
  Editavel_ = editavel;
  if (editavel) {
    setItemDelegate(new TEditorNumero(this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::StrongFocus);
  } else {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
  }
  Atualiza();
}

void TtsGrid::CelulaAlterada(QTableWidgetItem* item) {
  if (Atualizando_ || !item) return;
  Tabela_.SetTexto(item->column() + 1, item->row() + 1, item->text());
  emit CelulaEditada();
}

void TtsGrid::SetDesatualizada(bool desatualizada) {
  if (desatualizada == Desatualizada_) return;
  Desatualizada_ = desatualizada;
  Atualiza();
}

void TtsGrid::DefineTabela(const TTabelaMeses& tabela) {
  Tabela_ = tabela;
  Atualiza();
}

void TtsGrid::Atualiza() {
  Atualizando_ = true;
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
      if (Editavel_ && c >= 2 && DentroDoPeriodo(Tabela_, c, l))
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
      item->setTextAlignment((cel->Centrada ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
      if (c == 1)
        item->setBackground(FundoFixo);
      else if (cel->Fundo.isValid())
        item->setBackground(Desatualizada_ ? Acinzentada(cel->Fundo) : cel->Fundo);
      if (Desatualizada_ && c >= 2) item->setForeground(TextoDesatualizado);
      setItem(l - 1, c - 1, item);
    }
  }
  if (Tabela_.Inicio().isValid()) setFixedHeight(Tabela_.Altura());
  Atualizando_ = false;
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
