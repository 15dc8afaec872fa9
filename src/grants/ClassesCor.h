#pragma once
// The four colour classes of the availability tables, written once: the grant window colours its
// cells with them and the available-flow report's legend explains them.
//
//   share of the allowable flow used   class      background (R, G, B)
//   share <= 70                        verde      (  0, 204, 102)   30 % or more still free
//   70 < share <= 90                   amarelo    (255, 255, 153)   10 % to 30 % still free
//   90 < share <= 100                  laranja    (255, 204,   0)   less than 10 % still free
//   share > 100                        vermelho   (255, 102,   0)   grants exceed the allowable

#include <QColor>
#include <QString>
#include <array>

enum class TClasseCor { Verde, Amarelo, Laranja, Vermelho };

struct TDefinicaoCor {
  TClasseCor Classe;
  double Limite;  // the largest share of the class (the last class has none)
  QColor Cor;
  const char* Nome;
  const char* Criterio;  // the legend's text: shares of the criterion's flow, as the rule reads
  const char* Curto;     // the same in the few words of the window's legend
};

inline const std::array<TDefinicaoCor, 4>& DefinicoesCor() {
  static const std::array<TDefinicaoCor, 4> definicoes{{
      {TClasseCor::Verde, 70.0, QColor(0, 204, 102), "verde",
       "vazão ainda permissível para ser outorgada igual ou superior a 30% da vazão do critério "
       "de outorga",
       "30% ou mais livre"},
      {TClasseCor::Amarelo, 90.0, QColor(255, 255, 153), "amarelo",
       "vazão ainda permissível para ser outorgada inferior a 30% e igual ou superior a 10% da "
       "vazão do critério de outorga",
       "de 10% a 30% livre"},
      {TClasseCor::Laranja, 100.0, QColor(255, 204, 0), "laranja",
       "vazão ainda permissível para ser outorgada inferior a 10% da vazão do critério de "
       "outorga",
       "menos de 10% livre"},
      {TClasseCor::Vermelho, 0.0, QColor(255, 102, 0), "vermelho",
       "condição em que as vazões outorgadas superaram a vazão do critério de outorga",
       "vazão do critério excedida"},
  }};
  return definicoes;
}

// The class of a share (percentage of the allowable flow already used), tested in order.
inline TClasseCor ClassePorParcela(double parcela) {
  if (parcela <= 70.0) return TClasseCor::Verde;
  if (parcela <= 90.0) return TClasseCor::Amarelo;
  if (parcela <= 100.0) return TClasseCor::Laranja;
  return TClasseCor::Vermelho;
}

inline const TDefinicaoCor& DefinicaoCor(TClasseCor classe) {
  return DefinicoesCor()[static_cast<size_t>(classe)];
}
inline QColor CorDaClasse(TClasseCor classe) { return DefinicaoCor(classe).Cor; }
inline QString NomeDaClasse(TClasseCor classe) {
  return QString::fromUtf8(DefinicaoCor(classe).Nome);
}
