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
#include <map>

#include "base/Convencoes.h"
#include "base/Erro.h"
#include "data/Esquema.h"
#include "amostra/Aleatorio.h"
#include "amostra/Escritas.h"
#include "amostra/Gdal.h"

namespace {

// Flows of the model basin: Q = C x factor of the region x Ad^0.97 (m³/s, Ad in km²).
struct TVazaoRef {
  const char* VarMinima;
  const char* Tipo;
  double C;
};
constexpr TVazaoRef Vazoes[] = {{"Q710Ob", "Q7,10", 0.0035},
                                {"Q90Ob", "Q90", 0.0058},
                                {"Q95Ob", "Q95", 0.0047},
                                {"QmldOb", "Qmld", 0.016}};
constexpr double Expoente = 0.97;
double FatorRegiao(int regiao) { return regiao == 1 ? 1.10 : (regiao == 2 ? 0.90 : 1.0); }
double Vazao(int k, int regiao, double ad) {
  return Vazoes[k].C * FatorRegiao(regiao) * std::pow(ad, Expoente);
}

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

// One equation row: model, B0, BAd for a flow k over areas [a1, a2] of a region's flows.
struct TEquacao {
  QString Modelo;
  double B0, BAd;
};
TEquacao Ajusta(const QString& modelo, int k, int regiao, double a1, double a2) {
  const double q1 = Vazao(k, regiao, a1), q2 = Vazao(k, regiao, a2);
  if (modelo == QLatin1String("Pot")) return {modelo, Vazoes[k].C * FatorRegiao(regiao), Expoente};
  if (modelo == QLatin1String("Lin")) {
    const double bad = (q2 - q1) / (a2 - a1);
    return {modelo, q1 - bad * a1, bad};
  }
  if (modelo == QLatin1String("Exp")) {
    const double bad = (std::log(q2) - std::log(q1)) / (a2 - a1);
    return {modelo, std::log(q1) - bad * a1, bad};
  }
  // "Log" and "Rec" give B0 whatever the area: the flow at the middle of the range.
  return {modelo, Vazao(k, regiao, (a1 + a2) / 2), 0.0};
}

}  // namespace

void EscreveBaseDados(const TBacia& b, const gdal_amostra::TConversor& conv,
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
      std::int64_t celulasRegiao[4] = {0, 0, 0, 0};
      for (std::int32_t c : b.Ordem) ++celulasRegiao[b.Unidade[c] / 100];

      TInsere restricao(db, QStringLiteral("Restricoes"), 3);
      TInsere tradicional(db, QStringLiteral("EQ_Tradicional"), 11);
      int codEq = 1;
      // Each region's equations: every model kind appears; rows that a later row overrides
      // ("Log" and "Rec" in region 3) and a naturalized row that the computations ignore are
      // part of a real table too.
      const std::map<int, std::vector<std::pair<int, QString>>> modelos = {
          {1, {{0, "Pot"}, {1, "Pot"}, {2, "Pot"}, {3, "Pot"}}},
          {2, {{0, "Lin"}, {1, "Pot"}, {2, "Exp"}, {3, "Pot"}}},
          {3, {{0, "Pot"}, {1, "Log"}, {1, "Pot"}, {2, "Rec"}, {2, "Pot"}, {3, "Pot"}}},
      };
      for (const auto& [regiao, lista] : modelos) {
        const double a2 = celulasRegiao[regiao] * Convencao::AreaCelulaKm2;
        const double a1 = std::max(1.0, a2 / 50);
        restricao({regiao, a1, a2});
        for (const auto& [k, modelo] : lista) {
          const TEquacao e = Ajusta(modelo, k, regiao, a1, a2);
          tradicional({codEq++, regiao, e.Modelo, e.B0, e.BAd, 0.0, 0.0, 0.0, regiao,
                       QString::fromLatin1(Vazoes[k].VarMinima),
                       QString::fromLatin1(Vazoes[k].Tipo)});
        }
        if (regiao == 3) {
          const TEquacao e = Ajusta(QStringLiteral("Pot"), 0, regiao, a1, a2);
          tradicional({codEq++, regiao, e.Modelo, e.B0 * 1.08, e.BAd, 0.0, 0.0, 0.0, regiao,
                       QStringLiteral("Q710Nat"), QStringLiteral("Q7,10")});
        }
      }

      TInsere rios(db, QStringLiteral("Rios"), 2);
      TInsere conservacao(db, QStringLiteral("EQ_Conservacao"), 11);
      int codPelmar = 1;
      for (const TRio& rio : b.Rios) {
        if (!rio.EqConserv) continue;
        rios({rio.EqConserv, rio.Nome});
        const std::int32_t foz = rio.Celulas.back();
        const int regiao = b.Unidade[foz] / 100;
        const double a2 = std::max(2.0, b.Fluxo[foz] * Convencao::AreaCelulaKm2);
        const double a1 = std::max(1.0, b.Fluxo[rio.Celulas.front()] * Convencao::AreaCelulaKm2);
        const int codRestricao = 10 + rio.EqConserv;
        restricao({codRestricao, a1, a2});
        for (int k = 0; k < 4; ++k) {
          QString modelo = QStringLiteral("Pot");
          if (rio.EqConserv == 2 && k == 0) modelo = QStringLiteral("Lin");
          if (rio.EqConserv == 5) modelo = QStringLiteral("Lin");
          if (rio.EqConserv == 4 && k == 2) modelo = QStringLiteral("Exp");
          if (rio.EqConserv == 6 && k == 1) modelo = QStringLiteral("Log");
          if (rio.EqConserv == 6 && k == 2) modelo = QStringLiteral("Rec");
          const TEquacao e = Ajusta(modelo, k, regiao, a1, a2);
          conservacao({codPelmar++, e.Modelo, e.B0, e.BAd, 0.0, 0.0, 0.0, rio.EqConserv,
                       codRestricao, QString::fromLatin1(Vazoes[k].VarMinima),
                       QString::fromLatin1(Vazoes[k].Tipo)});
        }
      }

      // Observed flows follow the regional law within a few per cent, as gauged low flows
      // scatter about a regression; naturalized flows add back the upstream uses.
      TAleatorio rnd(b.Semente + 31);
      TInsere estacoes(db, QStringLiteral("EstFluviometricas"), 13);
      for (const auto& e : b.Estacoes) {
        double lon, lat;
        conv.ParaGeografica(b.X(e.Celula), b.Y(e.Celula), lon, lat);
        const int regiao = b.Unidade[e.Celula] / 100;
        const int ad = std::max(1, static_cast<int>(std::lround(e.AreaKm2)));
        QVariantList linha{e.Codigo, e.Celula, ad, lat, lon};
        double ob[4];
        for (int k = 0; k < 4; ++k) ob[k] = Vazao(k, regiao, e.AreaKm2) * rnd.Real(0.92, 1.08);
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
