#include "raster/TArquivoTexto.h"

#include <QFileInfo>

#include "app/Erro.h"

TArquivoTexto::TArquivoTexto(const QString& arquivo) : Arquivo_(arquivo) {
  if (!QFileInfo(arquivo).isFile() || !Arquivo_.open(QIODevice::ReadOnly))
    throw ETorveda(
        QStringLiteral("Erro ao abrir o arquivo %1.").arg(QFileInfo(arquivo).fileName()));
  const qint64 tamanho = Arquivo_.size();
  const uchar* mapa = tamanho > 0 ? Arquivo_.map(0, tamanho) : nullptr;
  if (mapa) {
    Inicio_ = reinterpret_cast<const char*>(mapa);
    Fim_ = Inicio_ + tamanho;
  } else {
    Copia_ = Arquivo_.readAll();
    Inicio_ = Copia_.constData();
    Fim_ = Inicio_ + Copia_.size();
  }
  P_ = Inicio_;
}

bool TArquivoTexto::ProximaLinha(QString& linha) {
  if (P_ >= Fim_) return false;
  const char* inicio = P_;
  while (P_ < Fim_ && *P_ != '\n' && *P_ != '\r') ++P_;
  linha = QString::fromLatin1(inicio, P_ - inicio);
  if (P_ < Fim_ && *P_ == '\r') ++P_;
  if (P_ < Fim_ && *P_ == '\n') ++P_;
  return true;
}

namespace {
inline bool Branco(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == '\x1a';
}
}  // namespace

bool TArquivoTexto::ProximoToken(const char*& inicio, const char*& fim) {
  while (P_ < Fim_ && Branco(*P_)) ++P_;
  if (P_ >= Fim_) return false;
  inicio = P_;
  while (P_ < Fim_ && !Branco(*P_)) ++P_;
  fim = P_;
  return true;
}
