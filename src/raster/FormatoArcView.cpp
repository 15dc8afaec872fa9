// ArcView grids: the binary pair (.hdr header, .flt cells) and the ASCII grid (.asc).
//
//   ncols         3            labels are read by width (6, 6, 10, 10, 9, 13 characters)
//   nrows         2
//   xllcorner     250000       "xllcenter"/"yllcenter": the values are cell centres
//   yllcorner     8200000
//   cellsize      50
//   NODATA_value  -9999
//   byteorder     LSBFIRST     written, never read: the cells are always little-endian
//
// The .flt holds NCols x NRows singles from the top row down, each row from west to east.

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
constexpr int LargurasRotulo[6] = {6, 6, 10, 10, 9, 13};
const char* const Campos[6] = {"ncols",     "nrows",    "xllcorner",
                               "yllcorner", "cellsize", "NODATA_value"};

float ParaSingle(double valor, const QString& campo, const QString& arquivo) {
  if (std::fabs(valor) > FLT_MAX)
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o valor %2 de %3 está fora do "
                                  "intervalo de um número real simples.")
                       .arg(SemPasta(arquivo), QString::number(valor, 'g', 17), campo));
  return static_cast<float>(valor);
}
}  // namespace

void TImagem::LeCabecalhoArcView(TArquivoTexto& texto, const QString& arquivo, bool todasAsLinhas) {
  OrigemRaster_ = FormatoArcView;
  ReiniciaEstatisticas();
  QString rotulos[6];
  double valores[6] = {0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 6; ++i) {
    QString linha;
    if (!texto.ProximaLinha(linha)) {
      // A short binary header reads its missing values as 0; a text grid needs all six.
      if (!todasAsLinhas) break;
      throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: falta a linha %2 (%3) do "
                                    "cabeçalho.")
                         .arg(SemPasta(arquivo))
                         .arg(i + 1)
                         .arg(QLatin1String(Campos[i])));
    }
    rotulos[i] = linha.left(LargurasRotulo[i]);
    valores[i] = Numeros::LeValor(
        QStringView(linha).mid(std::min<qsizetype>(LargurasRotulo[i], linha.size())),
        QLatin1String(Campos[i]), arquivo);
  }
  DefineDimensoesLidas(valores[0], valores[1], arquivo);
  const double tamanho = valores[4];
  double xMin = valores[2];
  double yMin = valores[3];
  if (rotulos[2].trimmed().toUpper() != QLatin1String("XLLCORNER")) {
    xMin -= tamanho / 2;
    yMin -= tamanho / 2;
  }
  SemDados_ = ParaSingle(valores[5], QLatin1String(Campos[5]), arquivo);
  TemCabecalho_ = 1;
  AplicaTipo(QLatin1Char('R'));
  XMin_ = xMin;
  YMin_ = yMin;
  XMax_ = NCols_ * tamanho + XMin_;
  YMax_ = NRows_ * tamanho + YMin_;
  Titulo_ = (QStringLiteral("Arquivo importado do ArcView - ") + SemPasta(NomeArquivo_)).left(255);
  Unidade_ = QStringLiteral("plane");
}

void TImagem::LeArcView(const QString& arquivo) {
  const QString cabecalho = Formatos::Irmao(arquivo, QStringLiteral("hdr"));
  {
    TArquivoTexto texto(cabecalho);
    LeCabecalhoArcView(texto, cabecalho, false);
  }
  if (BarraProgresso_) BarraProgresso_(NRows_ - 1, 0);
  AbreDados(Formatos::Irmao(arquivo, QStringLiteral("flt")), 0);
}

void TImagem::LeAscii(const QString& arquivo) {
  // Text cells are always parsed into memory.
  EmDisco_ = false;
  TArquivoTexto texto(arquivo);
  LeCabecalhoArcView(texto, arquivo, true);

  const auto n = static_cast<std::size_t>(NumCelulas());
  const std::vector<float> valores = texto.LeValores(n, arquivo, NCols_, NRows_);
  Armazem_->Garante(n * 4);
  unsigned char* destino = Armazem_->DadosGravaveis();
  for (std::size_t i = 0; i < n; ++i) Formatos::Poe<float>(destino + 4 * i, valores[i]);
  AtualizaLimites();
  CalculaEstatisticas();
}

void TImagem::GravaArcView(const QString& arquivo) {
  ExigeTipo(arquivo);
  const QString base = arquivo.left(arquivo.size() - 3);
  const bool maiusculas = arquivo.right(3) == arquivo.right(3).toUpper();
  const QString flt = base + (maiusculas ? QStringLiteral("FLT") : QStringLiteral("flt"));
  const QString hdr = base + (maiusculas ? QStringLiteral("HDR") : QStringLiteral("hdr"));

  TSaidaArquivo dados(flt);
  const std::int64_t n = NumCelulas();
  unsigned char valor[4];
  for (std::int64_t i = 0; i < n; ++i) {
    Formatos::Poe<float>(valor, static_cast<float>(ValorReal(i)));
    dados.Escreve(reinterpret_cast<const char*>(valor), 4);
  }
  dados.Conclui();

  TSaidaArquivo cabecalho(hdr);
  cabecalho.EscreveLinha(QStringLiteral("ncols         ") + QString::number(NCols_));
  cabecalho.EscreveLinha(QStringLiteral("nrows         ") + QString::number(NRows_));
  cabecalho.EscreveLinha(QStringLiteral("xllcorner     ") + Numeros::Cientifico(XMin_));
  cabecalho.EscreveLinha(QStringLiteral("yllcorner     ") + Numeros::Cientifico(YMin_));
  cabecalho.EscreveLinha(QStringLiteral("cellsize      ") + Numeros::Cientifico(TamanhoCelula()));
  cabecalho.EscreveLinha(QStringLiteral("NODATA_value  ") + Numeros::Cientifico(SemDados_));
  cabecalho.EscreveLinha(QStringLiteral("byteorder     LSBFIRST"));
  cabecalho.Conclui();
}
