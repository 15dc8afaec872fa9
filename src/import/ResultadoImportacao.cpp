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
  };
  if (!ColunaVazao.isEmpty()) o.insert(QStringLiteral("colunaVazao"), ColunaVazao);
  if (!Falha.isEmpty()) {
    o.insert(QStringLiteral("causa"), Causa);
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

QJsonObject TResultadoImportacao::Json() const {
  QJsonArray passos;
  for (const auto& p : Passos) passos.append(p.Json());
  return QJsonObject{
      {QStringLiteral("registro"), Registro},      {QStringLiteral("arquivo"), Arquivo},
      {QStringLiteral("executada"), Executada},    {QStringLiteral("completa"), Completa()},
      {QStringLiteral("erro"), TextoOuNulo(Erro)}, {QStringLiteral("passos"), passos}};
}
