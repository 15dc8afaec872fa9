#include "editing/TDelegadoCampo.h"

#include <QLineEdit>

#include "editing/ValorCampo.h"

TDelegadoCampo::TDelegadoCampo(std::vector<const TColunaBD*> colunas, QObject* pai)
    : QStyledItemDelegate(pai), Colunas_(std::move(colunas)) {}

const TColunaBD* TDelegadoCampo::Coluna(int indice) const {
  if (indice < 0 || static_cast<std::size_t>(indice) >= Colunas_.size()) return nullptr;
  return Colunas_[static_cast<std::size_t>(indice)];
}

QWidget* TDelegadoCampo::createEditor(QWidget* pai, const QStyleOptionViewItem&,
                                      const QModelIndex&) const {
  // A plain line edit for every type: a spin box would refuse what the analyst types instead of
  // letting the write explain why.
  auto* e = new QLineEdit(pai);
  e->setFrame(false);
  connect(e, &QLineEdit::textEdited, this, &TDelegadoCampo::Digitou);
  EditorAberto_ = e;
  return e;
}

void TDelegadoCampo::setEditorData(QWidget* editor, const QModelIndex& indice) const {
  auto* e = qobject_cast<QLineEdit*>(editor);
  if (!e) {
    QStyledItemDelegate::setEditorData(editor, indice);
    return;
  }
  e->setText(TextoValor(indice.data(Qt::EditRole), Coluna(indice.column())));
}

void TDelegadoCampo::setModelData(QWidget* editor, QAbstractItemModel* modelo,
                                  const QModelIndex& indice) const {
  auto* e = qobject_cast<QLineEdit*>(editor);
  if (!e) {
    QStyledItemDelegate::setModelData(editor, modelo, indice);
    return;
  }
  const TColunaBD* coluna = Coluna(indice.column());
  const QString texto = e->text();
  if (texto == TextoValor(modelo->data(indice, Qt::EditRole), coluna)) return;
  modelo->setData(indice, ValorDoTexto(texto, coluna), Qt::EditRole);
}

void TDelegadoCampo::ConfirmaEditorAberto() {
  // A closed editor is no longer known to the view, which then ignores it.
  if (EditorAberto_) emit commitData(EditorAberto_);
}

void TDelegadoCampo::Acompanha(QLineEdit* edit) {
  connect(edit, &QLineEdit::textEdited, this, &TDelegadoCampo::Digitou);
}

void TDelegadoCampo::initStyleOption(QStyleOptionViewItem* opcao, const QModelIndex& indice) const {
  QStyledItemDelegate::initStyleOption(opcao, indice);
  opcao->text = TextoValor(indice.data(Qt::EditRole), Coluna(indice.column()));
  // Numbers line up on the right, as in any table of figures.
  const TColunaBD* c = Coluna(indice.column());
  if (c && c->Tipo != TTipoColunaBD::Texto)
    opcao->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
}
