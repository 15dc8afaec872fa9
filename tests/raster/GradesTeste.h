#pragma once
// Grid files written by hand for the tests, byte by byte, independent of the writers under test.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstring>
#include <vector>

namespace GradesTeste {

inline QByteArray Singles(const std::vector<float>& valores) {
  QByteArray b(static_cast<qsizetype>(valores.size() * 4), '\0');
  // The test hosts are little-endian. An empty vector may have no storage at all.
  if (!valores.empty()) std::memcpy(b.data(), valores.data(), valores.size() * 4);
  return b;
}

inline void Grava(const QString& arquivo, const QByteArray& conteudo) {
  QFile f(arquivo);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(conteudo);
}

inline QByteArray Le(const QString& arquivo) {
  QFile f(arquivo);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The six-line header as ArcView writes it.
inline QByteArray CabecalhoArcView(int nCols, int nRows, const QString& xll, const QString& yll,
                                   const QString& cellSize, const QString& noData,
                                   const QString& rotuloX = QStringLiteral("xllcorner"),
                                   const QString& rotuloY = QStringLiteral("yllcorner")) {
  return QStringLiteral(
             "ncols         %1\r\nnrows         %2\r\n%3     %4\r\n%5     %6\r\ncellsize      "
             "%7\r\nNODATA_value  %8\r\nbyteorder     LSBFIRST\r\n")
      .arg(nCols)
      .arg(nRows)
      .arg(rotuloX.leftJustified(9), xll, rotuloY.leftJustified(9), yll, cellSize, noData)
      .toLatin1();
}

// X.hdr and X.flt; returns the .hdr path.
inline QString ParArcView(const QString& base, int nCols, int nRows,
                          const std::vector<float>& valores,
                          const QString& xll = QStringLiteral("1000"),
                          const QString& yll = QStringLiteral("2000"),
                          const QString& cellSize = QStringLiteral("50"),
                          const QString& noData = QStringLiteral("-9999")) {
  Grava(base + QStringLiteral(".hdr"), CabecalhoArcView(nCols, nRows, xll, yll, cellSize, noData));
  Grava(base + QStringLiteral(".flt"), Singles(valores));
  return base + QStringLiteral(".hdr");
}

// The 21-line Idrisi header.
inline QByteArray DocIdrisi(const QString& tipo, int nCols, int nRows, const QString& minimo,
                            const QString& maximo) {
  const QStringList linhas{
      QStringLiteral("file title  : teste"),
      QStringLiteral("data type   : ") + tipo,
      QStringLiteral("file type   : binary"),
      QStringLiteral("columns     : %1").arg(nCols),
      QStringLiteral("rows        : %1").arg(nRows),
      QStringLiteral("ref. system : plane"),
      QStringLiteral("ref. units  : m"),
      QStringLiteral("unit dist.  : 1.0000000"),
      QStringLiteral("min. X      : 0.0000000"),
      QStringLiteral("max. X      : 30,0"),
      QStringLiteral("min. Y      : 0.0000000"),
      QStringLiteral("max. Y      : 20.0000000"),
      QStringLiteral("pos n error : unknown"),
      QStringLiteral("resolution  : unknown"),
      QStringLiteral("min. value  : ") + minimo,
      QStringLiteral("max. value  : ") + maximo,
      QStringLiteral("value units : unspecified"),
      QStringLiteral("value error : unknown"),
      QStringLiteral("flag value  : none"),
      QStringLiteral("flag def n  : none"),
      QStringLiteral("legend cats : 0"),
  };
  return (linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

}  // namespace GradesTeste
