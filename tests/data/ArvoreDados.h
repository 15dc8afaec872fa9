#pragma once
// A data tree for the data module's tests: the Dados/DadosBD folder inside a temporary folder,
// a reference database made by the schema function, and the register workbooks written once per
// test run by escreve_planilhas.py (.xls through xlwt, .xlsx through GDAL).

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

#include "base/Caminhos.h"
#include "comum/PastaTemporaria.h"

class TArvoreDados {
 public:
  explicit TArvoreDados(const QString& nomeBase = QStringLiteral("TORVEDA"));

  const TCaminhos& Caminhos() const { return Caminhos_; }
  QString Pasta() const { return Pasta_.Caminho(); }

  // Creates the database with every table, then runs the given statements in it.
  void CriaBase(const QStringList& comandos = {}) const;
  // Copies a fixture workbook ("aqem.xls", "ana.xlsx"...) to the given path of the tree.
  void CopiaPlanilha(const QString& fixture, const QString& destino) const;
  // The usual tree: database, aqem.xls and ana.xls under their register names.
  void CriaCompleta() const;

  // The folder holding the fixture workbooks (written at the first call).
  static QString PastaPlanilhas();

 private:
  TPastaTemporaria Pasta_;
  TCaminhos Caminhos_;
};

// Opens a database file on a connection of its own for the duration of a callback.
void ComBase(const QString& arquivo, const std::function<void(QSqlDatabase&)>& f);
