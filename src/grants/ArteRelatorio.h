#pragma once
// The reports' static artwork, drawn as vector content so it stays sharp on paper and in PDF:
// the institutional logos, the program's logo and the colour legend of the availability tables.
// Each is designed on its own pixel grid (the size of the picture it stands for) and stretched to
// the frame it is given, as a picture would be.

#include <QRectF>

class QPainter;

// Institutional logos, designed at 283 x 70.
void DesenhaLogotiposInstitucionais(QPainter& p, const QRectF& alvo);
// The program's logo, designed at 191 x 59.
void DesenhaLogotipoTorveda(QPainter& p, const QRectF& alvo);
// The legend of the four colour classes, designed at 593 x 146.
void DesenhaLegendaCores(QPainter& p, const QRectF& alvo);
