#pragma once
// GDAL handles of the workbook reader, each owned once. Private to this folder: no header outside
// src/data includes it.

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal.h>

#include <QByteArray>
#include <QString>
#include <memory>
#include <type_traits>

#include "data/LeitorXls.h"
#include "data/TLivroPlanilha.h"

namespace gdal_dados {

// Registers the drivers once per process.
void Registra();

struct TFechaDataset {
  void operator()(GDALDatasetH ds) const {
    if (ds) GDALClose(ds);
  }
};
using TDataset = std::unique_ptr<std::remove_pointer_t<GDALDatasetH>, TFechaDataset>;

// Sets a configuration option for this thread while in scope, putting the earlier value back.
class TOpcaoLocal {
 public:
  TOpcaoLocal(const char* chave, const char* valor) : Chave_(chave) {
    if (const char* antes = CPLGetThreadLocalConfigOption(chave, nullptr)) {
      Antes_ = antes;
      Tinha_ = true;
    }
    CPLSetThreadLocalConfigOption(chave, valor);
  }
  ~TOpcaoLocal() { CPLSetThreadLocalConfigOption(Chave_, Tinha_ ? Antes_.constData() : nullptr); }
  TOpcaoLocal(const TOpcaoLocal&) = delete;
  TOpcaoLocal& operator=(const TOpcaoLocal&) = delete;

 private:
  const char* Chave_;
  QByteArray Antes_;
  bool Tinha_ = false;
};

// The spreadsheet readers' options: the first row always holds the headings, even when every
// data cell of the sheet is text or the sheet has no data rows.
struct TOpcoesPlanilha {
  TOpcaoLocal Xls{"OGR_XLS_HEADERS", "FORCE"};
  TOpcaoLocal Xlsx{"OGR_XLSX_HEADERS", "FORCE"};
};

// Keeps GDAL's messages off stderr while in scope; the last one is read with UltimoErro().
class TSilencio {
 public:
  TSilencio() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~TSilencio() { CPLPopErrorHandler(); }
  TSilencio(const TSilencio&) = delete;
  TSilencio& operator=(const TSilencio&) = delete;
  static QString UltimoErro() { return QString::fromUtf8(CPLGetLastErrorMsg()); }
};

}  // namespace gdal_dados

// The open workbook behind a TLivroPlanilha.
// .xls files are read by our own reader of their records, .xlsx files by our own walk of their
// package (through GDAL's zip reader); the rows are read when a table asks for them.
struct TLivroPlanilha::TDados {
  std::unique_ptr<TLeitorXls> Xls;
  bool Xlsx = false;
  QStringList FolhasXlsx;
};
