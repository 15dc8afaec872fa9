#include "data/Esquema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "base/Erro.h"

namespace {

TColunaBD Chave(const char* nome) {
  return {QString::fromUtf8(nome), TTipoColunaBD::Inteiro, 0, true};
}
TColunaBD Inteiro(const char* nome) { return {QString::fromUtf8(nome), TTipoColunaBD::Inteiro}; }
TColunaBD Real(const char* nome) { return {QString::fromUtf8(nome), TTipoColunaBD::Real}; }
TColunaBD Texto(const char* nome, int tamanho) {
  return {QString::fromUtf8(nome), TTipoColunaBD::Texto, tamanho};
}

std::vector<TTabelaBD> MontaTabelas() {
  return {
      {QStringLiteral("EQ_Tradicional"),
       {Chave("codEQQuintaro"), Inteiro("Regiao"), Texto("Modelo", 3), Real("B0"), Real("BAd"),
        Real("BL"), Real("BDd"), Real("BPm"), Inteiro("codRestricao"), Texto("VarMinima", 7),
        Texto("TipoVazao", 9)}},
      {QStringLiteral("Restricoes"), {Chave("codRestricao"), Real("MenorAd"), Real("MaiorAd")}},
      {QStringLiteral("EstFluviometricas"),
       {Chave("CodEstFlu"), Inteiro("PosicaoMDE"), Inteiro("Ad"), Real("Latitude"),
        Real("Longitude"), Real("Q710Ob"), Real("Q90Ob"), Real("Q95Ob"), Real("QmldOb"),
        Real("Q710Nat"), Real("Q90Nat"), Real("Q95Nat"), Real("QmldNat")}},
      {QStringLiteral("EQ_Conservacao"),
       {Chave("codEQPelmar"), Texto("Modelo", 3), Real("B0"), Real("BAd"), Real("BL"), Real("BDd"),
        Real("BPm"), Inteiro("codRio"), Inteiro("codRestricao"), Texto("VarMinima", 7),
        Texto("TipoVazao", 9)}},
      {QStringLiteral("Rios"), {Chave("codRio"), Texto("Nome", 61)}},
  };
}

// The column's definition. SQLite's typing is loose; the CHECKs hold each column to its declared
// type: a 32-bit integer, a number, a text of at most its size. Anything else is refused when
// written instead of being stored and misread later.
QString DefinicaoColuna(const TColunaBD& c) {
  const QString nome = QLatin1Char('"') + c.Nome + QLatin1Char('"');
  QString d = nome + QLatin1Char(' ') + c.TipoSql();
  if (c.Chave) d += QStringLiteral(" PRIMARY KEY");
  switch (c.Tipo) {
    case TTipoColunaBD::Inteiro:
      d += QStringLiteral(
               " CHECK (%1 IS NULL OR (typeof(%1) = 'integer' AND %1 BETWEEN "
               "-2147483648 AND 2147483647))")
               .arg(nome);
      break;
    case TTipoColunaBD::Real:
      d += QStringLiteral(" CHECK (%1 IS NULL OR typeof(%1) IN ('real', 'integer'))").arg(nome);
      break;
    case TTipoColunaBD::Texto:
      d += QStringLiteral(" CHECK (%1 IS NULL OR length(%1) <= %2)").arg(nome).arg(c.Tamanho);
      break;
  }
  return d;
}

}  // namespace

QString TColunaBD::TipoSql() const {
  switch (Tipo) {
    case TTipoColunaBD::Inteiro:
      return QStringLiteral("INTEGER");
    case TTipoColunaBD::Real:
      return QStringLiteral("DOUBLE");
    case TTipoColunaBD::Texto:
      return QStringLiteral("TEXT(%1)").arg(Tamanho);
  }
  return {};
}

const TColunaBD* TTabelaBD::Coluna(const QString& nome) const {
  for (const auto& c : Colunas)
    if (c.Nome.compare(nome, Qt::CaseInsensitive) == 0) return &c;
  return nullptr;
}

const std::vector<TTabelaBD>& TabelasBD() {
  static const std::vector<TTabelaBD> tabelas = MontaTabelas();
  return tabelas;
}

const TTabelaBD* TabelaBD(const QString& nome) {
  for (const auto& t : TabelasBD())
    if (t.Nome.compare(nome, Qt::CaseInsensitive) == 0) return &t;
  return nullptr;
}

void CriaEsquema(QSqlDatabase& db) {
  if (!db.isOpen())
    throw ETorveda(QStringLiteral("Erro ao criar as tabelas: o banco de dados não está aberto."));
  if (!db.transaction())
    throw ETorveda(QStringLiteral("Erro ao criar as tabelas: ") + db.lastError().text());
  for (const auto& t : TabelasBD()) {
    QStringList colunas;
    for (const auto& c : t.Colunas) colunas << DefinicaoColuna(c);
    QSqlQuery q(db);
    const QString sql = QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(t.Nome, colunas.join(u", "));
    if (!q.exec(sql)) {
      const QString erro = q.lastError().text();
      q.finish();
      db.rollback();
      throw ETorveda(QStringLiteral("Erro ao criar a tabela %1: %2").arg(t.Nome, erro));
    }
  }
  if (!db.commit()) {
    const QString erro = db.lastError().text();
    db.rollback();
    throw ETorveda(QStringLiteral("Erro ao criar as tabelas: ") + erro);
  }
}
