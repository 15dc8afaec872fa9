// The state import on workbooks written by the test, in both formats the data module reads.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <memory>

#include "Montagem.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "data/TLivroPlanilha.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TRegistros.h"
#include "import/ImportaAqem.h"

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

// The surface sheet: a complete row, the three kinds of skipped row, a negative flow, a row
// whose latitude is too short, and a good row after it.
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
          Outorga(QStringLiteral("Negativa"), 5, 194600, 434600, -0.2),
          Outorga(QStringLiteral("Carlos Lima"), 5678, QStringLiteral("1945"), 434512, 0.7),
          Outorga(QStringLiteral("Depois da Falha"), 7, 194530, 434512, 0.9)};
}

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
            Limite.get()};
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

TEST_P(ImportacaoAqem, QuatroPassosComFalhaNaFolhaSuperficial) {
  Montagem::EscreveLivro(Arquivo, Montagem::LivroAqem(Superficiais(), Certidoes(), Subterraneas()));
  Abre();
  const TResultadoImportacao r = ImportaOutorgasAqem(Entrada());

  // The failing surface row is reported once, with the row's own texts, and the other three
  // steps still run.
  EXPECT_EQ(Apresentador.Textos(T::Mensagem),
            QStringList{QStringLiteral(
                "Erro no processo de importação (AQEM): \nRequerente (Requerente): Carlos Lima\n"
                "Número Portaria (Nportaria): 5678\nLatitude: 1945\nLongitude: 434512")});
  EXPECT_TRUE(Apresentador.Textos(T::Erro).isEmpty());
  ASSERT_TRUE(r.Executada);
  ASSERT_EQ(r.Passos.size(), 4u);
  EXPECT_FALSE(r.Completa());

  const TResultadoPasso& p1 = r.Passos[0];
  EXPECT_EQ(p1.Camada, CamadasAqem::SupSignif);
  EXPECT_EQ(p1.LinhasLidas, 6);
  EXPECT_EQ(p1.Gravados, 2);
  EXPECT_EQ(p1.SemCoordenadas, 1);
  EXPECT_EQ(p1.VazaoZero, 1);
  EXPECT_EQ(p1.ForaDaArea, 1);
  EXPECT_EQ(p1.LinhaFalha, 7);
  EXPECT_FALSE(p1.Causa.isEmpty());
  for (std::size_t i = 1; i < 4; ++i) EXPECT_FALSE(r.Passos[i].Falhou()) << i;
  EXPECT_EQ(r.Passos[1].Gravados, 2);
  EXPECT_EQ(r.Passos[1].VazaoZero, 2);
  EXPECT_EQ(r.Passos[2].Gravados, 2);
  EXPECT_EQ(r.Passos[3].Gravados, 2);
  EXPECT_EQ(r.Passos[3].VazaoZero, 2);

  // What the files hold: the old records are gone, the rows are there in sheet order.
  TRegistros sup = NoDisco(CamadasAqem::SupSignif);
  ASSERT_EQ(sup.Conta(), 2);
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
  // Only a zero flow is skipped: a negative one is imported. An empty cell is blank.
  EXPECT_DOUBLE_EQ(sup.Real(QStringLiteral("Vazao")), -0.2);
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

// A certificate row that fails shows its certificate number on the portaria line; the step
// keeps what it wrote before the row.
TEST_P(ImportacaoAqem, FalhaNaFolhaDeCertidoes) {
  M ruim = Certidao(QStringLiteral("Curta"), 81, 0.001, 2.0);
  ruim.insert(Lon, QStringLiteral("43451"));
  // The other sheets hold one row without coordinates: GDAL writes no heading row for a sheet
  // without rows.
  const M semCoordenadas = Outorga(QStringLiteral("Sem"), 1, {}, {}, 1.0, 1.0);
  Montagem::EscreveLivro(
      Arquivo,
      Montagem::LivroAqem({semCoordenadas}, {Certidao(QStringLiteral("Boa"), 80, 0.001, 0.0), ruim},
                          {semCoordenadas}));
  Abre();
  const TResultadoImportacao r = ImportaOutorgasAqem(Entrada());
  const QString msg = QStringLiteral(
      "Erro no processo de importação (AQEM): \nRequerente (Requerente): Curta\n"
      "Número Portaria (Nportaria): 81\nLatitude: 194530\nLongitude: 43451");
  // Reported by both steps that read the sheet: the row has a flow for each of them.
  EXPECT_EQ(Apresentador.Textos(T::Mensagem), (QStringList{msg, msg}));
  ASSERT_EQ(r.Passos.size(), 4u);
  EXPECT_EQ(r.Passos[1].Gravados, 1);
  EXPECT_EQ(NoDisco(CamadasAqem::SupInsignif).Conta(), 1);
  EXPECT_EQ(NoDisco(CamadasAqem::SubInsignif).Conta(), 0);
}

INSTANTIATE_TEST_SUITE_P(Formatos, ImportacaoAqem, ::testing::Values(".xls", ".xlsx"));

// A workbook that opened with headings and no rows still empties the four layers, silently.
TEST(ImportaAqemVazia, EsvaziaAsCamadas) {
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
  for (const QString& n : {CamadasAqem::SupSignif, CamadasAqem::SupInsignif, CamadasAqem::SubSignif,
                           CamadasAqem::SubInsignif})
    c.push_back(Montagem::AbreCamada(sig, n));
  auto limite = Montagem::AbreCamada(sig, QStringLiteral("Limite"));
  const auto r = ImportaOutorgasAqem(
      {&sup, &ins, &sub, arquivo, c[0].get(), c[1].get(), c[2].get(), c[3].get(), limite.get()});
  EXPECT_TRUE(r.Completa());
  EXPECT_TRUE(apresentador.Registros().isEmpty());
  for (const QString& n : {CamadasAqem::SupSignif, CamadasAqem::SupInsignif, CamadasAqem::SubSignif,
                           CamadasAqem::SubInsignif})
    EXPECT_EQ(Montagem::AbreCamada(sig, n)->Registros().Conta(), 0) << n.toStdString();
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
  TEntradaAqem e{&sup,       &ins,       &sub,       arquivo,     c[0].get(),
                 c[1].get(), c[2].get(), c[3].get(), limite.get()};
  auto r = ImportaOutorgasAqem(e);
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
  r = ImportaOutorgasAqem(e);
  EXPECT_FALSE(r.Executada);
  ASSERT_EQ(apresentador.Textos(T::Erro).size(), 1);
  EXPECT_TRUE(apresentador.Textos(T::Erro).first().contains(CamadasAqem::SubSignif));

  for (const auto& camada : c) EXPECT_EQ(camada->Registros().Conta(), 1);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), antes);
}
