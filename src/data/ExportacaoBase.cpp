// The reference tables written out as a workbook, one sheet per table.
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <cmath>

#include "base/Erro.h"
#include "data/EscritaXlsx.h"
#include "data/Esquema.h"
#include "data/MigracaoBase.h"

namespace {

// The rows of a table, in key order, with their values as the database holds them.
std::vector<std::vector<QVariant>> LeTabela(QSqlDatabase& db, const TTabelaBD& t) {
  QStringList colunas;
  QString chave;
  for (const auto& c : t.Colunas) {
    colunas << QLatin1Char('"') + c.Nome + QLatin1Char('"');
    if (c.Chave) chave = colunas.back();
  }
  QSqlQuery q(db);
  q.setForwardOnly(true);
  const QString sql = QStringLiteral("SELECT %1 FROM \"%2\"%3")
                          .arg(colunas.join(u','), t.Nome,
                               chave.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + chave);
  if (!q.exec(sql))
    throw ETorveda(QStringLiteral("Erro ao ler a tabela %1: %2").arg(t.Nome, q.lastError().text()));
  std::vector<std::vector<QVariant>> linhas;
  while (q.next()) {
    std::vector<QVariant> linha;
    linha.reserve(t.Colunas.size());
    for (int k = 0; k < static_cast<int>(t.Colunas.size()); ++k) {
      QVariant v = q.value(k);
      // A workbook cell holds no infinity nor NaN: say where it is rather than write a wrong cell.
      if (v.typeId() == QMetaType::Double && !std::isfinite(v.toDouble()))
        throw ETorveda(QStringLiteral("Tabela %1, coluna %2: o valor %3 não cabe numa planilha.")
                           .arg(t.Nome, t.Colunas[static_cast<size_t>(k)].Nome, v.toString()));
      linha.push_back(std::move(v));
    }
    linhas.push_back(std::move(linha));
  }
  return linhas;
}

}  // namespace

std::vector<std::pair<QString, int>> ExportaBase(const QString& base, const QString& planilha) {
  const QFileInfo info(base);
  if (!info.isFile())
    throw ETorveda(QStringLiteral("O arquivo do banco de dados %1 não foi encontrado.").arg(base));
  if (QFileInfo(planilha).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0)
    throw ETorveda(QStringLiteral("%1: as tabelas se exportam numa pasta de trabalho .xlsx.")
                       .arg(QFileInfo(planilha).fileName()));

  TEscritorXlsx livro;
  std::vector<std::pair<QString, int>> linhas;
  const QString conexao = QStringLiteral("exportacao-") + QUuid::createUuid().toString();
  try {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conexao);
    // Read only: the database is never touched by an export.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
    db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=ro"));
    if (!db.open())
      throw ETorveda(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                         .arg(base, db.lastError().text()));
    for (const auto& t : TabelasBD()) {
      const auto dados = LeTabela(db, t);
      QStringList cabecalhos;
      for (const auto& c : t.Colunas) cabecalhos << c.Nome;
      livro.AdicionaFolha(t.Nome, cabecalhos, dados);
      linhas.emplace_back(t.Nome, static_cast<int>(dados.size()));
    }
    db.close();
  } catch (...) {
    QSqlDatabase::removeDatabase(conexao);
    throw;
  }
  QSqlDatabase::removeDatabase(conexao);
  livro.Salva(planilha);
  return linhas;
}
