#include "app/gui/TfrmAjuda.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

TfrmAjuda::TfrmAjuda(QWidget* dono) : QDialog(dono) {
  setObjectName(QStringLiteral("frmAjuda"));
  setWindowTitle(QStringLiteral("Ajuda do TORVEDA"));
  resize(820, 600);

  Abas_ = new QTabWidget(this);
  auto* busca = new QWidget;
  auto* lay = new QVBoxLayout(busca);
  lay->addWidget(new QLabel(QStringLiteral("Digite a palavra a ser localizada:")));
  edtChave_ = new QLineEdit;
  edtChave_->setObjectName(QStringLiteral("edtChave"));
  lay->addWidget(edtChave_);
  lstChaves_ = new QListWidget;
  lstChaves_->setObjectName(QStringLiteral("lstChaves"));
  lay->addWidget(lstChaves_, 1);
  auto* btnMostrar = new QPushButton(QStringLiteral("&Mostrar"));
  lay->addWidget(btnMostrar, 0, Qt::AlignRight);
  Abas_->addTab(busca, QStringLiteral("Índice"));

  Texto_ = new QTextBrowser;
  Texto_->setObjectName(QStringLiteral("txtAjuda"));
  Texto_->setOpenExternalLinks(true);

  auto* divisor = new QSplitter(this);
  divisor->addWidget(Abas_);
  divisor->addWidget(Texto_);
  divisor->setStretchFactor(1, 1);
  auto* principal = new QVBoxLayout(this);
  principal->addWidget(divisor);

  connect(edtChave_, &QLineEdit::textChanged, this, &TfrmAjuda::Filtra);
  connect(edtChave_, &QLineEdit::returnPressed, this, &TfrmAjuda::AbreChave);
  connect(lstChaves_, &QListWidget::itemActivated, this, &TfrmAjuda::AbreChave);
  connect(btnMostrar, &QPushButton::clicked, this, &TfrmAjuda::AbreChave);
}

bool TfrmAjuda::Carrega(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QString html = QString::fromUtf8(f.readAll());
  Arquivo_ = arquivo;
  Texto_->setSearchPaths({QFileInfo(arquivo).absolutePath()});
  Texto_->setSource(QUrl::fromLocalFile(arquivo));

  // Keywords are declared on the topics' headings: <h2 id="ancora" data-chaves="a; b">.
  Chaves_.clear();
  static const QRegularExpression titulo(
      QStringLiteral(R"re(<h[1-4][^>]*\bid="([^"]+)"[^>]*\bdata-chaves="([^"]*)")re"));
  for (auto it = titulo.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    for (const QString& palavra : m.captured(2).split(QLatin1Char(';'), Qt::SkipEmptyParts))
      Chaves_.push_back({palavra.trimmed(), m.captured(1)});
  }
  std::sort(Chaves_.begin(), Chaves_.end(), [](const TChave& a, const TChave& b) {
    return QString::localeAwareCompare(a.Palavra, b.Palavra) < 0;
  });
  Filtra(edtChave_->text());
  return true;
}

void TfrmAjuda::MostraConteudo() {
  Texto_->setSource(QUrl::fromLocalFile(Arquivo_));
  Texto_->scrollToAnchor(QStringLiteral("conteudo"));
}

void TfrmAjuda::MostraBusca(const QString& chave) {
  Abas_->setCurrentIndex(0);
  edtChave_->setText(chave);
  edtChave_->setFocus();
}

QStringList TfrmAjuda::Procura(const QString& texto) const {
  QStringList inicio, meio;
  for (const auto& c : Chaves_) {
    if (c.Palavra.startsWith(texto, Qt::CaseInsensitive))
      inicio << c.Palavra;
    else if (c.Palavra.contains(texto, Qt::CaseInsensitive))
      meio << c.Palavra;
  }
  return inicio + meio;
}

void TfrmAjuda::Filtra(const QString& texto) {
  lstChaves_->clear();
  lstChaves_->addItems(Procura(texto.trimmed()));
  if (lstChaves_->count() > 0) lstChaves_->setCurrentRow(0);
}

void TfrmAjuda::AbreChave() {
  const QListWidgetItem* item = lstChaves_->currentItem();
  if (!item) return;
  for (const auto& c : Chaves_) {
    if (c.Palavra != item->text()) continue;
    Texto_->scrollToAnchor(c.Ancora);
    return;
  }
}
