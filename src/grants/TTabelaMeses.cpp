#include "grants/TTabelaMeses.h"

#include <utility>

#include "base/Apresentador.h"

void TTabelaMeses::Redimensiona(int colunas, int linhas) {
  Colunas_ = colunas < 0 ? 0 : colunas;
  Linhas_ = linhas < 0 ? 0 : linhas;
  TitulosCentrados_ = false;
  Titulos_ = QStringList();
  for (int i = 0; i < Colunas_; ++i) Titulos_.append(QString());
  Celulas_.assign(static_cast<size_t>(Colunas_) * static_cast<size_t>(Linhas_), TCelulaGrade{});
}

QString TTabelaMeses::Titulo(int coluna) const {
  return coluna >= 1 && coluna <= Colunas_ ? Titulos_[coluna - 1] : QString();
}

void TTabelaMeses::SetTitulo(int coluna, const QString& texto) {
  if (coluna >= 1 && coluna <= Colunas_) Titulos_[coluna - 1] = texto;
}

const TCelulaGrade* TTabelaMeses::Celula(int coluna, int linha) const {
  if (coluna < 1 || coluna > Colunas_ || linha < 1 || linha > Linhas_) return nullptr;
  return &Celulas_[static_cast<size_t>(coluna - 1) * static_cast<size_t>(Linhas_) +
                   static_cast<size_t>(linha - 1)];
}

TCelulaGrade* TTabelaMeses::Celula(int coluna, int linha) {
  return const_cast<TCelulaGrade*>(std::as_const(*this).Celula(coluna, linha));
}

void TTabelaMeses::SetTexto(int coluna, int linha, const QString& texto) {
  if (TCelulaGrade* c = Celula(coluna, linha)) c->Texto = texto;
}

void TTabelaMeses::CentraColuna(int coluna) {
  for (int l = 1; l <= Linhas_; ++l)
    if (TCelulaGrade* c = Celula(coluna, l)) c->Centrada = true;
}

void TTabelaMeses::SetPeriodo(const QDate& inicio, const QDate& fim) {
  Inicio_ = inicio;
  Fim_ = fim;
}

const TCelulaGrade* TTabelaMeses::CelulaDoMes(int mes, int ano) const {
  if (!Inicio_.isValid() || mes < 1 || mes > 12) return nullptr;
  const int coluna = ColunaDoAno(ano);
  if (coluna < 2) return nullptr;
  return Celula(coluna, mes);
}

TCelulaGrade* TTabelaMeses::CelulaDoMes(int mes, int ano) {
  return const_cast<TCelulaGrade*>(std::as_const(*this).CelulaDoMes(mes, ano));
}

bool TTabelaMeses::ComBarraRolagem() const {
  return Inicio_.isValid() && Fim_.isValid() && Fim_.year() - Inicio_.year() > 12;
}

int TTabelaMeses::Altura() const {
  return 13 * AlturaLinha + (ComBarraRolagem() ? MargemComBarra : MargemSemBarra);
}

const QStringList& NomesMeses() {
  static const QStringList nomes{
      QStringLiteral("Jan"), QStringLiteral("Fev"), QStringLiteral("Mar"), QStringLiteral("Abr"),
      QStringLiteral("Mai"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Ago"),
      QStringLiteral("Set"), QStringLiteral("Out"), QStringLiteral("Nov"), QStringLiteral("Dez")};
  return nomes;
}

QString NomeMesAno(int mes, int ano) {
  const QString nome = mes >= 1 && mes <= 12 ? NomesMeses()[mes - 1] : QString::number(mes);
  return nome + QLatin1Char('/') + QString::number(ano);
}

bool MontaGrade(TTabelaMeses& grade, const QDate& inicio, const QDate& fim,
                TApresentador& apresentador) {
  if (!inicio.isValid() || !fim.isValid() || fim < inicio) {
    apresentador.Erro(QStringLiteral("Verifique o período."));
    return false;
  }
  grade.Redimensiona(0, 0);
  grade.Redimensiona(fim.year() - inicio.year() + 2, 12);
  grade.SetPeriodo(inicio, fim);
  grade.SetTitulosCentrados(true);
  for (int m = 1; m <= 12; ++m) grade.SetTexto(1, m, NomesMeses()[m - 1]);
  for (int c = 2; c <= grade.NumColunas(); ++c)
    grade.SetTitulo(c, QString::number(inicio.year() + c - 2));
  return true;
}
