// The four drainage grids and the elevation-model header. The grid headers carry a byte-order
// line so that GDAL reads them as the program does (little-endian); the program itself reads
// only the first six lines.

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <vector>

#include "base/Convencoes.h"
#include "base/Erro.h"
#include "amostra/Escritas.h"

namespace {

QString Numero(double v) { return QString::number(v, 'g', 15); }

// Six lines with the labels padded to 14 characters, the layout of the system's own writer.
QByteArray Cabecalho(const TBacia& b, bool ordemBytes) {
  auto linha = [](const char* rotulo, const QString& valor) {
    return QString::fromLatin1(rotulo).leftJustified(14, QLatin1Char(' ')) + valor +
           QLatin1Char('\n');
  };
  QString t = linha("ncols", QString::number(b.NC)) + linha("nrows", QString::number(b.NR)) +
              linha("xllcorner", Numero(b.Xll)) + linha("yllcorner", Numero(b.Yll)) +
              linha("cellsize", Numero(b.Tam)) + linha("NODATA_value", QStringLiteral("-9999"));
  if (ordemBytes) t += linha("byteorder", QStringLiteral("LSBFIRST"));
  return t.toLatin1();
}

void GravaTexto(const QString& arquivo, const QByteArray& texto) {
  QSaveFile f(arquivo);
  if (!f.open(QIODevice::WriteOnly) || f.write(texto) != texto.size() || !f.commit())
    throw ETorveda(QStringLiteral("Erro ao gravar o arquivo %1.").arg(arquivo));
}

template <typename F>
void GravaGrade(const TBacia& b, const QString& base, F valor) {
  GravaTexto(base + QStringLiteral(".hdr"), Cabecalho(b, true));
  QSaveFile f(base + QStringLiteral(".flt"));
  if (!f.open(QIODevice::WriteOnly))
    throw ETorveda(QStringLiteral("Erro ao gravar o arquivo %1.flt.").arg(base));
  std::vector<float> linha(static_cast<std::size_t>(b.NC));
  for (int l = 0; l < b.NR; ++l) {
    for (int c = 0; c < b.NC; ++c) {
      const float v = valor(b.Indice(c, l));
      linha[c] = qToLittleEndian(v);
    }
    const auto bytes = static_cast<qint64>(linha.size() * sizeof(float));
    if (f.write(reinterpret_cast<const char*>(linha.data()), bytes) != bytes)
      throw ETorveda(QStringLiteral("Erro ao gravar o arquivo %1.flt.").arg(base));
  }
  if (!f.commit()) throw ETorveda(QStringLiteral("Erro ao gravar o arquivo %1.flt.").arg(base));
}

}  // namespace

void EscreveGrades(const TBacia& b, const QString& pasta) {
  constexpr float semDado = static_cast<float>(Convencao::SemDado);
  GravaTexto(pasta + QStringLiteral("Header.hdr"), Cabecalho(b, false));
  GravaGrade(b, pasta + QStringLiteral("hidro_mapeada"), [&](std::int32_t c) {
    return b.Mapeada[c] ? static_cast<float>(b.Mapeada[c]) : semDado;
  });
  GravaGrade(b, pasta + QStringLiteral("hidro_sem_esp"),
             [&](std::int32_t c) { return b.Rede[c] ? static_cast<float>(b.Rede[c]) : semDado; });
  GravaGrade(b, pasta + QStringLiteral("dir_esc"),
             [&](std::int32_t c) { return b.Dentro[c] ? static_cast<float>(b.Dir[c]) : semDado; });
  GravaGrade(b, pasta + QStringLiteral("fluxo_ac"), [&](std::int32_t c) {
    return b.Dentro[c] ? static_cast<float>(b.Fluxo[c]) : semDado;
  });
}
