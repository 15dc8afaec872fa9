#include "hydro/TOrigem.h"

#include <QLocale>
#include <algorithm>

namespace {

// Numbers in the descriptions: the regional separators, six significant digits, no trailing
// zeros ("4.500", "0,5", "19,9054").
QString Num(double v, int digitos = 6) { return QLocale().toString(v, 'g', digitos); }

QString Km2(double v) { return Num(v) + QStringLiteral(" km²"); }

}  // namespace

const std::array<QString, NumVazoesReferencia>& NomesVazoesReferencia() {
  static const std::array<QString, NumVazoesReferencia> nomes{
      QStringLiteral("Q7,10"), QStringLiteral("Q90"), QStringLiteral("Q95"),
      QStringLiteral("Qmld")};
  return nomes;
}

const std::array<QString, NumVazoesReferencia>& ChavesVazoesReferencia() {
  static const std::array<QString, NumVazoesReferencia> chaves{
      QStringLiteral("Q710"), QStringLiteral("Q90"), QStringLiteral("Q95"), QStringLiteral("Qmld")};
  return chaves;
}

bool TIntervaloValidade::Contem(double ad) const {
  if (MenorAd && ad < *MenorAd) return false;
  if (MaiorAd && ad > *MaiorAd) return false;
  return true;
}

QString TIntervaloValidade::Texto() const {
  // Bounds are given with up to ten significant digits: a range of 0,0025 km² cells must not
  // round to a neighbour.
  const QString menor = MenorAd ? Num(*MenorAd, 10) : QStringLiteral("…");
  const QString maior = MaiorAd ? Num(*MaiorAd, 10) : QStringLiteral("…");
  return menor + QStringLiteral("–") + maior + QStringLiteral(" km²");
}

QString AvisoForaDoIntervalo(const TIntervaloValidade& intervalo) {
  return QStringLiteral("fora do intervalo de validade da equação: ") + intervalo.Texto();
}

QString TEquacaoUsada::Descricao() const {
  QString selecao = Tabela == QLatin1String("EQ_Tradicional")
                        ? QStringLiteral("região %1").arg(Regiao)
                        : QStringLiteral("rio %1").arg(CodRio);
  QString d = QStringLiteral("%1 %2 (%3, %4): B0 = %5; BAd = %6; Ad = %7 (%8) → %9 m³/s")
                  .arg(Tabela)
                  .arg(Chave)
                  .arg(selecao, Modelo.isEmpty() ? QStringLiteral("sem modelo") : Modelo, Num(B0),
                       Num(BAd), Km2(AreaAvaliada), Papel, Num(Resultado));
  if (Intervalo)
    d += QStringLiteral("; intervalo de validade ") + Intervalo->Texto();
  else if (CodRestricao)
    d += QStringLiteral("; restrição %1 sem linha em Restricoes").arg(*CodRestricao);
  else
    d += QStringLiteral("; sem intervalo de validade");
  return d;
}

QString TEstacaoUsada::Descricao() const {
  QString d = QStringLiteral("Estação %1 (%2)").arg(Codigo).arg(Papel);
  if (!Encontrada) return d + QStringLiteral(": não encontrada em EstFluviometricas");
  d += QStringLiteral(": Ad = ") + Km2(Ad);
  for (std::size_t i = 0; i < NumVazoesReferencia; ++i)
    d += QStringLiteral("; ") + NomesVazoesReferencia()[i] + QStringLiteral(" = ") + Num(Q[i]);
  return d + QStringLiteral(" m³/s");
}

QString TConfluenciaUsada::Descricao() const {
  auto area = [](const std::optional<double>& a) {
    return a ? Km2(*a) : QStringLiteral("célula não encontrada");
  };
  QString d = QStringLiteral("Confluência do trecho %1 com o trecho %2: abaixo %3")
                  .arg(TrechoAfluente)
                  .arg(TrechoReceptor)
                  .arg(area(AdAbaixo));
  if (AdAfluente || AdAcima || TrechoAfluente != 0) {
    if (AdAfluente) d += QStringLiteral("; afluente ") + Km2(*AdAfluente);
    if (AdAcima) d += QStringLiteral("; acima ") + Km2(*AdAcima);
  }
  return d;
}

void TOrigemMetodo::MarcaIntervalos() {
  for (std::size_t i = 0; i < NumVazoesReferencia; ++i) {
    for (const TEquacaoUsada* e : EquacoesDaVazao(i)) {
      if (!e->ForaDoIntervalo()) continue;
      const QString aviso = AvisoForaDoIntervalo(*e->Intervalo);
      if (!Avisos[i].contains(aviso)) Avisos[i] << aviso;
    }
  }
}

std::vector<const TEquacaoUsada*> TOrigemMetodo::EquacoesDaVazao(std::size_t i) const {
  std::vector<const TEquacaoUsada*> r;
  for (const TEquacaoUsada& e : Equacoes)
    if (e.Vazao == i) r.push_back(&e);
  return r;
}

QStringList TOrigemMetodo::Linhas(std::size_t i) const {
  QStringList l;
  if (!Resumo.isEmpty()) l << Resumo;
  for (const TEstacaoUsada& e : Estacoes) l << e.Descricao();
  if (Confluencia) l << Confluencia->Descricao();
  for (const TEquacaoUsada* e : EquacoesDaVazao(i)) l << e->Descricao();
  if (i < NumVazoesReferencia) {
    if (!Motivos[i].isEmpty()) l << QStringLiteral("Sem estimativa: ") + Motivos[i];
    for (const QString& a : Avisos[i]) l << QStringLiteral("Atenção: ") + a;
  }
  return l;
}

QStringList TOrigemMetodo::AvisosDoMetodo() const {
  QStringList l;
  for (std::size_t i = 0; i < NumVazoesReferencia; ++i) {
    const QString nome = NomesVazoesReferencia()[i] + QStringLiteral(": ");
    if (!Motivos[i].isEmpty()) l << nome + Motivos[i];
    for (const QString& a : Avisos[i]) l << nome + a;
  }
  return l;
}
