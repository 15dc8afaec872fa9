// The basin's terrain and flow. Rivers are drawn from the design and burned into the terrain; the
// rest of the terrain is the distance to the nearest river plus a few octaves of value noise, so
// that side valleys form between the drawn rivers. A priority flood from the river cells fills
// every depression and gives each cell the direction toward the cell that reached it, so every
// cell drains, through the rivers, to the one outlet; nothing is left in a pit or a loop.

#include "amostra/Bacia.h"

#include <algorithm>
#include <cmath>

#include "amostra/Aleatorio.h"
#include "amostra/BaciaInterno.h"
#include "amostra/Projeto.h"
#include "base/Convencoes.h"
#include "base/Erro.h"

std::int64_t TBacia::Jusante(std::int64_t c) const {
  const Convencao::TDirecaoD8* d = Convencao::DirecaoD8(Dir[c]);
  if (!d) return -1;
  const int col = Coluna(c) + d->DColuna;
  const int lin = Linha(c) + d->DLinha;
  return NaGrade(col, lin) ? Indice(col, lin) : -1;
}

std::int64_t TBacia::CelulaDe(double x, double y) const {
  const double fc = std::floor((x - Xll) / Tam);
  const double fl = std::floor((Yll + NR * Tam - y) / Tam);
  if (fc < 0 || fl < 0 || fc >= NC || fl >= NR) return -1;
  return Indice(static_cast<int>(fc), static_cast<int>(fl));
}

int TBacia::MunicipioDe(double x, double y) const {
  const double fc = std::floor((x - Xll) / (Tam * FatorMun));
  const double fl = std::floor((Yll + NR * Tam - y) / (Tam * FatorMun));
  if (fc < 0 || fl < 0 || fc >= NCMun || fl >= NRMun) return -1;
  return Municipio[static_cast<std::size_t>(fl) * NCMun + static_cast<std::size_t>(fc)];
}

const TTrecho* TBacia::TrechoPorHo(std::int32_t ho) const {
  for (const auto& t : Trechos)
    if (t.Ho == ho) return &t;
  return nullptr;
}

namespace bacia_interno {

int CodigoPara(int dc, int dl) {
  for (const auto& d : Convencao::DirecoesD8)
    if (d.DColuna == dc && d.DLinha == dl) return d.Codigo;
  return 0;
}

namespace {

struct TPontoCel {
  double C, L;  // continuous column and row
};

// Midpoint displacement: a river reach between two fixed points gets gentle bends.
void Curva(const TPontoCel& a, const TPontoCel& b, int nivel, TAleatorio& rnd,
           std::vector<TPontoCel>& saida) {
  if (nivel == 0) {
    saida.push_back(b);
    return;
  }
  const double dc = b.C - a.C, dl = b.L - a.L;
  const double desvio = rnd.Real(-0.14, 0.14);
  const TPontoCel m{(a.C + b.C) / 2 - dl * desvio, (a.L + b.L) / 2 + dc * desvio};
  Curva(a, m, nivel - 1, rnd, saida);
  Curva(m, b, nivel - 1, rnd, saida);
}

// The cells of a straight line, 8-connected (Bresenham), from a to b, both included.
void Linha(int c0, int l0, int c1, int l1, std::vector<std::int32_t>& saida, const TBacia& b) {
  const int dc = std::abs(c1 - c0), dl = -std::abs(l1 - l0);
  const int sc = c0 < c1 ? 1 : -1, sl = l0 < l1 ? 1 : -1;
  int erro = dc + dl;
  for (;;) {
    const std::int32_t i = b.Indice(c0, l0);
    if (saida.empty() || saida.back() != i) saida.push_back(i);
    if (c0 == c1 && l0 == l1) break;
    const int e2 = 2 * erro;
    if (e2 >= dl) {
      erro += dl;
      c0 += sc;
    }
    if (e2 <= dc) {
      erro += dc;
      l0 += sl;
    }
  }
}

// Removes the loops of a path that crosses itself, keeping it 8-connected.
void ApagaLacos(std::vector<std::int32_t>& caminho) {
  std::vector<std::int32_t> limpo;
  for (std::int32_t c : caminho) {
    auto it = std::find(limpo.begin(), limpo.end(), c);
    if (it != limpo.end())
      limpo.erase(it + 1, limpo.end());
    else
      limpo.push_back(c);
  }
  caminho.swap(limpo);
}

// Index along a parent's cells of a junction fraction (see TRioProjeto::Fracao).
std::size_t PosicaoNoRio(const TBacia& b, int rio, double fracao, std::size_t posJuncao) {
  const auto& cel = b.Rios[rio].Celulas;
  double pos;
  if (rio == 0 && fracao < 1.0)
    pos = fracao * static_cast<double>(posJuncao);
  else if (rio == 0)
    pos = posJuncao + (fracao - 1.0) * static_cast<double>(cel.size() - 1 - posJuncao);
  else
    pos = fracao * static_cast<double>(cel.size() - 1);
  return std::min(cel.size() - 1, static_cast<std::size_t>(std::max(0.0, std::round(pos))));
}

}  // namespace

std::size_t PosicaoFracao(const TBacia& b, int rio, double fracao, std::size_t posJuncao) {
  return PosicaoNoRio(b, rio, fracao, posJuncao);
}

void DesenhaRios(TBacia& b, TAleatorio& rnd, std::size_t& posJuncao) {
  const auto& projeto = RiosProjeto();
  const int n = b.NC, m = b.NR;
  double harm[4];
  for (double& h : harm) h = rnd.Real(0, 2 * M_PI);
  b.Dentro.assign(b.Celulas(), 0);
  for (int l = 0; l < m; ++l)
    for (int c = 0; c < n; ++c) {
      const double u = (c + 0.5) / n, v = 1.0 - (l + 0.5) / m;
      // The outline's harmonics move it by at most 3.2 %; only that band needs the angle.
      const double du = (u - 0.5) / 0.46, dv = (v - 0.5) / 0.44, r2 = du * du + dv * dv;
      b.Dentro[b.Indice(c, l)] =
          r2 < 0.93 ? 1 : (r2 > 1.07 ? 0 : (DentroDoContorno(u, v, harm) ? 1 : 0));
    }

  b.Dir.assign(b.Celulas(), 0);
  b.RioCelula.assign(b.Celulas(), -1);
  const int aproximacao = std::max(3, n / 80);
  auto celulaUV = [&](const TPontoUV& p) {
    return TPontoCel{std::clamp(p.U * n, 1.0, n - 1.5), std::clamp((1.0 - p.V) * m, 1.0, m - 1.5)};
  };

  posJuncao = 0;
  for (std::size_t r = 0; r < projeto.size(); ++r) {
    const TRioProjeto& pr = projeto[r];
    TRio rio;
    rio.Nome = QString::fromUtf8(pr.Nome);
    rio.Pai = pr.Pai;
    rio.EqConserv = pr.EqConserv;
    rio.Principal = pr.Principal;

    // The polyline in cell coordinates, bent between its points; the reaches next to the
    // junction J stay straight.
    std::vector<TPontoCel> pontos{celulaUV(pr.Pontos.front())};
    for (std::size_t i = 1; i < pr.Pontos.size(); ++i) {
      const TPontoCel a = pontos.back(), p = celulaUV(pr.Pontos[i]);
      const bool reto = r == 0 && (i == static_cast<std::size_t>(VerticeJuncao) ||
                                   i == static_cast<std::size_t>(VerticeJuncao) + 1);
      Curva(a, p, reto ? 0 : 4, rnd, pontos);
    }
    std::int32_t alvo = -1;
    if (pr.Pai >= 0) {
      const auto& pai = b.Rios[pr.Pai].Celulas;
      alvo = pr.Fracao < 0 ? b.Rios[0].Celulas[posJuncao]
                           : pai[PosicaoNoRio(b, pr.Pai, pr.Fracao, posJuncao)];
      const TPontoCel pa{b.Coluna(alvo) + 0.5, b.Linha(alvo) + 0.5};
      if (pr.Chegada) {
        const auto* d = Convencao::DirecaoD8(pr.Chegada);
        const TPontoCel w{pa.C - d->DColuna * aproximacao, pa.L - d->DLinha * aproximacao};
        Curva(pontos.back(), w, 2, rnd, pontos);
        pontos.push_back(pa);
      } else {
        Curva(pontos.back(), pa, 2, rnd, pontos);
      }
    }

    // Bends may push a point out: every river cell stays one cell off the grid's border.
    for (auto& pt : pontos) {
      pt.C = std::clamp(pt.C, 1.0, n - 1.5);
      pt.L = std::clamp(pt.L, 1.0, m - 1.5);
    }
    std::vector<std::int32_t> caminho;
    for (std::size_t i = 0; i + 1 < pontos.size(); ++i)
      Linha(static_cast<int>(pontos[i].C), static_cast<int>(pontos[i].L),
            static_cast<int>(pontos[i + 1].C), static_cast<int>(pontos[i + 1].L), caminho, b);
    ApagaLacos(caminho);

    if (r == 0) {
      // The main stem leaves the basin where it first crosses the outline.
      const std::int32_t celulaJ = [&] {
        const TPontoCel pj = celulaUV(pr.Pontos[VerticeJuncao]);
        return b.Indice(static_cast<int>(pj.C), static_cast<int>(pj.L));
      }();
      std::size_t fim = 0;
      while (fim < caminho.size() && b.Dentro[caminho[fim]]) ++fim;
      if (fim == caminho.size() || fim < 2)
        throw ETorveda(QStringLiteral("Erro interno: o rio principal não sai da bacia."));
      auto itJ = std::find(caminho.begin(), caminho.begin() + fim, celulaJ);
      if (itJ == caminho.begin() + fim)
        throw ETorveda(QStringLiteral("Erro interno: a junção não está no rio principal."));
      posJuncao = static_cast<std::size_t>(itJ - caminho.begin());
      rio.Celulas.assign(caminho.begin(), caminho.begin() + fim);
      b.Exutorio = rio.Celulas.back();
      const std::int32_t fora = caminho[fim];
      b.Dir[b.Exutorio] = static_cast<std::uint8_t>(
          CodigoPara(b.Coluna(fora) - b.Coluna(b.Exutorio), b.Linha(fora) - b.Linha(b.Exutorio)));
      b.Juncao = celulaJ;
    } else {
      // A tributary ends at the first cell of another river it reaches, also when it would
      // slip diagonally between two cells of that river.
      for (std::size_t i = 0; i < caminho.size(); ++i) {
        const std::int32_t c = caminho[i];
        if (b.RioCelula[c] >= 0) {
          alvo = c;
          break;
        }
        if (i + 1 < caminho.size()) {
          const std::int32_t p = caminho[i + 1];
          const int dc = b.Coluna(p) - b.Coluna(c), dl = b.Linha(p) - b.Linha(c);
          if (dc != 0 && dl != 0 && b.RioCelula[p] < 0) {
            const std::int32_t q1 = b.Indice(b.Coluna(c) + dc, b.Linha(c));
            const std::int32_t q2 = b.Indice(b.Coluna(c), b.Linha(c) + dl);
            if (b.RioCelula[q1] >= 0 || b.RioCelula[q2] >= 0) {
              rio.Celulas.push_back(c);
              alvo = b.RioCelula[q1] >= 0 ? q1 : q2;
              break;
            }
          }
        }
        rio.Celulas.push_back(c);
      }
      if (rio.Celulas.empty())
        throw ETorveda(
            QStringLiteral("A grade é pequena demais para desenhar o %1.").arg(rio.Nome));
      const std::int32_t ultimo = rio.Celulas.back();
      b.Dir[ultimo] = static_cast<std::uint8_t>(
          CodigoPara(b.Coluna(alvo) - b.Coluna(ultimo), b.Linha(alvo) - b.Linha(ultimo)));
      rio.Pai = b.RioCelula[alvo];
    }
    for (std::size_t i = 0; i < rio.Celulas.size(); ++i) {
      const std::int32_t c = rio.Celulas[i];
      b.RioCelula[c] = static_cast<std::int16_t>(r);
      b.Dentro[c] = 1;
      if (i + 1 < rio.Celulas.size()) {
        const std::int32_t p = rio.Celulas[i + 1];
        b.Dir[c] = static_cast<std::uint8_t>(
            CodigoPara(b.Coluna(p) - b.Coluna(c), b.Linha(p) - b.Linha(c)));
      }
    }
    b.Rios.push_back(std::move(rio));
  }
}

namespace {
double Suave(double t) { return t * t * (3 - 2 * t); }
}  // namespace

double Ruido(std::uint64_t semente, double x, double y, double passo) {
  const double fx = x / passo, fy = y / passo;
  const double ix = std::floor(fx), iy = std::floor(fy);
  const double tx = Suave(fx - ix), ty = Suave(fy - iy);
  const auto i = static_cast<std::int64_t>(ix), j = static_cast<std::int64_t>(iy);
  const double a = TAleatorio::Hash(semente, i, j), bb = TAleatorio::Hash(semente, i + 1, j);
  const double c = TAleatorio::Hash(semente, i, j + 1), d = TAleatorio::Hash(semente, i + 1, j + 1);
  return (a + (bb - a) * tx) + ((c + (d - c) * tx) - (a + (bb - a) * tx)) * ty;
}

void Escoa(TBacia& b) {
  const int n = b.NC, m = b.NR;
  const std::int64_t total = b.Celulas();

  // Distance to the nearest drawn river, in cells (two-pass chamfer).
  std::vector<float> z(total, 1e30f);
  for (std::int64_t c = 0; c < total; ++c)
    if (b.RioCelula[c] >= 0) z[c] = 0;
  const float diag = static_cast<float>(M_SQRT2);
  for (int l = 0; l < m; ++l)
    for (int c = 0; c < n; ++c) {
      float& v = z[b.Indice(c, l)];
      if (c > 0) v = std::min(v, z[b.Indice(c - 1, l)] + 1);
      if (l > 0) {
        v = std::min(v, z[b.Indice(c, l - 1)] + 1);
        if (c > 0) v = std::min(v, z[b.Indice(c - 1, l - 1)] + diag);
        if (c + 1 < n) v = std::min(v, z[b.Indice(c + 1, l - 1)] + diag);
      }
    }
  for (int l = m - 1; l >= 0; --l)
    for (int c = n - 1; c >= 0; --c) {
      float& v = z[b.Indice(c, l)];
      if (c + 1 < n) v = std::min(v, z[b.Indice(c + 1, l)] + 1);
      if (l + 1 < m) {
        v = std::min(v, z[b.Indice(c, l + 1)] + 1);
        if (c + 1 < n) v = std::min(v, z[b.Indice(c + 1, l + 1)] + diag);
        if (c > 0) v = std::min(v, z[b.Indice(c - 1, l + 1)] + diag);
      }
    }

  // Side valleys: value noise on five scales added to the distance. Its slopes are of the order
  // of the distance's own (one per cell), so the water that runs toward a river is turned aside
  // into hollows on every scale: creeks branch and bend instead of running straight down.
  const double escala = std::max(n, m);
  const double passos[5] = {std::max(4.0, escala / 12), std::max(3.0, escala / 36),
                            std::max(3.0, escala / 100), std::max(3.0, escala / 250),
                            std::max(2.0, escala / 600)};
  const double amplitudes[5] = {0.45, 0.70, 0.80, 0.70, 0.50};
  for (int l = 0; l < m; ++l)
    for (int c = 0; c < n; ++c) {
      const std::int32_t i = b.Indice(c, l);
      if (!b.Dentro[i] || b.RioCelula[i] >= 0) continue;
      double r = 0;
      for (int k = 0; k < 5; ++k)
        r += amplitudes[k] * passos[k] * Ruido(b.Semente + 101 * (k + 1), c, l, passos[k]);
      z[i] += static_cast<float>(r);
    }

  // Priority flood from the rivers: a cell is reached from its lowest reached neighbour and
  // drains into it; a pit is filled to the level of the cell that reaches it.
  // The levels are kept in buckets of an eighth of a cell, each worked first in, first out:
  // linear in the number of cells, and the same order on every machine.
  constexpr float porNivel = 8.0f;
  float maximo = 0;
  for (std::int64_t c = 0; c < total; ++c)
    if (b.Dentro[c]) maximo = std::max(maximo, z[c]);
  std::vector<std::vector<std::int32_t>> baldes(static_cast<std::size_t>(maximo * porNivel) + 2);
  std::vector<std::uint8_t> visto(total, 0);
  for (std::int64_t c = 0; c < total; ++c)
    if (b.RioCelula[c] >= 0) {
      visto[c] = 1;
      baldes[0].push_back(static_cast<std::int32_t>(c));
    }
  for (std::size_t k = 0; k < baldes.size(); ++k) {
    auto& balde = baldes[k];
    for (std::size_t i = 0; i < balde.size(); ++i) {
      const std::int32_t c = balde[i];
      // Basin cells keep off the grid's border (the outline stays within it and the rivers are
      // clamped inside), so their eight neighbours are cells of the grid.
      for (const auto& d : Convencao::DirecoesD8) {
        const std::int32_t v = c + b.Desloc[d.Codigo];
        if (visto[v] || !b.Dentro[v]) continue;
        visto[v] = 1;
        b.Dir[v] = static_cast<std::uint8_t>(d.Codigo < 16 ? d.Codigo << 4 : d.Codigo >> 4);
        baldes[std::max(k, static_cast<std::size_t>(z[v] * porNivel))].push_back(v);
      }
    }
    std::vector<std::int32_t>().swap(balde);
  }
  // A piece of the outline that no river reaches (a sliver cut off by the outline) is not part
  // of the basin.
  for (std::int64_t c = 0; c < total; ++c)
    if (b.Dentro[c] && !visto[c]) b.Dentro[c] = 0;

  // Flow accumulation in topological order: every cell before the cell it flows into.
  std::vector<std::uint8_t> entram(total, 0);
  std::int64_t naBacia = 0;
  for (std::int64_t c = 0; c < total; ++c) {
    if (!b.Dentro[c]) continue;
    ++naBacia;
    const std::int32_t j = b.Abaixo(static_cast<std::int32_t>(c));
    if (b.Dentro[j]) ++entram[j];
  }
  b.Fluxo.assign(total, -1);
  b.Ordem.clear();
  b.Ordem.reserve(naBacia);
  for (std::int64_t c = 0; c < total; ++c)
    if (b.Dentro[c]) {
      b.Fluxo[c] = 0;
      if (entram[c] == 0) b.Ordem.push_back(static_cast<std::int32_t>(c));
    }
  for (std::size_t k = 0; k < b.Ordem.size(); ++k) {
    const std::int32_t c = b.Ordem[k];
    const std::int32_t j = b.Abaixo(c);
    if (!b.Dentro[j]) continue;
    b.Fluxo[j] += b.Fluxo[c] + 1;
    if (--entram[j] == 0) b.Ordem.push_back(static_cast<std::int32_t>(j));
  }
  if (static_cast<std::int64_t>(b.Ordem.size()) != naBacia)
    throw ETorveda(QStringLiteral("Erro interno: a rede de drenagem da bacia tem um ciclo."));
  for (std::int64_t c = 0; c < total; ++c)
    if (!b.Dentro[c]) b.Dir[c] = 0;
}

}  // namespace bacia_interno
