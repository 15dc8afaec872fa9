#pragma once
// The full-scale sample basin (5000 x 5000 cells, 20,000 register rows, both registers imported)
// that the section, basin and batch benchmarks share: written once by torveda-cli into
// TORVEDA_BENCH_DADOS (default: the target's TORVEDA_BENCH_DADOS_PADRAO) and reused, with the
// generator's summary kept beside it as resumo.json. The including target defines TORVEDA_CLI
// and TORVEDA_BENCH_DADOS_PADRAO.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdio>

inline QString PastaBaciaEscalaReal() {
  const QString env = qEnvironmentVariable("TORVEDA_BENCH_DADOS");
  return env.isEmpty() ? QStringLiteral(TORVEDA_BENCH_DADOS_PADRAO) : env;
}

// Runs torveda-cli; its exit code, or -1 when it did not end normally.
inline int ExecutaCli(const QStringList& args, QByteArray* saida = nullptr) {
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(QStringLiteral(TORVEDA_CLI), args);
  if (!p.waitForFinished(-1)) return -1;
  if (saida) *saida = p.readAllStandardOutput();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// The generator's summary (ready-made sections, outlet, ...), the basin written first when the
// folder has none; empty when it could not be written.
inline QJsonObject PreparaBaciaEscalaReal(const QString& dir) {
  QDir().mkpath(dir);
  const QString resumo = dir + QStringLiteral("/resumo.json");
  QFile f(resumo);
  if (f.open(QIODevice::ReadOnly)) return QJsonDocument::fromJson(f.readAll()).object();
  std::fprintf(stderr, "Gerando a bacia de exemplo em escala real em %s ...\n", qPrintable(dir));
  QByteArray saida;
  if (ExecutaCli({QStringLiteral("amostra"), dir, QStringLiteral("--colunas"),
                  QStringLiteral("5000"), QStringLiteral("--linhas"), QStringLiteral("5000"),
                  QStringLiteral("--registros"), QStringLiteral("20000")},
                 &saida) != 0)
    return {};
  for (const char* registro : {"aqem", "ana"})
    if (ExecutaCli({QStringLiteral("--dados"), dir, QStringLiteral("importa"),
                    QString::fromLatin1(registro)}) != 0)
      return {};
  if (f.open(QIODevice::WriteOnly)) f.write(saida);
  return QJsonDocument::fromJson(saida).object();
}
