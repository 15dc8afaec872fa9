#pragma once
// Where each estimated flow came from: the equation rows evaluated and the drainage area they
// were evaluated at, the gauging stations and the confluence of a transfer, and, for a flow that
// could not be estimated, one line saying why. A grant decision is defended in writing, so every
// number the windows, the report and the CLI show can be traced back to its sources here.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The four reference flows in the order the records hold them.
inline constexpr std::size_t NumVazoesReferencia = 4;
// "Q7,10", "Q90", "Q95", "Qmld": how the windows name each flow.
const std::array<QString, NumVazoesReferencia>& NomesVazoesReferencia();
// "Q710", "Q90", "Q95", "Qmld": the keys of the flow records in the CLI's JSON.
const std::array<QString, NumVazoesReferencia>& ChavesVazoesReferencia();

// The drainage-area range of an equation (table Restricoes). A bound left blank does not limit.
struct TIntervaloValidade {
  std::int32_t Codigo = 0;  // codRestricao
  std::optional<double> MenorAd;
  std::optional<double> MaiorAd;

  // Both ends belong to the range.
  bool Contem(double ad) const;
  // "12–4.500 km²", with the regional separators.
  QString Texto() const;
};

// The warning shown beside a flow whose equation was evaluated outside its range.
QString AvisoForaDoIntervalo(const TIntervaloValidade& intervalo);

// One equation row evaluated at one drainage area.
struct TEquacaoUsada {
  QString Tabela;           // "EQ_Tradicional" or "EQ_Conservacao"
  std::int32_t Chave = 0;   // codEQQuintaro or codEQPelmar
  std::int32_t Regiao = 0;  // traditional: the region the rows were selected by
  std::int32_t CodRio = 0;  // mass conservation: the river the rows were selected by
  std::size_t Vazao = 0;    // which of the four flows (index into the records)
  QString Modelo;
  double B0 = 0.0;
  double BAd = 0.0;
  double AreaAvaliada = 0.0;  // km²
  double Resultado = 0.0;     // m³/s, as the model gave it
  QString Papel;  // what the area is: "seção", "acima da confluência", "abaixo da confluência"
  std::optional<std::int32_t> CodRestricao;     // blank in the row: no range
  std::optional<TIntervaloValidade> Intervalo;  // the Restricoes row, when there is one

  bool ForaDoIntervalo() const { return Intervalo && !Intervalo->Contem(AreaAvaliada); }
  // "EQ_Tradicional 12 (região 1, Pot): B0 = 0,5; BAd = 0,8; Ad = 100 km² → 19,905 m³/s"
  QString Descricao() const;
};

// A gauging station a proportional estimate rests on.
struct TEstacaoUsada {
  QString Papel;  // "montante", "jusante" or "afluente"
  std::int32_t Codigo = 0;
  bool Encontrada = false;  // exactly one row in EstFluviometricas
  double Ad = 0.0;
  std::array<double, NumVazoesReferencia> Q{};
  QString Descricao() const;
};

// The confluence a transfer is made at: the joining arc, the receiving arc and the areas read
// on the grids (the cell areas are those of the segment ends; a cell not found has none).
struct TConfluenciaUsada {
  std::int32_t TrechoAfluente = 0;
  std::int32_t TrechoReceptor = 0;
  std::optional<double> AdAbaixo;    // receiving river just below the confluence
  std::optional<double> AdAfluente;  // joining river just above it (mass conservation)
  std::optional<double> AdAcima;     // receiving river just above it (mass conservation)
  QString Descricao() const;
};

// The origin of one method's four flows.
struct TOrigemMetodo {
  QString Resumo;  // one line: how the method went for this section
  std::vector<TEquacaoUsada> Equacoes;
  std::vector<TEstacaoUsada> Estacoes;
  std::optional<TConfluenciaUsada> Confluencia;
  // Per flow: why it has no value (empty when estimated), and its warnings.
  std::array<QString, NumVazoesReferencia> Motivos;
  std::array<QStringList, NumVazoesReferencia> Avisos;

  void Limpa() { *this = TOrigemMetodo(); }
  // Every flow without a value gets the same reason (a method that failed as a whole).
  void MotivoGeral(const QString& motivo) { Motivos.fill(motivo); }
  // The range warnings of the equations evaluated for flow i, once each.
  void MarcaIntervalos();
  // The equations evaluated for flow i.
  std::vector<const TEquacaoUsada*> EquacoesDaVazao(std::size_t i) const;
  // Everything about flow i in plain lines: the method's summary, stations, confluence, the
  // equations of the flow, the reason and the warnings.
  QStringList Linhas(std::size_t i) const;
  // The warnings and reasons of all four flows, each line starting with the flow's name.
  QStringList AvisosDoMetodo() const;
};
