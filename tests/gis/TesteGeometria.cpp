#include <gtest/gtest.h>

#include "gis/TGeometria.h"

TEST(Geometria, RetanguloEscalaPeloCentro) {
  TRetangulo r(100, 300, 1000, 1400);
  EXPECT_EQ(r.Centro(), (TPontoMapa{200, 1200}));
  r.Escala(0.8);
  EXPECT_DOUBLE_EQ(r.Largura(), 160);
  EXPECT_DOUBLE_EQ(r.Altura(), 320);
  EXPECT_EQ(r.Centro(), (TPontoMapa{200, 1200}));
  r.Escala(1.25);  // back where it was
  EXPECT_DOUBLE_EQ(r.Esquerda(), 100);
  EXPECT_DOUBLE_EQ(r.Topo(), 1400);
  EXPECT_DOUBLE_EQ(TRetangulo(0, 10, 0, 10).Escalado(10.0).Esquerda(), -45);
}

TEST(Geometria, RetanguloVazioAbsorveOPrimeiroPonto) {
  TRetangulo r;
  EXPECT_TRUE(r.Vazio());
  EXPECT_FALSE(r.Contem({0, 0}));
  r.Inclui(TRetangulo());  // an empty one adds nothing
  EXPECT_TRUE(r.Vazio());
  r.Inclui(TPontoMapa{5, -3});
  EXPECT_FALSE(r.Vazio());
  EXPECT_EQ(r, TRetangulo(5, 5, -3, -3));
  r.Inclui(TPontoMapa{-1, 7});
  EXPECT_EQ(r, TRetangulo(-1, 5, -3, 7));
  EXPECT_TRUE(r.Contem({5, 7}));
  EXPECT_TRUE(r.Intercepta(TRetangulo(5, 6, 7, 8)));  // touching counts
  EXPECT_FALSE(r.Intercepta(TRetangulo(5.1, 6, 7, 8)));
}

TEST(Geometria, ExtensaoDeUmaLinha) {
  const TForma linha = TForma::Linha({{3, 4}, {-2, 10}, {7, 6}});
  EXPECT_EQ(linha.Extensao(), TRetangulo(-2, 7, 4, 10));
  EXPECT_TRUE(TForma().Vazia());
  EXPECT_TRUE(TForma().Extensao().Vazio());
}
