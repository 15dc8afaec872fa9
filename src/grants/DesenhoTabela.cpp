#include "grants/DesenhoTabela.h"

#include <QPainter>
#include <algorithm>

namespace {

const QColor FundoFixo(240, 240, 240);
const QColor LinhaFixa(160, 160, 160);
const QColor LinhaCelula(192, 192, 192);
const QColor Moldura(105, 105, 105);

void Celula(QPainter& p, const QRectF& r, const QColor& fundo, const QString& texto,
            bool centrada) {
  p.fillRect(r, fundo);
  if (texto.isEmpty()) return;
  const double folga = r.height() * 0.25;
  p.drawText(r.adjusted(folga, 0, -folga, 0),
             (centrada ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, texto);
}

}  // namespace

int NumFaixasTabela(const TTabelaMeses& t) {
  const int anos = std::max(0, t.NumColunas() - 1);
  return std::max(1, (anos + AnosPorFaixa - 1) / AnosPorFaixa);
}

void DesenhaFaixaTabela(QPainter& p, const QPointF& origem, double w, double h,
                        const TTabelaMeses& t, int faixa, const QFont& fonte) {
  const int primeira = 2 + faixa * AnosPorFaixa;
  const int ultima = std::min(t.NumColunas(), primeira + AnosPorFaixa - 1);
  const int colunas = 1 + std::max(0, ultima - primeira + 1);
  const int linhas = 1 + t.NumLinhas();
  p.save();
  p.setFont(fonte);
  auto retangulo = [&](int coluna, int linha) {
    return QRectF(origem.x() + coluna * w, origem.y() + linha * h, w, h);
  };
  // Cells with their texts, then the lines between them.
  for (int i = 0; i < colunas; ++i) {
    const int c = i == 0 ? 1 : primeira + i - 1;
    p.setPen(Qt::black);
    Celula(p, retangulo(i, 0), FundoFixo, t.Titulo(c), t.TitulosCentrados());
    for (int l = 1; l < linhas; ++l) {
      const TCelulaGrade* cel = t.Celula(c, l);
      if (!cel) continue;
      const QColor fundo = i == 0 ? FundoFixo : cel->Fundo.isValid() ? cel->Fundo : Qt::white;
      Celula(p, retangulo(i, l), fundo, cel->Texto, cel->Centrada);
    }
  }
  const double espessura = std::max(1.0, h / 20.0);
  p.setPen(QPen(LinhaCelula, espessura));
  for (int i = 1; i < colunas; ++i)
    p.drawLine(retangulo(i, 1).topLeft(), retangulo(i, linhas - 1).bottomLeft());
  for (int l = 2; l < linhas; ++l)
    p.drawLine(retangulo(1, l).topLeft(), retangulo(colunas - 1, l).topRight());
  p.setPen(QPen(LinhaFixa, espessura));
  p.drawLine(retangulo(0, 1).topLeft(), retangulo(colunas - 1, 1).topRight());
  p.drawLine(retangulo(1, 0).topLeft(), retangulo(1, linhas - 1).bottomLeft());
  for (int l = 2; l < linhas; ++l)
    p.drawLine(retangulo(0, l).topLeft(), retangulo(0, l).topRight());
  for (int i = 2; i < colunas; ++i)
    p.drawLine(retangulo(i, 0).topLeft(), retangulo(i, 0).bottomLeft());
  p.setPen(QPen(Moldura, espessura));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(origem, QSizeF(colunas * w, linhas * h)));
  p.restore();
}
