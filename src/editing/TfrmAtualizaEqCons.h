#pragma once
// The equations of the mass-conservation method (table EQ_Conservacao): model, the five
// coefficients, river key, range key, flow estimated and kind of flow in edit boxes; every
// column, the row key included, in the grid.

#include "editing/TfrmAtualizaTabela.h"

class TfrmAtualizaEqCons : public TfrmAtualizaTabela {
  Q_OBJECT
 public:
  explicit TfrmAtualizaEqCons(TContextoJanela& contexto, QWidget* parent = nullptr);
};
