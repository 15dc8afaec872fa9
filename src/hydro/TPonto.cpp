#include "hydro/TPonto.h"

#include "gis/TConversorCoordenadas.h"
#include "gis/TGeometria.h"
#include "hydro/TextoGMS.h"

void TPonto::Reinicia() {
  CodTrecho_ = 0;
  CodEqConserv_ = 0;
  NomeRio_.clear();
  Municipio_.clear();
  Estado_.clear();
  Regiao_ = 0;
  IdAdRegiao_ = 0;
  CoordX_ = CoordY_ = 0.0;
  Latitude_ = Longitude_ = 0.0;
  AreaDrenagem_ = 0.0;
  VazoesTradicional_.Zera();
  VazoesProporcional_.Zera();
  VazoesConservacao_.Zera();
  for (auto& mes : Estadual_) mes.fill(0.0);
  for (auto& mes : Federal_) mes.fill(0.0);
  OrigemTradicional_.Limpa();
  OrigemProporcional_.Limpa();
  OrigemConservacao_.Limpa();
  Outorgas_.Limpa();
}

void TPonto::InformaProgresso(std::int32_t max, std::int32_t posicao, const QString& texto) {
  if (OnProgresso) OnProgresso(*this, max, posicao, texto);
}

QString TextoPosicao(TPosicao posicao) {
  return posicao == TPosicao::AMontante ? QStringLiteral("A montante")
                                        : QStringLiteral("A jusante");
}

QString TPonto::LatitudeGMS() const { return TextoGMS(Latitude_); }
QString TPonto::LongitudeGMS() const { return TextoGMS(Longitude_); }

double TPonto::ProjetadaParaLatitude(const TPontoMapa& p) {
  return -TConversorCoordenadas::Padrao().ParaGeografica(p).Y;
}

double TPonto::ProjetadaParaLongitude(const TPontoMapa& p) {
  return -TConversorCoordenadas::Padrao().ParaGeografica(p).X;
}

double TPonto::GeograficaParaY(const TPontoMapa& g) {
  return TConversorCoordenadas::Padrao().ParaProjetada(g).Y;
}

double TPonto::GeograficaParaX(const TPontoMapa& g) {
  return TConversorCoordenadas::Padrao().ParaProjetada(g).X;
}
