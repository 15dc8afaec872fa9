#include "grants/gui/TListaOutorgas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "grants/ExportaTabelas.h"
#include "grants/TTabelaMeses.h"
#include "hydro/BaciaDaSecao.h"
#include "hydro/TPonto.h"

namespace {

// The column the register filter looks at.
constexpr int ColunaCadastro = 0;
// Set on a row's first cell when the outline and the rules disagree on the grant.
constexpr int PapelDiverge = Qt::UserRole + 1;

// Light amber: readable under the table's text and selection, unlike the report's red.
const QColor CorDiverge(255, 232, 170);

// A cell that sorts by its value, not its text (record numbers, flows, months, dates).
QStandardItem* Item(const QVariant& valor, const QString& texto = {}) {
  auto* i = new QStandardItem(texto.isEmpty() ? valor.toString() : texto);
  i->setData(valor, Qt::UserRole);
  i->setEditable(false);
  return i;
}

}  // namespace

// The register chosen and, when asked, only the rows where outline and rules disagree.
class TFiltroOutorgas : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void Define(const QString& cadastro, bool soDivergentes) {
    Cadastro_ = cadastro;
    SoDivergentes_ = soDivergentes;
    invalidateFilter();
  }

 protected:
  bool filterAcceptsRow(int linha, const QModelIndex& pai) const override {
    const QModelIndex primeira = sourceModel()->index(linha, ColunaCadastro, pai);
    if (!Cadastro_.isEmpty() && primeira.data(Qt::DisplayRole).toString() != Cadastro_)
      return false;
    return !SoDivergentes_ || primeira.data(PapelDiverge).toBool();
  }

 private:
  QString Cadastro_;
  bool SoDivergentes_ = false;
};

TListaOutorgas::TListaOutorgas(TApresentador& apresentador, QWidget* parent)
    : QWidget(parent), Apresentador_(apresentador) {
  setObjectName(QStringLiteral("ListaOutorgas"));
  auto* layout = new QVBoxLayout(this);
  auto* barra = new QHBoxLayout;
  barra->addWidget(new QLabel(QStringLiteral("Cadastro:"), this));
  cbCadastro = new QComboBox(this);
  cbCadastro->setObjectName(QStringLiteral("cbCadastro"));
  cbCadastro->addItems({QStringLiteral("Todos"), QStringLiteral("AQEM"), QStringLiteral("ANA")});
  barra->addWidget(cbCadastro);
  barra->addSpacing(12);
  barra->addWidget(new QLabel(QStringLiteral("Outorgas:"), this));
  cbLista = new QComboBox(this);
  cbLista->setObjectName(QStringLiteral("cbLista"));
  cbLista->addItems({QStringLiteral("Consideradas"), QStringLiteral("Descartadas")});
  barra->addWidget(cbLista);
  barra->addSpacing(12);
  ckDivergentes = new QCheckBox(QStringLiteral("Só as que divergem da bacia"), this);
  ckDivergentes->setObjectName(QStringLiteral("ckDivergentes"));
  ckDivergentes->setToolTip(
      QStringLiteral("Mostra só as outorgas dentro da bacia de contribuição que as regras não "
                     "consideram a montante, e as consideradas a montante fora dela."));
  barra->addWidget(ckDivergentes);
  barra->addSpacing(12);
  lblTotal = new QLabel(this);
  lblTotal->setObjectName(QStringLiteral("lblTotal"));
  barra->addWidget(lblTotal, 1);
  btnExportar = new QPushButton(QStringLiteral("Exportar..."), this);
  btnExportar->setObjectName(QStringLiteral("btnExportar"));
  barra->addWidget(btnExportar);
  layout->addLayout(barra);

  Modelo_ = new QStandardItemModel(this);
  Filtro_ = new TFiltroOutorgas(this);
  Filtro_->setSourceModel(Modelo_);
  Filtro_->setSortRole(Qt::UserRole);
  tvOutorgas = new QTableView(this);
  tvOutorgas->setObjectName(QStringLiteral("tvOutorgas"));
  tvOutorgas->setModel(Filtro_);
  tvOutorgas->setSortingEnabled(true);
  tvOutorgas->setSelectionBehavior(QAbstractItemView::SelectRows);
  tvOutorgas->verticalHeader()->setVisible(false);
  tvOutorgas->verticalHeader()->setDefaultSectionSize(20);
  tvOutorgas->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(tvOutorgas);

  EscolheArquivo = [this] {
    return QFileDialog::getSaveFileName(
        this, QStringLiteral("Exportar tabelas"), QDir::homePath(),
        QStringLiteral("Pasta de trabalho do Excel (*.xlsx);;Texto separado por ponto e vírgula "
                       "(*.csv)"));
  };
  connect(cbCadastro, &QComboBox::currentIndexChanged, this, &TListaOutorgas::Filtra);
  connect(cbLista, &QComboBox::currentIndexChanged, this, &TListaOutorgas::Preenche);
  connect(ckDivergentes, &QCheckBox::toggled, this, &TListaOutorgas::Filtra);
  connect(btnExportar, &QPushButton::clicked, this, &TListaOutorgas::Exporta);
}

void TListaOutorgas::Carrega(const TPonto& ponto, const TResultadoOutorga* resultado,
                             const TBaciaContribuicao* bacia) {
  Ponto_ = &ponto;
  Resultado_ = resultado;
  Bacia_ = bacia && !bacia->Vazia() ? bacia : nullptr;
  ckDivergentes->setEnabled(Bacia_ != nullptr);
  if (!Bacia_) ckDivergentes->setChecked(false);
  Preenche();
}

// The "Na bacia" cell, and the marks of a row on which the outline and the rules disagree.
void TListaOutorgas::MarcaBacia(QList<QStandardItem*>& linha, TAcordoBacia acordo,
                                const TOutorgaExaminada& o) const {
  const bool dentro = o.TemPonto && Bacia_->ContemPonto(o.Ponto);
  linha << Item(
      o.TemPonto ? (dentro ? 1 : 0) : -1,
      o.TemPonto ? (dentro ? QStringLiteral("Sim") : QStringLiteral("Não")) : QStringLiteral("—"));
  QString motivo;
  if (acordo == TAcordoBacia::DentroNaoConsiderada)
    motivo = QStringLiteral(
        "Dentro da bacia de contribuição traçada pelas direções de fluxo, "
        "mas as regras não a consideram a montante da seção.");
  else if (acordo == TAcordoBacia::ConsideradaFora)
    motivo = QStringLiteral(
        "Considerada a montante da seção pelas regras, mas fora da bacia de "
        "contribuição traçada pelas direções de fluxo.");
  if (motivo.isEmpty()) return;
  linha[ColunaCadastro]->setData(true, PapelDiverge);
  for (QStandardItem* i : linha) {
    i->setBackground(CorDiverge);
    i->setToolTip(motivo);
  }
}

void TListaOutorgas::Preenche() {
  Modelo_->clear();
  const bool consideradas = cbLista->currentIndex() == 0;
  QStringList cab{QStringLiteral("Cadastro"),  QStringLiteral("Camada"),
                  QStringLiteral("Registro"),  QStringLiteral("Requerente"),
                  QStringLiteral("Documento"), QStringLiteral("Vazão (m³/s)"),
                  QStringLiteral("Início"),    QStringLiteral("Fim")};
  if (consideradas) cab << QStringLiteral("Meses") << QStringLiteral("Período contado");
  if (Bacia_) cab << QStringLiteral("Na bacia");
  cab << (consideradas ? QStringLiteral("Regra") : QStringLiteral("Motivo"));
  Modelo_->setHorizontalHeaderLabels(cab);
  if (Ponto_) {
    const TOutorgasConsideradas& todas = Ponto_->Outorgas();
    const auto& lista = consideradas ? todas.Consideradas : todas.Descartadas;
    const QLocale local;
    for (const TOutorgaExaminada& o : lista) {
      const double maior = *std::max_element(o.Vazao.begin(), o.Vazao.end());
      QList<QStandardItem*> linha{
          Item(o.Cadastro()),
          Item(o.NomeCamada()),
          Item(o.Registro),
          Item(todas.Requerente(o)),
          Item(todas.Documento(o)),
          Item(maior, o.TextoVazao()),
          Item(o.Inicio,
               o.Inicio.isValid() ? local.toString(o.Inicio, QLocale::ShortFormat) : QString()),
          Item(o.Fim, o.Fim.isValid() ? local.toString(o.Fim, QLocale::ShortFormat) : QString())};
      if (consideradas) {
        linha << Item(o.NumMeses)
              << Item(o.PrimeiroMes, NomeMesAno(o.PrimeiroMes % 12 + 1, o.PrimeiroMes / 12) +
                                         QStringLiteral(" a ") +
                                         NomeMesAno((o.PrimeiroMes + o.NumMeses - 1) % 12 + 1,
                                                    (o.PrimeiroMes + o.NumMeses - 1) / 12));
      }
      if (Bacia_) MarcaBacia(linha, AcordoComABacia(*Bacia_, o), o);
      linha << Item(o.TextoRegra(todas.UnidadeSecao, todas.TrechoSecao));
      Modelo_->appendRow(linha);
    }
  }
  tvOutorgas->resizeColumnsToContents();
  Filtra();
}

void TListaOutorgas::Filtra() {
  Filtro_->Define(cbCadastro->currentIndex() <= 0 ? QString() : cbCadastro->currentText(),
                  ckDivergentes->isChecked());
  QString total = QStringLiteral("%1 outorga(s)").arg(Filtro_->rowCount());
  if (Bacia_) {
    int divergentes = 0;
    for (int i = 0; i < Modelo_->rowCount(); ++i)
      divergentes += Modelo_->item(i, ColunaCadastro)->data(PapelDiverge).toBool();
    if (divergentes > 0)
      total += QStringLiteral("; %1 diverge(m) da bacia de contribuição").arg(divergentes);
  }
  lblTotal->setText(total);
}

int TListaOutorgas::NumLinhas() const { return Filtro_->rowCount(); }

QString TListaOutorgas::Texto(int linha, int coluna) const {
  return Filtro_->index(linha, coluna).data(Qt::DisplayRole).toString();
}

void TListaOutorgas::Exporta() {
  if (!Ponto_) return;
  const QString arquivo = EscolheArquivo ? EscolheArquivo() : QString();
  if (arquivo.isEmpty()) return;
  try {
    const QStringList gravados = ExportaTabelas(
        arquivo, TabelasDaAnalise(*Ponto_, Resultado_, Bacia_,
                                  Identificacao ? Identificacao() : TIdentificacaoAnalise{}));
    QStringList nomes;
    for (const QString& g : gravados) nomes << QDir::toNativeSeparators(g);
    Apresentador_.Informacao(QStringLiteral("Tabelas exportadas para:\n") +
                             nomes.join(QLatin1Char('\n')));
    if (Exportou) Exportou();
  } catch (const ETorveda& e) {
    Apresentador_.Erro(e.mensagem());
  }
}
