#include "app/gui/TAplicacao.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv) {}

bool TAplicacao::notify(QObject* receptor, QEvent* evento) {
  try {
    return QApplication::notify(receptor, evento);
  } catch (const ETorveda& e) {
    Reporta(e.mensagem());
  } catch (const std::exception& e) {
    Reporta(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    Reporta(QStringLiteral("Erro desconhecido."));
  }
  return false;
}

void TAplicacao::Reporta(const QString& texto) {
  ++Capturadas_;
  // The shell first, so that the box does not sit over a progress bar that no longer runs.
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (Recuperacao_) Recuperacao_();
  // A failure while the box is up (a paint of the window behind it, say) would stack box on box;
  // the first one is what the user needs to read.
  if (Mostrando_) return;
  Mostrando_ = true;
  if (Apresentador_) Apresentador_->ErroNaoTratado(texto);
  Mostrando_ = false;
}

bool CarregaTraducoesQt(QCoreApplication& app, const QString& pasta) {
  auto* tradutor = new QTranslator(&app);
  if (!tradutor->load(
          QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
          QStringLiteral("_"),
          pasta.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : pasta)) {
    delete tradutor;
    return false;
  }
  QCoreApplication::installTranslator(tradutor);
  return true;
}
