#pragma once
// The byte strings of Excel 5.0/95 workbooks, in the Windows code page the workbook names,
// turned into text through the C library's converters. Private to src/data.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>

class TPaginaDeCodigo {
 public:
  // A page the C library cannot convert leaves the object invalid.
  explicit TPaginaDeCodigo(std::uint16_t pagina);
  ~TPaginaDeCodigo();
  TPaginaDeCodigo(const TPaginaDeCodigo&) = delete;
  TPaginaDeCodigo& operator=(const TPaginaDeCodigo&) = delete;

  bool Valida() const { return Conversor_ != nullptr; }
  // Bytes the page cannot hold become U+FFFD.
  QString Texto(const unsigned char* bytes, std::size_t n) const;

 private:
  struct TLibera {
    void operator()(void* c) const;
  };
  std::unique_ptr<void, TLibera> Conversor_;
};
