// torveda-cli importa: the JSON report, and a kill in the middle of an import never leaving a
// layer that GDAL cannot open again.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <algorithm>

#include "Montagem.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "import/ImportaAna.h"
#include "import/ImportaAqem.h"

namespace {

struct TSaida {
  int Codigo = -1;
  QJsonObject Json;
  QString Erros;
};

TSaida Executa(const QStringList& args) {
  QProcess p;
  p.start(Montagem::Cli(), args);
  EXPECT_TRUE(p.waitForFinished(300000)) << p.errorString().toStdString();
  TSaida s;
  s.Codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  s.Json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
  s.Erros = QString::fromUtf8(p.readAllStandardError());
  return s;
}

// A row of a grant sheet, or of the certificates sheet (which numbers certificates instead).
QVariantMap Outorga(int i, const QVariant& lat, bool certidao = false) {
  return {{QStringLiteral("Requerente"), QStringLiteral("Requerente %1").arg(i)},
          {certidao ? QStringLiteral("Nº Certidão") : QStringLiteral("Nº Portaria"), i},
          {QStringLiteral("Latitude"), lat},
          {QStringLiteral("Longitude"), 434512},
          {QStringLiteral("Vazão (m³/s)"), 0.01 * (i % 7)},
          {QStringLiteral("Vazão (m³/h)"), 1.0 + i % 5},
          {QStringLiteral("Município"), QStringLiteral("Paracatu")},
          {QStringLiteral("Data entrada"), QDate(1995, 1, 1).addDays(i)}};
}

const QStringList CamadasGravadas{CamadasAqem::SupSignif, CamadasAqem::SupInsignif,
                                  CamadasAqem::SubSignif, CamadasAqem::SubInsignif};

}  // namespace

TEST(CliImporta, RelatorioDosPassos) {
  TPastaTemporaria pasta;
  const TCaminhos caminhos(pasta.Caminho(), QStringLiteral("TORVEDA"));
  Montagem::CriaArvore(caminhos);
  Montagem::EscreveLivro(caminhos.OutorgasAqem(),
                         Montagem::LivroAqem({Outorga(1, 194530), Outorga(7, 194530),
                                              Outorga(2, QVariant()), Outorga(3, 152930)},
                                             {Outorga(4, 194530, true)}, {Outorga(5, 194530)}));
  Montagem::EscreveLivro(
      caminhos.OutorgasAna(),
      Montagem::LivroAna({{{QStringLiteral("NomeReq"), QStringLiteral("Curto")},
                           {QStringLiteral("NrPort01"), 12},
                           {QStringLiteral("Latitude"), QStringLiteral("19°45")},
                           {QStringLiteral("Longitude"), QStringLiteral("43° 45' 12\"")}}}));

  const TSaida aqem = Executa({QStringLiteral("--dados"), pasta.Caminho(),
                               QStringLiteral("importa"), QStringLiteral("aqem")});
  EXPECT_EQ(aqem.Codigo, 0) << aqem.Erros.toStdString();
  EXPECT_EQ(aqem.Json.value(QStringLiteral("registro")).toString(), QStringLiteral("AQEM"));
  EXPECT_TRUE(aqem.Json.value(QStringLiteral("completa")).toBool());
  const QJsonArray passos = aqem.Json.value(QStringLiteral("passos")).toArray();
  ASSERT_EQ(passos.size(), 4);
  const QJsonObject p1 = passos[0].toObject();
  EXPECT_EQ(p1.value(QStringLiteral("camada")).toString(), CamadasAqem::SupSignif);
  EXPECT_EQ(p1.value(QStringLiteral("linhasLidas")).toInt(), 4);
  EXPECT_EQ(p1.value(QStringLiteral("registrosGravados")).toInt(), 1);
  const QJsonObject ign = p1.value(QStringLiteral("ignoradas")).toObject();
  EXPECT_EQ(ign.value(QStringLiteral("semCoordenadas")).toInt(), 1);
  EXPECT_EQ(ign.value(QStringLiteral("vazaoZero")).toInt(), 1);  // 7 % 7 == 0
  EXPECT_EQ(ign.value(QStringLiteral("foraDaArea")).toInt(), 1);
  EXPECT_TRUE(p1.value(QStringLiteral("falha")).isNull());
  EXPECT_EQ(passos[2].toObject().value(QStringLiteral("colunaVazao")).toString(),
            QStringLiteral("Vazão (m³/h)"));
  EXPECT_TRUE(p1.value(QStringLiteral("camadaSubstituida")).toBool());
  EXPECT_EQ(aqem.Json.value(QStringLiteral("camadasSubstituidas")).toArray().size(), 4);
  EXPECT_TRUE(aqem.Json.value(QStringLiteral("camadasMantidas")).toArray().isEmpty());

  // A failing federal row: exit 1, the message in the step and among the messages shown.
  const TSaida ana = Executa({QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("importa"),
                              QStringLiteral("ana")});
  EXPECT_EQ(ana.Codigo, 1);
  const QJsonObject pa = ana.Json.value(QStringLiteral("passos")).toArray().at(0).toObject();
  const QString falha = pa.value(QStringLiteral("falha")).toString();
  EXPECT_TRUE(falha.startsWith(QStringLiteral("Erro no processo de importação (ANA): \n")));
  EXPECT_TRUE(falha.contains(QStringLiteral("Número Portaria (NrPort01): 12\n")));
  EXPECT_EQ(pa.value(QStringLiteral("linhaFalha")).toInt(), 2);
  EXPECT_EQ(ana.Json.value(QStringLiteral("mensagens")).toArray().at(0).toString(), falha);
  // The layer was kept as it was, and the JSON says so.
  EXPECT_FALSE(pa.value(QStringLiteral("camadaSubstituida")).toBool());
  EXPECT_EQ(pa.value(QStringLiteral("registrosGravados")).toInt(), 0);
  EXPECT_EQ(ana.Json.value(QStringLiteral("camadasMantidas")).toArray(),
            QJsonArray{CamadasAna::Outorgas});
  EXPECT_EQ(Montagem::AbreCamada(QDir::cleanPath(caminhos.DadosSIG()), CamadasAna::Outorgas)
                ->Registros()
                .Conta(),
            1);

  EXPECT_EQ(Executa({QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("importa"),
                     QStringLiteral("outro")})
                .Codigo,
            2);
}

// The workbook is missing: the import refuses, exits 1 and the layers keep their records.
TEST(CliImporta, PlanilhaAusente) {
  TPastaTemporaria pasta;
  const TCaminhos caminhos(pasta.Caminho(), QStringLiteral("TORVEDA"));
  Montagem::CriaArvore(caminhos);
  const TSaida s = Executa({QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("importa"),
                            QStringLiteral("aqem")});
  EXPECT_EQ(s.Codigo, 1);
  EXPECT_FALSE(s.Json.value(QStringLiteral("executada")).toBool());
  EXPECT_TRUE(s.Json.value(QStringLiteral("erro"))
                  .toString()
                  .contains(QStringLiteral("TORVEDA_Outorgas_AQEM.xls")));
  for (const QString& c : CamadasGravadas)
    EXPECT_EQ(Montagem::AbreCamada(QDir::cleanPath(caminhos.DadosSIG()), c)->Registros().Conta(),
              1);
}

// A register cut down to its headings: refused with exit 1 and every layer kept, unless
// --aceita-vazia is given.
TEST(CliImporta, PlanilhaSoComTitulosRecusada) {
  TPastaTemporaria pasta;
  const TCaminhos caminhos(pasta.Caminho(), QStringLiteral("TORVEDA"));
  Montagem::CriaArvore(caminhos);
  Montagem::EscreveLivro(caminhos.OutorgasAqem(), Montagem::LivroAqem({}, {}, {}));
  Montagem::EscreveLivro(caminhos.OutorgasAna(),
                         Montagem::LivroAna({{{QStringLiteral("NomeReq"), QStringLiteral("X")}}}));
  const QString sig = QDir::cleanPath(caminhos.DadosSIG());
  const QStringList args{QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("importa"),
                         QStringLiteral("aqem")};

  const TSaida recusada = Executa(args);
  EXPECT_EQ(recusada.Codigo, 1);
  EXPECT_EQ(recusada.Json.value(QStringLiteral("camadasQueSeriamEsvaziadas")).toArray().size(), 4);
  EXPECT_TRUE(recusada.Erros.contains(QStringLiteral("1 outorga seria removida")))
      << recusada.Erros.toStdString();
  EXPECT_TRUE(recusada.Erros.contains(QStringLiteral("--aceita-vazia")));
  for (const QString& c : CamadasGravadas)
    EXPECT_EQ(Montagem::AbreCamada(sig, c)->Registros().Conta(), 1) << c.toStdString();

  const TSaida aceita = Executa(args + QStringList{QStringLiteral("--aceita-vazia")});
  EXPECT_EQ(aceita.Codigo, 0) << aceita.Erros.toStdString();
  for (const QString& c : CamadasGravadas)
    EXPECT_EQ(Montagem::AbreCamada(sig, c)->Registros().Conta(), 0) << c.toStdString();
}

// Killed at moments spread over a whole import (fractions of the time an uninterrupted one takes
// on this machine), the layers always reopen. No kill has to land anywhere in particular: where
// each one lands depends on the machine, the verdict does not.
TEST(CliImporta, InterrompidaDeixaCamadasLegiveis) {
  TPastaTemporaria pasta;
  const TCaminhos caminhos(pasta.Caminho(), QStringLiteral("TORVEDA"));
  Montagem::CriaArvore(caminhos);
  QList<QVariantMap> linhas, certidoes;
  for (int i = 1; i <= 3000; ++i) {
    linhas << Outorga(i, 194530 + (i % 50));
    certidoes << Outorga(i, 194530 + (i % 50), true);
  }
  Montagem::EscreveLivro(caminhos.OutorgasAqem(), Montagem::LivroAqem(linhas, certidoes, linhas));
  // Without the federal workbook the start-up would not open the state sheets either.
  Montagem::EscreveLivro(caminhos.OutorgasAna(),
                         Montagem::LivroAna({{{QStringLiteral("NomeReq"), QStringLiteral("X")}}}));
  const QString sig = QDir::cleanPath(caminhos.DadosSIG());
  const QStringList args{QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("importa"),
                         QStringLiteral("aqem")};
  QElapsedTimer relogio;
  relogio.start();
  {
    QProcess p;
    p.start(Montagem::Cli(), args);
    ASSERT_TRUE(p.waitForFinished(120000));
  }
  const qint64 inteira = std::max<qint64>(relogio.elapsed(), 10);

  for (int decimo = 1; decimo <= 9; ++decimo) {
    QProcess p;
    p.start(Montagem::Cli(), args);
    ASSERT_TRUE(p.waitForStarted());
    p.waitForFinished(static_cast<int>(inteira * decimo / 10));
    if (p.state() != QProcess::NotRunning) p.kill();
    p.waitForFinished();
    for (const QString& c : CamadasGravadas) {
      QString erro;
      const auto dados =
          TDadosShape::Abre(sig + QLatin1Char('/') + c + QStringLiteral(".shp"), &erro);
      // A layer whose member files were renamed into place one by one can be caught with a
      // new .shp beside an old .shx.
      EXPECT_NE(dados, nullptr) << c.toStdString() << " depois de " << decimo
                                << "/10: " << erro.toStdString();
    }
  }
}

// On the sample basin: after both imports, a section on the main stem below the junction adds
// up upstream grants of the state and of the federal register; before them, none.
TEST(CliImporta, SecaoSomaAsOutorgasDosDoisRegistros) {
  TPastaTemporaria pasta;
  const TSaida amostra = Executa({QStringLiteral("amostra"), pasta.Caminho()});
  ASSERT_EQ(amostra.Codigo, 0) << amostra.Erros.toStdString();
  const QJsonObject principal = amostra.Json.value(QStringLiteral("secoes"))
                                    .toObject()
                                    .value(QStringLiteral("principal"))
                                    .toObject();
  const QStringList secao{QStringLiteral("--dados"),
                          pasta.Caminho(),
                          QStringLiteral("secao"),
                          QStringLiteral("--xy"),
                          QString::number(principal.value(QStringLiteral("X")).toDouble(), 'f', 3),
                          QString::number(principal.value(QStringLiteral("Y")).toDouble(), 'f', 3)};
  auto soma = [](const QJsonObject& meses) {
    double s = 0;
    for (const QJsonValue& v : meses) s += v.toDouble();
    return s;
  };

  const TSaida antes = Executa(secao);
  ASSERT_EQ(antes.Codigo, 0) << antes.Erros.toStdString();
  EXPECT_EQ(soma(antes.Json.value(QStringLiteral("OutorgadaEstadual")).toObject()), 0.0);
  EXPECT_EQ(soma(antes.Json.value(QStringLiteral("OutorgadaFederal")).toObject()), 0.0);

  for (const char* registro : {"aqem", "ana"}) {
    const TSaida s = Executa({QStringLiteral("--dados"), pasta.Caminho(), QStringLiteral("importa"),
                              QLatin1String(registro)});
    EXPECT_EQ(s.Codigo, 0) << registro << ": " << s.Erros.toStdString();
    int gravados = 0;
    for (const QJsonValue& p : s.Json.value(QStringLiteral("passos")).toArray())
      gravados += p.toObject().value(QStringLiteral("registrosGravados")).toInt();
    EXPECT_GT(gravados, 0) << registro;
  }

  const TSaida depois = Executa(secao);
  ASSERT_EQ(depois.Codigo, 0) << depois.Erros.toStdString();
  EXPECT_GT(soma(depois.Json.value(QStringLiteral("OutorgadaEstadual")).toObject()), 0.0);
  EXPECT_GT(soma(depois.Json.value(QStringLiteral("OutorgadaFederal")).toObject()), 0.0);
}
