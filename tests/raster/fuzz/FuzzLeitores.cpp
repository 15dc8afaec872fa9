// libFuzzer target over every grid reader. The first input byte picks the format and the mode;
// the rest is split between the named file and its pair (header/data). Every load must succeed,
// answer false or throw ETorveda, and no read afterwards may leave the cell store.
//
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTORVEDA_FUZZ=ON -DTORVEDA_SANITIZE=ON
//   cmake --build build-fuzz --target fuzz_leitores_raster
//   build-fuzz/bin/fuzz_leitores_raster -max_total_time=600 build-fuzz/corpus

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "base/Erro.h"
#include "raster/TImagem.h"

namespace {

void Grava(const QString& arquivo, const char* dados, std::size_t tamanho) {
  QFile f(arquivo);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
    f.write(dados, static_cast<qint64>(tamanho));
}

const QString& Pasta() {
  static const QString pasta = [] {
    const QString p = QDir::tempPath() +
                      QStringLiteral("/torveda-fuzz-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(p);
    return p;
  }();
  return pasta;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  if (tamanho < 2) return 0;
  static const char* const nomes[][2] = {{"g.hdr", "g.flt"}, {"g.asc", nullptr},
                                         {"g.doc", "g.img"}, {"g.grd", nullptr},
                                         {"g.ras", nullptr}, {"g.flt", "g.hdr"}};
  const auto escolha = dados[0];
  const auto& par = nomes[(escolha & 0x7f) % 6];
  const bool emDisco = (escolha & 0x80) != 0;
  const char* resto = reinterpret_cast<const char*>(dados + 2);
  const std::size_t n = tamanho - 2;
  // The second byte splits the rest between the file and its pair.
  const std::size_t corte = par[1] ? std::min<std::size_t>(n, dados[1] * 4u) : n;
  const QString arquivo = Pasta() + QLatin1Char('/') + QLatin1String(par[0]);
  Grava(arquivo, resto, corte);
  if (par[1]) Grava(Pasta() + QLatin1Char('/') + QLatin1String(par[1]), resto + corte, n - corte);

  TImagem g(emDisco);
  try {
    g.Carrega(arquivo);
  } catch (const ETorveda&) {
  }
  volatile double soma = 0;
  char buffer[8];
  const std::int64_t celulas = g.NumCelulas();
  for (std::int64_t i = -2; i < std::min<std::int64_t>(celulas, 1 << 16) + 2; ++i) {
    const auto i32 = static_cast<std::int32_t>(i);
    soma = soma + g.LeReal(i32) + g.LeInteiro(i32) + g.LeByte(i32) + g.LeRealOuSemDado(i);
    g.LeCelula(i32, buffer);
  }
  soma = soma + g.LeRealCL(65535, 65535) + g.LeRealCL(0, 0) + g.LeRealOuSemDado(celulas);
  return 0;
}
