#include "LeitorXlsReferencia.h"

#include <freexl.h>

#include <QFile>
#include <QTime>
#include <QTimeZone>
#include <cstdio>

#include "base/Erro.h"

namespace {

// The column types GDAL's layer gives, before they become ours.
enum class TTipoXls { Nenhum, Inteiro, Real, Texto, Data, DataHora, Hora };

TTipoXls TipoDaCelula(unsigned char tipo) {
  switch (tipo) {
    case FREEXL_CELL_INT:
      return TTipoXls::Inteiro;
    case FREEXL_CELL_DOUBLE:
      return TTipoXls::Real;
    case FREEXL_CELL_DATE:
      return TTipoXls::Data;
    case FREEXL_CELL_DATETIME:
      return TTipoXls::DataHora;
    case FREEXL_CELL_TIME:
      return TTipoXls::Hora;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
      return TTipoXls::Texto;
    default:
      return TTipoXls::Nenhum;
  }
}

bool EhData(TTipoXls t) {
  return t == TTipoXls::Data || t == TTipoXls::DataHora || t == TTipoXls::Hora;
}

TTipoXls Combina(TTipoXls antes, TTipoXls celula) {
  if (celula == TTipoXls::Nenhum || antes == celula) return antes;
  if (antes == TTipoXls::Nenhum) return celula;
  if (EhData(antes) && EhData(celula)) return TTipoXls::DataHora;
  if ((antes == TTipoXls::Inteiro && celula == TTipoXls::Real) ||
      (antes == TTipoXls::Real && celula == TTipoXls::Inteiro))
    return TTipoXls::Real;
  return TTipoXls::Texto;
}

TTipoColunaPlanilha Nosso(TTipoXls t) {
  switch (t) {
    case TTipoXls::Inteiro:
    case TTipoXls::Real:
      return TTipoColunaPlanilha::Numero;
    case TTipoXls::Data:
    case TTipoXls::DataHora:
    case TTipoXls::Hora:
      return TTipoColunaPlanilha::Data;
    default:
      return TTipoColunaPlanilha::Texto;
  }
}

const char* Texto(const FreeXL_CellValue& c) {
  return c.value.text_value ? c.value.text_value : "";
}

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS" (a time alone lies on the zero day).
QVariant DataDoTexto(const char* texto) {
  int a = 1899, m = 12, d = 30, h = 0, mi = 0, s = 0;
  if (std::sscanf(texto, "%d-%d-%d %d:%d:%d", &a, &m, &d, &h, &mi, &s) < 3) {
    a = 1899, m = 12, d = 30;
    if (std::sscanf(texto, "%d:%d:%d", &h, &mi, &s) < 2) return {};
  }
  const QDateTime dt(QDate(a, m, d), QTime(h, mi, s), QTimeZone::utc());
  return dt.isValid() ? QVariant(dt) : QVariant();
}

QVariant Celula(const FreeXL_CellValue& c, TTipoColunaPlanilha coluna) {
  switch (c.type) {
    case FREEXL_CELL_INT:
      if (coluna == TTipoColunaPlanilha::Texto) return QString::number(c.value.int_value);
      return static_cast<double>(c.value.int_value);
    case FREEXL_CELL_DOUBLE:
      // As GDAL writes it, whatever the C library's regional settings: "%.16g" with a point.
      if (coluna == TTipoColunaPlanilha::Texto)
        return QString::number(c.value.double_value, 'g', 16);
      return c.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: {
      const QString t = QString::fromUtf8(Texto(c));
      return t.isEmpty() ? QVariant() : QVariant(t);
    }
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      if (coluna == TTipoColunaPlanilha::Texto) return QString::fromUtf8(Texto(c));
      return DataDoTexto(Texto(c));
    default:
      return {};
  }
}

}  // namespace

TLeitorXlsReferencia::TLeitorXlsReferencia(const QString& arquivo) : Arquivo_(arquivo) {
  const int rc = freexl_open(QFile::encodeName(arquivo).constData(), &Handle_);
  if (rc != FREEXL_OK) {
    freexl_close(Handle_);
    Handle_ = nullptr;
    throw ETorveda(
        QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel (erro %2 do "
                       "leitor de .xls).")
            .arg(arquivo)
            .arg(rc));
  }
  unsigned int nFolhas = 0;
  freexl_get_info(Handle_, FREEXL_BIFF_SHEET_COUNT, &nFolhas);
  for (unsigned int i = 0; i < nFolhas && i < 65535; ++i) {
    const char* nome = nullptr;
    if (freexl_get_worksheet_name(Handle_, static_cast<unsigned short>(i), &nome) == FREEXL_OK)
      Folhas_ << QString::fromUtf8(nome ? nome : "");
    else
      Folhas_ << QString();
  }
}

TLeitorXlsReferencia::~TLeitorXlsReferencia() {
  if (Handle_) freexl_close(Handle_);
}

bool TLeitorXlsReferencia::EhXls(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) return false;
  static const char assinatura[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  return f.read(8) == QByteArray(assinatura, 8);
}

void TLeitorXlsReferencia::Seleciona(const QString& folha, unsigned* linhas,
                                     unsigned short* colunas) {
  const qsizetype i = Folhas_.indexOf(folha);
  if (i < 0)
    throw ETorveda(QStringLiteral("A planilha %1 não tem a folha \"%2\".").arg(Arquivo_, folha));
  *linhas = 0;
  *colunas = 0;
  if (freexl_select_active_worksheet(Handle_, static_cast<unsigned short>(i)) != FREEXL_OK ||
      freexl_worksheet_dimensions(Handle_, linhas, colunas) != FREEXL_OK)
    throw ETorveda(
        QStringLiteral("Erro ao ler a folha \"%1\" da planilha %2.").arg(folha, Arquivo_));
}

QStringList TLeitorXlsReferencia::Titulos(const QString& folha) {
  unsigned linhas = 0;
  unsigned short colunas = 0;
  Seleciona(folha, &linhas, &colunas);
  QStringList titulos;
  if (linhas == 0) return titulos;
  for (unsigned short j = 0; j < colunas; ++j) {
    FreeXL_CellValue c{};
    QString titulo;
    if (freexl_get_cell_value(Handle_, 0, j, &c) == FREEXL_OK &&
        (c.type == FREEXL_CELL_TEXT || c.type == FREEXL_CELL_SST_TEXT))
      titulo = QString::fromUtf8(Texto(c));
    titulos << (titulo.isEmpty() ? QStringLiteral("Field%1").arg(j + 1) : titulo);
  }
  return titulos;
}

void TLeitorXlsReferencia::Le(const QString& folha, std::vector<TTabelaPlanilha::TColuna>& colunas,
                              std::vector<std::vector<QVariant>>& linhas) {
  const QStringList titulos = Titulos(folha);
  unsigned nLinhas = 0;
  unsigned short nColunas = 0;
  Seleciona(folha, &nLinhas, &nColunas);
  const std::size_t nc = static_cast<std::size_t>(titulos.size());

  // The cells once, kept while the column types are found.
  std::vector<FreeXL_CellValue> celulas(nLinhas > 1 ? (nLinhas - 1) * nc : 0);
  std::vector<TTipoXls> tipos(nc, TTipoXls::Nenhum);
  for (unsigned i = 1; i < nLinhas; ++i)
    for (std::size_t j = 0; j < nc; ++j) {
      FreeXL_CellValue& c = celulas[(i - 1) * nc + j];
      if (freexl_get_cell_value(Handle_, i, static_cast<unsigned short>(j), &c) != FREEXL_OK)
        c.type = FREEXL_CELL_NULL;
      tipos[j] = Combina(tipos[j], TipoDaCelula(c.type));
    }

  colunas.clear();
  colunas.reserve(nc);
  for (std::size_t j = 0; j < nc; ++j)
    colunas.push_back({titulos[static_cast<qsizetype>(j)], Nosso(tipos[j])});
  linhas.clear();
  linhas.reserve(nLinhas > 1 ? nLinhas - 1 : 0);
  for (unsigned i = 1; i < nLinhas; ++i) {
    std::vector<QVariant> linha(nc);
    for (std::size_t j = 0; j < nc; ++j)
      linha[j] = Celula(celulas[(i - 1) * nc + j], colunas[j].Tipo);
    linhas.push_back(std::move(linha));
  }
}
