#include "base/Caminhos.h"

#include <QFileInfo>

TCaminhos::TCaminhos(const QString& dir, const QString& nomeBase)
    : Dir_(dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/')), NomeBase_(nomeBase) {}

QString TCaminhos::NomeBaseDe(const QString& arquivoExecutavel) {
  const QString nome = QFileInfo(arquivoExecutavel).fileName();
  const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
  return ponto > 0 ? nome.left(ponto) : nome;
}

QString TCaminhos::Ajuda() const { return Dir_ + QStringLiteral("Ajuda/Ajuda.html"); }
QString TCaminhos::Matrizes() const { return Dir_ + QStringLiteral("Dados/DadosSIG/Matrizes/"); }
QString TCaminhos::DadosSIG() const { return Dir_ + QStringLiteral("Dados/DadosSIG/"); }
QString TCaminhos::DadosBD() const { return Dir_ + QStringLiteral("Dados/DadosBD/"); }
QString TCaminhos::BaseDados() const { return DadosBD() + NomeBase_ + QStringLiteral(".sqlite"); }
QString TCaminhos::OutorgasAqem() const {
  return DadosBD() + NomeBase_ + QStringLiteral("_Outorgas_AQEM.xls");
}
QString TCaminhos::OutorgasAna() const {
  return DadosBD() + NomeBase_ + QStringLiteral("_Outorgas_ANA.xls");
}
QString TCaminhos::Relatorios() const { return Dir_ + QStringLiteral("Imagens/Relatórios/"); }
QString TCaminhos::DadosSIGManutencao() const { return Dir_ + QStringLiteral("DadosSIG/"); }
