#pragma once
// The basin of a loaded data tree: its grids, layers and data module gathered for the section's
// operations. Header-only so that the hydrology library does not depend on the start-up code;
// its users (the location window, the CLI) link both.

#include <QStringList>

#include "base/Erro.h"
#include "data/TdmS.h"
#include "gis/TCamada.h"
#include "hydro/TBacia.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"
#include "sistema/TSistema.h"

// The layers the section's operations read, in the order they are checked.
inline QStringList CamadasDaBacia() {
  return {QStringLiteral("Limite"),
          QStringLiteral("Hidrografia"),
          QStringLiteral("Estados"),
          QStringLiteral("Municipios"),
          QStringLiteral("Reg_Met_Tradicional"),
          QStringLiteral("Ad_Regioes"),
          QStringLiteral("Ponto"),
          QStringLiteral("Out_Sup_Signif_AQEM"),
          QStringLiteral("Out_Sup_Insignif_AQEM"),
          QStringLiteral("Out_Sup_ANA")};
}

// Throws ETorveda naming what is missing when the start-up did not load everything the section
// needs.
inline TBacia BaciaDoSistema(const TSistema& s) {
  QStringList faltam;
  auto camada = [&](const char* nome) -> TCamada* {
    TCamada* c = s.Camada(QString::fromLatin1(nome));
    if (!c || !c->Valida()) faltam << QString::fromLatin1(nome);
    return c;
  };
  TCamada* limite = camada("Limite");
  TCamada* hidrografia = camada("Hidrografia");
  TCamada* estados = camada("Estados");
  TCamada* municipios = camada("Municipios");
  TCamada* regioes = camada("Reg_Met_Tradicional");
  TCamada* adRegioes = camada("Ad_Regioes");
  TCamada* ponto = camada("Ponto");
  TCamada* signif = camada("Out_Sup_Signif_AQEM");
  TCamada* insignif = camada("Out_Sup_Insignif_AQEM");
  TCamada* ana = camada("Out_Sup_ANA");
  if (!s.HeaderMDE) faltam << QStringLiteral("Header.hdr");
  if (!s.ImgHidroMapeada || !s.ImgHidroSemEsp || !s.ImgDirEsc || !s.ImgFluxoAc)
    faltam << QStringLiteral("Matrizes");
  if (!s.dmS) faltam << QStringLiteral("dmS");
  if (!faltam.isEmpty())
    throw ETorveda(QStringLiteral("Os dados da bacia não foram carregados: ") +
                   faltam.join(QStringLiteral(", ")) + QLatin1Char('.'));
  return TBacia{*s.HeaderMDE, *s.ImgHidroMapeada, *s.ImgHidroSemEsp,
                *s.ImgDirEsc, *s.ImgFluxoAc,      *limite,
                *hidrografia, *estados,           *municipios,
                *regioes,     *adRegioes,         *ponto,
                *signif,      *insignif,          *ana,
                *s.dmS};
}
