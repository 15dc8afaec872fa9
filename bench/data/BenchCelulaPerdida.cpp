// Memory of an import follows the cells a register holds: a small state register with one stray
// note at the sheet's last row and column (row 65,536, column IV) imports within 1.5× the peak
// memory of the same register without it (target), and no slower to speak of.
//
//   build/bin/bench_celula_perdida
//
// Whole `torveda-cli importa aqem` processes on a small sample basin (written once by
// `torveda-cli amostra` into $TORVEDA_BENCH_CELULA, default <tmp>/torveda-bench-celula, and
// reused), the register written by escreve_registro_perdido.py. Counters: "MiB" the peak
// resident memory of the process with the stray note, "MiBSem" without it, "Razao" the ratio.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <vector>

extern char** environ;

namespace {

[[noreturn]] void Falha(const char* texto) {
  std::fprintf(stderr, "%s\n", texto);
  std::exit(1);
}

QString Arvore() {
  static const QString pasta = [] {
    const QString p = qEnvironmentVariable(
        "TORVEDA_BENCH_CELULA", QDir::tempPath() + QStringLiteral("/torveda-bench-celula"));
    if (!QFile::exists(p + QStringLiteral("/Dados/DadosBD"))) {
      QProcess amostra;
      amostra.setProcessChannelMode(QProcess::ForwardedErrorChannel);
      amostra.start(
          QStringLiteral(TORVEDA_CLI),
          {QStringLiteral("amostra"), p, QStringLiteral("--colunas"), QStringLiteral("300")});
      if (!amostra.waitForFinished(-1) || amostra.exitCode() != 0)
        Falha("torveda-cli amostra falhou");
    }
    return p;
  }();
  return pasta;
}

// Puts the register in the tree as its state workbook.
void EscreveRegistro(bool perdida) {
  const QString destino = Arvore() + QStringLiteral("/Dados/DadosBD/TORVEDA_Outorgas_AQEM.xls");
  QStringList args{QStringLiteral(TORVEDA_ESCREVE_REGISTRO), destino, QStringLiteral("35")};
  if (perdida) args << QStringLiteral("--perdida");
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(QStringLiteral(TORVEDA_PYTHON), args);
  if (!p.waitForFinished(-1) || p.exitCode() != 0) Falha("escreve_registro_perdido.py falhou");
}

// One import process to its end, its output thrown away; its peak resident memory in MiB.
double Importa() {
  std::vector<QByteArray> bytes{QByteArray(TORVEDA_CLI), "--dados", Arvore().toLocal8Bit(),
                                "importa", "aqem"};
  std::vector<char*> argv;
  for (QByteArray& b : bytes) argv.push_back(b.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t acoes;
  posix_spawn_file_actions_init(&acoes);
  posix_spawn_file_actions_addopen(&acoes, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&acoes, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &acoes, nullptr, argv.data(), environ) != 0)
    Falha("torveda-cli não pôde ser executado");
  posix_spawn_file_actions_destroy(&acoes);
  int estado = 0;
  rusage uso{};
  wait4(pid, &estado, 0, &uso);
  // Rows outside the sample basin are skipped, not failures: 0, or 1 for a failing row.
  if (!WIFEXITED(estado) || WEXITSTATUS(estado) > 1) Falha("torveda-cli importa falhou");
  return static_cast<double>(uso.ru_maxrss) / 1024.0;
}

void BM_ImportaComCelulaPerdida(benchmark::State& estado) {
  EscreveRegistro(false);
  const double sem = Importa();
  EscreveRegistro(true);
  double com = 0;
  for (auto _ : estado) com = std::max(com, Importa());
  estado.counters["MiB"] = com;
  estado.counters["MiBSem"] = sem;
  estado.counters["Razao"] = com / sem;
}

}  // namespace

BENCHMARK(BM_ImportaComCelulaPerdida)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
