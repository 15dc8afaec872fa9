#include "import/ResultadoImportacao.h"

#include <QJsonArray>

namespace {
QJsonValue TextoOuNulo(const QString& texto) {
  return texto.isEmpty() ? QJsonValue() : QJsonValue(texto);
}
}  // namespace

QJsonObject TResultadoPasso::Json() const {
  QJsonObject o{
      {QStringLiteral("camada"), Camada},
      {QStringLiteral("folha"), Folha},
      {QStringLiteral("linhasLidas"), LinhasLidas},
      {QStringLiteral("registrosGravados"), Gravados},
      {QStringLiteral("ignoradas"), QJsonObject{{QStringLiteral("semCoordenadas"), SemCoordenadas},
                                                {QStringLiteral("vazaoZero"), VazaoZero},
                                                {QStringLiteral("foraDaArea"), ForaDaArea}}},
      {QStringLiteral("falha"), TextoOuNulo(Falha)},
      {QStringLiteral("camadaSubstituida"), Substituida},
  };
  if (!ColunaVazao.isEmpty()) o.insert(QStringLiteral("colunaVazao"), ColunaVazao);
  if (!Falha.isEmpty()) {
    o.insert(QStringLiteral("causa"), Causa);
    o.insert(QStringLiteral("colunaFalha"), TextoOuNulo(ColunaFalha));
    o.insert(QStringLiteral("linhaFalha"), LinhaFalha);
  }
  if (!ErroGravacao.isEmpty()) o.insert(QStringLiteral("erroGravacao"), ErroGravacao);
  return o;
}

bool TResultadoImportacao::Completa() const {
  if (!Executada || !Erro.isEmpty()) return false;
  for (const auto& p : Passos)
    if (p.Falhou()) return false;
  return true;
}

QStringList TResultadoImportacao::Substituidas() const {
  QStringList camadas;
  for (const auto& p : Passos)
    if (p.Substituida) camadas << p.Camada;
  return camadas;
}

QStringList TResultadoImportacao::Mantidas() const {
  const QStringList substituidas = Substituidas();
  QStringList camadas;
  for (const QString& c : Camadas)
    if (!substituidas.contains(c)) camadas << c;
  return camadas;
}

QJsonObject TResultadoImportacao::Json() const {
  QJsonArray passos;
  for (const auto& p : Passos) passos.append(p.Json());
  return QJsonObject{
      {QStringLiteral("registro"), Registro},
      {QStringLiteral("arquivo"), Arquivo},
      {QStringLiteral("executada"), Executada},
      {QStringLiteral("completa"), Completa()},
      {QStringLiteral("erro"), TextoOuNulo(Erro)},
      {QStringLiteral("camadasSubstituidas"), QJsonArray::fromStringList(Substituidas())},
      {QStringLiteral("camadasMantidas"), QJsonArray::fromStringList(Mantidas())},
      {QStringLiteral("camadasQueSeriamEsvaziadas"), QJsonArray::fromStringList(Esvaziadas)},
      {QStringLiteral("passos"), passos}};
}
