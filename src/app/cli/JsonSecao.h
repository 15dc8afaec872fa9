#pragma once
// The section object that `secao` prints and `analise` embeds: one contract, written once.

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>
#include <optional>

class TPonto;
class TMalha;

// Whether the section object lists every grant the upstream sum examined. At full scale the
// lists are thousands of entries, megabytes of text an analyst asks for only now and then.
enum class TListasOutorgas { Omitidas, Incluidas };

// Every field of the section, the three flow records, the non-zero months of the two upstream
// tables ("AAAA-MM" -> m^3/s) and the texts the computation showed; then where the flows came
// from (Origem, per method: summary, equations, stations, confluence, and per flow its reason
// and warnings) and how many grants the upstream sum counted and left out
// (NumOutorgasConsideradas, NumOutorgasDescartadas). With the lists, also the grants themselves:
// counted (OutorgasConsideradas, with months and rule) and left out (OutorgasDescartadas, with
// the reason).
QJsonObject JsonSecao(const TPonto& p, const TMalha& malha, bool dentro,
                      const QStringList& mensagens,
                      TListasOutorgas listas = TListasOutorgas::Incluidas);

// The text of JsonSecao(..., Incluidas), indented as ImprimeJson prints it, with the grant lists
// after the other members. Thousands of grants built as JSON objects and then printed cost more
// than the section's whole computation; written straight to text they cost a fraction of it.
QByteArray TextoJsonSecaoComListas(const TPonto& p, const TMalha& malha, bool dentro,
                                   const QStringList& mensagens);
