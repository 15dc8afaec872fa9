// The reference tables as a workbook: exported with their column names as headings, read back
// with the migration's checks, and a round trip .sqlite -> .xlsx -> .sqlite that changes nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include "ArvoreDados.h"
#include "BaseJet.h"
#include "base/Erro.h"
#include "data/BaseOrigem.h"
#include "data/EscritaXlsx.h"
#include "data/Esquema.h"
#include "data/MigracaoBase.h"

namespace {

// A workbook of the five sheets with their headings and no rows, but for `tabela`.
void EscreveLivro(const QString& arquivo, const QString& tabela,
                  const std::vector<std::vector<QVariant>>& linhas) {
  TEscritorXlsx livro;
  for (const auto& t : TabelasBD()) {
    QStringList cabecalhos;
    for (const auto& c : t.Colunas) cabecalhos << c.Nome;
    livro.AdicionaFolha(t.Nome, cabecalhos,
                        t.Nome == tabela ? linhas : std::vector<std::vector<QVariant>>{});
  }
  livro.Salva(arquivo);
}

}  // namespace

TEST(PlanilhaBase, IdaEVoltaSemMudanca) {
  TPastaTemporaria pasta;
  const QString original = pasta.Arquivo(QStringLiteral("original.sqlite"));
  CriaBaseEsperada(original);
  ComBase(original, [](QSqlDatabase& db) {
    // Values a workbook could mangle: a text that looks like a number, markup characters, a
    // number that needs all 17 digits, a heading-like text.
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(QStringLiteral(
        "INSERT INTO Rios VALUES (4, '0042'), (5, 'Córrego <A&B> \"x\"'), (6, 'Nome')")));
    EXPECT_TRUE(q.exec(QStringLiteral(
        "INSERT INTO Restricoes VALUES (3, 0.1 + 0.2, 1.0 / 3.0), (4, -1e-310, NULL)")));
  });
  const QString livro = pasta.Arquivo(QStringLiteral("tabelas.xlsx"));
  const auto exportadas = ExportaBase(original, livro);
  EXPECT_EQ(exportadas, (std::vector<std::pair<QString, int>>{{"EQ_Tradicional", 3},
                                                              {"Restricoes", 4},
                                                              {"EstFluviometricas", 2},
                                                              {"EQ_Conservacao", 2},
                                                              {"Rios", 6}}));

  // Sheets named after the tables, headings = the column names in the schema's order.
  const TBaseOrigem lida = LeBasePlanilha(livro);
  ASSERT_EQ(lida.Tabelas.size(), TabelasBD().size());
  for (size_t i = 0; i < lida.Tabelas.size(); ++i) {
    QStringList nomes;
    for (const auto& c : TabelasBD()[i].Colunas) nomes << c.Nome;
    EXPECT_EQ(lida.Tabelas[i].Nome, TabelasBD()[i].Nome);
    EXPECT_EQ(lida.Tabelas[i].Colunas, nomes);
    EXPECT_TRUE(lida.Tabelas[i].ColunasIgnoradas.isEmpty());
  }

  const QString volta = pasta.Arquivo(QStringLiteral("volta.sqlite"));
  const TResultadoMigracao r = ImportaBase(livro, volta, false);
  EXPECT_EQ(r.Linhas, exportadas);
  EXPECT_EQ(ConteudoBase(volta), ConteudoBase(original));
  EXPECT_TRUE(ConteudoBase(volta).contains(QStringLiteral("Rios|integer:4|text:0042")));
}

TEST(PlanilhaBase, TabelaSemLinhasIdaEVolta) {
  TPastaTemporaria pasta;
  const QString original = pasta.Arquivo(QStringLiteral("vazia.sqlite"));
  ComBase(original, [](QSqlDatabase& db) { CriaEsquema(db); });
  const QString livro = pasta.Arquivo(QStringLiteral("vazia.xlsx"));
  ExportaBase(original, livro);
  const QString volta = pasta.Arquivo(QStringLiteral("volta.sqlite"));
  ImportaBase(livro, volta, false);
  EXPECT_TRUE(ConteudoBase(volta).isEmpty());
  EXPECT_TRUE(QFile::exists(volta));
}

TEST(PlanilhaBase, RecusaComALinhaDaFolha) {
  TPastaTemporaria pasta;
  const QString livro = pasta.Arquivo(QStringLiteral("rios.xlsx"));
  const QString destino = pasta.Arquivo(QStringLiteral("base/TORVEDA.sqlite"));
  // Sheet rows 2 and 3 (row 1 holds the headings).
  EscreveLivro(
      livro, QStringLiteral("Rios"),
      {{1, QStringLiteral("Rio Doce")}, {QStringLiteral("dois"), QStringLiteral("Rio Pardo")}});
  try {
    ImportaBase(livro, destino, false);
    ADD_FAILURE() << "importou uma chave de texto";
  } catch (const ETorveda& e) {
    EXPECT_TRUE(e.mensagem().contains(
        QStringLiteral("Tabela Rios, linha 3, coluna codRio: o texto \"dois\"")))
        << e.mensagem().toStdString();
  }
  EXPECT_TRUE(QDir(pasta.Caminho() + QStringLiteral("/base"))
                  .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)
                  .isEmpty());

  // Blank rows between records are no records; a long name is refused with its sheet row.
  EscreveLivro(livro, QStringLiteral("Rios"),
               {{1, QStringLiteral("Rio Doce")}, {QVariant(), QVariant()}, {2, QString(70, u'x')}});
  try {
    ImportaBase(livro, destino, false);
    ADD_FAILURE() << "importou um nome longo demais";
  } catch (const ETorveda& e) {
    EXPECT_TRUE(e.mensagem().contains(QStringLiteral("Tabela Rios, linha 4, coluna Nome: o texto")))
        << e.mensagem().toStdString();
  }
  EXPECT_FALSE(QFile::exists(destino));
}

TEST(PlanilhaBase, FolhasEColunasAMaisSaoListadas) {
  TPastaTemporaria pasta;
  const QString livro = pasta.Arquivo(QStringLiteral("extra.xlsx"));
  TEscritorXlsx escritor;
  for (const auto& t : TabelasBD()) {
    QStringList cabecalhos;
    for (const auto& c : t.Colunas) cabecalhos << c.Nome.toUpper();  // headings in any case
    if (t.Nome == QLatin1String("Rios")) cabecalhos << QStringLiteral("Observação");
    escritor.AdicionaFolha(t.Nome, cabecalhos, {});
  }
  escritor.AdicionaFolha(QStringLiteral("Notas"), {QStringLiteral("Texto")},
                         {{QStringLiteral("revisar")}});
  escritor.Salva(livro);
  const TResultadoMigracao r = ImportaBase(livro, pasta.Arquivo(QStringLiteral("b.sqlite")), false);
  EXPECT_EQ(r.ColunasIgnoradas, QStringList{"Rios.Observação"});
  EXPECT_EQ(r.TabelasIgnoradas, QStringList{"Notas"});
}
