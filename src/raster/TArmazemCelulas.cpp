#include "raster/TArmazemCelulas.h"

#include <QFileInfo>

#include "base/Erro.h"

namespace {
QString SemPasta(const QString& arquivo) { return QFileInfo(arquivo).fileName(); }
}  // namespace

void TArmazemCelulas::Libera() {
  if (Arquivo_.isOpen()) Arquivo_.close();  // also unmaps
  std::vector<unsigned char>().swap(Memoria_);
  Dados_ = nullptr;
  Tamanho_ = 0;
}

void TArmazemCelulas::Mapeia(const QString& arquivo) {
  Libera();
  Arquivo_.setFileName(arquivo);
  if (!QFileInfo(arquivo).isFile() || !Arquivo_.open(QIODevice::ReadOnly))
    throw ETorveda(QStringLiteral("Erro ao abrir o arquivo de dados %1.").arg(SemPasta(arquivo)));
  const qint64 tamanho = Arquivo_.size();
  if (tamanho == 0) return;  // nothing to map; the file stays open all the same
  const uchar* mapa = Arquivo_.map(0, tamanho);
  if (!mapa) {
    const QString motivo = Arquivo_.errorString();
    Arquivo_.close();
    throw ETorveda(
        QStringLiteral("Erro ao mapear o arquivo de dados %1: %2.").arg(SemPasta(arquivo), motivo));
  }
  Dados_ = mapa;
  Tamanho_ = static_cast<std::size_t>(tamanho);
}

void TArmazemCelulas::Copia(const QString& arquivo, qint64 bytes) {
  Libera();
  QFile f(arquivo);
  if (!QFileInfo(arquivo).isFile() || !f.open(QIODevice::ReadOnly))
    throw ETorveda(QStringLiteral("Erro ao abrir o arquivo de dados %1.").arg(SemPasta(arquivo)));
  Memoria_.resize(static_cast<std::size_t>(bytes));
  qint64 lidos = 0;
  while (lidos < bytes) {
    const qint64 n = f.read(reinterpret_cast<char*>(Memoria_.data()) + lidos, bytes - lidos);
    if (n <= 0) break;
    lidos += n;
  }
  if (lidos != bytes) {
    Libera();
    throw ETorveda(
        QStringLiteral("Erro na leitura do arquivo de dados %1.").arg(SemPasta(arquivo)));
  }
  Dados_ = Memoria_.data();
  Tamanho_ = Memoria_.size();
}

void TArmazemCelulas::Garante(std::size_t bytes) {
  if (Mapeado() || Memoria_.size() >= bytes) return;
  Memoria_.resize(bytes);
  Dados_ = Memoria_.data();
  Tamanho_ = Memoria_.size();
}
