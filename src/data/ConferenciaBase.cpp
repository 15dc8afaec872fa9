#include "data/ConferenciaBase.h"

#include <QSqlQuery>
#include <QStringList>

#include "data/Esquema.h"

namespace ConferenciaBase {

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
  return {};
}

}  // namespace ConferenciaBase
