#pragma once
// The main window: a multiple-document frame with the system's menus, the two-panel status bar
// with its progress label and bar, and the life cycle of the child windows.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>

#include "base/gui/ContextoJanela.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class QProgressBar;
class QToolButton;
class TApresentador;
class TSistema;
class TPonto;
class TfrmAjuda;

// The kinds of child window; at most one of each exists at a time.
enum class TTipoJanela {
  Localizacao,
  Vazao,
  Outorga,
  AtualizaVazao,
  AtualizaEqTrad,
  AtualizaEqCons,
  Manutencao,
};
inline constexpr int NumTiposJanela = 7;

class TfrmMain : public QMainWindow, public TRodape {
  Q_OBJECT
 public:
  // Runs the window's creation step: the help file name, then the system's loads (Ponto with
  // AtualizaProgresso attached, header, grids, connection, layers, MapasCarregados). Its own
  // messages, the loads' and those of every child window go to `apresentador`.
  TfrmMain(TSistema& sistema, TApresentador& apresentador, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Builds a child window of a kind. The windowed program installs one for each kind it has;
  // tests install their own.
  using TFabricaJanela = std::function<QWidget*(TContextoJanela&)>;
  void DefineFabrica(TTipoJanela tipo, TFabricaJanela fabrica, bool destroiAoFechar);

  // A menu command that is not a window (reports, imports), by the menu item's name.
  void DefineComando(const QString& nomeItem, std::function<void()> comando);

  // Create-or-reuse: the window of that kind, maximized and in front; nullptr when the kind
  // has no window.
  QWidget* MostraFilho(TTipoJanela tipo);
  // The current window of that kind, or nullptr.
  QWidget* Filho(TTipoJanela tipo) const;
  // Closes the child window in front (Ctrl+F4, Ctrl+W, the menu bar's close button): the
  // availability and grant windows are destroyed, the others hidden until their next command.
  void FechaFilhoAtivo();
  // The small close button at the right end of the menu bar, shown while a child is.
  QToolButton* btnFechaFilho() const { return BotaoFecha_; }

  // The maintenance item, hidden in daily use, is shown for those who prepare the basin's data.
  void MostraManutencao(bool visivel);
  // The command line asks for it ("--manutencao").
  static bool PedeManutencao(const QStringList& argumentos);

  // Whether every child window lets the program end: each one with work that would be lost comes
  // to the front and asks first (a child tells through its invokable "TrabalhoPendente" and asks
  // through its invokable "PodeFechar"). False when the user cancelled.
  bool FilhosPodemFechar();

  // TRodape
  void EscreveStatus(int painel, const QString& texto) override;
  QString Status(int painel) const override;
  void MostraProgresso(bool visivel) override;

  // OnProgresso handler of Ponto.
  void AtualizaProgresso(TPonto& sender, int max, int posicao, const QString& texto);

  const QString& ArquivoAjuda() const { return ArquivoAjuda_; }
  TSistema& Sistema() { return Sistema_; }
  // What the child windows receive.
  TContextoJanela& Contexto() { return Contexto_; }
  QLabel* lblBarraProgresso = nullptr;
  QProgressBar* prbBarraProgresso = nullptr;

 private:
  void closeEvent(QCloseEvent* evento) override;
  void CriaMenus();
  void CriaRodape();
  void CriaAtalhos();
  void AtualizaBotaoFecha();
  QAction* Item(QMenu* menu, const char* nome, const QString& titulo, void (TfrmMain::*acao)());
  void AbreAjuda(bool busca);
  void AbreEndereco(const QString& endereco);

  // Menu commands.
  void mmLocalizacaoClick();
  void mmVazaoClick();
  void mmOutorgaClick();
  void mmiRelVazaoDispClick();
  void mmiRelOutMontanteClick();
  void ExecutaComando(const QString& nomeItem);
  void mmiVazoesClick();
  void mmiCoefTradicionalClick();
  void mmiCoefConsMassaClick();
  void mmiOutorgasAqemClick();
  void mmiOutorgasAnaClick();
  void mmiConteudoClick();
  void mmiObterClick();
  void mmiLMZClick();
  void mmiNQTSClick();
  void mmiAqemClick();
  void mmiSobreClick();
  void mmManutencaoClick();

  struct TEntradaFilho {
    TFabricaJanela Fabrica;
    bool DestroiAoFechar = false;
    QString Status;
    QPointer<QMdiSubWindow> Janela;
  };

  TSistema& Sistema_;
  TContextoJanela Contexto_;
  QString ArquivoAjuda_;
  QMdiArea* Mdi_ = nullptr;
  QLabel* Painel0_ = nullptr;
  QLabel* Painel1_ = nullptr;
  QStatusBar* stbRodape = nullptr;
  std::array<TEntradaFilho, NumTiposJanela> Filhos_;
  QToolButton* BotaoFecha_ = nullptr;
  QPointer<TfrmAjuda> Ajuda_;
  QHash<QString, std::function<void()>> Comandos_;
};
