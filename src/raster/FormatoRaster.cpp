// The system's own raster format (.ras): one little-endian file, header then cells.
//
//   offset  size  content
//        0     1  1 when the header below is present
//        1     1  cell type 'B', 'I' or 'R'
//        2   255  title: length byte, up to 254 characters, zero padding
//      257     2  columns
//      259     2  rows (copy, not read back)
//      261     2  rows
//      263     2  zero
//      265    16  XMin, XMax, YMin, YMax (singles)
//      281   255  reference unit, like the title
//      536  2xT   minimum and maximum in the cell type (T = 1, 2 or 4 bytes)
//  536+2xT        the cells, row 0 first
//
// The reader never raises: any failure makes the load answer false.

#include <QFile>
#include <exception>

#include "raster/Formatos.h"
#include "raster/TArmazemCelulas.h"
#include "raster/TImagem.h"
#include "raster/TSaidaArquivo.h"

namespace {

constexpr int InicioTitulo = 2;
constexpr int InicioNCols = 257;
constexpr int InicioNRows = 261;
constexpr int InicioExtensao = 265;
constexpr int InicioUnidade = 281;
constexpr int InicioMinimo = 536;

const unsigned char* Bytes(const QByteArray& b, int posicao) {
  return reinterpret_cast<const unsigned char*>(b.constData()) + posicao;
}

QString LeCadeia(const QByteArray& cabecalho, int posicao) {
  const int tamanho = std::min(static_cast<unsigned char>(cabecalho.at(posicao)), quint8{254});
  return QString::fromLatin1(cabecalho.constData() + posicao + 1, tamanho);
}

void PoeCadeia(QByteArray& cabecalho, int posicao, const QString& texto) {
  const QByteArray bytes = texto.toLatin1().left(254);
  cabecalho[posicao] = static_cast<char>(bytes.size());
  std::memcpy(cabecalho.data() + posicao + 1, bytes.constData(),
              static_cast<std::size_t>(bytes.size()));
}

}  // namespace

bool TImagem::LeRaster(const QString& arquivo) {
  try {
    OrigemRaster_ = FormatoRaster;
    QByteArray cabecalho;
    {
      QFile f(arquivo);
      if (!f.open(QIODevice::ReadOnly)) return false;
      cabecalho = f.read(InicioMinimo + 8);
    }
    if (cabecalho.isEmpty()) return false;
    TemCabecalho_ = static_cast<quint8>(cabecalho.at(0));
    if (TemCabecalho_ == 1) {
      if (cabecalho.size() < InicioMinimo + 2) return false;
      AplicaTipo(QLatin1Char(cabecalho.at(1)));
      if (cabecalho.size() < DesvioDados_) return false;
      Titulo_ = LeCadeia(cabecalho, InicioTitulo);
      NCols_ = Formatos::Le<quint16>(Bytes(cabecalho, InicioNCols));
      NRows_ = Formatos::Le<quint16>(Bytes(cabecalho, InicioNRows));
      XMin_ = Formatos::Le<float>(Bytes(cabecalho, InicioExtensao));
      XMax_ = Formatos::Le<float>(Bytes(cabecalho, InicioExtensao + 4));
      YMin_ = Formatos::Le<float>(Bytes(cabecalho, InicioExtensao + 8));
      YMax_ = Formatos::Le<float>(Bytes(cabecalho, InicioExtensao + 12));
      Unidade_ = LeCadeia(cabecalho, InicioUnidade);
      const unsigned char* minimo = Bytes(cabecalho, InicioMinimo);
      const unsigned char* maximo = minimo + TamCelula_;
      switch (TipoCelula_.unicode()) {
        case 'B':
          MinByte_ = *minimo;
          MaxByte_ = *maximo;
          break;
        case 'I':
          MinInteiro_ = Formatos::Le<qint16>(minimo);
          MaxInteiro_ = Formatos::Le<qint16>(maximo);
          break;
        default:
          MinReal_ = Formatos::Le<float>(minimo);
          MaxReal_ = Formatos::Le<float>(maximo);
          break;
      }
    }
    AbreDados(arquivo, DesvioDados_);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TImagem::GravaRaster(const QString& arquivo) {
  try {
    if (TamCelula_ == 0) return false;
    GaranteEstatisticas();
    QByteArray cabecalho(InicioMinimo + 2 * TamCelula_, '\0');
    auto* b = reinterpret_cast<unsigned char*>(cabecalho.data());
    b[0] = TemCabecalho_;
    b[1] = static_cast<unsigned char>(TipoCelula_.toLatin1());
    PoeCadeia(cabecalho, InicioTitulo, Titulo_);
    Formatos::Poe<quint16>(b + InicioNCols, static_cast<quint16>(NCols_));
    Formatos::Poe<quint16>(b + InicioNCols + 2, static_cast<quint16>(NRows_));
    Formatos::Poe<quint16>(b + InicioNRows, static_cast<quint16>(NRows_));
    Formatos::Poe<float>(b + InicioExtensao, static_cast<float>(XMin_));
    Formatos::Poe<float>(b + InicioExtensao + 4, static_cast<float>(XMax_));
    Formatos::Poe<float>(b + InicioExtensao + 8, static_cast<float>(YMin_));
    Formatos::Poe<float>(b + InicioExtensao + 12, static_cast<float>(YMax_));
    PoeCadeia(cabecalho, InicioUnidade, Unidade_);
    unsigned char* minimo = b + InicioMinimo;
    unsigned char* maximo = minimo + TamCelula_;
    switch (TipoCelula_.unicode()) {
      case 'B':
        *minimo = MinByte_;
        *maximo = MaxByte_;
        break;
      case 'I':
        Formatos::Poe<qint16>(minimo, MinInteiro_);
        Formatos::Poe<qint16>(maximo, MaxInteiro_);
        break;
      default:
        Formatos::Poe<float>(minimo, MinReal_);
        Formatos::Poe<float>(maximo, MaxReal_);
        break;
    }

    TSaidaArquivo saida(arquivo);
    saida.Escreve(cabecalho);
    const std::int64_t n = NumCelulas();
    const std::uint64_t lidas = Limite(TamCelula_);
    if (n > 0) {
      saida.Escreve(reinterpret_cast<const char*>(Celulas_),
                    static_cast<qint64>(lidas * TamCelula_));
      const QByteArray zeros(static_cast<qsizetype>(TamCelula_), '\0');
      for (std::int64_t i = static_cast<std::int64_t>(lidas); i < n; ++i) saida.Escreve(zeros);
    }
    saida.Conclui();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
