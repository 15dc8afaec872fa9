// The federal import on workbooks written by the test, in both formats the data module reads.
#include <gtest/gtest.h>

#include <memory>

#include "Montagem.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "data/TLivroPlanilha.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TRegistros.h"
#include "import/ImportaAna.h"

namespace {

using T = TApresentadorRoteirizado::TTipo;
using M = QVariantMap;

const QString Jan = QStringLiteral("Qc01 (m³/h)");

QString Mes(int m) { return QStringLiteral("Qc%1").arg(m, 2, 10, QLatin1Char('0')); }

M Linha(const QString& nome, const QVariant& lat, const QVariant& lon,
        const QString& hemisferio = QStringLiteral("S")) {
  M m{{QStringLiteral("NomeReq"), nome}, {QStringLiteral("Hemisferio"), hemisferio}};
  if (lat.isValid()) m.insert(QStringLiteral("Latitude"), lat);
  if (lon.isValid()) m.insert(QStringLiteral("Longitude"), lon);
  return m;
}

QList<M> Linhas() {
  M completa = Linha(QStringLiteral("Companhia de Saneamento"), QStringLiteral("19° 45' 30\""),
                     QStringLiteral("43° 45' 12\""));
  completa.insert(QStringLiteral("NrPort01"), 345);
  completa.insert(QStringLiteral("DataPub01"), QDate(2005, 7, 1));
  completa.insert(QStringLiteral("DataVenc01"), QDate(2035, 6, 30));
  completa.insert(QStringLiteral("NrPort02"), QStringLiteral("não lida"));
  completa.insert(QStringLiteral("Uf"), QStringLiteral("MG"));
  completa.insert(QStringLiteral("NOME_SIMPLIFICADO_IBGE"), QStringLiteral("PARACATU"));
  completa.insert(QStringLiteral("TipoMan"), QStringLiteral("Superficial"));
  completa.insert(QStringLiteral("Rios"), QStringLiteral("Rio Paracatu"));
  completa.insert(QStringLiteral("Bacia1"), QStringLiteral("São Francisco"));
  completa.insert(QStringLiteral("Finalidade"), QStringLiteral("Abastecimento público"));
  completa.insert(Jan, 36);
  completa.insert(QStringLiteral("Tc01 (h/dia)"), 24);
  for (int m = 3; m <= 12; ++m) completa.insert(Mes(m), 36.0 * m);  // February left empty
  completa.insert(QStringLiteral("Abastecimento"), QStringLiteral("Sim"));
  completa.insert(QStringLiteral("Irrigação"), QStringLiteral("Não"));
  completa.insert(QStringLiteral("Outros"), QStringLiteral("x"));

  // Whatever "Hemisferio" says, the point is south and west; other separators, same digits.
  M norte = Linha(QStringLiteral("Hemisfério Norte"), QStringLiteral("19 :45 :30"),
                  QStringLiteral("43 :45 :12"), QStringLiteral("N"));
  M zeros = Linha(QStringLiteral("Vazões Zero"), QStringLiteral("19° 46' 00\""),
                  QStringLiteral("43° 46' 00\""));
  for (int m = 1; m <= 12; ++m) zeros.insert(m == 1 ? Jan : Mes(m), 0);
  return {
      completa,
      Linha(QStringLiteral("Sem Longitude"), QStringLiteral("19° 45' 30\""), {}),
      norte,
      zeros,
      Linha(QStringLiteral("Fora"), QStringLiteral("15° 29' 30\""), QStringLiteral("47° 09' 10\"")),
      Linha(QStringLiteral("Texto Curto"), QStringLiteral("19° 45'"),
            QStringLiteral("43° 45' 12\"")),
      Linha(QStringLiteral("Depois"), QStringLiteral("19° 45' 30\""),
            QStringLiteral("43° 45' 12\""))};
}

class ImportacaoAna : public ::testing::TestWithParam<const char*> {};

}  // namespace

// A row whose latitude text is too short fails the step: the layer stays exactly as it was.
TEST_P(ImportacaoAna, FalhaMantemACamada) {
  TPastaTemporaria pasta;
  const QString sig = pasta.Caminho() + QStringLiteral("/sig");
  Montagem::CriaCamadas(sig);
  const QString arquivo = pasta.Arquivo(QStringLiteral("ana") + QLatin1String(GetParam()));
  QList<M> linhas = Linhas();
  linhas[5].insert(QStringLiteral("NrPort01"), 999);
  Montagem::EscreveLivro(arquivo, Montagem::LivroAna(linhas));

  TApresentadorRoteirizado apresentador;
  TLivroPlanilha livro;
  livro.DefineArquivo(arquivo);
  livro.Abre();
  TTabelaPlanilha tabela{QStringLiteral("Outorgas ANA")};
  tabela.Abre(livro);
  auto outorgas = Montagem::AbreCamada(sig, CamadasAna::Outorgas);
  auto regioes = Montagem::AbreCamada(sig, CamadasAna::Regioes);
  const auto antes = Montagem::Retrato(sig, CamadasAna::Outorgas);
  const TResultadoImportacao r = ImportaOutorgasAna(
      {&tabela, arquivo, outorgas.get(), regioes.get(), {}, {}, {}}, apresentador);

  ASSERT_EQ(apresentador.Textos(T::Mensagem).size(), 1);
  EXPECT_TRUE(apresentador.Textos(T::Mensagem)
                  .first()
                  .startsWith(QStringLiteral(
                      "Erro no processo de importação (ANA): \nNome Requerente (NomeReq): Texto "
                      "Curto\nNúmero Portaria (NrPort01): 999\nLatitude: 19° 45'\nLongitude: 43° "
                      "45' 12\"\n\nFalha na linha 7, coluna \"Latitude\": ")))
      << apresentador.Textos(T::Mensagem).first().toStdString();
  ASSERT_EQ(r.Passos.size(), 1u);
  const TResultadoPasso& p = r.Passos[0];
  EXPECT_EQ(p.LinhasLidas, 6);
  EXPECT_EQ(p.Gravados, 0);
  EXPECT_FALSE(p.Substituida);
  EXPECT_EQ(p.LinhaFalha, 7);
  EXPECT_EQ(r.Mantidas(), QStringList{CamadasAna::Outorgas});
  EXPECT_EQ(Montagem::Retrato(sig, CamadasAna::Outorgas), antes);
  EXPECT_EQ(outorgas->Registros().Conta(), 1);
  ASSERT_EQ(apresentador.Textos(T::Informacao).size(), 1);
  EXPECT_TRUE(apresentador.Textos(T::Informacao)
                  .first()
                  .contains(QStringLiteral("camada mantida como estava")));
}

// A negative monthly flow fails its row, naming the month's column and the value.
TEST(ImportaAnaVazao, MensalNegativaFalha) {
  TPastaTemporaria pasta;
  const QString sig = pasta.Caminho() + QStringLiteral("/sig");
  Montagem::CriaCamadas(sig);
  const QString arquivo = pasta.Arquivo(QStringLiteral("ana.xls"));
  QList<M> linhas = Linhas();
  linhas[0].insert(Mes(3), -36);
  Montagem::EscreveLivro(arquivo, Montagem::LivroAna(linhas));
  TApresentadorRoteirizado apresentador;
  TLivroPlanilha livro;
  livro.DefineArquivo(arquivo);
  livro.Abre();
  TTabelaPlanilha tabela{QStringLiteral("Outorgas ANA")};
  tabela.Abre(livro);
  auto outorgas = Montagem::AbreCamada(sig, CamadasAna::Outorgas);
  auto regioes = Montagem::AbreCamada(sig, CamadasAna::Regioes);
  const auto r = ImportaOutorgasAna({&tabela, arquivo, outorgas.get(), regioes.get(), {}, {}, {}},
                                    apresentador);
  ASSERT_EQ(r.Passos.size(), 1u);
  EXPECT_EQ(r.Passos[0].LinhaFalha, 2);
  EXPECT_EQ(r.Passos[0].ColunaFalha, Mes(3));
  EXPECT_TRUE(r.Passos[0].Causa.contains(QStringLiteral("-36"))) << r.Passos[0].Causa.toStdString();
  EXPECT_EQ(outorgas->Registros().Conta(), 1);
}

TEST_P(ImportacaoAna, RegioesEMeses) {
  TPastaTemporaria pasta;
  const QString sig = pasta.Caminho() + QStringLiteral("/sig");
  Montagem::CriaCamadas(sig);
  const QString arquivo = pasta.Arquivo(QStringLiteral("ana") + QLatin1String(GetParam()));
  QList<M> linhas = Linhas();
  linhas.removeAt(5);
  Montagem::EscreveLivro(arquivo, Montagem::LivroAna(linhas));

  TApresentadorRoteirizado apresentador;
  TLivroPlanilha livro;
  livro.DefineArquivo(arquivo);
  livro.Abre();
  TTabelaPlanilha tabela{QStringLiteral("Outorgas ANA")};
  tabela.Abre(livro);
  auto outorgas = Montagem::AbreCamada(sig, CamadasAna::Outorgas);
  auto regioes = Montagem::AbreCamada(sig, CamadasAna::Regioes);
  const TResultadoImportacao r = ImportaOutorgasAna(
      {&tabela, arquivo, outorgas.get(), regioes.get(), {}, {}, {}}, apresentador);

  EXPECT_TRUE(apresentador.Textos(T::Mensagem).isEmpty());
  ASSERT_EQ(r.Passos.size(), 1u);
  const TResultadoPasso& p = r.Passos[0];
  EXPECT_EQ(p.Camada, CamadasAna::Outorgas);
  EXPECT_EQ(p.LinhasLidas, 6);
  EXPECT_EQ(p.Gravados, 4);
  EXPECT_EQ(p.SemCoordenadas, 1);
  EXPECT_EQ(p.ForaDaArea, 1);
  EXPECT_EQ(p.LinhaFalha, 0);
  EXPECT_TRUE(r.Completa());

  auto relida = Montagem::AbreCamada(sig, CamadasAna::Outorgas);
  TRegistros g = relida->Registros();
  ASSERT_EQ(g.Conta(), 4);
  g.Primeiro();
  EXPECT_NEAR(g.Ponto().X, Montagem::P0.X, 0.01);
  EXPECT_NEAR(g.Ponto().Y, Montagem::P0.Y, 0.01);
  EXPECT_EQ(g.Texto(QStringLiteral("NomeReq")), QStringLiteral("Companhia de Saneamento"));
  EXPECT_EQ(g.Real(QStringLiteral("NrPort01")), 345.0);
  EXPECT_EQ(g.Valor(QStringLiteral("DataPub01")).toDate(), QDate(2005, 7, 1));
  EXPECT_EQ(g.Valor(QStringLiteral("DataVenc01")).toDate(), QDate(2035, 6, 30));
  EXPECT_EQ(g.Real(QStringLiteral("Latitude")), 194530.0);
  EXPECT_EQ(g.Real(QStringLiteral("Longitude")), 434512.0);
  EXPECT_EQ(g.Texto(QStringLiteral("Hemisferio")), QStringLiteral("S"));
  EXPECT_EQ(g.Texto(QStringLiteral("Uf")), QStringLiteral("MG"));
  EXPECT_EQ(g.Texto(QStringLiteral("NOME_SIMPL")), QStringLiteral("PARACATU"));
  EXPECT_EQ(g.Texto(QStringLiteral("TipoMan")), QStringLiteral("Superficial"));
  EXPECT_EQ(g.Texto(QStringLiteral("Rios")), QStringLiteral("Rio Paracatu"));
  EXPECT_EQ(g.Texto(QStringLiteral("Bacia1")), QStringLiteral("São Francisco"));
  EXPECT_EQ(g.Texto(QStringLiteral("Finalidade")), QStringLiteral("Abastecimento público"));
  // m³/h to m³/s; an empty month stays empty.
  EXPECT_DOUBLE_EQ(g.Real(QStringLiteral("Qjan")), 0.01);
  EXPECT_FALSE(g.Valor(QStringLiteral("Qfev")).isValid());
  EXPECT_DOUBLE_EQ(g.Real(QStringLiteral("Qmar")), 0.03);
  EXPECT_DOUBLE_EQ(g.Real(QStringLiteral("Qdez")), 0.12);
  EXPECT_EQ(g.Texto(QStringLiteral("Abastecime")), QStringLiteral("Sim"));
  EXPECT_EQ(g.Texto(QStringLiteral("Irrigacao")), QStringLiteral("Não"));
  EXPECT_EQ(g.Texto(QStringLiteral("Outros")), QStringLiteral("x"));
  EXPECT_TRUE(g.Texto(QStringLiteral("Lazer")).isEmpty());

  g.Proximo();
  EXPECT_EQ(g.Texto(QStringLiteral("NomeReq")), QStringLiteral("Hemisfério Norte"));
  EXPECT_NEAR(g.Ponto().X, Montagem::P0.X, 0.01);
  EXPECT_NEAR(g.Ponto().Y, Montagem::P0.Y, 0.01);
  EXPECT_EQ(g.Real(QStringLiteral("Latitude")), 194530.0);
  EXPECT_EQ(g.Texto(QStringLiteral("Hemisferio")), QStringLiteral("N"));

  // Twelve zero flows are imported all the same when the point lies in a region.
  g.Proximo();
  EXPECT_EQ(g.Texto(QStringLiteral("NomeReq")), QStringLiteral("Vazões Zero"));
  EXPECT_EQ(g.Real(QStringLiteral("Qjan")), 0.0);
  EXPECT_LT(g.Ponto().X, Montagem::XDivisa);  // region 1 this time
}

INSTANTIATE_TEST_SUITE_P(Formatos, ImportacaoAna, ::testing::Values(".xls", ".xlsx"));

TEST(ImportaAnaIndisponivel, PlanilhaOuRegioesAusentes) {
  TPastaTemporaria pasta;
  const QString sig = pasta.Caminho() + QStringLiteral("/sig");
  Montagem::CriaCamadas(sig);
  TApresentadorRoteirizado apresentador;
  TTabelaPlanilha fechada{QStringLiteral("Outorgas ANA")};
  auto outorgas = Montagem::AbreCamada(sig, CamadasAna::Outorgas);
  auto regioes = Montagem::AbreCamada(sig, CamadasAna::Regioes);
  const QString arquivo = QStringLiteral("/dados/Dados/DadosBD/TORVEDA_Outorgas_ANA.xls");

  auto r = ImportaOutorgasAna({&fechada, arquivo, outorgas.get(), regioes.get(), {}, {}, {}},
                              apresentador);
  EXPECT_FALSE(r.Executada);
  ASSERT_EQ(apresentador.Textos(T::Erro).size(), 1);
  EXPECT_TRUE(
      apresentador.Textos(T::Erro).first().contains(QStringLiteral("Outorgas Federais (ANA)")));
  EXPECT_TRUE(apresentador.Textos(T::Erro).first().contains(arquivo));

  // A regions layer that did not load would make every row look outside: refused instead.
  apresentador.Limpa();
  const QString livroOk = pasta.Arquivo(QStringLiteral("ana.xls"));
  Montagem::EscreveLivro(livroOk, Montagem::LivroAna({}));
  TLivroPlanilha livro;
  livro.DefineArquivo(livroOk);
  livro.Abre();
  TTabelaPlanilha tabela{QStringLiteral("Outorgas ANA")};
  tabela.Abre(livro);
  TCamada semRegioes(CamadasAna::Regioes);
  r = ImportaOutorgasAna({&tabela, livroOk, outorgas.get(), &semRegioes, {}, {}, {}}, apresentador);
  EXPECT_FALSE(r.Executada);
  ASSERT_EQ(apresentador.Textos(T::Erro).size(), 1);
  EXPECT_TRUE(apresentador.Textos(T::Erro).first().contains(CamadasAna::Regioes));
  EXPECT_EQ(Montagem::AbreCamada(sig, CamadasAna::Outorgas)->Registros().Conta(), 1);
}
