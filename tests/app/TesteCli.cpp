#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "comum/PastaTemporaria.h"

// `verifica` against an empty folder lists the failed loads with the system's texts and exits 1.
TEST(Cli, VerificaPastaVazia) {
  TPastaTemporaria pasta;
  QProcess p;
  p.start(QStringLiteral(TORVEDA_CLI), {QStringLiteral("--dados"), pasta.Caminho(),
                                        QStringLiteral("verifica")});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 1);
  const QJsonObject j = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
  EXPECT_FALSE(j.value(QStringLiteral("MapasCarregados")).toBool(true));
  const QJsonArray cargas = j.value(QStringLiteral("cargas")).toArray();
  ASSERT_FALSE(cargas.isEmpty());
  EXPECT_EQ(cargas.first().toObject().value(QStringLiteral("mensagem")).toString(),
            QStringLiteral("Erro ao abrir o arquivo Header.hdr"));
  EXPECT_FALSE(cargas.first().toObject().value(QStringLiteral("ok")).toBool(true));
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError())
                  .contains(QStringLiteral("Erro: Erro ao abrir o arquivo Header.hdr")));
}

TEST(Cli, ComandoDesconhecidoSai2) {
  QProcess p;
  p.start(QStringLiteral(TORVEDA_CLI), {QStringLiteral("nao-existe")});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 2);
}
