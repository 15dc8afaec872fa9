#include "data/PaginaDeCodigo.h"

#include <iconv.h>

#include <QByteArray>
#include <cstring>
#include <vector>

namespace {

QByteArray NomeDaPagina(std::uint16_t pagina) {
  switch (pagina) {
    case 367:
      return "ASCII";
    case 1200:
      return "UTF-16LE";
    case 10000:
    case 0x8000:
      return "MACINTOSH";
    default:
      return "CP" + QByteArray::number(pagina);
  }
}

}  // namespace

void TPaginaDeCodigo::TLibera::operator()(void* c) const { iconv_close(static_cast<iconv_t>(c)); }

TPaginaDeCodigo::TPaginaDeCodigo(std::uint16_t pagina) {
  const iconv_t c = iconv_open("UTF-16LE", NomeDaPagina(pagina).constData());
  if (c != reinterpret_cast<iconv_t>(-1)) Conversor_.reset(c);
}

TPaginaDeCodigo::~TPaginaDeCodigo() = default;

QString TPaginaDeCodigo::Texto(const unsigned char* bytes, std::size_t n) const {
  if (!Conversor_ || n == 0) return {};
  const iconv_t c = static_cast<iconv_t>(Conversor_.get());
  iconv(c, nullptr, nullptr, nullptr, nullptr);
  std::vector<char16_t> saida(2 * n + 2);
  char* entrada = const_cast<char*>(reinterpret_cast<const char*>(bytes));
  std::size_t resta = n;
  char* destino = reinterpret_cast<char*>(saida.data());
  std::size_t livre = saida.size() * sizeof(char16_t);
  while (resta > 0) {
    if (iconv(c, &entrada, &resta, &destino, &livre) != static_cast<std::size_t>(-1)) break;
    // A byte the page cannot hold: a replacement character, and on with the next byte.
    if (livre < 2) break;
    const char16_t substituto = u'\uFFFD';
    std::memcpy(destino, &substituto, 2);
    destino += 2;
    livre -= 2;
    ++entrada;
    --resta;
  }
  QString texto(reinterpret_cast<const QChar*>(saida.data()),
                static_cast<qsizetype>((destino - reinterpret_cast<char*>(saida.data())) / 2));
  // Texts were always handed on as C strings: whatever follows a NUL was never seen.
  const qsizetype nulo = texto.indexOf(QChar(u'\0'));
  if (nulo >= 0) texto.truncate(nulo);
  return texto;
}
