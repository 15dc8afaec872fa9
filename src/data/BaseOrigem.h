#pragma once
// The reference tables as read from a file that is not our database (a Jet .mdb, a workbook),
// before they are fitted to the schema: only the schema's tables and columns are read, matched by
// name without regard to case; everything else is listed by name.
//
// A value is a null QVariant (empty cell), a qint64, a double, a QString, a QDateTime or a bool,
// as the file holds it; the migration decides what fits the schema.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

struct TTabelaOrigem {
  QString Nome;                  // the schema's name of the table
  QStringList Colunas;           // the schema's columns found, by their schema name, in file order
  QStringList ColunasIgnoradas;  // the file's other columns, as the file spells them
  std::vector<std::vector<QVariant>> Linhas;  // one value per entry of Colunas
  std::vector<int> NumerosLinha;  // the number the user knows each row by (record or sheet row)
};

struct TBaseOrigem {
  QString Arquivo;
  std::vector<TTabelaOrigem> Tabelas;  // the schema's tables found, in file order
  QStringList TabelasIgnoradas;        // the file's other tables (sheets), as it spells them
};

// Reads the reference tables of a Jet (Access) database with mdbtools. The file is opened for
// reading only. Throws ETorveda when it cannot be read.
TBaseOrigem LeBaseMdb(const QString& arquivo);

// Reads the reference tables of an .xlsx workbook: one sheet per table, the column names in the
// first row. An empty sheet stands for a table without rows. Throws ETorveda when it cannot be
// read.
TBaseOrigem LeBasePlanilha(const QString& arquivo);
