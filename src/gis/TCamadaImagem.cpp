#include "gis/TCamadaImagem.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "gis/interno/Ogr.h"

struct TCamadaImagem::TImpl {
  Ogr::TDataset Dataset;
  double Gt[6] = {0, 1, 0, 0, 0, -1};
  int Largura = 0;
  int Altura = 0;
  int Bandas = 0;
  bool Paleta = false;
  double Minimo = 0;
  double Maximo = 0;

  // One band in grey levels (or through its colour table), the no-data value transparent.
  QImage LeCinza(int x, int y, int w, int h, int bw, int bh) const;
  QImage LeRgb(int x, int y, int w, int h, int bw, int bh) const;
};

QImage TCamadaImagem::TImpl::LeCinza(int x, int y, int w, int h, int bw, int bh) const {
  GDALRasterBand* banda = Dataset->GetRasterBand(1);
  std::vector<double> v(static_cast<std::size_t>(bw) * static_cast<std::size_t>(bh));
  if (banda->RasterIO(GF_Read, x, y, w, h, v.data(), bw, bh, GDT_Float64, 0, 0) != CE_None)
    return {};
  int temNoData = FALSE;
  const double noData = banda->GetNoDataValue(&temNoData);
  GDALColorTable* tabela = Paleta ? banda->GetColorTable() : nullptr;
  QImage img(bw, bh, QImage::Format_ARGB32);
  const double faixa = Maximo > Minimo ? Maximo - Minimo : 1.0;
  for (int j = 0; j < bh; ++j) {
    auto* linha = reinterpret_cast<QRgb*>(img.scanLine(j));
    for (int i = 0; i < bw; ++i) {
      const double valor = v[static_cast<std::size_t>(j) * static_cast<std::size_t>(bw) +
                             static_cast<std::size_t>(i)];
      if (!std::isfinite(valor) || (temNoData && valor == noData)) {
        linha[i] = qRgba(0, 0, 0, 0);
      } else if (tabela) {
        const GDALColorEntry* e = tabela->GetColorEntry(static_cast<int>(valor));
        linha[i] = e ? qRgba(e->c1, e->c2, e->c3, e->c4) : qRgba(0, 0, 0, 0);
      } else {
        const int g =
            std::clamp(static_cast<int>(std::lround((valor - Minimo) / faixa * 255.0)), 0, 255);
        linha[i] = qRgb(g, g, g);
      }
    }
  }
  return img;
}

QImage TCamadaImagem::TImpl::LeRgb(int x, int y, int w, int h, int bw, int bh) const {
  QImage img(bw, bh, QImage::Format_ARGB32);
  img.fill(qRgba(0, 0, 0, 255));
  const std::size_t n = static_cast<std::size_t>(bw) * static_cast<std::size_t>(bh);
  std::vector<GByte> canal(n);
  const int usadas = std::min(Bandas, 4);
  for (int b = 0; b < usadas; ++b) {
    if (Dataset->GetRasterBand(b + 1)->RasterIO(GF_Read, x, y, w, h, canal.data(), bw, bh, GDT_Byte,
                                                0, 0) != CE_None)
      return {};
    for (int j = 0; j < bh; ++j) {
      auto* linha = reinterpret_cast<QRgb*>(img.scanLine(j));
      for (int i = 0; i < bw; ++i) {
        const int c = canal[static_cast<std::size_t>(j) * static_cast<std::size_t>(bw) +
                            static_cast<std::size_t>(i)];
        QRgb& p = linha[i];
        if (b == 0) p = qRgba(c, qGreen(p), qBlue(p), qAlpha(p));
        if (b == 1) p = qRgba(qRed(p), c, qBlue(p), qAlpha(p));
        if (b == 2) p = qRgba(qRed(p), qGreen(p), c, qAlpha(p));
        if (b == 3) p = qRgba(qRed(p), qGreen(p), qBlue(p), c);
      }
    }
  }
  return img;
}

TCamadaImagem::TCamadaImagem(QObject* pai) : QObject(pai), Impl_(std::make_unique<TImpl>()) {}

TCamadaImagem::~TCamadaImagem() = default;

void TCamadaImagem::SetArquivo(const QString& arquivo) {
  Arquivo_ = arquivo;
  Impl_ = std::make_unique<TImpl>();
  Ogr::Inicia();
  if (!arquivo.isEmpty()) {
    Impl_->Dataset.reset(GDALDataset::FromHandle(GDALOpenEx(QFile::encodeName(arquivo).constData(),
                                                            GDAL_OF_RASTER | GDAL_OF_READONLY,
                                                            nullptr, nullptr, nullptr)));
  }
  auto& d = *Impl_;
  if (d.Dataset && d.Dataset->GetRasterCount() > 0 && d.Dataset->GetRasterXSize() > 0 &&
      d.Dataset->GetRasterYSize() > 0) {
    d.Largura = d.Dataset->GetRasterXSize();
    d.Altura = d.Dataset->GetRasterYSize();
    d.Bandas = d.Dataset->GetRasterCount();
    if (d.Dataset->GetGeoTransform(d.Gt) != CE_None) {
      // Without a georeference the raster lies on its own pixel grid, north up.
      const double padrao[6] = {0, 1, 0, static_cast<double>(d.Altura), 0, -1};
      std::copy(std::begin(padrao), std::end(padrao), d.Gt);
    }
    GDALRasterBand* banda = d.Dataset->GetRasterBand(1);
    d.Paleta = d.Bandas < 3 && banda->GetColorTable() != nullptr;
    if (d.Bandas < 3 && !d.Paleta) {
      double mm[2] = {0, 0};
      if (banda->ComputeRasterMinMax(TRUE, mm) == CE_None) {
        d.Minimo = mm[0];
        d.Maximo = mm[1];
      }
    }
  } else {
    d.Dataset.reset();
  }
  emit Alterada();
}

bool TCamadaImagem::Valida() const { return Impl_->Dataset != nullptr; }

QString TCamadaImagem::Nome() const {
  const QFileInfo fi(Arquivo_);
  // An Arc/Info grid is named by its folder, not by "hdr.adf".
  if (fi.suffix().compare(QStringLiteral("adf"), Qt::CaseInsensitive) == 0)
    return fi.dir().dirName();
  return fi.completeBaseName();
}

void TCamadaImagem::SetVisivel(bool visivel) {
  if (Visivel_ == visivel) return;
  Visivel_ = visivel;
  emit Alterada();
}

void TCamadaImagem::SetCorTransparente(const QColor& cor) {
  CorTransparente_ = cor;
  emit Alterada();
}

void TCamadaImagem::SetTransparente(bool transparente) {
  Transparente_ = transparente;
  emit Alterada();
}

TRetangulo TCamadaImagem::Extensao() const {
  if (!Valida()) return {};
  const auto& d = *Impl_;
  TRetangulo r;
  for (int j : {0, d.Altura})
    for (int i : {0, d.Largura})
      r.Inclui(
          TPontoMapa{d.Gt[0] + i * d.Gt[1] + j * d.Gt[2], d.Gt[3] + i * d.Gt[4] + j * d.Gt[5]});
  return r;
}

QImage TCamadaImagem::Desenha(const TRetangulo& extensao, const QSize& tamanho) const {
  QImage saida(tamanho, QImage::Format_ARGB32_Premultiplied);
  saida.fill(Qt::transparent);
  if (!Valida() || extensao.Vazio() || tamanho.isEmpty() || extensao.Largura() <= 0 ||
      extensao.Altura() <= 0)
    return saida;
  const auto& d = *Impl_;
  if (d.Gt[1] == 0 || d.Gt[5] == 0) return saida;
  // The view in fractional pixel coordinates of the raster (rotation terms are not used).
  const double px0 = (extensao.Esquerda() - d.Gt[0]) / d.Gt[1];
  const double px1 = (extensao.Direita() - d.Gt[0]) / d.Gt[1];
  const double py0 = (extensao.Topo() - d.Gt[3]) / d.Gt[5];
  const double py1 = (extensao.Baixo() - d.Gt[3]) / d.Gt[5];
  const double ax0 = std::min(px0, px1), ax1 = std::max(px0, px1);
  const double ay0 = std::min(py0, py1), ay1 = std::max(py0, py1);
  const int x0 = std::max(0, static_cast<int>(std::floor(ax0)));
  const int x1 = std::min(d.Largura, static_cast<int>(std::ceil(ax1)));
  const int y0 = std::max(0, static_cast<int>(std::floor(ay0)));
  const int y1 = std::min(d.Altura, static_cast<int>(std::ceil(ay1)));
  if (x1 <= x0 || y1 <= y0) return saida;

  // Where that whole-pixel window falls on the output.
  const double sx = tamanho.width() / (ax1 - ax0);
  const double sy = tamanho.height() / (ay1 - ay0);
  const QRectF alvo((x0 - ax0) * sx, (y0 - ay0) * sy, (x1 - x0) * sx, (y1 - y0) * sy);
  const int bw = std::clamp(static_cast<int>(std::ceil(alvo.width())), 1, x1 - x0);
  const int bh = std::clamp(static_cast<int>(std::ceil(alvo.height())), 1, y1 - y0);
  QImage lida = d.Bandas >= 3 ? d.LeRgb(x0, y0, x1 - x0, y1 - y0, bw, bh)
                              : d.LeCinza(x0, y0, x1 - x0, y1 - y0, bw, bh);
  if (lida.isNull()) return saida;
  if (Transparente_) {
    const QRgb transparente = CorTransparente_.rgb() & 0x00ffffff;
    for (int j = 0; j < lida.height(); ++j) {
      auto* linha = reinterpret_cast<QRgb*>(lida.scanLine(j));
      for (int i = 0; i < lida.width(); ++i)
        if ((linha[i] & 0x00ffffff) == transparente) linha[i] = qRgba(0, 0, 0, 0);
    }
  }
  QPainter p(&saida);
  p.drawImage(alvo, lida);
  return saida;
}
