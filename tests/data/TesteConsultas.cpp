// The query objects and their statements against a database made by the schema function.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "ArvoreDados.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "data/TdmS.h"

namespace {

class Consultas : public ::testing::Test {
 protected:
  void SetUp() override {
    arvore.CriaBase({
        "INSERT INTO EQ_Tradicional VALUES (1, 1, 'Pot', 0.01, 0.9, 7, NULL, NULL, 1, 'Q710Ob', "
        "'mínima')",
        "INSERT INTO EQ_Tradicional VALUES (2, 2, 'Lin', 0.5, 0.02, NULL, NULL, NULL, 1, 'Q90Ob', "
        "NULL)",
        // Read as stored, never by any computation: the flow it names is not one of the four.
        "INSERT INTO EQ_Tradicional VALUES (3, 2, 'Exp', -1, 0.001, NULL, NULL, NULL, 1, "
        "'Q710Nat', NULL)",
        "INSERT INTO EQ_Tradicional VALUES (4, 2, 'Rec', 2.5, 0, NULL, NULL, NULL, 1, 'q95ob', "
        "NULL)",
        "INSERT INTO Rios VALUES (5, 'Rio Preto')",
        "INSERT INTO EQ_Conservacao VALUES (10, 'Lin', 1.5, 0.25, NULL, NULL, NULL, 5, 2, "
        "'QmldOb', 'média')",
        "INSERT INTO EQ_Conservacao VALUES (11, 'Log', 3, 0, NULL, NULL, NULL, 6, 2, 'Q95Ob', "
        "NULL)",
        "INSERT INTO EstFluviometricas VALUES (42290000, 123456, 1250, 17.5, 46.25, 1.1, 2.2, 1.9, "
        "9.75, NULL, NULL, NULL, NULL)",
    });
    arvore.CopiaPlanilha(QStringLiteral("aqem.xls"), arvore.Caminhos().OutorgasAqem());
    arvore.CopiaPlanilha(QStringLiteral("ana.xls"), arvore.Caminhos().OutorgasAna());
    dm = std::make_unique<TdmS>(arvore.Caminhos());
    dm->Cria(apresentador);
    ASSERT_TRUE(dm->BaseAberta()) << dm->ErroBase().toStdString();
  }

  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  std::unique_ptr<TdmS> dm;
};

}  // namespace

TEST_F(Consultas, TextosDosComandos) {
  EXPECT_EQ(dm->qryEQ_Tradicional.SQL(), QStringLiteral("SELECT * FROM EQ_Tradicional"));
  EXPECT_EQ(dm->qryEstFluviometricas.SQL(), QStringLiteral("SELECT * FROM EstFluviometricas"));
  EXPECT_EQ(dm->qryEQ_Conservacao.SQL(), QStringLiteral("SELECT * FROM EQ_Conservacao"));
  EXPECT_EQ(dm->qryRios.SQL(), QStringLiteral("SELECT * FROM Rios"));

  dm->AbreEqTradicional(-3);
  EXPECT_EQ(dm->qryEQ_Tradicional.SQL(),
            QStringLiteral("SELECT * FROM EQ_Tradicional WHERE Regiao = -3"));
  dm->AbreRios(5);
  EXPECT_EQ(dm->qryRios.SQL(), QStringLiteral("SELECT * FROM Rios WHERE CodRio = :CodEq_Conserv"));
  dm->AbreEqConservacao(5);
  EXPECT_EQ(dm->qryEQ_Conservacao.SQL(),
            QStringLiteral("SELECT * FROM EQ_Conservacao WHERE codRio = :codRio"));
  dm->AbreEstFluviometricas(1);
  EXPECT_EQ(dm->qryEstFluviometricas.SQL(),
            QStringLiteral("SELECT * FROM EstFluviometricas WHERE CodEstFlu = :CodEstFlu"));
}

TEST_F(Consultas, EquacoesTradicionaisDaRegiaoComoEstaoGravadas) {
  TConsulta& q = dm->AbreEqTradicional(2);
  ASSERT_TRUE(q.Ativa());
  ASSERT_EQ(q.NumRegistros(), 3);
  QStringList vars;
  for (q.Primeiro(); !q.Fim(); q.Proximo()) {
    EXPECT_EQ(q.Inteiro(QStringLiteral("Regiao")), 2);
    vars << q.Texto(QStringLiteral("VarMinima"));
  }
  // Every row of the region comes back exactly as written, letter case included; telling the
  // four flows from the rest is the computation's business.
  EXPECT_EQ(vars, (QStringList{"Q90Ob", "Q710Nat", "q95ob"}));
  q.Primeiro();
  EXPECT_EQ(q.Texto(QStringLiteral("Modelo")), QStringLiteral("Lin"));
  EXPECT_DOUBLE_EQ(q.Numero(QStringLiteral("B0")), 0.5);
  EXPECT_DOUBLE_EQ(q.Numero(QStringLiteral("bad")), 0.02);  // names are case-blind
  EXPECT_TRUE(q.Nulo(QStringLiteral("BL")));
  EXPECT_EQ(q.Numero(QStringLiteral("BL")), 0.0);
  EXPECT_EQ(q.Texto(QStringLiteral("TipoVazao")), QString());

  EXPECT_EQ(dm->AbreEqTradicional(1).Texto(QStringLiteral("TipoVazao")), QStringLiteral("mínima"));
  EXPECT_TRUE(dm->AbreEqTradicional(9).Fim());
}

TEST_F(Consultas, RioEquacoesDeConservacaoEEstacao) {
  TConsulta& rio = dm->AbreRios(5);
  ASSERT_EQ(rio.NumRegistros(), 1);
  // The river code is read under both spellings.
  EXPECT_EQ(rio.Inteiro(QStringLiteral("CodRio")), 5);
  EXPECT_EQ(rio.Inteiro(QStringLiteral("codRio")), 5);
  EXPECT_EQ(rio.Texto(QStringLiteral("Nome")), QStringLiteral("Rio Preto"));
  EXPECT_EQ(dm->AbreRios(6).NumRegistros(), 0);

  TConsulta& eq = dm->AbreEqConservacao(5);
  ASSERT_EQ(eq.NumRegistros(), 1);
  EXPECT_EQ(eq.Texto(QStringLiteral("VarMinima")), QStringLiteral("QmldOb"));
  EXPECT_DOUBLE_EQ(eq.Numero(QStringLiteral("BAd")), 0.25);

  TConsulta& est = dm->AbreEstFluviometricas(42290000);
  ASSERT_EQ(est.NumRegistros(), 1);
  EXPECT_EQ(est.Inteiro(QStringLiteral("Ad")), 1250);
  EXPECT_DOUBLE_EQ(est.Numero(QStringLiteral("QmldOb")), 9.75);

  // A separate query on the same connection leaves the shared one where it stood.
  TConsulta outra = dm->NovaConsulta(QStringLiteral("EstFluviometricas"));
  outra.Abre();
  outra.Proximo();
  EXPECT_TRUE(outra.Fim());
  EXPECT_FALSE(est.Fim());
  EXPECT_EQ(est.Inteiro(QStringLiteral("CodEstFlu")), 42290000);
}

TEST_F(Consultas, ErrosTrazemOQueFaltou) {
  auto mensagem = [](const auto& f) {
    try {
      f();
    } catch (const ETorveda& e) {
      return e.mensagem();
    }
    return QStringLiteral("(nenhum erro)");
  };
  TConsulta& rio = dm->AbreRios(5);
  EXPECT_TRUE(mensagem([&] { rio.Texto(QStringLiteral("Nomes")); }).contains("\"Nomes\""));
  rio.Proximo();
  EXPECT_TRUE(rio.Fim());
  EXPECT_THROW(rio.Texto(QStringLiteral("Nome")), ETorveda);  // past the last record
  rio.Fecha();
  EXPECT_THROW(rio.Texto(QStringLiteral("Nome")), ETorveda);

  TConsulta q = dm->NovaConsulta(QStringLiteral("Rios"));
  q.DefineSQL(SqlTORVEDA::Rios);
  EXPECT_TRUE(mensagem([&] { q.Abre(); }).contains(QStringLiteral("CodEq_Conserv")));
  EXPECT_FALSE(q.Ativa());
  // A colon inside a quoted text is not a parameter.
  q.DefineSQL(QStringLiteral("SELECT * FROM Rios WHERE Nome <> 'a:b'"));
  EXPECT_NO_THROW(q.Abre());
  EXPECT_EQ(q.NumRegistros(), 1);
  q.DefineSQL(QStringLiteral("SELECT * FROM Estacoes"));
  EXPECT_THROW(q.Abre(), ETorveda);
  // A text where a number belongs is an error, not a zero.
  q.DefineSQL(QStringLiteral("SELECT 'abc' AS B0"));
  q.Abre();
  EXPECT_THROW(q.Numero(QStringLiteral("B0")), ETorveda);
}

// The connection writes to the file (the editing windows rely on it).
TEST_F(Consultas, ConexaoGravaNoArquivo) {
  QSqlDatabase db = dm->conTORVEDA();
  ASSERT_TRUE(db.isOpen());
  QSqlQuery q(db);
  ASSERT_TRUE(q.exec(QStringLiteral("UPDATE Rios SET Nome = 'Rio São Pedro' WHERE codRio = 5")));
  EXPECT_EQ(dm->AbreRios(5).Texto(QStringLiteral("Nome")), QStringLiteral("Rio São Pedro"));
  ComBase(arvore.Caminhos().BaseDados(), [](QSqlDatabase& outra) {
    QSqlQuery l(outra);
    ASSERT_TRUE(l.exec(QStringLiteral("SELECT Nome FROM Rios")) && l.next());
    EXPECT_EQ(l.value(0).toString(), QStringLiteral("Rio São Pedro"));
  });
}
