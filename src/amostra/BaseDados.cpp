// The reference database: regionalization equations of every model kind for the three regions
// and for the rivers that carry "Eq_Conserv", their ranges, the gauging stations with observed
// and naturalized flows that grow with drainage area as low flows do, and the rivers.

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <cmath>
#include <exception>

#include "amostra/Aleatorio.h"
#include "amostra/Escritas.h"
#include "amostra/Gdal.h"
#include "amostra/Hidrologia.h"
#include "base/Convencoes.h"
#include "base/Erro.h"
#include "data/Esquema.h"

namespace {

class TInsere {
 public:
  TInsere(QSqlDatabase& db, const QString& tabela, int colunas) : Q_(db) {
    QStringList marcas;
    for (int i = 0; i < colunas; ++i) marcas << QStringLiteral("?");
    if (!Q_.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(tabela, marcas.join(u','))))
      Falha(tabela);
    Tabela_ = tabela;
  }
  void operator()(const QVariantList& valores) {
    for (int i = 0; i < valores.size(); ++i) Q_.bindValue(i, valores[i]);
    if (!Q_.exec()) Falha(Tabela_);
  }

 private:
  [[noreturn]] void Falha(const QString& tabela) {
    throw ETorveda(
        QStringLiteral("Erro ao gravar a tabela %1: %2").arg(tabela, Q_.lastError().text()));
  }
  QSqlQuery Q_;
  QString Tabela_;
};

}  // namespace

void EscreveBaseDados(const TBacia& b, const THidrologia& h, const gdal_amostra::TConversor& conv,
                      const QString& arquivo) {
  QFile::remove(arquivo);
  const QString nome =
      QStringLiteral("amostra-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
  std::exception_ptr falha;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    db.setDatabaseName(arquivo);
    if (!db.open())
      throw ETorveda(QStringLiteral("Erro ao criar o banco de dados %1: %2")
                         .arg(arquivo, db.lastError().text()));
    try {
      CriaEsquema(db);
      db.transaction();
      TInsere restricao(db, QStringLiteral("Restricoes"), 3);
      TInsere tradicional(db, QStringLiteral("EQ_Tradicional"), 11);
      int codEq = 1;
      for (const auto& e : h.Regioes) {
        restricao({e.CodRestricao, e.MenorAd, e.MaiorAd});
        for (const auto& l : e.Linhas)
          tradicional({codEq++, e.Chave, l.Modelo, l.B0, l.BAd, 0.0, 0.0, 0.0, e.CodRestricao,
                       l.VarMinima, l.Tipo});
      }

      TInsere rios(db, QStringLiteral("Rios"), 2);
      TInsere conservacao(db, QStringLiteral("EQ_Conservacao"), 11);
      int codPelmar = 1;
      for (const auto& e : h.Rios) {
        for (const TRio& rio : b.Rios)
          if (rio.EqConserv == e.Chave) rios({rio.EqConserv, rio.Nome});
        restricao({e.CodRestricao, e.MenorAd, e.MaiorAd});
        for (const auto& l : e.Linhas)
          conservacao({codPelmar++, l.Modelo, l.B0, l.BAd, 0.0, 0.0, 0.0, e.Chave, e.CodRestricao,
                       l.VarMinima, l.Tipo});
      }

      // Observed flows scatter a few per cent about their region's equations, as gauged flows
      // scatter about a regression (too little to change their order); naturalized flows add back
      // the upstream uses.
      TAleatorio rnd(b.Semente + 31);
      TInsere estacoes(db, QStringLiteral("EstFluviometricas"), 13);
      for (const auto& e : b.Estacoes) {
        double lon, lat;
        conv.ParaGeografica(b.X(e.Celula), b.Y(e.Celula), lon, lat);
        const int regiao = b.Unidade[e.Celula] / 100;
        const int ad = std::max(1, static_cast<int>(std::lround(e.AreaKm2)));
        QVariantList linha{e.Codigo, e.Celula, ad, lat, lon};
        double ob[4];
        for (int k = 0; k < NumVazoes; ++k)
          ob[k] = h.Regiao(regiao).Vazao(k, e.AreaKm2) * rnd.Real(0.96, 1.04);
        for (double q : ob) linha << q;
        for (double q : ob) linha << q * rnd.Real(1.03, 1.10);
        estacoes(linha);
      }
      if (!db.commit())
        throw ETorveda(QStringLiteral("Erro ao gravar o banco de dados: ") + db.lastError().text());
    } catch (...) {
      db.rollback();
      falha = std::current_exception();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(nome);
  if (falha) {
    QFile::remove(arquivo);
    std::rethrow_exception(falha);
  }
}
