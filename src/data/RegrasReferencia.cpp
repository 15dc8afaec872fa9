#include "data/RegrasReferencia.h"

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "base/Convencoes.h"
#include "data/Esquema.h"
#include "data/Modelos.h"

namespace {

QString Num(double v) { return QLocale().toString(v, 'g', 6); }

// A row's values by column name.
class TLinha {
 public:
  TLinha(const TTabelaBD& t, const std::vector<QVariant>& valores) : T_(t), V_(valores) {}
  const QVariant& operator[](const QString& coluna) const {
    static const QVariant nulo;
    for (std::size_t k = 0; k < T_.Colunas.size() && k < V_.size(); ++k)
      if (T_.Colunas[k].Nome == coluna) return V_[k];
    return nulo;
  }
  std::optional<double> Numero(const QString& coluna) const {
    const QVariant& v = (*this)[coluna];
    if (v.isNull()) return std::nullopt;
    return v.toDouble();
  }

 private:
  const TTabelaBD& T_;
  const std::vector<QVariant>& V_;
};

struct TRegra {
  QString Coluna;
  QString Texto;
};

using TIntervalos = std::map<qint64, std::pair<std::optional<double>, std::optional<double>>>;

std::optional<TRegra> ConfereEstacao(const TLinha& l) {
  if (const auto ad = l.Numero(QStringLiteral("Ad")); ad && *ad < 0)
    return TRegra{QStringLiteral("Ad"),
                  QStringLiteral("a área de drenagem %1 km² é negativa").arg(Num(*ad))};
  for (const char* const coluna :
       {"Q710Ob", "Q90Ob", "Q95Ob", "QmldOb", "Q710Nat", "Q90Nat", "Q95Nat", "QmldNat"}) {
    const auto q = l.Numero(QLatin1String(coluna));
    if (!q) continue;
    if (!std::isfinite(*q))
      return TRegra{QLatin1String(coluna), QStringLiteral("a vazão não é um número finito")};
    if (*q < 0)
      return TRegra{QLatin1String(coluna),
                    QStringLiteral("a vazão %1 m³/s é negativa").arg(Num(*q))};
  }
  return std::nullopt;
}

// The flow of a known model at both ends of its range, and beyond the last end when the range
// leaves it open: each model is monotonic in the area, so its ends bound it.
std::optional<TRegra> ConfereVazaoEquacao(const QString& modelo, double b0, double bAd,
                                          double menor, std::optional<double> maior) {
  const auto culpado = [&](double q) {
    if (!std::isfinite(q)) return QStringLiteral("BAd");
    const bool pelaArea = (modelo == QLatin1String("Lin") && b0 >= 0);
    return pelaArea ? QStringLiteral("BAd") : QStringLiteral("B0");
  };
  std::vector<double> areas{menor};
  if (maior) areas.push_back(*maior);
  for (const double ad : areas) {
    const double q = AvaliaModeloBruto(modelo, b0, bAd, ad);
    if (!std::isfinite(q))
      return TRegra{
          culpado(q),
          QStringLiteral("o modelo %1 não dá um número finito em %2 km²").arg(modelo, Num(ad))};
    if (q < 0)
      return TRegra{culpado(q), QStringLiteral("o modelo %1 dá vazão negativa (%2 m³/s) em %3 km²")
                                    .arg(modelo, Num(q), Num(ad))};
  }
  if (!maior && modelo == QLatin1String("Lin") && bAd < 0)
    return TRegra{QStringLiteral("BAd"),
                  QStringLiteral("o modelo Lin dá vazão negativa acima de %1 km², e a equação "
                                 "não tem limite superior de área")
                      .arg(Num(-b0 / bAd))};
  return std::nullopt;
}

std::optional<TRegra> ConfereEquacao(const TLinha& l, const TIntervalos& intervalos) {
  const QVariant& var = l[QStringLiteral("VarMinima")];
  if (!NomesVarMinima().contains(var.toString()))
    return TRegra{QStringLiteral("VarMinima"),
                  (var.toString().isEmpty()
                       ? QStringLiteral("está vazia")
                       : QStringLiteral("\"%1\" não nomeia uma vazão").arg(var.toString())) +
                      QStringLiteral("; os nomes aceitos são ") +
                      NomesVarMinima().join(QStringLiteral(", "))};
  std::optional<double> menor, maior;
  if (const QVariant& r = l[QStringLiteral("codRestricao")]; !r.isNull()) {
    const auto it = intervalos.find(r.toLongLong());
    if (it == intervalos.end())
      return TRegra{
          QStringLiteral("codRestricao"),
          QStringLiteral("a restrição %1 não tem linha em Restricoes").arg(r.toLongLong())};
    std::tie(menor, maior) = it->second;
  }
  const double b0 = l.Numero(QStringLiteral("B0")).value_or(0.0);
  const double bAd = l.Numero(QStringLiteral("BAd")).value_or(0.0);
  for (const auto& [coluna, valor] :
       {std::pair{QStringLiteral("B0"), b0}, {QStringLiteral("BAd"), bAd}})
    if (!std::isfinite(valor))
      return TRegra{coluna, QStringLiteral("o coeficiente não é um número finito")};
  const QString modelo = l[QStringLiteral("Modelo")].toString();
  if (!ModeloConhecido(modelo)) return std::nullopt;
  // No section drains less than one cell.
  const double inicio = std::max(menor.value_or(0.0), Convencao::AreaCelulaKm2);
  return ConfereVazaoEquacao(modelo, b0, bAd, inicio, maior);
}

}  // namespace

const QStringList& NomesVarMinima() {
  static const QStringList nomes{QStringLiteral("Q710Ob"),  QStringLiteral("Q90Ob"),
                                 QStringLiteral("Q95Ob"),   QStringLiteral("QmldOb"),
                                 QStringLiteral("Q710Nat"), QStringLiteral("Q90Nat"),
                                 QStringLiteral("Q95Nat"),  QStringLiteral("QmldNat")};
  return nomes;
}

std::optional<TFalhaReferencia> ConfereReferencia(const std::vector<TValoresTabela>& tabelas) {
  TIntervalos intervalos;
  for (const TValoresTabela& t : tabelas) {
    if (!t.Esquema || !t.Linhas || t.Esquema->Nome != QLatin1String("Restricoes")) continue;
    for (const auto& valores : *t.Linhas) {
      const TLinha l(*t.Esquema, valores);
      intervalos[l[QStringLiteral("codRestricao")].toLongLong()] = {
          l.Numero(QStringLiteral("MenorAd")), l.Numero(QStringLiteral("MaiorAd"))};
    }
  }
  for (const TTabelaBD& esquema : TabelasBD()) {
    for (const TValoresTabela& t : tabelas) {
      if (t.Esquema != &esquema || !t.Linhas) continue;
      const bool equacoes = esquema.Nome == QLatin1String("EQ_Tradicional") ||
                            esquema.Nome == QLatin1String("EQ_Conservacao");
      const bool estacoes = esquema.Nome == QLatin1String("EstFluviometricas");
      if (!equacoes && !estacoes) continue;
      for (std::size_t i = 0; i < t.Linhas->size(); ++i) {
        const TLinha l(esquema, (*t.Linhas)[i]);
        const auto r = equacoes ? ConfereEquacao(l, intervalos) : ConfereEstacao(l);
        if (r) return TFalhaReferencia{esquema.Nome, i, r->Coluna, r->Texto};
      }
    }
  }
  return std::nullopt;
}
