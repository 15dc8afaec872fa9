#include "raster/TSaidaArquivo.h"

#include <QFileInfo>

#include "base/Erro.h"

namespace {
constexpr qsizetype TamanhoBuffer = 1 << 20;
}

TSaidaArquivo::TSaidaArquivo(const QString& arquivo) : Arquivo_(arquivo) {
  if (!Arquivo_.open(QIODevice::WriteOnly))
    throw ETorveda(QStringLiteral("Erro ao criar o arquivo %1: %2.")
                       .arg(QFileInfo(arquivo).fileName(), Arquivo_.errorString()));
  Buffer_.reserve(TamanhoBuffer);
}

void TSaidaArquivo::Escreve(const char* dados, qint64 tamanho) {
  Buffer_.append(dados, tamanho);
  if (Buffer_.size() >= TamanhoBuffer) Descarrega();
}

void TSaidaArquivo::EscreveLinha(const QString& linha) {
  Buffer_.append(linha.toLatin1());
  Buffer_.append("\r\n", 2);
  if (Buffer_.size() >= TamanhoBuffer) Descarrega();
}

void TSaidaArquivo::Descarrega() {
  if (!Buffer_.isEmpty() && Arquivo_.write(Buffer_) != Buffer_.size())
    throw ETorveda(QStringLiteral("Erro ao gravar o arquivo %1: %2.")
                       .arg(QFileInfo(Arquivo_.fileName()).fileName(), Arquivo_.errorString()));
  Buffer_.clear();
}

void TSaidaArquivo::Conclui() {
  Descarrega();
  if (!Arquivo_.commit())
    throw ETorveda(QStringLiteral("Erro ao gravar o arquivo %1: %2.")
                       .arg(QFileInfo(Arquivo_.fileName()).fileName(), Arquivo_.errorString()));
}
