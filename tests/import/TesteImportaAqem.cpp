// The state import on workbooks written by the test, in both formats the data module reads.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <cmath>
#include <map>
#include <memory>

#include "Montagem.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "data/TLivroPlanilha.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "import/ImportaAqem.h"
#include "import/interno/ValorNoCampo.h"

namespace {

using T = TApresentadorRoteirizado::TTipo;
using M = QVariantMap;

const QString Lat = QStringLiteral("Latitude");
const QString Lon = QStringLiteral("Longitude");
const QString Qs = QStringLiteral("Vazão (m³/s)");
const QString Qh = QStringLiteral("Vazão (m³/h)");

M Outorga(const QString& requerente, int portaria, const QVariant& lat, const QVariant& lon,
          const QVariant& qs, const QVariant& qh = {}) {
  M m{{QStringLiteral("Requerente"), requerente},
      {QStringLiteral("Nº Portaria"), portaria},
      {Qs, qs},
      {Qh, qh}};
  if (lat.isValid()) m.insert(Lat, lat);
  if (lon.isValid()) m.insert(Lon, lon);
  return m;
}

M Certidao(const QString& requerente, int certidao, const QVariant& qs, const QVariant& qh) {
  return {{QStringLiteral("Requerente"), requerente},
          {QStringLiteral("Nº Certidão"), certidao},
          {QStringLiteral("Data Expedição"), QDate(2010, 5, 5)},
          {QStringLiteral("Local"), QStringLiteral("Córrego Fundo")},
          {Lat, 194530},
          {Lon, 434512},
          {Qs, qs},
          {Qh, qh}};
}

// The surface sheet: a complete row, the three kinds of skipped row and two more good rows.
QList<M> Superficiais() {
  M completa = Outorga(QStringLiteral("Ana Souza"), 1234, 194530, 434512, 0.5, 1800);
  completa.insert(QStringLiteral("Nº Processo"), QStringLiteral("123/2001"));
  completa.insert(QStringLiteral("Data entrada"), QDate(2001, 3, 15));
  completa.insert(QStringLiteral("Data Publicação"), QDate(2001, 4, 20));
  completa.insert(QStringLiteral("Município"), QStringLiteral("Paracatu"));
  completa.insert(QStringLiteral("Rio Estadual"), QStringLiteral("Ribeirão Entre Ribeiros"));
  completa.insert(QStringLiteral("Rio Federal"), QStringLiteral("Rio Paracatu"));
  completa.insert(QStringLiteral("Recurso hídrico"), QStringLiteral("Superficial"));
  completa.insert(QStringLiteral("Local"), QStringLiteral("Fazenda Boa Vista"));
  completa.insert(QStringLiteral("Obs"), QStringLiteral("renovação"));
  completa.insert(QStringLiteral("Validade (anos)"), 10);
  completa.insert(QStringLiteral("Finalidade"), QStringLiteral("Irrigação"));
  completa.insert(QStringLiteral("Uso"), QStringLiteral("Consuntivo"));
  return {completa,
          Outorga(QStringLiteral("Sem Latitude"), 2, {}, 434512, 0.3),
          Outorga(QStringLiteral("Vazão Zero"), 3, 194530, 434512, 0.0),
          Outorga(QStringLiteral("Fora"), 4, 152930, 470910, 0.3),
          Outorga(QStringLiteral("Segunda"), 5, 194600, 434600, 0.2),
          Outorga(QStringLiteral("Depois da Falha"), 7, 194530, 434512, 0.9)};
}

const QStringList TodasAqem{CamadasAqem::SupSignif, CamadasAqem::SupInsignif,
                            CamadasAqem::SubSignif, CamadasAqem::SubInsignif};

QList<M> Certidoes() {
  return {Certidao(QStringLiteral("Ambas"), 77, 0.002, 7.2),
          Certidao(QStringLiteral("Só Superficial"), 78, 0.001, 0.0),
          Certidao(QStringLiteral("Só Subterrânea"), 79, 0.0, 3.6),
          Certidao(QStringLiteral("Nenhuma"), 80, 0.0, 0.0)};
}

// The groundwater sheet's "Vazão (m³/s)" is a text column; only "Vazão (m³/h)" is read.
QList<M> Subterraneas() {
  return {Outorga(QStringLiteral("Poço Um"), 901, 194530, 434512, QStringLiteral("n/d"), 3.6),
          Outorga(QStringLiteral("Poço Dois"), 902, 194600, 434600, QStringLiteral("n/d"), 10)};
}

class ImportacaoAqem : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    Sig = Pasta.Caminho() + QStringLiteral("/sig");
    Montagem::CriaCamadas(Sig);
    Arquivo = Pasta.Arquivo(QStringLiteral("TORVEDA_Outorgas_AQEM") + QLatin1String(GetParam()));
  }

  // Opens the workbook and the layers the way the start-up does.
  void Abre() {
    Livro.DefineArquivo(Arquivo);
    Livro.Abre();
    for (TTabelaPlanilha* t : {&Sup, &Ins, &Sub}) t->Abre(Livro);
    AbreCamadas();
  }
  void AbreCamadas() {
    for (const QString& n : {CamadasAqem::SupSignif, CamadasAqem::SupInsignif,
                             CamadasAqem::SubSignif, CamadasAqem::SubInsignif})
      Camadas.push_back(Montagem::AbreCamada(Sig, n));
    Limite = Montagem::AbreCamada(Sig, QStringLiteral("Limite"));
  }
  TEntradaAqem Entrada() {
    return {&Sup,
            &Ins,
            &Sub,
            Arquivo,
            Camadas[0].get(),
            Camadas[1].get(),
            Camadas[2].get(),
            Camadas[3].get(),
            Limite.get(),
            {},
            {},
            {}};
  }
  // The layer as its files hold it now.
  TRegistros NoDisco(const QString& nome) {
    Relidas.push_back(Montagem::AbreCamada(Sig, nome));
    TRegistros r = Relidas.back()->Registros();
    r.Primeiro();
    return r;
  }

  TPastaTemporaria Pasta;
  QString Sig;
  QString Arquivo;
  TLivroPlanilha Livro;
  TTabelaPlanilha Sup{QStringLiteral("Outorgas Água Superficial")};
  TTabelaPlanilha Ins{QStringLiteral("Certidões de Uso Insignificante")};
  TTabelaPlanilha Sub{QStringLiteral("Outorgas Água Subterrânea")};
  std::vector<std::unique_ptr<TCamada>> Camadas;
  std::unique_ptr<TCamada> Limite;
  std::vector<std::unique_ptr<TCamada>> Relidas;
  TApresentadorRoteirizado Apresentador;
};

}  // namespace

TEST_P(ImportacaoAqem, QuatroPassos) {
  Montagem::EscreveLivro(Arquivo, Montagem::LivroAqem(Superficiais(), Certidoes(), Subterraneas()));
  Abre();
  const TResultadoImportacao r = ImportaOutorgasAqem(Entrada(), Apresentador);
  EXPECT_TRUE(Apresentador.Textos(T::Mensagem).isEmpty());
  EXPECT_TRUE(Apresentador.Textos(T::Erro).isEmpty());
  ASSERT_TRUE(r.Executada);
  ASSERT_EQ(r.Passos.size(), 4u);
  EXPECT_TRUE(r.Completa());
  EXPECT_EQ(r.Substituidas(), TodasAqem);
  EXPECT_TRUE(r.Mantidas().isEmpty());
  // The summary, an information, counts each layer's rows.
  ASSERT_EQ(Apresentador.Textos(T::Informacao).size(), 1);
  EXPECT_TRUE(
      Apresentador.Textos(T::Informacao)
          .first()
          .contains(QStringLiteral(
              "Out_Sup_Signif_AQEM (folha \"Outorgas Água Superficial\"): camada substituída.\n"
              "  6 linhas lidas, 3 registros gravados.\n"
              "  Ignoradas: 1 sem coordenadas, 1 com vazão zero, 1 fora da bacia.")))
      << Apresentador.Textos(T::Informacao).first().toStdString();

  const TResultadoPasso& p1 = r.Passos[0];
  EXPECT_EQ(p1.Camada, CamadasAqem::SupSignif);
  EXPECT_EQ(p1.LinhasLidas, 6);
  EXPECT_EQ(p1.Gravados, 3);
  EXPECT_EQ(p1.SemCoordenadas, 1);
  EXPECT_EQ(p1.VazaoZero, 1);
  EXPECT_EQ(p1.ForaDaArea, 1);
  EXPECT_EQ(p1.LinhaFalha, 0);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_TRUE(r.Passos[i].Substituida) << i;
  EXPECT_EQ(r.Passos[1].Gravados, 2);
  EXPECT_EQ(r.Passos[1].VazaoZero, 2);
  EXPECT_EQ(r.Passos[2].Gravados, 2);
  EXPECT_EQ(r.Passos[3].Gravados, 2);
  EXPECT_EQ(r.Passos[3].VazaoZero, 2);
  // The layer objects hold what the files hold.
  EXPECT_EQ(Camadas[0]->Registros().Conta(), 3);

  // What the files hold: the old records are gone, the rows are there in sheet order.
  TRegistros sup = NoDisco(CamadasAqem::SupSignif);
  ASSERT_EQ(sup.Conta(), 3);
  const TPontoMapa p = sup.Ponto();
  EXPECT_NEAR(p.X, Montagem::P0.X, 0.01);
  EXPECT_NEAR(p.Y, Montagem::P0.Y, 0.01);
  EXPECT_EQ(sup.Real(QStringLiteral("Latitude")), 194530.0);
  EXPECT_EQ(sup.Real(QStringLiteral("Longitude")), 434512.0);
  EXPECT_EQ(sup.Texto(QStringLiteral("Nprocesso")), QStringLiteral("123/2001"));
  EXPECT_EQ(sup.Texto(QStringLiteral("Requerente")), QStringLiteral("Ana Souza"));
  EXPECT_EQ(sup.Inteiro(QStringLiteral("Nportaria")), 1234);
  EXPECT_EQ(sup.Valor(QStringLiteral("Datapublic")).toDate(), QDate(2001, 4, 20));
  EXPECT_EQ(sup.Texto(QStringLiteral("Municipio")), QStringLiteral("Paracatu"));
  EXPECT_EQ(sup.Texto(QStringLiteral("Rioestadua")), QStringLiteral("Ribeirão Entre Ribeiros"));
  EXPECT_EQ(sup.Texto(QStringLiteral("Riofederal")), QStringLiteral("Rio Paracatu"));
  EXPECT_EQ(sup.Texto(QStringLiteral("Rechidrico")), QStringLiteral("Superficial"));
  EXPECT_DOUBLE_EQ(sup.Real(QStringLiteral("Vazao")), 0.5);
  EXPECT_EQ(sup.Texto(QStringLiteral("Local")), QStringLiteral("Fazenda Boa Vista"));
  EXPECT_EQ(sup.Valor(QStringLiteral("Dataentrad")).toDate(), QDate(2001, 3, 15));
  EXPECT_EQ(sup.Texto(QStringLiteral("Obs")), QStringLiteral("renovação"));
  EXPECT_EQ(sup.Inteiro(QStringLiteral("Validade")), 10);
  EXPECT_EQ(sup.Texto(QStringLiteral("Finalidade")), QStringLiteral("Irrigação"));
  EXPECT_EQ(sup.Texto(QStringLiteral("Uso")), QStringLiteral("Consuntivo"));
  EXPECT_EQ(sup.Inteiro(QStringLiteral("ID")), 0);
  sup.Proximo();
  // An empty cell is blank.
  EXPECT_DOUBLE_EQ(sup.Real(QStringLiteral("Vazao")), 0.2);
  EXPECT_FALSE(sup.Valor(QStringLiteral("Datapublic")).isValid());
  EXPECT_TRUE(sup.Texto(QStringLiteral("Obs")).isEmpty());

  // A certificate with both flows is a point in each insignificant layer.
  TRegistros supIns = NoDisco(CamadasAqem::SupInsignif);
  ASSERT_EQ(supIns.Conta(), 2);
  EXPECT_EQ(supIns.Texto(QStringLiteral("Requerente")), QStringLiteral("Ambas"));
  EXPECT_DOUBLE_EQ(supIns.Real(QStringLiteral("Vazao")), 0.002);
  EXPECT_EQ(supIns.Inteiro(QStringLiteral("Ncertidao")), 77);
  EXPECT_EQ(supIns.Valor(QStringLiteral("Dataexpedi")).toDate(), QDate(2010, 5, 5));
  EXPECT_EQ(supIns.Texto(QStringLiteral("Local")), QStringLiteral("Córrego Fundo"));
  supIns.Proximo();
  EXPECT_EQ(supIns.Texto(QStringLiteral("Requerente")), QStringLiteral("Só Superficial"));

  TRegistros subIns = NoDisco(CamadasAqem::SubInsignif);
  ASSERT_EQ(subIns.Conta(), 2);
  EXPECT_EQ(subIns.Texto(QStringLiteral("Requerente")), QStringLiteral("Ambas"));
  EXPECT_DOUBLE_EQ(subIns.Real(QStringLiteral("Vazao")), 7.2);
  subIns.Proximo();
  EXPECT_EQ(subIns.Texto(QStringLiteral("Requerente")), QStringLiteral("Só Subterrânea"));
  EXPECT_DOUBLE_EQ(subIns.Real(QStringLiteral("Vazao")), 3.6);

  // Groundwater flows stay in m³/h as read.
  TRegistros sub = NoDisco(CamadasAqem::SubSignif);
  ASSERT_EQ(sub.Conta(), 2);
  EXPECT_DOUBLE_EQ(sub.Real(QStringLiteral("Vazao")), 3.6);
  EXPECT_EQ(sub.Inteiro(QStringLiteral("Nportaria")), 901);
  sub.Proximo();
  EXPECT_DOUBLE_EQ(sub.Real(QStringLiteral("Vazao")), 10.0);
}

// A certificate row that fails shows its certificate number on the portaria line, and the line
// and column as the summary does; one failing step keeps all four layers as they were.
TEST_P(ImportacaoAqem, FalhaNaFolhaDeCertidoesMantemAsQuatro) {
  M ruim = Certidao(QStringLiteral("Curta"), 81, 0.001, 2.0);
  ruim.insert(Lon, QStringLiteral("43451"));
  Montagem::EscreveLivro(
      Arquivo,
      Montagem::LivroAqem(Superficiais(), {Certidao(QStringLiteral("Boa"), 80, 0.001, 0.0), ruim},
                          Subterraneas()));
  Abre();
  std::map<QString, Montagem::TRetrato> antes;
  for (const QString& c : TodasAqem) antes[c] = Montagem::Retrato(Sig, c);
  const TResultadoImportacao r = ImportaOutorgasAqem(Entrada(), Apresentador);

  // Reported by both steps that read the sheet: the row has a flow for each of them.
  const QStringList caixas = Apresentador.Textos(T::Mensagem);
  ASSERT_EQ(caixas.size(), 2);
  EXPECT_EQ(caixas[0], caixas[1]);
  EXPECT_TRUE(caixas[0].startsWith(
      QStringLiteral("Erro no processo de importação (AQEM): \nRequerente (Requerente): Curta\n"
                     "Número Portaria (Nportaria): 81\nLatitude: 194530\nLongitude: 43451\n\n"
                     "Falha na linha 3, coluna \"Longitude\": ")))
      << caixas[0].toStdString();
  ASSERT_EQ(r.Passos.size(), 4u);
  EXPECT_EQ(r.Passos[1].LinhaFalha, 3);
  EXPECT_EQ(r.Passos[1].ColunaFalha, Lon);
  EXPECT_TRUE(r.Substituidas().isEmpty());
  EXPECT_EQ(r.Mantidas(), TodasAqem);
  for (const auto& p : r.Passos) EXPECT_EQ(p.Gravados, 0);
  for (const QString& c : TodasAqem)
    EXPECT_EQ(Montagem::Retrato(Sig, c), antes[c]) << c.toStdString();
  for (const auto& c : Camadas) EXPECT_EQ(c->Registros().Conta(), 1);  // in memory too
  const QString resumo = Apresentador.Textos(T::Informacao).value(0);
  EXPECT_TRUE(resumo.contains(QStringLiteral("Nenhuma camada foi substituída")))
      << resumo.toStdString();
  EXPECT_TRUE(resumo.contains(caixas[0].mid(caixas[0].indexOf(QStringLiteral("Falha na")))))
      << resumo.toStdString();
}

// Flows that cannot be: each fails its row naming line, column and value, and nothing changes.
// 1e308 fits no real field of the layer: written, it would come back as another number.
TEST_P(ImportacaoAqem, VazaoImpossivelFalhaNaLinha) {
  struct TCaso {
    QVariant Vazao;
    QString Trecho;
  };
  for (const TCaso& caso :
       {TCaso{-0.2, QStringLiteral("-0,2")}, TCaso{1e308, QStringLiteral("campo \"Vazao\"")}}) {
    QList<M> sup = Superficiais();
    sup[4].insert(Qs, caso.Vazao);
    Montagem::EscreveLivro(Arquivo, Montagem::LivroAqem(sup, Certidoes(), Subterraneas()));
    Camadas.clear();
    Abre();
    Apresentador.Limpa();
    std::map<QString, Montagem::TRetrato> antes;
    for (const QString& c : TodasAqem) antes[c] = Montagem::Retrato(Sig, c);
    const TResultadoImportacao r = ImportaOutorgasAqem(Entrada(), Apresentador);
    ASSERT_EQ(r.Passos.size(), 4u);
    const TResultadoPasso& p = r.Passos[0];
    EXPECT_EQ(p.LinhaFalha, 6);
    EXPECT_EQ(p.ColunaFalha, Qs);
    EXPECT_TRUE(p.Falha.contains(QStringLiteral("Falha na linha 6, coluna \"Vazão (m³/s)\": ")))
        << p.Falha.toStdString();
    EXPECT_TRUE(p.Causa.contains(caso.Trecho)) << p.Causa.toStdString();
    EXPECT_FALSE(r.Completa());
    for (const QString& c : TodasAqem)
      EXPECT_EQ(Montagem::Retrato(Sig, c), antes[c]) << c.toStdString();
  }
}

// A layer whose files were made read-only: found before anything is written, so every layer
// stays as it was.
TEST_P(ImportacaoAqem, CamadaSomenteLeitura) {
  Montagem::EscreveLivro(Arquivo, Montagem::LivroAqem(Superficiais(), Certidoes(), Subterraneas()));
  Abre();
  const QString dbf = Sig + QStringLiteral("/Out_Sub_Insignif_AQEM.dbf");
  ASSERT_TRUE(QFile::setPermissions(dbf, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  std::map<QString, Montagem::TRetrato> antes;
  for (const QString& c : TodasAqem) antes[c] = Montagem::Retrato(Sig, c);
  const TResultadoImportacao r = ImportaOutorgasAqem(Entrada(), Apresentador);
  EXPECT_FALSE(r.Executada);
  EXPECT_EQ(r.Mantidas(), TodasAqem);
  ASSERT_EQ(Apresentador.Textos(T::Erro).size(), 1);
  const QString erro = Apresentador.Textos(T::Erro).first();
  EXPECT_TRUE(erro.contains(QStringLiteral("Out_Sub_Insignif_AQEM.dbf"))) << erro.toStdString();
  EXPECT_TRUE(erro.contains(QStringLiteral("somente leitura"))) << erro.toStdString();
  EXPECT_TRUE(erro.contains(QStringLiteral("não foram alteradas"))) << erro.toStdString();
  for (const QString& c : TodasAqem)
    EXPECT_EQ(Montagem::Retrato(Sig, c), antes[c]) << c.toStdString();
  QFile::setPermissions(dbf, QFile::ReadOwner | QFile::WriteOwner);
}

// A sheet that lacks a heading one of its steps reads: nothing is written, the message names
// the sheet, the heading and the file.
TEST_P(ImportacaoAqem, FolhaSemTitulo) {
  QList<Montagem::TFolha> livro = Montagem::LivroAqem(Superficiais(), Certidoes(), Subterraneas());
  livro[2].Colunas.removeAll(Qh);
  for (auto& l : livro[2].Linhas) l.remove(Qh);
  Montagem::EscreveLivro(Arquivo, livro);
  Abre();
  std::map<QString, Montagem::TRetrato> antes;
  for (const QString& c : TodasAqem) antes[c] = Montagem::Retrato(Sig, c);
  const TResultadoImportacao r = ImportaOutorgasAqem(Entrada(), Apresentador);
  EXPECT_FALSE(r.Executada);
  ASSERT_EQ(Apresentador.Textos(T::Erro).size(), 1);
  const QString erro = Apresentador.Textos(T::Erro).first();
  EXPECT_TRUE(erro.contains(
      QStringLiteral(
          "A folha \"Outorgas Água Subterrânea\" do arquivo %1 não tem a coluna \"Vazão (m³/h)\".")
          .arg(QDir::toNativeSeparators(Arquivo))))
      << erro.toStdString();
  for (const QString& c : TodasAqem)
    EXPECT_EQ(Montagem::Retrato(Sig, c), antes[c]) << c.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Formatos, ImportacaoAqem, ::testing::Values(".xls", ".xlsx"));

// A workbook with headings and no rows would empty the four layers: the user is asked, naming
// how many grants each would lose; No (or a refusal) keeps them, Yes empties them.
TEST(ImportaAqemVazia, PerguntaAntesDeEsvaziar) {
  TPastaTemporaria pasta;
  const QString sig = pasta.Caminho() + QStringLiteral("/sig");
  Montagem::CriaCamadas(sig);
  const QString arquivo = pasta.Arquivo(QStringLiteral("vazia.xls"));
  Montagem::EscreveLivro(arquivo, Montagem::LivroAqem({}, {}, {}));
  TApresentadorRoteirizado apresentador;
  TLivroPlanilha livro;
  livro.DefineArquivo(arquivo);
  livro.Abre();
  TTabelaPlanilha sup{QStringLiteral("Outorgas Água Superficial")};
  TTabelaPlanilha ins{QStringLiteral("Certidões de Uso Insignificante")};
  TTabelaPlanilha sub{QStringLiteral("Outorgas Água Subterrânea")};
  for (TTabelaPlanilha* t : {&sup, &ins, &sub}) t->Abre(livro);
  std::vector<std::unique_ptr<TCamada>> c;
  for (const QString& n : TodasAqem) c.push_back(Montagem::AbreCamada(sig, n));
  auto limite = Montagem::AbreCamada(sig, QStringLiteral("Limite"));
  TEntradaAqem e{&sup,       &ins,       &sub,         arquivo, c[0].get(), c[1].get(),
                 c[2].get(), c[3].get(), limite.get(), {},      {},         {}};
  auto contas = [&] {
    QList<qint64> n;
    for (const QString& camada : TodasAqem)
      n << Montagem::AbreCamada(sig, camada)->Registros().Conta();
    return n;
  };

  apresentador.Responde(TResposta::Nao);
  auto r = ImportaOutorgasAqem(e, apresentador);
  ASSERT_EQ(apresentador.Textos(T::Confirmacao).size(), 1);
  const QString pergunta = apresentador.Textos(T::Confirmacao).first();
  EXPECT_TRUE(pergunta.contains(QStringLiteral(
      "  Out_Sub_Insignif_AQEM (folha \"Certidões de Uso Insignificante\"): 1 outorga seria "
      "removida.")))
      << pergunta.toStdString();
  EXPECT_EQ(pergunta.count(QStringLiteral("seria removida")), 4);
  EXPECT_FALSE(r.Completa());
  EXPECT_EQ(r.Esvaziadas, TodasAqem);
  EXPECT_EQ(contas(), (QList<qint64>{1, 1, 1, 1}));

  e.Vazia = TSubstituicaoVazia::Recusa;
  apresentador.Limpa();
  r = ImportaOutorgasAqem(e, apresentador);
  EXPECT_TRUE(apresentador.Textos(T::Confirmacao).isEmpty());
  ASSERT_EQ(apresentador.Textos(T::Erro).size(), 1);
  EXPECT_TRUE(apresentador.Textos(T::Erro).first().endsWith(
      QStringLiteral("As outorgas estaduais não foram alteradas.")));
  EXPECT_EQ(contas(), (QList<qint64>{1, 1, 1, 1}));

  e.Vazia = TSubstituicaoVazia::Pergunta;
  apresentador.Responde(TResposta::Sim);
  r = ImportaOutorgasAqem(e, apresentador);
  EXPECT_TRUE(r.Completa());
  EXPECT_EQ(contas(), (QList<qint64>{0, 0, 0, 0}));
}

// A workbook that could not be opened at start-up, or a layer that is not there, must not cost
// the layers their records: the import says so and changes nothing.
TEST(ImportaAqemIndisponivel, NadaMudaEOUsuarioSabePorque) {
  TPastaTemporaria pasta;
  const QString sig = pasta.Caminho() + QStringLiteral("/sig");
  Montagem::CriaCamadas(sig);
  const QString shp = sig + QStringLiteral("/Out_Sup_Signif_AQEM.shp");
  QFile f(shp);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray antes = f.readAll();
  f.close();

  TApresentadorRoteirizado apresentador;
  TTabelaPlanilha sup{QStringLiteral("Outorgas Água Superficial")};
  TTabelaPlanilha ins{QStringLiteral("Certidões de Uso Insignificante")};
  TTabelaPlanilha sub{QStringLiteral("Outorgas Água Subterrânea")};
  std::vector<std::unique_ptr<TCamada>> c;
  for (const QString& n : {CamadasAqem::SupSignif, CamadasAqem::SupInsignif, CamadasAqem::SubSignif,
                           CamadasAqem::SubInsignif})
    c.push_back(Montagem::AbreCamada(sig, n));
  auto limite = Montagem::AbreCamada(sig, QStringLiteral("Limite"));
  const QString arquivo = QStringLiteral("/dados/Dados/DadosBD/TORVEDA_Outorgas_AQEM.xls");
  TEntradaAqem e{&sup,       &ins,       &sub,         arquivo, c[0].get(), c[1].get(),
                 c[2].get(), c[3].get(), limite.get(), {},      {},         {}};
  auto r = ImportaOutorgasAqem(e, apresentador);
  EXPECT_FALSE(r.Executada);
  ASSERT_EQ(apresentador.Textos(T::Erro).size(), 1);
  EXPECT_TRUE(
      apresentador.Textos(T::Erro).first().contains(QStringLiteral("Outorgas Estaduais (AQEM)")));
  EXPECT_TRUE(apresentador.Textos(T::Erro).first().contains(QDir::toNativeSeparators(arquivo)));

  // The workbook is fine but a layer is missing: refused the same way, naming the layer.
  apresentador.Limpa();
  TCamada invalida(CamadasAqem::SubSignif);
  const QString livroOk = pasta.Arquivo(QStringLiteral("ok.xls"));
  Montagem::EscreveLivro(livroOk, Montagem::LivroAqem({}, {}, {}));
  TLivroPlanilha livro;
  livro.DefineArquivo(livroOk);
  livro.Abre();
  for (TTabelaPlanilha* t : {&sup, &ins, &sub}) t->Abre(livro);
  e.SubSignif = &invalida;
  r = ImportaOutorgasAqem(e, apresentador);
  EXPECT_FALSE(r.Executada);
  ASSERT_EQ(apresentador.Textos(T::Erro).size(), 1);
  EXPECT_TRUE(apresentador.Textos(T::Erro).first().contains(CamadasAqem::SubSignif));

  for (const auto& camada : c) EXPECT_EQ(camada->Registros().Conta(), 1);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), antes);
}

// The field's width and decimals decide what comes back: "%24.15f" holds 8 characters before the
// point, so 1e8 would be cut; a narrower field cuts sooner. Decimals past the field's are its
// own rounding, not a change of the number.
TEST(ValorNoCampo, RecusaOQueOCampoNaoDevolve) {
  const TCampo padrao = TCampo::Real(QStringLiteral("Vazao"));
  EXPECT_NO_THROW(ValorNoCampo::VerificaReal(0.00812, padrao));
  EXPECT_NO_THROW(ValorNoCampo::VerificaReal(9999999.5, padrao));
  EXPECT_THROW(ValorNoCampo::VerificaReal(1e8, padrao), ETorveda);
  EXPECT_THROW(ValorNoCampo::VerificaReal(1e308, padrao), ETorveda);
  EXPECT_THROW(ValorNoCampo::VerificaReal(std::nan(""), padrao), ETorveda);
  const TCampo estreito = TCampo::Real(QStringLiteral("Vazao"), 10, 3);
  EXPECT_NO_THROW(ValorNoCampo::VerificaReal(-12345.6789, estreito));
  EXPECT_THROW(ValorNoCampo::VerificaReal(1234567.891, estreito), ETorveda);

  EXPECT_NO_THROW(ValorNoCampo::VerificaVazao(0.0));
  for (const double v : {-1e-9, -HUGE_VAL, HUGE_VAL, std::nan("")})
    EXPECT_THROW(ValorNoCampo::VerificaVazao(v), ETorveda) << v;
}
