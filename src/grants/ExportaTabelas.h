#pragma once
// The grant analysis as the analyst's own files: the month x year tables of upstream granted
// flow (state, federal, total) and of availability before and after the grant, and the list of
// grants the upstream sum counted and left out. One .xlsx workbook with a sheet per table, or
// one .csv file per table beside the name chosen.

#include <QString>
#include <QStringList>
#include <vector>

#include "data/GravaPlanilha.h"

class TBaciaContribuicao;
class TPonto;
struct TResultadoOutorga;
struct TOutorgaExaminada;
struct TOutorgasConsideradas;

// The grant list as a table (counted: with months and rule; left out: with the reason). With the
// section's basin (not empty), two last columns: whether the grant lies in it ("Na bacia") and
// whether the outline and the rules disagree on it ("Diverge da bacia").
TTabelaExportada TabelaOutorgas(const TOutorgasConsideradas& outorgas, bool consideradas,
                                const TBaciaContribuicao* bacia = nullptr);

// The optional fields of the grant window that the reports print.
struct TIdentificacaoAnalise {
  QString Processo;
  QString Analista;
};

// The facts the reports print, one per row ("Item", "Valor"): the section, the period, the
// requested flow (or "variável por mês"), the criterion, its flow and, when given, the process
// and the analyst.
TTabelaExportada TabelaResumo(const TPonto& ponto, const TResultadoOutorga& resultado,
                              const TIdentificacaoAnalise& identificacao);

// Every table of the analysis: after a complete "Calcular" its summary first, then the tables it
// made, then the two grant lists of the section.
std::vector<TTabelaExportada> TabelasDaAnalise(const TPonto& ponto,
                                               const TResultadoOutorga* resultado,
                                               const TBaciaContribuicao* bacia = nullptr,
                                               const TIdentificacaoAnalise& identificacao = {});

// Writes the tables by the file's extension: .xlsx one workbook; .csv one file per table, named
// <base>_<table>.csv beside the name chosen. Answers the files written. Throws ETorveda.
QStringList ExportaTabelas(const QString& arquivo, const std::vector<TTabelaExportada>& tabelas);
