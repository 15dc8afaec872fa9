#include "app/gui/TfrmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include "app/gui/Arte.h"
#include "app/gui/EnderecosWeb.h"
#include "app/gui/TfrmAjuda.h"
#include "app/gui/TfrmSplash.h"
#include "base/Apresentador.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {
// Texts of status panel 0 (six leading blanks).
const QString StatusLocalizacao = QStringLiteral("      Localização");
const QString StatusVazao = QStringLiteral("      Vazão");
const QString StatusOutorga = QStringLiteral("      Outorga");
const QString StatusVazoes = QStringLiteral("      Atualização das Vazões");
const QString StatusEqTrad = QStringLiteral("      Atualização das equações do método tradicional");
const QString StatusEqCons =
    QStringLiteral("      Atualização das equações do baseado na conservação de massas");
const QString StatusManutencao = QStringLiteral("      Manutenção");
}  // namespace

TfrmMain::TfrmMain(TSistema& sistema, TApresentador& apresentador, QWidget* parent)
    : QMainWindow(parent), Sistema_(sistema), Contexto_{sistema, *this, apresentador} {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("TORVEDA - Sistema integrado para a gestão de recursos hídricos"));
  setWindowIcon(IconePrograma());
  resize(848, 627);
  setMinimumSize(848, 627);
  QFont fonte(QStringLiteral("MS Sans Serif"), 8);
  fonte.setStyleHint(QFont::SansSerif);
  setFont(fonte);

  Mdi_ = new QMdiArea(this);
  Mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setCentralWidget(Mdi_);
  CriaMenus();
  CriaRodape();
  CriaAtalhos();

  Filhos_[static_cast<int>(TTipoJanela::Localizacao)].Status = StatusLocalizacao;
  Filhos_[static_cast<int>(TTipoJanela::Vazao)].Status = StatusVazao;
  Filhos_[static_cast<int>(TTipoJanela::Outorga)].Status = StatusOutorga;
  Filhos_[static_cast<int>(TTipoJanela::AtualizaVazao)].Status = StatusVazoes;
  Filhos_[static_cast<int>(TTipoJanela::AtualizaEqTrad)].Status = StatusEqTrad;
  Filhos_[static_cast<int>(TTipoJanela::AtualizaEqCons)].Status = StatusEqCons;
  Filhos_[static_cast<int>(TTipoJanela::Manutencao)].Status = StatusManutencao;

  if (QScreen* tela = QGuiApplication::primaryScreen())
    move(tela->availableGeometry().center() - rect().center());

  // Creation step: help file, then the basin's data.
  ArquivoAjuda_ = Sistema_.Caminhos().Ajuda();
  Sistema_.CriaFormPrincipal(apresentador);
  Sistema_.Ponto->OnProgresso = [this](TPonto& p, std::int32_t max, std::int32_t pos,
                                       const QString& texto) {
    AtualizaProgresso(p, max, pos, texto);
  };
}

TfrmMain::~TfrmMain() {
  // The children close while the frame is taken down; the menu bar is gone by then.
  Mdi_->disconnect(this);
  // The progress handler points at this window; the section object outlives it.
  if (Sistema_.Ponto) Sistema_.Ponto->OnProgresso = nullptr;
}

QAction* TfrmMain::Item(QMenu* menu, const char* nome, const QString& titulo,
                        void (TfrmMain::*acao)()) {
  QAction* a = menu->addAction(titulo);
  a->setObjectName(QString::fromLatin1(nome));
  connect(a, &QAction::triggered, this, acao);
  return a;
}

void TfrmMain::CriaMenus() {
  QMenuBar* barra = menuBar();
  auto topo = [&](const char* nome, const QString& titulo, void (TfrmMain::*acao)()) {
    QAction* a = barra->addAction(titulo);
    a->setObjectName(QString::fromLatin1(nome));
    connect(a, &QAction::triggered, this, acao);
    return a;
  };
  auto submenu = [&](const char* nome, const QString& titulo) {
    QMenu* m = barra->addMenu(titulo);
    m->setObjectName(QString::fromLatin1(nome));
    m->menuAction()->setObjectName(QString::fromLatin1(nome));
    return m;
  };

  topo("mmLocalizacao", QStringLiteral("&Localização"), &TfrmMain::mmLocalizacaoClick);
  topo("mmVazao", QStringLiteral("&Vazão"), &TfrmMain::mmVazaoClick);
  topo("mmOutorga", QStringLiteral("&Outorga"), &TfrmMain::mmOutorgaClick);

  QMenu* rel = submenu("mmRelatorios", QStringLiteral("Relatórios"));
  Item(rel, "mmiRelVazaoDisp", QStringLiteral("Vazão disponível"), &TfrmMain::mmiRelVazaoDispClick);
  Item(rel, "mmiRelOutMontante", QStringLiteral("Outorgas a montante"),
       &TfrmMain::mmiRelOutMontanteClick);

  QMenu* atu = submenu("mmAtualizacao", QStringLiteral("A&tualização"));
  Item(atu, "mmiVazoes", QStringLiteral("Vazões"), &TfrmMain::mmiVazoesClick);
  atu->addSeparator();
  Item(atu, "mmiCoefTradicional", QStringLiteral("Equações Mét. Tradicional"),
       &TfrmMain::mmiCoefTradicionalClick);
  Item(atu, "mmiCoefConsMassa", QStringLiteral("Equações Mét. Cons. de massas"),
       &TfrmMain::mmiCoefConsMassaClick);
  atu->addSeparator();
  Item(atu, "mmiOutorgasAqem", QStringLiteral("Outorgas Estaduais (AQEM)"),
       &TfrmMain::mmiOutorgasAqemClick);
  Item(atu, "mmiOutorgasAna", QStringLiteral("Outorgas Federais (ANA)"),
       &TfrmMain::mmiOutorgasAnaClick);

  QMenu* ajuda = submenu("mmAjuda", QStringLiteral("&Ajuda"));
  Item(ajuda, "mmiConteudo", QStringLiteral("Conteúdo"), &TfrmMain::mmiConteudoClick);
  Item(ajuda, "mmiObter", QStringLiteral("Obter ajuda sobre"), &TfrmMain::mmiObterClick);
  ajuda->addSeparator();
  Item(ajuda, "mmiLMZ", QStringLiteral("&LMZ na web"), &TfrmMain::mmiLMZClick);
  Item(ajuda, "mmiNQTS", QStringLiteral("&NQTS na web"), &TfrmMain::mmiNQTSClick);
  Item(ajuda, "mmiAqem", QStringLiteral("&AQEM na web"), &TfrmMain::mmiAqemClick);
  ajuda->addSeparator();
  Item(ajuda, "mmiSobre", QStringLiteral("Sobre o TORVEDA"), &TfrmMain::mmiSobreClick);

  // Hidden, but its command works.
  topo("mmManutencao", QStringLiteral("Manutenção"), &TfrmMain::mmManutencaoClick)
      ->setVisible(false);
}

void TfrmMain::CriaRodape() {
  stbRodape = new QStatusBar(this);
  stbRodape->setObjectName(QStringLiteral("stbRodape"));
  stbRodape->setSizeGripEnabled(true);
  setStatusBar(stbRodape);

  Painel0_ = new QLabel(QStringLiteral(" "), stbRodape);
  Painel0_->setObjectName(QStringLiteral("stbRodapePainel0"));
  Painel0_->setFixedWidth(372);
  Painel0_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Painel1_ = new QLabel(QStringLiteral(" "), stbRodape);
  Painel1_->setObjectName(QStringLiteral("stbRodapePainel1"));
  Painel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  stbRodape->addWidget(Painel0_);
  stbRodape->addWidget(Painel1_, 1);

  // Over the panels, not inside them: placed by hand as the frame lays them out.
  lblBarraProgresso = new QLabel(stbRodape);
  lblBarraProgresso->setObjectName(QStringLiteral("lblBarraProgresso"));
  lblBarraProgresso->setGeometry(393, 3, 220, 14);
  lblBarraProgresso->hide();
  prbBarraProgresso = new QProgressBar(stbRodape);
  prbBarraProgresso->setObjectName(QStringLiteral("prbBarraProgresso"));
  prbBarraProgresso->setGeometry(616, 4, 205, 12);
  prbBarraProgresso->setTextVisible(false);
  prbBarraProgresso->hide();
}

void TfrmMain::CriaAtalhos() {
  // The desktop's ways out of a maximized child window: the keys, and a close button at the right
  // end of the menu bar while a child is shown.
  for (const QKeySequence& tecla :
       {QKeySequence(Qt::CTRL | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    auto* atalho = new QShortcut(tecla, this);
    atalho->setContext(Qt::WindowShortcut);
    connect(atalho, &QShortcut::activated, this, &TfrmMain::FechaFilhoAtivo);
  }
  BotaoFecha_ = new QToolButton(menuBar());
  BotaoFecha_->setObjectName(QStringLiteral("btnFechaFilho"));
  BotaoFecha_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  BotaoFecha_->setToolTip(QStringLiteral("Fechar a janela (Ctrl+F4)"));
  BotaoFecha_->setAutoRaise(true);
  BotaoFecha_->setFocusPolicy(Qt::NoFocus);
  connect(BotaoFecha_, &QToolButton::clicked, this, &TfrmMain::FechaFilhoAtivo);
  menuBar()->setCornerWidget(BotaoFecha_, Qt::TopRightCorner);
  BotaoFecha_->hide();
  connect(Mdi_, &QMdiArea::subWindowActivated, this, &TfrmMain::AtualizaBotaoFecha);

  // A window manager closes the main window on Alt+F4; a bare display has none to do it.
  auto* sair = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
  sair->setContext(Qt::WindowShortcut);
  connect(sair, &QShortcut::activated, this, &QWidget::close);
}

void TfrmMain::MostraManutencao(bool visivel) {
  if (QAction* item = findChild<QAction*>(QStringLiteral("mmManutencao")))
    item->setVisible(visivel);
}

bool TfrmMain::PedeManutencao(const QStringList& argumentos) {
  return argumentos.mid(1).contains(QStringLiteral("--manutencao"));
}

bool TfrmMain::FilhosPodemFechar() {
  // The window in front first: its work is what the user last looked at.
  const auto lista = Mdi_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = lista.rbegin(); it != lista.rend(); ++it) {
    QWidget* janela = (*it)->widget();
    if (!janela || janela->metaObject()->indexOfMethod("PodeFechar()") < 0) continue;
    // The question is read beside the work it is about.
    bool pendente = false;
    if (janela->metaObject()->indexOfMethod("TrabalhoPendente()") >= 0)
      QMetaObject::invokeMethod(janela, "TrabalhoPendente", Qt::DirectConnection,
                                Q_RETURN_ARG(bool, pendente));
    if (pendente) {
      (*it)->showMaximized();
      Mdi_->setActiveSubWindow(*it);
    }
    bool pode = true;
    QMetaObject::invokeMethod(janela, "PodeFechar", Qt::DirectConnection, Q_RETURN_ARG(bool, pode));
    if (!pode) return false;
  }
  return true;
}

void TfrmMain::closeEvent(QCloseEvent* evento) {
  if (!FilhosPodemFechar()) {
    evento->ignore();
    return;
  }
  QMainWindow::closeEvent(evento);
}

void TfrmMain::FechaFilhoAtivo() {
  QMdiSubWindow* sub = Mdi_->activeSubWindow();
  if (!sub) {
    // The active one may have been hidden already; the one in front is the visible on top.
    const auto lista = Mdi_->subWindowList(QMdiArea::StackingOrder);
    for (auto it = lista.rbegin(); it != lista.rend() && !sub; ++it)
      if ((*it)->isVisible()) sub = *it;
  }
  if (sub) sub->close();
  AtualizaBotaoFecha();
}

void TfrmMain::AtualizaBotaoFecha() {
  bool algum = false;
  for (QMdiSubWindow* sub : Mdi_->subWindowList())
    algum = algum || (sub->isVisible() && sub->widget());
  BotaoFecha_->setVisible(algum);
}

void TfrmMain::DefineFabrica(TTipoJanela tipo, TFabricaJanela fabrica, bool destroiAoFechar) {
  auto& e = Filhos_[static_cast<int>(tipo)];
  e.Fabrica = std::move(fabrica);
  e.DestroiAoFechar = destroiAoFechar;
}

void TfrmMain::DefineComando(const QString& nomeItem, std::function<void()> comando) {
  Comandos_.insert(nomeItem, std::move(comando));
}

QWidget* TfrmMain::MostraFilho(TTipoJanela tipo) {
  auto& e = Filhos_[static_cast<int>(tipo)];
  EscreveStatus(0, e.Status);
  EscreveStatus(1, QStringLiteral(" "));
  if (!e.Janela) {
    if (!e.Fabrica) {
      Contexto_.Apresentador.Informacao(
          QStringLiteral("Esta janela ainda não faz parte desta versão."));
      return nullptr;
    }
    QWidget* janela = e.Fabrica(Contexto_);
    if (!janela) return nullptr;
    QMdiSubWindow* sub = Mdi_->addSubWindow(janela, Qt::FramelessWindowHint);
    sub->setAttribute(Qt::WA_DeleteOnClose, e.DestroiAoFechar);
    // Closing the frame closes the window; a window that is kept is only hidden.
    janela->setAttribute(Qt::WA_DeleteOnClose, e.DestroiAoFechar);
    // A window destroyed from inside takes its frame along, which clears the reference, so the
    // next command creates a new window instead of showing an empty frame.
    connect(janela, &QObject::destroyed, sub, [sub] { sub->deleteLater(); });
    connect(
        sub, &QObject::destroyed, this, [this] { AtualizaBotaoFecha(); }, Qt::QueuedConnection);
    e.Janela = sub;
  }
  e.Janela->showMaximized();
  e.Janela->widget()->show();
  e.Janela->raise();
  Mdi_->setActiveSubWindow(e.Janela);
  AtualizaBotaoFecha();
  return e.Janela->widget();
}

QWidget* TfrmMain::Filho(TTipoJanela tipo) const {
  const auto& e = Filhos_[static_cast<int>(tipo)];
  return e.Janela ? e.Janela->widget() : nullptr;
}

void TfrmMain::EscreveStatus(int painel, const QString& texto) {
  (painel == 0 ? Painel0_ : Painel1_)->setText(texto);
}

QString TfrmMain::Status(int painel) const { return (painel == 0 ? Painel0_ : Painel1_)->text(); }

void TfrmMain::MostraProgresso(bool visivel) {
  if (visivel) prbBarraProgresso->setMinimum(0);
  lblBarraProgresso->setVisible(visivel);
  prbBarraProgresso->setVisible(visivel);
}

void TfrmMain::AtualizaProgresso(TPonto&, int max, int posicao, const QString& texto) {
  prbBarraProgresso->setMaximum(max);
  prbBarraProgresso->setValue(posicao);
  // Repaint only when the text changes: a computation reports one step per record.
  if (lblBarraProgresso->text() != texto) {
    lblBarraProgresso->setText(texto);
    lblBarraProgresso->repaint();
  }
}

void TfrmMain::mmLocalizacaoClick() { MostraFilho(TTipoJanela::Localizacao); }
void TfrmMain::mmVazaoClick() { MostraFilho(TTipoJanela::Vazao); }
void TfrmMain::mmOutorgaClick() { MostraFilho(TTipoJanela::Outorga); }
void TfrmMain::mmiVazoesClick() { MostraFilho(TTipoJanela::AtualizaVazao); }
void TfrmMain::mmiCoefTradicionalClick() { MostraFilho(TTipoJanela::AtualizaEqTrad); }
void TfrmMain::mmiCoefConsMassaClick() { MostraFilho(TTipoJanela::AtualizaEqCons); }
void TfrmMain::mmManutencaoClick() { MostraFilho(TTipoJanela::Manutencao); }

void TfrmMain::ExecutaComando(const QString& nomeItem) {
  const auto it = Comandos_.constFind(nomeItem);
  if (it == Comandos_.constEnd() || !*it) {
    Contexto_.Apresentador.Informacao(
        QStringLiteral("Este comando ainda não faz parte desta versão."));
    return;
  }
  (*it)();
}

void TfrmMain::mmiRelVazaoDispClick() { ExecutaComando(QStringLiteral("mmiRelVazaoDisp")); }
void TfrmMain::mmiRelOutMontanteClick() { ExecutaComando(QStringLiteral("mmiRelOutMontante")); }
void TfrmMain::mmiOutorgasAqemClick() { ExecutaComando(QStringLiteral("mmiOutorgasAqem")); }
void TfrmMain::mmiOutorgasAnaClick() { ExecutaComando(QStringLiteral("mmiOutorgasAna")); }

void TfrmMain::AbreAjuda(bool busca) {
  if (!Ajuda_) {
    Ajuda_ = new TfrmAjuda(this);
    Ajuda_->setAttribute(Qt::WA_DeleteOnClose);
  }
  if (!Ajuda_->Carrega(ArquivoAjuda_)) {
    Contexto_.Apresentador.Erro(QStringLiteral("Não foi possível abrir o arquivo de ajuda ") +
                                ArquivoAjuda_ + QLatin1Char('.'));
    Ajuda_->close();
    return;
  }
  busca ? Ajuda_->MostraBusca(QString()) : Ajuda_->MostraConteudo();
  Ajuda_->show();
  Ajuda_->raise();
  Ajuda_->activateWindow();
}

void TfrmMain::mmiConteudoClick() { AbreAjuda(false); }
void TfrmMain::mmiObterClick() { AbreAjuda(true); }

// A failure of the shell is not reported.
void TfrmMain::AbreEndereco(const QString& endereco) { QDesktopServices::openUrl(QUrl(endereco)); }
void TfrmMain::mmiLMZClick() { AbreEndereco(QString::fromLatin1(EnderecosWeb::LMZ)); }
void TfrmMain::mmiNQTSClick() { AbreEndereco(QString::fromLatin1(EnderecosWeb::NQTS)); }
void TfrmMain::mmiAqemClick() { AbreEndereco(QString::fromLatin1(EnderecosWeb::AQEM)); }

void TfrmMain::mmiSobreClick() {
  TfrmSplash sobre(this);
  sobre.MostraSobre(Sistema_.Caminhos().Dir());
  sobre.Centraliza(this);
  sobre.exec();
}
