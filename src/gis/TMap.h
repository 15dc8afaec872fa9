#pragma once
// The map control. It shows a collection of layers (vector layers and image layers) that it
// does not own: the same layer object may sit in several maps. The layer added last is drawn on
// top and is index 0.
//
// Drawing goes to a cached picture that is rebuilt only when the extent, the size or a layer
// changes; painting copies it and then draws the tracking layer (AposDesenharTracking), so the
// tracking layer can be refreshed cheaply. Map units keep their aspect ratio: the extent shown
// is the one asked for, widened to fit the control.
//
// Pointer codes: 0 default, 11 hourglass, 51 zoom in, 52 zoom out, 53 pan, 54 panning,
// 55 identify, 57 hot link.

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <variant>
#include <vector>

#include "gis/TGeometria.h"

class QPainter;
class TCamada;
class TCamadaImagem;
class TSimbolo;

class TMap : public QWidget {
  Q_OBJECT

 public:
  explicit TMap(QWidget* pai = nullptr);
  ~TMap() override;

  // Layer collection.
  void AdicionaCamada(TCamada* camada);
  void AdicionaCamada(TCamadaImagem* camada);
  int NumCamadas() const;
  // Index 0 is the top layer. nullptr when out of range or of the other kind.
  TCamada* Camada(int indice) const;
  TCamadaImagem* CamadaImagem(int indice) const;
  // A vector layer by its dataset name (case ignored), or nullptr.
  TCamada* Camada(const QString& nome) const;
  void RemoveCamada(int indice);
  void LimpaCamadas();

  // The extent shown (fitted to the control's shape). Setting it redraws.
  TRetangulo Extensao() const;
  void SetExtensao(const TRetangulo& extensao);
  // The extent of every valid layer together.
  TRetangulo ExtensaoTotal() const;

  // Redraws every layer.
  void Refresca();
  // Erases the tracking layer and draws it again (AposDesenharTracking).
  void RefrescaTracking();

  int Ponteiro() const { return Ponteiro_; }
  void SetPonteiro(int codigo);

  TPontoMapa PontoDoPixel(const QPointF& pixel) const;
  QPointF PixelDoPonto(const TPontoMapa& ponto) const;

  // Interactive tools, called from a mouse-down handler: they return when the button is
  // released. The rectangle is empty when the mouse did not move (a click).
  TRetangulo ArrastaRetangulo();
  void Arrasta();

  // Draws a shape with a symbol on the picture being painted: inside AposDesenharTracking on the
  // tracking layer, inside a layer event on that layer's drawing, otherwise on the tracking layer
  // until the next refresh.
  void DesenhaForma(const TForma& forma, const TSimbolo& simbolo);

  // Mouse-wheel zoom about the pointer (on by default).
  void SetZoomRoda(bool ativo) { ZoomRoda_ = ativo; }

  // The cached picture (for tests and screenshots); redraws it first if out of date.
  QImage Imagem();

 signals:
  // Button: 1 left, 2 right, 4 middle; shift: 1 shift, 2 control, 4 alt; pixel position.
  void MouseDown(int botao, int shift, int x, int y);
  void MouseMove(int botao, int shift, int x, int y);
  void MouseUp(int botao, int shift, int x, int y);
  void AntesDesenharCamada(int indice, QPainter& painter);
  void AposDesenharCamada(int indice, QPainter& painter);
  void AposDesenharTracking(QPainter& painter);
  // The extent shown changed (setting it, zoom, pan, resize).
  void ExtensaoAlterada();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void changeEvent(QEvent* e) override;

 private slots:
  // A layer changed: the cached picture is out of date.
  void Invalida();

 private:
  using TEntrada = std::variant<QPointer<TCamada>, QPointer<TCamadaImagem>>;
  enum class TModo { Nenhum, Retangulo, Arrasto };

  void Conecta(QObject* camada);
  void Desconecta(QObject* camada);
  void Redesenha();
  TRetangulo Ajustada(const TRetangulo& pedida) const;
  void AplicaPonteiro();
  void DesenhaTracking(QPainter& p);

  std::vector<TEntrada> Entradas_;  // in the order added: the last is index 0
  TRetangulo Pedida_;               // the extent asked for, before fitting
  bool ExtensaoDefinida_ = false;
  QImage Cache_;
  bool CacheValido_ = false;
  int Ponteiro_ = 0;
  bool ZoomRoda_ = true;
  QPainter* PainterAtivo_ = nullptr;
  std::vector<std::pair<TForma, std::shared_ptr<TSimbolo>>> FormasTracking_;
  TModo Modo_ = TModo::Nenhum;
  QPointF Inicio_, Atual_;
  QPointF UltimaPressao_;
  bool BotaoPressionado_ = false;
  class QEventLoop* Laco_ = nullptr;
};
