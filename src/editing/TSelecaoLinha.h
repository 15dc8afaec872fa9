#pragma once
// The grid's current-row keeper: a move to another row goes through the window first, which
// writes the pending changes of the row being left and may refuse the move when the write fails.
// Only the current row is ever selected.

#include <QItemSelectionModel>
#include <functional>

class TSelecaoLinha : public QItemSelectionModel {
  Q_OBJECT
 public:
  // podeSair(novaLinha): true lets the move happen.
  TSelecaoLinha(QAbstractItemModel* modelo, std::function<bool(int)> podeSair,
                QObject* pai = nullptr);

  void setCurrentIndex(const QModelIndex& indice,
                       QItemSelectionModel::SelectionFlags comando) override;
  void select(const QItemSelection& selecao, QItemSelectionModel::SelectionFlags comando) override;
  using QItemSelectionModel::select;

 private:
  void SelecionaAtual();

  std::function<bool(int)> PodeSair_;
};
