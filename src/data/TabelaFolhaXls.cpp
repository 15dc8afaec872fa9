#include "data/TabelaFolhaXls.h"

#include <QDateTime>
#include <QTimeZone>
#include <optional>

#include "data/ColunasOutorgas.h"
#include "data/DatasXls.h"

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

// What a cell holds in a column whose kind its heading tells: a number formatted as a date is
// still the number in a number column, and a number in a date column is the whole day count
// (a time format there must not drop the day).
TTipoCelulaXls Efetivo(TTipoCelulaXls tipo, std::optional<TTipoColunaPlanilha> coluna) {
  if (!coluna) return tipo;
  if (*coluna == TTipoColunaPlanilha::Numero && EhData(tipo)) return TTipoCelulaXls::Real;
  if (*coluna == TTipoColunaPlanilha::Data &&
      (tipo == TTipoCelulaXls::Inteiro || tipo == TTipoCelulaXls::Real ||
       tipo == TTipoCelulaXls::Hora))
    return TTipoCelulaXls::DataHora;
  return tipo;
}

// A date alone is at midnight; a time alone lies on the zero day.
QVariant DataHora(const TDataHoraXls& d, TTipoCelulaXls tipo) {
  const QDate dia = tipo == TTipoCelulaXls::Hora ? QDate(1899, 12, 30) : QDate(d.Ano, d.Mes, d.Dia);
  const QTime hora =
      tipo == TTipoCelulaXls::Data ? QTime(0, 0) : QTime(d.Hora, d.Minuto, d.Segundo);
  const QDateTime dt(dia, hora, QTimeZone::utc());
  return dt.isValid() ? QVariant(dt) : QVariant();
}

QVariant Celula(const TCelulaXls& c, TTipoCelulaXls tipo, const TFolhaXls& folha,
                TTipoColunaPlanilha coluna, bool base1904) {
  switch (tipo) {
    case TTipoCelulaXls::Inteiro:
      if (coluna == TTipoColunaPlanilha::Texto) return QString::number(static_cast<int>(c.Valor));
      return c.Valor;
    case TTipoCelulaXls::Real:
      // As GDAL writes it, whatever the C library's regional settings: "%.16g" with a point.
      if (coluna == TTipoColunaPlanilha::Texto) return QString::number(c.Valor, 'g', 16);
      return c.Valor;
    case TTipoCelulaXls::Texto:
      return c.Texto < folha.Textos.size() ? QVariant(folha.Textos[c.Texto]) : QVariant();
    case TTipoCelulaXls::Data:
    case TTipoCelulaXls::DataHora:
    case TTipoCelulaXls::Hora: {
      const std::optional<TDataHoraXls> d = DataHoraXls(c.Valor, base1904);
      if (!d) return {};
      if (coluna != TTipoColunaPlanilha::Texto) return DataHora(*d, tipo);
      if (tipo == TTipoCelulaXls::Data) return TextoData(*d);
      if (tipo == TTipoCelulaXls::DataHora) return TextoDataHora(*d);
      return TextoHora(*d);
    }
    default:
      return {};
  }
}

}  // namespace

QStringList TitulosDaFolha(const TFolhaXls& folha) {
  QStringList titulos;
  if (folha.Linhas().empty()) return titulos;
  for (unsigned j = 0; j < folha.Colunas; ++j) {
    const TCelulaXls* c = folha.Celula(0, j);
    const QString titulo = c && c->Tipo == TTipoCelulaXls::Texto && c->Texto < folha.Textos.size()
                               ? folha.Textos[c->Texto]
                               : QString();
    titulos << (titulo.isEmpty() ? QStringLiteral("Field%1").arg(j + 1) : titulo);
  }
  return titulos;
}

void TabelaDaFolha(const TFolhaXls& folha, bool base1904, const QString& nomeFolha,
                   std::vector<TTabelaPlanilha::TColuna>& colunas,
                   std::vector<std::vector<QVariant>>& linhas) {
  const QStringList titulos = TitulosDaFolha(folha);
  const std::size_t nc = static_cast<std::size_t>(titulos.size());
  std::vector<std::optional<TTipoColunaPlanilha>> declarado(nc);
  for (std::size_t j = 0; j < nc; ++j)
    declarado[j] = ColunasOutorgas::Tipo(nomeFolha, titulos[static_cast<qsizetype>(j)]);

  // The table is as wide as its heading row (the whole sheet when that row is empty) and ends at
  // the last row with a cell under it.
  std::size_t largura = 0;
  if (const auto cab = folha.Linhas().find(0); cab != folha.Linhas().end())
    for (const auto& [j, c] : cab->second)
      if (c.Tipo != TTipoCelulaXls::Nula) largura = j + 1;
  if (largura == 0) largura = nc;
  unsigned ultima = 0;
  for (const auto& [i, l] : folha.Linhas())
    for (const auto& [j, c] : l)
      if (i > 0 && j < largura && c.Tipo != TTipoCelulaXls::Nula) ultima = i;

  std::vector<TTipoCelulaXls> tipos(nc, TTipoCelulaXls::Nula);
  for (const auto& [i, l] : folha.Linhas()) {
    if (i == 0 || i > ultima) continue;
    for (const auto& [j, c] : l)
      if (j < nc) tipos[j] = Combina(tipos[j], Efetivo(c.Tipo, declarado[j]));
  }

  colunas.clear();
  colunas.reserve(nc);
  for (std::size_t j = 0; j < nc; ++j)
    colunas.push_back({titulos[static_cast<qsizetype>(j)], Nosso(tipos[j])});
  linhas.clear();
  linhas.resize(ultima);
  for (const auto& [i, l] : folha.Linhas()) {
    if (i == 0 || i > ultima) continue;
    std::vector<QVariant>& linha = linhas[i - 1];
    if (!l.empty()) linha.reserve(std::min<std::size_t>(l.back().first + 1, nc));
    for (const auto& [j, c] : l) {
      if (j >= nc || c.Tipo == TTipoCelulaXls::Nula) continue;
      QVariant v = Celula(c, Efetivo(c.Tipo, declarado[j]), folha, colunas[j].Tipo, base1904);
      if (!v.isValid()) continue;
      if (linha.size() <= j) linha.resize(j + 1);
      linha[j] = std::move(v);
    }
  }
}
