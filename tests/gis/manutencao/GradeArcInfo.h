#pragma once
// Writes a small Arc/Info binary grid (a folder with hdr.adf, dblbnd.adf, sta.adf, w001001.adf
// and w001001x.adf) of single-precision cells in one uncompressed block. GDAL reads this format
// but cannot write it, so the test lays the files down itself.

#include <QString>
#include <vector>

// valores: row-major from the top-left cell, nCols x nRows (nCols x nRows <= 16000). Returns the
// path of hdr.adf.
QString EscreveGradeArcInfo(const QString& pasta, int nCols, int nRows, double xll, double yll,
                            double lado, const std::vector<float>& valores);
