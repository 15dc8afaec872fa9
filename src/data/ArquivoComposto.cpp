#include "data/ArquivoComposto.h"

#include <bit>
#include <cstring>

#include "base/Erro.h"

namespace {

constexpr std::uint32_t kFimDaCadeia = 0xFFFFFFFE;
constexpr std::uint32_t kLivre = 0xFFFFFFFF;
constexpr qsizetype kCabecalho = 512;
constexpr int kEntradasDifatNoCabecalho = 109;
constexpr std::uint8_t kFluxo = 2;

}  // namespace

TArquivoComposto::TArquivoComposto(QByteArray bytes, QString arquivo)
    : Bytes_(std::move(bytes)), Arquivo_(std::move(arquivo)) {
  static const char assinatura[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  if (Bytes_.size() < kCabecalho || std::memcmp(Bytes_.constData(), assinatura, 8) != 0)
    Falha(
        QStringLiteral("o cabeçalho do arquivo está incompleto ou não é de uma planilha do "
                       "Excel 97-2003"));
  const auto palavra16 = [this](qsizetype p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(Bytes_[p]) |
                                      (static_cast<unsigned char>(Bytes_[p + 1]) << 8));
  };
  const std::uint16_t deslocamento = palavra16(0x1E);
  const std::uint16_t miniDeslocamento = palavra16(0x20);
  if ((deslocamento != 9 && deslocamento != 12) || miniDeslocamento != 6)
    Falha(QStringLiteral("tamanho de setor inválido no cabeçalho"));
  Setor_ = 1u << deslocamento;
  MiniSetor_ = 1u << miniDeslocamento;
  Corte_ = Palavra32(0x38);
  LeFat();
  LeDiretorio();
}

void TArquivoComposto::Falha(const QString& motivo) const {
  throw ETorveda(QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel: %2.")
                     .arg(Arquivo_, motivo));
}

std::uint32_t TArquivoComposto::Palavra32(qsizetype p) const {
  if (p < 0 || p + 4 > Bytes_.size()) Falha(QStringLiteral("o arquivo está truncado"));
  const auto* b = reinterpret_cast<const unsigned char*>(Bytes_.constData()) + p;
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

void TArquivoComposto::LeFat() {
  // Sectors that start inside the file; the first "sector" is the header.
  const std::uint64_t nSetores =
      (static_cast<std::uint64_t>(Bytes_.size()) + Setor_ - 1) / Setor_ - 1;
  const std::uint32_t nFat = Palavra32(0x2C);
  if (nFat == 0 || nFat > nSetores)
    Falha(QStringLiteral("a tabela de alocação declara %1 setores, e o arquivo tem %2")
              .arg(nFat)
              .arg(nSetores));
  std::vector<std::uint32_t> setoresFat;
  setoresFat.reserve(nFat);
  for (int i = 0; i < kEntradasDifatNoCabecalho && setoresFat.size() < nFat; ++i)
    setoresFat.push_back(Palavra32(0x4C + 4 * i));
  // The rest of the list lies in a chain of its own sectors, the last word of each pointing on.
  std::uint32_t difat = Palavra32(0x44);
  const std::uint32_t porSetor = Setor_ / 4 - 1;
  std::uint64_t passos = 0;
  while (setoresFat.size() < nFat) {
    if (difat == kFimDaCadeia || difat == kLivre || difat >= nSetores)
      Falha(QStringLiteral("a lista de setores da tabela de alocação está incompleta"));
    if (++passos > nSetores)
      Falha(QStringLiteral("a lista de setores da tabela de alocação forma um ciclo"));
    const qsizetype base = static_cast<qsizetype>(difat + 1) * Setor_;
    for (std::uint32_t i = 0; i < porSetor && setoresFat.size() < nFat; ++i)
      setoresFat.push_back(Palavra32(base + 4 * i));
    difat = Palavra32(base + 4 * porSetor);
  }
  const std::uint32_t porFat = Setor_ / 4;
  Fat_.resize(static_cast<std::size_t>(nFat) * porFat);
  for (std::size_t k = 0; k < setoresFat.size(); ++k) {
    const std::uint32_t s = setoresFat[k];
    const qsizetype base = static_cast<qsizetype>(s + 1ull) * Setor_;
    if (s >= nSetores || base + Setor_ > Bytes_.size())
      Falha(QStringLiteral("um setor da tabela de alocação está fora do arquivo"));
    std::memcpy(Fat_.data() + k * porFat, Bytes_.constData() + base, Setor_);
  }
  // The words are little-endian on disk, as on every machine the program runs on.
  static_assert(std::endian::native == std::endian::little);
}

std::vector<std::uint32_t> TArquivoComposto::Cadeia(std::uint32_t inicio,
                                                    const std::vector<std::uint32_t>& fat,
                                                    const char* oque) const {
  std::vector<std::uint32_t> setores;
  for (std::uint32_t s = inicio; s != kFimDaCadeia; s = fat[s]) {
    if (s >= fat.size())
      Falha(QStringLiteral("%1 aponta para o setor %2, que não existe")
                .arg(QString::fromUtf8(oque))
                .arg(s));
    // A chain can hold each sector once: a longer one loops.
    if (setores.size() >= fat.size())
      Falha(QStringLiteral("%1 volta a um setor já lido (cadeia de setores em ciclo)")
                .arg(QString::fromUtf8(oque)));
    setores.push_back(s);
  }
  return setores;
}

QByteArray TArquivoComposto::LeCadeia(std::uint32_t inicio, std::uint64_t tamanho,
                                      const char* oque) const {
  if (tamanho > static_cast<std::uint64_t>(Bytes_.size()))
    Falha(
        QStringLiteral("%1 declara mais bytes do que o arquivo tem").arg(QString::fromUtf8(oque)));
  QByteArray saida;
  saida.reserve(static_cast<qsizetype>(tamanho));
  for (const std::uint32_t s : Cadeia(inicio, Fat_, oque)) {
    if (static_cast<std::uint64_t>(saida.size()) >= tamanho) break;
    const qsizetype base = static_cast<qsizetype>(s + 1ull) * Setor_;
    if (base >= Bytes_.size())
      Falha(QStringLiteral("%1 continua além do fim do arquivo (arquivo truncado)")
                .arg(QString::fromUtf8(oque)));
    saida.append(Bytes_.constData() + base, std::min<qsizetype>(Setor_, Bytes_.size() - base));
  }
  if (static_cast<std::uint64_t>(saida.size()) < tamanho)
    Falha(QStringLiteral("%1 termina antes do tamanho declarado (arquivo truncado)")
              .arg(QString::fromUtf8(oque)));
  saida.truncate(static_cast<qsizetype>(tamanho));
  return saida;
}

void TArquivoComposto::LeDiretorio() {
  const std::uint32_t inicio = Palavra32(0x30);
  const std::size_t nSetores = Cadeia(inicio, Fat_, "o diretório").size();
  const QByteArray dir =
      LeCadeia(inicio, static_cast<std::uint64_t>(nSetores) * Setor_, "o diretório");
  const bool versao3 = Setor_ == 512;
  for (qsizetype p = 0; p + 128 <= dir.size(); p += 128) {
    const auto* e = reinterpret_cast<const unsigned char*>(dir.constData()) + p;
    TEntrada entrada;
    entrada.Tipo = e[0x42];
    const unsigned tamanhoNome = std::min<unsigned>(e[0x40] | (e[0x41] << 8), 64);
    const unsigned nCaracteres = tamanhoNome >= 2 ? tamanhoNome / 2 - 1 : 0;
    for (unsigned i = 0; i < nCaracteres; ++i)
      entrada.Nome.append(QChar(static_cast<char16_t>(e[2 * i] | (e[2 * i + 1] << 8))));
    std::memcpy(&entrada.Inicio, e + 0x74, 4);
    std::memcpy(&entrada.Tamanho, e + 0x78, 8);
    // Files of the 512-byte version may leave garbage in the size's upper half.
    if (versao3) entrada.Tamanho &= 0xFFFFFFFFull;
    Entradas_.push_back(std::move(entrada));
  }
  if (Entradas_.empty()) Falha(QStringLiteral("o diretório está vazio"));
}

void TArquivoComposto::LeMiniFat() {
  const TEntrada& raiz = Entradas_.front();
  const std::uint32_t inicio = Palavra32(0x3C);
  if (inicio == kFimDaCadeia || inicio == kLivre || raiz.Tamanho == 0) return;
  const std::size_t nSetores = Cadeia(inicio, Fat_, "a tabela de alocação pequena").size();
  const QByteArray mini = LeCadeia(inicio, static_cast<std::uint64_t>(nSetores) * Setor_,
                                   "a tabela de alocação pequena");
  MiniFat_.resize(static_cast<std::size_t>(mini.size() / 4));
  std::memcpy(MiniFat_.data(), mini.constData(), MiniFat_.size() * 4);
  MiniFluxo_ = LeCadeia(raiz.Inicio, raiz.Tamanho, "o fluxo dos setores pequenos");
}

std::optional<QByteArray> TArquivoComposto::Fluxo(const QString& nome) {
  for (const TEntrada& e : Entradas_) {
    if (e.Tipo != kFluxo || e.Nome.compare(nome, Qt::CaseInsensitive) != 0) continue;
    if (e.Tamanho >= Corte_) return LeCadeia(e.Inicio, e.Tamanho, "o fluxo da pasta de trabalho");
    // A small stream lives in 64-byte sectors inside the root's stream, read only when needed.
    if (MiniFluxo_.isEmpty()) LeMiniFat();
    if (e.Tamanho > static_cast<std::uint64_t>(MiniFluxo_.size()))
      Falha(QStringLiteral("o fluxo da pasta de trabalho declara mais bytes do que há"));
    QByteArray saida;
    saida.reserve(static_cast<qsizetype>(e.Tamanho));
    for (const std::uint32_t s : Cadeia(e.Inicio, MiniFat_, "o fluxo da pasta de trabalho")) {
      if (static_cast<std::uint64_t>(saida.size()) >= e.Tamanho) break;
      const qsizetype base = static_cast<qsizetype>(s) * MiniSetor_;
      if (base >= MiniFluxo_.size())
        Falha(
            QStringLiteral("o fluxo da pasta de trabalho aponta para um setor pequeno que não "
                           "existe"));
      saida.append(MiniFluxo_.constData() + base,
                   std::min<qsizetype>(MiniSetor_, MiniFluxo_.size() - base));
    }
    if (static_cast<std::uint64_t>(saida.size()) < e.Tamanho)
      Falha(QStringLiteral("o fluxo da pasta de trabalho está incompleto (arquivo truncado)"));
    saida.truncate(static_cast<qsizetype>(e.Tamanho));
    return saida;
  }
  return std::nullopt;
}
