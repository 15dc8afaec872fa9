#include "editing/TSelecaoLinha.h"

TSelecaoLinha::TSelecaoLinha(QAbstractItemModel* modelo, std::function<bool(int)> podeSair,
                             QObject* pai)
    : QItemSelectionModel(modelo, pai), PodeSair_(std::move(podeSair)) {}

void TSelecaoLinha::setCurrentIndex(const QModelIndex& indice,
                                    QItemSelectionModel::SelectionFlags) {
  const QModelIndex atual = currentIndex();
  if (indice.isValid() && atual.isValid() && indice.row() != atual.row() && PodeSair_ &&
      !PodeSair_(indice.row()))
    return;
  // The base class would select before moving, i.e. the row being left.
  QItemSelectionModel::setCurrentIndex(indice, QItemSelectionModel::NoUpdate);
  SelecionaAtual();
}

void TSelecaoLinha::select(const QItemSelection&, QItemSelectionModel::SelectionFlags) {
  // Whatever the view asks (a click refused above, a drag over several rows), the selection is
  // the current row, so the highlighted row is always the one the edit boxes show.
  SelecionaAtual();
}

void TSelecaoLinha::SelecionaAtual() {
  const QModelIndex atual = currentIndex();
  if (!atual.isValid() || !model() || model()->columnCount() == 0) {
    QItemSelectionModel::select(QItemSelection(), QItemSelectionModel::Clear);
    return;
  }
  const QItemSelection linha(model()->index(atual.row(), 0),
                             model()->index(atual.row(), model()->columnCount() - 1));
  QItemSelectionModel::select(linha, QItemSelectionModel::ClearAndSelect);
}
