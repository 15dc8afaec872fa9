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
std::optional<double> Solicitada(const TTabelaMeses& entrada, int mes, int ano,
                                 TApresentador& apresentador) {
  const TCelulaGrade* c = entrada.CelulaDoMes(mes, ano);
  if (!c || c->Texto.trimmed().isEmpty()) {
    apresentador.Erro(QStringLiteral("Falta a vazão solicitada de ") + NomeMesAno(mes, ano) +
                      QStringLiteral(" na tabela de vazões solicitadas: pressione \"Ok\" para "
                                     "preenchê-la no período escolhido."));
    return std::nullopt;
  }
  bool ok = false;
  const double v = LeNumero(c->Texto, &ok);
  if (!ok) {
    apresentador.Erro(QStringLiteral("A vazão solicitada de ") + NomeMesAno(mes, ano) +
                      QStringLiteral(" (\"") + c->Texto +
                      QStringLiteral("\") não é um número válido."));
    return std::nullopt;
  }
  return v;
}

}  // namespace

bool PreencheEntrada(TTabelaMeses& entrada, const QDate& inicio, const QDate& fim,
                     const QString& vazao, TApresentador& apresentador) {
  if (!MontaGrade(entrada, inicio, fim, apresentador)) return false;
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

QString MensagemPercentualNaoInteiro(const QString& percentual) {
  return QStringLiteral(
             "O valor da % da vazão de referência deve ser um número inteiro (por "
             "exemplo, 30): \"") +
         percentual + QStringLiteral("\" não é um número inteiro.");
}

QString MensagemPercentualForaDoIntervalo(const QString& percentual) {
  return QStringLiteral(
             "O valor da % da vazão de referência deve ser um número inteiro de %1 a "
             "%2: \"%3\" está fora desse intervalo.")
      .arg(PercentualMinimo)
      .arg(PercentualMaximo)
      .arg(percentual);
}

std::optional<int> LePercentual(const QString& percentual, QString* erro) {
  bool inteiro = false;
  const int p = LeInteiro(percentual, &inteiro);
  QString motivo;
  if (!inteiro)
    motivo = MensagemPercentualNaoInteiro(percentual);
  else if (p < PercentualMinimo || p > PercentualMaximo)
    motivo = MensagemPercentualForaDoIntervalo(percentual);
  if (motivo.isEmpty()) return p;
  if (erro) *erro = motivo;
  return std::nullopt;
}

namespace {

// The share of months whose availability after the grant is not negative, and the worst one.
TFrequenciaCriterio Frequencia(const std::vector<TMesOutorga>& meses) {
  TFrequenciaCriterio f;
  bool primeiro = true;
  for (const TMesOutorga& m : meses) {
    const double livre = Exibido(m.Posterior);
    ++f.Meses;
    if (livre >= 0.0) ++f.Atendidos;
    if (primeiro || livre < f.PiorDisponivel) {
      f.PiorMes = m.Mes;
      f.PiorAno = m.Ano;
      f.PiorDisponivel = livre;
      primeiro = false;
    }
  }
  f.Percentual = f.Meses > 0 ? f.Atendidos * 100.0 / f.Meses : 0.0;
  return f;
}

}  // namespace

QString TextoFrequencia(const TFrequenciaCriterio& f) {
  return QStringLiteral("Critério atendido em %1 de %2 meses do período (%3%); pior mês: ")
             .arg(f.Atendidos)
             .arg(f.Meses)
             .arg(FormataDecimal(f.Percentual, 0, 1)) +
         NomeMesAno(f.PiorMes, f.PiorAno) + QStringLiteral(", ") + FormataTabela(f.PiorDisponivel) +
         QStringLiteral(" m³/s");
}

TResultadoOutorga CalculaOutorga(const TPonto& ponto, const TEntradasOutorga& e,
                                 const TTabelaMeses& entrada, const QString& pastaImagens,
                                 TApresentador& apresentador) {
  TResultadoOutorga r;
  if (!ponto.SobreHidrografia()) {
    apresentador.Erro(MensagemSemSecao());
    return r;
  }
  if (const QString falha = ValidaEntradas(e); !falha.isEmpty()) {
    apresentador.Erro(falha);
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

  // Every input is read before the first table is made: a run that cannot finish leaves the
  // result grid and the pictures of the last complete run as they were.
  QString erroPercentual;
  const std::optional<int> p = LePercentual(e.Criterio.Percentual, &erroPercentual);
  if (!p) {
    apresentador.Erro(erroPercentual);
    return r;
  }
  const double a = VazaoCriterio(ponto, e.Criterio.Referencia, e.Criterio.Metodo, *p);
  r.VazaoCriterio = a;
  // With no allowable flow every share divides by zero: say why instead of painting NaN.
  if (!(a != 0.0) || !std::isfinite(a)) {
    apresentador.Erro(
        QStringLiteral("O critério de outorga não dá vazão permissível (") + e.Criterio.Percentual +
        QStringLiteral("% da ") + e.Criterio.Referencia + QStringLiteral(" pelo método \"") +
        e.Criterio.Metodo +
        QStringLiteral("\" = 0): as tabelas de disponibilidade não foram calculadas."));
    return r;
  }
  for (TMesOutorga& m : r.Meses) {
    m.Solicitada = Solicitada(entrada, m.Mes, m.Ano, apresentador);
    if (!m.Solicitada) {
      for (TMesOutorga& x : r.Meses) x.Solicitada.reset();
      return r;
    }
  }

  // The three upstream tables.
  for (TTabelaOutorga t :
       {TTabelaOutorga::Estadual, TTabelaOutorga::Federal, TTabelaOutorga::Total}) {
    TTabelaMeses& grade = r.Tabelas[static_cast<size_t>(t)];
    MontaGrade(grade, e.Inicio, e.Fim, apresentador);
    std::vector<double> valores;
    for (const TMesOutorga& m : r.Meses)
      valores.push_back(t == TTabelaOutorga::Estadual  ? m.Estadual
                        : t == TTabelaOutorga::Federal ? m.Federal
                                                       : m.Total);
    const int casas = CasasDaColuna(valores);
    for (size_t i = 0; i < r.Meses.size(); ++i)
      Escreve(grade, r.Meses[i].Mes, r.Meses[i].Ano, FormataFixo(valores[i], casas));
  }

  // Each table keeps one number of places, enough for its smallest flow to show three
  // significant digits: a creek's availability never reads as 0.
  std::vector<double> antes;
  std::vector<double> depois;
  for (const TMesOutorga& m : r.Meses) {
    antes.push_back(a - m.Total);
    depois.push_back(a - *m.Solicitada - m.Total);
  }
  const int casasAntes = CasasDaColuna(antes);
  const int casasDepois = CasasDaColuna(depois);

  TTabelaMeses& anterior = r.Tabelas[static_cast<size_t>(TTabelaOutorga::Anterior)];
  MontaGrade(anterior, e.Inicio, e.Fim, apresentador);
  for (TMesOutorga& m : r.Meses) {
    m.Anterior = FormataFixo(a - m.Total, casasAntes);
    Escreve(anterior, m.Mes, m.Ano, m.Anterior);
    m.ParcelaAnterior = ParcelaUsada(a, Exibido(m.Anterior));
    m.CorAnterior = ClassePorParcela(*m.ParcelaAnterior);
    Colore(anterior, m.Mes, m.Ano, *m.CorAnterior);
  }

  TTabelaMeses& posterior = r.Tabelas[static_cast<size_t>(TTabelaOutorga::Posterior)];
  MontaGrade(posterior, e.Inicio, e.Fim, apresentador);
  for (TMesOutorga& m : r.Meses) {
    m.Posterior = FormataFixo(a - *m.Solicitada - m.Total, casasDepois);
    Escreve(posterior, m.Mes, m.Ano, m.Posterior);
    m.ParcelaPosterior = ParcelaUsada(a, Exibido(m.Posterior));
    m.CorPosterior = ClassePorParcela(*m.ParcelaPosterior);
    Colore(posterior, m.Mes, m.Ano, *m.CorPosterior);
  }
  r.Frequencia = Frequencia(r.Meses);
  r.CodTrecho = ponto.CodTrecho();
  r.CoordX = ponto.CoordX();
  r.CoordY = ponto.CoordY();
  r.Entradas = e;

  if (!pastaImagens.isEmpty())
    for (int t = 0; t < NumTabelasOutorga; ++t) {
      const QString arquivo = pastaImagens + NomesImagensTabela()[static_cast<size_t>(t)];
      if (SalvaImagemGrade(r.Tabelas[static_cast<size_t>(t)], arquivo, apresentador))
        r.Imagens.push_back(arquivo);
    }
  r.TabelasFeitas = NumTabelasOutorga;
  return r;
}

QString MotivoSecaoMudou(const TResultadoOutorga& r, const TPonto& ponto) {
  const QString novamente = QStringLiteral(" Calcule novamente a disponibilidade para esta seção.");
  if (!r.Completo())
    return QStringLiteral(
        "A disponibilidade ainda não foi calculada na tela Outorga para esta "
        "seção: pressione \"Calcular\".");
  if (r.CodTrecho != ponto.CodTrecho() || r.CoordX != ponto.CoordX() || r.CoordY != ponto.CoordY())
    return QStringLiteral(
               "As tabelas da tela Outorga foram calculadas para outra seção de "
               "interesse.") +
           novamente;
  for (const TMesOutorga& m : r.Meses)
    if (m.Estadual != ponto.OutorgadaEstadual(m.Mes, m.Ano) ||
        m.Federal != ponto.OutorgadaFederal(m.Mes, m.Ano))
      return QStringLiteral(
                 "As vazões outorgadas a montante da seção mudaram desde o último "
                 "cálculo.") +
             novamente;
  bool inteiro = false;
  const int p = LeInteiro(r.Entradas.Criterio.Percentual, &inteiro);
  if (!inteiro || !r.VazaoCriterio ||
      VazaoCriterio(ponto, r.Entradas.Criterio.Referencia, r.Entradas.Criterio.Metodo, p) !=
          *r.VazaoCriterio)
    return QStringLiteral("As vazões de referência da seção mudaram desde o último cálculo.") +
           novamente;
  return {};
}

QString MotivoAnaliseVencida(const TResultadoOutorga& r, const TPonto& ponto,
                             const TEntradasOutorga& e, const TTabelaMeses& entrada) {
  if (QString motivo = MotivoSecaoMudou(r, ponto); !motivo.isEmpty()) return motivo;
  const TEntradasOutorga& f = r.Entradas;
  bool mesmas =
      e.Inicio == f.Inicio && e.Fim == f.Fim && e.Criterio.Percentual == f.Criterio.Percentual &&
      e.Criterio.Referencia == f.Criterio.Referencia && e.Criterio.Metodo == f.Criterio.Metodo;
  // The requested flows are those of the input grid's cells, which may differ month by month.
  for (size_t i = 0; mesmas && i < r.Meses.size(); ++i) {
    const TMesOutorga& m = r.Meses[i];
    const TCelulaGrade* c = entrada.CelulaDoMes(m.Mes, m.Ano);
    bool ok = false;
    const double v = c ? LeNumero(c->Texto, &ok) : 0.0;
    mesmas = ok && m.Solicitada && v == *m.Solicitada;
  }
  if (!mesmas)
    return QStringLiteral(
        "O período, a vazão solicitada ou o critério de outorga da tela Outorga "
        "mudaram desde o último cálculo. Calcule novamente a disponibilidade "
        "para esta seção.");
  return {};
}
