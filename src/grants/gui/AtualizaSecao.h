#pragma once
// After a register import: the current section's upstream grants computed again (with the main
// window's progress bar) when the import changed the grant layers, and the open availability and
// grant windows told that the section's numbers changed.

#include <QWidget>
#include <functional>
#include <vector>

class TRodape;
class TSistema;

// Runs importa; then, if the grant layers changed, recomputes the section's upstream grants and
// calls AtualizaSecao() on every window given that is open (nullptr: none).
void ImportaEAtualizaSecao(TSistema& sistema, TRodape& rodape, const std::function<void()>& importa,
                           const std::function<std::vector<QWidget*>()>& janelas);
