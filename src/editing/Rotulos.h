#pragma once
// The captions of the editing windows' edit boxes, with their sub- and superscripts, written
// once for the three windows.

#include <QString>

namespace Rotulos {

// "Q<sub>90</sub> (m³ s⁻¹)" for the subscript "90".
inline QString Vazao(const QString& subscrito) {
  return QStringLiteral("Q<sub>%1</sub> (m<sup>3</sup> s<sup>-1</sup>)").arg(subscrito);
}
// "B<sub>Ad</sub>".
inline QString Coeficiente(const QString& subscrito) {
  return QStringLiteral("B<sub>%1</sub>").arg(subscrito);
}
inline QString Area() { return QStringLiteral("Área (km<sup>2</sup>)"); }

}  // namespace Rotulos
