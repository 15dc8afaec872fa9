#pragma once
// The writers of the sample's files, one concern each. All of them write into a staging folder;
// GeraAmostra moves the finished tree into place.

#include <QJsonObject>
#include <QString>

#include "amostra/Bacia.h"
#include "amostra/Demanda.h"
#include "amostra/Hidrologia.h"

namespace gdal_amostra {
class TConversor;
}

// Dados/DadosSIG/Matrizes: Header.hdr and the four drainage grids (.hdr + little-endian .flt).
void EscreveGrades(const TBacia& b, const QString& pasta);
// Dados/DadosSIG: the 17 layers; DadosSIG (maintenance): hidrografia_ucor_nova, Rios_ProcPelmar.
void EscreveCamadas(const TBacia& b, const gdal_amostra::TConversor& conv, const QString& pasta,
                    const QString& pastaManutencao);
// Dados/DadosBD/<NomeBase>.sqlite: equations, ranges, stations and rivers.
void EscreveBaseDados(const TBacia& b, const THidrologia& h, const gdal_amostra::TConversor& conv,
                      const QString& arquivo);
// Dados/DadosBD/<NomeBase>_Outorgas_AQEM.xlsx and _ANA.xlsx; returns counts of rows written.
// The surface grants that count at the ready-made sections are added into `demanda`.
QJsonObject EscrevePlanilhas(const TBacia& b, const gdal_amostra::TConversor& conv, int registros,
                             TDemanda& demanda, const QString& arquivoAqem,
                             const QString& arquivoAna);
