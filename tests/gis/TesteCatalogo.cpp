// The 17-layer catalogue opened through a connection.
#include <gtest/gtest.h>

#include <QSet>

#include "CamadasTeste.h"
#include "comum/PastaTemporaria.h"
#include "gis/CatalogoCamadas.h"
#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"

namespace {

std::vector<std::unique_ptr<TCamada>> AbreTodas(TConexaoShape& conexao) {
  std::vector<std::unique_ptr<TCamada>> camadas;
  for (const auto& item : CatalogoCamadas::Itens())
    camadas.push_back(CatalogoCamadas::AbreCamada(conexao, item));
  for (auto& c : camadas) CatalogoCamadas::AplicaVisibilidadeInicial(*c);
  return camadas;
}

TCamada* Procura(const std::vector<std::unique_ptr<TCamada>>& camadas, const char* nome) {
  for (const auto& c : camadas)
    if (c->Nome() == QLatin1String(nome)) return c.get();
  return nullptr;
}

}  // namespace

TEST(Catalogo, TabelaDasDezessete) {
  const auto& itens = CatalogoCamadas::Itens();
  QSet<QString> nomes;
  for (const auto& i : itens) nomes.insert(QString::fromUtf8(i.Nome));
  EXPECT_EQ(nomes.size(), 17);
  EXPECT_STREQ(itens.front().Nome, "Limite");
  EXPECT_STREQ(itens.back().Nome, "Ad_Regioes");
  EXPECT_EQ(CatalogoCamadas::Mensagem(itens.back()),
            QStringLiteral("Erro ao abrir as áreas de drenagens das regiões no formato shape"));
}

TEST(Catalogo, TodasAbertasComSimbolosEVisibilidade) {
  TPastaTemporaria pasta;
  CamadasTeste::Escreve(pasta.Caminho());
  TConexaoShape conexao(pasta.Caminho());
  ASSERT_TRUE(conexao.Conecta());
  const auto camadas = AbreTodas(conexao);
  ASSERT_EQ(camadas.size(), 17u);
  QStringList visiveis;
  for (const auto& c : camadas) {
    EXPECT_TRUE(c->Valida()) << c->Nome().toStdString();
    if (c->Visivel()) visiveis << c->Nome();
  }
  EXPECT_EQ(visiveis, (QStringList{"Limite", "Hidrografia", "Hidrografia_Principais"}));

  const TSimbolo& limite = Procura(camadas, "Limite")->Simbolo();
  EXPECT_EQ(limite.Cor(), QColor(255, 248, 198));
  EXPECT_EQ(limite.CorContorno(), QColor(0, 0, 0));
  const TSimbolo& estados = Procura(camadas, "Estados")->Simbolo();
  EXPECT_EQ(estados.CorContorno(), QColor(128, 64, 64));
  EXPECT_EQ(estados.Estilo(), 1);
  const TSimbolo& pluv = Procura(camadas, "Est_Pluviometricas")->Simbolo();
  EXPECT_EQ(pluv.Cor(), QColor(255, 255, 0));
  EXPECT_EQ(pluv.Estilo(), 2);
  EXPECT_EQ(Procura(camadas, "Out_Sup_ANA")->Simbolo().Cor(), QColor(0, 255, 0));
  // A dash in the table: the default symbol stays.
  EXPECT_FALSE(Procura(camadas, "Reg_Met_Tradicional")->SimboloAlterado());
  EXPECT_TRUE(Procura(camadas, "Reg_Met_Tradicional")->Simbolo().MesmoValor(TSimbolo()));
}

TEST(Catalogo, CamadaAusenteFicaInvalidaESemSimbolo) {
  TPastaTemporaria pasta;
  CamadasTeste::Escreve(pasta.Caminho(), {QStringLiteral("Estradas")});
  TConexaoShape conexao(pasta.Caminho());
  ASSERT_TRUE(conexao.Conecta());
  const auto camadas = AbreTodas(conexao);
  int validas = 0;
  for (const auto& c : camadas) validas += c->Valida() ? 1 : 0;
  EXPECT_EQ(validas, 16);
  TCamada* estradas = Procura(camadas, "Estradas");
  ASSERT_NE(estradas, nullptr);
  EXPECT_FALSE(estradas->Valida());
  EXPECT_FALSE(estradas->SimboloAlterado());
  EXPECT_TRUE(Procura(camadas, "Est_Fluviometricas")->SimboloAlterado());

  // With the connection down, every layer exists and none is valid or has its symbol set.
  TConexaoShape caida(pasta.Caminho() + QStringLiteral("/nenhuma"));
  EXPECT_FALSE(caida.Conecta());
  for (const auto& c : AbreTodas(caida)) {
    EXPECT_FALSE(c->Valida());
    EXPECT_FALSE(c->SimboloAlterado());
  }
}
