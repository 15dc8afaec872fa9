#pragma once
// The reference database's tables, written once: the schema creation used by the sample-basin
// generator and the tests, and the column lists the editing windows show.
//
// Declared types are the agencies' Jet DDL names (INTEGER = 32-bit signed, DOUBLE, TEXT(n)), so
// that a database brought in from a .mdb keeps its column types; SQLite gives them integer, real
// and text affinity, Qt reports them as int, double and string, and a CHECK refuses a text longer
// than its size.

#include <QSqlDatabase>
#include <QString>
#include <vector>

enum class TTipoColunaBD { Inteiro, Real, Texto };

struct TColunaBD {
  QString Nome;
  TTipoColunaBD Tipo;
  int Tamanho = 0;  // characters, for texts; 0 otherwise
  bool Chave = false;
  // The declared SQL type ("INTEGER", "DOUBLE", "TEXT(7)").
  QString TipoSql() const;
};

struct TTabelaBD {
  QString Nome;
  std::vector<TColunaBD> Colunas;                      // in table order
  const TColunaBD* Coluna(const QString& nome) const;  // case-insensitive; nullptr if absent
};

// EQ_Tradicional, Restricoes, EstFluviometricas, EQ_Conservacao, Rios, in that order.
const std::vector<TTabelaBD>& TabelasBD();
// The table of that name (case-insensitive), or nullptr.
const TTabelaBD* TabelaBD(const QString& nome);

// Creates every table above in an open database, all or nothing (one transaction). A table that
// already exists is an error. Throws ETorveda with the database's text on failure.
void CriaEsquema(QSqlDatabase& db);
