#include "app/gui/Instalacao.h"

#include "app/gui/TfrmMain.h"
#include "editing/TfrmAtualizaEqCons.h"
#include "editing/TfrmAtualizaEqTrad.h"
#include "editing/TfrmAtualizaVazao.h"
#include "gis/gui/TfrmLocalizacao.h"
#include "gis/manutencao/TfrmManutencao.h"
#include "grants/gui/AtualizaSecao.h"
#include "grants/gui/ComandosRelatorio.h"
#include "grants/gui/TfrmDisponibilidade.h"
#include "grants/gui/TfrmOutorga.h"
#include "hydro/TPonto.h"
#include "import/ComandosOutorgas.h"
#include "sistema/TSistema.h"

void InstalaJanelas(TfrmMain& frmMain) {
  TSistema& sistema = frmMain.Sistema();
  TApresentador& apresentador = frmMain.Contexto().Apresentador;

  // The location window is kept for the whole run.
  frmMain.DefineFabrica(
      TTipoJanela::Localizacao, [](TContextoJanela& c) { return new TfrmLocalizacao(c); }, false);

  // The availability and grant windows destroy themselves when closed.
  frmMain.DefineFabrica(
      TTipoJanela::Vazao, [](TContextoJanela& c) { return new TfrmDisponibilidade(c); }, true);
  frmMain.DefineFabrica(
      TTipoJanela::Outorga, [](TContextoJanela& c) { return new TfrmOutorga(c); }, true);

  // The editing and maintenance windows are kept when closed and shown again.
  frmMain.DefineFabrica(
      TTipoJanela::AtualizaVazao,
      [](TContextoJanela& c) -> QWidget* { return new TfrmAtualizaVazao(c); }, false);
  frmMain.DefineFabrica(
      TTipoJanela::AtualizaEqTrad,
      [](TContextoJanela& c) -> QWidget* { return new TfrmAtualizaEqTrad(c); }, false);
  frmMain.DefineFabrica(
      TTipoJanela::AtualizaEqCons,
      [](TContextoJanela& c) -> QWidget* { return new TfrmAtualizaEqCons(c); }, false);
  frmMain.DefineFabrica(
      TTipoJanela::Manutencao, [](TContextoJanela& c) -> QWidget* { return new TfrmManutencao(c); },
      false);

  // The register imports ask, inform and rebuild the grant layers, with their progress in the
  // status bar; then the section's upstream grants are computed again and the open windows
  // follow.
  const auto barra = [&frmMain, &sistema] {
    TBarraProgresso b;
    b.Mostra = [&frmMain](bool visivel) { frmMain.MostraProgresso(visivel); };
    b.Informa = [&frmMain, &sistema](int maximo, int posicao, const QString& texto) {
      if (sistema.Ponto) frmMain.AtualizaProgresso(*sistema.Ponto, maximo, posicao, texto);
    };
    return b;
  };
  auto janelasDaSecao = [&frmMain] {
    return std::vector<QWidget*>{frmMain.Filho(TTipoJanela::Vazao),
                                 frmMain.Filho(TTipoJanela::Outorga)};
  };
  frmMain.DefineComando(QStringLiteral("mmiOutorgasAqem"), [&frmMain, &sistema, &apresentador,
                                                            barra, janelasDaSecao] {
    ImportaEAtualizaSecao(
        sistema, frmMain, apresentador,
        [&sistema, &apresentador, barra] { ComandoOutorgasAqem(sistema, apresentador, barra()); },
        janelasDaSecao);
  });
  frmMain.DefineComando(QStringLiteral("mmiOutorgasAna"), [&frmMain, &sistema, &apresentador, barra,
                                                           janelasDaSecao] {
    ImportaEAtualizaSecao(
        sistema, frmMain, apresentador,
        [&sistema, &apresentador, barra] { ComandoOutorgasAna(sistema, apresentador, barra()); },
        janelasDaSecao);
  });

  // The reports read the grant window's criterion at the moment they are asked for.
  frmMain.DefineComando(QStringLiteral("mmiRelVazaoDisp"), [&frmMain, &sistema, &apresentador] {
    RelatorioVazaoDisponivel(sistema, apresentador, frmMain.Filho(TTipoJanela::Outorga), &frmMain);
  });
  frmMain.DefineComando(QStringLiteral("mmiRelOutMontante"), [&frmMain, &sistema, &apresentador] {
    RelatorioOutorgasMontante(sistema, apresentador, frmMain.Filho(TTipoJanela::Outorga), &frmMain);
  });
}
