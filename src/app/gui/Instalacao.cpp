#include "app/gui/Instalacao.h"

#include "app/gui/TfrmMain.h"

void InstalaJanelas(TfrmMain& frmMain) { (void)frmMain; }
