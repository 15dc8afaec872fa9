#include "gis/gui/TfrmBalancoTrecho.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "grants/ClassesCor.h"
#include "grants/FormataNumero.h"
#include "grants/TTabelaMeses.h"

namespace {

QTableWidgetItem* Celula(const QString& texto, Qt::Alignment alinhamento = Qt::AlignRight) {
  auto* c = new QTableWidgetItem(texto);
  c->setTextAlignment(alinhamento | Qt::AlignVCenter);
  c->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return c;
}

}  // namespace

TfrmBalancoTrecho::TfrmBalancoTrecho(const TBalanco& balanco, const TTrechoBalanco& trecho, int mes,
                                     QWidget* pai)
    : QDialog(pai) {
  setObjectName(QStringLiteral("frmBalancoTrecho"));
  setWindowTitle(QStringLiteral("Balanço do trecho %1").arg(trecho.Fim.Trecho));
  setAttribute(Qt::WA_DeleteOnClose);

  QLocale local;
  local.setNumberOptions(QLocale::OmitGroupSeparator);
  const TCriterioOutorga& c = balanco.Criterio;
  lblTrecho = new QLabel(this);
  lblTrecho->setObjectName(QStringLiteral("lblTrecho"));
  lblTrecho->setText(
      QStringLiteral("Trecho %1 (%2), área de drenagem: %3 km²\nFim do trecho: X = %4 m, Y = %5 m\n"
                     "Critério: %6% da %7 (%8) = %9 m³/s")
          .arg(trecho.Fim.Trecho)
          .arg(trecho.Rio.isEmpty() ? QStringLiteral("sem nome") : trecho.Rio,
               FormataDecimal(trecho.AreaDrenagem, 2, 2, true),
               local.toString(trecho.Fim.Centro.X, 'f', 2),
               local.toString(trecho.Fim.Centro.Y, 'f', 2), c.Percentual, c.Referencia, c.Metodo,
               FormataVazao(trecho.VazaoCriterio)));

  tblMeses = new QTableWidget(static_cast<int>(trecho.Meses.size()), 6, this);
  tblMeses->setObjectName(QStringLiteral("tblMeses"));
  tblMeses->setHorizontalHeaderLabels(
      {QStringLiteral("Mês"), QStringLiteral("Vazão do critério\n(m³/s)"),
       QStringLiteral("Outorgada estadual\n(m³/s)"), QStringLiteral("Outorgada federal\n(m³/s)"),
       QStringLiteral("Disponível\n(m³/s)"), QStringLiteral("Classe")});
  tblMeses->verticalHeader()->hide();
  tblMeses->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblMeses->setEditTriggers(QAbstractItemView::NoEditTriggers);
  const QString criterio = FormataVazao(trecho.VazaoCriterio);
  for (int i = 0; i < static_cast<int>(trecho.Meses.size()); ++i) {
    const TMesBalanco& m = trecho.Meses[static_cast<std::size_t>(i)];
    tblMeses->setItem(i, 0, Celula(NomeMesAno(m.Mes, m.Ano), Qt::AlignLeft));
    tblMeses->setItem(i, 1, Celula(criterio));
    tblMeses->setItem(i, 2, Celula(FormataVazao(m.Estadual)));
    tblMeses->setItem(i, 3, Celula(FormataVazao(m.Federal)));
    if (m.Disponivel) {
      const TDefinicaoCor& d = DefinicaoCor(m.Disponivel->Classe);
      QTableWidgetItem* disponivel = Celula(m.Disponivel->Texto);
      QTableWidgetItem* classe = Celula(QString::fromUtf8(d.Curto), Qt::AlignLeft);
      for (QTableWidgetItem* item : {disponivel, classe}) {
        item->setBackground(d.Cor);
        item->setForeground(Qt::black);
      }
      tblMeses->setItem(i, 4, disponivel);
      tblMeses->setItem(i, 5, classe);
    } else {
      tblMeses->setItem(i, 4, Celula(QString()));
      tblMeses->setItem(i, 5, Celula(QStringLiteral("sem vazão do critério"), Qt::AlignLeft));
    }
  }
  tblMeses->resizeColumnsToContents();
  tblMeses->resizeRowsToContents();
  if (mes >= 0 && mes < tblMeses->rowCount()) {
    tblMeses->selectRow(mes);
    tblMeses->scrollToItem(tblMeses->item(mes, 0), QAbstractItemView::PositionAtCenter);
  }

  auto* botoes = new QDialogButtonBox(QDialogButtonBox::Close, this);
  botoes->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fechar"));
  connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTrecho);
  layout->addWidget(tblMeses);
  layout->addWidget(botoes);
  int largura = 0;
  for (int k = 0; k < tblMeses->columnCount(); ++k) largura += tblMeses->columnWidth(k);
  resize(largura + 60, 460);
}
