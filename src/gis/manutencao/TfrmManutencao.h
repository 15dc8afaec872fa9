#pragma once
// The maintenance window: a workbench for preparing and checking the basin's data. It shows an
// Arc/Info binary grid (the file "hdr.adf") on a small map with zoom, full-extent, information
// and pan tools; reads the flow accumulation at a typed point; converts coordinates between the
// basin's projected system and degrees; and copies the mass-conservation equation number
// between the two river layers of the "DadosSIG" folder beside the executable.

#include <QWidget>
#include <memory>

#include "base/gui/ContextoJanela.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TCamadaImagem;
class TMap;
class TApresentador;
class TSistema;

class TfrmManutencao : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmManutencao(TContextoJanela& contexto, QWidget* parent = nullptr);
  ~TfrmManutencao() override;

  // The last grid shown (nullptr before the first).
  TCamadaImagem* CamadaImagem() const { return CamadaImagem_.get(); }

  void btnConexaoGridsClick();
  void sbFullExtendClick();
  // Button: 1 left, 2 right, 4 middle; x, y in pixels of the map.
  void MapManutencao1MouseDown(int botao, int shift, int x, int y);
  void MapManutencao1MouseMove(int botao, int shift, int x, int y);
  void Button1Click();  // "Pegar área"
  void Button2Click();  // "Converter para UTM"
  void Button3Click();  // "Eq_pelmar"
  void Button4Click();  // "Converter para Lat/Long"

  QFrame* pnlFundo = nullptr;
  QPushButton* btnConexaoGrids = nullptr;
  QLineEdit* edtManutencao1 = nullptr;
  TMap* MapManutencao1 = nullptr;
  QToolButton* sbZoomIn = nullptr;
  QToolButton* sbFullExtend = nullptr;
  QToolButton* sbInformation = nullptr;
  QToolButton* sbPan = nullptr;
  QLineEdit* Edit1 = nullptr;  // Y
  QLineEdit* Edit2 = nullptr;  // X
  QLineEdit* Edit3 = nullptr;  // accumulated cells
  QPushButton* Button1 = nullptr;
  QLineEdit* edtX = nullptr;
  QLineEdit* edtY = nullptr;
  QLineEdit* edtLatitude = nullptr;
  QLineEdit* edtLongitude = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;

 private:
  void MontaMapa();
  void MontaCampos();

  TSistema& Sistema_;
  TApresentador& Apresentador_;
  std::unique_ptr<TCamadaImagem> CamadaImagem_;
};
