#pragma once
// What the import tests build: register workbooks written at test time (.xls through xlwt,
// .xlsx through GDAL, by escreve_registros.py), the basin outline, the regions and the five
// grant layers as shapefiles, and a data tree that the start-up loads.
//
// The reference point P0 is 19° 45' 30" S, 43° 45' 12" W: PROJ's cs2cs puts it at
// X 630619.066, Y 7814753.383 in EPSG:22523. The basin is the square 20 km a side around it;
// region 1 is its western half (X < 630000), region 2 its eastern half.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

#include "base/Caminhos.h"
#include "gis/TGeometria.h"

class TCamada;

namespace Montagem {

inline constexpr TPontoMapa P0{630619.0660, 7814753.3830};
inline constexpr double XMin = 620000, XMax = 640000, YMin = 7805000, YMax = 7825000;
inline constexpr double XDivisa = 630000;

// Headings of the four sheets, every column in sheet order.
QStringList ColunasOutorgas();
QStringList ColunasCertidoes();
QStringList ColunasAna();

struct TFolha {
  QString Nome;
  QStringList Colunas;
  // One map per row, heading -> value (QString, double, int, QDate); a heading left out is an
  // empty cell.
  QList<QVariantMap> Linhas;
};

// Writes the workbook (the extension chooses .xls or .xlsx). Fails the test when it cannot.
void EscreveLivro(const QString& arquivo, const QList<TFolha>& folhas);

// The three state sheets, each with the rows given.
QList<TFolha> LivroAqem(const QList<QVariantMap>& superficial, const QList<QVariantMap>& certidoes,
                        const QList<QVariantMap>& subterranea);
QList<TFolha> LivroAna(const QList<QVariantMap>& linhas);

// Writes into `pasta`: "Limite", "Reg_Met_Tradicional" and the five empty grant layers with the
// import's fields. Each grant layer gets one old record ("ID" 99) that an import must remove.
void CriaCamadas(const QString& pasta);

// A layer over the shapefile of that name in `pasta`, read afresh from disk.
std::unique_ptr<TCamada> AbreCamada(const QString& pasta, const QString& nome);

// A data tree under `dir` that the start-up loads: the reference database (empty tables), the
// layers of CriaCamadas and nothing else (the grids are missing, as start-up allows).
void CriaArvore(const TCaminhos& caminhos);

// The path of the command-line program.
QString Cli();

// A layer as it stands on disk, to tell that an import left it exactly as it was: the bytes of
// each member file, and the records as GDAL's own reader lists them (ogrinfo).
struct TRetrato {
  QByteArray Bytes;
  QString Gdal;
  bool operator==(const TRetrato&) const = default;
};
TRetrato Retrato(const QString& pasta, const QString& camada);

}  // namespace Montagem
