// torveda-cli amostra: arguments, summary, and the program's own start-up on a fresh sample.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

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

}  // namespace
