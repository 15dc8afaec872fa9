#include "base/Apresentador.h"

QString JuntaLinhas(const QStringList& linhas) { return linhas.join(QLatin1Char('\n')); }
