#pragma once
// The regression models of the equation tables and the two ways of carrying an observed flow
// from a gauging station to another drainage area.

#include <QString>
#include <QStringList>
#include <optional>

// The general real power: exponent 0 gives 1, base 0 with a positive exponent gives 0, an
// integral exponent is applied by repeated multiplication, anything else is e^(e * ln b).
double PotenciaReal(double base, double expoente);

// Flow of one equation record at drainage area ad (km^2). "Lin": bAd*ad + b0; "Pot": b0*ad^bAd;
// "Exp": e^(bAd*ad + b0); "Log" and "Rec": b0; any other text (case matters): 0. A result that is
// not a finite number (a power of 0 with a negative exponent, an overflow, the power of a negative
// base) is 0, which the windows read as "not estimated".
double AvaliaModelo(const QString& modelo, double b0, double bAd, double ad);
// The same before that last step: an infinity or not-a-number comes back as it is.
double AvaliaModeloBruto(const QString& modelo, double b0, double bAd, double ad);
// True for the five model texts AvaliaModelo knows (case matters).
bool ModeloConhecido(const QString& modelo);

// The model names AvaliaModelo knows, as they are written: "Lin", "Pot", "Exp", "Log", "Rec".
const QStringList& NomesModelos();

// X1 + (a - a1) / (a2 - a1) * (X2 - X1): the flow at area a between two stations. Empty when
// both stations have the same area, or the result is not finite.
std::optional<double> Interpola(double a, double a1, double x1, double a2, double x2);

// a / a1 * x1: the flow of one station scaled to area a. Empty when a1 is 0, or the result is
// not finite.
std::optional<double> Proporcional(double a, double a1, double x1);
