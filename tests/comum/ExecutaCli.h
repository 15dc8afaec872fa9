#pragma once
// Runs the headless program as a user would and keeps what it answered.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

struct TSaidaCli {
  int Codigo = -1;  // -1 when the program did not end in time
  QJsonObject Json;
  QString Erro;
};

inline TSaidaCli ExecutaCli(const QString& programa, const QStringList& args) {
  QProcess p;
  p.start(programa, args);
  TSaidaCli s;
  if (!p.waitForFinished(600000)) return s;
  s.Codigo = p.exitCode();
  s.Json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
  s.Erro = QString::fromUtf8(p.readAllStandardError());
  return s;
}
