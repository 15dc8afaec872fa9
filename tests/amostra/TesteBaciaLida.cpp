// The invariants of the default sample, read back from its files: what the hydrology, the map
// windows and the imports take for granted about the data tree.

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <cmath>
#include <iostream>
#include <map>
#include <set>
#include <tuple>

#include "BaciaLida.h"
#include "amostra/Amostra.h"
#include "base/Convencoes.h"
#include "comum/PastaTemporaria.h"

namespace {

const TBaciaLida& Amostra() {
  static TPastaTemporaria pasta;
  static const TBaciaLida bacia = [] {
    TOpcoesAmostra opcoes;
    const QJsonObject resumo = GeraAmostra(pasta.Caminho(), opcoes);
    return LeBacia(pasta.Caminho() + QLatin1Char('/'), resumo);
  }();
  return bacia;
}

std::int64_t CelulaDe(const TBaciaLida& b, double x, double y) {
  return static_cast<std::int64_t>(b.NR - 1 - static_cast<int>((y - b.Yll) / b.Tam)) * b.NC +
         static_cast<int>((x - b.Xll) / b.Tam);
}

// Every cell of the basin drains, through neighbours inside the grid, to one outlet; the
// outlet's code points out of the basin; cells outside hold no direction.
TEST(AmostraGrades, DirecoesLevamTodaCelulaAoExutorio) {
  const TBaciaLida& b = Amostra();
  const std::int64_t n = static_cast<std::int64_t>(b.NC) * b.NR;
  std::vector<std::int64_t> exutorios;
  std::int64_t naBacia = 0;
  for (std::int64_t c = 0; c < n; ++c) {
    if (!b.Dentro(c)) {
      EXPECT_EQ(b.Fluxo[c], -9999.0f);
      EXPECT_EQ(b.Rede[c], -9999.0f);
      EXPECT_EQ(b.Mapeada[c], -9999.0f);
      continue;
    }
    ++naBacia;
    const std::int64_t j = b.Abaixo(c);
    ASSERT_GE(j, 0) << "célula " << c << " código " << b.Dir8[c];
    if (!b.Dentro(j)) exutorios.push_back(c);
  }
  ASSERT_EQ(exutorios.size(), 1u);
  EXPECT_EQ(exutorios[0],
            b.Resumo[QStringLiteral("exutorio")].toObject()[QStringLiteral("celula")].toInteger());
  EXPECT_EQ(naBacia, b.Resumo[QStringLiteral("celulasNaBacia")].toInteger());
  // No loops: walking down from any cell reaches the outlet (memo of cells known to drain).
  std::vector<std::uint8_t> drena(n, 0);
  drena[exutorios[0]] = 1;
  for (std::int64_t c = 0; c < n; ++c) {
    if (!b.Dentro(c) || drena[c]) continue;
    std::vector<std::int64_t> caminho;
    std::int64_t a = c;
    while (!drena[a] && caminho.size() <= static_cast<std::size_t>(naBacia)) {
      caminho.push_back(a);
      a = b.Abaixo(a);
    }
    ASSERT_TRUE(drena[a]) << "ciclo a partir da célula " << c;
    for (auto k : caminho) drena[k] = 1;
  }
}

// Accumulation counts the cells upstream (the cell itself excluded), recomputed here by
// counting, for every cell, the cells whose walk passes through it.
TEST(AmostraGrades, FluxoAcumuladoContaAsCelulasAMontante) {
  const TBaciaLida& b = Amostra();
  const std::int64_t n = static_cast<std::int64_t>(b.NC) * b.NR;
  std::vector<std::int32_t> entram(n, 0), conta(n, 0);
  for (std::int64_t c = 0; c < n; ++c)
    if (b.Dentro(c) && b.Dentro(b.Abaixo(c))) ++entram[b.Abaixo(c)];
  std::vector<std::int64_t> fila;
  for (std::int64_t c = 0; c < n; ++c)
    if (b.Dentro(c) && entram[c] == 0) fila.push_back(c);
  for (std::size_t k = 0; k < fila.size(); ++k) {
    const std::int64_t c = fila[k], j = b.Abaixo(c);
    if (!b.Dentro(j)) continue;
    conta[j] += conta[c] + 1;
    if (--entram[j] == 0) fila.push_back(j);
  }
  std::int64_t erradas = 0;
  for (std::int64_t c = 0; c < n; ++c)
    if (b.Dentro(c) && b.Fluxo[c] != static_cast<float>(conta[c])) ++erradas;
  EXPECT_EQ(erradas, 0);
  const auto saida =
      b.Resumo[QStringLiteral("exutorio")].toObject()[QStringLiteral("celula")].toInteger();
  EXPECT_EQ(b.Fluxo[saida] + 1, b.Resumo[QStringLiteral("celulasNaBacia")].toInteger());
}

// Mapped cells carry arcs of "Hidrografia", lie on the network, and each arc is one segment of
// hidro_sem_esp: a path whose last cell drains into the first cell of the arc that leaves its
// Tnode_ (or out of the basin for the outlet arc).
TEST(AmostraRede, TrechosConcordamComAsDirecoes) {
  const TBaciaLida& b = Amostra();
  const std::int64_t n = static_cast<std::int64_t>(b.NC) * b.NR;
  std::map<int, const TArcoLido*> porHo;
  std::map<int, int> saiDoNo;
  for (const auto& a : b.Arcos) {
    EXPECT_TRUE(porHo.emplace(a.Ho, &a).second) << "Ho_ repetido " << a.Ho;
    EXPECT_TRUE(saiDoNo.emplace(a.Fnode, a.Ho).second) << "dois trechos saem do nó " << a.Fnode;
  }
  std::map<int, std::vector<std::int64_t>> celulas;
  std::map<int, std::set<float>> rotulos;
  for (std::int64_t c = 0; c < n; ++c) {
    if (b.Mapeada[c] == -9999.0f) continue;
    const int ho = static_cast<int>(b.Mapeada[c]);
    ASSERT_TRUE(porHo.count(ho)) << "célula " << c << " com trecho " << ho
                                 << " fora da Hidrografia";
    ASSERT_NE(b.Rede[c], -9999.0f) << "célula mapeada fora da rede: " << c;
    celulas[ho].push_back(c);
    rotulos[ho].insert(b.Rede[c]);
  }
  EXPECT_EQ(celulas.size(), porHo.size()) << "trecho sem células na grade";
  std::map<float, int> trechoDoRotulo;
  for (const auto& [ho, lista] : celulas) {
    ASSERT_EQ(rotulos[ho].size(), 1u) << "trecho " << ho << " em mais de um segmento";
    trechoDoRotulo[*rotulos[ho].begin()] = ho;
    const std::set<std::int64_t> doTrecho(lista.begin(), lista.end());
    std::vector<std::int64_t> ultimas;
    for (auto c : lista)
      if (!doTrecho.count(b.Abaixo(c))) ultimas.push_back(c);
    ASSERT_EQ(ultimas.size(), 1u) << "trecho " << ho << " não é um caminho";
    const std::int64_t j = b.Abaixo(ultimas[0]);
    const TArcoLido& a = *porHo[ho];
    if (!b.Dentro(j)) {
      EXPECT_EQ(a.Tnode, Convencao::NoExutorio);
      continue;
    }
    ASSERT_TRUE(saiDoNo.count(a.Tnode)) << "nenhum trecho sai do nó " << a.Tnode;
    const int seguinte = saiDoNo[a.Tnode];
    EXPECT_EQ(static_cast<int>(b.Mapeada[j]), seguinte)
        << "a água do trecho " << ho << " não entra no trecho do seu Tnode_";
    // j is the upper end of the next arc: none of its cells drains into j except from above.
    for (auto c : celulas[seguinte]) EXPECT_NE(b.Abaixo(c), j);
  }
  // A segment label belongs to one arc only.
  for (std::int64_t c = 0; c < n; ++c)
    if (b.Rede[c] != -9999.0f && trechoDoRotulo.count(b.Rede[c])) {
      ASSERT_EQ(static_cast<int>(b.Mapeada[c]), trechoDoRotulo[b.Rede[c]]);
    }
}

TEST(AmostraRede, ExutorioTemOsIdentificadoresDoPrograma) {
  const TBaciaLida& b = Amostra();
  int chegam = 0;
  const TArcoLido* saida = nullptr;
  std::map<int, int> saiDoNo;
  for (const auto& a : b.Arcos) {
    EXPECT_NE(a.Fnode, Convencao::NoExutorio);
    if (a.Tnode == Convencao::NoExutorio) ++chegam;
    if (a.Ho == Convencao::TrechoExutorio) saida = &a;
    saiDoNo[a.Fnode] = a.Ho;
  }
  EXPECT_EQ(chegam, 1);
  ASSERT_NE(saida, nullptr);
  EXPECT_EQ(saida->Tnode, Convencao::NoExutorio);
  EXPECT_EQ(saida->Rio, QStringLiteral("Rio Paracatu"));
  const auto c =
      b.Resumo[QStringLiteral("exutorio")].toObject()[QStringLiteral("celula")].toInteger();
  EXPECT_EQ(static_cast<int>(b.Mapeada[c]), Convencao::TrechoExutorio);
  // The arc walk of every arc ends at the outlet node, without loops.
  for (const auto& a : b.Arcos) {
    int no = a.Tnode, passos = 0;
    while (no != Convencao::NoExutorio && passos++ <= static_cast<int>(b.Arcos.size())) {
      ASSERT_TRUE(saiDoNo.count(no)) << "nó sem saída " << no;
      for (const auto& x : b.Arcos)
        if (x.Ho == saiDoNo[no]) no = x.Tnode;
    }
    EXPECT_EQ(no, Convencao::NoExutorio) << "a partir do trecho " << a.Ho;
  }
}

// Every station code and every river code of the arcs has its rows in the database, and the
// station layer holds the same stations, each on the arc that names it.
TEST(AmostraBase, EstacoesERiosTemSuasLinhas) {
  const TBaciaLida& b = Amostra();
  const QString base = b.Dir + QStringLiteral("Dados/DadosBD/TORVEDA.sqlite");
  std::map<int, std::map<QString, QVariant>> estacoes;
  for (auto& l : LeTabela(base, QStringLiteral("EstFluviometricas")))
    estacoes[l[QStringLiteral("CodEstFlu")].toInt()] = l;
  std::set<int> rios;
  for (auto& l : LeTabela(base, QStringLiteral("Rios")))
    rios.insert(l[QStringLiteral("codRio")].toInt());
  std::map<int, std::set<QString>> equacoes;
  std::set<QString> modelos;
  for (auto& l : LeTabela(base, QStringLiteral("EQ_Conservacao"))) {
    equacoes[l[QStringLiteral("codRio")].toInt()].insert(l[QStringLiteral("VarMinima")].toString());
    modelos.insert(l[QStringLiteral("Modelo")].toString());
  }
  std::map<int, std::set<QString>> regioes;
  for (auto& l : LeTabela(base, QStringLiteral("EQ_Tradicional"))) {
    regioes[l[QStringLiteral("Regiao")].toInt()].insert(l[QStringLiteral("VarMinima")].toString());
    modelos.insert(l[QStringLiteral("Modelo")].toString());
  }
  const std::set<QString> quatro{QStringLiteral("Q710Ob"), QStringLiteral("Q90Ob"),
                                 QStringLiteral("Q95Ob"), QStringLiteral("QmldOb")};
  for (int r = 1; r <= 3; ++r)
    for (const auto& v : quatro)
      EXPECT_TRUE(regioes[r].count(v)) << "região " << r << " sem " << v.toStdString();
  EXPECT_EQ(modelos,
            (std::set<QString>{QStringLiteral("Exp"), QStringLiteral("Lin"), QStringLiteral("Log"),
                               QStringLiteral("Pot"), QStringLiteral("Rec")}));
  int comEstacao = 0, comEquacao = 0;
  for (const auto& a : b.Arcos) {
    if (!a.EstFlu.isEmpty()) {
      ++comEstacao;
      ASSERT_TRUE(estacoes.count(a.EstFlu.toInt()))
          << "estação " << a.EstFlu.toStdString() << " sem linha";
      const auto cel = estacoes[a.EstFlu.toInt()][QStringLiteral("PosicaoMDE")].toLongLong();
      EXPECT_EQ(static_cast<int>(b.Mapeada[cel]), a.Ho);
      EXPECT_EQ(
          estacoes[a.EstFlu.toInt()][QStringLiteral("Ad")].toInt(),
          std::max(1, static_cast<int>(std::lround(b.Fluxo[cel] * Convencao::AreaCelulaKm2))));
    }
    if (a.EqConserv) {
      ++comEquacao;
      EXPECT_TRUE(rios.count(a.EqConserv));
      for (const auto& v : quatro) EXPECT_TRUE(equacoes[a.EqConserv].count(v));
    }
  }
  EXPECT_EQ(comEstacao, static_cast<int>(estacoes.size()));
  EXPECT_GT(comEquacao, 0);
  // Observed low flows grow with the drainage area.
  std::vector<std::pair<int, double>> pares;
  for (auto& [codigo, l] : estacoes) {
    pares.emplace_back(l[QStringLiteral("Ad")].toInt(), l[QStringLiteral("QmldOb")].toDouble());
    EXPECT_LT(l[QStringLiteral("Q710Ob")].toDouble(), l[QStringLiteral("Q95Ob")].toDouble());
    EXPECT_LT(l[QStringLiteral("Q95Ob")].toDouble(), l[QStringLiteral("Q90Ob")].toDouble());
    EXPECT_LT(l[QStringLiteral("Q90Ob")].toDouble(), l[QStringLiteral("QmldOb")].toDouble());
  }
  std::sort(pares.begin(), pares.end());
  EXPECT_LT(pares.front().second * 3, pares.back().second);
}

// The drainage units and the regions cover the basin and nothing else; a cell's unit agrees with
// its region and with the outline; and the units drain into each other as the upstream-grant
// rules of the program assume.
TEST(AmostraRegioes, UnidadesERegioesCobremABacia) {
  const TBaciaLida& b = Amostra();
  const QString sig = b.Dir + QStringLiteral("Dados/DadosSIG/");
  TPoligonosLidos unidades(sig + QStringLiteral("Ad_Regioes.shp"), "ID");
  TPoligonosLidos regioes(sig + QStringLiteral("Reg_Met_Tradicional.shp"), "Regiao");
  TPoligonosLidos limite(sig + QStringLiteral("Limite.shp"), nullptr);
  TPoligonosLidos municipios(sig + QStringLiteral("Municipios.shp"), nullptr);
  EXPECT_EQ(regioes.Quantos(), 3u);
  EXPECT_EQ(limite.Quantos(), 1u);
  const std::int64_t n = static_cast<std::int64_t>(b.NC) * b.NR;
  std::vector<int> unidade(n, 0);
  for (std::int64_t c = 0; c < n; ++c) {
    const auto u = unidades.Contem(b.X(c), b.Y(c));
    const auto r = regioes.Contem(b.X(c), b.Y(c));
    const auto l = limite.Contem(b.X(c), b.Y(c));
    if (!b.Dentro(c)) {
      ASSERT_TRUE(u.empty() && r.empty() && l.empty())
          << "célula " << c << " fora da bacia num polígono";
      continue;
    }
    ASSERT_EQ(u.size(), 1u) << "célula " << c;
    ASSERT_EQ(r.size(), 1u) << "célula " << c;
    ASSERT_EQ(l.size(), 1u) << "célula " << c;
    ASSERT_EQ(u[0] / 100, r[0]);
    unidade[c] = u[0];
    if (c % 97 == 0) {
      ASSERT_EQ(municipios.Contem(b.X(c), b.Y(c)).size(), 1u);
    }
  }
  // Which units drain into which (transitively).
  std::map<int, std::set<int>> recebe;
  for (std::int64_t c = 0; c < n; ++c)
    if (b.Dentro(c) && b.Dentro(b.Abaixo(c)) && unidade[c] != unidade[b.Abaixo(c)])
      recebe[unidade[b.Abaixo(c)]].insert(unidade[c]);
  std::set<int> todas;
  for (std::int64_t c = 0; c < n; ++c)
    if (unidade[c]) todas.insert(unidade[c]);
  auto aMontante = [&](int s) {
    std::set<int> visto;
    std::vector<int> pilha{s};
    while (!pilha.empty()) {
      const int u = pilha.back();
      pilha.pop_back();
      for (int v : recebe[u])
        if (visto.insert(v).second) pilha.push_back(v);
    }
    return visto;
  };
  const std::map<int, std::vector<int>> jusante = {
      {111, {103, 104, 105, 106, 107, 112, 113, 114}},
      {112, {104, 105, 106, 107, 113, 114}},
      {113, {105, 106, 114}},
      {114, {101, 102, 103, 104, 107, 111, 112, 113}},
      {211, {202, 203, 204, 205, 206, 212, 213, 214, 215, 216}},
      {212, {201, 202, 204, 205, 206, 211, 213, 214, 215}},
      {213, {206, 215, 216}},
      {214, {201, 202, 203, 204, 206, 211, 212, 213, 215}},
      {215, {201, 202, 203, 204, 205, 211, 212, 213, 214}},
      {311, {302, 303, 304, 305, 312}},
  };
  for (const auto& [s, lista] : jusante) {
    ASSERT_TRUE(todas.count(s)) << "unidade " << s << " ausente";
    const auto acima = aMontante(s);
    for (int a : lista) EXPECT_FALSE(acima.count(a)) << a << " drena para " << s;
  }
  for (int u : todas) {
    const auto acima = aMontante(u);
    const int regiao = u / 100;
    if (u % 100 <= 9) {
      EXPECT_TRUE(acima.empty()) << "unidade de cabeceira " << u << " recebe outras";
    }
    for (int a : acima) {
      if (u == 312) continue;
      EXPECT_EQ(a / 100, regiao) << a << " drena para " << u;
    }
  }
  // Everything of regions 1 and 2 drains into 312, whose cells hold the whole lower main stem.
  const auto acima312 = aMontante(312);
  for (int u : todas)
    if (u / 100 != 3) {
      EXPECT_TRUE(acima312.count(u)) << u;
    }
}

TEST(AmostraSecoes, SecoesProntasSaoOQueDizem) {
  const TBaciaLida& b = Amostra();
  const QJsonObject s = b.Resumo[QStringLiteral("secoes")].toObject();
  auto celula = [&](const char* nome) {
    const QJsonObject o = s[QLatin1String(nome)].toObject();
    const auto c = o[QStringLiteral("celula")].toInteger();
    EXPECT_EQ(CelulaDe(b, o[QStringLiteral("X")].toDouble(), o[QStringLiteral("Y")].toDouble()), c)
        << nome;
    return c;
  };
  const auto principal = celula("principal");
  EXPECT_EQ(s[QStringLiteral("principal")].toObject()[QStringLiteral("rio")].toString(),
            QStringLiteral("Rio Paracatu"));
  EXPECT_EQ(s[QStringLiteral("principal")].toObject()[QStringLiteral("unidade")].toInt(), 312);
  EXPECT_NE(b.Mapeada[principal], -9999.0f);
  EXPECT_NE(b.Mapeada[celula("afluenteComEstacoes")], -9999.0f);
  EXPECT_EQ(s[QStringLiteral("rioSemEquacoes")].toObject()[QStringLiteral("Eq_Conserv")].toInt(),
            0);
  EXPECT_NE(b.Mapeada[celula("rioSemEquacoes")], -9999.0f);
  const auto fora = celula("foraDaDrenagem");
  EXPECT_TRUE(b.Dentro(fora));
  for (int dl = -1; dl <= 1; ++dl)
    for (int dc = -1; dc <= 1; ++dc) EXPECT_EQ(b.Rede[fora + dl * b.NC + dc], -9999.0f);
  EXPECT_FALSE(b.Dentro(celula("foraDaBacia")));
  EXPECT_EQ(s[QStringLiteral("cabeceira")].toObject()[QStringLiteral("unidade")].toInt(), 105);
  EXPECT_NE(b.Mapeada[celula("sobrecarregada")], -9999.0f);
  EXPECT_EQ(s[QStringLiteral("sobrecarregada")].toObject()[QStringLiteral("rio")].toString(),
            QStringLiteral("Ribeirão da Prata"));
  // One section lies below the drainage-area range of its region's equations; the main stem
  // lies within its own.
  std::map<int, std::pair<double, double>> faixas;
  for (auto& l : LeTabela(b.Dir + QStringLiteral("Dados/DadosBD/TORVEDA.sqlite"),
                          QStringLiteral("Restricoes")))
    faixas[l[QStringLiteral("codRestricao")].toInt()] = {l[QStringLiteral("MenorAd")].toDouble(),
                                                         l[QStringLiteral("MaiorAd")].toDouble()};
  const auto faixa = [&](const char* nome) {
    const QJsonObject o = s[QLatin1String(nome)].toObject();
    EXPECT_NE(b.Mapeada[celula(nome)], -9999.0f) << nome;
    const int regiao = o[QStringLiteral("regiao")].toInt();
    EXPECT_TRUE(faixas.count(regiao)) << nome;
    return std::tuple{o[QStringLiteral("areaKm2")].toDouble(), faixas[regiao].first,
                      faixas[regiao].second};
  };
  const auto [areaFora, menorFora, maiorFora] = faixa("foraDoIntervalo");
  EXPECT_LT(areaFora, menorFora);
  EXPECT_LT(menorFora, maiorFora);
  const auto [areaPrincipal, menor, maior] = faixa("principal");
  EXPECT_GE(areaPrincipal, menor);
  EXPECT_LE(areaPrincipal, maior);
}

// Side streams follow the terrain: the long segments of the network that the drawing of the
// rivers did not place (those off the mapped drainage) bend away from the straight line between
// their ends, as natural channels do, and few of them run straight.
TEST(AmostraRede, CursosSinuosos) {
  const TBaciaLida& b = Amostra();
  std::map<int, std::vector<std::int64_t>> celulas;
  for (std::size_t c = 0; c < b.Rede.size(); ++c)
    if (b.Rede[c] != -9999.0f && b.Mapeada[c] == -9999.0f)
      celulas[static_cast<int>(b.Rede[c])].push_back(c);
  std::vector<double> curvas;
  int retos = 0;
  for (const auto& [ho, lista] : celulas) {
    if (lista.size() < 12) continue;
    const std::set<std::int64_t> doTrecho(lista.begin(), lista.end());
    std::int64_t primeira = -1, ultima = -1;
    for (auto c : lista) {
      if (!doTrecho.count(b.Abaixo(c))) ultima = c;
      bool recebe = false;
      for (auto v : lista) recebe = recebe || b.Abaixo(v) == c;
      if (!recebe) primeira = c;
    }
    const double x0 = primeira % b.NC, y0 = primeira / b.NC;
    const double dx = ultima % b.NC - x0, dy = ultima / b.NC - y0;
    const double corda = std::hypot(dx, dy);
    if (corda < 8) continue;
    double desvio = 0;
    for (auto c : lista)
      desvio = std::max(desvio, std::abs((c % b.NC - x0) * dy - (c / b.NC - y0) * dx) / corda);
    curvas.push_back(desvio / corda);
    if (desvio < 1.5) ++retos;
  }
  ASSERT_GE(curvas.size(), 20u);
  std::sort(curvas.begin(), curvas.end());
  const double mediana = curvas[curvas.size() / 2];
  std::cout << "trechos longos " << curvas.size() << ", desvio mediano " << mediana << ", retos "
            << retos << "\n";
  EXPECT_GE(mediana, 0.11);
  EXPECT_LE(retos * 5, static_cast<int>(curvas.size()));
}

// The register workbooks hold the sheets and headings the imports read, and the rows a real
// register holds: outside the basin, without coordinates, zero flows, both flows, the north.
TEST(AmostraPlanilhas, FolhasColunasELinhas) {
  const TBaciaLida& b = Amostra();
  const QString bd = b.Dir + QStringLiteral("Dados/DadosBD/");
  auto aqem = LePlanilha(bd + QStringLiteral("TORVEDA_Outorgas_AQEM.xlsx"));
  auto ana = LePlanilha(bd + QStringLiteral("TORVEDA_Outorgas_ANA.xlsx"));
  ASSERT_EQ(aqem.size(), 3u);
  for (const char* folha : {"Outorgas Água Superficial", "Outorgas Água Subterrânea",
                            "Certidões de Uso Insignificante"}) {
    ASSERT_TRUE(aqem.count(QString::fromUtf8(folha))) << folha;
    const auto& colunas = aqem[QString::fromUtf8(folha)].Colunas;
    for (const char* c : {"Nº Processo", "Data entrada", "Requerente", "Município", "Rio Estadual",
                          "Rio Federal", "Recurso hídrico", "Latitude", "Longitude", "Vazão (m³/s)",
                          "Vazão (m³/h)", "Local", "Finalidade", "Uso"})
      EXPECT_NE(std::find(colunas.begin(), colunas.end(), QString::fromUtf8(c)), colunas.end())
          << folha << ": " << c;
  }
  const auto& ins = aqem[QStringLiteral("Certidões de Uso Insignificante")];
  int ambas = 0, semCoordenada = 0;
  for (const auto& l : ins.Linhas) {
    const auto s = l.find(QStringLiteral("Vazão (m³/s)")),
               h = l.find(QStringLiteral("Vazão (m³/h)"));
    if (s != l.end() && h != l.end() && s->second.toDouble() != 0 && h->second.toDouble() != 0)
      ++ambas;
  }
  int zero = 0, foraDaBacia = 0;
  for (const auto& l : aqem[QStringLiteral("Outorgas Água Superficial")].Linhas) {
    if (!l.count(QStringLiteral("Latitude"))) {
      ++semCoordenada;
      continue;
    }
    if (l.at(QStringLiteral("Vazão (m³/s)")).toDouble() == 0) ++zero;
    EXPECT_EQ(l.at(QStringLiteral("Latitude")).size(), 6);
  }
  EXPECT_GT(ambas, 0);
  EXPECT_GT(semCoordenada + zero, 0);
  ASSERT_TRUE(ana.count(QStringLiteral("Outorgas ANA")));
  const auto& federal = ana[QStringLiteral("Outorgas ANA")];
  for (const char* c :
       {"NomeReq", "NrPort01", "DataPub01", "DataVenc01", "Latitude", "Hemisferio", "Longitude",
        "Qc01 (m³/h)", "Qc02", "Qc12", "Abastecimento", "Outros", "Irrigação"})
    EXPECT_NE(std::find(federal.Colunas.begin(), federal.Colunas.end(), QString::fromUtf8(c)),
              federal.Colunas.end())
        << c;
  int norte = 0;
  for (const auto& l : federal.Linhas) {
    if (l.count(QStringLiteral("Hemisferio")) &&
        l.at(QStringLiteral("Hemisferio")) == QStringLiteral("N"))
      ++norte;
    if (l.count(QStringLiteral("Latitude"))) {
      const QString t = l.at(QStringLiteral("Latitude"));
      ASSERT_GE(t.size(), 10);
      EXPECT_TRUE(t.mid(0, 2).toInt() > 0 && t.mid(4, 2).toInt() < 60 && t.mid(8, 2).toInt() < 60)
          << t.toStdString();
    }
  }
  EXPECT_EQ(norte, 1);
  const QJsonObject r = b.Resumo[QStringLiteral("registros")].toObject();
  for (const char* k : {"superficiais", "insignificantes", "subterraneas", "federais"}) {
    const QJsonObject o = r[QLatin1String(k)].toObject();
    foraDaBacia += o[QStringLiteral("linhas")].toInt() - o[QStringLiteral("naBacia")].toInt();
  }
  EXPECT_GT(foraDaBacia, 0);
  EXPECT_EQ(aqem[QStringLiteral("Outorgas Água Superficial")].Linhas.size() + ins.Linhas.size() +
                aqem[QStringLiteral("Outorgas Água Subterrânea")].Linhas.size() +
                federal.Linhas.size(),
            400u);
}

TEST(AmostraArquivos, CabecalhosEAjuda) {
  const TBaciaLida& b = Amostra();
  const QString m = b.Dir + QStringLiteral("Dados/DadosSIG/Matrizes/");
  QFile h(m + QStringLiteral("Header.hdr"));
  ASSERT_TRUE(h.open(QIODevice::ReadOnly));
  const QList<QByteArray> linhas = h.readAll().split('\n');
  ASSERT_GE(linhas.size(), 6);
  EXPECT_EQ(linhas[0].left(14), QByteArray("ncols         "));
  EXPECT_EQ(linhas[5].left(14), QByteArray("NODATA_value  "));
  for (const char* g : {"hidro_mapeada", "hidro_sem_esp", "dir_esc", "fluxo_ac"}) {
    QFile f(m + QLatin1String(g) + QStringLiteral(".hdr"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << g;
    EXPECT_TRUE(f.readAll().contains("byteorder     LSBFIRST")) << g;
  }
  QFile ajuda(b.Dir + QStringLiteral("Ajuda/Ajuda.html"));
  ASSERT_TRUE(ajuda.open(QIODevice::ReadOnly));
  EXPECT_TRUE(ajuda.readAll().contains("<html"));
  EXPECT_TRUE(QFileInfo(b.Dir + QStringLiteral("Imagens/Relatórios")).isDir());
  for (const char* d : {"hidrografia_ucor_nova.shp", "Rios_ProcPelmar.shp"})
    EXPECT_TRUE(QFileInfo::exists(b.Dir + QStringLiteral("DadosSIG/") + QLatin1String(d))) << d;
}

}  // namespace
