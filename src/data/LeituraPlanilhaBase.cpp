// Reading the reference tables from an .xlsx workbook through GDAL's XLSX driver.
#include <ogr_api.h>

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QTime>

#include "base/Erro.h"
#include "data/BaseOrigem.h"
#include "data/Esquema.h"
#include "data/Gdal.h"

namespace {

struct TLiberaFeicao {
  void operator()(OGRFeatureH f) const {
    if (f) OGR_F_Destroy(f);
  }
};
using TFeicao = std::unique_ptr<std::remove_pointer_t<OGRFeatureH>, TLiberaFeicao>;

QVariant Valor(OGRFeatureH f, int i, OGRFieldType tipo) {
  if (!OGR_F_IsFieldSetAndNotNull(f, i)) return {};
  switch (tipo) {
    case OFTInteger:
    case OFTInteger64:
      return QVariant(static_cast<qint64>(OGR_F_GetFieldAsInteger64(f, i)));
    case OFTReal:
      return QVariant(OGR_F_GetFieldAsDouble(f, i));
    case OFTDate:
    case OFTDateTime:
    case OFTTime: {
      int a = 0, m = 0, d = 0, h = 0, min = 0, tz = 0;
      float s = 0;
      OGR_F_GetFieldAsDateTimeEx(f, i, &a, &m, &d, &h, &min, &s, &tz);
      const int ms = static_cast<int>(s * 1000.0f + 0.5f);
      return QVariant(QDateTime(tipo == OFTTime ? QDate(1899, 12, 30) : QDate(a, m, d),
                                QTime(h, min).addMSecs(ms)));
    }
    default:
      return QVariant(QString::fromUtf8(OGR_F_GetFieldAsString(f, i)));
  }
}

TTabelaOrigem LeFolha(OGRLayerH camada, const TTabelaBD& esquema) {
  TTabelaOrigem tabela;
  tabela.Nome = esquema.Nome;
  OGRFeatureDefnH defn = OGR_L_GetLayerDefn(camada);
  const int n = OGR_FD_GetFieldCount(defn);
  OGR_L_ResetReading(camada);
  TFeicao f(OGR_L_GetNextFeature(camada));
  if (n == 0 && !f) {
    // A sheet left blank: the table has no rows, and nothing is missing from it.
    for (const auto& c : esquema.Colunas) tabela.Colunas << c.Nome;
    return tabela;
  }

  QStringList nomes;
  for (int i = 0; i < n; ++i)
    nomes << QString::fromUtf8(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, i)));
  // The driver numbers features by their sheet row. A sheet holding its headings and no rows
  // comes with the headings as the data of row 1 (under made-up names): take them back.
  if (f && OGR_F_GetFID(f.get()) == 1) {
    for (int i = 0; i < n; ++i)
      nomes[i] = OGR_F_IsFieldSetAndNotNull(f.get(), i)
                     ? QString::fromUtf8(OGR_F_GetFieldAsString(f.get(), i))
                     : QString();
    f.reset(OGR_L_GetNextFeature(camada));
  }

  std::vector<int> lidas;
  std::vector<OGRFieldType> tipos;
  for (int i = 0; i < n; ++i) {
    const TColunaBD* c = esquema.Coluna(nomes[i].trimmed());
    if (c && !tabela.Colunas.contains(c->Nome)) {
      tabela.Colunas << c->Nome;
      lidas.push_back(i);
      tipos.push_back(OGR_Fld_GetType(OGR_FD_GetFieldDefn(defn, i)));
    } else if (!nomes[i].isEmpty()) {
      tabela.ColunasIgnoradas << nomes[i];
    }
  }

  for (; f; f.reset(OGR_L_GetNextFeature(camada))) {
    std::vector<QVariant> linha;
    linha.reserve(lidas.size());
    bool vazia = true;
    for (size_t k = 0; k < lidas.size(); ++k) {
      linha.push_back(Valor(f.get(), lidas[k], tipos[k]));
      const QVariant& v = linha.back();
      vazia = vazia && (v.isNull() ||
                        (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty()));
    }
    // A row left blank between others is no record.
    if (vazia) continue;
    tabela.Linhas.push_back(std::move(linha));
    tabela.NumerosLinha.push_back(static_cast<int>(OGR_F_GetFID(f.get())));
  }
  return tabela;
}

}  // namespace

TBaseOrigem LeBasePlanilha(const QString& arquivo) {
  const QString nomeArquivo = QFileInfo(arquivo).fileName();
  if (!QFileInfo(arquivo).isFile())
    throw ETorveda(QStringLiteral("O arquivo %1 não foi encontrado.").arg(arquivo));

  gdal_dados::Registra();
  gdal_dados::TOpcoesPlanilha opcoes;
  gdal_dados::TSilencio silencio;
  const char* const drivers[] = {"XLSX", nullptr};
  gdal_dados::TDataset ds(GDALOpenEx(arquivo.toUtf8().constData(),
                                     GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr));
  if (!ds) {
    const QString detalhe = gdal_dados::TSilencio::UltimoErro();
    throw ETorveda(QStringLiteral("Não foi possível abrir %1 como pasta de trabalho .xlsx%2")
                       .arg(nomeArquivo, detalhe.isEmpty() ? QStringLiteral(".")
                                                           : QStringLiteral(": ") + detalhe));
  }

  TBaseOrigem base;
  base.Arquivo = arquivo;
  const int n = GDALDatasetGetLayerCount(ds.get());
  for (int i = 0; i < n; ++i) {
    OGRLayerH camada = GDALDatasetGetLayer(ds.get(), i);
    const QString nome = QString::fromUtf8(OGR_L_GetName(camada));
    const TTabelaBD* esquema = TabelaBD(nome.trimmed());
    bool repetida = false;
    for (const auto& t : base.Tabelas) repetida = repetida || (esquema && t.Nome == esquema->Nome);
    if (!esquema || repetida) {
      base.TabelasIgnoradas << nome;
      continue;
    }
    base.Tabelas.push_back(LeFolha(camada, *esquema));
  }
  return base;
}
