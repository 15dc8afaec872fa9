#include "grants/gui/TfrmOutorga.h"

#include <algorithm>

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "app/TSistema.h"
#include "base/Apresentador.h"
#include "base/Convencoes.h"
#include "base/Erro.h"
#include "grants/DescricaoSecao.h"
#include "grants/MapaBaciaSistema.h"
#include "grants/gui/AtualizaSecao.h"
#include "grants/gui/TListaOutorgas.h"
#include "grants/gui/TtsGrid.h"
#include "grants/gui/ValidadorNumero.h"
#include "hydro/TPonto.h"

namespace {

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto, int x, int y) {
  auto* l = new QLabel(texto, pai);
  if (nome) l->setObjectName(QString::fromLatin1(nome));
  l->adjustSize();
  l->move(x, y);
  return l;
}

// A label that ends just before the control it names (the system's font may be wider than the
// one the window was laid out with).
QLabel* RotuloAte(QWidget* pai, const char* nome, const QString& texto, int direita, int y) {
  QLabel* l = Rotulo(pai, nome, texto, 0, y);
  l->move(std::max(2, direita - 2 - l->width()), y);
  return l;
}

const QString Unidade = QStringLiteral("m<sup>3</sup> s<sup>-1</sup>");

// A caption with the unit m^3 s^-1 between its parentheses. One label, so that the unit can
// never be drawn over the words around it, whatever the font.
QLabel* RotuloComUnidade(QWidget* pai, const char* nome, const QString& antes,
                         const QString& depois, int x, int y) {
  QLabel* l = Rotulo(pai, nome, antes.toHtmlEscaped() + Unidade + depois.toHtmlEscaped(), x, y);
  l->setTextFormat(Qt::RichText);
  l->adjustSize();
  return l;
}

QDateEdit* SeletorMes(QWidget* pai, const char* nome, int x, int y) {
  auto* d = new QDateEdit(pai);
  d->setObjectName(QString::fromLatin1(nome));
  d->setDisplayFormat(QStringLiteral("MM/yyyy"));
  d->setDateRange(QDate(Convencao::AnoInicial, 1, 1), QDate(Convencao::AnoFinal, 12, 31));
  d->setDate(QDate::currentDate());
  d->setGeometry(x, y, 89, 21);
  return d;
}

QDate PrimeiroDia(const QDate& d) { return QDate(d.year(), d.month(), 1); }

// The width a combo box needs to show its longest item whole.
int LarguraItens(QComboBox* caixa) {
  const QComboBox::SizeAdjustPolicy antes = caixa->sizeAdjustPolicy();
  caixa->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  const int largura = caixa->sizeHint().width();
  caixa->setSizeAdjustPolicy(antes);
  return largura;
}

}  // namespace

TfrmOutorga::TfrmOutorga(TContextoJanela& contexto, QWidget* parent)
    : QWidget(parent), Sistema_(contexto.Sistema) {
  setObjectName(QStringLiteral("frmOutorga"));
  setWindowTitle(QStringLiteral("Outorga"));
  resize(834, 544);
  CriaPeriodo();
  CriaCriterio();
  CriaGrades();
  Iniciais_ = Entradas();
}

void TfrmOutorga::CriaPeriodo() {
  gbPeriodo = new QGroupBox(QStringLiteral("Período e vazão a outorgar:"), this);
  gbPeriodo->setObjectName(QStringLiteral("gbPeriodo"));
  gbPeriodo->setGeometry(16, 8, 390, 105);
  RotuloAte(gbPeriodo, "lblInicio", QStringLiteral("Início: "), 88, 26);
  dtpInicio = SeletorMes(gbPeriodo, "dtpInicio", 88, 23);
  RotuloAte(gbPeriodo, "lblFim", QStringLiteral("Fim: "), 240, 26);
  dtpFim = SeletorMes(gbPeriodo, "dtpFim", 240, 23);
  RotuloAte(gbPeriodo, "lblVazao", QStringLiteral("Vazão solicitada: "), 140, 66);
  edtValorOutorga = new QLineEdit(gbPeriodo);
  edtValorOutorga->setObjectName(QStringLiteral("edtValorOutorga"));
  edtValorOutorga->setGeometry(140, 63, 53, 21);
  ConfiguraCaixaNumero(edtValorOutorga);
  auto* u = new QLabel(Unidade, gbPeriodo);
  u->setTextFormat(Qt::RichText);
  u->adjustSize();
  u->move(197, 65);
  btnOk = new QPushButton(QStringLiteral("Ok"), gbPeriodo);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(264, 62, 64, 21);
  connect(btnOk, &QPushButton::clicked, this, &TfrmOutorga::btnOkClick);
}

void TfrmOutorga::CriaCriterio() {
  gbDisponibilidade = new QGroupBox(QStringLiteral("Critério de outorga e disponibilidade:"), this);
  gbDisponibilidade->setObjectName(QStringLiteral("gbDisponibilidade"));
  gbDisponibilidade->setGeometry(424, 8, 388, 105);
  RotuloAte(gbDisponibilidade, "lblVazaoReferencia", QStringLiteral("Vazão de referência: "), 150,
            26);
  edtValorCriterio = new QLineEdit(gbDisponibilidade);
  edtValorCriterio->setObjectName(QStringLiteral("edtValorCriterio"));
  edtValorCriterio->setGeometry(150, 23, 53, 21);
  ConfiguraCaixaNumero(edtValorCriterio);
  Rotulo(gbDisponibilidade, "lblPercentagem", QStringLiteral("%            da:"), 207, 26);
  cbVarInteresse = new QComboBox(gbDisponibilidade);
  cbVarInteresse->setObjectName(QStringLiteral("cbVarInteresse"));
  cbVarInteresse->setEditable(true);
  cbVarInteresse->addItems(NomesReferencia());
  cbVarInteresse->setCurrentIndex(-1);
  cbVarInteresse->setGeometry(274, 23, 80, 21);
  RotuloAte(gbDisponibilidade, "lblMetodo", QStringLiteral("Método de regionalização: "), 150, 62);
  cbMetodo = new QComboBox(gbDisponibilidade);
  cbMetodo->setObjectName(QStringLiteral("cbMetodo"));
  cbMetodo->setEditable(true);
  cbMetodo->addItems(NomesMetodo());
  cbMetodo->setCurrentIndex(-1);
  cbMetodo->setGeometry(150, 59, 118, 21);
  btnCalcular = new QPushButton(QStringLiteral("Calcular"), gbDisponibilidade);
  btnCalcular->setObjectName(QStringLiteral("btnCalcular"));
  btnCalcular->setGeometry(289, 59, 64, 21);
  connect(btnCalcular, &QPushButton::clicked, this, &TfrmOutorga::btnCalcularClick);
  DispoeCriterio();
}

// The design positions hold at the design font; a wider font moves the boxes right of their
// captions and widens the method box to its longest item, so that no text is cut or covered.
void TfrmOutorga::DispoeCriterio() {
  auto* lblReferencia = gbDisponibilidade->findChild<QLabel*>(QStringLiteral("lblVazaoReferencia"));
  auto* lblMetodo = gbDisponibilidade->findChild<QLabel*>(QStringLiteral("lblMetodo"));
  auto* lblPercentagem = gbDisponibilidade->findChild<QLabel*>(QStringLiteral("lblPercentagem"));
  const int x = std::max(150, 6 + std::max(lblReferencia->width(), lblMetodo->width()));
  const int desvio = x - 150;
  edtValorCriterio->move(x, edtValorCriterio->y());
  cbMetodo->move(x, cbMetodo->y());
  lblReferencia->move(x - 2 - lblReferencia->width(), lblReferencia->y());
  lblMetodo->move(x - 2 - lblMetodo->width(), lblMetodo->y());
  lblPercentagem->move(edtValorCriterio->geometry().right() + 5, lblPercentagem->y());
  cbVarInteresse->move(std::max(274 + desvio, lblPercentagem->geometry().right() + 4),
                       cbVarInteresse->y());
  cbVarInteresse->resize(std::max(cbVarInteresse->width(), LarguraItens(cbVarInteresse)),
                         cbVarInteresse->height());
  cbMetodo->resize(std::max(cbMetodo->width(), LarguraItens(cbMetodo)), cbMetodo->height());
  btnCalcular->move(std::max(289 + desvio, cbMetodo->geometry().right() + 8), btnCalcular->y());
  const int direita = std::max(cbVarInteresse->geometry().right(), btnCalcular->geometry().right());
  gbDisponibilidade->resize(std::max(gbDisponibilidade->width(), direita + 12),
                            gbDisponibilidade->height());
}

void TfrmOutorga::CriaGrades() {
  lblVazaosolicitada =
      RotuloComUnidade(this, "lblVazaosolicitada", QStringLiteral("Vazão solicitada ("),
                       QStringLiteral("):"), 16, 121);
  tsEntrada = new TtsGrid(this);
  tsEntrada->setObjectName(QStringLiteral("tsEntrada"));
  tsEntrada->setGeometry(16, 135, TTabelaMeses::LarguraGrade, 188);
  // A request may vary by month: the cells filled by "Ok" can be typed over.
  tsEntrada->SetEditavel(true);
  // The caption sits just above its grid even when the unit makes it taller.
  lblVazaosolicitada->move(16, std::min(121, tsEntrada->y() - lblVazaosolicitada->height()));
  lblResultados =
      RotuloComUnidade(this, "lblResultados", QStringLiteral("Disponibilidade após a outorga ("),
                       QStringLiteral("):"), 16, 334);
  tsResultado = new TtsGrid(this);
  tsResultado->setObjectName(QStringLiteral("tsResultado"));
  tsResultado->setGeometry(16, 348, TTabelaMeses::LarguraGrade, 188);
  lblResultados->move(16, std::min(334, tsResultado->y() - lblResultados->height()));

  lblFrequencia = new QLabel(this);
  lblFrequencia->setObjectName(QStringLiteral("lblFrequencia"));
  lblFrequencia->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Beside the result grid's caption, up to the grid's right edge.
  const int x = lblResultados->geometry().right() + 12;
  lblFrequencia->setGeometry(x, 331, 16 + TTabelaMeses::LarguraGrade - x, 16);
  lblSecao = new QLabel(this);
  lblSecao->setObjectName(QStringLiteral("lblSecao"));
  PosicionaLegendaSecao();
  btnOutorgas = new QPushButton(QStringLiteral("Outorgas consideradas..."), this);
  btnOutorgas->setObjectName(QStringLiteral("btnOutorgas"));
  btnOutorgas->setGeometry(16 + TTabelaMeses::LarguraGrade - 170, 114, 170, 20);
  connect(btnOutorgas, &QPushButton::clicked, this, &TfrmOutorga::btnOutorgasClick);
}

void TfrmOutorga::btnOutorgasClick() {
  if (!dlgOutorgas) {
    dlgOutorgas = new QDialog(this);
    dlgOutorgas->setObjectName(QStringLiteral("dlgOutorgas"));
    dlgOutorgas->setWindowTitle(QStringLiteral("Outorgas consideradas"));
    dlgOutorgas->resize(980, 520);
    ListaOutorgas = new TListaOutorgas(dlgOutorgas);
    ListaOutorgas->Exportou = [this] { ResultadoEntregue(); };
    (new QVBoxLayout(dlgOutorgas))->addWidget(ListaOutorgas);
  }
  CarregaLista();
  dlgOutorgas->show();
  dlgOutorgas->raise();
}

namespace {

// What the grant list shows of a section: its point and arc, and each examined grant's register,
// record, rule and months. A new placement or a recount after an import changes it.
std::size_t AssinaturaDaLista(const TPonto& p) {
  std::size_t h = qHashMulti(0, p.CoordX(), p.CoordY(), p.CodTrecho());
  for (const auto* lista : {&p.Outorgas().Consideradas, &p.Outorgas().Descartadas}) {
    h = qHashMulti(h, lista->size());
    for (const TOutorgaExaminada& o : *lista)
      h = qHashMulti(h, static_cast<int>(o.Camada), o.Registro, static_cast<int>(o.Regra),
                     o.PrimeiroMes, o.NumMeses);
  }
  return h == 0 ? 1 : h;
}

}  // namespace

void TfrmOutorga::CarregaLista(bool soSeMudou) {
  if (!Sistema_.Ponto || !ListaOutorgas) return;
  const TPonto& ponto = *Sistema_.Ponto;
  const std::size_t assinatura = AssinaturaDaLista(ponto);
  if (soSeMudou && assinatura == AssinaturaLista_) return;
  // The basin depends only on the point (the grids do not change while the program runs).
  const TPontoMapa p{ponto.CoordX(), ponto.CoordY()};
  if (AssinaturaLista_ == 0 || !(p == PontoBaciaLista_)) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    BaciaLista_ = BaciaContribuicaoDoSistema(Sistema_, ponto);
    QGuiApplication::restoreOverrideCursor();
    PontoBaciaLista_ = p;
  }
  AssinaturaLista_ = assinatura;
  ListaOutorgas->Carrega(ponto, &Resultado_, &BaciaLista_);
}

void TfrmOutorga::PosicionaLegendaSecao() {
  // Under the result grid, at the window's foot when it is taller than designed.
  lblSecao->setGeometry(16, std::max(541, height() - 18), std::max(200, width() - 32), 16);
}

void TfrmOutorga::resizeEvent(QResizeEvent* evento) {
  QWidget::resizeEvent(evento);
  if (lblSecao) {
    PosicionaLegendaSecao();
    TextoNaLinha(lblSecao, lblSecao->toolTip());
  }
}

void TfrmOutorga::AtualizaSecao() {
  const TPonto* ponto = Sistema_.Ponto.get();
  TextoNaLinha(lblSecao, LegendaSecao(ponto));
  // Tables made for another section, or before the upstream grants changed, are not shown as if
  // they were this section's.
  if (Resultado_.Completo() && (!ponto || !MotivoSecaoMudou(Resultado_, *ponto).isEmpty())) {
    Resultado_ = TResultadoOutorga();
    tsResultado->DefineTabela(TTabelaMeses());
    tsResultado->setFixedHeight(188);
    TextoNaLinha(lblFrequencia, QStringLiteral("A seção de interesse mudou: pressione "
                                               "\"Calcular\" para esta seção."));
  }
  // An open grant list follows the section too.
  if (dlgOutorgas && dlgOutorgas->isVisible()) CarregaLista(true);
}

QDate TfrmOutorga::Inicio() const { return PrimeiroDia(dtpInicio->date()); }
QDate TfrmOutorga::Fim() const { return PrimeiroDia(dtpFim->date()); }

TCriterioOutorga TfrmOutorga::Criterio() const {
  return {edtValorCriterio->text(), cbVarInteresse->currentText(), cbMetodo->currentText()};
}

TEntradasOutorga TfrmOutorga::Entradas() const {
  return {Inicio(), Fim(), edtValorOutorga->text(), Criterio()};
}

void TfrmOutorga::btnOkClick() {
  try {
    if (PreencheEntrada(tsEntrada->Tabela(), Inicio(), Fim(), edtValorOutorga->text()))
      tsEntrada->Atualiza();
  } catch (const ETorveda& e) {
    Apresentador().Erro(e.mensagem());
  }
}

void TfrmOutorga::btnCalcularClick() {
  try {
    if (!Sistema_.Ponto) {
      Apresentador().Erro(MensagemSemSecao());
      return;
    }
    TResultadoOutorga r = CalculaOutorga(*Sistema_.Ponto, Entradas(), tsEntrada->Tabela(),
                                         Sistema_.Caminhos().Relatorios());
    // All or nothing: a run stopped by a check leaves the grid showing the last complete one.
    if (!r.Completo()) return;
    tsResultado->DefineTabela(*r.Exibida());
    TextoNaLinha(lblFrequencia, r.Frequencia ? TextoFrequencia(*r.Frequencia) : QString());
    Resultado_ = std::move(r);
  } catch (const ETorveda& e) {
    Apresentador().Erro(e.mensagem());
  } catch (const std::exception& e) {
    Apresentador().Erro(QString::fromLocal8Bit(e.what()));
  }
}

void TfrmOutorga::FormActivate() {
  AtualizaSecao();
  // The program coming back after a message box is no new activation of this window: the control
  // the user was in keeps the focus, and digits typed next never land in the period.
  const QWidget* foco = window()->focusWidget();
  if (foco && isAncestorOf(foco) && foco->isVisible()) return;
  dtpInicio->setFocus();
}

void TfrmOutorga::showEvent(QShowEvent* evento) {
  if (!AtivacaoLigada_) {
    if (auto* moldura = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      connect(moldura, &QMdiSubWindow::aboutToActivate, this, &TfrmOutorga::FormActivate);
      AtivacaoLigada_ = true;
    }
  }
  FormActivate();
  QWidget::showEvent(evento);
}

bool TfrmOutorga::event(QEvent* evento) {
  // The main window coming back (after any message box) reaches every child; only the one in
  // front takes it as its own activation, or it would pull itself in front by taking the focus.
  if (evento->type() == QEvent::WindowActivate) {
    auto* moldura = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!moldura || !moldura->mdiArea() || moldura->mdiArea()->activeSubWindow() == moldura)
      FormActivate();
  }
  return QWidget::event(evento);
}

namespace {

bool MesmasEntradas(const TEntradasOutorga& a, const TEntradasOutorga& b) {
  return a.Inicio == b.Inicio && a.Fim == b.Fim && a.VazaoSolicitada == b.VazaoSolicitada &&
         a.Criterio.Percentual == b.Criterio.Percentual &&
         a.Criterio.Referencia == b.Criterio.Referencia && a.Criterio.Metodo == b.Criterio.Metodo;
}

}  // namespace

bool TfrmOutorga::TrabalhoPendente() const {
  const TEntradasOutorga agora = Entradas();
  if (MesmasEntradas(agora, Iniciais_) && tsEntrada->Tabela().NumColunas() == 0) return false;
  const bool entregue = Resultado_.Completo() && EntradasEntregues_ &&
                        MesmasEntradas(*EntradasEntregues_, Resultado_.Entradas) &&
                        MesmasEntradas(Resultado_.Entradas, agora);
  return !entregue;
}

void TfrmOutorga::ResultadoEntregue() {
  if (Resultado_.Completo()) EntradasEntregues_ = Resultado_.Entradas;
}

bool TfrmOutorga::PodeFechar() {
  if (!TrabalhoPendente()) return true;
  return Apresentador().PerguntaSalvar(
             QStringLiteral("Os valores digitados nesta análise de outorga e os seus resultados "
                            "ainda não foram impressos nem exportados. Deseja descartá-los e "
                            "fechar a janela?"),
             false) == TEscolha::Descartar;
}

void TfrmOutorga::closeEvent(QCloseEvent* evento) {
  if (!PodeFechar()) {
    evento->ignore();
    return;
  }
  QWidget::closeEvent(evento);
}
