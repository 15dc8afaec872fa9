#include "app/cli/JsonSecao.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "base/Convencoes.h"
#include "hydro/TMalha.h"
#include "hydro/TPonto.h"

namespace {

QJsonObject Vazoes(const TVazoes& v) {
  return {{QStringLiteral("Q710"), v.Q710()},
          {QStringLiteral("Q90"), v.Q90()},
          {QStringLiteral("Q95"), v.Q95()},
          {QStringLiteral("Qmld"), v.Qmld()}};
}

template <typename F>
QJsonObject MesesNaoNulos(F&& le) {
  QJsonObject o;
  for (int ano = Convencao::AnoInicial; ano <= Convencao::AnoFinal; ++ano)
    for (int mes = 1; mes <= 12; ++mes)
      if (const double v = le(mes, ano); v != 0.0)
        o.insert(QStringLiteral("%1-%2").arg(ano).arg(mes, 2, 10, QLatin1Char('0')), v);
  return o;
}

QJsonValue Opcional(const std::optional<double>& v) { return v ? QJsonValue(*v) : QJsonValue(); }

QJsonObject JsonOrigem(const TOrigemMetodo& o, const TVazoes& v) {
  QJsonArray equacoes;
  for (const TEquacaoUsada& e : o.Equacoes) {
    QJsonObject j{
        {QStringLiteral("Tabela"), e.Tabela},
        {QStringLiteral("Chave"), e.Chave},
        {QStringLiteral("Vazao"), ChavesVazoesReferencia()[e.Vazao]},
        {QStringLiteral("Modelo"), e.Modelo},
        {QStringLiteral("B0"), e.B0},
        {QStringLiteral("BAd"), e.BAd},
        {QStringLiteral("AreaAvaliada"), e.AreaAvaliada},
        {QStringLiteral("Papel"), e.Papel},
        {QStringLiteral("Resultado"), e.Resultado},
        {QStringLiteral("CodRestricao"),
         e.CodRestricao ? QJsonValue(*e.CodRestricao) : QJsonValue()},
        {QStringLiteral("MenorAd"), Opcional(e.Intervalo ? e.Intervalo->MenorAd : std::nullopt)},
        {QStringLiteral("MaiorAd"), Opcional(e.Intervalo ? e.Intervalo->MaiorAd : std::nullopt)},
        {QStringLiteral("ForaDoIntervalo"), e.ForaDoIntervalo()}};
    if (e.Tabela == QLatin1String("EQ_Tradicional"))
      j.insert(QStringLiteral("Regiao"), e.Regiao);
    else
      j.insert(QStringLiteral("CodRio"), e.CodRio);
    equacoes.append(j);
  }
  QJsonArray estacoes;
  for (const TEstacaoUsada& e : o.Estacoes) {
    QJsonObject q;
    for (std::size_t i = 0; i < NumVazoesReferencia; ++i)
      q.insert(ChavesVazoesReferencia()[i], e.Q[i]);
    estacoes.append(QJsonObject{{QStringLiteral("Papel"), e.Papel},
                                {QStringLiteral("Codigo"), e.Codigo},
                                {QStringLiteral("Encontrada"), e.Encontrada},
                                {QStringLiteral("Ad"), e.Ad},
                                {QStringLiteral("Vazoes"), q}});
  }
  QJsonValue confluencia;
  if (o.Confluencia)
    confluencia = QJsonObject{{QStringLiteral("TrechoAfluente"), o.Confluencia->TrechoAfluente},
                              {QStringLiteral("TrechoReceptor"), o.Confluencia->TrechoReceptor},
                              {QStringLiteral("AdAbaixo"), Opcional(o.Confluencia->AdAbaixo)},
                              {QStringLiteral("AdAfluente"), Opcional(o.Confluencia->AdAfluente)},
                              {QStringLiteral("AdAcima"), Opcional(o.Confluencia->AdAcima)}};
  const double valores[] = {v.Q710(), v.Q90(), v.Q95(), v.Qmld()};
  QJsonObject vazoes;
  for (std::size_t i = 0; i < NumVazoesReferencia; ++i)
    vazoes.insert(ChavesVazoesReferencia()[i],
                  QJsonObject{{QStringLiteral("Vazao"), valores[i]},
                              {QStringLiteral("Motivo"),
                               o.Motivos[i].isEmpty() ? QJsonValue() : QJsonValue(o.Motivos[i])},
                              {QStringLiteral("Avisos"), QJsonArray::fromStringList(o.Avisos[i])}});
  return {{QStringLiteral("Resumo"), o.Resumo},
          {QStringLiteral("Equacoes"), equacoes},
          {QStringLiteral("Estacoes"), estacoes},
          {QStringLiteral("Confluencia"), confluencia},
          {QStringLiteral("Vazoes"), vazoes}};
}

// Two digits, zero first. The lists print tens of thousands of dates: the general formatting
// cost more than the rest of each entry.
void DoisDigitos(QString& texto, int v) {
  texto += QLatin1Char(static_cast<char>('0' + v / 10));
  texto += QLatin1Char(static_cast<char>('0' + v % 10));
}
QString Data(const QDate& d) {
  if (!d.isValid()) return {};
  // Years of five digits or before year 1000 take the general formatting, sign and all.
  if (d.year() < 1000 || d.year() > 9999) return d.toString(QStringLiteral("yyyy-MM-dd"));
  QString texto = QString::number(d.year());
  texto += QLatin1Char('-');
  DoisDigitos(texto, d.month());
  texto += QLatin1Char('-');
  DoisDigitos(texto, d.day());
  return texto;
}
// "AAAA-MM" of a month counted as year * 12 + month - 1 (the tables' years have four digits).
QString Mes(std::int32_t k) {
  QString texto = QString::number(k / 12);
  texto += QLatin1Char('-');
  DoisDigitos(texto, k % 12 + 1);
  return texto;
}

// One grant of the lists as its fields, in the order of the keys.
using TCamposJson = std::vector<std::pair<QLatin1StringView, QJsonValue>>;

TCamposJson CamposOutorga(const TOutorgaExaminada& o, const TOutorgasConsideradas& todas,
                          bool consideradas) {
  QJsonValue vazao;
  if (o.VazaoUnica()) {
    vazao = o.Vazao[0];
  } else {
    QJsonArray meses;
    for (double v : o.Vazao) meses.append(v);
    vazao = meses;
  }
  TCamposJson c{{QLatin1StringView("Cadastro"), o.Cadastro()},
                {QLatin1StringView("Camada"), o.NomeCamada()},
                {QLatin1StringView("Registro"), o.Registro},
                {QLatin1StringView("Requerente"), todas.Requerente(o)},
                {QLatin1StringView("Documento"), todas.Documento(o)},
                {QLatin1StringView("Vazao"), vazao},
                {QLatin1StringView("Unidade"), TOutorgaExaminada::UnidadeVazao()},
                {QLatin1StringView("Inicio"), Data(o.Inicio)},
                {QLatin1StringView("Fim"), Data(o.Fim)},
                {QLatin1StringView("UnidadeDrenagem"), o.Unidade}};
  const QString regra = o.TextoRegra(todas.UnidadeSecao, todas.TrechoSecao);
  if (consideradas) {
    c.emplace_back(QLatin1StringView("Meses"), o.NumMeses);
    c.emplace_back(QLatin1StringView("PrimeiroMes"), Mes(o.PrimeiroMes));
    c.emplace_back(QLatin1StringView("UltimoMes"), Mes(o.PrimeiroMes + o.NumMeses - 1));
    c.emplace_back(QLatin1StringView("Regra"), regra);
  } else {
    c.emplace_back(QLatin1StringView("Motivo"), regra);
  }
  std::sort(c.begin(), c.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return c;
}

QJsonArray JsonOutorgas(const std::vector<TOutorgaExaminada>& lista,
                        const TOutorgasConsideradas& todas, bool consideradas) {
  QJsonArray a;
  for (const TOutorgaExaminada& o : lista) {
    QJsonObject j;
    for (const auto& [chave, valor] : CamposOutorga(o, todas, consideradas)) j.insert(chave, valor);
    a.append(j);
  }
  return a;
}

// --- The lists as text, laid out as QJsonDocument's indented form lays them out. ---

void Recuo(QByteArray& s, int nivel) { s.append(4 * nivel, ' '); }

void EscreveTexto(QByteArray& s, const QString& texto) {
  s += '"';
  for (const char c : texto.toUtf8()) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        s += "\\\"";
        break;
      case '\\':
        s += "\\\\";
        break;
      case '\b':
        s += "\\b";
        break;
      case '\f':
        s += "\\f";
        break;
      case '\n':
        s += "\\n";
        break;
      case '\r':
        s += "\\r";
        break;
      case '\t':
        s += "\\t";
        break;
      default:
        if (u < 0x20) {
          s += "\\u00";
          s += "0123456789abcdef"[u >> 4];
          s += "0123456789abcdef"[u & 0xf];
        } else {
          s += c;
        }
    }
  }
  s += '"';
}

// The scalar values of the lists and the arrays of monthly flows.
void EscreveValor(QByteArray& s, const QJsonValue& v, int nivel) {
  switch (v.type()) {
    case QJsonValue::String:
      EscreveTexto(s, v.toString());
      return;
    case QJsonValue::Double: {
      const double d = v.toDouble();
      if (!std::isfinite(d)) {
        s += "null";
      } else if (const qint64 n = v.toInteger(); static_cast<double>(n) == d) {
        s += QByteArray::number(n);
      } else {
        s += QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
      }
      return;
    }
    case QJsonValue::Bool:
      s += v.toBool() ? "true" : "false";
      return;
    case QJsonValue::Array: {
      const QJsonArray a = v.toArray();
      s += "[\n";
      for (qsizetype i = 0; i < a.size(); ++i) {
        Recuo(s, nivel + 1);
        EscreveValor(s, a.at(i), nivel + 1);
        s += i + 1 < a.size() ? ",\n" : "\n";
      }
      Recuo(s, nivel);
      s += ']';
      return;
    }
    default:
      s += "null";
  }
}

void EscreveLista(QByteArray& s, const std::vector<TOutorgaExaminada>& lista,
                  const TOutorgasConsideradas& todas, bool consideradas, int nivel) {
  s += "[\n";
  for (std::size_t i = 0; i < lista.size(); ++i) {
    Recuo(s, nivel + 1);
    s += "{\n";
    const TCamposJson campos = CamposOutorga(lista[i], todas, consideradas);
    for (std::size_t k = 0; k < campos.size(); ++k) {
      Recuo(s, nivel + 2);
      s += '"';
      s += QByteArrayView(campos[k].first.data(), campos[k].first.size());
      s += "\": ";
      EscreveValor(s, campos[k].second, nivel + 2);
      s += k + 1 < campos.size() ? ",\n" : "\n";
    }
    Recuo(s, nivel + 1);
    s += i + 1 < lista.size() ? "},\n" : "}\n";
  }
  Recuo(s, nivel);
  s += ']';
}

}  // namespace

QJsonObject JsonSecao(const TPonto& p, const TMalha& malha, bool dentro,
                      const QStringList& mensagens, TListasOutorgas listas) {
  const TOutorgasConsideradas& outorgas = p.Outorgas();
  QJsonObject json{
      {QStringLiteral("DentroDaBacia"), dentro},
      {QStringLiteral("Celula"), static_cast<double>(malha.IndiceCelula({p.CoordX(), p.CoordY()}))},
      {QStringLiteral("CodTrecho"), p.CodTrecho()},
      {QStringLiteral("CodEqConserv"), p.CodEqConserv()},
      {QStringLiteral("NomeRio"), p.NomeRio()},
      {QStringLiteral("Municipio"), p.Municipio()},
      {QStringLiteral("Estado"), p.Estado()},
      {QStringLiteral("Regiao"), p.Regiao()},
      {QStringLiteral("IdAdRegiao"), p.IdAdRegiao()},
      {QStringLiteral("CoordX"), p.CoordX()},
      {QStringLiteral("CoordY"), p.CoordY()},
      {QStringLiteral("Latitude"), p.Latitude()},
      {QStringLiteral("Longitude"), p.Longitude()},
      {QStringLiteral("LatitudeGMS"), p.LatitudeGMS()},
      {QStringLiteral("LongitudeGMS"), p.LongitudeGMS()},
      {QStringLiteral("AreaDrenagem"), p.AreaDrenagem()},
      {QStringLiteral("VazoesTradicional"), Vazoes(p.VazoesTradicional())},
      {QStringLiteral("VazoesProporcional"), Vazoes(p.VazoesProporcional())},
      {QStringLiteral("VazoesConservacao"), Vazoes(p.VazoesConservacao())},
      {QStringLiteral("OutorgadaEstadual"),
       MesesNaoNulos([&](int m, int a) { return p.OutorgadaEstadual(m, a); })},
      {QStringLiteral("OutorgadaFederal"),
       MesesNaoNulos([&](int m, int a) { return p.OutorgadaFederal(m, a); })},
      {QStringLiteral("Mensagens"), QJsonArray::fromStringList(mensagens)},
      {QStringLiteral("Origem"),
       QJsonObject{
           {QStringLiteral("Tradicional"),
            JsonOrigem(p.OrigemTradicional(), p.VazoesTradicional())},
           {QStringLiteral("Proporcional"),
            JsonOrigem(p.OrigemProporcional(), p.VazoesProporcional())},
           {QStringLiteral("Conservacao"),
            JsonOrigem(p.OrigemConservacao(), p.VazoesConservacao())},
       }},
      {QStringLiteral("NumOutorgasConsideradas"),
       static_cast<qint64>(outorgas.Consideradas.size())},
      {QStringLiteral("NumOutorgasDescartadas"), static_cast<qint64>(outorgas.Descartadas.size())},
  };
  if (listas == TListasOutorgas::Incluidas) {
    json.insert(QStringLiteral("OutorgasConsideradas"),
                JsonOutorgas(outorgas.Consideradas, outorgas, true));
    json.insert(QStringLiteral("OutorgasDescartadas"),
                JsonOutorgas(outorgas.Descartadas, outorgas, false));
  }
  return json;
}

QByteArray TextoJsonSecaoComListas(const TPonto& p, const TMalha& malha, bool dentro,
                                   const QStringList& mensagens) {
  QByteArray s = QJsonDocument(JsonSecao(p, malha, dentro, mensagens, TListasOutorgas::Omitidas))
                     .toJson(QJsonDocument::Indented);
  // The object's closing brace goes; the lists follow its last member.
  s.truncate(std::max<qsizetype>(0, s.lastIndexOf('}')));
  while (s.endsWith('\n') || s.endsWith(' ')) s.chop(1);
  const TOutorgasConsideradas& outorgas = p.Outorgas();
  s += ",\n";
  Recuo(s, 1);
  s += "\"OutorgasConsideradas\": ";
  EscreveLista(s, outorgas.Consideradas, outorgas, true, 1);
  s += ",\n";
  Recuo(s, 1);
  s += "\"OutorgasDescartadas\": ";
  EscreveLista(s, outorgas.Descartadas, outorgas, false, 1);
  s += "\n}\n";
  return s;
}
