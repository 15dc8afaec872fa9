// Start-up steps 6 to 8: the shapefile connection and the 17 basin layers.
#include <QDir>

#include "gis/CatalogoCamadas.h"
#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"
#include "sistema/TSistema.h"

void TSistema::ConectaShape() {
  ConexaoShape = std::make_unique<TConexaoShape>(QDir::cleanPath(Caminhos_.DadosSIG()));
  if (ConexaoShape->Conecta())
    RegistraSucesso(QStringLiteral("ConexaoShape"));
  else
    RegistraFalha(QStringLiteral("ConexaoShape"), CatalogoCamadas::MensagemConexao());
}

// Every row is opened even after a failure (a failed connection leaves each layer invalid, and
// the error text ends as the last failed row's message); no message box is shown here.
void TSistema::AbreCamadas() {
  Camadas.clear();
  for (const auto& item : CatalogoCamadas::Itens()) {
    if (CamadasLimitadas_ &&
        !CamadasLimitadas_->contains(QString::fromUtf8(item.Nome), Qt::CaseInsensitive))
      continue;
    auto camada = CatalogoCamadas::AbreCamada(*ConexaoShape, item);
    if (camada->Valida())
      RegistraSucesso(camada->Nome());
    else
      // A damaged layer adds what is wrong with which file to the layer's own message.
      RegistraFalha(
          QString::fromUtf8(item.Nome),
          ConexaoShape->UltimoIlegivel()
              ? CatalogoCamadas::Mensagem(item) + QLatin1Char('\n') + ConexaoShape->UltimoErro()
              : CatalogoCamadas::Mensagem(item));
    Camadas.push_back(std::move(camada));
  }
}

void TSistema::OcultaCamadas() {
  for (const auto& camada : Camadas) CatalogoCamadas::AplicaVisibilidadeInicial(*camada);
}
