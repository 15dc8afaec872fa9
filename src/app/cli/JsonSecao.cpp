#include "app/cli/JsonSecao.h"

#include <QJsonArray>
#include <QLocale>
#include <cmath>

#include "base/Convencoes.h"
#include "hydro/TMalha.h"
#include "hydro/TPonto.h"

namespace {

QJsonObject Vazoes(const TVazoes& v) {
  return {{QStringLiteral("Q710"), v.Q710()},
          {QStringLiteral("Q90"), v.Q90()},
          {QStringLiteral("Q95"), v.Q95()},
          {QStringLiteral("Qmld"), v.Qmld()}};
}

template <typename F>
QJsonObject MesesNaoNulos(F&& le) {
  QJsonObject o;
  for (int ano = Convencao::AnoInicial; ano <= Convencao::AnoFinal; ++ano)
    for (int mes = 1; mes <= 12; ++mes)
      if (const double v = le(mes, ano); v != 0.0)
        o.insert(QStringLiteral("%1-%2").arg(ano).arg(mes, 2, 10, QLatin1Char('0')), v);
  return o;
}

}  // namespace

std::optional<double> NumeroCli(const QString& texto) {
  bool ok = false;
  double v = texto.toDouble(&ok);               // "269041.38"
  if (!ok) v = QLocale().toDouble(texto, &ok);  // "269041,38" under the regional settings
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

QJsonObject JsonSecao(const TPonto& p, const TMalha& malha, bool dentro,
                      const QStringList& mensagens) {
  return {
      {QStringLiteral("DentroDaBacia"), dentro},
      {QStringLiteral("Celula"), static_cast<double>(malha.IndiceCelula({p.CoordX(), p.CoordY()}))},
      {QStringLiteral("CodTrecho"), p.CodTrecho()},
      {QStringLiteral("CodEqConserv"), p.CodEqConserv()},
      {QStringLiteral("NomeRio"), p.NomeRio()},
      {QStringLiteral("Municipio"), p.Municipio()},
      {QStringLiteral("Estado"), p.Estado()},
      {QStringLiteral("Regiao"), p.Regiao()},
      {QStringLiteral("IdAdRegiao"), p.IdAdRegiao()},
      {QStringLiteral("CoordX"), p.CoordX()},
      {QStringLiteral("CoordY"), p.CoordY()},
      {QStringLiteral("Latitude"), p.Latitude()},
      {QStringLiteral("Longitude"), p.Longitude()},
      {QStringLiteral("LatitudeGMS"), p.LatitudeGMS()},
      {QStringLiteral("LongitudeGMS"), p.LongitudeGMS()},
      {QStringLiteral("AreaDrenagem"), p.AreaDrenagem()},
      {QStringLiteral("VazoesTradicional"), Vazoes(p.VazoesTradicional())},
      {QStringLiteral("VazoesProporcional"), Vazoes(p.VazoesProporcional())},
      {QStringLiteral("VazoesConservacao"), Vazoes(p.VazoesConservacao())},
      {QStringLiteral("OutorgadaEstadual"),
       MesesNaoNulos([&](int m, int a) { return p.OutorgadaEstadual(m, a); })},
      {QStringLiteral("OutorgadaFederal"),
       MesesNaoNulos([&](int m, int a) { return p.OutorgadaFederal(m, a); })},
      {QStringLiteral("Mensagens"), QJsonArray::fromStringList(mensagens)},
  };
}
