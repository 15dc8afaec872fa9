#include "grants/OutorgasDaSecao.h"

#include "base/Convencoes.h"
#include "gis/TCamada.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"

std::vector<unsigned long long> VersoesCamadasOutorgas(const TBacia& bacia) {
  return {bacia.OutSupSignifAqem.Versao(), bacia.OutSupInsignifAqem.Versao(),
          bacia.OutSupAna.Versao()};
}

namespace {

class TOcultaAoSair {
 public:
  explicit TOcultaAoSair(const TInterfaceSecao& i) : I_(i) {}
  ~TOcultaAoSair() {
    if (I_.OcultaProgresso) I_.OcultaProgresso();
  }
  TOcultaAoSair(const TOcultaAoSair&) = delete;
  TOcultaAoSair& operator=(const TOcultaAoSair&) = delete;

 private:
  const TInterfaceSecao& I_;
};

}  // namespace

void RecalculaOutorgas(TPonto& ponto, const TBacia& bacia, const TInterfaceSecao& interface) {
  if (!ponto.SobreHidrografia()) return;
  for (int ano = Convencao::AnoInicial; ano <= Convencao::AnoFinal; ++ano) {
    for (int mes = 1; mes <= 12; ++mes) {
      ponto.SetOutorgadaEstadual(mes, ano, 0.0);
      ponto.SetOutorgadaFederal(mes, ano, 0.0);
    }
  }
  if (interface.MostraProgresso) interface.MostraProgresso();
  TOcultaAoSair oculta(interface);
  ponto.CalculaOutorgas(bacia.OutSupSignifAqem, bacia.OutSupInsignifAqem, bacia.OutSupAna,
                        bacia.AdRegioes, bacia.Rede());
}
