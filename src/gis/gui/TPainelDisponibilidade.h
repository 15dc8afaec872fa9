#pragma once
// The controls of the theme "Disponibilidade da bacia" in the location window: the period and
// the criterion of the balance, the month shown (a slider over the period) and the legend of the
// classes. The balance of a period and criterion is computed once and kept; moving the slider only
// recolours the arcs. The arcs are drawn on the maps' tracking layer, above every layer.

#include <QGroupBox>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

#include "gis/gui/TTemaDisponibilidade.h"
#include "grants/BalancoRede.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class TMap;
class TApresentador;
struct TBacia;

class TPainelDisponibilidade : public QGroupBox {
  Q_OBJECT
 public:
  // `bacia` gives the program's basin objects when they loaded, nullptr otherwise.
  TPainelDisponibilidade(std::function<const TBacia*()> bacia, TApresentador& apresentador,
                         QWidget* pai = nullptr);
  ~TPainelDisponibilidade() override;

  // As wide as the themes above it (never narrower than its controls); the legend wraps to it.
  void AjustaLargura(int largura);

  // Draws the theme on a map while it is shown.
  void AdicionaMapa(TMap* mapa);
  // The theme box: shows or hides the arcs' colours (the panel itself too).
  void SetVisivel(bool visivel);
  bool Visivel() const { return Visivel_; }

  // "Calcular": the balance of the period and criterion in the boxes (kept for the next time).
  void btnCalcularClick();
  // The arc under a pixel of the map: its balance table opened. False when there is none.
  bool AbreTrecho(TMap* mapa, const QPointF& pixel);
  // Whether an arc of the theme lies under a pixel of the map.
  bool TrechoNoPixel(TMap* mapa, const QPointF& pixel) const;

  const TTemaDisponibilidade& Tema() const { return Tema_; }

  QDateEdit* dtpInicio = nullptr;
  QDateEdit* dtpFim = nullptr;
  QLineEdit* edtPercentual = nullptr;
  QComboBox* cbReferencia = nullptr;
  QComboBox* cbMetodo = nullptr;
  QPushButton* btnCalcular = nullptr;
  QSlider* sldMes = nullptr;
  QLabel* lblMes = nullptr;
  QLabel* lblLegenda = nullptr;

 signals:
  // A balance table was opened (tests and scripts find it by its object name).
  void TrechoAberto(QWidget* tabela);

 private:
  void MontaTela();
  void MostraBalanco(std::shared_ptr<const TBalanco> balanco);
  void MostraMes(int indice);
  void Redesenha();
  // The map's projection of metres to pixels.
  static QTransform VistaDoMapa(const TMap& mapa);

  std::function<const TBacia*()> BaciaDoPrograma_;
  TApresentador& Apresentador_;
  std::vector<QPointer<TMap>> Mapas_;
  bool Visivel_ = false;
  bool LinhasLidas_ = false;
  int LarguraMinima_ = 0;
  TTemaDisponibilidade Tema_;
  TRedeBalancoGuardada Rede_;
  using TChave = std::tuple<QDate, QDate, QString, QString, QString, quint64>;
  std::map<TChave, std::shared_ptr<const TBalanco>> Balancos_;
};
