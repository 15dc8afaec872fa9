#include "raster/TImagem.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cmath>

#include "base/ApresentadorMudo.h"
#include "base/Erro.h"
#include "raster/Numeros.h"
#include "raster/TArmazemCelulas.h"

namespace {

QString SemPasta(const QString& arquivo) { return QFileInfo(arquivo).fileName(); }

ETorveda ErroExtensao(const QString& arquivo) {
  return ETorveda(QStringLiteral("Erro. O arquivo ") + SemPasta(arquivo) +
                  QStringLiteral(" não corresponde a um arquivo válido de imagem."));
}

// Shows a status text on entry and clears it on the way out, errors included.
class TStatus {
 public:
  TStatus(TImagem& imagem, const QString& texto) : Imagem_(imagem) { Imagem_.MostraStatus(texto); }
  ~TStatus() { Imagem_.MostraStatus(QString()); }
  TStatus(const TStatus&) = delete;
  TStatus& operator=(const TStatus&) = delete;

 private:
  TImagem& Imagem_;
};

}  // namespace

TImagem::TImagem() : TImagem(false) {}

TImagem::TImagem(bool emDisco) : Armazem_(std::make_unique<TArmazemCelulas>()), EmDisco_(emDisco) {
  // Statistics start "not yet computed", so a grid built in a program gets them when written.
  ReiniciaEstatisticas();
}

TImagem::~TImagem() = default;

void TImagem::DefineTipo(QChar letra) {
  AplicaTipo(letra);
  AjustaArmazem();
}

void TImagem::AplicaTipo(QChar letra) {
  switch (letra.toUpper().unicode()) {
    case 'B':
      TamCelula_ = 1;
      break;
    case 'I':
      TamCelula_ = 2;
      break;
    case 'R':
      TamCelula_ = 4;
      break;
    default:
      throw ETorveda(QStringLiteral(
          "Erro durante a definição do tipo do arquivo raster: real, inteiro ou byte."));
  }
  TipoCelula_ = letra.toUpper();
  // The own format keeps its header in the same store, before the cells: 536 bytes, then the
  // minimum and the maximum in the cell type.
  DesvioDados_ = OrigemRaster_ == FormatoRaster ? static_cast<quint16>(536 + 2 * TamCelula_) : 0;
  AtualizaLimites();
}

void TImagem::Limpa() {
  if (EmDisco_ || Armazem_->Mapeado()) return;
  Armazem_->Libera();
  AtualizaLimites();
}

void TImagem::MostraStatus(const QString& texto) {
  TextoStatus_ = texto;
  if (!ControleStatus_) return;
  ControleStatus_(texto);
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

std::int64_t TImagem::TamanhoArmazem() const {
  return static_cast<std::int64_t>(Armazem_->Tamanho());
}

void TImagem::DefineDimensoes(quint16 nCols, quint16 nRows) {
  NCols_ = nCols;
  NRows_ = nRows;
  // Dimensions set: the own format writes its header as present.
  TemCabecalho_ = 1;
  AjustaArmazem();
}

void TImagem::DefineExtensao(double xMin, double xMax, double yMin, double yMax) {
  XMin_ = xMin;
  XMax_ = xMax;
  YMin_ = yMin;
  YMax_ = yMax;
}

void TImagem::AjustaArmazem() {
  if (!EmDisco_ && !Armazem_->Mapeado())
    Armazem_->Garante(DesvioDados_ + static_cast<std::size_t>(NumCelulas()) * TamCelula_);
  AtualizaLimites();
}

void TImagem::AtualizaLimites() {
  const std::size_t tamanho = Armazem_->Tamanho();
  if (!Armazem_->Dados() || tamanho <= DesvioDados_) {
    Celulas_ = nullptr;
    Limite1_ = Limite2_ = Limite4_ = 0;
    return;
  }
  Celulas_ = Armazem_->Dados() + DesvioDados_;
  const std::uint64_t bytes = tamanho - DesvioDados_;
  const auto n = static_cast<std::uint64_t>(NumCelulas());
  Limite1_ = std::min(n, bytes);
  Limite2_ = std::min(n, bytes / 2);
  Limite4_ = std::min(n, bytes / 4);
}

void TImagem::GravaBytes(std::int64_t indice, const void* origem, std::size_t largura) {
  if (Armazem_->Mapeado())
    throw ETorveda(QStringLiteral("A imagem %1 está aberta somente para leitura.")
                       .arg(SemPasta(NomeArquivo_)));
  if (!DentroDaGrade(indice))
    throw ETorveda(QStringLiteral("Erro. A célula %1 está fora da imagem (%2 colunas, %3 linhas).")
                       .arg(indice)
                       .arg(NCols_)
                       .arg(NRows_));
  const std::size_t fim = DesvioDados_ + (static_cast<std::size_t>(indice) + 1) * largura;
  if (fim > Armazem_->Tamanho()) {
    Armazem_->Garante(fim);
    AtualizaLimites();
  }
  std::memcpy(
      Armazem_->DadosGravaveis() + DesvioDados_ + static_cast<std::size_t>(indice) * largura,
      origem, largura);
}

void TImagem::LeCelula(std::int32_t indice, void* buffer) const {
  const std::size_t largura = TamCelula_;
  if (largura == 0) return;
  if (static_cast<std::uint64_t>(std::int64_t{indice}) >= Limite(largura)) {
    std::memset(buffer, 0, largura);
    return;
  }
  std::memcpy(buffer, Celulas_ + static_cast<std::size_t>(indice) * largura, largura);
}

void TImagem::LeCelulaCL(quint16 coluna, quint16 linha, void* buffer) const {
  const std::int64_t i = Indice(coluna, linha);
  if (i < 0) {
    std::memset(buffer, 0, TamCelula_);
    return;
  }
  LeCelula(static_cast<std::int32_t>(i), buffer);
}

void TImagem::GravaCelula(std::int32_t indice, const void* buffer) {
  if (TamCelula_ == 0) return;
  GravaBytes(indice, buffer, TamCelula_);
}

void TImagem::GravaCelulaCL(quint16 coluna, quint16 linha, const void* buffer) {
  if (TamCelula_ == 0) return;
  GravaBytes(Indice(coluna, linha), buffer, TamCelula_);
}

void TImagem::ReiniciaEstatisticas() {
  MaxReal_ = -1e10f;
  MinReal_ = 1e10f;
  MaxInteiro_ = -32768;
  MinInteiro_ = 32767;
  MaxByte_ = 0;
  MinByte_ = 255;
}

void TImagem::CalculaEstatisticas() {
  ReiniciaEstatisticas();
  const std::int64_t n = NumCelulas();
  switch (TipoCelula_.unicode()) {
    case 'R':
      for (std::int64_t i = 0; i < n; ++i) {
        const float v = LeValor<float>(i, SemDados_);
        if (v == SemDados_ || std::isnan(v)) continue;
        MinReal_ = std::min(MinReal_, v);
        MaxReal_ = std::max(MaxReal_, v);
      }
      break;
    case 'I':
      for (std::int64_t i = 0; i < n; ++i) {
        const qint16 v = LeValor<qint16>(i, SemDadoInteiro);
        if (v == SemDados_) continue;
        MinInteiro_ = std::min(MinInteiro_, v);
        MaxInteiro_ = std::max(MaxInteiro_, v);
      }
      break;
    case 'B':
      for (std::int64_t i = 0; i < n; ++i) {
        const quint8 v = LeValor<quint8>(i, 0);
        if (v == SemDados_) continue;
        MinByte_ = std::min(MinByte_, v);
        MaxByte_ = std::max(MaxByte_, v);
      }
      break;
    default:
      break;
  }
}

void TImagem::Esvazia() {
  Armazem_->Libera();
  TipoCelula_ = QChar(0);
  TamCelula_ = 0;
  DesvioDados_ = 0;
  TemCabecalho_ = 0;
  NCols_ = NRows_ = 0;
  XMin_ = XMax_ = YMin_ = YMax_ = 0;
  Titulo_.clear();
  Unidade_.clear();
  ReiniciaEstatisticas();
  AtualizaLimites();
}

void TImagem::DefineDimensoesLidas(double nCols, double nRows, const QString& arquivo) {
  const auto c = Numeros::Arredonda(nCols, QStringLiteral("ncols"), arquivo, 0, 65535);
  const auto r = Numeros::Arredonda(nRows, QStringLiteral("nrows"), arquivo, 0, 65535);
  NCols_ = static_cast<std::int32_t>(c);
  NRows_ = static_cast<std::int32_t>(r);
}

void TImagem::AbreDados(const QString& arquivo, quint16 desvio) {
  Armazem_->Libera();
  AtualizaLimites();
  const QFileInfo info(arquivo);
  if (!info.isFile())
    throw ETorveda(QStringLiteral("Erro ao abrir o arquivo de dados %1.").arg(info.fileName()));
  const qint64 necessarios = desvio + NumCelulas() * TamCelula_;
  if (info.size() < necessarios)
    throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: o arquivo tem %2 bytes, mas o "
                                  "cabeçalho indica %3 colunas e %4 linhas (%5 bytes).")
                       .arg(info.fileName())
                       .arg(info.size())
                       .arg(NCols_)
                       .arg(NRows_)
                       .arg(necessarios));
  if (EmDisco_)
    Armazem_->Mapeia(arquivo);
  else
    Armazem_->Copia(arquivo, necessarios);
  AtualizaLimites();
}

bool TImagem::Carrega(const QString& arquivo) {
  TApresentadorMudo mudo;
  return Carrega(arquivo, mudo);
}

bool TImagem::Carrega(const QString& arquivo, TApresentador& apresentador) {
  if (!QFileInfo(arquivo).isFile()) return false;
  TStatus status(*this, QStringLiteral("Carregando a imagem ..."));
  SemDados_ = 0;
  Limpa();
  // A new load releases the previous store, a mapped file included.
  Esvazia();
  NomeArquivo_ = arquivo;

  const QString extensao = arquivo.right(3).toUpper();
  try {
    if (extensao == QLatin1String("HDR") || extensao == QLatin1String("FLT")) {
      LeArcView(arquivo);
    } else if (extensao == QLatin1String("ASC")) {
      LeAscii(arquivo);
    } else if (extensao == QLatin1String("DOC") || extensao == QLatin1String("IMG")) {
      LeIdrisi(arquivo);
    } else if (extensao == QLatin1String("GRD")) {
      LeSurfer(arquivo);
    } else if (extensao == QLatin1String("RAS")) {
      if (!LeRaster(arquivo)) {
        Esvazia();
        return false;
      }
    } else if (extensao == QLatin1String("KRG")) {
      OrigemRaster_ = FormatoGS;
      apresentador.Mensagem(QStringLiteral(
          "A leitura de arquivos no formato do GS+ não está disponível. Ao utilizar o GS+, favor "
          "salvar os resultados no formato do Surfer ou do ArcView."));
      return false;
    } else {
      throw ErroExtensao(arquivo);
    }
  } catch (...) {
    Esvazia();
    throw;
  }
  return true;
}

bool TImagem::Grava(const QString& arquivo) {
  TApresentadorMudo mudo;
  return Grava(arquivo, mudo);
}

bool TImagem::Grava(const QString& arquivo, TApresentador& apresentador) {
  TStatus status(*this, QStringLiteral("Gravando a imagem no disco rígido ..."));
  const QString extensao = arquivo.right(3).toUpper();
  if (extensao == QLatin1String("HDR") || extensao == QLatin1String("ASC") ||
      extensao == QLatin1String("FLT")) {
    GravaArcView(arquivo);
  } else if (extensao == QLatin1String("DOC") || extensao == QLatin1String("IMG")) {
    GravaIdrisi(arquivo);
  } else if (extensao == QLatin1String("GRD")) {
    OrigemRaster_ = FormatoSurfer;
    GravaSurfer(arquivo);
  } else if (extensao == QLatin1String("RAS")) {
    return GravaRaster(arquivo);
  } else if (extensao == QLatin1String("KRG")) {
    apresentador.Mensagem(QStringLiteral(
        "A gravação de arquivos no formato do GS+ não está disponível. Favor gravar os resultados "
        "no formato do Surfer ou do ArcView."));
    return false;
  } else {
    throw ErroExtensao(arquivo);
  }
  return true;
}

bool TImagem::ExportaRaster(const QString& arquivo) { return Exporta(arquivo, FormatoRaster); }
bool TImagem::ExportaArcView(const QString& arquivo) { return Exporta(arquivo, FormatoArcView); }
bool TImagem::ExportaIdrisi(const QString& arquivo) { return Exporta(arquivo, FormatoIdrisi); }
bool TImagem::ExportaSurfer(const QString& arquivo) { return Exporta(arquivo, FormatoSurfer); }
bool TImagem::ExportaGS(const QString& arquivo) { return Exporta(arquivo, FormatoGS); }

bool TImagem::Exporta(const QString& arquivo, quint8 destino) {
  static const char* const origens[] = {" de raster", "do ArcView", "do Idrisi", "do Surfer",
                                        "do GS+"};
  static const char* const destinos[] = {"raster.", "ArcView.", "Idrisi.", "Surfer.", "GS+."};
  const QString origem =
      OrigemRaster_ <= FormatoGS ? QString::fromUtf8(origens[OrigemRaster_]) : QString();
  TStatus status(*this, QStringLiteral("Exportando a imagem ") + origem + QStringLiteral(" para ") +
                            QString::fromUtf8(destinos[destino]));

  TImagem copia(false);
  copia.OrigemRaster_ = destino;  // before the type: it decides the header space
  copia.TemCabecalho_ = TemCabecalho_;
  copia.NCols_ = NCols_;
  copia.NRows_ = NRows_;
  copia.XMin_ = XMin_;
  copia.XMax_ = XMax_;
  copia.YMin_ = YMin_;
  copia.YMax_ = YMax_;
  copia.Titulo_ = Titulo_;
  copia.Unidade_ = Unidade_;
  copia.MinReal_ = MinReal_;
  copia.MaxReal_ = MaxReal_;
  copia.MinInteiro_ = MinInteiro_;
  copia.MaxInteiro_ = MaxInteiro_;
  copia.MinByte_ = MinByte_;
  copia.MaxByte_ = MaxByte_;
  // The no-data value travels too: without it every writer would mark 0 as no data.
  copia.SemDados_ = SemDados_;
  copia.NomeArquivo_ = NomeArquivo_;
  copia.BarraProgresso_ = BarraProgresso_;
  copia.ControleStatus_ = ControleStatus_;
  if (TamCelula_ > 0) {
    copia.DefineTipo(TipoCelula_);
  } else {
    copia.AjustaArmazem();
  }

  if (BarraProgresso_) BarraProgresso_(NRows_ - 1, 0);
  if (TamCelula_ > 0 && NumCelulas() > 0) {
    unsigned char* destinoCelulas = copia.Armazem_->DadosGravaveis() + copia.DesvioDados_;
    const std::size_t bytesLinha = static_cast<std::size_t>(NCols_) * TamCelula_;
    for (std::int32_t r = 0; r < NRows_; ++r) {
      const std::int64_t primeira = std::int64_t{r} * NCols_;
      if (static_cast<std::uint64_t>(primeira + NCols_) <= Limite(TamCelula_)) {
        std::memcpy(destinoCelulas + primeira * TamCelula_, Celulas_ + primeira * TamCelula_,
                    bytesLinha);
      } else {
        // A store shorter than the grid: the missing cells are copied as zero bytes.
        for (std::int64_t i = primeira; i < primeira + NCols_; ++i) {
          unsigned char* d = destinoCelulas + i * TamCelula_;
          if (static_cast<std::uint64_t>(i) < Limite(TamCelula_))
            std::memcpy(d, Celulas_ + i * TamCelula_, TamCelula_);
          else
            std::memset(d, 0, TamCelula_);
        }
      }
      if (BarraProgresso_) {
        BarraProgresso_(NRows_ - 1, r);
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
      }
    }
  }
  if (BarraProgresso_) BarraProgresso_(NRows_ - 1, 0);
  return copia.Grava(arquivo);
}

double TImagem::ValorReal(std::int64_t indice) const {
  switch (TipoCelula_.unicode()) {
    case 'B':
      return LeValor<quint8>(indice, 0);
    case 'I':
      return LeValor<qint16>(indice, SemDadoInteiro);
    default:
      return LeValor<float>(indice, SemDadoReal);
  }
}

void TImagem::ExigeTipo(const QString& arquivo) const {
  if (TamCelula_ == 0 && NumCelulas() > 0)
    throw ETorveda(QStringLiteral("Erro ao gravar o arquivo %1: a imagem não tem tipo de célula.")
                       .arg(SemPasta(arquivo)));
}

void TImagem::GaranteEstatisticas() {
  const bool reiniciadas = (TipoCelula_ == QLatin1Char('R') && MinReal_ > MaxReal_) ||
                           (TipoCelula_ == QLatin1Char('I') && MinInteiro_ > MaxInteiro_) ||
                           (TipoCelula_ == QLatin1Char('B') && MinByte_ > MaxByte_);
  if (reiniciadas) CalculaEstatisticas();
}
