// What the registers cost when no import runs, and what reading one costs when an import does.
//
//   build/bench/import/bench_registros [--benchmark_filter=Processo]
//
// Whole processes of torveda-cli on the full-scale sample (5000 × 5000 cells) with 20,000 and
// with 80,000 register rows (written once by `torveda-cli amostra` into
// $TORVEDA_BENCH_REGISTROS, default <tmp>/torveda-bench-registros, and reused):
//   - `secao` at the main stem (target ≤ 0.25 s at 20,000 rows; at 80,000 rows within 1.2× of
//     that and under 300 MiB peak: the counter "MiB" is the process's peak resident memory);
//   - `verifica` (target ≤ 0.3 s at 20,000 rows).
// Whole processes of `secao` at the main stem of the full-scale basin with both registers
// imported (the basin the section benchmarks share, 11,173 grants counted there): target
// ≤ 0.2 s and ≤ 150 MiB with the counts only, ≤ 0.4 s with the lists (`--outorgas`).
// A 35,000-row state register as .xls (written once by escreve_registro_xls.py):
//   - the start-up's check of it (sheets and headings);
//   - reading it whole for an import (target ≤ 1 s), and, for comparison, GDAL's .xls layer
//     reading the same rows (the program's reader before).
#include <benchmark/benchmark.h>
#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_api.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <cstdio>
#include <map>
#include <vector>

#include "../comum/BaciaEscalaReal.h"
#include "../comum/ExecutaBenchmarks.h"
#include "base/ApresentadorMudo.h"
#include "base/Caminhos.h"
#include "data/TdmS.h"

extern char** environ;

namespace {

QString Raiz() {
  return qEnvironmentVariable("TORVEDA_BENCH_REGISTROS",
                              QDir::tempPath() + QStringLiteral("/torveda-bench-registros"));
}

[[noreturn]] void Falha(const char* texto) {
  std::fprintf(stderr, "%s\n", texto);
  std::exit(1);
}

// The full-scale sample with `registros` rows, and its main-stem section (X, Y).
struct TAmostra {
  QString Pasta;
  QString X, Y;
};

const TAmostra& Amostra(int registros) {
  static std::map<int, TAmostra> amostras;
  auto it = amostras.find(registros);
  if (it != amostras.end()) return it->second;
  TAmostra a;
  a.Pasta = Raiz() + QStringLiteral("/amostra-%1").arg(registros);
  const QString resumo = a.Pasta + QStringLiteral("/amostra.json");
  if (!QFile::exists(resumo)) {
    std::fprintf(stderr, "Criando a bacia de exemplo em escala real com %d registros em %s ...\n",
                 registros, qPrintable(a.Pasta));
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(TORVEDA_CLI),
            {QStringLiteral("amostra"), a.Pasta, QStringLiteral("--colunas"),
             QStringLiteral("5000"), QStringLiteral("--linhas"), QStringLiteral("5000"),
             QStringLiteral("--registros"), QString::number(registros)});
    if (!p.waitForFinished(-1) || p.exitCode() != 0) Falha("torveda-cli amostra falhou");
    QFile f(resumo);
    if (!f.open(QIODevice::WriteOnly)) Falha("não foi possível gravar amostra.json");
    f.write(p.readAllStandardOutput());
  }
  QFile f(resumo);
  if (!f.open(QIODevice::ReadOnly)) Falha("amostra.json ilegível");
  const QJsonObject principal = QJsonDocument::fromJson(f.readAll())
                                    .object()
                                    .value(QStringLiteral("secoes"))
                                    .toObject()
                                    .value(QStringLiteral("principal"))
                                    .toObject();
  a.X = QString::number(principal.value(QStringLiteral("X")).toDouble(), 'f', 3);
  a.Y = QString::number(principal.value(QStringLiteral("Y")).toDouble(), 'f', 3);
  return amostras.emplace(registros, a).first->second;
}

// Runs torveda-cli (or the one named by $TORVEDA_CLI_BENCH, e.g. an earlier build, for a
// before/after comparison) to its end with its output thrown away; the peak resident memory in
// MiB; `cpu` receives its user + system seconds (what it cost, whatever else the machine runs).
double Executa(const QStringList& argumentos, double* cpu = nullptr) {
  const QByteArray cli = qEnvironmentVariableIsSet("TORVEDA_CLI_BENCH")
                             ? qgetenv("TORVEDA_CLI_BENCH")
                             : QByteArray(TORVEDA_CLI);
  std::vector<QByteArray> bytes{cli};
  for (const QString& a : argumentos) bytes.push_back(a.toLocal8Bit());
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
  if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) Falha("torveda-cli terminou com erro");
  if (cpu)
    *cpu = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
           static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
  return static_cast<double>(uso.ru_maxrss) / 1024.0;
}

void BM_ProcessoSecao(benchmark::State& estado) {
  const TAmostra& a = Amostra(static_cast<int>(estado.range(0)));
  double mib = 0, cpu = 0, total = 0;
  for (auto _ : estado) {
    mib = std::max(mib, Executa({QStringLiteral("--dados"), a.Pasta, QStringLiteral("secao"),
                                 QStringLiteral("--xy"), a.X, a.Y},
                                &cpu));
    total += cpu;
  }
  estado.counters["MiB"] = mib;
  estado.counters["CPU_s"] = total / static_cast<double>(estado.iterations());
}

// Argument 1: with the lists of examined grants.
void BM_ProcessoSecaoComOutorgas(benchmark::State& estado) {
  const QString pasta = PastaBaciaEscalaReal();
  const QJsonObject principal = PreparaBaciaEscalaReal(pasta)
                                    .value(QStringLiteral("secoes"))
                                    .toObject()
                                    .value(QStringLiteral("principal"))
                                    .toObject();
  if (principal.isEmpty()) {
    estado.SkipWithError("bacia em escala real indisponível");
    return;
  }
  QStringList args{QStringLiteral("--dados"),
                   pasta,
                   QStringLiteral("secao"),
                   QStringLiteral("--xy"),
                   QString::number(principal.value(QStringLiteral("X")).toDouble(), 'f', 3),
                   QString::number(principal.value(QStringLiteral("Y")).toDouble(), 'f', 3)};
  if (estado.range(0) == 1) args << QStringLiteral("--outorgas");
  double mib = 0, cpu = 0, total = 0;
  for (auto _ : estado) {
    mib = std::max(mib, Executa(args, &cpu));
    total += cpu;
  }
  estado.SetLabel(estado.range(0) == 1 ? "--outorgas" : "contagens");
  estado.counters["MiB"] = mib;
  estado.counters["CPU_s"] = total / static_cast<double>(estado.iterations());
}

void BM_ProcessoVerifica(benchmark::State& estado) {
  const TAmostra& a = Amostra(static_cast<int>(estado.range(0)));
  double mib = 0, cpu = 0, total = 0;
  for (auto _ : estado) {
    mib = std::max(mib,
                   Executa({QStringLiteral("--dados"), a.Pasta, QStringLiteral("verifica")}, &cpu));
    total += cpu;
  }
  estado.counters["MiB"] = mib;
  estado.counters["CPU_s"] = total / static_cast<double>(estado.iterations());
}

// A data tree with the 20,000-row sample's database and a 35,000-row state register as .xls.
TCaminhos ArvoreXls() {
  const QString pasta = Raiz() + QStringLiteral("/xls-35000");
  const TCaminhos caminhos(pasta, QStringLiteral("TORVEDA"));
  if (!QFile::exists(caminhos.OutorgasAqem())) {
    QDir().mkpath(QFileInfo(caminhos.OutorgasAqem()).path());
    const TCaminhos amostra(Amostra(20000).Pasta, QStringLiteral("TORVEDA"));
    QFile::copy(amostra.BaseDados(), caminhos.BaseDados());
    QFile::copy(amostra.OutorgasAna() + QLatin1Char('x'),
                caminhos.OutorgasAna() + QLatin1Char('x'));
    std::fprintf(stderr, "Escrevendo o registro estadual de 35.000 linhas (.xls) ...\n");
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(TORVEDA_ESCREVE_XLS),
                                                 caminhos.OutorgasAqem(), QStringLiteral("35000")});
    if (!p.waitForFinished(-1) || p.exitCode() != 0) Falha("escreve_registro_xls.py falhou");
  }
  return caminhos;
}

void BM_InicioComXls35000(benchmark::State& estado) {
  TApresentadorMudo apresentador;
  const TCaminhos caminhos = ArvoreXls();
  for (auto _ : estado) {
    TdmS dm(caminhos);
    dm.Cria(apresentador);
    if (!dm.tdbOutorgasAqemSuperficial.Ativa()) estado.SkipWithError("planilha não verificada");
  }
}

void BM_LeXls35000(benchmark::State& estado) {
  TApresentadorMudo apresentador;
  const TCaminhos caminhos = ArvoreXls();
  TdmS dm(caminhos);
  dm.Cria(apresentador);
  int linhas = 0;
  for (auto _ : estado) {
    dm.LeOutorgasAqem(caminhos.OutorgasAqem());
    linhas = dm.tdbOutorgasAqemSuperficial.NumLinhas() +
             dm.tdbOutorgasAqemInsignificante.NumLinhas() +
             dm.tdbOutorgasAqemSubterranea.NumLinhas();
    dm.LiberaOutorgasAqem();
  }
  estado.counters["linhas"] = linhas;
}

// The same rows through GDAL's .xls layer, every field of every row, as the reader before did.
void BM_LeXls35000PeloGdal(benchmark::State& estado) {
  const TCaminhos caminhos = ArvoreXls();
  GDALAllRegister();
  CPLSetConfigOption("OGR_XLS_HEADERS", "FORCE");
  const QByteArray arquivo = caminhos.OutorgasAqem().toUtf8();
  long long linhas = 0;
  for (auto _ : estado) {
    linhas = 0;
    GDALDatasetH ds = GDALOpenEx(arquivo.constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                                 nullptr, nullptr);
    if (!ds) Falha("GDAL não abriu o .xls");
    for (int c = 0; c < GDALDatasetGetLayerCount(ds); ++c) {
      OGRLayerH camada = GDALDatasetGetLayer(ds, c);
      const int campos = OGR_FD_GetFieldCount(OGR_L_GetLayerDefn(camada));
      OGR_L_ResetReading(camada);
      while (OGRFeatureH f = OGR_L_GetNextFeature(camada)) {
        for (int i = 0; i < campos; ++i) benchmark::DoNotOptimize(OGR_F_GetFieldAsString(f, i));
        OGR_F_Destroy(f);
        ++linhas;
      }
    }
    GDALClose(ds);
  }
  estado.counters["linhas"] = static_cast<double>(linhas);
}

BENCHMARK(BM_ProcessoSecao)
    ->Arg(20000)
    ->Arg(80000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_ProcessoSecaoComOutorgas)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_ProcessoVerifica)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_InicioComXls35000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LeXls35000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LeXls35000PeloGdal)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return ExecutaBenchmarks(argc, argv);
}
