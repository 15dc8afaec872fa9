#pragma once
// A file written safely: the bytes go to a temporary file renamed over the target only when
// everything was written, so a failure never leaves half a grid behind.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

class TSaidaArquivo {
 public:
  // Throws ETorveda when the file cannot be created.
  explicit TSaidaArquivo(const QString& arquivo);
  TSaidaArquivo(const TSaidaArquivo&) = delete;
  TSaidaArquivo& operator=(const TSaidaArquivo&) = delete;

  void Escreve(const char* dados, qint64 tamanho);
  void Escreve(const QByteArray& dados) { Escreve(dados.constData(), dados.size()); }
  // A line of 8-bit text ended with CR LF.
  void EscreveLinha(const QString& linha);
  // Writes what is left and puts the file in place. Throws ETorveda on failure.
  void Conclui();

 private:
  void Descarrega();
  QSaveFile Arquivo_;
  QByteArray Buffer_;
};
