#pragma once
// "Outorgas consideradas": the grants the upstream sum of the section counted (or, switched, those
// it left out), one row each with its register, layer, record, holder, document, flow, validity,
// months and rule; sortable by any column and filtered by register. With the section's
// contributing basin, a column tells whether each grant lies inside its outline, and the grants
// on which the outline and the rules disagree are marked (and can be shown alone). "Exportar..."
// writes the analysis tables and the grant lists to .xlsx or .csv.

#include <QList>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTableView;
class TApresentador;
class TBaciaContribuicao;
class TFiltroOutorgas;
class TPonto;
enum class TAcordoBacia;
struct TOutorgaExaminada;
struct TResultadoOutorga;
struct TIdentificacaoAnalise;

class TListaOutorgas : public QWidget {
  Q_OBJECT
 public:
  // The export tells where it wrote, or why it could not, through `apresentador`.
  explicit TListaOutorgas(TApresentador& apresentador, QWidget* parent = nullptr);

  // Fills the table from the section; the analysis (may be nullptr) joins its month x year tables
  // to the export. The section's basin (may be nullptr or empty: no comparison) is kept.
  void Carrega(const TPonto& ponto, const TResultadoOutorga* resultado,
               const TBaciaContribuicao* bacia = nullptr);

  // The grant window's process number and analyst, for the export's summary sheet.
  std::function<TIdentificacaoAnalise()> Identificacao;

  // The file the export writes; by default asked in a save dialog (empty: cancelled).
  std::function<QString()> EscolheArquivo;
  // Told after an export was written.
  std::function<void()> Exportou;

  QComboBox* cbCadastro = nullptr;     // "Todos", "AQEM", "ANA"
  QComboBox* cbLista = nullptr;        // "Consideradas", "Descartadas"
  QCheckBox* ckDivergentes = nullptr;  // only the grants on which outline and rules disagree
  QTableView* tvOutorgas = nullptr;
  QLabel* lblTotal = nullptr;
  QPushButton* btnExportar = nullptr;

  // The rows shown, after filter and sort: the text of a column.
  QString Texto(int linha, int coluna) const;
  int NumLinhas() const;

 private:
  void Preenche();
  void MarcaBacia(QList<QStandardItem*>& linha, TAcordoBacia acordo,
                  const TOutorgaExaminada& o) const;
  void Filtra();
  void Exporta();

  TApresentador& Apresentador_;
  const TPonto* Ponto_ = nullptr;
  const TResultadoOutorga* Resultado_ = nullptr;
  const TBaciaContribuicao* Bacia_ = nullptr;
  QStandardItemModel* Modelo_ = nullptr;
  TFiltroOutorgas* Filtro_ = nullptr;
};
