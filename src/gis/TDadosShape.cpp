#include "gis/TDadosShape.h"

#include <cpl_conv.h>
#include <cpl_string.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>
#include <string>

#include "base/Erro.h"
#include "gis/ConferenciaShape.h"
#include "gis/interno/DadosShape.h"
#include "gis/interno/Substituicao.h"

namespace {

QString SemExtensao(const QString& caminho) {
  const QFileInfo fi(caminho);
  if (fi.suffix().compare(QStringLiteral("shp"), Qt::CaseInsensitive) == 0)
    return fi.path() + QLatin1Char('/') + fi.completeBaseName();
  return caminho;
}

TCampo CampoDe(const OGRFieldDefn& f) {
  TCampo c;
  c.Nome = QString::fromUtf8(f.GetNameRef());
  c.Largura = f.GetWidth();
  c.Precisao = f.GetPrecision();
  switch (f.GetType()) {
    case OFTInteger:
      c.Tipo = TTipoCampo::Inteiro;
      break;
    case OFTInteger64:
      c.Tipo = TTipoCampo::Inteiro64;
      break;
    case OFTReal:
      c.Tipo = TTipoCampo::Real;
      break;
    case OFTDate:
    case OFTDateTime:
      c.Tipo = TTipoCampo::Data;
      break;
    default:
      c.Tipo = TTipoCampo::Texto;
      break;
  }
  return c;
}

std::unique_ptr<OGRFieldDefn> DefnDe(const TCampo& c) {
  const QByteArray nome = c.Nome.toUtf8();
  OGRFieldType tipo = OFTString;
  int largura = c.Largura;
  int precisao = c.Precisao;
  switch (c.Tipo) {
    case TTipoCampo::Texto:
      if (largura <= 0) largura = 254;
      precisao = 0;
      break;
    case TTipoCampo::Inteiro:
      tipo = OFTInteger;
      if (largura <= 0) largura = 9;
      precisao = 0;
      break;
    case TTipoCampo::Inteiro64:
      tipo = OFTInteger64;
      if (largura <= 0) largura = 18;
      precisao = 0;
      break;
    case TTipoCampo::Real:
      tipo = OFTReal;
      if (largura <= 0) {
        largura = 24;
        precisao = 15;
      }
      break;
    case TTipoCampo::Data:
      tipo = OFTDate;
      largura = 8;
      precisao = 0;
      break;
  }
  auto f = std::make_unique<OGRFieldDefn>(nome.constData(), tipo);
  f->SetWidth(largura);
  f->SetPrecision(precisao);
  return f;
}

OGRwkbGeometryType OgrDe(TTipoGeometria t) {
  switch (t) {
    case TTipoGeometria::Ponto:
      return wkbPoint;
    case TTipoGeometria::Linha:
      return wkbLineString;
    case TTipoGeometria::Poligono:
      return wkbPolygon;
    case TTipoGeometria::Nenhuma:
      break;
  }
  return wkbNone;
}

}  // namespace

// Writes the live records into a new shapefile at `base` (path without extension).
void TDadosShape::TDados::Escreve(const QString& base) const {
  const TDadosShape::TDados& d = *this;
  Ogr::Inicia();
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
  if (!driver) throw ETorveda(QStringLiteral("O GDAL não tem o formato shapefile."));
  const QByteArray shp = QFile::encodeName(base + QStringLiteral(".shp"));
  CPLErrorReset();
  Ogr::TDataset ds(driver->Create(shp.constData(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!ds)
    throw ETorveda(QStringLiteral("Não foi possível criar %1: %2")
                       .arg(QFile::decodeName(shp), Ogr::UltimoErro()));
  Ogr::TSrs srs;
  if (!d.Prj.isEmpty()) {
    srs.reset(new OGRSpatialReference);
    if (srs->importFromWkt(d.Prj.constData()) != OGRERR_NONE) srs.reset();
  }
  CPLStringList opcoes;
  opcoes.SetNameValue("ENCODING", d.Encoding.empty() ? "UTF-8" : d.Encoding.c_str());
  const QByteArray nomeCamada = QFileInfo(base).fileName().toUtf8();
  OGRLayer* camada = ds->CreateLayer(nomeCamada.constData(), srs.get(), d.TipoOgr, opcoes.List());
  if (!camada)
    throw ETorveda(
        QStringLiteral("Não foi possível criar a camada %1: %2").arg(d.Nome, Ogr::UltimoErro()));
  for (int i = 0; i < d.Defn->GetFieldCount(); ++i)
    if (camada->CreateField(d.Defn->GetFieldDefn(i), FALSE) != OGRERR_NONE)
      throw ETorveda(QStringLiteral("Não foi possível criar o campo %1 de %2: %3")
                         .arg(QString::fromUtf8(d.Defn->GetFieldDefn(i)->GetNameRef()), d.Nome,
                              Ogr::UltimoErro()));
  OGRFeatureDefn* defnSaida = camada->GetLayerDefn();
  std::vector<int> mapa(static_cast<std::size_t>(d.Defn->GetFieldCount()));
  for (std::size_t i = 0; i < mapa.size(); ++i) mapa[i] = static_cast<int>(i);
  for (const auto& r : d.Registros) {
    if (!r) continue;
    Ogr::TFeature f(OGRFeature::CreateFeature(defnSaida));
    if (f->SetFrom(r.get(), mapa.data(), TRUE) != OGRERR_NONE ||
        camada->CreateFeature(f.get()) != OGRERR_NONE)
      throw ETorveda(QStringLiteral("Não foi possível gravar um registro de %1: %2")
                         .arg(d.Nome, Ogr::UltimoErro()));
  }
  CPLErrorReset();
  if (camada->SyncToDisk() != OGRERR_NONE)
    throw ETorveda(QStringLiteral("Não foi possível gravar %1: %2").arg(d.Nome, Ogr::UltimoErro()));
  ds.reset();
  if (CPLGetLastErrorType() >= CE_Failure)
    throw ETorveda(QStringLiteral("Não foi possível gravar %1: %2").arg(d.Nome, Ogr::UltimoErro()));
  // The projection file goes back exactly as it was found.
  if (!d.Prj.isEmpty()) {
    QFile prj(base + QStringLiteral(".prj"));
    if (!prj.open(QIODevice::WriteOnly | QIODevice::Truncate) || prj.write(d.Prj) != d.Prj.size())
      throw ETorveda(QStringLiteral("Não foi possível gravar %1").arg(prj.fileName()));
  }
}

void TDadosShape::TDados::IndexaCampos() {
  Indices.clear();
  for (int i = 0; i < Campos.size(); ++i) Indices.insert(Campos[i].Nome.toLower(), i);
}

Ogr::TFeature TDadosShape::TDados::NovoRegistro() const {
  return Ogr::TFeature(OGRFeature::CreateFeature(Defn.get()));
}

void TDadosShape::TDados::Alterou() {
  ++Versao;
  Modificado = true;
  emit Dono->Alterado();
}

std::vector<qint64> TDadosShape::TDados::Chaves() const {
  std::vector<qint64> chaves;
  chaves.reserve(static_cast<std::size_t>(Vivos));
  for (std::size_t i = 0; i < Registros.size(); ++i)
    if (Registros[i]) chaves.push_back(static_cast<qint64>(i));
  return chaves;
}

TDadosShape::TDadosShape(std::unique_ptr<TDados> d) : D_(std::move(d)) { D_->Dono = this; }

TDadosShape::~TDadosShape() {
  // Last chance for changes that no record set wrote (a failure here cannot be reported to
  // anyone who could act on it, so it is only shown).
  if (D_ && D_->Modificado) {
    try {
      Grava();
    } catch (const ETorveda& e) {
      qWarning("%s", qPrintable(e.mensagem()));
    }
  }
}

std::shared_ptr<TDadosShape> TDadosShape::Abre(const QString& caminho, QString* erro) {
  Ogr::Inicia();
  const QString base = SemExtensao(caminho);
  QString shp = base + QStringLiteral(".shp");
  if (!QFileInfo::exists(shp) && QFileInfo::exists(base + QStringLiteral(".SHP")))
    shp = base + QStringLiteral(".SHP");
  auto falha = [&](const QString& texto) -> std::shared_ptr<TDadosShape> {
    if (erro) *erro = texto;
    return nullptr;
  };
  try {
    Substituicao::Recupera(QFileInfo(base).absolutePath(), QFileInfo(base).fileName());
  } catch (const ETorveda& e) {
    return falha(e.mensagem());
  }
  if (!QFileInfo(shp).isFile()) return falha(QStringLiteral("Arquivo não encontrado: %1").arg(shp));
  if (const QString defeito = ConferenciaShape::Confere(shp); !defeito.isEmpty())
    return falha(defeito);

  // Reading the records makes the driver build the layer's coordinate system from the .prj and
  // then search PROJ's database for the matching registered system, some ten milliseconds a
  // layer. Nothing here uses that system (the .prj is kept as text and written back as found),
  // so the search is skipped for the datasets this function opens.
  struct TSemBuscaDeSrs {
    TSemBuscaDeSrs() {
      if (const char* v = CPLGetThreadLocalConfigOption("USE_OSR_FIND_MATCHES", nullptr)) Antes = v;
      CPLSetThreadLocalConfigOption("USE_OSR_FIND_MATCHES", "NO");
    }
    ~TSemBuscaDeSrs() {
      CPLSetThreadLocalConfigOption("USE_OSR_FIND_MATCHES", Antes ? Antes->c_str() : nullptr);
    }
    std::optional<std::string> Antes;
  } semBusca;
  const char* drivers[] = {"ESRI Shapefile", nullptr};
  CPLErrorReset();
  Ogr::TDataset ds(GDALDataset::FromHandle(GDALOpenEx(QFile::encodeName(shp).constData(),
                                                      GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers,
                                                      nullptr, nullptr)));
  if (!ds || ds->GetLayerCount() < 1)
    return falha(QStringLiteral("Não foi possível ler %1: %2")
                     .arg(shp, Ogr::UltimoErro(QStringLiteral("formato desconhecido"))));
  OGRLayer* camada = ds->GetLayer(0);

  auto d = std::make_unique<TDados>();
  d->Nome = QFileInfo(shp).completeBaseName();
  d->Caminho = QFileInfo(shp).absoluteFilePath();
  d->TipoOgr = camada->GetGeomType();
  d->Geometria = Ogr::TipoDe(d->TipoOgr);
  // The layer's own schema, kept alive past the dataset: the records read are kept as they come,
  // never copied field by field into a schema of ours (a third of the reading's cost).
  OGRFeatureDefn* lida = camada->GetLayerDefn();
  lida->Reference();
  d->Defn.reset(lida);
  for (int i = 0; i < d->Defn->GetFieldCount(); ++i)
    d->Campos << CampoDe(*d->Defn->GetFieldDefn(i));
  d->IndexaCampos();
  if (const char* enc = camada->GetMetadataItem("SOURCE_ENCODING", "SHAPEFILE")) d->Encoding = enc;
  QFile prj(QFileInfo(shp).path() + QLatin1Char('/') + QFileInfo(shp).completeBaseName() +
            QStringLiteral(".prj"));
  if (prj.open(QIODevice::ReadOnly)) d->Prj = prj.readAll();

  // The file's own order (feature ids ascending), which every scan keeps.
  camada->ResetReading();
  while (Ogr::TFeature lido{camada->GetNextFeature()}) {
    // A record of ours has no file position: the key is its place in the list.
    lido->SetFID(OGRNullFID);
    d->Registros.push_back(std::move(lido));
  }
  if (CPLGetLastErrorType() >= CE_Failure)
    return falha(QStringLiteral("Não foi possível ler %1: %2").arg(shp, Ogr::UltimoErro()));
  d->Vivos = static_cast<qint64>(d->Registros.size());
  return std::shared_ptr<TDadosShape>(new TDadosShape(std::move(d)));
}

std::shared_ptr<TDadosShape> TDadosShape::Cria(const QString& caminho, TTipoGeometria geometria,
                                               const QList<TCampo>& campos, int epsg) {
  Ogr::Inicia();
  const QString base = SemExtensao(caminho);
  auto d = std::make_unique<TDados>();
  d->Nome = QFileInfo(base).fileName();
  d->Caminho = QFileInfo(base + QStringLiteral(".shp")).absoluteFilePath();
  d->TipoOgr = OgrDe(geometria);
  d->Geometria = geometria;
  d->Encoding = "UTF-8";
  d->Defn.reset(new OGRFeatureDefn(d->Nome.toUtf8().constData()));
  d->Defn->Reference();
  d->Defn->SetGeomType(d->TipoOgr);
  for (const TCampo& c : campos) {
    if (c.Nome.isEmpty() || c.Nome.toUtf8().size() > 10)
      throw ETorveda(QStringLiteral("Nome de campo inválido em %1: \"%2\" (até 10 caracteres)")
                         .arg(d->Nome, c.Nome));
    for (int i = 0; i < d->Defn->GetFieldCount(); ++i)
      if (QString::fromUtf8(d->Defn->GetFieldDefn(i)->GetNameRef())
              .compare(c.Nome, Qt::CaseInsensitive) == 0)
        throw ETorveda(QStringLiteral("Campo repetido em %1: %2").arg(d->Nome, c.Nome));
    const auto f = DefnDe(c);
    d->Defn->AddFieldDefn(f.get());
    d->Campos << CampoDe(*f);
  }
  d->IndexaCampos();
  if (epsg > 0) {
    OGRSpatialReference srs;
    if (srs.importFromEPSG(epsg) != OGRERR_NONE)
      throw ETorveda(QStringLiteral("Sistema de coordenadas desconhecido: EPSG:%1").arg(epsg));
    srs.morphToESRI();
    char* wkt = nullptr;
    srs.exportToWkt(&wkt);
    d->Prj = QByteArray(wkt);
    CPLFree(wkt);
  }
  d->Modificado = true;
  QDir().mkpath(QFileInfo(d->Caminho).absolutePath());
  std::shared_ptr<TDadosShape> dados(new TDadosShape(std::move(d)));
  dados->Grava();
  return dados;
}

const QString& TDadosShape::Nome() const { return D_->Nome; }
const QString& TDadosShape::Caminho() const { return D_->Caminho; }
TTipoGeometria TDadosShape::Geometria() const { return D_->Geometria; }
const QList<TCampo>& TDadosShape::Campos() const { return D_->Campos; }

int TDadosShape::IndiceCampo(const QString& nome) const {
  return D_->Indices.value(nome.toLower(), -1);
}

qint64 TDadosShape::Conta() const { return D_->Vivos; }
quint64 TDadosShape::Versao() const { return D_->Versao; }
bool TDadosShape::Modificado() const { return D_->Modificado; }

void TDadosShape::Grava() {
  if (!D_->Modificado || D_->Rascunho) return;
  const QFileInfo destino(D_->Caminho);
  const QString pasta = destino.absolutePath();
  const QString nome = destino.completeBaseName();
  if (!QFileInfo(pasta).isDir())
    throw ETorveda(QStringLiteral("A pasta de %1 não existe: %2").arg(D_->Nome, pasta));

  // Written whole beside the old files; only a complete, marked set replaces them.
  QTemporaryDir temporaria(pasta + QLatin1Char('/') + Substituicao::Prefixo(nome) +
                           QStringLiteral("XXXXXX"));
  if (!temporaria.isValid())
    throw ETorveda(QStringLiteral("Não foi possível gravar %1 em %2").arg(D_->Nome, pasta));
  D_->Escreve(temporaria.path() + QLatin1Char('/') + nome);
  Substituicao::MarcaCompleta(temporaria.path(), nome);
  // From here on an interrupted move is finished by the next opening, so the folder stays.
  temporaria.setAutoRemove(false);
  Substituicao::Conclui(temporaria.path(), pasta, nome);

  const QDir dir(pasta);
  D_->Caminho = dir.filePath(nome + QStringLiteral(".shp"));
  D_->Modificado = false;
}
