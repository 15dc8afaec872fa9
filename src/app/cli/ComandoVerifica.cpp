// torveda-cli verifica: the start-up loads of the windowed program, as JSON.
#include <QJsonArray>

#include "app/cli/Cli.h"
#include "sistema/TSistema.h"

namespace {

int Verifica(TContextoCli& ctx) {
  auto sistema = IniciaSistema(ctx);
  QJsonArray cargas;
  bool tudoOk = true;
  for (const auto& c : sistema->Cargas()) {
    cargas.append(QJsonObject{{QStringLiteral("nome"), c.Nome},
                              {QStringLiteral("ok"), c.Ok},
                              {QStringLiteral("mensagem"), c.Mensagem}});
    tudoOk = tudoOk && c.Ok;
  }
  tudoOk = tudoOk && sistema->MapasCarregados;
  ImprimeJson(QJsonObject{
      {QStringLiteral("dados"), ctx.Caminhos.Dir()},
      {QStringLiteral("cargas"), cargas},
      {QStringLiteral("erroInicial"), sistema->ErroInicial()},
      {QStringLiteral("MapasCarregados"), sistema->MapasCarregados},
      {QStringLiteral("mensagens"), QJsonArray::fromStringList(ctx.Apresentador.Mensagens())}});
  return tudoOk ? 0 : 1;
}

[[maybe_unused]] const bool registrado = RegistraComando(
    {QStringLiteral("verifica"), QString(), [](TContextoCli& ctx) { return Verifica(ctx); }});

}  // namespace
