#pragma once
// What a cell's number format shows: a date, a date-time, a time of day, or a plain number. Shared
// by the .xls and .xlsx readers, so that one workbook reads the same from either. Private to
// src/data.

#include <QString>
#include <cstdint>

#include "data/FolhaXls.h"

// A custom format, read as spreadsheet programs read it: only the codes of its first section
// count, and never the characters of a quoted literal ("m³/h"), an escaped one (\h), a
// padding or fill character (_m, *d), nor a bracketed colour, condition or locale ([Red], [<0],
// [$-416]); an elapsed-time bracket ([h], [mm]) is a time code. Which of date, date-time and
// time the codes show follows the rules the program always applied; Real when none.
TTipoCelulaXls TipoDoFormato(const QString& formato);

// A built-in format (by its number): Data, DataHora or Hora for the ones that show dates and
// times, else Nula.
TTipoCelulaXls TipoDoFormatoEmbutido(std::uint16_t formato);
