// The network on the grids and its arcs. A cell is on the network when enough cells drain
// through it, or when a drawn river passes (the rivers are burned in); it is on the mapped
// drainage when a drawn river passes or a larger creek forms there. A network segment runs from
// a head or a confluence to the next confluence; a mapped segment is an arc of "Hidrografia", so
// every arc is exactly one segment of hidro_sem_esp, and its nodes are the cells where segments
// begin.

#include <algorithm>
#include <cmath>
#include <map>

#include "amostra/Aleatorio.h"
#include "amostra/BaciaInterno.h"
#include "amostra/Projeto.h"
#include "base/Convencoes.h"
#include "base/Erro.h"

namespace bacia_interno {

namespace {

const char* const NomesCorregos[] = {
    "Córrego Jatobá",      "Córrego da Onça",   "Córrego Buriti",       "Córrego do Sítio",
    "Córrego Pindaíba",    "Córrego da Mata",   "Córrego Olhos d'Água", "Córrego Vereda Grande",
    "Córrego do Cedro",    "Córrego Cachoeira", "Córrego da Lapa",      "Córrego Seco",
    "Córrego São José",    "Córrego Macaúba",   "Córrego Landim",       "Córrego Areia",
    "Córrego do Ouro",     "Córrego Tamboril",  "Córrego Capim Branco", "Córrego da Ponte",
    "Córrego Barra Funda", "Córrego dos Bois",  "Córrego Estiva",       "Córrego Pedra Branca",
    "Córrego Riachão",     "Córrego Sapé",      "Córrego Taquara",      "Córrego do Engenho",
    "Córrego Boa Vista",   "Córrego Angico",    "Córrego Contendas",    "Córrego Poções",
};
constexpr int NumNomes = static_cast<int>(sizeof(NomesCorregos) / sizeof(NomesCorregos[0]));

// Numbers 1..n in order, except that item `especial` gets `valor`: swapped with the item that
// had it, or, when there are fewer than `valor` items, given it while the others close ranks.
std::vector<std::int32_t> Numera(std::size_t n, std::size_t especial, std::int32_t valor) {
  std::vector<std::int32_t> ids(n);
  if (static_cast<std::int64_t>(n) >= valor) {
    for (std::size_t i = 0; i < n; ++i) ids[i] = static_cast<std::int32_t>(i + 1);
    std::swap(ids[especial], ids[static_cast<std::size_t>(valor - 1)]);
  } else {
    std::int32_t proximo = 1;
    for (std::size_t i = 0; i < n; ++i) ids[i] = i == especial ? valor : proximo++;
  }
  return ids;
}

// The network cells that drain into c.
template <typename F>
void Chegadas(const TBacia& b, const std::vector<std::uint8_t>& rede, std::int32_t c, F f) {
  const int cc = b.Coluna(c), lc = b.Linha(c);
  for (const auto& d : Convencao::DirecoesD8) {
    const int cv = cc + d.DColuna, lv = lc + d.DLinha;
    if (!b.NaGrade(cv, lv)) continue;
    const std::int32_t v = b.Indice(cv, lv);
    if (b.Dentro[v] && rede[v] && b.Abaixo(v) == c) f(v);
  }
}

// The mapped segments whose ends the program cannot find. It takes the centre of the bounding
// box of the arc's line (its cells' centres and the node below), goes forward along the linear
// index to the first cell of the arc (backward when there is none), and from there climbs to the
// cell below the upper end and descends to the cell above the lower end: an arc of fewer than
// three cells, or one whose search lands on an end cell, has no usable end.
std::vector<std::uint8_t> SemPontas(const TBacia& b, const std::vector<std::int32_t>& segmento,
                                    const std::vector<std::size_t>& tamanho,
                                    const std::vector<std::uint8_t>& rede,
                                    const std::vector<std::uint8_t>& mapeada) {
  const std::size_t n = tamanho.size();
  std::vector<double> x0(n, 1e300), x1(n, -1e300), y0(n, 1e300), y1(n, -1e300);
  std::vector<std::int32_t> topo(n, -1), base(n, -1);
  auto inclui = [&](std::size_t s, double x, double y) {
    x0[s] = std::min(x0[s], x);
    x1[s] = std::max(x1[s], x);
    y0[s] = std::min(y0[s], y);
    y1[s] = std::max(y1[s], y);
  };
  for (std::int32_t c : b.Ordem) {
    if (!rede[c] || !mapeada[c]) continue;
    const auto s = static_cast<std::size_t>(segmento[c]);
    if (topo[s] < 0) topo[s] = c;
    base[s] = c;
    inclui(s, b.X(c), b.Y(c));
  }
  std::vector<std::int64_t> inicio(n, -1), achada(n, -1), antes(n, -1);
  for (std::size_t s = 1; s < n; ++s) {
    if (topo[s] < 0) continue;
    const std::int32_t j = b.Abaixo(base[s]);
    if (b.Dentro[j])
      inclui(s, b.X(j), b.Y(j));
    else
      inclui(s, (b.X(base[s]) + b.X(j)) / 2, (b.Y(base[s]) + b.Y(j)) / 2);
    const double qx = (x0[s] + x1[s]) / 2, qy = (y0[s] + y1[s]) / 2;
    const auto coluna = static_cast<std::int64_t>((qx - b.Xll) / b.Tam);
    const auto linha = b.NR - 1 - static_cast<std::int64_t>((qy - b.Yll) / b.Tam);
    inicio[s] = linha * b.NC + coluna;
  }
  for (std::int64_t c = 0; c < b.Celulas(); ++c) {
    if (!rede[c] || !mapeada[c]) continue;
    const auto s = static_cast<std::size_t>(segmento[c]);
    if (c >= inicio[s] && achada[s] < 0) achada[s] = c;
    if (c <= inicio[s]) antes[s] = c;
  }
  std::vector<std::uint8_t> ruim(n, 0);
  for (std::size_t s = 1; s < n; ++s) {
    if (topo[s] < 0) continue;
    const std::int64_t a = achada[s] >= 0 ? achada[s] : antes[s];
    ruim[s] = tamanho[s] < 3 || a == topo[s] || a == base[s];
  }
  return ruim;
}

// Where a mapped segment has no usable end (see SemPontas), the smallest tributary that closes it
// in and is not a drawn river leaves the network with everything above it, so that the segment
// joins its neighbour; the check runs again until every segment has its ends, or only drawn
// rivers are left to close one in.
void PodaTrechosCurtos(const TBacia& b, std::vector<std::uint8_t>& rede,
                       std::vector<std::uint8_t>& mapeada) {
  std::vector<std::int32_t> segmento(b.Celulas(), 0);
  for (int volta = 0; volta < 50; ++volta) {
    std::vector<std::size_t> tamanho{0};
    for (std::int32_t c : b.Ordem) {
      if (!rede[c]) continue;
      int chegam = 0;
      std::int32_t acima = -1;
      Chegadas(b, rede, c, [&](std::int32_t v) {
        ++chegam;
        acima = v;
      });
      if (chegam == 1 && mapeada[acima] == mapeada[c]) {
        segmento[c] = segmento[acima];
      } else {
        segmento[c] = static_cast<std::int32_t>(tamanho.size());
        tamanho.push_back(0);
      }
      ++tamanho[segmento[c]];
    }
    bool mudou = false;
    const std::vector<std::uint8_t> ruim = SemPontas(b, segmento, tamanho, rede, mapeada);
    std::vector<std::uint8_t> visto(tamanho.size(), 0);
    for (std::int32_t c : b.Ordem) {
      if (!rede[c] || !mapeada[c] || visto[segmento[c]] || !ruim[segmento[c]]) continue;
      visto[segmento[c]] = 1;
      std::int32_t ultima = c;
      while (b.Dentro[b.Abaixo(ultima)] && segmento[b.Abaixo(ultima)] == segmento[c])
        ultima = b.Abaixo(ultima);
      const std::int32_t x = b.Abaixo(ultima);
      int mapeadasEmC = 0;
      // The tributaries that close the segment in: those at its upper cell (when the river
      // flows on above it) and those joining just below it; a mapped creek too short from its
      // head may go itself.
      std::int32_t escolhida = -1;
      auto candidata = [&](std::int32_t v) {
        if (b.RioCelula[v] >= 0 || (v == ultima && mapeadasEmC > 0)) return;
        if (escolhida < 0 || b.Fluxo[v] < b.Fluxo[escolhida]) escolhida = v;
      };
      int chegamEmC = 0;
      Chegadas(b, rede, c, [&](std::int32_t v) {
        ++chegamEmC;
        mapeadasEmC += mapeada[v];
      });
      if (chegamEmC > 1 && mapeadasEmC > 0) Chegadas(b, rede, c, candidata);
      if (mapeadasEmC == 0) candidata(ultima);
      if (b.Dentro[x]) Chegadas(b, rede, x, candidata);
      if (escolhida < 0) continue;
      std::vector<std::int32_t> pilha{escolhida};
      while (!pilha.empty()) {
        const std::int32_t v = pilha.back();
        pilha.pop_back();
        Chegadas(b, rede, v, [&](std::int32_t u) { pilha.push_back(u); });
        rede[v] = mapeada[v] = 0;
      }
      mudou = true;
    }
    if (!mudou) return;
  }
}

}  // namespace

void MontaRede(TBacia& b) {
  const std::int64_t total = b.Celulas();
  const auto naBacia = static_cast<double>(b.Ordem.size());
  // The mapped drainage of a larger basin is drawn at a coarser scale, but not so much coarser
  // that its arcs stay as few: their number grows about as the basin's area to the power 0.32
  // (some 200 arcs at 400 x 400 cells, over 700 at 5000 x 5000).
  b.LimiarMapeada = std::max<std::int32_t>(
      200, static_cast<std::int32_t>(std::lround(0.274 * std::pow(naBacia, 0.68))));
  b.LimiarRede = std::max<std::int32_t>(25, b.LimiarMapeada / 8);

  std::vector<std::uint8_t> rede(total, 0), mapeada(total, 0);
  for (std::int32_t c : b.Ordem) {
    // A drawn river is mapped from where a few cells drain into it: a section at its very head
    // would have no drainage area.
    const bool rio = b.RioCelula[c] >= 0 && b.Fluxo[c] >= 4;
    rede[c] = rio || b.Fluxo[c] >= b.LimiarRede;
    mapeada[c] = rio || b.Fluxo[c] >= b.LimiarMapeada;
  }
  PodaTrechosCurtos(b, rede, mapeada);

  b.Rede.assign(total, 0);
  std::vector<std::int32_t> rioDe(total, -1);
  for (std::int32_t c : b.Ordem) rioDe[c] = b.RioCelula[c];
  std::int32_t segmentos = 0;
  std::vector<std::uint8_t> segMapeado{0};
  int corregos = 0;
  const int inicioNomes = static_cast<int>(b.Semente % NumNomes);

  for (std::int32_t c : b.Ordem) {
    if (!rede[c]) continue;
    int chegam = 0;
    std::int32_t acima = -1, maiorMapeada = -1;
    const int cc = b.Coluna(c), lc = b.Linha(c);
    for (const auto& d : Convencao::DirecoesD8) {
      const int cv = cc + d.DColuna, lv = lc + d.DLinha;
      if (!b.NaGrade(cv, lv)) continue;
      const std::int32_t v = b.Indice(cv, lv);
      if (!b.Dentro[v] || !rede[v] || b.Abaixo(v) != c) continue;
      ++chegam;
      acima = v;
      if (mapeada[v] && (maiorMapeada < 0 || b.Fluxo[v] > b.Fluxo[maiorMapeada])) maiorMapeada = v;
    }
    if (chegam == 1 && mapeada[acima] == mapeada[c]) {
      b.Rede[c] = b.Rede[acima];
    } else {
      b.Rede[c] = ++segmentos;
      segMapeado.push_back(mapeada[c]);
    }
    if (mapeada[c] && b.RioCelula[c] < 0) {
      // A creek takes the name of its larger branch; a creek head gets a new name.
      if (maiorMapeada >= 0) {
        rioDe[c] = rioDe[maiorMapeada];
      } else {
        TRio corrego;
        const int k = (inicioNomes + corregos) % NumNomes;
        const int volta = (inicioNomes + corregos) / NumNomes;
        corrego.Nome = QString::fromUtf8(NomesCorregos[k]);
        if (volta > 0) corrego.Nome += QStringLiteral(" %1").arg(volta + 1);
        corrego.Projetado = false;
        ++corregos;
        rioDe[c] = static_cast<std::int32_t>(b.Rios.size());
        b.Rios.push_back(std::move(corrego));
        if (b.Rios.size() > 32000)
          throw ETorveda(QStringLiteral("Erro interno: córregos demais na bacia de exemplo."));
      }
      b.Rios[rioDe[c]].Celulas.push_back(c);
      b.RioCelula[c] = static_cast<std::int16_t>(rioDe[c]);
    }
  }
  for (auto& r : b.Rios)
    if (!r.Projetado) {
      const std::int64_t j = b.Jusante(r.Celulas.back());
      r.Pai = j >= 0 ? rioDe[j] : -1;
    }

  // The arcs: the mapped segments, cells from upstream down.
  std::vector<std::vector<std::int32_t>> celulas(static_cast<std::size_t>(segmentos) + 1);
  for (std::int32_t c : b.Ordem)
    if (b.Rede[c] > 0 && segMapeado[b.Rede[c]]) celulas[b.Rede[c]].push_back(c);
  b.Trechos.clear();
  for (std::int32_t s = 1; s <= segmentos; ++s) {
    if (!segMapeado[s]) continue;
    TTrecho t;
    t.Rotulo = s;
    t.Celulas = std::move(celulas[s]);
    t.Rio = rioDe[t.Celulas.front()];
    b.Trechos.push_back(std::move(t));
  }
  // Arcs and nodes are numbered from the north-west down, as a digitized map would be; the
  // outlet arc and node carry the program's network constants.
  std::sort(b.Trechos.begin(), b.Trechos.end(), [](const TTrecho& a, const TTrecho& c) {
    return a.Celulas.front() < c.Celulas.front();
  });
  std::size_t saida = b.Trechos.size();
  for (std::size_t i = 0; i < b.Trechos.size(); ++i)
    if (b.Trechos[i].Celulas.back() == b.Exutorio) saida = i;
  if (saida == b.Trechos.size())
    throw ETorveda(QStringLiteral("Erro interno: nenhum trecho chega ao exutório."));
  const auto hos = Numera(b.Trechos.size(), saida, Convencao::TrechoExutorio);
  const auto nos = Numera(b.Trechos.size() + 1, b.Trechos.size(), Convencao::NoExutorio);
  std::vector<std::int32_t> inicios;
  for (const auto& t : b.Trechos) inicios.push_back(t.Celulas.front());
  for (std::size_t i = 0; i < b.Trechos.size(); ++i) {
    TTrecho& t = b.Trechos[i];
    t.Ho = hos[i];
    t.Fnode = nos[i];
    const std::int64_t j = b.Jusante(t.Celulas.back());
    if (j < 0 || !b.Dentro[j]) {
      t.Tnode = nos.back();
    } else {
      auto it = std::lower_bound(inicios.begin(), inicios.end(), static_cast<std::int32_t>(j));
      if (it == inicios.end() || *it != j)
        throw ETorveda(QStringLiteral("Erro interno: um trecho não desemboca em outro."));
      t.Tnode = nos[static_cast<std::size_t>(it - inicios.begin())];
    }
  }
  std::sort(b.Trechos.begin(), b.Trechos.end(),
            [](const TTrecho& a, const TTrecho& c) { return a.Ho < c.Ho; });
  b.Mapeada.assign(total, 0);
  for (const auto& t : b.Trechos)
    for (std::int32_t c : t.Celulas) b.Mapeada[c] = t.Ho;

  // Strahler orders: an arc whose upper node no arc reaches is of order 1; below a confluence
  // the order is the largest arriving, plus one when two or more arrive with it. The arcs are
  // worked from their upper cells down, so every arriving arc is done first.
  std::vector<std::size_t> porFluxo(b.Trechos.size());
  for (std::size_t i = 0; i < porFluxo.size(); ++i) porFluxo[i] = i;
  std::sort(porFluxo.begin(), porFluxo.end(), [&](std::size_t x, std::size_t y) {
    return b.Fluxo[b.Trechos[x].Celulas.back()] < b.Fluxo[b.Trechos[y].Celulas.back()];
  });
  std::map<std::int32_t, std::pair<int, int>> chegam;  // node -> (largest order, how many)
  for (std::size_t i : porFluxo) {
    TTrecho& t = b.Trechos[i];
    const auto it = chegam.find(t.Fnode);
    t.Ordem = it == chegam.end() ? 1 : it->second.first + (it->second.second > 1 ? 1 : 0);
    auto& [maior, quantos] = chegam[t.Tnode];
    if (t.Ordem > maior) {
      maior = t.Ordem;
      quantos = 1;
    } else if (t.Ordem == maior) {
      ++quantos;
    }
  }
}

void MontaUnidades(TBacia& b, std::size_t posJuncao) {
  const auto& projeto = RiosProjeto();
  b.Unidade.assign(b.Celulas(), 0);
  for (std::size_t r = 0; r < projeto.size(); ++r) {
    const auto& cel = b.Rios[r].Celulas;
    std::vector<std::size_t> limites;
    for (const auto& t : projeto[r].Trechos)
      limites.push_back(PosicaoFracao(b, static_cast<int>(r), t.Ate, posJuncao));
    for (std::size_t i = 0; i < cel.size(); ++i) {
      int u = projeto[r].Unidade;
      if (!u) {
        u = projeto[r].Trechos.back().Unidade;
        for (std::size_t k = 0; k < limites.size(); ++k)
          if (i < limites[k]) {
            u = projeto[r].Trechos[k].Unidade;
            break;
          }
      }
      b.Unidade[cel[i]] = static_cast<std::int16_t>(u);
    }
  }
  // Every other cell belongs to the unit of the drawn river its water reaches.
  for (auto it = b.Ordem.rbegin(); it != b.Ordem.rend(); ++it)
    if (b.Unidade[*it] == 0) {
      const std::int32_t j = b.Abaixo(*it);
      if (!b.Dentro[j])
        throw ETorveda(QStringLiteral("Erro interno: uma célula sai da bacia fora do exutório."));
      b.Unidade[*it] = b.Unidade[j];
    }
  for (auto& t : b.Trechos) t.Unidade = b.Unidade[t.Celulas.front()];
}

void MontaEstacoes(TBacia& b, std::size_t posJuncao) {
  b.Estacoes.clear();
  for (const auto& e : EstacoesProjeto()) {
    const auto& cel = b.Rios[e.Rio].Celulas;
    const std::size_t base = PosicaoFracao(b, e.Rio, e.Fracao, posJuncao);
    // One station per arc: look down the river, then up, for an arc without one.
    std::int64_t escolhida = -1;
    for (std::size_t passo = 0; passo < cel.size() && escolhida < 0; ++passo)
      for (int sentido : {1, -1}) {
        const std::int64_t i =
            static_cast<std::int64_t>(base) + sentido * static_cast<std::int64_t>(passo);
        if (i < 0 || i >= static_cast<std::int64_t>(cel.size())) continue;
        const std::int32_t ho = b.Mapeada[cel[i]];
        bool livre = ho != 0;
        for (const auto& outra : b.Estacoes) livre = livre && outra.Ho != ho;
        if (livre) {
          escolhida = i;
          break;
        }
      }
    if (escolhida < 0)
      throw ETorveda(QStringLiteral("A grade é pequena demais para as estações do %1.")
                         .arg(b.Rios[e.Rio].Nome));
    TEstacaoFlu s;
    s.Codigo = e.Codigo;
    s.Nome = QString::fromUtf8(e.Nome);
    s.Celula = cel[escolhida];
    s.Rio = e.Rio;
    s.Ho = b.Mapeada[s.Celula];
    s.AreaKm2 = b.Fluxo[s.Celula] * Convencao::AreaCelulaKm2;
    b.Estacoes.push_back(s);
  }
  for (auto& t : b.Trechos)
    for (const auto& s : b.Estacoes)
      if (s.Ho == t.Ho) t.EstFlu = s.Codigo;
}

void MontaMunicipios(TBacia& b, TAleatorio& rnd) {
  b.Municipios.clear();
  for (const auto& m : MunicipiosProjeto())
    b.Municipios.push_back({QString::fromUtf8(m.Nome), QString::fromLatin1(m.Uf),
                            m.Sede.U + rnd.Real(-0.02, 0.02), m.Sede.V + rnd.Real(-0.02, 0.02)});
  b.FatorMun = std::max(1, (std::max(b.NC, b.NR) + 399) / 400);
  b.NCMun = (b.NC + b.FatorMun - 1) / b.FatorMun;
  b.NRMun = (b.NR + b.FatorMun - 1) / b.FatorMun;
  b.Municipio.assign(static_cast<std::size_t>(b.NCMun) * b.NRMun, 0);
  for (int l = 0; l < b.NRMun; ++l)
    for (int c = 0; c < b.NCMun; ++c) {
      double u = (c + 0.5) * b.FatorMun / b.NC, v = 1.0 - (l + 0.5) * b.FatorMun / b.NR;
      // Borders wander a little, as municipal borders do.
      u += 0.05 * (Ruido(b.Semente + 7, u * 40, v * 40, 4) - 0.5);
      v += 0.05 * (Ruido(b.Semente + 11, u * 40, v * 40, 4) - 0.5);
      double melhor = 1e30;
      std::uint8_t escolhido = 0;
      for (std::size_t k = 0; k < b.Municipios.size(); ++k) {
        const double du = u - b.Municipios[k].U, dv = v - b.Municipios[k].V;
        const double d = du * du + dv * dv;
        if (d < melhor) {
          melhor = d;
          escolhido = static_cast<std::uint8_t>(k);
        }
      }
      b.Municipio[static_cast<std::size_t>(l) * b.NCMun + c] = escolhido;
    }
}

}  // namespace bacia_interno

TBacia GeraBacia(const TParametrosBacia& p) {
  if (p.Colunas < 150 || p.Linhas < 150 || p.Colunas > 10000 || p.Linhas > 10000)
    throw ETorveda(
        QStringLiteral(
            "A bacia de exemplo precisa de 150 a 10000 colunas e linhas (pedidas: %1 × %2).")
            .arg(p.Colunas)
            .arg(p.Linhas));
  TBacia b;
  b.NC = p.Colunas;
  b.NR = p.Linhas;
  b.Semente = p.Semente;
  // Centred on the basin's region of EPSG:22523; at 5000 × 5000 it spans X 240 000 to 490 000
  // and Y 8 040 000 to 8 290 000.
  b.Xll = 365000.0 - std::floor(b.NC / 2.0) * b.Tam;
  b.Yll = 8165000.0 - std::floor(b.NR / 2.0) * b.Tam;
  for (const auto& d : Convencao::DirecoesD8) b.Desloc[d.Codigo] = d.DLinha * b.NC + d.DColuna;
  TAleatorio rnd(p.Semente);
  std::size_t posJuncao = 0;
  bacia_interno::DesenhaRios(b, rnd, posJuncao);
  bacia_interno::Escoa(b);
  bacia_interno::MontaRede(b);
  bacia_interno::MontaUnidades(b, posJuncao);
  bacia_interno::MontaEstacoes(b, posJuncao);
  bacia_interno::MontaMunicipios(b, rnd);
  return b;
}
