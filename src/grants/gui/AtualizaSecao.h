#pragma once
// After a register import: the current section's upstream grants computed again (with the main
// window's progress bar) when the import changed the grant layers, and the open availability and
// grant windows told that the section's numbers changed.

#include <QWidget>
#include <functional>
#include <vector>

class TApresentador;
class TRodape;
class TSistema;

// Runs importa; then, if the grant layers changed, recomputes the section's upstream grants and
// calls AtualizaSecao() on every window given that is open (nullptr: none).
void ImportaEAtualizaSecao(TSistema& sistema, TRodape& rodape, TApresentador& apresentador,
                           const std::function<void()>& importa,
                           const std::function<std::vector<QWidget*>()>& janelas);

class QLabel;

// Shows texto in a one-line label, cut with an ellipsis when it is wider than the label; the whole
// text stays in the label's tooltip. Call again with the tooltip after the label is resized.
void TextoNaLinha(QLabel* rotulo, const QString& texto);
