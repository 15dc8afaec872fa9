#include "data/LivroBiff.h"

#include <bit>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "base/Erro.h"
#include "data/FormatoNumero.h"
#include "data/PaginaDeCodigo.h"

namespace {

static_assert(std::endian::native == std::endian::little);

constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kFim = 0x000A;
constexpr std::uint16_t kDataBase = 0x0022;
constexpr std::uint16_t kSenha = 0x002F;
constexpr std::uint16_t kContinua = 0x003C;
constexpr std::uint16_t kPaginaDeCodigo = 0x0042;
constexpr std::uint16_t kFolha = 0x0085;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kTextoRico = 0x00D6;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kTextoSst = 0x00FD;
constexpr std::uint16_t kDimensoes = 0x0200;
constexpr std::uint16_t kNumero = 0x0203;
constexpr std::uint16_t kTexto = 0x0204;
constexpr std::uint16_t kLogico = 0x0205;
constexpr std::uint16_t kTextoDaFormula = 0x0207;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kFormato = 0x041E;
constexpr std::uint16_t kInicio = 0x0809;

// A sheet of this format has at most 256 columns (and 65,536 rows, all a row number can say).
constexpr unsigned kMaxColunas = 256;
// Only so many date formats were ever told apart; any beyond read as plain numbers.
constexpr std::size_t kMaxFormatosData = 2048;

// Thrown by the readers below when a record ends before its fields; turned into a message.
struct ETruncado {};

std::uint16_t U16(const unsigned char* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

std::uint32_t U32(const unsigned char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

struct TRegistro {
  std::uint16_t Tipo = 0;
  const unsigned char* Dados = nullptr;
  std::uint16_t Tamanho = 0;
};

// Walks the records of a stream from a position; a record that runs past the end is damage.
class TRegistros {
 public:
  TRegistros(const QByteArray& fluxo, std::size_t inicio)
      : Base_(reinterpret_cast<const unsigned char*>(fluxo.constData())),
        Fim_(static_cast<std::size_t>(fluxo.size())),
        Pos_(inicio) {}

  bool Proximo(TRegistro& r) {
    if (Pos_ >= Fim_) return false;
    if (Pos_ + 4 > Fim_) throw ETruncado{};
    r.Tipo = U16(Base_ + Pos_);
    r.Tamanho = U16(Base_ + Pos_ + 2);
    if (Pos_ + 4 + r.Tamanho > Fim_) throw ETruncado{};
    r.Dados = Base_ + Pos_ + 4;
    Pos_ += 4u + r.Tamanho;
    return true;
  }

  // The CONTINUE records that follow the last one read, as further pieces of it.
  void Continuacoes(std::vector<std::pair<const unsigned char*, std::size_t>>& pedacos) {
    while (Pos_ + 4 <= Fim_ && U16(Base_ + Pos_) == kContinua) {
      TRegistro r;
      Proximo(r);
      pedacos.emplace_back(r.Dados, r.Tamanho);
    }
  }

 private:
  const unsigned char* Base_;
  std::size_t Fim_;
  std::size_t Pos_;
};

// Reads across a record and its CONTINUE pieces: plain fields flow over a boundary, while the
// characters of a string resume after a fresh option byte that tells their width.
class TCursor {
 public:
  explicit TCursor(std::vector<std::pair<const unsigned char*, std::size_t>> pedacos)
      : Pedacos_(std::move(pedacos)) {}

  bool Fim() {
    while (I_ < Pedacos_.size() && P_ >= Pedacos_[I_].second) {
      ++I_;
      P_ = 0;
    }
    return I_ >= Pedacos_.size();
  }
  std::uint8_t U8() {
    if (Fim()) throw ETruncado{};
    return Pedacos_[I_].first[P_++];
  }
  std::uint16_t U16() {
    const std::uint16_t b = U8();
    return static_cast<std::uint16_t>(b | (U8() << 8));
  }
  std::uint32_t U32() {
    const std::uint32_t b = U16();
    return b | (static_cast<std::uint32_t>(U16()) << 16);
  }
  void Salta(std::uint64_t n) {
    while (n > 0) {
      if (Fim()) throw ETruncado{};
      const std::size_t k = std::min<std::uint64_t>(n, Pedacos_[I_].second - P_);
      P_ += k;
      n -= k;
    }
  }
  QString Caracteres(std::uint32_t n, bool largos) {
    QString s;
    s.reserve(static_cast<qsizetype>(n));
    while (n > 0) {
      if (I_ >= Pedacos_.size()) throw ETruncado{};
      if (P_ >= Pedacos_[I_].second) {
        if (++I_ >= Pedacos_.size() || Pedacos_[I_].second == 0) throw ETruncado{};
        P_ = 0;
        largos = (Pedacos_[I_].first[P_++] & 0x01) != 0;
        continue;
      }
      const unsigned char* p = Pedacos_[I_].first + P_;
      const std::size_t resta = Pedacos_[I_].second - P_;
      const std::size_t k = std::min<std::size_t>(n, largos ? resta / 2 : resta);
      if (k == 0) throw ETruncado{};
      if (largos) {
        const qsizetype antes = s.size();
        s.resize(antes + static_cast<qsizetype>(k));
        std::memcpy(s.data() + antes, p, 2 * k);
      } else {
        s.append(QLatin1String(reinterpret_cast<const char*>(p), static_cast<qsizetype>(k)));
      }
      P_ += largos ? 2 * k : k;
      n -= static_cast<std::uint32_t>(k);
    }
    // Texts were always handed on as C strings: whatever follows a NUL was never seen.
    const qsizetype nulo = s.indexOf(QChar(u'\0'));
    if (nulo >= 0) s.truncate(nulo);
    return s;
  }
  // A byte string of `n` bytes in a code page.
  QString Bytes(std::uint32_t n, const TPaginaDeCodigo& pagina) {
    std::vector<unsigned char> b(n);
    for (std::uint32_t i = 0; i < n; ++i) b[i] = U8();
    return pagina.Texto(b.data(), b.size());
  }
  // A string: its character count, its option byte, and the rich text runs and phonetic block
  // it may carry (skipped).
  QString Texto() {
    const std::uint32_t n = U16();
    const std::uint8_t opcoes = U8();
    const std::uint32_t trechos = (opcoes & 0x08) ? U16() : 0;
    const std::uint32_t fonetica = (opcoes & 0x04) ? U32() : 0;
    QString s = Caracteres(n, (opcoes & 0x01) != 0);
    Salta(4ull * trechos);
    Salta(fonetica);
    return s;
  }

 private:
  std::vector<std::pair<const unsigned char*, std::size_t>> Pedacos_;
  std::size_t I_ = 0, P_ = 0;
};

TCursor CursorDe(const TRegistro& r, std::size_t pula = 0) {
  if (pula > r.Tamanho) throw ETruncado{};
  return TCursor({{r.Dados + pula, r.Tamanho - pula}});
}

void Exige(const TRegistro& r, std::size_t tamanho) {
  if (r.Tamanho < tamanho) throw ETruncado{};
}

// A compact number: a 30-bit integer, or the upper 30 bits of a double, either maybe × 100.
double DecodificaRk(std::uint32_t rk, bool* inteiro) {
  const bool cem = rk & 0x01;
  *inteiro = (rk & 0x02) && !cem;
  if (rk & 0x02) {
    const double v = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    return cem ? v / 100.0 : v;
  }
  const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
  const double v = std::bit_cast<double>(bits);
  return cem ? v / 100.0 : v;
}

}  // namespace

TLivroBiff::TLivroBiff(QByteArray fluxo, QString arquivo)
    : Fluxo_(std::move(fluxo)), Arquivo_(std::move(arquivo)) {
  try {
    LeGlobais();
  } catch (const ETruncado&) {
    Falha(QStringLiteral("um registro da pasta de trabalho está truncado"));
  }
}

void TLivroBiff::Falha(const QString& motivo) const {
  throw ETorveda(QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel: %2.")
                     .arg(Arquivo_, motivo));
}

void TLivroBiff::LeGlobais() {
  TRegistros registros(Fluxo_, 0);
  TRegistro r;
  if (!registros.Proximo(r) || r.Tipo != kInicio || r.Tamanho < 4)
    Falha(QStringLiteral("a pasta de trabalho não começa por um registro de início"));
  Biff5_ = U16(r.Dados) == 0x0500;
  if (U16(r.Dados) != 0x0600 && !Biff5_)
    Falha(
        QStringLiteral("a pasta de trabalho não está no formato do Excel 97-2003 nem no do Excel "
                       "5.0/95"));
  // Texts of the older format are read in the code page named before them.
  std::unique_ptr<TPaginaDeCodigo> pagina;
  const auto paginaAtual = [&]() -> const TPaginaDeCodigo& {
    if (!pagina) {
      pagina = std::make_unique<TPaginaDeCodigo>(Pagina_);
      if (!pagina->Valida())
        Falha(QStringLiteral("a página de código %1 da pasta de trabalho não é suportada")
                  .arg(Pagina_));
    }
    return *pagina;
  };

  std::map<std::uint16_t, TTipoCelulaXls> formatos;
  std::vector<std::uint16_t> formatoDoXf;
  for (;;) {
    // The globals end at their own end-of-file record, never at the end of the stream.
    if (!registros.Proximo(r)) throw ETruncado{};
    if (r.Tipo == kFim) break;
    switch (r.Tipo) {
      case kSenha:
        Falha(QStringLiteral("a pasta de trabalho está protegida por senha"));
      case kPaginaDeCodigo:
        Exige(r, 2);
        if (Biff5_) {
          Pagina_ = U16(r.Dados);
          pagina.reset();
        }
        break;
      case kDataBase:
        Exige(r, 2);
        Base1904_ = U16(r.Dados) != 0;
        break;
      case kFolha: {
        Exige(r, 6);
        Inicios_.push_back(U32(r.Dados));
        // A short string: a one-byte count and an option byte that only tells the width.
        TCursor c = CursorDe(r, 6);
        const std::uint32_t n = c.U8();
        Folhas_ << (Biff5_ ? c.Bytes(n, paginaAtual()) : c.Caracteres(n, (c.U8() & 0x01) != 0));
        break;
      }
      case kXf:
        Exige(r, 4);
        formatoDoXf.push_back(U16(r.Dados + 2));
        break;
      case kFormato: {
        Exige(r, 2);
        TCursor c = CursorDe(r, 2);
        const TTipoCelulaXls tipo =
            TipoDoFormato(Biff5_ ? c.Bytes(c.U8(), paginaAtual()) : c.Texto());
        if (tipo != TTipoCelulaXls::Real && formatos.size() < kMaxFormatosData)
          formatos.emplace(U16(r.Dados), tipo);
        break;
      }
      case kSst: {
        if (Biff5_) break;
        std::vector<std::pair<const unsigned char*, std::size_t>> pedacos{{r.Dados, r.Tamanho}};
        registros.Continuacoes(pedacos);
        TCursor c(std::move(pedacos));
        c.U32();
        const std::uint32_t n = c.U32();
        // The count is the file's word: bound what is reserved by what the bytes can hold.
        Sst_.reserve(std::min<std::size_t>(n, static_cast<std::size_t>(Fluxo_.size()) / 3));
        for (std::uint32_t i = 0; i < n && !c.Fim(); ++i) Sst_.push_back(c.Texto());
        break;
      }
      default:
        break;
    }
  }

  TipoDoXf_.reserve(formatoDoXf.size());
  for (const std::uint16_t f : formatoDoXf) {
    TTipoCelulaXls tipo = TipoDoFormatoEmbutido(f);
    if (tipo == TTipoCelulaXls::Nula) {
      const auto it = formatos.find(f);
      tipo = it != formatos.end() ? it->second : TTipoCelulaXls::Real;
    }
    TipoDoXf_.push_back(tipo);
  }
}

TTipoCelulaXls TLivroBiff::TipoDoNumero(std::uint16_t xf) const {
  return xf < TipoDoXf_.size() ? TipoDoXf_[xf] : TTipoCelulaXls::Real;
}

TFolhaXls TLivroBiff::LeFolha(qsizetype indice, bool soPrimeiraLinha) const {
  TFolhaXls folha;
  if (indice < 0 || static_cast<std::size_t>(indice) >= Inicios_.size() ||
      Inicios_[static_cast<std::size_t>(indice)] >= static_cast<std::size_t>(Fluxo_.size()))
    Falha(QStringLiteral("a folha \"%1\" aponta para fora da pasta de trabalho")
              .arg(Folhas_.value(indice)));
  const TPaginaDeCodigo pagina(Biff5_ ? Pagina_ : 1252);
  // A string cell: one in UTF-16 or one byte a character, or bytes in the code page.
  const auto textoDaCelula = [&](TCursor& c) {
    return Biff5_ ? c.Bytes(c.U16(), pagina) : c.Texto();
  };
  // The cell whose text comes in the record after its formula.
  bool aguardaTexto = false;
  unsigned linhaDoTexto = 0, colunaDoTexto = 0;

  // The declared extent is only a hint (writers get it wrong): every cell record counts.
  const auto celula = [&](unsigned linha, unsigned coluna) -> TCelulaXls* {
    aguardaTexto = false;
    if (coluna >= kMaxColunas) return nullptr;
    return &folha.Define(linha, coluna);
  };
  const auto numero = [&](TCelulaXls* c, double valor, bool inteiro, std::uint16_t xf) {
    if (!c) return;
    const TTipoCelulaXls tipo = TipoDoNumero(xf);
    c->Tipo = tipo == TTipoCelulaXls::Real && inteiro ? TTipoCelulaXls::Inteiro : tipo;
    c->Valor = valor;
  };
  const auto texto = [&](TCelulaXls* c, QString s) {
    if (!c) return;
    // An empty text is an empty cell.
    if (s.isEmpty()) {
      c->Tipo = TTipoCelulaXls::Nula;
      return;
    }
    c->Tipo = TTipoCelulaXls::Texto;
    c->Texto = static_cast<std::uint32_t>(folha.Textos.size());
    folha.Textos.push_back(std::move(s));
  };

  try {
    TRegistros registros(Fluxo_, Inicios_[static_cast<std::size_t>(indice)]);
    TRegistro r;
    if (!registros.Proximo(r) || r.Tipo != kInicio)
      Falha(QStringLiteral("a folha \"%1\" não começa por um registro de início")
                .arg(Folhas_.value(indice)));
    // Embedded charts nest substreams of their own. The sheet ends at its end-of-file record:
    // a stream that ends first is cut short.
    int nivel = 1;
    while (nivel > 0) {
      if (!registros.Proximo(r)) throw ETruncado{};
      if (r.Tipo == kInicio) {
        ++nivel;
        continue;
      }
      if (r.Tipo == kFim) {
        --nivel;
        continue;
      }
      if (nivel > 1) continue;
      const bool ehCelula = r.Tipo == kNumero || r.Tipo == kRk || r.Tipo == kMulRk ||
                            r.Tipo == kTextoSst || r.Tipo == kTexto || r.Tipo == kTextoRico ||
                            r.Tipo == kLogico || r.Tipo == kFormula;
      if (ehCelula) {
        Exige(r, 6);
        if (soPrimeiraLinha && U16(r.Dados) >= 1) break;
      }
      switch (r.Tipo) {
        case kDimensoes: {
          // Row numbers are 32-bit words from Excel 97 on, 16-bit ones before.
          Exige(r, Biff5_ ? 8 : 12);
          aguardaTexto = false;
          folha.Colunas = std::max(
              folha.Colunas, std::min<unsigned>(U16(r.Dados + (Biff5_ ? 6 : 10)), kMaxColunas));
          break;
        }
        case kNumero: {
          Exige(r, 14);
          double v;
          std::memcpy(&v, r.Dados + 6, 8);
          numero(celula(U16(r.Dados), U16(r.Dados + 2)), v, false, U16(r.Dados + 4));
          break;
        }
        case kRk: {
          Exige(r, 10);
          bool inteiro = false;
          const double v = DecodificaRk(U32(r.Dados + 6), &inteiro);
          numero(celula(U16(r.Dados), U16(r.Dados + 2)), v, inteiro, U16(r.Dados + 4));
          break;
        }
        case kMulRk: {
          const unsigned linha = U16(r.Dados);
          unsigned coluna = U16(r.Dados + 2);
          for (std::size_t p = 4; p + 6 < r.Tamanho; p += 6, ++coluna) {
            bool inteiro = false;
            const double v = DecodificaRk(U32(r.Dados + p + 2), &inteiro);
            numero(celula(linha, coluna), v, inteiro, U16(r.Dados + p));
          }
          break;
        }
        case kTextoSst: {
          Exige(r, 10);
          const std::uint32_t i = U32(r.Dados + 6);
          if (i >= Sst_.size())
            Falha(QStringLiteral("a folha \"%1\" usa o texto compartilhado %2, que não existe")
                      .arg(Folhas_.value(indice))
                      .arg(i));
          texto(celula(U16(r.Dados), U16(r.Dados + 2)), Sst_[i]);
          break;
        }
        case kTexto:
        case kTextoRico: {
          TCursor c = CursorDe(r, 6);
          texto(celula(U16(r.Dados), U16(r.Dados + 2)), textoDaCelula(c));
          break;
        }
        case kLogico: {
          Exige(r, 8);
          TCelulaXls* c = celula(U16(r.Dados), U16(r.Dados + 2));
          // An error value (#N/D, #DIV/0!...) holds no data.
          if (c && r.Dados[7] == 0) {
            c->Tipo = TTipoCelulaXls::Inteiro;
            c->Valor = r.Dados[6] != 0 ? 1 : 0;
          }
          break;
        }
        case kFormula: {
          Exige(r, 14);
          TCelulaXls* c = celula(U16(r.Dados), U16(r.Dados + 2));
          const unsigned char* resultado = r.Dados + 6;
          if (U16(resultado + 6) != 0xFFFF) {
            double v;
            std::memcpy(&v, resultado, 8);
            numero(c, v, false, U16(r.Dados + 4));
          } else if (c && resultado[0] == 0) {
            aguardaTexto = true;
            linhaDoTexto = U16(r.Dados);
            colunaDoTexto = U16(r.Dados + 2);
          } else if (c && resultado[0] == 1) {
            c->Tipo = TTipoCelulaXls::Inteiro;
            c->Valor = resultado[2] != 0 ? 1 : 0;
          }
          break;
        }
        case kTextoDaFormula: {
          std::vector<std::pair<const unsigned char*, std::size_t>> pedacos{{r.Dados, r.Tamanho}};
          registros.Continuacoes(pedacos);
          if (aguardaTexto) {
            TCursor c(std::move(pedacos));
            QString s = textoDaCelula(c);
            texto(celula(linhaDoTexto, colunaDoTexto), std::move(s));
          }
          aguardaTexto = false;
          break;
        }
        default:
          break;
      }
    }
  } catch (const ETruncado&) {
    Falha(QStringLiteral("um registro da folha \"%1\" está truncado").arg(Folhas_.value(indice)));
  }
  return folha;
}
