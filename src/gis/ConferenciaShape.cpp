#include "gis/ConferenciaShape.h"

#include <QFile>
#include <QFileInfo>
#include <cstdint>

namespace ConferenciaShape {

namespace {

// The file beside the .shp with that extension, in the .shp's case or the other.
QString Irmao(const QFileInfo& shp, const char* extensao) {
  const QString base = shp.path() + QLatin1Char('/') + shp.completeBaseName() + QLatin1Char('.');
  const QString minusculo = base + QLatin1String(extensao);
  const QString maiusculo = base + QString::fromLatin1(extensao).toUpper();
  const bool preferiMaiusculo = shp.suffix() == shp.suffix().toUpper();
  const QString primeiro = preferiMaiusculo ? maiusculo : minusculo;
  const QString segundo = preferiMaiusculo ? minusculo : maiusculo;
  return QFileInfo::exists(primeiro) || !QFileInfo::exists(segundo) ? primeiro : segundo;
}

// The whole file, mapped when it can be; empty when it cannot be read.
class TConteudo {
 public:
  explicit TConteudo(const QString& arquivo) : Arquivo_(arquivo) {
    if (!Arquivo_.open(QIODevice::ReadOnly)) return;
    Tamanho_ = Arquivo_.size();
    if (Tamanho_ <= 0) return;
    Dados_ = Arquivo_.map(0, Tamanho_);
    if (!Dados_) {
      Copia_ = Arquivo_.readAll();
      Dados_ = reinterpret_cast<const uchar*>(Copia_.constData());
      Tamanho_ = Copia_.size();
    }
  }
  qint64 Tamanho() const { return Dados_ ? Tamanho_ : 0; }
  std::uint32_t Grande32(qint64 p) const {
    return std::uint32_t{Dados_[p]} << 24 | std::uint32_t{Dados_[p + 1]} << 16 |
           std::uint32_t{Dados_[p + 2]} << 8 | Dados_[p + 3];
  }
  std::uint32_t Pequeno32(qint64 p) const {
    return std::uint32_t{Dados_[p + 3]} << 24 | std::uint32_t{Dados_[p + 2]} << 16 |
           std::uint32_t{Dados_[p + 1]} << 8 | Dados_[p];
  }
  std::uint32_t Pequeno16(qint64 p) const { return std::uint32_t{Dados_[p + 1]} << 8 | Dados_[p]; }

 private:
  QFile Arquivo_;
  QByteArray Copia_;
  const uchar* Dados_ = nullptr;
  qint64 Tamanho_ = 0;
};

constexpr qint64 CabecalhoShp = 100;
constexpr std::uint32_t CodigoShp = 9994;

}  // namespace

QString Confere(const QString& caminho) {
  const QFileInfo shp(caminho);
  const QFileInfo dbf(Irmao(shp, "dbf"));
  const QFileInfo shx(Irmao(shp, "shx"));
  if (!dbf.isFile()) return QStringLiteral("Falta o arquivo de atributos %1.").arg(dbf.fileName());

  // The attribute table: its header declares the records and their size.
  const TConteudo d(dbf.filePath());
  if (d.Tamanho() < 32)
    return QStringLiteral("O arquivo de atributos %1 está truncado: não tem nem o cabeçalho.")
        .arg(dbf.fileName());
  const qint64 registros = d.Pequeno32(4);
  const qint64 cabecalho = d.Pequeno16(8);
  const qint64 largura = d.Pequeno16(10);
  if (cabecalho < 33 || largura < 1)
    return QStringLiteral("O arquivo de atributos %1 tem um cabeçalho inválido.")
        .arg(dbf.fileName());
  const qint64 esperado = cabecalho + registros * largura;
  if (d.Tamanho() < esperado)
    return QStringLiteral(
               "O arquivo de atributos %1 está truncado: o cabeçalho indica %2 "
               "registros (%3 bytes), mas o arquivo tem %4 bytes.")
        .arg(dbf.fileName())
        .arg(registros)
        .arg(esperado)
        .arg(d.Tamanho());

  // Without the index the shapefile reader refuses the layer by itself.
  if (!shx.isFile()) return {};
  const TConteudo s(shp.filePath());
  const TConteudo x(shx.filePath());
  if (s.Tamanho() < CabecalhoShp || s.Grande32(0) != CodigoShp)
    return QStringLiteral("O arquivo %1 não é um arquivo de geometrias válido.")
        .arg(shp.fileName());
  if (x.Tamanho() < CabecalhoShp || x.Grande32(0) != CodigoShp)
    return QStringLiteral("O índice %1 não é um índice de geometrias válido.").arg(shx.fileName());
  const qint64 formas = (x.Tamanho() - CabecalhoShp) / 8;
  if (formas != registros)
    return QStringLiteral("%1 tem %2 geometrias, mas %3 tem %4 registros de atributos.")
        .arg(shx.fileName())
        .arg(formas)
        .arg(dbf.fileName())
        .arg(registros);

  // Each record the index points at: inside the file, of the length the index gives, and of the
  // file's shape type or the null shape.
  const std::uint32_t tipo = s.Pequeno32(32);
  for (qint64 i = 0; i < formas; ++i) {
    const qint64 p = CabecalhoShp + 8 * i;
    const qint64 inicio = qint64{x.Grande32(p)} * 2;
    const qint64 conteudo = qint64{x.Grande32(p + 4)} * 2;
    const bool dentro =
        inicio >= CabecalhoShp && conteudo >= 4 && inicio + 8 + conteudo <= s.Tamanho();
    if (!dentro || qint64{s.Grande32(inicio + 4)} * 2 != conteudo ||
        (s.Pequeno32(inicio + 8) != 0 && s.Pequeno32(inicio + 8) != tipo))
      return QStringLiteral("O arquivo %1 está corrompido: a geometria %2 não pode ser lida.")
          .arg(shp.fileName())
          .arg(i + 1);
  }
  return {};
}

}  // namespace ConferenciaShape
