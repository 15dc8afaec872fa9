#include "import/ImportaAna.h"

#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "import/EsquemaOutorgas.h"
#include "import/GrausDMS.h"
#include "import/PontoProjetado.h"
#include "import/interno/LinhaPlanilha.h"
#include "import/interno/Verificacao.h"

namespace E = EsquemaOutorgas;

TResultadoPasso ImportaAna(TTabelaPlanilha& tabela, TRegistros& registros, const TCamada& regioes,
                           const TProgressoImportacao& progresso) {
  TResultadoPasso r;
  r.Camada = registros.Dados() ? registros.Dados()->Nome() : QString();
  r.Folha = tabela.Folha();

  QString lat;
  QString lon;
  QString coluna;  // the heading being read, for the failure's message
  auto falha = [&](const QString& causa) {
    registros.CancelaEdicao();  // a half-written record is never added
    r.Causa = causa;
    r.ColunaFalha = coluna;
    r.LinhaFalha = tabela.Linha() + 2;
    r.Falha = MensagemFalhaAna(LinhaPlanilha::TextoParaMensagem(tabela, E::NomeReq),
                               LinhaPlanilha::TextoParaMensagem(tabela, E::NrPort01), lat, lon) +
              QStringLiteral("\n\n") + Verificacao::LocalDaFalha(r);
  };

  tabela.Primeiro();
  const int n = tabela.NumLinhas();
  try {
    for (int i = 0; i < n; ++i) {
      ++r.LinhasLidas;
      lat.clear();
      lon.clear();
      coluna = E::Latitude;
      lat = tabela.Texto(E::Latitude);
      coluna = E::Longitude;
      lon = tabela.Texto(E::Longitude);
      if (lat.isEmpty() || lon.isEmpty()) {
        ++r.SemCoordenadas;
      } else {
        // The six-digit attributes are read first: a text too short for them fails the row
        // before anything is projected.
        coluna = E::Latitude;
        NumeroDMS(lat, PosicoesAna);
        const double phi = GrausDMS(lat, PosicoesAna, E::Latitude);
        coluna = E::Longitude;
        NumeroDMS(lon, PosicoesAna);
        const double lambda = GrausDMS(lon, PosicoesAna, E::Longitude);
        LinhaPlanilha::VerificaVazoesMensais(tabela, E::Ana(), coluna);
        const TPontoMapa p = PontoProjetado(phi, lambda);
        if (regioes.ContemPonto(p)) {
          registros.AdicionaNovo();
          registros.DefinePonto(p);
          LinhaPlanilha::EscreveAtributos(tabela, registros, E::Ana(), 0.0, {}, coluna);
          registros.Atualiza();
          ++r.Gravados;
        } else {
          ++r.ForaDaArea;
        }
      }
      coluna.clear();
      tabela.Proximo();
      Verificacao::Informa(progresso, r, i + 1, n);
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

TResultadoImportacao ImportaOutorgasAna(const TEntradaAna& e, TApresentador& apresentador) {
  TResultadoImportacao r;
  r.Registro = QStringLiteral("ANA");
  r.Arquivo = e.Arquivo;
  r.Camadas = QStringList{CamadasAna::Outorgas};

  // Everything the step needs, before anything is changed.
  if (!e.Outorgas || !e.Outorgas->Valida())
    return Verificacao::Recusa(r, Verificacao::CamadaIndisponivel(r, CamadasAna::Outorgas),
                               apresentador);
  if (!e.Regioes || !e.Regioes->Valida())
    return Verificacao::Recusa(r, Verificacao::CamadaIndisponivel(r, CamadasAna::Regioes),
                               apresentador);
  if (e.Regioes->Registros().Conta() < 1)
    return Verificacao::Recusa(r, Verificacao::CamadaVazia(r, CamadasAna::Regioes), apresentador);
  const QString motivo = e.Outorgas->Dados()->ImpedimentoGravacao();
  if (!motivo.isEmpty())
    return Verificacao::Recusa(r, Verificacao::CamadaNaoGravavel(r, CamadasAna::Outorgas, motivo),
                               apresentador);
  const TLiberaAoSair libera(e.LiberaPlanilha);
  if (e.LePlanilha) {
    try {
      e.LePlanilha();
    } catch (const ETorveda& erro) {
      return Verificacao::Recusa(r, Verificacao::ArquivoIlegivel(r, erro.mensagem()), apresentador);
    }
  }
  if (!e.Tabela || !e.Tabela->Carregada())
    return Verificacao::Recusa(r, Verificacao::ArquivoIndisponivel(r), apresentador);
  const QString falta =
      Verificacao::FaltaNaFolha(*e.Tabela, Verificacao::ColunasDoPasso(E::Ana(), QString()));
  if (!falta.isEmpty())
    return Verificacao::Recusa(r, Verificacao::ColunasAusentes(r, {falta}), apresentador);

  r.Executada = true;
  std::vector<Verificacao::TPassoPreparado> preparados;
  preparados.push_back(Verificacao::PreparaPasso(
      *e.Outorgas,
      [&](TRegistros& registros) {
        return ImportaAna(*e.Tabela, registros, *e.Regioes, e.Progresso);
      },
      apresentador));
  if (Verificacao::SubstituiJuntas(r, preparados, e.Vazia, apresentador))
    apresentador.Informacao(Verificacao::Resumo(r));
  return r;
}
