// torveda-cli grade info|celula|converte: check and convert grids without a GIS.
//
//   grade info ARQUIVO             header fields and value statistics, as JSON; exit 1 when the
//                                  header describes no grid (no cells, or cells of no size)
//   grade celula ARQUIVO INDICE    one cell (linear index, 0 at the top-left cell), as JSON
//   grade converte ENTRADA SAIDA   loads ENTRADA and writes SAIDA, the format by its extension
#include <QJsonObject>
#include <cmath>
#include <exception>
#include <limits>

#include "app/cli/Cli.h"
#include "base/Apresentador.h"
#include "base/Erro.h"
#include "raster/TImagem.h"

namespace {

const TComandoCli& Comando();

QString NomeOrigem(quint8 origem) {
  static const char* const nomes[] = {"raster", "ArcView", "Idrisi", "Surfer", "GS+"};
  return origem <= TImagem::FormatoGS ? QString::fromLatin1(nomes[origem])
                                      : QString::number(origem);
}

// A JSON number, or null for what JSON cannot hold.
QJsonValue Numero(double v) { return std::isfinite(v) ? QJsonValue(v) : QJsonValue(); }

// A cell's value; integer and byte cells come out as whole numbers.
QJsonValue ValorCelula(const TImagem& g, std::int64_t i) { return Numero(g.ValorReal(i)); }

// Value statistics over every cell that differs from the no-data value.
QJsonObject Estatisticas(const TImagem& g) {
  std::int64_t validas = 0;
  double minimo = std::numeric_limits<double>::infinity();
  double maximo = -minimo;
  double soma = 0;
  const double semDados = g.SemDados();
  for (std::int64_t i = 0; i < g.NumCelulas(); ++i) {
    const double v = g.ValorReal(i);
    if (v == semDados || std::isnan(v)) continue;
    ++validas;
    minimo = std::min(minimo, v);
    maximo = std::max(maximo, v);
    soma += v;
  }
  QJsonObject e{{QStringLiteral("celulas"), static_cast<double>(g.NumCelulas())},
                {QStringLiteral("validas"), static_cast<double>(validas)},
                {QStringLiteral("semDados"), static_cast<double>(g.NumCelulas() - validas)}};
  if (validas > 0) {
    e.insert(QStringLiteral("minimo"), minimo);
    e.insert(QStringLiteral("maximo"), maximo);
    e.insert(QStringLiteral("media"), soma / static_cast<double>(validas));
  }
  return e;
}

bool CarregaOuAvisa(TContextoCli& ctx, TImagem& g, const QString& arquivo) {
  if (g.Carrega(arquivo, ctx.Apresentador)) return true;
  if (g.OrigemRaster() != TImagem::FormatoGS)
    ctx.Apresentador.Erro(QStringLiteral("Erro ao abrir a imagem %1.").arg(arquivo));
  return false;
}

// A header may load and still describe no grid (no rows or columns, cells of no size): such a
// file is reported as unusable instead of being described as an empty grid.
bool DescreveGrade(const TImagem& g) {
  const double largura = g.XMax() - g.XMin(), altura = g.YMax() - g.YMin();
  return g.NCols() > 0 && g.NRows() > 0 && std::isfinite(largura) && std::isfinite(altura) &&
         largura > 0.0 && altura > 0.0;
}

int Info(TContextoCli& ctx, const QString& arquivo) {
  TImagem g(true);
  if (!CarregaOuAvisa(ctx, g, arquivo)) return 1;
  if (!DescreveGrade(g)) {
    ctx.Apresentador.Erro(
        QStringLiteral("A imagem %1 não descreve uma grade: %2 colunas, %3 linhas, "
                       "células de %4.")
            .arg(arquivo)
            .arg(g.NCols())
            .arg(g.NRows())
            .arg(g.TamanhoCelula()));
    return 1;
  }
  ImprimeJson(QJsonObject{
      {QStringLiteral("arquivo"), g.NomeArquivo()},
      {QStringLiteral("formato"), NomeOrigem(g.OrigemRaster())},
      {QStringLiteral("tipoCelula"), QString(g.TipoCelula().isNull() ? QChar() : g.TipoCelula())},
      {QStringLiteral("tamCelula"), g.TamCelula()},
      {QStringLiteral("desvioDados"), g.DesvioDados()},
      {QStringLiteral("temCabecalho"), g.TemCabecalho()},
      {QStringLiteral("nCols"), g.NCols()},
      {QStringLiteral("nRows"), g.NRows()},
      {QStringLiteral("xMin"), Numero(g.XMin())},
      {QStringLiteral("xMax"), Numero(g.XMax())},
      {QStringLiteral("yMin"), Numero(g.YMin())},
      {QStringLiteral("yMax"), Numero(g.YMax())},
      {QStringLiteral("tamanhoCelula"), Numero(g.TamanhoCelula())},
      {QStringLiteral("semDados"), Numero(g.SemDados())},
      {QStringLiteral("titulo"), g.Titulo()},
      {QStringLiteral("unidade"), g.Unidade()},
      {QStringLiteral("emDisco"), g.EmDisco()},
      {QStringLiteral("estatisticas"), Estatisticas(g)},
  });
  return 0;
}

int Celula(TContextoCli& ctx, const QString& arquivo, const QString& textoIndice) {
  bool ok = false;
  const qlonglong indice = textoIndice.toLongLong(&ok);
  if (!ok) return ErroDeUso(Comando(), QStringLiteral("índice inválido: ") + textoIndice);
  TImagem g(true);
  if (!CarregaOuAvisa(ctx, g, arquivo)) return 1;
  if (!g.DentroDaGrade(indice)) {
    ctx.Apresentador.Erro(QStringLiteral("A célula %1 está fora da imagem (%2 colunas, %3 linhas).")
                              .arg(indice)
                              .arg(g.NCols())
                              .arg(g.NRows()));
    return 1;
  }
  ImprimeJson(QJsonObject{{QStringLiteral("arquivo"), g.NomeArquivo()},
                          {QStringLiteral("indice"), static_cast<double>(indice)},
                          {QStringLiteral("coluna"), static_cast<double>(indice % g.NCols())},
                          {QStringLiteral("linha"), static_cast<double>(indice / g.NCols())},
                          {QStringLiteral("valor"), ValorCelula(g, indice)},
                          {QStringLiteral("semDados"), ValorCelula(g, indice).toDouble() ==
                                                           static_cast<double>(g.SemDados())}});
  return 0;
}

int Converte(TContextoCli& ctx, const QString& entrada, const QString& saida) {
  TImagem g(true);
  if (!CarregaOuAvisa(ctx, g, entrada)) return 1;
  if (!g.Grava(saida, ctx.Apresentador)) {
    if (!saida.right(3).toUpper().endsWith(QLatin1String("KRG")))
      ctx.Apresentador.Erro(QStringLiteral("Erro ao gravar a imagem %1.").arg(saida));
    return 1;
  }
  ImprimeJson(QJsonObject{{QStringLiteral("entrada"), entrada},
                          {QStringLiteral("saida"), saida},
                          {QStringLiteral("nCols"), g.NCols()},
                          {QStringLiteral("nRows"), g.NRows()}});
  return 0;
}

int Grade(TContextoCli& ctx) {
  const QStringList& a = ctx.Args;
  try {
    if (a.size() == 2 && a[0] == QLatin1String("info")) return Info(ctx, a[1]);
    if (a.size() == 3 && a[0] == QLatin1String("celula")) return Celula(ctx, a[1], a[2]);
    if (a.size() == 3 && a[0] == QLatin1String("converte")) return Converte(ctx, a[1], a[2]);
  } catch (const ETorveda& e) {
    ctx.Apresentador.Erro(e.mensagem());
    return 1;
  } catch (const std::exception& e) {
    ctx.Apresentador.Erro(QString::fromLocal8Bit(e.what()));
    return 1;
  }
  return ErroDeUso(Comando(), QStringLiteral("argumentos inválidos"));
}

const TComandoCli& Comando() {
  static const TComandoCli comando{
      QStringLiteral("grade"),
      QStringLiteral("info ARQUIVO | celula ARQUIVO INDICE | converte ENTRADA SAIDA"),
      [](TContextoCli& ctx) { return Grade(ctx); }};
  return comando;
}

[[maybe_unused]] const bool registrado = RegistraComando(Comando());

}  // namespace
