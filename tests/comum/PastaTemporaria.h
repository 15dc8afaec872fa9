#pragma once
// A temporary folder for a test's files, removed with everything in it at the end of the scope.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TPastaTemporaria {
 public:
  TPastaTemporaria() : Dir_(QDir::tempPath() + QStringLiteral("/torveda-teste-XXXXXX")) {}
  QString Caminho() const { return Dir_.path(); }
  // The full path of a file or folder inside, creating the folders on the way.
  QString Arquivo(const QString& relativo) const {
    const QString p = Dir_.path() + QLatin1Char('/') + relativo;
    QDir().mkpath(p.left(p.lastIndexOf(QLatin1Char('/'))));
    return p;
  }
  // Writes a text file (UTF-8) and returns its path.
  QString Escreve(const QString& relativo, const QByteArray& conteudo) const {
    const QString p = Arquivo(relativo);
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(conteudo);
    return p;
  }

 private:
  QTemporaryDir Dir_;
};
