#include "app/cli/Cli.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <cstdio>
#include <utility>

#include "data/TdmS.h"
#include "sistema/TSistema.h"

namespace {
std::vector<TComandoCli>& Registro() {
  static std::vector<TComandoCli> comandos;
  return comandos;
}
}  // namespace

bool RegistraComando(TComandoCli comando) {
  Registro().push_back(std::move(comando));
  return true;
}

const std::vector<TComandoCli>& Comandos() { return Registro(); }

void ImprimeJson(const QJsonObject& objeto) {
  const QByteArray texto = QJsonDocument(objeto).toJson(QJsonDocument::Indented);
  std::fwrite(texto.constData(), 1, static_cast<size_t>(texto.size()), stdout);
  std::fflush(stdout);
}

std::unique_ptr<TSistema> IniciaSistema(TContextoCli& ctx, const QStringList& camadas) {
  auto sistema = std::make_unique<TSistema>(ctx.Caminhos);
  if (!camadas.isEmpty()) sistema->LimitaCamadas(camadas);
  sistema->CriaFormPrincipal(ctx.Apresentador);
  sistema->CriaDataModule(ctx.Apresentador);
  return sistema;
}

namespace {

// The first failed load among those a computation reads; the register workbooks are read only
// by the imports.
const TCarga* FalhaExigida(const TSistema& sistema) {
  QStringList livros;
  if (sistema.dmS)
    livros << QFileInfo(sistema.dmS->ArquivoOutorgasAqem()).fileName()
           << QFileInfo(sistema.dmS->ArquivoOutorgasAna()).fileName();
  for (const TCarga& c : sistema.Cargas())
    if (!c.Ok && !livros.contains(c.Nome)) return &c;
  return nullptr;
}

void EscreveErro(const QString& linha) {
  const QByteArray texto = (linha + QLatin1Char('\n')).toUtf8();
  std::fwrite(texto.constData(), 1, static_cast<size_t>(texto.size()), stderr);
}

}  // namespace

std::unique_ptr<TSistema> IniciaSistemaParaCalculo(TContextoCli& ctx, const QStringList& camadas) {
  TApresentadorCli& apresentador = ctx.Apresentador;
  apresentador.Retem();
  auto sistema = IniciaSistema(ctx, camadas);
  const QStringList retidas = apresentador.Solta();
  const TCarga* falha = FalhaExigida(*sistema);
  QString primeira;
  if (falha) {
    primeira = QStringLiteral("Erro: ") + falha->Mensagem;
    EscreveErro(primeira);
  }
  for (const QString& linha : retidas)
    if (linha != primeira) EscreveErro(linha);
  if (falha) return nullptr;
  return sistema;
}

void TApresentadorCli::Escreve(const QString& titulo, const QString& texto) {
  Mensagens_.push_back(texto);
  if (Silencioso_) return;
  if (Retendo_) {
    Retidas_ << titulo + QStringLiteral(": ") + texto;
    return;
  }
  const QByteArray linha = (titulo + QStringLiteral(": ") + texto + QLatin1Char('\n')).toUtf8();
  std::fwrite(linha.constData(), 1, static_cast<size_t>(linha.size()), stderr);
}

void TApresentadorCli::Erro(const QString& texto) { Escreve(QStringLiteral("Erro"), texto); }
void TApresentadorCli::Informacao(const QString& texto) {
  Escreve(QStringLiteral("Informação"), texto);
}
TResposta TApresentadorCli::Confirmacao(const QString& texto) {
  Escreve(QStringLiteral("Confirmação"), texto);
  return TResposta::Sim;
}
void TApresentadorCli::Mensagem(const QString& texto) { Escreve(QStringLiteral("TORVEDA"), texto); }
QString TApresentadorCli::AbreArquivo(const QString&, const QString&, const QString&) { return {}; }

QStringList TApresentadorCli::Solta() {
  Retendo_ = false;
  return std::exchange(Retidas_, {});
}

int ErroDeUso(const TComandoCli& comando, const QString& detalhe) {
  const QByteArray texto = (detalhe + QStringLiteral("\nuso: torveda-cli [--dados DIR] ") +
                            comando.Nome + QLatin1Char(' ') + comando.Uso + QLatin1Char('\n'))
                               .toUtf8();
  std::fwrite(texto.constData(), 1, static_cast<size_t>(texto.size()), stderr);
  return 2;
}
