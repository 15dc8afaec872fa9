#include "grants/Relatorio.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "base/Apresentador.h"
#include "grants/AnaliseOutorga.h"
#include "grants/ArteRelatorio.h"
#include "grants/AvisosCriterio.h"
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

  // A table picture stretched to its frame; without the picture, an empty frame and a note.
  void Quadro(double topo, double esquerda, const TImagemRelatorio& img) {
    const QRectF r = E_.R(esquerda, topo, LarguraQuadro, AlturaQuadro);
    if (!img.Imagem.isNull()) {
      P_.drawImage(r, img.Imagem);
      return;
    }
    P_.setPen(QPen(QColor(120, 120, 120), E_.X(0.25)));
    P_.setBrush(Qt::NoBrush);
    P_.drawRect(r);
    P_.setFont(Arial(9));
    P_.drawText(r, Qt::AlignCenter | Qt::TextWordWrap,
                QStringLiteral("Tabela não disponível (") + img.Arquivo +
                    QStringLiteral("): use \"Calcular\" na tela Outorga."));
    P_.setPen(Qt::black);
  }

  const TEscala& Escala() const { return E_; }

 private:
  QPainter& P_;
  TEscala E_;
};

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
}

const TImagemRelatorio& Imagem(const TDadosRelatorio& d, size_t i) {
  static const TImagemRelatorio vazia;
  return i < d.Imagens.size() ? d.Imagens[i] : vazia;
}

void CorpoVazaoDisponivel(QPainter& p, TPagina& pg, const TDadosRelatorio& d) {
  pg.Centrado(99.7, QStringLiteral("Vazão disponível"), Arial(12));
  pg.Regua(99.2, 9.8, 21.2, 89.7);
  pg.Regua(99.2, 9.8, 120.9, 189.4);
  pg.Texto(109.5, 21.2, d.VazaoRef, Arial(12));
  pg.Texto(109.5, 100.5, QStringLiteral("m"), Arial(12));
  pg.Texto(108.7, 104.0, QStringLiteral("3"), Arial(8));
  pg.Texto(109.5, 106.1, QStringLiteral("s"), Arial(12));
  pg.Texto(108.7, 108.2, QStringLiteral("-1"), Arial(8));
  pg.Texto(117.5, 21.2, d.MetReg, Arial(12));
  // The warnings share the gap above the first table: smaller as they grow in number.
  if (!d.Avisos.isEmpty()) {
    const double passo = std::min(3.0, 6.0 / d.Avisos.size());
    p.setPen(QColor(150, 60, 0));
    for (int i = 0; i < d.Avisos.size(); ++i)
      pg.Texto(122.8 + i * passo, 21.2, d.Avisos[i], Arial(passo * 2.3));
    p.setPen(Qt::black);
  }
  pg.Texto(128.9, 21.2, QStringLiteral("Situação anterior à concessão da outorga"), Arial(12));
  pg.Quadro(133.6, 21.2, Imagem(d, 0));
  pg.Texto(182.0, 21.2, QStringLiteral("Situação posterior à concessão da outorga"), Arial(12));
  pg.Quadro(186.8, 21.4, Imagem(d, 1));
  DesenhaLegendaCores(p, pg.Escala().R(21.2, 233.9, 168.8, 39.7));
}

void CorpoOutorgasMontante(TPagina& pg, const TDadosRelatorio& d) {
  pg.Centrado(99.7, QStringLiteral("Vazão outorgada a montante da seção de interesse"), Arial(12));
  pg.Regua(99.0, 9.8, 21.2, 57.4);
  pg.Regua(99.0, 9.8, 153.2, 189.4);
  pg.Texto(110.9, 20.9, QStringLiteral("AQEM"), Arial(12));
  pg.Quadro(115.9, 20.1, Imagem(d, 0));
  pg.Texto(164.8, 20.6, QStringLiteral("ANA"), Arial(12));
  pg.Quadro(169.9, 20.1, Imagem(d, 1));
  pg.Texto(220.7, 20.9, QStringLiteral("Total"), Arial(12));
  pg.Quadro(225.4, 20.1, Imagem(d, 2));
}

TImagemRelatorio CarregaImagem(const QString& pasta, TTabelaOutorga tabela) {
  TImagemRelatorio img;
  img.Arquivo = NomeImagemTabela(tabela);
  const QString caminho = pasta + img.Arquivo;
  if (QFileInfo::exists(caminho)) img.Imagem = QImage(caminho);
  return img;
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
                                                const TCriterioOutorga* criterio,
                                                const QString& pastaImagens, const QDate& hoje) {
  if (!ponto.SobreHidrografia()) {
    Apresentador().Erro(MensagemSemSecao());
    return std::nullopt;
  }
  if (!criterio || criterio->Referencia.isEmpty() || criterio->Metodo.isEmpty() ||
      criterio->Percentual.isEmpty()) {
    Apresentador().Erro(MensagemCriterioIncompleto());
    return std::nullopt;
  }
  TDadosRelatorio d;
  d.Tipo = tipo;
  d.Latitude = QStringLiteral("Latitude: ") + ponto.LatitudeGMS();
  d.Longitude = QStringLiteral("Longitude: ") + ponto.LongitudeGMS();
  d.Estado = QStringLiteral("Estado: ") + ponto.Estado();
  d.Rio = QStringLiteral("Rio: ") + ponto.NomeRio();
  d.Y = QStringLiteral("Y: ") + FormataGeral(ponto.CoordY()) + QStringLiteral(" metros");
  d.X = QStringLiteral("X: ") + FormataGeral(ponto.CoordX()) + QStringLiteral(" metros");
  d.Municipio = QStringLiteral("Município: ") + ponto.Municipio();
  d.Area = QStringLiteral("Área de drenagem: ") + FormataArea(ponto.AreaDrenagem());

  if (tipo == TTipoRelatorio::VazaoDisponivel) {
    bool inteiro = false;
    const int p = LeInteiro(criterio->Percentual, &inteiro);
    if (!inteiro) {
      Apresentador().Erro(QStringLiteral("'") + criterio->Percentual +
                          QStringLiteral("' não é um valor inteiro válido."));
      return std::nullopt;
    }
    const double a = VazaoCriterio(ponto, criterio->Referencia, criterio->Metodo, p);
    d.VazaoRef = QStringLiteral("Critério de outorga: ") + criterio->Percentual +
                 QStringLiteral("% da ") + criterio->Referencia + QStringLiteral(" = ") +
                 FormataVazao(a);
    d.MetReg = QStringLiteral("Método de regionalização: ") + criterio->Metodo;
    d.Avisos = AvisosDoCriterio(ponto, *criterio);
    d.Imagens = {CarregaImagem(pastaImagens, TTabelaOutorga::Anterior),
                 CarregaImagem(pastaImagens, TTabelaOutorga::Posterior)};
  } else {
    d.Imagens = {CarregaImagem(pastaImagens, TTabelaOutorga::Estadual),
                 CarregaImagem(pastaImagens, TTabelaOutorga::Federal),
                 CarregaImagem(pastaImagens, TTabelaOutorga::Total)};
  }
  d.Rodape = QStringLiteral("Relatório elaborado pelo TORVEDA em ") +
             hoje.toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char('.');
  return d;
}

void DesenhaRelatorio(QPainter& p, const TDadosRelatorio& d) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setPen(Qt::black);
  TPagina pg(p);
  Cabecalho(p, pg, d);
  if (d.Tipo == TTipoRelatorio::VazaoDisponivel)
    CorpoVazaoDisponivel(p, pg, d);
  else
    CorpoOutorgasMontante(pg, d);
  p.setPen(Qt::black);
  pg.Texto(277.5, 21.2, d.Rodape, TimesItalico(12));
  p.restore();
}

bool GravaRelatorioPdf(const TDadosRelatorio& dados, const QString& arquivo) {
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
    Apresentador().Erro(QStringLiteral("Não foi possível gravar o relatório em ") + arquivo +
                        QLatin1Char('.'));
  return ok;
}
