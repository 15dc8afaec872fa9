#include "gis/GravaPoligonos.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <filesystem>

#include "base/Erro.h"
#include "gis/interno/Ogr.h"

namespace {

ETorveda Falha(const QString& arquivo, const QString& motivo) {
  return ETorveda(QStringLiteral("Não foi possível gravar o arquivo ") + arquivo +
                  QStringLiteral(": ") + motivo);
}

OGRFieldType TipoCampo(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
      return OFTInteger;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      return OFTInteger64;
    case QMetaType::Double:
    case QMetaType::Float:
      return OFTReal;
    default:
      return OFTString;
  }
}

Ogr::TGeometriaOgr Geometria(const std::vector<TPoligonoSaida>& poligonos) {
  auto multi = std::make_unique<OGRMultiPolygon>();
  for (const TPoligonoSaida& pol : poligonos) {
    auto p = std::make_unique<OGRPolygon>();
    for (const auto& anel : pol) {
      auto r = std::make_unique<OGRLinearRing>();
      r->setNumPoints(static_cast<int>(anel.size()), FALSE);
      for (std::size_t k = 0; k < anel.size(); ++k)
        r->setPoint(static_cast<int>(k), anel[k].X, anel[k].Y);
      r->closeRings();
      p->addRingDirectly(r.release());
    }
    multi->addGeometryDirectly(p.release());
  }
  return Ogr::TGeometriaOgr(multi.release());
}

}  // namespace

void GravaPoligonos(const QString& arquivo, const std::vector<TPoligonoSaida>& poligonos,
                    const std::vector<TAtributoSaida>& atributos, int epsg) {
  Ogr::Inicia();
  const QFileInfo info(arquivo);
  const QString extensao = info.suffix().toLower();
  const char* driverNome = extensao == QStringLiteral("gpkg")  ? "GPKG"
                           : extensao == QStringLiteral("shp") ? "ESRI Shapefile"
                                                               : nullptr;
  if (!driverNome) throw Falha(arquivo, QStringLiteral("use a extensão .gpkg ou .shp."));
  if (poligonos.empty()) throw Falha(arquivo, QStringLiteral("a bacia não tem nenhuma célula."));
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverNome);
  if (!driver) throw Falha(arquivo, QStringLiteral("o GDAL não tem o formato ") + driverNome);

  const QString pasta = info.absolutePath();
  if (!QDir(pasta).exists()) throw Falha(arquivo, QStringLiteral("a pasta não existe."));
  QTemporaryDir temporaria(pasta + QStringLiteral("/.") + info.completeBaseName() +
                           QStringLiteral("-XXXXXX"));
  if (!temporaria.isValid()) throw Falha(arquivo, temporaria.errorString());
  const QString novo = temporaria.path() + QLatin1Char('/') + info.fileName();

  {
    Ogr::TDataset ds(driver->Create(novo.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) throw Falha(arquivo, Ogr::UltimoErro());
    OGRSpatialReference srs;
    if (srs.importFromEPSG(epsg) != OGRERR_NONE)
      throw Falha(arquivo,
                  QStringLiteral("sistema de coordenadas EPSG:%1 desconhecido.").arg(epsg));
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const char* opcoes[] = {"ENCODING=UTF-8", nullptr};
    OGRLayer* camada =
        ds->CreateLayer(info.completeBaseName().toUtf8().constData(), &srs, wkbMultiPolygon,
                        extensao == QStringLiteral("shp") ? const_cast<char**>(opcoes) : nullptr);
    if (!camada) throw Falha(arquivo, Ogr::UltimoErro());
    for (const TAtributoSaida& a : atributos) {
      OGRFieldDefn campo(a.Nome.toUtf8().constData(), TipoCampo(a.Valor));
      if (campo.GetType() == OFTString) campo.SetWidth(254);
      if (camada->CreateField(&campo) != OGRERR_NONE) throw Falha(arquivo, Ogr::UltimoErro());
    }
    Ogr::TFeature f(OGRFeature::CreateFeature(camada->GetLayerDefn()));
    for (const TAtributoSaida& a : atributos) {
      const QByteArray nome = a.Nome.toUtf8();
      switch (TipoCampo(a.Valor)) {
        case OFTInteger:
          f->SetField(nome.constData(), a.Valor.toInt());
          break;
        case OFTInteger64:
          f->SetField(nome.constData(), static_cast<GIntBig>(a.Valor.toLongLong()));
          break;
        case OFTReal:
          f->SetField(nome.constData(), a.Valor.toDouble());
          break;
        default:
          f->SetField(nome.constData(), a.Valor.toString().toUtf8().constData());
      }
    }
    f->SetGeometryDirectly(Geometria(poligonos).release());
    if (camada->CreateFeature(f.get()) != OGRERR_NONE) throw Falha(arquivo, Ogr::UltimoErro());
    ds->FlushCache();
  }

  // A shapefile is several files: each new member replaces its namesake, then members of an
  // older set that the new one lacks (a spatial index) go, so none describes other data.
  namespace fs = std::filesystem;
  const fs::path destino = fs::path(pasta.toStdU16String());
  std::error_code erro;
  QStringList novos;
  for (const auto& membro : fs::directory_iterator(fs::path(temporaria.path().toStdU16String()))) {
    fs::rename(membro.path(), destino / membro.path().filename(), erro);
    if (erro) throw Falha(arquivo, QString::fromStdString(erro.message()));
    novos << QString::fromStdU16String(membro.path().extension().u16string()).toLower();
  }
  if (extensao == QStringLiteral("shp"))
    for (const char* ext : {".shx", ".dbf", ".prj", ".cpg", ".qix", ".sbn", ".sbx"})
      if (!novos.contains(QString::fromLatin1(ext)))
        fs::remove(destino / (info.completeBaseName().toStdU16String() +
                              std::u16string(QString::fromLatin1(ext).toStdU16String())),
                   erro);
}
