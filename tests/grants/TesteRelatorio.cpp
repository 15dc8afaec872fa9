// The two report pages: their guards in order, their variable texts, and the PDF they make, read
// back with pdftotext.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

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

QString TextoDoPdf(const QString& arquivo) {
  QProcess proc;
  proc.start(QStringLiteral("pdftotext"),
             {QStringLiteral("-layout"), arquivo, QStringLiteral("-")});
  if (!proc.waitForFinished(30000) || proc.exitCode() != 0)
    return QStringLiteral("<pdftotext falhou>");
  // Ligatures ("ﬁ") come back as single characters; compatibility form splits them.
  return QString::fromUtf8(proc.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

class Relatorio : public ::testing::Test {
 protected:
  std::optional<TDadosRelatorio> Prepara(TTipoRelatorio tipo, const TPonto& p,
                                         const TCriterioOutorga* c) {
    return PreparaRelatorio(tipo, p, c, pasta.Caminho() + QLatin1Char('/'), QDate(2024, 3, 9));
  }
  TPastaTemporaria pasta;
  TApresentadorRoteirizado apresentador;
};

}  // namespace

TEST_F(Relatorio, GuardasNaOrdem) {
  TPonto semSecao = Secao();
  for (TTipoRelatorio tipo : {TTipoRelatorio::VazaoDisponivel, TTipoRelatorio::OutorgasMontante}) {
    for (int cod : {0, -9999}) {
      semSecao.SetCodTrecho(cod);
      EXPECT_FALSE(Prepara(tipo, semSecao, &Criterio));
      EXPECT_FALSE(Prepara(tipo, semSecao, nullptr));
    }
    const TPonto p = Secao();
    EXPECT_FALSE(Prepara(tipo, p, nullptr));
    for (int campo = 0; campo < 3; ++campo) {
      TCriterioOutorga c = Criterio;
      (campo == 0 ? c.Referencia : campo == 1 ? c.Metodo : c.Percentual).clear();
      EXPECT_FALSE(Prepara(tipo, p, &c));
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
  const auto d = Prepara(TTipoRelatorio::VazaoDisponivel, Secao(), &Criterio);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Latitude, QStringLiteral("Latitude: 17° 15' 00\""));
  EXPECT_EQ(d->Longitude, QStringLiteral("Longitude: 47° 30' 00\""));
  EXPECT_EQ(d->Estado, QStringLiteral("Estado: MG"));
  EXPECT_EQ(d->Rio, QStringLiteral("Rio: Rio Preto"));
  EXPECT_EQ(d->Municipio, QStringLiteral("Município: Unaí"));
  EXPECT_EQ(d->Y, QStringLiteral("Y: 8286112,6317 metros"));
  EXPECT_EQ(d->X, QStringLiteral("X: 269041,386 metros"));
  EXPECT_EQ(d->Area, QStringLiteral("Área de drenagem: 1.234,57"));
  // 30 % of 41.15 = 12.345, shown by the flow display rule.
  EXPECT_EQ(d->VazaoRef, QStringLiteral("Critério de outorga: 30% da Q710 = 12,3"));
  EXPECT_EQ(d->MetReg, QStringLiteral("Método de regionalização: Tradicional"));
  EXPECT_EQ(d->Rodape, QStringLiteral("Relatório elaborado pelo TORVEDA em 09/03/2024."));

  // The percentage as typed, leading zero included; an allowable flow below 1 keeps its comma.
  const TCriterioOutorga c{QStringLiteral("0100"), QStringLiteral("Q95"),
                           QStringLiteral("Proporc. de vazões")};
  const auto d2 = Prepara(TTipoRelatorio::VazaoDisponivel, Secao(), &c);
  ASSERT_TRUE(d2);
  EXPECT_EQ(d2->VazaoRef, QStringLiteral("Critério de outorga: 0100% da Q95 = 0,5"));
}

TEST_F(Relatorio, PercentualNaoInteiroSoImpedeAVazaoDisponivel) {
  const TCriterioOutorga c{QStringLiteral("1,5"), QStringLiteral("Q710"),
                           QStringLiteral("Tradicional")};
  EXPECT_FALSE(Prepara(TTipoRelatorio::VazaoDisponivel, Secao(), &c));
  EXPECT_EQ(apresentador.Textos(TTipo::Erro),
            QStringList{QStringLiteral("'1,5' não é um valor inteiro válido.")});
  EXPECT_TRUE(Prepara(TTipoRelatorio::OutorgasMontante, Secao(), &c));
}

TEST_F(Relatorio, PdfDaVazaoDisponivelComImagensELegenda) {
  QImage tabela(798, 175, QImage::Format_RGB32);
  tabela.fill(QColor(0, 204, 102));
  ASSERT_TRUE(tabela.save(pasta.Arquivo(QStringLiteral("TabSitAnterior.bmp")), "BMP"));
  const auto d = Prepara(TTipoRelatorio::VazaoDisponivel, Secao(), &Criterio);
  ASSERT_TRUE(d);
  ASSERT_FALSE(d->Imagens[0].Imagem.isNull());
  EXPECT_TRUE(d->Imagens[1].Imagem.isNull());
  const QString pdf = pasta.Arquivo(QStringLiteral("disp.pdf"));
  ASSERT_TRUE(GravaRelatorioPdf(*d, pdf));
  const QString texto = TextoDoPdf(pdf).simplified();
  for (const char* esperado : {"Relatório de vazões disponíveis",
                               "Seção de interesse",
                               "Coordenadas Geográficas:",
                               "Coordenadas Projetadas:",
                               "Latitude: 17° 15' 00\"",
                               "Y: 8286112,6317 metros",
                               "Estado: MG",
                               "Município: Unaí",
                               "Rio: Rio Preto",
                               "Área de drenagem: 1.234,57",
                               "Vazão disponível",
                               "Critério de outorga: 30% da Q710 = 12,3",
                               "Método de regionalização: Tradicional",
                               "Situação anterior à concessão da outorga",
                               "Situação posterior à concessão da outorga",
                               "Tabela não disponível (TabSitPosterior.bmp)",
                               "Escala de cores",
                               "vermelho",
                               "superaram a vazão de referência",
                               "Relatório elaborado pelo TORVEDA em 09/03/2024."})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n"
                                                             << texto.toStdString();
  EXPECT_FALSE(texto.contains(QStringLiteral("TabSitAnterior.bmp")));
}

TEST_F(Relatorio, PdfDasOutorgasAMontante) {
  const auto d = Prepara(TTipoRelatorio::OutorgasMontante, Secao(), &Criterio);
  ASSERT_TRUE(d);
  ASSERT_EQ(d->Imagens.size(), 3u);
  const QString pdf = pasta.Arquivo(QStringLiteral("montante.pdf"));
  ASSERT_TRUE(GravaRelatorioPdf(*d, pdf));
  const QString texto = TextoDoPdf(pdf).simplified();
  for (const char* esperado :
       {"Relatório de vazões outorgadas", "Vazão outorgada a montante da seção de interesse",
        "AQEM", "ANA", "Total", "Tabela não disponível (TabQAQEM.bmp)", "TabQANA.bmp",
        "TabQTOTAL.bmp", "Longitude: 47° 30' 00\""})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;
  EXPECT_FALSE(texto.contains(QStringLiteral("Critério de outorga")));
  EXPECT_FALSE(texto.contains(QStringLiteral("Escala de cores")));
}

TEST_F(Relatorio, PdfQueNaoPodeSerGravadoAvisa) {
  const auto d = Prepara(TTipoRelatorio::OutorgasMontante, Secao(), &Criterio);
  ASSERT_TRUE(d);
  EXPECT_FALSE(GravaRelatorioPdf(*d, pasta.Caminho() + QStringLiteral("/nao/existe/r.pdf")));
  ASSERT_EQ(apresentador.Textos(TTipo::Erro).size(), 1);
}
