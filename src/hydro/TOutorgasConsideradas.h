#pragma once
// The grants the upstream sum examined: those it counted, with the months it added them to and
// the rule that counted them, and those it left out, with the reason. Filled by the same walk
// over the grant layers that fills the monthly tables, so the list and the tables always agree:
// the tables are, month by month, the sum of the counted grants.

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "gis/TGeometria.h"

class TDadosShape;

// Why a grant counts or not. The drainage-unit rules first, then the network.
enum class TRegraOutorga : std::uint8_t {
  // Counted.
  Regiao3Paracatu,   // section on the Rio Paracatu in region 3: units of regions 1 and 2 count
  NoTrechoDaSecao,   // its water reaches the mapped drainage on the section's own arc
  MontantePelaRede,  // the walk down the arcs from where its water arrives meets the section
  NoSemSaida,        // the walk down the arcs stops at a node no arc leaves
  // Left out by the position.
  OutraRegiao,         // a unit of another homogeneous region (rules 1 to 3)
  Unidade312OutroRio,  // section in unit 312 off the Rio Paracatu: regions 1 and 2 do not count
  SemRegiao,           // the section lies in no homogeneous region 1 to 3
  Cabeceira,           // section in a headwater unit: other units lie outside its basin
  UnidadeAJusante,     // the unit is listed below the section's unit
  JusantePelaRede,     // the walk down the arcs reaches the outlet without meeting the section
  SemHidrografia,      // its flow path ends before reaching the mapped drainage
  CicloNaRede,         // the walk down the arcs goes round a loop
  // Left out before or after the position.
  SemLocalizacao,     // the record has no point
  ForaDasUnidades,    // the point lies in no drainage unit (Ad_Regioes)
  DataEmBranco,       // a validity date is blank
  ValidadeInvertida,  // the validity ends in a month before it starts
  ForaDoPeriodo,      // every month of the validity lies outside 1980–2100
};

// True for the rules that count a grant.
bool RegraConta(TRegraOutorga regra);
// True when the grant's position lies upstream of the section by the region rules and the
// network, whether or not its dates then let it count (those are looked at only afterwards).
bool PosicaoAMontante(TRegraOutorga regra);

enum class TCamadaOutorga : std::uint8_t { Significante, Insignificante, Federal };

struct TOutorgaExaminada {
  TCamadaOutorga Camada = TCamadaOutorga::Significante;
  TRegraOutorga Regra = TRegraOutorga::SemLocalizacao;
  std::int32_t Registro = 0;  // 1-based number of the record in its layer
  std::int32_t Unidade = 0;   // "ID" of the drainage unit holding the point (0: none)
  std::int32_t Trecho = 0;    // arc its water reaches (network rules; 0: not walked)
  qint64 Chave = -1;          // the record in its layer's dataset (-1: none)
  // The grant's point in the basin's projected system; meaningful only with TemPonto.
  TPontoMapa Ponto;
  bool TemPonto = false;
  // Holder and portaria or certidão number. The walk leaves them empty and the list reads them
  // from the layer when shown (see TOutorgasConsideradas::Requerente); a list made by hand sets
  // them here.
  QString Requerente;
  QString Documento;
  // Flow of each calendar month, m³/s (state grants: the same in every month).
  std::array<double, 12> Vazao{};
  QDate Inicio;  // validity (invalid when blank or not read)
  QDate Fim;
  // Months added to the tables: from PrimeiroMes (year * 12 + month - 1), NumMeses of them.
  std::int32_t PrimeiroMes = 0;
  std::int32_t NumMeses = 0;

  // "AQEM" or "ANA".
  QString Cadastro() const;
  // The layer's name.
  QString NomeCamada() const;
  // True when all twelve months carry the same flow.
  bool VazaoUnica() const;
  // "0,5" or, for monthly flows, "0,1–0,3 (mensal)".
  QString TextoVazao() const;
  // "m³/s": the layers read here hold their flows in m³/s.
  static QString UnidadeVazao() { return QStringLiteral("m³/s"); }
  // The rule or reason in words, naming the units and arcs involved.
  QString TextoRegra(std::int32_t unidadeSecao, std::int32_t trechoSecao) const;
};

// Where the holder and document number of a layer's grants are read from: the dataset and the
// fields, and the dataset's version when the list was made. Reading twenty thousand names during
// the walk would cost more than the walk itself; they are read only for the rows shown.
struct TFonteOutorgas {
  std::shared_ptr<TDadosShape> Dados;
  quint64 Versao = 0;
  int Requerente = -1;
  int Documento = -1;
};

struct TOutorgasConsideradas {
  std::vector<TOutorgaExaminada> Consideradas;
  std::vector<TOutorgaExaminada> Descartadas;
  // Per TCamadaOutorga.
  std::array<TFonteOutorgas, 3> Fontes;

  // The holder and the document number of a grant: as set in the entry, or read from its layer.
  // A layer changed since the list was made (a new import) no longer answers for it: the text
  // says so instead of naming another grant.
  QString Requerente(const TOutorgaExaminada& o) const;
  QString Documento(const TOutorgaExaminada& o) const;
  // The section's unit and arc, for the rule texts.
  std::int32_t UnidadeSecao = 0;
  std::int32_t TrechoSecao = 0;

  // The lists keep their room: a section placed again and again (the batch places one per
  // request on each thread) then fills them without asking the allocator for megabytes each time,
  // which costs page faults and, with several threads, stalls every core to drop the freed pages.
  void Limpa() {
    Consideradas.clear();
    Descartadas.clear();
    Fontes = {};
    UnidadeSecao = 0;
    TrechoSecao = 0;
  }
  // The flow the counted grants of one register add to a calendar month (federal or state).
  double SomaDoMes(bool federal, int mes, int ano) const;
};
