#include "grants/ImagemTabela.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>

#include "base/Apresentador.h"

namespace {

const QColor FundoGrade(255, 255, 255);
const QColor FundoFixo(240, 240, 240);
const QColor LinhaFixa(160, 160, 160);
const QColor LinhaCelula(192, 192, 192);
const QColor Moldura(105, 105, 105);
const QColor CorTexto(0, 0, 0);
constexpr int Borda = 2;  // the sunken frame on the left and top

QFont FonteGrade() {
  QFont f;
  f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                 QStringLiteral("DejaVu Sans")});
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(10);
  return f;
}

void DesenhaCelula(QPainter& p, const QRect& r, const QColor& fundo, const QColor& linha,
                   const QString& texto, bool centrada) {
  p.fillRect(r, fundo);
  p.setPen(linha);
  p.drawLine(r.right() + 1, r.top(), r.right() + 1, r.bottom() + 1);
  p.drawLine(r.left(), r.bottom() + 1, r.right() + 1, r.bottom() + 1);
  if (texto.isEmpty()) return;
  p.setPen(CorTexto);
  const QRect area = r.adjusted(2, 0, -2, 0);
  p.drawText(area, (centrada ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, texto);
}

}  // namespace

QSize TamanhoImagemTabela(const TTabelaMeses& grade) {
  // Every column is drawn, as far to the right as the period goes: the picture is the whole table,
  // never the part a scroll bar would show.
  const int largura = Borda + grade.NumColunas() * TTabelaMeses::LarguraColuna + 4;
  return {std::max(TTabelaMeses::LarguraGrade, largura), TTabelaMeses::AlturaImagemMax};
}

QImage ImagemTabela(const TTabelaMeses& grade) {
  const QSize tamanho = TamanhoImagemTabela(grade);
  QImage img(tamanho, QImage::Format_RGB32);
  img.fill(FundoGrade);
  QPainter p(&img);
  p.setClipRect(0, 0, tamanho.width() - 4, tamanho.height() - 4);
  p.setFont(FonteGrade());

  const int w = TTabelaMeses::LarguraColuna - 1;
  const int h = TTabelaMeses::AlturaLinha - 1;
  for (int c = 1; c <= grade.NumColunas(); ++c) {
    const int x = Borda + (c - 1) * TTabelaMeses::LarguraColuna;
    if (x >= tamanho.width()) break;
    DesenhaCelula(p, QRect(x, Borda, w, h), FundoFixo, LinhaFixa, grade.Titulo(c),
                  grade.TitulosCentrados());
    for (int l = 1; l <= grade.NumLinhas(); ++l) {
      const TCelulaGrade* cel = grade.Celula(c, l);
      const QRect r(x, Borda + l * TTabelaMeses::AlturaLinha, w, h);
      if (c == 1) {
        DesenhaCelula(p, r, FundoFixo, LinhaFixa, cel->Texto, cel->Centrada);
      } else {
        DesenhaCelula(p, r, cel->Fundo.isValid() ? cel->Fundo : FundoGrade, LinhaCelula, cel->Texto,
                      cel->Centrada);
      }
    }
  }
  p.setPen(Moldura);
  p.drawLine(0, 0, tamanho.width(), 0);
  p.drawLine(0, 0, 0, tamanho.height());
  p.setPen(LinhaFixa);
  p.drawLine(1, 1, tamanho.width(), 1);
  p.drawLine(1, 1, 1, tamanho.height());
  p.end();
  return img;
}

bool SalvaImagemGrade(const TTabelaMeses& grade, const QString& caminho,
                      TApresentador& apresentador) {
  const QImage img = ImagemTabela(grade);
  QDir().mkpath(QFileInfo(caminho).absolutePath());
  QSaveFile arquivo(caminho);
  const bool ok =
      arquivo.open(QIODevice::WriteOnly) && img.save(&arquivo, "BMP") && arquivo.commit();
  if (!ok) apresentador.Erro(QStringLiteral("Erro ao inserir na pasta Imagens"));
  return ok;
}
