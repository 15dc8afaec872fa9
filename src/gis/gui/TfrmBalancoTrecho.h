#pragma once
// The monthly balance of one arc of the basin availability theme: for every month of the
// balance, the criterion's flow, the state and federal flows granted upstream, the availability
// and its class, as the export of the balance writes them.

#include <QDialog>

#include "grants/BalancoRede.h"

class QLabel;
class QTableWidget;

class TfrmBalancoTrecho : public QDialog {
  Q_OBJECT
 public:
  // mes: the row of the month the map shows, made current.
  TfrmBalancoTrecho(const TBalanco& balanco, const TTrechoBalanco& trecho, int mes,
                    QWidget* pai = nullptr);

  QLabel* lblTrecho = nullptr;
  QTableWidget* tblMeses = nullptr;
};
