// Reading grant requests from a table row: headings as people write them, and every kind of bad
// cell answered with a message naming its column.

#include <gtest/gtest.h>

#include "base/Erro.h"
#include "grants/Lote.h"

namespace {

const QStringList Cabecalho{"Identificador", "X",          "Y",          "Início", "FIM",
                            "Vazão",         "Percentual", "Referência", "método"};

QStringList Linha(const QString& x, const QString& y, const QString& ini, const QString& fim,
                  const QString& vazao, const QString& pc, const QString& ref,
                  const QString& metodo) {
  return {QStringLiteral("P"), x, y, ini, fim, vazao, pc, ref, metodo};
}

QStringList Boa() {
  return Linha("270000", "8286000,5", "05/2020", "04/2021", "0.5", "50", "Q710",
               "Proporc. de vazões");
}

TEST(Lote, LeUmPedido) {
  const TLeitorPedidos leitor(Cabecalho);
  QString erro;
  const auto p = leitor.Le(Boa(), erro);
  ASSERT_TRUE(p) << erro.toStdString();
  EXPECT_EQ(p->Identificador, "P");
  EXPECT_DOUBLE_EQ(p->Ponto.X, 270000.0);
  EXPECT_DOUBLE_EQ(p->Ponto.Y, 8286000.5);
  EXPECT_EQ(p->Entradas.Inicio, QDate(2020, 5, 1));
  EXPECT_EQ(p->Entradas.Fim, QDate(2021, 4, 1));
  // A point typed as the decimal mark is the regional comma, as in the grant window.
  EXPECT_EQ(p->Entradas.VazaoSolicitada, "0,5");
  EXPECT_EQ(p->VazaoMensal[0], "0,5");
  EXPECT_EQ(p->VazaoMensal[11], "0,5");
  EXPECT_EQ(p->Entradas.Criterio.Percentual, "50");
  EXPECT_EQ(p->Entradas.Criterio.Referencia, "Q710");
  EXPECT_EQ(p->Entradas.Criterio.Metodo, "Proporc. de vazões");

  // Names written without accents or in other cases mean the same items.
  QStringList l = Boa();
  l[7] = QStringLiteral("q7,10");
  l[8] = QStringLiteral("CONSERV DE MASSAS");
  const auto q = leitor.Le(l, erro);
  ASSERT_TRUE(q) << erro.toStdString();
  EXPECT_EQ(q->Entradas.Criterio.Referencia, "Q710");
  EXPECT_EQ(q->Entradas.Criterio.Metodo, "Conserv. de massas");
}

TEST(Lote, CelulasRuinsNomeiamSuaColuna) {
  const TLeitorPedidos leitor(Cabecalho);
  struct TCaso {
    int Coluna;
    QString Valor;
    QString Citado;
  };
  const TCaso casos[] = {
      {1, "", "Colunas X e Y"},         // both coordinates empty (with Y below)
      {1, "abc", "Coluna X"},           // text in a number
      {3, "13/2020", "Coluna Inicio"},  // not a month
      {4, "1979-12", "Coluna Fim"},     // before the first year
      {4, "04/2020", "Coluna Fim"},     // end before start
      {5, "-1", "Coluna Vazao"},        {5, "", "Coluna Vazao"},
      {6, "50,5", "Coluna Percentual"}, {6, "0", "Coluna Percentual"},
      {6, "150", "Coluna Percentual"},  {6, "", "Coluna Percentual"},
      {7, "Q50", "Coluna Referencia"},  {8, "Regressão", "Coluna Metodo"},
  };
  for (const TCaso& c : casos) {
    QStringList l = Boa();
    l[c.Coluna] = c.Valor;
    if (c.Citado.startsWith(QStringLiteral("Colunas X"))) l[2].clear();
    QString erro;
    EXPECT_FALSE(leitor.Le(l, erro)) << c.Valor.toStdString();
    EXPECT_TRUE(erro.startsWith(c.Citado)) << erro.toStdString();
  }
  QString erro;
  QStringList l = Boa();
  l[4] = QStringLiteral("04/2020");
  leitor.Le(l, erro);
  EXPECT_TRUE(erro.contains(QStringLiteral("anterior ao início"))) << erro.toStdString();
  EXPECT_EQ(leitor.Identificador(l), "P");
}

TEST(Lote, LatitudeLongitudeEMesesProprios) {
  QStringList colunas{"Identificador", "Latitude",   "Longitude",  "Inicio",
                      "Fim",           "Percentual", "Referencia", "Metodo"};
  colunas << ColunasVazaoMensal();
  const TLeitorPedidos leitor(colunas);
  QStringList l{"Irrigação", "152930", "470910", "01/2020", "12/2020", "30", "Q95", "Tradicional"};
  for (int m = 1; m <= 12; ++m)
    l << (m >= 5 && m <= 9 ? QStringLiteral("0,2") : QStringLiteral("0"));
  QString erro;
  const auto p = leitor.Le(l, erro);
  ASSERT_TRUE(p) << erro.toStdString();
  // 15°29'30" S, 47°09'10" W in the basin's projected system (checked with cs2cs).
  EXPECT_NEAR(p->Ponto.X, 269041.386, 0.01);
  EXPECT_NEAR(p->Ponto.Y, 8286112.632, 0.01);
  EXPECT_EQ(p->VazaoMensal[0], "0");
  EXPECT_EQ(p->VazaoMensal[4], "0,2");
  EXPECT_EQ(p->VazaoMensal[9], "0");

  // A month left blank is named, not taken as zero.
  QStringList falta = l;
  falta[8 + 6].clear();
  EXPECT_FALSE(leitor.Le(falta, erro));
  EXPECT_EQ(erro.left(16), "Coluna Vazao_Jul");

  // A spreadsheet that took the latitude for a number dropped its leading zero: the same point.
  QStringList zero = l;
  zero[1] = QStringLiteral("052930");
  const auto comZero = leitor.Le(zero, erro);
  zero[1] = QStringLiteral("52930");
  const auto semZero = leitor.Le(zero, erro);
  ASSERT_TRUE(comZero && semZero) << erro.toStdString();
  EXPECT_EQ(semZero->Ponto.X, comZero->Ponto.X);
  EXPECT_EQ(semZero->Ponto.Y, comZero->Ponto.Y);

  const std::pair<const char*, const char*> ruins[] = {{"15x930", "Coluna Latitude: "},
                                                       {"153075", "Coluna Latitude: "},
                                                       {"156030", "Coluna Latitude: "}};
  for (const auto& [texto, inicio] : ruins) {
    zero[1] = QString::fromLatin1(texto);
    EXPECT_FALSE(leitor.Le(zero, erro)) << texto;
    EXPECT_TRUE(erro.startsWith(QString::fromLatin1(inicio)) && erro.contains(texto))
        << erro.toStdString();
  }
  zero = l;
  zero[2] = QStringLiteral("470999");
  EXPECT_FALSE(leitor.Le(zero, erro));
  EXPECT_TRUE(erro.startsWith(QStringLiteral("Coluna Longitude: ")) && erro.contains("segundos"))
      << erro.toStdString();
}

TEST(Lote, CabecalhoIncompleto) {
  try {
    TLeitorPedidos({"Identificador", "X", "Inicio", "Fim", "Vazao", "Referencia"});
    FAIL();
  } catch (const ETorveda& e) {
    EXPECT_EQ(e.mensagem(),
              "Faltam colunas na tabela de pedidos: X e Y (ou Latitude e "
              "Longitude), Percentual, Metodo.");
  }
  // The template's own headings describe a request.
  EXPECT_NO_THROW(TLeitorPedidos{ColunasPedidoLote()});
  EXPECT_EQ(ExemploPedidoLote().size(), ColunasPedidoLote().size());
}

}  // namespace
