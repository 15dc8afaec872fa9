#include "import/ImportaAqem.h"

#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "hydro/ColocaSecao.h"
#include "import/EsquemaOutorgas.h"
#include "import/GrausDMS.h"
#include "import/PontoProjetado.h"
#include "import/interno/LinhaPlanilha.h"
#include "import/interno/ValorNoCampo.h"
#include "import/interno/Verificacao.h"

namespace {

namespace E = EsquemaOutorgas;

TResultadoPasso Passo(TTabelaPlanilha& tabela, TRegistros& registros, const QString& colunaVazao,
                      const TCamada& limite, const std::vector<TAtributo>& atributos,
                      const TProgressoImportacao& progresso) {
  TResultadoPasso r;
  r.Camada = registros.Dados() ? registros.Dados()->Nome() : QString();
  r.Folha = tabela.Folha();
  r.ColunaVazao = colunaVazao;

  QString lat;
  QString lon;
  QString coluna;  // the heading being read, for the failure's message
  auto falha = [&](const QString& causa) {
    registros.CancelaEdicao();  // a half-written record is never added
    r.Causa = causa;
    r.ColunaFalha = coluna;
    r.LinhaFalha = tabela.Linha() + 2;
    const QString portaria = tabela.TemColuna(E::NPortaria)
                                 ? LinhaPlanilha::TextoParaMensagem(tabela, E::NPortaria)
                                 : LinhaPlanilha::TextoParaMensagem(tabela, E::NCertidao);
    r.Falha = MensagemFalhaAqem(LinhaPlanilha::TextoParaMensagem(tabela, E::Requerente), portaria,
                                lat, lon) +
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
      coluna = colunaVazao;
      const double q = tabela.Numero(colunaVazao);
      if (lat.isEmpty() || lon.isEmpty()) {
        ++r.SemCoordenadas;
      } else if (q == 0.0) {
        ++r.VazaoZero;
      } else {
        ValorNoCampo::VerificaVazao(q);
        coluna = E::Latitude;
        const double phi = GrausDMS(lat, PosicoesAqem, E::Latitude);
        coluna = E::Longitude;
        const double lambda = GrausDMS(lon, PosicoesAqem, E::Longitude);
        coluna.clear();
        const TPontoMapa p = PontoProjetado(phi, lambda);
        if (DentroDaBacia(limite, p)) {
          registros.AdicionaNovo();
          registros.DefinePonto(p);
          LinhaPlanilha::EscreveAtributos(tabela, registros, atributos, q, colunaVazao, coluna);
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

}  // namespace

TResultadoPasso ImportaSignificantes(TTabelaPlanilha& tabela, TRegistros& registros,
                                     const QString& colunaVazao, const TCamada& limite,
                                     const TProgressoImportacao& progresso) {
  return Passo(tabela, registros, colunaVazao, limite, E::Significantes(), progresso);
}

TResultadoPasso ImportaInsignificantes(TTabelaPlanilha& tabela, TRegistros& registros,
                                       const QString& colunaVazao, const TCamada& limite,
                                       const TProgressoImportacao& progresso) {
  return Passo(tabela, registros, colunaVazao, limite, E::Insignificantes(), progresso);
}

QString MensagemFalhaAqem(const QString& requerente, const QString& portaria,
                          const QString& latitude, const QString& longitude) {
  return QStringLiteral("Erro no processo de importação (AQEM): \nRequerente (Requerente): ") +
         requerente + QStringLiteral("\nNúmero Portaria (Nportaria): ") + portaria +
         QStringLiteral("\nLatitude: ") + latitude + QStringLiteral("\nLongitude: ") + longitude;
}

TResultadoImportacao ImportaOutorgasAqem(const TEntradaAqem& e, TApresentador& apresentador) {
  TResultadoImportacao r;
  r.Registro = QStringLiteral("AQEM");
  r.Arquivo = e.Arquivo;
  TCamada* camadas[] = {e.SupSignif, e.SupInsignif, e.SubSignif, e.SubInsignif};
  const QString nomes[] = {CamadasAqem::SupSignif, CamadasAqem::SupInsignif, CamadasAqem::SubSignif,
                           CamadasAqem::SubInsignif};
  r.Camadas = QStringList(std::begin(nomes), std::end(nomes));

  // Everything the steps need, before anything is changed.
  for (int i = 0; i < 4; ++i)
    if (!camadas[i] || !camadas[i]->Valida())
      return Verificacao::Recusa(r, Verificacao::CamadaIndisponivel(r, nomes[i]), apresentador);
  if (!e.Limite || !e.Limite->Valida())
    return Verificacao::Recusa(r, Verificacao::CamadaIndisponivel(r, QStringLiteral("Limite")),
                               apresentador);
  if (e.Limite->Registros().Conta() < 1)
    return Verificacao::Recusa(r, Verificacao::CamadaVazia(r, QStringLiteral("Limite")),
                               apresentador);
  for (int i = 0; i < 4; ++i) {
    const QString motivo = camadas[i]->Dados()->ImpedimentoGravacao();
    if (!motivo.isEmpty())
      return Verificacao::Recusa(r, Verificacao::CamadaNaoGravavel(r, nomes[i], motivo),
                                 apresentador);
  }
  const TLiberaAoSair libera(e.LiberaPlanilha);
  if (e.LePlanilha) {
    try {
      e.LePlanilha();
    } catch (const ETorveda& erro) {
      return Verificacao::Recusa(r, Verificacao::ArquivoIlegivel(r, erro.mensagem()), apresentador);
    }
  }
  for (TTabelaPlanilha* t : {e.Superficial, e.Insignificante, e.Subterranea})
    if (!t || !t->Carregada())
      return Verificacao::Recusa(r, Verificacao::ArquivoIndisponivel(r), apresentador);

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
  QStringList faltas;
  for (const TPasso& p : passos) {
    const QString falta = Verificacao::FaltaNaFolha(
        *p.Tabela, Verificacao::ColunasDoPasso(
                       p.Significante ? E::Significantes() : E::Insignificantes(), p.Coluna));
    if (!falta.isEmpty() && !faltas.contains(falta)) faltas << falta;
  }
  if (!faltas.isEmpty())
    return Verificacao::Recusa(r, Verificacao::ColunasAusentes(r, faltas), apresentador);

  r.Executada = true;
  std::vector<Verificacao::TPassoPreparado> preparados;
  for (const TPasso& p : passos)
    preparados.push_back(Verificacao::PreparaPasso(
        *p.Camada,
        [&](TRegistros& registros) {
          return p.Significante
                     ? ImportaSignificantes(*p.Tabela, registros, p.Coluna, *e.Limite, e.Progresso)
                     : ImportaInsignificantes(*p.Tabela, registros, p.Coluna, *e.Limite,
                                              e.Progresso);
        },
        apresentador));
  if (Verificacao::SubstituiJuntas(r, preparados, e.Vazia, apresentador))
    apresentador.Informacao(Verificacao::Resumo(r));
  return r;
}
