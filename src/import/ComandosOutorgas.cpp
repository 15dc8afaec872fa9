#include "import/ComandosOutorgas.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

#include "app/TSistema.h"
#include "base/Apresentador.h"
#include "base/Erro.h"
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

namespace {

QString ComArquivo(const QString& pergunta, const QString& arquivo) {
  return pergunta + QStringLiteral("\n\nArquivo: ") + QDir::toNativeSeparators(arquivo);
}

QString ComNome(QString aviso, const QString& nomePadrao, const QString& arquivo) {
  return aviso.replace(nomePadrao, QFileInfo(arquivo).fileName());
}

}  // namespace

QString TextosOutorgas::PerguntaAqem(const QString& arquivo) {
  return ComArquivo(ConfirmacaoAqem, arquivo);
}
QString TextosOutorgas::AvisoAqem(const QString& arquivo) {
  return ComNome(InformacaoAqem, QStringLiteral("TORVEDA_Outorgas_AQEM.xls"), arquivo);
}
QString TextosOutorgas::PerguntaAna(const QString& arquivo) {
  return ComArquivo(ConfirmacaoAna, arquivo);
}
QString TextosOutorgas::AvisoAna(const QString& arquivo) {
  return ComNome(InformacaoAna, QStringLiteral("TORVEDA_Outorgas_ANA.xls"), arquivo);
}

TEntradaAqem EntradaAqem(TSistema& sistema) {
  TEntradaAqem e;
  if (sistema.dmS) {
    e.Superficial = &sistema.dmS->tdbOutorgasAqemSuperficial;
    e.Insignificante = &sistema.dmS->tdbOutorgasAqemInsignificante;
    e.Subterranea = &sistema.dmS->tdbOutorgasAqemSubterranea;
    e.Arquivo = sistema.dmS->ArquivoOutorgasAqem();
    TdmS* dm = sistema.dmS.get();
    const QString arquivo = e.Arquivo;
    e.LePlanilha = [dm, arquivo] { dm->LeOutorgasAqem(arquivo); };
    e.LiberaPlanilha = [dm] { dm->LiberaOutorgasAqem(); };
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
    TdmS* dm = sistema.dmS.get();
    const QString arquivo = e.Arquivo;
    e.LePlanilha = [dm, arquivo] { dm->LeOutorgasAna(arquivo); };
    e.LiberaPlanilha = [dm] { dm->LiberaOutorgasAna(); };
  } else {
    e.Arquivo = sistema.Caminhos().OutorgasAna();
  }
  e.Outorgas = sistema.Camada(CamadasAna::Outorgas);
  e.Regioes = sistema.Camada(CamadasAna::Regioes);
  return e;
}

namespace {

// Hides the progress again however the import ends.
class TMostraBarra {
 public:
  explicit TMostraBarra(const TBarraProgresso& barra) : Barra_(barra) {
    if (Barra_.Mostra) Barra_.Mostra(true);
  }
  ~TMostraBarra() {
    if (Barra_.Mostra) Barra_.Mostra(false);
  }
  TMostraBarra(const TMostraBarra&) = delete;
  TMostraBarra& operator=(const TMostraBarra&) = delete;

 private:
  const TBarraProgresso& Barra_;
};

template <typename TEntrada, typename F>
void Executa(const QString& pergunta, const QString& aviso, TEntrada entrada,
             const TBarraProgresso& barra, F&& importa) {
  if (Apresentador().Confirmacao(pergunta) != TResposta::Sim) return;
  Apresentador().Informacao(aviso);
  entrada.Progresso = barra.Informa;
  // The imports report their own failures; anything else still reaches the user.
  try {
    const TMostraBarra mostra(barra);
    importa(entrada);
  } catch (const ETorveda& e) {
    Apresentador().Erro(e.mensagem());
  } catch (const std::exception& e) {
    Apresentador().Erro(QString::fromLocal8Bit(e.what()));
  }
}

}  // namespace

void ComandoOutorgasAqem(TSistema& sistema, const TBarraProgresso& barra) {
  // The file is named as it is found now: the .xls, or the .xlsx beside it.
  TEntradaAqem e = EntradaAqem(sistema);
  const QString pergunta = TextosOutorgas::PerguntaAqem(e.Arquivo);
  const QString aviso = TextosOutorgas::AvisoAqem(e.Arquivo);
  Executa(pergunta, aviso, std::move(e), barra,
          [](const TEntradaAqem& entrada) { ImportaOutorgasAqem(entrada); });
}

void ComandoOutorgasAna(TSistema& sistema, const TBarraProgresso& barra) {
  TEntradaAna e = EntradaAna(sistema);
  const QString pergunta = TextosOutorgas::PerguntaAna(e.Arquivo);
  const QString aviso = TextosOutorgas::AvisoAna(e.Arquivo);
  Executa(pergunta, aviso, std::move(e), barra,
          [](const TEntradaAna& entrada) { ImportaOutorgasAna(entrada); });
}
