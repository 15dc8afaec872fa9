#pragma once
// A query object on the reference database: a statement text that the user replaces, integer
// parameters, and record-by-record reading by column name. Opening runs the statement and reads
// every row at once (the tables are small), so the record count is known and the query can be
// walked again from the first record.

#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <utility>
#include <vector>

class TConsulta {
 public:
  // nomeConexao: the Qt SQL connection; tabela: gives the initial text "SELECT * FROM <tabela>".
  TConsulta(QString nomeConexao, const QString& tabela);

  // The Qt SQL connection it runs on, for a companion query on the same database.
  const QString& NomeConexao() const { return NomeConexao_; }
  const QString& ErroConexao() const { return ErroConexao_; }

  // The text of the error thrown when the connection is not open (why it is not).
  void DefineErroConexao(const QString& erro) { ErroConexao_ = erro; }

  // Replacing the text closes the query and forgets the parameters.
  void DefineSQL(const QString& sql);
  const QString& SQL() const { return Sql_; }
  // Parameter ":nome" (given with or without the colon), always an integer.
  void DefineParametro(const QString& nome, std::int32_t valor);

  // Runs the statement and stands on the first record. Throws ETorveda when the database is not
  // open, a parameter of the text was not set, or the database refuses the statement.
  void Abre();
  void Fecha();
  bool Ativa() const { return Ativa_; }

  int NumRegistros() const { return static_cast<int>(Linhas_.size()); }
  void Primeiro();
  void Proximo();
  bool Fim() const;                         // past the last record (also when there is none)
  int Posicao() const { return Posicao_; }  // 0-based

  // The current record's column (case-insensitive name). Throws ETorveda when the query is closed,
  // at the end, or the column does not exist (the message names it). Null reads as empty text, 0.
  QVariant Valor(const QString& coluna) const;
  bool Nulo(const QString& coluna) const;
  QString Texto(const QString& coluna) const;
  double Numero(const QString& coluna) const;
  std::int32_t Inteiro(const QString& coluna) const;  // a real is rounded
  // The columns of the result (names and types), valid while open.
  const QSqlRecord& Colunas() const { return Colunas_; }

 private:
  int IndiceColuna(const QString& coluna) const;

  QString NomeConexao_;
  QString ErroConexao_;
  QString Sql_;
  std::vector<std::pair<QString, std::int32_t>> Parametros_;
  bool Ativa_ = false;
  QSqlRecord Colunas_;
  std::vector<std::vector<QVariant>> Linhas_;
  int Posicao_ = 0;
};
