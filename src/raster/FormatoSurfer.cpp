// Surfer ASCII grids ("DSAA"):
//
//   DSAA
//   ncols nrows
//   xlo xhi          x of the first and last column's centres
//   ylo yhi          y of the southernmost and northernmost row's centres
//   zlo zhi
//   values, the southernmost row first, each row from west to east
//
// A blank (no-data) node holds 1.70141e38 or more; it is read as the system's no-data value and
// every no-data cell of a grid is written as 1.70141e38, so holes stay holes in other formats.
//
// The format places values at grid nodes, so the extent read is the node range widened by half a
// cell on every side, and the one written is the edge extent narrowed likewise: other programs
// then place every cell where this system does.

#include <cfloat>
#include <cmath>
#include <vector>

#include "base/Erro.h"
#include "raster/Formatos.h"
#include "raster/Numeros.h"
#include "raster/TArmazemCelulas.h"
#include "raster/TArquivoTexto.h"
#include "raster/TImagem.h"
#include "raster/TSaidaArquivo.h"

using Formatos::SemPasta;

namespace {

double Proximo(TArquivoTexto& texto, const char* campo, const QString& arquivo) {
  const char* inicio = nullptr;
  const char* fim = nullptr;
  if (!texto.ProximoToken(inicio, fim))
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: falta o valor de %2.")
                       .arg(SemPasta(arquivo), QLatin1String(campo)));
  return Numeros::LeValor(QString::fromLatin1(inicio, fim - inicio), QLatin1String(campo), arquivo);
}

// Surfer's blank value and the smallest value read as blank (other programs write it with more
// or fewer digits).
constexpr const char* TextoBranco = "1.70141e38";
constexpr float LimiteBranco = 1.7014e38f;

// Cell size along one axis from the node range; the other axis stands in for a single node.
double Passo(double lo, double hi, std::int32_t n, double outro) {
  return n > 1 ? (hi - lo) / (n - 1) : outro;
}

}  // namespace

void TImagem::LeSurfer(const QString& arquivo) {
  EmDisco_ = false;
  OrigemRaster_ = FormatoSurfer;
  ReiniciaEstatisticas();
  TArquivoTexto texto(arquivo);
  QString assinatura;
  if (!texto.ProximaLinha(assinatura))
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o arquivo está vazio.")
                       .arg(SemPasta(arquivo)));

  const double nCols = Proximo(texto, "ncols", arquivo);
  const double nRows = Proximo(texto, "nrows", arquivo);
  for (const double v : {nCols, nRows})
    if (v != std::trunc(v))
      throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o número de colunas e de "
                                    "linhas deve ser inteiro.")
                         .arg(SemPasta(arquivo)));
  DefineDimensoesLidas(nCols, nRows, arquivo);
  const double xLo = Proximo(texto, "xlo", arquivo);
  const double xHi = Proximo(texto, "xhi", arquivo);
  const double yLo = Proximo(texto, "ylo", arquivo);
  const double yHi = Proximo(texto, "yhi", arquivo);
  const double zLo = Proximo(texto, "zlo", arquivo);
  const double zHi = Proximo(texto, "zhi", arquivo);
  if (std::fabs(zLo) > FLT_MAX || std::fabs(zHi) > FLT_MAX)
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: valor mínimo ou máximo fora do "
                                  "intervalo de um número real simples.")
                       .arg(SemPasta(arquivo)));

  double dx = Passo(xLo, xHi, NCols_, 0);
  double dy = Passo(yLo, yHi, NRows_, dx);
  if (NCols_ <= 1) dx = dy;
  XMin_ = xLo - dx / 2;
  XMax_ = xHi + dx / 2;
  YMin_ = yLo - dy / 2;
  YMax_ = yHi + dy / 2;
  MinReal_ = static_cast<float>(zLo);
  MaxReal_ = static_cast<float>(zHi);
  TemCabecalho_ = 1;
  AplicaTipo(QLatin1Char('R'));
  SemDados_ = SemDadoReal;

  const auto n = static_cast<std::size_t>(NumCelulas());
  const std::vector<float> valores = texto.LeValores(n, arquivo, NCols_, NRows_);
  // The file's first row is the southernmost; row 0 of the grid is the northernmost.
  Armazem_->Garante(n * 4);
  unsigned char* destino = Armazem_->DadosGravaveis();
  const auto colunas = static_cast<std::size_t>(NCols_);
  for (std::size_t r = 0; r < static_cast<std::size_t>(NRows_); ++r)
    for (std::size_t c = 0; c < colunas; ++c) {
      const float v = valores[(NRows_ - 1 - r) * colunas + c];
      Formatos::Poe<float>(destino + 4 * (r * colunas + c), v >= LimiteBranco ? SemDados_ : v);
    }
  AtualizaLimites();
}

void TImagem::GravaSurfer(const QString& arquivo) {
  ExigeTipo(arquivo);
  GaranteEstatisticas();
  double zLo = MinReal_, zHi = MaxReal_;
  if (TipoCelula_ == QLatin1Char('I')) zLo = MinInteiro_, zHi = MaxInteiro_;
  if (TipoCelula_ == QLatin1Char('B')) zLo = MinByte_, zHi = MaxByte_;
  const double dx = TamanhoCelula();
  const double dy = NRows_ > 0 ? (YMax_ - YMin_) / NRows_ : 0.0;
  const QString separador = QStringLiteral("  ");

  TSaidaArquivo saida(arquivo);
  saida.EscreveLinha(QStringLiteral("DSAA"));
  saida.EscreveLinha(QString::number(NCols_) + separador + QString::number(NRows_));
  saida.EscreveLinha(Numeros::Cientifico(XMin_ + dx / 2) + separador +
                     Numeros::Cientifico(XMax_ - dx / 2));
  saida.EscreveLinha(Numeros::Cientifico(YMin_ + dy / 2) + separador +
                     Numeros::Cientifico(YMax_ - dy / 2));
  saida.EscreveLinha(Numeros::Cientifico(zLo) + separador + Numeros::Cientifico(zHi));
  for (std::int64_t r = NRows_ - 1; r >= 0; --r) {
    for (std::int64_t c = 0; c < NCols_; ++c) {
      const double valor = ValorReal(r * NCols_ + c);
      QByteArray v = valor == SemDados_ || std::isnan(valor) ? QByteArray(TextoBranco)
                                                             : Numeros::Fixo(valor, 5);
      v.append(' ');
      saida.Escreve(v);
    }
  }
  saida.Conclui();
}
