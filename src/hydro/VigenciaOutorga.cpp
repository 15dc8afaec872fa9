#include "hydro/VigenciaOutorga.h"

#include <algorithm>

#include "base/Convencoes.h"
#include "base/Erro.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "hydro/Calendario.h"

namespace {

const std::array<const char*, 12> ColunasMes{"Qjan", "Qfev", "Qmar", "Qabr", "Qmai", "Qjun",
                                             "Qjul", "Qago", "Qset", "Qout", "Qnov", "Qdez"};

// Years added to a date, kept within what the calendar can hold: any validity beyond ten
// thousand years reaches past the tables' last year all the same.
int AnosLimitados(qint64 anos) { return static_cast<int>(std::clamp<qint64>(anos, -10000, 10000)); }

}  // namespace

int TCamposVigencia::TCampo::Exige(const TRegistros& r) const {
  if (Indice < 0)
    throw ETorveda(QStringLiteral("Campo inexistente em %1: %2").arg(r.Dados()->Nome(), Nome));
  return Indice;
}

TCamposVigencia::TCamposVigencia(const TRegistros& r, TCamadaOutorga camada) : Camada_(camada) {
  auto campo = [&r](const QString& nome) { return TCampo{nome, r.IndiceCampo(nome)}; };
  const bool federal = camada == TCamadaOutorga::Federal;
  Inicio_ = campo(federal                                  ? QStringLiteral("DataPub01")
                  : camada == TCamadaOutorga::Significante ? QStringLiteral("Datapublic")
                                                           : QStringLiteral("Dataexpedi"));
  Fim_ = campo(QStringLiteral("DataVenc01"));
  Vazao_ = campo(QStringLiteral("Vazao"));
  Validade_ = campo(QStringLiteral("Validade"));
  if (federal)
    for (const char* coluna : ColunasMes) Meses_.push_back(campo(QString::fromLatin1(coluna)));
}

TVigenciaOutorga LeVigencia(const TRegistros& r, const TCamposVigencia& campos) {
  TVigenciaOutorga v;
  qint32 inicio = 0;
  qint32 fim = 0;
  if (campos.Camada_ == TCamadaOutorga::Federal) {
    inicio = r.Data(campos.Inicio_.Exige(r));
    fim = r.Data(campos.Fim_.Exige(r));
    for (std::size_t m = 0; m < 12; ++m) v.Vazao[m] = r.Real(campos.Meses_[m].Exige(r));
    v.Inicio = TRegistros::DataDe(inicio);
    v.Fim = TRegistros::DataDe(fim);
    if (inicio == 0 || fim == 0) {
      v.Falha = TRegraOutorga::DataEmBranco;
      return v;
    }
  } else {
    inicio = r.Data(campos.Inicio_.Exige(r));
    v.Vazao.fill(r.Real(campos.Vazao_.Exige(r)));
    if (inicio == 0) {
      v.Falha = TRegraOutorga::DataEmBranco;
      return v;
    }
    const qint64 anos =
        campos.Camada_ == TCamadaOutorga::Significante ? r.Inteiro(campos.Validade_.Exige(r)) : 3;
    fim = TRegistros::DiasDe(Calendario::IncAno(TRegistros::DataDe(inicio), AnosLimitados(anos)));
    v.Inicio = TRegistros::DataDe(inicio);
    v.Fim = TRegistros::DataDe(fim);
    if (fim == 0) {
      v.Falha = TRegraOutorga::DataEmBranco;
      return v;
    }
  }

  const QDate d0 = TRegistros::DataDe(inicio);
  const std::int32_t meses = ContaMeses(d0, TRegistros::DataDe(fim));
  if (meses <= 0) {
    v.Falha = TRegraOutorga::ValidadeInvertida;
    return v;
  }
  // Month k of the validity is the calendar month k after the start's month; only the months the
  // tables hold count, so a validity of centuries costs no more than the tables.
  const qint64 base = qint64{d0.year()} * 12 + (d0.month() - 1);
  const qint64 primeiro = std::max<qint64>(0, qint64{Convencao::AnoInicial} * 12 - base);
  const qint64 ultimo = std::min<qint64>(meses - 1, qint64{Convencao::AnoFinal} * 12 + 11 - base);
  if (primeiro > ultimo) {
    v.Falha = TRegraOutorga::ForaDoPeriodo;
    return v;
  }
  v.PrimeiroMes = static_cast<std::int32_t>(base + primeiro);
  v.NumMeses = static_cast<std::int32_t>(ultimo - primeiro + 1);
  return v;
}
