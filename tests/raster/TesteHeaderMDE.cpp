#include <gtest/gtest.h>

#include "base/Erro.h"
#include "comum/PastaTemporaria.h"
#include "raster/THeaderMDE.h"

TEST(HeaderMDE, CamposDasSeisLinhasComRotuloSoPelaLargura) {
  TPastaTemporaria pasta;
  // Labels are not checked, only their 14-character width; comma and point read alike; the
  // seventh line onward is ignored.
  const QString arquivo = pasta.Escreve(QStringLiteral("Header.hdr"),
                                        "ncols         5000\r\n"
                                        "qualquer coisa4000\r\n"
                                        "xllcorner     250000,5\r\n"
                                        "yllcorner     8200000.25\r\n"
                                        "cellsize        50\r\n"
                                        "NODATA_value  -9999\r\n"
                                        "isto nao e lido\r\n");
  THeaderMDE h;
  ASSERT_TRUE(h.Carrega(arquivo));
  EXPECT_EQ(h.NCols(), 5000);
  EXPECT_EQ(h.NRows(), 4000);
  EXPECT_DOUBLE_EQ(h.XllCorner(), 250000.5);
  EXPECT_DOUBLE_EQ(h.YllCorner(), 8200000.25);
  EXPECT_DOUBLE_EQ(h.CellSize(), 50.0);
  EXPECT_EQ(h.NoDataValue(), -9999);
}

TEST(HeaderMDE, AusenteDevolveFalsoECamposZerados) {
  TPastaTemporaria pasta;
  THeaderMDE h;
  EXPECT_FALSE(h.Carrega(pasta.Arquivo(QStringLiteral("Header.hdr"))));
  EXPECT_EQ(h.NCols(), 0);
  EXPECT_EQ(h.CellSize(), 0.0);
}

TEST(HeaderMDE, MalformadoLancaENaoMudaNada) {
  TPastaTemporaria pasta;
  THeaderMDE h;
  ASSERT_TRUE(h.Carrega(pasta.Escreve(QStringLiteral("a.hdr"),
                                      "ncols         3\nnrows         2\nxllcorner     1\n"
                                      "yllcorner     2\ncellsize      3\nNODATA_value  4\n")));
  const QByteArray casos[] = {
      "ncols         3,5\nnrows         2\nxllcorner     1\nyllcorner     2\ncellsize      3\n"
      "NODATA_value  4\n",  // integers must be whole
      "ncols         3\nnrows         2\nxllcorner     1\nyllcorner     dois\ncellsize      3\n"
      "NODATA_value  4\n",
      "ncols         3\nnrows         2\nxllcorner     1\n",  // fewer than six lines
      "ncols         99999999999\nnrows         2\nxllcorner     1\nyllcorner     2\n"
      "cellsize      3\nNODATA_value  4\n",
  };
  for (const auto& conteudo : casos) {
    EXPECT_THROW(h.Carrega(pasta.Escreve(QStringLiteral("b.hdr"), conteudo)), ETorveda)
        << conteudo.constData();
    EXPECT_EQ(h.NCols(), 3);
    EXPECT_EQ(h.XllCorner(), 1.0);
  }
}
