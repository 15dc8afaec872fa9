// The reference database's schema: tables, columns in order, declared types and sizes, and the
// strictness the original engine had (32-bit integers, numbers, bounded texts).
#include <gtest/gtest.h>

#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

#include "ArvoreDados.h"
#include "base/Erro.h"
#include "data/Esquema.h"

namespace {

// "name TYPE" of every column, from the database itself.
QStringList ColunasDeclaradas(QSqlDatabase& db, const QString& tabela) {
  QStringList r;
  QSqlQuery q(db);
  EXPECT_TRUE(q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(tabela)));
  while (q.next()) r << q.value(1).toString() + QLatin1Char(' ') + q.value(2).toString();
  return r;
}

bool Executa(QSqlDatabase& db, const QString& sql) {
  QSqlQuery q(db);
  return q.exec(sql);
}

}  // namespace

TEST(Esquema, TabelasColunasTiposETamanhos) {
  TArvoreDados arvore;
  arvore.CriaBase();
  ComBase(arvore.Caminhos().BaseDados(), [](QSqlDatabase& db) {
    EXPECT_EQ(ColunasDeclaradas(db, QStringLiteral("EQ_Tradicional")),
              (QStringList{"codEQQuintaro INTEGER", "Regiao INTEGER", "Modelo TEXT(3)", "B0 DOUBLE",
                           "BAd DOUBLE", "BL DOUBLE", "BDd DOUBLE", "BPm DOUBLE",
                           "codRestricao INTEGER", "VarMinima TEXT(7)", "TipoVazao TEXT(9)"}));
    EXPECT_EQ(ColunasDeclaradas(db, QStringLiteral("Restricoes")),
              (QStringList{"codRestricao INTEGER", "MenorAd DOUBLE", "MaiorAd DOUBLE"}));
    EXPECT_EQ(ColunasDeclaradas(db, QStringLiteral("EstFluviometricas")),
              (QStringList{"CodEstFlu INTEGER", "PosicaoMDE INTEGER", "Ad INTEGER",
                           "Latitude DOUBLE", "Longitude DOUBLE", "Q710Ob DOUBLE", "Q90Ob DOUBLE",
                           "Q95Ob DOUBLE", "QmldOb DOUBLE", "Q710Nat DOUBLE", "Q90Nat DOUBLE",
                           "Q95Nat DOUBLE", "QmldNat DOUBLE"}));
    EXPECT_EQ(ColunasDeclaradas(db, QStringLiteral("EQ_Conservacao")),
              (QStringList{"codEQPelmar INTEGER", "Modelo TEXT(3)", "B0 DOUBLE", "BAd DOUBLE",
                           "BL DOUBLE", "BDd DOUBLE", "BPm DOUBLE", "codRio INTEGER",
                           "codRestricao INTEGER", "VarMinima TEXT(7)", "TipoVazao TEXT(9)"}));
    EXPECT_EQ(ColunasDeclaradas(db, QStringLiteral("Rios")),
              (QStringList{"codRio INTEGER", "Nome TEXT(61)"}));

    // Qt (and so the editing windows) sees integers, doubles and strings.
    const QSqlRecord r = db.record(QStringLiteral("EQ_Tradicional"));
    EXPECT_EQ(r.field(QStringLiteral("Regiao")).metaType().id(), QMetaType::Int);
    EXPECT_EQ(r.field(QStringLiteral("B0")).metaType().id(), QMetaType::Double);
    EXPECT_EQ(r.field(QStringLiteral("VarMinima")).metaType().id(), QMetaType::QString);
    EXPECT_TRUE(r.field(QStringLiteral("codEQQuintaro")).isAutoValue() ||
                db.primaryIndex(QStringLiteral("EQ_Tradicional"))
                    .contains(QStringLiteral("codEQQuintaro")));
  });

  // The column lists agree with what was created.
  ASSERT_EQ(TabelasBD().size(), 5u);
  ASSERT_NE(TabelaBD(QStringLiteral("rios")), nullptr);
  EXPECT_EQ(TabelaBD(QStringLiteral("rios"))->Coluna(QStringLiteral("NOME"))->Tamanho, 61);
  EXPECT_EQ(TabelaBD(QStringLiteral("Outra")), nullptr);
}

TEST(Esquema, RecusaValoresQueOTipoNaoComporta) {
  TArvoreDados arvore;
  arvore.CriaBase();
  ComBase(arvore.Caminhos().BaseDados(), [](QSqlDatabase& db) {
    const QString eq = QStringLiteral(
        "INSERT INTO EQ_Tradicional (codEQQuintaro, Regiao, Modelo, B0, VarMinima) VALUES (%1)");
    EXPECT_TRUE(Executa(db, eq.arg(QStringLiteral("1, 2, 'Pot', 0.5, 'Q710Nat'"))));
    EXPECT_TRUE(Executa(db, eq.arg(QStringLiteral("2, 2, 'Lin', 3, NULL"))));  // 3 is a number
    EXPECT_FALSE(Executa(db, eq.arg(QStringLiteral("3, 2, 'Potencia', 0.5, 'Q90Ob'"))));
    EXPECT_FALSE(Executa(db, eq.arg(QStringLiteral("4, 2, 'Pot', 0.5, 'Q710Obs12'"))));
    EXPECT_FALSE(Executa(db, eq.arg(QStringLiteral("5, 'dois', 'Pot', 0.5, 'Q90Ob'"))));
    EXPECT_FALSE(Executa(db, eq.arg(QStringLiteral("6, 2147483648, 'Pot', 0.5, 'Q90Ob'"))));
    EXPECT_FALSE(Executa(db, eq.arg(QStringLiteral("7, 2, 'Pot', '0,5', 'Q90Ob'"))));
    EXPECT_FALSE(Executa(db, eq.arg(QStringLiteral("1, 3, 'Pot', 0.5, 'Q90Ob'"))));  // key taken
    // Accented text is counted in characters, not bytes.
    EXPECT_TRUE(Executa(
        db, QStringLiteral("INSERT INTO Rios VALUES (1, '%1')").arg(QString(61, QChar(0x00E3)))));
    EXPECT_FALSE(Executa(
        db,
        QStringLiteral("INSERT INTO Rios VALUES (2, '%1')").arg(QString(62, QLatin1Char('a')))));
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM EQ_Tradicional")) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);
  });
}

// A schema that cannot be completed leaves nothing behind.
TEST(Esquema, TudoOuNada) {
  TArvoreDados arvore;
  ComBase(arvore.Caminhos().BaseDados(), [](QSqlDatabase& db) {
    ASSERT_TRUE(Executa(db, QStringLiteral("CREATE TABLE Rios (x INTEGER)")));
    EXPECT_THROW(CriaEsquema(db), ETorveda);
    EXPECT_EQ(db.tables(), QStringList{QStringLiteral("Rios")});
    QSqlDatabase fechada;
    EXPECT_THROW(CriaEsquema(fechada), ETorveda);
  });
}
