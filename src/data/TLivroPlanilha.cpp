#include "data/TLivroPlanilha.h"

#include <QFileInfo>
#include <mutex>

#include "base/Erro.h"
#include "data/Gdal.h"

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

  gdal_dados::Registra();
  gdal_dados::TOpcoesPlanilha opcoes;
  gdal_dados::TSilencio silencio;
  const char* const drivers[] = {"XLS", "XLSX", nullptr};
  gdal_dados::TDataset ds(GDALOpenEx(Arquivo_.toUtf8().constData(),
                                     GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr));
  if (!ds) {
    const QString detalhe = gdal_dados::TSilencio::UltimoErro();
    throw ETorveda(QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel%2")
                       .arg(Arquivo_, detalhe.isEmpty() ? QStringLiteral(".")
                                                        : QStringLiteral(": ") + detalhe));
  }
  D_->Dataset = std::move(ds);
}

void TLivroPlanilha::Fecha() { D_->Dataset.reset(); }

bool TLivroPlanilha::Ativo() const { return static_cast<bool>(D_->Dataset); }

QStringList TLivroPlanilha::Folhas() const {
  QStringList folhas;
  if (!D_->Dataset) return folhas;
  const int n = GDALDatasetGetLayerCount(D_->Dataset.get());
  for (int i = 0; i < n; ++i)
    folhas << QString::fromUtf8(OGR_L_GetName(GDALDatasetGetLayer(D_->Dataset.get(), i)));
  return folhas;
}

QString TLivroPlanilha::ArquivoExistente(const QString& arquivoXls) {
  if (QFileInfo::exists(arquivoXls)) return arquivoXls;
  if (arquivoXls.endsWith(QStringLiteral(".xls"), Qt::CaseInsensitive)) {
    const QString xlsx = arquivoXls + QLatin1Char('x');
    if (QFileInfo::exists(xlsx)) return xlsx;
  }
  return arquivoXls;
}
