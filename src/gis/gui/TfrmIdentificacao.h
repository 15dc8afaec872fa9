#pragma once
// The identification window: what lies at a point of the basin map. A tree of the kinds of
// features found at the point and, for the selected node, a two-column table of the feature's
// fields. It is modal, created once and rebuilt for every identification. It reads a point of
// its own: the section of interest is never touched.

#include <QDialog>
#include <QStringList>

#include "gis/TGeometria.h"
#include "hydro/IdentificaSecao.h"

class QLabel;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TCamada;
class TSistema;

class TfrmIdentificacao : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmIdentificacao(TSistema& sistema, QWidget* pai = nullptr);

  // Rebuilds the tree for p, identified at p (IdentificaPonto); the window keeps its own copy.
  void MontaArvore(const TPontoMapa& p, const TPontoIdentificado& identificado);
  // The point the window shows.
  const TPontoIdentificado& Identificado() const { return Identificado_; }
  // Fills the table for the node about to be selected.
  void TreeView1Changing(QTreeWidgetItem* no);

  // The keys of the kinds found by distance: the found record's feature id, as text. Kept until
  // a later identification finds the same kind again.
  struct TChaves {
    QString Estrada, EstFlu, EstPlu, OutSupSignif, OutSubSignif, OutSupInsig, OutSubInsig, OutAna;
  };
  const TChaves& Chaves() const { return Chaves_; }

  QTreeWidget* TreeView1 = nullptr;
  QLabel* pnlCampo = nullptr;
  QLabel* pnlValor = nullptr;
  QTableWidget* tsInformacao = nullptr;

 private:
  struct TTipoFeicao;
  void Limpa();
  void Dimensiona(int colunas, int linhas);
  void Escreve(int linha, const QString& campo, const QString& valor);
  void LarguraColunas();
  // The kind's table for the first record whose field (compared as a value, or as text when
  // porTexto) equals alvo; a key field of "" means the feature id.
  void PreencheTipo(const TTipoFeicao& tipo, const QString& campoChave, const QString& alvo,
                    bool porTexto);
  TCamada* Camada(const char* nome) const;

  TSistema& Sistema_;
  TChaves Chaves_;
  TPontoIdentificado Identificado_;
};
