#pragma once
// A whole small basin for the placement and upstream-grant tests: the grids of a confluence,
// every layer the section reads (shapefiles in a temporary folder), the elevation-model header
// and a reference database.
//
// Grid of 10 x 6 cells of 50 m. The tributary "Córrego Afluente" (arc 10, nodes 1 -> 2) runs
// south down column 2, rows 0-3, and joins south-east the "Rio Paracatu" (arc 11, nodes
// 2 -> 706), which runs east along row 4 from column 3. Hillside cells drain: columns 0-1 east,
// columns 3-9 of rows 0-3 south, row 5 north. Layers:
//   Limite               columns 0-8 (column 9 lies outside the basin)
//   Estados              everything, "MG"
//   Municipios           columns 0-4 "Unaí", 5-9 "Paracatu"
//   Reg_Met_Tradicional  everything, Regiao 1
//   Ad_Regioes           rows 0-4: columns 0-4 ID 105, columns 5-9 ID 111; row 5 none

#include <QFile>
#include <QList>
#include <memory>

#include "BaseTeste.h"
#include "GradesTeste.h"
#include "comum/PastaTemporaria.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "hydro/TBacia.h"
#include "raster/THeaderMDE.h"

class TBaciaTeste {
 public:
  TBaciaTeste() : G(10, 6) {
    G.Rio({{2, 0, 4}, {2, 1, 4}, {2, 2, 4}, {2, 3, 2}}, 1, 10);
    for (int l = 0; l < 4; ++l) G.Define(G.FluxoAc, 2, l, 100 * (l + 1));
    for (int c = 3; c <= 9; ++c) {
      G.Rio({{c, 4, 1}}, 2, 11);
      G.Define(G.FluxoAc, c, 4, 1000 + 100 * (c - 3));
    }
    for (int l = 0; l < 6; ++l)
      for (int c = 0; c < 10; ++c) {
        if (G.SemEsp.LeReal(static_cast<std::int32_t>(G.Celula(c, l))) != -9999.0f) continue;
        G.Define(G.DirEsc, c, l, c < 2 ? 1 : l == 5 ? 64 : 4);
        G.Define(G.FluxoAc, c, l, 1);
      }

    const QByteArray cabecalho = QStringLiteral(
                                     "ncols         10\nnrows         6\nxllcorner     %1\n"
                                     "yllcorner     %2\ncellsize      50\nNODATA_value  -9999\n")
                                     .arg(TGradesTeste::Xll, 0, 'f', 0)
                                     .arg(TGradesTeste::Yll, 0, 'f', 0)
                                     .toLatin1();
    Header.Carrega(Pasta.Escreve(QStringLiteral("Header.hdr"), cabecalho));

    Limite = Camada("Limite", TTipoGeometria::Poligono, {});
    Poligono(*Limite, 0, 0, 9, 6, {});
    Estados = Camada("Estados", TTipoGeometria::Poligono, {TCampo::Texto(QStringLiteral("Uf"), 2)});
    Poligono(*Estados, 0, 0, 10, 6, {{QStringLiteral("Uf"), QStringLiteral("MG")}});
    Municipios = Camada("Municipios", TTipoGeometria::Poligono,
                        {TCampo::Texto(QStringLiteral("Municipio"), 40)});
    Poligono(*Municipios, 0, 0, 5, 6, {{QStringLiteral("Municipio"), QStringLiteral("Unaí")}});
    Poligono(*Municipios, 5, 0, 10, 6, {{QStringLiteral("Municipio"), QStringLiteral("Paracatu")}});
    Regioes = Camada("Reg_Met_Tradicional", TTipoGeometria::Poligono,
                     {TCampo::Inteiro(QStringLiteral("Regiao"))});
    Poligono(*Regioes, 0, 0, 10, 6, {{QStringLiteral("Regiao"), 1}});
    AdRegioes =
        Camada("Ad_Regioes", TTipoGeometria::Poligono, {TCampo::Inteiro(QStringLiteral("ID"))});
    Poligono(*AdRegioes, 0, 0, 5, 5, {{QStringLiteral("ID"), 105}});
    Poligono(*AdRegioes, 5, 0, 10, 5, {{QStringLiteral("ID"), 111}});

    Hidrografia = Camada(
        "Hidrografia", TTipoGeometria::Linha,
        {TCampo::Inteiro(QStringLiteral("Ho_")), TCampo::Inteiro(QStringLiteral("Fnode_")),
         TCampo::Inteiro(QStringLiteral("Tnode_")), TCampo::Texto(QStringLiteral("Textuserid"), 60),
         TCampo::Inteiro(QStringLiteral("Eq_Conserv")),
         TCampo::Texto(QStringLiteral("EstFlu"), 12)});
    Arco(10, 1, 2, "Córrego Afluente", 0, {G.Centro(2, 0), G.Centro(2, 3)});
    Arco(11, 2, 706, "Rio Paracatu", 5, {G.Centro(3, 4), G.Centro(9, 4)});

    CamadaPonto =
        Camada("Ponto", TTipoGeometria::Ponto, {TCampo::Inteiro(QStringLiteral("Codigo"))});
    Signif =
        Camada("Out_Sup_Signif_AQEM", TTipoGeometria::Ponto,
               {TCampo::Real(QStringLiteral("Vazao")), TCampo::Data(QStringLiteral("Datapublic")),
                TCampo::Inteiro(QStringLiteral("Validade"))});
    Insignif =
        Camada("Out_Sup_Insignif_AQEM", TTipoGeometria::Ponto,
               {TCampo::Real(QStringLiteral("Vazao")), TCampo::Data(QStringLiteral("Dataexpedi"))});
    QList<TCampo> camposAna;
    for (const char* m : {"Qjan", "Qfev", "Qmar", "Qabr", "Qmai", "Qjun", "Qjul", "Qago", "Qset",
                          "Qout", "Qnov", "Qdez"})
      camposAna << TCampo::Real(QString::fromLatin1(m));
    camposAna << TCampo::Data(QStringLiteral("DataPub01"))
              << TCampo::Data(QStringLiteral("DataVenc01"));
    Ana = Camada("Out_Sup_ANA", TTipoGeometria::Ponto, camposAna);
  }

  TBacia Bacia() {
    if (!dmS) dmS = &Base.Abre();
    return TBacia{Header,       G.Mapeada, G.SemEsp,    G.DirEsc, G.FluxoAc,  *Limite,
                  *Hidrografia, *Estados,  *Municipios, *Regioes, *AdRegioes, *CamadaPonto,
                  *Signif,      *Insignif, *Ana,        *dmS};
  }

  // A point record with its fields.
  static void Ponto(TCamada& camada, const TPontoMapa& p, const QVariantMap& campos) {
    TRegistros r = camada.Registros();
    r.AdicionaNovo();
    r.DefinePonto(p);
    for (auto it = campos.begin(); it != campos.end(); ++it) r.Define(it.key(), it.value());
    r.Atualiza();
    r.FimEdicao();
  }

  TPastaTemporaria Pasta;
  TGradesTeste G;
  THeaderMDE Header;
  TBaseTeste Base;
  TdmS* dmS = nullptr;
  std::unique_ptr<TCamada> Limite, Estados, Municipios, Regioes, AdRegioes, Hidrografia,
      CamadaPonto, Signif, Insignif, Ana;

 private:
  std::unique_ptr<TCamada> Camada(const char* nome, TTipoGeometria tipo,
                                  const QList<TCampo>& campos) {
    auto c = std::make_unique<TCamada>();
    c->DefineDados(
        TDadosShape::Cria(Pasta.Arquivo(QString::fromLatin1(nome) + ".shp"), tipo, campos));
    return c;
  }
  // The rectangle of cell columns c0..c1 and rows l0..l1 (edges, rows from the top).
  void Poligono(TCamada& camada, int c0, int l0, int c1, int l1, const QVariantMap& campos) {
    const double x0 = TGradesTeste::Xll + c0 * TGradesTeste::Lado;
    const double x1 = TGradesTeste::Xll + c1 * TGradesTeste::Lado;
    const double yTopo = TGradesTeste::Yll + 6 * TGradesTeste::Lado;
    const double y0 = yTopo - l1 * TGradesTeste::Lado;
    const double y1 = yTopo - l0 * TGradesTeste::Lado;
    TRegistros r = camada.Registros();
    r.AdicionaNovo();
    r.DefineForma(TForma::Poligono({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}));
    for (auto it = campos.begin(); it != campos.end(); ++it) r.Define(it.key(), it.value());
    r.Atualiza();
    r.FimEdicao();
  }
  void Arco(int ho, int fnode, int tnode, const char* nome, int eq, std::vector<TPontoMapa> linha) {
    TRegistros r = Hidrografia->Registros();
    r.AdicionaNovo();
    r.DefineForma(TForma::Linha(std::move(linha)));
    r.Define(QStringLiteral("Ho_"), ho);
    r.Define(QStringLiteral("Fnode_"), fnode);
    r.Define(QStringLiteral("Tnode_"), tnode);
    r.Define(QStringLiteral("Textuserid"), QString::fromUtf8(nome));
    r.Define(QStringLiteral("Eq_Conserv"), eq);
    r.Atualiza();
    r.FimEdicao();
  }
};
