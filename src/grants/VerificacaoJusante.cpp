#include "grants/VerificacaoJusante.h"

#include <QJsonArray>
#include <cmath>
#include <unordered_map>

#include "base/Convencoes.h"
#include "grants/AnaliseOutorga.h"
#include "grants/FormataNumero.h"
#include "hydro/DetectorCiclo.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"

namespace {

// Distance along the flow path from a cell to the last cell of each mapped arc it crosses, km.
std::unordered_map<std::int32_t, double> DistanciasPeloFluxo(const TRede& rede,
                                                             std::int64_t celula) {
  std::unordered_map<std::int32_t, double> distancias;
  const TMalha& malha = rede.Malha();
  const double lado = malha.CellSize() / 1000.0;
  double km = 0.0;
  std::int64_t c = celula;
  TDetectorCiclo ciclo(c);
  while (c != TMalha::CelulaFora) {
    if (const double v = rede.HidroMapeada(c); v != Convencao::SemDado)
      if (const auto h = TruncaCodigo(v)) distancias[*h] = km;
    const std::int64_t abaixo = malha.VizinhoD8(c, rede.DirEsc(c));
    if (abaixo == TMalha::CelulaFora || ciclo.Passo(abaixo)) break;
    const bool diagonal = (abaixo % malha.NCols() != c % malha.NCols()) &&
                          (abaixo / malha.NCols() != c / malha.NCols());
    km += diagonal ? lado * std::sqrt(2.0) : lado;
    c = abaixo;
  }
  return distancias;
}

}  // namespace

QString TextoJusante(const TVerificacaoJusante& v) {
  if (!v.PrimeiraFalha)
    return QStringLiteral("Jusante: critério atendido em todos os trechos até o exutório");
  const TTrechoJusante& t = v.Trechos[*v.PrimeiraFalha];
  return QStringLiteral(
             "Jusante: critério não atendido no trecho %1 (%2), a %3 km da seção; "
             "pior mês: ")
             .arg(t.Fim.Trecho)
             .arg(t.Rio, FormataDecimal(t.DistanciaKm, 1, 1)) +
         NomeMesAno(t.PiorMes, t.PiorAno) + QStringLiteral(", ") + FormataTabela(t.PiorDisponivel) +
         QStringLiteral(" m³/s");
}

TVerificacaoJusante VerificaJusante(const TBacia& bacia, const TRede& rede,
                                    const TRedeBalanco& dados, const TPonto& secao,
                                    const TResultadoOutorga& r, TApresentador& apresentador) {
  TVerificacaoJusante v;
  if (!r.Completo() || r.Meses.empty() || !secao.SobreHidrografia()) return v;
  const TCriterioOutorga& criterio = r.Entradas.Criterio;
  bool inteiro = false;
  const int p = LeInteiro(criterio.Percentual, &inteiro);
  if (!inteiro) return v;

  const std::int64_t celula = rede.Malha().IndiceCelula(TPontoMapa{secao.CoordX(), secao.CoordY()});
  const auto distancias = DistanciasPeloFluxo(rede, celula);
  const TMesOutorga& primeiro = r.Meses.front();
  const std::int32_t primeiroMes = primeiro.Ano * 12 + primeiro.Mes - 1;
  const int n = static_cast<int>(r.Meses.size());

  TPonto ponto;
  for (const std::int32_t h : TrechosAbaixo(rede, secao.CodTrecho())) {
    const TFimTrecho* f = dados.Fins.Fim(h);
    const auto colocada = f ? dados.Secao(bacia, rede, *f, criterio.Metodo, apresentador) : nullptr;
    if (!colocada || !colocada->Colocada) {
      v.NaoVerificados.push_back(h);
      continue;
    }
    PreencheSecao(ponto, *colocada, criterio.Metodo);
    TTrechoJusante t;
    t.Fim = *f;
    t.Rio = colocada->Rio;
    const auto d = distancias.find(h);
    t.DistanciaKm =
        d != distancias.end()
            ? d->second
            : std::hypot(f->Centro.X - secao.CoordX(), f->Centro.Y - secao.CoordY()) / 1000.0;
    const double a = VazaoCriterio(ponto, criterio.Referencia, criterio.Metodo, p);
    t.VazaoCriterio = a;
    const TSomasMensais s = dados.Somas(ponto, *f, rede, primeiroMes, n);
    // As the grant tables write the availability after the grant, with one number of places for
    // the whole period, and read it back.
    std::vector<double> semArredondar(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      const auto k = static_cast<std::size_t>(i);
      semArredondar[k] = a - r.Meses[k].Solicitada.value_or(0.0) - s.Estadual[k] - s.Federal[k];
    }
    const int casas = CasasDaColuna(semArredondar);
    double exibido = 0.0;
    for (int i = 0; i < n; ++i) {
      const auto k = static_cast<std::size_t>(i);
      const TMesOutorga& m = r.Meses[k];
      // Most months repeat the month before, and writing a number out is the dearest step here.
      if (i == 0 || semArredondar[k] != semArredondar[k - 1]) {
        bool ok = false;
        const double lido = LeNumero(FormataFixo(semArredondar[k], casas), &ok);
        exibido = ok ? lido : 0.0;
      }
      if (i == 0 || exibido < t.PiorDisponivel) {
        t.PiorMes = m.Mes;
        t.PiorAno = m.Ano;
        t.PiorDisponivel = exibido;
      }
    }
    t.Atende = t.PiorDisponivel >= 0.0;
    if (!t.Atende && !v.PrimeiraFalha) v.PrimeiraFalha = v.Trechos.size();
    v.Trechos.push_back(std::move(t));
  }
  return v;
}

namespace {

QJsonObject JsonTrecho(const TTrechoJusante& t) {
  return QJsonObject{{QStringLiteral("Trecho"), t.Fim.Trecho},
                     {QStringLiteral("Rio"), t.Rio},
                     {QStringLiteral("Celula"), static_cast<qint64>(t.Fim.Celula)},
                     {QStringLiteral("X"), t.Fim.Centro.X},
                     {QStringLiteral("Y"), t.Fim.Centro.Y},
                     {QStringLiteral("DistanciaKm"), t.DistanciaKm},
                     {QStringLiteral("VazaoCriterio"), t.VazaoCriterio},
                     {QStringLiteral("PiorMes"), QStringLiteral("%1-%2").arg(t.PiorAno).arg(
                                                     t.PiorMes, 2, 10, QLatin1Char('0'))},
                     {QStringLiteral("PiorDisponivel"), t.PiorDisponivel},
                     {QStringLiteral("Atende"), t.Atende}};
}

}  // namespace

QJsonObject JsonJusante(const TVerificacaoJusante& v) {
  QJsonArray trechos;
  for (const TTrechoJusante& t : v.Trechos) trechos.append(JsonTrecho(t));
  QJsonArray nao;
  for (std::int32_t h : v.NaoVerificados) nao.append(h);
  return QJsonObject{
      {QStringLiteral("Texto"), TextoJusante(v)},
      {QStringLiteral("Trechos"), trechos},
      {QStringLiteral("PrimeiraFalha"),
       v.PrimeiraFalha ? QJsonValue(JsonTrecho(v.Trechos[*v.PrimeiraFalha])) : QJsonValue()},
      {QStringLiteral("NaoVerificados"), nao}};
}
