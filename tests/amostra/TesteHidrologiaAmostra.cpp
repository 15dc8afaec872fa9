// The hydrology of the default sample as the program reads it: the equation tables and the
// stations of the database, and the three methods run by the program's own code at random cells
// of the mapped drainage. Q7,10 < Q95 < Q90 < Qmld must hold everywhere, and the three methods
// must give close but different numbers.

#include <gtest/gtest.h>

#include <QVariant>
#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "BaciaLida.h"
#include "amostra/Amostra.h"
#include "base/Caminhos.h"
#include "base/Convencoes.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "comum/Semente.h"
#include "data/Modelos.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

const TBaciaLida& Amostra() {
  static TPastaTemporaria pasta;
  static const TBaciaLida bacia = [] {
    const QJsonObject resumo = GeraAmostra(pasta.Caminho(), TOpcoesAmostra{});
    return LeBacia(pasta.Caminho() + QLatin1Char('/'), resumo);
  }();
  return bacia;
}

QString Base() { return Amostra().Dir + QStringLiteral("Dados/DadosBD/TORVEDA.sqlite"); }

// The four flows in the order they must keep: Q7,10, Q95, Q90, Qmld.
using TQuatro = std::array<double, 4>;
const char* const Colunas[4] = {"Q710Ob", "Q95Ob", "Q90Ob", "QmldOb"};

bool Ordenadas(const TQuatro& q) { return q[0] > 0 && q[0] < q[1] && q[1] < q[2] && q[2] < q[3]; }
std::string Texto(const TQuatro& q) {
  return std::to_string(q[0]) + " " + std::to_string(q[1]) + " " + std::to_string(q[2]) + " " +
         std::to_string(q[3]);
}

// The equation sets of a table as the program evaluates them: by key, the last row of each flow.
struct TEquacao {
  QString Modelo;
  double B0 = 0, BAd = 0;
};
std::map<int, std::map<QString, TEquacao>> Equacoes(const QString& tabela, const QString& chave) {
  std::map<int, std::map<QString, TEquacao>> r;
  for (auto& l : LeTabela(Base(), tabela))
    r[l[chave].toInt()][l[QStringLiteral("VarMinima")].toString()] = {
        l[QStringLiteral("Modelo")].toString(), l[QStringLiteral("B0")].toDouble(),
        l[QStringLiteral("BAd")].toDouble()};
  return r;
}
TQuatro Avalia(const std::map<QString, TEquacao>& e, double ad) {
  TQuatro q{};
  for (int k = 0; k < 4; ++k) {
    const auto it = e.find(QLatin1String(Colunas[k]));
    if (it != e.end()) q[k] = AvaliaModelo(it->second.Modelo, it->second.B0, it->second.BAd, ad);
  }
  return q;
}

// Every region's and every river's equations keep the order from the smallest mapped creek to the
// whole basin, and so do the differences the mass-conservation transfer takes between two areas.
TEST(AmostraHidrologia, EquacoesOrdenadasEmTodaArea) {
  const TBaciaLida& b = Amostra();
  const double maior = b.Resumo[QStringLiteral("areaKm2")].toDouble();
  const double menor = b.Resumo[QStringLiteral("limiarRede")].toDouble() * Convencao::AreaCelulaKm2;
  std::vector<double> areas;
  for (int i = 0; i <= 200; ++i) areas.push_back(menor * std::pow(maior / menor, i / 200.0));
  for (const auto& [tabela, chave] :
       {std::pair{QStringLiteral("EQ_Tradicional"), QStringLiteral("Regiao")},
        std::pair{QStringLiteral("EQ_Conservacao"), QStringLiteral("codRio")}}) {
    const auto conjuntos = Equacoes(tabela, chave);
    EXPECT_GE(conjuntos.size(), 3u) << tabela.toStdString();
    for (const auto& [k, e] : conjuntos)
      for (std::size_t i = 0; i < areas.size(); ++i) {
        const TQuatro q = Avalia(e, areas[i]);
        ASSERT_TRUE(Ordenadas(q)) << tabela.toStdString() << " " << k << " em " << areas[i]
                                  << " km²: " << Texto(q);
        if (i == 0) continue;
        const TQuatro antes = Avalia(e, areas[i - 1]);
        TQuatro dif;
        for (int j = 0; j < 4; ++j) dif[j] = q[j] - antes[j];
        ASSERT_TRUE(Ordenadas(dif)) << tabela.toStdString() << " " << k << " de " << areas[i - 1]
                                    << " a " << areas[i] << " km²: " << Texto(dif);
      }
  }
}

// Observed flows keep the order and scatter a few per cent about their region's equations.
TEST(AmostraHidrologia, EstacoesOrdenadasPertoDasEquacoes) {
  const TBaciaLida& b = Amostra();
  const auto regioes = Equacoes(QStringLiteral("EQ_Tradicional"), QStringLiteral("Regiao"));
  TPoligonosLidos regiao(b.Dir + QStringLiteral("Dados/DadosSIG/Reg_Met_Tradicional.shp"),
                         "Regiao");
  int estacoes = 0;
  for (auto& l : LeTabela(Base(), QStringLiteral("EstFluviometricas"))) {
    ++estacoes;
    TQuatro q;
    for (int k = 0; k < 4; ++k) q[k] = l[QLatin1String(Colunas[k])].toDouble();
    const int codigo = l[QStringLiteral("CodEstFlu")].toInt();
    EXPECT_TRUE(Ordenadas(q)) << codigo << ": " << Texto(q);
    const auto c = l[QStringLiteral("PosicaoMDE")].toLongLong();
    const auto r = regiao.Contem(b.X(c), b.Y(c));
    ASSERT_EQ(r.size(), 1u) << codigo;
    const TQuatro e = Avalia(regioes.at(r[0]), b.Fluxo[c] * Convencao::AreaCelulaKm2);
    for (int k = 0; k < 4; ++k) {
      EXPECT_NEAR(q[k] / e[k], 1.0, 0.05) << codigo << " " << Colunas[k];
      EXPECT_NE(q[k], e[k]) << codigo << " " << Colunas[k];
    }
  }
  EXPECT_GE(estacoes, 10);
}

// The program's three methods at 200 random cells of the mapped drainage: each keeps the order,
// and where all three give flows they lie close together but are not the same numbers.
TEST(AmostraHidrologia, TresMetodosOrdenadosProximosEDiferentes) {
  const TBaciaLida& b = Amostra();
  TApresentadorRoteirizado apresentador;
  TSistema sistema(TCaminhos(b.Dir, QStringLiteral("TORVEDA")));
  sistema.CriaFormPrincipal(apresentador);
  sistema.CriaDataModule(apresentador);
  ASSERT_TRUE(sistema.MapasCarregados);
  const TBacia bacia = BaciaDoSistema(sistema);
  const TRede rede = bacia.Rede();
  TPonto& ponto = *sistema.Ponto;

  std::vector<std::int64_t> mapeadas;
  for (std::size_t c = 0; c < b.Mapeada.size(); ++c)
    if (b.Mapeada[c] != -9999.0f) mapeadas.push_back(static_cast<std::int64_t>(c));
  const unsigned semente = SementeTeste(20261209);
  SCOPED_TRACE("semente " + std::to_string(semente));
  std::mt19937 gerador(semente);
  int comTres = 0, conservacao = 0, tradicional = 0;
  double maiorRazao = 0;
  std::string pior;
  for (int n = 0; n < 200; ++n) {
    const std::int64_t c = mapeadas[gerador() % mapeadas.size()];
    IdentificaSecao(ponto, bacia, TPontoMapa{b.X(c), b.Y(c)});
    ASSERT_EQ(ponto.CodTrecho(), static_cast<int>(b.Mapeada[c])) << "célula " << c;
    ponto.CalculaTradicional(bacia.dmS.qryEQ_Tradicional, apresentador);
    ponto.CalculaProporcional(bacia.dmS, rede, apresentador);
    ponto.CalculaConservacao(bacia.dmS.qryRios, bacia.dmS.qryEQ_Conservacao, rede, apresentador);
    std::vector<TQuatro> metodos;
    for (const TVazoes* v :
         {&ponto.VazoesTradicional(), &ponto.VazoesProporcional(), &ponto.VazoesConservacao()}) {
      const TQuatro q{v->Q710(), v->Q95(), v->Q90(), v->Qmld()};
      if (q == TQuatro{}) continue;
      EXPECT_TRUE(Ordenadas(q)) << "célula " << c << " (" << ponto.AreaDrenagem()
                                << " km²): " << Texto(q);
      metodos.push_back(q);
    }
    tradicional += ponto.VazoesTradicional().Q710() > 0;
    EXPECT_GT(ponto.VazoesTradicional().Q710(), 0)
        << "célula " << c << " " << ponto.NomeRio().toStdString() << " (" << ponto.AreaDrenagem()
        << " km², região " << ponto.Regiao() << ")";
    conservacao += ponto.VazoesConservacao().Q710() > 0;
    if (metodos.size() < 3) continue;
    ++comTres;
    for (int k = 0; k < 4; ++k) {
      const double a = metodos[0][k], p = metodos[1][k], m = metodos[2][k];
      EXPECT_TRUE(a != p && a != m && p != m) << "célula " << c << ": métodos iguais";
      const double razao = std::max({a, p, m}) / std::min({a, p, m});
      if (razao > maiorRazao) {
        maiorRazao = razao;
        pior = "célula " + std::to_string(c) + " " + ponto.NomeRio().toStdString() + " (" +
               std::to_string(ponto.AreaDrenagem()) + " km²): " + Texto(metodos[0]) + " | " +
               Texto(metodos[1]) + " | " + Texto(metodos[2]);
      }
    }
  }
  EXPECT_EQ(tradicional, 200);
  EXPECT_EQ(conservacao, 200);
  EXPECT_GE(comTres, 150);
  EXPECT_LT(maiorRazao, 2.5) << pior;
  EXPECT_TRUE(apresentador.Textos(TApresentadorRoteirizado::TTipo::Erro).isEmpty())
      << apresentador.Textos().join(u'\n').toStdString();
}

// The transfers of the mass-conservation and the proportional methods take the drainage area at
// the upper and lower ends of arcs, found by the program's own walks: every arc has both.
TEST(AmostraHidrologia, TodoTrechoTemSuasPontas) {
  const TBaciaLida& b = Amostra();
  TApresentadorRoteirizado apresentador;
  TSistema sistema(TCaminhos(b.Dir, QStringLiteral("TORVEDA")));
  sistema.CriaFormPrincipal(apresentador);
  sistema.CriaDataModule(apresentador);
  const TBacia bacia = BaciaDoSistema(sistema);
  const TRede rede = bacia.Rede();
  int semPonta = 0;
  for (const auto& a : b.Arcos) {
    const auto topo = rede.CelulaTopoTrecho(a.Ho, apresentador),
               base = rede.CelulaBaseTrecho(a.Ho, apresentador);
    if (topo > 0 && base > 0) continue;
    ++semPonta;
    ADD_FAILURE() << "trecho " << a.Ho << " (" << a.Rio.toStdString() << "): topo " << topo
                  << ", base " << base;
  }
  EXPECT_EQ(semPonta, 0);
}

}  // namespace
