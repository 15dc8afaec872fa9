#pragma once
// Plugs every child window and menu command of this build into the main window.

class TfrmMain;

void InstalaJanelas(TfrmMain& frmMain);
