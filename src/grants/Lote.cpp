#include "grants/Lote.h"

#include <QLocale>
#include <exception>

#include "base/Apresentador.h"
#include "base/Convencoes.h"
#include "base/Erro.h"
#include "grants/FormataNumero.h"
#include "grants/TTabelaMeses.h"
#include "grants/VazaoCriterio.h"
#include "hydro/ColocaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"
#include "hydro/TextoGMS.h"

namespace {

const char* const Meses[12] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                               "Jul", "Ago", "Set", "Out", "Nov", "Dez"};

// "Vazão Média", "vazao_media" and "VAZAO MEDIA" -> "vazaomedia".
QString Chave(const QString& texto) {
  QString chave;
  for (QChar c : texto.normalized(QString::NormalizationForm_D)) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    if (c.isLetterOrNumber()) chave += c.toLower();
  }
  return chave;
}

// A number written with a point or with the regional comma, without thousands separators.
std::optional<double> Numero(QString texto) {
  texto = texto.trimmed();
  if (texto.isEmpty()) return std::nullopt;
  texto.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double v = QLocale::c().toDouble(texto, &ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

// "MM/AAAA", "M/AAAA" or "AAAA-MM" -> the first day of the month, within the pickers' years.
std::optional<QDate> Mes(const QString& texto) {
  const QString t = texto.trimmed();
  QDate d = QDate::fromString(QStringLiteral("01/") + t, QStringLiteral("dd/MM/yyyy"));
  if (!d.isValid()) d = QDate::fromString(QStringLiteral("01/") + t, QStringLiteral("dd/M/yyyy"));
  if (!d.isValid()) d = QDate::fromString(t + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
  if (!d.isValid() || d.year() < Convencao::AnoInicial || d.year() > Convencao::AnoFinal)
    return std::nullopt;
  return d;
}

// A coordinate typed DDMMSS as the conversion takes it: a spreadsheet that took it for a number
// dropped its leading zeros ("52930" is 05° 29' 30"), so a shorter run of digits gets them back.
QString DDMMSS(QString texto) {
  texto = texto.trimmed();
  if (texto.isEmpty() || texto.size() >= 6) return texto;
  for (const QChar c : texto)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return texto;
  return texto.rightJustified(6, QLatin1Char('0'));
}

QString Coluna(const QString& nome, const QString& detalhe) {
  return QStringLiteral("Coluna %1: %2").arg(nome, detalhe);
}

QString Entre(const QString& t) { return QStringLiteral("\"") + t + QStringLiteral("\""); }

// Shows nothing: keeps what the placement and the analysis of one request would show, answering
// Yes to every question as the headless commands do. Each request has its own.
class TApresentadorLote final : public TApresentador {
 public:
  void Erro(const QString& texto) override { Guarda(Erros_, texto); }
  void Informacao(const QString& texto) override { Guarda(Avisos_, texto); }
  TResposta Confirmacao(const QString&) override { return TResposta::Sim; }
  void Mensagem(const QString& texto) override { Guarda(Avisos_, texto); }
  QString AbreArquivo(const QString&, const QString&, const QString&) override { return {}; }

  // What stopped the request: its first error, else its first notice.
  QString Motivo() const {
    if (!Erros_.isEmpty()) return Erros_.first();
    if (!Avisos_.isEmpty()) return Avisos_.first();
    return {};
  }

 private:
  static void Guarda(QStringList& lista, const QString& texto) {
    // Multi-line messages become one line of the answer.
    lista << QString(texto).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
  }
  QStringList Erros_, Avisos_;
};

const TVazoes* VazoesDoMetodo(const TPonto& ponto, const QString& metodo) {
  const QStringList& m = NomesMetodo();
  if (metodo == m[0]) return &ponto.VazoesTradicional();
  if (metodo == m[1]) return &ponto.VazoesProporcional();
  if (metodo == m[2]) return &ponto.VazoesConservacao();
  return nullptr;
}

}  // namespace

const QStringList& ColunasVazaoMensal() {
  static const QStringList colunas = [] {
    QStringList c;
    for (const char* m : Meses) c << QStringLiteral("Vazao_") + QString::fromLatin1(m);
    return c;
  }();
  return colunas;
}

const QStringList& ColunasPedidoLote() {
  static const QStringList colunas = [] {
    QStringList c{
        QStringLiteral("Identificador"), QStringLiteral("X"),         QStringLiteral("Y"),
        QStringLiteral("Latitude"),      QStringLiteral("Longitude"), QStringLiteral("Inicio"),
        QStringLiteral("Fim"),           QStringLiteral("Vazao")};
    c << ColunasVazaoMensal();
    c << QStringLiteral("Percentual") << QStringLiteral("Referencia") << QStringLiteral("Metodo");
    return c;
  }();
  return colunas;
}

QList<QVariant> ExemploPedidoLote() {
  // A point on the main river of the sample basin (`torveda-cli amostra`), so that the template
  // answers "ok" as it comes.
  QList<QVariant> linha{QStringLiteral("Pedido 1"),
                        QVariant(),
                        QVariant(),
                        QStringLiteral("163602"),
                        QStringLiteral("461328"),
                        QStringLiteral("01/2000"),
                        QStringLiteral("12/2030"),
                        0.05};
  for (int i = 0; i < 12; ++i) linha << QVariant();
  linha << 50 << QStringLiteral("Q710") << NomesMetodo().first();
  return linha;
}

TLeitorPedidos::TLeitorPedidos(const QStringList& colunas) : Colunas_(colunas) {
  QStringList chaves;
  for (const QString& c : colunas) chaves << Chave(c);
  for (const QString& c : ColunasPedidoLote())
    Indices_.push_back(static_cast<int>(chaves.indexOf(Chave(c))));

  QStringList faltam;
  auto tem = [&](const char* nome) { return Indice(QString::fromLatin1(nome)) >= 0; };
  const bool xy = tem("X") && tem("Y");
  const bool latLong = tem("Latitude") && tem("Longitude");
  if (!xy && !latLong) faltam << QStringLiteral("X e Y (ou Latitude e Longitude)");
  for (const char* c : {"Inicio", "Fim"})
    if (!tem(c)) faltam << QString::fromLatin1(c);
  bool mensal = true;
  for (const QString& c : ColunasVazaoMensal()) mensal = mensal && Indice(c) >= 0;
  if (!tem("Vazao") && !mensal) faltam << QStringLiteral("Vazao (ou Vazao_Jan a Vazao_Dez)");
  for (const char* c : {"Percentual", "Referencia", "Metodo"})
    if (!tem(c)) faltam << QString::fromLatin1(c);
  if (!faltam.isEmpty())
    throw ETorveda(QStringLiteral("Faltam colunas na tabela de pedidos: ") +
                   faltam.join(QStringLiteral(", ")) + QLatin1Char('.'));
}

int TLeitorPedidos::Indice(const QString& coluna) const {
  const qsizetype i = ColunasPedidoLote().indexOf(coluna);
  return i < 0 ? -1 : Indices_[static_cast<size_t>(i)];
}

QString TLeitorPedidos::Celula(const QStringList& celulas, const QString& coluna) const {
  const int i = Indice(coluna);
  return i >= 0 && i < celulas.size() ? celulas[i].trimmed() : QString();
}

QString TLeitorPedidos::Identificador(const QStringList& celulas) const {
  return Celula(celulas, QStringLiteral("Identificador"));
}

TRespostaLote TLeitorPedidos::RespostaNaoLida(const QStringList& celulas,
                                              const QString& erro) const {
  auto celula = [&](const char* c) { return Celula(celulas, QString::fromLatin1(c)); };
  TRespostaLote r;
  r.Identificador = Identificador(celulas);
  r.Situacao = erro;
  r.Inicio = celula("Inicio");
  r.Fim = celula("Fim");
  const QString pc = celula("Percentual");
  if (!pc.isEmpty()) r.Percentual = pc;
  r.Referencia = celula("Referencia");
  r.Metodo = celula("Metodo");
  return r;
}

std::optional<TPedidoLote> TLeitorPedidos::Le(const QStringList& celulas, QString& erro) const {
  auto celula = [&](const char* c) { return Celula(celulas, QString::fromLatin1(c)); };
  TPedidoLote p;
  p.Identificador = Identificador(celulas);

  // The section: projected coordinates when given, else latitude and longitude.
  const QString x = celula("X"), y = celula("Y");
  const QString lat = celula("Latitude"), lon = celula("Longitude");
  if (!x.isEmpty() || !y.isEmpty()) {
    const auto vx = Numero(x), vy = Numero(y);
    if (!vx) {
      erro =
          Coluna(QStringLiteral("X"), x.isEmpty() ? QStringLiteral("vazia.")
                                                  : Entre(x) + QStringLiteral(" não é um número."));
      return std::nullopt;
    }
    if (!vy) {
      erro =
          Coluna(QStringLiteral("Y"), y.isEmpty() ? QStringLiteral("vazia.")
                                                  : Entre(y) + QStringLiteral(" não é um número."));
      return std::nullopt;
    }
    p.Ponto = TPontoMapa{*vx, *vy};
  } else if (!lat.isEmpty() || !lon.isEmpty()) {
    for (const auto& [nome, texto] : {std::pair{QStringLiteral("Latitude"), lat},
                                      std::pair{QStringLiteral("Longitude"), lon}}) {
      if (texto.isEmpty()) {
        erro = Coluna(nome, QStringLiteral("vazia."));
        return std::nullopt;
      }
    }
    try {
      p.Ponto = PontoDeDDMMSS(DDMMSS(lat), DDMMSS(lon));
    } catch (const ECoordenadaGMS& e) {
      erro = Coluna(e.Campo(), e.Detalhe());
      return std::nullopt;
    } catch (const std::exception&) {
      erro = Coluna(QStringLiteral("Latitude"),
                    QStringLiteral("as coordenadas não puderam ser convertidas."));
      return std::nullopt;
    }
  } else {
    erro = QStringLiteral("Colunas X e Y (ou Latitude e Longitude): coordenadas vazias.");
    return std::nullopt;
  }

  // The period.
  const QString ini = celula("Inicio"), fim = celula("Fim");
  const auto dIni = Mes(ini), dFim = Mes(fim);
  if (!dIni) {
    erro = Coluna(QStringLiteral("Inicio"), Entre(ini) + QStringLiteral(" não é um mês "
                                                                        "(MM/AAAA, 1980 a 2100)."));
    return std::nullopt;
  }
  if (!dFim) {
    erro = Coluna(QStringLiteral("Fim"), Entre(fim) + QStringLiteral(" não é um mês "
                                                                     "(MM/AAAA, 1980 a 2100)."));
    return std::nullopt;
  }
  if (*dFim < *dIni) {
    erro = Coluna(QStringLiteral("Fim"), QStringLiteral("o fim (%1) é anterior ao início (%2).")
                                             .arg(dFim->toString(QStringLiteral("MM/yyyy")),
                                                  dIni->toString(QStringLiteral("MM/yyyy"))));
    return std::nullopt;
  }
  p.Entradas.Inicio = *dIni;
  p.Entradas.Fim = *dFim;

  // The requested flow: one value, or one for each calendar month.
  bool mensal = false;
  for (const QString& c : ColunasVazaoMensal()) mensal = mensal || !Celula(celulas, c).isEmpty();
  auto vazao = [&](const QString& coluna, QString& saida) {
    const QString t = Celula(celulas, coluna);
    const auto v = Numero(t);
    if (!v || *v < 0.0) {
      erro = Coluna(coluna, t.isEmpty() ? QStringLiteral("vazia.")
                                        : Entre(t) + QStringLiteral(" não é uma vazão (m³/s, "
                                                                    "número não negativo)."));
      return false;
    }
    saida = FormataGeral(*v);
    return true;
  };
  if (mensal) {
    for (int m = 0; m < 12; ++m)
      if (!vazao(ColunasVazaoMensal()[m], p.VazaoMensal[static_cast<size_t>(m)]))
        return std::nullopt;
    p.Entradas.VazaoSolicitada = p.VazaoMensal[static_cast<size_t>(dIni->month() - 1)];
  } else {
    QString v;
    if (!vazao(QStringLiteral("Vazao"), v)) return std::nullopt;
    p.VazaoMensal.fill(v);
    p.Entradas.VazaoSolicitada = v;
  }

  // The criterion.
  const QString pc = celula("Percentual");
  const std::optional<int> percentual = LePercentual(pc);
  if (!percentual) {
    erro = Coluna(
        QStringLiteral("Percentual"),
        (pc.isEmpty() ? QStringLiteral("vazia: deve ser") : Entre(pc) + QStringLiteral(" não é")) +
            QStringLiteral(" um número inteiro de %1 a %2 (% da vazão de referência).")
                .arg(PercentualMinimo)
                .arg(PercentualMaximo));
    return std::nullopt;
  }
  p.Entradas.Criterio.Percentual = QString::number(*percentual);

  const QString ref = celula("Referencia");
  for (const QString& r : NomesReferencia())
    if (Chave(r) == Chave(ref)) p.Entradas.Criterio.Referencia = r;
  if (p.Entradas.Criterio.Referencia.isEmpty()) {
    erro = Coluna(QStringLiteral("Referencia"),
                  Entre(ref) + QStringLiteral(" não é uma vazão de referência (") +
                      NomesReferencia().join(QStringLiteral(", ")) + QStringLiteral(")."));
    return std::nullopt;
  }
  const QString met = celula("Metodo");
  for (const QString& m : NomesMetodo())
    if (Chave(m) == Chave(met)) p.Entradas.Criterio.Metodo = m;
  if (p.Entradas.Criterio.Metodo.isEmpty()) {
    erro = Coluna(QStringLiteral("Metodo"), Entre(met) + QStringLiteral(" não é um método (") +
                                                NomesMetodo().join(QStringLiteral(", ")) +
                                                QStringLiteral(")."));
    return std::nullopt;
  }
  return p;
}

QStringList ColunasRespostaLote(bool jusante) {
  static const QStringList base{QStringLiteral("Identificador"),
                                QStringLiteral("Situacao"),
                                QStringLiteral("Rio"),
                                QStringLiteral("Municipio"),
                                QStringLiteral("Estado"),
                                QStringLiteral("Regiao"),
                                QStringLiteral("X"),
                                QStringLiteral("Y"),
                                QStringLiteral("Latitude"),
                                QStringLiteral("Longitude"),
                                QStringLiteral("AreaDrenagem"),
                                QStringLiteral("Q710"),
                                QStringLiteral("Q90"),
                                QStringLiteral("Q95"),
                                QStringLiteral("Qmld"),
                                QStringLiteral("VazaoCriterio"),
                                QStringLiteral("MenorDisponivel"),
                                QStringLiteral("MesMenorDisponivel"),
                                QStringLiteral("PercentualMesesAtendidos"),
                                QStringLiteral("MesesVerde"),
                                QStringLiteral("MesesAmarelo"),
                                QStringLiteral("MesesLaranja"),
                                QStringLiteral("MesesVermelho"),
                                QStringLiteral("Inicio"),
                                QStringLiteral("Fim"),
                                QStringLiteral("Percentual"),
                                QStringLiteral("Referencia"),
                                QStringLiteral("Metodo")};
  static const QStringList colunasJusante{
      QStringLiteral("Jusante"),        QStringLiteral("JusanteTrecho"),
      QStringLiteral("JusanteRio"),     QStringLiteral("JusanteDistanciaKm"),
      QStringLiteral("JusantePiorMes"), QStringLiteral("JusantePiorDisponivel")};
  return jusante ? base + colunasJusante : base;
}

QList<QVariant> LinhaRespostaLote(const TRespostaLote& r, bool jusante) {
  auto numero = [](const std::optional<double>& v) { return v ? QVariant(*v) : QVariant(); };
  QList<QVariant> l{r.Identificador, r.Situacao};
  if (r.Colocada) {
    l << r.Rio << r.Municipio << r.Estado << r.Regiao << r.X << r.Y << r.Latitude << r.Longitude
      << r.AreaDrenagem;
  } else {
    for (int i = 0; i < 9; ++i) l << QVariant();
  }
  for (int i = 0; i < 4; ++i)
    l << (r.Vazoes ? QVariant((*r.Vazoes)[static_cast<size_t>(i)]) : QVariant());
  l << numero(r.VazaoCriterio);
  if (const auto& f = r.Frequencia) {
    l << f->PiorDisponivel
      << QStringLiteral("%1-%2").arg(f->PiorAno).arg(f->PiorMes, 2, 10, QLatin1Char('0'))
      << f->Percentual;
    for (int n : r.MesesPorClasse) l << n;
  } else {
    for (int i = 0; i < 7; ++i) l << QVariant();
  }
  auto texto = [](const QString& t) { return t.isEmpty() ? QVariant() : QVariant(t); };
  l << texto(r.Inicio) << texto(r.Fim) << r.Percentual << texto(r.Referencia) << texto(r.Metodo);
  if (!jusante) return l;
  // The verdict, and the first failing reach when there is one.
  const TTrechoJusante* falha = r.Jusante && r.Jusante->PrimeiraFalha
                                    ? &r.Jusante->Trechos[*r.Jusante->PrimeiraFalha]
                                    : nullptr;
  l << (r.Jusante ? QVariant(TextoJusante(*r.Jusante)) : QVariant());
  if (falha)
    l << falha->Fim.Trecho << falha->Rio << falha->DistanciaKm
      << QStringLiteral("%1-%2").arg(falha->PiorAno).arg(falha->PiorMes, 2, 10, QLatin1Char('0'))
      << falha->PiorDisponivel;
  else
    for (int i = 0; i < 5; ++i) l << QVariant();
  return l;
}

TRespostaLote AnalisaPedido(TPonto& ponto, const TBacia& bacia, const TPedidoLote& pedido,
                            const TRedeBalanco* rede) {
  TRespostaLote r;
  r.Identificador = pedido.Identificador;
  r.Inicio = pedido.Entradas.Inicio.toString(QStringLiteral("MM/yyyy"));
  r.Fim = pedido.Entradas.Fim.toString(QStringLiteral("MM/yyyy"));
  bool inteiro = false;
  const int percentual = LeInteiro(pedido.Entradas.Criterio.Percentual, &inteiro);
  if (inteiro) r.Percentual = percentual;
  r.Referencia = pedido.Entradas.Criterio.Referencia;
  r.Metodo = pedido.Entradas.Criterio.Metodo;
  TApresentadorLote mensagens;
  try {
    if (!DentroDaBacia(bacia.Limite, pedido.Ponto)) {
      r.Situacao = QStringLiteral("A seção de interesse está fora do limite da bacia.");
      return r;
    }
    IdentificaSecao(ponto, bacia, pedido.Ponto);
    r.Colocada = true;
    r.Rio = ponto.NomeRio();
    r.Municipio = ponto.Municipio();
    r.Estado = ponto.Estado();
    r.Regiao = ponto.Regiao();
    r.X = ponto.CoordX();
    r.Y = ponto.CoordY();
    r.Latitude = ponto.Latitude();
    r.Longitude = ponto.Longitude();
    r.AreaDrenagem = ponto.AreaDrenagem();
    if (!ponto.SobreHidrografia()) {
      r.Situacao = QStringLiteral(
          "A seção escolhida está fora da hidrografia. Escolha uma seção sobre um curso d'água.");
      return r;
    }
    CalculaSecao(ponto, bacia, mensagens);
    if (const TVazoes* v = VazoesDoMetodo(ponto, pedido.Entradas.Criterio.Metodo))
      r.Vazoes = std::array<double, 4>{v->Q710(), v->Q90(), v->Q95(), v->Qmld()};

    // "Ok", with each calendar month's request written into its cells, then "Calcular".
    TTabelaMeses entrada;
    MontaGrade(entrada, pedido.Entradas.Inicio, pedido.Entradas.Fim, mensagens);
    for (QDate d = pedido.Entradas.Inicio; d <= pedido.Entradas.Fim; d = d.addMonths(1)) {
      const int coluna = entrada.ColunaDoAno(d.year());
      entrada.SetTexto(coluna, d.month(), pedido.VazaoMensal[static_cast<size_t>(d.month() - 1)]);
    }
    const TResultadoOutorga res =
        CalculaOutorga(ponto, pedido.Entradas, entrada, QString(), mensagens);
    r.VazaoCriterio = res.VazaoCriterio;
    r.Frequencia = res.Frequencia;
    for (const TMesOutorga& m : res.Meses)
      if (m.CorPosterior) ++r.MesesPorClasse[static_cast<size_t>(*m.CorPosterior)];
    if (!res.Completo()) {
      r.Situacao = mensagens.Motivo();
      if (r.Situacao.isEmpty()) r.Situacao = QStringLiteral("A análise não foi concluída.");
      return r;
    }
    if (rede) r.Jusante = VerificaJusante(bacia, bacia.Rede(), *rede, ponto, res, mensagens);
    r.Ok = true;
    r.Situacao = QStringLiteral("ok");
  } catch (const ETorveda& e) {
    r.Situacao = e.mensagem();
  } catch (const std::exception& e) {
    r.Situacao = QString::fromLocal8Bit(e.what());
  }
  return r;
}
