#include "import/ImportaAna.h"

#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "import/ApagaRegistros.h"
#include "import/EsquemaOutorgas.h"
#include "import/GrausDMS.h"
#include "import/PontoProjetado.h"
#include "import/interno/LinhaPlanilha.h"
#include "import/interno/Verificacao.h"

namespace E = EsquemaOutorgas;

TResultadoPasso ImportaAna(TTabelaPlanilha& tabela, TRegistros& registros, const TCamada& regioes) {
  TResultadoPasso r;
  r.Camada = registros.Dados() ? registros.Dados()->Nome() : QString();
  r.Folha = tabela.Folha();

  QString lat;
  QString lon;
  auto falha = [&](const QString& causa) {
    registros.CancelaEdicao();  // a half-written record is never added
    r.Causa = causa;
    r.LinhaFalha = tabela.Linha() + 2;
    r.Falha = MensagemFalhaAna(LinhaPlanilha::TextoParaMensagem(tabela, E::NomeReq),
                               LinhaPlanilha::TextoParaMensagem(tabela, E::NrPort01), lat, lon);
  };

  tabela.Primeiro();
  const int n = tabela.NumLinhas();
  try {
    for (int i = 0; i < n; ++i) {
      ++r.LinhasLidas;
      lat.clear();
      lon.clear();
      lat = tabela.Texto(E::Latitude);
      lon = tabela.Texto(E::Longitude);
      if (lat.isEmpty() || lon.isEmpty()) {
        ++r.SemCoordenadas;
      } else {
        // The six-digit attributes are read first: a text too short for them fails the row
        // before anything is projected.
        NumeroDMS(lat, PosicoesAna);
        NumeroDMS(lon, PosicoesAna);
        const double phi = GrausDMS(lat, PosicoesAna);
        const double lambda = GrausDMS(lon, PosicoesAna);
        const TPontoMapa p = PontoProjetado(phi, lambda);
        if (regioes.ContemPonto(p)) {
          registros.AdicionaNovo();
          registros.DefinePonto(p);
          LinhaPlanilha::EscreveAtributos(tabela, registros, E::Ana(), 0.0);
          registros.Atualiza();
          ++r.Gravados;
        } else {
          ++r.ForaDaArea;
        }
      }
      tabela.Proximo();
    }
  } catch (const ETorveda& e) {
    falha(e.mensagem());
  } catch (const std::exception& e) {
    falha(QString::fromLocal8Bit(e.what()));
  }

  try {
    registros.FimEdicao();
  } catch (const ETorveda& e) {
    r.ErroGravacao = e.mensagem();
  }
  return r;
}

QString MensagemFalhaAna(const QString& nomeReq, const QString& nrPort01, const QString& latitude,
                         const QString& longitude) {
  return QStringLiteral("Erro no processo de importação (ANA): \nNome Requerente (NomeReq): ") +
         nomeReq + QStringLiteral("\nNúmero Portaria (NrPort01): ") + nrPort01 +
         QStringLiteral("\nLatitude: ") + latitude + QStringLiteral("\nLongitude: ") + longitude;
}

TResultadoImportacao ImportaOutorgasAna(const TEntradaAna& e) {
  TResultadoImportacao r;
  r.Registro = QStringLiteral("ANA");
  r.Arquivo = e.Arquivo;

  if (!e.Tabela || !e.Tabela->Ativa())
    return Verificacao::Recusa(r, Verificacao::ArquivoIndisponivel(r));
  if (!e.Outorgas || !e.Outorgas->Valida())
    return Verificacao::Recusa(r, Verificacao::CamadaIndisponivel(r, CamadasAna::Outorgas));
  if (!e.Regioes || !e.Regioes->Valida())
    return Verificacao::Recusa(r, Verificacao::CamadaIndisponivel(r, CamadasAna::Regioes));

  r.Executada = true;
  try {
    ApagaRegistros(*e.Outorgas);
  } catch (const ETorveda& erro) {
    r.Erro = erro.mensagem();
    Apresentador().Erro(r.Erro);
    return r;
  }
  TRegistros registros = e.Outorgas->Registros();
  r.Passos.push_back(ImportaAna(*e.Tabela, registros, *e.Regioes));
  Verificacao::MostraFalhas(r.Passos.back());
  return r;
}
