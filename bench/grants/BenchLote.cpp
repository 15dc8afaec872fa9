// `torveda-cli lote` on the full-scale sample basin (5000 x 5000 cells, 20 000 register rows):
// 1,000 and then 2,000 mixed requests (the ready-made sections, points near them, points off
// the drainage and outside the basin) answered one at a time, then the 1,000 with two tasks;
// each run timed as a whole process, data load included, with its peak resident memory. Flat
// memory shows as the same peak for both sizes; the two-task run shows its speed-up over one
// task and what its second task costs in memory. The machine's load is printed before each run:
// the speed-up means something only when nothing else wants the cores.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QRandomGenerator>
#include <cstdio>

#include "../comum/BaciaEscalaReal.h"

namespace {

QString Pedidos(const QJsonObject& secoes, int n, const QString& arquivo) {
  QByteArray csv = "Identificador;X;Y;Inicio;Fim;Vazao;Percentual;Referencia;Metodo\n";
  const QStringList nomes = secoes.keys();
  const char* metodos[] = {"Tradicional", "Proporc. de vazões", "Conserv. de massas"};
  const char* referencias[] = {"Q710", "Q90", "Q95", "Qmld"};
  QRandomGenerator aleatorio(20261209);
  for (int i = 0; i < n; ++i) {
    const QJsonObject s = secoes.value(nomes[i % nomes.size()]).toObject();
    // Most requests at the ready-made sections (each placed and computed afresh), one in six a
    // few cells away, which mostly falls off the drainage.
    const int desvio = i % 6 == 5 ? 150 : 0;
    const double x =
        s.value(QStringLiteral("X")).toDouble() + (desvio ? aleatorio.bounded(-desvio, desvio) : 0);
    const double y =
        s.value(QStringLiteral("Y")).toDouble() + (desvio ? aleatorio.bounded(-desvio, desvio) : 0);
    const int inicio = 1995 + aleatorio.bounded(10);
    csv += QStringLiteral("P%1;%2;%3;01/%4;12/%5;0,%6;%7;%8;%9\n")
               .arg(i)
               .arg(x, 0, 'f', 1)
               .arg(y, 0, 'f', 1)
               .arg(inicio)
               .arg(inicio + 5 + aleatorio.bounded(30))
               .arg(aleatorio.bounded(1, 99), 2, 10, QLatin1Char('0'))
               .arg(10 * aleatorio.bounded(1, 10))
               .arg(QString::fromLatin1(referencias[aleatorio.bounded(4)]),
                    QString::fromUtf8(metodos[aleatorio.bounded(3)]))
               .toUtf8();
  }
  QFile f(arquivo);
  if (f.open(QIODevice::WriteOnly)) f.write(csv);
  return arquivo;
}

struct TMedida {
  bool Ok = false;
  double Segundos = 0.0;
  double MiB = 0.0;
};

double Carga() {
  double carga = -1.0;
  if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(f, "%lf", &carga) != 1) carga = -1.0;
    std::fclose(f);
  }
  return carga;
}

// Runs one batch and reports its wall time and the child's peak memory.
TMedida Mede(const QString& dir, const QString& entrada, const QString& saida, int n, int tarefas) {
  const QByteArray cli = QByteArrayLiteral(TORVEDA_CLI);
  const QByteArray d = QFile::encodeName(dir), e = QFile::encodeName(entrada),
                   s = QFile::encodeName(saida), t = QByteArray::number(tarefas);
  const double carga = Carga();
  QElapsedTimer relogio;
  relogio.start();
  const pid_t pid = fork();
  if (pid == 0) {
    const int nulo = ::open("/dev/null", 1);
    dup2(nulo, 1);
    execl(cli.constData(), cli.constData(), "--dados", d.constData(), "lote", e.constData(),
          "--saida", s.constData(), "--tarefas", t.constData(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int estado = 0;
  rusage uso{};
  wait4(pid, &estado, 0, &uso);
  const double segundos = relogio.elapsed() / 1000.0;
  const double cpu = uso.ru_utime.tv_sec + uso.ru_stime.tv_sec +
                     (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
  std::printf(
      "%5d pedidos, %d tarefa(s), carga %.2f: %6.1f s de relógio, %6.1f s de CPU (%.1f ms por "
      "pedido), pico de memória %.0f MiB, saída %d\n",
      n, tarefas, carga, segundos, cpu, 1000.0 * cpu / n, uso.ru_maxrss / 1024.0,
      WIFEXITED(estado) ? WEXITSTATUS(estado) : -1);
  return {WIFEXITED(estado) && WEXITSTATUS(estado) <= 1, segundos, uso.ru_maxrss / 1024.0};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString dir = PastaBaciaEscalaReal();
  const QJsonObject secoes = PreparaBaciaEscalaReal(dir).value(QStringLiteral("secoes")).toObject();
  if (secoes.isEmpty()) {
    std::fprintf(stderr, "não foi possível gerar a bacia em %s\n", qPrintable(dir));
    return 1;
  }
  bool ok = true;
  TMedida uma;
  for (int n : {1000, 2000}) {
    const QString entrada = Pedidos(secoes, n, dir + QStringLiteral("/lote-%1.csv").arg(n));
    const TMedida m =
        Mede(dir, entrada, dir + QStringLiteral("/lote-%1-respostas.csv").arg(n), n, 1);
    ok = m.Ok && ok;
    if (n == 1000) uma = m;
  }
  const TMedida duas = Mede(dir, dir + QStringLiteral("/lote-1000.csv"),
                            dir + QStringLiteral("/lote-1000-respostas-2.csv"), 1000, 2);
  ok = duas.Ok && ok;
  if (uma.Ok && duas.Ok)
    std::printf("2 tarefas: %.2fx mais rápido que 1, %+.0f MiB de memória\n",
                uma.Segundos / duas.Segundos, duas.MiB - uma.MiB);
  auto le = [](const QString& arquivo) {
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  const bool iguais = le(dir + QStringLiteral("/lote-1000-respostas.csv")) ==
                      le(dir + QStringLiteral("/lote-1000-respostas-2.csv"));
  ok = iguais && ok;
  std::printf("respostas \"ok\" em %s; as de 2 tarefas %s às de 1\n",
              qPrintable(dir + QStringLiteral("/lote-*-respostas*.csv")),
              iguais ? "iguais" : "DIFERENTES");
  std::printf(
      "meta: 1.000 pedidos em até 60 s, memória igual para 1.000 e 2.000; com 2 tarefas em 2 "
      "núcleos, pelo menos 1,7x mais rápido e menos de 50 MiB a mais por tarefa\n");
  return ok ? 0 : 1;
}
