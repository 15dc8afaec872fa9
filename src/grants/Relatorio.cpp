#include "grants/Relatorio.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <functional>

#include "base/Apresentador.h"
#include "grants/AnaliseOutorga.h"
#include "grants/ArteRelatorio.h"
#include "grants/AvisosCriterio.h"
#include "grants/DescricaoSecao.h"
#include "grants/DesenhoTabela.h"
#include "grants/FormataNumero.h"
#include "hydro/TPonto.h"

namespace {

// Millimetres of the sheet to the device's pixels.
class TEscala {
 public:
  explicit TEscala(const QPainter& p)
      : Kx_(p.device()->logicalDpiX() / 25.4), Ky_(p.device()->logicalDpiY() / 25.4) {}
  double X(double mm) const { return mm * Kx_; }
  double Y(double mm) const { return mm * Ky_; }
  QRectF R(double esquerda, double topo, double largura, double altura) const {
    return {X(esquerda), Y(topo), X(largura), Y(altura)};
  }

 private:
  double Kx_;
  double Ky_;
};

// Arial as the layout was drawn with, or one of its metric twins. Without them the machine's
// sans serif is wider and would run the labels into the fixed unit marks beside them, so its
// semi-condensed face stands in.
QFont Arial(double pontos, bool negrito = false) {
  QFont f;
  f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                 QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(pontos);
  f.setBold(negrito);
  static const bool metricaArial = [] {
    QFont teste;
    teste.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    const QString familia = QFontInfo(teste).family();
    return familia == QStringLiteral("Arial") || familia == QStringLiteral("Liberation Sans") ||
           familia == QStringLiteral("Arimo");
  }();
  if (!metricaArial) f.setStretch(QFont::SemiCondensed);
  return f;
}

QFont TimesItalico(double pontos) {
  QFont f;
  f.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                 QStringLiteral("Tinos"), QStringLiteral("DejaVu Serif")});
  f.setStyleHint(QFont::Serif);
  f.setPointSizeF(pontos);
  f.setItalic(true);
  return f;
}

// Page geometry of the layouts (mm from the sheet's top-left corner).
constexpr double EsquerdaTitulo = 10.6;
constexpr double LarguraTitulo = 188.9;
constexpr double LarguraQuadro = 168.8;
constexpr double AlturaQuadro = 45.8;

class TPagina {
 public:
  explicit TPagina(QPainter& p) : P_(p), E_(p) {}

  // A label whose box starts at (esquerda, topo) and grows to the right with its text.
  void Texto(double topo, double esquerda, const QString& texto, const QFont& fonte) {
    P_.setFont(fonte);
    const QFontMetricsF fm(P_.font(), P_.device());
    const QRectF caixa(E_.X(esquerda), E_.Y(topo), fm.horizontalAdvance(texto) + fm.height(),
                       fm.height());
    P_.drawText(caixa, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, texto);
  }

  // A label whose box ends at `direita`.
  void TextoADireita(double topo, double direita, const QString& texto, const QFont& fonte) {
    P_.setFont(fonte);
    const QFontMetricsF fm(P_.font(), P_.device());
    const double largura = fm.horizontalAdvance(texto) + fm.height();
    P_.drawText(QRectF(E_.X(direita) - largura, E_.Y(topo), largura, fm.height()),
                Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, texto);
  }

  // A title centred over the page's printable width.
  void Centrado(double topo, const QString& texto, const QFont& fonte) {
    P_.setFont(fonte);
    const QFontMetricsF fm(P_.font(), P_.device());
    P_.drawText(QRectF(E_.X(EsquerdaTitulo), E_.Y(topo), E_.X(LarguraTitulo), fm.height()),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, texto);
  }

  // A thin rule through the vertical middle of its box.
  void Regua(double topoCaixa, double alturaCaixa, double de, double ate) {
    P_.setPen(QPen(Qt::black, E_.X(0.25)));
    const double y = E_.Y(topoCaixa + alturaCaixa / 2);
    P_.drawLine(QPointF(E_.X(de), y), QPointF(E_.X(ate), y));
  }

  const TEscala& Escala() const { return E_; }

 private:
  QPainter& P_;
  TEscala E_;
};

// A part of the report: its height on paper and how it is drawn, `topo` mm down the sheet. The
// parts are laid out one under the other; one that does not fit goes to the next page. A new part
// (another table, a map, a list) is one more entry in the list that Partes() builds.
struct TParte {
  double Altura = 0.0;
  std::function<void(QPainter&, TPagina&, double topo)> Desenha;
  // Kept on the page of the part that follows it (a caption over its table).
  bool ComProxima = false;
  // The caption repeated over the part when it opens a continuation page.
  QString Continuacao;
};

// Page geometry of the flowing parts (mm).
constexpr double LimiteInferior = 275.0;  // the footer starts below it
constexpr double TopoContinuacao = 29.0;
constexpr double AlturaLegendaTabela = 4.7;
constexpr double LarguraColunaTabela = 12.9;
constexpr double AlturaLinhaTabela = 2.8;
constexpr double EspacoFaixas = 1.8;
constexpr double EsquerdaTabela = 21.2;

void Cabecalho(QPainter& p, TPagina& pg, const TDadosRelatorio& d) {
  const TEscala& e = pg.Escala();
  DesenhaLogotiposInstitucionais(p, e.R(106.4, 17.7, 63.2, 15.6));
  DesenhaLogotipoTorveda(p, e.R(40.2, 20.6, 40.5, 12.2));
  p.setPen(Qt::black);
  pg.Centrado(42.9, TituloRelatorio(d.Tipo), Arial(12, true));
  pg.Centrado(52.4, QStringLiteral("Seção de interesse"), Arial(12));
  pg.Regua(52.1, 9.0, 21.2, 87.1);
  pg.Regua(52.1, 9.0, 123.3, 189.4);
  pg.Texto(61.6, 21.2, QStringLiteral("Coordenadas Geográficas:"), Arial(12));
  pg.Texto(61.6, 108.0, QStringLiteral("Coordenadas Projetadas:"), Arial(12));
  pg.Texto(68.5, 30.7, d.Latitude, Arial(12));
  pg.Texto(68.5, 117.7, d.Y, Arial(12));
  pg.Texto(75.9, 30.7, d.Longitude, Arial(12));
  pg.Texto(75.9, 117.7, d.X, Arial(12));
  pg.Texto(83.6, 21.2, d.Estado, Arial(12));
  pg.Texto(83.6, 108.0, d.Municipio, Arial(12));
  pg.Texto(91.0, 21.2, d.Rio, Arial(12));
  pg.Texto(91.0, 108.0, d.Area, Arial(12));
  pg.Texto(91.0, 165.4, QStringLiteral("km"), Arial(12));
  pg.Texto(90.0, 171.4, QStringLiteral("2"), Arial(8));
  // The section's basin, in the header's free corner (available-flow report only).
  if (d.MapaBacia) {
    const QRectF q = QuadroMapaBacia();
    DesenhaMapaBacia(p, e.R(q.left(), q.top(), q.width(), q.height()), *d.MapaBacia);
  }
}

// The header of a continuation page: the title and the section in one line.
void CabecalhoContinuacao(TPagina& pg, const TDadosRelatorio& d) {
  pg.Centrado(14.0, TituloRelatorio(d.Tipo) + QStringLiteral(" (continuação)"), Arial(12, true));
  pg.Centrado(21.0, d.Secao, Arial(8));
}

// The caption and the bands of one table.
void AdicionaTabela(std::vector<TParte>& partes, const TTabelaRelatorio& t) {
  partes.push_back({AlturaLegendaTabela,
                    [&t](QPainter&, TPagina& pg, double topo) {
                      pg.Texto(topo, EsquerdaTabela, t.Legenda, Arial(12));
                    },
                    true,
                    {}});
  const int faixas = NumFaixasTabela(t.Tabela);
  for (int f = 0; f < faixas; ++f) {
    partes.push_back({13 * AlturaLinhaTabela + EspacoFaixas,
                      [&t, f](QPainter& p, TPagina& pg, double topo) {
                        const TEscala& e = pg.Escala();
                        DesenhaFaixaTabela(p, QPointF(e.X(EsquerdaTabela), e.Y(topo)),
                                           e.X(LarguraColunaTabela), e.Y(AlturaLinhaTabela),
                                           t.Tabela, f, Arial(6.8));
                      },
                      false, t.Legenda + QStringLiteral(" (continuação)")});
  }
}

// The request under the section: period and requested flow, then the process and the analyst
// when given, in the header's two columns; the monthly request when it varies.
void AdicionaPedido(std::vector<TParte>& partes, const TDadosRelatorio& d) {
  const bool identificacao = !d.Processo.isEmpty() || !d.Analista.isEmpty();
  partes.push_back({identificacao ? 13.0 : 6.5,
                    [&d, identificacao](QPainter&, TPagina& pg, double topo) {
                      pg.Texto(topo + 0.5, 21.2, d.Periodo, Arial(12));
                      pg.Texto(topo + 0.5, 108.0, d.VazaoSolicitada, Arial(12));
                      if (!identificacao) return;
                      pg.Texto(topo + 7.0, 21.2, d.Processo, Arial(12));
                      pg.Texto(topo + 7.0, 108.0, d.Analista, Arial(12));
                    },
                    false,
                    {}});
  if (d.PedidoMensal) AdicionaTabela(partes, *d.PedidoMensal);
}

std::vector<TParte> Partes(const TDadosRelatorio& d) {
  std::vector<TParte> partes;
  // The common header keeps the positions of the one-page layout, measured from the sheet's top.
  partes.push_back(
      {99.0, [&d](QPainter& p, TPagina& pg, double) { Cabecalho(p, pg, d); }, false, {}});
  if (!d.Periodo.isEmpty()) AdicionaPedido(partes, d);
  if (d.Tipo == TTipoRelatorio::VazaoDisponivel) {
    partes.push_back({10.2,
                      [](QPainter&, TPagina& pg, double topo) {
                        pg.Centrado(topo + 0.7, QStringLiteral("Vazão disponível"), Arial(12));
                        pg.Regua(topo + 0.2, 9.8, 21.2, 89.7);
                        pg.Regua(topo + 0.2, 9.8, 120.9, 189.4);
                      },
                      false,
                      {}});
    // One line per warning on the criterion's flow, under the criterion.
    const double alturaAvisos = 4.0 * static_cast<double>(d.Avisos.size());
    partes.push_back({(d.Frequencia.isEmpty() ? 15.0 : 21.5) + alturaAvisos,
                      [&d](QPainter& p, TPagina& pg, double topo) {
                        // Positions of the one-page layout, from 109.2 mm.
                        const double y = topo - 109.2;
                        pg.Texto(y + 109.5, 21.2, d.VazaoRef, Arial(12));
                        pg.Texto(y + 109.5, 100.5, QStringLiteral("m"), Arial(12));
                        pg.Texto(y + 108.7, 104.0, QStringLiteral("3"), Arial(8));
                        pg.Texto(y + 109.5, 106.1, QStringLiteral("s"), Arial(12));
                        pg.Texto(y + 108.7, 108.2, QStringLiteral("-1"), Arial(8));
                        pg.Texto(y + 117.5, 21.2, d.MetReg, Arial(12));
                        double linha = y + 124.5;
                        if (!d.Frequencia.isEmpty()) {
                          pg.Texto(linha, 21.2, d.Frequencia, Arial(10));
                          linha += 6.5;
                        }
                        p.setPen(QColor(150, 60, 0));
                        for (const QString& aviso : d.Avisos) {
                          pg.Texto(linha, 21.2, aviso, Arial(9));
                          linha += 4.0;
                        }
                        p.setPen(Qt::black);
                      },
                      false,
                      {}});
    for (const TTabelaRelatorio& t : d.Tabelas) AdicionaTabela(partes, t);
    partes.push_back({41.0,
                      [](QPainter& p, TPagina& pg, double topo) {
                        DesenhaLegendaCores(p, pg.Escala().R(21.2, topo + 0.6, 168.8, 39.7));
                      },
                      false,
                      {}});
  } else {
    partes.push_back({11.0,
                      [](QPainter&, TPagina& pg, double topo) {
                        pg.Centrado(topo + 0.7,
                                    QStringLiteral("Vazão outorgada a montante da seção de "
                                                   "interesse"),
                                    Arial(12));
                        pg.Regua(topo, 9.8, 21.2, 57.4);
                        pg.Regua(topo, 9.8, 153.2, 189.4);
                      },
                      false,
                      {}});
    for (const TTabelaRelatorio& t : d.Tabelas) AdicionaTabela(partes, t);
  }
  return partes;
}

// Where each part goes: its page (from 0) and its top (mm).
struct TPosicaoParte {
  int Pagina = 0;
  double Topo = 0.0;
  bool ComContinuacao = false;
};

std::vector<TPosicaoParte> Diagrama(const std::vector<TParte>& partes) {
  std::vector<TPosicaoParte> pos(partes.size());
  int pagina = 0;
  double y = 0.0;
  for (size_t i = 0; i < partes.size(); ++i) {
    double precisa = partes[i].Altura;
    if (partes[i].ComProxima && i + 1 < partes.size()) precisa += partes[i + 1].Altura;
    bool continua = false;
    if (y > TopoContinuacao && y + precisa > LimiteInferior) {
      ++pagina;
      y = TopoContinuacao;
      continua = !partes[i].Continuacao.isEmpty();
      if (continua) y += AlturaLegendaTabela;
    }
    pos[i] = {pagina, y, continua};
    y += partes[i].Altura;
  }
  return pos;
}

void Rodape(TPagina& pg, const TDadosRelatorio& d, int pagina, int paginas) {
  pg.Texto(277.5, 21.2, d.Rodape, TimesItalico(12));
  if (paginas > 1)
    pg.TextoADireita(277.5, 189.4, QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(paginas),
                     TimesItalico(10));
}

}  // namespace

QString TituloRelatorio(TTipoRelatorio tipo) {
  return tipo == TTipoRelatorio::VazaoDisponivel ? QStringLiteral("Relatório de vazões disponíveis")
                                                 : QStringLiteral("Relatório de vazões outorgadas");
}

QString MensagemCriterioIncompleto() {
  return QStringLiteral(
      "Favor verificar se os valores estão corretamente inseridos na tela Outorga.");
}

std::optional<TDadosRelatorio> PreparaRelatorio(TTipoRelatorio tipo, const TPonto& ponto,
                                                const TJanelaOutorga* janela, const QDate& hoje,
                                                TApresentador& apresentador) {
  if (!ponto.SobreHidrografia()) {
    apresentador.Erro(MensagemSemSecao());
    return std::nullopt;
  }
  const TCriterioOutorga* criterio = janela ? &janela->Entradas.Criterio : nullptr;
  if (!criterio || criterio->Referencia.isEmpty() || criterio->Metodo.isEmpty() ||
      criterio->Percentual.isEmpty()) {
    apresentador.Erro(MensagemCriterioIncompleto());
    return std::nullopt;
  }
  bool inteiro = false;
  const int p = LeInteiro(criterio->Percentual, &inteiro);
  if (tipo == TTipoRelatorio::VazaoDisponivel && !inteiro) {
    apresentador.Erro(MensagemPercentualNaoInteiro(criterio->Percentual));
    return std::nullopt;
  }
  // The tables must be those of this section and of the entries the window shows now.
  static const TResultadoOutorga semAnalise;
  static const TTabelaMeses semEntrada;
  const TResultadoOutorga& r = janela->Resultado ? *janela->Resultado : semAnalise;
  if (const QString motivo = MotivoAnaliseVencida(r, ponto, janela->Entradas,
                                                  janela->Entrada ? *janela->Entrada : semEntrada);
      !motivo.isEmpty()) {
    apresentador.Erro(motivo);
    return std::nullopt;
  }

  TDadosRelatorio d;
  d.Tipo = tipo;
  // The basin lies south of the equator and west of Greenwich: the hemispheres are written out.
  d.Latitude = QStringLiteral("Latitude: ") + ponto.LatitudeGMS() + QStringLiteral(" S");
  d.Longitude = QStringLiteral("Longitude: ") + ponto.LongitudeGMS() + QStringLiteral(" W");
  d.Estado = QStringLiteral("Estado: ") + ponto.Estado();
  d.Rio = QStringLiteral("Rio: ") + ponto.NomeRio();
  d.Y = QStringLiteral("Y: ") + FormataMetros(ponto.CoordY()) + QStringLiteral(" metros");
  d.X = QStringLiteral("X: ") + FormataMetros(ponto.CoordX()) + QStringLiteral(" metros");
  d.Municipio = QStringLiteral("Município: ") + ponto.Municipio();
  d.Area = QStringLiteral("Área de drenagem: ") + FormataArea(ponto.AreaDrenagem());
  d.Secao = QStringLiteral("Seção de interesse: ") + DescricaoSecao(ponto);

  if (r.Completo()) {
    const TEntradasOutorga& e = r.Entradas;
    const QString formato = QStringLiteral("MM/yyyy");
    d.Periodo = QStringLiteral("Período: ") + e.Inicio.toString(formato) + QStringLiteral(" a ") +
                e.Fim.toString(formato);
    // One flow for the whole period reads as one number; a request typed month by month is
    // printed as its own table.
    std::vector<double> pedidos;
    for (const TMesOutorga& m : r.Meses) pedidos.push_back(m.Solicitada.value_or(0.0));
    const bool constante =
        std::all_of(pedidos.begin(), pedidos.end(), [&](double v) { return v == pedidos.front(); });
    if (constante && !pedidos.empty()) {
      d.VazaoSolicitada = QStringLiteral("Vazão solicitada: ") + FormataVazao(pedidos.front()) +
                          QStringLiteral(" m³/s");
    } else {
      d.VazaoSolicitada = QStringLiteral("Vazão solicitada: variável por mês");
      TTabelaRelatorio t{QStringLiteral("Vazão solicitada por mês (m³/s)"), {}};
      MontaGrade(t.Tabela, e.Inicio, e.Fim, apresentador);
      const int casas = CasasDaColuna(pedidos);
      for (size_t i = 0; i < r.Meses.size(); ++i) {
        const int coluna = t.Tabela.ColunaDoAno(r.Meses[i].Ano);
        t.Tabela.CentraColuna(coluna);
        t.Tabela.SetTexto(coluna, r.Meses[i].Mes, FormataFixo(pedidos[i], casas));
      }
      d.PedidoMensal = std::move(t);
    }
  }

  auto tabela = [&r](const QString& legenda, TTabelaOutorga t) {
    return TTabelaRelatorio{legenda, r.Tabelas[static_cast<size_t>(t)]};
  };
  if (tipo == TTipoRelatorio::VazaoDisponivel) {
    const double a = VazaoCriterio(ponto, criterio->Referencia, criterio->Metodo, p);
    d.VazaoRef = QStringLiteral("Critério de outorga: ") + criterio->Percentual +
                 QStringLiteral("% da ") + criterio->Referencia + QStringLiteral(" = ") +
                 FormataVazao(a);
    d.MetReg = QStringLiteral("Método de regionalização: ") + criterio->Metodo;
    if (r.Frequencia) d.Frequencia = TextoFrequencia(*r.Frequencia);
    d.Tabelas = {tabela(QStringLiteral("Situação anterior à concessão da outorga"),
                        TTabelaOutorga::Anterior),
                 tabela(QStringLiteral("Situação posterior à concessão da outorga"),
                        TTabelaOutorga::Posterior)};
    d.Avisos = AvisosDoCriterio(ponto, *criterio);
  } else {
    d.Tabelas = {tabela(QStringLiteral("AQEM"), TTabelaOutorga::Estadual),
                 tabela(QStringLiteral("ANA"), TTabelaOutorga::Federal),
                 tabela(QStringLiteral("Total"), TTabelaOutorga::Total)};
  }
  d.Rodape = QStringLiteral("Relatório elaborado pelo TORVEDA em ") +
             hoje.toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char('.');
  return d;
}

void IdentificaRelatorio(TDadosRelatorio& d, const QString& processo, const QString& analista) {
  d.Processo = processo.trimmed().isEmpty() ? QString()
                                            : QStringLiteral("Processo nº: ") + processo.trimmed();
  d.Analista =
      analista.trimmed().isEmpty() ? QString() : QStringLiteral("Analista: ") + analista.trimmed();
}

int PaginasRelatorio(const TDadosRelatorio& d) {
  const std::vector<TPosicaoParte> pos = Diagrama(Partes(d));
  return pos.empty() ? 1 : pos.back().Pagina + 1;
}

void DesenhaRelatorio(QPainter& p, const TDadosRelatorio& d) {
  const std::vector<TParte> partes = Partes(d);
  const std::vector<TPosicaoParte> pos = Diagrama(partes);
  const int paginas = pos.empty() ? 1 : pos.back().Pagina + 1;
  auto* dispositivo = dynamic_cast<QPagedPaintDevice*>(p.device());
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::black);
  TPagina pg(p);
  size_t i = 0;
  for (int pagina = 0; pagina < paginas; ++pagina) {
    if (pagina > 0) {
      if (!dispositivo || !dispositivo->newPage()) break;
      p.setPen(Qt::black);
      CabecalhoContinuacao(pg, d);
    }
    for (; i < partes.size() && pos[i].Pagina == pagina; ++i) {
      p.setPen(Qt::black);
      if (pos[i].ComContinuacao)
        pg.Texto(pos[i].Topo - AlturaLegendaTabela, EsquerdaTabela, partes[i].Continuacao,
                 Arial(12));
      partes[i].Desenha(p, pg, pos[i].Topo);
    }
    p.setPen(Qt::black);
    Rodape(pg, d, pagina, paginas);
  }
  p.restore();
}

bool GravaRelatorioPdf(const TDadosRelatorio& dados, const QString& arquivo,
                       TApresentador& apresentador) {
  QSaveFile saida(arquivo);
  bool ok = saida.open(QIODevice::WriteOnly);
  if (ok) {
    QPdfWriter pdf(&saida);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    pdf.setResolution(600);
    pdf.setTitle(TituloRelatorio(dados.Tipo));
    pdf.setCreator(QStringLiteral("TORVEDA"));
    QPainter p;
    ok = p.begin(&pdf);
    if (ok) {
      DesenhaRelatorio(p, dados);
      ok = p.end();
    }
  }
  ok = ok && saida.commit();
  if (!ok)
    apresentador.Erro(QStringLiteral("Não foi possível gravar o relatório em ") + arquivo +
                      QLatin1Char('.'));
  return ok;
}
