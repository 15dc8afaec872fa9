// The migration of a Jet database: a real Jet 4 file, written by escreve_mdb.py and read through
// mdbtools, becomes a database equal, row by row and type by type, to the one the schema holds;
// whatever the schema refuses stops it with nothing written and the .mdb untouched.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include "ArvoreDados.h"
#include "BaseJet.h"
#include "base/Erro.h"
#include "data/MigracaoBase.h"

namespace {

mode_t Modo(const QString& arquivo) {
  struct stat st {};
  ::stat(QFile::encodeName(arquivo).constData(), &st);
  return st.st_mode & 0777;
}

QByteArray Resumo(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class Migracao : public ::testing::Test {
 protected:
  Migracao()
      : Mdb_(Arvore_.Caminhos().DadosBD() + QStringLiteral("TORVEDA.mdb")),
        Destino_(Arvore_.Caminhos().BaseDados()) {}

  // Migrates a database written from the description; returns the refusal's text (empty on
  // success) after checking that a refusal left nothing behind and the .mdb as it was.
  QString Migra(const QJsonArray& tabelas) {
    EscreveMdb(Mdb_, tabelas);
    const QByteArray antes = Resumo(Mdb_);
    QString erro;
    try {
      Resultado_ = ImportaBase(Mdb_, Destino_, false);
    } catch (const ETorveda& e) {
      erro = e.mensagem();
      EXPECT_FALSE(QFile::exists(Destino_));
      EXPECT_EQ(QDir(Arvore_.Caminhos().DadosBD())
                    .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                QStringList{QStringLiteral("TORVEDA.mdb")});
    }
    EXPECT_EQ(Resumo(Mdb_), antes);
    return erro;
  }

  TArvoreDados Arvore_;
  QString Mdb_;
  QString Destino_;
  TResultadoMigracao Resultado_;
};

// A row of the description with one value changed.
QJsonObject ComValor(QJsonObject tabela, int linha, int coluna, const QJsonValue& valor) {
  QJsonArray linhas = tabela.value(QStringLiteral("linhas")).toArray();
  QJsonArray l = linhas[linha].toArray();
  l[coluna] = valor;
  linhas[linha] = l;
  tabela.insert(QStringLiteral("linhas"), linhas);
  return tabela;
}

QJsonObject ComTipo(QJsonObject tabela, int coluna, const QJsonArray& definicao) {
  QJsonArray colunas = tabela.value(QStringLiteral("colunas")).toArray();
  colunas[coluna] = definicao;
  tabela.insert(QStringLiteral("colunas"), colunas);
  return tabela;
}

}  // namespace

TEST_F(Migracao, DaABaseQueOEsquemaGuardaria) {
  ASSERT_EQ(Migra(TabelasJet()), QString());
  TPastaTemporaria pasta;
  const QString esperada = pasta.Arquivo(QStringLiteral("esperada.sqlite"));
  CriaBaseEsperada(esperada);
  const QStringList conteudo = ConteudoBase(Destino_);
  EXPECT_EQ(conteudo, ConteudoBase(esperada));
  EXPECT_EQ(conteudo.size(), 12);
  // Spot checks of the dump itself, so that an empty or untyped dump cannot pass.
  EXPECT_TRUE(conteudo.contains(QStringLiteral("Rios|integer:3|null:")));
  EXPECT_TRUE(conteudo.contains(QStringLiteral("Rios|integer:1|text:Rio São Francisco")));
  EXPECT_EQ(Resultado_.Linhas, (std::vector<std::pair<QString, int>>{{"EQ_Tradicional", 3},
                                                                     {"Restricoes", 2},
                                                                     {"EstFluviometricas", 2},
                                                                     {"EQ_Conservacao", 2},
                                                                     {"Rios", 3}}));
  EXPECT_EQ(Resultado_.ColunasIgnoradas,
            (QStringList{"EstFluviometricas.DataAtualizacao", "EstFluviometricas.Observação"}));
  EXPECT_EQ(Resultado_.TabelasIgnoradas, QStringList{"Parametros"});
  // Written under a private temporary name, the database still gets the usual permissions.
  const mode_t mascara = ::umask(0);
  ::umask(mascara);
  EXPECT_EQ(Modo(Destino_), 0666 & ~mascara);
}

TEST_F(Migracao, RecusaOQueOEsquemaNaoAceita) {
  const QJsonArray base = TabelasJet();
  const QJsonObject estacoes = Tabela(base, QStringLiteral("EstFluviometricas"));
  const QJsonObject rios = Tabela(base, QStringLiteral("Rios"));
  const QJsonObject tradicional = Tabela(base, QStringLiteral("EQ_Tradicional"));
  struct TCaso {
    const char* nome;
    QJsonArray tabelas;
    QStringList trechos;
  };
  const TCaso casos[] = {
      {"texto numa coluna numérica",
       ComTabela(base, ComValor(ComTipo(estacoes, 2, {"AD", "Text", 10}), 1, 2, "trezentos")),
       {"Tabela EstFluviometricas, linha 2, coluna Ad", "\"trezentos\"",
        "não é um número inteiro"}},
      {"real numa coluna inteira",
       ComTabela(base, ComValor(ComTipo(estacoes, 2, {"AD", "Double"}), 0, 2, 1520.5)),
       {"Tabela EstFluviometricas, linha 1, coluna Ad", "1520,5 não é inteiro"}},
      {"chave repetida",
       ComTabela(base, ComValor(rios, 2, 1, 1)),
       {"Tabela Rios, linha 3, coluna codRio", "a chave 1 repete a da linha 1"}},
      {"chave vazia",
       ComTabela(base, ComValor(rios, 1, 1, QJsonValue::Null)),
       {"Tabela Rios, linha 2, coluna codRio", "a chave está vazia"}},
      {"texto longo demais",
       ComTabela(base, ComValor(ComTipo(tradicional, 2, {"Modelo", "Text", 10}), 2, 2, "Potência")),
       {"Tabela EQ_Tradicional, linha 3, coluna Modelo", "tem 8 caracteres, mais que os 3"}},
      {"data numa coluna real",
       ComTabela(base, ComValor(ComValor(ComTipo(estacoes, 5, {"Q710Ob", "DateTime"}), 0, 5,
                                         QJsonValue::Null),
                                1, 5, "2020-01-02")),
       {"Tabela EstFluviometricas, linha 2, coluna Q710Ob", "uma data não é um número"}},
      {"inteiro fora da faixa",
       ComTabela(base, ComValor(ComTipo(estacoes, 1, {"PosicaoMDE", "Double"}), 0, 1, 3e9)),
       {"coluna PosicaoMDE", "não cabe num inteiro de 32 bits"}},
      {"tabela e coluna ausentes",
       ComTabela(SemTabela(base, QStringLiteral("Restricoes")),
                 ComTipo(rios, 0, {"NomeDoRio", "Text", 61})),
       {"A tabela Restricoes não foi encontrada.",
        "A coluna Nome da tabela Rios não foi encontrada."}},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    const QString erro = Migra(caso.tabelas);
    ASSERT_FALSE(erro.isEmpty());
    EXPECT_TRUE(erro.startsWith(QStringLiteral("A base de dados TORVEDA.mdb não foi importada.\n")))
        << erro.toStdString();
    for (const QString& t : caso.trechos) EXPECT_TRUE(erro.contains(t)) << erro.toStdString();
  }
}

// Values of the right type that give no usable flow, or point nowhere, are refused the same way.
TEST_F(Migracao, RecusaValoresQueNaoDaoVazao) {
  const QJsonArray base = TabelasJet();
  const QJsonObject estacoes = Tabela(base, QStringLiteral("EstFluviometricas"));
  const QJsonObject tradicional = Tabela(base, QStringLiteral("EQ_Tradicional"));
  const QJsonObject conservacao = Tabela(base, QStringLiteral("EQ_Conservacao"));
  const std::pair<QJsonArray, QString> casos[] = {
      {ComTabela(base, ComValor(estacoes, 1, 6, -0.75)),
       "Tabela EstFluviometricas, linha 2, coluna Q90Ob: a vazão -0,75 m³/s é negativa."},
      {ComTabela(base, ComValor(tradicional, 0, 8, 7)),
       "Tabela EQ_Tradicional, linha 1, coluna codRestricao: a restrição 7 não tem linha em "
       "Restricoes."},
      {ComTabela(base, ComValor(conservacao, 1, 9, "Q95")),
       "Tabela EQ_Conservacao, linha 2, coluna VarMinima: \"Q95\" não nomeia uma vazão; os nomes "
       "aceitos são Q710Ob, Q90Ob, Q95Ob, QmldOb, Q710Nat, Q90Nat, Q95Nat, QmldNat."},
      {ComTabela(base, ComValor(tradicional, 1, 3, -3.5)),
       "Tabela EQ_Tradicional, linha 2, coluna B0: o modelo Lin dá vazão negativa (-3,49925 m³/s) "
       "em 0,0025 km²."},
      {ComTabela(base, ComValor(tradicional, 2, 4, 2.5e20)),
       "Tabela EQ_Tradicional, linha 3, coluna BAd: o modelo Exp não dá um número finito em "
       "0,0025 km²."},
  };
  for (const auto& [tabelas, trecho] : casos) {
    const QString erro = Migra(tabelas);
    EXPECT_TRUE(erro.endsWith(trecho)) << erro.toStdString();
  }
}

TEST_F(Migracao, TextoComNumeroEntraComoNumero) {
  const QJsonArray base = TabelasJet();
  const QJsonObject estacoes = Tabela(base, QStringLiteral("EstFluviometricas"));
  QJsonObject texto = ComTipo(estacoes, 2, {"AD", "Text", 10});
  texto = ComValor(ComValor(texto, 0, 2, " 1520 "), 1, 2, "300");
  texto = ComValor(ComTipo(texto, 3, {"Latitude", "Text", 20}), 0, 3, "-19.9166");
  texto = ComValor(texto, 1, 3, "-20.5");
  ASSERT_EQ(Migra(ComTabela(base, texto)), QString());
  TPastaTemporaria pasta;
  const QString esperada = pasta.Arquivo(QStringLiteral("esperada.sqlite"));
  CriaBaseEsperada(esperada);
  EXPECT_EQ(ConteudoBase(Destino_), ConteudoBase(esperada));
}

TEST_F(Migracao, SoSubstituiQuandoPedido) {
  Arvore_.CriaBase({QStringLiteral("INSERT INTO Rios VALUES (99, 'antigo')")});
  EscreveMdb(Mdb_, TabelasJet());
  try {
    ImportaBase(Mdb_, Destino_, false);
    ADD_FAILURE() << "substituiu sem pedido";
  } catch (const ETorveda& e) {
    EXPECT_TRUE(e.mensagem().contains(QStringLiteral("já existe"))) << e.mensagem().toStdString();
  }
  EXPECT_TRUE(ConteudoBase(Destino_).contains(QStringLiteral("Rios|integer:99|text:antigo")));

  ::chmod(QFile::encodeName(Destino_).constData(), 0640);
  ImportaBase(Mdb_, Destino_, true);
  EXPECT_EQ(Modo(Destino_), 0640u);
  EXPECT_EQ(ConteudoBase(Destino_).size(), 12);
  EXPECT_FALSE(ConteudoBase(Destino_).contains(QStringLiteral("Rios|integer:99|text:antigo")));
}

TEST_F(Migracao, ArquivoTruncadoNaoPerdeLinhasCalado) {
  EscreveMdb(Mdb_, TabelasJet());
  QFile f(Mdb_);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  // The last page holds the rows of the last table, Rios.
  ASSERT_TRUE(f.resize(f.size() - 4096));
  f.close();
  try {
    ImportaBase(Mdb_, Destino_, false);
    ADD_FAILURE() << "importou um arquivo truncado";
  } catch (const ETorveda& e) {
    EXPECT_TRUE(
        e.mensagem().contains(QStringLiteral("A tabela Rios de TORVEDA.mdb está danificada")))
        << e.mensagem().toStdString();
  }
  EXPECT_FALSE(QFile::exists(Destino_));
}

TEST_F(Migracao, ArquivoQueNaoEJet) {
  QFile f(Mdb_);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(8192, 'x'));
  f.close();
  EXPECT_THROW(ImportaBase(Mdb_, Destino_, false), ETorveda);
  EXPECT_FALSE(QFile::exists(Destino_));
  EXPECT_THROW(ImportaBase(Arvore_.Pasta() + QStringLiteral("/nenhum.mdb"), Destino_, false),
               ETorveda);
  EXPECT_THROW(ImportaBase(Arvore_.Pasta() + QStringLiteral("/tabelas.csv"), Destino_, false),
               ETorveda);
}
