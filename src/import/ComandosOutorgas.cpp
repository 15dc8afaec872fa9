#include "import/ComandosOutorgas.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/TdmS.h"
#include "sistema/TSistema.h"

const QString TextosOutorgas::ConfirmacaoAqem = QStringLiteral(
    "A operação de Atualização das Outorgas Estaduais (AQEM) pode durar\nalguns minutos. Além "
    "disso, essa operação remove todas as\noutorgas do banco de dados.\nVocê tem certeza que "
    "deseja executar essa operação?");
const QString TextosOutorgas::ConfirmacaoAna = QStringLiteral(
    "A operação de Atualização das Outorgas Federais (ANA) pode durar\nalguns minutos. Além "
    "disso, essa operação remove todas as\noutorgas do banco de dados.\nVocê tem certeza que "
    "deseja executar essa operação?");
const QString TextosOutorgas::TituloAqem = QStringLiteral("Arquivo de Outorgas Estaduais (AQEM)");
const QString TextosOutorgas::TituloAna = QStringLiteral("Arquivo de Outorgas Federais (ANA)");
const QString TextosOutorgas::FiltroPlanilhas =
    QStringLiteral("Planilhas do Excel (*.xls *.xlsx);;Todos os Arquivos (*.*)");

namespace {

QString ComArquivo(const QString& pergunta, const QString& arquivo) {
  return pergunta + QStringLiteral("\n\nArquivo: ") + QDir::toNativeSeparators(arquivo);
}

// Where the last register workbook was chosen, kept between sessions.
const QString ChavePasta = QStringLiteral("importacao/pastaDosRegistros");

QSettings Configuracao() { return QSettings(QStringLiteral("TORVEDA"), QStringLiteral("TORVEDA")); }

}  // namespace

QString TextosOutorgas::PerguntaAqem(const QString& arquivo) {
  return ComArquivo(ConfirmacaoAqem, arquivo);
}
QString TextosOutorgas::PerguntaAna(const QString& arquivo) {
  return ComArquivo(ConfirmacaoAna, arquivo);
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

TEntradaAqem EntradaAqem(TSistema& sistema, const QString& arquivo) {
  TEntradaAqem e = EntradaAqem(sistema);
  e.Arquivo = arquivo;
  if (TdmS* dm = sistema.dmS.get()) e.LePlanilha = [dm, arquivo] { dm->LeOutorgasAqem(arquivo); };
  return e;
}

TEntradaAna EntradaAna(TSistema& sistema, const QString& arquivo) {
  TEntradaAna e = EntradaAna(sistema);
  e.Arquivo = arquivo;
  if (TdmS* dm = sistema.dmS.get()) e.LePlanilha = [dm, arquivo] { dm->LeOutorgasAna(arquivo); };
  return e;
}

QString ArquivoProposto(const TSistema& sistema, const QString& convencional) {
  QString pasta = Configuracao().value(ChavePasta).toString();
  if (pasta.isEmpty() || !QFileInfo(pasta).isDir()) pasta = sistema.Caminhos().DadosBD();
  return QDir(pasta).filePath(QFileInfo(convencional).fileName());
}

namespace {

// The dialog of the command: empty when cancelled; the folder chosen is remembered.
QString EscolheArquivo(const TSistema& sistema, const QString& titulo, const QString& convencional,
                       TApresentador& apresentador) {
  const QString arquivo = apresentador.AbreArquivo(titulo, ArquivoProposto(sistema, convencional),
                                                   TextosOutorgas::FiltroPlanilhas);
  if (!arquivo.isEmpty()) Configuracao().setValue(ChavePasta, QFileInfo(arquivo).absolutePath());
  return arquivo;
}

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
void Executa(const QString& pergunta, TEntrada entrada, const TBarraProgresso& barra,
             TApresentador& apresentador, F&& importa) {
  if (apresentador.Confirmacao(pergunta) != TResposta::Sim) return;
  entrada.Progresso = barra.Informa;
  // The imports report their own failures; anything else still reaches the user.
  try {
    const TMostraBarra mostra(barra);
    importa(entrada, apresentador);
  } catch (const ETorveda& e) {
    apresentador.Erro(e.mensagem());
  } catch (const std::exception& e) {
    apresentador.Erro(QString::fromLocal8Bit(e.what()));
  }
}

}  // namespace

void ComandoOutorgasAqem(TSistema& sistema, TApresentador& apresentador,
                         const TBarraProgresso& barra) {
  // The conventional file as it is found now: the .xls, or the .xlsx beside it.
  const QString arquivo = EscolheArquivo(sistema, TextosOutorgas::TituloAqem,
                                         EntradaAqem(sistema).Arquivo, apresentador);
  if (arquivo.isEmpty()) return;
  Executa(TextosOutorgas::PerguntaAqem(arquivo), EntradaAqem(sistema, arquivo), barra, apresentador,
          [](const TEntradaAqem& entrada, TApresentador& a) { ImportaOutorgasAqem(entrada, a); });
}

void ComandoOutorgasAna(TSistema& sistema, TApresentador& apresentador,
                        const TBarraProgresso& barra) {
  const QString arquivo =
      EscolheArquivo(sistema, TextosOutorgas::TituloAna, EntradaAna(sistema).Arquivo, apresentador);
  if (arquivo.isEmpty()) return;
  Executa(TextosOutorgas::PerguntaAna(arquivo), EntradaAna(sistema, arquivo), barra, apresentador,
          [](const TEntradaAna& entrada, TApresentador& a) { ImportaOutorgasAna(entrada, a); });
}
