// The two reports: their guards in order (stale tables refused), their variable texts, and the
// PDF they make, read back with pdftotext.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include "base/ApresentadorMudo.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/Relatorio.h"
#include "hydro/TPonto.h"

namespace {

using TTipo = TApresentadorRoteirizado::TTipo;

TPonto Secao() {
  TPonto p;
  p.SetCodTrecho(7);
  p.SetNomeRio(QStringLiteral("Rio Preto"));
  p.SetMunicipio(QStringLiteral("Unaí"));
  p.SetEstado(QStringLiteral("MG"));
  p.SetCoordX(269041.386);
  p.SetCoordY(8286112.6317);
  p.SetLatitude(17.25);
  p.SetLongitude(47.5);
  p.SetAreaDrenagem(1234.567);
  p.VazoesTradicional().SetQ710(41.15);
  p.VazoesProporcional().SetQ95(0.5);
  return p;
}

const TCriterioOutorga Criterio{QStringLiteral("30"), QStringLiteral("Q710"),
                                QStringLiteral("Tradicional")};

QString TextoDoPdf(const QString& arquivo, bool layout = true) {
  QProcess proc;
  QStringList args;
  if (layout) args << QStringLiteral("-layout");
  proc.start(QStringLiteral("pdftotext"), args << arquivo << QStringLiteral("-"));
  if (!proc.waitForFinished(30000) || proc.exitCode() != 0)
    return QStringLiteral("<pdftotext falhou>");
  // Ligatures ("ﬁ") come back as single characters; compatibility form splits them.
  return QString::fromUtf8(proc.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

int PaginasDoPdf(const QString& arquivo) {
  QProcess proc;
  proc.start(QStringLiteral("pdfinfo"), {arquivo});
  if (!proc.waitForFinished(30000)) return -1;
  const QString saida = QString::fromUtf8(proc.readAllStandardOutput());
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(saida);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The grant window as the reports see it: its entries, its input grid and its last analysis.
struct TJanela {
  TEntradasOutorga Entradas;
  TTabelaMeses Entrada;
  TResultadoOutorga Resultado;
  TJanelaOutorga Visao() const { return {Entradas, &Entrada, &Resultado}; }
};

class Relatorio : public ::testing::Test {
 protected:
  // "Ok" and "Calcular" for the section with the criterion given.
  TJanela Calcula(const TPonto& p, const TCriterioOutorga& c, QDate inicio = QDate(2010, 1, 1),
                  QDate fim = QDate(2010, 12, 1), const QString& vazao = QStringLiteral("0,5")) {
    TJanela j;
    j.Entradas = {inicio, fim, vazao, c};
    PreencheEntrada(j.Entrada, inicio, fim, vazao, apresentador);
    j.Resultado =
        CalculaOutorga(p, j.Entradas, j.Entrada, pasta.Caminho() + QLatin1Char('/'), apresentador);
    return j;
  }
  std::optional<TDadosRelatorio> Prepara(TTipoRelatorio tipo, const TPonto& p, const TJanela* j) {
    const std::optional<TJanelaOutorga> v = j ? std::optional(j->Visao()) : std::nullopt;
    return PreparaRelatorio(tipo, p, v ? &*v : nullptr, QDate(2024, 3, 9), apresentador);
  }
  TPastaTemporaria pasta;
  TApresentadorRoteirizado apresentador;
};

}  // namespace

TEST_F(Relatorio, GuardasNaOrdem) {
  TPonto semSecao = Secao();
  const TJanela calculada = Calcula(Secao(), Criterio);
  ASSERT_TRUE(calculada.Resultado.Completo());
  for (TTipoRelatorio tipo : {TTipoRelatorio::VazaoDisponivel, TTipoRelatorio::OutorgasMontante}) {
    for (int cod : {0, -9999}) {
      semSecao.SetCodTrecho(cod);
      EXPECT_FALSE(Prepara(tipo, semSecao, &calculada));
      EXPECT_FALSE(Prepara(tipo, semSecao, nullptr));
    }
    const TPonto p = Secao();
    EXPECT_FALSE(Prepara(tipo, p, nullptr));
    for (int campo = 0; campo < 3; ++campo) {
      TJanela j = calculada;
      TCriterioOutorga& c = j.Entradas.Criterio;
      (campo == 0 ? c.Referencia : campo == 1 ? c.Metodo : c.Percentual).clear();
      EXPECT_FALSE(Prepara(tipo, p, &j));
    }
  }
  QStringList esperadas;
  for (int tipo = 0; tipo < 2; ++tipo) {
    for (int i = 0; i < 4; ++i) esperadas << MensagemSemSecao();
    for (int i = 0; i < 4; ++i) esperadas << MensagemCriterioIncompleto();
  }
  EXPECT_EQ(apresentador.Textos(TTipo::Erro), esperadas);
  EXPECT_EQ(MensagemCriterioIncompleto(),
            QStringLiteral("Favor verificar se os valores estão corretamente inseridos na tela "
                           "Outorga."));
}

TEST_F(Relatorio, TextosDoCabecalhoEDoCriterio) {
  const TJanela j = Calcula(Secao(), Criterio);
  const auto d = Prepara(TTipoRelatorio::VazaoDisponivel, Secao(), &j);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Latitude, QStringLiteral("Latitude: 17° 15' 00\" S"));
  EXPECT_EQ(d->Longitude, QStringLiteral("Longitude: 47° 30' 00\" W"));
  EXPECT_EQ(d->Estado, QStringLiteral("Estado: MG"));
  EXPECT_EQ(d->Rio, QStringLiteral("Rio: Rio Preto"));
  EXPECT_EQ(d->Municipio, QStringLiteral("Município: Unaí"));
  EXPECT_EQ(d->Y, QStringLiteral("Y: 8286112,63 metros"));
  EXPECT_EQ(d->X, QStringLiteral("X: 269041,39 metros"));
  EXPECT_EQ(d->Periodo, QStringLiteral("Período: 01/2010 a 12/2010"));
  EXPECT_EQ(d->VazaoSolicitada, QStringLiteral("Vazão solicitada: 0,5 m³/s"));
  EXPECT_FALSE(d->PedidoMensal);
  // Process and analyst are printed only when given.
  EXPECT_TRUE(d->Processo.isEmpty());
  EXPECT_TRUE(d->Analista.isEmpty());
  EXPECT_EQ(d->Area, QStringLiteral("Área de drenagem: 1.234,57"));
  // 30 % of 41.15 = 12.345, shown by the flow display rule.
  EXPECT_EQ(d->VazaoRef, QStringLiteral("Critério de outorga: 30% da Q710 = 12,3"));
  EXPECT_EQ(d->MetReg, QStringLiteral("Método de regionalização: Tradicional"));
  EXPECT_EQ(d->Frequencia, QStringLiteral("Critério atendido em 12 de 12 meses do período "
                                          "(100%); pior mês: Jan/2010, 11,845 m³/s"));
  EXPECT_EQ(d->Rodape, QStringLiteral("Relatório elaborado pelo TORVEDA em 09/03/2024."));
  EXPECT_TRUE(d->Secao.contains(QStringLiteral("Rio Preto, Unaí (MG)")));

  // The percentage as typed, leading zero included; an allowable flow below 1 keeps its comma.
  const TCriterioOutorga c{QStringLiteral("0100"), QStringLiteral("Q95"),
                           QStringLiteral("Proporc. de vazões")};
  const TJanela j2 =
      Calcula(Secao(), c, QDate(2010, 1, 1), QDate(2010, 1, 1), QStringLiteral("0,1"));
  const auto d2 = Prepara(TTipoRelatorio::VazaoDisponivel, Secao(), &j2);
  ASSERT_TRUE(d2);
  EXPECT_EQ(d2->VazaoRef, QStringLiteral("Critério de outorga: 0100% da Q95 = 0,5"));
}

TEST_F(Relatorio, PercentualNaoInteiroNaoTemAnaliseParaMostrar) {
  const TCriterioOutorga c{QStringLiteral("1,5"), QStringLiteral("Q710"),
                           QStringLiteral("Tradicional")};
  const TJanela j = Calcula(Secao(), c);
  EXPECT_FALSE(j.Resultado.Completo());
  EXPECT_FALSE(Prepara(TTipoRelatorio::VazaoDisponivel, Secao(), &j));
  EXPECT_FALSE(Prepara(TTipoRelatorio::OutorgasMontante, Secao(), &j));
  const QStringList erros = apresentador.Textos(TTipo::Erro);
  ASSERT_EQ(erros.size(), 3);
  EXPECT_EQ(erros[0], MensagemPercentualNaoInteiro(QStringLiteral("1,5")));  // "Calcular"
  EXPECT_EQ(erros[1], MensagemPercentualNaoInteiro(QStringLiteral("1,5")));
  EXPECT_TRUE(erros[2].contains(QStringLiteral("ainda não foi calculada")));
}

TEST_F(Relatorio, TabelasDeOutraSecaoOuDeOutrasEntradasSaoRecusadas) {
  const TJanela j = Calcula(Secao(), Criterio);
  TPonto outra = Secao();
  outra.SetNomeRio(QStringLiteral("Rio Paracatu"));
  outra.SetCoordX(300000.0);
  TJanela mudada = j;
  mudada.Entradas.Criterio.Percentual = QStringLiteral("40");
  TJanela sazonal = j;
  sazonal.Entrada.CelulaDoMes(5, 2010)->Texto = QStringLiteral("0,2");
  for (TTipoRelatorio tipo : {TTipoRelatorio::VazaoDisponivel, TTipoRelatorio::OutorgasMontante}) {
    apresentador.Limpa();
    const QString pdf = pasta.Arquivo(QStringLiteral("r.pdf"));
    const auto d = Prepara(tipo, outra, &j);
    EXPECT_FALSE(d);
    EXPECT_FALSE(Prepara(tipo, Secao(), &mudada));
    EXPECT_FALSE(Prepara(tipo, Secao(), &sazonal));
    const QStringList erros = apresentador.Textos(TTipo::Erro);
    ASSERT_EQ(erros.size(), 3);
    EXPECT_TRUE(erros[0].contains(QStringLiteral("outra seção de interesse")));
    for (const QString& e : erros)
      EXPECT_TRUE(
          e.endsWith(QStringLiteral("Calcule novamente a disponibilidade para esta seção.")))
          << e.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
  }
}

TEST_F(Relatorio, PdfDaVazaoDisponivelComTabelasComoTextoELegenda) {
  TPonto p = Secao();
  p.SetOutorgadaEstadual(3, 2010, 12.0);
  const TJanela j = Calcula(p, Criterio);
  const auto d = Prepara(TTipoRelatorio::VazaoDisponivel, p, &j);
  ASSERT_TRUE(d);
  ASSERT_EQ(d->Tabelas.size(), 2u);
  EXPECT_EQ(PaginasRelatorio(*d), 1);
  const QString pdf = pasta.Arquivo(QStringLiteral("disp.pdf"));
  ASSERT_TRUE(GravaRelatorioPdf(*d, pdf, apresentador));
  EXPECT_EQ(PaginasDoPdf(pdf), 1);
  const QString texto = TextoDoPdf(pdf).simplified();
  for (const char* esperado : {"Relatório de vazões disponíveis",
                               "Seção de interesse",
                               "Coordenadas Geográficas:",
                               "Coordenadas Projetadas:",
                               "Latitude: 17° 15' 00\" S",
                               "Y: 8286112,63 metros",
                               "Período: 01/2010 a 12/2010",
                               "Vazão solicitada: 0,5 m3/s",
                               "Estado: MG",
                               "Município: Unaí",
                               "Rio: Rio Preto",
                               "Área de drenagem: 1.234,57",
                               "Vazão disponível",
                               "Critério de outorga: 30% da Q710 = 12,3",
                               "Método de regionalização: Tradicional",
                               "Critério atendido em 11 de 12 meses do período",
                               "pior mês: Mar/2010, -0,155 m3/s",  // ³ read back as 3
                               "Situação anterior à concessão da outorga",
                               "Situação posterior à concessão da outorga",
                               "2010",
                               "Jan 12,345",
                               "Mar 0,345",
                               "Jan 11,845",
                               "Mar -0,155",
                               "Dez 11,845",
                               "Escala de cores",
                               "vermelho",
                               "superaram a vazão do critério de outorga",
                               "Relatório elaborado pelo TORVEDA em 09/03/2024."})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n"
                                                             << texto.toStdString();
  EXPECT_FALSE(texto.contains(QStringLiteral("Página")));
}

TEST_F(Relatorio, PdfDasOutorgasAMontante) {
  TPonto p = Secao();
  p.SetOutorgadaFederal(7, 2010, 0.123);
  const TJanela j = Calcula(p, Criterio);
  const auto d = Prepara(TTipoRelatorio::OutorgasMontante, p, &j);
  ASSERT_TRUE(d);
  ASSERT_EQ(d->Tabelas.size(), 3u);
  const QString pdf = pasta.Arquivo(QStringLiteral("montante.pdf"));
  ASSERT_TRUE(GravaRelatorioPdf(*d, pdf, apresentador));
  const QString texto = TextoDoPdf(pdf).simplified();
  for (const char* esperado :
       {"Relatório de vazões outorgadas", "Vazão outorgada a montante da seção de interesse",
        "AQEM", "ANA", "Total", "0,123", "Longitude: 47° 30' 00\""})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;
  EXPECT_FALSE(texto.contains(QStringLiteral("Critério de outorga")));
  EXPECT_FALSE(texto.contains(QStringLiteral("Escala de cores")));
}

// A request typed month by month, with the process and the analyst: both reports say so and print
// the monthly request as a table of its own.
TEST_F(Relatorio, PedidoMensalProcessoEAnalistaNosDoisRelatorios) {
  TPonto p = Secao();
  TJanela j;
  j.Entradas = {QDate(2010, 1, 1), QDate(2010, 3, 1), QStringLiteral("0,5"), Criterio};
  PreencheEntrada(j.Entrada, QDate(2010, 1, 1), QDate(2010, 3, 1), QStringLiteral("0,5"),
                  apresentador);
  j.Entrada.CelulaDoMes(2, 2010)->Texto = QStringLiteral("0,00812");
  j.Resultado = CalculaOutorga(p, j.Entradas, j.Entrada, QString(), apresentador);
  ASSERT_TRUE(j.Resultado.Completo());
  for (TTipoRelatorio tipo : {TTipoRelatorio::VazaoDisponivel, TTipoRelatorio::OutorgasMontante}) {
    auto d = Prepara(tipo, p, &j);
    ASSERT_TRUE(d);
    IdentificaRelatorio(*d, QStringLiteral(" 1234/2026 "), QStringLiteral("Maria Souza"));
    ASSERT_TRUE(d->PedidoMensal);
    const QString pdf = pasta.Arquivo(QStringLiteral("pedido.pdf"));
    ASSERT_TRUE(GravaRelatorioPdf(*d, pdf, apresentador));
    const QString texto = TextoDoPdf(pdf).simplified();
    for (const char* esperado :
         {"Período: 01/2010 a 03/2010", "Vazão solicitada: variável por mês", "Processo n",
          "1234/2026", "Analista: Maria Souza", "Vazão solicitada por mês", "Jan 0,50000",
          "Fev 0,00812", "Mar 0,50000"})
      EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n"
                                                               << texto.toStdString();
  }
}

// 37 years, 444 months, each with its own value: every year heading and every monthly value of
// both tables reaches the PDF as text, in bands of twelve years continued on a second page.
TEST_F(Relatorio, PeriodoDe37AnosTemTodosOsValoresNoPdf) {
  TPonto p = Secao();
  p.VazoesTradicional().SetQ710(1000.0);
  int k = 0;
  for (int ano = 1980; ano <= 2016; ++ano)
    for (int mes = 1; mes <= 12; ++mes) p.SetOutorgadaEstadual(mes, ano, ++k);
  const TCriterioOutorga c{QStringLiteral("100"), QStringLiteral("Q710"),
                           QStringLiteral("Tradicional")};
  const TJanela j = Calcula(p, c, QDate(1980, 1, 1), QDate(2016, 12, 1), QStringLiteral("0,5"));
  ASSERT_TRUE(j.Resultado.Completo());
  const auto d = Prepara(TTipoRelatorio::VazaoDisponivel, p, &j);
  ASSERT_TRUE(d);
  const QString pdf = pasta.Arquivo(QStringLiteral("longo.pdf"));
  ASSERT_TRUE(GravaRelatorioPdf(*d, pdf, apresentador));
  EXPECT_EQ(PaginasDoPdf(pdf), PaginasRelatorio(*d));
  EXPECT_EQ(PaginasRelatorio(*d), 2);
  const QString texto = TextoDoPdf(pdf, false);
  QSet<QString> palavras;
  for (const QString& w :
       texto.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
    palavras.insert(w);
  for (int ano = 1980; ano <= 2016; ++ano)
    EXPECT_TRUE(palavras.contains(QString::number(ano))) << ano;
  // Before the grant 1000 - k, after it 1000 - k - 0.5: 444 distinct values each.
  for (int i = 1; i <= 444; ++i) {
    EXPECT_TRUE(palavras.contains(QString::number(1000 - i) + QStringLiteral(",000"))) << i;
    EXPECT_TRUE(palavras.contains(QString::number(999 - i) + QStringLiteral(",500"))) << i;
  }
  EXPECT_TRUE(texto.contains(QStringLiteral("(continuação)")));
  EXPECT_TRUE(texto.contains(QStringLiteral("Página 2 de 2")));

  const auto m = Prepara(TTipoRelatorio::OutorgasMontante, p, &j);
  ASSERT_TRUE(m);
  const QString pdfM = pasta.Arquivo(QStringLiteral("longoM.pdf"));
  ASSERT_TRUE(GravaRelatorioPdf(*m, pdfM, apresentador));
  EXPECT_EQ(PaginasDoPdf(pdfM), PaginasRelatorio(*m));
  const QString textoM = TextoDoPdf(pdfM, false);
  for (int ano = 1980; ano <= 2016; ++ano)
    // AQEM, ANA and Total; the first and last years also in the period line.
    EXPECT_EQ(textoM.count(QString::number(ano)), ano == 1980 || ano == 2016 ? 4 : 3) << ano;
}

TEST_F(Relatorio, PdfQueNaoPodeSerGravadoAvisa) {
  const TJanela j = Calcula(Secao(), Criterio);
  const auto d = Prepara(TTipoRelatorio::OutorgasMontante, Secao(), &j);
  ASSERT_TRUE(d);
  apresentador.Limpa();
  EXPECT_FALSE(
      GravaRelatorioPdf(*d, pasta.Caminho() + QStringLiteral("/nao/existe/r.pdf"), apresentador));
  ASSERT_EQ(apresentador.Textos(TTipo::Erro).size(), 1);
}
