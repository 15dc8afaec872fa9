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

TResultadoImportacao Verificacao::Recusa(TResultadoImportacao& r, const QString& mensagem,
                                         TApresentador& apresentador) {
  r.Executada = false;
  r.Erro = mensagem;
  apresentador.Erro(mensagem);
  return r;
}

Verificacao::TPassoPreparado Verificacao::PreparaPasso(
    TCamada& camada, const std::function<TResultadoPasso(TRegistros&)>& passo,
    TApresentador& apresentador) {
  TPassoPreparado p;
  p.Camada = &camada;
  p.Rascunho = camada.Dados()->NovoRascunho();
  {
    TRegistros registros(p.Rascunho, {});
    registros.AvisaFalhasEm(apresentador);
    p.Resultado = passo(registros);
  }
  p.Resultado.Camada = camada.Nome();
  MostraFalhas(p.Resultado, apresentador);
  return p;
}

namespace {

QString Outorgas(qint64 n) {
  return n == 1 ? QStringLiteral("1 outorga seria removida")
                : QStringLiteral("%1 outorgas seriam removidas").arg(QLocale().toString(n));
}

// The layers that hold grants and whose step gave none, one line each; empty when there is none.
QStringList Esvaziadas(const std::vector<Verificacao::TPassoPreparado>& passos,
                       QStringList& camadas) {
  QStringList linhas;
  for (const auto& p : passos) {
    const qint64 atuais = p.Camada->Dados()->Conta();
    if (p.Rascunho->Conta() > 0 || atuais < 1) continue;
    camadas << p.Resultado.Camada;
    linhas << QStringLiteral("  %1 (folha \"%2\"): %3.")
                  .arg(p.Resultado.Camada, p.Resultado.Folha, Outorgas(atuais));
  }
  return linhas;
}

}  // namespace

bool Verificacao::SubstituiJuntas(TResultadoImportacao& r, std::vector<TPassoPreparado>& passos,
                                  TSubstituicaoVazia vazia, TApresentador& apresentador) {
  auto registra = [&] {
    r.Passos.clear();
    for (auto& p : passos) {
      if (!p.Resultado.Substituida) p.Resultado.Gravados = 0;
      r.Passos.push_back(p.Resultado);
    }
  };
  for (const auto& p : passos)
    if (p.Resultado.Falhou()) {
      registra();
      return true;
    }

  QStringList camadas;
  const QStringList linhas = Esvaziadas(passos, camadas);
  if (!linhas.isEmpty() && vazia != TSubstituicaoVazia::Aceita) {
    const QString cabeca = QStringLiteral(
        "A planilha não tem nenhuma outorga para estas camadas, que seriam esvaziadas:");
    r.Esvaziadas = camadas;
    if (vazia == TSubstituicaoVazia::Pergunta &&
        apresentador.Confirmacao(JuntaLinhas(
            QStringList{cabeca} + linhas +
            QStringList{QStringLiteral("Deseja esvaziar essas camadas mesmo assim?")})) ==
            TResposta::Sim) {
      r.Esvaziadas.clear();
    } else {
      r.Erro = JuntaLinhas(QStringList{cabeca} + linhas + QStringList{NadaAlterado(r)});
      registra();
      if (vazia == TSubstituicaoVazia::Recusa) {
        apresentador.Erro(r.Erro);
        return true;
      }
      apresentador.Informacao(NadaAlterado(r));
      return false;
    }
  }

  // Every layer written beside its files and read back before any is touched; dropped, the
  // preparations take their files with them.
  std::vector<std::unique_ptr<TSubstituicaoPreparada>> novas;
  for (auto& p : passos) {
    try {
      novas.push_back(p.Camada->Dados()->PreparaSubstituicao(*p.Rascunho));
    } catch (const ETorveda& e) {
      p.Resultado.ErroGravacao = e.mensagem();
      MostraFalhas(p.Resultado, apresentador);
      registra();
      return true;
    }
  }
  for (std::size_t i = 0; i < novas.size(); ++i) {
    try {
      novas[i]->Marca();
    } catch (const ETorveda& e) {
      passos[i].Resultado.ErroGravacao = e.mensagem();
      MostraFalhas(passos[i].Resultado, apresentador);
      registra();
      return true;
    }
  }
  // From here every layer is committed: one whose move fails is finished by its next opening.
  for (std::size_t i = 0; i < novas.size(); ++i) {
    try {
      novas[i]->Conclui();
      passos[i].Resultado.Substituida = true;
    } catch (const ETorveda& e) {
      passos[i].Resultado.ErroGravacao = e.mensagem();
      MostraFalhas(passos[i].Resultado, apresentador);
    }
  }
  registra();
  return true;
}

QString Verificacao::LocalDaFalha(const TResultadoPasso& passo) {
  QString local = QStringLiteral("Falha na linha %1").arg(QLocale().toString(passo.LinhaFalha));
  if (!passo.ColunaFalha.isEmpty())
    local += QStringLiteral(", coluna \"%1\"").arg(passo.ColunaFalha);
  return local + QStringLiteral(": ") + passo.Causa;
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
  // The layers of a register change together, so one failure keeps them all.
  if (r.Executada && r.Camadas.size() > 1 && r.Substituidas().isEmpty() && !r.Completa())
    linhas << QStringLiteral(
        "Nenhuma camada foi substituída: as camadas do registro só são "
        "substituídas juntas, quando todos os passos se completam.");
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
    if (!p.Falha.isEmpty()) linhas << QStringLiteral("  ") + LocalDaFalha(p);
    if (!p.ErroGravacao.isEmpty()) linhas << QStringLiteral("  ") + p.ErroGravacao;
  }
  return JuntaLinhas(linhas);
}

void Verificacao::MostraFalhas(const TResultadoPasso& passo, TApresentador& apresentador) {
  if (!passo.Falha.isEmpty()) apresentador.Mensagem(passo.Falha);
  if (!passo.ErroGravacao.isEmpty()) apresentador.Erro(passo.ErroGravacao);
}
