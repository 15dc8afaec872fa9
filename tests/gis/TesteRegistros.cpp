// Record sets over shapefiles written by OGR: order, field types, editing and what reaches the
// files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "ShapeTeste.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"

using namespace ShapeTeste;

namespace {

// Grants-like points: a text, a 9-digit integer, a real and a date, in a known order that is
// neither spatial nor by value.
QString EscreveOutorgas(const TPastaTemporaria& pasta) {
  const QString caminho = pasta.Arquivo(QStringLiteral("Out/Outorgas.shp"));
  Escreve(caminho, wkbPoint,
          {{"Nprocesso", OFTString, 30},
           {"Nportaria", OFTInteger, 9},
           {"Vazao", OFTReal, 24, 15},
           {"Datapublic", OFTDate}},
          {{Ponto(300, 300), {QStringLiteral("c"), 3, 0.3, QDate(2005, 1, 31)}},
           {Ponto(100, 100), {QStringLiteral("a"), 1, 0.1, QVariant()}},
           {Ponto(200, 200), {QStringLiteral("b"), 2, 0.2, QDate(1899, 12, 31)}}});
  return caminho;
}

QStringList Processos(TRegistros r) {
  QStringList s;
  for (r.Primeiro(); !r.Fim(); r.Proximo()) s << r.Texto(QStringLiteral("Nprocesso"));
  return s;
}

}  // namespace

TEST(Registros, LeituraNaOrdemDoArquivoComCadaTipo) {
  TPastaTemporaria pasta;
  auto dados = TDadosShape::Abre(EscreveOutorgas(pasta));
  ASSERT_NE(dados, nullptr);
  EXPECT_EQ(dados->Nome(), QStringLiteral("Outorgas"));
  EXPECT_EQ(dados->Geometria(), TTipoGeometria::Ponto);
  TCamada camada;
  camada.DefineDados(dados);
  TRegistros r = camada.Registros();
  EXPECT_EQ(r.Conta(), 3);
  EXPECT_EQ(Processos(r), (QStringList{"c", "a", "b"}));

  r.Primeiro();
  EXPECT_EQ(r.Valor(QStringLiteral("nprocesso")).toString(), QStringLiteral("c"));  // case
  EXPECT_EQ(r.Inteiro(QStringLiteral("Nportaria")), 3);
  EXPECT_DOUBLE_EQ(r.Real(QStringLiteral("Vazao")), 0.3);
  EXPECT_EQ(r.Texto(QStringLiteral("Vazao")), QStringLiteral("0,3"));  // regional separator
  EXPECT_EQ(r.Valor(QStringLiteral("Datapublic")).toDate(), QDate(2005, 1, 31));
  EXPECT_EQ(r.Data(QStringLiteral("Datapublic")), 38383);
  EXPECT_EQ(r.Texto(QStringLiteral("Datapublic")), QStringLiteral("38383"));
  EXPECT_EQ(r.Ponto(), (TPontoMapa{300, 300}));
  EXPECT_EQ(r.Texto(QStringLiteral("Shape")), QStringLiteral("POINT (300.000 300.000)"));

  r.Proximo();  // a blank date is day 0
  EXPECT_EQ(r.Data(QStringLiteral("Datapublic")), 0);
  EXPECT_FALSE(r.Valor(QStringLiteral("Datapublic")).isValid());
  r.Proximo();
  EXPECT_EQ(r.Data(QStringLiteral("Datapublic")), 1);

  EXPECT_THROW(r.Valor(QStringLiteral("NaoExiste")), ETorveda);
  r.Proximo();
  EXPECT_TRUE(r.Fim());
  EXPECT_THROW(r.Valor(QStringLiteral("Nprocesso")), ETorveda);
}

TEST(Registros, CadaTipoIdaEVoltaPeloArquivo) {
  TPastaTemporaria pasta;
  const QString caminho = pasta.Arquivo(QStringLiteral("Tipos.shp"));
  {
    auto dados = TDadosShape::Cria(
        caminho, TTipoGeometria::Ponto,
        {TCampo::Texto(QStringLiteral("Nome"), 14), TCampo::Inteiro(QStringLiteral("Codigo")),
         TCampo::Real(QStringLiteral("Vazao")), TCampo::Data(QStringLiteral("DataPub01")),
         TCampo::Data(QStringLiteral("DataVenc01"))});
    TCamada camada;
    camada.DefineDados(dados);
    TRegistros r = camada.Registros();
    r.AdicionaNovo();
    r.DefinePonto({269041.386, 8286112.632});
    r.Define(QStringLiteral("Nome"),
             QStringLiteral("Ribeirão São João"));  // 17 characters, 20 bytes
    r.Define(QStringLiteral("Codigo"), 999999999);
    r.Define(QStringLiteral("Vazao"), 0.0125);
    r.Define(QStringLiteral("DataPub01"), QDate(2000, 1, 1));
    r.Define(QStringLiteral("DataVenc01"), 0);  // day 0: blank
    r.Atualiza();
    EXPECT_FALSE(r.Fim());
    EXPECT_EQ(r.Data(QStringLiteral("DataPub01")), 36526);
    r.AdicionaNovo();
    r.DefinePonto({1, 2});
    r.Define(QStringLiteral("DataPub01"), 36526.75);  // a date-time number keeps its day
    r.Define(QStringLiteral("Vazao"), QStringLiteral("2,5"));
    r.Atualiza();
    // Values that do not fit are refused before anything is written.
    r.AdicionaNovo();
    EXPECT_THROW(r.Define(QStringLiteral("Codigo"), 1000000000), ETorveda);
    EXPECT_THROW(r.Define(QStringLiteral("Vazao"), QStringLiteral("abc")), ETorveda);
    r.CancelaEdicao();
    r.FimEdicao();
  }
  auto lido = TDadosShape::Abre(caminho);
  ASSERT_NE(lido, nullptr);
  EXPECT_EQ(lido->Conta(), 2);
  EXPECT_EQ(lido->Campos()[1].Tipo, TTipoCampo::Inteiro);  // width 9 reopens as 32-bit
  EXPECT_EQ(lido->Campos()[3].Tipo, TTipoCampo::Data);
  TCamada camada;
  camada.DefineDados(lido);
  TRegistros r = camada.Registros();
  EXPECT_EQ(r.Texto(QStringLiteral("Nome")), QStringLiteral("Ribeirão São"));  // cut whole chars
  EXPECT_EQ(r.Inteiro(QStringLiteral("Codigo")), 999999999);
  EXPECT_DOUBLE_EQ(r.Real(QStringLiteral("Vazao")), 0.0125);
  EXPECT_EQ(r.Valor(QStringLiteral("DataPub01")).toDate(), QDate(2000, 1, 1));
  EXPECT_EQ(r.Data(QStringLiteral("DataVenc01")), 0);
  EXPECT_NEAR(r.Ponto().X, 269041.386, 1e-9);
  EXPECT_NEAR(r.Ponto().Y, 8286112.632, 1e-9);
  r.Proximo();
  EXPECT_EQ(r.Data(QStringLiteral("DataPub01")), 36526);
  EXPECT_DOUBLE_EQ(r.Real(QStringLiteral("Vazao")), 2.5);
  EXPECT_FALSE(r.Valor(QStringLiteral("Codigo")).isValid());
}

// The grant import's way of emptying a layer, then a new record, read back after reopening.
TEST(Registros, ApagaTudoDepoisAcrescentaEReabre) {
  TPastaTemporaria pasta;
  const QString caminho = EscreveOutorgas(pasta);
  TConexaoShape conexao(pasta.Caminho() + QStringLiteral("/Out/"));
  ASSERT_TRUE(conexao.Conecta());
  auto dados = conexao.Dataset(QStringLiteral("outorgas"));  // case ignored
  ASSERT_NE(dados, nullptr);
  EXPECT_EQ(conexao.Dataset(QStringLiteral("Outorgas")), dados);  // read once
  TCamada camada;
  camada.DefineDados(dados);
  const quint64 versao = camada.Versao();
  {
    TRegistros r = camada.Registros();
    ASSERT_GT(r.Conta(), 0);
    r.Primeiro();
    r.Edita();
    while (!r.Fim()) {
      r.Apaga();
      r.Proximo();
    }
    r.FimEdicao();
    EXPECT_EQ(r.Conta(), 0);
  }
  EXPECT_GT(camada.Versao(), versao);
  EXPECT_EQ(TDadosShape::Abre(caminho)->Conta(), 0);
  {
    // No FimEdicao: the record set writes its change when it goes away.
    TRegistros r = camada.Registros();
    r.AdicionaNovo();
    r.DefinePonto({5, 6});
    r.Define(QStringLiteral("Nprocesso"), QStringLiteral("novo"));
    r.Atualiza();
  }
  auto reaberto = TDadosShape::Abre(caminho);
  ASSERT_EQ(reaberto->Conta(), 1);
  TCamada outra;
  outra.DefineDados(reaberto);
  EXPECT_EQ(Processos(outra.Registros()), QStringList{"novo"});
  EXPECT_EQ(outra.Registros().Ponto(), (TPontoMapa{5, 6}));
}

TEST(Registros, EdicaoSoValeComAtualiza) {
  TPastaTemporaria pasta;
  TCamada camada;
  camada.DefineDados(TDadosShape::Abre(EscreveOutorgas(pasta)));
  TRegistros r = camada.Registros();
  r.Edita();
  r.Define(QStringLiteral("Nprocesso"), QStringLiteral("x"));
  r.Proximo();  // moving away drops the edit
  EXPECT_EQ(Processos(camada.Registros()), (QStringList{"c", "a", "b"}));
  r.Primeiro();
  r.Define(QStringLiteral("Nprocesso"), QStringLiteral("x"));
  r.Atualiza();
  EXPECT_EQ(Processos(camada.Registros()), (QStringList{"x", "a", "b"}));

  // A copy keeps its own cursor; a record deleted through one set is skipped by the others.
  TRegistros todos = camada.Registros();
  TRegistros copia = todos;
  copia.Proximo();
  EXPECT_EQ(todos.Texto(QStringLiteral("Nprocesso")), QStringLiteral("x"));
  EXPECT_EQ(copia.Texto(QStringLiteral("Nprocesso")), QStringLiteral("a"));
  copia.Apaga();
  EXPECT_EQ(todos.Conta(), 2);
  EXPECT_EQ(Processos(todos), (QStringList{"x", "b"}));
}

// A write that cannot happen is reported, never passed off as done; the memory keeps the change
// so a later save can still succeed.
TEST(Registros, GravacaoImpossivelEhInformada) {
  TPastaTemporaria pasta;
  const QString sub = pasta.Caminho() + QStringLiteral("/sub");
  auto dados = TDadosShape::Cria(sub + QStringLiteral("/Ponto.shp"), TTipoGeometria::Ponto,
                                 {TCampo::Inteiro(QStringLiteral("Codigo"))});
  ASSERT_TRUE(QDir(sub).removeRecursively());
  TCamada camada;
  camada.DefineDados(dados);
  TApresentadorRoteirizado apresentador;
  {
    TRegistros r = camada.Registros();
    r.AvisaFalhasEm(apresentador);
    r.AdicionaNovo();
    r.DefinePonto({1, 1});
    r.Define(QStringLiteral("Codigo"), 1);
    EXPECT_THROW(r.FimEdicao(), ETorveda);
    r.AdicionaNovo();
    r.DefinePonto({2, 2});
    r.Atualiza();
  }  // the second change is written on the way out, fails, and says so
  EXPECT_EQ(apresentador.Textos(TApresentadorRoteirizado::TTipo::Erro).size(), 1);
  EXPECT_TRUE(dados->Modificado());
  EXPECT_EQ(dados->Conta(), 2);
  ASSERT_TRUE(QDir().mkpath(sub));
  dados->Grava();
  EXPECT_EQ(TDadosShape::Abre(sub + QStringLiteral("/Ponto.shp"))->Conta(), 2);
}

// A save stopped between moving the new .shp and the rest is finished at the next opening; one
// stopped before its set was complete is thrown away, leaving the old files.
TEST(Registros, GravacaoInterrompidaEhConcluidaOuDescartada) {
  TPastaTemporaria pasta;
  const QString caminho = EscreveOutorgas(pasta);  // 3 records
  const QString dir = QFileInfo(caminho).absolutePath();
  // The new set (5 records), written elsewhere with the same name.
  const QString novo = pasta.Arquivo(QStringLiteral("novo/Outorgas.shp"));
  {
    auto d = TDadosShape::Cria(novo, TTipoGeometria::Ponto,
                               {TCampo::Texto(QStringLiteral("Nprocesso"))});
    TRegistros r(d, {});
    for (int i = 0; i < 5; ++i) {
      r.AdicionaNovo();
      r.DefinePonto({double(i), double(i)});
      r.Atualiza();
    }
    r.FimEdicao();
  }
  auto simula = [&](const QString& sufixo, bool marcada) {
    const QString t = dir + QStringLiteral("/.torveda-gravacao-Outorgas-") + sufixo;
    EXPECT_TRUE(QDir().mkpath(t));
    for (const QString ext : {"shp", "shx", "dbf", "prj", "cpg"})
      QFile::copy(QFileInfo(novo).path() + QStringLiteral("/Outorgas.") + ext,
                  t + QStringLiteral("/Outorgas.") + ext);
    if (!marcada) return;
    pasta.Escreve(QDir(pasta.Caminho()).relativeFilePath(t + QStringLiteral("/COMPLETA")),
                  "shp shx dbf prj cpg");
    // Stopped right after the first move.
    QFile::remove(dir + QStringLiteral("/Outorgas.shp"));
    QFile::rename(t + QStringLiteral("/Outorgas.shp"), dir + QStringLiteral("/Outorgas.shp"));
  };

  simula(QStringLiteral("aaaaaa"), false);
  auto velho = TDadosShape::Abre(caminho);
  ASSERT_NE(velho, nullptr);
  EXPECT_EQ(velho->Conta(), 3);
  EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("/.torveda-gravacao-Outorgas-aaaaaa")));

  simula(QStringLiteral("bbbbbb"), true);
  QString erro;
  auto concluido = TDadosShape::Abre(caminho, &erro);
  ASSERT_NE(concluido, nullptr) << erro.toStdString();
  EXPECT_EQ(concluido->Conta(), 5);
  EXPECT_EQ(concluido->Campos().size(), 1);
  EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("/.torveda-gravacao-Outorgas-bbbbbb")));
}

TEST(Conexao, PastaInexistenteOuDatasetAusente) {
  TPastaTemporaria pasta;
  TConexaoShape semPasta(pasta.Caminho() + QStringLiteral("/nao-existe"));
  EXPECT_FALSE(semPasta.Conecta());
  EXPECT_EQ(semPasta.Dataset(QStringLiteral("Limite")), nullptr);

  TConexaoShape conexao(pasta.Caminho());
  ASSERT_TRUE(conexao.Conecta());
  EXPECT_EQ(conexao.Dataset(QStringLiteral("Limite")), nullptr);
  // A file that is not a shapefile is refused, with the reason.
  pasta.Escreve(QStringLiteral("Lixo.shp"), "isto não é um shapefile");
  EXPECT_EQ(conexao.Dataset(QStringLiteral("Lixo")), nullptr);
  EXPECT_FALSE(conexao.UltimoErro().isEmpty());

  TCamada invalida(QStringLiteral("Limite"));
  invalida.DefineDados(nullptr);
  EXPECT_FALSE(invalida.Valida());
  EXPECT_EQ(invalida.Nome(), QStringLiteral("Limite"));
  EXPECT_EQ(invalida.Registros().Conta(), 0);
  EXPECT_TRUE(invalida.Registros().Fim());
  EXPECT_TRUE(invalida.Extensao().Vazio());
  EXPECT_FALSE(invalida.ContemPonto({0, 0}));
}
