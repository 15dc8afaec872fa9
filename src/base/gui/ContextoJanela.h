#pragma once
// What every child window receives from whoever opens it (the main window, a test): the loaded
// data, the status bar and where its messages and dialogs go.

#include "base/gui/TRodape.h"

class TApresentador;
class TSistema;

struct TContextoJanela {
  TSistema& Sistema;
  TRodape& Rodape;
  TApresentador& Apresentador;
};
