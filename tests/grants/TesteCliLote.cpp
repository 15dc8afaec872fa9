// `torveda-cli lote` end to end on the sample basin: answers that agree with separate `analise`
// runs, bad rows answered with their message while the good ones go on, monthly requests, the
// three output formats and the template.

#include <gdal.h>
#include <gtest/gtest.h>
#include <ogr_api.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <memory>

#include "comum/ExecutaGerado.h"
#include "comum/PastaTemporaria.h"

namespace {

struct TSaida {
  int Codigo = -1;
  QByteArray Saida;
  QString Erro;
  QJsonObject Json() const { return QJsonDocument::fromJson(Saida).object(); }
};

// Started without QProcess, so that the ThreadSanitizer pass can run these tests too.
TSaida Executa(const QStringList& args) {
  const TSaidaGerado g = ExecutaGerado(QStringLiteral(TORVEDA_CLI), args);
  return {g.Codigo, g.Saida, g.Erro};
}

QJsonArray LeJson(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QJsonDocument::fromJson(f.readAll()).array();
}

class CliLote : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta = std::make_unique<TPastaTemporaria>();
    const TSaida amostra = Executa({QStringLiteral("amostra"), Dados()});
    ASSERT_EQ(amostra.Codigo, 0) << amostra.Erro.toStdString();
    secoes = amostra.Json().value(QStringLiteral("secoes")).toObject();
    for (const char* registro : {"aqem", "ana"})
      ASSERT_EQ(Executa({QStringLiteral("--dados"), Dados(), QStringLiteral("importa"),
                         QString::fromLatin1(registro)})
                    .Codigo,
                0);
  }
  static void TearDownTestSuite() { pasta.reset(); }

  static QString Dados() { return pasta->Caminho() + QStringLiteral("/basin"); }
  static std::pair<QString, QString> Xy(const char* secao) {
    const QJsonObject s = secoes.value(QString::fromLatin1(secao)).toObject();
    return {QString::number(s.value(QStringLiteral("X")).toDouble(), 'f', 3),
            QString::number(s.value(QStringLiteral("Y")).toDouble(), 'f', 3)};
  }
  static TSaida Lote(const QString& entrada, const QString& saida) {
    return Executa({QStringLiteral("--dados"), Dados(), QStringLiteral("lote"), entrada,
                    QStringLiteral("--saida"), saida});
  }
  // The same request through `analise`: the allowable flow, the smallest availability after the
  // grant and the months of each class.
  static QJsonObject Analise(const char* secao, const QString& percentual, const QString& metodo) {
    const auto [x, y] = Xy(secao);
    const TSaida s = Executa(
        {QStringLiteral("--dados"), Dados(), QStringLiteral("analise"), QStringLiteral("--xy"), x,
         y, QStringLiteral("--inicio"), QStringLiteral("01/2005"), QStringLiteral("--fim"),
         QStringLiteral("12/2012"), QStringLiteral("--vazao"), QStringLiteral("0.02"),
         QStringLiteral("--percentual"), percentual, QStringLiteral("--referencia"),
         QStringLiteral("Q90"), QStringLiteral("--metodo"), metodo});
    return s.Json();
  }

  static inline std::unique_ptr<TPastaTemporaria> pasta;
  static inline QJsonObject secoes;
};

TEST_F(CliLote, ConcordaComAnaliseERespondeLinhasRuins) {
  const auto [px, py] = Xy("principal");
  const auto [cx, cy] = Xy("cabeceira");
  const auto [fx, fy] = Xy("foraDaBacia");
  QByteArray csv = "Identificador;X;Y;Inicio;Fim;Vazao;Percentual;Referencia;Metodo\r\n";
  auto linha = [&](const QString& id, const QString& x, const QString& y, const QString& ini,
                   const QString& fim, const QString& vazao, const QString& pc,
                   const QString& metodo) {
    csv += QStringList{id, x, y, ini, fim, vazao, pc, QStringLiteral("Q90"), metodo}
               .join(QLatin1Char(';'))
               .toUtf8() +
           "\r\n";
  };
  linha("principal", px, py, "01/2005", "12/2012", "0,02", "50", "Tradicional");
  linha("vazia", "", "", "01/2005", "12/2012", "0,02", "50", "Tradicional");
  linha("texto", px, "norte", "01/2005", "12/2012", "0,02", "50", "Tradicional");
  linha("invertida", px, py, "12/2012", "01/2005", "0,02", "50", "Tradicional");
  linha("metodo", px, py, "01/2005", "12/2012", "0,02", "50", "Regressão");
  linha("fora", fx, fy, "01/2005", "12/2012", "0,02", "50", "Tradicional");
  linha("cabeceira", cx, cy, "01/2005", "12/2012", "0.02", "30", "Conserv. de massas");
  linha("percentual", px, py, "01/2005", "12/2012", "0,02", "150", "Tradicional");
  const QString entrada = pasta->Escreve(QStringLiteral("pedidos.csv"), csv);
  const QString saida = pasta->Arquivo(QStringLiteral("respostas.json"));

  const TSaida s = Lote(entrada, saida);
  EXPECT_EQ(s.Codigo, 1) << s.Erro.toStdString();  // not every row answered
  EXPECT_EQ(s.Json().value(QStringLiteral("SemResposta")).toInt(), 6);
  const QJsonArray r = LeJson(saida);
  ASSERT_EQ(r.size(), 8);
  auto situacao = [&](int i) {
    return r[i].toObject().value(QStringLiteral("Situacao")).toString();
  };
  EXPECT_EQ(situacao(0), "ok");
  EXPECT_TRUE(situacao(1).startsWith(QStringLiteral("Colunas X e Y"))) << situacao(1).toStdString();
  EXPECT_TRUE(situacao(2).startsWith(QStringLiteral("Coluna Y"))) << situacao(2).toStdString();
  EXPECT_TRUE(situacao(3).contains(QStringLiteral("anterior ao início")));
  EXPECT_TRUE(situacao(4).startsWith(QStringLiteral("Coluna Metodo")));
  EXPECT_EQ(situacao(5), "A seção de interesse está fora do limite da bacia.");
  EXPECT_EQ(situacao(6), "ok");
  EXPECT_TRUE(situacao(7).startsWith(QStringLiteral("Coluna Percentual: \"150\"")))
      << situacao(7).toStdString();
  EXPECT_EQ(r[1].toObject().value(QStringLiteral("Identificador")).toString(), "vazia");

  // Each answer repeats what was asked: as understood when the row was read, else as written.
  const QJsonObject ok = r[6].toObject();
  EXPECT_EQ(ok.value(QStringLiteral("Inicio")).toString(), "01/2005");
  EXPECT_EQ(ok.value(QStringLiteral("Fim")).toString(), "12/2012");
  EXPECT_EQ(ok.value(QStringLiteral("Percentual")).toInt(), 30);
  EXPECT_EQ(ok.value(QStringLiteral("Referencia")).toString(), "Q90");
  EXPECT_EQ(ok.value(QStringLiteral("Metodo")).toString(), "Conserv. de massas");
  const QJsonObject ruim = r[4].toObject();
  EXPECT_EQ(ruim.value(QStringLiteral("Metodo")).toString(), "Regressão");
  EXPECT_EQ(ruim.value(QStringLiteral("Percentual")).toString(), "50");
  EXPECT_EQ(r[7].toObject().value(QStringLiteral("Percentual")).toString(), "150");

  // Nothing was written to the picture folder (the `analise` runs below do write there).
  EXPECT_TRUE(QDir(Dados() + QStringLiteral("/Imagens/Relatórios"))
                  .entryList({QStringLiteral("*.bmp")})
                  .isEmpty());

  // Field by field against `analise` with the same request.
  const std::pair<int, QJsonObject> pares[] = {
      {0, Analise("principal", QStringLiteral("50"), QStringLiteral("Tradicional"))},
      {6, Analise("cabeceira", QStringLiteral("30"), QStringLiteral("Conserv. de massas"))}};
  for (const auto& [i, a] : pares) {
    const QJsonObject l = r[i].toObject();
    const QJsonObject secao = a.value(QStringLiteral("Secao")).toObject();
    EXPECT_DOUBLE_EQ(l.value(QStringLiteral("VazaoCriterio")).toDouble(),
                     a.value(QStringLiteral("VazaoCriterio")).toDouble());
    EXPECT_DOUBLE_EQ(l.value(QStringLiteral("AreaDrenagem")).toDouble(),
                     secao.value(QStringLiteral("AreaDrenagem")).toDouble());
    EXPECT_EQ(l.value(QStringLiteral("Rio")).toString(),
              secao.value(QStringLiteral("NomeRio")).toString());
    std::map<QString, int> classes;
    double menor = 1e300;
    QString mesMenor;
    const QJsonObject meses = a.value(QStringLiteral("Meses")).toObject();
    ASSERT_EQ(meses.size(), 96);
    for (auto it = meses.begin(); it != meses.end(); ++it) {
      const QJsonObject m = it.value().toObject();
      ++classes[m.value(QStringLiteral("CorPosterior")).toString()];
      const double v =
          m.value(QStringLiteral("DisponivelPosterior")).toString().replace(',', '.').toDouble();
      if (v < menor) {
        menor = v;
        mesMenor = it.key();
      }
    }
    EXPECT_DOUBLE_EQ(l.value(QStringLiteral("MenorDisponivel")).toDouble(), menor);
    EXPECT_EQ(l.value(QStringLiteral("MesMenorDisponivel")).toString(), mesMenor);
    for (const char* c : {"verde", "amarelo", "laranja", "vermelho"}) {
      const QString coluna = QStringLiteral("Meses") + QString::fromLatin1(c).left(1).toUpper() +
                             QString::fromLatin1(c).mid(1);
      EXPECT_EQ(l.value(coluna).toInt(), classes[QString::fromLatin1(c)]) << c;
    }
  }
}

TEST_F(CliLote, PedidoMensalEPlanilhas) {
  const auto [px, py] = Xy("principal");
  // Irrigation from May to September only, in a workbook made from the template.
  const QString modelo = pasta->Arquivo(QStringLiteral("modelo.xlsx"));
  ASSERT_EQ(Executa({QStringLiteral("lote"), QStringLiteral("--modelo"), modelo}).Codigo, 0);

  OGRRegisterAll();
  {
    GDALDatasetH ds = GDALOpenEx(modelo.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_UPDATE,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(ds, nullptr);
    OGRLayerH l = GDALDatasetGetLayer(ds, 0);
    OGRFeatureH f = OGR_L_GetNextFeature(l);
    ASSERT_NE(f, nullptr);
    auto define = [&](const char* campo, const QString& valor) {
      const int i = OGR_F_GetFieldIndex(f, campo);
      ASSERT_GE(i, 0) << campo;
      OGR_F_SetFieldString(f, i, valor.toUtf8().constData());
    };
    define("Identificador", QStringLiteral("sazonal"));
    define("X", px);
    define("Y", py);
    define("Latitude", QString());
    define("Longitude", QString());
    define("Inicio", QStringLiteral("01/2010"));
    define("Fim", QStringLiteral("12/2010"));
    const char* meses[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                           "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
    for (int m = 0; m < 12; ++m)
      define((QStringLiteral("Vazao_") + QString::fromLatin1(meses[m])).toUtf8().constData(),
             m >= 4 && m <= 8 ? QStringLiteral("0,2") : QStringLiteral("0"));
    ASSERT_EQ(OGR_L_SetFeature(l, f), OGRERR_NONE);
    OGR_F_Destroy(f);
    GDALClose(ds);
  }
  const QString saida = pasta->Arquivo(QStringLiteral("respostas.xlsx"));
  const TSaida s = Lote(modelo, saida);
  ASSERT_EQ(s.Codigo, 0) << s.Erro.toStdString() << s.Saida.toStdString();

  GDALDatasetH ds =
      GDALOpenEx(saida.toUtf8().constData(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  ASSERT_NE(ds, nullptr);
  OGRLayerH l = GDALDatasetGetLayer(ds, 0);
  ASSERT_EQ(OGR_L_GetFeatureCount(l, TRUE), 1);
  OGRFeatureH f = OGR_L_GetNextFeature(l);
  ASSERT_NE(f, nullptr);
  EXPECT_STREQ(OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "Situacao")), "ok");
  const double criterio = OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "VazaoCriterio"));
  EXPECT_GT(criterio, 0.0);
  // The worst month lies in the irrigation season: the request adds 0,2 m³/s only then.
  const QString mes =
      QString::fromUtf8(OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "MesMenorDisponivel")));
  const int m = mes.mid(5).toInt();
  EXPECT_TRUE(m >= 5 && m <= 9) << mes.toStdString();
  OGR_F_Destroy(f);
  GDALClose(ds);

  // The CSV answer of the same request, with its ";" and decimal commas.
  const QString csv = pasta->Arquivo(QStringLiteral("respostas.csv"));
  ASSERT_EQ(Lote(modelo, csv).Codigo, 0);
  QFile c(csv);
  ASSERT_TRUE(c.open(QIODevice::ReadOnly));
  const QList<QByteArray> linhas = c.readAll().split('\n');
  ASSERT_GE(linhas.size(), 2);
  EXPECT_TRUE(linhas[0].startsWith("Identificador;Situacao;Rio;"));
  EXPECT_TRUE(linhas[1].startsWith("sazonal;ok;"));
}

// The template is a request sheet whose example row is answered on the sample basin.
TEST_F(CliLote, ModeloRespondidoOk) {
  const QString modelo = pasta->Arquivo(QStringLiteral("exemplo.xlsx"));
  ASSERT_EQ(Executa({QStringLiteral("lote"), QStringLiteral("--modelo"), modelo}).Codigo, 0);
  OGRRegisterAll();
  GDALDatasetH ds =
      GDALOpenEx(modelo.toUtf8().constData(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  ASSERT_NE(ds, nullptr);
  EXPECT_STREQ(OGR_L_GetName(GDALDatasetGetLayer(ds, 0)), "Pedidos");
  GDALClose(ds);

  const QString saida = pasta->Arquivo(QStringLiteral("exemplo.json"));
  const TSaida s = Lote(modelo, saida);
  EXPECT_EQ(s.Codigo, 0) << s.Erro.toStdString();
  const QJsonArray r = LeJson(saida);
  ASSERT_EQ(r.size(), 1);
  EXPECT_EQ(r[0].toObject().value(QStringLiteral("Situacao")).toString(), "ok");
}

// A full disk cuts the answers short without a failing call: the run must say so, exit 1 and leave
// no file under the name, in every output format. A file-size limit (2 KiB) plays the full disk;
// the shell ignores the signal the limit raises, so the writes fail instead.
TEST_F(CliLote, DiscoCheioNaoDeixaArquivoCortado) {
  QByteArray csv =
      "Identificador;Latitude;Longitude;Inicio;Fim;Vazao;Percentual;Referencia;"
      "Metodo\n";
  for (int i = 0; i < 10; ++i)
    csv += QByteArray("P") + QByteArray::number(i) +
           ";163602;461328;01/2000;12/2030;0,05;50;Q710;Tradicional\n";
  const QString entrada = pasta->Escreve(QStringLiteral("pedidos_disco_cheio.csv"), csv);
  for (const char* ext : {"csv", "json", "xlsx"}) {
    const QString saida = pasta->Arquivo(QStringLiteral("cheio.") + QLatin1String(ext));
    const TSaidaGerado p = ExecutaGerado(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f 4; exec \"$0\" \"$@\""),
         QStringLiteral(TORVEDA_CLI), QStringLiteral("--dados"), Dados(), QStringLiteral("lote"),
         entrada, QStringLiteral("--saida"), saida});
    EXPECT_EQ(p.Codigo, 1) << ext << p.Erro.toStdString();
    EXPECT_TRUE(p.Erro.contains(QStringLiteral("Não foi possível gravar o arquivo"))) << ext;
    EXPECT_TRUE(QJsonDocument::fromJson(p.Saida).isNull()) << ext;
    EXPECT_FALSE(QFile::exists(saida)) << ext;
  }
}

TEST_F(CliLote, EntradaIlegivel) {
  const TSaida s = Lote(pasta->Escreve(QStringLiteral("ruim.csv"), "Nome;Valor\na;1\n"),
                        pasta->Arquivo(QStringLiteral("r.csv")));
  EXPECT_EQ(s.Codigo, 1);
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("Faltam colunas"))) << s.Erro.toStdString();
  EXPECT_FALSE(QFile::exists(pasta->Arquivo(QStringLiteral("r.csv"))));
  EXPECT_EQ(Executa({QStringLiteral("lote"), QStringLiteral("a.csv")}).Codigo, 2);

  // A quote never closed would swallow every later row: the line where it opened is named.
  const TSaida aspas = Lote(pasta->Escreve(QStringLiteral("aspas.csv"),
                                           "Identificador;X;Y;Inicio;Fim;Vazao;Percentual;"
                                           "Referencia;Metodo\n"
                                           "a;1;2;01/2005;12/2012;0,02;50;Q90;Tradicional\n"
                                           "\"b;1;2;01/2005;12/2012;0,02;50;Q90;Tradicional\n"
                                           "c;1;2;01/2005;12/2012;0,02;50;Q90;Tradicional\n"),
                            pasta->Arquivo(QStringLiteral("aspas.json")));
  EXPECT_EQ(aspas.Codigo, 1);
  EXPECT_TRUE(aspas.Erro.contains(QStringLiteral("linha 3"))) << aspas.Erro.toStdString();
  EXPECT_FALSE(QFile::exists(pasta->Arquivo(QStringLiteral("aspas.json"))));
}

// Several threads answer in input order exactly what one answers: mixed rows (every ready-made
// section, points beside them, a row that cannot be read), with the downstream check.
TEST_F(CliLote, TarefasRespondemComoUma) {
  QByteArray csv = "Identificador;X;Y;Inicio;Fim;Vazao;Percentual;Referencia;Metodo\n";
  const QStringList nomes = secoes.keys();
  const char* metodos[] = {"Tradicional", "Proporc. de vazões", "Conserv. de massas"};
  for (int i = 0; i < 36; ++i) {
    auto [x, y] = Xy(nomes[i % nomes.size()].toUtf8().constData());
    if (i % 4 == 3) x = QString::number(x.toDouble() + 90.0 * (i % 3 - 1), 'f', 1);
    if (i == 17) y = QStringLiteral("sul");
    csv += QStringLiteral("P%1;%2;%3;01/%4;12/2015;0,0%5;%6;%7;%8\n")
               .arg(i)
               .arg(x, y)
               .arg(2000 + i % 9)
               .arg(1 + i % 9)
               .arg(10 + 10 * (i % 9))
               .arg(QStringLiteral("Q90"), QString::fromUtf8(metodos[i % 3]))
               .toUtf8();
  }
  const QString entrada = pasta->Escreve(QStringLiteral("tarefas.csv"), csv);
  auto responde = [&](const QString& tarefas) {
    const QString saida = pasta->Arquivo(QStringLiteral("tarefas-%1.csv").arg(tarefas));
    const TSaida s = Executa({QStringLiteral("--dados"), Dados(), QStringLiteral("lote"), entrada,
                              QStringLiteral("--saida"), saida, QStringLiteral("--jusante"),
                              QStringLiteral("--tarefas"), tarefas});
    EXPECT_EQ(s.Codigo, 1) << s.Erro.toStdString();  // some rows are not answered "ok"
    QFile f(saida);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  const QByteArray uma = responde(QStringLiteral("1"));
  EXPECT_EQ(uma.count("\n"), 37);
  EXPECT_GE(uma.count(";ok;"), 12);
  EXPECT_EQ(responde(QStringLiteral("3")), uma);

  for (const QStringList& ruim : {QStringList{QStringLiteral("--tarefas"), QStringLiteral("0")},
                                  QStringList{QStringLiteral("--tarefas"), QStringLiteral("duas")},
                                  QStringList{QStringLiteral("--tarefas")}}) {
    const TSaida s =
        Executa(QStringList{QStringLiteral("--dados"), Dados(), QStringLiteral("lote"), entrada,
                            QStringLiteral("--saida"), pasta->Arquivo(QStringLiteral("ruim.csv"))} +
                ruim);
    EXPECT_EQ(s.Codigo, 2) << ruim.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(s.Erro.contains(QStringLiteral("--tarefas pede"))) << s.Erro.toStdString();
  }
}

}  // namespace
