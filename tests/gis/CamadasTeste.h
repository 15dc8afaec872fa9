#pragma once
// A folder with the basin's 17 datasets, empty or with a feature or two, for catalogue tests.

#include <QDir>
#include <QString>
#include <QStringList>

#include "gis/CatalogoCamadas.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"

namespace CamadasTeste {

inline TTipoGeometria GeometriaDe(const QString& nome) {
  static const QStringList poligonos{"Limite", "Estados", "Municipios", "Reg_Met_Tradicional",
                                     "Ad_Regioes"};
  static const QStringList linhas{"Hidrografia", "Hidrografia_Principais", "Estradas"};
  if (poligonos.contains(nome)) return TTipoGeometria::Poligono;
  if (linhas.contains(nome)) return TTipoGeometria::Linha;
  return TTipoGeometria::Ponto;
}

// Writes every catalogue dataset but those in `faltando` into `pasta`.
inline void Escreve(const QString& pasta, const QStringList& faltando = {}) {
  QDir().mkpath(pasta);
  for (const auto& item : CatalogoCamadas::Itens()) {
    const QString nome = QString::fromUtf8(item.Nome);
    if (faltando.contains(nome)) continue;
    auto dados = TDadosShape::Cria(pasta + QLatin1Char('/') + nome, GeometriaDe(nome),
                                   {TCampo::Inteiro(QStringLiteral("ID"))});
    TRegistros r(dados, {});
    r.AdicionaNovo();
    switch (dados->Geometria()) {
      case TTipoGeometria::Poligono:
        r.DefineForma(TForma::Poligono({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}}));
        break;
      case TTipoGeometria::Linha:
        r.DefineForma(TForma::Linha({{0, 0}, {1000, 1000}}));
        break;
      default:
        r.DefinePonto({500, 500});
    }
    r.Define(QStringLiteral("ID"), 1);
    r.FimEdicao();
  }
}

}  // namespace CamadasTeste
