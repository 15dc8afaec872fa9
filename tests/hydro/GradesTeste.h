#pragma once
// Small drainage grids built in memory for the network tests, with the geometry of a header:
// columns and rows from 0 at the top-left cell, cells of 50 m from a corner in the basin's
// projected system.

#include <initializer_list>
#include <memory>
#include <vector>

#include "hydro/TMalha.h"
#include "hydro/TRede.h"
#include "hydro/TTabelaArcos.h"
#include "raster/TImagem.h"

class TGradesTeste {
 public:
  static constexpr double Xll = 269000.0;
  static constexpr double Yll = 8286000.0;
  static constexpr double Lado = 50.0;

  TGradesTeste(int nCols, int nRows)
      : Malha(nCols, nRows, Xll, Yll, Lado), NCols_(nCols), NRows_(nRows) {
    for (TImagem* g : {&Mapeada, &SemEsp, &DirEsc, &FluxoAc}) {
      g->DefineTipo(QChar('R'));
      g->DefineDimensoes(static_cast<quint16>(nCols), static_cast<quint16>(nRows));
      g->DefineExtensao(Xll, Xll + nCols * Lado, Yll, Yll + nRows * Lado);
      g->DefineSemDados(-9999);
    }
    for (int i = 0; i < nCols * nRows; ++i) {
      Mapeada.GravaReal(i, -9999.0f);
      SemEsp.GravaReal(i, -9999.0f);
      FluxoAc.GravaReal(i, -9999.0f);
    }
  }

  std::int64_t Celula(int coluna, int linha) const { return std::int64_t{linha} * NCols_ + coluna; }
  // The centre of a cell as a map point.
  TPontoMapa Centro(int coluna, int linha) const {
    return {Xll + (coluna + 0.5) * Lado, Yll + (NRows_ - linha - 0.5) * Lado};
  }
  void Define(TImagem& g, int coluna, int linha, double v) {
    g.GravaReal(static_cast<std::int32_t>(Celula(coluna, linha)), static_cast<float>(v));
  }
  // A stretch of river: each cell labelled `rotulo` on the network (and `arco` on the mapped
  // drainage when not 0), draining into the next with the given codes; the last keeps `ultimo`.
  struct TPasso {
    int Coluna;
    int Linha;
    int Direcao;
  };
  void Rio(std::initializer_list<TPasso> passos, int rotulo, int arco = 0, double fluxo = 0) {
    for (const auto& p : passos) {
      Define(SemEsp, p.Coluna, p.Linha, rotulo);
      Define(DirEsc, p.Coluna, p.Linha, p.Direcao);
      if (arco != 0) Define(Mapeada, p.Coluna, p.Linha, arco);
      if (fluxo != 0) Define(FluxoAc, p.Coluna, p.Linha, fluxo);
    }
  }

  TRede Rede(const TTabelaArcos& arcos) const {
    return TRede(Malha, Mapeada, SemEsp, DirEsc, FluxoAc, arcos);
  }

  TMalha Malha;
  TImagem Mapeada;
  TImagem SemEsp;
  TImagem DirEsc;
  TImagem FluxoAc;

 private:
  int NCols_;
  int NRows_;
};

// An arc of a hand-made table: identifier, from-node, to-node, station.
inline TArco Arco(std::int32_t ho, std::int32_t fnode, std::int32_t tnode, const char* estacao = "",
                  std::int32_t eqConserv = 0) {
  TArco a;
  a.Ho = ho;
  a.Fnode = fnode;
  a.Tnode = tnode;
  a.EstFlu = QString::fromUtf8(estacao);
  a.EqConserv = eqConserv;
  return a;
}
