#include "amostra/Hidrologia.h"

#include <algorithm>
#include <cmath>

#include "base/Convencoes.h"

const char* const VarMinimaVazao[NumVazoes] = {"Q710Ob", "Q90Ob", "Q95Ob", "QmldOb"};
const char* const TipoVazao[NumVazoes] = {"Q7,10", "Q90", "Q95", "Qmld"};

namespace {

// Specific flows at 1 km², m³/s: Q7,10 < Q95 < Q90 < Qmld, about the ratios of a savanna river.
constexpr double Especifica[NumVazoes] = {0.0035, 0.0058, 0.0047, 0.016};

struct TLei {
  double Fator, Expoente;
};
// Regions 1 (wetter uplands), 2 (drier south-west) and 3 (the lower basin).
constexpr TLei LeisRegiao[3] = {{1.10, 0.97}, {0.90, 0.95}, {1.00, 0.98}};
// Rivers by Eq_Conserv 1..6: Paracatu, Preto, Claro, Sono, Santa Isabel, Prata.
constexpr TLei LeisRio[6] = {{1.04, 0.965}, {0.95, 0.955}, {1.07, 0.975},
                             {0.93, 0.96},  {1.05, 0.95},  {0.96, 0.97}};

double Lei(const TLei& l, int k, double ad) {
  return Especifica[k] * l.Fator * std::pow(ad, l.Expoente);
}

double Arredonda(double v, double passo) { return std::round(v / passo) * passo; }

// The four rows of one model kind fitted to a law over [a1, a2]: the shape is common to the four
// flows and only the scale changes, so their order holds at every area. A straight line is fitted
// from the smallest network cell up, so that its intercept stays small.
void Ajusta(TConjuntoEquacoes& e, const QString& modelo, const TLei& l, double a1) {
  const double a2 = e.MaiorAd, b = l.Expoente;
  for (int k = 0; k < NumVazoes; ++k) {
    const double s = Especifica[k] * l.Fator;
    TLinhaEquacao r{modelo, 0, 0, QString::fromLatin1(VarMinimaVazao[k]),
                    QString::fromLatin1(TipoVazao[k])};
    if (modelo == QLatin1String("Pot")) {
      r.B0 = s;
      r.BAd = b;
    } else if (modelo == QLatin1String("Lin")) {
      // The chord of the law between the ends of the range.
      const double inclinacao = (std::pow(a2, b) - std::pow(a1, b)) / (a2 - a1);
      r.BAd = s * inclinacao;
      r.B0 = s * (std::pow(a1, b) - inclinacao * a1);
    } else {  // "Exp": through the law at both ends, in logarithms
      r.BAd = b * (std::log(a2) - std::log(a1)) / (a2 - a1);
      r.B0 = std::log(s) + b * std::log(a1) - r.BAd * a1;
    }
    e.Linhas.push_back(r);
  }
}

}  // namespace

double VazaoDaRegiao(int k, int regiao, double ad) { return Lei(LeisRegiao[regiao - 1], k, ad); }

double AvaliaModeloAmostra(const QString& modelo, double b0, double bAd, double ad) {
  double q = 0;
  if (modelo == QLatin1String("Lin"))
    q = bAd * ad + b0;
  else if (modelo == QLatin1String("Pot"))
    q = ad > 0 ? b0 * std::pow(ad, bAd) : 0.0;
  else if (modelo == QLatin1String("Exp"))
    q = std::exp(bAd * ad + b0);
  else if (modelo == QLatin1String("Log") || modelo == QLatin1String("Rec"))
    q = b0;
  return std::isfinite(q) ? q : 0.0;
}

double TConjuntoEquacoes::Vazao(int k, double ad) const {
  double q = 0;
  for (const auto& l : Linhas)
    if (l.VarMinima == QLatin1String(VarMinimaVazao[k]))
      q = AvaliaModeloAmostra(l.Modelo, l.B0, l.BAd, ad);
  return q;
}

THidrologia MontaHidrologia(const TBacia& b) {
  THidrologia h;
  // A regional study fits its equations on gauged basins of some size: the smallest mapped
  // creeks lie below the range.
  const double menor = Arredonda(4.0 * b.LimiarMapeada * Convencao::AreaCelulaKm2, 0.1);
  const double menorRede = b.LimiarRede * Convencao::AreaCelulaKm2;
  double maior[4] = {0, 0, 0, 0};
  for (std::int32_t c : b.Ordem) {
    const int r = b.Unidade[c] / 100;
    maior[r] = std::max(maior[r], b.Fluxo[c] * Convencao::AreaCelulaKm2);
  }
  for (int r = 1; r <= 3; ++r) {
    TConjuntoEquacoes e;
    e.Chave = r;
    e.CodRestricao = r;
    e.MenorAd = menor;
    e.MaiorAd = std::max(menor * 2, std::ceil(maior[r]));
    const TLei& lei = LeisRegiao[r - 1];
    if (r == 2) {
      Ajusta(e, QStringLiteral("Lin"), lei, menorRede);
    } else if (r == 1) {
      Ajusta(e, QStringLiteral("Pot"), lei, menorRede);
    } else {
      // Rows that a later row overrides, and a naturalized row that the computations ignore,
      // are part of a real table too.
      const double meio = (e.MenorAd + e.MaiorAd) / 2;
      e.Linhas.push_back({QStringLiteral("Log"), Lei(lei, 1, meio), 0.0,
                          QString::fromLatin1(VarMinimaVazao[1]),
                          QString::fromLatin1(TipoVazao[1])});
      e.Linhas.push_back({QStringLiteral("Rec"), Lei(lei, 2, meio), 0.0,
                          QString::fromLatin1(VarMinimaVazao[2]),
                          QString::fromLatin1(TipoVazao[2])});
      Ajusta(e, QStringLiteral("Pot"), lei, menorRede);
      e.Linhas.push_back({QStringLiteral("Pot"), Especifica[0] * lei.Fator * 1.08, lei.Expoente,
                          QStringLiteral("Q710Nat"), QStringLiteral("Q7,10")});
    }
    h.Regioes.push_back(std::move(e));
  }
  for (const TRio& rio : b.Rios) {
    if (!rio.EqConserv) continue;
    TConjuntoEquacoes e;
    e.Chave = rio.EqConserv;
    e.CodRestricao = 10 + rio.EqConserv;
    const auto& cel = rio.Celulas;
    e.MaiorAd = std::max(2.0, std::ceil(b.Fluxo[cel.back()] * Convencao::AreaCelulaKm2));
    e.MenorAd = std::clamp(Arredonda(b.Fluxo[cel[cel.size() / 10]] * Convencao::AreaCelulaKm2, 0.1),
                           0.1, e.MaiorAd / 2);
    const TLei& lei = LeisRio[(rio.EqConserv - 1) % 6];
    const double cabeceira = std::max(menorRede, b.Fluxo[cel.front()] * Convencao::AreaCelulaKm2);
    if (rio.EqConserv == 6) {
      // An exponential fitted by an earlier study over the river's range, superseded by the
      // power law that follows it.
      TConjuntoEquacoes antiga = e;
      Ajusta(antiga, QStringLiteral("Exp"), lei, e.MenorAd);
      e.Linhas.push_back(antiga.Linhas[2]);
    }
    Ajusta(e,
           rio.EqConserv == 2 || rio.EqConserv == 5 ? QStringLiteral("Lin") : QStringLiteral("Pot"),
           lei, cabeceira);
    h.Rios.push_back(std::move(e));
  }
  return h;
}
