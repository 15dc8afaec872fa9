// The outline of a contributing basin, traced along the cell edges.
//
// Corners of the grid are (i, j), i = 0 .. NCols from the west edge and j = 0 .. NRows from the
// north edge. Every ring is walked with the basin on its right-hand side (on the grid, which
// points south): outer rings then turn clockwise on the grid and holes counterclockwise. At a
// corner where the basin touches itself only diagonally the walk turns right, so that the two
// cells go to different rings; a ring that still comes back to such a corner (it went round land
// that reaches the corner from outside) is cut there into two rings, an outer ring and a hole
// touching it at that one point.

#include <algorithm>
#include <array>
#include <unordered_map>

#include "hydro/TBaciaContribuicao.h"

namespace {

// Moves along the edges: east, south, west, north. A right turn is the next one.
enum TSentido { Leste = 0, Sul = 1, Oeste = 2, Norte = 3 };
constexpr std::array<int, 4> Di = {+1, 0, -1, 0};
constexpr std::array<int, 4> Dj = {0, +1, 0, -1};

// The four cells around corner (i, j), as bits of a configuration:
//   A (i-1, j-1) = 1   B (i, j-1) = 2
//   C (i-1, j)   = 4   D (i, j)   = 8
constexpr int A = 1, B = 2, C = 4, D = 8;

// Whether the edge leaving a corner in a direction has the basin on its right.
constexpr bool Borda(int sentido, int cfg) {
  switch (sentido) {
    case Leste:
      return (cfg & D) && !(cfg & B);
    case Sul:
      return (cfg & C) && !(cfg & D);
    case Oeste:
      return (cfg & A) && !(cfg & C);
    default:
      return (cfg & B) && !(cfg & A);
  }
}

// The way on from a corner reached in a direction: right first, then straight on, then left.
constexpr std::array<std::array<signed char, 16>, 4> Proximo = [] {
  std::array<std::array<signed char, 16>, 4> t{};
  for (int s = 0; s < 4; ++s)
    for (int cfg = 0; cfg < 16; ++cfg) {
      t[s][cfg] = -1;
      for (int e : {(s + 1) & 3, s, (s + 3) & 3})
        if (Borda(e, cfg)) {
          t[s][cfg] = static_cast<signed char>(e);
          break;
        }
    }
  return t;
}();

constexpr bool Diagonal(int cfg) { return cfg == (A | D) || cfg == (B | C); }

struct TVertice {
  int I;
  int J;
};
using TAnelGrade = std::vector<TVertice>;

// Twice the signed area on the grid: positive for an outer ring.
std::int64_t AreaDupla(const TAnelGrade& anel) {
  std::int64_t s = 0;
  for (std::size_t k = 0; k < anel.size(); ++k) {
    const TVertice& a = anel[k];
    const TVertice& b = anel[(k + 1) % anel.size()];
    s += std::int64_t{a.I} * b.J - std::int64_t{b.I} * a.J;
  }
  return s;
}

// Point in ring by the crossing rule; the point is a cell centre, never on an edge.
bool Dentro(const TAnelGrade& anel, double x, double y) {
  bool dentro = false;
  for (std::size_t k = 0, m = anel.size() - 1; k < anel.size(); m = k++) {
    const TVertice& a = anel[k];
    const TVertice& b = anel[m];
    if ((a.J > y) != (b.J > y) && x < a.I + (y - a.J) * (b.I - a.I) / double(b.J - a.J))
      dentro = !dentro;
  }
  return dentro;
}

}  // namespace

class TTracadoContorno {
 public:
  explicit TTracadoContorno(const TBaciaContribuicao& b)
      : B_(b),
        NC_(b.Malha_.NCols()),
        NR_(b.Malha_.NRows()),
        I0_(b.ColMin_),
        BitsLinha_((static_cast<std::size_t>(b.ColMax_ - b.ColMin_ + 2) / 64 + 1) * 64),
        Tracadas_(BitsLinha_ / 64 * static_cast<std::size_t>(b.LinMax_ - b.LinMin_ + 1), 0) {}

  std::vector<TPoligonoBacia> Traca() {
    const std::size_t palavrasLinha = B_.BitsPorLinha_ / 64;
    for (int l = B_.LinMin_; l <= B_.LinMax_; ++l) {
      const std::uint64_t* linha = B_.Bits_.data() + static_cast<std::size_t>(l) * palavrasLinha;
      // A vertical edge i of the row separates cells i - 1 and i: a change of bit between them.
      // The bit after the last column is clear, so the east edge of the grid is seen too.
      const int q0 = B_.ColMin_ / 64;
      const int q1 = (B_.ColMax_ + 1) / 64;
      for (int q = q0; q <= q1; ++q) {
        const std::uint64_t x = linha[q];
        const std::uint64_t anterior = q > 0 ? linha[q - 1] >> 63 : 0;
        std::uint64_t mudancas = x ^ ((x << 1) | anterior);
        while (mudancas) {
          const int i = q * 64 + std::countr_zero(mudancas);
          mudancas &= mudancas - 1;
          if (Tracada(i, l)) continue;
          // Basin on the west side: walk south; on the east side: walk north.
          if (Na(i - 1, l))
            Anel(i, l, Sul);
          else
            Anel(i, l + 1, Norte);
        }
      }
    }
    return Organiza();
  }

 private:
  bool Na(int c, int l) const { return c >= 0 && l >= 0 && c < NC_ && l < NR_ && B_.Marcada(c, l); }
  int Configuracao(int i, int j) const {
    return (Na(i - 1, j - 1) ? A : 0) | (Na(i, j - 1) ? B : 0) | (Na(i - 1, j) ? C : 0) |
           (Na(i, j) ? D : 0);
  }
  std::size_t BitTracada(int i, int l) const {
    return static_cast<std::size_t>(l - B_.LinMin_) * BitsLinha_ +
           static_cast<std::size_t>(i - I0_);
  }
  bool Tracada(int i, int l) const {
    const std::size_t b = BitTracada(i, l);
    return (Tracadas_[b >> 6] >> (b & 63)) & 1;
  }
  void MarcaTracada(int i, int l) {
    const std::size_t b = BitTracada(i, l);
    Tracadas_[b >> 6] |= std::uint64_t{1} << (b & 63);
  }

  // Walks one ring from corner (i0, j0) leaving in direction s0, cutting it at the diagonal
  // corners it passes twice.
  void Anel(int i0, int j0, int s0) {
    Vertices_.clear();
    Diagonais_.clear();
    Vertices_.push_back({i0, j0});
    const auto chave = [this](int i, int j) {
      return std::int64_t{j} * (std::int64_t{NC_} + 1) + i;
    };
    if (Diagonal(Configuracao(i0, j0))) Diagonais_.emplace(chave(i0, j0), 0);
    int i = i0, j = j0, s = s0;
    for (;;) {
      if (s == Sul) MarcaTracada(i, j);
      if (s == Norte) MarcaTracada(i, j - 1);
      i += Di[s];
      j += Dj[s];
      const int cfg = Configuracao(i, j);
      const int e = Proximo[s][cfg];
      if (i == i0 && j == j0 && e == s0) break;
      if (e != s) {
        if (Diagonal(cfg)) {
          const auto [it, nova] = Diagonais_.emplace(chave(i, j), Vertices_.size());
          if (!nova) {
            const std::size_t p = it->second;
            Guarda(TAnelGrade(Vertices_.begin() + static_cast<std::ptrdiff_t>(p), Vertices_.end()));
            Vertices_.resize(p + 1);
            std::erase_if(Diagonais_, [p](const auto& d) { return d.second > p; });
          } else {
            Vertices_.push_back({i, j});
          }
        } else {
          Vertices_.push_back({i, j});
        }
      }
      s = e;
    }
    Guarda(std::move(Vertices_));
    Vertices_ = {};
  }

  // Keeps a ring without a first vertex in the middle of a straight edge.
  void Guarda(TAnelGrade anel) {
    if (anel.size() > 4) {
      const TVertice& a = anel.back();
      const TVertice& b = anel[0];
      const TVertice& c = anel[1];
      if ((a.I == b.I && b.I == c.I) || (a.J == b.J && b.J == c.J)) anel.erase(anel.begin());
    }
    if (anel.size() >= 4) Aneis_.push_back(std::move(anel));
  }

  TAnel NoMapa(const TAnelGrade& anel) const {
    const TMalha& m = B_.Malha_;
    const double t = m.CellSize();
    TAnel r;
    r.reserve(anel.size() + 1);
    auto ponto = [&](const TVertice& v) {
      return TPontoMapa{m.XllCorner() + v.I * t, m.YllCorner() + (NR_ - v.J) * t};
    };
    for (auto v = anel.rbegin(); v != anel.rend(); ++v) r.push_back(ponto(*v));
    r.push_back(r.front());
    return r;
  }

  // Outer rings and holes into polygons. In map units the rows run north, which mirrors the
  // rings; each is written backwards so that outer rings turn counterclockwise and holes
  // clockwise there.
  std::vector<TPoligonoBacia> Organiza() {
    struct TExterno {
      std::size_t Anel;
      std::int64_t Area;
      int IMin, IMax, JMin, JMax;
    };
    std::vector<TExterno> externos;
    std::vector<std::size_t> buracos;
    for (std::size_t k = 0; k < Aneis_.size(); ++k) {
      const std::int64_t a = AreaDupla(Aneis_[k]);
      if (a > 0) {
        TExterno e{k, a, NC_, 0, NR_, 0};
        for (const TVertice& v : Aneis_[k]) {
          e.IMin = std::min(e.IMin, v.I);
          e.IMax = std::max(e.IMax, v.I);
          e.JMin = std::min(e.JMin, v.J);
          e.JMax = std::max(e.JMax, v.J);
        }
        externos.push_back(e);
      } else {
        buracos.push_back(k);
      }
    }
    std::vector<TPoligonoBacia> poligonos;
    poligonos.reserve(externos.size());
    for (const TExterno& e : externos) poligonos.push_back({NoMapa(Aneis_[e.Anel])});
    for (std::size_t h : buracos) {
      std::size_t dono = 0;
      if (externos.size() > 1) {
        // The centre of the basin cell on the right of the hole's first edge lies in its polygon
        // and, of the outer rings around it, that polygon's is the smallest.
        const TAnelGrade& anel = Aneis_[h];
        const TVertice a = anel[0], b = anel[1];
        int c = a.I, l = a.J;
        if (b.I > a.I) {
        } else if (b.J > a.J) {
          c -= 1;
        } else if (b.I < a.I) {
          c -= 1;
          l -= 1;
        } else {
          l -= 1;
        }
        const double x = c + 0.5, y = l + 0.5;
        std::int64_t menor = -1;
        for (std::size_t k = 0; k < externos.size(); ++k) {
          const TExterno& e = externos[k];
          if (x < e.IMin || x > e.IMax || y < e.JMin || y > e.JMax) continue;
          if ((menor < 0 || e.Area < menor) && Dentro(Aneis_[e.Anel], x, y)) {
            menor = e.Area;
            dono = k;
          }
        }
      }
      poligonos[dono].push_back(NoMapa(Aneis_[h]));
    }
    return poligonos;
  }

  const TBaciaContribuicao& B_;
  int NC_, NR_;
  int I0_;
  std::size_t BitsLinha_;
  std::vector<std::uint64_t> Tracadas_;  // vertical edges already walked, over the basin's rows
  TAnelGrade Vertices_;
  std::unordered_map<std::int64_t, std::size_t> Diagonais_;
  std::vector<TAnelGrade> Aneis_;
};

std::vector<TPoligonoBacia> TBaciaContribuicao::Contorno() const {
  if (Vazia()) return {};
  return TTracadoContorno(*this).Traca();
}
