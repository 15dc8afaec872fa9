#pragma once
// The gauging stations' flows (table EstFluviometricas): code, drainage area and the four
// observed flows in edit boxes; every column in the grid.

#include "editing/TfrmAtualizaTabela.h"

class TfrmAtualizaVazao : public TfrmAtualizaTabela {
  Q_OBJECT
 public:
  explicit TfrmAtualizaVazao(TContextoJanela& contexto, QWidget* parent = nullptr);
};
