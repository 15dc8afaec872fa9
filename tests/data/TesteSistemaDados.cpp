// The data module inside the start-up: each load recorded for `torveda-cli verifica`, the
// failures shown, and the module kept even when its database failed.
#include <gtest/gtest.h>

#include "ArvoreDados.h"
#include "comum/ApresentadorRoteirizado.h"
#include "data/TdmS.h"
#include "sistema/TSistema.h"

namespace {
QStringList Cargas(const TSistema& s) {
  QStringList r;
  for (const auto& c : s.Cargas())
    r << c.Nome + (c.Ok ? QStringLiteral(":ok") : QStringLiteral(":falha"));
  return r;
}
}  // namespace

TEST(SistemaDados, RegistraCadaCarga) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaCompleta();
  TSistema sistema(arvore.Caminhos());
  sistema.CriaDataModule(apresentador);
  ASSERT_NE(sistema.dmS, nullptr);
  EXPECT_TRUE(sistema.dmS->BaseAberta());
  EXPECT_TRUE(apresentador.Textos().isEmpty());
  EXPECT_EQ(Cargas(sistema), (QStringList{"TORVEDA.sqlite:ok", "TORVEDA_Outorgas_AQEM.xls:ok",
                                          "TORVEDA_Outorgas_ANA.xls:ok"}));
  // The data module's loads leave the start-up error text alone.
  EXPECT_EQ(sistema.ErroInicial(), QStringLiteral(" "));
}

TEST(SistemaDados, FalhasMostradasEGravadas) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaCompleta();
  arvore.CopiaPlanilha(QStringLiteral("aqem_sem_certidoes.xls"), arvore.Caminhos().OutorgasAqem());
  TSistema sistema(arvore.Caminhos());
  sistema.CriaDataModule(apresentador);
  EXPECT_EQ(apresentador.Textos(TApresentadorRoteirizado::TTipo::Mensagem),
            QStringList{TdmS::ErroAqem});
  ASSERT_EQ(sistema.Cargas().size(), 3u);
  EXPECT_FALSE(sistema.Cargas()[1].Ok);
  EXPECT_TRUE(sistema.Cargas()[1].Mensagem.startsWith(TdmS::ErroAqem));
  EXPECT_TRUE(sistema.Cargas()[2].Ok);

  TArvoreDados vazia;
  apresentador.Limpa();
  TSistema semBase(vazia.Caminhos());
  semBase.CriaDataModule(apresentador);
  ASSERT_NE(semBase.dmS, nullptr);  // kept, so later uses fail with a message
  EXPECT_EQ(apresentador.Textos(TApresentadorRoteirizado::TTipo::Erro).size(), 1);
  EXPECT_EQ(Cargas(semBase), (QStringList{"TORVEDA.sqlite:falha", "TORVEDA_Outorgas_AQEM.xls:falha",
                                          "TORVEDA_Outorgas_ANA.xls:falha"}));
}
