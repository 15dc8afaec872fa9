#include "import/GrausDMS.h"

#include <QLocale>
#include <cmath>

#include "base/Erro.h"
#include "base/LeituraNumero.h"
#include "hydro/TextoGMS.h"

namespace {

// The two characters from `posicao` (counting from 1); never reads past the text.
QString Par(const QString& texto, int posicao) {
  if (posicao < 1 || texto.size() < posicao + 1)
    throw ETorveda(QStringLiteral("A coordenada \"%1\" não tem os dígitos das posições %2 e %3.")
                       .arg(texto)
                       .arg(posicao)
                       .arg(posicao + 1));
  return texto.mid(posicao - 1, 2);
}

double Numero(const QString& digitos, const QString& texto) {
  const auto v = LeNumeroDeCelula(digitos);
  if (!v)
    throw ETorveda(
        QStringLiteral("A coordenada \"%1\" não é um número: \"%2\".").arg(texto, digitos));
  return *v;
}

}  // namespace

double GrausDMS(const QString& texto, TPosicoesDMS posicoes, const QString& coluna) {
  const double graus = Numero(Par(texto, posicoes.Graus), texto);
  const double minutos = Numero(Par(texto, posicoes.Minutos), texto);
  const double segundos = Numero(Par(texto, posicoes.Segundos), texto);
  return GrausDeGMS(graus, minutos, segundos, coluna, texto);
}

double NumeroDMS(const QString& texto, TPosicoesDMS posicoes) {
  const QString digitos =
      Par(texto, posicoes.Graus) + Par(texto, posicoes.Minutos) + Par(texto, posicoes.Segundos);
  return Numero(digitos, texto);
}
