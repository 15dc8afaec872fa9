// Start-up steps 6 to 8 through the program-wide objects.
#include <gtest/gtest.h>

#include "CamadasTeste.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"
#include "sistema/TSistema.h"

namespace {

// No layer message ever reaches a message box at start-up.
void SemMensagemDeCamada(const TApresentadorRoteirizado& apresentador) {
  for (const QString& t : apresentador.Textos())
    for (const auto& item : CatalogoCamadas::Itens()) EXPECT_NE(t, CatalogoCamadas::Mensagem(item));
}

}  // namespace

TEST(SistemaMapas, SemEstradasAbremDezesseisSemMensagem) {
  TPastaTemporaria pasta;
  const TCaminhos caminhos(pasta.Caminho(), QStringLiteral("TORVEDA"));
  CamadasTeste::Escreve(caminhos.DadosSIG(), {QStringLiteral("Estradas")});
  TApresentadorRoteirizado apresentador;
  TSistema sistema(caminhos);
  sistema.CriaFormPrincipal(apresentador);

  SemMensagemDeCamada(apresentador);
  ASSERT_NE(sistema.ConexaoShape, nullptr);
  EXPECT_TRUE(sistema.ConexaoShape->Conectada());
  EXPECT_FALSE(sistema.ConexaoShape->Diretorio().endsWith(QLatin1Char('/')));
  ASSERT_EQ(sistema.Camadas.size(), 17u);
  int validas = 0;
  for (const auto& c : sistema.Camadas) validas += c->Valida() ? 1 : 0;
  EXPECT_EQ(validas, 16);
  ASSERT_NE(sistema.Camada(QStringLiteral("Estradas")), nullptr);
  EXPECT_FALSE(sistema.Camada(QStringLiteral("Estradas"))->Valida());
  EXPECT_EQ(sistema.Camada(QStringLiteral("Municipios"))->Simbolo().CorContorno(),
            QColor(255, 0, 0));
  EXPECT_TRUE(sistema.Camada(QStringLiteral("Hidrografia"))->Visivel());
  EXPECT_FALSE(sistema.Camada(QStringLiteral("Ponto"))->Visivel());
  EXPECT_EQ(sistema.ErroInicial(), QStringLiteral("Erro ao abrir as estradas no formato shape"));
  EXPECT_FALSE(sistema.MapasCarregados);
}

TEST(SistemaMapas, ConexaoFalhaDeixaTodasInvalidas) {
  TPastaTemporaria pasta;  // no Dados/DadosSIG at all
  TApresentadorRoteirizado apresentador;
  TSistema sistema(TCaminhos(pasta.Caminho(), QStringLiteral("TORVEDA")));
  sistema.CriaFormPrincipal(apresentador);

  SemMensagemDeCamada(apresentador);
  ASSERT_EQ(sistema.Camadas.size(), 17u);
  for (const auto& c : sistema.Camadas) {
    EXPECT_FALSE(c->Valida());
    EXPECT_FALSE(c->SimboloAlterado());
  }
  EXPECT_NE(sistema.Camada(QStringLiteral("Ad_Regioes")), nullptr);
  EXPECT_EQ(sistema.ErroInicial(),
            QStringLiteral("Erro ao abrir as áreas de drenagens das regiões no formato shape"));
  EXPECT_FALSE(sistema.MapasCarregados);
  bool conexaoRegistrada = false;
  for (const auto& carga : sistema.Cargas())
    if (carga.Nome == QStringLiteral("ConexaoShape")) {
      conexaoRegistrada = true;
      EXPECT_FALSE(carga.Ok);
      EXPECT_EQ(carga.Mensagem,
                QStringLiteral("Erro ao criar conexão com os dados no formato shape"));
    }
  EXPECT_TRUE(conexaoRegistrada);
}
