#include "amostra/Demanda.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>
#include <map>

#include "base/Convencoes.h"

namespace {

bool Em(int a, int regiao) { return a / 100 == regiao && a % 100 != 0; }

// The units that the program takes as lying below a section of each unit.
const std::map<int, std::vector<int>>& AJusante() {
  static const std::map<int, std::vector<int>> lista = {
      {111, {103, 104, 105, 106, 107, 112, 113, 114}},
      {112, {104, 105, 106, 107, 113, 114}},
      {113, {105, 106, 114}},
      {114, {101, 102, 103, 104, 107, 111, 112, 113}},
      {211, {202, 203, 204, 205, 206, 212, 213, 214, 215, 216}},
      {212, {201, 202, 204, 205, 206, 211, 213, 214, 215}},
      {213, {206, 215, 216}},
      {214, {201, 202, 203, 204, 206, 211, 212, 213, 215}},
      {215, {201, 202, 203, 204, 205, 211, 212, 213, 214}},
      {311, {302, 303, 304, 305, 312}},
  };
  return lista;
}

const char* const NomesClasses[] = {"verde", "amarelo", "laranja", "vermelho"};

}  // namespace

TDemanda::TDemanda(const TBacia& b, std::vector<TAlvoDemanda> alvos)
    : B_(b), Alvos_(std::move(alvos)) {
  Estadual_.assign(Alvos_.size(), std::vector<double>(demanda::Meses, 0.0));
  Federal_ = Estadual_;
  std::int32_t maiorHo = 0, maiorNo = 0;
  for (const auto& t : b.Trechos) {
    maiorHo = std::max(maiorHo, t.Ho);
    maiorNo = std::max({maiorNo, t.Fnode, t.Tnode});
  }
  TnodeDe_.assign(static_cast<std::size_t>(maiorHo) + 1, 0);
  HoDoFnode_.assign(static_cast<std::size_t>(maiorNo) + 1, 0);
  // The first record in record order wins, as in the program's lookups.
  for (auto it = b.Trechos.rbegin(); it != b.Trechos.rend(); ++it) {
    TnodeDe_[it->Ho] = it->Tnode;
    HoDoFnode_[it->Fnode] = it->Ho;
  }
}

std::int32_t TDemanda::Tnode(std::int32_t ho) const {
  return ho > 0 && ho < static_cast<std::int32_t>(TnodeDe_.size()) ? TnodeDe_[ho] : 0;
}

std::int32_t TDemanda::SaiDoNo(std::int32_t no) const {
  return no > 0 && no < static_cast<std::int32_t>(HoDoFnode_.size()) ? HoDoFnode_[no] : 0;
}

bool TDemanda::PelaRede(const TAlvoDemanda& s, std::int64_t c) const {
  // Down the flow directions to the mapped drainage, then down the arcs.
  for (std::int64_t passos = 0; !B_.Mapeada[c]; ++passos) {
    const std::int64_t j = B_.Jusante(c);
    if (j < 0 || passos > B_.Celulas()) return false;
    c = j;
  }
  const std::int32_t arco = B_.Mapeada[c];
  if (arco == s.Ho) return true;
  std::int32_t n = Tnode(arco), t = 0;
  for (std::size_t passos = 0;
       n != Convencao::NoExutorio && t != Convencao::TrechoExutorio && passos <= B_.Trechos.size();
       ++passos) {
    t = SaiDoNo(n);
    if (t == s.Ho || t == 0) return true;
    n = Tnode(t);
  }
  return false;
}

bool TDemanda::AMontante(std::size_t i, std::int64_t c) const {
  if (c < 0 || !B_.Dentro[c]) return false;
  const TAlvoDemanda& s = Alvos_[i];
  const int a = B_.Unidade[c], r = s.Regiao, u = s.Unidade;
  const bool paracatu = s.Rio == QStringLiteral("Rio Paracatu");
  if (r == 1 && (Em(a, 2) || Em(a, 3))) return false;
  if (r == 2 && (Em(a, 1) || Em(a, 3))) return false;
  if (r == 3 && u != 312 && (Em(a, 1) || Em(a, 2))) return false;
  if (r == 3 && paracatu && (Em(a, 1) || Em(a, 2))) return true;
  if (u == 312 && !paracatu && (Em(a, 1) || Em(a, 2))) return false;
  if (r < 1 || r > 3) return false;
  if (a == u) return PelaRede(s, c);
  if (u >= r * 100 + 1 && u <= r * 100 + (r == 1 ? 9 : 8)) return false;
  const auto it = AJusante().find(u);
  if (it != AJusante().end() &&
      std::find(it->second.begin(), it->second.end(), a) != it->second.end())
    return false;
  return PelaRede(s, c);
}

void TDemanda::Soma(std::vector<std::vector<double>>& tabela, std::int64_t c, const QDate& inicio,
                    int meses, const std::array<double, 12>& vazoes) {
  if (!inicio.isValid() || meses <= 0) return;
  for (std::size_t i = 0; i < Alvos_.size(); ++i) {
    if (!AMontante(i, c)) continue;
    int ano = inicio.year(), mes = inicio.month();
    for (int m = 0; m < meses; ++m) {
      const int k = (ano - demanda::AnoInicial) * 12 + mes - 1;
      if (k >= 0 && k < demanda::Meses) tabela[i][k] += vazoes[mes - 1];
      if (++mes > 12) {
        mes = 1;
        ++ano;
      }
    }
  }
}

void TDemanda::SomaEstadual(std::int64_t c, double vazao, const QDate& inicio, int meses) {
  std::array<double, 12> v;
  v.fill(vazao);
  Soma(Estadual_, c, inicio, meses, v);
}

void TDemanda::SomaFederal(std::int64_t c, const std::array<double, 12>& vazoes,
                           const QDate& inicio, const QDate& fim) {
  if (!inicio.isValid() || !fim.isValid()) return;
  const int meses = 12 * (fim.year() - inicio.year()) + fim.month() - inicio.month() + 1;
  Soma(Federal_, c, inicio, meses, vazoes);
}

QString TDemanda::Classe(double parcela) {
  return QString::fromLatin1(parcela <= 70    ? NomesClasses[0]
                             : parcela <= 90  ? NomesClasses[1]
                             : parcela <= 100 ? NomesClasses[2]
                                              : NomesClasses[3]);
}

double TDemanda::Parcela(double permissivel, double total) {
  // The availability is shown with three decimals and read back from the table.
  const double mostrada = std::round((permissivel - total) * 1000) / 1000;
  return (permissivel - mostrada) * 100 / permissivel;
}

QJsonObject TDemanda::Classes(std::size_t i) const {
  int meses[4] = {0, 0, 0, 0};
  for (int k = 0; k < demanda::Meses; ++k) {
    const QString c = Classe(Parcela(Alvos_[i].Permissivel, Total(i, k)));
    for (int j = 0; j < 4; ++j)
      if (c == QLatin1String(NomesClasses[j])) ++meses[j];
  }
  QJsonArray vistas;
  QJsonObject porClasse;
  for (int j = 0; j < 4; ++j) {
    if (meses[j]) vistas.append(QString::fromLatin1(NomesClasses[j]));
    porClasse.insert(QString::fromLatin1(NomesClasses[j]), meses[j]);
  }
  return QJsonObject{{QStringLiteral("classes"), vistas},
                     {QStringLiteral("mesesPorClasse"), porClasse}};
}
