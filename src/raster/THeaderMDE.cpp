#include "raster/THeaderMDE.h"

#include <QFileInfo>
#include <limits>

#include "base/Erro.h"
#include "raster/Numeros.h"
#include "raster/TArquivoTexto.h"

bool THeaderMDE::Carrega(const QString& arquivo) {
  if (!QFileInfo(arquivo).isFile()) return false;
  TArquivoTexto texto(arquivo);

  static const char* const campos[6] = {"ncols",     "nrows",    "xllcorner",
                                        "yllcorner", "cellsize", "NODATA_value"};
  QString valores[6];
  for (int i = 0; i < 6; ++i) {
    QString linha;
    if (!texto.ProximaLinha(linha))
      throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: falta a linha %2 (%3).")
                         .arg(QFileInfo(arquivo).fileName())
                         .arg(i + 1)
                         .arg(QLatin1String(campos[i])));
    valores[i] = linha.mid(LarguraRotulo);
  }

  // Read everything first, so that a malformed value leaves the header as it was.
  constexpr std::int64_t min32 = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t max32 = std::numeric_limits<std::int32_t>::max();
  const auto campo = [&](int i) { return QLatin1String(campos[i]); };
  const auto nCols = Numeros::LeInteiro(valores[0], campo(0), arquivo, min32, max32);
  const auto nRows = Numeros::LeInteiro(valores[1], campo(1), arquivo, min32, max32);
  const double xll = Numeros::LeValor(valores[2], campo(2), arquivo);
  const double yll = Numeros::LeValor(valores[3], campo(3), arquivo);
  const double cellSize = Numeros::LeValor(valores[4], campo(4), arquivo);
  const auto noData = Numeros::LeInteiro(valores[5], campo(5), arquivo, min32, max32);

  NCols_ = static_cast<std::int32_t>(nCols);
  NRows_ = static_cast<std::int32_t>(nRows);
  XllCorner_ = xll;
  YllCorner_ = yll;
  CellSize_ = cellSize;
  NoDataValue_ = static_cast<std::int32_t>(noData);
  return true;
}
