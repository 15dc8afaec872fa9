#include "data/GravaPlanilha.h"

#include <ogr_api.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QUuid>
#include <cstdio>

#include "base/Erro.h"
#include "data/Gdal.h"

namespace {

OGRFieldType TipoDaColuna(const TTabelaExportada& t, int coluna) {
  for (const auto& linha : t.Linhas) {
    if (coluna >= static_cast<int>(linha.size())) continue;
    const QVariant& v = linha[static_cast<std::size_t>(coluna)];
    if (!v.isValid()) continue;
    switch (v.typeId()) {
      case QMetaType::Double:
      case QMetaType::Float:
        return OFTReal;
      case QMetaType::Int:
      case QMetaType::LongLong:
      case QMetaType::UInt:
        return OFTInteger64;
      default:
        return OFTString;
    }
  }
  return OFTString;
}

QString ErroGdal(const QString& arquivo) {
  const char* msg = CPLGetLastErrorMsg();
  return QStringLiteral("Não foi possível gravar %1%2")
      .arg(QDir::toNativeSeparators(arquivo),
           msg && *msg ? QStringLiteral(": ") + QString::fromUtf8(msg) : QStringLiteral("."));
}

// Removes the temporary file however the writing ends, unless it was moved into place.
class TTemporario {
 public:
  explicit TTemporario(QString caminho) : Caminho_(std::move(caminho)) {}
  ~TTemporario() {
    if (!Movido_) QFile::remove(Caminho_);
  }
  TTemporario(const TTemporario&) = delete;
  TTemporario& operator=(const TTemporario&) = delete;
  const QString& Caminho() const { return Caminho_; }
  void Movido() { Movido_ = true; }

 private:
  QString Caminho_;
  bool Movido_ = false;
};

}  // namespace

void GravaPlanilhaXlsx(const QString& arquivo, const std::vector<TTabelaExportada>& tabelas) {
  gdal_dados::Registra();
  GDALDriverH driver = GDALGetDriverByName("XLSX");
  if (!driver) throw ETorveda(QStringLiteral("Este sistema não grava planilhas .xlsx."));
  const QFileInfo destino(arquivo);
  TTemporario temp(destino.absolutePath() + QStringLiteral("/.") + destino.completeBaseName() +
                   QLatin1Char('-') + QUuid::createUuid().toString(QUuid::Id128) +
                   QStringLiteral(".xlsx"));
  {
    CPLErrorReset();
    gdal_dados::TDataset ds(
        GDALCreate(driver, temp.Caminho().toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) throw ETorveda(ErroGdal(arquivo));
    for (const TTabelaExportada& t : tabelas) {
      OGRLayerH camada = GDALDatasetCreateLayer(ds.get(), t.Nome.left(31).toUtf8().constData(),
                                                nullptr, wkbNone, nullptr);
      if (!camada) throw ETorveda(ErroGdal(arquivo));
      for (int c = 0; c < t.Cabecalhos.size(); ++c) {
        OGRFieldDefnH campo =
            OGR_Fld_Create(t.Cabecalhos[c].toUtf8().constData(), TipoDaColuna(t, c));
        const OGRErr e = OGR_L_CreateField(camada, campo, TRUE);
        OGR_Fld_Destroy(campo);
        if (e != OGRERR_NONE) throw ETorveda(ErroGdal(arquivo));
      }
      OGRFeatureDefnH defn = OGR_L_GetLayerDefn(camada);
      for (const auto& linha : t.Linhas) {
        OGRFeatureH f = OGR_F_Create(defn);
        for (int c = 0; c < static_cast<int>(linha.size()) && c < t.Cabecalhos.size(); ++c) {
          const QVariant& v = linha[static_cast<std::size_t>(c)];
          if (!v.isValid()) continue;
          switch (OGR_Fld_GetType(OGR_FD_GetFieldDefn(defn, c))) {
            case OFTReal:
              OGR_F_SetFieldDouble(f, c, v.toDouble());
              break;
            case OFTInteger64:
              OGR_F_SetFieldInteger64(f, c, v.toLongLong());
              break;
            default:
              OGR_F_SetFieldString(f, c, v.toString().toUtf8().constData());
          }
        }
        const OGRErr e = OGR_L_CreateFeature(camada, f);
        OGR_F_Destroy(f);
        if (e != OGRERR_NONE) throw ETorveda(ErroGdal(arquivo));
      }
    }
    // Closing writes the workbook; an error then is an error of the writing.
    GDALClose(ds.release());
    if (CPLGetLastErrorType() >= CE_Failure) throw ETorveda(ErroGdal(arquivo));
  }
  // rename() replaces the old file in one step.
  if (std::rename(QFile::encodeName(temp.Caminho()).constData(),
                  QFile::encodeName(destino.absoluteFilePath()).constData()) != 0)
    throw ETorveda(
        QStringLiteral("Não foi possível gravar %1.").arg(QDir::toNativeSeparators(arquivo)));
  temp.Movido();
}

namespace {

QString CampoCsv(const QVariant& v, const QLocale& local) {
  if (!v.isValid()) return {};
  switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
      return local.toString(v.toDouble(), 'g', 15);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
      return QString::number(v.toLongLong());
    default:
      break;
  }
  QString t = v.toString();
  if (t.contains(QLatin1Char(';')) || t.contains(QLatin1Char('"')) ||
      t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r'))) {
    t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    t = QLatin1Char('"') + t + QLatin1Char('"');
  }
  return t;
}

}  // namespace

void GravaCsv(const QString& arquivo, const TTabelaExportada& tabela) {
  QLocale local;
  local.setNumberOptions(QLocale::OmitGroupSeparator);
  QSaveFile f(arquivo);
  if (!f.open(QIODevice::WriteOnly))
    throw ETorveda(QStringLiteral("Não foi possível gravar %1: %2")
                       .arg(QDir::toNativeSeparators(arquivo), f.errorString()));
  QStringList cab;
  for (const QString& c : tabela.Cabecalhos) cab << CampoCsv(c, local);
  QByteArray texto = cab.join(QLatin1Char(';')).toUtf8() + "\r\n";
  for (const auto& linha : tabela.Linhas) {
    QStringList campos;
    for (const QVariant& v : linha) campos << CampoCsv(v, local);
    texto += campos.join(QLatin1Char(';')).toUtf8() + "\r\n";
  }
  if (f.write(texto) != texto.size() || !f.commit())
    throw ETorveda(QStringLiteral("Não foi possível gravar %1: %2")
                       .arg(QDir::toNativeSeparators(arquivo), f.errorString()));
}
