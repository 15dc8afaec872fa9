#pragma once
// A raster grid: a rectangle of cells of one type (byte, 16-bit integer or single-precision real)
// with its extent, no-data value, title and value statistics.
//
// Cells are addressed by a 0-based linear index in row-major order from the top-left cell, or by
// column and row (both 0-based, row 0 at the north). The cell store is either a memory buffer or,
// in on-disk mode, the grid's data file mapped read-only and kept open for the grid's life: a
// drainage grid of any size then costs one open file and reads as fast as an array.
//
// Reads never leave the cell store: outside the grid (or past the end of a short store) the real
// accessors answer Convencao::SemDado (-9999), LeInteiro -9999, LeByte 0 and LeCelula zero
// bytes. Writes go to memory grids only, inside the grid; anything else throws ETorveda.
//
// Building a grid in a program:
//
//   TImagem g;                    // memory
//   g.DefineTipo(QChar('R'));
//   g.DefineDimensoes(3, 2);
//   g.DefineExtensao(0, 150, 0, 100);
//   g.DefineSemDados(-9999);
//   g.GravaReal(4, 1.5f);         // column 1 of the bottom row
//   g.Grava("saida.flt");         // writes saida.hdr and saida.flt

#include <QChar>
#include <QString>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>

#include "base/Convencoes.h"

class TApresentador;
class TArmazemCelulas;
class TArquivoTexto;

class TImagem {
 public:
  // Formats, as kept in OrigemRaster and used as export targets.
  static constexpr quint8 FormatoRaster = 0;   // the system's own .ras
  static constexpr quint8 FormatoArcView = 1;  // .hdr/.flt, .asc
  static constexpr quint8 FormatoIdrisi = 2;   // .doc/.img
  static constexpr quint8 FormatoSurfer = 3;   // .grd (DSAA)
  static constexpr quint8 FormatoGS = 4;       // .krg, neither read nor written

  // Receives every status text (an empty text clears it).
  using TControleStatus = std::function<void(const QString& texto)>;
  // Row progress of long copies: maximum, then the current position.
  using TBarraProgresso = std::function<void(int maximo, int posicao)>;

  TImagem();  // memory mode
  explicit TImagem(bool emDisco);
  ~TImagem();
  TImagem(const TImagem&) = delete;
  TImagem& operator=(const TImagem&) = delete;

  // 'B', 'I' or 'R' in either case: sets TipoCelula, TamCelula (1, 2, 4) and DesvioDados (538,
  // 540, 544 for the own format, 0 otherwise). Throws ETorveda on any other letter.
  void DefineTipo(QChar letra);
  // Empties the memory buffer; nothing in on-disk mode.
  void Limpa();
  // Keeps the text and hands it to the status control, if any, letting the event loop paint it.
  void MostraStatus(const QString& texto);

  // Loads a grid, the format chosen by the name's last three characters (HDR/FLT, ASC, DOC/IMG,
  // GRD, RAS; KRG is refused with a message). False when the file does not exist, for KRG and
  // for an unreadable own-format file; throws ETorveda for an unknown extension and for
  // unreadable or malformed files of the other formats. A failed load leaves the grid empty.
  bool Carrega(const QString& arquivo, TApresentador& apresentador);
  // The same, the KRG refusal told to nobody (false, OrigemRaster() FormatoGS).
  bool Carrega(const QString& arquivo);
  // Writes the grid, the format chosen by the name's last three characters (HDR/ASC/FLT write
  // the .hdr/.flt pair, DOC/IMG the Idrisi pair, GRD Surfer, RAS the own format; KRG is refused
  // with a message). False for KRG and when the own-format writer fails; throws ETorveda for an
  // unknown extension or a file that cannot be written.
  bool Grava(const QString& arquivo, TApresentador& apresentador);
  // The same, the KRG refusal told to nobody.
  bool Grava(const QString& arquivo);

  // Copies the grid into a temporary memory grid marked with the target format and writes it
  // with Grava (so the name's extension, not the target, chooses the writer).
  bool ExportaRaster(const QString& arquivo);
  bool ExportaArcView(const QString& arquivo);
  bool ExportaIdrisi(const QString& arquivo);
  bool ExportaSurfer(const QString& arquivo);
  bool ExportaGS(const QString& arquivo);

  // --- Cell access. The typed families do not look at TipoCelula: use the one that matches. ---
  void LeCelula(std::int32_t indice, void* buffer) const;  // TamCelula bytes
  void LeCelulaCL(quint16 coluna, quint16 linha, void* buffer) const;
  void GravaCelula(std::int32_t indice, const void* buffer);
  void GravaCelulaCL(quint16 coluna, quint16 linha, const void* buffer);

  quint8 LeByte(std::int32_t indice) const { return LeValor<quint8>(indice, 0); }
  quint8 LeByteCL(quint16 coluna, quint16 linha) const {
    return LeValor<quint8>(Indice(coluna, linha), 0);
  }
  void GravaByte(std::int32_t indice, quint8 valor) { GravaValor<quint8>(indice, valor); }
  void GravaByteCL(quint16 coluna, quint16 linha, quint8 valor) {
    GravaValor<quint8>(Indice(coluna, linha), valor);
  }

  qint16 LeInteiro(std::int32_t indice) const { return LeValor<qint16>(indice, SemDadoInteiro); }
  qint16 LeInteiroCL(quint16 coluna, quint16 linha) const {
    return LeValor<qint16>(Indice(coluna, linha), SemDadoInteiro);
  }
  void GravaInteiro(std::int32_t indice, qint16 valor) { GravaValor<qint16>(indice, valor); }
  void GravaInteiroCL(quint16 coluna, quint16 linha, qint16 valor) {
    GravaValor<qint16>(Indice(coluna, linha), valor);
  }

  float LeReal(std::int32_t indice) const { return LeValor<float>(indice, SemDadoReal); }
  float LeRealCL(quint16 coluna, quint16 linha) const {
    return LeValor<float>(Indice(coluna, linha), SemDadoReal);
  }
  void GravaReal(std::int32_t indice, float valor) { GravaValor<float>(indice, valor); }
  void GravaRealCL(quint16 coluna, quint16 linha, float valor) {
    GravaValor<float>(Indice(coluna, linha), valor);
  }

  // The checked read of the network walks: the real cell, or Convencao::SemDado when the index is
  // outside 0 .. NCols x NRows - 1.
  double LeRealOuSemDado(std::int64_t indice) const { return LeValor<float>(indice, SemDadoReal); }
  // A cell as a real number, read with the family of the grid's type (outside the grid: the
  // family's no-data answer).
  double ValorReal(std::int64_t indice) const;
  // The cells as 4-byte words in this machine's order, for walks that read each cell several
  // times: the first `celulas` words, or null when the store holds fewer, the cells are not
  // 4 bytes wide or the file's order is not the machine's. Read with memcpy (no alignment is
  // promised); valid while the grid keeps its store.
  const unsigned char* Palavras4(std::int64_t celulas) const {
    if (std::endian::native != std::endian::little || TamCelula_ != 4 || celulas < 0 ||
        static_cast<std::uint64_t>(celulas) > Limite4_)
      return nullptr;
    return Celulas_;
  }
  // True when the index lies inside the grid.
  bool DentroDaGrade(std::int64_t indice) const { return indice >= 0 && indice < NumCelulas(); }

  // --- Fields. ---
  QChar TipoCelula() const { return TipoCelula_; }
  quint8 TamCelula() const { return TamCelula_; }
  quint16 DesvioDados() const { return DesvioDados_; }
  quint8 OrigemRaster() const { return OrigemRaster_; }
  float SemDados() const { return SemDados_; }
  const QString& NomeArquivo() const { return NomeArquivo_; }
  const QString& TextoStatus() const { return TextoStatus_; }
  quint8 TemCabecalho() const { return TemCabecalho_; }
  std::int32_t NCols() const { return NCols_; }
  std::int32_t NRows() const { return NRows_; }
  std::int64_t NumCelulas() const { return std::int64_t{NCols_} * NRows_; }
  // Extent: left, right, bottom and top edges.
  double XMin() const { return XMin_; }
  double XMax() const { return XMax_; }
  double YMin() const { return YMin_; }
  double YMax() const { return YMax_; }
  // Side of a cell, (XMax - XMin) / NCols; 0 without columns.
  double TamanhoCelula() const { return NCols_ > 0 ? (XMax_ - XMin_) / NCols_ : 0.0; }
  float MinReal() const { return MinReal_; }
  float MaxReal() const { return MaxReal_; }
  qint16 MinInteiro() const { return MinInteiro_; }
  qint16 MaxInteiro() const { return MaxInteiro_; }
  quint8 MinByte() const { return MinByte_; }
  quint8 MaxByte() const { return MaxByte_; }
  const QString& Titulo() const { return Titulo_; }
  const QString& Unidade() const { return Unidade_; }
  bool EmDisco() const { return EmDisco_; }
  // Bytes in the cell store, header space of the own format included.
  std::int64_t TamanhoArmazem() const;

  // --- Setters for grids built in a program. ---
  // Sets the dimensions; a memory grid grows its buffer (zero-filled) to hold every cell.
  void DefineDimensoes(quint16 nCols, quint16 nRows);
  void DefineExtensao(double xMin, double xMax, double yMin, double yMax);
  void DefineSemDados(float valor) { SemDados_ = valor; }
  void DefineTitulo(const QString& titulo) { Titulo_ = titulo.left(255); }
  void DefineUnidade(const QString& unidade) { Unidade_ = unidade.left(255); }
  void DefineOrigem(quint8 origem) { OrigemRaster_ = origem; }
  void DefineTemCabecalho(quint8 tem) { TemCabecalho_ = tem; }
  void DefineMinMaxReal(float min, float max) { MinReal_ = min, MaxReal_ = max; }
  void DefineMinMaxInteiro(qint16 min, qint16 max) { MinInteiro_ = min, MaxInteiro_ = max; }
  void DefineMinMaxByte(quint8 min, quint8 max) { MinByte_ = min, MaxByte_ = max; }
  // Sets the statistics of the grid's type from its cells, no-data cells excluded.
  void CalculaEstatisticas();

  void DefineControleStatus(TControleStatus controle) { ControleStatus_ = std::move(controle); }
  void DefineBarraProgresso(TBarraProgresso barra) { BarraProgresso_ = std::move(barra); }

  static constexpr float SemDadoReal = static_cast<float>(Convencao::SemDado);
  static constexpr qint16 SemDadoInteiro = static_cast<qint16>(Convencao::SemDado);

 private:
  // The linear index of a column and row, or -1 when either lies outside the grid.
  std::int64_t Indice(quint16 coluna, quint16 linha) const {
    if (coluna >= NCols_ || linha >= NRows_) return -1;
    return std::int64_t{linha} * NCols_ + coluna;
  }

  // Cells readable with a given width: min(cells of the grid, whole cells left in the store).
  std::uint64_t Limite(std::size_t largura) const {
    return largura == 1 ? Limite1_ : largura == 2 ? Limite2_ : Limite4_;
  }

  template <typename T>
  T LeValor(std::int64_t indice, T fora) const {
    if (static_cast<std::uint64_t>(indice) >= Limite(sizeof(T))) return fora;
    T valor;
    std::memcpy(&valor, Celulas_ + static_cast<std::size_t>(indice) * sizeof(T), sizeof(T));
    if constexpr (std::endian::native == std::endian::big && sizeof(T) > 1) valor = Inverte(valor);
    return valor;
  }

  template <typename T>
  void GravaValor(std::int64_t indice, T valor) {
    if constexpr (std::endian::native == std::endian::big && sizeof(T) > 1) valor = Inverte(valor);
    GravaBytes(indice, &valor, sizeof(T));
  }

  template <typename T>
  static T Inverte(T valor) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &valor, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(b[i], b[sizeof(T) - 1 - i]);
    std::memcpy(&valor, b, sizeof(T));
    return valor;
  }

  // DefineTipo without growing the buffer (readers set the type before the cells are there).
  void AplicaTipo(QChar letra);
  // Writers need a cell type once there are cells; throws ETorveda otherwise.
  void ExigeTipo(const QString& arquivo) const;
  // Computes the statistics when they are still the reset values (minimum above maximum).
  void GaranteEstatisticas();
  void GravaBytes(std::int64_t indice, const void* origem, std::size_t largura);
  // Re-reads the store's address and size after any change of store, type or dimensions.
  void AtualizaLimites();
  // Grows a memory buffer so that every cell of the grid fits.
  void AjustaArmazem();
  // Back to an empty grid (after a failed load).
  void Esvazia();
  // Statistics reset before reading a header.
  void ReiniciaEstatisticas();
  void DefineDimensoesLidas(double nCols, double nRows, const QString& arquivo);
  bool Exporta(const QString& arquivo, quint8 destino);

  // Readers and writers, one file each.
  void LeArcView(const QString& arquivo);
  void LeCabecalhoArcView(TArquivoTexto& texto, const QString& arquivo, bool todasAsLinhas);
  void LeAscii(const QString& arquivo);
  void LeIdrisi(const QString& arquivo);
  void LeSurfer(const QString& arquivo);
  bool LeRaster(const QString& arquivo);
  void GravaArcView(const QString& arquivo);
  void GravaIdrisi(const QString& arquivo);
  void GravaSurfer(const QString& arquivo);
  bool GravaRaster(const QString& arquivo);
  // Reads a data file as the cell store, in place or copied by EmDisco, checking that it holds
  // every cell after the first `desvio` bytes.
  void AbreDados(const QString& arquivo, quint16 desvio);

  QChar TipoCelula_ = QChar(0);
  quint16 DesvioDados_ = 0;
  quint8 OrigemRaster_ = 0;
  float SemDados_ = 0;
  QString NomeArquivo_;
  std::unique_ptr<TArmazemCelulas> Armazem_;
  quint8 TamCelula_ = 0;
  QString TextoStatus_;
  TBarraProgresso BarraProgresso_;
  TControleStatus ControleStatus_;
  quint8 TemCabecalho_ = 0;
  std::int32_t NCols_ = 0;  // 0 .. 65535
  std::int32_t NRows_ = 0;  // 0 .. 65535
  double XMin_ = 0, XMax_ = 0, YMin_ = 0, YMax_ = 0;
  float MinReal_ = 0, MaxReal_ = 0;
  qint16 MinInteiro_ = 0, MaxInteiro_ = 0;
  quint8 MinByte_ = 0, MaxByte_ = 0;
  QString Titulo_;
  QString Unidade_;
  bool EmDisco_ = false;

  // First cell (store + DesvioDados) and the readable cells per width; null/0 when empty.
  const unsigned char* Celulas_ = nullptr;
  std::uint64_t Limite1_ = 0, Limite2_ = 0, Limite4_ = 0;
};
