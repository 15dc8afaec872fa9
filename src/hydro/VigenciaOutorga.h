#pragma once
// The months a grant adds to the upstream tables, read from its record by one set of rules: the
// state layers' single flow from the publication or issue date for "Validade" or 3 whole years,
// the federal monthly flows between its two dates; blank dates, a reversed validity and months
// outside the tables add nothing. The section's own upstream sum and the grants carried down the
// network both read their grants here, so that they can never count a grant differently.

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "hydro/TOutorgasConsideradas.h"

class TRegistros;
struct TVigenciaOutorga;

// The fields a layer's grants are read from, looked up once per layer: looking a name up for
// every record and month costs more than the rest of the sum. A missing field fails only when a
// record needs it.
class TCamposVigencia {
 public:
  TCamposVigencia(const TRegistros& r, TCamadaOutorga camada);
  TCamadaOutorga Camada() const { return Camada_; }

 private:
  struct TCampo {
    QString Nome;
    int Indice = -1;
    int Exige(const TRegistros& r) const;  // throws ETorveda naming the layer and field
  };
  friend TVigenciaOutorga LeVigencia(const TRegistros& r, const TCamposVigencia& campos);

  TCamadaOutorga Camada_;
  TCampo Inicio_;
  TCampo Fim_;
  TCampo Vazao_;
  TCampo Validade_;
  std::vector<TCampo> Meses_;  // federal: "Qjan" to "Qdez"
};

struct TVigenciaOutorga {
  // Why the grant adds no month (DataEmBranco, ValidadeInvertida, ForaDoPeriodo); empty when it
  // adds some.
  std::optional<TRegraOutorga> Falha;
  // The validity as read (invalid when blank, or not reached before a blank start).
  QDate Inicio;
  QDate Fim;
  std::array<double, 12> Vazao{};  // m^3/s by calendar month
  // Months added to the tables: from PrimeiroMes (year * 12 + month - 1), NumMeses of them.
  std::int32_t PrimeiroMes = 0;
  std::int32_t NumMeses = 0;
};

// The current record of r. Throws ETorveda when the layer lacks a field the record needs.
TVigenciaOutorga LeVigencia(const TRegistros& r, const TCamposVigencia& campos);
