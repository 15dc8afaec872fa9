#include "import/interno/Verificacao.h"

#include <QDir>

#include "base/Apresentador.h"

namespace {

bool Estadual(const TResultadoImportacao& r) { return r.Registro == QLatin1String("AQEM"); }

QString Registro(const TResultadoImportacao& r) {
  return Estadual(r) ? QStringLiteral("Outorgas Estaduais (AQEM)")
                     : QStringLiteral("Outorgas Federais (ANA)");
}

QString NadaAlterado(const TResultadoImportacao& r) {
  return Estadual(r) ? QStringLiteral("As outorgas estaduais não foram alteradas.")
                     : QStringLiteral("As outorgas federais não foram alteradas.");
}

}  // namespace

QString Verificacao::ArquivoIndisponivel(const TResultadoImportacao& r) {
  return JuntaLinhas({QStringLiteral("O arquivo de %1 não está disponível:").arg(Registro(r)),
                      QDir::toNativeSeparators(r.Arquivo),
                      QStringLiteral("Ele não pôde ser aberto na inicialização do sistema.") +
                          QLatin1Char(' ') + NadaAlterado(r)});
}

QString Verificacao::CamadaIndisponivel(const TResultadoImportacao& r, const QString& nome) {
  return JuntaLinhas({QStringLiteral("A camada \"%1\" não está disponível: ela não pôde ser "
                                     "aberta na inicialização do sistema.")
                          .arg(nome),
                      NadaAlterado(r)});
}

TResultadoImportacao Verificacao::Recusa(TResultadoImportacao& r, const QString& mensagem) {
  r.Executada = false;
  r.Erro = mensagem;
  Apresentador().Erro(mensagem);
  return r;
}

void Verificacao::MostraFalhas(const TResultadoPasso& passo) {
  if (!passo.Falha.isEmpty()) Apresentador().Mensagem(passo.Falha);
  if (!passo.ErroGravacao.isEmpty()) Apresentador().Erro(passo.ErroGravacao);
}
