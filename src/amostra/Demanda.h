#pragma once
// The demand that the register workbooks put on the ready-made sections. The generator adds up,
// month by month, the surface grants it writes that the program will count upstream of each
// section (the same drainage-unit rules and network walk, on the same cells the imports will
// place the points in), so that it can size its grants to tell the story each section is meant to
// tell and state in the summary the colour classes that the grant analysis will show there under
// the demonstration criterion: 50 % of the traditional Q7,10, January 2000 to December 2030.

#include <QDate>
#include <QJsonObject>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "amostra/Bacia.h"

// A ready-made section on the mapped drainage.
struct TAlvoDemanda {
  QString Chave;  // its key in the summary's "secoes"
  std::int32_t Celula = 0;
  std::int32_t Ho = 0;
  int Regiao = 0, Unidade = 0;
  QString Rio;
  double Permissivel = 0;  // the criterion's allowable flow there, m³/s
};

namespace demanda {
inline constexpr int AnoInicial = 2000;
inline constexpr int AnoFinal = 2030;
inline constexpr int Meses = (AnoFinal - AnoInicial + 1) * 12;
inline constexpr int Percentual = 50;
}  // namespace demanda

class TDemanda {
 public:
  TDemanda(const TBacia& b, std::vector<TAlvoDemanda> alvos);

  const std::vector<TAlvoDemanda>& Alvos() const { return Alvos_; }
  // Whether a grant whose point lies in cell c counts at section i, as the program judges it.
  bool AMontante(std::size_t i, std::int64_t c) const;
  // A grant of the state register: the same flow for `meses` calendar months from `inicio`.
  void SomaEstadual(std::int64_t c, double vazao, const QDate& inicio, int meses);
  // A grant of the federal register: a flow per calendar month (m³/s), from `inicio` to `fim`.
  void SomaFederal(std::int64_t c, const std::array<double, 12>& vazoes, const QDate& inicio,
                   const QDate& fim);
  // Month k (0 = January 2000) of the upstream total at section i, m³/s.
  double Total(std::size_t i, int k) const { return Estadual_[i][k] + Federal_[i][k]; }
  // The colour class ("verde", "amarelo", "laranja", "vermelho") of a share of the allowable flow
  // used, and the share that the analysis reads back from the availability as displayed.
  static QString Classe(double parcela);
  static double Parcela(double permissivel, double total);
  // For section i: "classes" (those seen, in class order) and "mesesPorClasse".
  QJsonObject Classes(std::size_t i) const;

 private:
  void Soma(std::vector<std::vector<double>>& tabela, std::int64_t c, const QDate& inicio,
            int meses, const std::array<double, 12>& vazoes);
  std::int32_t Tnode(std::int32_t ho) const;
  std::int32_t SaiDoNo(std::int32_t no) const;
  bool PelaRede(const TAlvoDemanda& s, std::int64_t c) const;

  const TBacia& B_;
  std::vector<TAlvoDemanda> Alvos_;
  std::vector<std::vector<double>> Estadual_, Federal_;
  std::vector<std::int32_t> TnodeDe_, HoDoFnode_;  // by Ho_, by node
};
