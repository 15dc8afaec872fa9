#include "gis/gui/TfrmLocalizacao.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/Apresentador.h"
#include "base/Convencoes.h"
#include "base/Erro.h"
#include "base/gui/ContextoJanela.h"
#include "gis/TCamada.h"
#include "gis/TMap.h"
#include "gis/TSimbolo.h"
#include "gis/gui/ImagensBotoes.h"
#include "gis/gui/TBaciaNoMapa.h"
#include "gis/gui/TMarcadorSecao.h"
#include "gis/gui/TfrmIdentificacao.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"
#include "hydro/TRede.h"
#include "sistema/TSistema.h"

namespace {

constexpr double FatorZoomFixo = 0.8;
constexpr double FatorZoomOut = 10.0;

// A panel whose children keep the positions they were given and follow its size when anchored
// to all four sides.
QWidget* Painel(QWidget* pai, const char* nome) {
  auto* w = new QWidget(pai);
  w->setObjectName(QString::fromLatin1(nome));
  return w;
}

// Keeps a child at fixed margins from every side of its parent (anchored to all four sides).
class TAncora : public QObject {
 public:
  TAncora(QWidget* filho, QMargins margens) : QObject(filho), Filho_(filho), Margens_(margens) {
    filho->parentWidget()->installEventFilter(this);
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Resize && o == Filho_->parentWidget())
      Filho_->setGeometry(Filho_->parentWidget()->rect().marginsRemoved(Margens_));
    return false;
  }

 private:
  QWidget* Filho_;
  QMargins Margens_;
};

void Ancora(QWidget* filho, const QRect& projeto, const QSize& tamanhoPai) {
  filho->setGeometry(projeto);
  new TAncora(filho,
              QMargins(projeto.left(), projeto.top(), tamanhoPai.width() - projeto.right() - 1,
                       tamanhoPai.height() - projeto.bottom() - 1));
}

}  // namespace

TfrmLocalizacao::TfrmLocalizacao(TContextoJanela& contexto, QWidget* pai)
    : QWidget(pai),
      Sistema_(contexto.Sistema),
      Rodape_(contexto.Rodape),
      Apresentador_(contexto.Apresentador) {
  setObjectName(QStringLiteral("frmLocalizacao"));
  setWindowTitle(QStringLiteral("Localização"));
  MontaTela();
  if (Sistema_.MapasCarregados) {
    AdicionaCamadas();
  } else {
    Apresentador_.Informacao(QStringLiteral(
        "Os mapas não foram carregados corretamente. Verifique a Ajuda do programa."));
    Desativa();
  }
}

TfrmLocalizacao::~TfrmLocalizacao() = default;

QToolButton* TfrmLocalizacao::Botao(const char* nome, int x, int largura) {
  auto* b = new QToolButton(pnlCantoDir);
  b->setObjectName(QString::fromLatin1(nome));
  b->setGeometry(x, 8, largura, 22);
  b->setAutoRaise(false);
  b->installEventFilter(this);
  return b;
}

QCheckBox* TfrmLocalizacao::Tema(const char* nome, const QString& texto, int x, int y,
                                 bool marcado) {
  auto* c = new QCheckBox(texto, gbTemas);
  c->setObjectName(QString::fromLatin1(nome));
  c->move(x, y);
  c->adjustSize();
  c->setChecked(marcado);
  return c;
}

void TfrmLocalizacao::MontaTela() {
  resize(834, 552);
  auto* fundo = new QVBoxLayout(this);
  fundo->setContentsMargins(2, 2, 2, 2);
  auto* splVert = new QSplitter(Qt::Horizontal, this);
  splVert->setObjectName(QStringLiteral("splVert"));
  splVert->setHandleWidth(6);
  fundo->addWidget(splVert);

  auto* splHoriz = new QSplitter(Qt::Vertical, splVert);
  splHoriz->setObjectName(QStringLiteral("splHoriz"));
  splHoriz->setHandleWidth(6);
  splHoriz->setChildrenCollapsible(false);
  QWidget* pnlCantoEsqSup = Painel(splHoriz, "pnlCantoEsqSup");
  pnlCantoEsqSup->setMinimumHeight(322);
  QWidget* pnlCantoEsqInf = Painel(splHoriz, "pnlCantoEsqInf");
  pnlCantoEsqInf->resize(370, 248);
  pnlCantoDir = Painel(splVert, "pnlCantoDir");
  pnlCantoDir->resize(458, 548);
  pnlCantoDir->setMouseTracking(true);
  pnlCantoDir->installEventFilter(this);
  splVert->setSizes({370, 458});
  splHoriz->setSizes({322, 224});
  splVert->setStretchFactor(1, 1);
  splHoriz->setStretchFactor(1, 1);

  Map2 = new TMap(pnlCantoEsqInf);
  Map2->setObjectName(QStringLiteral("Map2"));
  Map2->SetZoomRoda(false);
  Ancora(Map2, QRect(16, 16, 337, 212), QSize(370, 248));

  gbIdentSecInt =
      new QGroupBox(QStringLiteral("Identificação da seção de interesse"), pnlCantoEsqSup);
  gbIdentSecInt->setObjectName(QStringLiteral("gbIdentSecInt"));
  gbIdentSecInt->setGeometry(16, 8, 337, 142);
  rbMapa = new QRadioButton(QStringLiteral("Mapa"), gbIdentSecInt);
  rbMapa->setObjectName(QStringLiteral("rbMapa"));
  rbMapa->move(16, 21);
  rbMapa->setChecked(true);
  rbLatLong = new QRadioButton(QStringLiteral("Coordenadas geográficas"), gbIdentSecInt);
  rbLatLong->setObjectName(QStringLiteral("rbLatLong"));
  rbLatLong->move(16, 42);
  rbMapa->adjustSize();
  rbLatLong->adjustSize();
  rbLatLong->move(16, std::max(42, rbMapa->geometry().bottom() + 1));
  lblLatitude = new QLabel(QStringLiteral("Latitude:"), gbIdentSecInt);
  lblLatitude->setObjectName(QStringLiteral("lblLatitude"));
  lblLatitude->move(48, 76);
  lblLongitude = new QLabel(QStringLiteral("Longitude:"), gbIdentSecInt);
  lblLongitude->setObjectName(QStringLiteral("lblLongitude"));
  lblLongitude->move(39, 108);
  auto mascara = [this](const char* nome, int y) {
    auto* e = new QLineEdit(gbIdentSecInt);
    e->setObjectName(QString::fromLatin1(nome));
    e->setGeometry(91, y, 70, 21);
    // Two digits each of degrees, minutes and seconds; the signs are shown, not typed.
    e->setInputMask(QStringLiteral("99°99'99\";_"));
    e->setMaxLength(9);
    return e;
  };
  meLatitude = mascara("meLatitude", 69);
  meLongitude = mascara("meLongitude", 101);
  btnCriar = new QPushButton(QStringLiteral("Criar"), gbIdentSecInt);
  btnCriar->setObjectName(QStringLiteral("btnCriar"));
  btnCriar->setGeometry(168, 97, 75, 25);
  // Each caption ends just before its box, whatever the font; the boxes move right only when a
  // caption would not fit before them.
  lblLatitude->adjustSize();
  lblLongitude->adjustSize();
  const int xCaixas = std::max(91, 12 + std::max(lblLatitude->width(), lblLongitude->width()));
  for (auto [rotulo, caixa] : {std::pair{lblLatitude, meLatitude}, {lblLongitude, meLongitude}}) {
    caixa->move(xCaixas, caixa->y());
    rotulo->move(xCaixas - 4 - rotulo->width(),
                 caixa->y() + (caixa->height() - rotulo->height()) / 2);
  }
  btnCriar->move(std::max(168, xCaixas + meLatitude->width() + 7), btnCriar->y());
  for (QWidget* w : {static_cast<QWidget*>(lblLatitude), static_cast<QWidget*>(lblLongitude),
                     static_cast<QWidget*>(meLatitude), static_cast<QWidget*>(meLongitude),
                     static_cast<QWidget*>(btnCriar)})
    w->hide();

  gbTemas = new QGroupBox(QStringLiteral("Temas"), pnlCantoEsqSup);
  gbTemas->setObjectName(QStringLiteral("gbTemas"));
  gbTemas->setGeometry(16, 160, 337, 145);
  chkLimite = Tema("chkLimite", QStringLiteral("Limite"), 16, 21, true);
  chkHidrografia = Tema("chkHidrografia", QStringLiteral("Hidrografia"), 16, 45, true);
  chkEstados = Tema("chkEstados", QStringLiteral("Estados"), 16, 69, false);
  chkMunicipios = Tema("chkMunicipios", QStringLiteral("Municípios"), 16, 93, false);
  chkEstradas = Tema("chkEstradas", QStringLiteral("Estradas"), 103, 21, false);
  chkEstFlu = Tema("chkEstFlu", QStringLiteral("Est. Fluviométricas"), 103, 45, false);
  chkEstPlu = Tema("chkEstPlu", QStringLiteral("Est. Pluviométricas"), 103, 69, false);
  chkOutAna = Tema("chkOutAna", QStringLiteral("Out. ANA"), 103, 93, false);
  chkOutSupSignif = Tema("chkOutSupSignif", QStringLiteral("Out. Sup. Signif."), 224, 21, false);
  chkOutSupInsig = Tema("chkOutSupInsig", QStringLiteral("Out. Sup. Insig."), 224, 45, false);
  chkOutSubSignif = Tema("chkOutSubSignif", QStringLiteral("Out. Sub. Signif."), 224, 69, false);
  chkOutSubInsig = Tema("chkOutSubInsig", QStringLiteral("Out. Sub. Insig."), 224, 93, false);
  chkBacia = Tema("chkBacia", QStringLiteral("Bacia de contribuição da seção"), 16, 117, true);
  DispoeTemas();
  // The left column widens with the themes, so that the basin map never covers them.
  const int esquerda = std::max(370, gbTemas->geometry().right() + 17);
  gbIdentSecInt->resize(gbTemas->width(), gbIdentSecInt->height());
  splVert->setSizes({esquerda, std::max(100, 834 - 6 - esquerda)});

  sbCursor = Botao("sbCursor", 17, 23);
  sbZoomIn = Botao("sbZoomIn", 40, 23);
  sbZoomOut = Botao("sbZoomOut", 63, 23);
  sbPan = Botao("sbPan", 86, 23);
  sbFullExtend = Botao("sbFullExtend", 109, 23);
  sbZoomFixedIn = Botao("sbZoomFixedIn", 132, 23);
  sbZoomFixedOut = Botao("sbZoomFixedOut", 155, 23);
  sbInformation = Botao("sbInformation", 178, 23);
  sbCoordLatLong = Botao("sbCoordLatLong", 201, 51);
  sbCoordLatLong->setText(QStringLiteral("LatLong"));
  sbCoordLatLong->hide();
  btnExportarBacia = new QPushButton(QStringLiteral("Exportar bacia..."), pnlCantoDir);
  btnExportarBacia->setObjectName(QStringLiteral("btnExportarBacia"));
  btnExportarBacia->setGeometry(262, 4, 110, 24);
  // As wide as its caption at a larger font.
  btnExportarBacia->resize(std::max(110, btnExportarBacia->sizeHint().width()), 24);
  const std::pair<QToolButton*, TImagemBotao> imagens[] = {
      {sbCursor, TImagemBotao::Cursor},
      {sbZoomIn, TImagemBotao::ZoomIn},
      {sbZoomOut, TImagemBotao::ZoomOut},
      {sbPan, TImagemBotao::Pan},
      {sbFullExtend, TImagemBotao::FullExtend},
      {sbZoomFixedIn, TImagemBotao::ZoomFixedIn},
      {sbZoomFixedOut, TImagemBotao::ZoomFixedOut},
      {sbInformation, TImagemBotao::Information}};
  for (const auto& [b, img] : imagens) b->setIcon(ImagemBotao(img));

  Ferramentas_ = new QButtonGroup(this);
  Ferramentas_->setExclusive(true);
  for (QToolButton* b : {sbCursor, sbZoomIn, sbZoomOut, sbPan, sbInformation, sbCoordLatLong}) {
    b->setCheckable(true);
    Ferramentas_->addButton(b);
  }
  sbCursor->setChecked(true);

  Map1 = new TMap(pnlCantoDir);
  Map1->setObjectName(QStringLiteral("Map1"));
  Map1->setMouseTracking(true);
  Ancora(Map1, QRect(16, 30, 425, 502), QSize(458, 548));

  connect(sbCursor, &QToolButton::clicked, this, &TfrmLocalizacao::sbCursorClick);
  connect(sbFullExtend, &QToolButton::clicked, this, &TfrmLocalizacao::sbFullExtendClick);
  connect(sbZoomFixedIn, &QToolButton::clicked, this, &TfrmLocalizacao::sbZoomFixedInClick);
  connect(sbZoomFixedOut, &QToolButton::clicked, this, &TfrmLocalizacao::sbZoomFixedOutClick);
  connect(rbMapa, &QRadioButton::clicked, this, &TfrmLocalizacao::rbMapaClick);
  connect(rbLatLong, &QRadioButton::clicked, this, &TfrmLocalizacao::rbLatLongClick);
  connect(btnCriar, &QPushButton::clicked, this, &TfrmLocalizacao::btnCriarClick);
  connect(Map1, &TMap::MouseDown, this, &TfrmLocalizacao::Map1MouseDown);
  connect(Map1, &TMap::MouseMove, this, &TfrmLocalizacao::Map1MouseMove);
  connect(Map1, &TMap::AntesDesenharCamada, this,
          [this](int, QPainter&) { Map1->SetPonteiro(11); });
  connect(Map1, &TMap::AposDesenharCamada, this, [this](int indice, QPainter&) {
    if (indice == 0) Map2->RefrescaTracking();
    PonteiroDaFerramenta();
  });
  // The locator follows every change of the view, also those the engine makes on its own.
  connect(Map1, &TMap::ExtensaoAlterada, Map2, &TMap::RefrescaTracking);
  connect(Map2, &TMap::AposDesenharTracking, this, [this](QPainter&) { DesenhaLocalizador(); });
  LigaTemas();
}

// The three columns of themes as wide as their longest caption, so that no caption runs into the
// next column at a larger font; the design positions are the least.
void TfrmLocalizacao::DispoeTemas() {
  const std::vector<std::vector<QCheckBox*>> colunas = {
      {chkLimite, chkHidrografia, chkEstados, chkMunicipios},
      {chkEstradas, chkEstFlu, chkEstPlu, chkOutAna},
      {chkOutSupSignif, chkOutSupInsig, chkOutSubSignif, chkOutSubInsig}};
  const int projeto[] = {16, 103, 224};
  int x = 0;
  for (std::size_t c = 0; c < colunas.size(); ++c) {
    x = std::max(x, projeto[c]);
    int largura = 0;
    for (QCheckBox* caixa : colunas[c]) largura = std::max(largura, caixa->sizeHint().width());
    for (QCheckBox* caixa : colunas[c]) caixa->move(x, caixa->y());
    x += largura + 8;
  }
  // The basin outline's box spans the columns in the last row.
  x = std::max(x, chkBacia->x() + chkBacia->sizeHint().width() + 8);
  gbTemas->resize(std::max(gbTemas->width(), x), gbTemas->height());
}

void TfrmLocalizacao::LigaTemas() {
  struct TLigacao {
    QCheckBox* Caixa;
    std::vector<const char*> Camadas;
    const char* Rotulo;
  };
  const TLigacao ligacoes[] = {
      {chkLimite, {"Limite"}, nullptr},
      {chkHidrografia, {"Hidrografia"}, nullptr},
      {chkEstados, {"Estados"}, "UF"},
      {chkMunicipios, {"Municipios", "Municipios_Sedes"}, "Municipio"},
      {chkEstradas, {"Estradas"}, "Rodovia"},
      {chkEstFlu, {"Est_Fluviometricas"}, "Codigo"},
      {chkEstPlu, {"Est_Pluviometricas"}, "Codigo_str"},
      {chkOutAna, {"Out_Sup_ANA"}, nullptr},
      {chkOutSupSignif, {"Out_Sup_Signif_AQEM"}, nullptr},
      {chkOutSupInsig, {"Out_Sup_Insignif_AQEM"}, nullptr},
      {chkOutSubSignif, {"Out_Sub_Signif_AQEM"}, nullptr},
      {chkOutSubInsig, {"Out_Sub_Insignif_AQEM"}, nullptr},
  };
  for (const TLigacao& l : ligacoes) {
    connect(l.Caixa, &QCheckBox::clicked, this, [this, l](bool marcado) {
      bool primeira = true;
      for (const char* nome : l.Camadas) {
        TCamada* c = Map1->Camada(QString::fromLatin1(nome));
        if (!c) continue;
        if (primeira && l.Rotulo) c->DefineRotulos(QString::fromLatin1(l.Rotulo));
        primeira = false;
        c->SetVisivel(marcado);
      }
      Map1->Refresca();
      Map2->RefrescaTracking();
    });
  }
}

void TfrmLocalizacao::AdicionaCamadas() {
  auto camada = [this](const char* nome) -> TCamada* {
    TCamada* c = Sistema_.Camada(QString::fromLatin1(nome));
    return c && c->Valida() ? c : nullptr;
  };
  auto a1 = [&](const char* nome) {
    if (TCamada* c = camada(nome)) Map1->AdicionaCamada(c);
  };
  auto a2 = [&](const char* nome) {
    if (TCamada* c = camada(nome)) Map2->AdicionaCamada(c);
  };
  a1("Limite");
  a2("Limite");
  a1("Hidrografia");
  a2("Hidrografia_Principais");
  for (const char* nome : {"Estados", "Municipios", "Municipios_Sedes", "Estradas",
                           "Est_Fluviometricas", "Est_Pluviometricas"})
    a1(nome);
  a1("Ponto");
  a2("Ponto");
  if (TCamada* ponto = camada("Ponto")) {
    new TMarcadorSecao(Map1, ponto);
    new TMarcadorSecao(Map2, ponto);
    try {
      LimpaCamadaPonto(*ponto);
    } catch (const ETorveda& e) {
      Apresentador_.Erro(e.mensagem());
    }
  }
  for (const char* nome :
       {"Reg_Met_Tradicional", "Out_Sup_Signif_AQEM", "Out_Sup_Insignif_AQEM",
        "Out_Sub_Signif_AQEM", "Out_Sub_Insignif_AQEM", "Out_Sup_ANA", "Ad_Regioes"})
    a1(nome);
  BaciaNoMapa = new TBaciaNoMapa(
      camada("Ponto"), [this] { return Bacia(); }, Apresentador_, this);
  BaciaNoMapa->AdicionaMapa(Map1);
  BaciaNoMapa->AdicionaMapa(Map2);
  connect(chkBacia, &QCheckBox::clicked, BaciaNoMapa, &TBaciaNoMapa::SetVisivel);
  connect(btnExportarBacia, &QPushButton::clicked, BaciaNoMapa, &TBaciaNoMapa::Exporta);
  BaciaNoMapa->Atualiza();
  Map1->Refresca();
  Map2->Refresca();
}

void TfrmLocalizacao::Desativa() {
  for (QWidget* w : std::initializer_list<QWidget*>{Map1,           Map2,
                                                    sbCursor,       sbZoomIn,
                                                    sbZoomOut,      sbPan,
                                                    sbFullExtend,   sbZoomFixedIn,
                                                    sbZoomFixedOut, sbInformation,
                                                    btnCriar,       chkLimite,
                                                    chkHidrografia, chkEstados,
                                                    chkMunicipios,  chkEstradas,
                                                    chkEstFlu,      chkEstPlu,
                                                    chkOutAna,      chkOutSupSignif,
                                                    chkOutSupInsig, chkOutSubSignif,
                                                    chkOutSubInsig})
    w->setEnabled(false);
  chkBacia->setEnabled(false);
  btnExportarBacia->setEnabled(false);
}

void TfrmLocalizacao::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (Sistema_.MapasCarregados) sbFullExtendClick();
}

bool TfrmLocalizacao::eventFilter(QObject* objeto, QEvent* e) {
  if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
    static const std::pair<const char*, const char*> textos[] = {
        {"sbCursor", "Criar outorga"},
        {"sbZoomIn", "Zoom in"},
        {"sbZoomOut", "Zoom out"},
        {"sbPan", "Pan"},
        {"sbFullExtend", "Full extend"},
        {"sbZoomFixedIn", "Fixed zoom in"},
        {"sbZoomFixedOut", "Fixed zoom out"},
        {"sbInformation", "Identificação"}};
    for (const auto& [nome, texto] : textos)
      if (objeto->objectName() == QLatin1String(nome))
        Rodape_.EscreveStatus(1, QStringLiteral("       ") + QString::fromUtf8(texto));
    if (objeto == pnlCantoDir && e->type() == QEvent::MouseMove)
      Rodape_.EscreveStatus(1, QStringLiteral(" "));
  }
  return QWidget::eventFilter(objeto, e);
}

void TfrmLocalizacao::sbFullExtendClick() {
  try {
    TCamada* escolhida = nullptr;
    for (const char* nome : {"Estados", "Municipios", "Estradas", "Est_Pluviometricas"}) {
      TCamada* c = Map1->Camada(QString::fromLatin1(nome));
      if (c && c->Visivel()) {
        escolhida = c;
        break;
      }
    }
    if (!escolhida) escolhida = Map1->Camada(QStringLiteral("Limite"));
    if (!escolhida) throw ETorveda(QStringLiteral("Limite"));
    const TRetangulo extensao = escolhida->Extensao();
    if (extensao.Vazio()) throw ETorveda(QStringLiteral("Limite"));
    Map1->SetExtensao(extensao);
    Map1->Refresca();
  } catch (const std::exception&) {
    Apresentador_.Erro(QStringLiteral("Erro ao redimensionar os mapas."));
  }
}

void TfrmLocalizacao::sbZoomFixedInClick() {
  Map1->SetExtensao(Map1->Extensao().Escalado(FatorZoomFixo));
}

void TfrmLocalizacao::sbZoomFixedOutClick() {
  Map1->SetExtensao(Map1->Extensao().Escalado(1.0 / FatorZoomFixo));
}

void TfrmLocalizacao::sbCursorClick() {
  if (!rbMapa->isChecked()) {
    rbMapa->setChecked(true);
    rbMapaClick();
  }
}

void TfrmLocalizacao::rbMapaClick() {
  for (QWidget* w : std::initializer_list<QWidget*>{lblLatitude, lblLongitude, meLatitude,
                                                    meLongitude, btnCriar})
    w->hide();
  sbCursor->setChecked(true);
}

void TfrmLocalizacao::rbLatLongClick() {
  for (QWidget* w : std::initializer_list<QWidget*>{lblLatitude, lblLongitude, meLatitude,
                                                    meLongitude, btnCriar})
    w->show();
  meLatitude->setFocus();
  sbCoordLatLong->setChecked(true);
}

const TBacia* TfrmLocalizacao::Bacia() {
  if (!Bacia_) {
    try {
      Bacia_.emplace(BaciaDoSistema(Sistema_));
    } catch (const ETorveda& e) {
      if (!BaciaTentada_) Apresentador_.Erro(e.mensagem());
      BaciaTentada_ = true;
      return nullptr;
    }
  }
  return &*Bacia_;
}

TInterfaceSecao TfrmLocalizacao::Interface() {
  TInterfaceSecao i;
  i.MostraProgresso = [this] { Rodape_.MostraProgresso(true); };
  i.OcultaProgresso = [this] { Rodape_.MostraProgresso(false); };
  i.Redesenha = [this] {
    Map1->Refresca();
    Map2->Refresca();
  };
  i.Confirmada = [this] { Rodape_.EscreveStatus(1, QStringLiteral(" ")); };
  return i;
}

template <typename F>
void TfrmLocalizacao::Coloca(F&& fluxo) {
  const TBacia* bacia = Bacia();
  if (!bacia || !Sistema_.Ponto) return;
  // A No leaves the "Ponto" layer as it was, so the section object goes back to the section that
  // layer shows.
  const TPonto anterior = *Sistema_.Ponto;
  try {
    const TResultadoSecao r = fluxo(*Sistema_.Ponto, *bacia);
    if (r == TResultadoSecao::NaoConfirmada || r == TResultadoSecao::NaoSubstituida)
      *Sistema_.Ponto = anterior;
  } catch (const ETorveda& e) {
    Apresentador_.Erro(e.mensagem());
  }
  Map1->Refresca();
  Map2->Refresca();
}

void TfrmLocalizacao::btnCriarClick() {
  auto digitos = [](const QLineEdit* e) {
    QString s;
    for (QChar c : e->text())
      if (c.isDigit()) s += c;
    return s;
  };
  const QString lat = digitos(meLatitude), lon = digitos(meLongitude);
  Coloca([&](TPonto& ponto, const TBacia& bacia) {
    return ColocaSecaoDigitada(ponto, bacia, lat, lon, Apresentador_, Interface());
  });
}

void TfrmLocalizacao::Map1MouseDown(int, int, int x, int y) {
  const TPontoMapa p = Map1->PontoDoPixel(QPointF(x, y));
  if (sbZoomIn->isChecked()) {
    const TRetangulo r = Map1->ArrastaRetangulo();
    if (!r.Vazio()) Map1->SetExtensao(r);
  } else if (sbZoomOut->isChecked()) {
    const TRetangulo r = Map1->ArrastaRetangulo();
    if (!r.Vazio()) Map1->SetExtensao(r.Escalado(FatorZoomOut));
  } else if (sbPan->isChecked()) {
    Map1->SetPonteiro(54);
    Map1->Arrasta();
    Map1->SetPonteiro(53);
  } else if (sbCursor->isChecked()) {
    Coloca([&](TPonto& ponto, const TBacia& bacia) {
      return ColocaSecaoNoPonto(ponto, bacia, p, Apresentador_, Interface());
    });
  } else if (sbInformation->isChecked()) {
    const TBacia* bacia = Bacia();
    if (!bacia) return;
    try {
      // A point of its own: identifying never replaces the section of interest.
      const TPontoIdentificado identificado = IdentificaPonto(*bacia, p);
      if (!frmIdentificacao) frmIdentificacao = new TfrmIdentificacao(Sistema_, this);
      frmIdentificacao->MontaArvore(p, identificado);
      frmIdentificacao->exec();
    } catch (const ETorveda& e) {
      Apresentador_.Erro(e.mensagem());
    }
  }
}

void TfrmLocalizacao::PonteiroDaFerramenta() {
  int codigo = 0;
  if (sbZoomIn->isChecked())
    codigo = 51;
  else if (sbZoomOut->isChecked())
    codigo = 52;
  else if (sbPan->isChecked())
    codigo = 53;
  Map1->SetPonteiro(codigo);
}

QString TfrmLocalizacao::TextoCoordenadas(const TPontoMapa& p) {
  QLocale local;
  local.setNumberOptions(QLocale::OmitGroupSeparator);
  // Projected metres to the centimetre, as the reports print them.
  auto texto = [&](double v) { return local.toString(v, 'f', 2) + QStringLiteral(" m"); };
  return QStringLiteral("       X = ") + texto(p.X) + QStringLiteral("    Y = ") + texto(p.Y);
}

void TfrmLocalizacao::Map1MouseMove(int, int, int x, int y) {
  const TPontoMapa p = Map1->PontoDoPixel(QPointF(x, y));
  int codigo = 0;
  if (sbZoomIn->isChecked()) {
    codigo = 51;
  } else if (sbZoomOut->isChecked()) {
    codigo = 52;
  } else if (sbPan->isChecked()) {
    codigo = 53;
  } else if (sbInformation->isChecked()) {
    codigo = 55;
  } else if (sbCursor->isChecked() && Sistema_.ImgHidroMapeada && Sistema_.HeaderMDE) {
    // A pointer outside the grid is over no river cell.
    if (const TBacia* bacia = Bacia()) {
      const TRede rede = bacia->Rede();
      const std::int64_t celula = rede.Malha().IndiceCelula(p);
      if (rede.Malha().Contem(celula) && rede.HidroMapeada(celula) != Convencao::SemDado)
        codigo = 57;
    }
  }
  Map1->SetPonteiro(codigo);
  Rodape_.EscreveStatus(1, TextoCoordenadas(p));
}

bool TfrmLocalizacao::AlgumTema() const {
  for (const QCheckBox* c :
       {chkLimite, chkHidrografia, chkEstados, chkMunicipios, chkEstradas, chkEstFlu, chkEstPlu,
        chkOutAna, chkOutSupSignif, chkOutSupInsig, chkOutSubSignif, chkOutSubInsig})
    if (c->isChecked()) return true;
  return false;
}

void TfrmLocalizacao::DesenhaLocalizador() {
  if (!AlgumTema()) return;
  const TRetangulo e = Map1->Extensao();
  if (e.Vazio()) return;
  TSimbolo simbolo;
  simbolo.SetCorContorno(QColor(255, 0, 0));
  simbolo.SetEstilo(1);
  Map2->DesenhaForma(TForma::Poligono({{e.Esquerda(), e.Baixo()},
                                       {e.Direita(), e.Baixo()},
                                       {e.Direita(), e.Topo()},
                                       {e.Esquerda(), e.Topo()},
                                       {e.Esquerda(), e.Baixo()}}),
                     simbolo);
}
