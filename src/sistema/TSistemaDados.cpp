// The data module's creation: the reference database and the two register workbooks.
#include "data/MigracaoBase.h"
#include "data/TdmS.h"
#include "sistema/TSistema.h"

void TSistema::CriaDataModule(TApresentador& apresentador) {
  // The module shows its own failures (the database's or a workbook's error, the AQEM and ANA
  // notices) and never throws; each load is recorded here for `torveda-cli verifica`.
  // A tree that holds only its Jet database gets the offer to bring it in first.
  OfereceMigracaoBase(Caminhos(), apresentador);
  dmS = std::make_unique<TdmS>(Caminhos());
  dmS->Cria(apresentador);
  for (const auto& c : dmS->Cargas()) RegistraDados(c.Nome, c.Ok, c.Mensagem);
}
