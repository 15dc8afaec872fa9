#pragma once
// How often the grant criterion holds over the period: the months in which the availability
// after the grant is not negative, the worst month and the months of each colour class.

#include <array>
#include <optional>

struct TResultadoOutorga;

struct TResumoOutorga {
  int Meses = 0;      // months analysed after the grant
  int Atendidos = 0;  // months whose availability after the grant is not negative
  // Share of the period's months in which the criterion holds, %; empty without months.
  std::optional<double> PercentualAtendido() const {
    if (Meses == 0) return std::nullopt;
    return 100.0 * Atendidos / Meses;
  }
  // The smallest availability after the grant (m^3/s, as displayed) and its month.
  std::optional<double> Pior;
  int MesPior = 0;
  int AnoPior = 0;
  std::array<int, 4> MesesPorClasse{};  // by TClasseCor
};

// Summarises the table after the grant; empty (no months) when it was not made.
TResumoOutorga ResumeOutorga(const TResultadoOutorga& r);
