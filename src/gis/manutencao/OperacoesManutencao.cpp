#include "gis/manutencao/OperacoesManutencao.h"

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "grants/FormataNumero.h"
#include "hydro/TMalha.h"
#include "hydro/TPonto.h"
#include "hydro/TRede.h"
#include "hydro/TTabelaArcos.h"
#include "hydro/TextoGMS.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"
#include "sistema/TSistema.h"

namespace {

double Numero(const QString& texto) {
  bool ok = false;
  const double v = LeNumero(texto, &ok);
  if (!ok) throw ETorveda(QStringLiteral("'%1' não é um valor numérico válido.").arg(texto));
  return v;
}

// The maintenance screen's own wording for a text that is not six digits; the reading itself
// is the one every typed coordinate goes through.
void ConfereDDMMSS(const QString& texto) {
  if (!FormatoDDMMSS(texto))
    throw ETorveda(QStringLiteral("'%1' não é uma coordenada válida: digite seis algarismos, "
                                  "graus, minutos e segundos (GGMMSS).")
                       .arg(texto));
}

}  // namespace

namespace Manutencao {

QString TextoGMS(double graus) {
  // The section's text with its blanks taken out: the parts themselves never hold one.
  return ::TextoGMS(graus).remove(QLatin1Char(' '));
}

QString PegaArea(const TSistema& sistema, const QString& textoY, const QString& textoX) {
  const TPontoMapa p{Numero(textoX), Numero(textoY)};
  if (!sistema.HeaderMDE || !sistema.ImgHidroMapeada || !sistema.ImgHidroSemEsp ||
      !sistema.ImgDirEsc || !sistema.ImgFluxoAc)
    throw ETorveda(QStringLiteral("As matrizes da bacia não foram carregadas."));
  const TMalha malha(*sistema.HeaderMDE);
  const std::int64_t celula = malha.IndiceCelula(p);
  if (celula == TMalha::CelulaFora)
    throw ETorveda(QStringLiteral("O ponto X %1, Y %2 está fora da grade da bacia.")
                       .arg(FormataGeral(p.X), FormataGeral(p.Y)));
  // Only the grids take part in the snapping; the arc table is not consulted.
  const TTabelaArcos semArcos;
  const TRede rede(malha, *sistema.ImgHidroMapeada, *sistema.ImgHidroSemEsp, *sistema.ImgDirEsc,
                   *sistema.ImgFluxoAc, semArcos);
  return FormataDecimal(rede.FluxoAc(rede.CelulaRedeProxima(celula)), 0, 4);
}

std::pair<QString, QString> ParaLatLong(const QString& textoX, const QString& textoY) {
  const double y = Numero(textoY);
  const double x = Numero(textoX);
  const TPontoMapa p{x, y};
  return {TextoGMS(TPonto::ProjetadaParaLatitude(p)), TextoGMS(TPonto::ProjetadaParaLongitude(p))};
}

std::pair<QString, QString> ParaUtm(const QString& textoLatitude, const QString& textoLongitude) {
  ConfereDDMMSS(textoLatitude);
  ConfereDDMMSS(textoLongitude);
  const TPontoMapa p = PontoDeDDMMSS(textoLatitude, textoLongitude);
  return {FormataDecimal(p.X, 0, 4), FormataDecimal(p.Y, 0, 4)};
}

QString TextoInformacao(const TPontoMapa& p, const TPonto& ponto) {
  return JuntaLinhas({
      QStringLiteral("Latitude: ") + TextoGMS(TPonto::ProjetadaParaLatitude(p)),
      QStringLiteral("Longitude: ") + TextoGMS(TPonto::ProjetadaParaLongitude(p)),
      QStringLiteral("Y: ") + FormataGeral(p.Y),
      QStringLiteral("X: ") + FormataGeral(p.X),
      QStringLiteral("Rio: ") + ponto.NomeRio(),
      QStringLiteral("Município: ") + ponto.Municipio(),
      QStringLiteral("Estado: ") + ponto.Estado(),
      QStringLiteral("Área de drenagem: ") + FormataArea(ponto.AreaDrenagem()),
  });
}

}  // namespace Manutencao
