#pragma once
// The warnings that go with a grant criterion: why its reference flow has no value by the chosen
// method, or that the flow's equation was evaluated outside its range of validity. One line
// each, for the availability report.

#include <QStringList>

class TPonto;
struct TCriterioOutorga;

// "Q7,10 (Tradicional): fora do intervalo de validade da equação: 12–4.500 km²". Empty when the
// reference or the method names no item.
QStringList AvisosDoCriterio(const TPonto& ponto, const TCriterioOutorga& criterio);
