// The analysis tables and the grant lists written as .xlsx and .csv, read back through GDAL as
// another spreadsheet program would read them.
#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_api.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <memory>

#include "base/Erro.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/ExportaTabelas.h"
#include "hydro/TBaciaContribuicao.h"
#include "hydro/TPonto.h"
#include "raster/TImagem.h"

namespace {

struct TFecha {
  void operator()(GDALDatasetH d) const { GDALClose(d); }
};
using TDataset = std::unique_ptr<void, TFecha>;

TDataset Abre(const QString& arquivo, std::initializer_list<const char*> opcoes = {}) {
  GDALAllRegister();
  std::vector<const char*> o(opcoes);
  o.push_back(nullptr);
  return TDataset(
      GDALOpenEx(arquivo.toUtf8().constData(), GDAL_OF_VECTOR, nullptr, o.data(), nullptr));
}

// The text of a field of the n-th row (0-based) of a layer.
QString Campo(OGRLayerH camada, int linha, const char* campo) {
  OGR_L_ResetReading(camada);
  OGRFeatureH f = nullptr;
  for (int i = 0; i <= linha; ++i) {
    if (f) OGR_F_Destroy(f);
    f = OGR_L_GetNextFeature(camada);
    if (!f) return QStringLiteral("<sem linha>");
  }
  const int i = OGR_F_GetFieldIndex(f, campo);
  const QString t =
      i < 0 ? QStringLiteral("<sem campo>") : QString::fromUtf8(OGR_F_GetFieldAsString(f, i));
  OGR_F_Destroy(f);
  return t;
}

// A section with one counted state grant, one counted federal grant and one left out, and a
// two-year analysis with an allowable flow of 2 and a request of 0,3.
struct TCenario {
  TCenario() {
    TOutorgasConsideradas& l = Ponto.Outorgas();
    l.UnidadeSecao = 111;
    l.TrechoSecao = 11;
    TOutorgaExaminada a;
    a.Registro = 3;
    a.Requerente = QStringLiteral("Fazenda \"Boa Vista\"; irrigação");
    a.Documento = QStringLiteral("1234");
    a.Vazao.fill(0.5);
    a.Inicio = QDate(2005, 1, 31);
    a.Fim = QDate(2007, 1, 31);
    a.PrimeiroMes = 2005 * 12;
    a.NumMeses = 25;
    a.Unidade = 111;
    a.Regra = TRegraOutorga::NoTrechoDaSecao;
    l.Consideradas.push_back(a);
    TOutorgaExaminada b = a;
    b.Camada = TCamadaOutorga::Federal;
    b.Vazao = {0.2, 0.1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    b.Regra = TRegraOutorga::MontantePelaRede;
    b.Trecho = 10;
    l.Consideradas.push_back(b);
    TOutorgaExaminada c = a;
    c.Registro = 4;
    c.Regra = TRegraOutorga::ForaDasUnidades;
    c.Unidade = 0;
    l.Descartadas.push_back(c);

    R.TabelasFeitas = 5;
    R.VazaoCriterio = 2.0;
    R.Entradas = {QDate(2005, 1, 1),
                  QDate(2006, 12, 1),
                  QStringLiteral("0,3"),
                  {QStringLiteral("50"), QStringLiteral("Q710"), QStringLiteral("Tradicional")}};
    for (int ano = 2005; ano <= 2006; ++ano)
      for (int mes = 1; mes <= 12; ++mes) {
        TMesOutorga m;
        m.Mes = mes;
        m.Ano = ano;
        m.Estadual = 0.5;
        m.Federal = mes == 1 ? 0.2 : 0.0;
        m.Total = m.Estadual + m.Federal;
        m.Solicitada = 0.3;
        R.Meses.push_back(m);
      }
  }
  TPonto Ponto;
  TResultadoOutorga R;
};

}  // namespace

TEST(ExportaTabelas, Xlsx) {
  TCenario c;
  TPastaTemporaria pasta;
  const QString arquivo = pasta.Arquivo(QStringLiteral("análise.xlsx"));
  EXPECT_EQ(ExportaTabelas(arquivo, TabelasDaAnalise(c.Ponto, &c.R, nullptr,
                                                     {QStringLiteral("77/2026"), QString()})),
            QStringList{arquivo});
  // Nothing but the workbook is left in the folder.
  EXPECT_EQ(QDir(pasta.Caminho()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("análise.xlsx")});

  TDataset ds = Abre(arquivo);
  ASSERT_TRUE(ds);
  const char* folhas[] = {
      "Análise",           "Outorgada AQEM",     "Outorgada ANA",         "Outorgada total",
      "Situação anterior", "Situação posterior", "Outorgas consideradas", "Outorgas descartadas"};
  ASSERT_EQ(GDALDatasetGetLayerCount(ds.get()), 8);
  for (int i = 0; i < 8; ++i)
    EXPECT_STREQ(OGR_L_GetName(GDALDatasetGetLayer(ds.get(), i)), folhas[i]);

  // The first sheet carries what the reports print; an analyst not given is left out. Its cells
  // are all texts, which GDAL reads as data unless told the first row holds the headings.
  CPLSetConfigOption("OGR_XLSX_HEADERS", "FORCE");
  TDataset comCabecalho = Abre(arquivo);
  ASSERT_TRUE(comCabecalho);
  OGRLayerH resumo = GDALDatasetGetLayer(comCabecalho.get(), 0);
  QMap<QString, QString> fatos;
  for (int i = 0; i < OGR_L_GetFeatureCount(resumo, TRUE); ++i)
    fatos.insert(Campo(resumo, i, "Item"), Campo(resumo, i, "Valor"));
  CPLSetConfigOption("OGR_XLSX_HEADERS", nullptr);
  EXPECT_EQ(fatos.value(QStringLiteral("Processo nº")), QStringLiteral("77/2026"));
  EXPECT_FALSE(fatos.contains(QStringLiteral("Analista")));
  EXPECT_EQ(fatos.value(QStringLiteral("Período")), QStringLiteral("01/2005 a 12/2006"));
  EXPECT_EQ(fatos.value(QStringLiteral("Vazão solicitada (m³/s)")), QStringLiteral("0,3"));
  EXPECT_EQ(fatos.value(QStringLiteral("Critério de outorga")), QStringLiteral("50% da Q710"));
  EXPECT_EQ(fatos.value(QStringLiteral("Vazão do critério (m³/s)")), QStringLiteral("2"));

  OGRLayerH total = GDALDatasetGetLayerByName(ds.get(), "Outorgada total");
  EXPECT_EQ(OGR_L_GetFeatureCount(total, TRUE), 12);
  EXPECT_EQ(Campo(total, 0, "Mês"), QStringLiteral("Jan"));
  EXPECT_EQ(Campo(total, 0, "2005").toDouble(), 0.7);
  EXPECT_EQ(Campo(total, 11, "2006").toDouble(), 0.5);
  OGRLayerH posterior = GDALDatasetGetLayerByName(ds.get(), "Situação posterior");
  EXPECT_NEAR(Campo(posterior, 1, "2006").toDouble(), 2.0 - 0.3 - 0.5, 1e-12);

  OGRLayerH lista = GDALDatasetGetLayerByName(ds.get(), "Outorgas consideradas");
  EXPECT_EQ(OGR_L_GetFeatureCount(lista, TRUE), 2);
  EXPECT_EQ(Campo(lista, 0, "Cadastro"), QStringLiteral("AQEM"));
  EXPECT_EQ(Campo(lista, 0, "Camada"), QStringLiteral("Out_Sup_Signif_AQEM"));
  EXPECT_EQ(Campo(lista, 0, "Registro"), QStringLiteral("3"));
  EXPECT_EQ(Campo(lista, 0, "Requerente"), QStringLiteral("Fazenda \"Boa Vista\"; irrigação"));
  EXPECT_EQ(Campo(lista, 0, "Vazão").toDouble(), 0.5);
  EXPECT_EQ(Campo(lista, 0, "Meses"), QStringLiteral("25"));
  EXPECT_EQ(Campo(lista, 0, "Primeiro mês"), QStringLiteral("Jan/2005"));
  EXPECT_EQ(Campo(lista, 0, "Último mês"), QStringLiteral("Jan/2007"));
  EXPECT_EQ(Campo(lista, 0, "Regra"), QStringLiteral("no trecho da seção (11)"));
  EXPECT_EQ(Campo(lista, 1, "Cadastro"), QStringLiteral("ANA"));
  EXPECT_EQ(Campo(lista, 1, "Vazões mensais").left(20), QStringLiteral("Jan 0,2; Fev 0,1; Ma"));
  OGRLayerH fora = GDALDatasetGetLayerByName(ds.get(), "Outorgas descartadas");
  EXPECT_EQ(Campo(fora, 0, "Motivo"), QStringLiteral("fora das unidades de drenagem (Ad_Regioes)"));
}

TEST(ExportaTabelas, CsvUmArquivoPorTabela) {
  TCenario c;
  TPastaTemporaria pasta;
  const QStringList gravados =
      ExportaTabelas(pasta.Arquivo(QStringLiteral("saida.csv")), TabelasDaAnalise(c.Ponto, &c.R));
  ASSERT_EQ(gravados.size(), 8);
  EXPECT_TRUE(gravados[0].endsWith(QStringLiteral("/saida_analise.csv")));
  EXPECT_TRUE(gravados[1].endsWith(QStringLiteral("/saida_outorgada_aqem.csv")));
  EXPECT_TRUE(gravados[6].endsWith(QStringLiteral("/saida_outorgas_consideradas.csv")));
  for (const QString& g : gravados) EXPECT_TRUE(QFileInfo::exists(g)) << g.toStdString();

  TDataset lista = Abre(gravados[6], {"HEADERS=YES"});
  ASSERT_TRUE(lista);
  OGRLayerH camada = GDALDatasetGetLayer(lista.get(), 0);
  EXPECT_EQ(OGR_L_GetFeatureCount(camada, TRUE), 2);
  EXPECT_EQ(Campo(camada, 0, "Requerente"), QStringLiteral("Fazenda \"Boa Vista\"; irrigação"));
  // Numbers as a spreadsheet under Portuguese (Brazil) settings writes them.
  EXPECT_EQ(Campo(camada, 0, "Vazão"), QStringLiteral("0,5"));
  EXPECT_EQ(Campo(camada, 1, "Regra"),
            QStringLiteral("a montante pela rede: do trecho 10 desce ao trecho da seção (11)"));

  TDataset anterior = Abre(gravados[4], {"HEADERS=YES"});
  ASSERT_TRUE(anterior);
  OGRLayerH a = GDALDatasetGetLayer(anterior.get(), 0);
  EXPECT_EQ(OGR_L_GetFeatureCount(a, TRUE), 12);
  EXPECT_EQ(Campo(a, 0, "2005"), QStringLiteral("1,3"));
  EXPECT_EQ(Campo(a, 5, "Mês"), QStringLiteral("Jun"));
}

// Before "Calcular" only the grant lists go out; an unknown extension is refused, and a failed
// writing leaves the old file as it was.
TEST(ExportaTabelas, SemAnaliseEFalhas) {
  TCenario c;
  const auto tabelas = TabelasDaAnalise(c.Ponto, nullptr);
  ASSERT_EQ(tabelas.size(), 2u);
  EXPECT_EQ(tabelas[0].Nome, QStringLiteral("Outorgas consideradas"));
  TPastaTemporaria pasta;
  EXPECT_THROW(ExportaTabelas(pasta.Arquivo(QStringLiteral("x.txt")), tabelas), ETorveda);
  const QString antigo = pasta.Escreve(QStringLiteral("sem/pasta/../x.xlsx"), "antigo");
  EXPECT_THROW(ExportaTabelas(pasta.Caminho() + QStringLiteral("/nao/existe/x.xlsx"), tabelas),
               ETorveda);
  QFile f(antigo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("antigo"));
}

// With the section's basin, each list says where each grant lies and which ones the outline
// contradicts; without a point nothing is claimed.
TEST(ExportaTabelas, ComABaciaDaSecao) {
  TCenario c;
  // A row of four 50 m cells draining east; the basin of the third holds the first three.
  TImagem dir;
  dir.DefineTipo(QChar('R'));
  dir.DefineDimensoes(4, 1);
  dir.DefineExtensao(0, 200, 0, 50);
  for (int i = 0; i < 4; ++i) dir.GravaReal(i, 1.0f);
  const TBaciaContribuicao bacia = TBaciaContribuicao::Delineia(TMalha(4, 1, 0, 0, 50), dir, 2);
  TOutorgasConsideradas& l = c.Ponto.Outorgas();
  l.Consideradas[0].Ponto = {25, 25};
  l.Consideradas[0].TemPonto = true;
  l.Consideradas[1].Ponto = {175, 25};
  l.Consideradas[1].TemPonto = true;
  l.Descartadas[0].Ponto = {75, 25};
  l.Descartadas[0].TemPonto = true;
  const auto tabelas = TabelasDaAnalise(c.Ponto, nullptr, &bacia);
  ASSERT_EQ(tabelas.size(), 2u);
  const TTabelaExportada& contadas = tabelas[0];
  ASSERT_EQ(contadas.Cabecalhos.size(), 17);
  EXPECT_EQ(contadas.Cabecalhos[15], QStringLiteral("Na bacia"));
  EXPECT_EQ(contadas.Cabecalhos[16], QStringLiteral("Diverge da bacia"));
  EXPECT_EQ(contadas.Linhas[0][15].toString(), QStringLiteral("Sim"));
  EXPECT_FALSE(contadas.Linhas[0][16].isValid());
  EXPECT_EQ(contadas.Linhas[1][15].toString(), QStringLiteral("Não"));
  EXPECT_EQ(contadas.Linhas[1][16].toString(), QStringLiteral("Sim"));
  // Left out for lying in no drainage unit, yet inside the outline.
  const TTabelaExportada& descartadas = tabelas[1];
  EXPECT_EQ(descartadas.Linhas[0][12].toString(), QStringLiteral("Sim"));
  EXPECT_EQ(descartadas.Linhas[0][13].toString(), QStringLiteral("Sim"));
  l.Descartadas[0].TemPonto = false;
  EXPECT_FALSE(TabelaOutorgas(l, false, &bacia).Linhas[0][12].isValid());
  // An empty basin adds nothing.
  EXPECT_EQ(TabelaOutorgas(l, true, nullptr).Cabecalhos.size(), 15);
  const TBaciaContribuicao vazia;
  EXPECT_EQ(TabelaOutorgas(l, true, &vazia).Cabecalhos.size(), 15);
}
