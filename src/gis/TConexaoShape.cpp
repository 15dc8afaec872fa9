#include "gis/TConexaoShape.h"

#include <QDir>
#include <QFileInfo>

#include "gis/TDadosShape.h"

TConexaoShape::TConexaoShape(const QString& diretorio) { SetDiretorio(diretorio); }

TConexaoShape::~TConexaoShape() = default;

void TConexaoShape::SetDiretorio(const QString& diretorio) {
  QString d = QDir::fromNativeSeparators(diretorio);
  while (d.size() > 1 && d.endsWith(QLatin1Char('/'))) d.chop(1);
  if (d != Diretorio_) {
    Diretorio_ = d;
    Conectada_ = false;
    Abertos_.clear();
  }
}

bool TConexaoShape::Conecta() {
  const QFileInfo fi(Diretorio_);
  Conectada_ = !Diretorio_.isEmpty() && fi.isDir() && fi.isReadable() && fi.isExecutable();
  UltimoErro_ = Conectada_ ? QString() : QStringLiteral("Pasta inacessível: %1").arg(Diretorio_);
  return Conectada_;
}

std::shared_ptr<TDadosShape> TConexaoShape::Dataset(const QString& nome) {
  UltimoErro_.clear();
  UltimoIlegivel_ = false;
  if (!Conectada_) {
    UltimoErro_ = QStringLiteral("Conexão não estabelecida com %1").arg(Diretorio_);
    return nullptr;
  }
  const QString chave = nome.toLower();
  if (auto it = Abertos_.constFind(chave); it != Abertos_.constEnd()) return it.value();

  // Names are matched without regard to case, as on the system the data was made on.
  const QDir dir(Diretorio_);
  QString arquivo;
  const QString procurado = nome + QStringLiteral(".shp");
  for (const QString& f : dir.entryList({procurado}, QDir::Files)) {
    if (f.compare(procurado, Qt::CaseInsensitive) != 0) continue;
    if (arquivo.isEmpty() || f == procurado) arquivo = f;
  }
  if (nome.isEmpty() || arquivo.isEmpty()) {
    UltimoErro_ = QStringLiteral("Dataset inexistente: %1").arg(nome);
    return nullptr;
  }
  auto dados = TDadosShape::Abre(dir.filePath(arquivo), &UltimoErro_);
  if (dados)
    Abertos_.insert(chave, dados);
  else
    UltimoIlegivel_ = true;
  return dados;
}
