#pragma once
// The help viewer: the program's HTML help with its contents and its keyword search.

#include <QDialog>
#include <QStringList>
#include <QVector>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

class TfrmAjuda : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAjuda(QWidget* dono = nullptr);

  // Reads the help file; false when it cannot be read.
  bool Carrega(const QString& arquivo);
  // Opens at the contents page.
  void MostraConteudo();
  // Opens the keyword search with the given text typed (empty: no key).
  void MostraBusca(const QString& chave);

  // Keywords of the help, each with the anchor of its topic, as the file declares them.
  struct TChave {
    QString Palavra;
    QString Ancora;
  };
  const QVector<TChave>& Chaves() const { return Chaves_; }
  // Keywords that start with (or contain) the typed text, best first.
  QStringList Procura(const QString& texto) const;

 private:
  void Filtra(const QString& texto);
  void AbreChave();

  QTabWidget* Abas_;
  QTextBrowser* Texto_;
  QLineEdit* edtChave_;
  QListWidget* lstChaves_;
  QVector<TChave> Chaves_;
  QString Arquivo_;
};
