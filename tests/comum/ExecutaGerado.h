#pragma once
// Runs a program and keeps its exit code and output, started by posix_spawn rather than by
// QProcess: Qt starts a child by a clone that shares the parent's memory, which a test built
// under ThreadSanitizer cannot survive, while posix_spawn's child runs only the C library before
// the program replaces it. For the tests that the ThreadSanitizer pass runs.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

extern char** environ;

struct TSaidaGerado {
  int Codigo = -1;  // -1 when the program could not be started or did not end normally
  QByteArray Saida;
  QString Erro;
};

inline TSaidaGerado ExecutaGerado(const QString& programa, const QStringList& args) {
  TSaidaGerado s;
  QTemporaryDir pasta;
  if (!pasta.isValid()) return s;
  const QByteArray saida = QFile::encodeName(pasta.filePath(QStringLiteral("saida")));
  const QByteArray erro = QFile::encodeName(pasta.filePath(QStringLiteral("erro")));
  std::vector<QByteArray> textos{QFile::encodeName(programa)};
  for (const QString& a : args) textos.push_back(a.toUtf8());
  std::vector<char*> argv;
  for (QByteArray& t : textos) argv.push_back(t.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t acoes;
  posix_spawn_file_actions_init(&acoes);
  posix_spawn_file_actions_addopen(&acoes, 1, saida.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&acoes, 2, erro.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  const int falha = posix_spawn(&pid, argv[0], &acoes, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&acoes);
  if (falha != 0) return s;
  int estado = 0;
  if (waitpid(pid, &estado, 0) != pid || !WIFEXITED(estado)) return s;
  s.Codigo = WEXITSTATUS(estado);
  QFile fs(QFile::decodeName(saida)), fe(QFile::decodeName(erro));
  if (fs.open(QIODevice::ReadOnly)) s.Saida = fs.readAll();
  if (fe.open(QIODevice::ReadOnly)) s.Erro = QString::fromUtf8(fe.readAll());
  return s;
}
