#include "grants/gui/PreviaRelatorio.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

bool MostraPreviaRelatorio(const TDadosRelatorio& dados, QWidget* dono) {
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  // The layout is measured from the sheet's corner, not from the printable area.
  impressora.setFullPage(true);
  impressora.setDocName(TituloRelatorio(dados.Tipo));
  impressora.setCreator(QStringLiteral("TORVEDA"));

  QPrintPreviewDialog previa(&impressora, dono);
  previa.setObjectName(QStringLiteral("qkrRelatorio"));
  previa.setWindowTitle(TituloRelatorio(dados.Tipo));
  QObject::connect(&previa, &QPrintPreviewDialog::paintRequested, &previa, [&dados](QPrinter* p) {
    QPainter pintor(p);
    DesenhaRelatorio(pintor, dados);
  });
  previa.resize(900, 1000);
  // The preview accepts itself once it has printed.
  return previa.exec() == QDialog::Accepted;
}
