// torveda-cli base importa ARQ.mdb|ARQ.xlsx [--substituir]: brings the reference tables of a Jet
// (Access) database or of a workbook in as the data tree's database, Dados/DadosBD/<NomeBase>
// .sqlite, all or nothing (an existing database is replaced only with --substituir):
//
//   {"origem": ..., "destino": ..., "importada": true, "erro": null,
//    "linhas": {"EQ_Tradicional": 48, ...}, "colunasIgnoradas": ["Tabela.Coluna", ...],
//    "tabelasIgnoradas": [...]}
//
// torveda-cli base exporta ARQ.xlsx: writes the tree's five tables as five sheets, headings = the
// column names:
//
//   {"base": ..., "arquivo": ..., "exportada": true, "erro": null, "linhas": {...}}
//
// Exits 0 on success, 1 when the work was refused (the message says why), 2 on a usage error.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <exception>

#include "app/cli/Cli.h"
#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/MigracaoBase.h"

namespace {

const TComandoCli& Comando();

QJsonObject Linhas(const std::vector<std::pair<QString, int>>& linhas) {
  QJsonObject o;
  for (const auto& [tabela, n] : linhas) o.insert(tabela, n);
  return o;
}

int Importa(TContextoCli& ctx, const QStringList& args) {
  QString origem;
  bool substituir = false;
  for (const QString& a : args) {
    if (a == QLatin1String("--substituir"))
      substituir = true;
    else if (a.startsWith(QLatin1String("--")) || !origem.isEmpty())
      return ErroDeUso(Comando(), QStringLiteral("argumento inesperado: ") + a);
    else
      origem = a;
  }
  if (origem.isEmpty())
    return ErroDeUso(Comando(), QStringLiteral("informe o arquivo .mdb ou .xlsx a importar"));

  const QString destino = ctx.Caminhos.BaseDados();
  QJsonObject saida{{QStringLiteral("origem"), origem},
                    {QStringLiteral("destino"), destino},
                    {QStringLiteral("importada"), false},
                    {QStringLiteral("erro"), QJsonValue::Null},
                    {QStringLiteral("linhas"), QJsonObject()},
                    {QStringLiteral("colunasIgnoradas"), QJsonArray()},
                    {QStringLiteral("tabelasIgnoradas"), QJsonArray()}};
  const bool existia = QFileInfo::exists(destino);
  int codigo = 1;
  try {
    // A new data tree may not have its database folder yet.
    QDir().mkpath(ctx.Caminhos.DadosBD());
    const TResultadoMigracao r = ImportaBase(origem, destino, substituir);
    saida.insert(QStringLiteral("importada"), true);
    saida.insert(QStringLiteral("linhas"), Linhas(r.Linhas));
    saida.insert(QStringLiteral("colunasIgnoradas"),
                 QJsonArray::fromStringList(r.ColunasIgnoradas));
    saida.insert(QStringLiteral("tabelasIgnoradas"),
                 QJsonArray::fromStringList(r.TabelasIgnoradas));
    codigo = 0;
  } catch (const ETorveda& e) {
    QString mensagem = e.mensagem();
    if (existia && !substituir)
      mensagem += QStringLiteral("\nUse --substituir para trocá-lo pela base importada.");
    saida.insert(QStringLiteral("erro"), mensagem);
    ctx.Apresentador.Erro(mensagem);
  } catch (const std::exception& e) {
    saida.insert(QStringLiteral("erro"), QString::fromLocal8Bit(e.what()));
    ctx.Apresentador.Erro(QString::fromLocal8Bit(e.what()));
  }
  ImprimeJson(saida);
  return codigo;
}

int Exporta(TContextoCli& ctx, const QStringList& args) {
  if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
    return ErroDeUso(Comando(), QStringLiteral("informe a pasta de trabalho .xlsx a gravar"));
  const QString base = ctx.Caminhos.BaseDados();
  QJsonObject saida{{QStringLiteral("base"), base},
                    {QStringLiteral("arquivo"), args.first()},
                    {QStringLiteral("exportada"), false},
                    {QStringLiteral("erro"), QJsonValue::Null},
                    {QStringLiteral("linhas"), QJsonObject()}};
  int codigo = 1;
  try {
    saida.insert(QStringLiteral("linhas"), Linhas(ExportaBase(base, args.first())));
    saida.insert(QStringLiteral("exportada"), true);
    codigo = 0;
  } catch (const ETorveda& e) {
    saida.insert(QStringLiteral("erro"), e.mensagem());
    ctx.Apresentador.Erro(e.mensagem());
  } catch (const std::exception& e) {
    saida.insert(QStringLiteral("erro"), QString::fromLocal8Bit(e.what()));
    ctx.Apresentador.Erro(QString::fromLocal8Bit(e.what()));
  }
  ImprimeJson(saida);
  return codigo;
}

int Base(TContextoCli& ctx) {
  if (ctx.Args.isEmpty()) return ErroDeUso(Comando(), QStringLiteral("informe importa ou exporta"));
  const QString acao = ctx.Args.first();
  const QStringList resto = ctx.Args.mid(1);
  if (acao == QLatin1String("importa")) return Importa(ctx, resto);
  if (acao == QLatin1String("exporta")) return Exporta(ctx, resto);
  return ErroDeUso(Comando(), QStringLiteral("ação desconhecida: ") + acao);
}

const TComandoCli& Comando() {
  static const TComandoCli comando{
      QStringLiteral("base"),
      QStringLiteral("importa ARQ.mdb|ARQ.xlsx [--substituir] | exporta ARQ.xlsx"),
      [](TContextoCli& ctx) { return Base(ctx); }};
  return comando;
}

[[maybe_unused]] const bool registrado = RegistraComando(Comando());

}  // namespace
