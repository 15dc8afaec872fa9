#include "amostra/Amostra.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "amostra/Bacia.h"
#include "amostra/Demanda.h"
#include "amostra/Escritas.h"
#include "amostra/Gdal.h"
#include "amostra/Hidrologia.h"
#include "base/Convencoes.h"
#include "base/Erro.h"

static void IniciaRecursosAmostra() { Q_INIT_RESOURCE(amostra); }

namespace {

using gdal_amostra::TConversor;

int Dms(double graus) {
  const auto s = static_cast<int>(std::lround(std::fabs(graus) * 3600));
  return (s / 3600) * 10000 + (s % 3600 / 60) * 100 + s % 60;
}
double Graus(int dms) { return dms / 10000 + (dms / 100 % 100) / 60.0 + (dms % 100) / 3600.0; }
QString Texto6(int dms) { return QStringLiteral("%1").arg(dms, 6, 10, QLatin1Char('0')); }

bool PertoDaRede(const TBacia& b, std::int32_t c) {
  for (int dl = -1; dl <= 1; ++dl)
    for (int dc = -1; dc <= 1; ++dc) {
      const int col = b.Coluna(c) + dc, lin = b.Linha(c) + dl;
      if (b.NaGrade(col, lin) && b.Rede[b.Indice(col, lin)]) return true;
    }
  return false;
}

// A section at the first candidate whose typed degree-minute-second coordinates land back in
// the same cell, so that both ways of placing it give the same cell.
QJsonObject Secao(const TBacia& b, const TConversor& conv,
                  const std::vector<std::int32_t>& candidatas, const QString& descricao) {
  for (std::int32_t c : candidatas) {
    double lon, lat, x, y;
    conv.ParaGeografica(b.X(c), b.Y(c), lon, lat);
    const int dLat = Dms(lat), dLon = Dms(lon);
    conv.ParaProjetada(-Graus(dLon), -Graus(dLat), x, y);
    if (b.CelulaDe(x, y) != c) continue;
    QJsonObject s{{QStringLiteral("descricao"), descricao},
                  {QStringLiteral("X"), b.X(c)},
                  {QStringLiteral("Y"), b.Y(c)},
                  {QStringLiteral("celula"), static_cast<qint64>(c)},
                  {QStringLiteral("latitude"), Texto6(dLat)},
                  {QStringLiteral("longitude"), Texto6(dLon)},
                  {QStringLiteral("dentroDaBacia"), b.Dentro[c] != 0}};
    if (b.Dentro[c]) {
      s.insert(QStringLiteral("unidade"), b.Unidade[c]);
      s.insert(QStringLiteral("regiao"), b.Unidade[c] / 100);
      s.insert(QStringLiteral("areaKm2"), b.Fluxo[c] * Convencao::AreaCelulaKm2);
    }
    if (b.Mapeada[c]) {
      const TTrecho* t = b.TrechoPorHo(b.Mapeada[c]);
      s.insert(QStringLiteral("Ho_"), t->Ho);
      s.insert(QStringLiteral("rio"), b.Rios[t->Rio].Nome);
      s.insert(QStringLiteral("Eq_Conserv"), b.Rios[t->Rio].EqConserv);
    }
    return s;
  }
  throw ETorveda(QStringLiteral("Erro interno: não há célula para a seção \"%1\".").arg(descricao));
}

// Cells of a river from a fraction of its length down, those on arcs without a station first (a
// station on the section's own arc is found by neither station search), then the others.
std::vector<std::int32_t> DoRio(const TBacia& b, int rio, double de, std::size_t inicio = 0) {
  const auto& cel = b.Rios[rio].Celulas;
  std::vector<std::int32_t> lista, comEstacao;
  for (std::size_t i =
           inicio + static_cast<std::size_t>(de * static_cast<double>(cel.size() - inicio));
       i < cel.size(); ++i)
    if (b.Mapeada[cel[i]])
      (b.TrechoPorHo(b.Mapeada[cel[i]])->EstFlu ? comEstacao : lista).push_back(cel[i]);
  lista.insert(lista.end(), comEstacao.begin(), comEstacao.end());
  return lista;
}

// A mapped creek cell whose drainage area lies below the range of its region's equations.
// Creeks of region 1 first, then any arc without a station.
QJsonObject ForaDoIntervalo(const TBacia& b, const THidrologia& h, const TConversor& conv) {
  std::vector<std::int32_t> lista;
  for (int volta = 0; volta < 2; ++volta) {
    std::vector<std::int32_t> achadas;
    for (const auto& t : b.Trechos) {
      const int regiao = t.Unidade / 100;
      if (t.EstFlu || regiao < 1 || regiao > 3) continue;
      if (volta == 0 && (b.Rios[t.Rio].Projetado || regiao != 1)) continue;
      for (std::int32_t c : t.Celulas)
        if (b.Fluxo[c] * Convencao::AreaCelulaKm2 < h.Regiao(regiao).MenorAd / 2)
          achadas.push_back(c);
    }
    std::sort(achadas.begin(), achadas.end());
    lista.insert(lista.end(), achadas.begin(), achadas.end());
  }
  const QString rio =
      lista.empty() ? QString() : b.Rios[b.TrechoPorHo(b.Mapeada[lista.front()])->Rio].Nome;
  return Secao(
      b, conv, lista,
      QStringLiteral("%1, área de drenagem abaixo do intervalo das equações da região").arg(rio));
}

QJsonObject Secoes(const TBacia& b, const THidrologia& h, const TConversor& conv) {
  const auto& principal = b.Rios[0].Celulas;
  const std::size_t posJ = static_cast<std::size_t>(
      std::find(principal.begin(), principal.end(), b.Juncao) - principal.begin());
  QJsonObject secoes;
  const QJsonObject p = Secao(b, conv, DoRio(b, 0, 0.55, posJ),
                              QStringLiteral("Rio Paracatu na unidade 312, abaixo da junção"));
  secoes.insert(QStringLiteral("principal"), p);
  secoes.insert(QStringLiteral("afluenteComEstacoes"),
                Secao(b, conv, DoRio(b, 2, 0.70),
                      QStringLiteral("Rio Preto entre as estações 42257000 e 42260000")));
  secoes.insert(
      QStringLiteral("rioSemEquacoes"),
      Secao(b, conv, DoRio(b, 7, 0.50),
            QStringLiteral("Ribeirão Bonito (sem Eq_Conserv), afluente do Rio Paracatu")));
  secoes.insert(QStringLiteral("cabeceira"),
                Secao(b, conv, DoRio(b, 10, 0.20),
                      QStringLiteral("Córrego das Pedras, unidade de cabeceira 105")));
  {
    std::vector<std::int32_t> lista;
    const auto c0 = static_cast<std::int32_t>(p.value(QStringLiteral("celula")).toInteger());
    for (int k = 3; b.Linha(c0) - k >= 0; ++k) {
      const std::int32_t c = b.Indice(b.Coluna(c0), b.Linha(c0) - k);
      if (b.Dentro[c] && !PertoDaRede(b, c)) lista.push_back(c);
    }
    secoes.insert(
        QStringLiteral("foraDaDrenagem"),
        Secao(b, conv, lista, QStringLiteral("Encosta na unidade 312, longe da drenagem")));
  }
  {
    std::vector<std::int32_t> lista;
    for (int k = 0; k < b.NC / 4; ++k) {
      const std::int32_t c = b.Indice(b.NC / 30 + k, b.NR - 1 - b.NR / 30);
      if (!b.Dentro[c]) lista.push_back(c);
    }
    secoes.insert(QStringLiteral("foraDaBacia"),
                  Secao(b, conv, lista, QStringLiteral("Canto sudoeste da grade, fora da bacia")));
  }
  secoes.insert(QStringLiteral("sobrecarregada"),
                Secao(b, conv, DoRio(b, 16, 0.75),
                      QStringLiteral("Ribeirão da Prata, afluente com outorgas acima da vazão "
                                     "permissível")));
  secoes.insert(QStringLiteral("foraDoIntervalo"), ForaDoIntervalo(b, h, conv));
  return secoes;
}

// The ready-made sections on the mapped drainage, with the criterion's allowable flow there.
std::vector<TAlvoDemanda> Alvos(const THidrologia& h, const QJsonObject& secoes) {
  std::vector<TAlvoDemanda> alvos;
  for (auto it = secoes.begin(); it != secoes.end(); ++it) {
    const QJsonObject s = it.value().toObject();
    if (!s.contains(QStringLiteral("Ho_"))) continue;
    TAlvoDemanda a;
    a.Chave = it.key();
    a.Celula = static_cast<std::int32_t>(s.value(QStringLiteral("celula")).toInteger());
    a.Ho = s.value(QStringLiteral("Ho_")).toInt();
    a.Regiao = s.value(QStringLiteral("regiao")).toInt();
    a.Unidade = s.value(QStringLiteral("unidade")).toInt();
    a.Rio = s.value(QStringLiteral("rio")).toString();
    // As the grant window computes it: Q - Q x (1 - p / 100), in extended precision.
    const long double q =
        h.Regiao(a.Regiao).Vazao(0, s.value(QStringLiteral("areaKm2")).toDouble());
    a.Permissivel = static_cast<double>(q - q * (1 - demanda::Percentual / 100.0L));
    alvos.push_back(a);
  }
  return alvos;
}

QJsonObject Resumo(const TBacia& b, const QJsonObject& secoes) {
  QJsonArray estacoes;
  for (const auto& e : b.Estacoes)
    estacoes.append(QJsonObject{{QStringLiteral("codigo"), e.Codigo},
                                {QStringLiteral("nome"), e.Nome},
                                {QStringLiteral("rio"), b.Rios[e.Rio].Nome},
                                {QStringLiteral("Ho_"), e.Ho},
                                {QStringLiteral("celula"), static_cast<qint64>(e.Celula)},
                                {QStringLiteral("X"), b.X(e.Celula)},
                                {QStringLiteral("Y"), b.Y(e.Celula)},
                                {QStringLiteral("areaKm2"), e.AreaKm2}});
  int ordem = 0;
  for (const auto& t : b.Trechos) ordem = std::max(ordem, t.Ordem);
  return QJsonObject{
      {QStringLiteral("colunas"), b.NC},
      {QStringLiteral("linhas"), b.NR},
      {QStringLiteral("xllcorner"), b.Xll},
      {QStringLiteral("yllcorner"), b.Yll},
      {QStringLiteral("cellsize"), b.Tam},
      {QStringLiteral("semente"), QString::number(b.Semente)},
      {QStringLiteral("celulasNaBacia"), static_cast<qint64>(b.Ordem.size())},
      {QStringLiteral("areaKm2"), static_cast<double>(b.Ordem.size()) * Convencao::AreaCelulaKm2},
      {QStringLiteral("trechos"), static_cast<qint64>(b.Trechos.size())},
      {QStringLiteral("ordemMaxima"), ordem},
      {QStringLiteral("limiarRede"), b.LimiarRede},
      {QStringLiteral("limiarMapeada"), b.LimiarMapeada},
      {QStringLiteral("exutorio"),
       QJsonObject{{QStringLiteral("celula"), static_cast<qint64>(b.Exutorio)},
                   {QStringLiteral("X"), b.X(b.Exutorio)},
                   {QStringLiteral("Y"), b.Y(b.Exutorio)},
                   {QStringLiteral("Ho_"), Convencao::TrechoExutorio},
                   {QStringLiteral("Tnode_"), Convencao::NoExutorio}}},
      {QStringLiteral("juncao"),
       QJsonObject{{QStringLiteral("celula"), static_cast<qint64>(b.Juncao)},
                   {QStringLiteral("X"), b.X(b.Juncao)},
                   {QStringLiteral("Y"), b.Y(b.Juncao)}}},
      {QStringLiteral("estacoes"), estacoes},
      {QStringLiteral("secoes"), secoes}};
}

void CriaPasta(const QString& p) {
  if (!QDir().mkpath(p)) throw ETorveda(QStringLiteral("Erro ao criar a pasta %1.").arg(p));
}

void Move(const QString& de, const QString& para) {
  if (!QDir().rename(de, para))
    throw ETorveda(QStringLiteral("Erro ao mover %1 para %2.").arg(de, para));
}

}  // namespace

QJsonObject GeraAmostra(const QString& dirPedido, const TOpcoesAmostra& opcoes) {
  QElapsedTimer relogio;
  relogio.start();
  if (opcoes.Registros < 0 || opcoes.Registros > 1000000)
    throw ETorveda(QStringLiteral("O número de registros deve ficar entre 0 e 1000000."));
  if (opcoes.NomeBase.isEmpty() || opcoes.NomeBase.contains(QLatin1Char('/')))
    throw ETorveda(QStringLiteral("Nome de base inválido: \"%1\".").arg(opcoes.NomeBase));
  const QString dir = QDir(dirPedido).absolutePath() + QLatin1Char('/');
  for (const char* pasta : {"Dados", "DadosSIG"})
    if (QFileInfo::exists(dir + QLatin1String(pasta)))
      throw ETorveda(
          QStringLiteral("A pasta %1 já contém %2/: a bacia de exemplo não sobrescreve dados. "
                         "Escolha outra pasta ou remova a antiga.")
              .arg(QDir::toNativeSeparators(dirPedido), QLatin1String(pasta)));
  CriaPasta(dir);

  TBacia b = GeraBacia({opcoes.Colunas, opcoes.Linhas, opcoes.Semente});
  const TConversor conv;

  // Everything is written aside and moved in at the end.
  QTemporaryDir preparo(dir + QStringLiteral(".amostra-XXXXXX"));
  if (!preparo.isValid())
    throw ETorveda(QStringLiteral("Erro ao criar uma pasta temporária em %1.").arg(dir));
  const QString p = preparo.path() + QLatin1Char('/');
  const QString matrizes = p + QStringLiteral("Dados/DadosSIG/Matrizes/");
  const QString sig = p + QStringLiteral("Dados/DadosSIG/");
  const QString bd = p + QStringLiteral("Dados/DadosBD/");
  const QString manutencao = p + QStringLiteral("DadosSIG/");
  for (const QString& pasta : {matrizes, bd, manutencao}) CriaPasta(pasta);

  EscreveGrades(b, matrizes);
  EscreveCamadas(b, conv, sig, manutencao);
  const THidrologia hidrologia = MontaHidrologia(b);
  EscreveBaseDados(b, hidrologia, conv, bd + opcoes.NomeBase + QStringLiteral(".sqlite"));
  QJsonObject secoes = Secoes(b, hidrologia, conv);
  TDemanda demanda(b, Alvos(hidrologia, secoes));
  const QJsonObject registros =
      EscrevePlanilhas(b, conv, opcoes.Registros, demanda,
                       bd + opcoes.NomeBase + QStringLiteral("_Outorgas_AQEM.xlsx"),
                       bd + opcoes.NomeBase + QStringLiteral("_Outorgas_ANA.xlsx"));
  // What the grant analysis will show at each section under the demonstration criterion.
  for (std::size_t i = 0; i < demanda.Alvos().size(); ++i) {
    QJsonObject s = secoes.value(demanda.Alvos()[i].Chave).toObject();
    const QJsonObject c = demanda.Classes(i);
    for (auto it = c.begin(); it != c.end(); ++it) s.insert(it.key(), it.value());
    secoes.insert(demanda.Alvos()[i].Chave, s);
  }

  IniciaRecursosAmostra();
  QFile ajuda(QStringLiteral(":/amostra/Ajuda.html"));
  if (!ajuda.open(QIODevice::ReadOnly))
    throw ETorveda(QStringLiteral("Erro interno: a ajuda não está no programa."));
  const QByteArray textoAjuda = ajuda.readAll();

  Move(p + QStringLiteral("Dados"), dir + QStringLiteral("Dados"));
  Move(p + QStringLiteral("DadosSIG"), dir + QStringLiteral("DadosSIG"));
  CriaPasta(dir + QStringLiteral("Imagens/Relatórios"));
  CriaPasta(dir + QStringLiteral("Ajuda"));
  QFile saidaAjuda(dir + QStringLiteral("Ajuda/Ajuda.html"));
  if (!saidaAjuda.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      saidaAjuda.write(textoAjuda) != textoAjuda.size())
    throw ETorveda(QStringLiteral("Erro ao gravar %1.").arg(saidaAjuda.fileName()));

  QJsonObject resumo = Resumo(b, secoes);
  resumo.insert(
      QStringLiteral("criterioDemanda"),
      QJsonObject{{QStringLiteral("percentual"), demanda::Percentual},
                  {QStringLiteral("referencia"), QStringLiteral("Q710")},
                  {QStringLiteral("metodo"), QStringLiteral("Tradicional")},
                  {QStringLiteral("inicio"), QStringLiteral("01/%1").arg(demanda::AnoInicial)},
                  {QStringLiteral("fim"), QStringLiteral("12/%1").arg(demanda::AnoFinal)}});
  resumo.insert(QStringLiteral("dados"), dir);
  resumo.insert(QStringLiteral("nomeBase"), opcoes.NomeBase);
  resumo.insert(QStringLiteral("registros"), registros);
  resumo.insert(QStringLiteral("segundos"), relogio.elapsed() / 1000.0);
  return resumo;
}
