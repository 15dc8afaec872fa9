#pragma once
// How the editing windows show a column's value and read back what the analyst typed, by the
// column's declared type. Numbers are shown with the regional decimal separator and no thousands
// separator, and read with it or with a point; a real is written in the shortest form that reads
// back to the very same double, so showing a value and writing it back never changes the stored
// number.
//
// A text that does not read as the column's type is kept as typed (nothing the analyst typed is
// lost) and ErroValor then refuses it with a message naming the column.

#include <QString>
#include <QVariant>

#include "data/Esquema.h"

// The text shown for a value: empty for NULL. Without a column (a column the schema does not
// know) the value's own text.
QString TextoValor(const QVariant& valor, const TColunaBD* coluna);

// The value of a typed text: NULL for an empty (or blank) number, the number when the text reads
// as one, the text itself otherwise.
QVariant ValorDoTexto(const QString& texto, const TColunaBD* coluna);

// Why the column cannot take the value; empty when it can. NULL is accepted except in the key.
// The message names the column by the caption the analyst reads (rotulo), or by its name when
// it has none. The equations' model column takes only the models the regionalization knows.
QString ErroValor(const QVariant& valor, const TColunaBD& coluna, const QString& rotulo = {});

// The equations' "Modelo" column.
bool EhColunaModelo(const TColunaBD& coluna);
