// Request and answer tables: CSV as office suites write it under Portuguese and English settings,
// and workbooks written by us and read back by GDAL.

#include <gdal.h>
#include <gtest/gtest.h>
#include <ogr_api.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/Erro.h"
#include "comum/PastaTemporaria.h"
#include "data/ArquivoTabela.h"

namespace {

TEST(ArquivoTabela, CamposCsvComAspas) {
  EXPECT_EQ(CamposCsv(QStringLiteral("a;\"b;c\";\"d \"\"e\"\"\";"), QLatin1Char(';')),
            (QStringList{"a", "b;c", "d \"e\"", ""}));
  EXPECT_EQ(CamposCsv(QStringLiteral("1,\"0,5\", x "), QLatin1Char(',')),
            (QStringList{"1", "0,5", "x"}));
}

TEST(ArquivoTabela, CsvComPontoEVirgulaOuVirgula) {
  TPastaTemporaria pasta;
  // Semicolons and decimal commas, a byte-order mark, CRLF, a quoted line break, a blank row.
  const QString a = pasta.Escreve(QStringLiteral("pt.csv"),
                                  "\xEF\xBB\xBFIdentificador;Vaz\xC3\xA3o;Obs\r\nP1;0,5;"
                                  "\"duas\nlinhas\"\r\n;;\r\nP2;1,25;\r\n");
  const TTabelaLida t = LeTabela(a);
  EXPECT_EQ(t.Colunas, (QStringList{"Identificador", "Vazão", "Obs"}));
  ASSERT_EQ(t.Linhas.size(), 2u);
  EXPECT_EQ(t.Linhas[0], (QStringList{"P1", "0,5", "duas\nlinhas"}));
  EXPECT_EQ(t.Linhas[1], (QStringList{"P2", "1,25", ""}));

  // Commas between fields: a decimal comma then comes quoted.
  const QString b =
      pasta.Escreve(QStringLiteral("en.csv"), "Identificador,Vazao\nP1,\"0,5\"\nP2,0.75\n");
  const TTabelaLida u = LeTabela(b);
  ASSERT_EQ(u.Linhas.size(), 2u);
  EXPECT_EQ(u.Linhas[0], (QStringList{"P1", "0,5"}));
  EXPECT_EQ(u.Linhas[1], (QStringList{"P2", "0.75"}));
}

TEST(ArquivoTabela, ArquivosRecusados) {
  TPastaTemporaria pasta;
  EXPECT_THROW(LeTabela(pasta.Arquivo(QStringLiteral("falta.csv"))), ETorveda);
  EXPECT_THROW(LeTabela(pasta.Escreve(QStringLiteral("a.txt"), "x\n1\n")), ETorveda);
  EXPECT_THROW(LeTabela(pasta.Escreve(QStringLiteral("vazio.csv"), "\n\n")), ETorveda);
  EXPECT_THROW(LeTabela(pasta.Escreve(QStringLiteral("lixo.xlsx"), "não é planilha")), ETorveda);
}

// A quote never closed is named at the line it opened, counting the lines of closed fields that
// span two lines before it, instead of merging every later row into one field.
TEST(ArquivoTabela, AspaSemFechamentoNomeiaSuaLinha) {
  TPastaTemporaria pasta;
  const QString a = pasta.Escreve(QStringLiteral("aspas.csv"),
                                  "Id;Obs\r\nP1;\"duas\r\nlinhas\"\r\nP2;\"x\"\"y\r\nP3;z\r\n");
  try {
    LeTabela(a);
    FAIL();
  } catch (const ETorveda& e) {
    EXPECT_TRUE(e.mensagem().contains(QStringLiteral("aspas sem fechamento")) &&
                e.mensagem().contains(QStringLiteral("linha 4")))
        << e.mensagem().toStdString();
  }
}

TEST(ArquivoTabela, EscritorCsvEJson) {
  TPastaTemporaria pasta;
  const QString csv = pasta.Arquivo(QStringLiteral("r.csv"));
  {
    TEscritorTabela e(csv, {QStringLiteral("Id"), QStringLiteral("Valor"), QStringLiteral("Obs")});
    e.Escreve({QStringLiteral("a;b"), 0.5, QVariant()});
    e.Escreve({QStringLiteral("c"), 8144195.5, QStringLiteral("x")});
    e.Conclui();
  }
  const TTabelaLida t = LeTabela(csv);
  ASSERT_EQ(t.Linhas.size(), 2u);
  EXPECT_EQ(t.Linhas[0], (QStringList{"a;b", "0,5", ""}));
  EXPECT_EQ(t.Linhas[1], (QStringList{"c", "8144195,5", "x"}));

  const QString json = pasta.Arquivo(QStringLiteral("r.json"));
  {
    TEscritorTabela e(json, {QStringLiteral("Id"), QStringLiteral("Valor")});
    e.Escreve({QStringLiteral("a"), 0.5});
    e.Escreve({QStringLiteral("b"), QVariant()});
    e.Conclui();
  }
  QFile f(json);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QJsonArray a = QJsonDocument::fromJson(f.readAll()).array();
  ASSERT_EQ(a.size(), 2);
  EXPECT_EQ(a[0].toObject().value(QStringLiteral("Valor")).toDouble(), 0.5);
  EXPECT_TRUE(a[1].toObject().value(QStringLiteral("Valor")).isNull());
}

TEST(ArquivoTabela, EscritorAbandonadoNaoDeixaArquivo) {
  TPastaTemporaria pasta;
  for (const char* nome : {"r.csv", "r.xlsx", "r.json"}) {
    const QString arquivo = pasta.Arquivo(QString::fromLatin1(nome));
    {
      TEscritorTabela e(arquivo, {QStringLiteral("Id")});
      e.Escreve({QStringLiteral("a")});
    }
    EXPECT_FALSE(QFile::exists(arquivo)) << nome;
    EXPECT_EQ(QDir(pasta.Caminho()).entryList(QDir::Files | QDir::Hidden).size(), 0) << nome;
  }
}

// The workbook as GDAL reads it: typed numbers, texts, blanks.
TEST(ArquivoTabela, PlanilhaLidaPeloGdal) {
  TPastaTemporaria pasta;
  const QString xlsx = pasta.Arquivo(QStringLiteral("r.xlsx"));
  {
    TEscritorTabela e(xlsx, {QStringLiteral("Id"), QStringLiteral("Vazão"), QStringLiteral("N")});
    e.Escreve({QStringLiteral("Seção á"), 1234567.125, 3});
    e.Escreve({QStringLiteral("b"), QVariant(), 4});
    e.Conclui();
  }
  OGRRegisterAll();
  GDALDatasetH ds =
      GDALOpenEx(xlsx.toUtf8().constData(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  ASSERT_NE(ds, nullptr);
  OGRLayerH l = GDALDatasetGetLayer(ds, 0);
  OGRFeatureDefnH d = OGR_L_GetLayerDefn(l);
  ASSERT_EQ(OGR_FD_GetFieldCount(d), 3);
  EXPECT_STREQ(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(d, 1)), "Vazão");
  EXPECT_EQ(OGR_Fld_GetType(OGR_FD_GetFieldDefn(d, 1)), OFTReal);
  OGRFeatureH f = OGR_L_GetNextFeature(l);
  ASSERT_NE(f, nullptr);
  EXPECT_STREQ(OGR_F_GetFieldAsString(f, 0), "Seção á");
  EXPECT_DOUBLE_EQ(OGR_F_GetFieldAsDouble(f, 1), 1234567.125);
  OGR_F_Destroy(f);
  f = OGR_L_GetNextFeature(l);
  ASSERT_NE(f, nullptr);
  EXPECT_FALSE(OGR_F_IsFieldSetAndNotNull(f, 1));
  OGR_F_Destroy(f);
  GDALClose(ds);

  // And by our own reader, numbers with the regional comma.
  const TTabelaLida t = LeTabela(xlsx);
  ASSERT_EQ(t.Linhas.size(), 2u);
  EXPECT_EQ(t.Linhas[0], (QStringList{"Seção á", "1234567,125", "3"}));
  EXPECT_EQ(t.Linhas[1], (QStringList{"b", "", "4"}));
}

}  // namespace
