#include "hydro/IdentificaSecao.h"

#include "base/Convencoes.h"
#include "gis/TCamada.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"

namespace {

// The first polygon of the layer that holds the point, as a one-record set; empty when none.
template <typename F>
void NoPoligono(const TCamada& camada, const TPontoMapa& p, F&& usa) {
  const qint64 chave = camada.PrimeiroPoligonoQueContem(p);
  if (chave < 0) return;
  TRegistros r = camada.Registro(chave);
  r.Primeiro();
  if (!r.Fim()) usa(r);
}

}  // namespace

void IdentificaSecao(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p) {
  ponto.Reinicia();
  const TRede rede = bacia.Rede();
  const std::int64_t celula = rede.Malha().IndiceCelula(p);

  const auto codigo = TruncaCodigo(rede.HidroMapeada(celula));
  ponto.SetCodTrecho(codigo ? *codigo : static_cast<std::int32_t>(Convencao::SemDado));
  if (const TArco* arco = rede.Arcos().PrimeiroPorHo(ponto.CodTrecho())) {
    ponto.SetNomeRio(arco->NomeRio);
    ponto.SetCodEqConserv(arco->EqConserv);
  }

  ponto.SetCoordY(p.Y);
  ponto.SetCoordX(p.X);
  ponto.SetLatitude(TPonto::ProjetadaParaLatitude(p));
  ponto.SetLongitude(TPonto::ProjetadaParaLongitude(p));

  NoPoligono(bacia.Municipios, p, [&](const TRegistros& r) {
    ponto.SetMunicipio(r.Texto(QStringLiteral("Municipio")));
  });
  NoPoligono(bacia.Estados, p,
             [&](const TRegistros& r) { ponto.SetEstado(r.Texto(QStringLiteral("Uf"))); });
  NoPoligono(bacia.RegMetTradicional, p, [&](const TRegistros& r) {
    ponto.SetRegiao(static_cast<std::int32_t>(r.Inteiro(QStringLiteral("Regiao"))));
  });
  NoPoligono(bacia.AdRegioes, p, [&](const TRegistros& r) {
    ponto.SetIdAdRegiao(static_cast<std::int32_t>(r.Inteiro(QStringLiteral("ID"))));
  });

  // CodTrecho is read at the point's own cell, the drainage area at the snapped network cell.
  if (bacia.Limite.ContemPonto(p))
    ponto.SetAreaDrenagem(rede.AreaDrenagem(rede.CelulaRedeProxima(celula)));
}

TPontoIdentificado IdentificaPonto(const TBacia& bacia, const TPontoMapa& p) {
  TPontoIdentificado r;
  IdentificaSecao(r.Ponto, bacia, p);
  if (const TArco* arco = bacia.Rede().Arcos().PrimeiroPorHo(r.Ponto.CodTrecho()))
    r.RegistroArco = arco->Registro;
  return r;
}
