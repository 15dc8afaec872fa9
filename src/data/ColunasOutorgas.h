#pragma once
// The headings of the register sheets that the imports read, by sheet. The start-up checks them
// so that a workbook lacking one is reported when the program opens, not halfway through an
// import; the imports check them again against the file they read.

#include <QString>
#include <QStringList>

namespace ColunasOutorgas {

inline const QString FolhaSuperficial = QStringLiteral("Outorgas Água Superficial");
inline const QString FolhaInsignificante = QStringLiteral("Certidões de Uso Insignificante");
inline const QString FolhaSubterranea = QStringLiteral("Outorgas Água Subterrânea");
inline const QString FolhaAna = QStringLiteral("Outorgas ANA");

// The headings read from that sheet (empty for another sheet).
QStringList Lidas(const QString& folha);

// The headings of `lidas` that `titulos` lacks, in order.
QStringList Ausentes(const QStringList& titulos, const QStringList& lidas);

// "A folha "<folha>" do arquivo <arquivo> não tem as colunas "a", "b"."
QString MensagemAusentes(const QString& folha, const QString& arquivo, const QStringList& ausentes);

}  // namespace ColunasOutorgas
