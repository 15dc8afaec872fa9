// TORVEDA: splash, start-up, main window, message loop.

#include <QFileInfo>
#include <QLocale>
#include <QPointer>

#include "app/gui/Instalacao.h"
#include "app/gui/TAplicacao.h"
#include "app/gui/TApresentadorQt.h"
#include "app/gui/TfrmMain.h"
#include "app/gui/TfrmSplash.h"
#include "sistema/TSistema.h"

int main(int argc, char** argv) {
  TAplicacao app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  QCoreApplication::setApplicationVersion(TfrmSplash::Versao());
  CarregaTraducoesQt(app);
  TApresentadorQt apresentador;
  app.AvisaFalhasEm(&apresentador);

  auto* frmSplash = new TfrmSplash;
  frmSplash->Centraliza(nullptr);
  frmSplash->show();
  frmSplash->repaint();
  QApplication::processEvents();

  QApplication::setApplicationDisplayName(QStringLiteral("TORVEDA"));
  const QString executavel = QCoreApplication::applicationFilePath();
  TSistema sistema(
      TCaminhos(QCoreApplication::applicationDirPath(), TCaminhos::NomeBaseDe(executavel)));
  TfrmMain frmMain(sistema, apresentador);
  apresentador.DefineDono(&frmMain);
  app.DefineRecuperacao([janela = QPointer<TfrmMain>(&frmMain)] {
    if (janela) janela->MostraProgresso(false);
  });
  InstalaJanelas(frmMain);
  frmMain.MostraManutencao(TfrmMain::PedeManutencao(QCoreApplication::arguments()));
  sistema.CriaDataModule(apresentador);

  delete frmSplash;
  frmMain.show();
  return app.exec();
}
