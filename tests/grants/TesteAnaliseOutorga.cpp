// The grant analysis on sections filled by hand: the grid layout, the entries' checks, the colour
// classes at their thresholds, the failures that stop a run part-way, and the table pictures.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>

#include "base/ApresentadorMudo.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/ImagemTabela.h"
#include "hydro/TPonto.h"

namespace {

using TTipo = TApresentadorRoteirizado::TTipo;

// A section on the river with Q7,10 = 10 m^3/s by the traditional method.
TPonto PontoSobreRio(double q710 = 10.0) {
  TPonto p;
  p.SetCodTrecho(42);
  p.VazoesTradicional().SetQ710(q710);
  p.VazoesProporcional().SetQ90(20.0);
  p.VazoesConservacao().SetQmld(40.0);
  return p;
}

TEntradasOutorga Entradas(QDate inicio, QDate fim, const QString& vazao,
                          const QString& percentual = QStringLiteral("100")) {
  return {inicio, fim, vazao, {percentual, QStringLiteral("Q710"), QStringLiteral("Tradicional")}};
}

class AnaliseOutorga : public ::testing::Test {
 protected:
  QString Pasta() const { return pasta.Caminho() + QStringLiteral("/Imagens/Relatórios/"); }
  TResultadoOutorga Calcula(const TPonto& ponto, const TEntradasOutorga& e) {
    TTabelaMeses entrada;
    PreencheEntrada(entrada, e.Inicio, e.Fim, e.VazaoSolicitada, apresentador);
    return CalculaOutorga(ponto, e, entrada, Pasta(), apresentador);
  }
  TPastaTemporaria pasta;
  TApresentadorRoteirizado apresentador;
};

}  // namespace

TEST(MontaGrade, UmMesDaUmaColunaDeAnoEUmaCelula) {
  TApresentadorMudo apresentador;
  TTabelaMeses g;
  ASSERT_TRUE(PreencheEntrada(g, QDate(2005, 3, 1), QDate(2005, 3, 1), QStringLiteral("1,5"),
                              apresentador));
  EXPECT_EQ(g.NumColunas(), 2);
  EXPECT_EQ(g.NumLinhas(), 12);
  EXPECT_EQ(g.Titulo(1), QString());
  EXPECT_EQ(g.Titulo(2), QStringLiteral("2005"));
  EXPECT_TRUE(g.TitulosCentrados());
  EXPECT_EQ(g.Celula(1, 1)->Texto, QStringLiteral("Jan"));
  EXPECT_EQ(g.Celula(1, 12)->Texto, QStringLiteral("Dez"));
  int cheias = 0;
  for (int m = 1; m <= 12; ++m) cheias += g.Celula(2, m)->Texto.isEmpty() ? 0 : 1;
  EXPECT_EQ(cheias, 1);
  EXPECT_EQ(g.Celula(2, 3)->Texto, QStringLiteral("1,5"));
  EXPECT_TRUE(g.Celula(2, 3)->Centrada);
  EXPECT_EQ(g.Altura(), 175);
  EXPECT_EQ(g.Celula(3, 1), nullptr);
  EXPECT_EQ(g.CelulaDoMes(3, 2006), nullptr);
}

TEST(MontaGrade, MaisDeDozeAnosGanhaBarraDeRolagem) {
  TApresentadorRoteirizado apresentador;
  TTabelaMeses g;
  ASSERT_TRUE(MontaGrade(g, QDate(2000, 6, 1), QDate(2012, 1, 1), apresentador));
  EXPECT_EQ(g.NumColunas(), 14);
  EXPECT_EQ(g.Altura(), 175);
  ASSERT_TRUE(MontaGrade(g, QDate(2000, 6, 1), QDate(2013, 1, 1), apresentador));
  EXPECT_EQ(g.NumColunas(), 15);
  EXPECT_EQ(g.Titulo(15), QStringLiteral("2013"));
  EXPECT_EQ(g.Altura(), 191);
  // The picture holds every column, not the part the grid shows without scrolling.
  EXPECT_EQ(TamanhoImagemTabela(g), QSize(2 + 15 * 60 + 4, 175));

  // A reversed period (full dates compared) leaves the grid as it was.
  g.SetTexto(2, 1, QStringLiteral("x"));
  EXPECT_FALSE(MontaGrade(g, QDate(2005, 3, 15), QDate(2005, 3, 14), apresentador));
  EXPECT_EQ(apresentador.Textos(TTipo::Erro), QStringList{QStringLiteral("Verifique o período.")});
  EXPECT_EQ(g.NumColunas(), 15);
  EXPECT_EQ(g.Celula(2, 1)->Texto, QStringLiteral("x"));
}

TEST(ValidaEntradas, MensagensNaOrdem) {
  TEntradasOutorga e = Entradas(QDate(2005, 3, 1), QDate(2005, 2, 1), QString(), QString());
  e.Criterio.Referencia.clear();
  e.Criterio.Metodo.clear();
  const QStringList esperadas{QStringLiteral("Verifique o período."),
                              QStringLiteral("Verifique o valor da vazão solicitada."),
                              QStringLiteral("Verifique o valor da % da vazão de referência."),
                              QStringLiteral("Verifique a vazão de referência."),
                              QStringLiteral("Verifique o método de regionalização.")};
  EXPECT_EQ(ValidaEntradas(e), esperadas[0]);
  e.Fim = QDate(2005, 3, 1);
  EXPECT_EQ(ValidaEntradas(e), esperadas[1]);
  e.VazaoSolicitada = QStringLiteral("1");
  EXPECT_EQ(ValidaEntradas(e), esperadas[2]);
  e.Criterio.Percentual = QStringLiteral("50");
  EXPECT_EQ(ValidaEntradas(e), esperadas[3]);
  e.Criterio.Referencia = QStringLiteral("Q90");
  EXPECT_EQ(ValidaEntradas(e), esperadas[4]);
  e.Criterio.Metodo = QStringLiteral("Tradicional");
  EXPECT_EQ(ValidaEntradas(e), QString());
}

TEST(VazaoCriterio, NomesExatosEPercentual) {
  const TPonto p = PontoSobreRio(12.345);
  EXPECT_DOUBLE_EQ(VazaoCriterio(p, QStringLiteral("Q710"), QStringLiteral("Tradicional"), 100),
                   12.345);
  EXPECT_DOUBLE_EQ(
      VazaoCriterio(p, QStringLiteral("Q90"), QStringLiteral("Proporc. de vazões"), 30), 6.0);
  EXPECT_DOUBLE_EQ(
      VazaoCriterio(p, QStringLiteral("Qmld"), QStringLiteral("Conserv. de massas"), 70), 28.0);
  EXPECT_EQ(VazaoCriterio(p, QStringLiteral("q710"), QStringLiteral("Tradicional"), 100), 0.0);
  EXPECT_EQ(VazaoCriterio(p, QStringLiteral("Q710"), QStringLiteral("Conser. de massas"), 100),
            0.0);
  EXPECT_EQ(VazaoCriterio(p, QStringLiteral("Q710"), QStringLiteral("Tradicional"), 0), 0.0);
}

TEST_F(AnaliseOutorga, CoresNosLimitesDe70_90E100) {
  // A = 10; upstream grants leave 3, 1, 0 and -0.5 free in January to April.
  TPonto p = PontoSobreRio();
  p.SetOutorgadaEstadual(1, 2005, 7.0);
  p.SetOutorgadaEstadual(2, 2005, 4.0);
  p.SetOutorgadaFederal(2, 2005, 5.0);
  p.SetOutorgadaFederal(3, 2005, 10.0);
  p.SetOutorgadaEstadual(4, 2005, 10.5);
  const auto r = Calcula(p, Entradas(QDate(2005, 1, 1), QDate(2005, 4, 1), QStringLiteral("0")));
  ASSERT_TRUE(r.Completo()) << apresentador.Textos().join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(r.Meses.size(), 4u);
  const TClasseCor esperadas[] = {TClasseCor::Verde, TClasseCor::Amarelo, TClasseCor::Laranja,
                                  TClasseCor::Vermelho};
  const double parcelas[] = {70, 90, 100, 105};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(*r.Meses[i].CorAnterior, esperadas[i]) << i;
    EXPECT_DOUBLE_EQ(*r.Meses[i].ParcelaAnterior, parcelas[i]) << i;
  }
  EXPECT_EQ(r.Meses[3].Anterior, QStringLiteral("-0,500"));
  EXPECT_EQ(r.Meses[1].Total, 9.0);
  const TTabelaMeses& total = r.Tabelas[static_cast<size_t>(TTabelaOutorga::Total)];
  EXPECT_EQ(total.CelulaDoMes(2, 2005)->Texto, QStringLiteral("9,000"));
  const TTabelaMeses& ant = r.Tabelas[static_cast<size_t>(TTabelaOutorga::Anterior)];
  EXPECT_EQ(ant.CelulaDoMes(3, 2005)->Fundo, QColor(255, 204, 0));
  // Months of the year outside the period stay empty and uncoloured.
  EXPECT_TRUE(ant.CelulaDoMes(5, 2005)->Texto.isEmpty());
  EXPECT_FALSE(ant.CelulaDoMes(5, 2005)->Fundo.isValid());
  EXPECT_TRUE(apresentador.Registros().isEmpty());
}

TEST_F(AnaliseOutorga, ParcelaDecimalExataNaoMudaDeCorPorFracaoBinaria) {
  // A = 0.04 and 0.036 granted: 0.004 free, 90 % used, light yellow, although in binary
  // fractions (0.04 - 0.004) x 100 / 0.04 comes out a hair above 90.
  TPonto p = PontoSobreRio(0.04);
  p.SetOutorgadaEstadual(6, 2010, 0.036);
  const auto r = Calcula(p, Entradas(QDate(2010, 6, 1), QDate(2010, 6, 1), QStringLiteral("0")));
  ASSERT_TRUE(r.Completo());
  EXPECT_EQ(r.Meses[0].Anterior, QStringLiteral("0,00400"));
  EXPECT_EQ(*r.Meses[0].ParcelaAnterior, 90.0);
  EXPECT_EQ(*r.Meses[0].CorAnterior, TClasseCor::Amarelo);
}

TEST_F(AnaliseOutorga, PedidoIgualAReferenciaUsaTudoEMaiorPassa) {
  TPonto p = PontoSobreRio(2.5);
  auto r = Calcula(p, Entradas(QDate(2020, 1, 1), QDate(2020, 1, 1), QStringLiteral("2,5")));
  ASSERT_TRUE(r.Completo());
  EXPECT_EQ(r.Meses[0].Posterior, QStringLiteral("0,000"));
  EXPECT_EQ(*r.Meses[0].CorPosterior, TClasseCor::Laranja);
  EXPECT_EQ(*r.Meses[0].CorAnterior, TClasseCor::Verde);
  r = Calcula(p, Entradas(QDate(2020, 1, 1), QDate(2020, 1, 1), QStringLiteral("2,501")));
  EXPECT_EQ(r.Meses[0].Posterior, QStringLiteral("-0,001000"));
  EXPECT_EQ(*r.Meses[0].CorPosterior, TClasseCor::Vermelho);
  EXPECT_EQ(r.Exibida(), &r.Tabelas[4]);
}

TEST_F(AnaliseOutorga, EscreveAsCincoImagensDoTamanhoDaGrade) {
  TPonto p = PontoSobreRio();
  p.SetOutorgadaFederal(12, 2008, 2.0);
  const auto r = Calcula(p, Entradas(QDate(2008, 11, 1), QDate(2009, 2, 1), QStringLiteral("1,5")));
  ASSERT_TRUE(r.Completo());
  for (const QString& nome : NomesImagensTabela()) {
    const QImage img(Pasta() + nome);
    ASSERT_FALSE(img.isNull()) << nome.toStdString();
    EXPECT_EQ(img.size(), QSize(798, 175));
  }
  // Dez/2008 after the grant: 10 - 1.5 - 2 = 6.5 free, 35 % used: green, read from the picture.
  const QImage depois(Pasta() + QStringLiteral("TabSitPosterior.bmp"));
  const int x = 2 + 1 * TTabelaMeses::LarguraColuna + 5;  // first year column, left edge
  const int y = 2 + 12 * TTabelaMeses::AlturaLinha + 1;   // row of December
  EXPECT_EQ(QColor(depois.pixel(x, y)), QColor(0, 204, 102));
  // The grid's frame, the last four columns and rows, stays blank.
  EXPECT_EQ(QColor(depois.pixel(797, 100)), QColor(Qt::white));
  EXPECT_EQ(QColor(depois.pixel(100, 174)), QColor(Qt::white));
  EXPECT_EQ(r.Imagens.size(), 5u);
}

// A picture folder that cannot be written is told, and the result does not claim the pictures.
TEST_F(AnaliseOutorga, ImagensNaoGravadasNaoSaoListadas) {
  QDir().mkpath(pasta.Caminho() + QStringLiteral("/Imagens"));
  pasta.Escreve(QStringLiteral("Imagens/Relatórios"), "não é uma pasta");
  const auto r =
      Calcula(PontoSobreRio(), Entradas(QDate(2008, 1, 1), QDate(2008, 2, 1), QStringLiteral("1")));
  EXPECT_TRUE(r.Completo());
  EXPECT_TRUE(r.Imagens.empty());
  EXPECT_TRUE(apresentador.Textos(TTipo::Erro)
                  .contains(QStringLiteral("Erro ao inserir na pasta Imagens")));
}

TEST_F(AnaliseOutorga, SemSecaoNaHidrografiaNadaEFeito) {
  TPonto p = PontoSobreRio();
  for (int cod : {0, -9999}) {
    p.SetCodTrecho(cod);
    const auto r = Calcula(p, Entradas(QDate(2005, 1, 1), QDate(2005, 1, 1), QStringLiteral("1")));
    EXPECT_EQ(r.TabelasFeitas, 0);
  }
  EXPECT_EQ(apresentador.Textos(TTipo::Erro).size(), 2);
  EXPECT_EQ(apresentador.Textos(TTipo::Erro).first(), MensagemSemSecao());
  EXPECT_FALSE(QFileInfo::exists(Pasta() + QStringLiteral("TabQAQEM.bmp")));
}

TEST_F(AnaliseOutorga, VazaoPermissivelNulaNaoProduzTabelaNenhuma) {
  const TPonto p = PontoSobreRio(0.0);
  const auto r = Calcula(p, Entradas(QDate(2005, 1, 1), QDate(2005, 3, 1), QStringLiteral("1")));
  EXPECT_EQ(r.TabelasFeitas, 0);
  EXPECT_EQ(r.Exibida(), nullptr);
  ASSERT_TRUE(r.VazaoCriterio.has_value());
  EXPECT_EQ(*r.VazaoCriterio, 0.0);
  ASSERT_EQ(apresentador.Textos(TTipo::Erro).size(), 1);
  EXPECT_TRUE(apresentador.Textos(TTipo::Erro)[0].contains(QStringLiteral("não dá vazão")));
  for (const auto& m : r.Meses) EXPECT_FALSE(m.ParcelaAnterior.has_value());
  for (const QString& nome : NomesImagensTabela())
    EXPECT_FALSE(QFileInfo::exists(Pasta() + nome)) << nome.toStdString();
}

TEST_F(AnaliseOutorga, PercentualNaoInteiroParaAntesDaPrimeiraTabela) {
  const TPonto p = PontoSobreRio();
  const auto r = Calcula(p, Entradas(QDate(2005, 1, 1), QDate(2005, 1, 1), QStringLiteral("1"),
                                     QStringLiteral("1,5")));
  EXPECT_EQ(r.TabelasFeitas, 0);
  EXPECT_FALSE(r.VazaoCriterio.has_value());
  EXPECT_EQ(apresentador.Textos(TTipo::Erro),
            QStringList{MensagemPercentualNaoInteiro(QStringLiteral("1,5"))});
  EXPECT_TRUE(
      apresentador.Textos(TTipo::Erro)[0].contains(QStringLiteral("% da vazão de "
                                                                  "referência deve ser "
                                                                  "um número inteiro")));
  EXPECT_FALSE(QFileInfo::exists(Pasta() + QStringLiteral("TabQAQEM.bmp")));
}

// More than the reference flow itself would paint every month green: only 1 to 100 is analysed.
TEST_F(AnaliseOutorga, PercentualForaDe1a100ParaAntesDaPrimeiraTabela) {
  const TPonto p = PontoSobreRio();
  for (const char* pc : {"150", "101", "0", "-5"}) {
    const auto r = Calcula(p, Entradas(QDate(2005, 1, 1), QDate(2005, 1, 1), QStringLiteral("1"),
                                       QString::fromLatin1(pc)));
    EXPECT_EQ(r.TabelasFeitas, 0) << pc;
    EXPECT_FALSE(r.VazaoCriterio.has_value()) << pc;
  }
  const QStringList erros = apresentador.Textos(TTipo::Erro);
  ASSERT_EQ(erros.size(), 4);
  EXPECT_EQ(erros[0], MensagemPercentualForaDoIntervalo(QStringLiteral("150")));
  EXPECT_TRUE(erros[0].contains(QStringLiteral("de 1 a 100"))) << erros[0].toStdString();
  EXPECT_FALSE(QFileInfo::exists(Pasta() + QStringLiteral("TabQAQEM.bmp")));
  for (const char* pc : {"1", "100", " 30 "})
    EXPECT_TRUE(LePercentual(QString::fromLatin1(pc)).has_value()) << pc;
}

TEST_F(AnaliseOutorga, VazaoSolicitadaFaltandoOuInvalidaNomeiaOMes) {
  const TPonto p = PontoSobreRio();
  // "Ok" for Jan-Feb 2005, then the period grows to March.
  TTabelaMeses entrada;
  PreencheEntrada(entrada, QDate(2005, 1, 1), QDate(2005, 2, 1), QStringLiteral("1"), apresentador);
  auto e = Entradas(QDate(2005, 1, 1), QDate(2005, 3, 1), QStringLiteral("1"));
  auto r = CalculaOutorga(p, e, entrada, Pasta(), apresentador);
  EXPECT_EQ(r.TabelasFeitas, 0);
  ASSERT_EQ(apresentador.Textos(TTipo::Erro).size(), 1);
  EXPECT_TRUE(apresentador.Textos(TTipo::Erro)[0].contains(QStringLiteral("Mar/2005")));
  EXPECT_FALSE(r.Meses[0].Solicitada.has_value());

  // A year beyond the input grid's columns counts the same.
  apresentador.Limpa();
  e.Fim = QDate(2006, 1, 1);
  r = CalculaOutorga(p, e, entrada, Pasta(), apresentador);
  EXPECT_EQ(r.TabelasFeitas, 0);

  apresentador.Limpa();
  PreencheEntrada(entrada, QDate(2005, 1, 1), QDate(2005, 3, 1), QStringLiteral("1,2,"),
                  apresentador);
  e.Fim = QDate(2005, 3, 1);
  r = CalculaOutorga(p, e, entrada, Pasta(), apresentador);
  EXPECT_EQ(r.TabelasFeitas, 0);
  ASSERT_EQ(apresentador.Textos(TTipo::Erro).size(), 1);
  EXPECT_TRUE(apresentador.Textos(TTipo::Erro)[0].contains(QStringLiteral("Jan/2005")));
  EXPECT_EQ(r.Exibida(), nullptr);
  EXPECT_FALSE(QFileInfo::exists(Pasta() + QStringLiteral("TabQAQEM.bmp")));
}

TEST_F(AnaliseOutorga, FrequenciaDoCriterioEPiorMes) {
  // A = 10; Jan-Apr 2005 have 2, 11, 10 and 12.5 granted upstream, plus a request of 0.5.
  TPonto p = PontoSobreRio();
  p.SetOutorgadaEstadual(1, 2005, 2.0);
  p.SetOutorgadaEstadual(2, 2005, 11.0);
  p.SetOutorgadaFederal(3, 2005, 9.5);
  p.SetOutorgadaFederal(4, 2005, 12.5);
  const auto r = Calcula(p, Entradas(QDate(2005, 1, 1), QDate(2005, 4, 1), QStringLiteral("0,5")));
  ASSERT_TRUE(r.Completo());
  ASSERT_TRUE(r.Frequencia);
  // Free after the grant: 7.5, -1.5, 0 (not negative), -3.
  EXPECT_EQ(r.Frequencia->Meses, 4);
  EXPECT_EQ(r.Frequencia->Atendidos, 2);
  EXPECT_DOUBLE_EQ(r.Frequencia->Percentual, 50.0);
  EXPECT_EQ(r.Frequencia->PiorMes, 4);
  EXPECT_EQ(r.Frequencia->PiorAno, 2005);
  EXPECT_DOUBLE_EQ(r.Frequencia->PiorDisponivel, -3.0);
  EXPECT_EQ(TextoFrequencia(*r.Frequencia),
            QStringLiteral("Critério atendido em 2 de 4 meses do período (50%); pior mês: "
                           "Abr/2005, -3 m³/s"));
}

TEST_F(AnaliseOutorga, AnaliseVencidaPelaSecaoPelasOutorgasOuPelasEntradas) {
  TPonto p = PontoSobreRio();
  p.SetCoordX(1000.0);
  const auto e = Entradas(QDate(2005, 1, 1), QDate(2005, 3, 1), QStringLiteral("1"));
  TTabelaMeses entrada;
  PreencheEntrada(entrada, e.Inicio, e.Fim, e.VazaoSolicitada, apresentador);
  const auto r = CalculaOutorga(p, e, entrada, Pasta(), apresentador);
  ASSERT_TRUE(r.Completo());
  EXPECT_EQ(MotivoAnaliseVencida(r, p, e, entrada), QString());
  // The box may hold another text: the grid's cells are what was requested.
  auto caixa = e;
  caixa.VazaoSolicitada = QStringLiteral("7");
  EXPECT_EQ(MotivoAnaliseVencida(r, p, caixa, entrada), QString());

  TPonto outra = p;
  outra.SetCoordX(1050.0);
  EXPECT_TRUE(MotivoAnaliseVencida(r, outra, e, entrada).contains(QStringLiteral("outra seção")));
  outra = p;
  outra.SetOutorgadaFederal(2, 2005, 0.25);
  EXPECT_TRUE(MotivoSecaoMudou(r, outra).contains(QStringLiteral("a montante")));
  outra = p;
  outra.VazoesTradicional().SetQ710(11.0);
  EXPECT_TRUE(MotivoSecaoMudou(r, outra).contains(QStringLiteral("vazões de referência")));

  for (int campo = 0; campo < 4; ++campo) {
    auto mudada = e;
    if (campo == 0) mudada.Fim = QDate(2005, 4, 1);
    if (campo == 1) mudada.Criterio.Percentual = QStringLiteral("50");
    if (campo == 2) mudada.Criterio.Referencia = QStringLiteral("Q90");
    if (campo == 3) mudada.Criterio.Metodo = QStringLiteral("Proporc. de vazões");
    EXPECT_TRUE(MotivoAnaliseVencida(r, p, mudada, entrada).contains(QStringLiteral("mudaram")))
        << campo;
  }
  TTabelaMeses sazonal = entrada;
  sazonal.CelulaDoMes(2, 2005)->Texto = QStringLiteral("1,5");
  EXPECT_TRUE(MotivoAnaliseVencida(r, p, e, sazonal)
                  .contains(QStringLiteral("Calcule novamente a disponibilidade para esta seção")));
  EXPECT_FALSE(MotivoSecaoMudou(TResultadoOutorga(), p).isEmpty());
}

TEST_F(AnaliseOutorga, ImagemDePeriodoLongoTemTodosOsAnos) {
  TPonto p = PontoSobreRio();
  p.SetOutorgadaEstadual(12, 2016, 20.0);
  const auto r = Calcula(p, Entradas(QDate(1980, 1, 1), QDate(2016, 12, 1), QStringLiteral("1")));
  ASSERT_TRUE(r.Completo());
  const QImage depois(Pasta() + QStringLiteral("TabSitPosterior.bmp"));
  ASSERT_EQ(depois.size(), QSize(2 + 38 * 60 + 4, 175));
  // December 2016, the last column: 10 - 1 - 20 < 0, orange-red.
  const int x = 2 + 37 * TTabelaMeses::LarguraColuna + 5;
  const int y = 2 + 12 * TTabelaMeses::AlturaLinha + 1;
  EXPECT_EQ(QColor(depois.pixel(x, y)), QColor(255, 102, 0));
}

TEST_F(AnaliseOutorga, ImagemQueNaoPodeSerGravadaAvisaECalculoSegue) {
  const TPonto p = PontoSobreRio();
  const QString arquivo = pasta.Escreve(QStringLiteral("ocupado"), "x");
  TTabelaMeses entrada;
  const auto e = Entradas(QDate(2005, 1, 1), QDate(2005, 1, 1), QStringLiteral("1"));
  PreencheEntrada(entrada, e.Inicio, e.Fim, e.VazaoSolicitada, apresentador);
  const auto r = CalculaOutorga(p, e, entrada, arquivo + QStringLiteral("/"), apresentador);
  EXPECT_TRUE(r.Completo());
  EXPECT_EQ(apresentador.Textos(TTipo::Erro),
            QStringList(5, QStringLiteral("Erro ao inserir na pasta Imagens")));
}
