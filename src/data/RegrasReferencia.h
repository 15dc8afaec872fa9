#pragma once
// The rules a reference table's values must keep beyond their types, shared by the start-up's
// check of the database and by the migration of an agency's file: a station's observed or
// naturalized flows and its drainage area finite and not negative; an equation's coefficients
// finite and giving a finite, non-negative flow over its drainage-area range (from one cell's area
// when the range gives no lower bound, and at every larger area when it gives no upper bound);
// its codRestricao, when given, a row of Restricoes; its VarMinima one of the flow names. Values
// that break them would otherwise reach the windows as flows below zero or as "not a number", or
// vanish from the computations without a word.

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

struct TTabelaBD;

// One table's rows, each in the schema's column order (a null QVariant for a blank).
struct TValoresTabela {
  const TTabelaBD* Esquema = nullptr;
  const std::vector<std::vector<QVariant>>* Linhas = nullptr;
};

struct TFalhaReferencia {
  QString Tabela;
  std::size_t Linha = 0;  // index into the table's rows
  QString Coluna;
  QString Texto;  // what is wrong, without the place
};

// The flow names a VarMinima may hold: the observed ones the computations use, and the
// naturalized ones they ignore.
const QStringList& NomesVarMinima();

// The first value that breaks a rule, table by table in the schema's order and row by row;
// nothing when every value keeps them. Without a Restricoes table every codRestricao is refused.
std::optional<TFalhaReferencia> ConfereReferencia(const std::vector<TValoresTabela>& tabelas);
