#include "editing/TfrmAtualizaEqTrad.h"

#include "editing/Rotulos.h"

TfrmAtualizaEqTrad::TfrmAtualizaEqTrad(TContextoJanela& contexto, QWidget* parent)
    : TfrmAtualizaTabela(contexto, QStringLiteral("frmAtualizaEqTrad"),
                         QStringLiteral("Atualização das equações do método tradicional"),
                         QStringLiteral("EQ_Tradicional"), QStringLiteral("ADOQuery1"),
                         {
                             {QStringLiteral("Regiao"), QStringLiteral("Região")},
                             {QStringLiteral("Modelo"), QStringLiteral("Modelo")},
                             {QStringLiteral("B0"), Rotulos::Coeficiente(QStringLiteral("0"))},
                             {QStringLiteral("BAd"), Rotulos::Coeficiente(QStringLiteral("Ad"))},
                             {QStringLiteral("BL"), Rotulos::Coeficiente(QStringLiteral("L"))},
                             {QStringLiteral("BDd"), Rotulos::Coeficiente(QStringLiteral("Dd"))},
                             {QStringLiteral("BPm"), Rotulos::Coeficiente(QStringLiteral("Pm"))},
                             {QStringLiteral("codRestricao"), QStringLiteral("Código restrição")},
                             {QStringLiteral("VarMinima"), QStringLiteral("Vazão mínima")},
                             {QStringLiteral("TipoVazao"), QStringLiteral("Tipo vazão")},
                         },
                         parent) {}
