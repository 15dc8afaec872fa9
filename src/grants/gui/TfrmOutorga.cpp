#include "grants/gui/TfrmOutorga.h"

#include <algorithm>

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "app/TSistema.h"
#include "base/Apresentador.h"
#include "base/Convencoes.h"
#include "base/Erro.h"
#include "grants/FiltroTecla.h"
#include "grants/gui/TListaOutorgas.h"
#include "grants/gui/TtsGrid.h"
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

// A label whose blank gap, after `antes`, holds the unit m^3 s^-1.
QLabel* RotuloComUnidade(QWidget* pai, const char* nome, const QString& antes,
                         const QString& depois, int x, int y) {
  QLabel* l = Rotulo(pai, nome, antes + QStringLiteral("         ") + depois, x, y);
  auto* u = new QLabel(Unidade, pai);
  u->setTextFormat(Qt::RichText);
  u->adjustSize();
  u->move(x + l->fontMetrics().horizontalAdvance(antes) + 1, y - 2);
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

}  // namespace

TfrmOutorga::TfrmOutorga(TContextoJanela& contexto, QWidget* parent)
    : QWidget(parent), Sistema_(contexto.Sistema) {
  setObjectName(QStringLiteral("frmOutorga"));
  setWindowTitle(QStringLiteral("Outorga"));
  resize(834, 544);
  CriaPeriodo();
  CriaCriterio();
  CriaGrades();
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
  edtValorOutorga->installEventFilter(this);
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
  edtValorCriterio->installEventFilter(this);
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
}

void TfrmOutorga::CriaGrades() {
  lblVazaosolicitada =
      RotuloComUnidade(this, "lblVazaosolicitada", QStringLiteral("Vazão solicitada ("),
                       QStringLiteral("):"), 16, 121);
  tsEntrada = new TtsGrid(this);
  tsEntrada->setObjectName(QStringLiteral("tsEntrada"));
  tsEntrada->setGeometry(16, 135, TTabelaMeses::LarguraGrade, 188);
  lblResultados =
      RotuloComUnidade(this, "lblResultados", QStringLiteral("Disponibilidade após a outorga ("),
                       QStringLiteral("):"), 16, 334);
  tsResultado = new TtsGrid(this);
  tsResultado->setObjectName(QStringLiteral("tsResultado"));
  tsResultado->setGeometry(16, 348, TTabelaMeses::LarguraGrade, 188);
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
    (new QVBoxLayout(dlgOutorgas))->addWidget(ListaOutorgas);
  }
  if (Sistema_.Ponto) ListaOutorgas->Carrega(*Sistema_.Ponto, &Resultado_);
  dlgOutorgas->show();
  dlgOutorgas->raise();
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
    if (const TTabelaMeses* exibida = r.Exibida()) tsResultado->DefineTabela(*exibida);
    if (r.TabelasFeitas > 0) Resultado_ = std::move(r);
  } catch (const ETorveda& e) {
    Apresentador().Erro(e.mensagem());
  } catch (const std::exception& e) {
    Apresentador().Erro(QString::fromLocal8Bit(e.what()));
  }
}

bool TfrmOutorga::eventFilter(QObject* objeto, QEvent* evento) {
  if ((objeto == edtValorOutorga || objeto == edtValorCriterio) &&
      evento->type() == QEvent::KeyPress) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    const QString texto = tecla->text();
    // Only keys that type a character are filtered; moving and deleting keys pass.
    if (texto.size() == 1 && (texto[0].isPrint() || texto[0] == QChar(0x08))) {
      const QChar separador = QLocale().decimalPoint().at(0);
      const auto* caixa = static_cast<QLineEdit*>(objeto);
      if (!AceitaTecla(caixa->text(), texto[0], separador)) return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

void TfrmOutorga::FormActivate() { dtpInicio->setFocus(); }

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
  if (evento->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(evento);
}
