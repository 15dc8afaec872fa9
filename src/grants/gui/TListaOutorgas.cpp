#include "grants/gui/TListaOutorgas.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "grants/ExportaTabelas.h"
#include "grants/TTabelaMeses.h"
#include "hydro/TPonto.h"

namespace {

// The column the register filter looks at.
constexpr int ColunaCadastro = 0;

// A cell that sorts by its value, not its text (record numbers, flows, months, dates).
QStandardItem* Item(const QVariant& valor, const QString& texto = {}) {
  auto* i = new QStandardItem(texto.isEmpty() ? valor.toString() : texto);
  i->setData(valor, Qt::UserRole);
  i->setEditable(false);
  return i;
}

}  // namespace

TListaOutorgas::TListaOutorgas(QWidget* parent) : QWidget(parent) {
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
  lblTotal = new QLabel(this);
  lblTotal->setObjectName(QStringLiteral("lblTotal"));
  barra->addWidget(lblTotal, 1);
  btnExportar = new QPushButton(QStringLiteral("Exportar..."), this);
  btnExportar->setObjectName(QStringLiteral("btnExportar"));
  barra->addWidget(btnExportar);
  layout->addLayout(barra);

  Modelo_ = new QStandardItemModel(this);
  Filtro_ = new QSortFilterProxyModel(this);
  Filtro_->setSourceModel(Modelo_);
  Filtro_->setSortRole(Qt::UserRole);
  Filtro_->setFilterKeyColumn(ColunaCadastro);
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
  connect(btnExportar, &QPushButton::clicked, this, &TListaOutorgas::Exporta);
}

void TListaOutorgas::Carrega(const TPonto& ponto, const TResultadoOutorga* resultado) {
  Ponto_ = &ponto;
  Resultado_ = resultado;
  Preenche();
}

void TListaOutorgas::Preenche() {
  Modelo_->clear();
  const bool consideradas = cbLista->currentIndex() == 0;
  QStringList cab{QStringLiteral("Cadastro"),  QStringLiteral("Camada"),
                  QStringLiteral("Registro"),  QStringLiteral("Requerente"),
                  QStringLiteral("Documento"), QStringLiteral("Vazão (m³/s)"),
                  QStringLiteral("Início"),    QStringLiteral("Fim")};
  if (consideradas)
    cab << QStringLiteral("Meses") << QStringLiteral("Período contado") << QStringLiteral("Regra");
  else
    cab << QStringLiteral("Motivo");
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
      linha << Item(o.TextoRegra(todas.UnidadeSecao, todas.TrechoSecao));
      Modelo_->appendRow(linha);
    }
  }
  tvOutorgas->resizeColumnsToContents();
  Filtra();
}

void TListaOutorgas::Filtra() {
  const int i = cbCadastro->currentIndex();
  // A fixed string matches inside the text: "ANA" must not match a register named otherwise.
  Filtro_->setFilterRegularExpression(
      i <= 0 ? QRegularExpression()
             : QRegularExpression(QStringLiteral("^") +
                                  QRegularExpression::escape(cbCadastro->currentText()) +
                                  QStringLiteral("$")));
  lblTotal->setText(QStringLiteral("%1 outorga(s)").arg(Filtro_->rowCount()));
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
    const QStringList gravados = ExportaTabelas(arquivo, TabelasDaAnalise(*Ponto_, Resultado_));
    QStringList nomes;
    for (const QString& g : gravados) nomes << QDir::toNativeSeparators(g);
    Apresentador().Informacao(QStringLiteral("Tabelas exportadas para:\n") +
                              nomes.join(QLatin1Char('\n')));
  } catch (const ETorveda& e) {
    Apresentador().Erro(e.mensagem());
  }
}
