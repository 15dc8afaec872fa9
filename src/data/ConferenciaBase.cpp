#include "data/ConferenciaBase.h"

#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "data/Esquema.h"
#include "data/RegrasReferencia.h"

namespace ConferenciaBase {

namespace {

// Every row of a table, its columns in the schema's order, by key.
std::vector<std::vector<QVariant>> LeTabela(const QSqlDatabase& db, const TTabelaBD& tabela,
                                            QString& erro) {
  QStringList colunas;
  QString chave;
  for (const TColunaBD& c : tabela.Colunas) {
    colunas << QLatin1Char('"') + c.Nome + QLatin1Char('"');
    if (c.Chave) chave = c.Nome;
  }
  QSqlQuery q(db);
  q.setForwardOnly(true);
  std::vector<std::vector<QVariant>> linhas;
  if (!q.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY \"%3\"")
                  .arg(colunas.join(u','), tabela.Nome, chave))) {
    erro = QStringLiteral("a tabela %1 não pode ser lida.").arg(tabela.Nome);
    return linhas;
  }
  while (q.next()) {
    std::vector<QVariant> linha;
    for (int k = 0; k < colunas.size(); ++k) linha.push_back(q.value(k));
    linhas.push_back(std::move(linha));
  }
  return linhas;
}

// The values the computations take from the tables: flows and coefficients that give a flow
// below zero or not a number, ranges and flow names that point nowhere.
QString ConfereValores(const QSqlDatabase& db) {
  std::vector<std::vector<std::vector<QVariant>>> dados(TabelasBD().size());
  std::vector<TValoresTabela> tabelas;
  for (std::size_t i = 0; i < TabelasBD().size(); ++i) {
    QString erro;
    dados[i] = LeTabela(db, TabelasBD()[i], erro);
    if (!erro.isEmpty()) return erro;
    tabelas.push_back({&TabelasBD()[i], &dados[i]});
  }
  const auto falha = ConfereReferencia(tabelas);
  if (!falha) return {};
  const TTabelaBD& t = *TabelaBD(falha->Tabela);
  const std::size_t k = static_cast<std::size_t>(
      std::find_if(t.Colunas.begin(), t.Colunas.end(), [](const TColunaBD& c) { return c.Chave; }) -
      t.Colunas.begin());
  const auto& linha = dados[static_cast<std::size_t>(&t - TabelasBD().data())][falha->Linha];
  return QStringLiteral("tabela %1, %2 %3, coluna %4: %5.")
      .arg(t.Nome, t.Colunas[k].Nome, linha[k].toString(), falha->Coluna, falha->Texto);
}

}  // namespace

QString Confere(const QSqlDatabase& db, bool vazio) {
  if (vazio) return QStringLiteral("o arquivo está vazio.");
  for (const TTabelaBD& tabela : TabelasBD()) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
    q.addBindValue(tabela.Nome);
    if (!q.exec()) return QStringLiteral("a tabela %1 não pode ser lida.").arg(tabela.Nome);
    QStringList colunas;
    while (q.next()) colunas << q.value(0).toString();
    if (colunas.isEmpty()) return QStringLiteral("falta a tabela %1.").arg(tabela.Nome);
    for (const TColunaBD& c : tabela.Colunas)
      if (!colunas.contains(c.Nome, Qt::CaseInsensitive))
        return QStringLiteral("falta a coluna %1 na tabela %2.").arg(c.Nome, tabela.Nome);
  }
  return ConfereValores(db);
}

}  // namespace ConferenciaBase
