#pragma once
// A text file of a grid format, read line by line (header) and then token by token (cells). The
// file is mapped read-only when it can be, so a large text grid is not copied before parsing.
// Characters are 8-bit (Latin-1); lines end in CR LF, LF or CR.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstddef>
#include <vector>

class TArquivoTexto {
 public:
  // Throws ETorveda when the file cannot be opened.
  explicit TArquivoTexto(const QString& arquivo);
  TArquivoTexto(const TArquivoTexto&) = delete;
  TArquivoTexto& operator=(const TArquivoTexto&) = delete;

  // The next line without its end; false at the end of the file.
  bool ProximaLinha(QString& linha);
  // The next run of non-blank characters; false at the end of the file.
  bool ProximoToken(const char*& inicio, const char*& fim);
  qint64 Tamanho() const { return Fim_ - Inicio_; }
  // The next n numbers of a grid of ncols x nrows cells, as singles. A token that is not a
  // number, or fewer values than n, is an error naming the file. The file bounds the buffer
  // (every value takes at least two bytes), whatever the header declares.
  std::vector<float> LeValores(std::size_t n, const QString& arquivo, int ncols, int nrows);

 private:
  QFile Arquivo_;
  QByteArray Copia_;
  const char* Inicio_ = nullptr;
  const char* P_ = nullptr;
  const char* Fim_ = nullptr;
};
