#pragma once
// A reference database for the regionalization tests: a data tree in a temporary folder with
// the schema and the rows a test inserts, opened through the data module as the program does.

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <memory>

#include "base/ApresentadorMudo.h"
#include "base/Caminhos.h"
#include "comum/PastaTemporaria.h"
#include "data/Esquema.h"
#include "data/TdmS.h"

class TBaseTeste {
 public:
  TBaseTeste() : Caminhos_(Pasta_.Caminho(), QStringLiteral("TORVEDA")) {
    Pasta_.Arquivo(QStringLiteral("Dados/DadosBD/x"));
    const QString nome = QUuid::createUuid().toString();
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
      db.setDatabaseName(Caminhos_.BaseDados());
      if (!db.open()) ADD_FAILURE() << db.lastError().text().toStdString();
      CriaEsquema(db);
    }
    NomeConexao_ = nome;
  }
  ~TBaseTeste() {
    dmS.reset();
    QSqlDatabase::removeDatabase(NomeConexao_);
  }

  // Runs a statement on the database before the data module opens it.
  void Executa(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(NomeConexao_));
    if (!q.exec(sql))
      ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
  }
  void Equacao(const char* tabela, int chave, int regiaoOuRio, const char* modelo, double b0,
               double bAd, const char* var) {
    const bool trad = QString::fromLatin1(tabela) == QStringLiteral("EQ_Tradicional");
    Executa(QStringLiteral("INSERT INTO %1 (%2, %3, Modelo, B0, BAd, VarMinima) "
                           "VALUES (%4, %5, '%6', %7, %8, '%9')")
                .arg(QString::fromLatin1(tabela),
                     trad ? QStringLiteral("codEQQuintaro") : QStringLiteral("codEQPelmar"),
                     trad ? QStringLiteral("Regiao") : QStringLiteral("codRio"))
                .arg(chave)
                .arg(regiaoOuRio)
                .arg(QString::fromLatin1(modelo))
                .arg(b0, 0, 'g', 17)
                .arg(bAd, 0, 'g', 17)
                .arg(QString::fromLatin1(var)));
  }
  void Estacao(int codigo, int ad, double q710, double q90, double q95, double qmld) {
    Executa(QStringLiteral("INSERT INTO EstFluviometricas (CodEstFlu, Ad, Q710Ob, Q90Ob, Q95Ob, "
                           "QmldOb) VALUES (%1, %2, %3, %4, %5, %6)")
                .arg(codigo)
                .arg(ad)
                .arg(q710, 0, 'g', 17)
                .arg(q90, 0, 'g', 17)
                .arg(q95, 0, 'g', 17)
                .arg(qmld, 0, 'g', 17));
  }
  void Rio(int codRio) {
    Executa(QStringLiteral("INSERT INTO Rios (codRio, Nome) VALUES (%1, 'Rio %1')").arg(codRio));
  }

  // The data module over the database (the workbooks are absent, which it reports and survives).
  TdmS& Abre() {
    dmS = std::make_unique<TdmS>(Caminhos_);
    dmS->Cria(apresentador);
    EXPECT_TRUE(dmS->BaseAberta());
    return *dmS;
  }

  std::unique_ptr<TdmS> dmS;
  // What the module says about the absent workbooks is not what these tests look at.
  TApresentadorMudo apresentador;

 private:
  TPastaTemporaria Pasta_;
  TCaminhos Caminhos_;
  QString NomeConexao_;
};
