#pragma once
// Dates as the layers hold them (day counts from 30 December 1899, 0 = blank) and the calendar
// arithmetic of grant validity: whole years, whole calendar months, months counted inclusively.

#include <QDate>
#include <cstdint>
#include <utility>
#include <vector>

namespace Calendario {

// Day 0 of the layers' day counts.
inline const QDate& Origem() {
  static const QDate origem(1899, 12, 30);
  return origem;
}

// The date of a day count (the fraction, a time of day, is dropped).
QDate DataDeDias(double dias);
double DiasDeData(const QDate& data);

// d plus n calendar months; a day that the target month lacks becomes its last day
// (31 January + 1 month = 28 or 29 February).
QDate IncMes(const QDate& d, int n = 1);
// d plus n whole years, keeping day and month (29 February becomes 28 February when the target
// year is not a leap year).
QDate IncAno(const QDate& d, int n);

}  // namespace Calendario

// Number of calendar months from the month of inicio to the month of fim, both included:
// 12 x (years apart) + (months apart) + 1. Zero or negative when fim lies in an earlier month.
std::int32_t ContaMeses(const QDate& inicio, const QDate& fim);
// The same for day counts.
std::int32_t ContaMeses(double inicio, double fim);

// The calendar months of a period, first to last, as (month, year).
std::vector<std::pair<int, int>> MesesDoPeriodo(const QDate& inicio, const QDate& fim);
