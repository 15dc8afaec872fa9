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

GDALDatasetH TLivroPlanilha::TDados::DatasetXlsx(const QString& arquivo) {
  if (Dataset) return Dataset.get();
  gdal_dados::Registra();
  gdal_dados::TOpcoesPlanilha opcoes;
  gdal_dados::TSilencio silencio;
  const char* const drivers[] = {"XLSX", nullptr};
  gdal_dados::TDataset ds(GDALOpenEx(arquivo.toUtf8().constData(),
                                     GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr));
  if (!ds) {
    const QString detalhe = gdal_dados::TSilencio::UltimoErro();
    throw ETorveda(QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel%2")
                       .arg(arquivo, detalhe.isEmpty() ? QStringLiteral(".")
                                                       : QStringLiteral(": ") + detalhe));
  }
  Dataset = std::move(ds);
  return Dataset.get();
}

void TLivroPlanilha::Fecha() {
  D_->Dataset.reset();
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
