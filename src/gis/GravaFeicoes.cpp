#include "gis/GravaFeicoes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/Erro.h"
#include "gis/interno/Ogr.h"

namespace {

ETorveda Falha(const QString& arquivo, const QString& motivo) {
  return ETorveda(QStringLiteral("Não foi possível gravar o arquivo ") + arquivo +
                  QStringLiteral(": ") + motivo);
}

}  // namespace

struct TGravadorFeicoes::TDados {
  QString Arquivo;
  std::unique_ptr<QTemporaryDir> Temporaria;
  QString Novo;
  Ogr::TDataset Ds;
  OGRLayer* Camada = nullptr;
  std::vector<TCampoSaida> Campos;
};

TGravadorFeicoes::TGravadorFeicoes(const QString& arquivo, const std::vector<TCampoSaida>& campos,
                                   int epsg)
    : D_(std::make_unique<TDados>()) {
  Ogr::Inicia();
  D_->Arquivo = arquivo;
  D_->Campos = campos;
  const QFileInfo info(arquivo);
  if (info.suffix().toLower() != QStringLiteral("gpkg"))
    throw Falha(arquivo, QStringLiteral("use a extensão .gpkg."));
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
  if (!driver) throw Falha(arquivo, QStringLiteral("o GDAL não tem o formato GPKG"));
  const QString pasta = info.absolutePath();
  if (!QDir(pasta).exists()) throw Falha(arquivo, QStringLiteral("a pasta não existe."));
  D_->Temporaria = std::make_unique<QTemporaryDir>(
      pasta + QStringLiteral("/.") + info.completeBaseName() + QStringLiteral("-XXXXXX"));
  if (!D_->Temporaria->isValid()) throw Falha(arquivo, D_->Temporaria->errorString());
  D_->Novo = D_->Temporaria->path() + QLatin1Char('/') + info.fileName();

  D_->Ds.reset(driver->Create(D_->Novo.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!D_->Ds) throw Falha(arquivo, Ogr::UltimoErro());
  OGRSpatialReference srs;
  if (srs.importFromEPSG(epsg) != OGRERR_NONE)
    throw Falha(arquivo, QStringLiteral("sistema de coordenadas EPSG:%1 desconhecido.").arg(epsg));
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  D_->Camada = D_->Ds->CreateLayer(info.completeBaseName().toUtf8().constData(), &srs,
                                   wkbMultiLineString, nullptr);
  if (!D_->Camada) throw Falha(arquivo, Ogr::UltimoErro());
  for (const TCampoSaida& c : campos) {
    const OGRFieldType tipo = c.Tipo == TCampoSaida::TTipo::Inteiro ? OFTInteger
                              : c.Tipo == TCampoSaida::TTipo::Real  ? OFTReal
                                                                    : OFTString;
    OGRFieldDefn campo(c.Nome.toUtf8().constData(), tipo);
    if (D_->Camada->CreateField(&campo) != OGRERR_NONE) throw Falha(arquivo, Ogr::UltimoErro());
  }
  // One transaction for the whole file: a GeoPackage commits every feature otherwise.
  if (D_->Ds->StartTransaction() != OGRERR_NONE) throw Falha(arquivo, Ogr::UltimoErro());
}

TGravadorFeicoes::~TGravadorFeicoes() = default;

void TGravadorFeicoes::Grava(const TForma& linha, const std::vector<QVariant>& valores) {
  Ogr::TFeature f(OGRFeature::CreateFeature(D_->Camada->GetLayerDefn()));
  for (std::size_t i = 0; i < D_->Campos.size() && i < valores.size(); ++i) {
    const QVariant& v = valores[i];
    const int indice = static_cast<int>(i);
    if (!v.isValid() || v.isNull()) {
      f->SetFieldNull(indice);
      continue;
    }
    switch (D_->Campos[i].Tipo) {
      case TCampoSaida::TTipo::Inteiro:
        f->SetField(indice, v.toInt());
        break;
      case TCampoSaida::TTipo::Real:
        f->SetField(indice, v.toDouble());
        break;
      case TCampoSaida::TTipo::Texto:
        f->SetField(indice, v.toString().toUtf8().constData());
        break;
    }
  }
  auto multi = std::make_unique<OGRMultiLineString>();
  for (const auto& parte : linha.Partes) {
    auto l = std::make_unique<OGRLineString>();
    l->setNumPoints(static_cast<int>(parte.size()), FALSE);
    for (std::size_t k = 0; k < parte.size(); ++k)
      l->setPoint(static_cast<int>(k), parte[k].X, parte[k].Y);
    multi->addGeometryDirectly(l.release());
  }
  f->SetGeometryDirectly(multi.release());
  if (D_->Camada->CreateFeature(f.get()) != OGRERR_NONE)
    throw Falha(D_->Arquivo, Ogr::UltimoErro());
}

void TGravadorFeicoes::Conclui() {
  if (D_->Ds->CommitTransaction() != OGRERR_NONE) throw Falha(D_->Arquivo, Ogr::UltimoErro());
  D_->Ds.reset();
  // rename(2) replaces an existing target in one step.
  if (std::rename(QFile::encodeName(D_->Novo).constData(),
                  QFile::encodeName(D_->Arquivo).constData()) != 0)
    throw Falha(D_->Arquivo, QString::fromLocal8Bit(std::strerror(errno)));
}
