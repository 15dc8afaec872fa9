// torveda-cli secao: places the section of interest at a point, as the location window does
// (answering Yes to every question), runs the regionalizations and the upstream grants, and
// prints the section as one JSON object.
//
//   secao --xy X Y                  projected coordinates, metres
//   secao --latlong DDMMSS DDMMSS   latitude and longitude typed as in the window, south and
//                                   west positive
//
// Exit codes: 0 placed (computed, or off the mapped drainage); 1 the data tree did not load or
// a computation failed; 2 bad arguments or unreadable coordinates; 3 outside the basin, nothing
// computed and no layer written.

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <cmath>
#include <optional>

#include "app/Erro.h"
#include "app/TSistema.h"
#include "app/cli/Cli.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/TMalha.h"
#include "hydro/TPonto.h"

namespace {

std::optional<double> Numero(const QString& texto) {
  bool ok = false;
  double v = texto.toDouble(&ok);               // "269041.38"
  if (!ok) v = QLocale().toDouble(texto, &ok);  // "269041,38" under the regional settings
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

QJsonObject Vazoes(const TVazoes& v) {
  return {{QStringLiteral("Q710"), v.Q710()},
          {QStringLiteral("Q90"), v.Q90()},
          {QStringLiteral("Q95"), v.Q95()},
          {QStringLiteral("Qmld"), v.Qmld()}};
}

// "AAAA-MM" -> m^3/s, the months whose value is not 0.
template <typename F>
QJsonObject Meses(F&& le) {
  QJsonObject o;
  for (int ano = Convencao::AnoInicial; ano <= Convencao::AnoFinal; ++ano)
    for (int mes = 1; mes <= 12; ++mes) {
      const double v = le(mes, ano);
      if (v != 0.0) o.insert(QStringLiteral("%1-%2").arg(ano).arg(mes, 2, 10, QLatin1Char('0')), v);
    }
  return o;
}

QJsonObject Json(const TPonto& p, const TMalha& malha, bool dentro, const QStringList& mensagens) {
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
       Meses([&](int m, int a) { return p.OutorgadaEstadual(m, a); })},
      {QStringLiteral("OutorgadaFederal"),
       Meses([&](int m, int a) { return p.OutorgadaFederal(m, a); })},
      {QStringLiteral("Mensagens"), QJsonArray::fromStringList(mensagens)},
  };
}

int Secao(const TComandoCli& comando, TContextoCli& ctx) {
  const QStringList& a = ctx.Args;
  if (a.size() != 3 || (a[0] != QStringLiteral("--xy") && a[0] != QStringLiteral("--latlong")))
    return ErroDeUso(comando, QStringLiteral("Informe --xy X Y ou --latlong DDMMSS DDMMSS."));
  const bool xy = a[0] == QStringLiteral("--xy");
  std::optional<double> x, y;
  if (xy) {
    x = Numero(a[1]);
    y = Numero(a[2]);
    if (!x || !y) return ErroDeUso(comando, QStringLiteral("Coordenadas inválidas."));
  }

  auto sistema = IniciaSistema(ctx);
  try {
    const TBacia bacia = BaciaDoSistema(*sistema);
    TPonto& ponto = *sistema->Ponto;
    // Only what the placement and the computations show.
    ApresentadorCli().Limpa();
    const TResultadoSecao r = xy ? ColocaSecaoNoPonto(ponto, bacia, TPontoMapa{*x, *y})
                                 : ColocaSecaoDigitada(ponto, bacia, a[1], a[2]);
    if (r == TResultadoSecao::EntradaInvalida) return 2;
    const bool dentro = r != TResultadoSecao::ForaDaBacia;
    ImprimeJson(Json(ponto, TMalha(*sistema->HeaderMDE), dentro, ApresentadorCli().Mensagens()));
    return dentro ? 0 : 3;
  } catch (const ETorveda& e) {
    Apresentador().Erro(e.mensagem());
  } catch (const std::exception& e) {
    Apresentador().Erro(QString::fromLocal8Bit(e.what()));
  }
  return 1;
}

const TComandoCli ComandoSecao{QStringLiteral("secao"),
                               QStringLiteral("(--xy X Y | --latlong DDMMSS DDMMSS)"),
                               [](TContextoCli& ctx) { return Secao(ComandoSecao, ctx); }};

[[maybe_unused]] const bool registrado = RegistraComando(ComandoSecao);

}  // namespace
