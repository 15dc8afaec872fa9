#include "BaciaLida.h"

#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogrsf_frmts.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QUuid>
#include <stdexcept>

#include "base/Convencoes.h"
#include "amostra/Gdal.h"

using namespace gdal_amostra;

namespace {

std::vector<float> LeFlt(const QString& arquivo, std::size_t n) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("sem " + arquivo.toStdString());
  std::vector<float> v(n);
  const auto bytes = static_cast<qint64>(n * sizeof(float));
  if (f.read(reinterpret_cast<char*>(v.data()), bytes) != bytes || !f.atEnd())
    throw std::runtime_error("tamanho errado: " + arquivo.toStdString());
  return v;
}

TDataset AbreVetor(const QString& arquivo) {
  Registra();
  TDataset ds(GDALDataset::Open(arquivo.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
  if (!ds) throw std::runtime_error("não abre " + arquivo.toStdString());
  return ds;
}

}  // namespace

std::int64_t TBaciaLida::Abaixo(std::int64_t c) const {
  const auto* d = Convencao::DirecaoD8(static_cast<int>(Dir8[c]));
  if (!d) return -1;
  const std::int64_t col = c % NC + d->DColuna, lin = c / NC + d->DLinha;
  if (col < 0 || lin < 0 || col >= NC || lin >= NR) return -1;
  return lin * NC + col;
}

TBaciaLida LeBacia(const QString& dir, const QJsonObject& resumo) {
  TBaciaLida b;
  b.Dir = dir;
  b.Resumo = resumo;
  QFile h(dir + QStringLiteral("Dados/DadosSIG/Matrizes/Header.hdr"));
  if (!h.open(QIODevice::ReadOnly | QIODevice::Text)) throw std::runtime_error("sem Header.hdr");
  QTextStream t(&h);
  std::vector<double> valores;
  while (!t.atEnd()) valores.push_back(t.readLine().mid(14).trimmed().toDouble());
  b.NC = static_cast<int>(valores.at(0));
  b.NR = static_cast<int>(valores.at(1));
  b.Xll = valores.at(2);
  b.Yll = valores.at(3);
  b.Tam = valores.at(4);
  const auto n = static_cast<std::size_t>(b.NC) * b.NR;
  const QString m = dir + QStringLiteral("Dados/DadosSIG/Matrizes/");
  b.Mapeada = LeFlt(m + QStringLiteral("hidro_mapeada.flt"), n);
  b.Rede = LeFlt(m + QStringLiteral("hidro_sem_esp.flt"), n);
  b.Dir8 = LeFlt(m + QStringLiteral("dir_esc.flt"), n);
  b.Fluxo = LeFlt(m + QStringLiteral("fluxo_ac.flt"), n);

  TDataset ds = AbreVetor(dir + QStringLiteral("Dados/DadosSIG/Hidrografia.shp"));
  OGRLayer* camada = ds->GetLayer(0);
  camada->ResetReading();
  while (TFeicao f{camada->GetNextFeature()}) {
    TArcoLido a;
    a.Ho = f->GetFieldAsInteger("Ho_");
    a.Fnode = f->GetFieldAsInteger("Fnode_");
    a.Tnode = f->GetFieldAsInteger("Tnode_");
    a.EqConserv = f->GetFieldAsInteger("Eq_Conserv");
    a.Rio = QString::fromUtf8(f->GetFieldAsString("Textuserid"));
    a.EstFlu = QString::fromUtf8(f->GetFieldAsString("EstFlu"));
    b.Arcos.push_back(a);
  }
  return b;
}

struct TPoligonosLidos::TDados {
  struct TItem {
    std::unique_ptr<OGRGeometry> Geometria;
    OGRPreparedGeometryH Preparada = nullptr;
    OGREnvelope Envelope;
    int Valor = 0;
  };
  std::vector<TItem> Itens;
  ~TDados() {
    for (auto& i : Itens) OGRDestroyPreparedGeometry(i.Preparada);
  }
};

TPoligonosLidos::TPoligonosLidos(const QString& arquivo, const char* campo)
    : D_(std::make_unique<TDados>()) {
  TDataset ds = AbreVetor(arquivo);
  OGRLayer* camada = ds->GetLayer(0);
  camada->ResetReading();
  while (TFeicao f{camada->GetNextFeature()}) {
    TDados::TItem item;
    item.Valor = campo ? f->GetFieldAsInteger(campo) : 1;
    item.Geometria.reset(f->StealGeometry());
    item.Geometria->getEnvelope(&item.Envelope);
    item.Preparada = OGRCreatePreparedGeometry(OGRGeometry::ToHandle(item.Geometria.get()));
    D_->Itens.push_back(std::move(item));
  }
}

TPoligonosLidos::~TPoligonosLidos() = default;

std::vector<int> TPoligonosLidos::Contem(double x, double y) const {
  std::vector<int> r;
  OGRPoint p(x, y);
  for (const auto& i : D_->Itens)
    if (x >= i.Envelope.MinX && x <= i.Envelope.MaxX && y >= i.Envelope.MinY &&
        y <= i.Envelope.MaxY && OGRPreparedGeometryContains(i.Preparada, OGRGeometry::ToHandle(&p)))
      r.push_back(i.Valor);
  return r;
}

std::size_t TPoligonosLidos::Quantos() const { return D_->Itens.size(); }

std::vector<std::map<QString, QVariant>> LeTabela(const QString& arquivo, const QString& tabela) {
  std::vector<std::map<QString, QVariant>> linhas;
  const QString nome = QUuid::createUuid().toString();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    db.setDatabaseName(arquivo);
    if (db.open()) {
      QSqlQuery q(db);
      q.exec(QStringLiteral("SELECT * FROM ") + tabela);
      while (q.next()) {
        std::map<QString, QVariant> linha;
        for (int i = 0; i < q.record().count(); ++i) linha[q.record().fieldName(i)] = q.value(i);
        linhas.push_back(linha);
      }
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(nome);
  return linhas;
}

std::map<QString, TFolhaLida> LePlanilha(const QString& arquivo) {
  CPLSetThreadLocalConfigOption("OGR_XLSX_HEADERS", "FORCE");
  TDataset ds = AbreVetor(arquivo);
  CPLSetThreadLocalConfigOption("OGR_XLSX_HEADERS", nullptr);
  std::map<QString, TFolhaLida> folhas;
  for (int k = 0; k < ds->GetLayerCount(); ++k) {
    OGRLayer* camada = ds->GetLayer(k);
    TFolhaLida& folha = folhas[QString::fromUtf8(camada->GetName())];
    OGRFeatureDefn* def = camada->GetLayerDefn();
    for (int i = 0; i < def->GetFieldCount(); ++i)
      folha.Colunas.push_back(QString::fromUtf8(def->GetFieldDefn(i)->GetNameRef()));
    camada->ResetReading();
    while (TFeicao f{camada->GetNextFeature()}) {
      std::map<QString, QString> linha;
      for (int i = 0; i < def->GetFieldCount(); ++i)
        if (f->IsFieldSetAndNotNull(i))
          linha[folha.Colunas[i]] = QString::fromUtf8(f->GetFieldAsString(i));
      folha.Linhas.push_back(linha);
    }
  }
  return folhas;
}
