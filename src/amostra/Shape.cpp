#include "amostra/Shape.h"

#include <gdal_alg.h>

using namespace gdal_amostra;

TShapeNovo::TShapeNovo(const QString& pasta, const QString& nome, OGRwkbGeometryType tipo,
                       const OGRSpatialReference& srs)
    : Nome_(nome) {
  GDALDriver* driver = Driver("ESRI Shapefile");
  const QByteArray arquivo = (pasta + nome + QStringLiteral(".shp")).toUtf8();
  TSilencio silencio;
  Ds_.reset(driver->Create(arquivo.constData(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!Ds_) throw ETorveda(QStringLiteral("Erro ao criar a camada %1: %2").arg(nome, UltimoErro()));
  char** opcoes = CSLSetNameValue(nullptr, "ENCODING", "UTF-8");
  OGRSpatialReference copia(srs);
  Camada_ = Ds_->CreateLayer(nome.toUtf8().constData(), &copia, tipo, opcoes);
  CSLDestroy(opcoes);
  if (!Camada_)
    throw ETorveda(QStringLiteral("Erro ao criar a camada %1: %2").arg(nome, UltimoErro()));
}

namespace {
void CriaCampo(OGRLayer* camada, const QString& nomeCamada, const char* nome, OGRFieldType tipo,
               int largura, int precisao) {
  OGRFieldDefn def(nome, tipo);
  if (largura > 0) def.SetWidth(largura);
  if (precisao > 0) def.SetPrecision(precisao);
  if (camada->CreateField(&def) != OGRERR_NONE)
    throw ETorveda(QStringLiteral("Erro ao criar o campo %1 da camada %2.")
                       .arg(QString::fromUtf8(nome), nomeCamada));
}
}  // namespace

void TShapeNovo::Inteiro(const char* nome) { CriaCampo(Camada_, Nome_, nome, OFTInteger, 9, 0); }
void TShapeNovo::Real(const char* nome, int largura, int precisao) {
  CriaCampo(Camada_, Nome_, nome, OFTReal, largura, precisao);
}
void TShapeNovo::Texto(const char* nome, int largura) {
  CriaCampo(Camada_, Nome_, nome, OFTString, largura, 0);
}
void TShapeNovo::Data(const char* nome) { CriaCampo(Camada_, Nome_, nome, OFTDate, 0, 0); }

TFeicao TShapeNovo::Nova() const {
  return TFeicao(OGRFeature::CreateFeature(Camada_->GetLayerDefn()));
}

void TShapeNovo::Grava(TFeicao f, OGRGeometry* geometria) {
  if (geometria) f->SetGeometry(geometria);
  if (Camada_->CreateFeature(f.get()) != OGRERR_NONE)
    throw ETorveda(
        QStringLiteral("Erro ao gravar um registro da camada %1: %2").arg(Nome_, UltimoErro()));
}

void TShapeNovo::Fecha() {
  if (!Ds_) return;
  TSilencio silencio;
  Ds_.reset();
  if (CPLGetLastErrorType() >= CE_Failure)
    throw ETorveda(QStringLiteral("Erro ao gravar a camada %1: %2").arg(Nome_, UltimoErro()));
}

void TShapeNovo::Define(OGRFeature& f, const char* campo, const QString& texto) {
  f.SetField(campo, texto.toUtf8().constData());
}

void TShapeNovo::Define(OGRFeature& f, const char* campo, const QDate& data) {
  if (data.isValid()) f.SetField(f.GetFieldIndex(campo), data.year(), data.month(), data.day());
}

std::map<int, std::unique_ptr<OGRGeometry>> Poligoniza(const std::vector<std::int32_t>& valores,
                                                       int nc, int nr, double xll, double yll,
                                                       double tam) {
  TSilencio silencio;
  TDataset raster(Driver("MEM")->Create("", nc, nr, 1, GDT_Int32, nullptr));
  TDataset vetor(Driver("Memory")->Create("", 0, 0, 0, GDT_Unknown, nullptr));
  if (!raster || !vetor)
    throw ETorveda(QStringLiteral("Erro ao preparar os polígonos: %1").arg(UltimoErro()));
  double gt[6] = {xll, tam, 0, yll + nr * tam, 0, -tam};
  raster->SetGeoTransform(gt);
  GDALRasterBand* banda = raster->GetRasterBand(1);
  if (banda->RasterIO(GF_Write, 0, 0, nc, nr, const_cast<std::int32_t*>(valores.data()), nc, nr,
                      GDT_Int32, 0, 0, nullptr) != CE_None)
    throw ETorveda(QStringLiteral("Erro ao preparar os polígonos: %1").arg(UltimoErro()));
  OGRLayer* camada = vetor->CreateLayer("p", nullptr, wkbPolygon, nullptr);
  OGRFieldDefn campo("v", OFTInteger);
  camada->CreateField(&campo);
  // The band is its own mask: cells holding 0 stay out.
  if (GDALPolygonize(banda, banda, OGRLayer::ToHandle(camada), 0, nullptr, nullptr, nullptr) !=
      CE_None)
    throw ETorveda(QStringLiteral("Erro ao gerar os polígonos: %1").arg(UltimoErro()));
  std::map<int, std::vector<std::unique_ptr<OGRGeometry>>> partes;
  camada->ResetReading();
  while (TFeicao f{camada->GetNextFeature()}) {
    partes[f->GetFieldAsInteger(0)].emplace_back(f->StealGeometry());
  }
  std::map<int, std::unique_ptr<OGRGeometry>> saida;
  for (auto& [valor, lista] : partes) {
    if (lista.size() == 1) {
      saida[valor] = std::move(lista.front());
      continue;
    }
    auto multi = std::make_unique<OGRMultiPolygon>();
    for (auto& g : lista) multi->addGeometryDirectly(g.release());
    saida[valor] = std::move(multi);
  }
  return saida;
}
