#include "data/MigracaoBase.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>
#include <limits>
#include <optional>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/Esquema.h"
#include "data/Permissoes.h"
#include "data/RegrasReferencia.h"

namespace {

// A database file on a connection of its own, closed and forgotten at the end of the scope.
class TConexaoArquivo {
 public:
  TConexaoArquivo(const QString& arquivo, const QString& opcoes)
      : Nome_(QStringLiteral("migracao-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Nome_);
    db.setConnectOptions(opcoes);
    db.setDatabaseName(arquivo);
    if (!db.open())
      throw ETorveda(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                         .arg(arquivo, db.lastError().text()));
  }
  ~TConexaoArquivo() {
    {
      QSqlDatabase db = QSqlDatabase::database(Nome_, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(Nome_);
  }
  TConexaoArquivo(const TConexaoArquivo&) = delete;
  TConexaoArquivo& operator=(const TConexaoArquivo&) = delete;
  QSqlDatabase Db() const { return QSqlDatabase::database(Nome_, false); }

 private:
  QString Nome_;
};

QString Citacao(const QString& texto) {
  const QString curto = texto.size() > 40 ? texto.left(37) + QStringLiteral("...") : texto;
  return QLatin1Char('"') + curto + QLatin1Char('"');
}

QString Numero(double v) {
  QLocale local;
  local.setNumberOptions(QLocale::OmitGroupSeparator);
  return local.toString(v, 'g', QLocale::FloatingPointShortest);
}

// The value as the column must hold it, or the reason it cannot.
struct TAjuste {
  QVariant Valor;
  QString Erro;
};

TAjuste ParaInteiro(const QVariant& v) {
  constexpr qint64 menor = std::numeric_limits<std::int32_t>::min();
  constexpr qint64 maior = std::numeric_limits<std::int32_t>::max();
  auto faixa = [&](qint64 n) -> TAjuste {
    if (n < menor || n > maior)
      return {{}, QStringLiteral("o número %1 não cabe num inteiro de 32 bits").arg(n)};
    return {QVariant(n), {}};
  };
  auto real = [&](double d) -> TAjuste {
    if (!std::isfinite(d) || d != std::trunc(d))
      return {{}, QStringLiteral("o número %1 não é inteiro").arg(Numero(d))};
    if (d < static_cast<double>(menor) || d > static_cast<double>(maior))
      return {{}, QStringLiteral("o número %1 não cabe num inteiro de 32 bits").arg(Numero(d))};
    return {QVariant(static_cast<qint64>(d)), {}};
  };
  switch (v.typeId()) {
    case QMetaType::LongLong:
      return faixa(v.toLongLong());
    case QMetaType::Double:
      return real(v.toDouble());
    case QMetaType::Bool:
      return {QVariant(static_cast<qint64>(v.toBool() ? -1 : 0)), {}};  // Jet's True is -1
    case QMetaType::QString: {
      const QString t = v.toString().trimmed();
      if (t.isEmpty()) return {};
      bool ok = false;
      const qint64 n = t.toLongLong(&ok);
      if (ok) return faixa(n);
      const double d = t.toDouble(&ok);
      if (ok) return real(d);
      return {{}, QStringLiteral("o texto %1 não é um número inteiro").arg(Citacao(v.toString()))};
    }
    case QMetaType::QDateTime:
      return {{}, QStringLiteral("uma data não é um número inteiro")};
    default:
      return {{}, QStringLiteral("um valor binário não é um número inteiro")};
  }
}

TAjuste ParaReal(const QVariant& v) {
  auto real = [](double d) -> TAjuste {
    if (!std::isfinite(d)) return {{}, QStringLiteral("o valor não é um número finito")};
    return {QVariant(d), {}};
  };
  switch (v.typeId()) {
    case QMetaType::LongLong:
      return {QVariant(static_cast<double>(v.toLongLong())), {}};
    case QMetaType::Double:
      return real(v.toDouble());
    case QMetaType::Bool:
      return {QVariant(v.toBool() ? -1.0 : 0.0), {}};
    case QMetaType::QString: {
      const QString t = v.toString().trimmed();
      if (t.isEmpty()) return {};
      bool ok = false;
      const double d = t.toDouble(&ok);
      if (ok) return real(d);
      return {{}, QStringLiteral("o texto %1 não é um número").arg(Citacao(v.toString()))};
    }
    case QMetaType::QDateTime:
      return {{}, QStringLiteral("uma data não é um número")};
    default:
      return {{}, QStringLiteral("um valor binário não é um número")};
  }
}

TAjuste ParaTexto(const QVariant& v, int tamanho) {
  QString t;
  switch (v.typeId()) {
    case QMetaType::QString:
      t = v.toString();
      break;
    case QMetaType::LongLong:
      t = QString::number(v.toLongLong());
      break;
    case QMetaType::Double:
      t = QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
      break;
    case QMetaType::QDateTime: {
      const QDateTime d = v.toDateTime();
      t = d.time() == QTime(0, 0) ? d.date().toString(Qt::ISODate) : d.toString(Qt::ISODate);
      break;
    }
    case QMetaType::Bool:
      return {{}, QStringLiteral("um valor Sim/Não não é um texto")};
    default:
      return {{}, QStringLiteral("um valor binário não é um texto")};
  }
  // Characters, as the database counts them (a character outside the BMP is one).
  const auto n =
      t.size() - std::count_if(t.cbegin(), t.cend(), [](QChar ch) { return ch.isLowSurrogate(); });
  if (n > tamanho)
    return {{},
            QStringLiteral("o texto %1 tem %2 caracteres, mais que os %3 da coluna")
                .arg(Citacao(t))
                .arg(n)
                .arg(tamanho)};
  return {QVariant(t), {}};
}

TAjuste Ajusta(const QVariant& v, const TColunaBD& c) {
  if (v.isNull()) return {};
  switch (c.Tipo) {
    case TTipoColunaBD::Inteiro:
      return ParaInteiro(v);
    case TTipoColunaBD::Real:
      return ParaReal(v);
    case TTipoColunaBD::Texto:
      return ParaTexto(v, c.Tamanho);
  }
  return {};
}

// A table fitted to the schema: the values in the schema's column order.
struct TTabelaAjustada {
  const TTabelaBD* Esquema = nullptr;
  std::vector<std::vector<QVariant>> Linhas;
  std::vector<int> Numeros;  // the number the user knows each row by
};

QString Local(const TTabelaBD& t, int linha, const QString& coluna) {
  return QStringLiteral("Tabela %1, linha %2, coluna %3: ").arg(t.Nome).arg(linha).arg(coluna);
}

TTabelaAjustada AjustaTabela(const TTabelaOrigem& origem, const TTabelaBD& esquema) {
  // The source position of each schema column (all are present: checked before).
  std::vector<int> posicao;
  for (const auto& c : esquema.Colunas) posicao.push_back(origem.Colunas.indexOf(c.Nome));
  TTabelaAjustada tabela{&esquema, {}, origem.NumerosLinha};
  tabela.Linhas.reserve(origem.Linhas.size());
  QHash<qint64, int> chaves;  // key -> row number that holds it
  for (size_t i = 0; i < origem.Linhas.size(); ++i) {
    const int numero = origem.NumerosLinha[i];
    std::vector<QVariant> linha;
    linha.reserve(esquema.Colunas.size());
    for (size_t k = 0; k < esquema.Colunas.size(); ++k) {
      const TColunaBD& c = esquema.Colunas[k];
      TAjuste a = Ajusta(origem.Linhas[i][static_cast<size_t>(posicao[k])], c);
      if (!a.Erro.isEmpty()) throw ETorveda(Local(esquema, numero, c.Nome) + a.Erro + u'.');
      if (c.Chave) {
        if (a.Valor.isNull())
          throw ETorveda(Local(esquema, numero, c.Nome) + QStringLiteral("a chave está vazia."));
        const qint64 chave = a.Valor.toLongLong();
        const auto anterior = chaves.constFind(chave);
        if (anterior != chaves.constEnd())
          throw ETorveda(
              Local(esquema, numero, c.Nome) +
              QStringLiteral("a chave %1 repete a da linha %2.").arg(chave).arg(*anterior));
        chaves.insert(chave, numero);
      }
      linha.push_back(std::move(a.Valor));
    }
    tabela.Linhas.push_back(std::move(linha));
  }
  return tabela;
}

// Every schema table in the schema's order, fitted; throws on what is missing or refused.
std::vector<TTabelaAjustada> Ajusta(const TBaseOrigem& origem) {
  QStringList faltas;
  std::vector<const TTabelaOrigem*> encontradas;
  for (const auto& t : TabelasBD()) {
    const TTabelaOrigem* achada = nullptr;
    for (const auto& o : origem.Tabelas)
      if (o.Nome == t.Nome) achada = &o;
    encontradas.push_back(achada);
    if (!achada) {
      faltas << QStringLiteral("A tabela %1 não foi encontrada.").arg(t.Nome);
      continue;
    }
    for (const auto& c : t.Colunas)
      if (!achada->Colunas.contains(c.Nome))
        faltas
            << QStringLiteral("A coluna %1 da tabela %2 não foi encontrada.").arg(c.Nome, t.Nome);
  }
  if (!faltas.isEmpty()) throw ETorveda(JuntaLinhas(faltas));

  std::vector<TTabelaAjustada> tabelas;
  for (size_t i = 0; i < TabelasBD().size(); ++i)
    tabelas.push_back(AjustaTabela(*encontradas[i], TabelasBD()[i]));

  // Values of the right type may still give no flow the computations can use.
  std::vector<TValoresTabela> valores;
  for (const auto& t : tabelas) valores.push_back({t.Esquema, &t.Linhas});
  if (const auto falha = ConfereReferencia(valores)) {
    for (const auto& t : tabelas)
      if (t.Esquema->Nome == falha->Tabela)
        throw ETorveda(Local(*t.Esquema, t.Numeros[falha->Linha], falha->Coluna) + falha->Texto +
                       u'.');
  }
  return tabelas;
}

void Insere(QSqlDatabase& db, const TTabelaAjustada& t) {
  QStringList colunas, marcas;
  for (const auto& c : t.Esquema->Colunas) {
    colunas << QLatin1Char('"') + c.Nome + QLatin1Char('"');
    marcas << QStringLiteral("?");
  }
  QSqlQuery q(db);
  if (!q.prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                     .arg(t.Esquema->Nome, colunas.join(u','), marcas.join(u','))))
    throw ETorveda(QStringLiteral("Erro ao gravar a tabela %1: %2")
                       .arg(t.Esquema->Nome, q.lastError().text()));
  for (size_t i = 0; i < t.Linhas.size(); ++i) {
    for (size_t k = 0; k < t.Linhas[i].size(); ++k)
      q.bindValue(static_cast<int>(k), t.Linhas[i][k]);
    if (!q.exec())
      throw ETorveda(QStringLiteral("Erro ao gravar a linha %1 da tabela %2: %3")
                         .arg(i + 1)
                         .arg(t.Esquema->Nome, q.lastError().text()));
  }
}

// Writes the fitted tables into an empty database file.
void Grava(const QString& arquivo, const std::vector<TTabelaAjustada>& tabelas) {
  TConexaoArquivo conexao(arquivo, QString());
  QSqlDatabase db = conexao.Db();
  {
    // No rollback journal: a failed write throws the whole temporary file away anyway.
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
  }
  CriaEsquema(db);
  if (!db.transaction())
    throw ETorveda(QStringLiteral("Erro ao gravar a base de dados: ") + db.lastError().text());
  try {
    for (const auto& t : tabelas) Insere(db, t);
  } catch (...) {
    db.rollback();
    throw;
  }
  if (!db.commit()) {
    const QString erro = db.lastError().text();
    db.rollback();
    throw ETorveda(QStringLiteral("Erro ao gravar a base de dados: ") + erro);
  }
}

ETorveda FalhaImportacao(const QString& origem, const QString& detalhe) {
  return ETorveda(
      QStringLiteral("A base de dados %1 não foi importada.").arg(QFileInfo(origem).fileName()) +
      u'\n' + detalhe);
}

QString Resumo(const TResultadoMigracao& r) {
  QStringList linhas;
  linhas << QStringLiteral("A base de dados %1 foi importada em %2.")
                .arg(QFileInfo(r.Origem).fileName(), QFileInfo(r.Destino).fileName());
  for (const auto& [tabela, n] : r.Linhas)
    linhas << QStringLiteral("%1: %2 %3")
                  .arg(tabela)
                  .arg(n)
                  .arg(n == 1 ? QStringLiteral("linha") : QStringLiteral("linhas"));
  if (!r.ColunasIgnoradas.isEmpty())
    linhas << QStringLiteral("Colunas não importadas: ") +
                  r.ColunasIgnoradas.join(QStringLiteral(", "));
  if (!r.TabelasIgnoradas.isEmpty())
    linhas << QStringLiteral("Tabelas não importadas: ") +
                  r.TabelasIgnoradas.join(QStringLiteral(", "));
  return JuntaLinhas(linhas);
}

}  // namespace

TResultadoMigracao MigraBase(const TBaseOrigem& origem, const QString& destino, bool substituir) {
  auto falha = [&](const QString& detalhe) { return FalhaImportacao(origem.Arquivo, detalhe); };

  const QFileInfo infoDestino(destino);
  if (infoDestino.exists() && !substituir)
    throw falha(QStringLiteral("O arquivo %1 já existe.").arg(destino));
  if (infoDestino.exists() && !infoDestino.isFile())
    throw falha(QStringLiteral("%1 não é um arquivo.").arg(destino));

  std::vector<TTabelaAjustada> tabelas;
  try {
    tabelas = Ajusta(origem);
  } catch (const ETorveda& e) {
    throw falha(e.mensagem());
  }

  // The new database grows in a hidden file beside the destination, so that the rename is
  // atomic and a failure leaves nothing behind (the temporary file removes itself).
  QTemporaryFile temporario(infoDestino.absolutePath() + QStringLiteral("/.") +
                            infoDestino.fileName() + QStringLiteral(".XXXXXX"));
  if (!temporario.open())
    throw falha(QStringLiteral("Não foi possível criar um arquivo em %1: %2")
                    .arg(infoDestino.absolutePath(), temporario.errorString()));
  temporario.close();
  try {
    Grava(temporario.fileName(), tabelas);
  } catch (const ETorveda& e) {
    throw falha(e.mensagem());
  }

  permissoes::DefineComoNoDestino(temporario.fileName(), destino);
  if (substituir) {
    std::error_code erro;
    std::filesystem::rename(QFile::encodeName(temporario.fileName()).constData(),
                            QFile::encodeName(destino).constData(), erro);
    if (erro)
      throw falha(QStringLiteral("Não foi possível gravar %1: %2")
                      .arg(destino, QString::fromLocal8Bit(erro.message())));
  } else if (!QFile::rename(temporario.fileName(), destino)) {
    // QFile::rename never replaces: a file that appeared meanwhile is kept.
    throw falha(QStringLiteral("Não foi possível gravar %1.").arg(destino));
  }
  temporario.setAutoRemove(false);

  TResultadoMigracao r;
  r.Origem = origem.Arquivo;
  r.Destino = destino;
  for (const auto& t : tabelas)
    r.Linhas.emplace_back(t.Esquema->Nome, static_cast<int>(t.Linhas.size()));
  for (const auto& t : origem.Tabelas)
    for (const auto& c : t.ColunasIgnoradas) r.ColunasIgnoradas << t.Nome + u'.' + c;
  r.TabelasIgnoradas = origem.TabelasIgnoradas;
  return r;
}

TResultadoMigracao ImportaBase(const QString& origem, const QString& destino, bool substituir) {
  const QString sufixo = QFileInfo(origem).suffix().toLower();
  const bool jet = sufixo == QLatin1String("mdb") || sufixo == QLatin1String("accdb");
  if (!jet && sufixo != QLatin1String("xlsx"))
    throw FalhaImportacao(
        origem, QStringLiteral("Só se importam bases .mdb (Access) e pastas de trabalho .xlsx."));
  TBaseOrigem base;
  try {
    base = jet ? LeBaseMdb(origem) : LeBasePlanilha(origem);
  } catch (const ETorveda& e) {
    throw FalhaImportacao(origem, e.mensagem());
  }
  return MigraBase(base, destino, substituir);
}

QString ArquivoBaseJet(const TCaminhos& caminhos) {
  const QString nome = caminhos.NomeBase() + QStringLiteral(".mdb");
  // An agency's file may come with its extension in capitals (TORVEDA.MDB).
  const QStringList achados =
      QDir(caminhos.DadosBD()).entryList({nome}, QDir::Files | QDir::CaseSensitive);
  if (!achados.isEmpty()) return caminhos.DadosBD() + achados.first();
  const QStringList parecidos = QDir(caminhos.DadosBD()).entryList({nome}, QDir::Files);
  return caminhos.DadosBD() + (parecidos.isEmpty() ? nome : parecidos.first());
}

void OfereceMigracaoBase(const TCaminhos& caminhos, TApresentador& apresentador) {
  const QString base = caminhos.BaseDados();
  const QString jet = ArquivoBaseJet(caminhos);
  if (QFileInfo::exists(base) || !QFileInfo(jet).isFile()) return;
  if (apresentador.Confirmacao(
          QStringLiteral("Importar a base de dados %1?").arg(QFileInfo(jet).fileName())) !=
      TResposta::Sim)
    return;
  try {
    apresentador.Informacao(Resumo(ImportaBase(jet, base, false)));
  } catch (const ETorveda& e) {
    apresentador.Erro(e.mensagem());
  } catch (const std::exception& e) {
    apresentador.Erro(QString::fromLocal8Bit(e.what()));
  }
}
