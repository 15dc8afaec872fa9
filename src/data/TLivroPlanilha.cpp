#include "data/TLivroPlanilha.h"

#include <QFileInfo>
#include <mutex>

#include "base/Erro.h"
#include "data/Gdal.h"
#include "data/TitulosXlsx.h"

namespace gdal_dados {
void Registra() {
  static std::once_flag uma;
  std::call_once(uma, [] { GDALAllRegister(); });
}
}  // namespace gdal_dados

TLivroPlanilha::TLivroPlanilha() : D_(std::make_unique<TDados>()) {}

TLivroPlanilha::~TLivroPlanilha() = default;

void TLivroPlanilha::DefineArquivo(const QString& arquivo) {
  Fecha();
  Arquivo_ = arquivo;
}

void TLivroPlanilha::Abre() {
  Fecha();
  if (Arquivo_.isEmpty()) throw ETorveda(QStringLiteral("Nenhum arquivo de planilha definido."));
  const QFileInfo info(Arquivo_);
  if (!info.exists())
    throw ETorveda(QStringLiteral("O arquivo %1 não foi encontrado.").arg(Arquivo_));
  if (!info.isFile() || !info.isReadable())
    throw ETorveda(QStringLiteral("O arquivo %1 não pode ser lido.").arg(Arquivo_));

  if (TLeitorXls::EhXls(Arquivo_)) {
    D_->Xls = std::make_unique<TLeitorXls>(Arquivo_);
    return;
  }
  D_->FolhasXlsx = FolhasXlsx(Arquivo_);
  D_->Xlsx = true;
}

void TLivroPlanilha::Fecha() {
  D_->Xls.reset();
  D_->Xlsx = false;
  D_->FolhasXlsx.clear();
}

bool TLivroPlanilha::Ativo() const { return D_->Xlsx || D_->Xls; }

QStringList TLivroPlanilha::Folhas() const {
  if (D_->Xls) return D_->Xls->Folhas();
  return D_->FolhasXlsx;
}

QString TLivroPlanilha::ArquivoExistente(const QString& arquivoXls) {
  if (QFileInfo::exists(arquivoXls)) return arquivoXls;
  if (arquivoXls.endsWith(QStringLiteral(".xls"), Qt::CaseInsensitive)) {
    const QString xlsx = arquivoXls + QLatin1Char('x');
    if (QFileInfo::exists(xlsx)) return xlsx;
  }
  return arquivoXls;
}
