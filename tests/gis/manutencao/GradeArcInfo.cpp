#include "GradeArcInfo.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// Every number of the format is big-endian.
void Int32(QByteArray& b, int pos, qint32 v) {
  const qint32 be = qToBigEndian(v);
  std::memcpy(b.data() + pos, &be, 4);
}
void Int16(QByteArray& b, int pos, qint16 v) {
  const qint16 be = qToBigEndian(v);
  std::memcpy(b.data() + pos, &be, 2);
}
void Real64(QByteArray& b, int pos, double v) {
  quint64 bits = 0;
  std::memcpy(&bits, &v, 8);
  bits = qToBigEndian(bits);
  std::memcpy(b.data() + pos, &bits, 8);
}
void Real32(QByteArray& b, int pos, float v) {
  quint32 bits = 0;
  std::memcpy(&bits, &v, 4);
  bits = qToBigEndian(bits);
  std::memcpy(b.data() + pos, &bits, 4);
}

void Grava(const QString& arquivo, const QByteArray& b) {
  QFile f(arquivo);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(b);
}

// The 100-byte header of the block files: magic number, then the file length in 16-bit words.
QByteArray Cabecalho(int tamanhoTotal) {
  QByteArray b(100, '\0');
  const unsigned char magico[] = {0x00, 0x00, 0x27, 0x0A, 0xFF, 0xFF, 0xFC, 0x14};
  std::memcpy(b.data(), magico, sizeof magico);
  Int32(b, 24, tamanhoTotal / 2);
  return b;
}

}  // namespace

QString EscreveGradeArcInfo(const QString& pasta, int nCols, int nRows, double xll, double yll,
                            double lado, const std::vector<float>& valores) {
  QDir().mkpath(pasta);
  const QString base = pasta + QLatin1Char('/');

  QByteArray hdr(308, '\0');
  std::memcpy(hdr.data(), "GRID1.2", 7);
  Int32(hdr, 16, 2);  // single-precision cells
  Int32(hdr, 20, 1);  // uncompressed
  Real64(hdr, 256, lado);
  Real64(hdr, 264, lado);
  Int32(hdr, 288, 1);  // blocks per row
  Int32(hdr, 292, 1);  // blocks per column
  Int32(hdr, 296, nCols);
  Int32(hdr, 300, 1);
  Int32(hdr, 304, nRows);
  Grava(base + QStringLiteral("hdr.adf"), hdr);

  QByteArray limites(32, '\0');
  Real64(limites, 0, xll);
  Real64(limites, 8, yll);
  Real64(limites, 16, xll + nCols * lado);
  Real64(limites, 24, yll + nRows * lado);
  Grava(base + QStringLiteral("dblbnd.adf"), limites);

  const auto [mn, mx] = std::minmax_element(valores.begin(), valores.end());
  const double media =
      std::accumulate(valores.begin(), valores.end(), 0.0) / static_cast<double>(valores.size());
  QByteArray estatisticas(32, '\0');
  Real64(estatisticas, 0, *mn);
  Real64(estatisticas, 8, *mx);
  Real64(estatisticas, 16, media);
  Real64(estatisticas, 24, 0.0);
  Grava(base + QStringLiteral("sta.adf"), estatisticas);

  const int bytesBloco = nCols * nRows * 4;
  QByteArray dados = Cabecalho(100 + 2 + bytesBloco);
  QByteArray bloco(2 + bytesBloco, '\0');
  Int16(bloco, 0, static_cast<qint16>(bytesBloco / 2));
  for (int i = 0; i < nCols * nRows; ++i)
    Real32(bloco, 2 + 4 * i, valores[static_cast<std::size_t>(i)]);
  dados.append(bloco);
  Grava(base + QStringLiteral("w001001.adf"), dados);

  QByteArray indice = Cabecalho(100 + 8);
  QByteArray entrada(8, '\0');
  Int32(entrada, 0, 100 / 2);         // where the block starts, in 16-bit words
  Int32(entrada, 4, bytesBloco / 2);  // its size, in 16-bit words
  indice.append(entrada);
  Grava(base + QStringLiteral("w001001x.adf"), indice);

  return base + QStringLiteral("hdr.adf");
}
