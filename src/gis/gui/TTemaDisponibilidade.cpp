#include "gis/gui/TTemaDisponibilidade.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "base/Erro.h"
#include "gis/TCamada.h"
#include "gis/TRegistros.h"
#include "grants/ClassesCor.h"

namespace {

// Squared distance from p to the segment a-b.
double Distancia2(const QPointF& p, const QPointF& a, const QPointF& b) {
  const QPointF ab = b - a;
  const double l2 = QPointF::dotProduct(ab, ab);
  const double t = l2 > 0.0 ? std::clamp(QPointF::dotProduct(p - a, ab) / l2, 0.0, 1.0) : 0.0;
  const QPointF d = p - (a + t * ab);
  return QPointF::dotProduct(d, d);
}

}  // namespace

QColor CorSemClasse() { return QColor(150, 150, 150); }

void TTemaDisponibilidade::DefineLinhas(const TCamada& hidrografia) {
  Linhas_.clear();
  PorTrecho_.clear();
  Vista_.reset();
  TRegistros r = hidrografia.Registros();
  const int ho = r.IndiceCampo(QStringLiteral("Ho_"));
  if (ho < 0) throw ETorveda(QStringLiteral("Campo inexistente em Hidrografia: Ho_"));
  for (r.Primeiro(); !r.Fim(); r.Proximo()) {
    const auto trecho = static_cast<std::int32_t>(r.Inteiro(ho));
    if (PorTrecho_.count(trecho)) continue;
    TForma forma = r.Forma();
    if (forma.Vazia()) continue;
    PorTrecho_.emplace(trecho, Linhas_.size());
    const TRetangulo extensao = forma.Extensao();
    Linhas_.push_back({trecho, std::move(forma.Partes), extensao, -1});
  }
  DefineBalanco(Balanco_);
}

void TTemaDisponibilidade::DefineBalanco(std::shared_ptr<const TBalanco> balanco) {
  Balanco_ = std::move(balanco);
  Mes_ = 0;
  Meses_ = 0;
  Classes_.clear();
  for (TLinha& l : Linhas_) l.Balanco = -1;
  if (!Balanco_ || Balanco_->Trechos.empty()) return;
  Meses_ = static_cast<int>(Balanco_->Trechos.front().Meses.size());
  const auto meses = static_cast<std::size_t>(Meses_);
  Classes_.assign(Linhas_.size() * meses, SemClasse);
  for (std::size_t i = 0; i < Balanco_->Trechos.size(); ++i) {
    const TTrechoBalanco& t = Balanco_->Trechos[i];
    const auto it = PorTrecho_.find(t.Fim.Trecho);
    if (it == PorTrecho_.end()) continue;
    Linhas_[it->second].Balanco = static_cast<int>(i);
    std::uint8_t* classes = Classes_.data() + it->second * meses;
    for (std::size_t m = 0; m < std::min(meses, t.Meses.size()); ++m)
      if (t.Meses[m].Disponivel)
        classes[m] = static_cast<std::uint8_t>(t.Meses[m].Disponivel->Classe);
  }
}

void TTemaDisponibilidade::SetMes(int indice) {
  Mes_ = Meses_ > 0 ? std::clamp(indice, 0, Meses_ - 1) : 0;
}

std::uint8_t TTemaDisponibilidade::Classe(std::int32_t trecho) const {
  const auto it = PorTrecho_.find(trecho);
  if (it == PorTrecho_.end() || Meses_ == 0) return SemClasse;
  return Classes_[it->second * static_cast<std::size_t>(Meses_) + static_cast<std::size_t>(Mes_)];
}

const TTrechoBalanco* TTemaDisponibilidade::DoTrecho(std::int32_t trecho) const {
  const auto it = PorTrecho_.find(trecho);
  if (!Balanco_ || it == PorTrecho_.end() || Linhas_[it->second].Balanco < 0) return nullptr;
  return &Balanco_->Trechos[static_cast<std::size_t>(Linhas_[it->second].Balanco)];
}

void TTemaDisponibilidade::PreparaVista(const QTransform& mundo) {
  if (Vista_ && *Vista_ == mundo) return;
  Vista_ = mundo;
  Pixels_.assign(Linhas_.size(), {});
  for (std::size_t i = 0; i < Linhas_.size(); ++i)
    for (const std::vector<TPontoMapa>& parte : Linhas_[i].Partes) {
      QPolygonF l;
      l.reserve(static_cast<qsizetype>(parte.size()));
      for (const TPontoMapa& v : parte) {
        const QPointF px = mundo.map(QPointF(v.X, v.Y));
        if (!l.isEmpty() && std::abs(px.x() - l.back().x()) < 0.5 &&
            std::abs(px.y() - l.back().y()) < 0.5)
          continue;
        l.append(px);
      }
      // A line shorter than a pixel still shows as a dot of its colour.
      if (l.size() == 1) l.append(l.front());
      if (!l.isEmpty()) Pixels_[i].push_back(std::move(l));
    }
}

void TTemaDisponibilidade::Desenha(QPainter& p, const QTransform& mundo, const QRectF& area) {
  if (!Balanco_ || Classes_.empty()) return;
  PreparaVista(mundo);
  const QTransform inversa = mundo.inverted();
  const QRectF visivel = inversa.mapRect(area);
  const auto meses = static_cast<std::size_t>(Meses_);
  const auto mes = static_cast<std::size_t>(Mes_);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);
  auto desenha = [&](std::uint8_t classe, const QPen& caneta) {
    p.setPen(caneta);
    for (std::size_t i = 0; i < Linhas_.size(); ++i) {
      if (Classes_[i * meses + mes] != classe) continue;
      const TRetangulo& e = Linhas_[i].Extensao;
      if (e.Direita() < visivel.left() || e.Esquerda() > visivel.right() ||
          e.Topo() < visivel.top() || e.Baixo() > visivel.bottom())
        continue;
      for (const QPolygonF& l : Pixels_[i]) p.drawPolyline(l);
    }
  };
  auto caneta = [](const QColor& cor, double largura) {
    QPen c(cor, largura);
    c.setCapStyle(Qt::RoundCap);
    c.setJoinStyle(Qt::RoundJoin);
    return c;
  };
  // The grey of the arcs without a class first, under the rest; the classes a dark edge each,
  // then their colour (the pale yellow class must show on the basin's own pale fill).
  desenha(SemClasse, caneta(CorSemClasse(), 1.5));
  for (std::uint8_t classe = 0; classe < SemClasse; ++classe)
    desenha(classe, caneta(QColor(60, 60, 60), 5.0));
  for (std::uint8_t classe = 0; classe < SemClasse; ++classe)
    desenha(classe, caneta(CorDaClasse(static_cast<TClasseCor>(classe)), 3.0));
  p.restore();
}

std::optional<std::int32_t> TTemaDisponibilidade::TrechoNoPixel(const QPointF& pixel,
                                                                double tolerancia) const {
  if (!Vista_ || !Balanco_) return std::nullopt;
  double melhor = tolerancia * tolerancia;
  std::optional<std::int32_t> trecho;
  for (std::size_t i = 0; i < Pixels_.size(); ++i)
    for (const QPolygonF& l : Pixels_[i])
      for (qsizetype k = 1; k < l.size(); ++k)
        if (const double d = Distancia2(pixel, l[k - 1], l[k]); d <= melhor) {
          melhor = d;
          trecho = Linhas_[i].Trecho;
        }
  return trecho;
}
