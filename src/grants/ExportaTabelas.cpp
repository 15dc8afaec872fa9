#include "grants/ExportaTabelas.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

#include "base/Erro.h"
#include "grants/AnaliseOutorga.h"
#include "grants/DescricaoSecao.h"
#include "grants/FormataNumero.h"
#include "grants/TTabelaMeses.h"
#include "hydro/BaciaDaSecao.h"
#include "hydro/TPonto.h"

namespace {

// A month x year table: one row per month, one column per year of the period, the value of each
// month of the period (months outside it are left empty).
template <typename F>
TTabelaExportada TabelaMeses(const QString& nome, const QString& arquivo,
                             const TResultadoOutorga& r, F&& valor) {
  TTabelaExportada t;
  t.Nome = nome;
  t.Arquivo = arquivo;
  if (r.Meses.empty()) return t;
  const int ano0 = r.Meses.front().Ano;
  const int ano1 = r.Meses.back().Ano;
  t.Cabecalhos << QStringLiteral("Mês");
  for (int a = ano0; a <= ano1; ++a) t.Cabecalhos << QString::number(a);
  t.Linhas.assign(12, std::vector<QVariant>(static_cast<std::size_t>(ano1 - ano0 + 2)));
  for (int m = 0; m < 12; ++m) t.Linhas[static_cast<std::size_t>(m)][0] = NomesMeses()[m];
  for (const TMesOutorga& m : r.Meses)
    t.Linhas[static_cast<std::size_t>(m.Mes - 1)][static_cast<std::size_t>(m.Ano - ano0 + 1)] =
        valor(m);
  return t;
}

QString Data(const QDate& d) {
  return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}
QString Mes(std::int32_t k) { return NomeMesAno(k % 12 + 1, k / 12); }

// The twelve monthly flows in words, when they differ ("Jan 0,2; Fev 0,05; ...").
QString Mensais(const TOutorgaExaminada& o) {
  if (o.VazaoUnica()) return {};
  QStringList l;
  for (std::size_t m = 0; m < 12; ++m)
    l << NomesMeses()[static_cast<int>(m)] + QLatin1Char(' ') +
             QLocale().toString(o.Vazao[m], 'g', 6);
  return l.join(QStringLiteral("; "));
}

}  // namespace

TTabelaExportada TabelaOutorgas(const TOutorgasConsideradas& todas, bool consideradas,
                                const TBaciaContribuicao* bacia) {
  if (bacia && bacia->Vazia()) bacia = nullptr;
  TTabelaExportada t;
  t.Nome = consideradas ? QStringLiteral("Outorgas consideradas")
                        : QStringLiteral("Outorgas descartadas");
  t.Arquivo = consideradas ? QStringLiteral("outorgas_consideradas")
                           : QStringLiteral("outorgas_descartadas");
  t.Cabecalhos = {QStringLiteral("Cadastro"),
                  QStringLiteral("Camada"),
                  QStringLiteral("Registro"),
                  QStringLiteral("Requerente"),
                  QStringLiteral("Documento"),
                  QStringLiteral("Vazão"),
                  QStringLiteral("Vazões mensais"),
                  QStringLiteral("Unidade"),
                  QStringLiteral("Início"),
                  QStringLiteral("Fim"),
                  QStringLiteral("Unidade de drenagem")};
  if (consideradas)
    t.Cabecalhos << QStringLiteral("Meses") << QStringLiteral("Primeiro mês")
                 << QStringLiteral("Último mês") << QStringLiteral("Regra");
  else
    t.Cabecalhos << QStringLiteral("Motivo");
  if (bacia) t.Cabecalhos << QStringLiteral("Na bacia") << QStringLiteral("Diverge da bacia");
  const auto& lista = consideradas ? todas.Consideradas : todas.Descartadas;
  t.Linhas.reserve(lista.size());
  for (const TOutorgaExaminada& o : lista) {
    std::vector<QVariant> l{o.Cadastro(),
                            o.NomeCamada(),
                            o.Registro,
                            todas.Requerente(o),
                            todas.Documento(o),
                            *std::max_element(o.Vazao.begin(), o.Vazao.end()),
                            Mensais(o),
                            TOutorgaExaminada::UnidadeVazao(),
                            Data(o.Inicio),
                            Data(o.Fim),
                            o.Unidade != 0 ? QVariant(o.Unidade) : QVariant()};
    if (consideradas) {
      l.emplace_back(o.NumMeses);
      l.emplace_back(Mes(o.PrimeiroMes));
      l.emplace_back(Mes(o.PrimeiroMes + o.NumMeses - 1));
    }
    l.emplace_back(o.TextoRegra(todas.UnidadeSecao, todas.TrechoSecao));
    if (bacia) {
      const TAcordoBacia acordo = AcordoComABacia(*bacia, o);
      l.emplace_back(acordo == TAcordoBacia::SemPonto
                         ? QVariant()
                         : QVariant(bacia->ContemPonto(o.Ponto) ? QStringLiteral("Sim")
                                                                : QStringLiteral("Não")));
      l.emplace_back(acordo == TAcordoBacia::DentroNaoConsiderada ||
                             acordo == TAcordoBacia::ConsideradaFora
                         ? QVariant(QStringLiteral("Sim"))
                         : QVariant());
    }
    t.Linhas.push_back(std::move(l));
  }
  return t;
}

TTabelaExportada TabelaResumo(const TPonto& ponto, const TResultadoOutorga& r,
                              const TIdentificacaoAnalise& identificacao) {
  TTabelaExportada t;
  t.Nome = QStringLiteral("Análise");
  t.Arquivo = QStringLiteral("analise");
  t.Cabecalhos = {QStringLiteral("Item"), QStringLiteral("Valor")};
  auto linha = [&t](const char* item, const QString& valor) {
    t.Linhas.push_back({QString::fromUtf8(item), valor});
  };
  const TEntradasOutorga& e = r.Entradas;
  if (!identificacao.Processo.trimmed().isEmpty())
    linha("Processo nº", identificacao.Processo.trimmed());
  if (!identificacao.Analista.trimmed().isEmpty())
    linha("Analista", identificacao.Analista.trimmed());
  linha("Seção de interesse", DescricaoSecao(ponto));
  linha("Rio", ponto.NomeRio());
  linha("Município", ponto.Municipio());
  linha("Estado", ponto.Estado());
  linha("Área de drenagem (km²)", FormataArea(ponto.AreaDrenagem()));
  linha("Latitude", ponto.LatitudeGMS() + QStringLiteral(" S"));
  linha("Longitude", ponto.LongitudeGMS() + QStringLiteral(" W"));
  linha("X (m)", FormataMetros(ponto.CoordX()));
  linha("Y (m)", FormataMetros(ponto.CoordY()));
  const QString formato = QStringLiteral("MM/yyyy");
  linha("Período", e.Inicio.toString(formato) + QStringLiteral(" a ") + e.Fim.toString(formato));
  bool constante = !r.Meses.empty();
  for (const TMesOutorga& m : r.Meses)
    constante = constante && m.Solicitada == r.Meses.front().Solicitada;
  linha("Vazão solicitada (m³/s)", constante && r.Meses.front().Solicitada
                                       ? FormataVazao(*r.Meses.front().Solicitada)
                                       : QStringLiteral("variável por mês"));
  linha("Critério de outorga",
        e.Criterio.Percentual + QStringLiteral("% da ") + e.Criterio.Referencia);
  linha("Método de regionalização", e.Criterio.Metodo);
  if (r.VazaoCriterio) linha("Vazão do critério (m³/s)", FormataVazao(*r.VazaoCriterio));
  if (r.Frequencia) linha("Frequência", TextoFrequencia(*r.Frequencia));
  return t;
}

std::vector<TTabelaExportada> TabelasDaAnalise(const TPonto& ponto, const TResultadoOutorga* r,
                                               const TBaciaContribuicao* bacia,
                                               const TIdentificacaoAnalise& identificacao) {
  std::vector<TTabelaExportada> tabelas;
  if (r && r->Completo()) tabelas.push_back(TabelaResumo(ponto, *r, identificacao));
  // A month requested apart from the others is exported as its own table.
  if (r && r->Completo() && !r->Meses.empty() &&
      std::any_of(r->Meses.begin(), r->Meses.end(), [&](const TMesOutorga& m) {
        return m.Solicitada != r->Meses.front().Solicitada;
      }))
    tabelas.push_back(TabelaMeses(
        QStringLiteral("Vazão solicitada"), QStringLiteral("vazao_solicitada"), *r,
        [](const TMesOutorga& m) { return m.Solicitada ? QVariant(*m.Solicitada) : QVariant(); }));
  if (r && r->TabelasFeitas >= 3) {
    tabelas.push_back(TabelaMeses(QStringLiteral("Outorgada AQEM"),
                                  QStringLiteral("outorgada_aqem"), *r,
                                  [](const TMesOutorga& m) { return QVariant(m.Estadual); }));
    tabelas.push_back(TabelaMeses(QStringLiteral("Outorgada ANA"), QStringLiteral("outorgada_ana"),
                                  *r, [](const TMesOutorga& m) { return QVariant(m.Federal); }));
    tabelas.push_back(TabelaMeses(QStringLiteral("Outorgada total"),
                                  QStringLiteral("outorgada_total"), *r,
                                  [](const TMesOutorga& m) { return QVariant(m.Total); }));
  }
  if (r && r->TabelasFeitas >= 4 && r->VazaoCriterio) {
    const double a = *r->VazaoCriterio;
    tabelas.push_back(TabelaMeses(QStringLiteral("Situação anterior"),
                                  QStringLiteral("situacao_anterior"), *r,
                                  [a](const TMesOutorga& m) { return QVariant(a - m.Total); }));
  }
  if (r && r->TabelasFeitas >= 5 && r->VazaoCriterio) {
    const double a = *r->VazaoCriterio;
    tabelas.push_back(
        TabelaMeses(QStringLiteral("Situação posterior"), QStringLiteral("situacao_posterior"), *r,
                    [a](const TMesOutorga& m) {
                      return m.Solicitada ? QVariant(a - *m.Solicitada - m.Total) : QVariant();
                    }));
  }
  tabelas.push_back(TabelaOutorgas(ponto.Outorgas(), true, bacia));
  tabelas.push_back(TabelaOutorgas(ponto.Outorgas(), false, bacia));
  return tabelas;
}

QStringList ExportaTabelas(const QString& arquivo, const std::vector<TTabelaExportada>& tabelas) {
  const QFileInfo info(arquivo);
  const QString ext = info.suffix().toLower();
  if (ext == QLatin1String("xlsx")) {
    GravaPlanilhaXlsx(arquivo, tabelas);
    return {arquivo};
  }
  if (ext != QLatin1String("csv"))
    throw ETorveda(QStringLiteral("Escolha um arquivo .xlsx ou .csv para exportar as tabelas."));
  QStringList gravados;
  for (const TTabelaExportada& t : tabelas) {
    const QString nome = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
                         QLatin1Char('_') + t.Arquivo + QStringLiteral(".csv");
    GravaCsv(nome, t);
    gravados << nome;
  }
  return gravados;
}
