#include "hydro/BaciaDaSecao.h"

#include <unordered_map>

#include "base/Erro.h"
#include "gis/GravaPoligonos.h"
#include "gis/TCamada.h"
#include "hydro/TBacia.h"
#include "hydro/TMemoPosicao.h"
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

namespace {

// The applicant as the layer holds it: "Requerente" in the state layers, "NomeReq" in the
// federal one; empty when the layer has neither.
QString NomeDoRequerente(const TRegistros& r) {
  for (const QString& campo : {QStringLiteral("Requerente"), QStringLiteral("NomeReq")}) {
    try {
      return r.Texto(campo);
    } catch (const ETorveda&) {
    }
  }
  return {};
}

}  // namespace

TComparacaoOutorgas ComparaOutorgas(const TBaciaContribuicao& bacia,
                                    const std::vector<const TCamada*>& camadas,
                                    const std::set<TIdOutorga>& consideradas) {
  TComparacaoOutorgas r;
  for (const TCamada* camada : camadas) {
    if (!camada || !camada->Valida()) continue;
    TRegistros reg = camada->Registros();
    for (reg.Primeiro(); !reg.Fim(); reg.Proximo()) {
      TOutorgaComparada o;
      o.Id = {camada->Nome(), reg.Chave()};
      bool temPonto = true;
      try {
        o.Ponto = reg.Ponto();
      } catch (const ETorveda&) {
        temPonto = false;  // a grant without a location lies in no basin
      }
      const bool dentro = temPonto && bacia.ContemPonto(o.Ponto);
      const bool considerada = consideradas.count(o.Id) > 0;
      if (dentro == considerada) continue;
      o.Requerente = NomeDoRequerente(reg);
      (dentro ? r.DentroNaoConsideradas : r.ConsideradasFora).push_back(std::move(o));
    }
  }
  return r;
}

std::set<TIdOutorga> OutorgasConsideradas(const TPonto& ponto, const TBacia& bacia) {
  std::set<TIdOutorga> ids;
  if (!ponto.SobreHidrografia()) return ids;
  const TRede rede = bacia.Rede();
  TMemoPosicao memo;
  std::unordered_map<qint64, std::int32_t> idPorPoligono;
  for (const TCamada* camada :
       {&bacia.OutSupSignifAqem, &bacia.OutSupInsignifAqem, &bacia.OutSupAna}) {
    TRegistros r = camada->Registros();
    for (r.Primeiro(); !r.Fim(); r.Proximo()) {
      TPontoMapa p;
      try {
        p = r.Ponto();
      } catch (const ETorveda&) {
        continue;
      }
      const qint64 chave = bacia.AdRegioes.PrimeiroPoligonoQueContem(p);
      if (chave < 0) continue;
      auto it = idPorPoligono.find(chave);
      if (it == idPorPoligono.end())
        it = idPorPoligono
                 .emplace(chave, static_cast<std::int32_t>(
                                     bacia.AdRegioes.Registro(chave).Inteiro(QStringLiteral("ID"))))
                 .first;
      if (ponto.PosicaoRelativa(p, rede, it->second, &memo) == TPosicao::AMontante)
        ids.insert({camada->Nome(), r.Chave()});
    }
  }
  return ids;
}

void ExportaBaciaDaSecao(const QString& arquivo, const TPonto& ponto,
                         const TBaciaContribuicao& bacia) {
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
  GravaPoligonos(arquivo, bacia.Contorno(), atributos);
}
