#include <gtest/gtest.h>

#include <vector>

#include "hydro/TFiltroProgresso.h"

// 20 000 records reach the display as at most one notification per step of the bar, every new
// text, and the last position.
TEST(FiltroProgresso, SoOQueMudaAExibicao) {
  std::vector<std::pair<int, QString>> recebidos;
  TFiltroProgresso filtro(
      [&](std::int32_t, std::int32_t pos, const QString& t) { recebidos.emplace_back(pos, t); },
      100);
  const QString a = QStringLiteral("Calculando vazões outorgadas significante...");
  const QString b = QStringLiteral("Calculando vazões outorgadas ANA...");
  for (int i = 1; i <= 20000; ++i) filtro(20000, i, a);
  EXPECT_EQ(recebidos.size(), 101u);  // steps 0 to 100
  EXPECT_EQ(recebidos.front().first, 1);
  EXPECT_EQ(recebidos.back().first, 20000);
  filtro(3, 1, b);
  filtro(3, 1, b);
  filtro(3, 3, b);
  filtro(3, 3, b);  // the last position always passes
  ASSERT_EQ(recebidos.size(), 104u);
  EXPECT_EQ(recebidos[101], std::make_pair(1, b));
}
