#pragma once
// The parts of an .xlsx package, read a piece at a time through GDAL's zip reader, and what the
// workbook readers share of them. Private to src/data.

#include <cpl_vsi.h>

#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <memory>

struct TFechaVsi {
  void operator()(VSILFILE* f) const {
    if (f) VSIFCloseL(f);
  }
};
using TArquivoVsi = std::unique_ptr<VSILFILE, TFechaVsi>;

// One member of the package, read a piece at a time.
class TMembro {
 public:
  TMembro(const QString& arquivo, const QString& membro);
  bool Aberto() const { return F_ != nullptr; }
  // Reads up to `n` bytes; 0 at the end.
  qsizetype Le(char* destino, qsizetype n);
  // Feeds the reader the next piece; false at the end.
  bool Alimenta(QXmlStreamReader& xml);

 private:
  TArquivoVsi F_;
};

// Walks the member's elements, feeding more as needed; `visita` returns false to stop. False when
// the part is not well-formed XML (a damaged or truncated member).
template <typename F>
bool Percorre(TMembro& membro, F&& visita) {
  QXmlStreamReader xml;
  bool fim = !membro.Alimenta(xml);
  for (;;) {
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::Invalid) {
      if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !fim) {
        fim = !membro.Alimenta(xml);
        continue;
      }
      return false;
    }
    if (token == QXmlStreamReader::EndDocument) return true;
    if (!visita(xml, token)) return true;
  }
}

// Column index of a reference like "AB1" (0 for "A"); -1 without letters.
int ColunaXlsx(QStringView ref);
// Row index of a reference like "AB12" (11); -1 without digits.
int LinhaXlsx(QStringView ref);

[[noreturn]] void FalhaXlsx(const QString& arquivo, const QString& detalhe);

// The text of one shared-string or inline item (its runs joined, phonetic guides left out), from
// a reader positioned anywhere before it; stops after the end element named `fim`. An item that
// runs past the data fed so far is read on from `membro` when given.
QString TextoDoItem(QXmlStreamReader& xml, QLatin1StringView fim = QLatin1StringView("si"),
                    TMembro* membro = nullptr);

// The package part of the sheet named `folha`. Throws ETorveda naming the file when the package
// cannot be read or has no such sheet.
QString ParteDaFolha(const QString& arquivo, const QString& folha);
