#pragma once
// Degrees, minutes and seconds of a coordinate as the section shows and prints them:
// 17.25 -> 17° 15' 00". Minutes and seconds are truncated, never rounded; the degree part keeps
// only its first two characters.

#include <QString>
#include <optional>

QString TextoGMS(double graus);

// A coordinate typed as six digits DDMMSS (degrees, minutes, seconds) -> decimal degrees,
// (seconds / 60 + minutes) / 60 + degrees. Empty when the text is not six digits.
std::optional<double> GrausDeDDMMSS(const QString& texto);
