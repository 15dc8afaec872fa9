// libFuzzer target over the shapefile reads behind the layer catalogue: a dataset opened through
// the connection as the start-up does, then every field of every record read in each of the
// ways the program reads them. Every open must succeed or fail with a reason, and no read may
// crash or leave its buffers.
//
// The input is three files: two little-endian 16-bit lengths (the .shp's, the .shx's), then the
// .shp, the .shx and the .dbf (the rest). The fifth byte of the .shp part picks the layer's name
// among the catalogue's.
//
//   CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DTORVEDA_FUZZ=ON -DTORVEDA_SANITIZE=ON
//   cmake --build build-san --target fuzz_atributos_shape
//   build-san/bin/fuzz_atributos_shape -max_total_time=600 NEW_CORPUS tests/gis/fuzz/corpus/*

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <exception>

#include "gis/CatalogoCamadas.h"
#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"

namespace {

const QString& Pasta() {
  static const QString pasta = [] {
    const QString p =
        QDir::tempPath() +
        QStringLiteral("/torveda-fuzz-shape-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(p);
    return p;
  }();
  return pasta;
}

void Grava(const QString& arquivo, const std::uint8_t* dados, std::size_t tamanho) {
  QFile f(arquivo);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
    f.write(reinterpret_cast<const char*>(dados), static_cast<qint64>(tamanho));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  if (tamanho < 4) return 0;
  const std::size_t resto = tamanho - 4;
  const std::size_t nShp = std::min<std::size_t>(resto, dados[0] | dados[1] << 8);
  const std::size_t nShx = std::min<std::size_t>(resto - nShp, dados[2] | dados[3] << 8);
  const std::uint8_t* shp = dados + 4;
  const std::uint8_t* shx = shp + nShp;
  const std::uint8_t* dbf = shx + nShx;
  const std::size_t nDbf = resto - nShp - nShx;

  const auto& itens = CatalogoCamadas::Itens();
  const TItemCatalogo& item = itens[(nShp > 4 ? shp[4] : 0) % itens.size()];
  const QString base = Pasta() + QLatin1Char('/') + QString::fromUtf8(item.Nome);
  for (const QString& f : QDir(Pasta()).entryList(QDir::Files))
    QFile::remove(Pasta() + QLatin1Char('/') + f);
  Grava(base + QStringLiteral(".shp"), shp, nShp);
  Grava(base + QStringLiteral(".shx"), shx, nShx);
  Grava(base + QStringLiteral(".dbf"), dbf, nDbf);

  TConexaoShape conexao(Pasta());
  if (!conexao.Conecta()) return 0;
  auto camada = CatalogoCamadas::AbreCamada(conexao, item);
  if (!camada->Valida()) return 0;
  volatile double soma = 0;
  TRegistros r = camada->Registros();
  const auto campos = r.Dados()->Campos();
  for (r.Primeiro(); !r.Fim(); r.Proximo()) {
    for (const TCampo& c : campos) {
      try {
        soma = soma + r.Texto(c.Nome).size() + r.Valor(c.Nome).toString().size();
        soma = soma + static_cast<double>(r.Inteiro(c.Nome)) + r.Real(c.Nome) + r.Data(c.Nome);
      } catch (const std::exception&) {
        // A value of another type is refused with a reason; that is allowed.
      }
    }
    try {
      soma = soma + r.Forma().Partes.size();
    } catch (const std::exception&) {
    }
  }
  return 0;
}
