// The flows granted upstream of the section, month by month.
#include <QDate>
#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "base/Erro.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "hydro/Calendario.h"
#include "hydro/TMemoPosicao.h"
#include "hydro/TPonto.h"
#include "hydro/TRede.h"
#include "hydro/VigenciaOutorga.h"

namespace {

// Drainage units are grouped by homogeneous region: 101-199 region 1, 201-299 region 2,
// 301-399 region 3 (100, 200, 300 and 400 belong to none).
bool NaRegiao(std::int32_t a, int regiao) {
  return a >= regiao * 100 + 1 && a <= regiao * 100 + 99;
}

const QString RioParacatu = QStringLiteral("Rio Paracatu");

// Headwater units: a section there has nothing upstream outside its own unit.
bool Cabeceira(std::int32_t regiao, std::int32_t s) {
  switch (regiao) {
    case 1:
      return s >= 101 && s <= 109;
    case 2:
      return s >= 201 && s <= 208;
    case 3:
      return s >= 301 && s <= 308;
    default:
      return false;
  }
}

// For a section in unit S, the units whose grants lie downstream of it (or on another branch).
struct TListaUnidades {
  std::int32_t S;
  std::initializer_list<std::int32_t> Jusante;
};
const std::array<TListaUnidades, 10> Listas{{
    {111, {103, 104, 105, 106, 107, 112, 113, 114}},
    {112, {104, 105, 106, 107, 113, 114}},
    {113, {105, 106, 114}},
    {114, {101, 102, 103, 104, 107, 111, 112, 113}},
    {211, {202, 203, 204, 205, 206, 212, 213, 214, 215, 216}},
    {212, {201, 202, 204, 205, 206, 211, 213, 214, 215}},
    {213, {206, 215, 216}},
    {214, {201, 202, 203, 204, 206, 211, 212, 213, 215}},
    {215, {201, 202, 203, 204, 205, 211, 212, 213, 214}},
    {311, {302, 303, 304, 305, 312}},
}};

// Only the list of the section's own region applies.
bool NaListaDeJusante(std::int32_t regiao, std::int32_t s, std::int32_t a) {
  if (!NaRegiao(s, regiao)) return false;
  for (const auto& l : Listas)
    if (l.S == s) return std::find(l.Jusante.begin(), l.Jusante.end(), a) != l.Jusante.end();
  return false;
}

enum class TTipoCamada { Significante, Insignificante, Federal };

}  // namespace

TPosicao TPonto::PosicaoRelativa(const TPontoMapa& ponto, const TRede& rede, std::int32_t a,
                                 TMemoPosicao* memo) const {
  return VereditoRelativo(ponto, rede, a, memo).Posicao;
}

TPosicao TPonto::PosicaoPelaRede(const TPontoMapa& ponto, const TRede& rede,
                                 TMemoPosicao* memo) const {
  return VereditoPelaRede(ponto, rede, memo).Posicao;
}

TVeredito TPonto::VereditoRelativo(const TPontoMapa& ponto, const TRede& rede, std::int32_t a,
                                   TMemoPosicao* memo) const {
  const std::int32_t r = Regiao_;
  const std::int32_t s = IdAdRegiao_;
  const bool paracatu = NomeRio_ == RioParacatu;
  const bool em1 = NaRegiao(a, 1);
  const bool em2 = NaRegiao(a, 2);
  const bool em3 = NaRegiao(a, 3);
  const auto jusante = [](TRegraOutorga regra) { return TVeredito{TPosicao::AJusante, regra, 0}; };

  if (r == 1 && (em2 || em3)) return jusante(TRegraOutorga::OutraRegiao);
  if (r == 2 && (em1 || em3)) return jusante(TRegraOutorga::OutraRegiao);
  if (r == 3 && s != 312 && (em1 || em2)) return jusante(TRegraOutorga::OutraRegiao);
  // The main stem in unit 312 receives both upper regions.
  if (r == 3 && paracatu && (em1 || em2))
    return {TPosicao::AMontante, TRegraOutorga::Regiao3Paracatu, 0};
  if (s == 312 && !paracatu && (em1 || em2)) return jusante(TRegraOutorga::Unidade312OutroRio);
  if (r != 1 && r != 2 && r != 3) return jusante(TRegraOutorga::SemRegiao);

  if (a == s) return VereditoPelaRede(ponto, rede, memo);
  if (Cabeceira(r, s)) return jusante(TRegraOutorga::Cabeceira);
  if (NaListaDeJusante(r, s, a)) return jusante(TRegraOutorga::UnidadeAJusante);
  return VereditoPelaRede(ponto, rede, memo);
}

TVeredito TPonto::VereditoPelaRede(const TPontoMapa& ponto, const TRede& rede,
                                   TMemoPosicao* memo) const {
  const std::int64_t c = rede.Malha().IndiceCelula(ponto);
  const std::optional<std::int32_t> b = rede.TrechoAlcancado(c);
  // A flow path that ends before the mapped drainage gives no decision: the grant does not count.
  if (!b) return {TPosicao::AJusante, TRegraOutorga::SemHidrografia, 0};

  TRede::TChegada chegada;
  if (const TRede::TChegada* guardada = memo ? memo->ChegadaDoTrecho(*b) : nullptr) {
    chegada = *guardada;
  } else {
    chegada = rede.ComoChegaAoTrecho(*b, CodTrecho_);
    if (memo) memo->GuardaChegadaDoTrecho(*b, chegada);
  }
  switch (chegada) {
    case TRede::TChegada::MesmoTrecho:
      return {TPosicao::AMontante, TRegraOutorga::NoTrechoDaSecao, *b};
    case TRede::TChegada::Encontra:
      return {TPosicao::AMontante, TRegraOutorga::MontantePelaRede, *b};
    case TRede::TChegada::NoSemSaida:
      return {TPosicao::AMontante, TRegraOutorga::NoSemSaida, *b};
    case TRede::TChegada::Ciclo:
      return {TPosicao::AJusante, TRegraOutorga::CicloNaRede, *b};
    case TRede::TChegada::Exutorio:
      break;
  }
  return {TPosicao::AJusante, TRegraOutorga::JusantePelaRede, *b};
}

namespace {

TCamadaOutorga CamadaDoTipo(TTipoCamada tipo) {
  switch (tipo) {
    case TTipoCamada::Significante:
      return TCamadaOutorga::Significante;
    case TTipoCamada::Insignificante:
      return TCamadaOutorga::Insignificante;
    case TTipoCamada::Federal:
      break;
  }
  return TCamadaOutorga::Federal;
}

}  // namespace

void TPonto::CalculaOutorgas(const TCamada& signif, const TCamada& insignif, const TCamada& ana,
                             const TCamada& adRegioes, const TRede& rede) {
  TMemoPosicao memo;
  std::unordered_map<qint64, std::int32_t> idPorPoligono;
  Outorgas_.UnidadeSecao = IdAdRegiao_;
  Outorgas_.TrechoSecao = CodTrecho_;
  // Every record lands in one of the two lists: room for all of them in each spares the moves of
  // a growing list.
  const std::size_t total = static_cast<std::size_t>(std::max<qint64>(
      0, signif.Registros().Conta() + insignif.Registros().Conta() + ana.Registros().Conta()));
  Outorgas_.Consideradas.reserve(Outorgas_.Consideradas.size() + total);
  Outorgas_.Descartadas.reserve(Outorgas_.Descartadas.size() + total);

  auto soma = [&](const TCamada& camada, TTipoCamada tipo, const QString& texto) {
    TRegistros r = camada.Registros();
    const qint64 conta = r.Conta();
    const std::int32_t n = static_cast<std::int32_t>(
        std::min<qint64>(conta, std::numeric_limits<std::int32_t>::max()));
    TTabelaMensal& tabela = tipo == TTipoCamada::Federal ? Federal_ : Estadual_;
    TFonteOutorgas& fonte = Outorgas_.Fontes[static_cast<std::size_t>(CamadaDoTipo(tipo))];
    fonte.Dados = r.Dados();
    fonte.Versao = fonte.Dados ? fonte.Dados->Versao() : 0;
    const bool federal = tipo == TTipoCamada::Federal;
    fonte.Requerente =
        r.IndiceCampo(federal ? QStringLiteral("NomeReq") : QStringLiteral("Requerente"));
    fonte.Documento =
        r.IndiceCampo(federal                             ? QStringLiteral("NrPort01")
                      : tipo == TTipoCamada::Significante ? QStringLiteral("Nportaria")
                                                          : QStringLiteral("Ncertidao"));
    const TCamposVigencia campos(r, CamadaDoTipo(tipo));
    r.Primeiro();
    for (std::int32_t i = 1; i <= n && !r.Fim(); ++i, r.Proximo()) {
      InformaProgresso(n, i, texto);

      TOutorgaExaminada o;
      o.Camada = CamadaDoTipo(tipo);
      o.Registro = i;
      o.Chave = r.Chave();
      auto descarta = [&](TRegraOutorga regra) {
        o.Regra = regra;
        Outorgas_.Descartadas.push_back(std::move(o));
      };

      // Where the grant lies decides first: its dates and flows are read only when it counts.
      TPontoMapa p;
      try {
        p = r.Ponto();
      } catch (const ETorveda&) {
        descarta(TRegraOutorga::SemLocalizacao);
        continue;  // a grant without a location cannot lie upstream of anything
      }
      o.Ponto = p;
      o.TemPonto = true;
      const qint64 chave = adRegioes.PrimeiroPoligonoQueContem(p);
      if (chave < 0) {
        descarta(TRegraOutorga::ForaDasUnidades);
        continue;
      }
      auto it = idPorPoligono.find(chave);
      if (it == idPorPoligono.end())
        it = idPorPoligono
                 .emplace(chave, static_cast<std::int32_t>(
                                     adRegioes.Registro(chave).Inteiro(QStringLiteral("ID"))))
                 .first;
      o.Unidade = it->second;
      const TVeredito veredito = VereditoRelativo(p, rede, it->second, &memo);
      o.Regra = veredito.Regra;
      o.Trecho = veredito.Trecho;
      if (veredito.Posicao != TPosicao::AMontante) {
        descarta(veredito.Regra);
        continue;
      }

      const TVigenciaOutorga v = LeVigencia(r, campos);
      o.Vazao = v.Vazao;
      o.Inicio = v.Inicio;
      o.Fim = v.Fim;
      if (v.Falha) {
        descarta(*v.Falha);
        continue;
      }
      for (std::int32_t k = v.PrimeiroMes; k < v.PrimeiroMes + v.NumMeses; ++k)
        tabela[static_cast<std::size_t>(k % 12)]
              [static_cast<std::size_t>(k / 12 - Convencao::AnoInicial)] +=
            v.Vazao[static_cast<std::size_t>(k % 12)];
      o.PrimeiroMes = v.PrimeiroMes;
      o.NumMeses = v.NumMeses;
      Outorgas_.Consideradas.push_back(std::move(o));
    }
  };

  soma(signif, TTipoCamada::Significante,
       QStringLiteral("Calculando vazões outorgadas significante..."));
  soma(insignif, TTipoCamada::Insignificante,
       QStringLiteral("Calculando vazões outorgadas insignificante..."));
  soma(ana, TTipoCamada::Federal, QStringLiteral("Calculando vazões outorgadas ANA..."));
}
