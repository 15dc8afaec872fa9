#include "hydro/ColocaSecao.h"

#include <QColor>
#include <QLocale>
#include <exception>
#include <optional>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "data/TdmS.h"
#include "gis/TCamada.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"
#include "hydro/TextoGMS.h"

namespace {

void Chama(const std::function<void()>& f) {
  if (f) f();
}

// Hides the progress bar however the computation ends.
class TOcultaAoSair {
 public:
  explicit TOcultaAoSair(const TInterfaceSecao& i) : I_(i) {}
  ~TOcultaAoSair() { Chama(I_.OcultaProgresso); }
  TOcultaAoSair(const TOcultaAoSair&) = delete;
  TOcultaAoSair& operator=(const TOcultaAoSair&) = delete;

 private:
  const TInterfaceSecao& I_;
};

const QString ForaDaHidrografia = QStringLiteral(
    "A seção escolhida está fora da hidrografia. Escolha uma seção sobre um curso d'água.");
const QString EntradaDigitadaInvalida =
    QStringLiteral("Favor inserir os valores de Latitude e Longitude.");

// Replaces the content of the "Ponto" layer by p ("Codigo" 1), asking first when a section is
// already there, and colours it by whether the placed section lies on the mapped drainage.
bool GravaCamadaPonto(const TBacia& bacia, const TPontoMapa& p, bool sobreHidrografia,
                      TApresentador& apresentador, const TInterfaceSecao& interface) {
  TCamada& camada = bacia.CamadaPonto;
  TRegistros r = camada.Registros();
  if (r.Conta() > 0 &&
      apresentador.Confirmacao(QStringLiteral(
          "Uma seção já foi definida. Deseja substituir a seção existente?")) != TResposta::Sim)
    return false;

  // The old point goes and the new one comes in one edit, written once: a failure never leaves
  // the layer empty or with two sections.
  for (r.Primeiro(); !r.Fim(); r.Proximo()) r.Apaga();
  r.AdicionaNovo();
  r.DefinePonto(p);
  r.Define(QStringLiteral("Codigo"), 1);
  r.Atualiza();
  r.FimEdicao();
  Chama(interface.Redesenha);

  camada.Simbolo().SetCor(sobreHidrografia ? QColor(255, 255, 255) : QColor(255, 255, 0));
  camada.SetVisivel(true);
  Chama(interface.Redesenha);
  return true;
}

// The basin test, the identification and the confirmation: what runs before anything is written.
std::optional<TResultadoSecao> Identifica(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p,
                                          TFormaPonto forma, TApresentador& apresentador,
                                          const TOpcoesColocacao& opcoes,
                                          const TInterfaceSecao& interface) {
  const bool digitada = forma == TFormaPonto::Digitada;
  if (!DentroDaBacia(bacia.Limite, p)) {
    if (digitada)
      apresentador.Erro(
          QStringLiteral("Os valores de Latitude e Longitude estão fora do limite da bacia."));
    else
      apresentador.Informacao(QStringLiteral("A seção de interesse está fora do limite da bacia."));
    return TResultadoSecao::ForaDaBacia;
  }
  IdentificaSecao(ponto, bacia, p);
  Chama(interface.Identificada);
  if (opcoes.Mostra &&
      apresentador.Confirmacao(TextoConfirmacaoSecao(ponto, digitada)) != TResposta::Sim)
    return TResultadoSecao::NaoConfirmada;
  return std::nullopt;
}

}  // namespace

bool DentroDaBacia(const TCamada& limite, const TPontoMapa& p) { return limite.ContemPonto(p); }

void LimpaCamadaPonto(TCamada& camadaPonto) {
  TRegistros r = camadaPonto.Registros();
  if (r.Conta() == 0) return;
  for (r.Primeiro(); !r.Fim(); r.Proximo()) r.Apaga();
  r.FimEdicao();
}

QString TextoConfirmacaoSecao(const TPonto& ponto, bool digitada) {
  const QString abertura =
      digitada ? QStringLiteral("Deseja criar a seção de outorga nessa localidade: \nRio: ")
               : QStringLiteral("Deseja criar a seção de outorga nesta localidade: \nRio: ");
  return abertura + ponto.NomeRio() + QStringLiteral("\nMunicípio: ") + ponto.Municipio() +
         QStringLiteral("\nEstado: ") + ponto.Estado() + QStringLiteral("\nÁrea de drenagem: ") +
         QLocale().toString(ponto.AreaDrenagem(), 'f', 2) + QStringLiteral(" km²?");
}

void CalculaSecao(TPonto& ponto, const TBacia& bacia, TApresentador& apresentador,
                  const TInterfaceSecao& interface) {
  const TRede rede = bacia.Rede();
  ponto.CalculaTradicional(bacia.dmS.qryEQ_Tradicional, apresentador);
  ponto.CalculaProporcional(bacia.dmS, rede, apresentador);
  ponto.CalculaConservacao(bacia.dmS.qryRios, bacia.dmS.qryEQ_Conservacao, rede, apresentador);
  Chama(interface.MostraProgresso);
  TOcultaAoSair oculta(interface);
  ponto.CalculaOutorgas(bacia.OutSupSignifAqem, bacia.OutSupInsignifAqem, bacia.OutSupAna,
                        bacia.AdRegioes, rede);
}

TResultadoSecao ColocaSecao(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p,
                            TFormaPonto forma, TApresentador& apresentador,
                            const TOpcoesColocacao& opcoes, const TInterfaceSecao& interface) {
  std::optional<TResultadoSecao> parada;
  if (forma == TFormaPonto::Digitada) {
    // Typed coordinates: whatever fails before the layer is touched was taken for a typing
    // mistake.
    try {
      parada = Identifica(ponto, bacia, p, forma, apresentador, opcoes, interface);
    } catch (const std::exception&) {
      apresentador.Erro(EntradaDigitadaInvalida);
      return TResultadoSecao::EntradaInvalida;
    }
  } else {
    parada = Identifica(ponto, bacia, p, forma, apresentador, opcoes, interface);
  }
  if (parada) return *parada;

  // The placed section decides, as every later step reads it: a cell whose arc code truncates to
  // 0 or -9999 is no river, so nothing may be computed there.
  const bool sobreHidrografia = ponto.SobreHidrografia();
  if (opcoes.Mostra) {
    if (forma == TFormaPonto::Mapa) Chama(interface.Confirmada);
    if (!GravaCamadaPonto(bacia, p, sobreHidrografia, apresentador, interface))
      return TResultadoSecao::NaoSubstituida;
  }
  if (!sobreHidrografia) {
    apresentador.Informacao(ForaDaHidrografia);
    return TResultadoSecao::ForaDaHidrografia;
  }
  if (opcoes.Regionalizacoes) {
    CalculaSecao(ponto, bacia, apresentador, interface);
  } else {
    ponto.CalculaOutorgas(bacia.OutSupSignifAqem, bacia.OutSupInsignifAqem, bacia.OutSupAna,
                          bacia.AdRegioes, bacia.Rede());
  }
  return TResultadoSecao::Calculada;
}

TResultadoSecao ColocaSecaoDigitada(TPonto& ponto, const TBacia& bacia, const QString& latitude,
                                    const QString& longitude, TApresentador& apresentador,
                                    const TOpcoesColocacao& opcoes,
                                    const TInterfaceSecao& interface) {
  TPontoMapa m;
  try {
    if (!FormatoDDMMSS(latitude) || !FormatoDDMMSS(longitude))
      throw ETorveda(EntradaDigitadaInvalida);
    m = PontoDeDDMMSS(latitude, longitude);
  } catch (const ECoordenadaGMS& e) {
    // Six digits that are no coordinate (16° 36' 99"): say which field and why.
    apresentador.Erro(e.mensagem());
    return TResultadoSecao::EntradaInvalida;
  } catch (const std::exception&) {
    apresentador.Erro(EntradaDigitadaInvalida);
    return TResultadoSecao::EntradaInvalida;
  }
  return ColocaSecao(ponto, bacia, m, TFormaPonto::Digitada, apresentador, opcoes, interface);
}
