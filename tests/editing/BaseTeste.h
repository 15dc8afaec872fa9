#pragma once
// A data tree with a reference database for the editing windows' tests: the schema, a few known
// rows, and the system's data module opened on it.

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <memory>

#include "base/gui/ContextoJanela.h"
#include "comum/PastaTemporaria.h"
#include "sistema/TSistema.h"

class TRodapeTeste : public TRodape {
 public:
  void EscreveStatus(int painel, const QString& texto) override {
    Paineis[painel == 0 ? 0 : 1] = texto;
  }
  QString Status(int painel) const override { return Paineis[painel == 0 ? 0 : 1]; }
  void MostraProgresso(bool) override {}
  QString Paineis[2];
};

class TBaseTeste {
 public:
  // Stations 100, 200 and 300; two traditional and two mass-conservation equations. The data
  // module's messages and the windows' go to `apresentador`.
  explicit TBaseTeste(TApresentador& apresentador);
  ~TBaseTeste();

  TSistema& Sistema() { return *Sistema_; }
  TContextoJanela& Contexto() { return *Contexto_; }
  QSqlDatabase Base() const;

  // One value read straight from the database.
  QVariant Le(const QString& sql) const;
  // Runs a statement on the database (fails the test's expectations by returning false).
  bool Executa(const QString& sql) const;
  // Counts every UPDATE of the stations from now on (a trigger writing into a log table).
  void RegistraAtualizacoes() const;
  int NumAtualizacoes() const;

 private:
  TPastaTemporaria Pasta_;
  TRodapeTeste Rodape_;
  std::unique_ptr<TSistema> Sistema_;
  std::unique_ptr<TContextoJanela> Contexto_;
};
