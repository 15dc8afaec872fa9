#include "grants/BalancoRede.h"

#include <algorithm>
#include <cmath>

#include "base/Apresentador.h"
#include "base/Convencoes.h"
#include "data/TdmS.h"
#include "grants/AnaliseOutorga.h"
#include "grants/FormataNumero.h"
#include "hydro/Calendario.h"
#include "hydro/ColocaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"

TRedeBalanco::TRedeBalanco(const TBacia& bacia, const TRede& rede)
    : Fins(rede), Outorgas(bacia, rede) {}

std::shared_ptr<const TSecaoTrecho> TRedeBalanco::Secao(const TBacia& bacia, const TRede& rede,
                                                        const TFimTrecho& fim,
                                                        const QString& metodo,
                                                        TApresentador& apresentador) const {
  const auto chave = std::make_pair(fim.Trecho, metodo);
  {
    const std::lock_guard<std::mutex> trava(Guarda_);
    if (const auto it = Secoes_.find(chave); it != Secoes_.end()) return it->second;
  }
  // The placement reads the shared database queries: one at a time.
  const std::lock_guard<std::mutex> trava(Guarda_);
  if (const auto it = Secoes_.find(chave); it != Secoes_.end()) return it->second;
  auto s = std::make_shared<TSecaoTrecho>();
  TPonto ponto;
  s->Colocada = ColocaParaBalanco(ponto, bacia, rede, fim.Centro, metodo, apresentador);
  s->Rio = ponto.NomeRio();
  s->Trecho = ponto.CodTrecho();
  s->Regiao = ponto.Regiao();
  s->IdAdRegiao = ponto.IdAdRegiao();
  s->AreaDrenagem = ponto.AreaDrenagem();
  const QStringList& metodos = NomesMetodo();
  s->Vazoes = metodo == metodos[0]   ? ponto.VazoesTradicional()
              : metodo == metodos[1] ? ponto.VazoesProporcional()
                                     : ponto.VazoesConservacao();
  Secoes_.emplace(chave, s);
  return s;
}

void PreencheSecao(TPonto& ponto, const TSecaoTrecho& s, const QString& metodo) {
  ponto.Reinicia();
  ponto.SetCodTrecho(s.Trecho);
  ponto.SetRegiao(s.Regiao);
  ponto.SetIdAdRegiao(s.IdAdRegiao);
  ponto.SetNomeRio(s.Rio);
  ponto.SetAreaDrenagem(s.AreaDrenagem);
  const QStringList& metodos = NomesMetodo();
  if (metodo == metodos[0])
    ponto.VazoesTradicional() = s.Vazoes;
  else if (metodo == metodos[1])
    ponto.VazoesProporcional() = s.Vazoes;
  else if (metodo == metodos[2])
    ponto.VazoesConservacao() = s.Vazoes;
}

TSomasMensais TRedeBalanco::Somas(const TPonto& secao, const TFimTrecho& fim, const TRede& rede,
                                  std::int32_t primeiroMes, int meses) const {
  constexpr std::int32_t PrimeiroDaTabela = Convencao::AnoInicial * 12;
  constexpr int MesesDaTabela = (Convencao::AnoFinal - Convencao::AnoInicial + 1) * 12;
  std::shared_ptr<const TSomasMensais> tabela;
  bool vista = false;
  {
    const std::lock_guard<std::mutex> trava(Guarda_);
    if (const auto it = Guardadas_.find(fim.Trecho); it != Guardadas_.end()) {
      tabela = it->second;
      vista = true;
    }
  }
  // The first check of an arc sums only its period; an arc checked again gets every month.
  if (!vista) {
    {
      const std::lock_guard<std::mutex> trava(Guarda_);
      Guardadas_.emplace(fim.Trecho, nullptr);
    }
    return Outorgas.Soma(secao, fim.Centro, rede, primeiroMes, meses);
  }
  if (!tabela) {
    tabela = std::make_shared<const TSomasMensais>(
        Outorgas.Soma(secao, fim.Centro, rede, PrimeiroDaTabela, MesesDaTabela));
    // About 32 MB of sums at most (1 450 arcs): a larger network starts again rather than grow.
    constexpr std::size_t Limite = std::size_t{4} << 20;
    const std::lock_guard<std::mutex> trava(Guarda_);
    if (Valores_ > Limite) {
      Guardadas_.clear();
      Valores_ = 0;
    }
    std::shared_ptr<const TSomasMensais>& guardada = Guardadas_[fim.Trecho];
    if (!guardada) {
      guardada = tabela;
      Valores_ += tabela->Estadual.size() + tabela->Federal.size();
    }
  }
  TSomasMensais s;
  const std::int32_t de = std::clamp(primeiroMes - PrimeiroDaTabela, 0, MesesDaTabela);
  const std::int32_t ate = std::clamp(primeiroMes + meses - PrimeiroDaTabela, de, MesesDaTabela);
  s.Estadual.assign(static_cast<std::size_t>(std::max(0, meses)), 0.0);
  s.Federal.assign(s.Estadual.size(), 0.0);
  for (std::int32_t k = de; k < ate; ++k) {
    const auto i = static_cast<std::size_t>(k + PrimeiroDaTabela - primeiroMes);
    s.Estadual[i] = tabela->Estadual[static_cast<std::size_t>(k)];
    s.Federal[i] = tabela->Federal[static_cast<std::size_t>(k)];
  }
  return s;
}

TDisponibilidadeMes DisponibilidadeMes(double permissivel, double livre, int casas) {
  TDisponibilidadeMes d;
  d.Texto = FormataFixo(livre, casas);
  // The share is taken from the value as displayed, as the grant tables take it.
  bool ok = false;
  const double lido = LeNumero(d.Texto, &ok);
  d.Valor = ok ? lido : 0.0;
  d.Parcela = ParcelaUsada(permissivel, d.Valor);
  d.Classe = ClassePorParcela(d.Parcela);
  return d;
}

bool ColocaParaBalanco(TPonto& ponto, const TBacia& bacia, const TRede& rede, const TPontoMapa& p,
                       const QString& metodo, TApresentador& apresentador) {
  if (!DentroDaBacia(bacia.Limite, p)) return false;
  IdentificaSecao(ponto, bacia, p);
  if (!ponto.SobreHidrografia()) return false;
  const QStringList& metodos = NomesMetodo();
  if (metodo == metodos[0])
    ponto.CalculaTradicional(bacia.dmS.qryEQ_Tradicional, apresentador);
  else if (metodo == metodos[1])
    ponto.CalculaProporcional(bacia.dmS, rede, apresentador);
  else if (metodo == metodos[2])
    ponto.CalculaConservacao(bacia.dmS.qryRios, bacia.dmS.qryEQ_Conservacao, rede, apresentador);
  return true;
}

std::optional<TBalanco> CalculaBalanco(const TBacia& bacia, const TRede& rede,
                                       const TRedeBalanco& dados, const QDate& inicio,
                                       const QDate& fim, const TCriterioOutorga& criterio,
                                       TApresentador& apresentador) {
  // The checks of the grant window, with nothing requested.
  const TEntradasOutorga entradas{inicio, fim, QStringLiteral("0"), criterio};
  if (const QString falha = ValidaEntradas(entradas); !falha.isEmpty()) {
    apresentador.Erro(falha);
    return std::nullopt;
  }
  bool inteiro = false;
  const int p = LeInteiro(criterio.Percentual, &inteiro);
  if (!inteiro) {
    apresentador.Erro(MensagemPercentualNaoInteiro(criterio.Percentual));
    return std::nullopt;
  }

  TBalanco b;
  b.Inicio = inicio;
  b.Fim = fim;
  b.Criterio = criterio;
  b.SemCelula = dados.Fins.SemCelula();
  const std::vector<std::pair<int, int>> meses = MesesDoPeriodo(inicio, fim);
  const std::int32_t primeiroMes = inicio.year() * 12 + inicio.month() - 1;
  const int n = static_cast<int>(meses.size());
  TPonto ponto;
  b.Trechos.reserve(dados.Fins.Todos().size());
  for (const TFimTrecho& f : dados.Fins.Todos()) {
    const std::shared_ptr<const TSecaoTrecho> secao =
        dados.Secao(bacia, rede, f, criterio.Metodo, apresentador);
    if (!secao->Colocada) {
      b.NaoColocados.push_back(f.Trecho);
      continue;
    }
    PreencheSecao(ponto, *secao, criterio.Metodo);
    TTrechoBalanco t;
    t.Fim = f;
    t.Rio = secao->Rio;
    t.AreaDrenagem = secao->AreaDrenagem;
    const double a = VazaoCriterio(ponto, criterio.Referencia, criterio.Metodo, p);
    t.VazaoCriterio = a;
    const bool permissivel = a != 0.0 && std::isfinite(a);
    const TSomasMensais s = dados.Outorgas.Soma(ponto, f.Centro, rede, primeiroMes, n);
    t.Meses.resize(meses.size());
    std::vector<double> livres;
    for (int i = 0; i < n; ++i) {
      TMesBalanco& m = t.Meses[static_cast<std::size_t>(i)];
      std::tie(m.Mes, m.Ano) = meses[static_cast<std::size_t>(i)];
      m.Estadual = s.Estadual[static_cast<std::size_t>(i)];
      m.Federal = s.Federal[static_cast<std::size_t>(i)];
      livres.push_back(a - (m.Estadual + m.Federal));
    }
    // One number of places for the arc's whole period, as a grant table writes its column.
    const int casas = CasasDaColuna(livres);
    for (int i = 0; i < n && permissivel; ++i) {
      TMesBalanco& m = t.Meses[static_cast<std::size_t>(i)];
      const double total = m.Estadual + m.Federal;
      // Grants last years: most months repeat the month before, and writing a number out is
      // the dearest step of the balance.
      const TMesBalanco* anterior = i > 0 ? &t.Meses[static_cast<std::size_t>(i - 1)] : nullptr;
      if (anterior && anterior->Estadual + anterior->Federal == total)
        m.Disponivel = anterior->Disponivel;
      else
        m.Disponivel = DisponibilidadeMes(a, a - total, casas);
    }
    b.Trechos.push_back(std::move(t));
  }
  return b;
}
