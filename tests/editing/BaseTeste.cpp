#include "BaseTeste.h"

#include <QDir>
#include <QSqlQuery>

#include "data/Esquema.h"
#include "data/TdmS.h"
#include "hydro/TPonto.h"

namespace {

const char* const Linhas[] = {
    "INSERT INTO EstFluviometricas VALUES (100, 5000, 200, 15.5, 47.1, 1.5, 10, 8.25, 30, 1.6, "
    "11, 9, 31)",
    "INSERT INTO EstFluviometricas VALUES (200, 6000, 800, 15.7, 47.3, 4, 40, 33, 120, 4.1, 41, "
    "34, 121)",
    "INSERT INTO EstFluviometricas VALUES (300, 7000, 1200, 15.9, 47.5, 6, 60, 50, 180, 6.1, 61, "
    "51, 181)",
    "INSERT INTO EQ_Tradicional VALUES (1, 1, 'Pot', 0.02, 0.9, 0, 0, 0, 1, 'Q90Ob', 'mínima')",
    "INSERT INTO EQ_Tradicional VALUES (2, 2, 'Lin', 0.5, 0.01, 0, 0, 0, 2, 'Q95Ob', 'mínima')",
    "INSERT INTO EQ_Conservacao VALUES (1, 'Pot', 0.03, 0.8, 0, 0, 0, 7, 1, 'Q90Ob', 'mínima')",
    "INSERT INTO EQ_Conservacao VALUES (2, 'Exp', 0.1, 0.002, 0, 0, 0, 7, 2, 'QmldOb', 'média')",
};

}  // namespace

TBaseTeste::TBaseTeste(TApresentador& apresentador) {
  const TCaminhos caminhos(Pasta_.Caminho(), QStringLiteral("TORVEDA"));
  QDir().mkpath(caminhos.DadosBD());
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cria"));
    db.setDatabaseName(caminhos.BaseDados());
    db.open();
    CriaEsquema(db);
    QSqlQuery q(db);
    for (const char* l : Linhas) q.exec(QString::fromUtf8(l));
    q.finish();
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("cria"));

  Sistema_ = std::make_unique<TSistema>(caminhos);
  Sistema_->Ponto = std::make_unique<TPonto>();
  Sistema_->CriaDataModule(apresentador);
  Contexto_ = std::make_unique<TContextoJanela>(TContextoJanela{*Sistema_, Rodape_, apresentador});
}

TBaseTeste::~TBaseTeste() = default;

QSqlDatabase TBaseTeste::Base() const { return Sistema_->dmS->conTORVEDA(); }

QVariant TBaseTeste::Le(const QString& sql) const {
  QSqlQuery q(Base());
  if (!q.exec(sql) || !q.next()) return {};
  return q.value(0);
}

bool TBaseTeste::Executa(const QString& sql) const {
  QSqlQuery q(Base());
  return q.exec(sql);
}

void TBaseTeste::RegistraAtualizacoes() const {
  Executa(QStringLiteral("CREATE TABLE Registro (n INTEGER)"));
  Executa(
      QStringLiteral("CREATE TRIGGER Conta AFTER UPDATE ON EstFluviometricas "
                     "BEGIN INSERT INTO Registro VALUES (1); END"));
}

int TBaseTeste::NumAtualizacoes() const {
  return Le(QStringLiteral("SELECT count(*) FROM Registro")).toInt();
}
