#pragma once
// Bringing the reference tables in from another file (a Jet .mdb, an .xlsx workbook) as our
// database, and writing them out as a workbook.
//
// The migration is all or nothing: every row is checked against the schema first, then the
// database is written to a temporary file in the destination's folder and renamed into place
// only when every table and row is in. The source file is only read.

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "base/Caminhos.h"
#include "data/BaseOrigem.h"

class TApresentador;

struct TResultadoMigracao {
  QString Origem;
  QString Destino;
  std::vector<std::pair<QString, int>> Linhas;  // rows per table, in the schema's order
  QStringList ColunasIgnoradas;                 // "Tabela.Coluna", as the source spells them
  QStringList TabelasIgnoradas;
};

// Fits the tables to the schema and writes them as the database `destino`. An existing
// destination is replaced only when `substituir` is set. Throws ETorveda, naming the table, row
// and column, on the first value the schema refuses, or listing every missing table and column;
// nothing is written then.
TResultadoMigracao MigraBase(const TBaseOrigem& origem, const QString& destino, bool substituir);

// Reads `origem` by its extension (.mdb/.accdb through mdbtools, .xlsx through GDAL) and
// migrates it as above.
TResultadoMigracao ImportaBase(const QString& origem, const QString& destino, bool substituir);

// Writes every table of the database file `base` as a sheet of the workbook `planilha`: headings
// are the column names, numbers stay numbers. Returns the rows per table. Throws ETorveda.
std::vector<std::pair<QString, int>> ExportaBase(const QString& base, const QString& planilha);

// The Jet database a data tree may hold in place of ours: DadosBD/<NomeBase>.mdb.
QString ArquivoBaseJet(const TCaminhos& caminhos);

// The start-up's offer: when the tree has no database but has its Jet database, asks "Importar a
// base de dados <arquivo>.mdb?" and, on Yes, migrates it, showing the outcome. Never throws.
void OfereceMigracaoBase(const TCaminhos& caminhos, TApresentador& apresentador);
