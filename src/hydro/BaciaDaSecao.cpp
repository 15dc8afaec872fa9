#include "hydro/BaciaDaSecao.h"

#include "base/Erro.h"
#include "gis/GravaPoligonos.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"
#include "hydro/TRede.h"

std::int64_t CelulaDaSecao(const TPontoMapa& p, const TRede& rede) {
  const std::int64_t celula = rede.Malha().IndiceCelula(p);
  if (!rede.Malha().Contem(celula)) return TMalha::CelulaFora;
  return rede.CelulaRedeProxima(celula);
}

std::int64_t CelulaDaSecao(const TPonto& ponto, const TRede& rede) {
  return CelulaDaSecao(TPontoMapa{ponto.CoordX(), ponto.CoordY()}, rede);
}

TBaciaContribuicao BaciaDaSecao(const TPontoMapa& p, const TBacia& bacia) {
  const TMalha malha(bacia.HeaderMDE);
  const TRede rede = bacia.Rede();
  return TBaciaContribuicao::Delineia(malha, bacia.ImgDirEsc, CelulaDaSecao(p, rede));
}

TAcordoBacia AcordoComABacia(const TBaciaContribuicao& bacia, const TOutorgaExaminada& o) {
  if (!o.TemPonto) return TAcordoBacia::SemPonto;
  const bool dentro = bacia.ContemPonto(o.Ponto);
  const bool montante = PosicaoAMontante(o.Regra);
  if (dentro == montante) return TAcordoBacia::Concordam;
  return dentro ? TAcordoBacia::DentroNaoConsiderada : TAcordoBacia::ConsideradaFora;
}

TComparacaoOutorgas ComparaOutorgas(const TBaciaContribuicao& bacia,
                                    const TOutorgasConsideradas& outorgas) {
  TComparacaoOutorgas r;
  for (const auto* lista : {&outorgas.Consideradas, &outorgas.Descartadas})
    for (const TOutorgaExaminada& o : *lista) switch (AcordoComABacia(bacia, o)) {
        case TAcordoBacia::DentroNaoConsiderada:
          r.DentroNaoConsideradas.push_back(o);
          break;
        case TAcordoBacia::ConsideradaFora:
          r.ConsideradasFora.push_back(o);
          break;
        default:
          break;
      }
  return r;
}

void ExportaBaciaDaSecao(const QString& arquivo, const TPonto& ponto,
                         const TBaciaContribuicao& bacia,
                         const std::vector<TPoligonoBacia>& contorno) {
  if (bacia.Vazia())
    throw ETorveda(QStringLiteral("A seção não tem bacia de contribuição sobre a drenagem."));
  const std::vector<TAtributoSaida> atributos{
      {QStringLiteral("Trecho"), ponto.CodTrecho()},
      {QStringLiteral("Rio"), ponto.NomeRio()},
      {QStringLiteral("Municipio"), ponto.Municipio()},
      {QStringLiteral("Estado"), ponto.Estado()},
      {QStringLiteral("Latitude"), ponto.LatitudeGMS()},
      {QStringLiteral("Longitude"), ponto.LongitudeGMS()},
      {QStringLiteral("X"), ponto.CoordX()},
      {QStringLiteral("Y"), ponto.CoordY()},
      {QStringLiteral("AreaDren"), ponto.AreaDrenagem()},
      {QStringLiteral("Celulas"), static_cast<qlonglong>(bacia.NumCelulas())},
      {QStringLiteral("AreaKm2"), bacia.AreaM2() / 1e6},
  };
  GravaPoligonos(arquivo, contorno, atributos);
}
