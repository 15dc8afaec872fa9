#pragma once
// Grant requests answered in bulk: each request is placed and analysed as the location and grant
// windows would do it, answering Yes to every question, but nothing is written to the "Ponto"
// layer or to the picture folder, and a request that cannot be answered stops only itself.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <optional>

#include "gis/TGeometria.h"
#include "grants/AnaliseOutorga.h"
#include "grants/VerificacaoJusante.h"

class TPonto;
struct TBacia;
struct TRespostaLote;

// The input headings, in the template's order. Headings are matched without regard to case,
// accents, blanks or underscores ("Vazão", "vazao" and "VAZAO" are one column).
const QStringList& ColunasPedidoLote();
// The twelve monthly request columns ("Vazao_Jan" ... "Vazao_Dez") within ColunasPedidoLote().
const QStringList& ColunasVazaoMensal();
// One example request, in the order of ColunasPedidoLote(): numbers as numbers, so that a
// spreadsheet shows them as such.
QList<QVariant> ExemploPedidoLote();

// One request as read from its row.
struct TPedidoLote {
  QString Identificador;
  TPontoMapa Ponto;  // projected metres
  TEntradasOutorga Entradas;
  // The requested flow of each calendar month (1..12 at 0..11), as the input grid would hold it.
  std::array<QString, 12> VazaoMensal;
};

// Maps the headings of an input table onto the request's fields once, then reads rows.
class TLeitorPedidos {
 public:
  // Throws ETorveda naming what is missing when the headings cannot describe a request.
  explicit TLeitorPedidos(const QStringList& colunas);

  // Reads one row. On failure answers nothing and sets erro to a message naming the column.
  // Latitude and longitude (DDMMSS, south and west positive) are converted to projected
  // coordinates.
  std::optional<TPedidoLote> Le(const QStringList& celulas, QString& erro) const;
  // The identifier cell of a row, even when the rest cannot be read.
  QString Identificador(const QStringList& celulas) const;
  // The answer to a row Le() could not read: its identifier, the message, and the period,
  // criterion and method as the row wrote them.
  TRespostaLote RespostaNaoLida(const QStringList& celulas, const QString& erro) const;

 private:
  int Indice(const QString& coluna) const;  // -1 when the table lacks it
  QString Celula(const QStringList& celulas, const QString& coluna) const;
  QStringList Colunas_;
  std::vector<int> Indices_;  // per ColunasPedidoLote() entry
};

// The answer to one request.
struct TRespostaLote {
  QString Identificador;
  bool Ok = false;
  QString Situacao;  // "ok", or the message that stopped the request
  // The request's period ("MM/AAAA"), percentage, reference flow and method, so that an answer
  // reads on its own: as understood when the row was read, else as the row wrote them.
  QString Inicio, Fim;
  QVariant Percentual;  // an int once read
  QString Referencia, Metodo;
  // Filled as far as the request got.
  bool Colocada = false;
  QString Rio, Municipio, Estado;
  int Regiao = 0;
  double X = 0.0, Y = 0.0, Latitude = 0.0, Longitude = 0.0;
  double AreaDrenagem = 0.0;
  std::optional<std::array<double, 4>> Vazoes;  // Q710, Q90, Q95, Qmld of the chosen method
  std::optional<double> VazaoCriterio;
  // How often the criterion holds after the grant, and the months of each colour class.
  std::optional<TFrequenciaCriterio> Frequencia;
  std::array<int, 4> MesesPorClasse{};  // by TClasseCor
  // The check of the arcs below the section, when the batch asked for it and the analysis ended.
  std::optional<TVerificacaoJusante> Jusante;
};

// The output headings, in order, and one answer as a row of cells (numbers as doubles, blank as
// an invalid value). The downstream columns come last, only when the batch checks downstream.
QStringList ColunasRespostaLote(bool jusante = false);
QList<QVariant> LinhaRespostaLote(const TRespostaLote& r, bool jusante = false);

// Places and analyses one request. Messages shown on the way go to a silent presenter of the
// request's own (never to the caller's); the first error among them (or the notice that stopped
// the placement) becomes the status. With the
// network data, a complete analysis is followed by the downstream check.
TRespostaLote AnalisaPedido(TPonto& ponto, const TBacia& bacia, const TPedidoLote& pedido,
                            const TRedeBalanco* rede = nullptr);
