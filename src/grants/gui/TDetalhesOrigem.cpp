#include "grants/gui/TDetalhesOrigem.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "hydro/TPonto.h"

namespace {

// A pale amber: the box still shows its flow, marked as needing a look.
const QString EstiloAviso =
    QStringLiteral("QLineEdit { background-color: ") + CorAvisoOrigem() + QStringLiteral("; }");

}  // namespace

QString CorAvisoOrigem() { return QStringLiteral("#fff1c2"); }

const std::array<QString, 3>& NomesMetodoJanela() {
  static const std::array<QString, 3> nomes{QStringLiteral("Tradicional"),
                                            QStringLiteral("Proporc. de vazões"),
                                            QStringLiteral("Conserv. de massas")};
  return nomes;
}

TDetalhesOrigem::TDetalhesOrigem(const TCaixas& caixas, QWidget* parent)
    : QGroupBox(QStringLiteral("Origem da estimativa"), parent), Caixas_(caixas) {
  setObjectName(QStringLiteral("gbOrigem"));
  auto* layout = new QVBoxLayout(this);
  mmOrigem = new QPlainTextEdit(this);
  mmOrigem->setObjectName(QStringLiteral("mmOrigem"));
  mmOrigem->setReadOnly(true);
  mmOrigem->setPlaceholderText(
      QStringLiteral("Clique numa vazão para ver as equações, estações e áreas que a produziram."));
  layout->addWidget(mmOrigem);
  for (auto& linha : Caixas_)
    for (QLineEdit* c : linha)
      if (c) c->installEventFilter(this);
}

QStringList TDetalhesOrigem::Linhas(std::size_t vazao, std::size_t metodo) const {
  return Linhas_[vazao][metodo];
}

void TDetalhesOrigem::Atualiza(const TPonto& ponto) {
  const TOrigemMetodo* origens[] = {&ponto.OrigemTradicional(), &ponto.OrigemProporcional(),
                                    &ponto.OrigemConservacao()};
  for (std::size_t q = 0; q < 4; ++q)
    for (std::size_t m = 0; m < 3; ++m) {
      const TOrigemMetodo& o = *origens[m];
      QStringList linhas;
      if (!o.Resumo.isEmpty() || !o.Motivos[q].isEmpty()) linhas = o.Linhas(q);
      Linhas_[q][m] = linhas;
      Aviso_[q][m] = !o.Motivos[q].isEmpty() || !o.Avisos[q].isEmpty();
      QLineEdit* c = Caixas_[q][m];
      if (!c) continue;
      const QString titulo =
          NomesVazoesReferencia()[q] + QStringLiteral(" — ") + NomesMetodoJanela()[m];
      c->setToolTip(linhas.isEmpty()
                        ? QString()
                        : QStringLiteral("<b>") + titulo.toHtmlEscaped() +
                              QStringLiteral("</b><br>") +
                              linhas.join(QStringLiteral("\n"))
                                  .toHtmlEscaped()
                                  .replace(QStringLiteral("\n"), QStringLiteral("<br>")));
      c->setStyleSheet(Aviso_[q][m] ? EstiloAviso : QString());
    }
  if (VazaoMostrada_ >= 0)
    Mostra(static_cast<std::size_t>(VazaoMostrada_), static_cast<std::size_t>(MetodoMostrado_));
}

void TDetalhesOrigem::Mostra(std::size_t vazao, std::size_t metodo) {
  VazaoMostrada_ = static_cast<int>(vazao);
  MetodoMostrado_ = static_cast<int>(metodo);
  QStringList texto{NomesVazoesReferencia()[vazao] + QStringLiteral(" — ") +
                    NomesMetodoJanela()[metodo]};
  const QStringList& linhas = Linhas_[vazao][metodo];
  if (linhas.isEmpty())
    texto << QStringLiteral("Nenhuma estimativa calculada para a seção atual.");
  else
    texto << linhas;
  mmOrigem->setPlainText(texto.join(QLatin1Char('\n')));
}

bool TDetalhesOrigem::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::FocusIn || evento->type() == QEvent::MouseButtonPress) {
    for (std::size_t q = 0; q < 4; ++q)
      for (std::size_t m = 0; m < 3; ++m)
        if (Caixas_[q][m] == objeto) Mostra(q, m);
  }
  return QGroupBox::eventFilter(objeto, evento);
}
