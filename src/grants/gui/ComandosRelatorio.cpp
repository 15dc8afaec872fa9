#include "grants/gui/ComandosRelatorio.h"

#include <QDate>
#include <QLineEdit>
#include <exception>
#include <optional>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "grants/AnaliseOutorga.h"
#include "grants/MapaBaciaSistema.h"
#include "grants/gui/PreviaRelatorio.h"
#include "grants/gui/TfrmOutorga.h"
#include "grants/gui/TtsGrid.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

void Relatorio(TTipoRelatorio tipo, TSistema& sistema, TApresentador& apresentador,
               QWidget* janelaOutorga, QWidget* dono) {
  try {
    if (!sistema.Ponto) {
      apresentador.Erro(MensagemSemSecao());
      return;
    }
    std::optional<TJanelaOutorga> janela;
    auto* frm = qobject_cast<TfrmOutorga*>(janelaOutorga);
    if (frm) janela = TJanelaOutorga{frm->Entradas(), &frm->tsEntrada->Tabela(), &frm->Resultado()};
    auto dados = PreparaRelatorio(tipo, *sistema.Ponto, janela ? &*janela : nullptr,
                                  QDate::currentDate(), apresentador);
    if (auto* frm = qobject_cast<TfrmOutorga*>(janelaOutorga); dados && frm)
      IdentificaRelatorio(*dados, frm->edtProcesso->text(), frm->edtAnalista->text());
    if (dados && tipo == TTipoRelatorio::VazaoDisponivel)
      dados->MapaBacia = MapaBaciaDoSistema(sistema, *sistema.Ponto);
    // A printed report is the analysis delivered: closing its window loses nothing then.
    if (dados && MostraPreviaRelatorio(*dados, dono) && frm) frm->ResultadoEntregue();
  } catch (const ETorveda& e) {
    apresentador.Erro(e.mensagem());
  } catch (const std::exception& e) {
    apresentador.Erro(QString::fromLocal8Bit(e.what()));
  }
}

}  // namespace

void RelatorioVazaoDisponivel(TSistema& sistema, TApresentador& apresentador,
                              QWidget* janelaOutorga, QWidget* dono) {
  Relatorio(TTipoRelatorio::VazaoDisponivel, sistema, apresentador, janelaOutorga, dono);
}

void RelatorioOutorgasMontante(TSistema& sistema, TApresentador& apresentador,
                               QWidget* janelaOutorga, QWidget* dono) {
  Relatorio(TTipoRelatorio::OutorgasMontante, sistema, apresentador, janelaOutorga, dono);
}
