#pragma once
// A file written under a temporary name is created for its owner only; the file that takes the
// place of another keeps that one's permissions, a new one gets the usual ones (0666 less the
// process's umask), as if it had been written in place.

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QString>

namespace permissoes {

inline void DefineComoNoDestino(const QString& temporario, const QString& destino) {
  if (QFileInfo::exists(destino)) {
    QFile::setPermissions(temporario, QFile::permissions(destino));
    return;
  }
  const mode_t mascara = ::umask(0);
  ::umask(mascara);
  ::chmod(QFile::encodeName(temporario).constData(), 0666 & ~mascara);
}

}  // namespace permissoes
