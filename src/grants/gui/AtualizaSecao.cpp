#include "grants/gui/AtualizaSecao.h"

#include <QLabel>
#include <QMetaObject>
#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "base/gui/ContextoJanela.h"
#include "grants/OutorgasDaSecao.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/TPonto.h"

void ImportaEAtualizaSecao(TSistema& sistema, TRodape& rodape, TApresentador& apresentador,
                           const std::function<void()>& importa,
                           const std::function<std::vector<QWidget*>()>& janelas) {
  std::optional<TBacia> bacia;
  std::vector<unsigned long long> antes;
  try {
    bacia.emplace(BaciaDoSistema(sistema));
    antes = VersoesCamadasOutorgas(*bacia);
  } catch (const ETorveda&) {
    // Without the basin's data there is no section to bring up to date.
  }
  importa();
  if (!bacia || !sistema.Ponto || VersoesCamadasOutorgas(*bacia) == antes) return;
  try {
    TInterfaceSecao interface;
    interface.MostraProgresso = [&rodape] { rodape.MostraProgresso(true); };
    interface.OcultaProgresso = [&rodape] { rodape.MostraProgresso(false); };
    RecalculaOutorgas(*sistema.Ponto, *bacia, interface);
  } catch (const ETorveda& e) {
    apresentador.Erro(e.mensagem());
  } catch (const std::exception& e) {
    apresentador.Erro(QString::fromLocal8Bit(e.what()));
  }
  for (QWidget* w : janelas())
    if (w) QMetaObject::invokeMethod(w, "AtualizaSecao");
}

void TextoNaLinha(QLabel* rotulo, const QString& texto) {
  rotulo->setToolTip(texto);
  rotulo->setText(rotulo->fontMetrics().elidedText(texto, Qt::ElideRight, rotulo->width()));
}
