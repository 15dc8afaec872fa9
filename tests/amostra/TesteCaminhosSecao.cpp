// One list of points through every road that places a section: the placement as the location
// window calls it (with a scripted presenter), `secao`, `analise`, `lote` and `bacia`. Each road
// must find the same section and say the same thing about it.
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>
#include <vector>

#include "amostra/Amostra.h"
#include "sistema/TSistema.h"
#include "base/Caminhos.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/ExecutaCli.h"
#include "comum/PastaTemporaria.h"
#include "hydro/BaciaDoSistema.h"
#include "hydro/ColocaSecao.h"
#include "hydro/TPonto.h"
#include "hydro/TextoGMS.h"

namespace {

using TTipo = TApresentadorRoteirizado::TTipo;

// A point as a user gives it: projected metres, or latitude and longitude typed DDMMSS.
struct TEntrada {
  const char* Nome;
  QString A, B;
  bool Digitada = false;
  bool Ilegivel = false;  // coordinates that are no coordinates
};

// What a road made of a point: placed or not, the section's arc and area, and what it said
// (questions aside).
struct TResposta {
  bool Colocada = false;
  int CodTrecho = 0;
  double Area = 0;
  QStringList Mensagens;
};

QString Numero(double v) { return QString::number(v, 'g', 17); }

// The first vertex of the basin outline: a point on the border.
TEntrada NaBorda(const QString& dir) {
  GDALAllRegister();
  std::unique_ptr<GDALDataset> ds(GDALDataset::Open(
      (dir + QStringLiteral("/Dados/DadosSIG/Limite.shp")).toUtf8().constData(), GDAL_OF_VECTOR));
  EXPECT_TRUE(ds);
  if (!ds) return {"borda", QStringLiteral("0"), QStringLiteral("0")};
  std::unique_ptr<OGRFeature> f(ds->GetLayer(0)->GetNextFeature());
  OGRGeometry* g = f->GetGeometryRef();
  const OGRPolygon* p = wkbFlatten(g->getGeometryType()) == wkbMultiPolygon
                            ? g->toMultiPolygon()->getGeometryRef(0)
                            : g->toPolygon();
  const OGRLinearRing* anel = p->getExteriorRing();
  return {"borda", Numero(anel->getX(0)), Numero(anel->getY(0))};
}

QStringList Coordenada(const TEntrada& e) {
  return {e.Digitada ? QStringLiteral("--latlong") : QStringLiteral("--xy"), e.A, e.B};
}

// The messages of a command: the JSON's when it printed one, else the lines of stderr.
QStringList Mensagens(const TSaidaCli& s, const QJsonObject& json) {
  if (json.contains(QStringLiteral("Mensagens"))) {
    QStringList m;
    for (const QJsonValue& v : json.value(QStringLiteral("Mensagens")).toArray())
      if (!v.toString().startsWith(QStringLiteral("Deseja criar")) &&
          !v.toString().startsWith(QStringLiteral("Uma seção já")))
        m << v.toString();
    return m;
  }
  QStringList m;
  for (const QString& l : s.Erro.split(QLatin1Char('\n')))
    if (l.startsWith(QStringLiteral("Erro: ")) || l.startsWith(QStringLiteral("Informação: ")))
      m << l.section(QStringLiteral(": "), 1);
  return m;
}

TResposta DaSecaoJson(const TSaidaCli& s, const QJsonObject& secao, const QJsonObject& tudo) {
  TResposta r;
  r.Colocada = secao.value(QStringLiteral("DentroDaBacia")).toBool();
  r.CodTrecho = secao.value(QStringLiteral("CodTrecho")).toInt();
  r.Area = secao.value(QStringLiteral("AreaDrenagem")).toDouble();
  r.Mensagens = Mensagens(s, tudo);
  return r;
}

TEST(CaminhosSecao, MesmaSecaoEMensagemEmTodoCaminho) {
  TPastaTemporaria pasta;
  const QString dir = pasta.Caminho();
  const QJsonObject resumo = GeraAmostra(dir, TOpcoesAmostra{});
  auto secao = [&](const char* nome) {
    return resumo.value(QStringLiteral("secoes")).toObject().value(QLatin1String(nome)).toObject();
  };
  auto xy = [&](const char* nome) {
    const QJsonObject s = secao(nome);
    return TEntrada{nome, Numero(s.value(QStringLiteral("X")).toDouble()),
                    Numero(s.value(QStringLiteral("Y")).toDouble())};
  };
  auto latlong = [&](const char* nome, const char* rotulo) {
    const QJsonObject s = secao(nome);
    return TEntrada{rotulo, s.value(QStringLiteral("latitude")).toString(),
                    s.value(QStringLiteral("longitude")).toString(), true};
  };
  const std::vector<TEntrada> entradas{
      xy("principal"),
      xy("foraDaDrenagem"),
      xy("foraDaBacia"),
      NaBorda(dir),
      latlong("principal", "principalDigitada"),
      latlong("foraDaBacia", "foraDaBaciaDigitada"),
      {"segundosInvalidos", QStringLiteral("163699"), QStringLiteral("470910"), true, true},
  };

  // The road of the location window.
  std::vector<TResposta> esperadas;
  {
    TApresentadorRoteirizado apresentador;
    TSistema sistema(TCaminhos(dir, QStringLiteral("TORVEDA")));
    sistema.CriaFormPrincipal(apresentador);
    sistema.CriaDataModule(apresentador);
    ASSERT_TRUE(sistema.MapasCarregados);
    const TBacia bacia = BaciaDoSistema(sistema);
    for (const TEntrada& e : entradas) {
      apresentador.Limpa();
      TPonto& ponto = *sistema.Ponto;
      const TResultadoSecao r =
          e.Digitada ? ColocaSecaoDigitada(ponto, bacia, e.A, e.B, apresentador)
                     : ColocaSecao(ponto, bacia, TPontoMapa{e.A.toDouble(), e.B.toDouble()},
                                   TFormaPonto::Mapa, apresentador);
      TResposta esperada;
      esperada.Colocada =
          r != TResultadoSecao::ForaDaBacia && r != TResultadoSecao::EntradaInvalida;
      esperada.CodTrecho = ponto.CodTrecho();
      esperada.Area = ponto.AreaDrenagem();
      for (const auto& m : apresentador.Registros())
        if (m.Tipo == TTipo::Erro || m.Tipo == TTipo::Informacao) esperada.Mensagens << m.Texto;
      esperadas.push_back(esperada);
    }
  }
  ASSERT_TRUE(esperadas[0].Colocada && esperadas[0].Mensagens.isEmpty());
  ASSERT_EQ(esperadas[1].Mensagens.size(), 1);  // off the drainage: the notice, no computation
  ASSERT_FALSE(esperadas[2].Colocada);
  ASSERT_EQ(esperadas[6].Mensagens.size(), 1);

  const QString cli = QStringLiteral(TORVEDA_CLI);
  const QStringList dados{QStringLiteral("--dados"), dir};
  const QStringList pedido{
      QStringLiteral("--inicio"),     QStringLiteral("01/2005"),  QStringLiteral("--fim"),
      QStringLiteral("12/2006"),      QStringLiteral("--vazao"),  QStringLiteral("0,01"),
      QStringLiteral("--percentual"), QStringLiteral("50"),       QStringLiteral("--referencia"),
      QStringLiteral("Q90"),          QStringLiteral("--metodo"), QStringLiteral("Tradicional")};

  // The batch answers every point in one run.
  QByteArray csv =
      "Identificador;X;Y;Latitude;Longitude;Inicio;Fim;Vazao;Percentual;Referencia;"
      "Metodo\r\n";
  for (const TEntrada& e : entradas)
    csv +=
        (QStringList{QLatin1String(e.Nome)} +
         (e.Digitada ? QStringList{QString(), QString(), e.A, e.B}
                     : QStringList{e.A, e.B, QString(), QString()}) +
         QStringList{QStringLiteral("01/2005"), QStringLiteral("12/2006"), QStringLiteral("0,01"),
                     QStringLiteral("50"), QStringLiteral("Q90"), QStringLiteral("Tradicional")})
            .join(QLatin1Char(';'))
            .toUtf8() +
        "\r\n";
  const QString entradaLote = pasta.Escreve(QStringLiteral("pedidos.csv"), csv);
  const QString saidaLote = pasta.Arquivo(QStringLiteral("respostas.json"));
  ExecutaCli(cli, dados + QStringList{QStringLiteral("lote"), entradaLote,
                                      QStringLiteral("--saida"), saidaLote});
  QFile f(saidaLote);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QJsonArray lote = QJsonDocument::fromJson(f.readAll()).array();
  ASSERT_EQ(lote.size(), static_cast<qsizetype>(entradas.size()));

  for (std::size_t i = 0; i < entradas.size(); ++i) {
    const TEntrada& e = entradas[i];
    const TResposta& esperada = esperadas[i];
    SCOPED_TRACE(e.Nome);
    const QString mensagem = esperada.Mensagens.value(0);

    const TSaidaCli s =
        ExecutaCli(cli, dados + QStringList{QStringLiteral("secao")} + Coordenada(e));
    const TSaidaCli a =
        ExecutaCli(cli, dados + QStringList{QStringLiteral("analise")} + Coordenada(e) + pedido);
    const QString gpkg = pasta.Arquivo(QStringLiteral("%1.gpkg").arg(QLatin1String(e.Nome)));
    const TSaidaCli b =
        ExecutaCli(cli, dados + QStringList{QStringLiteral("bacia")} + Coordenada(e) +
                            QStringList{QStringLiteral("--saida"), gpkg});
    const QJsonObject l = lote[static_cast<qsizetype>(i)].toObject();

    if (e.Ilegivel) {
      // Unreadable coordinates: a usage error naming the field on the commands, a row the batch
      // does not answer.
      for (const TSaidaCli* c : {&s, &a, &b}) {
        EXPECT_EQ(c->Codigo, 2);
        EXPECT_TRUE(c->Erro.contains(mensagem)) << c->Erro.toStdString();
      }
      EXPECT_TRUE(l.value(QStringLiteral("Situacao"))
                      .toString()
                      .contains(mensagem.section(QStringLiteral(": "), 1, -1)));
      continue;
    }

    const TResposta rs = DaSecaoJson(s, s.Json, s.Json);
    const TResposta ra = DaSecaoJson(a, a.Json.value(QStringLiteral("Secao")).toObject(), a.Json);
    EXPECT_EQ(s.Codigo, esperada.Colocada ? 0 : 3);
    // The contributing basin may fail after the placement for reasons of its own (a border
    // cell drains nowhere); the placement's part must agree.
    EXPECT_EQ(b.Codigo == 3, !esperada.Colocada);
    EXPECT_EQ(rs.Colocada, esperada.Colocada);
    EXPECT_EQ(ra.Colocada, esperada.Colocada);
    const TResposta rb = DaSecaoJson(b, b.Json.value(QStringLiteral("Secao")).toObject(), b.Json);
    std::vector<const TResposta*> secoes{&rs, &ra};
    if (b.Codigo == 0) secoes.push_back(&rb);
    if (esperada.Colocada) {
      for (const TResposta* r : secoes) {
        EXPECT_EQ(r->CodTrecho, esperada.CodTrecho);
        EXPECT_DOUBLE_EQ(r->Area, esperada.Area);
      }
      EXPECT_DOUBLE_EQ(l.value(QStringLiteral("AreaDrenagem")).toDouble(), esperada.Area);
    }
    EXPECT_EQ(rb.Mensagens.mid(0, esperada.Mensagens.size()), esperada.Mensagens);
    EXPECT_EQ(rs.Mensagens, esperada.Mensagens);
    // The analysis stops off the drainage with reasons of its own after the placement's.
    EXPECT_EQ(ra.Mensagens.mid(0, esperada.Mensagens.size()), esperada.Mensagens);
    EXPECT_EQ(l.value(QStringLiteral("Situacao")).toString(),
              mensagem.isEmpty() ? QStringLiteral("ok") : mensagem);
  }
}

}  // namespace
