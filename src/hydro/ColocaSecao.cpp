#include "hydro/ColocaSecao.h"

#include <QColor>
#include <QLocale>
#include <exception>

#include "base/Apresentador.h"
#include "base/Convencoes.h"
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

TResultadoSecao ConfirmaECria(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p,
                              bool digitada, TApresentador& apresentador,
                              const TInterfaceSecao& interface) {
  if (apresentador.Confirmacao(TextoConfirmacaoSecao(ponto, digitada)) != TResposta::Sim)
    return TResultadoSecao::NaoConfirmada;
  if (!digitada) Chama(interface.Confirmada);
  return CriaSecao(ponto, bacia, p, apresentador, interface);
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

TResultadoSecao CriaSecao(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p,
                          TApresentador& apresentador, const TInterfaceSecao& interface) {
  TCamada& camada = bacia.CamadaPonto;
  TRegistros r = camada.Registros();
  if (r.Conta() > 0 &&
      apresentador.Confirmacao(QStringLiteral(
          "Uma seção já foi definida. Deseja substituir a seção existente?")) != TResposta::Sim)
    return TResultadoSecao::NaoSubstituida;

  // The old point goes and the new one comes in one edit, written once: a failure never leaves
  // the layer empty or with two sections.
  for (r.Primeiro(); !r.Fim(); r.Proximo()) r.Apaga();
  r.AdicionaNovo();
  r.DefinePonto(p);
  r.Define(QStringLiteral("Codigo"), 1);
  r.Atualiza();
  r.FimEdicao();
  Chama(interface.Redesenha);

  const TRede rede = bacia.Rede();
  const bool sobreHidrografia =
      rede.HidroMapeada(rede.Malha().IndiceCelula(p)) != Convencao::SemDado;
  camada.Simbolo().SetCor(sobreHidrografia ? QColor(255, 255, 255) : QColor(255, 255, 0));
  camada.SetVisivel(true);
  Chama(interface.Redesenha);
  if (!sobreHidrografia) {
    apresentador.Informacao(QStringLiteral(
        "A seção escolhida está fora da hidrografia. Escolha uma seção sobre um curso d'água."));
    return TResultadoSecao::ForaDaHidrografia;
  }
  CalculaSecao(ponto, bacia, apresentador, interface);
  return TResultadoSecao::Calculada;
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

TResultadoSecao ColocaSecaoNoPonto(TPonto& ponto, const TBacia& bacia, const TPontoMapa& p,
                                   TApresentador& apresentador, const TInterfaceSecao& interface) {
  if (!DentroDaBacia(bacia.Limite, p)) {
    apresentador.Informacao(QStringLiteral("A seção de interesse está fora do limite da bacia."));
    return TResultadoSecao::ForaDaBacia;
  }
  IdentificaSecao(ponto, bacia, p);
  return ConfirmaECria(ponto, bacia, p, false, apresentador, interface);
}

TResultadoSecao ColocaSecaoDigitada(TPonto& ponto, const TBacia& bacia, const QString& latitude,
                                    const QString& longitude, TApresentador& apresentador,
                                    const TInterfaceSecao& interface) {
  const QString erroEntrada = QStringLiteral("Favor inserir os valores de Latitude e Longitude.");
  TPontoMapa m;
  try {
    if (!FormatoDDMMSS(latitude) || !FormatoDDMMSS(longitude)) throw ETorveda(erroEntrada);
    m = PontoDeDDMMSS(latitude, longitude);
    if (!DentroDaBacia(bacia.Limite, m)) {
      apresentador.Erro(
          QStringLiteral("Os valores de Latitude e Longitude estão fora do limite da bacia."));
      return TResultadoSecao::ForaDaBacia;
    }
    IdentificaSecao(ponto, bacia, m);
    if (apresentador.Confirmacao(TextoConfirmacaoSecao(ponto, true)) != TResposta::Sim)
      return TResultadoSecao::NaoConfirmada;
  } catch (const ECoordenadaGMS& e) {
    // Six digits that are no coordinate (16° 36' 99"): say which field and why.
    apresentador.Erro(e.mensagem());
    return TResultadoSecao::EntradaInvalida;
  } catch (const std::exception&) {
    apresentador.Erro(erroEntrada);
    return TResultadoSecao::EntradaInvalida;
  }
  return CriaSecao(ponto, bacia, m, apresentador, interface);
}
