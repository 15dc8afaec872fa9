#include "gis/gui/TPainelDisponibilidade.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <exception>

#include "base/Apresentador.h"
#include "base/Convencoes.h"
#include "base/Erro.h"
#include "gis/TMap.h"
#include "gis/gui/TfrmBalancoTrecho.h"
#include "grants/ClassesCor.h"
#include "grants/TTabelaMeses.h"
#include "grants/VazaoCriterio.h"
#include "grants/gui/TSeletorMes.h"
#include "grants/gui/ValidadorNumero.h"
#include "hydro/TBacia.h"

namespace {

// A handful of balances of a full basin fit in memory; older ones are made again when asked.
constexpr std::size_t BalancosGuardados = 4;

// The classes two by two, each colour beside its words.
QString TextoLegenda() {
  std::vector<std::pair<QColor, QString>> itens;
  for (const TDefinicaoCor& d : DefinicoesCor())
    itens.emplace_back(d.Cor, QString::fromUtf8(d.Curto));
  itens.emplace_back(CorSemClasse(), QStringLiteral("sem vazão do critério"));
  QString t =
      QStringLiteral("Parcela da vazão do critério ainda livre no mês:<table cellspacing=\"2\">");
  for (std::size_t i = 0; i < itens.size(); ++i) {
    if (i % 2 == 0) t += QStringLiteral("<tr>");
    t += QStringLiteral("<td bgcolor=\"%1\">&nbsp;&nbsp;&nbsp;&nbsp;</td><td>%2&nbsp;&nbsp;</td>")
             .arg(itens[i].first.name(), itens[i].second.toHtmlEscaped());
    if (i % 2 == 1 || i + 1 == itens.size()) t += QStringLiteral("</tr>");
  }
  return t + QStringLiteral("</table>");
}

QDateEdit* SeletorMes(QWidget* pai, const char* nome, const QDate& data) {
  auto* d = new TSeletorMes(pai);
  d->setObjectName(QString::fromLatin1(nome));
  d->setDisplayFormat(QStringLiteral("MM/yyyy"));
  d->setDateRange(QDate(Convencao::AnoInicial, 1, 1), QDate(Convencao::AnoFinal, 12, 31));
  d->setDate(data);
  return d;
}

QLabel* Rotulo(QWidget* pai, const QString& texto) {
  auto* l = new QLabel(texto, pai);
  l->adjustSize();
  return l;
}

}  // namespace

TPainelDisponibilidade::TPainelDisponibilidade(std::function<const TBacia*()> bacia,
                                               TApresentador& apresentador, QWidget* pai)
    : QGroupBox(QStringLiteral("Disponibilidade da bacia"), pai),
      BaciaDoPrograma_(std::move(bacia)),
      Apresentador_(apresentador) {
  setObjectName(QStringLiteral("gbDisponibilidade"));
  MontaTela();
  hide();
}

TPainelDisponibilidade::~TPainelDisponibilidade() = default;

void TPainelDisponibilidade::MontaTela() {
  const int ano = QDate::currentDate().year();
  // Each row left to right, every control just after its caption, whatever the font.
  int x = 10;
  auto poe = [&x](QWidget* w, int y, int largura = -1) {
    if (largura > 0) w->resize(largura, 21);
    w->move(x, y + (21 - w->height()) / 2);
    x += w->width() + 4;
  };
  x = 10;
  poe(Rotulo(this, QStringLiteral("Período:")), 20);
  dtpInicio = SeletorMes(this, "dtpInicioBalanco", QDate(ano, 1, 1));
  poe(dtpInicio, 20, 80);
  poe(Rotulo(this, QStringLiteral("a")), 20);
  dtpFim = SeletorMes(this, "dtpFimBalanco", QDate(ano, 12, 1));
  poe(dtpFim, 20, 80);

  x = 10;
  poe(Rotulo(this, QStringLiteral("Critério:")), 46);
  edtPercentual = new QLineEdit(this);
  edtPercentual->setObjectName(QStringLiteral("edtPercentualBalanco"));
  ConfiguraCaixaPercentual(edtPercentual);
  poe(edtPercentual, 46, 34);
  poe(Rotulo(this, QStringLiteral("% da")), 46);
  cbReferencia = new QComboBox(this);
  cbReferencia->setObjectName(QStringLiteral("cbReferenciaBalanco"));
  cbReferencia->addItems(NomesReferencia());
  cbReferencia->setCurrentIndex(-1);
  cbReferencia->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  poe(cbReferencia, 46, std::max(64, cbReferencia->sizeHint().width()));

  x = 10;
  poe(Rotulo(this, QStringLiteral("Método:")), 72);
  cbMetodo = new QComboBox(this);
  cbMetodo->setObjectName(QStringLiteral("cbMetodoBalanco"));
  cbMetodo->addItems(NomesMetodo());
  cbMetodo->setCurrentIndex(-1);
  cbMetodo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  poe(cbMetodo, 72, std::max(118, cbMetodo->sizeHint().width()));
  btnCalcular = new QPushButton(QStringLiteral("Calcular"), this);
  btnCalcular->setObjectName(QStringLiteral("btnCalcularBalanco"));
  x += 8;
  poe(btnCalcular, 72, std::max(64, btnCalcular->sizeHint().width()));
  connect(btnCalcular, &QPushButton::clicked, this, &TPainelDisponibilidade::btnCalcularClick);

  x = 10;
  poe(Rotulo(this, QStringLiteral("Mês:")), 100);
  sldMes = new QSlider(Qt::Horizontal, this);
  sldMes->setObjectName(QStringLiteral("sldMes"));
  sldMes->setRange(0, 0);
  sldMes->setEnabled(false);
  sldMes->setPageStep(12);
  poe(sldMes, 100, 190);
  lblMes = new QLabel(this);
  lblMes->setObjectName(QStringLiteral("lblMes"));
  poe(lblMes, 100, 80);
  connect(sldMes, &QSlider::valueChanged, this, &TPainelDisponibilidade::MostraMes);

  lblLegenda = new QLabel(this);
  lblLegenda->setObjectName(QStringLiteral("lblLegendaDisponibilidade"));
  lblLegenda->setTextFormat(Qt::RichText);
  lblLegenda->setWordWrap(true);
  lblLegenda->setText(TextoLegenda());
  for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w != lblLegenda) LarguraMinima_ = std::max(LarguraMinima_, w->geometry().right() + 12);
  AjustaLargura(337);
}

void TPainelDisponibilidade::AjustaLargura(int largura) {
  largura = std::max(largura, LarguraMinima_);
  lblLegenda->setGeometry(10, 126, largura - 20, lblLegenda->heightForWidth(largura - 20));
  resize(largura, lblLegenda->geometry().bottom() + 8);
}

void TPainelDisponibilidade::AdicionaMapa(TMap* mapa) {
  Mapas_.emplace_back(mapa);
  connect(mapa, &TMap::AposDesenharTracking, this, [this, mapa](QPainter& p) {
    if (Visivel_) Tema_.Desenha(p, VistaDoMapa(*mapa), QRectF(mapa->rect()));
  });
}

QTransform TPainelDisponibilidade::VistaDoMapa(const TMap& mapa) {
  // The map's projection is a scale and a shift: two points fix it.
  const TPontoMapa a{0.0, 0.0};
  const TPontoMapa b{100000.0, 100000.0};
  const QPointF pa = mapa.PixelDoPonto(a);
  const QPointF pb = mapa.PixelDoPonto(b);
  const double sx = (pb.x() - pa.x()) / (b.X - a.X);
  const double sy = (pb.y() - pa.y()) / (b.Y - a.Y);
  return QTransform(sx, 0.0, 0.0, sy, pa.x(), pa.y());
}

void TPainelDisponibilidade::SetVisivel(bool visivel) {
  Visivel_ = visivel;
  setVisible(visivel);
  Redesenha();
}

void TPainelDisponibilidade::Redesenha() {
  for (const auto& m : Mapas_)
    if (m) m->RefrescaTracking();
}

void TPainelDisponibilidade::btnCalcularClick() {
  const TBacia* bacia = BaciaDoPrograma_ ? BaciaDoPrograma_() : nullptr;
  if (!bacia) return;
  const QDate inicio(dtpInicio->date().year(), dtpInicio->date().month(), 1);
  const QDate fim(dtpFim->date().year(), dtpFim->date().month(), 1);
  const TCriterioOutorga criterio{edtPercentual->text(), cbReferencia->currentText(),
                                  cbMetodo->currentText()};
  if (const QString falha = MotivoBalancoRecusado(inicio, fim, criterio); !falha.isEmpty()) {
    Apresentador_.Erro(falha);
    return;
  }
  std::optional<QString> erro;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    const TRede rede = bacia->Rede();
    const TRedeBalanco& dados = Rede_.Para(*bacia, rede);
    if (!LinhasLidas_) {
      Tema_.DefineLinhas(bacia->Hidrografia);
      LinhasLidas_ = true;
    }
    // Balances of data read before an import are stale.
    for (auto it = Balancos_.begin(); it != Balancos_.end();)
      it = std::get<5>(it->first) != Rede_.Geracao() ? Balancos_.erase(it) : std::next(it);
    const TChave chave{
        inicio, fim, criterio.Percentual, criterio.Referencia, criterio.Metodo, Rede_.Geracao()};
    std::shared_ptr<const TBalanco> balanco;
    if (const auto it = Balancos_.find(chave); it != Balancos_.end()) {
      balanco = it->second;
    } else if (std::optional<TBalanco> b =
                   CalculaBalanco(*bacia, rede, dados, inicio, fim, criterio, Apresentador_)) {
      if (Balancos_.size() >= BalancosGuardados) Balancos_.erase(Balancos_.begin());
      balanco = std::make_shared<const TBalanco>(std::move(*b));
      Balancos_.emplace(chave, balanco);
    }
    if (balanco) MostraBalanco(balanco);
  } catch (const ETorveda& e) {
    erro = e.mensagem();
  } catch (const std::exception& e) {
    erro = QString::fromLocal8Bit(e.what());
  }
  QGuiApplication::restoreOverrideCursor();
  if (erro) Apresentador_.Erro(*erro);
}

void TPainelDisponibilidade::MostraBalanco(std::shared_ptr<const TBalanco> balanco) {
  // The month shown stays when the new period holds it.
  const QDate anterior =
      Tema_.Balanco() ? Tema_.Balanco()->Inicio.addMonths(sldMes->value()) : QDate();
  int novo = 0;
  if (anterior.isValid() && anterior >= balanco->Inicio && anterior <= balanco->Fim)
    novo = (anterior.year() - balanco->Inicio.year()) * 12 + anterior.month() -
           balanco->Inicio.month();
  Tema_.DefineBalanco(std::move(balanco));
  const QSignalBlocker bloqueio(sldMes);
  sldMes->setRange(0, std::max(0, Tema_.NumMeses() - 1));
  sldMes->setEnabled(Tema_.NumMeses() > 1);
  sldMes->setValue(novo);
  MostraMes(novo);
}

void TPainelDisponibilidade::MostraMes(int indice) {
  Tema_.SetMes(indice);
  const TBalanco* b = Tema_.Balanco();
  if (b && !b->Trechos.empty() && !b->Trechos.front().Meses.empty()) {
    const TMesBalanco& m = b->Trechos.front().Meses[static_cast<std::size_t>(Tema_.Mes())];
    lblMes->setText(NomeMesAno(m.Mes, m.Ano));
  } else {
    lblMes->clear();
  }
  Redesenha();
}

bool TPainelDisponibilidade::TrechoNoPixel(TMap* mapa, const QPointF& pixel) const {
  return Visivel_ && mapa && Tema_.TrechoNoPixel(pixel, 4.0).has_value();
}

bool TPainelDisponibilidade::AbreTrecho(TMap* mapa, const QPointF& pixel) {
  if (!Visivel_ || !mapa || !Tema_.Balanco()) return false;
  const std::optional<std::int32_t> trecho = Tema_.TrechoNoPixel(pixel, 4.0);
  const TTrechoBalanco* t = trecho ? Tema_.DoTrecho(*trecho) : nullptr;
  if (!trecho) return false;
  if (!t) {
    Apresentador_.Informacao(
        QStringLiteral("O fim do trecho %1 não pode receber uma seção: não há balanço para ele.")
            .arg(*trecho));
    return true;
  }
  auto* tabela = new TfrmBalancoTrecho(*Tema_.Balanco(), *t, Tema_.Mes(), window());
  tabela->show();
  emit TrechoAberto(tabela);
  return true;
}
