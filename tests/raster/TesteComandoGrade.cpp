// torveda-cli grade info|celula|converte, run as analysts run it.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "GradesTeste.h"
#include "comum/PastaTemporaria.h"

using namespace GradesTeste;

namespace {
struct TSaida {
  int Codigo;
  QJsonObject Json;
  QString Erro;
};

TSaida Executa(const QStringList& argumentos) {
  QProcess p;
  p.start(QStringLiteral(TORVEDA_CLI), QStringList{QStringLiteral("grade")} + argumentos);
  if (!p.waitForFinished(60000)) return {-1, {}, {}};
  return {p.exitCode(), QJsonDocument::fromJson(p.readAllStandardOutput()).object(),
          QString::fromUtf8(p.readAllStandardError())};
}
}  // namespace

TEST(ComandoGrade, InfoCelulaEConverte) {
  TPastaTemporaria pasta;
  const QString hdr =
      ParArcView(pasta.Arquivo(QStringLiteral("g")), 3, 2, {1.5f, 2.5f, 3.5f, 10.f, 20.f, -9999.f});
  const TSaida info = Executa({QStringLiteral("info"), hdr});
  ASSERT_EQ(info.Codigo, 0) << info.Erro.toStdString();
  EXPECT_EQ(info.Json[QStringLiteral("nCols")].toInt(), 3);
  EXPECT_EQ(info.Json[QStringLiteral("nRows")].toInt(), 2);
  EXPECT_EQ(info.Json[QStringLiteral("formato")].toString(), QStringLiteral("ArcView"));
  EXPECT_EQ(info.Json[QStringLiteral("tipoCelula")].toString(), QStringLiteral("R"));
  EXPECT_DOUBLE_EQ(info.Json[QStringLiteral("xMax")].toDouble(), 1150);
  EXPECT_DOUBLE_EQ(info.Json[QStringLiteral("tamanhoCelula")].toDouble(), 50);
  EXPECT_TRUE(info.Json[QStringLiteral("emDisco")].toBool());
  const QJsonObject e = info.Json[QStringLiteral("estatisticas")].toObject();
  EXPECT_EQ(e[QStringLiteral("validas")].toInt(), 5);
  EXPECT_EQ(e[QStringLiteral("semDados")].toInt(), 1);
  EXPECT_DOUBLE_EQ(e[QStringLiteral("minimo")].toDouble(), 1.5);
  EXPECT_DOUBLE_EQ(e[QStringLiteral("maximo")].toDouble(), 20);
  EXPECT_DOUBLE_EQ(e[QStringLiteral("media")].toDouble(), 7.5);

  const TSaida celula = Executa({QStringLiteral("celula"), hdr, QStringLiteral("4")});
  ASSERT_EQ(celula.Codigo, 0);
  EXPECT_DOUBLE_EQ(celula.Json[QStringLiteral("valor")].toDouble(), 20);
  EXPECT_EQ(celula.Json[QStringLiteral("coluna")].toInt(), 1);
  EXPECT_EQ(celula.Json[QStringLiteral("linha")].toInt(), 1);
  const TSaida fora = Executa({QStringLiteral("celula"), hdr, QStringLiteral("6")});
  EXPECT_EQ(fora.Codigo, 1);
  EXPECT_TRUE(fora.Erro.contains(QStringLiteral("fora da imagem")));

  const QString grd = pasta.Arquivo(QStringLiteral("g.grd"));
  ASSERT_EQ(Executa({QStringLiteral("converte"), hdr, grd}).Codigo, 0);
  const TSaida surfer = Executa({QStringLiteral("celula"), grd, QStringLiteral("4")});
  EXPECT_DOUBLE_EQ(surfer.Json[QStringLiteral("valor")].toDouble(), 20);
}

TEST(ComandoGrade, ErrosSaemComCodigoEMensagem) {
  TPastaTemporaria pasta;
  const TSaida ausente = Executa({QStringLiteral("info"), pasta.Arquivo(QStringLiteral("x.hdr"))});
  EXPECT_EQ(ausente.Codigo, 1);
  const QString tif = pasta.Escreve(QStringLiteral("m.tif"), "II*");
  const TSaida extensao = Executa({QStringLiteral("info"), tif});
  EXPECT_EQ(extensao.Codigo, 1);
  EXPECT_TRUE(extensao.Erro.contains(
      QStringLiteral("Erro. O arquivo m.tif não corresponde a um arquivo válido de imagem.")));
  EXPECT_EQ(Executa({QStringLiteral("celula"), tif}).Codigo, 2);
  EXPECT_EQ(Executa({QStringLiteral("apaga"), tif}).Codigo, 2);
}

// A header that loads but describes no grid is not reported as an empty grid with exit 0.
TEST(ComandoGrade, CabecalhoSemGradeSaiComErro) {
  TPastaTemporaria pasta;
  const QString vazia = ParArcView(pasta.Arquivo(QStringLiteral("vazia")), 0, 0, {});
  const QString plana =
      ParArcView(pasta.Arquivo(QStringLiteral("plana")), 3, 2, std::vector<float>(6, 1.f),
                 QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("0"));
  for (const QString& hdr : {vazia, plana}) {
    const TSaida info = Executa({QStringLiteral("info"), hdr});
    EXPECT_EQ(info.Codigo, 1) << hdr.toStdString();
    EXPECT_TRUE(info.Erro.contains(QStringLiteral("não descreve uma grade")))
        << info.Erro.toStdString();
    EXPECT_TRUE(info.Json.isEmpty());
  }
}
