#include "gis/interno/Substituicao.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

#include "base/Erro.h"

namespace Substituicao {

namespace {

const QString Marca = QStringLiteral("COMPLETA");
const char* const Obsoletas[] = {"sbn", "sbx", "qix"};
constexpr int TamanhoSufixo = 6;  // QTemporaryDir's XXXXXX

void Sincroniza(const QString& caminho) {
  const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDONLY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

const QStringList& Extensoes() {
  static const QStringList e{QStringLiteral("shp"), QStringLiteral("shx"), QStringLiteral("dbf"),
                             QStringLiteral("prj"), QStringLiteral("cpg")};
  return e;
}

QString Prefixo(const QString& nome) { return QStringLiteral(".torveda-gravacao-") + nome + '-'; }

void SincronizaMembros(const QString& temporaria, const QString& nome) {
  for (const QString& ext : Extensoes())
    Sincroniza(temporaria + QLatin1Char('/') + nome + QLatin1Char('.') + ext);
}

void MarcaCompleta(const QString& temporaria, const QString& nome) {
  QStringList presentes;
  for (const QString& ext : Extensoes()) {
    const QString f = temporaria + QLatin1Char('/') + nome + QLatin1Char('.') + ext;
    if (!QFileInfo::exists(f)) continue;
    Sincroniza(f);
    presentes << ext;
  }
  QSaveFile marca(temporaria + QLatin1Char('/') + Marca);
  if (!marca.open(QIODevice::WriteOnly) || marca.write(presentes.join(' ').toUtf8()) < 0 ||
      !marca.commit())
    throw ETorveda(QStringLiteral("Não foi possível gravar %1 em %2").arg(nome, temporaria));
  Sincroniza(temporaria + QLatin1Char('/') + Marca);
  Sincroniza(temporaria);
}

void Conclui(const QString& temporaria, const QString& pasta, const QString& nome) {
  QFile marca(temporaria + QLatin1Char('/') + Marca);
  if (!marca.open(QIODevice::ReadOnly))
    throw ETorveda(QStringLiteral("Gravação incompleta de %1 em %2").arg(nome, temporaria));
  const QStringList presentes = QString::fromUtf8(marca.readAll()).split(' ', Qt::SkipEmptyParts);
  marca.close();

  QDir dir(pasta);
  for (const char* ext : Obsoletas)
    for (const QString& f :
         dir.entryList({nome + QLatin1Char('.') + QLatin1String(ext)}, QDir::Files))
      dir.remove(f);
  for (const QString& ext : Extensoes()) {
    const QString alvo = nome + QLatin1Char('.') + ext;
    // A sibling of another case ("Rio.SHP") would otherwise outlive the rewrite.
    for (const QString& f :
         dir.entryList({nome + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
      if (f != alvo && f.compare(alvo, Qt::CaseInsensitive) == 0) dir.remove(f);
    const QString novo = temporaria + QLatin1Char('/') + alvo;
    if (QFileInfo::exists(novo)) {
      if (std::rename(QFile::encodeName(novo).constData(),
                      QFile::encodeName(dir.filePath(alvo)).constData()) != 0)
        throw ETorveda(QStringLiteral("Não foi possível substituir %1").arg(dir.filePath(alvo)));
    } else if (!presentes.contains(ext)) {
      dir.remove(alvo);
    }
  }
  Sincroniza(pasta);
  QDir(temporaria).removeRecursively();
}

void Recupera(const QString& pasta, const QString& nome) {
  const QString prefixo = Prefixo(nome);
  const QDir dir(pasta);
  const QFileInfoList restos =
      dir.entryInfoList({prefixo + QLatin1Char('*')},
                        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::CaseSensitive,
                        QDir::Time | QDir::Reversed);
  for (const QFileInfo& resto : restos) {
    // "Rio-" must not take the leftovers of "Rio-Novo".
    if (resto.fileName().size() != prefixo.size() + TamanhoSufixo) continue;
    if (QFileInfo::exists(resto.filePath() + QLatin1Char('/') + Marca))
      Conclui(resto.filePath(), pasta, nome);
    else
      QDir(resto.filePath()).removeRecursively();
  }
}

}  // namespace Substituicao
