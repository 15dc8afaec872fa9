#include "import/interno/Verificacao.h"

#include <QDir>
#include <QLocale>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/ColunasOutorgas.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"

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

QString Numero(int n) { return QLocale().toString(n); }

}  // namespace

QString Verificacao::ArquivoIndisponivel(const TResultadoImportacao& r) {
  return JuntaLinhas({QStringLiteral("O arquivo de %1 não está disponível:").arg(Registro(r)),
                      QDir::toNativeSeparators(r.Arquivo), NadaAlterado(r)});
}

QString Verificacao::ArquivoIlegivel(const TResultadoImportacao& r, const QString& detalhe) {
  return JuntaLinhas({QStringLiteral("O arquivo de %1 não pôde ser lido:").arg(Registro(r)),
                      detalhe, NadaAlterado(r)});
}

QString Verificacao::CamadaIndisponivel(const TResultadoImportacao& r, const QString& nome) {
  return JuntaLinhas({QStringLiteral("A camada \"%1\" não está disponível: ela não pôde ser "
                                     "aberta na inicialização do sistema.")
                          .arg(nome),
                      NadaAlterado(r)});
}

QString Verificacao::CamadaVazia(const TResultadoImportacao& r, const QString& nome) {
  return JuntaLinhas(
      {QStringLiteral("A camada \"%1\" não tem polígonos: nenhuma outorga poderia ser localizada.")
           .arg(nome),
       NadaAlterado(r)});
}

QString Verificacao::CamadaNaoGravavel(const TResultadoImportacao& r, const QString& nome,
                                       const QString& motivo) {
  return JuntaLinhas({QStringLiteral("A camada \"%1\" não pode ser gravada: %2").arg(nome, motivo),
                      NadaAlterado(r)});
}

QString Verificacao::ColunasAusentes(const TResultadoImportacao& r, const QStringList& faltas) {
  return JuntaLinhas(faltas + QStringList{NadaAlterado(r)});
}

QStringList Verificacao::ColunasDoPasso(const std::vector<TAtributo>& atributos,
                                        const QString& colunaVazao) {
  QStringList colunas{EsquemaOutorgas::Latitude, EsquemaOutorgas::Longitude};
  if (!colunaVazao.isEmpty()) colunas << colunaVazao;
  for (const TAtributo& a : atributos)
    if (!a.Coluna.isEmpty() && !colunas.contains(a.Coluna)) colunas << a.Coluna;
  return colunas;
}

QString Verificacao::FaltaNaFolha(const TTabelaPlanilha& tabela, const QStringList& colunas) {
  const QStringList ausentes = ColunasOutorgas::Ausentes(tabela.Colunas(), colunas);
  if (ausentes.isEmpty()) return {};
  return ColunasOutorgas::MensagemAusentes(tabela.Folha(), tabela.Arquivo(), ausentes);
}

TResultadoImportacao Verificacao::Recusa(TResultadoImportacao& r, const QString& mensagem) {
  r.Executada = false;
  r.Erro = mensagem;
  Apresentador().Erro(mensagem);
  return r;
}

TResultadoPasso Verificacao::ExecutaPasso(
    TCamada& camada, const std::function<TResultadoPasso(TRegistros&)>& passo) {
  const auto rascunho = camada.Dados()->NovoRascunho();
  TResultadoPasso r;
  {
    TRegistros registros(rascunho, {});
    r = passo(registros);
  }
  r.Camada = camada.Nome();
  if (!r.Falhou()) {
    try {
      camada.Dados()->SubstituiRegistros(*rascunho);
      r.Substituida = true;
    } catch (const ETorveda& e) {
      r.ErroGravacao = e.mensagem();
    }
  }
  if (!r.Substituida) r.Gravados = 0;
  MostraFalhas(r);
  return r;
}

void Verificacao::Informa(const TProgressoImportacao& progresso, const TResultadoPasso& passo,
                          int linha, int total) {
  if (!progresso || (linha % 256 != 0 && linha != total)) return;
  progresso(total, linha, QStringLiteral("Importando %1...").arg(passo.Camada));
}

QString Verificacao::Resumo(const TResultadoImportacao& r) {
  QStringList linhas{QStringLiteral("Atualização das %1 %2.")
                         .arg(Registro(r), r.Completa() ? QStringLiteral("concluída")
                                                        : QStringLiteral("concluída com falhas")),
                     QStringLiteral("Arquivo: %1").arg(QDir::toNativeSeparators(r.Arquivo))};
  const QString fora =
      Estadual(r) ? QStringLiteral("fora da bacia") : QStringLiteral("fora das regiões");
  for (const TResultadoPasso& p : r.Passos) {
    linhas << QString();
    linhas << QStringLiteral("%1 (folha \"%2\"): %3")
                  .arg(p.Camada, p.Folha,
                       p.Substituida ? QStringLiteral("camada substituída.")
                                     : QStringLiteral("camada mantida como estava."));
    linhas << QStringLiteral("  %1 linhas lidas, %2 registros gravados.")
                  .arg(Numero(p.LinhasLidas), Numero(p.Gravados));
    QStringList ignoradas;
    if (p.SemCoordenadas)
      ignoradas << QStringLiteral("%1 sem coordenadas").arg(Numero(p.SemCoordenadas));
    if (p.VazaoZero) ignoradas << QStringLiteral("%1 com vazão zero").arg(Numero(p.VazaoZero));
    if (p.ForaDaArea) ignoradas << QStringLiteral("%1 %2").arg(Numero(p.ForaDaArea), fora);
    if (!ignoradas.isEmpty())
      linhas << QStringLiteral("  Ignoradas: %1.").arg(ignoradas.join(QStringLiteral(", ")));
    if (!p.Falha.isEmpty())
      linhas << QStringLiteral("  Falha na linha %1: %2").arg(Numero(p.LinhaFalha), p.Causa);
    if (!p.ErroGravacao.isEmpty()) linhas << QStringLiteral("  ") + p.ErroGravacao;
  }
  return JuntaLinhas(linhas);
}

void Verificacao::MostraFalhas(const TResultadoPasso& passo) {
  if (!passo.Falha.isEmpty()) Apresentador().Mensagem(passo.Falha);
  if (!passo.ErroGravacao.isEmpty()) Apresentador().Erro(passo.ErroGravacao);
}
