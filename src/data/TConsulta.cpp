#include "data/TConsulta.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Erro.h"

namespace {

QString SemDoisPontos(const QString& nome) {
  return nome.startsWith(QLatin1Char(':')) ? nome.mid(1) : nome;
}

// The ":name" parameters of a statement, in order of first appearance. Quoted texts are skipped
// so that a colon inside a literal is not taken for a parameter.
QStringList ParametrosDoTexto(const QString& sql) {
  static const QRegularExpression re(
      QStringLiteral(R"('(?:[^']|'')*'|"(?:[^"]|"")*"|:([A-Za-z_][A-Za-z0-9_]*))"));
  QStringList nomes;
  for (auto it = re.globalMatch(sql); it.hasNext();) {
    const auto m = it.next();
    if (m.hasCaptured(1) && !nomes.contains(m.captured(1), Qt::CaseInsensitive))
      nomes << m.captured(1);
  }
  return nomes;
}

}  // namespace

TConsulta::TConsulta(QString nomeConexao, const QString& tabela)
    : NomeConexao_(std::move(nomeConexao)), Sql_(QStringLiteral("SELECT * FROM ") + tabela) {}

void TConsulta::DefineSQL(const QString& sql) {
  Fecha();
  Sql_ = sql;
  Parametros_.clear();
}

void TConsulta::DefineParametro(const QString& nome, std::int32_t valor) {
  const QString n = SemDoisPontos(nome);
  for (auto& p : Parametros_)
    if (p.first.compare(n, Qt::CaseInsensitive) == 0) {
      p.second = valor;
      return;
    }
  Parametros_.emplace_back(n, valor);
}

void TConsulta::Abre() {
  Fecha();
  if (!QSqlDatabase::contains(NomeConexao_) ||
      !QSqlDatabase::database(NomeConexao_, false).isOpen())
    throw ETorveda(ErroConexao_.isEmpty()
                       ? QStringLiteral("O banco de dados não está aberto.")
                       : QStringLiteral("O banco de dados não está aberto: ") + ErroConexao_);
  QSqlDatabase db = QSqlDatabase::database(NomeConexao_, false);

  QSqlQuery q(db);
  q.setForwardOnly(true);
  if (!q.prepare(Sql_))
    throw ETorveda(QStringLiteral("Erro na consulta \"%1\": %2").arg(Sql_, q.lastError().text()));
  for (const QString& nome : ParametrosDoTexto(Sql_)) {
    const auto it = std::find_if(Parametros_.begin(), Parametros_.end(), [&](const auto& p) {
      return p.first.compare(nome, Qt::CaseInsensitive) == 0;
    });
    if (it == Parametros_.end())
      throw ETorveda(QStringLiteral("Erro na consulta \"%1\": o parâmetro %2 não foi definido.")
                         .arg(Sql_, nome));
    q.bindValue(QLatin1Char(':') + nome, QVariant(static_cast<int>(it->second)));
  }
  if (!q.exec())
    throw ETorveda(QStringLiteral("Erro na consulta \"%1\": %2").arg(Sql_, q.lastError().text()));

  std::vector<std::vector<QVariant>> linhas;
  const QSqlRecord colunas = q.record();
  while (q.next()) {
    std::vector<QVariant> linha(static_cast<size_t>(colunas.count()));
    for (int i = 0; i < colunas.count(); ++i) linha[static_cast<size_t>(i)] = q.value(i);
    linhas.push_back(std::move(linha));
  }
  if (q.lastError().isValid())
    throw ETorveda(QStringLiteral("Erro na consulta \"%1\": %2").arg(Sql_, q.lastError().text()));

  Colunas_ = colunas;
  Linhas_ = std::move(linhas);
  Posicao_ = 0;
  Ativa_ = true;
}

void TConsulta::Fecha() {
  Ativa_ = false;
  Colunas_.clear();
  Linhas_.clear();
  Posicao_ = 0;
}

void TConsulta::Primeiro() { Posicao_ = 0; }

void TConsulta::Proximo() {
  if (Posicao_ < NumRegistros()) ++Posicao_;
}

bool TConsulta::Fim() const { return !Ativa_ || Posicao_ >= NumRegistros(); }

int TConsulta::IndiceColuna(const QString& coluna) const {
  if (!Ativa_) throw ETorveda(QStringLiteral("A consulta \"%1\" não está aberta.").arg(Sql_));
  const int i = Colunas_.indexOf(coluna);
  if (i < 0)
    throw ETorveda(QStringLiteral("A consulta \"%1\" não tem a coluna \"%2\".").arg(Sql_, coluna));
  if (Posicao_ >= NumRegistros())
    throw ETorveda(QStringLiteral("A consulta \"%1\" não tem registro atual.").arg(Sql_));
  return i;
}

QVariant TConsulta::Valor(const QString& coluna) const {
  const int i = IndiceColuna(coluna);
  return Linhas_[static_cast<size_t>(Posicao_)][static_cast<size_t>(i)];
}

bool TConsulta::Nulo(const QString& coluna) const { return Valor(coluna).isNull(); }

QString TConsulta::Texto(const QString& coluna) const {
  const QVariant v = Valor(coluna);
  return v.isNull() ? QString() : v.toString();
}

double TConsulta::Numero(const QString& coluna) const {
  const QVariant v = Valor(coluna);
  if (v.isNull()) return 0.0;
  bool ok = false;
  const double d = v.toDouble(&ok);
  if (!ok)
    throw ETorveda(
        QStringLiteral("A coluna \"%1\" da consulta \"%2\" não contém um número: \"%3\".")
            .arg(coluna, Sql_, v.toString()));
  return d;
}

std::int32_t TConsulta::Inteiro(const QString& coluna) const {
  const double d = std::round(Numero(coluna));
  if (!(d >= std::numeric_limits<std::int32_t>::min() &&
        d <= std::numeric_limits<std::int32_t>::max()))
    throw ETorveda(
        QStringLiteral("A coluna \"%1\" da consulta \"%2\" não contém um inteiro de 32 bits.")
            .arg(coluna, Sql_));
  return static_cast<std::int32_t>(d);
}
