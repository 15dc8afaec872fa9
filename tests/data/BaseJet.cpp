#include "BaseJet.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QVariant>

#include "ArvoreDados.h"
#include "data/Esquema.h"

namespace {

const char* const Descricao = R"({"tabelas": [
 {"nome": "EQ_Tradicional",
  "colunas": [["codEQQuintaro", "Long"], ["Regiao", "Integer"], ["Modelo", "Text", 3],
              ["B0", "Double"], ["BAd", "Double"], ["BL", "Double"], ["BDd", "Double"],
              ["BPm", "Double"], ["codRestricao", "Long"], ["VarMinima", "Text", 7],
              ["TipoVazao", "Text", 9]],
  "linhas": [[1, 1, "Pot", 0.012345678901234568, 0.8765, null, null, null, 1, "Q710Ob", "Mínima"],
             [2, 1, "Lin", 3.5, 0.30000000000000004, 0, 0, 0, 1, "QmldOb", "Média"],
             [3, 2, "Exp", 1e-300, -2.5e20, null, null, null, null, "Q95Ob", null]]},
 {"nome": "Parametros",
  "colunas": [["Chave", "Text", 20], ["Valor", "Double"]],
  "linhas": [["versão", 2.0]]},
 {"nome": "Restricoes",
  "colunas": [["codRestricao", "Long"], ["MenorAd", "Double"], ["MaiorAd", "Single"]],
  "linhas": [[1, 0, 1500.5], [2, 100.25, 2345.6]]},
 {"nome": "EstFluviometricas",
  "colunas": [["CodEstFlu", "Long"], ["PosicaoMDE", "Long"], ["AD", "Long"],
              ["Latitude", "Double"], ["Longitude", "Double"], ["Q710Ob", "Double"],
              ["Q90Ob", "Double"], ["Q95Ob", "Double"], ["QmldOb", "Double"],
              ["Q710Nat", "Double"], ["Q90Nat", "Double"], ["Q95Nat", "Double"],
              ["QmldNat", "Double"], ["DataAtualizacao", "DateTime"], ["Observação", "Memo"]],
  "linhas": [[56110000, 1234567, 1520, -19.9166, -43.9345, 1.234, 2.5, 2.1, 10.75,
              null, null, null, null, "2019-03-15", "Estação de Três Marias"],
             [56120000, 2345678, 300, -20.5, -44.25, 0.5, 0.75, 0.7, 3.25,
              0.55, 0.8, 0.72, 3.5, null, null]]},
 {"nome": "EQ_Conservacao",
  "colunas": [["codEQPelmar", "Long"], ["Modelo", "Text", 3], ["B0", "Double"], ["BAd", "Double"],
              ["BL", "Double"], ["BDd", "Double"], ["BPm", "Double"], ["codRio", "Long"],
              ["codRestricao", "Byte"], ["VarMinima", "Text", 7], ["TipoVazao", "Memo"]],
  "linhas": [[10, "Pot", 0.05, 0.9, null, null, null, 1, 2, "Q90Ob", "Média"],
             [11, "Log", 1, 2, 3, 4, 5, 2, null, "Q95Ob", null]]},
 {"nome": "Rios",
  "colunas": [["Nome", "Text", 61], ["CODRIO", "Long"]],
  "linhas": [["Rio São Francisco", 1], ["Ribeirão do Açaí", 2], [null, 3]]}
]})";

void Insere(QSqlDatabase& db, const QString& tabela, const QVariantList& valores) {
  QStringList marcas;
  for (qsizetype i = 0; i < valores.size(); ++i) marcas << QStringLiteral("?");
  QSqlQuery q(db);
  ASSERT_TRUE(
      q.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(tabela, marcas.join(u','))));
  for (qsizetype i = 0; i < valores.size(); ++i) q.bindValue(static_cast<int>(i), valores[i]);
  EXPECT_TRUE(q.exec()) << tabela.toStdString() << ": " << q.lastError().text().toStdString();
}

const QVariant N;  // an empty cell

}  // namespace

QJsonArray TabelasJet() {
  return QJsonDocument::fromJson(Descricao).object().value(QStringLiteral("tabelas")).toArray();
}

QJsonArray ComTabela(QJsonArray tabelas, const QJsonObject& tabela) {
  for (qsizetype i = 0; i < tabelas.size(); ++i)
    if (tabelas[i].toObject().value(QStringLiteral("nome")) ==
        tabela.value(QStringLiteral("nome"))) {
      tabelas[i] = tabela;
      return tabelas;
    }
  tabelas.append(tabela);
  return tabelas;
}

QJsonArray SemTabela(QJsonArray tabelas, const QString& nome) {
  for (qsizetype i = 0; i < tabelas.size(); ++i)
    if (tabelas[i].toObject().value(QStringLiteral("nome")).toString() == nome) {
      tabelas.removeAt(i);
      break;
    }
  return tabelas;
}

QJsonObject Tabela(const QJsonArray& tabelas, const QString& nome) {
  for (const auto& t : tabelas)
    if (t.toObject().value(QStringLiteral("nome")).toString() == nome) return t.toObject();
  return {};
}

void EscreveMdb(const QString& arquivo, const QJsonArray& tabelas) {
  QTemporaryFile descricao;
  ASSERT_TRUE(descricao.open());
  descricao.write(QJsonDocument(QJsonObject{{QStringLiteral("tabelas"), tabelas}}).toJson());
  descricao.close();
  QProcess p;
  p.start(QStringLiteral(TORVEDA_PYTHON),
          {QStringLiteral(TORVEDA_ESCREVE_MDB), descricao.fileName(), arquivo});
  ASSERT_TRUE(p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit &&
              p.exitCode() == 0)
      << "escreve_mdb.py falhou: " << p.readAllStandardError().toStdString()
      << p.errorString().toStdString();
}

QStringList ConteudoBase(const QString& arquivo) {
  QStringList linhas;
  ComBase(arquivo, [&](QSqlDatabase& db) {
    for (const auto& t : TabelasBD()) {
      QStringList colunas;
      QString chave;
      for (const auto& c : t.Colunas) {
        colunas << QStringLiteral("typeof(\"%1\"), \"%1\"").arg(c.Nome);
        if (c.Chave) chave = c.Nome;
      }
      QSqlQuery q(db);
      ASSERT_TRUE(q.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY \"%3\"")
                             .arg(colunas.join(u','), t.Nome, chave)))
          << q.lastError().text().toStdString();
      while (q.next()) {
        QString linha = t.Nome;
        for (int k = 0; k < 2 * static_cast<int>(t.Colunas.size()); k += 2) {
          const QString tipo = q.value(k).toString();
          const QVariant v = q.value(k + 1);
          linha += u'|' + tipo + u':' +
                   (tipo == QLatin1String("real") ? QString::number(v.toDouble(), 'g', 17)
                                                  : v.toString());
        }
        linhas << linha;
      }
    }
  });
  return linhas;
}

void CriaBaseEsperada(const QString& arquivo) {
  ComBase(arquivo, [](QSqlDatabase& db) {
    CriaEsquema(db);
    Insere(db, QStringLiteral("EQ_Tradicional"),
           {1, 1, "Pot", 0.012345678901234568, 0.8765, N, N, N, 1, "Q710Ob", "Mínima"});
    Insere(db, QStringLiteral("EQ_Tradicional"),
           {2, 1, "Lin", 3.5, 0.30000000000000004, 0.0, 0.0, 0.0, 1, "QmldOb", "Média"});
    Insere(db, QStringLiteral("EQ_Tradicional"),
           {3, 2, "Exp", 1e-300, -2.5e20, N, N, N, N, "Q95Ob", N});
    Insere(db, QStringLiteral("Restricoes"), {1, 0.0, 1500.5});
    // A Single of 2345.6 comes in as the 2345.6 the user typed, not as the float's binary tail.
    Insere(db, QStringLiteral("Restricoes"), {2, 100.25, 2345.6});
    Insere(db, QStringLiteral("EstFluviometricas"),
           {56110000, 1234567, 1520, -19.9166, -43.9345, 1.234, 2.5, 2.1, 10.75, N, N, N, N});
    Insere(db, QStringLiteral("EstFluviometricas"),
           {56120000, 2345678, 300, -20.5, -44.25, 0.5, 0.75, 0.7, 3.25, 0.55, 0.8, 0.72, 3.5});
    Insere(db, QStringLiteral("EQ_Conservacao"),
           {10, "Pot", 0.05, 0.9, N, N, N, 1, 2, "Q90Ob", "Média"});
    Insere(db, QStringLiteral("EQ_Conservacao"),
           {11, "Log", 1.0, 2.0, 3.0, 4.0, 5.0, 2, N, "Q95Ob", N});
    Insere(db, QStringLiteral("Rios"), {1, "Rio São Francisco"});
    Insere(db, QStringLiteral("Rios"), {2, "Ribeirão do Açaí"});
    Insere(db, QStringLiteral("Rios"), {3, N});
  });
}
