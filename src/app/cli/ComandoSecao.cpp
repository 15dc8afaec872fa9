// torveda-cli secao: places the section of interest at a point, as the location window does
// (answering Yes to every question), runs the regionalizations and the upstream grants, and
// prints the section as one JSON object.
//
//   secao --xy X Y                  projected coordinates, metres
//   secao --latlong DDMMSS DDMMSS   latitude and longitude typed as in the window, south and
//                                   west positive
//   --outorgas                      also list every grant the upstream sum examined (by default
//                                   only how many it counted and left out)
//
// Exit codes: 0 placed (computed, or off the mapped drainage); 1 the data tree did not load or
// a computation failed; 2 bad arguments or unreadable coordinates; 3 outside the basin, nothing
// computed and no layer written.

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <cmath>
#include <cstdio>
#include <optional>

#include "app/cli/Cli.h"
#include "app/cli/JsonSecao.h"
#include "base/Erro.h"
#include "base/LeituraNumero.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/TMalha.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

int Secao(const TComandoCli& comando, TContextoCli& ctx) {
  QStringList a = ctx.Args;
  const bool listas = a.removeAll(QStringLiteral("--outorgas")) > 0;
  if (a.size() != 3 || (a[0] != QStringLiteral("--xy") && a[0] != QStringLiteral("--latlong")))
    return ErroDeUso(comando, QStringLiteral("Informe --xy X Y ou --latlong DDMMSS DDMMSS."));
  const bool xy = a[0] == QStringLiteral("--xy");
  std::optional<double> x, y;
  if (xy) {
    x = LeNumeroDigitado(a[1], TPontoDecimal::Aceito);
    y = LeNumeroDigitado(a[2], TPontoDecimal::Aceito);
    if (!x || !y) return ErroDeUso(comando, QStringLiteral("Coordenadas inválidas."));
  }

  auto sistema = IniciaSistemaParaCalculo(ctx, CamadasDaBacia());
  if (!sistema) return 1;
  const TBacia bacia = BaciaDoSistema(*sistema);
  TPonto& ponto = *sistema->Ponto;
  // Only what the placement and the computations show.
  ctx.Apresentador.Limpa();
  const TResultadoSecao r =
      xy ? ColocaSecao(ponto, bacia, TPontoMapa{*x, *y}, TFormaPonto::Mapa, ctx.Apresentador)
         : ColocaSecaoDigitada(ponto, bacia, a[1], a[2], ctx.Apresentador);
  if (r == TResultadoSecao::EntradaInvalida) return 2;
  const bool dentro = r != TResultadoSecao::ForaDaBacia;
  const TMalha malha(*sistema->HeaderMDE);
  if (listas) {
    const QByteArray texto =
        TextoJsonSecaoComListas(ponto, malha, dentro, ctx.Apresentador.Mensagens());
    std::fwrite(texto.constData(), 1, static_cast<size_t>(texto.size()), stdout);
    std::fflush(stdout);
  } else {
    ImprimeJson(
        JsonSecao(ponto, malha, dentro, ctx.Apresentador.Mensagens(), TListasOutorgas::Omitidas));
  }
  return dentro ? 0 : 3;
}

const TComandoCli ComandoSecao{QStringLiteral("secao"),
                               QStringLiteral("(--xy X Y | --latlong DDMMSS DDMMSS) [--outorgas]"),
                               [](TContextoCli& ctx) { return Secao(ComandoSecao, ctx); }};

[[maybe_unused]] const bool registrado = RegistraComando(ComandoSecao);

}  // namespace
