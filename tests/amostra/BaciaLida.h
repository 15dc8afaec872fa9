#pragma once
// A generated sample read back from its files, independently of the generator's own structures,
// for the tests to check the invariants that the program relies on.

#include <QJsonObject>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class TPastaTemporaria;

struct TArcoLido {
  int Ho = 0, Fnode = 0, Tnode = 0, EqConserv = 0;
  QString Rio, EstFlu;
};

struct TBaciaLida {
  QString Dir;  // ends in '/'
  QJsonObject Resumo;
  int NC = 0, NR = 0;
  double Xll = 0, Yll = 0, Tam = 0;
  std::vector<float> Mapeada, Rede, Dir8, Fluxo;
  std::vector<TArcoLido> Arcos;  // record order of "Hidrografia"

  bool Dentro(std::int64_t c) const { return Dir8[c] != -9999.0f; }
  // The cell a code points to, -1 outside the grid or for a code that is not one of the eight.
  std::int64_t Abaixo(std::int64_t c) const;
  double X(std::int64_t c) const { return Xll + (c % NC + 0.5) * Tam; }
  double Y(std::int64_t c) const { return Yll + (NR - c / NC - 0.5) * Tam; }
};

// Reads the tree of a sample written into dir (grids, "Hidrografia", the summary).
TBaciaLida LeBacia(const QString& dir, const QJsonObject& resumo);

// The polygons of a layer, each with one integer attribute, for point-in-polygon tests.
class TPoligonosLidos {
 public:
  TPoligonosLidos(const QString& arquivo, const char* campo);
  ~TPoligonosLidos();
  // The attribute of every polygon that contains the point, in record order.
  std::vector<int> Contem(double x, double y) const;
  std::size_t Quantos() const;

 private:
  struct TDados;
  std::unique_ptr<TDados> D_;
};

// Rows of a table of the reference database, each column by name.
std::vector<std::map<QString, QVariant>> LeTabela(const QString& arquivo, const QString& tabela);

// A sheet of a workbook: headings and rows (cells as text, empty when blank).
struct TFolhaLida {
  std::vector<QString> Colunas;
  std::vector<std::map<QString, QString>> Linhas;
};
std::map<QString, TFolhaLida> LePlanilha(const QString& arquivo);
