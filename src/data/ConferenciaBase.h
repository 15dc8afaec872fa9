#pragma once
// The reference database's shape, checked once when it opens: SQLite opens an empty file, or one
// from another program, without complaint, and a missing table or column would only show as a
// failed computation much later.

#include <QSqlDatabase>
#include <QString>

namespace ConferenciaBase {

// What is missing from the open database (each of the five tables with every column the program
// reads), or the first value that breaks the reference rules (RegrasReferencia.h), named by
// table, key and column; an empty text when sound. `vazio` says the file had no bytes at all.
QString Confere(const QSqlDatabase& db, bool vazio);

}  // namespace ConferenciaBase
