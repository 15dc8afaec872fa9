#include "raster/TArquivoTexto.h"

#include <QFileInfo>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "base/Erro.h"
#include "raster/Formatos.h"
#include "raster/Numeros.h"

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

std::vector<float> TArquivoTexto::LeValores(std::size_t n, const QString& arquivo, int ncols,
                                            int nrows) {
  std::vector<float> valores;
  valores.reserve(std::min<std::size_t>(n, static_cast<std::size_t>(Tamanho()) / 2 + 1));
  const char* inicio = nullptr;
  const char* fim = nullptr;
  while (valores.size() < n && ProximoToken(inicio, fim)) {
    double v = 0;
    if (!Numeros::LeToken(inicio, fim, v) || std::fabs(v) > FLT_MAX)
      throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o valor \"%2\" da célula %3 "
                                    "não é um número.")
                         .arg(Formatos::SemPasta(arquivo),
                              QString::fromLatin1(inicio, std::min<qsizetype>(fim - inicio, 40)))
                         .arg(valores.size()));
    valores.push_back(static_cast<float>(v));
  }
  if (valores.size() < n)
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o arquivo tem %2 valores, mas o "
                                  "cabeçalho indica %3 colunas e %4 linhas (%5 valores).")
                       .arg(Formatos::SemPasta(arquivo))
                       .arg(valores.size())
                       .arg(ncols)
                       .arg(nrows)
                       .arg(n));
  return valores;
}
