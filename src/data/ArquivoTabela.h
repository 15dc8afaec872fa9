#pragma once
// Plain tables in files, for requests and answers in bulk: a heading row, then one record per
// row. Reads and writes CSV (";" or "," between fields, quotes as spreadsheets write them) and
// the first sheet of an Office Open XML workbook (.xlsx). Cells are read as the text they show;
// a number cell of a workbook reads with the regional decimal separator.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

enum class TFormatoTabela { Csv, Xlsx, Json };

// The format a file name asks for, by its extension; throws ETorveda for any other extension.
TFormatoTabela FormatoDoArquivo(const QString& arquivo);

struct TTabelaLida {
  QStringList Colunas;
  std::vector<QStringList> Linhas;  // as many cells as Colunas, empty for a blank cell
};

// Reads a .csv or .xlsx file. Throws ETorveda naming the file when it cannot be read. Rows whose
// every cell is blank are left out.
TTabelaLida LeTabela(const QString& arquivo);

// Splits one CSV line (already joined when a quoted field held a line break) at sep.
QStringList CamposCsv(const QString& linha, QChar sep);

// Writes rows one by one, so a long run never holds its answers in memory. A cell is a QString,
// a double, an int or invalid (blank). The file appears under its name only when Conclui() ends
// well; a writer dropped before that leaves no file behind. CSV uses ";" and the regional
// decimal separator, as spreadsheets under Portuguese settings read it; JSON writes an array of
// objects keyed by the headings; a workbook gets one sheet named folha. Every failure to write,
// a full disk among them, throws ETorveda naming the file; an earlier file of that name stays.
class TEscritorTabela {
 public:
  TEscritorTabela(const QString& arquivo, const QStringList& colunas,
                  const QString& folha = QStringLiteral("Resultados"));
  ~TEscritorTabela();
  TEscritorTabela(const TEscritorTabela&) = delete;
  TEscritorTabela& operator=(const TEscritorTabela&) = delete;

  void Escreve(const QList<QVariant>& linha);
  void Conclui();

  struct TDados;

 private:
  std::unique_ptr<TDados> D_;
};
