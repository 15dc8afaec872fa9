#include "gis/TMap.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>
#include <cmath>

#include "gis/TCamada.h"
#include "gis/TCamadaImagem.h"
#include "gis/TSimbolo.h"
#include "gis/interno/DesenhoCamada.h"

namespace {

const QColor Fundo(Qt::white);

// A magnifying glass with a plus or a minus, for the zoom tools.
QCursor Lupa(bool mais) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 4));
  p.drawEllipse(QPointF(12, 12), 8, 8);
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.setPen(QPen(Qt::black, 2));
  p.drawEllipse(QPointF(12, 12), 8, 8);
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.drawLine(QPointF(8, 12), QPointF(16, 12));
  if (mais) p.drawLine(QPointF(12, 8), QPointF(12, 16));
  p.end();
  return QCursor(pm, 12, 12);
}

QCursor Cursor(int codigo) {
  switch (codigo) {
    case 11:
      return Qt::WaitCursor;
    case 51:
      return Lupa(true);
    case 52:
      return Lupa(false);
    case 53:
      return Qt::OpenHandCursor;
    case 54:
      return Qt::ClosedHandCursor;
    case 55:
      return Qt::WhatsThisCursor;
    case 57:
      return Qt::PointingHandCursor;
    default:
      return Qt::ArrowCursor;
  }
}

int Botao(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int Botoes(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
         (b & Qt::MiddleButton ? 4 : 0);
}

int Teclas(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
         (m & Qt::AltModifier ? 4 : 0);
}

}  // namespace

TMap::TMap(QWidget* pai) : QWidget(pai) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setMinimumSize(16, 16);
}

TMap::~TMap() {
  if (Laco_) Laco_->quit();
}

// Layer collection ----------------------------------------------------------------------------

void TMap::Conecta(QObject* camada) {
  if (auto* c = qobject_cast<TCamada*>(camada))
    connect(c, &TCamada::Alterada, this, &TMap::Invalida, Qt::UniqueConnection);
  else if (auto* i = qobject_cast<TCamadaImagem*>(camada))
    connect(i, &TCamadaImagem::Alterada, this, &TMap::Invalida, Qt::UniqueConnection);
}

void TMap::Desconecta(QObject* camada) {
  if (!camada) return;
  for (const auto& e : Entradas_) {
    const QObject* o = std::visit([](const auto& p) -> QObject* { return p.data(); }, e);
    if (o == camada) return;  // still in the map under another index
  }
  disconnect(camada, nullptr, this, nullptr);
}

void TMap::AdicionaCamada(TCamada* camada) {
  if (!camada) return;
  Entradas_.emplace_back(QPointer<TCamada>(camada));
  Conecta(camada);
  Invalida();
}

void TMap::AdicionaCamada(TCamadaImagem* camada) {
  if (!camada) return;
  Entradas_.emplace_back(QPointer<TCamadaImagem>(camada));
  Conecta(camada);
  Invalida();
}

int TMap::NumCamadas() const { return static_cast<int>(Entradas_.size()); }

TCamada* TMap::Camada(int indice) const {
  if (indice < 0 || indice >= NumCamadas()) return nullptr;
  const auto& e = Entradas_[Entradas_.size() - 1 - static_cast<std::size_t>(indice)];
  if (const auto* c = std::get_if<QPointer<TCamada>>(&e)) return c->data();
  return nullptr;
}

TCamadaImagem* TMap::CamadaImagem(int indice) const {
  if (indice < 0 || indice >= NumCamadas()) return nullptr;
  const auto& e = Entradas_[Entradas_.size() - 1 - static_cast<std::size_t>(indice)];
  if (const auto* c = std::get_if<QPointer<TCamadaImagem>>(&e)) return c->data();
  return nullptr;
}

TCamada* TMap::Camada(const QString& nome) const {
  for (int i = 0; i < NumCamadas(); ++i)
    if (TCamada* c = Camada(i); c && c->Nome().compare(nome, Qt::CaseInsensitive) == 0) return c;
  return nullptr;
}

void TMap::RemoveCamada(int indice) {
  if (indice < 0 || indice >= NumCamadas()) return;
  const auto pos = Entradas_.size() - 1 - static_cast<std::size_t>(indice);
  QObject* o = std::visit([](const auto& p) -> QObject* { return p.data(); }, Entradas_[pos]);
  Entradas_.erase(Entradas_.begin() + static_cast<std::ptrdiff_t>(pos));
  Desconecta(o);
  Invalida();
}

void TMap::LimpaCamadas() {
  std::vector<TEntrada> antigas;
  antigas.swap(Entradas_);
  for (const auto& e : antigas)
    Desconecta(std::visit([](const auto& p) -> QObject* { return p.data(); }, e));
  Invalida();
}

// Extent --------------------------------------------------------------------------------------

TRetangulo TMap::ExtensaoTotal() const {
  TRetangulo total;
  for (const auto& e : Entradas_) {
    if (const auto* c = std::get_if<QPointer<TCamada>>(&e); c && *c && (*c)->Valida())
      total.Inclui((*c)->Extensao());
    if (const auto* i = std::get_if<QPointer<TCamadaImagem>>(&e); i && *i && (*i)->Valida())
      total.Inclui((*i)->Extensao());
  }
  return total;
}

TRetangulo TMap::Ajustada(const TRetangulo& pedida) const {
  if (pedida.Vazio()) return pedida;
  double largura = pedida.Largura();
  double altura = pedida.Altura();
  // A single point (or a flat line) still needs a scale: take the other side, or 100 units.
  if (largura <= 0 && altura <= 0) largura = altura = 100.0;
  const double w = std::max(1, width());
  const double h = std::max(1, height());
  if (largura <= 0) largura = altura * w / h;
  if (altura <= 0) altura = largura * h / w;
  const double escala = std::min(w / largura, h / altura);
  const TPontoMapa c = pedida.Centro();
  const double mx = w / escala / 2.0;
  const double my = h / escala / 2.0;
  return TRetangulo(c.X - mx, c.X + mx, c.Y - my, c.Y + my);
}

TRetangulo TMap::Extensao() const {
  return Ajustada(ExtensaoDefinida_ ? Pedida_ : ExtensaoTotal());
}

void TMap::SetExtensao(const TRetangulo& extensao) {
  if (extensao.Vazio() || !std::isfinite(extensao.Largura()) || !std::isfinite(extensao.Altura()))
    return;
  if (extensao.Largura() <= 0 && extensao.Altura() <= 0 && ExtensaoDefinida_) {
    // A click instead of a rectangle: centre there at the present scale.
    TRetangulo atual = Extensao();
    const TPontoMapa c = extensao.Centro();
    Pedida_ = TRetangulo(c.X - atual.Largura() / 2, c.X + atual.Largura() / 2,
                         c.Y - atual.Altura() / 2, c.Y + atual.Altura() / 2);
  } else {
    Pedida_ = extensao;
  }
  ExtensaoDefinida_ = true;
  Invalida();
  emit ExtensaoAlterada();
}

// Drawing -------------------------------------------------------------------------------------

void TMap::Invalida() {
  CacheValido_ = false;
  update();
}

void TMap::Refresca() { Invalida(); }

void TMap::RefrescaTracking() {
  FormasTracking_.clear();
  update();
}

void TMap::Redesenha() {
  const qreal dpr = devicePixelRatioF();
  const QSize tamanho(std::max(1, qRound(width() * dpr)), std::max(1, qRound(height() * dpr)));
  if (Cache_.size() != tamanho) Cache_ = QImage(tamanho, QImage::Format_ARGB32_Premultiplied);
  Cache_.setDevicePixelRatio(dpr);
  Cache_.fill(Fundo);
  CacheValido_ = true;

  const TRetangulo ext = Extensao();
  if (ext.Vazio() || ext.Largura() <= 0) return;
  TVista vista{ext, std::max(1, width()) / ext.Largura()};

  QPainter p(&Cache_);
  QPainter* anterior = PainterAtivo_;
  PainterAtivo_ = &p;
  // Bottom first: the first added is the highest index.
  const std::vector<TEntrada> entradas = Entradas_;
  const int n = static_cast<int>(entradas.size());
  for (int pos = 0; pos < n; ++pos) {
    const int indice = n - 1 - pos;
    emit AntesDesenharCamada(indice, p);
    if (const auto* c = std::get_if<QPointer<TCamada>>(&entradas[static_cast<std::size_t>(pos)]);
        c && *c && (*c)->Visivel() && (*c)->Valida()) {
      DesenhaCamada(p, **c, vista);
      DesenhaRotulos(p, **c, vista);
    } else if (const auto* i =
                   std::get_if<QPointer<TCamadaImagem>>(&entradas[static_cast<std::size_t>(pos)]);
               i && *i && (*i)->Visivel() && (*i)->Valida()) {
      p.drawImage(QRectF(0, 0, width(), height()), (*i)->Desenha(ext, tamanho));
    }
    emit AposDesenharCamada(indice, p);
  }
  PainterAtivo_ = anterior;
}

QImage TMap::Imagem() {
  if (!CacheValido_ || Cache_.size() != QSize(qRound(width() * devicePixelRatioF()),
                                              qRound(height() * devicePixelRatioF())))
    Redesenha();
  return Cache_;
}

void TMap::DesenhaTracking(QPainter& p) {
  const TRetangulo ext = Extensao();
  if (ext.Vazio() || ext.Largura() <= 0) return;
  const TVista vista{ext, std::max(1, width()) / ext.Largura()};
  for (const auto& [forma, simbolo] : FormasTracking_)
    ::DesenhaForma(p, forma, forma.Tipo, *simbolo, vista);
  QPainter* anterior = PainterAtivo_;
  PainterAtivo_ = &p;
  emit AposDesenharTracking(p);
  PainterAtivo_ = anterior;
}

void TMap::DesenhaForma(const TForma& forma, const TSimbolo& simbolo) {
  if (PainterAtivo_) {
    const TRetangulo ext = Extensao();
    if (ext.Vazio() || ext.Largura() <= 0) return;
    const TVista vista{ext, std::max(1, width()) / ext.Largura()};
    ::DesenhaForma(*PainterAtivo_, forma, forma.Tipo, simbolo, vista);
    return;
  }
  FormasTracking_.emplace_back(forma, std::make_shared<TSimbolo>(simbolo));
  update();
}

void TMap::paintEvent(QPaintEvent*) {
  if (!CacheValido_ || Cache_.size() != QSize(qRound(width() * devicePixelRatioF()),
                                              qRound(height() * devicePixelRatioF())))
    Redesenha();
  QPainter p(this);
  if (Modo_ == TModo::Arrasto) {
    p.fillRect(rect(), Fundo);
    p.drawImage(Atual_ - Inicio_, Cache_);
    return;  // the tracking layer follows once the map has moved
  }
  p.drawImage(QPointF(0, 0), Cache_);
  DesenhaTracking(p);
  if (Modo_ == TModo::Retangulo) {
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(Inicio_, Atual_).normalized());
  }
}

void TMap::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  CacheValido_ = false;
  emit ExtensaoAlterada();
}

// Pointer and mouse ---------------------------------------------------------------------------

void TMap::SetPonteiro(int codigo) {
  if (codigo == Ponteiro_) return;
  Ponteiro_ = codigo;
  AplicaPonteiro();
}

void TMap::AplicaPonteiro() { setCursor(Cursor(Ponteiro_)); }

TPontoMapa TMap::PontoDoPixel(const QPointF& pixel) const {
  const TRetangulo ext = Extensao();
  if (ext.Vazio() || ext.Largura() <= 0) return {};
  const double escala = std::max(1, width()) / ext.Largura();
  return {ext.Esquerda() + pixel.x() / escala, ext.Topo() - pixel.y() / escala};
}

QPointF TMap::PixelDoPonto(const TPontoMapa& ponto) const {
  const TRetangulo ext = Extensao();
  if (ext.Vazio() || ext.Largura() <= 0) return {};
  return TVista{ext, std::max(1, width()) / ext.Largura()}.Pixel(ponto.X, ponto.Y);
}

TRetangulo TMap::ArrastaRetangulo() {
  if (!BotaoPressionado_ || Laco_) return {};
  const QPointer<TMap> vivo(this);
  Modo_ = TModo::Retangulo;
  Inicio_ = Atual_ = UltimaPressao_;
  QEventLoop laco;
  Laco_ = &laco;
  laco.exec(QEventLoop::ExcludeSocketNotifiers);
  if (!vivo) return {};
  Laco_ = nullptr;
  Modo_ = TModo::Nenhum;
  update();
  const TPontoMapa a = PontoDoPixel(Inicio_);
  const TPontoMapa b = PontoDoPixel(Atual_);
  TRetangulo r;
  r.Inclui(a);
  r.Inclui(b);
  return r;
}

void TMap::Arrasta() {
  if (!BotaoPressionado_ || Laco_) return;
  const QPointer<TMap> vivo(this);
  Modo_ = TModo::Arrasto;
  Inicio_ = Atual_ = UltimaPressao_;
  QEventLoop laco;
  Laco_ = &laco;
  laco.exec(QEventLoop::ExcludeSocketNotifiers);
  if (!vivo) return;
  Laco_ = nullptr;
  Modo_ = TModo::Nenhum;
  const QPointF delta = Atual_ - Inicio_;
  if (delta.isNull()) {
    update();
    return;
  }
  const TRetangulo ext = Extensao();
  const double escala = std::max(1, width()) / ext.Largura();
  SetExtensao(TRetangulo(ext.Esquerda() - delta.x() / escala, ext.Direita() - delta.x() / escala,
                         ext.Baixo() + delta.y() / escala, ext.Topo() + delta.y() / escala));
}

void TMap::mousePressEvent(QMouseEvent* e) {
  if (Laco_) return;
  BotaoPressionado_ = true;
  UltimaPressao_ = e->position();
  emit MouseDown(Botao(e->button()), Teclas(e->modifiers()), qRound(e->position().x()),
                 qRound(e->position().y()));
}

void TMap::mouseMoveEvent(QMouseEvent* e) {
  if (Laco_) {
    Atual_ = e->position();
    update();
    return;
  }
  emit MouseMove(Botoes(e->buttons()), Teclas(e->modifiers()), qRound(e->position().x()),
                 qRound(e->position().y()));
}

void TMap::mouseReleaseEvent(QMouseEvent* e) {
  BotaoPressionado_ = e->buttons() != Qt::NoButton;
  if (Laco_) {
    Atual_ = e->position();
    Laco_->quit();
    return;
  }
  emit MouseUp(Botao(e->button()), Teclas(e->modifiers()), qRound(e->position().x()),
               qRound(e->position().y()));
}

void TMap::wheelEvent(QWheelEvent* e) {
  if (!ZoomRoda_ || Laco_ || e->angleDelta().y() == 0) {
    e->ignore();
    return;
  }
  const TRetangulo ext = Extensao();
  if (ext.Vazio() || ext.Largura() <= 0) return;
  const double fator = e->angleDelta().y() > 0 ? 0.8 : 1.25;
  const TPontoMapa p = PontoDoPixel(e->position());
  SetExtensao(TRetangulo(p.X - (p.X - ext.Esquerda()) * fator, p.X + (ext.Direita() - p.X) * fator,
                         p.Y - (p.Y - ext.Baixo()) * fator, p.Y + (ext.Topo() - p.Y) * fator));
  e->accept();
}

void TMap::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  // A map disabled or hidden in the middle of a drag lets the caller go.
  if (e->type() == QEvent::EnabledChange && !isEnabled() && Laco_) Laco_->quit();
}
