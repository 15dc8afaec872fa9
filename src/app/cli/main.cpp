// torveda-cli: the headless front end. Runs the same code as the windowed program against a data
// tree (by default the one beside the executable) and prints JSON.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <cstdio>
#include <exception>

#include "app/cli/Cli.h"
#include "base/Erro.h"

namespace {
void Uso() {
  QByteArray texto =
      "uso: torveda-cli [--dados DIR] [--nome-base NOME] COMANDO [ARGUMENTOS]\n"
      "  --dados DIR       a pasta que contém Dados/, Imagens/ e Ajuda/ (padrão: a do programa)\n"
      "  --nome-base NOME  o nome dos arquivos da base e das planilhas (padrão: TORVEDA)\n"
      "comandos:\n";
  for (const auto& c : Comandos())
    texto += ("  " + c.Nome + QLatin1Char(' ') + c.Uso + QLatin1Char('\n')).toUtf8();
  std::fwrite(texto.constData(), 1, static_cast<size_t>(texto.size()), stderr);
}
}  // namespace

int main(int argc, char** argv) {
  // Reports and table pictures are drawn with QPainter, which needs a GUI application; the CLI
  // never opens a window.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));

  QStringList args = app.arguments();
  args.removeFirst();
  QString dados = QCoreApplication::applicationDirPath();
  QString nomeBase = QStringLiteral("TORVEDA");
  while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
    const QString opcao = args.takeFirst();
    if ((opcao == QStringLiteral("--dados") || opcao == QStringLiteral("--nome-base")) &&
        !args.isEmpty()) {
      (opcao == QStringLiteral("--dados") ? dados : nomeBase) = args.takeFirst();
    } else if (opcao == QStringLiteral("--ajuda") || opcao == QStringLiteral("--help")) {
      Uso();
      return 0;
    } else {
      Uso();
      return 2;
    }
  }
  if (args.isEmpty()) {
    Uso();
    return 2;
  }
  const QString nome = args.takeFirst();
  for (const auto& c : Comandos()) {
    if (c.Nome != nome) continue;
    TContextoCli ctx{TCaminhos(dados, nomeBase), args, {}};
    // A failure no command handled itself ends the command with its message, exit 1.
    try {
      return c.Executa(ctx);
    } catch (const ETorveda& e) {
      ctx.Apresentador.Erro(e.mensagem());
    } catch (const std::exception& e) {
      ctx.Apresentador.Erro(QString::fromLocal8Bit(e.what()));
    }
    return 1;
  }
  Uso();
  return 2;
}
