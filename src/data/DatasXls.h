#pragma once
// Day counts of Excel 97-2003 cells turned into calendar dates the way the program always read
// them (its layers hold those dates): day 1 is 1900-01-01 (1904-01-02 in workbooks counted from
// 1904), every year divisible by 4 has a 29 February (so 1900-02-29 exists, as in the
// spreadsheet itself), a count below 1 gives the first day, and the fraction of a day is rounded
// to the nearest second. Private to src/data.

#include <QString>
#include <optional>

struct TDataHoraXls {
  int Ano = 0, Mes = 0, Dia = 0;
  int Hora = 0, Minuto = 0, Segundo = 0;
};

// Nothing when the count does not fit a day number (a damaged or absurd cell).
std::optional<TDataHoraXls> DataHoraXls(double serial, bool base1904);

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" and "HH:MM:SS".
QString TextoData(const TDataHoraXls& d);
QString TextoDataHora(const TDataHoraXls& d);
QString TextoHora(const TDataHoraXls& d);
