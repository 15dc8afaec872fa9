#pragma once
// The grant criterion (a percentage of one reference flow estimated by one regionalization
// method) and the allowable flow it gives at the section of interest.

#include <QString>
#include <QStringList>

class TPonto;

// The criterion's texts as the grant window holds them, typed or chosen.
struct TCriterioOutorga {
  QString Percentual;  // edtValorCriterio
  QString Referencia;  // cbVarInteresse: "Q710", "Q90", "Q95", "Qmld"
  QString Metodo;      // cbMetodo: "Tradicional", "Proporc. de vazões", "Conserv. de massas"
};

// The items of the two combo boxes, in order.
const QStringList& NomesReferencia();
const QStringList& NomesMetodo();

// The allowable flow (m^3/s): p % of the reference flow of that method. Names are compared
// exactly; a name that matches no item counts as a flow of 0.
double VazaoCriterio(const TPonto& ponto, const QString& referencia, const QString& metodo, int p);
