#pragma once
// The program-wide objects that the section's placement and computations work on, handed in
// explicitly: the windowed program and the CLI build one from the system's objects, the tests
// from small fixtures of their own.

#include <memory>
#include <mutex>

#include "hydro/TRede.h"
#include "hydro/TTabelaArcos.h"

class THeaderMDE;
class TImagem;
class TCamada;
class TdmS;

// The arc table of a hydrography layer, read once and read again only after the layer's
// records change (its version grows). Safe to ask from several threads.
class TCacheArcos {
 public:
  std::shared_ptr<const TTabelaArcos> Tabela(const TCamada& hidrografia);

 private:
  std::mutex Guarda_;
  const TCamada* Camada_ = nullptr;
  quint64 Versao_ = 0;
  std::shared_ptr<const TTabelaArcos> Tabela_;
};

// Reads every record of a hydrography layer, in record order. Throws ETorveda (naming the
// field) when the layer lacks one of "Ho_", "Fnode_", "Tnode_", "Eq_Conserv", "EstFlu",
// "Textuserid".
TTabelaArcos LeTabelaArcos(const TCamada& hidrografia);

struct TBacia {
  const THeaderMDE& HeaderMDE;
  const TImagem& ImgHidroMapeada;
  const TImagem& ImgHidroSemEsp;
  const TImagem& ImgDirEsc;
  const TImagem& ImgFluxoAc;
  TCamada& Limite;
  TCamada& Hidrografia;
  TCamada& Estados;
  TCamada& Municipios;
  TCamada& RegMetTradicional;
  TCamada& AdRegioes;
  TCamada& CamadaPonto;  // the layer "Ponto", which shows the placed section
  TCamada& OutSupSignifAqem;
  TCamada& OutSupInsignifAqem;
  TCamada& OutSupAna;
  TdmS& dmS;
  // Shared by the copies of one basin.
  std::shared_ptr<TCacheArcos> CacheArcos = std::make_shared<TCacheArcos>();

  // The network over the grids and the current arc table.
  TRede Rede() const;
};
