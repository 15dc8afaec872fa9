#pragma once
// The section of interest: the one point on the river network where a grant request is
// evaluated, and everything computed on it. The program holds exactly one (`Ponto`).

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "app/Convencoes.h"
#include "hydro/TVazoes.h"

class TPonto {
 public:
  // Sender, Max, Position, Text.
  using TEventoProgresso =
      std::function<void(TPonto& sender, std::int32_t max, std::int32_t posicao, const QString& texto)>;

  static constexpr int NumAnos = Convencao::AnoFinal - Convencao::AnoInicial + 1;
  using TTabelaMensal = std::array<std::array<double, NumAnos>, 12>;

  TPonto() { Reinicia(); }

  // Back to the empty state: every number 0, every text empty, the flow records and the
  // monthly tables zeroed in place.
  void Reinicia();

  // Raises OnProgresso when a handler is attached; does nothing otherwise.
  void InformaProgresso(std::int32_t max, std::int32_t posicao, const QString& texto);
  TEventoProgresso OnProgresso;

  std::int32_t CodTrecho() const { return CodTrecho_; }
  std::int32_t CodEqConserv() const { return CodEqConserv_; }
  const QString& NomeRio() const { return NomeRio_; }
  const QString& Municipio() const { return Municipio_; }
  const QString& Estado() const { return Estado_; }
  std::int32_t Regiao() const { return Regiao_; }
  std::int32_t IdAdRegiao() const { return IdAdRegiao_; }
  double CoordX() const { return CoordX_; }
  double CoordY() const { return CoordY_; }
  double Latitude() const { return Latitude_; }
  double Longitude() const { return Longitude_; }
  double AreaDrenagem() const { return AreaDrenagem_; }

  void SetCodTrecho(std::int32_t v) { CodTrecho_ = v; }
  void SetCodEqConserv(std::int32_t v) { CodEqConserv_ = v; }
  void SetNomeRio(const QString& v) { NomeRio_ = v; }
  void SetMunicipio(const QString& v) { Municipio_ = v; }
  void SetEstado(const QString& v) { Estado_ = v; }
  void SetRegiao(std::int32_t v) { Regiao_ = v; }
  void SetIdAdRegiao(std::int32_t v) { IdAdRegiao_ = v; }
  void SetCoordX(double v) { CoordX_ = v; }
  void SetCoordY(double v) { CoordY_ = v; }
  void SetLatitude(double v) { Latitude_ = v; }
  void SetLongitude(double v) { Longitude_ = v; }
  void SetAreaDrenagem(double v) { AreaDrenagem_ = v; }

  // True when the section lies on the mapped drainage (CodTrecho neither 0 nor -9999).
  bool SobreHidrografia() const { return CodTrecho_ != 0 && CodTrecho_ != -9999; }

  TVazoes& VazoesTradicional() { return VazoesTradicional_; }
  TVazoes& VazoesProporcional() { return VazoesProporcional_; }
  TVazoes& VazoesConservacao() { return VazoesConservacao_; }
  const TVazoes& VazoesTradicional() const { return VazoesTradicional_; }
  const TVazoes& VazoesProporcional() const { return VazoesProporcional_; }
  const TVazoes& VazoesConservacao() const { return VazoesConservacao_; }

  // Upstream granted flow (m^3/s) in a calendar month (1..12) of a year (1980..2100). A month
  // outside the tables reads 0; a write there is ignored.
  double OutorgadaEstadual(int mes, int ano) const { return Le(Estadual_, mes, ano); }
  double OutorgadaFederal(int mes, int ano) const { return Le(Federal_, mes, ano); }
  void SetOutorgadaEstadual(int mes, int ano, double v) { Escreve(Estadual_, mes, ano, v); }
  void SetOutorgadaFederal(int mes, int ano, double v) { Escreve(Federal_, mes, ano, v); }
  void SomaOutorgadaEstadual(int mes, int ano, double v) { Soma(Estadual_, mes, ano, v); }
  void SomaOutorgadaFederal(int mes, int ano, double v) { Soma(Federal_, mes, ano, v); }
  static bool MesNaTabela(int mes, int ano) {
    return mes >= 1 && mes <= 12 && ano >= Convencao::AnoInicial && ano <= Convencao::AnoFinal;
  }

 private:
  static double Le(const TTabelaMensal& t, int mes, int ano) {
    return MesNaTabela(mes, ano) ? t[mes - 1][ano - Convencao::AnoInicial] : 0.0;
  }
  static void Escreve(TTabelaMensal& t, int mes, int ano, double v) {
    if (MesNaTabela(mes, ano)) t[mes - 1][ano - Convencao::AnoInicial] = v;
  }
  static void Soma(TTabelaMensal& t, int mes, int ano, double v) {
    if (MesNaTabela(mes, ano)) t[mes - 1][ano - Convencao::AnoInicial] += v;
  }

  std::int32_t CodTrecho_ = 0;
  std::int32_t CodEqConserv_ = 0;
  QString NomeRio_;
  QString Municipio_;
  QString Estado_;
  std::int32_t Regiao_ = 0;
  std::int32_t IdAdRegiao_ = 0;
  double CoordX_ = 0.0;
  double CoordY_ = 0.0;
  double Latitude_ = 0.0;
  double Longitude_ = 0.0;
  double AreaDrenagem_ = 0.0;
  TVazoes VazoesTradicional_;
  TVazoes VazoesProporcional_;
  TVazoes VazoesConservacao_;
  TTabelaMensal Estadual_{};
  TTabelaMensal Federal_{};
};
