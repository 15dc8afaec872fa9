#pragma once
// The data module dmS: the reference database connection conTORVEDA with its four query
// objects, and the two register workbooks with their four sheet tables. Created once at start-up
// right after the main window and kept until the end of the program.
//
// Creation, in order (Cria):
//  1. paths from the executable's name: Dados/DadosBD/<NomeBase>.sqlite,
//     <NomeBase>_Outorgas_AQEM.xls and <NomeBase>_Outorgas_ANA.xls (.xlsx when the .xls is
//     absent);
//  2. open the database, the state workbook and the federal workbook; the first that fails is
//     shown as an error and the rest of the creation is skipped;
//  3. find the three state sheets and the headings the import reads; any failure closes them
//     all, empties the state workbook and shows "Erro ao abrir o arquivo de outorgas - AQEM.";
//  4. the same for the federal sheet, showing "Erro ao abrir o arquivo de outorgas - ANA.".
// The start-up reads no register row: an import reads the rows from the file as it is then
// (LeOutorgasAqem / LeOutorgasAna), so the registers cost nothing until they are needed and a
// workbook replaced while the program runs is the one imported.
// Nothing is ever created: a missing database file is a failure, and every later use of a query
// then throws ETorveda saying why the database is not open.

#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Caminhos.h"
#include "data/TConsulta.h"
#include "data/TLivroPlanilha.h"
#include "data/TTabelaPlanilha.h"

// The statements that the hydrology issues on the query objects, spelled once.
namespace SqlTORVEDA {
// "SELECT * FROM EQ_Tradicional WHERE Regiao = " + the region number in decimal.
QString EqTradicional(std::int32_t regiao);
inline const QString Rios = QStringLiteral("SELECT * FROM Rios WHERE CodRio = :CodEq_Conserv");
inline const QString EqConservacao =
    QStringLiteral("SELECT * FROM EQ_Conservacao WHERE codRio = :codRio");
inline const QString EstFluviometricas =
    QStringLiteral("SELECT * FROM EstFluviometricas WHERE CodEstFlu = :CodEstFlu");
}  // namespace SqlTORVEDA

// One load of the creation, for `torveda-cli verifica`.
class TApresentador;

struct TCargaDados {
  QString Nome;  // the file name
  bool Ok = false;
  QString Mensagem;  // the failure's text; empty on success
};

class TdmS {
 public:
  // The user messages of steps 3 and 4.
  static const QString ErroAqem;  // "Erro ao abrir o arquivo de outorgas - AQEM."
  static const QString ErroAna;   // "Erro ao abrir o arquivo de outorgas - ANA."
  // The base of the connection names; each module gets its own ("conTORVEDA", "conTORVEDA-2"...)
  // so that several modules (tests) can live side by side.
  static const QString NomeBaseConexao;

  // Only computes the paths; Cria() opens everything.
  explicit TdmS(const TCaminhos& caminhos);
  // The reference database of `origem` on a connection of its own, opened in the calling thread,
  // with its own four queries and no workbook: a Qt SQL connection and the query objects serve
  // one thread only, so a thread that computes sections beside others reads through one of these
  // (built and dropped in that thread). When `origem` has no open database, or the copy cannot
  // open it, every query throws saying why, as on the original. Shows nothing.
  static std::unique_ptr<TdmS> CopiaDaBase(const TdmS& origem);
  ~TdmS();
  TdmS(const TdmS&) = delete;
  TdmS& operator=(const TdmS&) = delete;

  // The creation sequence above. Shows its messages through the presenter and never throws.
  void Cria(TApresentador& apresentador);

  // The files (the workbooks as found: .xls, or the .xlsx fallback).
  const QString& ArquivoBase() const { return ArquivoBase_; }
  QString ArquivoOutorgasAqem() const;
  QString ArquivoOutorgasAna() const;

  // The reference database, read-write; invalid when it failed to open.
  QSqlDatabase conTORVEDA() const;
  const QString& NomeConexao() const { return NomeConexao_; }
  bool BaseAberta() const { return BaseAberta_; }
  // Why the database is not open (empty when it is).
  const QString& ErroBase() const { return ErroBase_; }

  // A new query on conTORVEDA, e.g. for lookups that must not disturb the shared objects.
  TConsulta NovaConsulta(const QString& tabela) const;

  TConsulta qryEQ_Tradicional;
  TConsulta qryEstFluviometricas;
  TConsulta qryEQ_Conservacao;
  TConsulta qryRios;

  // Each sets its query's statement and parameter, opens it and returns it (throws ETorveda).
  TConsulta& AbreEqTradicional(std::int32_t regiao);
  TConsulta& AbreRios(std::int32_t codEqConserv);
  TConsulta& AbreEqConservacao(std::int32_t codRio);
  TConsulta& AbreEstFluviometricas(std::int32_t codEstFlu);

  TLivroPlanilha conOutorgasAqem;
  TLivroPlanilha conOutorgasAna;

  TTabelaPlanilha tdbOutorgasAqemSuperficial;     // 'Outorgas Água Superficial$'
  TTabelaPlanilha tdbOutorgasAqemInsignificante;  // 'Certidões de Uso Insignificante$'
  TTabelaPlanilha tdbOutorgasAqemSubterranea;     // 'Outorgas Água Subterrânea$'
  TTabelaPlanilha tdbOutorgasAna;                 // 'Outorgas ANA$'

  // Read, for an import, every row of the workbook `arquivo` as it is now into the state tables
  // (or the federal one), after checking its sheets and headings. Throws ETorveda naming the
  // file, the sheet or the heading; the tables are left without rows then.
  void LeOutorgasAqem(const QString& arquivo);
  void LeOutorgasAna(const QString& arquivo);
  // Drop the rows an import read.
  void LiberaOutorgasAqem();
  void LiberaOutorgasAna();

  // The loads of the last Cria(), in order: database, state workbook, federal workbook.
  const std::vector<TCargaDados>& Cargas() const { return Cargas_; }

 private:
  bool AbreBase(TApresentador& apresentador);
  void DefineErroConsultas(const QString& erro);
  bool AbreLivro(TLivroPlanilha& livro, const QString& arquivoXls, TApresentador& apresentador);
  void AbreFolhasAqem(TApresentador& apresentador);
  void AbreFolhaAna(TApresentador& apresentador);
  void FechaTudo();

  TCaminhos Caminhos_;
  QString NomeConexao_;
  QString ArquivoBase_;
  QString ArquivoAqemXls_;
  QString ArquivoAnaXls_;
  bool BaseAberta_ = false;
  QString ErroBase_;
  std::vector<TCargaDados> Cargas_;
};
