#include "data/LeitorXls.h"

#include <QFile>
#include <QTime>
#include <QTimeZone>

#include "base/Erro.h"
#include "data/ArquivoComposto.h"
#include "data/DatasXls.h"
#include "data/LivroBiff.h"

namespace {

bool EhData(TTipoCelulaXls t) {
  return t == TTipoCelulaXls::Data || t == TTipoCelulaXls::DataHora || t == TTipoCelulaXls::Hora;
}

TTipoCelulaXls Combina(TTipoCelulaXls antes, TTipoCelulaXls celula) {
  if (celula == TTipoCelulaXls::Nula || antes == celula) return antes;
  if (antes == TTipoCelulaXls::Nula) return celula;
  if (EhData(antes) && EhData(celula)) return TTipoCelulaXls::DataHora;
  if ((antes == TTipoCelulaXls::Inteiro && celula == TTipoCelulaXls::Real) ||
      (antes == TTipoCelulaXls::Real && celula == TTipoCelulaXls::Inteiro))
    return TTipoCelulaXls::Real;
  return TTipoCelulaXls::Texto;
}

TTipoColunaPlanilha Nosso(TTipoCelulaXls t) {
  switch (t) {
    case TTipoCelulaXls::Inteiro:
    case TTipoCelulaXls::Real:
      return TTipoColunaPlanilha::Numero;
    case TTipoCelulaXls::Data:
    case TTipoCelulaXls::DataHora:
    case TTipoCelulaXls::Hora:
      return TTipoColunaPlanilha::Data;
    default:
      return TTipoColunaPlanilha::Texto;
  }
}

// A date alone is at midnight; a time alone lies on the zero day.
QVariant DataHora(const TDataHoraXls& d, TTipoCelulaXls tipo) {
  const QDate dia = tipo == TTipoCelulaXls::Hora ? QDate(1899, 12, 30) : QDate(d.Ano, d.Mes, d.Dia);
  const QTime hora =
      tipo == TTipoCelulaXls::Data ? QTime(0, 0) : QTime(d.Hora, d.Minuto, d.Segundo);
  const QDateTime dt(dia, hora, QTimeZone::utc());
  return dt.isValid() ? QVariant(dt) : QVariant();
}

QVariant Celula(const TCelulaXls& c, const TFolhaXls& folha, TTipoColunaPlanilha coluna,
                bool base1904) {
  switch (c.Tipo) {
    case TTipoCelulaXls::Inteiro:
      if (coluna == TTipoColunaPlanilha::Texto) return QString::number(static_cast<int>(c.Valor));
      return c.Valor;
    case TTipoCelulaXls::Real:
      // As GDAL writes it, whatever the C library's regional settings: "%.16g" with a point.
      if (coluna == TTipoColunaPlanilha::Texto) return QString::number(c.Valor, 'g', 16);
      return c.Valor;
    case TTipoCelulaXls::Texto:
      return folha.Textos[c.Texto];
    case TTipoCelulaXls::Data:
    case TTipoCelulaXls::DataHora:
    case TTipoCelulaXls::Hora: {
      const std::optional<TDataHoraXls> d = DataHoraXls(c.Valor, base1904);
      if (!d) return {};
      if (coluna != TTipoColunaPlanilha::Texto) return DataHora(*d, c.Tipo);
      if (c.Tipo == TTipoCelulaXls::Data) return TextoData(*d);
      if (c.Tipo == TTipoCelulaXls::DataHora) return TextoDataHora(*d);
      return TextoHora(*d);
    }
    default:
      return {};
  }
}

}  // namespace

TLeitorXls::TLeitorXls(const QString& arquivo) : Arquivo_(arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly))
    throw ETorveda(QStringLiteral("O arquivo %1 não pode ser lido.").arg(arquivo));
  TArquivoComposto composto(f.readAll(), arquivo);
  f.close();
  std::optional<QByteArray> fluxo = composto.Fluxo(QStringLiteral("Workbook"));
  if (!fluxo) fluxo = composto.Fluxo(QStringLiteral("Book"));
  if (!fluxo)
    throw ETorveda(QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel: "
                                  "ele não contém uma pasta de trabalho.")
                       .arg(arquivo));
  Livro_ = std::make_unique<TLivroBiff>(std::move(*fluxo), arquivo);
  Folhas_ = Livro_->Folhas();
}

TLeitorXls::~TLeitorXls() = default;

bool TLeitorXls::EhXls(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) return false;
  static const char assinatura[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  return f.read(8) == QByteArray(assinatura, 8);
}

qsizetype TLeitorXls::Indice(const QString& folha) const {
  const qsizetype i = Folhas_.indexOf(folha);
  if (i < 0)
    throw ETorveda(QStringLiteral("A planilha %1 não tem a folha \"%2\".").arg(Arquivo_, folha));
  return i;
}

namespace {

QStringList TitulosDe(const TFolhaXls& folha) {
  QStringList titulos;
  if (folha.Linhas == 0) return titulos;
  for (unsigned j = 0; j < folha.Colunas; ++j) {
    const TCelulaXls* c = folha.Celula(0, j);
    const QString titulo =
        c && c->Tipo == TTipoCelulaXls::Texto ? folha.Textos[c->Texto] : QString();
    titulos << (titulo.isEmpty() ? QStringLiteral("Field%1").arg(j + 1) : titulo);
  }
  return titulos;
}

}  // namespace

QStringList TLeitorXls::Titulos(const QString& folha) {
  return TitulosDe(Livro_->LeFolha(Indice(folha), true));
}

void TLeitorXls::Le(const QString& folha, std::vector<TTabelaPlanilha::TColuna>& colunas,
                    std::vector<std::vector<QVariant>>& linhas) {
  const TFolhaXls f = Livro_->LeFolha(Indice(folha), false);
  const QStringList titulos = TitulosDe(f);
  const std::size_t nc = static_cast<std::size_t>(titulos.size());
  const unsigned nLinhas = f.Linhas;

  std::vector<TTipoCelulaXls> tipos(nc, TTipoCelulaXls::Nula);
  for (unsigned i = 1; i < nLinhas; ++i)
    for (std::size_t j = 0; j < nc; ++j)
      if (const TCelulaXls* c = f.Celula(i, static_cast<unsigned>(j)))
        tipos[j] = Combina(tipos[j], c->Tipo);

  colunas.clear();
  colunas.reserve(nc);
  for (std::size_t j = 0; j < nc; ++j)
    colunas.push_back({titulos[static_cast<qsizetype>(j)], Nosso(tipos[j])});
  linhas.clear();
  linhas.reserve(nLinhas > 1 ? nLinhas - 1 : 0);
  const bool base1904 = Livro_->Base1904();
  for (unsigned i = 1; i < nLinhas; ++i) {
    std::vector<QVariant> linha(nc);
    for (std::size_t j = 0; j < nc; ++j)
      if (const TCelulaXls* c = f.Celula(i, static_cast<unsigned>(j)))
        linha[j] = Celula(*c, f, colunas[j].Tipo, base1904);
    linhas.push_back(std::move(linha));
  }
}
