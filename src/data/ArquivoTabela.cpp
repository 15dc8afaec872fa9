#include "data/ArquivoTabela.h"

#include <cpl_error.h>
#include <ogr_api.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <cstdio>

#include "base/Erro.h"
#include "data/Gdal.h"

TFormatoTabela FormatoDoArquivo(const QString& arquivo) {
  const QString ext = QFileInfo(arquivo).suffix().toLower();
  if (ext == QStringLiteral("csv")) return TFormatoTabela::Csv;
  if (ext == QStringLiteral("xlsx")) return TFormatoTabela::Xlsx;
  if (ext == QStringLiteral("json")) return TFormatoTabela::Json;
  throw ETorveda(QStringLiteral("O arquivo %1 não é .csv, .xlsx nem .json.").arg(arquivo));
}

QStringList CamposCsv(const QString& linha, QChar sep) {
  QStringList campos;
  QString campo;
  bool entreAspas = false;
  for (qsizetype i = 0; i < linha.size(); ++i) {
    const QChar c = linha.at(i);
    if (entreAspas) {
      if (c == QLatin1Char('"')) {
        if (i + 1 < linha.size() && linha.at(i + 1) == QLatin1Char('"')) {
          campo += c;
          ++i;
        } else {
          entreAspas = false;
        }
      } else {
        campo += c;
      }
    } else if (c == QLatin1Char('"')) {
      entreAspas = true;
    } else if (c == sep) {
      campos << campo.trimmed();
      campo.clear();
    } else {
      campo += c;
    }
  }
  campos << campo.trimmed();
  return campos;
}

namespace {

// A number as a cell shows it under the regional settings, without thousands separators (a
// coordinate of 323648 m must not read as 323,648).
QString Numero(double v) {
  QLocale local;
  local.setNumberOptions(QLocale::OmitGroupSeparator);
  return local.toString(v, 'g', 15);
}

bool LinhaEmBranco(const QStringList& l) {
  for (const QString& c : l)
    if (!c.trimmed().isEmpty()) return false;
  return true;
}

// Records of a CSV text: lines joined while a quoted field is still open. A quote still open at
// the end would have swallowed every line after it into one field: the file is refused, naming
// the line where that quote opened.
std::vector<QString> RegistrosCsv(const QString& texto, const QString& arquivo) {
  std::vector<QString> registros;
  QString atual;
  bool aberto = false;
  qsizetype numero = 0, abertura = 0;
  for (const QString& linha : texto.split(QLatin1Char('\n'))) {
    ++numero;
    QString l = linha;
    if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
    if (aberto)
      atual += QLatin1Char('\n') + l;
    else
      atual = l;
    // A doubled quote inside a field toggles twice: it neither opens nor closes.
    for (const QChar c : l) {
      if (c != QLatin1Char('"')) continue;
      aberto = !aberto;
      if (aberto) abertura = numero;
    }
    if (!aberto) registros.push_back(atual);
  }
  if (aberto)
    throw ETorveda(QStringLiteral("O arquivo %1 tem aspas sem fechamento: o campo aberto por "
                                  "aspas na linha %2 não termina.")
                       .arg(arquivo)
                       .arg(abertura));
  return registros;
}

// ";" when the heading row has one outside quotes, else ",".
QChar SeparadorCsv(const QString& cabecalho) {
  bool entreAspas = false;
  int pontoVirgula = 0, virgula = 0, tab = 0;
  for (QChar c : cabecalho) {
    if (c == QLatin1Char('"')) entreAspas = !entreAspas;
    if (entreAspas) continue;
    if (c == QLatin1Char(';')) ++pontoVirgula;
    if (c == QLatin1Char(',')) ++virgula;
    if (c == QLatin1Char('\t')) ++tab;
  }
  if (pontoVirgula > 0) return QLatin1Char(';');
  if (tab > 0 && virgula == 0) return QLatin1Char('\t');
  return QLatin1Char(',');
}

TTabelaLida LeCsv(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly))
    throw ETorveda(QStringLiteral("O arquivo %1 não pode ser lido.").arg(arquivo));
  const QByteArray bytes = f.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString texto = utf8(bytes);
  // Older office suites save CSV in their own code page: read Latin-1 when UTF-8 fails.
  if (utf8.hasError()) texto = QString::fromLatin1(bytes);
  if (texto.startsWith(QChar(0xFEFF))) texto.remove(0, 1);

  TTabelaLida t;
  const std::vector<QString> registros = RegistrosCsv(texto, arquivo);
  size_t i = 0;
  while (i < registros.size() && registros[i].trimmed().isEmpty()) ++i;
  if (i == registros.size())
    throw ETorveda(QStringLiteral("O arquivo %1 não tem linha de títulos.").arg(arquivo));
  const QChar sep = SeparadorCsv(registros[i]);
  t.Colunas = CamposCsv(registros[i], sep);
  for (++i; i < registros.size(); ++i) {
    QStringList campos = CamposCsv(registros[i], sep);
    if (LinhaEmBranco(campos)) continue;
    while (campos.size() < t.Colunas.size()) campos << QString();
    t.Linhas.push_back(campos);
  }
  return t;
}

QString TextoDoCampo(OGRFeatureH f, int i, OGRFieldType tipo) {
  if (!OGR_F_IsFieldSetAndNotNull(f, i)) return {};
  switch (tipo) {
    case OFTReal:
      return Numero(OGR_F_GetFieldAsDouble(f, i));
    case OFTDate:
    case OFTDateTime: {
      // A period typed as "05/2024" is turned into a date by the spreadsheet: give it back as
      // the month it names.
      int a = 0, m = 0, d = 0, h = 0, mi = 0, tz = 0;
      float s = 0;
      OGR_F_GetFieldAsDateTimeEx(f, i, &a, &m, &d, &h, &mi, &s, &tz);
      return QDate(a, m, d).toString(QStringLiteral("MM/yyyy"));
    }
    default:
      return QString::fromUtf8(OGR_F_GetFieldAsString(f, i)).trimmed();
  }
}

TTabelaLida LeXlsx(const QString& arquivo) {
  gdal_dados::Registra();
  gdal_dados::TOpcoesPlanilha opcoes;
  gdal_dados::TSilencio silencio;
  const char* const drivers[] = {"XLSX", nullptr};
  gdal_dados::TDataset ds(GDALOpenEx(arquivo.toUtf8().constData(),
                                     GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr));
  if (!ds || GDALDatasetGetLayerCount(ds.get()) < 1)
    throw ETorveda(
        QStringLiteral("Não foi possível abrir o arquivo %1 como planilha.").arg(arquivo));
  OGRLayerH camada = GDALDatasetGetLayer(ds.get(), 0);
  OGRFeatureDefnH defn = OGR_L_GetLayerDefn(camada);
  TTabelaLida t;
  const int n = OGR_FD_GetFieldCount(defn);
  std::vector<OGRFieldType> tipos;
  for (int i = 0; i < n; ++i) {
    OGRFieldDefnH campo = OGR_FD_GetFieldDefn(defn, i);
    t.Colunas << QString::fromUtf8(OGR_Fld_GetNameRef(campo)).trimmed();
    tipos.push_back(OGR_Fld_GetType(campo));
  }
  OGR_L_ResetReading(camada);
  while (OGRFeatureH f = OGR_L_GetNextFeature(camada)) {
    QStringList linha;
    for (int i = 0; i < n; ++i) linha << TextoDoCampo(f, i, tipos[static_cast<size_t>(i)]);
    OGR_F_Destroy(f);
    if (!LinhaEmBranco(linha)) t.Linhas.push_back(linha);
  }
  return t;
}

QString CampoCsv(QString texto) {
  if (texto.contains(QLatin1Char(';')) || texto.contains(QLatin1Char('"')) ||
      texto.contains(QLatin1Char('\n'))) {
    texto.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + texto + QLatin1Char('"');
  }
  return texto;
}

QString TextoCsv(const QVariant& v) {
  if (!v.isValid() || v.isNull()) return {};
  if (v.typeId() == QMetaType::Double) return Numero(v.toDouble());
  return CampoCsv(v.toString());
}

}  // namespace

TTabelaLida LeTabela(const QString& arquivo) {
  if (!QFileInfo(arquivo).isFile())
    throw ETorveda(QStringLiteral("O arquivo %1 não foi encontrado.").arg(arquivo));
  switch (FormatoDoArquivo(arquivo)) {
    case TFormatoTabela::Csv:
      return LeCsv(arquivo);
    case TFormatoTabela::Xlsx:
      return LeXlsx(arquivo);
    case TFormatoTabela::Json:
      break;
  }
  throw ETorveda(QStringLiteral("O arquivo %1 deve ser .csv ou .xlsx.").arg(arquivo));
}

struct TEscritorTabela::TDados {
  TFormatoTabela Formato = TFormatoTabela::Csv;
  QString Arquivo;
  QStringList Colunas;
  // CSV and JSON: written as they come through a save file.
  std::unique_ptr<QSaveFile> Saida;
  qint64 Escritos = 0;  // bytes handed to Saida
  bool Primeira = true;
  // Workbook: built beside the file under a temporary name, renamed into place at the end.
  QString Temporario;
  gdal_dados::TDataset Dataset;
  OGRLayerH Camada = nullptr;
  std::vector<OGRFieldType> Tipos;

  void Grava(const QByteArray& bytes) {
    if (Saida->write(bytes) != bytes.size())
      throw ETorveda(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                         .arg(Arquivo, Saida->errorString()));
    Escritos += bytes.size();
  }

  // A full disk or a file-size limit may cut a write short without any call reporting it: what
  // reached the disk is compared with what was written before the file takes its name.
  void ConfereSaida() {
    if (!Saida->flush() || Saida->size() != Escritos)
      throw ETorveda(QStringLiteral("Não foi possível gravar o arquivo %1: só parte dos %2 bytes "
                                    "chegou ao disco (disco cheio?).")
                         .arg(Arquivo)
                         .arg(Escritos));
  }

  // The same for the workbook, zipped when it closes: a package cut short loses its directory,
  // which is written last, and no longer opens.
  void ConfereTemporario() const {
    gdal_dados::TOpcoesPlanilha opcoes;
    gdal_dados::TSilencio silencio;
    const char* const drivers[] = {"XLSX", nullptr};
    gdal_dados::TDataset lido(GDALOpenEx(Temporario.toUtf8().constData(),
                                         GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr,
                                         nullptr));
    OGRLayerH camada = lido ? GDALDatasetGetLayer(lido.get(), 0) : nullptr;
    if (!camada || OGR_FD_GetFieldCount(OGR_L_GetLayerDefn(camada)) != Colunas.size())
      throw ETorveda(QStringLiteral("Não foi possível gravar o arquivo %1: a planilha gravada "
                                    "não pôde ser lida de volta (disco cheio?).")
                         .arg(Arquivo));
  }
};

TEscritorTabela::TEscritorTabela(const QString& arquivo, const QStringList& colunas,
                                 const QString& folha)
    : D_(std::make_unique<TDados>()) {
  D_->Formato = FormatoDoArquivo(arquivo);
  D_->Arquivo = arquivo;
  D_->Colunas = colunas;
  if (D_->Formato != TFormatoTabela::Xlsx) {
    D_->Saida = std::make_unique<QSaveFile>(arquivo);
    if (!D_->Saida->open(QIODevice::WriteOnly))
      throw ETorveda(QStringLiteral("Não foi possível criar o arquivo %1: %2")
                         .arg(arquivo, D_->Saida->errorString()));
    if (D_->Formato == TFormatoTabela::Csv) {
      QStringList t;
      for (const QString& c : colunas) t << CampoCsv(c);
      D_->Grava(t.join(QLatin1Char(';')).toUtf8() + "\r\n");
    } else {
      D_->Grava("[");
    }
    return;
  }

  gdal_dados::Registra();
  gdal_dados::TSilencio silencio;
  const QFileInfo info(arquivo);
  D_->Temporario = info.absolutePath() + QStringLiteral("/.") + info.completeBaseName() +
                   QStringLiteral(".parcial.xlsx");
  QFile::remove(D_->Temporario);
  GDALDriverH driver = GDALGetDriverByName("XLSX");
  if (driver)
    D_->Dataset.reset(
        GDALCreate(driver, D_->Temporario.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr));
  if (D_->Dataset)
    D_->Camada = GDALDatasetCreateLayer(D_->Dataset.get(), folha.toUtf8().constData(), nullptr,
                                        wkbNone, nullptr);
  if (!D_->Camada)
    throw ETorveda(QStringLiteral("Não foi possível criar o arquivo %1: %2")
                       .arg(arquivo, gdal_dados::TSilencio::UltimoErro()));
}

TEscritorTabela::~TEscritorTabela() {
  if (D_->Saida) D_->Saida->cancelWriting();
  if (D_->Dataset) {
    D_->Dataset.reset();
    QFile::remove(D_->Temporario);
  }
}

void TEscritorTabela::Escreve(const QList<QVariant>& linha) {
  switch (D_->Formato) {
    case TFormatoTabela::Csv: {
      QStringList t;
      for (const QVariant& v : linha) t << TextoCsv(v);
      D_->Grava(t.join(QLatin1Char(';')).toUtf8() + "\r\n");
      return;
    }
    case TFormatoTabela::Json: {
      QJsonObject o;
      for (qsizetype i = 0; i < D_->Colunas.size() && i < linha.size(); ++i)
        o.insert(D_->Colunas[i], QJsonValue::fromVariant(linha[i]));
      D_->Grava((D_->Primeira ? "\n" : ",\n") + QJsonDocument(o).toJson(QJsonDocument::Compact));
      D_->Primeira = false;
      return;
    }
    case TFormatoTabela::Xlsx:
      break;
  }

  gdal_dados::TSilencio silencio;
  // The columns take the type of the first row's cells: numbers stay numbers in the workbook.
  if (D_->Tipos.empty()) {
    for (qsizetype i = 0; i < D_->Colunas.size(); ++i) {
      const QVariant v = i < linha.size() ? linha[i] : QVariant();
      const OGRFieldType tipo = v.typeId() == QMetaType::Double ? OFTReal
                                : v.typeId() == QMetaType::Int  ? OFTInteger
                                                                : OFTString;
      OGRFieldDefnH campo = OGR_Fld_Create(D_->Colunas[i].toUtf8().constData(), tipo);
      OGR_L_CreateField(D_->Camada, campo, TRUE);
      OGR_Fld_Destroy(campo);
      D_->Tipos.push_back(tipo);
    }
  }
  OGRFeatureH f = OGR_F_Create(OGR_L_GetLayerDefn(D_->Camada));
  for (qsizetype i = 0; i < linha.size() && i < static_cast<qsizetype>(D_->Tipos.size()); ++i) {
    const QVariant& v = linha[i];
    if (!v.isValid() || v.isNull()) continue;
    const int c = static_cast<int>(i);
    switch (D_->Tipos[static_cast<size_t>(i)]) {
      case OFTReal:
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int)
          OGR_F_SetFieldDouble(f, c, v.toDouble());
        break;
      case OFTInteger:
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int)
          OGR_F_SetFieldInteger(f, c, v.toInt());
        break;
      default:
        OGR_F_SetFieldString(f, c,
                             (v.typeId() == QMetaType::Double ? Numero(v.toDouble()) : v.toString())
                                 .toUtf8()
                                 .constData());
    }
  }
  const OGRErr erro = OGR_L_CreateFeature(D_->Camada, f);
  OGR_F_Destroy(f);
  if (erro != OGRERR_NONE)
    throw ETorveda(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                       .arg(D_->Arquivo, gdal_dados::TSilencio::UltimoErro()));
}

void TEscritorTabela::Conclui() {
  if (D_->Saida) {
    if (D_->Formato == TFormatoTabela::Json) D_->Grava(D_->Primeira ? "]\n" : "\n]\n");
    D_->ConfereSaida();
    if (!D_->Saida->commit())
      throw ETorveda(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                         .arg(D_->Arquivo, D_->Saida->errorString()));
    D_->Saida.reset();
    return;
  }
  // A workbook with no answers still gets its headings.
  if (D_->Tipos.empty()) {
    for (const QString& c : D_->Colunas) {
      OGRFieldDefnH campo = OGR_Fld_Create(c.toUtf8().constData(), OFTString);
      OGR_L_CreateField(D_->Camada, campo, TRUE);
      OGR_Fld_Destroy(campo);
    }
  }
  QString erroFechamento;
  {
    gdal_dados::TSilencio silencio;
    D_->Dataset.reset();  // the workbook is written when it closes
    // A full disk shows only here: the package is zipped on closing.
    if (CPLGetLastErrorType() >= CE_Failure) erroFechamento = gdal_dados::TSilencio::UltimoErro();
  }
  try {
    if (!erroFechamento.isEmpty())
      throw ETorveda(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                         .arg(D_->Arquivo, erroFechamento));
    D_->ConfereTemporario();
  } catch (const ETorveda&) {
    QFile::remove(D_->Temporario);
    throw;
  }
  // rename() replaces an older file in one step: never a moment without one.
  if (std::rename(QFile::encodeName(D_->Temporario).constData(),
                  QFile::encodeName(D_->Arquivo).constData()) != 0) {
    QFile::remove(D_->Temporario);
    throw ETorveda(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(D_->Arquivo));
  }
}
