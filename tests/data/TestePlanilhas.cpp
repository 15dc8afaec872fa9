// The register sheets read from real workbooks, .xls and .xlsx alike: headings found exactly,
// cells as text, number or date, empty cells, walking the rows, and the errors that name what
// is missing.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include "ArvoreDados.h"
#include "base/Erro.h"
#include "data/TLivroPlanilha.h"
#include "data/TTabelaPlanilha.h"

namespace {

QString Mensagem(const std::function<void()>& f) {
  try {
    f();
  } catch (const ETorveda& e) {
    return e.mensagem();
  }
  return QStringLiteral("(nenhum erro)");
}

// Day counts of the fixture dates.
constexpr double Dia_2005_03_15 = 38426;
constexpr double Dia_1999_12_31 = 36525;
constexpr double Dia_2010_01_02 = 40180;
constexpr double Dia_2039_11_03 = 51077;

class Planilhas : public ::testing::TestWithParam<const char*> {
 protected:
  void Abre(TLivroPlanilha& livro, const char* nome) {
    livro.DefineArquivo(TArvoreDados::PastaPlanilhas() + QLatin1Char('/') +
                        QString::fromLatin1(nome) + QLatin1Char('.') +
                        QString::fromLatin1(GetParam()));
    livro.Abre();
  }
};

}  // namespace

TEST_P(Planilhas, OutorgasSuperficiaisCelulaACelula) {
  TLivroPlanilha livro;
  Abre(livro, "aqem");
  EXPECT_EQ(livro.Folhas(),
            (QStringList{"Outorgas Água Superficial", "Certidões de Uso Insignificante",
                         "Outorgas Água Subterrânea"}));
  TTabelaPlanilha t(QStringLiteral("Outorgas Água Superficial"));
  EXPECT_EQ(t.NomeTabela(), QStringLiteral("'Outorgas Água Superficial$'"));
  t.Abre(livro);
  ASSERT_TRUE(t.Ativa());
  EXPECT_EQ(t.Arquivo(), livro.Arquivo());
  ASSERT_EQ(t.NumLinhas(), 3);
  EXPECT_EQ(t.Colunas().size(), 21);

  t.Primeiro();
  EXPECT_EQ(t.Texto("Nº Processo"), QStringLiteral("01234/2005"));  // leading zero kept
  EXPECT_EQ(t.Texto("Município"), QStringLiteral("Unaí"));
  EXPECT_EQ(t.Data("Data entrada"), Dia_2005_03_15);
  EXPECT_EQ(t.Texto("Data entrada"), QStringLiteral("15/03/2005"));
  EXPECT_EQ(t.Numero("Nº Portaria"), 101.0);
  EXPECT_EQ(t.Texto("Nº Portaria"), QStringLiteral("101"));
  // Coordinates stored as numbers read as their six digits.
  EXPECT_EQ(t.Texto("Latitude"), QStringLiteral("194530"));
  EXPECT_EQ(t.Numero("Longitude"), 434512.0);
  EXPECT_DOUBLE_EQ(t.Numero("Vazão (m³/s)"), 0.25);
  EXPECT_EQ(t.Texto("Vazão (m³/s)"), QStringLiteral("0,25"));  // regional decimal separator
  EXPECT_EQ(t.Texto("Local"), QStringLiteral("Captação a fio d'água"));
  EXPECT_EQ(t.TipoColuna("Data Publicação"), TTipoColunaPlanilha::Data);
  EXPECT_EQ(t.TipoColuna("Requerente"), TTipoColunaPlanilha::Texto);

  // A row of empty cells reads as empty text, zero and the zero date, by column type.
  t.Proximo();
  EXPECT_EQ(t.Texto("Requerente"), QStringLiteral("Sem Coordenadas Ltda."));
  for (const char* c : {"Nº Processo", "Data entrada", "Nº Portaria", "Latitude", "Obs"}) {
    EXPECT_TRUE(t.Vazio(c)) << c;
    EXPECT_EQ(t.Texto(c), QString()) << c;
    EXPECT_EQ(t.Numero(c), 0.0) << c;
    EXPECT_EQ(t.Data(c), 0.0) << c;
    EXPECT_FALSE(t.Valor(c).isValid()) << c;
  }
  EXPECT_FALSE(t.Vazio("Vazão (m³/s)"));

  t.Proximo();
  EXPECT_DOUBLE_EQ(t.Data("Data entrada"), Dia_2010_01_02 + 0.4375);  // 10:30
  EXPECT_EQ(t.Texto("Data entrada"), QStringLiteral("02/01/2010 10:30:00"));
  EXPECT_EQ(t.Data("Data Publicação"), Dia_1999_12_31);
  EXPECT_EQ(t.Numero("Vazão (m³/s)"), -0.125);
  EXPECT_EQ(t.Texto("Requerente"), QStringLiteral("José da Conceição"));

  t.Proximo();
  EXPECT_TRUE(t.Fim());
  EXPECT_THROW(t.Texto("Requerente"), ETorveda);
  t.Proximo();  // stays at the end
  EXPECT_TRUE(t.Fim());
  t.Primeiro();
  EXPECT_FALSE(t.Fim());
  EXPECT_EQ(t.Linha(), 0);
}

TEST_P(Planilhas, SubterraneasECertidoes) {
  TLivroPlanilha livro;
  Abre(livro, "aqem");
  TTabelaPlanilha sub(QStringLiteral("Outorgas Água Subterrânea"));
  sub.Abre(livro);
  ASSERT_EQ(sub.NumLinhas(), 1);
  // In the groundwater sheet the m³/s column holds text.
  EXPECT_EQ(sub.TipoColuna("Vazão (m³/s)"), TTipoColunaPlanilha::Texto);
  EXPECT_EQ(sub.Texto("Vazão (m³/s)"), QStringLiteral("ver m³/h"));
  const QString erro = Mensagem([&] { sub.Numero("Vazão (m³/s)"); });
  EXPECT_TRUE(erro.contains(QStringLiteral("\"Vazão (m³/s)\""))) << erro.toStdString();
  EXPECT_TRUE(erro.contains(QStringLiteral("ver m³/h"))) << erro.toStdString();
  EXPECT_DOUBLE_EQ(sub.Numero("Vazão (m³/h)"), 3.6);
  EXPECT_EQ(sub.Texto("Vazão (m³/h)"), QStringLiteral("3,6"));

  TTabelaPlanilha cert(QStringLiteral("Certidões de Uso Insignificante"));
  cert.Abre(livro);
  ASSERT_EQ(cert.NumLinhas(), 2);
  EXPECT_EQ(cert.Colunas().size(), 23);
  EXPECT_DOUBLE_EQ(cert.Numero("Vazão (m³/s)"), 0.0015);
  EXPECT_EQ(cert.Numero("Vazão (m³/h)"), 2.0);
  EXPECT_EQ(cert.Texto("Nº Certidão"), QStringLiteral("15"));
  cert.Proximo();
  EXPECT_EQ(cert.Numero("Vazão (m³/s)"), 0.0);
  EXPECT_EQ(cert.Numero("Vazão (m³/h)"), 0.0);
  EXPECT_EQ(cert.Data("Data Expedição"), 0.0);
}

TEST_P(Planilhas, OutorgasFederais) {
  TLivroPlanilha livro;
  Abre(livro, "ana");
  TTabelaPlanilha t(QStringLiteral("Outorgas ANA"));
  t.Abre(livro);
  ASSERT_EQ(t.NumLinhas(), 2);
  EXPECT_EQ(t.Colunas().size(), 16 + 36 + 16);
  EXPECT_EQ(t.Texto("Latitude"), QStringLiteral("19°45'30\""));
  EXPECT_EQ(t.Texto("Bacia1"), QStringLiteral("SÃO FRANCISCO"));
  EXPECT_EQ(t.Data("DataVenc01"), Dia_2039_11_03);
  EXPECT_EQ(t.Numero("Qc01 (m³/h)"), 36.0);
  EXPECT_EQ(t.Numero("Qc03"), 72.5);
  // Values copied as they stand keep their kind; an empty cell gives an empty value.
  EXPECT_EQ(t.Valor("NomeReq").typeId(), QMetaType::QString);
  EXPECT_EQ(t.Valor("Qc03").typeId(), QMetaType::Double);
  EXPECT_EQ(t.Valor("DataPub01").toDateTime().date(), QDate(2004, 11, 3));
  EXPECT_FALSE(t.Valor("Qc02").isValid());
  EXPECT_TRUE(t.Vazio("Tc01 (h/dia)"));
  EXPECT_TRUE(t.TemColuna("Pc01 (dias/mês)"));
  EXPECT_EQ(t.Texto("Serviços"), QStringLiteral("S"));
  t.Proximo();
  EXPECT_EQ(t.Texto("Latitude"), QStringLiteral("17 10 05"));
  EXPECT_EQ(t.Texto("Irrigação"), QStringLiteral("X"));
  EXPECT_TRUE(t.Vazio("Abastecimento"));
  EXPECT_EQ(t.Numero("Qc01 (m³/h)"), 0.0);
  EXPECT_FALSE(t.Vazio("Qc01 (m³/h)"));  // a zero is not an empty cell
}

// Headings are matched exactly; a missing one is an error that names it.
TEST_P(Planilhas, TituloAusenteENomeado) {
  TLivroPlanilha livro;
  Abre(livro, "aqem");
  TTabelaPlanilha t(QStringLiteral("Outorgas Água Superficial"));
  t.Abre(livro);
  for (const char* titulo : {"Vazao (m³/s)", "Vazão (m3/s)", "Nº processo", "N° Processo",
                             "Nº Processo ", "Vazão (m³/h) "}) {
    const QString erro = Mensagem([&] { t.Texto(QString::fromUtf8(titulo)); });
    EXPECT_TRUE(erro.contains(QLatin1Char('"') + QString::fromUtf8(titulo) + QLatin1Char('"')))
        << erro.toStdString();
    EXPECT_FALSE(t.TemColuna(QString::fromUtf8(titulo)));
  }
  // The groundwater column exists in the surface sheet too (empty there).
  EXPECT_TRUE(t.Vazio("Vazão (m³/h)"));
}

TEST_P(Planilhas, FolhaAusente) {
  TLivroPlanilha livro;
  Abre(livro, "ana");
  TTabelaPlanilha t(QStringLiteral("Outorgas Água Superficial"));
  const QString erro = Mensagem([&] { t.Abre(livro); });
  EXPECT_TRUE(erro.contains(QStringLiteral("Outorgas Água Superficial"))) << erro.toStdString();
  EXPECT_FALSE(t.Ativa());
  EXPECT_THROW(t.Texto("Requerente"), ETorveda);
}

// What the start-up reads: the headings alone, the same as a full reading finds, and no row.
TEST_P(Planilhas, SoOsTitulosNaInicializacao) {
  for (const char* nome : {"aqem", "ana"}) {
    TLivroPlanilha livro;
    Abre(livro, nome);
    for (const QString& folha : livro.Folhas()) {
      TTabelaPlanilha titulos(folha), tudo(folha);
      titulos.AbreTitulos(livro);
      tudo.Abre(livro);
      EXPECT_TRUE(titulos.Ativa());
      EXPECT_FALSE(titulos.Carregada());
      EXPECT_EQ(titulos.NumLinhas(), 0);
      EXPECT_TRUE(tudo.Carregada());
      EXPECT_GT(tudo.NumLinhas(), 0);
      EXPECT_EQ(titulos.Colunas(), tudo.Colunas()) << folha.toStdString();
      tudo.LiberaLinhas();
      EXPECT_EQ(tudo.NumLinhas(), 0);
      EXPECT_EQ(tudo.Colunas(), titulos.Colunas());
    }
    TTabelaPlanilha ausente(QStringLiteral("Outra"));
    const QString erro = Mensagem([&] { ausente.AbreTitulos(livro); });
    EXPECT_TRUE(erro.contains(QStringLiteral("\"Outra\""))) << erro.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Formatos, Planilhas, ::testing::Values("xls", "xlsx"),
                         [](const auto& info) { return std::string(info.param); });

// Headings are read from the first row even when there is no data row under them.
TEST(Planilha, SoTitulos) {
  TLivroPlanilha livro;
  livro.DefineArquivo(TArvoreDados::PastaPlanilhas() + QStringLiteral("/ana_vazia.xls"));
  livro.Abre();
  TTabelaPlanilha t(QStringLiteral("Outorgas ANA"));
  t.Abre(livro);
  EXPECT_EQ(t.NumLinhas(), 0);
  EXPECT_TRUE(t.Fim());
  EXPECT_TRUE(t.TemColuna(QStringLiteral("Qc01 (m³/h)")));
  EXPECT_THROW(t.Numero(QStringLiteral("Qc01 (m³/h)")), ETorveda);
}

TEST(Planilha, ArquivoAusenteOuInvalido) {
  TArvoreDados arvore;
  TLivroPlanilha livro;
  const QString ausente = arvore.Caminhos().OutorgasAna();
  livro.DefineArquivo(ausente);
  QString erro = Mensagem([&] { livro.Abre(); });
  EXPECT_TRUE(erro.contains(ausente)) << erro.toStdString();
  EXPECT_FALSE(livro.Ativo());

  QFile f(ausente);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Nº Processo;Requerente\n1;Fulano\n");
  f.close();
  erro = Mensagem([&] { livro.Abre(); });
  EXPECT_TRUE(erro.contains(ausente)) << erro.toStdString();
  EXPECT_FALSE(livro.Ativo());
  TTabelaPlanilha t(QStringLiteral("Outorgas ANA"));
  EXPECT_THROW(t.Abre(livro), ETorveda);
}

// The .xlsx of the same name is read only when the .xls is absent.
TEST(Planilha, XlsxNaFaltaDoXls) {
  TArvoreDados arvore;
  const QString xls = arvore.Caminhos().OutorgasAqem();
  EXPECT_EQ(TLivroPlanilha::ArquivoExistente(xls), xls);
  arvore.CopiaPlanilha(QStringLiteral("aqem.xlsx"), xls + QLatin1Char('x'));
  EXPECT_EQ(TLivroPlanilha::ArquivoExistente(xls), xls + QLatin1Char('x'));
  arvore.CopiaPlanilha(QStringLiteral("aqem.xls"), xls);
  EXPECT_EQ(TLivroPlanilha::ArquivoExistente(xls), xls);
}

TEST(Planilha, ConversoesDeTexto) {
  TTabelaPlanilha t(QStringLiteral("Teste"));
  t.Preenche(QStringLiteral("memoria"),
             {{QStringLiteral("A"), TTipoColunaPlanilha::Texto},
              {QStringLiteral("B"), TTipoColunaPlanilha::Numero}},
             {{QStringLiteral("1,5"), 1e20},
              {QStringLiteral("1.5"), 0.1 + 0.2},
              {QStringLiteral("15/03/2005"), 1234567.0},
              {QStringLiteral("2010-01-02 10:30:00"), -2.5},
              {QStringLiteral("  "), QVariant()},
              {QStringLiteral("1.234,5"), QVariant()},
              {QStringLiteral("19°45'30\""), QVariant()}});
  EXPECT_EQ(t.Numero(QStringLiteral("A")), 1.5);
  EXPECT_EQ(t.Texto(QStringLiteral("B")), QStringLiteral("1E+20"));
  t.Proximo();
  EXPECT_EQ(t.Numero(QStringLiteral("A")), 1.5);
  EXPECT_EQ(t.Texto(QStringLiteral("B")), QStringLiteral("0,3"));  // 15 significant digits
  EXPECT_THROW(t.Data(QStringLiteral("A")), ETorveda);
  t.Proximo();
  EXPECT_EQ(t.Data(QStringLiteral("A")), Dia_2005_03_15);
  EXPECT_EQ(t.Texto(QStringLiteral("B")), QStringLiteral("1234567"));  // no thousands separator
  t.Proximo();
  EXPECT_EQ(t.Data(QStringLiteral("A")), Dia_2010_01_02 + 0.4375);
  EXPECT_EQ(t.Texto(QStringLiteral("B")), QStringLiteral("-2,5"));
  t.Proximo();
  EXPECT_EQ(t.Numero(QStringLiteral("A")), 0.0);  // blank text
  EXPECT_EQ(t.Data(QStringLiteral("A")), 0.0);
  t.Proximo();
  EXPECT_THROW(t.Numero(QStringLiteral("A")), ETorveda);  // thousands separators are refused
  t.Proximo();
  const QString erro = Mensagem([&] { t.Numero(QStringLiteral("A")); });
  EXPECT_TRUE(erro.contains(QStringLiteral("linha 8"))) << erro.toStdString();  // sheet row
}

TEST(Planilha, DiasEDatas) {
  const auto data = [](int a, int m, int d, int h = 0, int mi = 0) {
    return QDateTime(QDate(a, m, d), QTime(h, mi), QTimeZone::utc());
  };
  EXPECT_EQ(TTabelaPlanilha::DiasDeData(data(1899, 12, 30)), 0.0);
  EXPECT_EQ(TTabelaPlanilha::DiasDeData(data(1899, 12, 31, 12)), 1.5);
  EXPECT_EQ(TTabelaPlanilha::DiasDeData(data(2005, 3, 15)), Dia_2005_03_15);
  EXPECT_EQ(TTabelaPlanilha::DiasDeData(data(1899, 12, 29, 6)), -1.25);
  EXPECT_EQ(TTabelaPlanilha::DiasDeData(QDateTime()), 0.0);
  for (double d : {0.0, 1.5, -1.25, 38426.0, 40180.4375, 73050.999988425926})
    EXPECT_NEAR(TTabelaPlanilha::DiasDeData(TTabelaPlanilha::DataDeDias(d)), d, 1e-8) << d;
  // Rounding up to midnight moves to the next day.
  EXPECT_EQ(TTabelaPlanilha::DataDeDias(1.9999999999), data(1900, 1, 1));
  EXPECT_EQ(TTabelaPlanilha::DataDeDias(-1.9999999999), data(1899, 12, 28));
}

namespace {

// A date as GDAL's layer prints it ("2001/03/15", "2010/01/02 10:30:00", "0000/00/00 10:30:00",
// "10:30:00") -> day count.
double DiasDoGdal(const QString& texto) {
  QString data = texto, hora;
  if (texto.contains(u' ')) {
    data = texto.section(u' ', 0, 0);
    hora = texto.section(u' ', 1, 1);
  } else if (texto.contains(u':')) {
    data.clear();
    hora = texto;
  }
  double dias = 0;
  if (!data.isEmpty() && data != QLatin1String("0000/00/00"))
    dias = TTabelaPlanilha::DiasDeData(
        QDateTime(QDate::fromString(data, u"yyyy/MM/dd"), QTime(0, 0), QTimeZone::utc()));
  if (!hora.isEmpty()) dias += QTime::fromString(hora, u"HH:mm:ss").msecsSinceStartOfDay() / 864e5;
  return dias;
}

}  // namespace

// The .xls reader gives what GDAL's own .xls layer gave, column types and cells, on a sheet
// that mixes cell types in every column (the truth written by the fixture script).
TEST(Planilha, XlsComoOLeitorDoGdal) {
  QFile json(TArvoreDados::PastaPlanilhas() + QStringLiteral("/mista.json"));
  ASSERT_TRUE(json.open(QIODevice::ReadOnly));
  const QJsonObject gdal = QJsonDocument::fromJson(json.readAll()).object();
  TLivroPlanilha livro;
  livro.DefineArquivo(TArvoreDados::PastaPlanilhas() + QStringLiteral("/mista.xls"));
  livro.Abre();
  TTabelaPlanilha t(QStringLiteral("Mista"));
  t.Abre(livro);

  const QJsonArray colunas = gdal.value(QStringLiteral("colunas")).toArray();
  const QJsonArray linhas = gdal.value(QStringLiteral("linhas")).toArray();
  ASSERT_EQ(t.Colunas().size(), colunas.size());
  ASSERT_EQ(t.NumLinhas(), linhas.size());
  for (int c = 0; c < colunas.size(); ++c) {
    const QString nome = colunas[c].toArray()[0].toString();
    const QString tipo = colunas[c].toArray()[1].toString();
    ASSERT_EQ(t.Colunas()[c], nome);
    const TTipoColunaPlanilha esperado =
        tipo == QLatin1String("String")
            ? TTipoColunaPlanilha::Texto
            : (tipo == QLatin1String("Integer") || tipo == QLatin1String("Real")
                   ? TTipoColunaPlanilha::Numero
                   : TTipoColunaPlanilha::Data);
    EXPECT_EQ(t.TipoColuna(nome), esperado) << nome.toStdString();
    t.Primeiro();
    for (int l = 0; l < linhas.size(); ++l, t.Proximo()) {
      const QJsonValue v = linhas[l].toArray()[c];
      const std::string onde = nome.toStdString() + " linha " + std::to_string(l + 2);
      if (v.isNull()) {
        EXPECT_TRUE(t.Vazio(nome)) << onde;
        continue;
      }
      ASSERT_FALSE(t.Vazio(nome)) << onde;
      switch (esperado) {
        case TTipoColunaPlanilha::Texto:
          EXPECT_EQ(t.Texto(nome), v.toString()) << onde;
          break;
        case TTipoColunaPlanilha::Numero:
          EXPECT_EQ(t.Numero(nome), v.toString().toDouble()) << onde;
          break;
        case TTipoColunaPlanilha::Data:
          EXPECT_NEAR(t.Data(nome), DiasDoGdal(v.toString()), 1e-8) << onde;
          break;
      }
    }
  }
}
