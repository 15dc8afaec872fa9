#include "gis/CatalogoCamadas.h"

#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"

namespace CatalogoCamadas {

namespace {
using C = QColor;
constexpr std::nullopt_t N = std::nullopt;
}  // namespace

const std::array<TItemCatalogo, NumCamadas>& Itens() {
  // Dataset, colour, outline colour, style, visible at start, message when it cannot be opened.
  static const std::array<TItemCatalogo, NumCamadas> itens{{
      {"Limite", C(255, 248, 198), C(0, 0, 0), N, true,
       "Erro ao abrir o limite da bacia no formato shape"},
      {"Hidrografia", C(0, 0, 255), N, N, true, "Erro ao abrir a hidrografia no formato shape"},
      {"Hidrografia_Principais", C(0, 0, 255), N, N, true,
       "Erro ao abrir a hidrografia principal no formato shape"},
      {"Estados", N, C(128, 64, 64), 1, false, "Erro ao abrir os estados no formato shape"},
      {"Municipios", N, C(255, 0, 0), 1, false, "Erro ao abrir os municípios no formato shape"},
      {"Municipios_Sedes", C(255, 0, 0), N, 0, false,
       "Erro ao abrir as sedes dos municípios no formato shape"},
      {"Estradas", C(128, 64, 64), N, N, false, "Erro ao abrir as estradas no formato shape"},
      {"Est_Fluviometricas", C(255, 0, 0), N, 1, false,
       "Erro ao abrir as estações fluviométricas no formato shape"},
      {"Est_Pluviometricas", C(255, 255, 0), N, 2, false,
       "Erro ao abrir as estações pluviométricas no formato shape"},
      {"Ponto", C(255, 255, 255), N, 0, false, "Erro ao abrir o ponto no formato shape"},
      {"Reg_Met_Tradicional", N, N, N, false,
       "Erro ao abrir as regiões homogêneas no formato shape"},
      {"Out_Sup_Signif_AQEM", C(0, 255, 255), N, 0, false,
       "Erro ao abrir as outorgas superficiais significantes do AQEM no formato shape"},
      {"Out_Sup_Insignif_AQEM", C(0, 255, 255), N, 1, false,
       "Erro ao abrir as outorgas superficiais insignificantes do AQEM no formato shape"},
      {"Out_Sub_Signif_AQEM", C(128, 0, 0), N, 0, false,
       "Erro ao abrir as outorgas subterrâneas significantes do AQEM no formato shape"},
      {"Out_Sub_Insignif_AQEM", C(128, 0, 0), N, 1, false,
       "Erro ao abrir as outorgas subterrâneas insignificantes do AQEM no formato shape"},
      {"Out_Sup_ANA", C(0, 255, 0), N, 1, false,
       "Erro ao abrir as outorgas superficiais da ANA no formato shape"},
      {"Ad_Regioes", N, N, N, false,
       "Erro ao abrir as áreas de drenagens das regiões no formato shape"},
  }};
  return itens;
}

QString MensagemConexao() {
  return QStringLiteral("Erro ao criar conexão com os dados no formato shape");
}

QString Mensagem(const TItemCatalogo& item) { return QString::fromUtf8(item.Mensagem); }

std::unique_ptr<TCamada> AbreCamada(TConexaoShape& conexao, const TItemCatalogo& item) {
  const QString nome = QString::fromUtf8(item.Nome);
  auto camada = std::make_unique<TCamada>(nome);
  camada->DefineDados(conexao.Dataset(nome));
  if (camada->Valida()) {
    TSimbolo& s = camada->Simbolo();
    if (item.Cor) s.SetCor(*item.Cor);
    if (item.CorContorno) s.SetCorContorno(*item.CorContorno);
    if (item.Estilo) s.SetEstilo(*item.Estilo);
  }
  return camada;
}

void AplicaVisibilidadeInicial(TCamada& camada) {
  for (const auto& item : Itens())
    if (camada.Nome().compare(QString::fromUtf8(item.Nome), Qt::CaseInsensitive) == 0) {
      camada.SetVisivel(item.VisivelNoInicio);
      return;
    }
  camada.SetVisivel(false);
}

}  // namespace CatalogoCamadas
