#include "grants/DescricaoSecao.h"

#include "grants/FormataNumero.h"
#include "hydro/TPonto.h"

QString DescricaoSecao(const TPonto& p) {
  QString rio = p.NomeRio().isEmpty() ? QStringLiteral("rio sem nome") : p.NomeRio();
  QString lugar = rio;
  if (!p.Municipio().isEmpty()) lugar += QStringLiteral(", ") + p.Municipio();
  if (!p.Estado().isEmpty()) lugar += QStringLiteral(" (") + p.Estado() + QLatin1Char(')');
  return lugar + QStringLiteral("; área de drenagem ") + FormataArea(p.AreaDrenagem()) +
         QStringLiteral(" km²; X ") + FormataMetros(p.CoordX()) + QStringLiteral(" m, Y ") +
         FormataMetros(p.CoordY()) + QStringLiteral(" m (") + p.LatitudeGMS() +
         QStringLiteral(" S, ") + p.LongitudeGMS() + QStringLiteral(" W)");
}

QString LegendaSecao(const TPonto* p) {
  if (!p || (p->CodTrecho() == 0 && p->CoordX() == 0.0 && p->CoordY() == 0.0))
    return QStringLiteral("Nenhuma seção de interesse: escolha uma na tela Localização.");
  if (!p->SobreHidrografia())
    return QStringLiteral("Seção fora da hidrografia (") + DescricaoSecao(*p) +
           QStringLiteral("): escolha uma seção sobre um curso d'água na tela Localização.");
  return QStringLiteral("Seção de interesse: ") + DescricaoSecao(*p);
}
