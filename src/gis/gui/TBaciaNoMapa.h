#pragma once
// The outline of the current section's contributing basin on the location window's maps. It
// follows the "Ponto" layer, which shows the section: when the section is placed or replaced the
// basin of its cell is delineated again, when the layer is emptied the outline goes. It is drawn
// above every layer (outline only: a magenta line on a white halo, readable over any fill, line
// or point colour) while its theme box is ticked, and can be written to a file.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gis/TGeometria.h"
#include "hydro/TBaciaContribuicao.h"

class QPainter;
class TApresentador;
class TCamada;
class TMap;
struct TBacia;

class TBaciaNoMapa : public QObject {
  Q_OBJECT

 public:
  // `bacia` gives the program's basin objects when they loaded, nullptr otherwise; the export's
  // dialog and messages go to `apresentador`.
  TBaciaNoMapa(TCamada* camadaPonto, std::function<const TBacia*()> bacia,
               TApresentador& apresentador, QObject* pai = nullptr);
  ~TBaciaNoMapa() override;

  // Draws the outline on a map, after its top layer.
  void AdicionaMapa(TMap* mapa);
  void SetVisivel(bool visivel);
  bool Visivel() const { return Visivel_; }

  // The basin of the section the layer shows (empty when there is none).
  const TBaciaContribuicao& Bacia() const { return Bacia_; }
  const std::vector<TPoligonoBacia>& Contorno() const { return Contorno_; }

  // Asks for a file (GeoPackage or shapefile) and writes the outline with the section's
  // identification and drainage area; messages go through the presenter.
  void Exporta();

  // Reads the layer again (its changes arrive by themselves).
  void Atualiza();

 private:
  void Desenha(TMap& mapa, QPainter& p) const;
  void Redesenha();

  QPointer<TCamada> CamadaPonto_;
  std::function<const TBacia*()> BaciaDoPrograma_;
  TApresentador& Apresentador_;
  std::vector<QPointer<TMap>> Mapas_;
  bool Visivel_ = true;
  quint64 Versao_ = ~quint64{0};
  std::optional<TPontoMapa> Ponto_;
  TBaciaContribuicao Bacia_;
  std::vector<TPoligonoBacia> Contorno_;
};
