#include "editing/TfrmAtualizaTabela.h"

#include <QCloseEvent>
#include <QDataWidgetMapper>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/Apresentador.h"
#include "data/Esquema.h"
#include "data/TdmS.h"
#include "editing/Rotulos.h"
#include "editing/TDelegadoCampo.h"
#include "editing/TSelecaoLinha.h"
#include "editing/ValorCampo.h"
#include "sistema/TSistema.h"

namespace {

// The window's query: writes happen only when the window asks (Grava), never because a view
// closed a cell editor, and a view's Escape in a cell does not drop the changes typed in the
// edit boxes.
class TConsultaTabela : public QSqlTableModel {
 public:
  TConsultaTabela(QObject* pai, const QSqlDatabase& db) : QSqlTableModel(pai, db) {}
  bool submit() override { return true; }
  void revert() override {}
};

constexpr int LarguraGrupos = 818;

}  // namespace

TfrmAtualizaTabela::TfrmAtualizaTabela(TContextoJanela& contexto, const QString& nomeJanela,
                                       const QString& titulo, const QString& tabela,
                                       const QString& nomeConsulta,
                                       const std::vector<TCampoJanela>& campos, QWidget* parent)
    : QWidget(parent), Apresentador_(contexto.Apresentador), Tabela_(tabela) {
  setObjectName(nomeJanela);
  setWindowTitle(titulo);
  resize(834, 552);

  // The three group boxes stacked in a column of the design width, centred in the window.
  auto* coluna = new QWidget(this);
  coluna->setMaximumWidth(LarguraGrupos);
  auto* pilha = new QVBoxLayout(coluna);
  pilha->setContentsMargins(0, 0, 0, 0);
  MontaNavegador();
  MontaCampos(campos);
  MontaGrade();
  pilha->addWidget(gbNavegador);
  pilha->addWidget(gbCampos);
  pilha->addWidget(gbTabela, 1);
  auto* raiz = new QHBoxLayout(this);
  raiz->setContentsMargins(8, 8, 8, 8);
  raiz->addStretch(0);
  raiz->addWidget(coluna, 1);
  raiz->addStretch(0);

  Abre(contexto, tabela);
  if (Consulta_) Consulta_->setObjectName(nomeConsulta);
  AtualizaNavegador();
}

TfrmAtualizaTabela::~TfrmAtualizaTabela() = default;

void TfrmAtualizaTabela::MontaNavegador() {
  gbNavegador = new QGroupBox;
  gbNavegador->setObjectName(QStringLiteral("gbNavegador"));
  auto* linha = new QHBoxLayout(gbNavegador);
  auto botao = [this, linha](const char* nome, QStyle::StandardPixmap icone, const QString& dica,
                             void (TfrmAtualizaTabela::*acao)()) {
    auto* b = new QToolButton(gbNavegador);
    b->setObjectName(QString::fromLatin1(nome));
    b->setIcon(style()->standardIcon(icone));
    b->setToolTip(dica);
    b->setFixedSize(28, 25);
    connect(b, &QToolButton::clicked, this, acao);
    linha->addWidget(b);
    return b;
  };
  btnPrimeiro = botao("btnPrimeiro", QStyle::SP_MediaSkipBackward, QStringLiteral("Primeiro"),
                      &TfrmAtualizaTabela::Primeiro);
  btnAnterior = botao("btnAnterior", QStyle::SP_MediaSeekBackward, QStringLiteral("Anterior"),
                      &TfrmAtualizaTabela::Anterior);
  btnProximo = botao("btnProximo", QStyle::SP_MediaSeekForward, QStringLiteral("Próximo"),
                     &TfrmAtualizaTabela::Proximo);
  btnUltimo = botao("btnUltimo", QStyle::SP_MediaSkipForward, QStringLiteral("Último"),
                    &TfrmAtualizaTabela::Ultimo);
  linha->addSpacing(24);
  btnAtualizar = new QPushButton(QStringLiteral("Atualizar"), gbNavegador);
  btnAtualizar->setObjectName(QStringLiteral("btnAtualizar"));
  btnAtualizar->setFixedSize(89, 25);
  connect(btnAtualizar, &QPushButton::clicked, this, &TfrmAtualizaTabela::btnAtualizarClick);
  linha->addWidget(btnAtualizar);
  linha->addStretch(1);
}

void TfrmAtualizaTabela::MontaCampos(const std::vector<TCampoJanela>& campos) {
  gbCampos = new QGroupBox;
  gbCampos->setObjectName(QStringLiteral("gbCampos"));
  auto* grade = new QGridLayout(gbCampos);
  grade->setHorizontalSpacing(16);
  // One row when they fit, otherwise rows of five.
  const int porLinha = campos.size() <= 6 ? static_cast<int>(campos.size()) : 5;
  int i = 0;
  for (const auto& c : campos) {
    auto* rotulo = new QLabel(c.Rotulo, gbCampos);
    rotulo->setObjectName(QStringLiteral("lbl") + c.Coluna);
    rotulo->setTextFormat(Qt::RichText);
    auto* edit = new QLineEdit(gbCampos);
    edit->setObjectName(QStringLiteral("edt") + c.Coluna);
    edit->setMinimumWidth(120);
    rotulo->setBuddy(edit);
    const int linha = (i / porLinha) * 2;
    const int coluna = i % porLinha;
    grade->addWidget(rotulo, linha, coluna);
    grade->addWidget(edit, linha + 1, coluna);
    Campos_.emplace_back(c.Coluna, edit);
    Rotulos_.emplace_back(c.Coluna, rotulo);
    ++i;
  }
}

void TfrmAtualizaTabela::MontaGrade() {
  gbTabela = new QGroupBox;
  gbTabela->setObjectName(QStringLiteral("gbTabela"));
  auto* caixa = new QVBoxLayout(gbTabela);
  Grade_ = new QTableView(gbTabela);
  Grade_->setObjectName(QStringLiteral("DBGrid1"));
  Grade_->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grade_->setSelectionMode(QAbstractItemView::SingleSelection);
  Grade_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  Grade_->verticalHeader()->setDefaultSectionSize(20);
  Grade_->installEventFilter(this);
  caixa->addWidget(Grade_);
}

void TfrmAtualizaTabela::Abre(TContextoJanela& contexto, const QString& tabela) {
  TdmS* dmS = contexto.Sistema.dmS.get();
  if (!dmS || !dmS->BaseAberta()) {
    Apresentador_.Erro(dmS && !dmS->ErroBase().isEmpty()
                           ? dmS->ErroBase()
                           : QStringLiteral("O banco de dados não está aberto."));
    gbNavegador->setEnabled(false);
    gbCampos->setEnabled(false);
    return;
  }

  Consulta_ = new TConsultaTabela(this, dmS->conTORVEDA());
  Consulta_->setTable(tabela);
  Consulta_->setEditStrategy(QSqlTableModel::OnRowChange);
  if (!Consulta_->select()) {
    Apresentador_.Erro(Consulta_->lastError().text());
    gbNavegador->setEnabled(false);
    gbCampos->setEnabled(false);
    return;
  }
  // Every row now: the window's cursor is static, and a read left unfinished would keep the
  // database's transaction open, holding back what the window writes.
  while (Consulta_->canFetchMore()) Consulta_->fetchMore();
  Aberta_ = true;

  const TTabelaBD* esquema = TabelaBD(tabela);
  std::vector<const TColunaBD*> colunas;
  const QSqlRecord registro = Consulta_->record();
  for (int c = 0; c < registro.count(); ++c) {
    const TColunaBD* coluna = esquema ? esquema->Coluna(registro.fieldName(c)) : nullptr;
    if (coluna && coluna->Tipo == TTipoColunaBD::Inteiro &&
        registro.field(c).metaType().id() == QMetaType::Double) {
      ColunasDoBanco_.push_back(*coluna);
      ColunasDoBanco_.back().Tipo = TTipoColunaBD::Real;
      coluna = &ColunasDoBanco_.back();
    }
    colunas.push_back(coluna);
  }
  Delegado_ = new TDelegadoCampo(std::move(colunas), this);
  connect(Delegado_, &TDelegadoCampo::Digitou, this, &TfrmAtualizaTabela::Digitou);

  Grade_->setModel(Consulta_);
  Grade_->setItemDelegate(Delegado_);
  Selecao_ = new TSelecaoLinha(
      Consulta_, [this](int linha) { return PodeSair(linha); }, this);
  QItemSelectionModel* anterior = Grade_->selectionModel();
  Grade_->setSelectionModel(Selecao_);
  delete anterior;
  Grade_->resizeColumnsToContents();

  Mapeador_ = new QDataWidgetMapper(this);
  Mapeador_->setModel(Consulta_);
  Mapeador_->setItemDelegate(Delegado_);
  // Each box hands its text to the row when it loses the focus, so the grid shows it at once;
  // the database is written only by Grava.
  Mapeador_->setSubmitPolicy(QDataWidgetMapper::AutoSubmit);
  for (const auto& [coluna, edit] : Campos_) {
    const int c = Consulta_->fieldIndex(coluna);
    if (c < 0) {
      edit->setEnabled(false);
      continue;
    }
    Mapeador_->addMapping(edit, c);
    Delegado_->Acompanha(edit);
  }

  connect(Selecao_, &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& atual) { LinhaMudou(atual.isValid() ? atual.row() : -1); });
  connect(Consulta_, &QAbstractItemModel::dataChanged, this, [this] {
    if (Consulta_->isDirty()) Editando_ = true;
  });

  if (Consulta_->rowCount() > 0)
    Selecao_->setCurrentIndex(Consulta_->index(0, 0), QItemSelectionModel::NoUpdate);
}

int TfrmAtualizaTabela::Linha() const {
  return Selecao_ && Selecao_->currentIndex().isValid() ? Selecao_->currentIndex().row() : -1;
}

int TfrmAtualizaTabela::NumLinhas() const { return Consulta_ ? Consulta_->rowCount() : 0; }

QLineEdit* TfrmAtualizaTabela::Campo(const QString& coluna) const {
  for (const auto& [nome, edit] : Campos_)
    if (nome.compare(coluna, Qt::CaseInsensitive) == 0) return edit;
  return nullptr;
}

QLabel* TfrmAtualizaTabela::Rotulo(const QString& coluna) const {
  for (const auto& [nome, rotulo] : Rotulos_)
    if (nome.compare(coluna, Qt::CaseInsensitive) == 0) return rotulo;
  return nullptr;
}

void TfrmAtualizaTabela::Primeiro() { VaiPara(0); }
void TfrmAtualizaTabela::Anterior() { VaiPara(Linha() - 1); }
void TfrmAtualizaTabela::Proximo() { VaiPara(Linha() + 1); }
void TfrmAtualizaTabela::Ultimo() { VaiPara(NumLinhas() - 1); }

bool TfrmAtualizaTabela::VaiPara(int linha) {
  if (!Aberta_ || linha < 0 || linha >= NumLinhas()) return false;
  if (linha == Linha()) return true;
  const int coluna = Selecao_->currentIndex().isValid() ? Selecao_->currentIndex().column() : 0;
  const QModelIndex destino = Consulta_->index(linha, coluna);
  Selecao_->setCurrentIndex(destino, QItemSelectionModel::NoUpdate);
  if (Linha() != linha) return false;
  Grade_->scrollTo(destino);
  return true;
}

void TfrmAtualizaTabela::btnAtualizarClick() {
  if (!Aberta_ || Linha() < 0) return;
  // A cell or box typed into without the row being marked yet still counts.
  Delegado_->ConfirmaEditorAberto();
  Mapeador_->submit();
  if (!Editando_ && !Consulta_->isDirty()) return;
  Grava();
}

bool TfrmAtualizaTabela::PodeSair(int) {
  if (!Aberta_) return true;
  Delegado_->ConfirmaEditorAberto();
  Mapeador_->submit();
  if (!Editando_ && !Consulta_->isDirty()) return true;
  return Grava();
}

bool TfrmAtualizaTabela::Grava() {
  const int linha = Linha();
  if (linha < 0) return true;
  Delegado_->ConfirmaEditorAberto();
  Mapeador_->submit();

  // The column types first: what the database would take as text (SQLite keeps any value) is
  // refused here with the column's name, and the row stays as typed.
  for (int c = 0; c < Consulta_->columnCount(); ++c) {
    const QModelIndex i = Consulta_->index(linha, c);
    if (!Consulta_->isDirty(i)) continue;
    const TColunaBD* coluna = Delegado_->Coluna(c);
    if (!coluna) continue;
    const QLabel* rotulo = Rotulo(coluna->Nome);
    const QString erro = ErroValor(Consulta_->data(i, Qt::EditRole), *coluna,
                                   rotulo ? Rotulos::TextoSimples(rotulo->text()) : QString());
    if (!erro.isEmpty()) {
      Apresentador_.Erro(erro);
      return false;
    }
  }
  if (!Consulta_->submitAll()) {
    Apresentador_.Erro(Consulta_->lastError().text());
    return false;
  }
  Editando_ = false;
  // The row as stored, in the boxes' own format ("2,50" typed shows "2,5").
  Mapeador_->revert();
  return true;
}

bool TfrmAtualizaTabela::TrabalhoPendente() {
  if (!Aberta_ || Linha() < 0) return false;
  Delegado_->ConfirmaEditorAberto();
  Mapeador_->submit();
  return Consulta_->isDirty();
}

bool TfrmAtualizaTabela::PodeFechar() {
  if (!TrabalhoPendente()) return true;
  switch (Apresentador_.PerguntaSalvar(
      QStringLiteral("Há valores digitados nesta janela que ainda não foram gravados no banco "
                     "de dados. Deseja salvá-los antes de fechar?"),
      true)) {
    case TEscolha::Salvar:
      return Grava();
    case TEscolha::Descartar:
      Cancela();
      return true;
    case TEscolha::Cancelar:
      break;
  }
  return false;
}

void TfrmAtualizaTabela::closeEvent(QCloseEvent* evento) {
  if (!PodeFechar()) {
    evento->ignore();
    return;
  }
  QWidget::closeEvent(evento);
}

void TfrmAtualizaTabela::Cancela() {
  const int linha = Linha();
  if (!Aberta_ || linha < 0) return;
  Consulta_->revertRow(linha);
  Mapeador_->revert();
  Editando_ = false;
}

void TfrmAtualizaTabela::LinhaMudou(int linha) {
  Mapeador_->setCurrentIndex(linha);
  Editando_ = false;
  AtualizaNavegador();
}

void TfrmAtualizaTabela::AtualizaNavegador() {
  const int linha = Linha();
  const int n = NumLinhas();
  btnPrimeiro->setEnabled(Aberta_ && linha > 0);
  btnAnterior->setEnabled(Aberta_ && linha > 0);
  btnProximo->setEnabled(Aberta_ && linha >= 0 && linha < n - 1);
  btnUltimo->setEnabled(Aberta_ && linha >= 0 && linha < n - 1);
  btnAtualizar->setEnabled(Aberta_ && linha >= 0);
}

void TfrmAtualizaTabela::Digitou() {
  if (Linha() >= 0) Editando_ = true;
}

bool TfrmAtualizaTabela::eventFilter(QObject* objeto, QEvent* evento) {
  // A cell being typed into has the keys itself: Escape reaching the grid means none is open.
  if (objeto == Grade_ && evento->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape) {
    Cancela();
    return true;
  }
  return QWidget::eventFilter(objeto, evento);
}
