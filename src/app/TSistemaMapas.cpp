// Start-up steps 6 to 8: the shapefile connection and the 17 basin layers.
#include "app/TSistema.h"

void TSistema::ConectaShape() {
  RegistraFalha(QStringLiteral("ConexaoShape"),
                QStringLiteral("Erro ao criar conexão com os dados no formato shape"));
}

void TSistema::AbreCamadas() {}

void TSistema::OcultaCamadas() {}
