#include "hydro/TOutorgasConsideradas.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

#include "base/Convencoes.h"
#include "base/Erro.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"

bool RegraConta(TRegraOutorga regra) {
  switch (regra) {
    case TRegraOutorga::Regiao3Paracatu:
    case TRegraOutorga::NoTrechoDaSecao:
    case TRegraOutorga::MontantePelaRede:
    case TRegraOutorga::NoSemSaida:
      return true;
    default:
      return false;
  }
}

bool PosicaoAMontante(TRegraOutorga regra) {
  switch (regra) {
    case TRegraOutorga::DataEmBranco:
    case TRegraOutorga::ValidadeInvertida:
    case TRegraOutorga::ForaDoPeriodo:
      return true;
    default:
      return RegraConta(regra);
  }
}

QString TOutorgaExaminada::Cadastro() const {
  return Camada == TCamadaOutorga::Federal ? QStringLiteral("ANA") : QStringLiteral("AQEM");
}

QString TOutorgaExaminada::NomeCamada() const {
  switch (Camada) {
    case TCamadaOutorga::Significante:
      return QStringLiteral("Out_Sup_Signif_AQEM");
    case TCamadaOutorga::Insignificante:
      return QStringLiteral("Out_Sup_Insignif_AQEM");
    case TCamadaOutorga::Federal:
      break;
  }
  return QStringLiteral("Out_Sup_ANA");
}

bool TOutorgaExaminada::VazaoUnica() const {
  return std::all_of(Vazao.begin(), Vazao.end(), [&](double v) { return v == Vazao[0]; });
}

QString TOutorgaExaminada::TextoVazao() const {
  const QLocale l;
  if (VazaoUnica()) return l.toString(Vazao[0], 'g', 6);
  const auto [menor, maior] = std::minmax_element(Vazao.begin(), Vazao.end());
  return l.toString(*menor, 'g', 6) + QStringLiteral("–") + l.toString(*maior, 'g', 6) +
         QStringLiteral(" (mensal)");
}

QString TOutorgaExaminada::TextoRegra(std::int32_t s, std::int32_t trechoSecao) const {
  switch (Regra) {
    case TRegraOutorga::Regiao3Paracatu:
      return QStringLiteral(
                 "seção no Rio Paracatu na região 3: a unidade %1, das regiões 1 e 2, fica a "
                 "montante")
          .arg(Unidade);
    case TRegraOutorga::NoTrechoDaSecao:
      return QStringLiteral("no trecho da seção (%1)").arg(trechoSecao);
    case TRegraOutorga::MontantePelaRede:
      return QStringLiteral("a montante pela rede: do trecho %1 desce ao trecho da seção (%2)")
          .arg(Trecho)
          .arg(trechoSecao);
    case TRegraOutorga::NoSemSaida:
      return QStringLiteral("a montante pela rede: a descida do trecho %1 para num nó sem saída")
          .arg(Trecho);
    case TRegraOutorga::OutraRegiao:
      return QStringLiteral("unidade %1 de outra região homogênea").arg(Unidade);
    case TRegraOutorga::Unidade312OutroRio:
      return QStringLiteral(
                 "seção na unidade 312 fora do Rio Paracatu: a unidade %1, das regiões 1 e 2, "
                 "não contribui")
          .arg(Unidade);
    case TRegraOutorga::SemRegiao:
      return QStringLiteral("a seção não está nas regiões homogêneas 1 a 3");
    case TRegraOutorga::Cabeceira:
      return QStringLiteral("seção na unidade de cabeceira %1: a unidade %2 não contribui")
          .arg(s)
          .arg(Unidade);
    case TRegraOutorga::UnidadeAJusante:
      return QStringLiteral("unidade %1 a jusante da unidade da seção (%2)").arg(Unidade).arg(s);
    case TRegraOutorga::JusantePelaRede:
      return QStringLiteral(
                 "a jusante pela rede: do trecho %1 a descida chega ao exutório sem passar pela "
                 "seção")
          .arg(Trecho);
    case TRegraOutorga::SemHidrografia:
      return QStringLiteral("o caminho de escoamento não chega à hidrografia mapeada");
    case TRegraOutorga::CicloNaRede:
      return QStringLiteral("a descida pelos trechos a partir do trecho %1 entra em ciclo")
          .arg(Trecho);
    case TRegraOutorga::SemLocalizacao:
      return QStringLiteral("registro sem localização");
    case TRegraOutorga::ForaDasUnidades:
      return QStringLiteral("fora das unidades de drenagem (Ad_Regioes)");
    case TRegraOutorga::DataEmBranco:
      return QStringLiteral("data de validade em branco");
    case TRegraOutorga::ValidadeInvertida:
      return QStringLiteral("a validade termina antes de começar");
    case TRegraOutorga::ForaDoPeriodo:
      return QStringLiteral("validade fora de %1–%2")
          .arg(Convencao::AnoInicial)
          .arg(Convencao::AnoFinal);
  }
  return {};
}

double TOutorgasConsideradas::SomaDoMes(bool federal, int mes, int ano) const {
  const std::int32_t k = ano * 12 + mes - 1;
  double soma = 0.0;
  for (const TOutorgaExaminada& o : Consideradas) {
    if ((o.Camada == TCamadaOutorga::Federal) != federal) continue;
    if (k >= o.PrimeiroMes && k < o.PrimeiroMes + o.NumMeses)
      soma += o.Vazao[static_cast<std::size_t>(mes - 1)];
  }
  return soma;
}

namespace {

QString LeCampo(const TFonteOutorgas& f, qint64 chave, int indice) {
  if (!f.Dados || chave < 0 || indice < 0) return {};
  if (f.Dados->Versao() != f.Versao) return QStringLiteral("(camada alterada após o cálculo)");
  try {
    TRegistros r(f.Dados, {chave});
    if (r.Fim()) return {};
    const QVariant v = r.Valor(indice);
    if (!v.isValid()) return {};
    // Document numbers are integers in the state layers, reals or texts in the federal one.
    if (v.typeId() == QMetaType::Double) {
      const double d = v.toDouble();
      if (std::trunc(d) == d && std::fabs(d) < 1e15) return QString::number(static_cast<qint64>(d));
    }
    return v.toString();
  } catch (const ETorveda&) {
    return {};
  }
}

}  // namespace

QString TOutorgasConsideradas::Requerente(const TOutorgaExaminada& o) const {
  if (!o.Requerente.isEmpty()) return o.Requerente;
  const TFonteOutorgas& f = Fontes[static_cast<std::size_t>(o.Camada)];
  return LeCampo(f, o.Chave, f.Requerente);
}

QString TOutorgasConsideradas::Documento(const TOutorgaExaminada& o) const {
  if (!o.Documento.isEmpty()) return o.Documento;
  const TFonteOutorgas& f = Fontes[static_cast<std::size_t>(o.Camada)];
  return LeCampo(f, o.Chave, f.Documento);
}
