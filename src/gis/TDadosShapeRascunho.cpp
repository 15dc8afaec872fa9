// Drafts of a dataset and the replacement of every record at once, for the rebuilds that must
// leave a layer exactly as it was unless they complete.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "base/Erro.h"
#include "gis/TDadosShape.h"
#include "gis/interno/DadosShape.h"
#include "gis/interno/Substituicao.h"

namespace {

// A file the owner marked read-only stays so, even for a user (root) whom the system would let
// write it anyway.
bool SomenteLeitura(const QString& caminho) {
  const QFileInfo fi(caminho);
  // The mode bits alone (WriteUser would ask the system, which lets root write anything).
  constexpr QFile::Permissions escrita = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
  if (!(fi.permissions() & escrita)) return true;
  return ::access(QFile::encodeName(caminho).constData(), W_OK) != 0;
}

}  // namespace

std::shared_ptr<TDadosShape> TDadosShape::NovoRascunho() const {
  auto d = std::make_unique<TDados>();
  d->Nome = D_->Nome;
  d->Caminho = D_->Caminho;
  d->TipoOgr = D_->TipoOgr;
  d->Geometria = D_->Geometria;
  d->Campos = D_->Campos;
  d->Indices = D_->Indices;
  D_->Defn->Reference();
  d->Defn.reset(D_->Defn.get());
  d->Prj = D_->Prj;
  d->Encoding = D_->Encoding;
  d->Rascunho = true;
  return std::shared_ptr<TDadosShape>(new TDadosShape(std::move(d)));
}

bool TDadosShape::Rascunho() const { return D_->Rascunho; }

QString TDadosShape::ImpedimentoGravacao() const {
  const QFileInfo destino(D_->Caminho);
  const QString pasta = destino.absolutePath();
  if (!QFileInfo(pasta).isDir())
    return QStringLiteral("a pasta %1 não existe.").arg(QDir::toNativeSeparators(pasta));
  if (SomenteLeitura(pasta))
    return QStringLiteral("a pasta %1 não pode ser gravada.").arg(QDir::toNativeSeparators(pasta));
  const QDir dir(pasta);
  for (const QString& ext : Substituicao::Extensoes()) {
    const QString membro = dir.filePath(destino.completeBaseName() + QLatin1Char('.') + ext);
    if (QFileInfo::exists(membro) && SomenteLeitura(membro))
      return QStringLiteral("o arquivo %1 é somente leitura.")
          .arg(QDir::toNativeSeparators(membro));
  }
  return {};
}

struct TSubstituicaoPreparada::TDados {
  TDadosShape::TDados* Destino = nullptr;
  QString Pasta;
  QString Nome;
  std::unique_ptr<QTemporaryDir> Temporaria;
  std::vector<Ogr::TFeature> Novos;
  bool Marcada = false;
  bool Movendo = false;
  bool Concluida = false;
};

TSubstituicaoPreparada::TSubstituicaoPreparada(std::unique_ptr<TDados> d) : D_(std::move(d)) {}

// Marked but never moved, the files are withdrawn: the datasets prepared with it were given up,
// and the next opening must not move this one alone. Once a move began, it must be finished.
TSubstituicaoPreparada::~TSubstituicaoPreparada() {
  if (D_->Marcada && !D_->Movendo) QDir(D_->Temporaria->path()).removeRecursively();
}

void TSubstituicaoPreparada::Marca() {
  if (D_->Marcada) return;
  Substituicao::MarcaCompleta(D_->Temporaria->path(), D_->Nome);
  // From here on an interrupted move is finished by the next opening, so the folder stays.
  D_->Temporaria->setAutoRemove(false);
  D_->Marcada = true;
}

void TSubstituicaoPreparada::Conclui() {
  if (D_->Concluida) return;
  Marca();
  D_->Movendo = true;
  Substituicao::Conclui(D_->Temporaria->path(), D_->Pasta, D_->Nome);
  D_->Concluida = true;

  TDadosShape::TDados& destino = *D_->Destino;
  // Old keys are retired, never reused: a key held elsewhere finds its record gone.
  for (auto& r : destino.Registros) r.reset();
  for (auto& f : D_->Novos) destino.Registros.push_back(std::move(f));
  destino.Vivos = static_cast<qint64>(D_->Novos.size());
  D_->Novos.clear();
  destino.Caminho = QDir(D_->Pasta).filePath(D_->Nome + QStringLiteral(".shp"));
  destino.Alterou();
  destino.Modificado = false;
}

std::unique_ptr<TSubstituicaoPreparada> TDadosShape::PreparaSubstituicao(
    const TDadosShape& rascunho) {
  if (D_->Rascunho) throw ETorveda(QStringLiteral("Um rascunho não substitui registros."));
  if (rascunho.D_->Defn.get() != D_->Defn.get())
    throw ETorveda(
        QStringLiteral("Os registros novos de %1 não têm o esquema da camada.").arg(D_->Nome));
  const QString impedimento = ImpedimentoGravacao();
  if (!impedimento.isEmpty())
    throw ETorveda(
        QStringLiteral("A camada \"%1\" não pode ser gravada: %2").arg(D_->Nome, impedimento));

  const QFileInfo destino(D_->Caminho);
  auto p = std::make_unique<TSubstituicaoPreparada::TDados>();
  p->Destino = D_.get();
  p->Pasta = destino.absolutePath();
  p->Nome = destino.completeBaseName();
  p->Temporaria = std::make_unique<QTemporaryDir>(
      p->Pasta + QLatin1Char('/') + Substituicao::Prefixo(p->Nome) + QStringLiteral("XXXXXX"));
  if (!p->Temporaria->isValid())
    throw ETorveda(QStringLiteral("Não foi possível gravar %1 em %2").arg(D_->Nome, p->Pasta));
  const QString base = p->Temporaria->path() + QLatin1Char('/') + p->Nome;
  rascunho.D_->Escreve(base);

  // What goes into memory is what the files hold (texts cut to their widths, reals to their
  // decimals), read back before the old files are touched.
  QString erro;
  const auto relido = TDadosShape::Abre(base + QStringLiteral(".shp"), &erro);
  if (!relido) throw ETorveda(QStringLiteral("Não foi possível gravar %1: %2").arg(D_->Nome, erro));
  p->Novos.reserve(relido->D_->Registros.size());
  const int nCampos = D_->Defn->GetFieldCount();
  if (relido->D_->Defn->GetFieldCount() != nCampos)
    throw ETorveda(
        QStringLiteral("Não foi possível gravar %1: os campos não voltaram iguais.").arg(D_->Nome));
  std::vector<int> mapa(static_cast<std::size_t>(nCampos));
  for (std::size_t i = 0; i < mapa.size(); ++i) mapa[i] = static_cast<int>(i);
  for (const auto& lido : relido->D_->Registros) {
    if (!lido) continue;
    Ogr::TFeature f = D_->NovoRegistro();
    if (f->SetFrom(lido.get(), mapa.data(), TRUE) != OGRERR_NONE)
      throw ETorveda(QStringLiteral("Não foi possível gravar %1: um registro não voltou igual.")
                         .arg(D_->Nome));
    p->Novos.push_back(std::move(f));
  }
  // Flushed now, while nothing is committed: the marks of datasets that change together then
  // follow one another closely.
  Substituicao::SincronizaMembros(p->Temporaria->path(), p->Nome);
  return std::unique_ptr<TSubstituicaoPreparada>(new TSubstituicaoPreparada(std::move(p)));
}

void TDadosShape::SubstituiRegistros(const TDadosShape& rascunho) {
  PreparaSubstituicao(rascunho)->Conclui();
}
