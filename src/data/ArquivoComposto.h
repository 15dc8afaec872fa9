#pragma once
// The container of Excel 97-2003 workbooks (and of other office files of that age): a small FAT
// file system inside one file, whose streams are chains of sectors. Read from bytes already in
// memory; every sector index, chain and size is checked against the file, so a damaged or
// truncated file gives an ETorveda naming it, never a read outside the bytes nor an endless walk.
// Private to src/data.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class TArquivoComposto {
 public:
  // Reads the header, the allocation tables and the directory. `arquivo` only names the file in
  // messages. Throws ETorveda when `bytes` is not a sound container.
  TArquivoComposto(QByteArray bytes, QString arquivo);

  // The whole stream of that name at any depth (names compare without case, as the format
  // says), or nothing when there is none.
  std::optional<QByteArray> Fluxo(const QString& nome);

 private:
  struct TEntrada {
    QString Nome;
    std::uint8_t Tipo = 0;
    std::uint32_t Inicio = 0;
    std::uint64_t Tamanho = 0;
  };

  [[noreturn]] void Falha(const QString& motivo) const;
  std::uint32_t Palavra32(qsizetype posicao) const;
  // The sectors of a chain in order, checked for bounds and cycles.
  std::vector<std::uint32_t> Cadeia(std::uint32_t inicio, const std::vector<std::uint32_t>& fat,
                                    const char* oque) const;
  // Concatenates the chain's sectors (the last one may be cut short by the end of the file) and
  // requires at least `tamanho` bytes.
  QByteArray LeCadeia(std::uint32_t inicio, std::uint64_t tamanho, const char* oque) const;
  void LeFat();
  void LeDiretorio();
  void LeMiniFat();

  QByteArray Bytes_;
  QString Arquivo_;
  std::uint32_t Setor_ = 512;
  std::uint32_t Corte_ = 4096;
  std::uint32_t MiniSetor_ = 64;
  std::vector<std::uint32_t> Fat_;
  std::vector<std::uint32_t> MiniFat_;
  std::vector<TEntrada> Entradas_;
  QByteArray MiniFluxo_;
};
