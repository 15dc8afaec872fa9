#pragma once
// What a child window may do with the main window's status bar: write a panel's text and show
// or hide the progress label and bar around a long computation.

#include <QString>

class TRodape {
 public:
  virtual ~TRodape() = default;
  // Panel 0 names the activity, panel 1 the map tool or the pointer's coordinates.
  virtual void EscreveStatus(int painel, const QString& texto) = 0;
  virtual QString Status(int painel) const = 0;
  // Shows (with the bar's minimum at 0) or hides lblBarraProgresso and prbBarraProgresso.
  virtual void MostraProgresso(bool visivel) = 0;
};
