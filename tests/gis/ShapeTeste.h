#pragma once
// Shapefiles for the tests, written straight through OGR so that the engine under test reads
// files it did not write itself.

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QVariant>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ShapeTeste {

struct TCampoOgr {
  std::string Nome;
  OGRFieldType Tipo;
  int Largura = 0;
  int Precisao = 0;
};

// One feature: WKT geometry (empty: none) and field values by position (invalid: unset).
struct TFeicaoOgr {
  std::string Wkt;
  std::vector<QVariant> Valores;
};

// Writes `caminho` (.shp) with the features in the order given. EPSG:22523 .prj.
inline void Escreve(const QString& caminho, OGRwkbGeometryType tipo,
                    const std::vector<TCampoOgr>& campos, const std::vector<TFeicaoOgr>& feicoes) {
  GDALAllRegister();
  GDALDriver* drv = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
  GDALDataset* ds =
      drv->Create(QFile::encodeName(caminho).constData(), 0, 0, 0, GDT_Unknown, nullptr);
  if (!ds) throw std::runtime_error("cannot create " + caminho.toStdString());
  OGRSpatialReference srs;
  srs.importFromEPSG(22523);
  char** opcoes = CSLSetNameValue(nullptr, "ENCODING", "UTF-8");
  OGRLayer* l = ds->CreateLayer(QFileInfo(caminho).completeBaseName().toStdString().c_str(), &srs,
                                tipo, opcoes);
  CSLDestroy(opcoes);
  for (const auto& c : campos) {
    OGRFieldDefn f(c.Nome.c_str(), c.Tipo);
    if (c.Largura) f.SetWidth(c.Largura);
    if (c.Precisao) f.SetPrecision(c.Precisao);
    l->CreateField(&f);
  }
  for (const auto& fe : feicoes) {
    OGRFeature* f = OGRFeature::CreateFeature(l->GetLayerDefn());
    if (!fe.Wkt.empty()) {
      OGRGeometry* g = nullptr;
      OGRGeometryFactory::createFromWkt(fe.Wkt.c_str(), nullptr, &g);
      f->SetGeometryDirectly(g);
    }
    for (std::size_t i = 0; i < fe.Valores.size(); ++i) {
      const QVariant& v = fe.Valores[i];
      const int k = static_cast<int>(i);
      if (!v.isValid()) continue;
      switch (v.typeId()) {
        case QMetaType::Int:
          f->SetField(k, v.toInt());
          break;
        case QMetaType::Double:
          f->SetField(k, v.toDouble());
          break;
        case QMetaType::QDate:
          f->SetField(k, v.toDate().year(), v.toDate().month(), v.toDate().day());
          break;
        default:
          f->SetField(k, v.toString().toUtf8().constData());
      }
    }
    const OGRErr erro = l->CreateFeature(f);
    OGRFeature::DestroyFeature(f);
    if (erro != OGRERR_NONE) throw std::runtime_error("cannot write a feature");
  }
  GDALClose(ds);
}

// A number for WKT: always with a point, whatever the regional settings (std::to_string
// follows them once the application has set the locale).
inline std::string N(double v) { return QByteArray::number(v, 'g', 17).toStdString(); }

// A WKT polygon of a square of side `lado` with its lower-left corner at (x, y).
inline std::string Quadrado(double x, double y, double lado) {
  const auto n = N;
  return "POLYGON ((" + n(x) + " " + n(y) + ", " + n(x + lado) + " " + n(y) + ", " + n(x + lado) +
         " " + n(y + lado) + ", " + n(x) + " " + n(y + lado) + ", " + n(x) + " " + n(y) + "))";
}

inline std::string Ponto(double x, double y) { return "POINT (" + N(x) + " " + N(y) + ")"; }

}  // namespace ShapeTeste
