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
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>
#include <exception>

#include "base/Apresentador.h"
#include "base/Convencoes.h"
#include "base/Erro.h"
#include "grants/ClassesCor.h"
#include "grants/DescricaoSecao.h"
#include "grants/ExportaTabelas.h"
#include "grants/FormataNumero.h"
#include "grants/MapaBaciaSistema.h"
#include "grants/gui/AtualizaSecao.h"
#include "grants/gui/TListaOutorgas.h"
#include "grants/gui/TSeletorMes.h"
#include "grants/gui/TtsGrid.h"
#include "grants/gui/ValidadorNumero.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

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
QString TextoComUnidade(const QString& antes, const QString& depois) {
  return antes.toHtmlEscaped() + Unidade + depois.toHtmlEscaped();
}

QLabel* RotuloComUnidade(QWidget* pai, const char* nome, const QString& antes,
                         const QString& depois, int x, int y) {
  QLabel* l = Rotulo(pai, nome, TextoComUnidade(antes, depois), x, y);
  l->setTextFormat(Qt::RichText);
  l->adjustSize();
  return l;
}

QString TextoResultados(bool antes) {
  return TextoComUnidade(antes ? QStringLiteral("Disponibilidade antes da outorga (")
                               : QStringLiteral("Disponibilidade após a outorga ("),
                         QStringLiteral("):"));
}

QDateEdit* SeletorMes(QWidget* pai, const char* nome, int x, int y) {
  auto* d = new TSeletorMes(pai);
  d->setObjectName(QString::fromLatin1(nome));
  d->setDisplayFormat(QStringLiteral("MM/yyyy"));
  d->setDateRange(QDate(Convencao::AnoInicial, 1, 1), QDate(Convencao::AnoFinal, 12, 31));
  d->setDate(QDate::currentDate());
  d->setGeometry(x, y, 89, 21);
  return d;
}

QDate PrimeiroDia(const QDate& d) { return QDate(d.year(), d.month(), 1); }

// Where the analyst's name is remembered between sessions.
QSettings Preferencias() { return QSettings(QStringLiteral("TORVEDA"), QStringLiteral("TORVEDA")); }
const QString ChaveAnalista = QStringLiteral("Outorga/Analista");

QString TextoDesatualizado() {
  return QStringLiteral("Resultado desatualizado: pressione Calcular");
}

// The colour classes as swatches with their words; the allowable flow named when it is known.
QString TextoLegenda(const TResultadoOutorga& r) {
  QString criterio;
  if (r.Completo() && r.VazaoCriterio)
    criterio = QStringLiteral(" (") + r.Entradas.Criterio.Percentual + QStringLiteral("% da ") +
               r.Entradas.Criterio.Referencia + QStringLiteral(" = ") +
               FormataVazao(*r.VazaoCriterio) + QStringLiteral(" m³/s)");
  QString t = QStringLiteral("Cores: parcela da vazão do critério") + criterio.toHtmlEscaped() +
              QStringLiteral(" ainda livre no mês:");
  for (const TDefinicaoCor& d : DefinicoesCor())
    t += QStringLiteral(
             "&nbsp;&nbsp; <span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;"
             "</span>&nbsp;%2")
             .arg(d.Cor.name(), QString::fromUtf8(d.Curto)
                                    .toHtmlEscaped()
                                    // each class wraps as a whole, never inside its words
                                    .replace(QLatin1Char(' '), QStringLiteral("&nbsp;")));
  return t;
}

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
    : QWidget(parent), Sistema_(contexto.Sistema), Apresentador_(contexto.Apresentador) {
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
  ConfiguraCaixaPercentual(edtValorCriterio);
  Rotulo(gbDisponibilidade, "lblPercentagem", QStringLiteral("%            da:"), 207, 26);
  cbVarInteresse = new QComboBox(gbDisponibilidade);
  cbVarInteresse->setObjectName(QStringLiteral("cbVarInteresse"));
  cbVarInteresse->addItems(NomesReferencia());
  cbVarInteresse->setCurrentIndex(-1);
  cbVarInteresse->setGeometry(274, 23, 80, 21);
  RotuloAte(gbDisponibilidade, "lblMetodo", QStringLiteral("Método de regionalização: "), 150, 62);
  cbMetodo = new QComboBox(gbDisponibilidade);
  cbMetodo->setObjectName(QStringLiteral("cbMetodo"));
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
  // The caption is as wide as its longer wording, so that the switch beside it never moves.
  lblResultados = RotuloComUnidade(this, "lblResultados",
                                   QStringLiteral("Disponibilidade antes da "
                                                  "outorga ("),
                                   QStringLiteral("):"), 16, 334);
  lblResultados->setText(TextoResultados(false));
  tsResultado = new TtsGrid(this);
  tsResultado->setObjectName(QStringLiteral("tsResultado"));
  tsResultado->setGeometry(16, 348, TTabelaMeses::LarguraGrade, 188);
  lblResultados->move(16, std::min(334, tsResultado->y() - lblResultados->height()));
  rbApos = new QRadioButton(QStringLiteral("Após a outorga"), this);
  rbApos->setObjectName(QStringLiteral("rbApos"));
  rbApos->setChecked(true);
  rbAntes = new QRadioButton(QStringLiteral("Antes da outorga"), this);
  rbAntes->setObjectName(QStringLiteral("rbAntes"));
  for (QRadioButton* b : {rbApos, rbAntes}) {
    b->adjustSize();
    connect(b, &QRadioButton::toggled, this, [this](bool marcado) {
      if (marcado) MostraResultado();
    });
  }

  lblFrequencia = new QLabel(this);
  lblFrequencia->setObjectName(QStringLiteral("lblFrequencia"));
  lblLegenda = new QLabel(this);
  lblLegenda->setObjectName(QStringLiteral("lblLegenda"));
  lblLegenda->setTextFormat(Qt::RichText);
  lblLegenda->setWordWrap(true);
  lblLegenda->setText(TextoLegenda(Resultado_));
  lblSecao = new QLabel(this);
  lblSecao->setObjectName(QStringLiteral("lblSecao"));
  btnOutorgas = new QPushButton(QStringLiteral("Outorgas consideradas..."), this);
  btnOutorgas->setObjectName(QStringLiteral("btnOutorgas"));
  btnOutorgas->setGeometry(16 + TTabelaMeses::LarguraGrade - 170, 114, 170, 20);
  connect(btnOutorgas, &QPushButton::clicked, this, &TfrmOutorga::btnOutorgasClick);
  CriaIdentificacao();
  LigaAlteracoes();
  DefineOrdemTab();
  Dispoe();
}

void TfrmOutorga::CriaIdentificacao() {
  auto* lblProcesso = new QLabel(QStringLiteral("Processo nº:"), this);
  lblProcesso->setObjectName(QStringLiteral("lblProcesso"));
  lblProcesso->adjustSize();
  edtProcesso = new QLineEdit(this);
  edtProcesso->setObjectName(QStringLiteral("edtProcesso"));
  edtProcesso->setToolTip(QStringLiteral("Número do processo (opcional), impresso nos relatórios"));
  auto* lblAnalista = new QLabel(QStringLiteral("Analista:"), this);
  lblAnalista->setObjectName(QStringLiteral("lblAnalista"));
  lblAnalista->adjustSize();
  edtAnalista = new QLineEdit(this);
  edtAnalista->setObjectName(QStringLiteral("edtAnalista"));
  edtAnalista->setToolTip(QStringLiteral("Nome do analista (opcional), impresso nos relatórios"));
  edtAnalista->setText(Preferencias().value(ChaveAnalista).toString());
  connect(edtAnalista, &QLineEdit::textEdited, this,
          [](const QString& nome) { Preferencias().setValue(ChaveAnalista, nome.trimmed()); });
}

// Any input changed after "Calcular" greys the results at once, until they are calculated again.
void TfrmOutorga::LigaAlteracoes() {
  for (QDateEdit* d : {dtpInicio, dtpFim})
    connect(d, &QDateEdit::dateChanged, this, &TfrmOutorga::VerificaDesatualizado);
  for (QLineEdit* e : {edtValorOutorga, edtValorCriterio})
    connect(e, &QLineEdit::textChanged, this, &TfrmOutorga::VerificaDesatualizado);
  for (QComboBox* c : {cbVarInteresse, cbMetodo})
    connect(c, &QComboBox::currentIndexChanged, this, &TfrmOutorga::VerificaDesatualizado);
  connect(tsEntrada, &TtsGrid::CelulaEditada, this, &TfrmOutorga::VerificaDesatualizado);
}

// Tab follows the reading order: the period and the request, then the criterion, then the line
// of the report's optional fields, then the grids.
void TfrmOutorga::DefineOrdemTab() {
  const QList<QWidget*> ordem{dtpInicio,        dtpFim,         edtValorOutorga, btnOk,
                              edtValorCriterio, cbVarInteresse, cbMetodo,        btnCalcular,
                              edtProcesso,      edtAnalista,    btnOutorgas,     tsEntrada,
                              rbApos,           rbAntes};
  for (qsizetype i = 1; i < ordem.size(); ++i) setTabOrder(ordem[i - 1], ordem[i]);
}

// The line between the groups and the input grid holds the report's optional fields, right of
// the input grid's caption and left of the grant list button; under the result grid come the
// frequency, the colour legend and the section, one under the other.
void TfrmOutorga::Dispoe() {
  auto* lblProcesso = findChild<QLabel*>(QStringLiteral("lblProcesso"));
  auto* lblAnalista = findChild<QLabel*>(QStringLiteral("lblAnalista"));
  const int altura = std::max(20, edtProcesso->sizeHint().height());
  const int y = tsEntrada->y() - 2 - altura;
  int x = lblVazaosolicitada->geometry().right() + 24;
  // The two boxes share what the captions leave before the button, the name taking more.
  const int livre = btnOutorgas->x() - 10 - x - lblProcesso->width() - lblAnalista->width() - 20;
  const int larguraProcesso = std::max(60, livre * 2 / 5);
  lblProcesso->move(x, y + (altura - lblProcesso->height()) / 2);
  x = lblProcesso->geometry().right() + 4;
  edtProcesso->setGeometry(x, y, larguraProcesso, altura);
  x = edtProcesso->geometry().right() + 12;
  lblAnalista->move(x, y + (altura - lblAnalista->height()) / 2);
  x = lblAnalista->geometry().right() + 4;
  edtAnalista->setGeometry(x, y, std::max(80, btnOutorgas->x() - 10 - x), altura);

  int xr = 16 + lblResultados->width() + 16;
  const int yr = tsResultado->y() - 1 - rbApos->height();
  for (QRadioButton* b : {rbApos, rbAntes}) {
    b->move(xr, yr);
    xr += b->width() + 12;
  }
  lblResultados->setFixedWidth(lblResultados->width());

  const int largura = TTabelaMeses::LarguraGrade;
  int yb = tsResultado->geometry().bottom() + 4;
  lblFrequencia->setGeometry(16, yb, largura, lblFrequencia->fontMetrics().height() + 2);
  yb = lblFrequencia->geometry().bottom() + 3;
  lblLegenda->setGeometry(16, yb, largura, lblLegenda->heightForWidth(largura));
  PosicionaLegendaSecao();
}

void TfrmOutorga::MostraResultado() {
  const bool antes = rbAntes->isChecked();
  lblResultados->setText(TextoResultados(antes));
  if (!Resultado_.Completo()) return;
  tsResultado->DefineTabela(Resultado_.Tabelas[static_cast<size_t>(
      antes ? TTabelaOutorga::Anterior : TTabelaOutorga::Posterior)]);
  Dispoe();
}

void TfrmOutorga::VerificaDesatualizado() {
  bool vencido = false;
  if (Resultado_.Completo() && Sistema_.Ponto) {
    const TEntradasOutorga e = Entradas();
    vencido = e.VazaoSolicitada != Resultado_.Entradas.VazaoSolicitada ||
              !MotivoAnaliseVencida(Resultado_, *Sistema_.Ponto, e, tsEntrada->Tabela()).isEmpty();
  }
  if (vencido == Desatualizado_) return;
  Desatualizado_ = vencido;
  tsResultado->SetDesatualizada(vencido);
  TextoNaLinha(lblFrequencia, vencido                 ? TextoDesatualizado()
                              : Resultado_.Frequencia ? TextoFrequencia(*Resultado_.Frequencia)
                                                      : QString());
  QPalette paleta = lblFrequencia->palette();
  paleta.setColor(QPalette::WindowText,
                  vencido ? QColor(170, 0, 0) : palette().color(QPalette::WindowText));
  lblFrequencia->setPalette(paleta);
}

void TfrmOutorga::btnOutorgasClick() {
  if (!dlgOutorgas) {
    dlgOutorgas = new QDialog(this);
    dlgOutorgas->setObjectName(QStringLiteral("dlgOutorgas"));
    dlgOutorgas->setWindowTitle(QStringLiteral("Outorgas consideradas"));
    dlgOutorgas->resize(980, 520);
    ListaOutorgas = new TListaOutorgas(Apresentador_, dlgOutorgas);
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
  ListaOutorgas->Identificacao = [this] {
    return TIdentificacaoAnalise{edtProcesso->text(), edtAnalista->text()};
  };
  ListaOutorgas->Carrega(ponto, &Resultado_, &BaciaLista_);
}

void TfrmOutorga::PosicionaLegendaSecao() {
  // Under the legend, at the window's foot when it is taller than designed.
  const int altura = lblSecao->sizeHint().height();
  lblSecao->setGeometry(16, std::max(lblLegenda->geometry().bottom() + 3, height() - altura - 2),
                        std::max(200, width() - 32), altura);
}

void TfrmOutorga::resizeEvent(QResizeEvent* evento) {
  QWidget::resizeEvent(evento);
  if (lblSecao && lblLegenda) {
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
    VerificaDesatualizado();
    tsResultado->DefineTabela(TTabelaMeses());
    tsResultado->setFixedHeight(188);
    TextoNaLinha(lblFrequencia, QStringLiteral("A seção de interesse mudou: pressione "
                                               "\"Calcular\" para esta seção."));
    lblLegenda->setText(TextoLegenda(Resultado_));
    Dispoe();
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
    if (PreencheEntrada(tsEntrada->Tabela(), Inicio(), Fim(), edtValorOutorga->text(),
                        Apresentador_))
      tsEntrada->Atualiza();
    VerificaDesatualizado();
  } catch (const ETorveda& e) {
    Apresentador_.Erro(e.mensagem());
  }
}

void TfrmOutorga::btnCalcularClick() {
  try {
    if (!Sistema_.Ponto) {
      Apresentador_.Erro(MensagemSemSecao());
      return;
    }
    // The box lets 0 through while typing (it may become 10); it is refused here, saying what
    // the box expects.
    if (Sistema_.Ponto->SobreHidrografia() && !edtValorCriterio->text().isEmpty() &&
        !edtValorCriterio->hasAcceptableInput()) {
      Apresentador_.Erro(TextoPercentualEsperado());
      edtValorCriterio->setFocus();
      return;
    }
    TResultadoOutorga r = CalculaOutorga(*Sistema_.Ponto, Entradas(), tsEntrada->Tabela(),
                                         Sistema_.Caminhos().Relatorios(), Apresentador_);
    // All or nothing: a run stopped by a check leaves the grid showing the last complete one.
    if (!r.Completo()) return;
    Resultado_ = std::move(r);
    Desatualizado_ = false;
    tsResultado->SetDesatualizada(false);
    lblFrequencia->setPalette(palette());
    TextoNaLinha(lblFrequencia,
                 Resultado_.Frequencia ? TextoFrequencia(*Resultado_.Frequencia) : QString());
    lblLegenda->setText(TextoLegenda(Resultado_));
    MostraResultado();
  } catch (const ETorveda& e) {
    Apresentador_.Erro(e.mensagem());
  } catch (const std::exception& e) {
    Apresentador_.Erro(QString::fromLocal8Bit(e.what()));
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
  return Apresentador_.PerguntaSalvar(
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
