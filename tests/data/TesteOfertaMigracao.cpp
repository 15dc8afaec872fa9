// The start-up's offer to bring a Jet database in, when the tree holds it and not ours.
#include <gtest/gtest.h>

#include <QFile>

#include "ArvoreDados.h"
#include "BaseJet.h"
#include "comum/ApresentadorRoteirizado.h"
#include "data/TdmS.h"
#include "sistema/TSistema.h"

using TTipo = TApresentadorRoteirizado::TTipo;

TEST(OfertaMigracao, SimImportaEAbreABase) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CopiaPlanilha(QStringLiteral("aqem.xls"), arvore.Caminhos().OutorgasAqem());
  arvore.CopiaPlanilha(QStringLiteral("ana.xls"), arvore.Caminhos().OutorgasAna());
  EscreveMdb(arvore.Caminhos().DadosBD() + QStringLiteral("TORVEDA.mdb"), TabelasJet());
  apresentador.Responde(TResposta::Sim);
  TSistema sistema(arvore.Caminhos());
  sistema.CriaDataModule(apresentador);
  EXPECT_EQ(apresentador.Textos(TTipo::Confirmacao),
            QStringList{QStringLiteral("Importar a base de dados TORVEDA.mdb?")});
  const QStringList info = apresentador.Textos(TTipo::Informacao);
  ASSERT_EQ(info.size(), 1);
  EXPECT_TRUE(info[0].contains(QStringLiteral("EstFluviometricas.DataAtualizacao")))
      << info[0].toStdString();
  EXPECT_TRUE(apresentador.Textos(TTipo::Erro).isEmpty());
  ASSERT_NE(sistema.dmS, nullptr);
  EXPECT_TRUE(sistema.dmS->BaseAberta());
  EXPECT_EQ(sistema.dmS->AbreRios(1).Valor(QStringLiteral("Nome")).toString(),
            QStringLiteral("Rio São Francisco"));

  // The next start-up finds the database and asks nothing.
  apresentador.Limpa();
  TSistema depois(arvore.Caminhos());
  depois.CriaDataModule(apresentador);
  EXPECT_TRUE(apresentador.Textos().isEmpty()) << apresentador.Textos().join(u'|').toStdString();
}

TEST(OfertaMigracao, NaoOuRecusaDeixamAArvoreComoEstava) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  const QString mdb = arvore.Caminhos().DadosBD() + QStringLiteral("TORVEDA.mdb");
  EscreveMdb(mdb, SemTabela(TabelasJet(), QStringLiteral("Rios")));

  apresentador.Responde(TResposta::Nao);
  TSistema nao(arvore.Caminhos());
  nao.CriaDataModule(apresentador);
  EXPECT_FALSE(QFile::exists(arvore.Caminhos().BaseDados()));
  EXPECT_FALSE(nao.dmS->BaseAberta());

  apresentador.Limpa();
  apresentador.Responde(TResposta::Sim);
  TSistema sim(arvore.Caminhos());
  sim.CriaDataModule(apresentador);
  const QStringList erros = apresentador.Textos(TTipo::Erro);
  ASSERT_GE(erros.size(), 1);
  EXPECT_TRUE(erros[0].contains(QStringLiteral("A tabela Rios não foi encontrada.")))
      << erros[0].toStdString();
  EXPECT_FALSE(QFile::exists(arvore.Caminhos().BaseDados()));
  EXPECT_FALSE(sim.dmS->BaseAberta());
}
