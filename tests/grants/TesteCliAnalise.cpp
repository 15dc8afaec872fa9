// `torveda-cli analise` end to end on the sample basin with its grant registers imported: the
// JSON contract, the pictures, the two PDFs, and the failures with their exit codes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <memory>

#include "comum/ExecutaCli.h"
#include "comum/PastaTemporaria.h"

namespace {

using TSaida = TSaidaCli;

TSaida Executa(const QStringList& args) { return ExecutaCli(QStringLiteral(TORVEDA_CLI), args); }

QString TextoDoPdf(const QString& arquivo) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {arquivo, QStringLiteral("-")});
  if (!p.waitForFinished(30000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput())
      .normalized(QString::NormalizationForm_KC)
      .simplified();
}

class CliAnalise : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta = std::make_unique<TPastaTemporaria>();
    const TSaida amostra = Executa({QStringLiteral("amostra"), Dados()});
    ASSERT_EQ(amostra.Codigo, 0) << amostra.Erro.toStdString();
    secoes = amostra.Json.value(QStringLiteral("secoes")).toObject();
    for (const char* registro : {"aqem", "ana"})
      ASSERT_EQ(Executa({QStringLiteral("--dados"), Dados(), QStringLiteral("importa"),
                         QString::fromLatin1(registro)})
                    .Codigo,
                0);
  }
  static void TearDownTestSuite() { pasta.reset(); }

  static QString Dados() { return pasta->Caminho() + QStringLiteral("/basin"); }
  static QStringList Xy(const char* secao) {
    const QJsonObject s = secoes.value(QString::fromLatin1(secao)).toObject();
    return {QStringLiteral("--xy"), QString::number(s.value(QStringLiteral("X")).toDouble(), 'f'),
            QString::number(s.value(QStringLiteral("Y")).toDouble(), 'f')};
  }
  static QStringList Analise(const QStringList& ponto, const QStringList& resto) {
    return QStringList{QStringLiteral("--dados"), Dados(), QStringLiteral("analise")} + ponto +
           resto;
  }
  static QStringList Criterio(const QString& referencia = QStringLiteral("Q710")) {
    return {QStringLiteral("--inicio"),     QStringLiteral("11/2009"),
            QStringLiteral("--fim"),        QStringLiteral("02/2011"),
            QStringLiteral("--vazao"),      QStringLiteral("0.05"),
            QStringLiteral("--percentual"), QStringLiteral("30"),
            QStringLiteral("--referencia"), referencia,
            QStringLiteral("--metodo"),     QStringLiteral("Tradicional")};
  }

  static inline std::unique_ptr<TPastaTemporaria> pasta;
  static inline QJsonObject secoes;
};

}  // namespace

TEST_F(CliAnalise, SecaoNoRioPrincipalComRelatorios) {
  const QString pdfDisp = pasta->Arquivo(QStringLiteral("disp.pdf"));
  const QString pdfMont = pasta->Arquivo(QStringLiteral("mont.pdf"));
  const TSaida s = Executa(Analise(
      Xy("principal"), Criterio() + QStringList{QStringLiteral("--pdf-disponivel"), pdfDisp,
                                                QStringLiteral("--pdf-montante"), pdfMont}));
  ASSERT_EQ(s.Codigo, 0) << s.Erro.toStdString();
  const QJsonObject secao = s.Json.value(QStringLiteral("Secao")).toObject();
  EXPECT_EQ(secao.value(QStringLiteral("NomeRio")).toString(), QStringLiteral("Rio Paracatu"));
  const double q710 = secao.value(QStringLiteral("VazoesTradicional"))
                          .toObject()
                          .value(QStringLiteral("Q710"))
                          .toDouble();
  EXPECT_NEAR(s.Json.value(QStringLiteral("VazaoCriterio")).toDouble(), q710 * 0.3, 1e-12);

  const QJsonObject meses = s.Json.value(QStringLiteral("Meses")).toObject();
  ASSERT_EQ(meses.size(), 16);
  EXPECT_TRUE(meses.contains(QStringLiteral("2009-11")));
  EXPECT_TRUE(meses.contains(QStringLiteral("2011-02")));
  const QStringList classes{QStringLiteral("verde"), QStringLiteral("amarelo"),
                            QStringLiteral("laranja"), QStringLiteral("vermelho")};
  for (const QJsonValue& v : meses) {
    const QJsonObject m = v.toObject();
    EXPECT_DOUBLE_EQ(m.value(QStringLiteral("Total")).toDouble(),
                     m.value(QStringLiteral("Estadual")).toDouble() +
                         m.value(QStringLiteral("Federal")).toDouble());
    EXPECT_EQ(m.value(QStringLiteral("Solicitada")).toDouble(), 0.05);
    EXPECT_TRUE(classes.contains(m.value(QStringLiteral("CorAnterior")).toString()));
    EXPECT_TRUE(classes.contains(m.value(QStringLiteral("CorPosterior")).toString()));
    EXPECT_GE(m.value(QStringLiteral("ParcelaPosterior")).toDouble(),
              m.value(QStringLiteral("ParcelaAnterior")).toDouble());
  }

  const QJsonObject f = s.Json.value(QStringLiteral("FrequenciaCriterio")).toObject();
  int atendidos = 0;
  QString pior;
  double piorValor = 1e300;
  for (auto it = meses.begin(); it != meses.end(); ++it) {
    bool ok = false;
    const double v = QLocale().toDouble(
        it.value().toObject().value(QStringLiteral("DisponivelPosterior")).toString(), &ok);
    ASSERT_TRUE(ok);
    atendidos += v >= 0 ? 1 : 0;
    if (v < piorValor) {
      piorValor = v;
      pior = it.key();
    }
  }
  EXPECT_EQ(f.value(QStringLiteral("Meses")).toInt(), 16);
  EXPECT_EQ(f.value(QStringLiteral("MesesAtendidos")).toInt(), atendidos);
  EXPECT_DOUBLE_EQ(f.value(QStringLiteral("Percentual")).toDouble(), atendidos * 100.0 / 16);
  EXPECT_EQ(f.value(QStringLiteral("PiorMes")).toString(), pior);
  EXPECT_DOUBLE_EQ(f.value(QStringLiteral("PiorDisponivel")).toDouble(), piorValor);

  const QJsonArray imagens = s.Json.value(QStringLiteral("Imagens")).toArray();
  ASSERT_EQ(imagens.size(), 5);
  for (const QJsonValue& i : imagens) EXPECT_EQ(QImage(i.toString()).size(), QSize(798, 175));

  const QString disp = TextoDoPdf(pdfDisp);
  EXPECT_TRUE(disp.contains(QStringLiteral("Relatório de vazões disponíveis")));
  EXPECT_TRUE(disp.contains(QStringLiteral("Rio: Rio Paracatu")));
  EXPECT_TRUE(disp.contains(QStringLiteral("Critério de outorga: 30% da Q710 = ")));
  EXPECT_TRUE(disp.contains(QStringLiteral("Método de regionalização: Tradicional")));
  EXPECT_TRUE(disp.contains(QStringLiteral("Critério atendido em ")));
  for (const char* ano : {"2009", "2010", "2011"})
    EXPECT_GE(disp.count(QString::fromLatin1(ano)), 2) << ano;  // both tables
  const QString mont = TextoDoPdf(pdfMont);
  EXPECT_TRUE(mont.contains(QStringLiteral("Vazão outorgada a montante da seção de interesse")));
  // AQEM, ANA, Total; the first and last years also in the line of the period.
  EXPECT_TRUE(mont.contains(QStringLiteral("Período: 11/2009 a 02/2011")));
  for (const char* ano : {"2009", "2010", "2011"})
    EXPECT_EQ(mont.count(QString::fromLatin1(ano)), QLatin1String(ano) == "2010" ? 3 : 4) << ano;
}

TEST_F(CliAnalise, ReferenciaSemVazaoNaoFazTabelaNemRelatorio) {
  const QString pdf = pasta->Arquivo(QStringLiteral("nao.pdf"));
  const TSaida s =
      Executa(Analise(Xy("principal"), Criterio(QStringLiteral("Q7,10")) +
                                           QStringList{QStringLiteral("--pdf-disponivel"), pdf}));
  EXPECT_EQ(s.Codigo, 1);
  EXPECT_EQ(s.Json.value(QStringLiteral("VazaoCriterio")).toDouble(-1), 0.0);
  EXPECT_TRUE(s.Json.value(QStringLiteral("Imagens")).toArray().isEmpty());
  EXPECT_TRUE(s.Json.value(QStringLiteral("Relatorios")).toArray().isEmpty());
  EXPECT_TRUE(s.Json.value(QStringLiteral("FrequenciaCriterio")).isNull());
  EXPECT_FALSE(QFile::exists(pdf));
  const QJsonObject m =
      s.Json.value(QStringLiteral("Meses")).toObject().value(QStringLiteral("2010-01")).toObject();
  EXPECT_TRUE(m.value(QStringLiteral("ParcelaAnterior")).isNull());
  EXPECT_TRUE(m.value(QStringLiteral("CorPosterior")).isNull());
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("não dá vazão permissível")));
}

TEST_F(CliAnalise, FalhasDeUsoForaDaBaciaEForaDaDrenagem) {
  QStringList criterio = Criterio();
  criterio[5] = QStringLiteral("-1");  // --vazao
  EXPECT_EQ(Executa(Analise(Xy("principal"), criterio)).Codigo, 2);
  criterio = Criterio();
  criterio[1] = QStringLiteral("13/2009");  // --inicio
  EXPECT_EQ(Executa(Analise(Xy("principal"), criterio)).Codigo, 2);

  EXPECT_EQ(Executa(Analise(Xy("foraDaBacia"), Criterio())).Codigo, 3);
  const TSaida s = Executa(Analise(Xy("foraDaDrenagem"), Criterio()));
  EXPECT_EQ(s.Codigo, 1);
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("Favor identificar uma seção de interesse")));
  EXPECT_TRUE(s.Json.value(QStringLiteral("Imagens")).toArray().isEmpty());
}

// Refused before anything loads: 150 % of the reference flow would paint every month green.
TEST_F(CliAnalise, PercentualForaDe1a100EArgumentoRuim) {
  for (const char* pc : {"150", "0"}) {
    QStringList criterio = Criterio();
    criterio[7] = QString::fromLatin1(pc);  // --percentual
    const TSaida s = Executa(Analise(Xy("principal"), criterio));
    EXPECT_EQ(s.Codigo, 2) << pc;
    EXPECT_TRUE(s.Erro.contains(QStringLiteral("de 1 a 100"))) << s.Erro.toStdString();
    EXPECT_TRUE(s.Json.isEmpty());
  }
}

// The pictures are part of what `analise` promises: a folder that refuses them fails the run, and
// the JSON lists only pictures that exist.
TEST_F(CliAnalise, ImagensQueNaoPuderamSerGravadas) {
  const QString relatorios = Dados() + QStringLiteral("/Imagens/Relatórios");
  const QString guardada = relatorios + QStringLiteral(".guardada");
  ASSERT_TRUE(QDir().rename(relatorios, guardada) || !QFileInfo::exists(relatorios));
  pasta->Escreve(QStringLiteral("basin/Imagens/Relatórios"), "um arquivo no lugar da pasta");
  const TSaida s = Executa(Analise(Xy("principal"), Criterio()));
  QFile::remove(relatorios);
  QDir().rename(guardada, relatorios);
  EXPECT_EQ(s.Codigo, 1) << s.Erro.toStdString();
  EXPECT_TRUE(s.Json.value(QStringLiteral("Imagens")).toArray().isEmpty());
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("imagens das tabelas"))) << s.Erro.toStdString();
  EXPECT_FALSE(s.Json.value(QStringLiteral("FrequenciaCriterio")).isNull());
}
