// The three regionalizations of the reference flows at the section.
#include <QLocale>
#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/Modelos.h"
#include "data/TConsulta.h"
#include "data/TdmS.h"
#include "hydro/DetectorCiclo.h"
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
void Abre(TConsulta& q, TApresentador& apresentador) {
  try {
    q.Abre();
  } catch (const ETorveda&) {
    apresentador.Mensagem(q.SQL());
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

// The drainage-area ranges of table Restricoes, read on a query of its own on the database of
// the equation query. Read lazily, once per evaluation that needs them; a table that cannot be
// read leaves every equation unmarked and says so in the method's summary.
class TRestricoes {
 public:
  explicit TRestricoes(const TConsulta& irma) : Irma_(irma) {}

  std::optional<TIntervaloValidade> Intervalo(std::int32_t codigo) {
    if (!Lida_) Le();
    const auto it = Intervalos_.find(codigo);
    if (it == Intervalos_.end()) return std::nullopt;
    return it->second;
  }
  const QString& Erro() const { return Erro_; }

 private:
  void Le() {
    Lida_ = true;
    TConsulta q(Irma_.NomeConexao(), QStringLiteral("Restricoes"));
    q.DefineErroConexao(Irma_.ErroConexao());
    try {
      q.Abre();
      for (q.Primeiro(); !q.Fim(); q.Proximo()) {
        TIntervaloValidade i;
        i.Codigo = q.Inteiro(QStringLiteral("codRestricao"));
        if (!q.Nulo(QStringLiteral("MenorAd"))) i.MenorAd = q.Numero(QStringLiteral("MenorAd"));
        if (!q.Nulo(QStringLiteral("MaiorAd"))) i.MaiorAd = q.Numero(QStringLiteral("MaiorAd"));
        Intervalos_.emplace(i.Codigo, i);
      }
    } catch (const ETorveda& e) {
      Intervalos_.clear();
      Erro_ = e.mensagem();
    }
  }

  const TConsulta& Irma_;
  bool Lida_ = false;
  std::unordered_map<std::int32_t, TIntervaloValidade> Intervalos_;
  QString Erro_;
};

// How the rows of one evaluation were selected, for the origin records.
struct TSelecao {
  QString Tabela;
  std::int32_t Regiao = 0;
  std::int32_t CodRio = 0;
  QString Papel;  // what the area is
};

std::optional<std::size_t> IndiceVazao(const QString& var) {
  if (var == QLatin1String("Q710Ob")) return 0;
  if (var == QLatin1String("Q90Ob")) return 1;
  if (var == QLatin1String("Q95Ob")) return 2;
  if (var == QLatin1String("QmldOb")) return 3;
  return std::nullopt;
}

// Every record of an open equation query evaluated at area ad into r. Records naming none of
// the four flows (exact text) are ignored; of two naming the same flow the later wins. Each row
// that gives a flow is recorded in the origin, with its range when it has one.
void AvaliaEquacoes(TConsulta& q, double ad, TVazoes& r, TOrigemMetodo& origem,
                    const TSelecao& selecao, TRestricoes& restricoes) {
  static void (TVazoes::*const campos[])(double) = {&TVazoes::SetQ710, &TVazoes::SetQ90,
                                                    &TVazoes::SetQ95, &TVazoes::SetQmld};
  const bool temChave = q.Colunas().indexOf(selecao.Tabela == QLatin1String("EQ_Tradicional")
                                                ? QStringLiteral("codEQQuintaro")
                                                : QStringLiteral("codEQPelmar")) >= 0;
  const bool temRestricao = q.Colunas().indexOf(QStringLiteral("codRestricao")) >= 0;
  std::array<std::optional<std::size_t>, NumVazoesReferencia> usada{};
  q.Primeiro();
  const int n = q.NumRegistros();
  for (int k = 0; k < n; ++k, q.Proximo()) {
    const auto i = IndiceVazao(q.Texto(QStringLiteral("VarMinima")));
    if (!i) continue;
    TEquacaoUsada e;
    e.Tabela = selecao.Tabela;
    e.Regiao = selecao.Regiao;
    e.CodRio = selecao.CodRio;
    e.Papel = selecao.Papel;
    e.Vazao = *i;
    if (temChave)
      e.Chave = q.Inteiro(selecao.Tabela == QLatin1String("EQ_Tradicional")
                              ? QStringLiteral("codEQQuintaro")
                              : QStringLiteral("codEQPelmar"));
    e.Modelo = q.Texto(QStringLiteral("Modelo"));
    e.B0 = q.Numero(QStringLiteral("B0"));
    e.BAd = q.Numero(QStringLiteral("BAd"));
    e.AreaAvaliada = ad;
    e.Resultado = AvaliaModelo(e.Modelo, e.B0, e.BAd, ad);
    if (temRestricao && !q.Nulo(QStringLiteral("codRestricao"))) {
      e.CodRestricao = q.Inteiro(QStringLiteral("codRestricao"));
      e.Intervalo = restricoes.Intervalo(*e.CodRestricao);
    }
    (r.*campos[*i])(e.Resultado);
    // The later row replaces the earlier one in the origin as it does in the record.
    if (usada[*i])
      origem.Equacoes[*usada[*i]] = std::move(e);
    else {
      usada[*i] = origem.Equacoes.size();
      origem.Equacoes.push_back(std::move(e));
    }
  }
}

// The reason a flow evaluated from equations has no value: no row for it, a model the program
// does not know, or a model that gives nothing at that area.
void MotivosDasEquacoes(TOrigemMetodo& origem, const TVazoes& v, const QString& semEquacao,
                        const QString& motivoZero = {}) {
  const TQuatro q = Valores(v);
  for (std::size_t i = 0; i < NumVazoesReferencia; ++i) {
    if (q[i] != 0.0 || !origem.Motivos[i].isEmpty()) continue;
    const auto equacoes = origem.EquacoesDaVazao(i);
    if (equacoes.empty()) {
      origem.Motivos[i] = semEquacao.arg(NomesVazoesReferencia()[i]);
      continue;
    }
    const TEquacaoUsada& e = *equacoes.back();
    if (ModeloConhecido(e.Modelo) && !motivoZero.isEmpty()) {
      origem.Motivos[i] = motivoZero;
      continue;
    }
    origem.Motivos[i] = ModeloConhecido(e.Modelo)
                            ? QStringLiteral("a equação %1 %2 (%3) não dá vazão em %4 km²")
                                  .arg(e.Tabela)
                                  .arg(e.Chave)
                                  .arg(e.Modelo, QLocale().toString(e.AreaAvaliada, 'g', 6))
                            : QStringLiteral("modelo \"%1\" desconhecido na equação %2 %3")
                                  .arg(e.Modelo, e.Tabela)
                                  .arg(e.Chave);
  }
}

QString VazaoNegativa(double q) {
  return std::isfinite(q)
             ? QStringLiteral("vazão negativa (%1 m³/s)").arg(QLocale().toString(q, 'g', 6))
             : QStringLiteral("um valor que não é um número finito");
}

// A flow below zero, or not a number, is no flow: the record holds 0 (not estimated) and the
// origin says which computation gave what. `calculo` names it ("a transferência na
// confluência"); an empty one names the last equation evaluated for the flow.
void DescartaInvalidas(TVazoes& v, TOrigemMetodo& origem, const QString& calculo = {}) {
  static void (TVazoes::*const campos[])(double) = {&TVazoes::SetQ710, &TVazoes::SetQ90,
                                                    &TVazoes::SetQ95, &TVazoes::SetQmld};
  const TQuatro q = Valores(v);
  for (std::size_t i = 0; i < NumVazoesReferencia; ++i) {
    if (std::isfinite(q[i]) && q[i] >= 0.0) continue;
    (v.*campos[i])(0.0);
    QString quem = calculo;
    if (quem.isEmpty()) {
      const auto equacoes = origem.EquacoesDaVazao(i);
      quem = equacoes.empty() ? QStringLiteral("o método")
                              : QStringLiteral("a equação %1 %2 (%3) em %4 km²")
                                    .arg(equacoes.back()->Tabela)
                                    .arg(equacoes.back()->Chave)
                                    .arg(equacoes.back()->Modelo,
                                         QLocale().toString(equacoes.back()->AreaAvaliada, 'g', 6));
    }
    origem.Motivos[i] = quem + QStringLiteral(" dá ") + VazaoNegativa(q[i]);
  }
}

// What is left: a flow of 0 not explained by the method yet.
void MotivoRestante(TOrigemMetodo& origem, const TVazoes& v, const QString& motivo) {
  const TQuatro q = Valores(v);
  for (std::size_t i = 0; i < NumVazoesReferencia; ++i)
    if (q[i] == 0.0 && origem.Motivos[i].isEmpty()) origem.Motivos[i] = motivo;
}

QString Area(double a) { return QLocale().toString(a, 'g', 6) + QStringLiteral(" km²"); }

// A gauging station's drainage area and observed flows.
struct TEstacao {
  double Ad = 0.0;
  TQuatro Q{};
};

// The station's record, when its code matches exactly one; read on a query of its own. The
// station is recorded in the origin either way.
std::optional<TEstacao> LeEstacao(const TdmS& dmS, std::int32_t codigo, const QString& papel,
                                  TOrigemMetodo& origem, TApresentador& apresentador) {
  TConsulta q = dmS.NovaConsulta(QStringLiteral("EstFluviometricas"));
  q.DefineSQL(SqlTORVEDA::EstFluviometricas);
  q.DefineParametro(QStringLiteral("CodEstFlu"), codigo);
  Abre(q, apresentador);
  TFechaAoSair fecha(q);
  TEstacaoUsada usada;
  usada.Papel = papel;
  usada.Codigo = codigo;
  if (q.NumRegistros() != 1) {
    origem.Estacoes.push_back(usada);
    return std::nullopt;
  }
  TEstacao e;
  e.Ad = q.Numero(QStringLiteral("Ad"));
  e.Q = {q.Numero(QStringLiteral("Q710Ob")), q.Numero(QStringLiteral("Q90Ob")),
         q.Numero(QStringLiteral("Q95Ob")), q.Numero(QStringLiteral("QmldOb"))};
  usada.Encontrada = true;
  usada.Ad = e.Ad;
  usada.Q = e.Q;
  origem.Estacoes.push_back(usada);
  return e;
}

QString EstacaoNaoEncontrada(std::int32_t codigo) {
  return QStringLiteral("estação %1 não encontrada em EstFluviometricas").arg(codigo);
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

// A section whose area lies outside the range of the areas of the stations its flows came from
// gets them by extrapolation, as an equation evaluated outside its validity range does: each
// estimated flow carries the warning.
void MarcaExtrapolacao(TOrigemMetodo& origem, const TVazoes& v, double a) {
  std::optional<double> menor, maior;
  const TEstacaoUsada* unica = nullptr;
  for (const TEstacaoUsada& e : origem.Estacoes) {
    if (!e.Encontrada) continue;
    unica = !menor ? &e : nullptr;
    menor = std::min(menor.value_or(e.Ad), e.Ad);
    maior = std::max(maior.value_or(e.Ad), e.Ad);
  }
  if (!menor || (a >= *menor && a <= *maior)) return;
  const QString aviso =
      unica ? QStringLiteral("extrapolada da área de drenagem da estação %1: %2")
                  .arg(unica->Codigo)
                  .arg(Area(unica->Ad))
            : QStringLiteral("fora do intervalo das áreas de drenagem das estações: ") +
                  TIntervaloValidade{0, menor, maior}.Texto();
  const TQuatro q = Valores(v);
  for (std::size_t i = 0; i < NumVazoesReferencia; ++i)
    if (q[i] != 0.0 && !origem.Avisos[i].contains(aviso)) origem.Avisos[i] << aviso;
}

QString SemDivisao(const QString& oque) { return oque + QStringLiteral(": divisão por zero"); }

}  // namespace

void TPonto::CalculaTradicional(TConsulta& qryEQ_Tradicional, TApresentador& apresentador) {
  TOrigemMetodo& origem = OrigemTradicional_;
  origem.Limpa();
  qryEQ_Tradicional.DefineSQL(SqlTORVEDA::EqTradicional(Regiao_));
  Abre(qryEQ_Tradicional, apresentador);
  TFechaAoSair fecha(qryEQ_Tradicional);
  TRestricoes restricoes(qryEQ_Tradicional);
  origem.Resumo = QStringLiteral(
                      "Equações da região %1 (EQ_Tradicional) na área de drenagem da "
                      "seção, %2")
                      .arg(Regiao_)
                      .arg(Area(AreaDrenagem_));
  AvaliaEquacoes(qryEQ_Tradicional, AreaDrenagem_, VazoesTradicional_, origem,
                 {QStringLiteral("EQ_Tradicional"), Regiao_, 0, QStringLiteral("seção")},
                 restricoes);
  if (!restricoes.Erro().isEmpty())
    origem.Resumo += QStringLiteral(" (intervalos de validade não lidos: ") + restricoes.Erro() +
                     QLatin1Char(')');
  DescartaInvalidas(VazoesTradicional_, origem);
  MotivosDasEquacoes(origem, VazoesTradicional_,
                     QStringLiteral("sem equação da região %1 para %2 em EQ_Tradicional")
                         .arg(Regiao_)
                         .replace(QStringLiteral("%2"), QStringLiteral("%1")));
  origem.MarcaIntervalos();
}

void TPonto::CalculaProporcional(const TdmS& dmS, const TRede& rede, TApresentador& apresentador) {
  TOrigemMetodo& origem = OrigemProporcional_;
  origem.Limpa();
  const std::int32_t f = rede.EstacaoMontante(CodTrecho_);
  TPilhaLongInt caminho;
  TPilhaLongInt afluentes;
  const std::int32_t j = rede.EstacaoJusante(CodTrecho_, caminho, afluentes);
  const std::int32_t t = f == 0 ? rede.EstacaoEmAfluente(afluentes) : 0;
  const double a = AreaDrenagem_;
  const QString montante = QStringLiteral("montante");
  const QString jusante = QStringLiteral("jusante");

  // Every result replaces all four fields at once, or zeroes them and says why.
  auto grava = [&](const std::optional<TQuatro>& q, const QString& motivo) {
    if (q) {
      GravaQuatro(VazoesProporcional_, *q);
    } else {
      VazoesProporcional_.Zera();
      origem.MotivoGeral(motivo);
    }
  };

  if (f != 0 && j != 0) {
    origem.Resumo = QStringLiteral(
                        "Interpolação entre as estações %1 (montante) e %2 (jusante) "
                        "na área de drenagem da seção, %3")
                        .arg(f)
                        .arg(j)
                        .arg(Area(a));
    const auto ef = LeEstacao(dmS, f, montante, origem, apresentador);
    const auto ej = LeEstacao(dmS, j, jusante, origem, apresentador);
    if (!ef || !ej)
      grava(std::nullopt, EstacaoNaoEncontrada(!ef ? f : j));
    else
      grava(Interpola4(a, *ef, *ej),
            SemDivisao(QStringLiteral("as estações %1 e %2 têm a mesma área de drenagem (%3)")
                           .arg(f)
                           .arg(j)
                           .arg(Area(ef->Ad))));
  } else if (f == 0 && j != 0 && t != 0) {
    // A station on a tributary joining below the section: interpolate between it and the
    // station downstream at the confluence, then scale to the section.
    const std::int32_t m = rede.Arcos().HoPorEstFlu(t);
    const std::int32_t o = rede.TrechoDeEncontro(m, caminho);
    origem.Resumo = QStringLiteral(
                        "Interpolação entre a estação %1 (afluente) e a estação %2 "
                        "(jusante) na confluência, proporcional à área da seção, %3")
                        .arg(t)
                        .arg(j)
                        .arg(Area(a));
    TConfluenciaUsada conf;
    conf.TrechoAfluente = m;
    conf.TrechoReceptor = o;
    const std::int64_t celula = o != 0 ? rede.CelulaTopoTrecho(o, apresentador) : 0;
    if (celula != 0) conf.AdAbaixo = rede.AreaDrenagem(celula);
    origem.Confluencia = conf;
    const auto et = LeEstacao(dmS, t, QStringLiteral("afluente"), origem, apresentador);
    const auto ej = LeEstacao(dmS, j, jusante, origem, apresentador);
    if (o == 0) {
      grava(std::nullopt, QStringLiteral("o afluente da estação %1 não encontra o caminho abaixo "
                                         "da seção")
                              .arg(t));
    } else if (celula == 0) {
      // Without the confluence cell there is no area to carry the flows to.
      grava(std::nullopt,
            QStringLiteral("célula da confluência não encontrada (topo do trecho %1)").arg(o));
    } else if (!et || !ej) {
      grava(std::nullopt, EstacaoNaoEncontrada(!et ? t : j));
    } else {
      const double adEncontro = *conf.AdAbaixo;
      const auto xe = Interpola4(adEncontro, *et, *ej);
      if (!xe) {
        grava(std::nullopt,
              SemDivisao(QStringLiteral("as estações %1 e %2 têm a mesma área de drenagem (%3)")
                             .arg(t)
                             .arg(j)
                             .arg(Area(et->Ad))));
      } else if (const auto nula = std::find(xe->begin(), xe->end(), 0.0); nula != xe->end()) {
        grava(std::nullopt,
              QStringLiteral("a vazão %1 interpolada na confluência é 0: nenhuma das quatro é "
                             "estimada")
                  .arg(NomesVazoesReferencia()[static_cast<std::size_t>(nula - xe->begin())]));
      } else {
        grava(Proporcional4(a, adEncontro, *xe),
              SemDivisao(QStringLiteral("área de drenagem 0 na confluência")));
      }
    }
  } else if (f == 0 && j != 0) {
    origem.Resumo =
        QStringLiteral("Proporcional à estação %1 (jusante) pela área de drenagem da seção, %2")
            .arg(j)
            .arg(Area(a));
    const auto ej = LeEstacao(dmS, j, jusante, origem, apresentador);
    if (!ej)
      grava(std::nullopt, EstacaoNaoEncontrada(j));
    else
      grava(Proporcional4(a, ej->Ad, ej->Q),
            SemDivisao(QStringLiteral("a estação %1 tem área de drenagem 0").arg(j)));
  } else if (f != 0 && j == 0) {
    origem.Resumo =
        QStringLiteral("Proporcional à estação %1 (montante) pela área de drenagem da seção, %2")
            .arg(f)
            .arg(Area(a));
    const auto ef = LeEstacao(dmS, f, montante, origem, apresentador);
    if (!ef)
      grava(std::nullopt, EstacaoNaoEncontrada(f));
    else
      grava(Proporcional4(a, ef->Ad, ef->Q),
            SemDivisao(QStringLiteral("a estação %1 tem área de drenagem 0").arg(f)));
  } else {
    origem.Resumo = QStringLiteral("Sem estações fluviométricas");
    origem.MotivoGeral(
        QStringLiteral("nenhuma estação fluviométrica a montante nem a jusante da seção"));
  }
  DescartaInvalidas(VazoesProporcional_, origem,
                    origem.Estacoes.size() > 1 ? QStringLiteral("a interpolação entre as estações")
                                               : QStringLiteral("a proporção da área da estação"));
  MotivoRestante(origem, VazoesProporcional_,
                 QStringLiteral("as vazões observadas das estações dão 0"));
  MarcaExtrapolacao(origem, VazoesProporcional_, a);
}

void TPonto::CalculaConservacao(TConsulta& qryRios, TConsulta& qryEQ_Conservacao, const TRede& rede,
                                TApresentador& apresentador) {
  TOrigemMetodo& origem = OrigemConservacao_;
  origem.Limpa();
  TFechaAoSair fechaRios(qryRios);
  TFechaAoSair fechaEquacoes(qryEQ_Conservacao);
  TRestricoes restricoes(qryEQ_Conservacao);
  auto abreRios = [&qryRios, &apresentador](std::int32_t codigo) {
    qryRios.DefineSQL(SqlTORVEDA::Rios);
    qryRios.DefineParametro(QStringLiteral("CodEq_Conserv"), codigo);
    Abre(qryRios, apresentador);
  };
  auto abreEquacoes = [&qryEQ_Conservacao, &apresentador](std::int32_t codRio) {
    qryEQ_Conservacao.DefineSQL(SqlTORVEDA::EqConservacao);
    qryEQ_Conservacao.DefineParametro(QStringLiteral("codRio"), codRio);
    Abre(qryEQ_Conservacao, apresentador);
  };
  auto semEquacao = [](std::int32_t codRio) {
    return QStringLiteral("sem equação do rio %1 para %3 em EQ_Conservacao")
        .arg(codRio)
        .replace(QStringLiteral("%3"), QStringLiteral("%1"));
  };
  auto notaRestricoes = [&] {
    if (!restricoes.Erro().isEmpty())
      origem.Resumo += QStringLiteral(" (intervalos de validade não lidos: ") + restricoes.Erro() +
                       QLatin1Char(')');
  };

  // The section's own river has equations.
  abreRios(CodEqConserv_);
  if (qryRios.NumRegistros() == 1) {
    const std::int32_t codRio = qryRios.Inteiro(QStringLiteral("codRio"));
    origem.Resumo = QStringLiteral(
                        "Equações do rio %1 (EQ_Conservacao) na área de drenagem da "
                        "seção, %2")
                        .arg(codRio)
                        .arg(Area(AreaDrenagem_));
    abreEquacoes(codRio);
    AvaliaEquacoes(qryEQ_Conservacao, AreaDrenagem_, VazoesConservacao_, origem,
                   {QStringLiteral("EQ_Conservacao"), 0, codRio, QStringLiteral("seção")},
                   restricoes);
    notaRestricoes();
    DescartaInvalidas(VazoesConservacao_, origem);
    MotivosDasEquacoes(origem, VazoesConservacao_, semEquacao(codRio));
    origem.MarcaIntervalos();
    return;
  }

  // Otherwise walk down to the first arc whose river has equations.
  const TTabelaArcos& arcos = rede.Arcos();
  const QString semRioAbaixo =
      QStringLiteral("nenhum rio com equações de conservação de massas a jusante da seção");
  origem.Resumo = QStringLiteral(
      "O rio da seção não tem equações: transferência do primeiro rio "
      "a jusante que as tem, na confluência");
  std::int32_t n = arcos.TnodePorHo(CodTrecho_);
  if (n == 0) {
    origem.MotivoGeral(
        QStringLiteral("o trecho da seção (%1) não está na tabela de trechos").arg(CodTrecho_));
    return;
  }
  std::int32_t atual = CodTrecho_;
  std::int32_t anterior = 0;
  TDetectorCiclo ciclo(n);
  for (;;) {
    anterior = atual;
    atual = arcos.HoPorFnode(n);
    if (atual == 0) {  // a node that no arc leaves: no river below
      origem.MotivoGeral(semRioAbaixo);
      return;
    }
    const std::int32_t proximo = arcos.TnodePorHo(atual);
    abreRios(arcos.EqConservPorHo(atual));
    if (qryRios.NumRegistros() >= 1) break;
    n = proximo;
    if (n == 0 || ciclo.Passo(n)) {
      origem.MotivoGeral(semRioAbaixo);
      return;
    }
  }

  // The receiving river just below the confluence, the joining river just above it. A segment
  // end that cannot be found has no area: the transfer is not made from the area of cell 0.
  const std::int64_t celulaAbaixo = rede.CelulaTopoTrecho(atual, apresentador);
  const std::int64_t celulaAfluente = rede.CelulaBaseTrecho(anterior, apresentador);
  const std::int32_t codRio = qryRios.Inteiro(QStringLiteral("codRio"));
  TConfluenciaUsada conf;
  conf.TrechoAfluente = anterior;
  conf.TrechoReceptor = atual;
  if (celulaAbaixo != 0) conf.AdAbaixo = rede.AreaDrenagem(celulaAbaixo);
  if (celulaAfluente != 0) conf.AdAfluente = rede.AreaDrenagem(celulaAfluente);
  if (conf.AdAbaixo && conf.AdAfluente) conf.AdAcima = *conf.AdAbaixo - *conf.AdAfluente;
  origem.Confluencia = conf;
  origem.Resumo = QStringLiteral(
                      "O rio da seção não tem equações: transferência do rio %1 na "
                      "confluência do trecho %2 com o trecho %3, proporcional à área "
                      "da seção, %4")
                      .arg(codRio)
                      .arg(anterior)
                      .arg(atual)
                      .arg(Area(AreaDrenagem_));
  if (!conf.AdAbaixo) {
    origem.MotivoGeral(
        QStringLiteral("célula da confluência não encontrada (topo do trecho %1)").arg(atual));
    return;
  }
  if (!conf.AdAfluente) {
    origem.MotivoGeral(
        QStringLiteral("célula da confluência não encontrada (base do trecho %1)").arg(anterior));
    return;
  }
  const double adAbaixo = *conf.AdAbaixo;
  const double adAfluente = *conf.AdAfluente;
  const double adAcima = *conf.AdAcima;

  abreEquacoes(codRio);
  TVazoes r1;
  TVazoes r2;
  AvaliaEquacoes(
      qryEQ_Conservacao, adAcima, r1, origem,
      {QStringLiteral("EQ_Conservacao"), 0, codRio, QStringLiteral("acima da confluência")},
      restricoes);
  AvaliaEquacoes(
      qryEQ_Conservacao, adAbaixo, r2, origem,
      {QStringLiteral("EQ_Conservacao"), 0, codRio, QStringLiteral("abaixo da confluência")},
      restricoes);
  notaRestricoes();
  origem.MarcaIntervalos();

  const TQuatro acima = Valores(r1);
  const TQuatro abaixo = Valores(r2);
  // A joining river without area has nothing to share out: the record stays at 0.
  if (adAfluente == 0.0) {
    origem.MotivoGeral(SemDivisao(QStringLiteral("área de drenagem 0 do afluente na confluência")));
    return;
  }
  TQuatro secao{};
  for (std::size_t i = 0; i < 4; ++i) {
    // The joining river brings the difference; the section gets its share by area.
    secao[i] = AreaDrenagem_ * (abaixo[i] - acima[i]) / adAfluente;
    if (!std::isfinite(secao[i])) {
      origem.MotivoGeral(QStringLiteral("a transferência não dá um número para %1")
                             .arg(NomesVazoesReferencia()[i]));
      return;
    }
  }
  // A difference of flows one of which is already below zero is no flow either.
  for (std::size_t i = 0; i < 4; ++i)
    for (const auto& [q, onde] : {std::pair{acima[i], QStringLiteral("acima")},
                                  std::pair{abaixo[i], QStringLiteral("abaixo")}})
      if (q < 0.0 && origem.Motivos[i].isEmpty()) {
        secao[i] = 0.0;
        origem.Motivos[i] =
            QStringLiteral("a equação do rio %1 %2 da confluência dá ").arg(codRio).arg(onde) +
            VazaoNegativa(q);
      }
  GravaQuatro(VazoesConservacao_, secao);
  DescartaInvalidas(VazoesConservacao_, origem, QStringLiteral("a transferência na confluência"));
  MotivosDasEquacoes(
      origem, VazoesConservacao_, semEquacao(codRio),
      QStringLiteral("a equação dá a mesma vazão acima e abaixo da confluência: o afluente não "
                     "traz vazão"));
}
