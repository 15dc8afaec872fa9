// Sections computed side by side on one loaded sample basin give what they give one after the
// other: placement, the three regionalizations, the upstream grants, "Calcular" and the
// downstream check, each thread reading the database through a data module of its own. Built
// under ThreadSanitizer by scripts/testa-sanitizadores.sh, so that a shared read that is not
// safe shows even when the answers happen to agree.
#include <gtest/gtest.h>

#include <QStringList>
#include <atomic>
#include <memory>
#include <thread>

#include "base/ApresentadorMudo.h"
#include "comum/ExecutaGerado.h"
#include "comum/PastaTemporaria.h"
#include "data/TdmS.h"
#include "grants/AnaliseOutorga.h"
#include "grants/BalancoRede.h"
#include "grants/TTabelaMeses.h"
#include "grants/VerificacaoJusante.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/IdentificaSecao.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

namespace {

QString N(double v) { return QString::number(v, 'g', 17); }

QString Vazoes(const TVazoes& v) {
  return QStringList{N(v.Q710()), N(v.Q90()), N(v.Q95()), N(v.Qmld())}.join(QLatin1Char(' '));
}

// Everything a request's answer is made of, to the last bit.
QString Calcula(const TBacia& bacia, const TRedeBalanco& dados, const TPontoMapa& p, int i) {
  TPonto ponto;
  TApresentadorMudo mudo;
  if (!DentroDaBacia(bacia.Limite, p)) return QStringLiteral("fora");
  IdentificaSecao(ponto, bacia, p);
  QString t = QStringLiteral("%1 %2 %3 %4 %5 %6 ")
                  .arg(ponto.CodTrecho())
                  .arg(ponto.NomeRio(), ponto.Municipio(), ponto.Estado())
                  .arg(ponto.Regiao())
                  .arg(N(ponto.AreaDrenagem()));
  if (!ponto.SobreHidrografia()) return t + QStringLiteral("fora da hidrografia");
  CalculaSecao(ponto, bacia, mudo);
  t += Vazoes(ponto.VazoesTradicional()) + QLatin1Char('|') + Vazoes(ponto.VazoesProporcional()) +
       QLatin1Char('|') + Vazoes(ponto.VazoesConservacao());

  static const char* const metodos[] = {"Tradicional", "Proporc. de vazões", "Conserv. de massas"};
  static const char* const referencias[] = {"Q710", "Q90", "Q95", "Qmld"};
  const QDate inicio(2000 + i % 8, 1, 1), fim(2012 + i % 5, 12, 1);
  const QString vazao = QStringLiteral("0,0%1").arg(1 + i % 9);
  const TEntradasOutorga e{
      inicio, fim, vazao,
      TCriterioOutorga{QString::number(10 + 10 * (i % 9)), QString::fromLatin1(referencias[i % 4]),
                       QString::fromUtf8(metodos[i % 3])}};
  TTabelaMeses entrada;
  MontaGrade(entrada, inicio, fim, mudo);
  for (QDate d = inicio; d <= fim; d = d.addMonths(1))
    entrada.SetTexto(entrada.ColunaDoAno(d.year()), d.month(), vazao);
  const TResultadoOutorga r = CalculaOutorga(ponto, e, entrada, QString(), mudo);
  t += QStringLiteral(" criterio %1").arg(r.VazaoCriterio ? N(*r.VazaoCriterio) : QString());
  for (const TMesOutorga& m : r.Meses)
    t += QStringLiteral(" %1/%2 %3 %4 %5 %6")
             .arg(m.Mes)
             .arg(m.Ano)
             .arg(N(m.Estadual), N(m.Federal), m.Anterior, m.Posterior);
  if (!r.Completo()) return t + QStringLiteral(" incompleta");
  const TVerificacaoJusante j = VerificaJusante(bacia, bacia.Rede(), dados, ponto, r, mudo);
  return t + QLatin1Char(' ') + TextoJusante(j);
}

}  // namespace

TEST(Concorrencia, SecoesLadoALadoComoUmaAposAOutra) {
  TPastaTemporaria pasta;
  const QString dir = pasta.Caminho();
  ASSERT_EQ(ExecutaGerado(QStringLiteral(TORVEDA_CLI), {QStringLiteral("amostra"), dir}).Codigo, 0);
  for (const char* registro : {"aqem", "ana"})
    ASSERT_EQ(ExecutaGerado(QStringLiteral(TORVEDA_CLI),
                            {QStringLiteral("--dados"), dir, QStringLiteral("importa"),
                             QString::fromLatin1(registro)})
                  .Codigo,
              0);
  TSistema sistema(TCaminhos(dir, QStringLiteral("TORVEDA")));
  TApresentadorMudo mudo;
  sistema.CriaFormPrincipal(mudo);
  sistema.CriaDataModule(mudo);
  const TBacia bacia = BaciaDoSistema(sistema);
  const TRedeBalanco dados(bacia, bacia.Rede());

  // Arc ends all over the network, and a point beside each that mostly falls off the drainage.
  std::vector<TPontoMapa> pontos;
  const auto& fins = dados.Fins.Todos();
  for (std::size_t k = 0; k < fins.size(); k += std::max<std::size_t>(1, fins.size() / 16)) {
    pontos.push_back(fins[k].Centro);
    pontos.push_back({fins[k].Centro.X + 120.0, fins[k].Centro.Y - 80.0});
  }
  ASSERT_GE(pontos.size(), 24u);

  // Side by side first, so that every cache is first built while the threads race for it.
  std::vector<QString> lado(pontos.size());
  std::atomic<std::size_t> proximo{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t)
    threads.emplace_back([&] {
      const std::unique_ptr<TdmS> dmS = TdmS::CopiaDaBase(bacia.dmS);
      const TBacia minha{bacia.HeaderMDE,        bacia.ImgHidroMapeada,
                         bacia.ImgHidroSemEsp,   bacia.ImgDirEsc,
                         bacia.ImgFluxoAc,       bacia.Limite,
                         bacia.Hidrografia,      bacia.Estados,
                         bacia.Municipios,       bacia.RegMetTradicional,
                         bacia.AdRegioes,        bacia.CamadaPonto,
                         bacia.OutSupSignifAqem, bacia.OutSupInsignifAqem,
                         bacia.OutSupAna,        *dmS,
                         bacia.CacheArcos};
      for (std::size_t i; (i = proximo++) < pontos.size();)
        lado[i] = Calcula(minha, dados, pontos[i], static_cast<int>(i));
    });
  for (std::thread& t : threads) t.join();

  int completas = 0;
  for (std::size_t i = 0; i < pontos.size(); ++i) {
    const QString sequencial = Calcula(bacia, dados, pontos[i], static_cast<int>(i));
    EXPECT_EQ(lado[i].toStdString(), sequencial.toStdString()) << "ponto " << i;
    completas += sequencial.contains(QStringLiteral("Jusante:")) ? 1 : 0;
  }
  EXPECT_GE(completas, 8);  // most arc ends carry a complete analysis and its downstream check
}
