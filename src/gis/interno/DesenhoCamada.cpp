#include "gis/interno/DesenhoCamada.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <optional>
#include <vector>

#include "base/Erro.h"
#include "gis/TCamada.h"
#include "gis/TSimbolo.h"
#include "gis/interno/CacheCamada.h"

namespace {

Qt::BrushStyle Preenchimento(int estilo) {
  switch (estilo) {
    case 1:
      return Qt::NoBrush;
    case 2:
      return Qt::HorPattern;
    case 3:
      return Qt::VerPattern;
    case 4:
      return Qt::BDiagPattern;
    case 5:
      return Qt::FDiagPattern;
    case 6:
      return Qt::CrossPattern;
    case 7:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

Qt::PenStyle Traco(int estilo) {
  switch (estilo) {
    case 1:
      return Qt::DashLine;
    case 2:
      return Qt::DotLine;
    case 3:
      return Qt::DashDotLine;
    case 4:
      return Qt::DashDotDotLine;
    default:
      return Qt::SolidLine;
  }
}

// A part in pixels, dropping vertices that fall within half a pixel of the last one kept:
// at a small scale most of a detailed outline collapses into a few pixels.
void EmPixels(const QPolygonF& parte, const TVista& v, QPolygonF& saida) {
  saida.clear();
  const qsizetype n = parte.size();
  if (n == 0) return;
  saida.reserve(std::min<qsizetype>(n, 4096));
  QPointF ultimo = v.Pixel(parte[0].x(), parte[0].y());
  saida.append(ultimo);
  for (qsizetype i = 1; i < n; ++i) {
    const QPointF q = v.Pixel(parte[i].x(), parte[i].y());
    if (std::abs(q.x() - ultimo.x()) < 0.5 && std::abs(q.y() - ultimo.y()) < 0.5 && i + 1 < n)
      continue;
    saida.append(q);
    ultimo = q;
  }
}

void Marcador(QPainter& p, const QPointF& c, const TSimbolo& s) {
  const double r = std::max(1, s.Tamanho()) / 2.0;
  switch (s.Estilo()) {
    case 1:
      p.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
      break;
    case 2: {
      const QPointF t[3] = {{c.x(), c.y() - r}, {c.x() + r, c.y() + r}, {c.x() - r, c.y() + r}};
      p.drawPolygon(t, 3);
      break;
    }
    case 3:
      p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
      p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
      break;
    default:
      p.drawEllipse(c, r, r);
      break;
  }
}

void Prepara(QPainter& p, TTipoGeometria tipo, const TSimbolo& s) {
  switch (tipo) {
    case TTipoGeometria::Ponto: {
      QPen pen(s.Estilo() == 3 ? s.Cor() : s.CorContorno());
      pen.setWidthF(s.Estilo() == 3 ? std::max(1, s.Largura()) : 1.0);
      p.setPen(s.Contorno() || s.Estilo() == 3 ? pen : QPen(Qt::NoPen));
      p.setBrush(s.Cor());
      break;
    }
    case TTipoGeometria::Linha: {
      QPen pen(s.Cor(), std::max(1, s.Largura()), Traco(s.Estilo()), Qt::RoundCap, Qt::RoundJoin);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      break;
    }
    case TTipoGeometria::Poligono:
    case TTipoGeometria::Nenhuma: {
      if (s.Contorno()) {
        QPen pen(s.CorContorno(), std::max(1, s.Largura()));
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
      } else {
        p.setPen(Qt::NoPen);
      }
      p.setBrush(QBrush(s.Cor(), Preenchimento(s.Estilo())));
      break;
    }
  }
}

// A marker drawn once, antialiased, and stamped at every point: thousands of grant points cost
// a copy each instead of a path each.
class TCarimbo {
 public:
  TCarimbo(const TSimbolo& s, qreal dpr) {
    const int lado = std::max(1, s.Tamanho()) + 2 * std::max(1, s.Largura()) + 2;
    Imagem_ = QImage(QSize(lado, lado) * dpr, QImage::Format_ARGB32_Premultiplied);
    Imagem_.setDevicePixelRatio(dpr);
    Imagem_.fill(Qt::transparent);
    QPainter p(&Imagem_);
    p.setRenderHint(QPainter::Antialiasing);
    Prepara(p, TTipoGeometria::Ponto, s);
    Marcador(p, QPointF(lado / 2.0, lado / 2.0), s);
    Meio_ = lado / 2.0;
  }
  void Desenha(QPainter& p, const QPointF& c) const {
    p.drawImage(QPointF(std::round(c.x() - Meio_), std::round(c.y() - Meio_)), Imagem_);
  }

 private:
  QImage Imagem_;
  double Meio_ = 0;
};

void DesenhaFeicao(QPainter& p, const std::vector<QPolygonF>& partes, TTipoGeometria tipo,
                   const TSimbolo& s, const TVista& v, QPolygonF& trabalho,
                   const TCarimbo* carimbo = nullptr) {
  switch (tipo) {
    case TTipoGeometria::Ponto:
      for (const QPolygonF& parte : partes)
        for (const QPointF& q : parte) {
          if (carimbo)
            carimbo->Desenha(p, v.Pixel(q.x(), q.y()));
          else
            Marcador(p, v.Pixel(q.x(), q.y()), s);
        }
      break;
    case TTipoGeometria::Linha:
      for (const QPolygonF& parte : partes) {
        EmPixels(parte, v, trabalho);
        if (trabalho.size() == 1) trabalho.append(trabalho.front());
        p.drawPolyline(trabalho);
      }
      break;
    case TTipoGeometria::Poligono:
    case TTipoGeometria::Nenhuma: {
      if (partes.size() == 1) {
        EmPixels(partes.front(), v, trabalho);
        p.drawPolygon(trabalho, Qt::OddEvenFill);
        break;
      }
      QPainterPath caminho;
      caminho.setFillRule(Qt::OddEvenFill);
      for (const QPolygonF& anel : partes) {
        EmPixels(anel, v, trabalho);
        caminho.addPolygon(trabalho);
        caminho.closeSubpath();
      }
      p.drawPath(caminho);
      break;
    }
  }
}

// Where a feature's label goes: the point, the middle vertex of a line's longest part, the
// centre of a polygon's extent when it lies inside (else its first vertex).
std::optional<TPontoMapa> PosicaoRotulo(const TFeicao& f, TTipoGeometria tipo) {
  if (f.Partes.empty()) return std::nullopt;
  switch (tipo) {
    case TTipoGeometria::Ponto:
      if (f.Partes.front().isEmpty()) return std::nullopt;
      return TPontoMapa{f.Partes.front().front().x(), f.Partes.front().front().y()};
    case TTipoGeometria::Linha: {
      const QPolygonF* maior = &f.Partes.front();
      for (const QPolygonF& parte : f.Partes)
        if (parte.size() > maior->size()) maior = &parte;
      if (maior->isEmpty()) return std::nullopt;
      const QPointF m = (*maior)[maior->size() / 2];
      return TPontoMapa{m.x(), m.y()};
    }
    case TTipoGeometria::Poligono:
    case TTipoGeometria::Nenhuma: {
      const TPontoMapa c = f.Extensao.Centro();
      if (PoligonoContem(f, c)) return c;
      if (f.Partes.front().isEmpty()) return std::nullopt;
      return TPontoMapa{f.Partes.front().front().x(), f.Partes.front().front().y()};
    }
  }
  return std::nullopt;
}

}  // namespace

void DesenhaCamada(QPainter& p, const TCamada& camada, const TVista& vista) {
  if (!camada.Valida()) return;
  auto& caches = camada.Caches();
  caches.AtualizaFeicoes(camada.Dados()->Dados());
  const TTipoGeometria tipo = camada.Geometria();
  p.save();
  p.setRenderHint(QPainter::Antialiasing, tipo != TTipoGeometria::Poligono);
  Prepara(p, tipo, camada.Simbolo());
  // Markers and line widths reach past a feature's extent by a few pixels.
  const double margem = (std::max(camada.Simbolo().Tamanho(), camada.Simbolo().Largura()) + 2) /
                        std::max(vista.Escala, 1e-12);
  const TRetangulo alcance(vista.Extensao.Esquerda() - margem, vista.Extensao.Direita() + margem,
                           vista.Extensao.Baixo() - margem, vista.Extensao.Topo() + margem);
  QPolygonF trabalho;
  std::optional<TCarimbo> carimbo;
  if (tipo == TTipoGeometria::Ponto)
    carimbo.emplace(camada.Simbolo(), p.device()->devicePixelRatioF());
  for (const TFeicao& f : caches.Feicoes) {
    if (!f.Extensao.Intercepta(alcance)) continue;
    DesenhaFeicao(p, f.Partes, tipo, camada.Simbolo(), vista, trabalho,
                  carimbo ? &*carimbo : nullptr);
  }
  p.restore();
}

void DesenhaRotulos(QPainter& p, const TCamada& camada, const TVista& vista) {
  if (!camada.Valida() || camada.CampoRotulo().isEmpty()) return;
  const auto& dados = camada.Dados();
  if (dados->IndiceCampo(camada.CampoRotulo()) < 0) return;
  auto& caches = camada.Caches();
  caches.AtualizaFeicoes(dados->Dados());
  const TTipoGeometria tipo = camada.Geometria();
  p.save();
  QFont fonte = p.font();
  fonte.setPointSizeF(8);
  p.setFont(fonte);
  const QFontMetricsF fm(fonte);
  std::vector<QRectF> ocupados;
  const QRectF area(QPointF(0, 0), QSizeF(vista.Extensao.Largura() * vista.Escala,
                                          vista.Extensao.Altura() * vista.Escala));
  for (const TFeicao& f : caches.Feicoes) {
    if (!f.Extensao.Intercepta(vista.Extensao)) continue;
    const auto pos = PosicaoRotulo(f, tipo);
    if (!pos || !vista.Extensao.Contem(*pos)) continue;
    const QString texto = camada.Texto(f.Chave, camada.CampoRotulo());
    if (texto.isEmpty()) continue;
    const QPointF c = vista.Pixel(pos->X, pos->Y);
    QRectF r = fm.boundingRect(texto);
    r.moveCenter(tipo == TTipoGeometria::Ponto ? c + QPointF(0, -r.height()) : c);
    if (!area.intersects(r)) continue;
    bool livre = true;
    for (const QRectF& o : ocupados)
      if (o.intersects(r)) {
        livre = false;
        break;
      }
    if (!livre) continue;
    ocupados.push_back(r);
    // A light halo keeps the text readable over any fill.
    p.setPen(QColor(255, 255, 255, 200));
    for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
      p.drawText(r.translated(d), Qt::AlignCenter, texto);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, texto);
  }
  p.restore();
}

void DesenhaForma(QPainter& p, const TForma& forma, TTipoGeometria tipo, const TSimbolo& simbolo,
                  const TVista& vista) {
  if (forma.Vazia()) return;
  std::vector<QPolygonF> partes;
  for (const auto& parte : forma.Partes) {
    QPolygonF q;
    for (const auto& pt : parte) q.append(QPointF(pt.X, pt.Y));
    partes.push_back(std::move(q));
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  Prepara(p, tipo, simbolo);
  QPolygonF trabalho;
  DesenhaFeicao(p, partes, tipo, simbolo, vista, trabalho);
  p.restore();
}
