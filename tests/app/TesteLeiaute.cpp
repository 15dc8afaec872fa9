// Every window of the program laid out at the font in use: no two controls overlap and every
// caption is shown whole. Registered twice: at the program's fonts, and with every font 25 %
// larger (TORVEDA_ESCALA_FONTE=1.25), as a desktop scaled to 125 % draws them. With
// TORVEDA_CAPTURA_DIR set, each window's picture is written there.

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "amostra/Amostra.h"
#include "app/gui/Instalacao.h"
#include "app/gui/TfrmAjuda.h"
#include "app/gui/TfrmMain.h"
#include "app/gui/TfrmSplash.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "gis/TMap.h"
#include "gis/gui/TfrmIdentificacao.h"
#include "gis/gui/TfrmLocalizacao.h"
#include "grants/gui/TfrmOutorga.h"
#include "hydro/BaciaDoSistema.h"
#include "sistema/TSistema.h"

namespace {

bool EhControle(const QWidget* w) {
  return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractScrollArea*>(w) ||
         qobject_cast<const TMap*>(w);
}

// A part of a control (a combo box's edit, a view's scroll bar) is not a control of its own.
bool DentroDeControle(const QWidget* w, const QWidget* janela) {
  for (const QWidget* p = w->parentWidget(); p && p != janela; p = p->parentWidget())
    if (EhControle(p)) return true;
  return false;
}

QString Nome(const QWidget* w) {
  return QStringLiteral("%1 (%2)").arg(w->objectName(),
                                       QString::fromLatin1(w->metaObject()->className()));
}

QString SemAcelerador(QString t) { return t.remove(QLatin1Char('&')); }

// Why the control's text is not shown whole; empty when it is.
QString Corte(QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->text().trimmed().isEmpty() || !l->pixmap().isNull()) return {};
    if (l->wordWrap()) return l->heightForWidth(l->width()) <= l->height() ? QString() : l->text();
    const QSize s = l->sizeHint();
    if (s.width() > l->width() || s.height() > l->height() + 1)
      return QStringLiteral("\"%1\" pede %2x%3, tem %4x%5")
          .arg(l->text())
          .arg(s.width())
          .arg(s.height())
          .arg(l->width())
          .arg(l->height());
    return {};
  }
  if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
    auto* b = static_cast<QAbstractButton*>(w);
    return b->sizeHint().width() <= b->width() ? QString() : b->text();
  }
  if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    if (b->text().isEmpty()) return {};
    if (auto* t = qobject_cast<QToolButton*>(w);
        t && t->toolButtonStyle() == Qt::ToolButtonIconOnly)
      return {};
    return fm.horizontalAdvance(SemAcelerador(b->text())) + 6 <= b->width() ? QString() : b->text();
  }
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    QStyleOptionComboBox opcao;
    opcao.initFrom(c);
    opcao.editable = c->isEditable();
    const QRect campo =
        c->style()->subControlRect(QStyle::CC_ComboBox, &opcao, QStyle::SC_ComboBoxEditField, c);
    for (int i = 0; i < c->count(); ++i)
      if (fm.horizontalAdvance(c->itemText(i)) > campo.width() - 2) return c->itemText(i);
    return {};
  }
  if (auto* d = qobject_cast<QAbstractSpinBox*>(w)) {
    const QLineEdit* e = d->findChild<QLineEdit*>();
    return e && fm.horizontalAdvance(d->text()) + 4 > e->width() ? d->text() : QString();
  }
  return {};
}

// The overlaps and cut texts of a window, one line each.
QStringList Problemas(QWidget* janela) {
  QStringList problemas;
  QList<QWidget*> controles;
  for (QWidget* w : janela->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(janela) || !EhControle(w) || DentroDeControle(w, janela)) continue;
    controles << w;
    if (const QString c = Corte(w); !c.isEmpty())
      problemas << QStringLiteral("cortado: %1: %2").arg(Nome(w), c);
  }
  for (QGroupBox* g : janela->findChildren<QGroupBox*>())
    if (g->isVisibleTo(janela) && !DentroDeControle(g, janela) &&
        g->fontMetrics().horizontalAdvance(g->title()) + 12 > g->width())
      problemas << QStringLiteral("título cortado: %1").arg(Nome(g));
  auto area = [janela](QWidget* w) { return QRect(w->mapTo(janela, QPoint(0, 0)), w->size()); };
  for (int i = 0; i < controles.size(); ++i)
    for (int j = i + 1; j < controles.size(); ++j) {
      QWidget* a = controles[i];
      QWidget* b = controles[j];
      if (a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
      if (area(a).intersects(area(b)))
        problemas << QStringLiteral("sobrepostos: %1 %2 e %3 %4")
                         .arg(Nome(a))
                         .arg(QString::fromLatin1(QTest::toString(area(a))))
                         .arg(Nome(b))
                         .arg(QString::fromLatin1(QTest::toString(area(b))));
    }
  return problemas;
}

}  // namespace

class TesteLeiaute : public QObject {
  Q_OBJECT

  std::unique_ptr<TPastaTemporaria> pasta;
  QJsonObject secoes;
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  std::unique_ptr<TSistema> sistema;
  std::unique_ptr<TfrmMain> frm;

  static double Escala() {
    const double e = qEnvironmentVariable("TORVEDA_ESCALA_FONTE").toDouble();
    return e > 0 ? e : 1.0;
  }
  static QFont Escalada(QFont f) {
    f.setPointSizeF(f.pointSizeF() * Escala());
    return f;
  }
  QString Sufixo() const { return QString::number(qRound(Escala() * 100)); }

  void Verifica(QWidget* janela, const QString& nome) {
    QCoreApplication::processEvents();
    if (const QString dir = qEnvironmentVariable("TORVEDA_CAPTURA_DIR"); !dir.isEmpty())
      janela->grab().save(dir + QLatin1Char('/') + nome + QLatin1Char('_') + Sufixo() +
                          QStringLiteral(".png"));
    const QStringList p = Problemas(janela);
    QVERIFY2(p.isEmpty(), qPrintable(nome + QStringLiteral(":\n") + p.join(QLatin1Char('\n'))));
  }

  TPontoMapa Secao(const char* nome) const {
    const QJsonObject s = secoes.value(QLatin1String(nome)).toObject();
    return {s.value(QStringLiteral("X")).toDouble(), s.value(QStringLiteral("Y")).toDouble()};
  }

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    pasta = std::make_unique<TPastaTemporaria>();
    TOpcoesAmostra opcoes;
    opcoes.Colunas = opcoes.Linhas = 200;
    secoes = GeraAmostra(pasta->Caminho(), opcoes).value(QStringLiteral("secoes")).toObject();
    apresentador = std::make_unique<TApresentadorRoteirizado>();
    sistema = std::make_unique<TSistema>(TCaminhos(pasta->Caminho(), QStringLiteral("TORVEDA")));
    QApplication::setFont(Escalada(QApplication::font()));
    frm = std::make_unique<TfrmMain>(*sistema, *apresentador);
    frm->setFont(Escalada(frm->font()));
    InstalaJanelas(*frm);
    sistema->CriaDataModule(*apresentador);
    QVERIFY(sistema->MapasCarregados);
    frm->show();
    QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
  }

  void cleanupTestCase() {
    frm.reset();
    sistema.reset();
    apresentador.reset();
  }

  void localizacao() {
    auto* loc = static_cast<TfrmLocalizacao*>(frm->MostraFilho(TTipoJanela::Localizacao));
    // A section on the main stem, so that the windows after this one show numbers.
    const QPoint px = loc->Map1->PixelDoPonto(Secao("principal")).toPoint();
    loc->Map1MouseDown(1, 0, px.x(), px.y());
    Verifica(loc, QStringLiteral("localizacao"));
    QTest::mouseClick(loc->rbLatLong, Qt::LeftButton);
    Verifica(loc, QStringLiteral("localizacao_coordenadas"));
    QTest::mouseClick(loc->rbMapa, Qt::LeftButton);
    Verifica(frm.get(), QStringLiteral("principal"));
  }

  void vazao() { Verifica(frm->MostraFilho(TTipoJanela::Vazao), QStringLiteral("vazao")); }

  void outorga() {
    auto* o = static_cast<TfrmOutorga*>(frm->MostraFilho(TTipoJanela::Outorga));
    o->dtpInicio->setDate(QDate(2020, 1, 1));
    o->dtpFim->setDate(QDate(2024, 12, 1));
    QTest::keyClicks(o->edtValorOutorga, QStringLiteral("0,5"));
    QTest::keyClicks(o->edtValorCriterio, QStringLiteral("30"));
    o->cbVarInteresse->setCurrentIndex(0);
    o->cbMetodo->setCurrentIndex(1);
    QTest::mouseClick(o->btnOk, Qt::LeftButton);
    QTest::mouseClick(o->btnCalcular, Qt::LeftButton);
    Verifica(o, QStringLiteral("outorga"));
  }

  void edicao() {
    Verifica(frm->MostraFilho(TTipoJanela::AtualizaVazao), QStringLiteral("atualiza_vazao"));
    Verifica(frm->MostraFilho(TTipoJanela::AtualizaEqTrad), QStringLiteral("atualiza_eqtrad"));
    Verifica(frm->MostraFilho(TTipoJanela::AtualizaEqCons), QStringLiteral("atualiza_eqcons"));
  }

  void manutencao() {
    Verifica(frm->MostraFilho(TTipoJanela::Manutencao), QStringLiteral("manutencao"));
  }

  void identificacao() {
    auto* loc = static_cast<TfrmLocalizacao*>(frm->Filho(TTipoJanela::Localizacao));
    QVERIFY(loc);
    TfrmIdentificacao id(*sistema, loc);
    id.MontaArvore(Secao("principal"),
                   IdentificaPonto(BaciaDoSistema(*sistema), Secao("principal")));
    id.TreeView1->setCurrentItem(id.TreeView1->topLevelItem(0));
    id.show();
    Verifica(&id, QStringLiteral("identificacao"));
  }

  void sobreEAjuda() {
    TfrmSplash sobre(frm.get());
    sobre.MostraSobre(sistema->Caminhos().Dir());
    sobre.show();
    Verifica(&sobre, QStringLiteral("sobre"));
    TfrmAjuda ajuda(frm.get());
    QVERIFY(ajuda.Carrega(qEnvironmentVariable("TORVEDA_FONTES") +
                          QStringLiteral("/ajuda/Ajuda.html")));
    ajuda.MostraConteudo();
    ajuda.show();
    Verifica(&ajuda, QStringLiteral("ajuda"));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  TesteLeiaute teste;
  return QTest::qExec(&teste, argc, argv);
}

#include "TesteLeiaute.moc"
