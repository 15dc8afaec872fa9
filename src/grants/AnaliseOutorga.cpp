#include "grants/AnaliseOutorga.h"

#include <cmath>

#include "base/Apresentador.h"
#include "grants/FormataNumero.h"
#include "grants/ImagemTabela.h"
#include "hydro/Calendario.h"
#include "hydro/TPonto.h"

const std::array<QString, NumTabelasOutorga>& NomesImagensTabela() {
  static const std::array<QString, NumTabelasOutorga> nomes{
      QStringLiteral("TabQAQEM.bmp"), QStringLiteral("TabQANA.bmp"),
      QStringLiteral("TabQTOTAL.bmp"), QStringLiteral("TabSitAnterior.bmp"),
      QStringLiteral("TabSitPosterior.bmp")};
  return nomes;
}

QString NomeImagemTabela(TTabelaOutorga tabela) {
  return NomesImagensTabela()[static_cast<size_t>(tabela)];
}

QString MensagemSemSecao() {
  return QStringLiteral(
      "Favor identificar uma seção de interesse sobre a hidrografia na tela Localização.");
}

QString ValidaEntradas(const TEntradasOutorga& e) {
  if (!e.Inicio.isValid() || !e.Fim.isValid() || e.Inicio > e.Fim)
    return QStringLiteral("Verifique o período.");
  if (e.VazaoSolicitada.isEmpty()) return QStringLiteral("Verifique o valor da vazão solicitada.");
  if (e.Criterio.Percentual.isEmpty())
    return QStringLiteral("Verifique o valor da % da vazão de referência.");
  if (e.Criterio.Referencia.isEmpty()) return QStringLiteral("Verifique a vazão de referência.");
  if (e.Criterio.Metodo.isEmpty()) return QStringLiteral("Verifique o método de regionalização.");
  return {};
}

namespace {

// The calendar months of a period, first to last.
std::vector<std::pair<int, int>> MesesDoPeriodo(const QDate& inicio, const QDate& fim) {
  std::vector<std::pair<int, int>> meses;
  const std::int32_t n = ContaMeses(inicio, fim);
  QDate d = inicio;
  for (std::int32_t i = 0; i < n; ++i) {
    meses.emplace_back(d.month(), d.year());
    d = Calendario::IncMes(d);
  }
  return meses;
}

void Escreve(TTabelaMeses& grade, int mes, int ano, const QString& texto) {
  grade.CentraColuna(grade.ColunaDoAno(ano));
  grade.SetTexto(grade.ColunaDoAno(ano), mes, texto);
}

void Colore(TTabelaMeses& grade, int mes, int ano, TClasseCor classe) {
  if (TCelulaGrade* c = grade.CelulaDoMes(mes, ano)) c->Fundo = CorDaClasse(classe);
}

// The value a cell shows, read back as the analyst reads it: rounded to three places.
double Exibido(const QString& texto) {
  bool ok = false;
  const double v = LeNumero(texto, &ok);
  return ok ? v : 0.0;
}

// The requested flow of a month from the input grid. The grid is refilled only by "Ok", so after
// a change of period a month may have no cell or an empty one; either stops the run with a
// message that names the month, rather than counting as zero.
std::optional<double> Solicitada(const TTabelaMeses& entrada, int mes, int ano) {
  const TCelulaGrade* c = entrada.CelulaDoMes(mes, ano);
  if (!c || c->Texto.trimmed().isEmpty()) {
    Apresentador().Erro(QStringLiteral("Falta a vazão solicitada de ") + NomeMesAno(mes, ano) +
                        QStringLiteral(" na tabela de vazões solicitadas: pressione \"Ok\" para "
                                       "preenchê-la no período escolhido."));
    return std::nullopt;
  }
  bool ok = false;
  const double v = LeNumero(c->Texto, &ok);
  if (!ok) {
    Apresentador().Erro(QStringLiteral("A vazão solicitada de ") + NomeMesAno(mes, ano) +
                        QStringLiteral(" (\"") + c->Texto +
                        QStringLiteral("\") não é um número válido."));
    return std::nullopt;
  }
  return v;
}

}  // namespace

bool PreencheEntrada(TTabelaMeses& entrada, const QDate& inicio, const QDate& fim,
                     const QString& vazao) {
  if (!MontaGrade(entrada, inicio, fim)) return false;
  for (const auto& [mes, ano] : MesesDoPeriodo(inicio, fim)) Escreve(entrada, mes, ano, vazao);
  return true;
}

double ParcelaUsada(double permissivel, double livre) {
  const long double a = permissivel;
  const long double parcela = (a - livre) * 100.0L / a;
  // A share that is 70 % in decimal terms must not become 70.00000000000001 through binary
  // fractions and change colour: the share is kept to nine decimal places.
  return static_cast<double>(std::round(parcela * 1e9L) / 1e9L);
}

TResultadoOutorga CalculaOutorga(const TPonto& ponto, const TEntradasOutorga& e,
                                 const TTabelaMeses& entrada, const QString& pastaImagens) {
  TResultadoOutorga r;
  if (!ponto.SobreHidrografia()) {
    Apresentador().Erro(MensagemSemSecao());
    return r;
  }
  if (const QString falha = ValidaEntradas(e); !falha.isEmpty()) {
    Apresentador().Erro(falha);
    return r;
  }

  for (const auto& [mes, ano] : MesesDoPeriodo(e.Inicio, e.Fim)) {
    TMesOutorga m;
    m.Mes = mes;
    m.Ano = ano;
    m.Estadual = ponto.OutorgadaEstadual(mes, ano);
    m.Federal = ponto.OutorgadaFederal(mes, ano);
    m.Total = m.Estadual + m.Federal;
    r.Meses.push_back(m);
  }
  auto salva = [&](TTabelaOutorga t) {
    if (!pastaImagens.isEmpty())
      SalvaImagemGrade(r.Tabelas[static_cast<size_t>(t)], pastaImagens + NomeImagemTabela(t));
    r.TabelasFeitas = static_cast<int>(t) + 1;
  };

  // The three upstream tables.
  for (TTabelaOutorga t :
       {TTabelaOutorga::Estadual, TTabelaOutorga::Federal, TTabelaOutorga::Total}) {
    TTabelaMeses& grade = r.Tabelas[static_cast<size_t>(t)];
    MontaGrade(grade, e.Inicio, e.Fim);
    for (const TMesOutorga& m : r.Meses) {
      const double v = t == TTabelaOutorga::Estadual  ? m.Estadual
                       : t == TTabelaOutorga::Federal ? m.Federal
                                                      : m.Total;
      Escreve(grade, m.Mes, m.Ano, FormataTabela(v));
    }
    salva(t);
  }

  bool inteiro = false;
  const int p = LeInteiro(e.Criterio.Percentual, &inteiro);
  if (!inteiro) {
    Apresentador().Erro(QStringLiteral("'") + e.Criterio.Percentual +
                        QStringLiteral("' não é um valor inteiro válido."));
    return r;
  }
  const double a = VazaoCriterio(ponto, e.Criterio.Referencia, e.Criterio.Metodo, p);
  r.VazaoCriterio = a;
  // With no allowable flow every share divides by zero: say why instead of painting NaN.
  if (!(a != 0.0) || !std::isfinite(a)) {
    Apresentador().Erro(
        QStringLiteral("O critério de outorga não dá vazão permissível (") + e.Criterio.Percentual +
        QStringLiteral("% da ") + e.Criterio.Referencia + QStringLiteral(" pelo método \"") +
        e.Criterio.Metodo +
        QStringLiteral("\" = 0): as tabelas de disponibilidade não foram calculadas."));
    return r;
  }

  TTabelaMeses& anterior = r.Tabelas[static_cast<size_t>(TTabelaOutorga::Anterior)];
  MontaGrade(anterior, e.Inicio, e.Fim);
  for (TMesOutorga& m : r.Meses) {
    m.Anterior = FormataTabela(a - m.Total);
    Escreve(anterior, m.Mes, m.Ano, m.Anterior);
    m.ParcelaAnterior = ParcelaUsada(a, Exibido(m.Anterior));
    m.CorAnterior = ClassePorParcela(*m.ParcelaAnterior);
    Colore(anterior, m.Mes, m.Ano, *m.CorAnterior);
  }
  salva(TTabelaOutorga::Anterior);

  // Every requested flow is read before the after-grant table is begun, so a bad cell leaves no
  // half-made table behind.
  for (TMesOutorga& m : r.Meses) {
    m.Solicitada = Solicitada(entrada, m.Mes, m.Ano);
    if (!m.Solicitada) {
      for (TMesOutorga& x : r.Meses) x.Solicitada.reset();
      return r;
    }
  }
  TTabelaMeses& posterior = r.Tabelas[static_cast<size_t>(TTabelaOutorga::Posterior)];
  MontaGrade(posterior, e.Inicio, e.Fim);
  for (TMesOutorga& m : r.Meses) {
    m.Posterior = FormataTabela(a - *m.Solicitada - m.Total);
    Escreve(posterior, m.Mes, m.Ano, m.Posterior);
    m.ParcelaPosterior = ParcelaUsada(a, Exibido(m.Posterior));
    m.CorPosterior = ClassePorParcela(*m.ParcelaPosterior);
    Colore(posterior, m.Mes, m.Ano, *m.CorPosterior);
  }
  salva(TTabelaOutorga::Posterior);
  return r;
}
