#pragma once
// The upstream granted flows of the current section computed again, after the grant layers were
// rebuilt from the registers, so that no window or report goes on with totals from before.

#include <vector>

#include "hydro/ColocaSecao.h"

class TCamada;
class TPonto;
struct TBacia;

// The versions of the grant layers the section's upstream totals are read from.
std::vector<unsigned long long> VersoesCamadasOutorgas(const TBacia& bacia);

// Zeroes both monthly tables of the section and adds up the upstream grants again, with the
// progress label and bar shown around it (through interface). Nothing is done for a section off
// the mapped drainage. Errors of the computation propagate.
void RecalculaOutorgas(TPonto& ponto, const TBacia& bacia, const TInterfaceSecao& interface = {});
