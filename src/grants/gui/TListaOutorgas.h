#pragma once
// "Outorgas consideradas": the grants the upstream sum of the section counted (or, switched, those
// it left out), one row each with its register, layer, record, holder, document, flow, validity,
// months and rule; sortable by any column and filtered by register. "Exportar..." writes the
// analysis tables and the grant lists to .xlsx or .csv.

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class TPonto;
struct TResultadoOutorga;

class TListaOutorgas : public QWidget {
  Q_OBJECT
 public:
  explicit TListaOutorgas(QWidget* parent = nullptr);

  // Fills the table from the section; the analysis (may be nullptr) joins its month x year tables
  // to the export.
  void Carrega(const TPonto& ponto, const TResultadoOutorga* resultado);

  // The file the export writes; by default asked in a save dialog (empty: cancelled).
  std::function<QString()> EscolheArquivo;

  QComboBox* cbCadastro = nullptr;  // "Todos", "AQEM", "ANA"
  QComboBox* cbLista = nullptr;     // "Consideradas", "Descartadas"
  QTableView* tvOutorgas = nullptr;
  QLabel* lblTotal = nullptr;
  QPushButton* btnExportar = nullptr;

  // The rows shown, after filter and sort: the text of a column.
  QString Texto(int linha, int coluna) const;
  int NumLinhas() const;

 private:
  void Preenche();
  void Filtra();
  void Exporta();

  const TPonto* Ponto_ = nullptr;
  const TResultadoOutorga* Resultado_ = nullptr;
  QStandardItemModel* Modelo_ = nullptr;
  QSortFilterProxyModel* Filtro_ = nullptr;
};
