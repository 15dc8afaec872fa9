// The contributing basin on hand-made direction grids: which cells drain to a cell, and the
// outline traced along their edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "hydro/BaciaDaSecao.h"
#include "hydro/TBaciaContribuicao.h"
#include "raster/TImagem.h"

namespace {

constexpr double Xll = 269000.0;
constexpr double Yll = 8286000.0;
constexpr double Lado = 50.0;

// A direction grid drawn as the numeric keypad: 6 east, 3 south-east, 2 south, 1 south-west,
// 4 west, 7 north-west, 8 north, 9 north-east; '.' no data. Rows from north to south.
struct TGrade {
  explicit TGrade(const std::vector<std::string>& linhas)
      : NR(static_cast<int>(linhas.size())),
        NC(static_cast<int>(linhas[0].size())),
        Malha(NC, NR, Xll, Yll, Lado) {
    Dir.DefineTipo(QChar('R'));
    Dir.DefineDimensoes(static_cast<quint16>(NC), static_cast<quint16>(NR));
    Dir.DefineExtensao(Xll, Xll + NC * Lado, Yll, Yll + NR * Lado);
    const std::map<char, float> codigos{{'6', 1},  {'3', 2},  {'2', 4},   {'1', 8},    {'4', 16},
                                        {'7', 32}, {'8', 64}, {'9', 128}, {'.', -9999}};
    for (int l = 0; l < NR; ++l)
      for (int c = 0; c < NC; ++c)
        Dir.GravaReal(l * NC + c, codigos.at(linhas[static_cast<std::size_t>(l)][c]));
  }
  TBaciaContribuicao Bacia(int c, int l) const {
    return TBaciaContribuicao::Delineia(Malha, Dir, std::int64_t{l} * NC + c);
  }
  int NR, NC;
  TMalha Malha;
  TImagem Dir;
};

double AreaAnel(const TAnel& a) {
  double s = 0;
  for (std::size_t k = 0; k + 1 < a.size(); ++k) s += a[k].X * a[k + 1].Y - a[k + 1].X * a[k].Y;
  return s / 2;
}

// What every outline must be: closed simple rings, outer rings counterclockwise, holes
// clockwise, and an area of exactly the cells'.
void ConfereContorno(const TBaciaContribuicao& b, const std::vector<TPoligonoBacia>& contorno) {
  double area = 0;
  for (const TPoligonoBacia& pol : contorno) {
    ASSERT_FALSE(pol.empty());
    for (std::size_t k = 0; k < pol.size(); ++k) {
      const TAnel& anel = pol[k];
      ASSERT_GE(anel.size(), 5u);
      EXPECT_EQ(anel.front(), anel.back());
      std::set<std::pair<double, double>> vistos;
      for (std::size_t v = 0; v + 1 < anel.size(); ++v)
        EXPECT_TRUE(vistos.insert({anel[v].X, anel[v].Y}).second)
            << "anel passa duas vezes por " << anel[v].X << ' ' << anel[v].Y;
      const double a = AreaAnel(anel);
      if (k == 0)
        EXPECT_GT(a, 0.0);
      else
        EXPECT_LT(a, 0.0);
      area += a;
    }
  }
  EXPECT_EQ(area, b.NumCelulas() * Lado * Lado);
  EXPECT_EQ(b.AreaM2(), b.NumCelulas() * Lado * Lado);
}

std::set<std::pair<int, int>> Celulas(const TBaciaContribuicao& b, const TGrade& g) {
  std::set<std::pair<int, int>> s;
  for (int l = 0; l < g.NR; ++l)
    for (int c = 0; c < g.NC; ++c)
      if (b.Contem(c, l)) s.insert({c, l});
  return s;
}

}  // namespace

TEST(BaciaContribuicao, CelulaSemAfluentesEhUmQuadrado) {
  // Nothing drains into the top-right cell: its neighbours drain west, south and east.
  const TGrade g({"446",  //
                  "626",  //
                  "666"});
  const auto b = g.Bacia(2, 0);
  EXPECT_EQ(b.NumCelulas(), 1);
  EXPECT_TRUE(b.Contem(2, 0));
  const auto contorno = b.Contorno();
  ASSERT_EQ(contorno.size(), 1u);
  ASSERT_EQ(contorno[0].size(), 1u);
  EXPECT_EQ(contorno[0][0].size(), 5u);
  ConfereContorno(b, contorno);
  const TRetangulo e = b.Extensao();
  EXPECT_EQ(e, TRetangulo(Xll + 100, Xll + 150, Yll + 100, Yll + 150));
}

TEST(BaciaContribuicao, AreaFechadaQueDrenaParaOutroLadoEhBuraco) {
  // Everything drains round to the outlet at the bottom-right, except the 3 x 3 block in the
  // middle, which drains into a pit ('.') at its centre.
  const TGrade g({"6666662",  //
                  "8888882",  //
                  "8432162",  //
                  "846.462",  //
                  "8498762",  //
                  "8222222",  //
                  "8666666"});
  const auto b = g.Bacia(6, 6);
  const auto cel = Celulas(b, g);
  EXPECT_EQ(b.NumCelulas(), static_cast<std::int64_t>(cel.size()));
  for (int l = 2; l <= 4; ++l)
    for (int c = 2; c <= 4; ++c) EXPECT_FALSE(b.Contem(c, l)) << c << ',' << l;
  EXPECT_EQ(b.NumCelulas(), 49 - 9);
  const auto contorno = b.Contorno();
  ASSERT_EQ(contorno.size(), 1u);
  ASSERT_EQ(contorno[0].size(), 2u);  // the outer ring and the hole
  EXPECT_EQ(contorno[0][1].size(), 5u);
  ConfereContorno(b, contorno);
}

TEST(BaciaContribuicao, NaBordaDaGradeNadaDaVoltaPelaOutraLinha) {
  // The outlet is the first cell of the middle row. The last cell of the row above points east,
  // off the grid: read as a linear index it would land on the outlet, and it must not count.
  // The west column and the top row lie on the grid's border and belong to the basin.
  const TGrade g({"244446",  //
                  "244446",  //
                  "2.....",  //
                  "......"});
  const auto b = g.Bacia(0, 2);
  EXPECT_FALSE(b.Contem(5, 1));
  EXPECT_FALSE(b.Contem(5, 0));
  EXPECT_TRUE(b.Contem(0, 0));
  EXPECT_TRUE(b.Contem(4, 0));
  EXPECT_EQ(b.NumCelulas(), 1 + 5 + 5);
  EXPECT_EQ(b.ColunaMin(), 0);
  EXPECT_EQ(b.LinhaMin(), 0);
  const auto contorno = b.Contorno();
  ASSERT_EQ(contorno.size(), 1u);
  ConfereContorno(b, contorno);
  // The outline follows the grid's west and north edges.
  const TRetangulo e = b.Extensao();
  EXPECT_EQ(e.Esquerda(), Xll);
  EXPECT_EQ(e.Topo(), Yll + 4 * Lado);

  // A cell of the last column draining off the grid is an outlet of its own.
  const auto borda = g.Bacia(5, 1);
  EXPECT_EQ(borda.NumCelulas(), 1);
}

TEST(BaciaContribuicao, CelulasQueSoSeTocamNaDiagonal) {
  // (1,1) drains south-east into (2,2); the two cells beside that step drain away from it.
  const TGrade g({"....",  //
                  ".39.",  //
                  ".12.",  //
                  "...."});
  const auto b = g.Bacia(2, 2);
  EXPECT_EQ(b.NumCelulas(), 2);
  EXPECT_TRUE(b.Contem(1, 1));
  EXPECT_FALSE(b.Contem(2, 1));
  EXPECT_FALSE(b.Contem(1, 2));
  const auto contorno = b.Contorno();
  // Two squares sharing one corner: two polygons, each ring simple.
  ASSERT_EQ(contorno.size(), 2u);
  EXPECT_EQ(contorno[0].size(), 1u);
  EXPECT_EQ(contorno[1].size(), 1u);
  ConfereContorno(b, contorno);
}

TEST(BaciaContribuicao, AnelQueSeTocaNumCantoViraBuracoTocandoOContorno) {
  // A "C" of basin cells round (2,2), whose two ends (2,1) and (3,2) touch only at a corner.
  // The cell inside drains north-east through that corner to (3,1), outside: it reaches the
  // outside only at that corner, so it is a hole touching the outer ring there.
  const TGrade g({".....",  //
                  ".24..",  //
                  ".292.",  //
                  ".662.",  //
                  "....."});
  const auto b = g.Bacia(3, 3);
  EXPECT_EQ(b.NumCelulas(), 7);
  EXPECT_FALSE(b.Contem(2, 2));
  const auto contorno = b.Contorno();
  ASSERT_EQ(contorno.size(), 1u);
  ASSERT_EQ(contorno[0].size(), 2u);
  EXPECT_EQ(contorno[0][1].size(), 5u);
  ConfereContorno(b, contorno);
}

TEST(BaciaContribuicao, CicloPelaSecaoTermina) {
  // Two cells pointing at each other, and a third draining into the loop.
  const TGrade g({"64",  //
                  "8."});
  const auto b = g.Bacia(0, 0);
  EXPECT_EQ(b.NumCelulas(), 3);
  ConfereContorno(b, b.Contorno());
}

TEST(BaciaContribuicao, SemDirecaoOuForaDaGradeEhVazia) {
  const TGrade g({"6.",  //
                  "66"});
  EXPECT_TRUE(g.Bacia(1, 0).Vazia());
  EXPECT_TRUE(TBaciaContribuicao::Delineia(g.Malha, g.Dir, -1).Vazia());
  EXPECT_TRUE(TBaciaContribuicao::Delineia(g.Malha, g.Dir, 4).Vazia());
  EXPECT_TRUE(g.Bacia(1, 0).Contorno().empty());
  EXPECT_FALSE(g.Bacia(1, 0).Contem(std::int64_t{0}));
}

TEST(BaciaContribuicao, IlhaDentroDeBuracoPertenceAoPoligonoDeDentro) {
  // A ring of basin cells round a moat of pits; inside it two basin cells drain from corner to
  // corner into the ring. Each is a polygon of its own inside the ring's hole.
  const TGrade g({"6666662",  //
                  "2.....2",  //
                  "2.....2",  //
                  "2..3..2",  //
                  "2...3.2",  //
                  "2....32",  //
                  "6666666"});
  const auto b = g.Bacia(6, 6);
  EXPECT_EQ(b.NumCelulas(), 24 + 3);
  EXPECT_TRUE(b.Contem(3, 3));
  const auto contorno = b.Contorno();
  ASSERT_EQ(contorno.size(), 3u);
  EXPECT_EQ(contorno[0].size(), 2u);
  EXPECT_EQ(contorno[1].size(), 1u);
  EXPECT_EQ(contorno[2].size(), 1u);
  ConfereContorno(b, contorno);
}

TEST(BaciaContribuicao, CasosAleatoriosConferemComASubidaPorForcaBruta) {
  // Random direction grids: the walk against the direct definition (follow each cell down until
  // it reaches the outlet, leaves or loops), and every outline's rings and area.
  std::srand(7);
  const char codigos[] = "63214789.";
  for (int caso = 0; caso < 200; ++caso) {
    const int nc = 3 + std::rand() % 10, nr = 3 + std::rand() % 10;
    std::vector<std::string> linhas(static_cast<std::size_t>(nr), std::string(nc, '6'));
    for (auto& l : linhas)
      for (char& ch : l) ch = codigos[std::rand() % 9];
    const TGrade g(linhas);
    const int c0 = std::rand() % nc, l0 = std::rand() % nr;
    const auto b = g.Bacia(c0, l0);
    const std::int64_t alvo = std::int64_t{l0} * nc + c0;
    std::int64_t esperado = 0;
    int colMin = nc, colMax = -1, linMin = nr, linMax = -1;
    for (std::int64_t i = 0; i < nc * nr && g.Dir.LeReal(static_cast<std::int32_t>(alvo)) > 0;
         ++i) {
      std::int64_t atual = i;
      for (int passos = 0; passos <= nc * nr; ++passos) {
        if (atual == alvo) {
          ++esperado;
          const int c = static_cast<int>(i % nc), l = static_cast<int>(i / nc);
          colMin = std::min(colMin, c), colMax = std::max(colMax, c);
          linMin = std::min(linMin, l), linMax = std::max(linMax, l);
          break;
        }
        const std::int64_t prox = g.Malha.VizinhoD8(atual, g.Dir.LeRealOuSemDado(atual));
        if (prox < 0) break;
        atual = prox;
      }
      EXPECT_EQ(b.Contem(i), atual == alvo) << "caso " << caso << " célula " << i;
    }
    EXPECT_EQ(b.NumCelulas(), esperado) << "caso " << caso;
    if (esperado > 0) {
      EXPECT_EQ(b.ColunaMin(), colMin) << "caso " << caso;
      EXPECT_EQ(b.ColunaMax(), colMax) << "caso " << caso;
      EXPECT_EQ(b.LinhaMin(), linMin) << "caso " << caso;
      EXPECT_EQ(b.LinhaMax(), linMax) << "caso " << caso;
    }
    ConfereContorno(b, b.Contorno());
  }
}

TEST(BaciaContribuicao, GradeMaisCurtaQueAMalhaLidaSoDentroDaGrade) {
  // A direction grid one row short of its frame (a store that ends early): the walk reads the
  // missing row as no data, exactly as if the row were there without directions, and never
  // past the grid's end.
  std::srand(11);
  const char codigos[] = "63214789";
  for (int caso = 0; caso < 50; ++caso) {
    const int nc = 3 + std::rand() % 8, nr = 3 + std::rand() % 8;
    std::vector<std::string> linhas(static_cast<std::size_t>(nr), std::string(nc, '6'));
    for (auto& l : linhas)
      for (char& ch : l) ch = codigos[std::rand() % 8];
    const TGrade curta(linhas);
    linhas.emplace_back(nc, '.');
    const TGrade inteira(linhas);
    const std::int64_t alvo = std::rand() % (nc * nr);
    const auto esperada = TBaciaContribuicao::Delineia(inteira.Malha, inteira.Dir, alvo);
    const auto lida = TBaciaContribuicao::Delineia(inteira.Malha, curta.Dir, alvo);
    ASSERT_EQ(lida.NumCelulas(), esperada.NumCelulas()) << "caso " << caso;
    for (std::int64_t i = 0; i < nc * (nr + 1); ++i)
      EXPECT_EQ(lida.Contem(i), esperada.Contem(i)) << "caso " << caso << " célula " << i;
  }
}

TEST(BaciaContribuicao, OutorgasQueDivergemDasRegras) {
  // The basin of the third cell of a row draining east: the two western cells and itself.
  const TGrade g({"6666"});
  const auto b = g.Bacia(2, 0);
  auto outorga = [](int registro, TRegraOutorga regra, double x) {
    TOutorgaExaminada o;
    o.Registro = registro;
    o.Regra = regra;
    o.Ponto = {Xll + x, Yll + 25};
    o.TemPonto = true;
    return o;
  };
  TOutorgasConsideradas l;
  l.Consideradas = {outorga(1, TRegraOutorga::MontantePelaRede, 25),
                    outorga(2, TRegraOutorga::NoSemSaida, 175)};
  l.Descartadas = {outorga(3, TRegraOutorga::UnidadeAJusante, 125),
                   outorga(4, TRegraOutorga::ForaDoPeriodo, 175),
                   outorga(5, TRegraOutorga::ForaDoPeriodo, 75),
                   outorga(6, TRegraOutorga::CicloNaRede, 175), TOutorgaExaminada{}};
  EXPECT_EQ(AcordoComABacia(b, l.Consideradas[0]), TAcordoBacia::Concordam);
  EXPECT_EQ(AcordoComABacia(b, l.Descartadas[2]), TAcordoBacia::Concordam);
  EXPECT_EQ(AcordoComABacia(b, l.Descartadas[3]), TAcordoBacia::Concordam);
  EXPECT_EQ(AcordoComABacia(b, l.Descartadas[4]), TAcordoBacia::SemPonto);
  const TComparacaoOutorgas c = ComparaOutorgas(b, l);
  ASSERT_EQ(c.DentroNaoConsideradas.size(), 1u);
  EXPECT_EQ(c.DentroNaoConsideradas[0].Registro, 3);
  // Left out only by its dates, a grant still counts as upstream by its position.
  ASSERT_EQ(c.ConsideradasFora.size(), 2u);
  EXPECT_EQ(c.ConsideradasFora[0].Registro, 2);
  EXPECT_EQ(c.ConsideradasFora[1].Registro, 4);
}
