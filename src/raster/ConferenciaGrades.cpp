#include "raster/ConferenciaGrades.h"

#include <QFileInfo>
#include <cmath>

#include "raster/TArquivoTexto.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"

namespace ConferenciaGrades {

namespace {

const char* const Linhas[6] = {"ncols",     "nrows",    "xllcorner",
                               "yllcorner", "cellsize", "NODATA_value"};

QString Numero(double v) { return QString::number(v, 'g', 15); }

// Coordinates agree when they differ by less than a thousandth of a cell: the files write them
// in decimal, and a grid whose corner is off by a whole cell is the fault looked for.
bool Iguais(double a, double b, double celula) {
  return std::fabs(a - b) <= std::max(1e-9, std::fabs(celula) * 1e-3);
}

}  // namespace

QString ConfereHeader(const THeaderMDE& h, const QString& nome) {
  for (const auto& [valor, campo] : {std::pair{h.NCols(), "ncols"}, {h.NRows(), "nrows"}})
    if (valor < 1 || valor > MaxDimensao)
      return QStringLiteral("%1: %2 vale %3; deve estar entre 1 e %4.")
          .arg(nome, QLatin1String(campo))
          .arg(valor)
          .arg(MaxDimensao);
  if (!std::isfinite(h.CellSize()) || h.CellSize() <= 0)
    return QStringLiteral("%1: cellsize vale %2; o tamanho da célula deve ser positivo.")
        .arg(nome, Numero(h.CellSize()));
  if (!std::isfinite(h.XllCorner()) || !std::isfinite(h.YllCorner()))
    return QStringLiteral("%1: o canto inferior esquerdo não é um número finito.").arg(nome);
  return {};
}

QString ConfereCabecalho(const QString& arquivo) {
  const QString nome = QFileInfo(arquivo).fileName();
  if (!QFileInfo(arquivo).isFile()) return {};
  TArquivoTexto texto(arquivo);
  QString linha;
  int lidas = 0;
  while (lidas < 6 && texto.ProximaLinha(linha)) {
    if (linha.trimmed().isEmpty()) break;
    ++lidas;
  }
  if (lidas == 0) return QStringLiteral("%1: o cabeçalho está vazio.").arg(nome);
  if (lidas < 6)
    return QStringLiteral("%1: falta a linha %2 (%3) do cabeçalho.")
        .arg(nome)
        .arg(lidas + 1)
        .arg(QLatin1String(Linhas[lidas]));
  return {};
}

QString ConfereComHeader(const TImagem& g, const THeaderMDE& h, const QString& nome) {
  const auto difere = [&](const QString& oque, const QString& naGrade, const QString& noHeader) {
    return QStringLiteral("%1: %2 %3 difere de Header.hdr (%4).")
        .arg(nome, oque, naGrade, noHeader);
  };
  if (g.NCols() != h.NCols())
    return difere(QStringLiteral("o número de colunas"), QString::number(g.NCols()),
                  QString::number(h.NCols()));
  if (g.NRows() != h.NRows())
    return difere(QStringLiteral("o número de linhas"), QString::number(g.NRows()),
                  QString::number(h.NRows()));
  if (!Iguais(g.TamanhoCelula(), h.CellSize(), h.CellSize()))
    return difere(QStringLiteral("o tamanho da célula"), Numero(g.TamanhoCelula()),
                  Numero(h.CellSize()));
  if (!Iguais(g.XMin(), h.XllCorner(), h.CellSize()) ||
      !Iguais(g.YMin(), h.YllCorner(), h.CellSize()))
    return difere(QStringLiteral("o canto inferior esquerdo"),
                  Numero(g.XMin()) + QStringLiteral(", ") + Numero(g.YMin()),
                  Numero(h.XllCorner()) + QStringLiteral(", ") + Numero(h.YllCorner()));
  return {};
}

}  // namespace ConferenciaGrades
