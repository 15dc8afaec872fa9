#pragma once
// The equations of the traditional method (table EQ_Tradicional): region, model, the five
// coefficients, range key, flow estimated and kind of flow in edit boxes; every column, the row
// key included, in the grid.

#include "editing/TfrmAtualizaTabela.h"

class TfrmAtualizaEqTrad : public TfrmAtualizaTabela {
  Q_OBJECT
 public:
  explicit TfrmAtualizaEqTrad(TContextoJanela& contexto, QWidget* parent = nullptr);
};
