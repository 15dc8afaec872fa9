#pragma once
// The two report commands of the main window's "Relatórios" menu. Each checks the section and
// the grant window's criterion, fills the page and shows it in the modal print preview.

class QWidget;
class TApresentador;
class TSistema;

// janelaOutorga: the current grant analysis window, or nullptr when none is open (any other
// widget counts as none). dono: the window the preview is centred on.
void RelatorioVazaoDisponivel(TSistema& sistema, TApresentador& apresentador,
                              QWidget* janelaOutorga, QWidget* dono);
void RelatorioOutorgasMontante(TSistema& sistema, TApresentador& apresentador,
                               QWidget* janelaOutorga, QWidget* dono);
