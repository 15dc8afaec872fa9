// torveda-cli importa aqem|ana: rebuilds the state or federal grant layers from the register
// workbook, as the menu commands do but without their questions, and prints what each step did:
//
//   {"registro": "AQEM", "arquivo": ..., "executada": true, "completa": true, "erro": null,
//    "passos": [{"camada", "folha", "colunaVazao", "linhasLidas", "registrosGravados",
//                "ignoradas": {"semCoordenadas", "vazaoZero", "foraDaArea"},
//                "falha" (the failing row's message or null), "causa", "linhaFalha"}, ...],
//    "mensagens": [every message shown during the import]}
//
// Exits 0 when every step read all its rows, 1 when the import refused to run or a step failed.
#include <QJsonArray>
#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "app/TSistema.h"
#include "app/cli/Cli.h"
#include "import/ComandosOutorgas.h"

namespace {

const TComandoCli& Comando();

int Importa(TContextoCli& ctx) {
  if (ctx.Args.size() != 1)
    return ErroDeUso(Comando(), QStringLiteral("informe o registro: aqem ou ana"));
  const QString registro = ctx.Args.first().toLower();
  if (registro != QLatin1String("aqem") && registro != QLatin1String("ana"))
    return ErroDeUso(Comando(), QStringLiteral("registro desconhecido: ") + ctx.Args.first());

  auto sistema = IniciaSistema(ctx);
  // Only what the import itself shows goes into the output; the start-up's own messages were
  // already printed.
  ApresentadorCli().Limpa();
  TResultadoImportacao r;
  try {
    r = registro == QLatin1String("aqem") ? ImportaOutorgasAqem(EntradaAqem(*sistema))
                                          : ImportaOutorgasAna(EntradaAna(*sistema));
  } catch (const ETorveda& e) {
    r.Erro = e.mensagem();
    Apresentador().Erro(r.Erro);
  } catch (const std::exception& e) {
    r.Erro = QString::fromLocal8Bit(e.what());
    Apresentador().Erro(r.Erro);
  }
  QJsonObject saida = r.Json();
  saida.insert(QStringLiteral("mensagens"),
               QJsonArray::fromStringList(ApresentadorCli().Mensagens()));
  ImprimeJson(saida);
  return r.Completa() ? 0 : 1;
}

const TComandoCli& Comando() {
  static const TComandoCli comando{QStringLiteral("importa"), QStringLiteral("aqem|ana"),
                                   [](TContextoCli& ctx) { return Importa(ctx); }};
  return comando;
}

[[maybe_unused]] const bool registrado = RegistraComando(Comando());

}  // namespace
