#include "sistema/TSistema.h"

#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/TdmS.h"
#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"
#include "hydro/TPonto.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"

TSistema::TSistema(const TCaminhos& caminhos) : Caminhos_(caminhos) {}

TSistema::~TSistema() = default;

void TSistema::CriaFormPrincipal(TApresentador& apresentador) {
  ErroInicial_ = QStringLiteral(" ");
  Ponto = std::make_unique<TPonto>();
  CarregaHeader(apresentador);
  CarregaMatrizes(apresentador);

  // Steps 6 to 8 run under one guard: an error raised by the map engine skips the rest of them
  // and is reported with the text recorded so far.
  try {
    ConectaShape();
    AbreCamadas();
    OcultaCamadas();
  } catch (const ETorveda& e) {
    RegistraDados(QStringLiteral("Mapas"), false, e.mensagem());
    apresentador.Erro(ErroInicial_);
    MapasCarregados = false;
    return;
  } catch (const std::exception& e) {
    RegistraDados(QStringLiteral("Mapas"), false, QString::fromLocal8Bit(e.what()));
    apresentador.Erro(ErroInicial_);
    MapasCarregados = false;
    return;
  }
  MapasCarregados = ErroInicial_ == QStringLiteral(" ");
}

TCamada* TSistema::Camada(const QString& nome) const {
  for (const auto& c : Camadas)
    if (c && c->Nome().compare(nome, Qt::CaseInsensitive) == 0) return c.get();
  return nullptr;
}

void TSistema::RegistraSucesso(const QString& nome) { Cargas_.push_back({nome, true, {}}); }

void TSistema::RegistraFalha(const QString& nome, const QString& mensagem) {
  Cargas_.push_back({nome, false, mensagem});
  ErroInicial_ = mensagem;
}

void TSistema::RegistraDados(const QString& nome, bool ok, const QString& mensagem) {
  Cargas_.push_back({nome, ok, mensagem});
}
