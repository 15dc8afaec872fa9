#include "ArvoreDados.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include "data/Esquema.h"

TArvoreDados::TArvoreDados(const QString& nomeBase) : Caminhos_(Pasta_.Caminho(), nomeBase) {
  QDir().mkpath(Caminhos_.DadosBD());
}

void ComBase(const QString& arquivo, const std::function<void(QSqlDatabase&)>& f) {
  const QString nome = QUuid::createUuid().toString();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    db.setDatabaseName(arquivo);
    if (!db.open()) {
      ADD_FAILURE() << db.lastError().text().toStdString();
    } else {
      f(db);
      db.close();
    }
  }
  QSqlDatabase::removeDatabase(nome);
}

void TArvoreDados::CriaBase(const QStringList& comandos) const {
  ComBase(Caminhos_.BaseDados(), [&](QSqlDatabase& db) {
    CriaEsquema(db);
    db.transaction();  // one write to disk, not one per row
    for (const QString& c : comandos) {
      QSqlQuery q(db);
      EXPECT_TRUE(q.exec(c)) << c.toStdString() << ": " << q.lastError().text().toStdString();
    }
    db.commit();
  });
}

void TArvoreDados::CopiaPlanilha(const QString& fixture, const QString& destino) const {
  QFile::remove(destino);
  ASSERT_TRUE(QFile::copy(PastaPlanilhas() + QLatin1Char('/') + fixture, destino))
      << fixture.toStdString();
}

void TArvoreDados::CriaCompleta() const {
  CriaBase();
  CopiaPlanilha(QStringLiteral("aqem.xls"), Caminhos_.OutorgasAqem());
  CopiaPlanilha(QStringLiteral("ana.xls"), Caminhos_.OutorgasAna());
}

QString TArvoreDados::PastaPlanilhas() {
  static QTemporaryDir pasta(QDir::tempPath() + QStringLiteral("/torveda-planilhas-XXXXXX"));
  static const bool escrita = [] {
    QProcess p;
    p.start(QStringLiteral(TORVEDA_PYTHON),
            {QStringLiteral(TORVEDA_ESCREVE_PLANILHAS), pasta.path()});
    const bool ok =
        p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok)
      ADD_FAILURE() << "escreve_planilhas.py falhou: " << p.readAllStandardError().toStdString()
                    << p.errorString().toStdString();
    return ok;
  }();
  (void)escrita;
  return pasta.path();
}
