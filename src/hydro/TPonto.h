#pragma once
// The section of interest: the one point on the river network where a grant request is
// evaluated, and everything computed on it. The program holds exactly one (`Ponto`).

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "base/Convencoes.h"
#include "hydro/TOrigem.h"
#include "hydro/TOutorgasConsideradas.h"
#include "hydro/TVazoes.h"

class TApresentador;
class TCamada;
class TConsulta;
class TdmS;
class TRede;
class TMemoPosicao;
struct TPontoMapa;

// Where a grant point lies with respect to the section: its flow counts only upstream.
enum class TPosicao { AJusante, AMontante };
// "A jusante" / "A montante".
QString TextoPosicao(TPosicao posicao);
// A position and the rule that decided it.
struct TVeredito {
  TPosicao Posicao = TPosicao::AJusante;
  TRegraOutorga Regra = TRegraOutorga::SemRegiao;
  std::int32_t Trecho = 0;  // the arc the grant's water reaches, when the network was walked
};

class TPonto {
 public:
  // Sender, Max, Position, Text.
  using TEventoProgresso = std::function<void(TPonto& sender, std::int32_t max,
                                              std::int32_t posicao, const QString& texto)>;

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

  // Latitude and Longitude in degrees, minutes and seconds: 17.25 -> 17° 15' 00".
  QString LatitudeGMS() const;
  QString LongitudeGMS() const;

  // Projected point (metres) -> latitude and longitude in decimal degrees, positive to the south
  // and to the west. Throws ETorveda when the point cannot be converted.
  static double ProjetadaParaLatitude(const TPontoMapa& p);
  static double ProjetadaParaLongitude(const TPontoMapa& p);
  // Geographic point (X longitude, Y latitude, signed decimal degrees, negative south and west)
  // -> projected coordinates, metres. Throws ETorveda when the point cannot be converted.
  static double GeograficaParaY(const TPontoMapa& g);
  static double GeograficaParaX(const TPontoMapa& g);

  // --- Regionalization of the reference flows. Each relies on the placement having zeroed its
  // record and writes nothing it cannot estimate. A query that cannot be opened shows its SQL
  // text through the presenter and the error propagates, ending the computations of the section.
  // ---

  // The equations of the section's region at its drainage area.
  void CalculaTradicional(TConsulta& qryEQ_Tradicional, TApresentador& apresentador);
  // Observed flows at the gauging stations above, below and on a tributary, interpolated or
  // scaled by drainage area. Its station lookups run on queries of its own on dmS's database.
  void CalculaProporcional(const TdmS& dmS, const TRede& rede, TApresentador& apresentador);
  // The equations of the section's river or, when it has none, the flow that its river brings
  // to the first river below with equations, by conservation of mass at their confluence.
  void CalculaConservacao(TConsulta& qryRios, TConsulta& qryEQ_Conservacao, const TRede& rede,
                          TApresentador& apresentador);

  // --- Upstream granted flows. ---

  // Adds, month by month, the flow of every grant upstream of the section: the significant and
  // the insignificant state layers into OutorgadaEstadual, the federal layer into
  // OutorgadaFederal. Only adds: it relies on the placement having zeroed both tables.
  // Progress: once per record, with the layer's record count and the record's 1-based number.
  void CalculaOutorgas(const TCamada& signif, const TCamada& insignif, const TCamada& ana,
                       const TCamada& adRegioes, const TRede& rede);
  // The region rules, then the network. a: the "ID" of the drainage unit holding the point.
  // memo (optional) keeps answers of the network between grant points of one computation.
  TPosicao PosicaoRelativa(const TPontoMapa& ponto, const TRede& rede, std::int32_t a,
                           TMemoPosicao* memo = nullptr) const;
  // Follows the water from the point to the mapped drainage, then the arcs down to the section.
  TPosicao PosicaoPelaRede(const TPontoMapa& ponto, const TRede& rede,
                           TMemoPosicao* memo = nullptr) const;
  // The same two, with the rule that decided.
  TVeredito VereditoRelativo(const TPontoMapa& ponto, const TRede& rede, std::int32_t a,
                             TMemoPosicao* memo = nullptr) const;
  TVeredito VereditoPelaRede(const TPontoMapa& ponto, const TRede& rede,
                             TMemoPosicao* memo = nullptr) const;

  // True when the section lies on the mapped drainage (CodTrecho neither 0 nor -9999).
  bool SobreHidrografia() const { return CodTrecho_ != 0 && CodTrecho_ != -9999; }

  TVazoes& VazoesTradicional() { return VazoesTradicional_; }
  TVazoes& VazoesProporcional() { return VazoesProporcional_; }
  TVazoes& VazoesConservacao() { return VazoesConservacao_; }
  const TVazoes& VazoesTradicional() const { return VazoesTradicional_; }
  const TVazoes& VazoesProporcional() const { return VazoesProporcional_; }
  const TVazoes& VazoesConservacao() const { return VazoesConservacao_; }

  // Where each method's flows came from (filled by the method, emptied by the placement).
  const TOrigemMetodo& OrigemTradicional() const { return OrigemTradicional_; }
  const TOrigemMetodo& OrigemProporcional() const { return OrigemProporcional_; }
  const TOrigemMetodo& OrigemConservacao() const { return OrigemConservacao_; }
  // Every grant CalculaOutorgas examined: counted, with its months and rule, or left out, with
  // the reason.
  const TOutorgasConsideradas& Outorgas() const { return Outorgas_; }
  TOrigemMetodo& OrigemTradicional() { return OrigemTradicional_; }
  TOrigemMetodo& OrigemProporcional() { return OrigemProporcional_; }
  TOrigemMetodo& OrigemConservacao() { return OrigemConservacao_; }
  TOutorgasConsideradas& Outorgas() { return Outorgas_; }

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
  TOrigemMetodo OrigemTradicional_;
  TOrigemMetodo OrigemProporcional_;
  TOrigemMetodo OrigemConservacao_;
  TOutorgasConsideradas Outorgas_;
};
