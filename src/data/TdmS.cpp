#include "data/TdmS.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/ColunasOutorgas.h"
#include "data/ConferenciaBase.h"

namespace {

const QString NaoAberto =
    QStringLiteral("Não aberto: a criação do módulo de dados parou no erro anterior.");

QString NovoNomeConexao() {
  static std::atomic<int> contador{0};
  const int n = ++contador;
  return n == 1 ? TdmS::NomeBaseConexao
                : TdmS::NomeBaseConexao + QLatin1Char('-') + QString::number(n);
}

QString NomeArquivo(const QString& caminho) { return QFileInfo(caminho).fileName(); }

}  // namespace

QString SqlTORVEDA::EqTradicional(std::int32_t regiao) {
  return QStringLiteral("SELECT * FROM EQ_Tradicional WHERE Regiao = ") + QString::number(regiao);
}

const QString TdmS::ErroAqem = QStringLiteral("Erro ao abrir o arquivo de outorgas - AQEM.");
const QString TdmS::ErroAna = QStringLiteral("Erro ao abrir o arquivo de outorgas - ANA.");
const QString TdmS::NomeBaseConexao = QStringLiteral("conTORVEDA");

TdmS::TdmS(const TCaminhos& caminhos)
    : qryEQ_Tradicional(QString(), QStringLiteral("EQ_Tradicional")),
      qryEstFluviometricas(QString(), QStringLiteral("EstFluviometricas")),
      qryEQ_Conservacao(QString(), QStringLiteral("EQ_Conservacao")),
      qryRios(QString(), QStringLiteral("Rios")),
      tdbOutorgasAqemSuperficial(QStringLiteral("Outorgas Água Superficial")),
      tdbOutorgasAqemInsignificante(QStringLiteral("Certidões de Uso Insignificante")),
      tdbOutorgasAqemSubterranea(QStringLiteral("Outorgas Água Subterrânea")),
      tdbOutorgasAna(QStringLiteral("Outorgas ANA")),
      Caminhos_(caminhos),
      NomeConexao_(NovoNomeConexao()),
      ArquivoBase_(caminhos.BaseDados()),
      ArquivoAqemXls_(caminhos.OutorgasAqem()),
      ArquivoAnaXls_(caminhos.OutorgasAna()),
      ErroBase_(QStringLiteral("o módulo de dados não foi criado.")) {
  // The queries were built before the connection's name was known.
  qryEQ_Tradicional = NovaConsulta(QStringLiteral("EQ_Tradicional"));
  qryEstFluviometricas = NovaConsulta(QStringLiteral("EstFluviometricas"));
  qryEQ_Conservacao = NovaConsulta(QStringLiteral("EQ_Conservacao"));
  qryRios = NovaConsulta(QStringLiteral("Rios"));
}

TdmS::~TdmS() {
  FechaTudo();
  if (QSqlDatabase::contains(NomeConexao_)) {
    {
      QSqlDatabase db = QSqlDatabase::database(NomeConexao_, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(NomeConexao_);
  }
}

QString TdmS::ArquivoOutorgasAqem() const {
  return TLivroPlanilha::ArquivoExistente(ArquivoAqemXls_);
}

QString TdmS::ArquivoOutorgasAna() const {
  return TLivroPlanilha::ArquivoExistente(ArquivoAnaXls_);
}

QSqlDatabase TdmS::conTORVEDA() const {
  return QSqlDatabase::contains(NomeConexao_) ? QSqlDatabase::database(NomeConexao_, false)
                                              : QSqlDatabase();
}

TConsulta TdmS::NovaConsulta(const QString& tabela) const {
  TConsulta q(NomeConexao_, tabela);
  q.DefineErroConexao(ErroBase_);
  return q;
}

TConsulta& TdmS::AbreEqTradicional(std::int32_t regiao) {
  qryEQ_Tradicional.DefineSQL(SqlTORVEDA::EqTradicional(regiao));
  qryEQ_Tradicional.Abre();
  return qryEQ_Tradicional;
}

TConsulta& TdmS::AbreRios(std::int32_t codEqConserv) {
  qryRios.DefineSQL(SqlTORVEDA::Rios);
  qryRios.DefineParametro(QStringLiteral("CodEq_Conserv"), codEqConserv);
  qryRios.Abre();
  return qryRios;
}

TConsulta& TdmS::AbreEqConservacao(std::int32_t codRio) {
  qryEQ_Conservacao.DefineSQL(SqlTORVEDA::EqConservacao);
  qryEQ_Conservacao.DefineParametro(QStringLiteral("codRio"), codRio);
  qryEQ_Conservacao.Abre();
  return qryEQ_Conservacao;
}

TConsulta& TdmS::AbreEstFluviometricas(std::int32_t codEstFlu) {
  qryEstFluviometricas.DefineSQL(SqlTORVEDA::EstFluviometricas);
  qryEstFluviometricas.DefineParametro(QStringLiteral("CodEstFlu"), codEstFlu);
  qryEstFluviometricas.Abre();
  return qryEstFluviometricas;
}

void TdmS::FechaTudo() {
  for (TConsulta* q : {&qryEQ_Tradicional, &qryEstFluviometricas, &qryEQ_Conservacao, &qryRios})
    q->Fecha();
  for (TTabelaPlanilha* t : {&tdbOutorgasAqemSuperficial, &tdbOutorgasAqemInsignificante,
                             &tdbOutorgasAqemSubterranea, &tdbOutorgasAna})
    t->Fecha();
  conOutorgasAqem.Fecha();
  conOutorgasAna.Fecha();
}

void TdmS::Cria(TApresentador& apresentador) {
  FechaTudo();
  Cargas_.clear();

  // Step 2: the three connections, in order; the first failure ends the creation.
  if (!AbreBase(apresentador)) {
    Cargas_.push_back({NomeArquivo(ArquivoOutorgasAqem()), false, NaoAberto});
    Cargas_.push_back({NomeArquivo(ArquivoOutorgasAna()), false, NaoAberto});
    return;
  }
  if (!AbreLivro(conOutorgasAqem, ArquivoOutorgasAqem(), apresentador)) {
    Cargas_.push_back({NomeArquivo(ArquivoOutorgasAna()), false, NaoAberto});
    return;
  }
  if (!AbreLivro(conOutorgasAna, ArquivoOutorgasAna(), apresentador)) return;

  // Steps 3 and 4: the sheets; a failure closes that workbook only.
  AbreFolhasAqem(apresentador);
  AbreFolhaAna(apresentador);
}

bool TdmS::AbreBase(TApresentador& apresentador) {
  BaseAberta_ = false;
  if (QSqlDatabase::contains(NomeConexao_)) {
    {
      QSqlDatabase antiga = QSqlDatabase::database(NomeConexao_, false);
      antiga.close();
    }
    QSqlDatabase::removeDatabase(NomeConexao_);
  }

  auto falha = [this, &apresentador](const QString& erro) {
    ErroBase_ = erro;
    DefineErroConsultas(ErroBase_);
    Cargas_.push_back({NomeArquivo(ArquivoBase_), false, ErroBase_});
    apresentador.Erro(ErroBase_);
    return false;
  };

  // SQLite would create a missing file; an empty database must never stand in for the real one.
  const QFileInfo info(ArquivoBase_);
  if (!info.exists())
    return falha(
        QStringLiteral("O arquivo do banco de dados %1 não foi encontrado.").arg(ArquivoBase_));
  if (!info.isFile())
    return falha(QStringLiteral("%1 não é um arquivo de banco de dados.").arg(ArquivoBase_));

  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), NomeConexao_);
  // mode=rw: opening fails instead of creating the file should it vanish in between.
  db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
  db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                     QStringLiteral("?mode=rw"));
  if (!db.open())
    return falha(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                     .arg(ArquivoBase_, db.lastError().text()));
  {
    // A file that is not a database opens without complaint; the first read tells.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
      const QString erro = q.lastError().text();
      q.finish();
      db.close();
      return falha(
          QStringLiteral("Não foi possível abrir o banco de dados %1: %2").arg(ArquivoBase_, erro));
    }
  }

  BaseAberta_ = true;
  ErroBase_.clear();
  DefineErroConsultas(QString());
  // A database lacking what the program reads stays open for what it has (the editing windows,
  // the tables that are there), but its load fails and says what is missing.
  if (const QString defeito = ConferenciaBase::Confere(db, info.size() == 0); !defeito.isEmpty()) {
    const QString msg =
        QStringLiteral("O banco de dados %1 não pode ser usado: %2").arg(ArquivoBase_, defeito);
    Cargas_.push_back({NomeArquivo(ArquivoBase_), false, msg});
    apresentador.Erro(msg);
    return true;
  }
  Cargas_.push_back({NomeArquivo(ArquivoBase_), true, {}});
  return true;
}

void TdmS::DefineErroConsultas(const QString& erro) {
  for (TConsulta* q : {&qryEQ_Tradicional, &qryEstFluviometricas, &qryEQ_Conservacao, &qryRios})
    q->DefineErroConexao(erro);
}

std::unique_ptr<TdmS> TdmS::CopiaDaBase(const TdmS& origem) {
  auto copia = std::make_unique<TdmS>(origem.Caminhos_);
  copia->ErroBase_ = origem.ErroBase_;
  if (origem.BaseAberta_) {
    // Cloning by name is the form Qt allows from a thread that does not own the original.
    QSqlDatabase db = QSqlDatabase::cloneDatabase(origem.NomeConexao_, copia->NomeConexao_);
    if (db.open()) {
      copia->BaseAberta_ = true;
      copia->ErroBase_.clear();
    } else {
      copia->ErroBase_ = QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                             .arg(origem.ArquivoBase_, db.lastError().text());
    }
  }
  copia->DefineErroConsultas(copia->ErroBase_);
  return copia;
}

bool TdmS::AbreLivro(TLivroPlanilha& livro, const QString& arquivo, TApresentador& apresentador) {
  livro.DefineArquivo(arquivo);
  try {
    livro.Abre();
    return true;
  } catch (const ETorveda& e) {
    livro.Fecha();
    Cargas_.push_back({NomeArquivo(arquivo), false, e.mensagem()});
    apresentador.Erro(e.mensagem());
    return false;
  }
}

namespace {

// The sheet's headings, checked against those the import reads.
void AbreTitulos(TTabelaPlanilha& t, const TLivroPlanilha& livro) {
  t.AbreTitulos(livro);
  const QStringList ausentes =
      ColunasOutorgas::Ausentes(t.Colunas(), ColunasOutorgas::Lidas(t.Folha()));
  if (!ausentes.isEmpty())
    throw ETorveda(ColunasOutorgas::MensagemAusentes(t.Folha(), livro.Arquivo(), ausentes));
}

void LeLivro(TLivroPlanilha& livro, const QString& arquivo,
             std::initializer_list<TTabelaPlanilha*> tabelas) {
  for (TTabelaPlanilha* t : tabelas) t->Fecha();
  livro.DefineArquivo(arquivo);
  try {
    livro.Abre();
    for (TTabelaPlanilha* t : tabelas) {
      AbreTitulos(*t, livro);
      t->Abre(livro);
    }
  } catch (...) {
    for (TTabelaPlanilha* t : tabelas) t->Fecha();
    livro.Fecha();
    throw;
  }
  // The rows are in the tables; the reader's own copy of the file is let go.
  livro.Fecha();
}

}  // namespace

void TdmS::LeOutorgasAqem(const QString& arquivo) {
  LeLivro(
      conOutorgasAqem, arquivo,
      {&tdbOutorgasAqemSuperficial, &tdbOutorgasAqemInsignificante, &tdbOutorgasAqemSubterranea});
}

void TdmS::LeOutorgasAna(const QString& arquivo) {
  LeLivro(conOutorgasAna, arquivo, {&tdbOutorgasAna});
}

void TdmS::LiberaOutorgasAqem() {
  for (TTabelaPlanilha* t :
       {&tdbOutorgasAqemSuperficial, &tdbOutorgasAqemInsignificante, &tdbOutorgasAqemSubterranea})
    t->LiberaLinhas();
}

void TdmS::LiberaOutorgasAna() { tdbOutorgasAna.LiberaLinhas(); }

void TdmS::AbreFolhasAqem(TApresentador& apresentador) {
  TTabelaPlanilha* tabelas[] = {&tdbOutorgasAqemSuperficial, &tdbOutorgasAqemInsignificante,
                                &tdbOutorgasAqemSubterranea};
  const QString nome = NomeArquivo(conOutorgasAqem.Arquivo());
  try {
    for (TTabelaPlanilha* t : tabelas) AbreTitulos(*t, conOutorgasAqem);
    // Nothing more is needed from the file until an import reads it again.
    conOutorgasAqem.Fecha();
    Cargas_.push_back({nome, true, {}});
  } catch (const ETorveda& e) {
    for (TTabelaPlanilha* t : tabelas) t->Fecha();
    conOutorgasAqem.Fecha();
    conOutorgasAqem.DefineArquivo(QString());
    Cargas_.push_back({nome, false, ErroAqem + QLatin1Char('\n') + e.mensagem()});
    apresentador.Mensagem(ErroAqem);
  }
}

void TdmS::AbreFolhaAna(TApresentador& apresentador) {
  const QString nome = NomeArquivo(conOutorgasAna.Arquivo());
  try {
    AbreTitulos(tdbOutorgasAna, conOutorgasAna);
    conOutorgasAna.Fecha();
    Cargas_.push_back({nome, true, {}});
  } catch (const ETorveda& e) {
    tdbOutorgasAna.Fecha();
    conOutorgasAna.Fecha();
    conOutorgasAna.DefineArquivo(QString());
    Cargas_.push_back({nome, false, ErroAna + QLatin1Char('\n') + e.mensagem()});
    apresentador.Mensagem(ErroAna);
  }
}
