#include "import/ImportaAqem.h"

#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "hydro/ColocaSecao.h"
#include "import/ApagaRegistros.h"
#include "import/EsquemaOutorgas.h"
#include "import/GrausDMS.h"
#include "import/PontoProjetado.h"
#include "import/interno/LinhaPlanilha.h"
#include "import/interno/Verificacao.h"

namespace {

namespace E = EsquemaOutorgas;

TResultadoPasso Passo(TTabelaPlanilha& tabela, TRegistros& registros, const QString& colunaVazao,
                      const TCamada& limite, const std::vector<TAtributo>& atributos) {
  TResultadoPasso r;
  r.Camada = registros.Dados() ? registros.Dados()->Nome() : QString();
  r.Folha = tabela.Folha();
  r.ColunaVazao = colunaVazao;

  QString lat;
  QString lon;
  auto falha = [&](const QString& causa) {
    registros.CancelaEdicao();  // a half-written record is never added
    r.Causa = causa;
    r.LinhaFalha = tabela.Linha() + 2;
    const QString portaria = tabela.TemColuna(E::NPortaria)
                                 ? LinhaPlanilha::TextoParaMensagem(tabela, E::NPortaria)
                                 : LinhaPlanilha::TextoParaMensagem(tabela, E::NCertidao);
    r.Falha = MensagemFalhaAqem(LinhaPlanilha::TextoParaMensagem(tabela, E::Requerente), portaria,
                                lat, lon);
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
      const double q = tabela.Numero(colunaVazao);
      if (lat.isEmpty() || lon.isEmpty()) {
        ++r.SemCoordenadas;
      } else if (q == 0.0) {
        ++r.VazaoZero;
      } else {
        const double phi = GrausDMS(lat, PosicoesAqem);
        const double lambda = GrausDMS(lon, PosicoesAqem);
        const TPontoMapa p = PontoProjetado(phi, lambda);
        if (DentroDaBacia(limite, p)) {
          registros.AdicionaNovo();
          registros.DefinePonto(p);
          LinhaPlanilha::EscreveAtributos(tabela, registros, atributos, q);
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

}  // namespace

TResultadoPasso ImportaSignificantes(TTabelaPlanilha& tabela, TRegistros& registros,
                                     const QString& colunaVazao, const TCamada& limite) {
  return Passo(tabela, registros, colunaVazao, limite, E::Significantes());
}

TResultadoPasso ImportaInsignificantes(TTabelaPlanilha& tabela, TRegistros& registros,
                                       const QString& colunaVazao, const TCamada& limite) {
  return Passo(tabela, registros, colunaVazao, limite, E::Insignificantes());
}

QString MensagemFalhaAqem(const QString& requerente, const QString& portaria,
                          const QString& latitude, const QString& longitude) {
  return QStringLiteral("Erro no processo de importação (AQEM): \nRequerente (Requerente): ") +
         requerente + QStringLiteral("\nNúmero Portaria (Nportaria): ") + portaria +
         QStringLiteral("\nLatitude: ") + latitude + QStringLiteral("\nLongitude: ") + longitude;
}

TResultadoImportacao ImportaOutorgasAqem(const TEntradaAqem& e) {
  TResultadoImportacao r;
  r.Registro = QStringLiteral("AQEM");
  r.Arquivo = e.Arquivo;

  const bool aberta = e.Superficial && e.Superficial->Ativa() && e.Insignificante &&
                      e.Insignificante->Ativa() && e.Subterranea && e.Subterranea->Ativa();
  if (!aberta) return Verificacao::Recusa(r, Verificacao::ArquivoIndisponivel(r));
  TCamada* camadas[] = {e.SupSignif, e.SupInsignif, e.SubSignif, e.SubInsignif};
  const QString nomes[] = {CamadasAqem::SupSignif, CamadasAqem::SupInsignif, CamadasAqem::SubSignif,
                           CamadasAqem::SubInsignif};
  for (int i = 0; i < 4; ++i)
    if (!camadas[i] || !camadas[i]->Valida())
      return Verificacao::Recusa(r, Verificacao::CamadaIndisponivel(r, nomes[i]));
  if (!e.Limite || !e.Limite->Valida())
    return Verificacao::Recusa(r, Verificacao::CamadaIndisponivel(r, QStringLiteral("Limite")));

  r.Executada = true;
  try {
    for (TCamada* c : camadas) ApagaRegistros(*c);
  } catch (const ETorveda& erro) {
    r.Erro = erro.mensagem();
    Apresentador().Erro(r.Erro);
    return r;
  }

  struct TPasso {
    TTabelaPlanilha* Tabela;
    TCamada* Camada;
    const QString& Coluna;
    bool Significante;
  };
  const TPasso passos[] = {{e.Superficial, e.SupSignif, EsquemaOutorgas::VazaoM3s, true},
                           {e.Insignificante, e.SupInsignif, EsquemaOutorgas::VazaoM3s, false},
                           {e.Subterranea, e.SubSignif, EsquemaOutorgas::VazaoM3h, true},
                           {e.Insignificante, e.SubInsignif, EsquemaOutorgas::VazaoM3h, false}};
  for (const TPasso& p : passos) {
    TRegistros registros = p.Camada->Registros();
    r.Passos.push_back(p.Significante
                           ? ImportaSignificantes(*p.Tabela, registros, p.Coluna, *e.Limite)
                           : ImportaInsignificantes(*p.Tabela, registros, p.Coluna, *e.Limite));
    Verificacao::MostraFalhas(r.Passos.back());
  }
  return r;
}
