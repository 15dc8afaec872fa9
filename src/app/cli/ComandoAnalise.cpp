// torveda-cli analise: places the section of interest as `secao` does, runs the grant analysis as
// the grant window's "Ok" then "Calcular" would, writes the five table pictures into
// Imagens/Relatórios and, when asked, the two reports as PDF, and prints one JSON object:
//
//   Secao          the section, the same object `secao` prints
//   VazaoCriterio  the allowable flow (m^3/s), null when the percentage could not be read
//   Meses          "AAAA-MM" -> the month's upstream flows (Estadual, Federal, Total), the
//                  requested flow (Solicitada), the availability before and after the grant as
//                  displayed (DisponivelAnterior, DisponivelPosterior), the shares of the
//                  allowable flow used (ParcelaAnterior, ParcelaPosterior, %) and their colour
//                  classes (CorAnterior, CorPosterior: verde, amarelo, laranja, vermelho); null
//                  for what a failure left uncomputed
//   FrequenciaCriterio  how often the criterion holds after the grant: the months of the period
//                  (Meses), those whose availability after the grant is not negative
//                  (MesesAtendidos), their share (Percentual, %) and the worst month (PiorMes
//                  "AAAA-MM", PiorDisponivel m^3/s); null when the analysis stopped
//   Imagens        the table pictures written (all five; none when the analysis stopped; only
//                  those written when the folder refused some, and the exit code is then 1)
//   Relatorios     the PDF files written (none when the analysis stopped)
//   Mensagens      every text the placement and the analysis showed
//   Jusante        with --jusante, after a complete analysis: the check of every arc end from the
//                  section down to the outlet with the requested flow taken at the section
//                  (Texto, Trechos, PrimeiraFalha, NaoVerificados)
//
// The requested flow and the percentage are read as the window's boxes take them: digits and one
// decimal separator (a point is taken for the regional comma). The reference-flow and method
// texts are taken as typed into the window's combo boxes.
//
// Exit codes: 0 all five tables made and their pictures written (and the PDFs asked for
// written); 1 the data tree did not load, the section is not on the mapped drainage, the analysis
// stopped (its message says why), or a picture or PDF could not be written; 2 bad arguments
// (among them a percentage that is not 1 to 100); 3 outside the basin.

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <cmath>
#include <optional>

#include "app/cli/Cli.h"
#include "app/cli/JsonSecao.h"
#include "base/Erro.h"
#include "base/LeituraNumero.h"
#include "grants/AnaliseOutorga.h"
#include "grants/FiltroTecla.h"
#include "grants/FormataNumero.h"
#include "grants/MapaBaciaSistema.h"
#include "grants/Relatorio.h"
#include "grants/VerificacaoJusante.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/TMalha.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

constexpr qsizetype NumImagens = NumTabelasOutorga;

struct TArgumentos {
  bool Xy = true;
  QString A, B;  // X Y, or latitude and longitude
  QDate Inicio, Fim;
  TEntradasOutorga Entradas;
  QString PdfDisponivel, PdfMontante;
  bool Jusante = false;
};

// "MM/AAAA" -> the first day of that month, within the month pickers' limits.
std::optional<QDate> Mes(const QString& texto) {
  QDate d = QDate::fromString(QStringLiteral("01/") + texto, QStringLiteral("dd/MM/yyyy"));
  if (!d.isValid())
    d = QDate::fromString(QStringLiteral("01/") + texto, QStringLiteral("dd/M/yyyy"));
  if (!d.isValid() || d.year() < Convencao::AnoInicial || d.year() > Convencao::AnoFinal)
    return std::nullopt;
  return d;
}

// The text as the number boxes would hold it, or nothing when the key filter would refuse it.
std::optional<QString> Digitado(QString texto) {
  const QString separador = QLocale().decimalPoint();
  if (separador != QStringLiteral(".")) texto.replace(QLatin1Char('.'), separador);
  if (texto.isEmpty() || !TextoDigitavel(texto, separador.at(0))) return std::nullopt;
  return texto;
}

// Fills a; answers an error text for the usage message, or an empty text.
QString LeArgumentos(const QStringList& args, TArgumentos& a) {
  bool temPonto = false;
  std::optional<QDate> inicio, fim;
  for (int i = 0; i < args.size(); ++i) {
    const QString& op = args[i];
    auto valor = [&](int n = 1) -> bool { return i + n < args.size(); };
    if (op == QStringLiteral("--xy") || op == QStringLiteral("--latlong")) {
      if (!valor(2)) return QStringLiteral("Faltam as coordenadas de ") + op + QLatin1Char('.');
      a.Xy = op == QStringLiteral("--xy");
      a.A = args[++i];
      a.B = args[++i];
      temPonto = true;
      continue;
    }
    if (op == QStringLiteral("--jusante")) {
      a.Jusante = true;
      continue;
    }
    if (!valor()) return QStringLiteral("Falta o valor de ") + op + QLatin1Char('.');
    const QString v = args[++i];
    if (op == QStringLiteral("--inicio")) {
      if (!(inicio = Mes(v))) return QStringLiteral("Início inválido (MM/AAAA, 1980 a 2100).");
    } else if (op == QStringLiteral("--fim")) {
      if (!(fim = Mes(v))) return QStringLiteral("Fim inválido (MM/AAAA, 1980 a 2100).");
    } else if (op == QStringLiteral("--vazao")) {
      const auto t = Digitado(v);
      if (!t) return QStringLiteral("A vazão solicitada aceita apenas algarismos e a vírgula.");
      a.Entradas.VazaoSolicitada = *t;
    } else if (op == QStringLiteral("--percentual")) {
      const auto t = Digitado(v);
      if (!t) return QStringLiteral("O percentual aceita apenas algarismos.");
      // A whole number beyond the limits is refused before anything loads; a fraction reaches
      // the analysis, which names it as the grant window does.
      bool inteiro = false;
      const int pc = LeInteiro(*t, &inteiro);
      if (inteiro && (pc < PercentualMinimo || pc > PercentualMaximo))
        return MensagemPercentualForaDoIntervalo(v);
      a.Entradas.Criterio.Percentual = *t;
    } else if (op == QStringLiteral("--referencia")) {
      a.Entradas.Criterio.Referencia = v;
    } else if (op == QStringLiteral("--metodo")) {
      a.Entradas.Criterio.Metodo = v;
    } else if (op == QStringLiteral("--pdf-disponivel")) {
      a.PdfDisponivel = v;
    } else if (op == QStringLiteral("--pdf-montante")) {
      a.PdfMontante = v;
    } else {
      return QStringLiteral("Opção desconhecida: ") + op;
    }
  }
  if (!temPonto) return QStringLiteral("Informe --xy X Y ou --latlong DDMMSS DDMMSS.");
  if (a.Xy && (!LeNumeroDigitado(a.A, TPontoDecimal::Aceito) ||
               !LeNumeroDigitado(a.B, TPontoDecimal::Aceito)))
    return QStringLiteral("Coordenadas inválidas.");
  if (!inicio || !fim) return QStringLiteral("Informe --inicio e --fim (MM/AAAA).");
  a.Entradas.Inicio = *inicio;
  a.Entradas.Fim = *fim;
  return {};
}

QJsonValue Opcional(const std::optional<double>& v) { return v ? QJsonValue(*v) : QJsonValue(); }
QJsonValue Opcional(const std::optional<TClasseCor>& c) {
  return c ? QJsonValue(NomeDaClasse(*c)) : QJsonValue();
}
QJsonValue Texto(const QString& t) { return t.isEmpty() ? QJsonValue() : QJsonValue(t); }

QJsonObject JsonMeses(const TResultadoOutorga& r) {
  QJsonObject meses;
  for (const TMesOutorga& m : r.Meses) {
    meses.insert(QStringLiteral("%1-%2").arg(m.Ano).arg(m.Mes, 2, 10, QLatin1Char('0')),
                 QJsonObject{{QStringLiteral("Estadual"), m.Estadual},
                             {QStringLiteral("Federal"), m.Federal},
                             {QStringLiteral("Total"), m.Total},
                             {QStringLiteral("Solicitada"), Opcional(m.Solicitada)},
                             {QStringLiteral("DisponivelAnterior"), Texto(m.Anterior)},
                             {QStringLiteral("DisponivelPosterior"), Texto(m.Posterior)},
                             {QStringLiteral("ParcelaAnterior"), Opcional(m.ParcelaAnterior)},
                             {QStringLiteral("ParcelaPosterior"), Opcional(m.ParcelaPosterior)},
                             {QStringLiteral("CorAnterior"), Opcional(m.CorAnterior)},
                             {QStringLiteral("CorPosterior"), Opcional(m.CorPosterior)}});
  }
  return meses;
}

QJsonValue JsonFrequencia(const TResultadoOutorga& r) {
  if (!r.Frequencia) return QJsonValue();
  const TFrequenciaCriterio& f = *r.Frequencia;
  return QJsonObject{{QStringLiteral("Meses"), f.Meses},
                     {QStringLiteral("MesesAtendidos"), f.Atendidos},
                     {QStringLiteral("Percentual"), f.Percentual},
                     {QStringLiteral("PiorMes"), QStringLiteral("%1-%2").arg(f.PiorAno).arg(
                                                     f.PiorMes, 2, 10, QLatin1Char('0'))},
                     {QStringLiteral("PiorDisponivel"), f.PiorDisponivel}};
}

int Analise(const TComandoCli& comando, TContextoCli& ctx) {
  TArgumentos a;
  if (const QString erro = LeArgumentos(ctx.Args, a); !erro.isEmpty())
    return ErroDeUso(comando, erro);

  auto sistema = IniciaSistemaParaCalculo(ctx);
  if (!sistema) return 1;
  const TBacia bacia = BaciaDoSistema(*sistema);
  TPonto& ponto = *sistema->Ponto;
  ctx.Apresentador.Limpa();
  const TResultadoSecao rs =
      a.Xy ? ColocaSecao(ponto, bacia,
                         TPontoMapa{*LeNumeroDigitado(a.A, TPontoDecimal::Aceito),
                                    *LeNumeroDigitado(a.B, TPontoDecimal::Aceito)},
                         TFormaPonto::Mapa, ctx.Apresentador)
           : ColocaSecaoDigitada(ponto, bacia, a.A, a.B, ctx.Apresentador);
  if (rs == TResultadoSecao::EntradaInvalida) return 2;
  const bool dentro = rs != TResultadoSecao::ForaDaBacia;
  const QJsonObject secao =
      JsonSecao(ponto, TMalha(*sistema->HeaderMDE), dentro, ctx.Apresentador.Mensagens());
  if (!dentro) {
    ImprimeJson(
        {{QStringLiteral("Secao"), secao},
         {QStringLiteral("Mensagens"), QJsonArray::fromStringList(ctx.Apresentador.Mensagens())}});
    return 3;
  }

  // "Ok", then "Calcular", as in the grant window.
  const QString pasta = sistema->Caminhos().Relatorios();
  TTabelaMeses entrada;
  PreencheEntrada(entrada, a.Entradas.Inicio, a.Entradas.Fim, a.Entradas.VazaoSolicitada,
                  ctx.Apresentador);
  const TResultadoOutorga r = CalculaOutorga(ponto, a.Entradas, entrada, pasta, ctx.Apresentador);
  QJsonArray imagens;
  for (const QString& arquivo : r.Imagens) imagens.append(arquivo);
  // The pictures are part of what the command promises: a table made but not written fails it.
  const bool imagensOk = !r.Completo() || r.Imagens.size() == NumImagens;
  if (!imagensOk)
    ctx.Apresentador.Erro(
        QStringLiteral("Não foi possível gravar as imagens das tabelas na pasta %1 (%2 de %3 "
                       "gravadas).")
            .arg(pasta)
            .arg(r.Imagens.size())
            .arg(NumImagens));

  // The reports, as the menu commands would make them with the grant window open.
  bool relatoriosOk = true;
  QJsonArray relatorios;
  const std::pair<TTipoRelatorio, QString> pedidos[] = {
      {TTipoRelatorio::VazaoDisponivel, a.PdfDisponivel},
      {TTipoRelatorio::OutorgasMontante, a.PdfMontante}};
  // The downstream check goes into the available-flow report as the window prints it.
  std::optional<TVerificacaoJusante> jusante;
  if (a.Jusante && r.Completo()) {
    const TRede rede = bacia.Rede();
    jusante = VerificaJusante(bacia, rede, TRedeBalanco(bacia, rede), ponto, r, ctx.Apresentador);
  }
  const TJanelaOutorga janela{
      a.Entradas, &entrada, &r,
      jusante && !jusante->Trechos.empty() ? TextoJusante(*jusante) : QString()};
  for (const auto& [tipo, arquivo] : pedidos) {
    if (arquivo.isEmpty()) continue;
    // Refused, and nothing written, when the analysis did not complete.
    auto dados = PreparaRelatorio(tipo, ponto, &janela, QDate::currentDate(), ctx.Apresentador);
    if (dados && tipo == TTipoRelatorio::VazaoDisponivel)
      dados->MapaBacia = MapaBaciaDoSistema(*sistema, ponto);
    const bool ok = dados && GravaRelatorioPdf(*dados, arquivo, ctx.Apresentador);
    if (ok) relatorios.append(QFileInfo(arquivo).absoluteFilePath());
    relatoriosOk = relatoriosOk && ok;
  }

  QJsonObject json{{QStringLiteral("Secao"), secao},
                   {QStringLiteral("VazaoCriterio"), Opcional(r.VazaoCriterio)},
                   {QStringLiteral("Meses"), JsonMeses(r)},
                   {QStringLiteral("FrequenciaCriterio"), JsonFrequencia(r)},
                   {QStringLiteral("Imagens"), imagens},
                   {QStringLiteral("Relatorios"), relatorios}};
  if (jusante) json.insert(QStringLiteral("Jusante"), JsonJusante(*jusante));
  json.insert(QStringLiteral("Mensagens"),
              QJsonArray::fromStringList(ctx.Apresentador.Mensagens()));
  ImprimeJson(json);
  return r.Completo() && imagensOk && relatoriosOk ? 0 : 1;
}

const TComandoCli ComandoAnalise{
    QStringLiteral("analise"),
    QStringLiteral("(--xy X Y | --latlong DDMMSS DDMMSS) --inicio MM/AAAA --fim MM/AAAA --vazao Q "
                   "--percentual P --referencia Q710|Q90|Q95|Qmld --metodo \"Tradicional\"|"
                   "\"Proporc. de vazões\"|\"Conserv. de massas\" [--pdf-disponivel ARQ] "
                   "[--pdf-montante ARQ] [--jusante]"),
    [](TContextoCli& ctx) { return Analise(ComandoAnalise, ctx); }};

[[maybe_unused]] const bool registrado = RegistraComando(ComandoAnalise);

}  // namespace
