#pragma once
// The attributes that the imports write into the grant point layers, in the order of writing,
// each with the sheet column it comes from and how its value is formed. Written here once: the
// import steps walk these lists, and a new installation (the sample basin, the tests) creates
// the layers' fields from them.
//
// The layers' files exist beforehand with these fields (and others, such as "ID", left at their
// default); the imports create no field.

#include <QList>
#include <QString>
#include <vector>

#include "gis/TDadosShape.h"

enum class TValorAtributo {
  Texto,        // text of the cell
  Real,         // number of the cell
  Inteiro,      // number of the cell rounded to an integer
  Data,         // date of the cell (blank when the cell is empty)
  Vazao,        // number of the step's flow column, as read
  VazaoMensal,  // number of the cell / 3600 (m³/h -> m³/s); an empty cell stays empty
  Copia,        // the cell as it stands, in the field's type; an empty cell stays empty
  Dms,          // the six digits of a federal coordinate text read as one number
};

struct TAtributo {
  QString Nome;  // the layer's field, at most ten characters
  TValorAtributo Valor;
  QString Coluna;  // the sheet's heading; empty for Vazao
  TCampo Campo;    // the field a new installation creates
};

namespace EsquemaOutorgas {

// Headings every step reads.
inline const QString Latitude = QStringLiteral("Latitude");
inline const QString Longitude = QStringLiteral("Longitude");
inline const QString Requerente = QStringLiteral("Requerente");
inline const QString NPortaria = QStringLiteral("Nº Portaria");
inline const QString NCertidao = QStringLiteral("Nº Certidão");
inline const QString NomeReq = QStringLiteral("NomeReq");
inline const QString NrPort01 = QStringLiteral("NrPort01");
inline const QString VazaoM3s = QStringLiteral("Vazão (m³/s)");
inline const QString VazaoM3h = QStringLiteral("Vazão (m³/h)");

// The state layers of significant grants ("Out_Sup_Signif_AQEM", "Out_Sub_Signif_AQEM").
const std::vector<TAtributo>& Significantes();
// The state layers of insignificant uses ("Out_Sup_Insignif_AQEM", "Out_Sub_Insignif_AQEM").
const std::vector<TAtributo>& Insignificantes();
// The federal layer "Out_Sup_ANA".
const std::vector<TAtributo>& Ana();

// The fields of a new layer: "ID" (integer) and then the attributes of the list, in order.
QList<TCampo> Campos(const std::vector<TAtributo>& atributos);

}  // namespace EsquemaOutorgas
