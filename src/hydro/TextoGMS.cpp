#include "hydro/TextoGMS.h"

#include <cmath>

#include "gis/TConversorCoordenadas.h"

namespace {

QString DoisDigitos(double v) {
  // Pattern "00": at least two digits, a sign when negative; only the first two characters count.
  const qint64 n = static_cast<qint64>(v);
  QString t = QString::number(n < 0 ? -n : n).rightJustified(2, QLatin1Char('0'));
  if (n < 0) t.prepend(QLatin1Char('-'));
  return t.left(2);
}

QString Entre(const QString& t) { return QLatin1Char('"') + t + QLatin1Char('"'); }

}  // namespace

QString TextoGMS(double graus) {
  if (!std::isfinite(graus)) return QStringLiteral("0° 00' 00\"");
  // Work in whole seconds when the value is a whole number of seconds up to floating-point
  // noise: 15°29'30" typed and converted back must not read 15°29'29".
  const double sinal = graus < 0.0 ? -1.0 : 1.0;
  double segundosTotais = std::fabs(graus) * 3600.0;
  const double inteiro = std::round(segundosTotais);
  if (std::fabs(segundosTotais - inteiro) < 1e-6) segundosTotais = inteiro;

  const double g = std::trunc(segundosTotais / 3600.0);
  const double resto = segundosTotais - g * 3600.0;
  const double m = std::trunc(resto / 60.0);
  const double s = std::trunc(resto - m * 60.0);

  // Trunc gives an integer, so a zero carries no sign.
  const double grausInteiros = g == 0.0 ? 0.0 : sinal * g;
  const QString textoGraus = QString::number(grausInteiros, 'g', 16).left(2);
  return textoGraus + QStringLiteral("° ") + DoisDigitos(sinal * m) + QStringLiteral("' ") +
         DoisDigitos(sinal * s) + QLatin1Char('"');
}

double GrausDeGMS(double graus, double minutos, double segundos, const QString& campo,
                  const QString& texto) {
  auto recusa = [&](const QString& porque, double v) {
    throw ECoordenadaGMS(campo, Entre(texto) + QStringLiteral(" não é uma coordenada: ") +
                                    porque.arg(QString::number(v, 'g', 15)));
  };
  if (!std::isfinite(graus) || graus < 0.0)
    recusa(QStringLiteral("os graus (%1) não podem ser negativos."), graus);
  if (!std::isfinite(minutos) || minutos < 0.0 || minutos >= 60.0)
    recusa(QStringLiteral("os minutos (%1) devem estar entre 00 e 59."), minutos);
  if (!std::isfinite(segundos) || segundos < 0.0 || segundos >= 60.0)
    recusa(QStringLiteral("os segundos (%1) devem estar entre 00 e 59."), segundos);
  return (segundos / 60.0 + minutos) / 60.0 + graus;
}

bool FormatoDDMMSS(const QString& texto) {
  const QString t = texto.trimmed();
  if (t.size() != 6) return false;
  for (const QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

double GrausDDMMSS(const QString& texto, const QString& campo) {
  if (!FormatoDDMMSS(texto))
    throw ECoordenadaGMS(campo, Entre(texto) + QStringLiteral(" não está no formato DDMMSS (seis "
                                                              "algarismos: graus, minutos e "
                                                              "segundos)."));
  const QString t = texto.trimmed();
  return GrausDeGMS(t.mid(0, 2).toDouble(), t.mid(2, 2).toDouble(), t.mid(4, 2).toDouble(), campo,
                    t);
}

TPontoMapa PontoDeGraus(double latitude, double longitude) {
  // The converter takes geographic coordinates signed, x the longitude.
  return TConversorCoordenadas::Padrao().ParaProjetada({-longitude, -latitude});
}

TPontoMapa PontoDeDDMMSS(const QString& latitude, const QString& longitude) {
  const double phi = GrausDDMMSS(latitude, QStringLiteral("Latitude"));
  const double lambda = GrausDDMMSS(longitude, QStringLiteral("Longitude"));
  return PontoDeGraus(phi, lambda);
}
