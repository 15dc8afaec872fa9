#include "gis/manutencao/TfrmManutencao.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <functional>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "gis/TCamadaImagem.h"
#include "gis/TMap.h"
#include "gis/manutencao/EqPelmar.h"
#include "gis/manutencao/OperacoesManutencao.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

// Pointer codes of the map control.
constexpr int PonteiroPadrao = 0;
constexpr int PonteiroZoom = 51;
constexpr int PonteiroPan = 53;
constexpr int PonteiroArrastando = 54;
constexpr int PonteiroInformacao = 55;

// A handler's failure reaches the analyst as the error box, and the window goes on.
void Protege(TApresentador& apresentador, const std::function<void()>& f) {
  try {
    f();
  } catch (const ETorveda& e) {
    apresentador.Erro(e.mensagem());
  } catch (const std::exception& e) {
    apresentador.Erro(QString::fromLocal8Bit(e.what()));
  }
}

class TCursorEspera {
 public:
  TCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TCursorEspera() { QApplication::restoreOverrideCursor(); }
  TCursorEspera(const TCursorEspera&) = delete;
  TCursorEspera& operator=(const TCursorEspera&) = delete;
};

QLabel* Rotulo(QWidget* pai, const QString& texto, int x, int y) {
  auto* l = new QLabel(texto, pai);
  l->adjustSize();
  l->move(x, y);
  return l;
}

QLineEdit* Caixa(QWidget* pai, const char* nome, int x, int y, int largura,
                 const QString& texto = {}) {
  auto* e = new QLineEdit(texto, pai);
  e->setObjectName(QString::fromLatin1(nome));
  e->setGeometry(x, y, largura, 21);
  return e;
}

}  // namespace

TfrmManutencao::TfrmManutencao(TContextoJanela& contexto, QWidget* parent)
    : QWidget(parent), Sistema_(contexto.Sistema), Apresentador_(contexto.Apresentador) {
  setObjectName(QStringLiteral("frmManutencao"));
  setWindowTitle(QStringLiteral("Manutenção"));
  resize(834, 552);

  auto* raiz = new QVBoxLayout(this);
  raiz->setContentsMargins(0, 0, 0, 0);
  pnlFundo = new QFrame(this);
  pnlFundo->setObjectName(QStringLiteral("pnlFundo"));
  pnlFundo->setFrameStyle(QFrame::Panel | QFrame::Raised);
  raiz->addWidget(pnlFundo);

  MontaMapa();
  MontaCampos();
}

TfrmManutencao::~TfrmManutencao() {
  // The map lets go of the layer before the layer goes.
  if (MapManutencao1) MapManutencao1->LimpaCamadas();
}

void TfrmManutencao::MontaMapa() {
  btnConexaoGrids = new QPushButton(QStringLiteral("Conexão grids"), pnlFundo);
  btnConexaoGrids->setObjectName(QStringLiteral("btnConexaoGrids"));
  // Wider at a larger font, growing to the left so as to stay clear of the map's column.
  const int largura = std::max(89, btnConexaoGrids->sizeHint().width());
  btnConexaoGrids->setGeometry(std::max(2, std::min(24, 124 - largura)), 32, largura, 25);
  connect(btnConexaoGrids, &QPushButton::clicked, this, &TfrmManutencao::btnConexaoGridsClick);
  edtManutencao1 = Caixa(pnlFundo, "edtManutencao1", 128, 32, 337);

  MapManutencao1 = new TMap(pnlFundo);
  MapManutencao1->setObjectName(QStringLiteral("MapManutencao1"));
  MapManutencao1->setGeometry(128, 56, 337, 265);
  connect(MapManutencao1, &TMap::MouseDown, this, &TfrmManutencao::MapManutencao1MouseDown);
  connect(MapManutencao1, &TMap::MouseMove, this, &TfrmManutencao::MapManutencao1MouseMove);

  auto ferramenta = [this](const char* nome, const QString& texto, const QString& dica, int y,
                           bool alterna) {
    auto* b = new QToolButton(pnlFundo);
    b->setObjectName(QString::fromLatin1(nome));
    b->setText(texto);
    b->setToolTip(dica);
    // A column beside the map: none of the buttons covers the map's edge or its neighbour.
    b->setGeometry(468, 56 + (y - 56) / 21 * 24, 23, 22);
    b->setCheckable(alterna);
    return b;
  };
  sbZoomIn = ferramenta("sbZoomIn", QStringLiteral("+"), QStringLiteral("Aproximar"), 56, true);
  sbFullExtend = ferramenta("sbFullExtend", QStringLiteral("[ ]"), QStringLiteral("Extensão total"),
                            77, false);
  sbInformation =
      ferramenta("sbInformation", QStringLiteral("i"), QStringLiteral("Informação"), 98, true);
  sbPan = ferramenta("sbPan", QStringLiteral("\u2195"), QStringLiteral("Mover"), 119, true);
  // One tool at a time, none at the start.
  auto* grupo = new QButtonGroup(this);
  grupo->setExclusive(true);
  for (QToolButton* b : {sbZoomIn, sbInformation, sbPan}) grupo->addButton(b);
  connect(sbFullExtend, &QToolButton::clicked, this, &TfrmManutencao::sbFullExtendClick);
}

void TfrmManutencao::MontaCampos() {
  // Each caption ends just before its box (the blanks of the texts kept it clear at the design
  // font only).
  for (auto [texto, y] : {std::pair{QStringLiteral("Y   "), 344},
                          {QStringLiteral("X   "), 376},
                          {QStringLiteral("Área   "), 408}}) {
    QLabel* l = Rotulo(pnlFundo, texto, 0, y);
    l->move(140 - l->width(), y);
  }
  Edit1 = Caixa(pnlFundo, "Edit1", 144, 336, 121);
  Edit2 = Caixa(pnlFundo, "Edit2", 144, 368, 121);
  Edit3 = Caixa(pnlFundo, "Edit3", 144, 400, 121);
  Button1 = new QPushButton(QStringLiteral("Pegar área"), pnlFundo);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(24, 336, std::max(75, Button1->sizeHint().width()), 25);
  connect(Button1, &QPushButton::clicked, this, &TfrmManutencao::Button1Click);

  // The two captions sit right above their boxes whatever their height.
  QLabel* utm = Rotulo(pnlFundo, QStringLiteral("UTM"), 344, 336);
  utm->move(344, std::min(336, 352 - utm->height()));
  edtX = Caixa(pnlFundo, "edtX", 344, 352, 121, QStringLiteral("241340,5076"));
  edtY = Caixa(pnlFundo, "edtY", 344, 384, 121, QStringLiteral("8261898,6759"));
  QLabel* latLong = Rotulo(pnlFundo, QStringLiteral("Lat/Long"), 344, 416);
  latLong->move(344, std::min(416, 432 - latLong->height()));
  edtLatitude = Caixa(pnlFundo, "edtLatitude", 344, 432, 121, QStringLiteral("152930"));
  edtLongitude = Caixa(pnlFundo, "edtLongitude", 344, 464, 121, QStringLiteral("470910"));
  Button4 = new QPushButton(QStringLiteral("Converter para Lat/Long"), pnlFundo);
  Button4->setObjectName(QStringLiteral("Button4"));
  Button4->setGeometry(480, 379, 129, 25);
  connect(Button4, &QPushButton::clicked, this, &TfrmManutencao::Button4Click);
  Button2 = new QPushButton(QStringLiteral("Converter para UTM"), pnlFundo);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setGeometry(480, 459, 129, 25);
  connect(Button2, &QPushButton::clicked, this, &TfrmManutencao::Button2Click);
  // Both conversion buttons as wide as the longer caption needs at the font in use.
  const int largura = std::max({129, Button4->sizeHint().width(), Button2->sizeHint().width()});
  Button4->resize(largura, Button4->height());
  Button2->resize(largura, Button2->height());

  Button3 = new QPushButton(QStringLiteral("Eq_pelmar"), pnlFundo);
  Button3->setObjectName(QStringLiteral("Button3"));
  Button3->setGeometry(352, 512, 201, 25);
  connect(Button3, &QPushButton::clicked, this, &TfrmManutencao::Button3Click);
}

void TfrmManutencao::btnConexaoGridsClick() {
  const QString arquivo = Apresentador_.AbreArquivo(
      QStringLiteral("Abrir arquivo de dados"), QString(),
      QStringLiteral("Arquivos hdr.adf (*.adf);;Todos os Arquivos (*.*)"));
  if (arquivo.isEmpty()) {
    Apresentador_.Erro(QStringLiteral("Erro ao abrir o arquivo."));
    return;
  }
  edtManutencao1->setText(arquivo);
  auto nova = std::make_unique<TCamadaImagem>();
  nova->SetArquivo(arquivo);
  if (!nova->Valida()) {
    // The grid shown before stays, and so does the layer the full-extent tool measures.
    Apresentador_.Informacao(QStringLiteral("Erro ao abrir o grid."));
    return;
  }
  MapManutencao1->LimpaCamadas();
  nova->SetCorTransparente(QColor(0, 0, 0));
  nova->SetTransparente(true);
  nova->SetVisivel(true);
  MapManutencao1->AdicionaCamada(nova.get());
  CamadaImagem_ = std::move(nova);
  // A new grid lies anywhere: show all of it rather than the extent of the one before.
  MapManutencao1->SetExtensao(CamadaImagem_->Extensao());
  MapManutencao1->Refresca();
}

void TfrmManutencao::sbFullExtendClick() {
  if (MapManutencao1->NumCamadas() < 1 || !CamadaImagem_) return;
  MapManutencao1->SetExtensao(CamadaImagem_->Extensao());
  MapManutencao1->Refresca();
}

void TfrmManutencao::MapManutencao1MouseMove(int, int, int, int) {
  int ponteiro = PonteiroPadrao;
  if (sbZoomIn->isChecked())
    ponteiro = PonteiroZoom;
  else if (sbInformation->isChecked())
    ponteiro = PonteiroInformacao;
  MapManutencao1->SetPonteiro(ponteiro);
}

void TfrmManutencao::MapManutencao1MouseDown(int, int, int x, int y) {
  const TPontoMapa p = MapManutencao1->PontoDoPixel(QPointF(x, y));
  if (sbZoomIn->isChecked()) MapManutencao1->SetExtensao(MapManutencao1->ArrastaRetangulo());
  if (sbPan->isChecked()) {
    MapManutencao1->SetPonteiro(PonteiroArrastando);
    MapManutencao1->Arrasta();
    MapManutencao1->SetPonteiro(PonteiroPan);
  }
  if (sbInformation->isChecked()) {
    Protege(Apresentador_, [&] {
      if (!Sistema_.Ponto) throw ETorveda(QStringLiteral("A seção de interesse não existe."));
      Apresentador_.Informacao(Manutencao::TextoInformacao(p, *Sistema_.Ponto));
    });
  }
}

void TfrmManutencao::Button1Click() {
  Protege(Apresentador_,
          [this] { Edit3->setText(Manutencao::PegaArea(Sistema_, Edit1->text(), Edit2->text())); });
}

void TfrmManutencao::Button2Click() {
  Protege(Apresentador_, [this] {
    const auto [x, y] = Manutencao::ParaUtm(edtLatitude->text(), edtLongitude->text());
    edtX->setText(x);
    edtY->setText(y);
  });
}

void TfrmManutencao::Button4Click() {
  Protege(Apresentador_, [this] {
    const auto [latitude, longitude] = Manutencao::ParaLatLong(edtX->text(), edtY->text());
    edtLatitude->setText(latitude);
    edtLongitude->setText(longitude);
  });
}

void TfrmManutencao::Button3Click() {
  Protege(Apresentador_, [this] {
    const TCursorEspera espera;
    CopiaEqPelmar(Sistema_.Caminhos().DadosSIGManutencao());
  });
}
