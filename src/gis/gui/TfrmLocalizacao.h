#pragma once
// The location window: the basin map with its tools, the overview map with the locator
// rectangle, the choice between placing the section by a click or by typed coordinates, and the
// theme check boxes. It owns no map data: both maps show the layer objects of the program.

#include <QWidget>
#include <optional>

#include "gis/TGeometria.h"
#include "hydro/TBacia.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TBaciaNoMapa;
class TMap;
class TfrmIdentificacao;
struct TContextoJanela;
struct TInterfaceSecao;
class TRodape;
class TApresentador;
class TSistema;

class TfrmLocalizacao : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmLocalizacao(TContextoJanela& contexto, QWidget* pai = nullptr);
  ~TfrmLocalizacao() override;

  // Handlers, public so that the main window's tests and scripts can drive them.
  void sbFullExtendClick();
  void sbZoomFixedInClick();
  void sbZoomFixedOutClick();
  void sbCursorClick();
  void rbMapaClick();
  void rbLatLongClick();
  void btnCriarClick();
  void Map1MouseDown(int botao, int shift, int x, int y);
  void Map1MouseMove(int botao, int shift, int x, int y);

  // The status text of panel 1 for a pointer at p.
  static QString TextoCoordenadas(const TPontoMapa& p);
  // Whether any theme box is ticked (the locator is drawn only then).
  bool AlgumTema() const;

  TMap* Map1 = nullptr;
  TMap* Map2 = nullptr;
  QToolButton *sbCursor = nullptr, *sbZoomIn = nullptr, *sbZoomOut = nullptr, *sbPan = nullptr,
              *sbFullExtend = nullptr, *sbZoomFixedIn = nullptr, *sbZoomFixedOut = nullptr,
              *sbInformation = nullptr, *sbCoordLatLong = nullptr;
  QGroupBox *gbIdentSecInt = nullptr, *gbTemas = nullptr;
  QRadioButton *rbMapa = nullptr, *rbLatLong = nullptr;
  QLabel *lblLatitude = nullptr, *lblLongitude = nullptr;
  QLineEdit *meLatitude = nullptr, *meLongitude = nullptr;
  QPushButton* btnCriar = nullptr;
  QCheckBox *chkLimite = nullptr, *chkHidrografia = nullptr, *chkEstados = nullptr,
            *chkMunicipios = nullptr, *chkEstradas = nullptr, *chkEstFlu = nullptr,
            *chkEstPlu = nullptr, *chkOutAna = nullptr, *chkOutSupSignif = nullptr,
            *chkOutSupInsig = nullptr, *chkOutSubSignif = nullptr, *chkOutSubInsig = nullptr;
  // The outline of the section's contributing basin on both maps, its theme box and its export.
  QCheckBox* chkBacia = nullptr;
  QPushButton* btnExportarBacia = nullptr;
  TBaciaNoMapa* BaciaNoMapa = nullptr;
  QWidget* pnlCantoDir = nullptr;
  TfrmIdentificacao* frmIdentificacao = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* objeto, QEvent* e) override;

 private:
  void MontaTela();
  QToolButton* Botao(const char* nome, int x, int largura);
  QCheckBox* Tema(const char* nome, const QString& texto, int x, int y, bool marcado);
  void LigaTemas();
  void DispoeTemas();
  void AdicionaCamadas();
  void Desativa();
  void PonteiroDaFerramenta();
  void DesenhaLocalizador();
  TInterfaceSecao Interface();
  // The section placement for the click and the typed flows; restores the section after a No.
  template <typename F>
  void Coloca(F&& fluxo);
  const TBacia* Bacia();

  TSistema& Sistema_;
  TRodape& Rodape_;
  TApresentador& Apresentador_;
  QButtonGroup* Ferramentas_ = nullptr;
  std::optional<TBacia> Bacia_;
  bool BaciaTentada_ = false;
};
