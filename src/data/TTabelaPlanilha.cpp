#include "data/TTabelaPlanilha.h"

#include <QLocale>
#include <QTimeZone>
#include <cmath>

#include "base/Erro.h"
#include "base/LeituraNumero.h"
#include "data/Gdal.h"
#include "data/LeitorXlsx.h"
#include "data/TLivroPlanilha.h"
#include "data/TitulosXlsx.h"

namespace {

const QDate DiaZero(1899, 12, 30);

// A number in general format: up to 15 significant digits, no thousands separator, the
// regional decimal separator; a whole number reads as its digits.
QString TextoDeNumero(double v) {
  QLocale local;
  local.setNumberOptions(QLocale::OmitGroupSeparator);
  return local.toString(v, 'g', 15);
}

QString TextoDeData(const QDateTime& dt) {
  const QLocale local;
  QString texto = local.toString(dt.date(), QLocale::ShortFormat);
  if (dt.time() != QTime(0, 0)) texto += QLatin1Char(' ') + dt.time().toString(u"HH:mm:ss");
  return texto;
}

bool NumeroDeTexto(const QString& texto, double* valor) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) {
    *valor = 0.0;
    return true;
  }
  const auto v = LeNumeroDeCelula(t);
  *valor = v.value_or(0.0);
  return v.has_value();
}

bool DataDeTexto(const QString& texto, double* dias) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) {
    *dias = 0.0;
    return true;
  }
  static const char* const formatos[] = {
      "dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "dd/MM/yyyy",          "d/M/yyyy HH:mm:ss",
      "d/M/yyyy HH:mm",      "d/M/yyyy",         "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss",
      "yyyy-MM-dd HH:mm",    "yyyy-MM-dd"};
  for (const char* f : formatos) {
    QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(f));
    if (dt.isValid()) {
      dt.setTimeZone(QTimeZone::utc());
      *dias = TTabelaPlanilha::DiasDeData(dt);
      return true;
    }
  }
  return false;
}

}  // namespace

TTabelaPlanilha::TTabelaPlanilha(QString folha) : Folha_(std::move(folha)) {}

QString TTabelaPlanilha::NomeTabela() const {
  return QLatin1Char('\'') + Folha_ + QStringLiteral("$'");
}

QString TTabelaPlanilha::Descricao() const {
  return Arquivo_.isEmpty() ? NomeTabela() : QStringLiteral("%1 (%2)").arg(NomeTabela(), Arquivo_);
}

void TTabelaPlanilha::Abre(const TLivroPlanilha& livro) {
  Fecha();
  if (!livro.Ativo())
    throw ETorveda(
        QStringLiteral("Não foi possível abrir a tabela %1: a planilha %2 não está aberta.")
            .arg(NomeTabela(), livro.Arquivo()));
  if (livro.D_->Xls) {
    std::vector<TColuna> colunas;
    std::vector<std::vector<QVariant>> linhas;
    livro.D_->Xls->Le(Folha_, colunas, linhas);
    Preenche(livro.Arquivo(), std::move(colunas), std::move(linhas));
    return;
  }
  std::vector<TColuna> colunas;
  std::vector<std::vector<QVariant>> linhas;
  LeXlsx(livro.Arquivo(), Folha_, colunas, linhas);
  Preenche(livro.Arquivo(), std::move(colunas), std::move(linhas));
}

void TTabelaPlanilha::Preenche(const QString& arquivo, std::vector<TColuna> colunas,
                               std::vector<std::vector<QVariant>> linhas) {
  // A row holds its cells up to its last one: the rest read as empty.
  for (auto& l : linhas)
    if (l.size() > colunas.size()) l.resize(colunas.size());
  Arquivo_ = arquivo;
  Colunas_ = std::move(colunas);
  Linhas_ = std::move(linhas);
  Posicao_ = 0;
  Ativa_ = true;
  Carregada_ = true;
}

void TTabelaPlanilha::AbreTitulos(const TLivroPlanilha& livro) {
  Fecha();
  if (!livro.Ativo())
    throw ETorveda(
        QStringLiteral("Não foi possível abrir a tabela %1: a planilha %2 não está aberta.")
            .arg(NomeTabela(), livro.Arquivo()));
  QStringList titulos;
  if (livro.D_->Xls) {
    titulos = livro.D_->Xls->Titulos(Folha_);
  } else {
    titulos = TitulosXlsx(livro.Arquivo(), Folha_);
  }
  std::vector<TColuna> colunas;
  for (const QString& t : titulos) colunas.push_back({t, TTipoColunaPlanilha::Texto});
  Preenche(livro.Arquivo(), std::move(colunas), {});
  Carregada_ = false;
}

void TTabelaPlanilha::LiberaLinhas() {
  std::vector<std::vector<QVariant>>().swap(Linhas_);
  Posicao_ = 0;
  Carregada_ = false;
}

void TTabelaPlanilha::Fecha() {
  Ativa_ = false;
  Carregada_ = false;
  Arquivo_.clear();
  Colunas_.clear();
  Linhas_.clear();
  Posicao_ = 0;
}

void TTabelaPlanilha::Primeiro() { Posicao_ = 0; }

void TTabelaPlanilha::Proximo() {
  if (Posicao_ < NumLinhas()) ++Posicao_;
}

bool TTabelaPlanilha::Fim() const { return !Ativa_ || Posicao_ >= NumLinhas(); }

QStringList TTabelaPlanilha::Colunas() const {
  QStringList titulos;
  for (const auto& c : Colunas_) titulos << c.Titulo;
  return titulos;
}

bool TTabelaPlanilha::TemColuna(const QString& coluna) const {
  for (const auto& c : Colunas_)
    if (c.Titulo == coluna) return true;
  return false;
}

int TTabelaPlanilha::IndiceColuna(const QString& coluna) const {
  if (!Ativa_) throw ETorveda(QStringLiteral("A tabela %1 não está aberta.").arg(NomeTabela()));
  for (size_t i = 0; i < Colunas_.size(); ++i)
    if (Colunas_[i].Titulo == coluna) return static_cast<int>(i);
  throw ETorveda(QStringLiteral("A tabela %1 não tem a coluna \"%2\".").arg(Descricao(), coluna));
}

TTipoColunaPlanilha TTabelaPlanilha::TipoColuna(const QString& coluna) const {
  return Colunas_[static_cast<size_t>(IndiceColuna(coluna))].Tipo;
}

const QVariant& TTabelaPlanilha::Celula(const QString& coluna, int* indice) const {
  const int i = IndiceColuna(coluna);
  if (Posicao_ >= NumLinhas())
    throw ETorveda(QStringLiteral("A tabela %1 não tem linha atual.").arg(Descricao()));
  if (indice) *indice = i;
  static const QVariant vazia;
  const auto& linha = Linhas_[static_cast<size_t>(Posicao_)];
  return static_cast<size_t>(i) < linha.size() ? linha[static_cast<size_t>(i)] : vazia;
}

bool TTabelaPlanilha::Vazio(const QString& coluna) const { return !Celula(coluna).isValid(); }

QVariant TTabelaPlanilha::Valor(const QString& coluna) const { return Celula(coluna); }

QString TTabelaPlanilha::Texto(const QString& coluna) const {
  const QVariant& v = Celula(coluna);
  switch (v.typeId()) {
    case QMetaType::UnknownType:
      return {};
    case QMetaType::Double:
      return TextoDeNumero(v.toDouble());
    case QMetaType::QDateTime:
      return TextoDeData(v.toDateTime());
    default:
      return v.toString();
  }
}

double TTabelaPlanilha::Real(const QString& coluna, bool (*leTexto)(const QString&, double*),
                             const QString& oQueEra) const {
  const QVariant& v = Celula(coluna);
  switch (v.typeId()) {
    case QMetaType::UnknownType:
      return 0.0;
    case QMetaType::Double:
      return v.toDouble();
    case QMetaType::QDateTime:
      return DiasDeData(v.toDateTime());
    default:
      break;
  }
  double valor = 0.0;
  if (!leTexto(v.toString(), &valor))
    throw ETorveda(QStringLiteral("O valor \"%1\" da coluna \"%2\" (linha %3) da tabela %4 não é "
                                  "%5.")
                       .arg(v.toString(), coluna)
                       .arg(Posicao_ + 2)
                       .arg(Descricao(), oQueEra));
  return valor;
}

double TTabelaPlanilha::Numero(const QString& coluna) const {
  return Real(coluna, NumeroDeTexto, QStringLiteral("um número"));
}

double TTabelaPlanilha::Data(const QString& coluna) const {
  return Real(coluna, DataDeTexto, QStringLiteral("uma data"));
}

double TTabelaPlanilha::DiasDeData(const QDateTime& data) {
  if (!data.isValid()) return 0.0;
  const double dias = static_cast<double>(DiaZero.daysTo(data.date()));
  const double fracao = data.time().msecsSinceStartOfDay() / 86400000.0;
  // Before the zero day the fraction counts away from zero, as the day-count convention has it
  // (-1.25 is 29 December 1899, 06:00).
  return dias < 0 ? dias - fracao : dias + fracao;
}

QDateTime TTabelaPlanilha::DataDeDias(double dias) {
  // No calendar date lies millions of years away: such a count is no date (and would not fit the
  // integer the day arithmetic uses).
  if (!std::isfinite(dias) || std::fabs(dias) > 1e8) return {};
  const double inteiro = std::trunc(dias);
  const double fracao = std::fabs(dias - inteiro);
  qint64 ms = std::llround(fracao * 86400000.0);
  qint64 d = static_cast<qint64>(inteiro);
  if (ms >= 86400000) {  // rounding reached the next day
    ms -= 86400000;
    d += dias < 0 ? -1 : 1;
  }
  return QDateTime(DiaZero.addDays(d), QTime(0, 0).addMSecs(static_cast<int>(ms)),
                   QTimeZone::utc());
}
