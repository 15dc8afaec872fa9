// torveda-cli importa aqem|ana [--aceita-vazia]: rebuilds the state or federal grant layers from
// the register workbook, as the menu commands do but without their questions, and prints what each
// step did:
//
//   {"registro": "AQEM", "arquivo": ..., "executada": true, "completa": true, "erro": null,
//    "camadasSubstituidas", "camadasMantidas", "camadasQueSeriamEsvaziadas",
//    "passos": [{"camada", "folha", "colunaVazao", "linhasLidas", "registrosGravados",
//                "ignoradas": {"semCoordenadas", "vazaoZero", "foraDaArea"},
//                "falha" (the failing row's message or null), "causa", "colunaFalha",
//                "linhaFalha"}, ...],
//    "mensagens": [every message shown during the import]}
//
// A step that would leave a layer holding grants without any (a sheet with its headings and no
// rows) keeps every layer as it was and exits 1, unless --aceita-vazia is given.
//
// Exits 0 when every step read all its rows, 1 when the import refused to run or a step failed.
#include <QJsonArray>
#include <cstdio>
#include <exception>

#include "app/cli/Cli.h"
#include "base/Apresentador.h"
#include "base/Erro.h"
#include "import/ComandosOutorgas.h"
#include "sistema/TSistema.h"

namespace {

const TComandoCli& Comando();

void EscreveDica(const QString& texto) {
  const QByteArray linha = (texto + QLatin1Char('\n')).toUtf8();
  std::fwrite(linha.constData(), 1, static_cast<size_t>(linha.size()), stderr);
}

int Importa(TContextoCli& ctx) {
  QStringList args = ctx.Args;
  const bool aceitaVazia = args.removeAll(QStringLiteral("--aceita-vazia")) > 0;
  if (args.size() != 1)
    return ErroDeUso(Comando(), QStringLiteral("informe o registro: aqem ou ana"));
  const QString registro = args.first().toLower();
  if (registro != QLatin1String("aqem") && registro != QLatin1String("ana"))
    return ErroDeUso(Comando(), QStringLiteral("registro desconhecido: ") + args.first());
  const TSubstituicaoVazia vazia =
      aceitaVazia ? TSubstituicaoVazia::Aceita : TSubstituicaoVazia::Recusa;

  auto sistema = IniciaSistema(ctx);
  // Only what the import itself shows goes into the output; the start-up's own messages were
  // already printed.
  ctx.Apresentador.Limpa();
  TResultadoImportacao r;
  try {
    if (registro == QLatin1String("aqem")) {
      TEntradaAqem e = EntradaAqem(*sistema);
      e.Vazia = vazia;
      r = ImportaOutorgasAqem(e, ctx.Apresentador);
    } else {
      TEntradaAna e = EntradaAna(*sistema);
      e.Vazia = vazia;
      r = ImportaOutorgasAna(e, ctx.Apresentador);
    }
    if (!r.Esvaziadas.isEmpty())
      EscreveDica(QStringLiteral("Use --aceita-vazia para esvaziá-las mesmo assim."));
  } catch (const ETorveda& e) {
    r.Erro = e.mensagem();
    ctx.Apresentador.Erro(r.Erro);
  } catch (const std::exception& e) {
    r.Erro = QString::fromLocal8Bit(e.what());
    ctx.Apresentador.Erro(r.Erro);
  }
  QJsonObject saida = r.Json();
  saida.insert(QStringLiteral("mensagens"),
               QJsonArray::fromStringList(ctx.Apresentador.Mensagens()));
  ImprimeJson(saida);
  return r.Completa() ? 0 : 1;
}

const TComandoCli& Comando() {
  static const TComandoCli comando{QStringLiteral("importa"),
                                   QStringLiteral("aqem|ana [--aceita-vazia]"),
                                   [](TContextoCli& ctx) { return Importa(ctx); }};
  return comando;
}

[[maybe_unused]] const bool registrado = RegistraComando(Comando());

}  // namespace
