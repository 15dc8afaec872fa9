#include <gtest/gtest.h>

#include "hydro/Calendario.h"

using Calendario::DataDeDias;
using Calendario::DiasDeData;
using Calendario::IncAno;
using Calendario::IncMes;

TEST(Calendario, ContaMesesInclusivo) {
  EXPECT_EQ(ContaMeses(QDate(2004, 3, 15), QDate(2007, 3, 14)), 37);
  EXPECT_EQ(ContaMeses(QDate(2004, 3, 1), QDate(2004, 3, 31)), 1);
  EXPECT_EQ(ContaMeses(QDate(2004, 12, 31), QDate(2005, 1, 1)), 2);
  EXPECT_EQ(ContaMeses(QDate(2004, 3, 15), QDate(2004, 2, 28)), 0);
  EXPECT_EQ(ContaMeses(QDate(2005, 3, 15), QDate(2004, 2, 28)), -12);
  EXPECT_EQ(ContaMeses(DiasDeData(QDate(2004, 3, 15)), DiasDeData(QDate(2007, 3, 14))), 37);
}

TEST(Calendario, DiasDesde1899) {
  EXPECT_EQ(DataDeDias(0), QDate(1899, 12, 30));
  EXPECT_EQ(DataDeDias(2), QDate(1900, 1, 1));
  // A time of day is dropped.
  EXPECT_EQ(DataDeDias(38353.75), QDate(2005, 1, 1));
  EXPECT_EQ(DiasDeData(QDate(2005, 1, 1)), 38353.0);
}

TEST(Calendario, PassoMensalComDiaLimitado) {
  // From 31 January each step lands on the clamped day and never skips or repeats a month.
  QDate d(2005, 1, 31);
  d = IncMes(d);
  EXPECT_EQ(d, QDate(2005, 2, 28));
  int mesEsperado = 2;
  int anoEsperado = 2005;
  for (int i = 0; i < 24; ++i) {
    EXPECT_EQ(d.month(), mesEsperado);
    EXPECT_EQ(d.year(), anoEsperado);
    d = IncMes(d);
    if (++mesEsperado == 13) mesEsperado = 1, ++anoEsperado;
  }
  EXPECT_EQ(IncMes(QDate(2004, 1, 31)), QDate(2004, 2, 29));
  EXPECT_EQ(IncAno(QDate(2004, 2, 29), 1), QDate(2005, 2, 28));
  EXPECT_EQ(IncAno(QDate(2004, 2, 29), 4), QDate(2008, 2, 29));
  EXPECT_EQ(IncAno(QDate(2006, 6, 10), 3), QDate(2009, 6, 10));
}
