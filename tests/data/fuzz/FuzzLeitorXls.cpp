// libFuzzer target over the .xls reader: any bytes as a whole file, opened, every sheet's
// headings and rows read. A damaged file must give ETorveda; nothing may crash, leak, hang or
// read out of bounds.
//
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTORVEDA_FUZZ=ON -DTORVEDA_SANITIZE=ON
//   cmake --build build-fuzz --target fuzz_leitor_xls
//   build-fuzz/bin/fuzz_leitor_xls -runs=20000 tests/data/fuzz/corpus
//
// The corpus holds small workbooks written by tests/data/escreve_xls.py (pequeno.xls,
// base1904.xls, formulas.xls, pequeno_biff5.xls, celula_perdida.xls). Run it with a memory bound
// (-rss_limit_mb=512 -malloc_limit_mb=512, as the suite does): memory must follow the cells a
// file holds, not the extent they reach.

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Erro.h"
#include "data/LeitorXls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  static QTemporaryDir pasta;
  static const QString arquivo = pasta.filePath(QStringLiteral("entrada.xls"));
  {
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char*>(dados), static_cast<qint64>(tamanho));
  }
  try {
    TLeitorXls leitor(arquivo);
    for (const QString& folha : leitor.Folhas()) {
      leitor.Titulos(folha);
      std::vector<TTabelaPlanilha::TColuna> colunas;
      std::vector<std::vector<QVariant>> linhas;
      leitor.Le(folha, colunas, linhas);
    }
  } catch (const ETorveda&) {
  }
  return 0;
}
