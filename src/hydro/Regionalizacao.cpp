// The three regionalizations of the reference flows at the section.
#include <array>
#include <cmath>
#include <optional>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/TConsulta.h"
#include "data/TdmS.h"
#include "hydro/DetectorCiclo.h"
#include "hydro/Modelos.h"
#include "hydro/TPonto.h"
#include "hydro/TRede.h"

namespace {

// The four flows in a fixed order, for the methods that treat them alike.
using TQuatro = std::array<double, 4>;

TQuatro Valores(const TVazoes& v) { return {v.Q710(), v.Q90(), v.Q95(), v.Qmld()}; }

void GravaQuatro(TVazoes& v, const TQuatro& q) {
  v.SetQ710(q[0]);
  v.SetQ90(q[1]);
  v.SetQ95(q[2]);
  v.SetQmld(q[3]);
}

// Opens a query; when the database refuses, the user sees the statement that failed and the
// error goes on to end the computations.
void Abre(TConsulta& q) {
  try {
    q.Abre();
  } catch (const ETorveda&) {
    Apresentador().Mensagem(q.SQL());
    throw;
  }
}

// Closes the query however the method ends.
class TFechaAoSair {
 public:
  explicit TFechaAoSair(TConsulta& q) : Q_(q) {}
  ~TFechaAoSair() { Q_.Fecha(); }
  TFechaAoSair(const TFechaAoSair&) = delete;
  TFechaAoSair& operator=(const TFechaAoSair&) = delete;

 private:
  TConsulta& Q_;
};

// Every record of an open equation query evaluated at area ad into r. Records naming none of
// the four flows (exact text) are ignored; of two naming the same flow the later wins.
void AvaliaEquacoes(TConsulta& q, double ad, TVazoes& r) {
  q.Primeiro();
  const int n = q.NumRegistros();
  for (int k = 0; k < n; ++k, q.Proximo()) {
    const QString var = q.Texto(QStringLiteral("VarMinima"));
    void (TVazoes::*campo)(double) = nullptr;
    if (var == QLatin1String("Q710Ob"))
      campo = &TVazoes::SetQ710;
    else if (var == QLatin1String("Q90Ob"))
      campo = &TVazoes::SetQ90;
    else if (var == QLatin1String("Q95Ob"))
      campo = &TVazoes::SetQ95;
    else if (var == QLatin1String("QmldOb"))
      campo = &TVazoes::SetQmld;
    if (!campo) continue;
    (r.*campo)(AvaliaModelo(q.Texto(QStringLiteral("Modelo")), q.Numero(QStringLiteral("B0")),
                            q.Numero(QStringLiteral("BAd")), ad));
  }
}

// A gauging station's drainage area and observed flows.
struct TEstacao {
  double Ad = 0.0;
  TQuatro Q{};
};

// The station's record, when its code matches exactly one; read on a query of its own.
std::optional<TEstacao> LeEstacao(const TdmS& dmS, std::int32_t codigo) {
  TConsulta q = dmS.NovaConsulta(QStringLiteral("EstFluviometricas"));
  q.DefineSQL(SqlTORVEDA::EstFluviometricas);
  q.DefineParametro(QStringLiteral("CodEstFlu"), codigo);
  Abre(q);
  TFechaAoSair fecha(q);
  if (q.NumRegistros() != 1) return std::nullopt;
  TEstacao e;
  e.Ad = q.Numero(QStringLiteral("Ad"));
  e.Q = {q.Numero(QStringLiteral("Q710Ob")), q.Numero(QStringLiteral("Q90Ob")),
         q.Numero(QStringLiteral("Q95Ob")), q.Numero(QStringLiteral("QmldOb"))};
  return e;
}

// Interpolation between two stations, all four flows or none (a division by zero, two stations
// of the same area, leaves nothing to write).
std::optional<TQuatro> Interpola4(double a, const TEstacao& e1, const TEstacao& e2) {
  TQuatro r{};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto x = Interpola(a, e1.Ad, e1.Q[i], e2.Ad, e2.Q[i]);
    if (!x) return std::nullopt;
    r[i] = *x;
  }
  return r;
}

std::optional<TQuatro> Proporcional4(double a, double a1, const TQuatro& x1) {
  TQuatro r{};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto x = Proporcional(a, a1, x1[i]);
    if (!x) return std::nullopt;
    r[i] = *x;
  }
  return r;
}

}  // namespace

void TPonto::CalculaTradicional(TConsulta& qryEQ_Tradicional) {
  qryEQ_Tradicional.DefineSQL(SqlTORVEDA::EqTradicional(Regiao_));
  Abre(qryEQ_Tradicional);
  TFechaAoSair fecha(qryEQ_Tradicional);
  AvaliaEquacoes(qryEQ_Tradicional, AreaDrenagem_, VazoesTradicional_);
}

void TPonto::CalculaProporcional(const TdmS& dmS, const TRede& rede) {
  const std::int32_t f = rede.EstacaoMontante(CodTrecho_);
  TPilhaLongInt caminho;
  TPilhaLongInt afluentes;
  const std::int32_t j = rede.EstacaoJusante(CodTrecho_, caminho, afluentes);
  const std::int32_t t = f == 0 ? rede.EstacaoEmAfluente(afluentes) : 0;
  const double a = AreaDrenagem_;

  // Every result replaces all four fields at once, or zeroes them.
  auto grava = [this](const std::optional<TQuatro>& q) {
    if (q)
      GravaQuatro(VazoesProporcional_, *q);
    else
      VazoesProporcional_.Zera();
  };

  if (f != 0 && j != 0) {
    const auto ef = LeEstacao(dmS, f);
    const auto ej = LeEstacao(dmS, j);
    grava(ef && ej ? Interpola4(a, *ef, *ej) : std::nullopt);
  } else if (f == 0 && j != 0 && t != 0) {
    // A station on a tributary joining below the section: interpolate between it and the
    // station downstream at the confluence, then scale to the section.
    const std::int32_t m = rede.Arcos().HoPorEstFlu(t);
    const std::int32_t o = rede.TrechoDeEncontro(m, caminho);
    const double adEncontro = rede.AreaDrenagem(rede.CelulaTopoTrecho(o));
    const auto et = LeEstacao(dmS, t);
    const auto ej = LeEstacao(dmS, j);
    std::optional<TQuatro> xe;
    if (et && ej) xe = Interpola4(adEncontro, *et, *ej);
    const bool todos =
        xe && (*xe)[0] != 0.0 && (*xe)[1] != 0.0 && (*xe)[2] != 0.0 && (*xe)[3] != 0.0;
    grava(todos ? Proporcional4(a, adEncontro, *xe) : std::nullopt);
  } else if (f == 0 && j != 0) {
    const auto ej = LeEstacao(dmS, j);
    grava(ej ? Proporcional4(a, ej->Ad, ej->Q) : std::nullopt);
  } else if (f != 0 && j == 0) {
    const auto ef = LeEstacao(dmS, f);
    grava(ef ? Proporcional4(a, ef->Ad, ef->Q) : std::nullopt);
  }
}

void TPonto::CalculaConservacao(TConsulta& qryRios, TConsulta& qryEQ_Conservacao,
                                const TRede& rede) {
  TFechaAoSair fechaRios(qryRios);
  TFechaAoSair fechaEquacoes(qryEQ_Conservacao);
  auto abreRios = [&qryRios](std::int32_t codigo) {
    qryRios.DefineSQL(SqlTORVEDA::Rios);
    qryRios.DefineParametro(QStringLiteral("CodEq_Conserv"), codigo);
    Abre(qryRios);
  };
  auto abreEquacoes = [&qryEQ_Conservacao](std::int32_t codRio) {
    qryEQ_Conservacao.DefineSQL(SqlTORVEDA::EqConservacao);
    qryEQ_Conservacao.DefineParametro(QStringLiteral("codRio"), codRio);
    Abre(qryEQ_Conservacao);
  };

  // The section's own river has equations.
  abreRios(CodEqConserv_);
  if (qryRios.NumRegistros() == 1) {
    abreEquacoes(qryRios.Inteiro(QStringLiteral("codRio")));
    AvaliaEquacoes(qryEQ_Conservacao, AreaDrenagem_, VazoesConservacao_);
    return;
  }

  // Otherwise walk down to the first arc whose river has equations.
  const TTabelaArcos& arcos = rede.Arcos();
  std::int32_t n = arcos.TnodePorHo(CodTrecho_);
  if (n == 0) return;
  std::int32_t atual = CodTrecho_;
  std::int32_t anterior = 0;
  TDetectorCiclo ciclo(n);
  for (;;) {
    anterior = atual;
    atual = arcos.HoPorFnode(n);
    if (atual == 0) return;  // a node that no arc leaves: no river below
    const std::int32_t proximo = arcos.TnodePorHo(atual);
    abreRios(arcos.EqConservPorHo(atual));
    if (qryRios.NumRegistros() >= 1) break;
    n = proximo;
    if (n == 0 || ciclo.Passo(n)) return;
  }

  // The receiving river just below the confluence, the joining river just above it.
  const double adAbaixo = rede.AreaDrenagem(rede.CelulaTopoTrecho(atual));
  const double adAfluente = rede.AreaDrenagem(rede.CelulaBaseTrecho(anterior));
  const double adAcima = adAbaixo - adAfluente;

  abreEquacoes(qryRios.Inteiro(QStringLiteral("codRio")));
  TVazoes r1;
  TVazoes r2;
  AvaliaEquacoes(qryEQ_Conservacao, adAcima, r1);
  AvaliaEquacoes(qryEQ_Conservacao, adAbaixo, r2);

  const TQuatro acima = Valores(r1);
  const TQuatro abaixo = Valores(r2);
  // A joining river without area has nothing to share out: the record stays at 0.
  if (adAfluente == 0.0) return;
  TQuatro secao{};
  for (std::size_t i = 0; i < 4; ++i) {
    // The joining river brings the difference; the section gets its share by area.
    secao[i] = AreaDrenagem_ * (abaixo[i] - acima[i]) / adAfluente;
    if (!std::isfinite(secao[i])) return;
  }
  GravaQuatro(VazoesConservacao_, secao);
}
