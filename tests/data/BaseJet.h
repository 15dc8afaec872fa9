#pragma once
// Jet (Access) databases for the migration's tests, written by escreve_mdb.py from a description
// (see that script), and a dump of a database's reference tables that tells types apart.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// The five reference tables in Jet types (Long, Integer, Byte, Double, Single, Text, Memo) with
// accented texts and empty cells, the station table with two extra columns (a date, a memo),
// columns out of the schema's order and case, and one extra table "Parametros".
QJsonArray TabelasJet();

// The description with the table of the same name replaced by `tabela` (or added).
QJsonArray ComTabela(QJsonArray tabelas, const QJsonObject& tabela);
// The description without the named table.
QJsonArray SemTabela(QJsonArray tabelas, const QString& nome);
// The named table of the description.
QJsonObject Tabela(const QJsonArray& tabelas, const QString& nome);

// Writes the description as a Jet 4 file; a failure of the writer fails the test.
void EscreveMdb(const QString& arquivo, const QJsonArray& tabelas);

// Every row of the five tables in key order, one string a row: "Tabela|tipo:valor|...", with
// SQLite's storage class of each value and reals in 17 digits.
QStringList ConteudoBase(const QString& arquivo);

// What the migration of TabelasJet() must give, written straight through CriaEsquema.
void CriaBaseEsperada(const QString& arquivo);
