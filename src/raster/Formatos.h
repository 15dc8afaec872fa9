#pragma once
// Small pieces shared by the grid readers and writers.

#include <QFileInfo>
#include <QString>
#include <bit>
#include <cstring>
#include <utility>

namespace Formatos {

inline QString SemPasta(const QString& arquivo) { return QFileInfo(arquivo).fileName(); }

// The file of the same name with its last three characters replaced by `extensao` (lower case):
// the pair of X.hdr is X.flt. The new extension follows the case of the old one; when reading,
// a file that exists only in the other case is taken instead.
QString Irmao(const QString& arquivo, const QString& extensao);

// Little-endian values at a byte address, whatever the host's order.
template <typename T>
T Le(const unsigned char* p) {
  unsigned char b[sizeof(T)];
  std::memcpy(b, p, sizeof(T));
  if constexpr (std::endian::native == std::endian::big && sizeof(T) > 1) {
    for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(b[i], b[sizeof(T) - 1 - i]);
  }
  T valor;
  std::memcpy(&valor, b, sizeof(T));
  return valor;
}

template <typename T>
void Poe(unsigned char* p, T valor) {
  std::memcpy(p, &valor, sizeof(T));
  if constexpr (std::endian::native == std::endian::big && sizeof(T) > 1) {
    for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(p[i], p[sizeof(T) - 1 - i]);
  }
}

}  // namespace Formatos
