#pragma once
// The bridge between the model's values and the texts of the edit boxes and grid cells: shows a
// value by its column's type, writes back only what the analyst changed, and tells the window
// that typing has started.

#include <QPointer>
#include <QStyledItemDelegate>
#include <vector>

#include "data/Esquema.h"

class QLineEdit;

class TDelegadoCampo : public QStyledItemDelegate {
  Q_OBJECT
 public:
  // colunas: the schema's column for each column of the model (nullptr where it has none).
  TDelegadoCampo(std::vector<const TColunaBD*> colunas, QObject* pai = nullptr);

  const TColunaBD* Coluna(int indice) const;

  QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao,
                        const QModelIndex& indice) const override;
  void setEditorData(QWidget* editor, const QModelIndex& indice) const override;
  // A text equal to the one the value shows leaves the model untouched, so that leaving an edit
  // box that was not changed never marks the row as changed.
  void setModelData(QWidget* editor, QAbstractItemModel* modelo,
                    const QModelIndex& indice) const override;

  // Hands the text of a grid cell still being typed to the model.
  void ConfirmaEditorAberto();
  // The edit boxes the window binds through this delegate report their typing as well.
  void Acompanha(QLineEdit* edit);

 signals:
  // The analyst typed into an edit box or a grid cell.
  void Digitou();

 protected:
  void initStyleOption(QStyleOptionViewItem* opcao, const QModelIndex& indice) const override;

 private:
  std::vector<const TColunaBD*> Colunas_;
  mutable QPointer<QWidget> EditorAberto_;
};
