#pragma once
// The three ways a number comes in as text, each read in one place: typed by a person (a window's
// field, a command-line argument), held in a register cell, or written in a field of a CSV file.
// None of them takes a thousands separator, and none gives back a value that is not finite.

#include <QString>
#include <optional>

// Whether a typed number may also use a point where the regional separator is a comma.
enum class TPontoDecimal {
  Recusado,  // the windows' fields: the regional form only, as the settings promise
  Aceito,    // command-line arguments and values pasted into the table editors, which come
             // from scripts and other programs that write "0.5"
};

// The regional form ("0,5" under Portuguese settings); with TPontoDecimal::Aceito, failing that,
// when the text holds no regional decimal separator and exactly one point, the point as the
// decimal separator. A text with both a point and a comma stays unread: which of them groups
// thousands cannot be told. Blanks around are allowed.
std::optional<double> LeNumeroDigitado(const QString& texto,
                                       TPontoDecimal ponto = TPontoDecimal::Recusado);

// A register cell written as text: the regional form, else the C form ("1,5" and "1.5" alike).
// An empty cell is no number.
std::optional<double> LeNumeroDeCelula(const QString& texto);

// A CSV field: a point or a comma as the decimal separator, whatever the regional settings.
std::optional<double> LeNumeroDeCampoCsv(const QString& texto);
