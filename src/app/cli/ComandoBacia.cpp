// torveda-cli bacia: the contributing basin of a section, written as a vector file.
//
//   bacia (--xy X Y | --latlong DDMMSS DDMMSS) --saida ARQ.gpkg|ARQ.shp [--outorgas]
//
// Places the section at the point as the location window does (without writing the "Ponto"
// layer and without the regionalizations), delineates the cells that drain to the section's
// cell, writes their outline with the section's identification and drainage area, and prints
// JSON: the section, the basin (cells, area, polygons, rings, extent, file) and the surface
// grants on which the outline and the upstream-grant rules disagree, with the rule's verdict.
// The section's own lists of examined grants come only with --outorgas, as in `secao`.
//
// Exit codes: 0 written; 1 the data tree did not load or the file could not be written; 2 bad
// arguments or unreadable coordinates; 3 outside the basin, nothing written.

#include <QJsonArray>
#include <QJsonObject>
#include <optional>

#include "app/cli/Cli.h"
#include "app/cli/JsonSecao.h"
#include "base/Erro.h"
#include "base/LeituraNumero.h"
#include "gis/TCamada.h"
#include "hydro/BaciaDaSecao.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/TPonto.h"
#include "hydro/TextoGMS.h"
#include "sistema/TSistema.h"

namespace {

QJsonArray Outorgas(const std::vector<TOutorgaExaminada>& lista,
                    const TOutorgasConsideradas& todas) {
  QJsonArray a;
  for (const TOutorgaExaminada& o : lista)
    a.append(QJsonObject{
        {QStringLiteral("Cadastro"), o.Cadastro()},
        {QStringLiteral("Camada"), o.NomeCamada()},
        {QStringLiteral("Registro"), o.Registro},
        {QStringLiteral("Requerente"), todas.Requerente(o)},
        {QStringLiteral("X"), o.Ponto.X},
        {QStringLiteral("Y"), o.Ponto.Y},
        {QStringLiteral("Regra"), o.TextoRegra(todas.UnidadeSecao, todas.TrechoSecao)}});
  return a;
}

int Bacia(const TComandoCli& comando, TContextoCli& ctx) {
  QStringList a = ctx.Args;
  const bool listas = a.removeAll(QStringLiteral("--outorgas")) > 0;
  const qsizetype s = a.indexOf(QStringLiteral("--saida"));
  if (a.size() != 5 || (s != 3 && s != 0))
    return ErroDeUso(comando, QStringLiteral("Informe o ponto e --saida ARQ.gpkg|ARQ.shp."));
  const QString saida = a[s + 1];
  const QStringList p = s == 0 ? a.mid(2) : a.mid(0, 3);
  if (p[0] != QStringLiteral("--xy") && p[0] != QStringLiteral("--latlong"))
    return ErroDeUso(comando, QStringLiteral("Informe --xy X Y ou --latlong DDMMSS DDMMSS."));
  const QString extensao = saida.section(QLatin1Char('.'), -1).toLower();
  if (extensao != QStringLiteral("gpkg") && extensao != QStringLiteral("shp"))
    return ErroDeUso(comando, QStringLiteral("O arquivo de saída deve ser .gpkg ou .shp."));
  TPontoMapa ponto;
  const bool digitada = p[0] == QStringLiteral("--latlong");
  if (!digitada) {
    const auto x = LeNumeroDigitado(p[1], TPontoDecimal::Aceito);
    const auto y = LeNumeroDigitado(p[2], TPontoDecimal::Aceito);
    if (!x || !y) return ErroDeUso(comando, QStringLiteral("Coordenadas inválidas."));
    ponto = {*x, *y};
  } else {
    const QString erroEntrada = QStringLiteral("Favor inserir os valores de Latitude e Longitude.");
    if (!FormatoDDMMSS(p[1]) || !FormatoDDMMSS(p[2])) return ErroDeUso(comando, erroEntrada);
    try {
      ponto = PontoDeDDMMSS(p[1], p[2]);
    } catch (const ECoordenadaGMS& e) {
      return ErroDeUso(comando, e.mensagem());
    } catch (const ETorveda&) {
      return ErroDeUso(comando, erroEntrada);
    }
  }

  auto sistema = IniciaSistema(ctx);
  const TBacia bacia = BaciaDoSistema(*sistema);
  ctx.Apresentador.Limpa();
  TPonto& secao = *sistema->Ponto;
  // The grants are compared with what the upstream sum makes of them, so they are examined as
  // the sum examines them (off the mapped drainage nothing is summed, and nothing compared).
  // Nothing is shown or written to the "Ponto" layer, and no flow is estimated.
  TOpcoesColocacao opcoes;
  opcoes.Mostra = false;
  opcoes.Regionalizacoes = false;
  const TResultadoSecao r =
      ColocaSecao(secao, bacia, ponto, digitada ? TFormaPonto::Digitada : TFormaPonto::Mapa,
                  ctx.Apresentador, opcoes);
  if (r == TResultadoSecao::ForaDaBacia) return 3;
  if (r == TResultadoSecao::EntradaInvalida) return 1;
  const TBaciaContribuicao contribuicao = BaciaDaSecao(ponto, bacia);
  const auto contorno = contribuicao.Contorno();
  ExportaBaciaDaSecao(saida, secao, contribuicao, contorno);

  qint64 aneis = 0;
  for (const auto& pol : contorno) aneis += static_cast<qint64>(pol.size());
  const TRetangulo e = contribuicao.Extensao();
  const TComparacaoOutorgas comparacao = ComparaOutorgas(contribuicao, secao.Outorgas());

  QJsonObject json = JsonSecao(secao, TMalha(*sistema->HeaderMDE), true, {},
                               listas ? TListasOutorgas::Incluidas : TListasOutorgas::Omitidas);
  // The regionalizations do not run here: their fields would only show empty results.
  for (const char* calculado :
       {"VazoesTradicional", "VazoesProporcional", "VazoesConservacao", "Origem", "Mensagens"})
    json.remove(QString::fromLatin1(calculado));
  ImprimeJson(QJsonObject{
      {QStringLiteral("Secao"), json},
      {QStringLiteral("Bacia"),
       QJsonObject{
           {QStringLiteral("CelulaSecao"), static_cast<qint64>(contribuicao.CelulaSecao())},
           {QStringLiteral("Celulas"), static_cast<qint64>(contribuicao.NumCelulas())},
           {QStringLiteral("AreaKm2"), contribuicao.AreaM2() / 1e6},
           {QStringLiteral("Poligonos"), static_cast<qint64>(contorno.size())},
           {QStringLiteral("Aneis"), aneis},
           {QStringLiteral("Extensao"), QJsonArray{e.Esquerda(), e.Baixo(), e.Direita(), e.Topo()}},
           {QStringLiteral("Arquivo"), saida}}},
      {QStringLiteral("OutorgasDentroNaoConsideradas"),
       Outorgas(comparacao.DentroNaoConsideradas, secao.Outorgas())},
      {QStringLiteral("OutorgasConsideradasFora"),
       Outorgas(comparacao.ConsideradasFora, secao.Outorgas())},
      {QStringLiteral("Mensagens"), QJsonArray::fromStringList(ctx.Apresentador.Mensagens())},
  });
  return 0;
}

const TComandoCli ComandoBacia{
    QStringLiteral("bacia"),
    QStringLiteral("(--xy X Y | --latlong DDMMSS DDMMSS) --saida ARQ.gpkg|ARQ.shp [--outorgas]"),
    [](TContextoCli& ctx) { return Bacia(ComandoBacia, ctx); }};

[[maybe_unused]] const bool registrado = RegistraComando(ComandoBacia);

}  // namespace
