#include "raster/Formatos.h"

namespace Formatos {

QString Irmao(const QString& arquivo, const QString& extensao) {
  const QString antiga = arquivo.right(3);
  const QString base = arquivo.left(arquivo.size() - antiga.size());
  const bool maiusculas =
      !antiga.isEmpty() && antiga == antiga.toUpper() && antiga != antiga.toLower();
  const QString preferido = base + (maiusculas ? extensao.toUpper() : extensao.toLower());
  if (QFileInfo::exists(preferido)) return preferido;
  const QString outro = base + (maiusculas ? extensao.toLower() : extensao.toUpper());
  return QFileInfo::exists(outro) ? outro : preferido;
}

}  // namespace Formatos
