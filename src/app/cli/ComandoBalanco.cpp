// torveda-cli balanco: the balance of every reach of the network, exported.
//
//   balanco --inicio MM/AAAA --fim MM/AAAA --percentual P --referencia Q710|Q90|Q95|Qmld
//           --metodo "Tradicional"|"Proporc. de vazões"|"Conserv. de massas"
//           --saida ARQ.gpkg|ARQ.csv
//
// For every arc, at its downstream end, month by month: the allowable flow of the criterion, the
// state and federal flows granted upstream, the availability and its colour class, each the
// figure `analise` gives at that cell with a request of 0. The GeoPackage holds the arcs' lines,
// one feature per arc and month; the CSV the columns
// Trecho;X;Y;Mes;VazaoCriterio;OutorgadaEstadual;OutorgadaFederal;Disponivel;Classe, X/Y the
// centre of the arc's end cell and Mes "AAAA-MM". Prints JSON: the period, the criterion, the
// arcs written, the arcs left out (no cell on the grid, an end outside the basin) and the file.
//
// Exit codes: 0 written; 1 the data tree did not load, the criterion could not be used or the
// file could not be written; 2 bad arguments.

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <optional>
#include <unordered_map>

#include "app/cli/Cli.h"
#include "base/Convencoes.h"
#include "base/Erro.h"
#include "data/ArquivoTabela.h"
#include "gis/GravaFeicoes.h"
#include "gis/TCamada.h"
#include "grants/BalancoRede.h"
#include "grants/FiltroTecla.h"
#include "hydro/BaciaDoSistema.h"
#include "sistema/TSistema.h"

namespace {

struct TArgumentos {
  QDate Inicio, Fim;
  TCriterioOutorga Criterio;
  QString Saida;
};

// "MM/AAAA" -> the first day of that month, 1980 to 2100.
std::optional<QDate> Mes(const QString& texto) {
  QDate d = QDate::fromString(QStringLiteral("01/") + texto, QStringLiteral("dd/MM/yyyy"));
  if (!d.isValid())
    d = QDate::fromString(QStringLiteral("01/") + texto, QStringLiteral("dd/M/yyyy"));
  if (!d.isValid() || d.year() < Convencao::AnoInicial || d.year() > Convencao::AnoFinal)
    return std::nullopt;
  return d;
}

QString LeArgumentos(const QStringList& args, TArgumentos& a) {
  std::optional<QDate> inicio, fim;
  for (int i = 0; i < args.size(); ++i) {
    const QString& op = args[i];
    if (i + 1 >= args.size()) return QStringLiteral("Falta o valor de ") + op + QLatin1Char('.');
    const QString v = args[++i];
    if (op == QStringLiteral("--inicio")) {
      if (!(inicio = Mes(v))) return QStringLiteral("Início inválido (MM/AAAA, 1980 a 2100).");
    } else if (op == QStringLiteral("--fim")) {
      if (!(fim = Mes(v))) return QStringLiteral("Fim inválido (MM/AAAA, 1980 a 2100).");
    } else if (op == QStringLiteral("--percentual")) {
      if (v.isEmpty() || !TextoDigitavel(v, QLocale().decimalPoint().at(0)))
        return QStringLiteral("O percentual aceita apenas algarismos.");
      a.Criterio.Percentual = v;
    } else if (op == QStringLiteral("--referencia")) {
      a.Criterio.Referencia = v;
    } else if (op == QStringLiteral("--metodo")) {
      a.Criterio.Metodo = v;
    } else if (op == QStringLiteral("--saida")) {
      a.Saida = v;
    } else {
      return QStringLiteral("Opção desconhecida: ") + op;
    }
  }
  if (!inicio || !fim) return QStringLiteral("Informe --inicio e --fim (MM/AAAA).");
  if (a.Criterio.Percentual.isEmpty() || a.Criterio.Referencia.isEmpty() ||
      a.Criterio.Metodo.isEmpty())
    return QStringLiteral("Informe --percentual, --referencia e --metodo.");
  const QString ext = QFileInfo(a.Saida).suffix().toLower();
  if (ext != QStringLiteral("gpkg") && ext != QStringLiteral("csv"))
    return QStringLiteral("Informe --saida ARQ.gpkg ou ARQ.csv.");
  a.Inicio = *inicio;
  a.Fim = *fim;
  return {};
}

QString TextoMes(const TMesBalanco& m) {
  return QStringLiteral("%1-%2").arg(m.Ano).arg(m.Mes, 2, 10, QLatin1Char('0'));
}

// The values of one arc and month, in the order of the CSV's columns after Trecho, X, Y.
QList<QVariant> Valores(const TTrechoBalanco& t, const TMesBalanco& m) {
  QList<QVariant> l{TextoMes(m), t.VazaoCriterio, m.Estadual, m.Federal};
  if (m.Disponivel)
    l << m.Disponivel->Valor << NomeDaClasse(m.Disponivel->Classe);
  else
    l << QVariant() << QVariant();
  return l;
}

const QStringList& ColunasBalanco() {
  static const QStringList colunas{QStringLiteral("Trecho"),
                                   QStringLiteral("X"),
                                   QStringLiteral("Y"),
                                   QStringLiteral("Mes"),
                                   QStringLiteral("VazaoCriterio"),
                                   QStringLiteral("OutorgadaEstadual"),
                                   QStringLiteral("OutorgadaFederal"),
                                   QStringLiteral("Disponivel"),
                                   QStringLiteral("Classe")};
  return colunas;
}

void GravaCsv(const TBalanco& b, const QString& arquivo) {
  TEscritorTabela saida(arquivo, ColunasBalanco());
  for (const TTrechoBalanco& t : b.Trechos)
    for (const TMesBalanco& m : t.Meses)
      saida.Escreve(QList<QVariant>{t.Fim.Trecho, t.Fim.Centro.X, t.Fim.Centro.Y} + Valores(t, m));
  saida.Conclui();
}

void GravaGeoPackage(const TBalanco& b, const TCamada& hidrografia, const QString& arquivo) {
  // The line of each arc: its first record, as every lookup of the arc table takes it.
  std::unordered_map<std::int32_t, TForma> linhas;
  TRegistros r = hidrografia.Registros();
  for (r.Primeiro(); !r.Fim(); r.Proximo())
    linhas.try_emplace(static_cast<std::int32_t>(r.Inteiro(QStringLiteral("Ho_"))), r.Forma());
  std::vector<TCampoSaida> campos;
  using T = TCampoSaida::TTipo;
  const T tipos[] = {T::Inteiro, T::Real, T::Real, T::Texto, T::Real,
                     T::Real,    T::Real, T::Real, T::Texto};
  for (int i = 0; i < ColunasBalanco().size(); ++i)
    campos.push_back({ColunasBalanco()[i], tipos[i]});
  campos.push_back({QStringLiteral("Rio"), T::Texto});
  TGravadorFeicoes saida(arquivo, campos);
  for (const TTrechoBalanco& t : b.Trechos) {
    const TForma& linha = linhas[t.Fim.Trecho];
    for (const TMesBalanco& m : t.Meses) {
      std::vector<QVariant> v{t.Fim.Trecho, t.Fim.Centro.X, t.Fim.Centro.Y};
      for (const QVariant& x : Valores(t, m)) v.push_back(x);
      v.push_back(t.Rio);
      saida.Grava(linha, v);
    }
  }
  saida.Conclui();
}

QJsonArray Lista(const std::vector<std::int32_t>& trechos) {
  QJsonArray a;
  for (std::int32_t t : trechos) a.append(t);
  return a;
}

int Balanco(const TComandoCli& comando, TContextoCli& ctx) {
  TArgumentos a;
  if (const QString erro = LeArgumentos(ctx.Args, a); !erro.isEmpty())
    return ErroDeUso(comando, erro);

  auto sistema = IniciaSistemaParaCalculo(ctx);
  if (!sistema) return 1;
  ctx.Apresentador.Limpa();
  const TBacia bacia = BaciaDoSistema(*sistema);
  const TRede rede = bacia.Rede();
  const TRedeBalanco dados(bacia, rede);
  const std::optional<TBalanco> b =
      CalculaBalanco(bacia, rede, dados, a.Inicio, a.Fim, a.Criterio, ctx.Apresentador);
  if (!b) return 1;
  if (QFileInfo(a.Saida).suffix().toLower() == QStringLiteral("csv"))
    GravaCsv(*b, a.Saida);
  else
    GravaGeoPackage(*b, bacia.Hidrografia, a.Saida);
  ImprimeJson(
      {{QStringLiteral("Inicio"), a.Inicio.toString(QStringLiteral("yyyy-MM"))},
       {QStringLiteral("Fim"), a.Fim.toString(QStringLiteral("yyyy-MM"))},
       {QStringLiteral("Percentual"), a.Criterio.Percentual},
       {QStringLiteral("Referencia"), a.Criterio.Referencia},
       {QStringLiteral("Metodo"), a.Criterio.Metodo},
       {QStringLiteral("Trechos"), static_cast<qint64>(b->Trechos.size())},
       {QStringLiteral("Meses"),
        b->Trechos.empty() ? 0 : static_cast<qint64>(b->Trechos[0].Meses.size())},
       {QStringLiteral("TrechosSemCelula"), Lista(b->SemCelula)},
       {QStringLiteral("TrechosNaoColocados"), Lista(b->NaoColocados)},
       {QStringLiteral("Arquivo"), QFileInfo(a.Saida).absoluteFilePath()},
       {QStringLiteral("Mensagens"), QJsonArray::fromStringList(ctx.Apresentador.Mensagens())}});
  return 0;
}

const TComandoCli ComandoBalanco{
    QStringLiteral("balanco"),
    QStringLiteral("--inicio MM/AAAA --fim MM/AAAA --percentual P --referencia Q710|Q90|Q95|Qmld "
                   "--metodo \"Tradicional\"|\"Proporc. de vazões\"|\"Conserv. de massas\" "
                   "--saida ARQ.gpkg|ARQ.csv"),
    [](TContextoCli& ctx) { return Balanco(ComandoBalanco, ctx); }};

[[maybe_unused]] const bool registrado = RegistraComando(ComandoBalanco);

}  // namespace
