#pragma once
// The headings of the register sheets that the imports read, by sheet. The start-up checks them
// so that a workbook lacking one is reported when the program opens, not halfway through an
// import; the imports check them again against the file they read.

#include <QString>
#include <QStringList>
#include <optional>

#include "data/TTabelaPlanilha.h"

namespace ColunasOutorgas {

inline const QString FolhaSuperficial = QStringLiteral("Outorgas Água Superficial");
inline const QString FolhaInsignificante = QStringLiteral("Certidões de Uso Insignificante");
inline const QString FolhaSubterranea = QStringLiteral("Outorgas Água Subterrânea");
inline const QString FolhaAna = QStringLiteral("Outorgas ANA");

// The headings read from that sheet (empty for another sheet).
QStringList Lidas(const QString& folha);

// The kind of a heading read from that sheet, which its cells are read as whatever their number
// formats show: a flow, a coordinate or a document number is a number, a date column a date.
// Nothing for a text column or a heading the sheet's import does not read.
std::optional<TTipoColunaPlanilha> Tipo(const QString& folha, const QString& titulo);

// The headings of `lidas` that `titulos` lacks, in order.
QStringList Ausentes(const QStringList& titulos, const QStringList& lidas);

// "A folha "<folha>" do arquivo <arquivo> não tem as colunas "a", "b"."
QString MensagemAusentes(const QString& folha, const QString& arquivo, const QStringList& ausentes);

}  // namespace ColunasOutorgas
