#include "import/ComandosOutorgas.h"

#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "app/TSistema.h"
#include "data/TdmS.h"

const QString TextosOutorgas::ConfirmacaoAqem = QStringLiteral(
    "A operação de Atualização das Outorgas Estaduais (AQEM) pode durar\nalguns minutos. Além "
    "disso, essa operação remove todas as\noutorgas do banco de dados.\nVocê tem certeza que "
    "deseja executar essa operação?");
const QString TextosOutorgas::InformacaoAqem = QStringLiteral(
    "O arquivo de Outorgas Estaduais (AQEM) deve estar localizado\nna pasta DadosBD com o nome "
    "\"TORVEDA_Outorgas_AQEM.xls\".");
const QString TextosOutorgas::ConfirmacaoAna = QStringLiteral(
    "A operação de Atualização das Outorgas Federais (ANA) pode durar\nalguns minutos. Além "
    "disso, essa operação remove todas as\noutorgas do banco de dados.\nVocê tem certeza que "
    "deseja executar essa operação?");
const QString TextosOutorgas::InformacaoAna = QStringLiteral(
    "O arquivo de Outorgas Federais (ANA) deve estar localizado\nna pasta DadosBD com o nome "
    "\"TORVEDA_Outorgas_ANA.xls\".");

TEntradaAqem EntradaAqem(TSistema& sistema) {
  TEntradaAqem e;
  if (sistema.dmS) {
    e.Superficial = &sistema.dmS->tdbOutorgasAqemSuperficial;
    e.Insignificante = &sistema.dmS->tdbOutorgasAqemInsignificante;
    e.Subterranea = &sistema.dmS->tdbOutorgasAqemSubterranea;
    e.Arquivo = sistema.dmS->ArquivoOutorgasAqem();
  } else {
    e.Arquivo = sistema.Caminhos().OutorgasAqem();
  }
  e.SupSignif = sistema.Camada(CamadasAqem::SupSignif);
  e.SupInsignif = sistema.Camada(CamadasAqem::SupInsignif);
  e.SubSignif = sistema.Camada(CamadasAqem::SubSignif);
  e.SubInsignif = sistema.Camada(CamadasAqem::SubInsignif);
  e.Limite = sistema.Camada(QStringLiteral("Limite"));
  return e;
}

TEntradaAna EntradaAna(TSistema& sistema) {
  TEntradaAna e;
  if (sistema.dmS) {
    e.Tabela = &sistema.dmS->tdbOutorgasAna;
    e.Arquivo = sistema.dmS->ArquivoOutorgasAna();
  } else {
    e.Arquivo = sistema.Caminhos().OutorgasAna();
  }
  e.Outorgas = sistema.Camada(CamadasAna::Outorgas);
  e.Regioes = sistema.Camada(CamadasAna::Regioes);
  return e;
}

namespace {

template <typename F>
void Executa(const QString& confirmacao, const QString& informacao, F&& importa) {
  if (Apresentador().Confirmacao(confirmacao) != TResposta::Sim) return;
  Apresentador().Informacao(informacao);
  // The imports report their own failures; anything else still reaches the user.
  try {
    importa();
  } catch (const ETorveda& e) {
    Apresentador().Erro(e.mensagem());
  } catch (const std::exception& e) {
    Apresentador().Erro(QString::fromLocal8Bit(e.what()));
  }
}

}  // namespace

void ComandoOutorgasAqem(TSistema& sistema) {
  Executa(TextosOutorgas::ConfirmacaoAqem, TextosOutorgas::InformacaoAqem,
          [&] { ImportaOutorgasAqem(EntradaAqem(sistema)); });
}

void ComandoOutorgasAna(TSistema& sistema) {
  Executa(TextosOutorgas::ConfirmacaoAna, TextosOutorgas::InformacaoAna,
          [&] { ImportaOutorgasAna(EntradaAna(sistema)); });
}
