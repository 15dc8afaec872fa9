// The migration of a Jet database with 10,000 gauging stations, 10,000 traditional and 10,000
// mass-conservation equations (plus 1,000 rivers and 100 ranges), read through mdbtools and
// written as our database; and the same tables out to a workbook and back.
//
//   build/bin/bench_migracao
//
// The .mdb is written once per run into a temporary folder by tests/data/escreve_mdb.py.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "data/MigracaoBase.h"

namespace {

constexpr int Estacoes = 10000;
constexpr int Equacoes = 10000;

QJsonArray Colunas(std::initializer_list<std::pair<const char*, const char*>> colunas) {
  QJsonArray r;
  for (const auto& [nome, tipo] : colunas) {
    QJsonArray c{QString::fromUtf8(nome), QString::fromUtf8(tipo)};
    if (QByteArray(tipo) == "Text") c.append(61);
    r.append(c);
  }
  return r;
}

QJsonArray Descricao() {
  const char* const modelos[] = {"Lin", "Pot", "Exp", "Log", "Rec"};
  const char* const vazoes[] = {"Q710Ob", "Q90Ob", "Q95Ob", "QmldOb"};
  QJsonArray tradicional, conservacao, estacoes, rios, restricoes;
  for (int i = 1; i <= Equacoes; ++i) {
    tradicional.append(QJsonArray{i, i % 40 + 1, modelos[i % 5], 0.01 * i, 0.8 + 1e-5 * i,
                                  QJsonValue::Null, 0.0, 0.0, i % 100 + 1, vazoes[i % 4],
                                  QStringLiteral("Mínima")});
    conservacao.append(QJsonArray{i, modelos[i % 5], 0.02 * i, 0.9 - 1e-5 * i, 0.0, 0.0, 0.0,
                                  i % 1000 + 1, i % 100 + 1, vazoes[i % 4],
                                  QStringLiteral("Média")});
  }
  for (int i = 1; i <= Estacoes; ++i)
    estacoes.append(QJsonArray{56000000 + i, 1000 * i, 10 + i, -19.5 - 1e-4 * i, -43.5 - 1e-4 * i,
                               0.1 * i, 0.2 * i, 0.15 * i, 0.9 * i, QJsonValue::Null, 0.21 * i,
                               0.16 * i, 0.95 * i});
  for (int i = 1; i <= 1000; ++i)
    rios.append(QJsonArray{i, QStringLiteral("Ribeirão São João %1").arg(i)});
  for (int i = 1; i <= 100; ++i) restricoes.append(QJsonArray{i, 10.0 * i, 1000.0 * i});

  auto texto = [](const char* nome) {
    return QJsonArray{QString::fromUtf8(nome), QStringLiteral("Text"),
                      QByteArray(nome) == "Modelo" ? 3 : 9};
  };
  QJsonArray colTradicional = Colunas({{"codEQQuintaro", "Long"}, {"Regiao", "Integer"}});
  colTradicional.append(texto("Modelo"));
  for (const char* c : {"B0", "BAd", "BL", "BDd", "BPm"})
    colTradicional.append(QJsonArray{c, QStringLiteral("Double")});
  colTradicional.append(QJsonArray{"codRestricao", "Long"});
  colTradicional.append(texto("VarMinima"));
  colTradicional.append(texto("TipoVazao"));
  QJsonArray colConservacao = Colunas({{"codEQPelmar", "Long"}});
  colConservacao.append(texto("Modelo"));
  for (const char* c : {"B0", "BAd", "BL", "BDd", "BPm"})
    colConservacao.append(QJsonArray{c, QStringLiteral("Double")});
  colConservacao.append(QJsonArray{"codRio", "Long"});
  colConservacao.append(QJsonArray{"codRestricao", "Long"});
  colConservacao.append(texto("VarMinima"));
  colConservacao.append(texto("TipoVazao"));
  QJsonArray colEstacoes = Colunas({{"CodEstFlu", "Long"}, {"PosicaoMDE", "Long"}, {"Ad", "Long"}});
  for (const char* c : {"Latitude", "Longitude", "Q710Ob", "Q90Ob", "Q95Ob", "QmldOb", "Q710Nat",
                        "Q90Nat", "Q95Nat", "QmldNat"})
    colEstacoes.append(QJsonArray{c, QStringLiteral("Double")});

  auto tabela = [](const char* nome, const QJsonArray& colunas, const QJsonArray& linhas) {
    return QJsonObject{{QStringLiteral("nome"), QString::fromUtf8(nome)},
                       {QStringLiteral("colunas"), colunas},
                       {QStringLiteral("linhas"), linhas}};
  };
  return {tabela("EQ_Tradicional", colTradicional, tradicional),
          tabela("Restricoes",
                 Colunas({{"codRestricao", "Long"}, {"MenorAd", "Double"}, {"MaiorAd", "Double"}}),
                 restricoes),
          tabela("EstFluviometricas", colEstacoes, estacoes),
          tabela("EQ_Conservacao", colConservacao, conservacao),
          tabela("Rios", Colunas({{"codRio", "Long"}, {"Nome", "Text"}}), rios)};
}

struct TArquivos {
  QTemporaryDir Pasta;
  QString Mdb, Sqlite, Xlsx;
  TArquivos() {
    Mdb = Pasta.filePath(QStringLiteral("TORVEDA.mdb"));
    Sqlite = Pasta.filePath(QStringLiteral("TORVEDA.sqlite"));
    Xlsx = Pasta.filePath(QStringLiteral("tabelas.xlsx"));
    const QString descricao = Pasta.filePath(QStringLiteral("descricao.json"));
    QFile f(descricao);
    if (!f.open(QIODevice::WriteOnly)) std::exit(1);
    f.write(QJsonDocument(QJsonObject{{QStringLiteral("tabelas"), Descricao()}}).toJson());
    f.close();
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(TORVEDA_PYTHON), {QStringLiteral(TORVEDA_ESCREVE_MDB), descricao, Mdb});
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
      std::fprintf(stderr, "escreve_mdb.py falhou\n");
      std::exit(1);
    }
    std::fprintf(stderr, "%s: %lld bytes\n", qPrintable(Mdb),
                 static_cast<long long>(QFileInfo(Mdb).size()));
  }
};

TArquivos& Arquivos() {
  static TArquivos a;
  return a;
}

void Contadores(benchmark::State& estado, const std::vector<std::pair<QString, int>>& linhas) {
  int total = 0;
  for (const auto& [t, n] : linhas) total += n;
  estado.counters["linhas"] = total;
}

void MigracaoMdb(benchmark::State& estado) {
  const TArquivos& a = Arquivos();
  TResultadoMigracao r;
  for (auto _ : estado) r = ImportaBase(a.Mdb, a.Sqlite, true);
  Contadores(estado, r.Linhas);
}
BENCHMARK(MigracaoMdb)->Unit(benchmark::kMillisecond)->UseRealTime();

void ExportacaoXlsx(benchmark::State& estado) {
  const TArquivos& a = Arquivos();
  if (!QFile::exists(a.Sqlite)) ImportaBase(a.Mdb, a.Sqlite, true);
  std::vector<std::pair<QString, int>> linhas;
  for (auto _ : estado) linhas = ExportaBase(a.Sqlite, a.Xlsx);
  Contadores(estado, linhas);
}
BENCHMARK(ExportacaoXlsx)->Unit(benchmark::kMillisecond)->UseRealTime();

void ImportacaoXlsx(benchmark::State& estado) {
  const TArquivos& a = Arquivos();
  if (!QFile::exists(a.Xlsx)) {
    if (!QFile::exists(a.Sqlite)) ImportaBase(a.Mdb, a.Sqlite, true);
    ExportaBase(a.Sqlite, a.Xlsx);
  }
  const QString destino = a.Pasta.filePath(QStringLiteral("volta.sqlite"));
  TResultadoMigracao r;
  for (auto _ : estado) r = ImportaBase(a.Xlsx, destino, true);
  Contadores(estado, r.Linhas);
}
BENCHMARK(ImportacaoXlsx)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
