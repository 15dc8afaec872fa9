#include "editing/TfrmAtualizaEqCons.h"

#include "editing/Rotulos.h"

TfrmAtualizaEqCons::TfrmAtualizaEqCons(TContextoJanela& contexto, QWidget* parent)
    : TfrmAtualizaTabela(
          contexto, QStringLiteral("frmAtualizaEqCons"),
          QStringLiteral("Atualização das equações do método baseado na conservação de massas"),
          QStringLiteral("EQ_Conservacao"), QStringLiteral("adoqryAtualizaEqCons"),
          {
              {QStringLiteral("Modelo"), QStringLiteral("Modelo")},
              {QStringLiteral("B0"), Rotulos::Coeficiente(QStringLiteral("0"))},
              {QStringLiteral("BAd"), Rotulos::Coeficiente(QStringLiteral("Ad"))},
              {QStringLiteral("BL"), Rotulos::Coeficiente(QStringLiteral("L"))},
              {QStringLiteral("BDd"), Rotulos::Coeficiente(QStringLiteral("Dd"))},
              {QStringLiteral("BPm"), Rotulos::Coeficiente(QStringLiteral("Pm"))},
              {QStringLiteral("codRio"), QStringLiteral("Código rio")},
              {QStringLiteral("codRestricao"), QStringLiteral("Código restrição")},
              {QStringLiteral("VarMinima"), QStringLiteral("Vazão mínima")},
              {QStringLiteral("TipoVazao"), QStringLiteral("Tipo vazão")},
          },
          parent) {}
