#include "data/LeitorXls.h"

#include <QFile>

#include "base/Erro.h"
#include "data/ArquivoComposto.h"
#include "data/LivroBiff.h"
#include "data/TabelaFolhaXls.h"

TLeitorXls::TLeitorXls(const QString& arquivo) : Arquivo_(arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly))
    throw ETorveda(QStringLiteral("O arquivo %1 não pode ser lido.").arg(arquivo));
  TArquivoComposto composto(f.readAll(), arquivo);
  f.close();
  std::optional<QByteArray> fluxo = composto.Fluxo(QStringLiteral("Workbook"));
  if (!fluxo) fluxo = composto.Fluxo(QStringLiteral("Book"));
  if (!fluxo)
    throw ETorveda(QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel: "
                                  "ele não contém uma pasta de trabalho.")
                       .arg(arquivo));
  Livro_ = std::make_unique<TLivroBiff>(std::move(*fluxo), arquivo);
  Folhas_ = Livro_->Folhas();
}

TLeitorXls::~TLeitorXls() = default;

bool TLeitorXls::EhXls(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) return false;
  static const char assinatura[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  return f.read(8) == QByteArray(assinatura, 8);
}

qsizetype TLeitorXls::Indice(const QString& folha) const {
  const qsizetype i = Folhas_.indexOf(folha);
  if (i < 0)
    throw ETorveda(QStringLiteral("A planilha %1 não tem a folha \"%2\".").arg(Arquivo_, folha));
  return i;
}

QStringList TLeitorXls::Titulos(const QString& folha) {
  return TitulosDaFolha(Livro_->LeFolha(Indice(folha), true));
}

void TLeitorXls::Le(const QString& folha, std::vector<TTabelaPlanilha::TColuna>& colunas,
                    std::vector<std::vector<QVariant>>& linhas) {
  TabelaDaFolha(Livro_->LeFolha(Indice(folha), false), Livro_->Base1904(), folha, colunas, linhas);
}
