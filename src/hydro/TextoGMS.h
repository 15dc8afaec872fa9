#pragma once
// Degrees, minutes and seconds of a coordinate: as the section shows and prints them
// (17.25 -> 17° 15' 00"; minutes and seconds are truncated, never rounded; the degree part keeps
// only its first two characters), and the one reading of typed or registered texts into decimal
// degrees and the basin's projected point.

#include <QString>

#include "base/Erro.h"
#include "gis/TGeometria.h"

QString TextoGMS(double graus);

// A coordinate text that cannot be read. Campo names the field ("Latitude"); Detalhe says what is
// wrong with the text, quoting it. The message joins both: "Latitude: \"163699\" não é ...".
class ECoordenadaGMS : public ETorveda {
 public:
  ECoordenadaGMS(const QString& campo, const QString& detalhe)
      : ETorveda(campo + QStringLiteral(": ") + detalhe), Campo_(campo), Detalhe_(detalhe) {}
  const QString& Campo() const noexcept { return Campo_; }
  const QString& Detalhe() const noexcept { return Detalhe_; }

 private:
  QString Campo_;
  QString Detalhe_;
};

// (segundos / 60 + minutos) / 60 + graus. Throws ECoordenadaGMS naming the field and quoting texto
// when the minutes or the seconds are not within 0 to 59 (a fraction of a second is kept), or a
// part is not a finite number: 16° 36' 99" is a typing mistake, never 16° 37' 39".
double GrausDeGMS(double graus, double minutos, double segundos, const QString& campo,
                  const QString& texto);

// Whether the text is the six digits DDMMSS, blanks around it aside.
bool FormatoDDMMSS(const QString& texto);

// Six digits DDMMSS -> decimal degrees. Throws ECoordenadaGMS naming the field when the text is not
// six digits or its minutes or seconds are 60 or more.
double GrausDDMMSS(const QString& texto, const QString& campo);

// Decimal degrees, both positive (every point of the basin lies south and west) -> the basin's
// projected point, through the program's one coordinate converter. Throws ETorveda when the point
// cannot be projected.
TPontoMapa PontoDeGraus(double latitude, double longitude);

// Latitude and longitude typed DDMMSS, south and west positive -> the basin's projected point: the
// reading every road that takes typed coordinates goes through. Throws ECoordenadaGMS naming
// "Latitude" or "Longitude" when a text cannot be read, ETorveda when the point cannot be
// projected.
TPontoMapa PontoDeDDMMSS(const QString& latitude, const QString& longitude);
