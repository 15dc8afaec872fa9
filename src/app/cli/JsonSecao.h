#pragma once
// The section object that `secao` prints and `analise` embeds: one contract, written once.

#include <QJsonObject>
#include <QStringList>
#include <optional>

class TPonto;
class TMalha;

// Every field of the section, the three flow records, the non-zero months of the two upstream
// tables ("AAAA-MM" -> m^3/s) and the texts the computation showed.
QJsonObject JsonSecao(const TPonto& p, const TMalha& malha, bool dentro,
                      const QStringList& mensagens);

// A number typed on the command line, with a point or with the regional decimal comma.
std::optional<double> NumeroCli(const QString& texto);
