// The warnings of the criterion's flow on the availability report: one line each, in the PDF.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QProcess>

#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/AvisosCriterio.h"
#include "grants/Relatorio.h"
#include "hydro/TPonto.h"

namespace {

// Q7,10 by the traditional method evaluated outside its range; Q90 by the proportional method
// without a value.
TPonto Secao() {
  TPonto p;
  p.SetCodTrecho(7);
  p.SetNomeRio(QStringLiteral("Rio Preto"));
  p.SetAreaDrenagem(5234.5);
  p.VazoesTradicional().SetQ710(41.15);
  TEquacaoUsada e;
  e.Tabela = QStringLiteral("EQ_Tradicional");
  e.AreaAvaliada = 5234.5;
  e.Intervalo = TIntervaloValidade{3, 12.0, 4500.0};
  p.OrigemTradicional().Equacoes.push_back(e);
  p.OrigemTradicional().MarcaIntervalos();
  p.OrigemProporcional().MotivoGeral(
      QStringLiteral("nenhuma estação fluviométrica a montante nem a jusante da seção"));
  return p;
}

}  // namespace

TEST(AvisosRelatorio, LinhasDoCriterio) {
  const TPonto p = Secao();
  EXPECT_EQ(AvisosDoCriterio(
                p, {QStringLiteral("30"), QStringLiteral("Q710"), QStringLiteral("Tradicional")}),
            QStringList{QStringLiteral("Q7,10 (Tradicional): fora do intervalo de validade da "
                                       "equação: 12–4.500 km²")});
  // Another flow of the same method carries none.
  EXPECT_TRUE(AvisosDoCriterio(
                  p, {QStringLiteral("30"), QStringLiteral("Qmld"), QStringLiteral("Tradicional")})
                  .isEmpty());
  EXPECT_EQ(AvisosDoCriterio(p, {QStringLiteral("30"), QStringLiteral("Q90"),
                                 QStringLiteral("Proporc. de vazões")}),
            QStringList{QStringLiteral("Q90 (Proporc. de vazões): sem estimativa, nenhuma estação "
                                       "fluviométrica a montante nem a jusante da seção")});
  // Names that match no item: nothing to say.
  EXPECT_TRUE(AvisosDoCriterio(
                  p, {QStringLiteral("30"), QStringLiteral("Q7"), QStringLiteral("Tradicional")})
                  .isEmpty());
}

TEST(AvisosRelatorio, NaPaginaDaVazaoDisponivel) {
  TApresentadorRoteirizado apresentador;
  TPastaTemporaria pasta;
  const TPonto p = Secao();
  // The grant window after "Ok" and "Calcular".
  const TEntradasOutorga entradas{
      QDate(2010, 1, 1),
      QDate(2010, 12, 1),
      QStringLiteral("0,5"),
      {QStringLiteral("30"), QStringLiteral("Q710"), QStringLiteral("Tradicional")}};
  TTabelaMeses entrada;
  PreencheEntrada(entrada, entradas.Inicio, entradas.Fim, entradas.VazaoSolicitada, apresentador);
  const TResultadoOutorga resultado =
      CalculaOutorga(p, entradas, entrada, pasta.Caminho() + QLatin1Char('/'), apresentador);
  ASSERT_TRUE(resultado.Completo());
  const TJanelaOutorga janela{entradas, &entrada, &resultado};
  const auto d = PreparaRelatorio(TTipoRelatorio::VazaoDisponivel, p, &janela, QDate(2024, 3, 9),
                                  apresentador);
  ASSERT_TRUE(d);
  ASSERT_EQ(d->Avisos.size(), 1);
  // The upstream-grants report has no criterion flow to warn about.
  const auto m = PreparaRelatorio(TTipoRelatorio::OutorgasMontante, p, &janela, QDate(2024, 3, 9),
                                  apresentador);
  ASSERT_TRUE(m);
  EXPECT_TRUE(m->Avisos.isEmpty());

  const QString pdf = pasta.Arquivo(QStringLiteral("r.pdf"));
  ASSERT_TRUE(GravaRelatorioPdf(*d, pdf, apresentador));
  QProcess proc;
  proc.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  ASSERT_TRUE(proc.waitForFinished(30000));
  const QString texto = QString::fromUtf8(proc.readAllStandardOutput()).simplified();
  EXPECT_TRUE(
      texto.contains(QStringLiteral("Q7,10 (Tradicional): fora do intervalo de validade "
                                    "da equação: 12–4.500 km²")))
      << texto.toStdString();

  // With TORVEDA_CAPTURAS set, the page as a picture to look at.
  const QString capturas = qEnvironmentVariable("TORVEDA_CAPTURAS");
  if (!capturas.isEmpty()) {
    QImage img(1240, 1754, QImage::Format_RGB32);
    img.setDotsPerMeterX(5906);
    img.setDotsPerMeterY(5906);
    img.fill(Qt::white);
    QPainter pintor(&img);
    DesenhaRelatorio(pintor, *d);
    pintor.end();
    img.save(capturas + QStringLiteral("/relatorio.png"));
  }
}
