#include "gis/gui/TBaciaNoMapa.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPolygonF>
#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "gis/TCamada.h"
#include "gis/TMap.h"
#include "hydro/BaciaDaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"

TBaciaNoMapa::TBaciaNoMapa(TCamada* camadaPonto, std::function<const TBacia*()> bacia,
                           TApresentador& apresentador, QObject* pai)
    : QObject(pai),
      CamadaPonto_(camadaPonto),
      BaciaDoPrograma_(std::move(bacia)),
      Apresentador_(apresentador) {
  if (camadaPonto) connect(camadaPonto, &TCamada::Alterada, this, &TBaciaNoMapa::Atualiza);
}

TBaciaNoMapa::~TBaciaNoMapa() = default;

void TBaciaNoMapa::AdicionaMapa(TMap* mapa) {
  Mapas_.emplace_back(mapa);
  connect(mapa, &TMap::AposDesenharCamada, this, [this, mapa](int indice, QPainter& p) {
    if (indice == 0) Desenha(*mapa, p);
  });
}

void TBaciaNoMapa::SetVisivel(bool visivel) {
  if (Visivel_ == visivel) return;
  Visivel_ = visivel;
  Redesenha();
}

void TBaciaNoMapa::Redesenha() {
  for (const auto& m : Mapas_)
    if (m) m->Refresca();
}

void TBaciaNoMapa::Atualiza() {
  if (!CamadaPonto_ || CamadaPonto_->Versao() == Versao_) return;
  Versao_ = CamadaPonto_->Versao();
  std::optional<TPontoMapa> ponto;
  TRegistros r = CamadaPonto_->Registros();
  r.Primeiro();
  if (!r.Fim()) {
    try {
      ponto = r.Ponto();
    } catch (const ETorveda&) {
    }
  }
  if (ponto == Ponto_) return;
  Ponto_ = ponto;
  Bacia_ = {};
  Contorno_.clear();
  const TBacia* bacia = BaciaDoPrograma_ ? BaciaDoPrograma_() : nullptr;
  if (ponto && bacia) {
    Bacia_ = BaciaDaSecao(*ponto, *bacia);
    Contorno_ = Bacia_.Contorno();
  }
  Redesenha();
}

void TBaciaNoMapa::Desenha(TMap& mapa, QPainter& p) const {
  if (!Visivel_ || Contorno_.empty()) return;
  const TRetangulo ext = mapa.Extensao();
  if (ext.Vazio() || !ext.Intercepta(Bacia_.Extensao())) return;
  // The rings in pixels, without the vertices that fall within half a pixel of the last one
  // kept: a basin of millions of cells has far more corners than the map has pixels.
  std::vector<QPolygonF> linhas;
  for (const TPoligonoBacia& pol : Contorno_)
    for (const TAnel& anel : pol) {
      QPolygonF l;
      l.reserve(static_cast<qsizetype>(anel.size()));
      for (const TPontoMapa& v : anel) {
        const QPointF px = mapa.PixelDoPonto(v);
        if (!l.isEmpty() && std::abs(px.x() - l.back().x()) < 0.5 &&
            std::abs(px.y() - l.back().y()) < 0.5)
          continue;
        l.append(px);
      }
      if (l.size() > 1) {
        l.append(mapa.PixelDoPonto(anel.front()));
        linhas.push_back(std::move(l));
      }
    }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setBrush(Qt::NoBrush);
  for (const auto& [cor, largura] :
       {std::pair{QColor(255, 255, 255), 4.0}, std::pair{QColor(220, 0, 200), 2.0}}) {
    QPen caneta(cor, largura);
    caneta.setJoinStyle(Qt::RoundJoin);
    p.setPen(caneta);
    for (const QPolygonF& l : linhas) p.drawPolyline(l);
  }
  p.restore();
}

void TBaciaNoMapa::Exporta() {
  const TBacia* bacia = BaciaDoPrograma_ ? BaciaDoPrograma_() : nullptr;
  if (!bacia || !Ponto_ || Bacia_.Vazia()) {
    Apresentador_.Informacao(
        QStringLiteral("Defina uma seção de interesse para exportar a sua bacia."));
    return;
  }
  QString arquivo =
      Apresentador_.SalvaArquivo(QStringLiteral("Exportar bacia"), QDir::homePath(),
                                 QStringLiteral("GeoPackage (*.gpkg);;Shapefile (*.shp)"));
  if (arquivo.isEmpty()) return;
  const QString extensao = QFileInfo(arquivo).suffix().toLower();
  if (extensao != QStringLiteral("gpkg") && extensao != QStringLiteral("shp"))
    arquivo += QStringLiteral(".gpkg");
  try {
    // The identification of the section the layer shows, whatever the section object holds now
    // (the identification tool replaces it).
    auto secao = std::make_unique<TPonto>();
    IdentificaSecao(*secao, *bacia, *Ponto_);
    ExportaBaciaDaSecao(arquivo, *secao, Bacia_, Contorno_);
    Apresentador_.Informacao(QStringLiteral("A bacia foi gravada em ") + arquivo +
                             QLatin1Char('.'));
  } catch (const ETorveda& e) {
    Apresentador_.Erro(e.mensagem());
  } catch (const std::exception& e) {
    Apresentador_.Erro(QString::fromLocal8Bit(e.what()));
  }
}
