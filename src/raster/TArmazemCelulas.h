#pragma once
// The cell store of a grid: a growable memory buffer, or a data file mapped read-only and kept
// open (shared for reading) until the store is released.

#include <QFile>
#include <QString>
#include <cstddef>
#include <vector>

class TArmazemCelulas {
 public:
  TArmazemCelulas() = default;
  TArmazemCelulas(const TArmazemCelulas&) = delete;
  TArmazemCelulas& operator=(const TArmazemCelulas&) = delete;

  // Drops the buffer or unmaps and closes the file.
  void Libera();
  // On-disk: maps the whole file read-only. Throws ETorveda when it cannot be opened or mapped.
  void Mapeia(const QString& arquivo);
  // Memory: reads the first `bytes` bytes of the file. Throws ETorveda on failure.
  void Copia(const QString& arquivo, qint64 bytes);
  // Memory: grows the buffer, zero-filled, to at least `bytes`.
  void Garante(std::size_t bytes);

  const unsigned char* Dados() const { return Dados_; }
  unsigned char* DadosGravaveis() { return Mapeado() ? nullptr : Memoria_.data(); }
  std::size_t Tamanho() const { return Tamanho_; }
  bool Mapeado() const { return Arquivo_.isOpen(); }

 private:
  std::vector<unsigned char> Memoria_;
  QFile Arquivo_;
  const unsigned char* Dados_ = nullptr;
  std::size_t Tamanho_ = 0;
};
