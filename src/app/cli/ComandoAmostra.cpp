// torveda-cli amostra DIR: writes the sample basin's data tree into DIR and prints its summary
// (sizes, outlet, stations and ready-made sections) as JSON.
#include <QJsonObject>
#include <cstdio>

#include "amostra/Amostra.h"
#include "app/cli/Cli.h"
#include "base/Erro.h"

namespace {

const TComandoCli& Comando();

// The number after an option, within its limits; false (after the usage message) otherwise.
template <typename T>
bool LeNumero(const QStringList& args, qsizetype& i, T minimo, T maximo, T& valor, int& codigo) {
  const QString opcao = args[i];
  bool ok = false;
  const qulonglong lido = i + 1 < args.size() ? args[i + 1].toULongLong(&ok) : 0;
  if (!ok || lido < static_cast<qulonglong>(minimo) || lido > static_cast<qulonglong>(maximo)) {
    codigo = ErroDeUso(Comando(), QStringLiteral("%1 pede um número inteiro de %2 a %3.")
                                      .arg(opcao)
                                      .arg(static_cast<qulonglong>(minimo))
                                      .arg(static_cast<qulonglong>(maximo)));
    return false;
  }
  valor = static_cast<T>(lido);
  ++i;
  return true;
}

int Amostra(TContextoCli& ctx) {
  TOpcoesAmostra opcoes;
  opcoes.NomeBase = ctx.Caminhos.NomeBase();
  QString dir;
  int codigo = 0;
  const QStringList& a = ctx.Args;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (a[i] == QStringLiteral("--colunas")) {
      if (!LeNumero(a, i, 150, 10000, opcoes.Colunas, codigo)) return codigo;
    } else if (a[i] == QStringLiteral("--linhas")) {
      if (!LeNumero(a, i, 150, 10000, opcoes.Linhas, codigo)) return codigo;
    } else if (a[i] == QStringLiteral("--registros")) {
      if (!LeNumero(a, i, 0, 1000000, opcoes.Registros, codigo)) return codigo;
    } else if (a[i] == QStringLiteral("--semente")) {
      if (!LeNumero<std::uint64_t>(a, i, 0, ~std::uint64_t{0}, opcoes.Semente, codigo))
        return codigo;
    } else if (a[i].startsWith(QStringLiteral("--")) || !dir.isEmpty()) {
      return ErroDeUso(Comando(), QStringLiteral("Argumento inesperado: %1").arg(a[i]));
    } else {
      dir = a[i];
    }
  }
  if (dir.isEmpty()) return ErroDeUso(Comando(), QStringLiteral("Falta a pasta de destino."));
  try {
    ImprimeJson(GeraAmostra(dir, opcoes));
    return 0;
  } catch (const ETorveda& e) {
    ctx.Apresentador.Erro(e.mensagem());
    return 1;
  }
}

const TComandoCli& Comando() {
  static const TComandoCli comando{
      QStringLiteral("amostra"),
      QStringLiteral("DIR [--colunas N] [--linhas N] [--semente S] [--registros N]"),
      [](TContextoCli& ctx) { return Amostra(ctx); }};
  return comando;
}

[[maybe_unused]] const bool registrado = RegistraComando(Comando());

}  // namespace
