#pragma once
// The captions of the editing windows' edit boxes, with their sub- and superscripts, written
// once for the three windows.

#include <QRegularExpression>
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

// A caption as one line of plain text, for messages: "Área (km²)", "B0", "Q90 (m³ s⁻¹)".
inline QString TextoSimples(QString rotulo) {
  rotulo.replace(QStringLiteral("<sup>2</sup>"), QStringLiteral("²"));
  rotulo.replace(QStringLiteral("<sup>3</sup>"), QStringLiteral("³"));
  rotulo.replace(QStringLiteral("<sup>-1</sup>"), QStringLiteral("⁻¹"));
  static const QRegularExpression marca(QStringLiteral("<[^>]*>"));
  rotulo.remove(marca);
  return rotulo;
}

}  // namespace Rotulos
