#include "hydro/TPonto.h"

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
}

void TPonto::InformaProgresso(std::int32_t max, std::int32_t posicao, const QString& texto) {
  if (OnProgresso) OnProgresso(*this, max, posicao, texto);
}
