#pragma once
// The sample basin of the balance tests, with both registers imported, made once by torveda-cli
// and loaded in this process.

#include <QDate>
#include <QJsonObject>
#include <memory>

#include "comum/ExecutaCli.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/BalancoRede.h"
#include "hydro/TBacia.h"
#include "sistema/TSistema.h"

struct TAmbiente {
  TPastaTemporaria Pasta;
  QJsonObject Resumo;
  std::unique_ptr<TSistema> Sistema;
  std::unique_ptr<TBacia> Bacia;
  std::unique_ptr<TRede> Rede;
  std::unique_ptr<TRedeBalanco> Dados;
};
TAmbiente& Ambiente();

// The criterion and period of the tests.
inline const TCriterioOutorga Criterio{QStringLiteral("30"), QStringLiteral("Q90"),
                                       QStringLiteral("Tradicional")};
inline const QDate Inicio(2008, 1, 1);
inline const QDate Fim(2016, 12, 1);

// The grant analysis of a section placed at p, as `analise` runs it.
TResultadoOutorga Analise(TPonto& ponto, const TPontoMapa& p, const QString& vazao,
                          const TCriterioOutorga& criterio = Criterio);

inline TSaidaCli Cli(const QStringList& args) {
  return ExecutaCli(QStringLiteral(TORVEDA_CLI), args);
}
