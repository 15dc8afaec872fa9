#include "editing/TfrmAtualizaVazao.h"

#include "editing/Rotulos.h"

TfrmAtualizaVazao::TfrmAtualizaVazao(TContextoJanela& contexto, QWidget* parent)
    : TfrmAtualizaTabela(contexto, QStringLiteral("frmAtualizaVazao"),
                         QStringLiteral("Atualização das Vazões"),
                         QStringLiteral("EstFluviometricas"), QStringLiteral("ADOQuery1"),
                         {
                             {QStringLiteral("CodEstFlu"), QStringLiteral("Código estação")},
                             {QStringLiteral("Ad"), Rotulos::Area()},
                             {QStringLiteral("Q710Ob"), Rotulos::Vazao(QStringLiteral("7,10"))},
                             {QStringLiteral("Q90Ob"), Rotulos::Vazao(QStringLiteral("90"))},
                             {QStringLiteral("Q95Ob"), Rotulos::Vazao(QStringLiteral("95"))},
                             {QStringLiteral("QmldOb"), Rotulos::Vazao(QStringLiteral("mld"))},
                         },
                         parent) {}
