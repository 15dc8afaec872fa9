// torveda-cli amostra: arguments, summary, and the program's own start-up on a fresh sample.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <map>

#include "comum/PastaTemporaria.h"

namespace {

struct TSaida {
  int Codigo;
  QJsonObject Json;
  QString Erro;
};

TSaida Roda(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(TORVEDA_CLI), args);
  if (!p.waitForFinished(300000)) return {-1, {}, {}};
  return {p.exitCode(), QJsonDocument::fromJson(p.readAllStandardOutput()).object(),
          QString::fromUtf8(p.readAllStandardError())};
}

TEST(AmostraCli, ArgumentosInvalidosSaem2SemEscrever) {
  TPastaTemporaria pasta;
  const QString d = pasta.Caminho() + QStringLiteral("/x");
  for (const QStringList& args :
       {QStringList{QStringLiteral("amostra")},
        QStringList{QStringLiteral("amostra"), d, QStringLiteral("--colunas"),
                    QStringLiteral("abc")},
        QStringList{QStringLiteral("amostra"), d, QStringLiteral("--linhas"), QStringLiteral("20")},
        QStringList{QStringLiteral("amostra"), d, QStringLiteral("--registros")},
        QStringList{QStringLiteral("amostra"), d, QStringLiteral("--tamanho"), QStringLiteral("3")},
        QStringList{QStringLiteral("amostra"), d, d}}) {
    const TSaida s = Roda(args);
    EXPECT_EQ(s.Codigo, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(s.Erro.contains(QStringLiteral("uso: torveda-cli"))) << s.Erro.toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(d));
}

// The sample that `amostra` writes is a data tree the program starts on: every load of the
// start-up succeeds and MapasCarregados is true.
TEST(AmostraCli, AmostraNovaCarregaInteira) {
  TPastaTemporaria pasta;
  const TSaida s = Roda({QStringLiteral("amostra"), pasta.Caminho(), QStringLiteral("--semente"),
                         QStringLiteral("3"), QStringLiteral("--registros"), QStringLiteral("60")});
  ASSERT_EQ(s.Codigo, 0) << s.Erro.toStdString();
  const QJsonObject secoes = s.Json[QStringLiteral("secoes")].toObject();
  for (const char* k : {"principal", "afluenteComEstacoes", "rioSemEquacoes", "cabeceira",
                        "foraDaDrenagem", "foraDaBacia"}) {
    const QJsonObject o = secoes[QLatin1String(k)].toObject();
    EXPECT_EQ(o[QStringLiteral("latitude")].toString().size(), 6) << k;
    EXPECT_TRUE(o.contains(QStringLiteral("X")) && o.contains(QStringLiteral("celula"))) << k;
  }
  EXPECT_EQ(s.Json[QStringLiteral("semente")].toString(), QStringLiteral("3"));

  const TSaida v = Roda({QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("verifica")});
  EXPECT_EQ(v.Codigo, 0) << v.Erro.toStdString();
  EXPECT_TRUE(v.Json[QStringLiteral("MapasCarregados")].toBool());
  for (const auto& c : v.Json[QStringLiteral("cargas")].toArray())
    EXPECT_TRUE(c.toObject()[QStringLiteral("ok")].toBool())
        << c.toObject()[QStringLiteral("nome")].toString().toStdString() << ": "
        << c.toObject()[QStringLiteral("mensagem")].toString().toStdString();

  // A second run into the same folder refuses and says why.
  const TSaida de_novo = Roda({QStringLiteral("amostra"), pasta.Caminho()});
  EXPECT_EQ(de_novo.Codigo, 1);
  EXPECT_TRUE(de_novo.Erro.contains(QStringLiteral("não sobrescreve")))
      << de_novo.Erro.toStdString();
}

// The ready-made sections tell their stories through the program's own grant analysis, after
// both register imports, under the criterion the summary names: the classes the summary states
// are those the analysis shows.
TEST(AmostraCli, ClassesDasSecoesProntasPelaAnalise) {
  TPastaTemporaria pasta;
  const TSaida s = Roda({QStringLiteral("amostra"), pasta.Caminho()});
  ASSERT_EQ(s.Codigo, 0) << s.Erro.toStdString();
  for (const char* registro : {"aqem", "ana"})
    ASSERT_EQ(Roda({QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("importa"),
                    QLatin1String(registro)})
                  .Codigo,
              0)
        << registro;
  const QJsonObject criterio = s.Json[QStringLiteral("criterioDemanda")].toObject();
  ASSERT_EQ(criterio[QStringLiteral("percentual")].toInt(), 50);
  const QJsonObject secoes = s.Json[QStringLiteral("secoes")].toObject();
  std::map<QString, std::map<QString, int>> vistas;
  for (auto it = secoes.begin(); it != secoes.end(); ++it) {
    const QJsonObject o = it.value().toObject();
    if (!o.contains(QStringLiteral("classes"))) continue;
    const TSaida a = Roda(
        {QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("analise"),
         QStringLiteral("--xy"), QString::number(o[QStringLiteral("X")].toDouble(), 'f', 3),
         QString::number(o[QStringLiteral("Y")].toDouble(), 'f', 3), QStringLiteral("--inicio"),
         criterio[QStringLiteral("inicio")].toString(), QStringLiteral("--fim"),
         criterio[QStringLiteral("fim")].toString(), QStringLiteral("--vazao"), QStringLiteral("0"),
         QStringLiteral("--percentual"), QStringLiteral("50"), QStringLiteral("--referencia"),
         criterio[QStringLiteral("referencia")].toString(), QStringLiteral("--metodo"),
         criterio[QStringLiteral("metodo")].toString()});
    ASSERT_EQ(a.Codigo, 0) << it.key().toStdString() << ": " << a.Erro.toStdString();
    const QJsonObject meses = a.Json[QStringLiteral("Meses")].toObject();
    ASSERT_EQ(meses.size(), 31 * 12) << it.key().toStdString();
    std::map<QString, int>& conta = vistas[it.key()];
    double inicio = 0, fim = 0;
    for (auto m = meses.begin(); m != meses.end(); ++m) {
      const QJsonObject mes = m.value().toObject();
      ++conta[mes[QStringLiteral("CorAnterior")].toString()];
      const int ano = m.key().left(4).toInt();
      const double parcela = mes[QStringLiteral("ParcelaAnterior")].toDouble();
      if (ano <= 2004) inicio += parcela;
      if (ano >= 2026) fim += parcela;
    }
    QStringList classes;
    for (const char* c : {"verde", "amarelo", "laranja", "vermelho"})
      if (conta.count(QLatin1String(c))) classes << QLatin1String(c);
    EXPECT_EQ(classes, o[QStringLiteral("classes")].toVariant().toStringList())
        << it.key().toStdString();
    const QJsonObject porClasse = o[QStringLiteral("mesesPorClasse")].toObject();
    for (auto c = porClasse.begin(); c != porClasse.end(); ++c)
      EXPECT_NEAR(conta[c.key()], c.value().toInt(), 2)
          << it.key().toStdString() << " " << c.key().toStdString();
    if (it.key() == QStringLiteral("principal")) {
      EXPECT_GT(fim, inicio * 1.5) << "a demanda no rio principal não cresce";
    }
  }
  // The stories: the main stem goes through every class, the headwater stays green, the
  // over-committed tributary is red.
  EXPECT_EQ(vistas[QStringLiteral("principal")].size(), 4u);
  EXPECT_EQ(vistas[QStringLiteral("cabeceira")][QStringLiteral("verde")], 372);
  EXPECT_GE(vistas[QStringLiteral("sobrecarregada")][QStringLiteral("vermelho")], 360);
  EXPECT_TRUE(vistas.count(QStringLiteral("foraDoIntervalo")));
}

}  // namespace
