#include "grants/gui/TfrmDisponibilidade.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <algorithm>

#include "grants/DescricaoSecao.h"
#include "grants/FormataNumero.h"
#include "grants/gui/AtualizaSecao.h"
#include "grants/gui/TDetalhesOrigem.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

const char* const NomesVazao[] = {"Q710", "Q90", "Q95", "Qmld"};
const char* const NomesMetodo[] = {"Trad", "Proporc", "Conser"};

QLabel* Rotulo(QWidget* pai, const QString& texto, int x, int y, int largura = 0) {
  auto* l = new QLabel(texto, pai);
  l->adjustSize();
  if (largura > 0) {
    l->setFixedWidth(largura);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  l->move(x, y);
  return l;
}

// "m s" with the superscripts 3 and -1.
QLabel* Unidade(QWidget* pai, int x, int y) {
  auto* l = new QLabel(QStringLiteral("m<sup>3</sup> s<sup>-1</sup>"), pai);
  l->setTextFormat(Qt::RichText);
  l->adjustSize();
  l->move(x, y);
  return l;
}

}  // namespace

TfrmDisponibilidade::TfrmDisponibilidade(TContextoJanela& contexto, QWidget* parent)
    : QWidget(parent), Sistema_(contexto.Sistema) {
  setObjectName(QStringLiteral("frmDisponibilidade"));
  setWindowTitle(QStringLiteral("Vazão"));
  resize(834, 552);

  gbQminest = new QGroupBox(QStringLiteral("Vazões mínimas estimadas"), this);
  gbQminest->setObjectName(QStringLiteral("gbQminest"));
  gbQminest->setGeometry(16, 8, 393, 529);
  gbq710est = GrupoVazao(gbQminest, "gbq710est", QStringLiteral("7,10"), 24, 0);
  gbQ90est = GrupoVazao(gbQminest, "gbQ90est", QStringLiteral("90"), 197, 1);
  gbQ95est = GrupoVazao(gbQminest, "gbQ95est", QStringLiteral("95"), 364, 2);

  gbQmedest = new QGroupBox(QStringLiteral("Vazões médias estimadas"), this);
  gbQmedest->setObjectName(QStringLiteral("gbQmedest"));
  gbQmedest->setGeometry(424, 8, 393, 529);
  gbQmldest = GrupoVazao(gbQmedest, "gbQmldest", QStringLiteral("mld"), 24, 3);

  lblSecao = new QLabel(this);
  lblSecao->setObjectName(QStringLiteral("lblSecao"));
  PosicionaLegendaSecao();
  // What the amber tint of a box means, with a sample of the tint itself.
  lblLegendaAviso = new QLabel(
      QStringLiteral("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</span>"
                     "&nbsp;Em âmbar: vazão estimada fora do intervalo de validade da equação ou "
                     "das áreas das estações, ou sem estimativa. Clique nela para ver o porquê.")
          .arg(CorAvisoOrigem()),
      gbQmedest);
  lblLegendaAviso->setObjectName(QStringLiteral("lblLegendaAviso"));
  lblLegendaAviso->setTextFormat(Qt::RichText);
  lblLegendaAviso->setWordWrap(true);
  // As tall as its lines at the font in use; the origin panel takes the rest of the group.
  const int altura = lblLegendaAviso->heightForWidth(360);
  lblLegendaAviso->setGeometry(16, 168, 360, altura);
  Detalhes = new TDetalhesOrigem(Caixas, gbQmedest);
  Detalhes->setGeometry(16, 172 + altura, 360, 513 - 172 - altura);
}

void TfrmDisponibilidade::PosicionaLegendaSecao() {
  // Under the groups, at the window's foot when it is taller than designed.
  lblSecao->setGeometry(16, std::max(539, height() - 18), std::max(200, width() - 32), 16);
}

void TfrmDisponibilidade::resizeEvent(QResizeEvent* evento) {
  QWidget::resizeEvent(evento);
  if (lblSecao) {
    PosicionaLegendaSecao();
    TextoNaLinha(lblSecao, lblSecao->toolTip());
  }
}

void TfrmDisponibilidade::AtualizaSecao() { FormActivate(); }

QGroupBox* TfrmDisponibilidade::GrupoVazao(QWidget* pai, const char* nome, const QString& subscrito,
                                           int topo, int vazao) {
  // A group box title cannot carry a subscript: the title is a label laid over the frame.
  auto* g = new QGroupBox(pai);
  g->setObjectName(QString::fromLatin1(nome));
  g->setGeometry(16, topo, 360, 140);
  auto* titulo = new QLabel(QStringLiteral("Q<sub>") + subscrito + QStringLiteral("</sub>"), g);
  titulo->setObjectName(QString::fromLatin1(nome) + QStringLiteral("Titulo"));
  titulo->setTextFormat(Qt::RichText);
  titulo->setAutoFillBackground(true);
  titulo->adjustSize();
  titulo->move(8, 0);

  const QString rotulos[] = {QStringLiteral("Tradicional:"), QStringLiteral("Proporc. de vazões:"),
                             QStringLiteral("Conser. de massas:")};
  const int alturas[] = {30, 62, 92};
  for (int m = 0; m < 3; ++m) {
    Rotulo(g, rotulos[m], 16, alturas[m] + 2, 150);
    auto* edt = new QLineEdit(g);
    edt->setObjectName(QStringLiteral("edt") + QString::fromLatin1(NomesVazao[vazao]) +
                       QString::fromLatin1(NomesMetodo[m]) + QStringLiteral("Est"));
    edt->setGeometry(170, alturas[m], 70, 21);
    // Nothing may be typed: the boxes only show what the regionalization estimated.
    edt->setReadOnly(true);
    Caixas[static_cast<size_t>(vazao)][static_cast<size_t>(m)] = edt;
    Unidade(g, 246, alturas[m] + 2);
  }
  return g;
}

void TfrmDisponibilidade::FormActivate() {
  const TPonto* ponto = Sistema_.Ponto.get();
  TextoNaLinha(lblSecao, LegendaSecao(ponto));
  if (!ponto) return;
  const TVazoes* metodos[] = {&ponto->VazoesTradicional(), &ponto->VazoesProporcional(),
                              &ponto->VazoesConservacao()};
  for (size_t m = 0; m < 3; ++m) {
    const TVazoes& v = *metodos[m];
    const double vazoes[] = {v.Q710(), v.Q90(), v.Q95(), v.Qmld()};
    for (size_t q = 0; q < 4; ++q) Caixas[q][m]->setText(FormataVazao(vazoes[q]));
  }
  Detalhes->Atualiza(*ponto);
}

void TfrmDisponibilidade::LigaAtivacao() {
  if (AtivacaoLigada_) return;
  // Inside the main window the frame, not this widget, is what becomes active.
  if (auto* moldura = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    connect(moldura, &QMdiSubWindow::aboutToActivate, this, &TfrmDisponibilidade::FormActivate);
    AtivacaoLigada_ = true;
  }
}

void TfrmDisponibilidade::showEvent(QShowEvent* evento) {
  LigaAtivacao();
  FormActivate();
  QWidget::showEvent(evento);
}

bool TfrmDisponibilidade::event(QEvent* evento) {
  if (evento->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(evento);
}
