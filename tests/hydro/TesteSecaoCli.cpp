// End to end on the sample basin: `torveda-cli amostra`, the register imports, then
// `torveda-cli secao` at the summary's ready-made sections.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <array>
#include <cmath>
#include <map>
#include <memory>

#include "comum/ExecutaCli.h"
#include "comum/PastaTemporaria.h"
#include "gis/TDadosShape.h"

namespace {

using TSaida = TSaidaCli;

TSaida Executa(const QStringList& args) { return ExecutaCli(QStringLiteral(TORVEDA_CLI), args); }

class SecaoCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Pasta = new TPastaTemporaria;
    const TSaida amostra = Executa({QStringLiteral("amostra"), Pasta->Caminho()});
    ASSERT_EQ(amostra.Codigo, 0) << amostra.Erro.toStdString();
    Resumo = new QJsonObject(amostra.Json);
    for (const char* registro : {"aqem", "ana"}) {
      const TSaida importa = Executa({QStringLiteral("--dados"), Pasta->Caminho(),
                                      QStringLiteral("importa"), QString::fromLatin1(registro)});
      EXPECT_EQ(importa.Codigo, 0) << importa.Erro.toStdString();
    }
  }
  static void TearDownTestSuite() {
    delete Resumo;
    delete Pasta;
    Resumo = nullptr;
    Pasta = nullptr;
  }

  static QJsonObject Secao(const char* nome) {
    return Resumo->value(QStringLiteral("secoes"))
        .toObject()
        .value(QString::fromLatin1(nome))
        .toObject();
  }
  static TSaida SecaoXY(const QJsonObject& s, const QStringList& opcoes = {}) {
    return Executa(QStringList{QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("secao"),
                               QStringLiteral("--xy"),
                               QString::number(s.value(QStringLiteral("X")).toDouble(), 'f', 6),
                               QString::number(s.value(QStringLiteral("Y")).toDouble(), 'f', 6)} +
                   opcoes);
  }
  static QString Camada(const char* nome) {
    return Pasta->Caminho() + QStringLiteral("/Dados/DadosSIG/") + QString::fromLatin1(nome) +
           QStringLiteral(".shp");
  }
  static qint64 Registros(const char* nome) {
    auto d = TDadosShape::Abre(Camada(nome));
    return d ? d->Conta() : -1;
  }

  static TPastaTemporaria* Pasta;
  static QJsonObject* Resumo;
};

TPastaTemporaria* SecaoCli::Pasta = nullptr;
QJsonObject* SecaoCli::Resumo = nullptr;

bool Estimadas(const QJsonObject& v) {
  for (const char* q : {"Q710", "Q90", "Q95", "Qmld"})
    if (!(v.value(QString::fromLatin1(q)).toDouble() > 0.0)) return false;
  return true;
}

// The section as the summary describes it.
void ConfereIdentificacao(const QJsonObject& j, const QJsonObject& s) {
  EXPECT_TRUE(j.value(QStringLiteral("DentroDaBacia")).toBool());
  EXPECT_EQ(j.value(QStringLiteral("Celula")).toInteger(),
            s.value(QStringLiteral("celula")).toInteger());
  EXPECT_EQ(j.value(QStringLiteral("CodTrecho")).toInt(), s.value(QStringLiteral("Ho_")).toInt());
  EXPECT_EQ(j.value(QStringLiteral("NomeRio")).toString(),
            s.value(QStringLiteral("rio")).toString());
  EXPECT_EQ(j.value(QStringLiteral("CodEqConserv")).toInt(),
            s.value(QStringLiteral("Eq_Conserv")).toInt());
  EXPECT_EQ(j.value(QStringLiteral("IdAdRegiao")).toInt(),
            s.value(QStringLiteral("unidade")).toInt());
  EXPECT_EQ(j.value(QStringLiteral("Regiao")).toInt(), s.value(QStringLiteral("regiao")).toInt());
  EXPECT_DOUBLE_EQ(j.value(QStringLiteral("AreaDrenagem")).toDouble(),
                   s.value(QStringLiteral("areaKm2")).toDouble());
  EXPECT_FALSE(j.value(QStringLiteral("Municipio")).toString().isEmpty());
  EXPECT_FALSE(j.value(QStringLiteral("Estado")).toString().isEmpty());
}

}  // namespace

TEST_F(SecaoCli, RioPrincipal) {
  const QJsonObject s = Secao("principal");
  const TSaida r = SecaoXY(s);
  ASSERT_EQ(r.Codigo, 0) << r.Erro.toStdString();
  const QJsonObject& j = r.Json;
  ConfereIdentificacao(j, s);
  EXPECT_EQ(j.value(QStringLiteral("NomeRio")).toString(), QStringLiteral("Rio Paracatu"));
  EXPECT_TRUE(Estimadas(j.value(QStringLiteral("VazoesTradicional")).toObject()));
  EXPECT_TRUE(Estimadas(j.value(QStringLiteral("VazoesProporcional")).toObject()));
  EXPECT_TRUE(Estimadas(j.value(QStringLiteral("VazoesConservacao")).toObject()));
  // Below the junction in unit 312 every grant of regions 1 and 2 lies upstream.
  if (Registros("Out_Sup_Signif_AQEM") > 0) {
    EXPECT_FALSE(j.value(QStringLiteral("OutorgadaEstadual")).toObject().isEmpty());
  }
  if (Registros("Out_Sup_ANA") > 0) {
    EXPECT_FALSE(j.value(QStringLiteral("OutorgadaFederal")).toObject().isEmpty());
  }
  for (const auto& v : j.value(QStringLiteral("OutorgadaEstadual")).toObject())
    EXPECT_GT(v.toDouble(), 0.0);
  const QStringList mensagens = j.value(QStringLiteral("Mensagens")).toVariant().toStringList();
  ASSERT_FALSE(mensagens.isEmpty());
  EXPECT_TRUE(mensagens.first().startsWith(
      QStringLiteral("Deseja criar a seção de outorga nesta localidade: \nRio: Rio Paracatu\n")));
  EXPECT_EQ(Registros("Ponto"), 1);

  // The same section again gives the same numbers (only the replacement question is new).
  QJsonObject outra = SecaoXY(s).Json;
  QJsonObject primeira = j;
  outra.remove(QStringLiteral("Mensagens"));
  primeira.remove(QStringLiteral("Mensagens"));
  EXPECT_EQ(outra, primeira);
}

// Rio Preto below station 42257000, with Ribeirão Santa Isabel (station 42259000) joining
// above the section, and station 42260000 below: the proportional flows interpolate between the
// station that the depth-first search meets upstream and the one downstream.
TEST_F(SecaoCli, AfluenteEntreEstacoes) {
  const QJsonObject s = Secao("afluenteComEstacoes");
  const TSaida r = SecaoXY(s);
  ASSERT_EQ(r.Codigo, 0) << r.Erro.toStdString();
  ConfereIdentificacao(r.Json, s);

  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("e2e"));
  db.setDatabaseName(Pasta->Caminho() + QStringLiteral("/Dados/DadosBD/TORVEDA.sqlite"));
  ASSERT_TRUE(db.open());
  auto estacao = [&](int codigo) {
    QSqlQuery q(db);
    q.exec(QStringLiteral("SELECT Ad, Q710Ob, QmldOb FROM EstFluviometricas WHERE CodEstFlu = %1")
               .arg(codigo));
    EXPECT_TRUE(q.next());
    return std::array<double, 3>{q.value(0).toDouble(), q.value(1).toDouble(),
                                 q.value(2).toDouble()};
  };
  const auto jusante = estacao(42260000);
  const std::array<std::array<double, 3>, 2> montantes{estacao(42257000), estacao(42259000)};
  db.close();
  db = QSqlDatabase();
  QSqlDatabase::removeDatabase(QStringLiteral("e2e"));

  const double a = r.Json.value(QStringLiteral("AreaDrenagem")).toDouble();
  const QJsonObject v = r.Json.value(QStringLiteral("VazoesProporcional")).toObject();
  int coincidem = 0;
  for (const auto& m : montantes) {
    auto interpola = [&](int i) {
      return m[i] + (a - m[0]) / (jusante[0] - m[0]) * (jusante[i] - m[i]);
    };
    if (std::fabs(v.value(QStringLiteral("Q710")).toDouble() - interpola(1)) < 1e-12 &&
        std::fabs(v.value(QStringLiteral("Qmld")).toDouble() - interpola(2)) < 1e-12)
      ++coincidem;
  }
  EXPECT_EQ(coincidem, 1);

  // Typed degrees-minutes-seconds land on the same cell.
  const TSaida digitada =
      Executa({QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("secao"),
               QStringLiteral("--latlong"), s.value(QStringLiteral("latitude")).toString(),
               s.value(QStringLiteral("longitude")).toString()});
  ASSERT_EQ(digitada.Codigo, 0) << digitada.Erro.toStdString();
  EXPECT_EQ(digitada.Json.value(QStringLiteral("Celula")), r.Json.value(QStringLiteral("Celula")));
  EXPECT_TRUE(digitada.Json.value(QStringLiteral("Mensagens"))
                  .toArray()
                  .first()
                  .toString()
                  .contains(QStringLiteral("nessa localidade")));
  const QString lat = s.value(QStringLiteral("latitude")).toString();
  EXPECT_EQ(digitada.Json.value(QStringLiteral("LatitudeGMS")).toString(),
            QStringLiteral("%1° %2' %3\"").arg(lat.left(2), lat.mid(2, 2), lat.mid(4, 2)));
}

// A river without equations gets its mass-conservation flows from the river it joins.
TEST_F(SecaoCli, RioSemEquacoes) {
  const QJsonObject s = Secao("rioSemEquacoes");
  const TSaida r = SecaoXY(s);
  ASSERT_EQ(r.Codigo, 0) << r.Erro.toStdString();
  ConfereIdentificacao(r.Json, s);
  EXPECT_EQ(r.Json.value(QStringLiteral("CodEqConserv")).toInt(), 0);
  EXPECT_TRUE(Estimadas(r.Json.value(QStringLiteral("VazoesConservacao")).toObject()));
  for (const auto& m : r.Json.value(QStringLiteral("Mensagens")).toArray())
    EXPECT_FALSE(m.toString().startsWith(QStringLiteral("Erro ao encontrar")))
        << m.toString().toStdString();
}

TEST_F(SecaoCli, ForaDaDrenagem) {
  const QJsonObject s = Secao("foraDaDrenagem");
  const TSaida r = SecaoXY(s);
  ASSERT_EQ(r.Codigo, 0) << r.Erro.toStdString();
  EXPECT_TRUE(r.Json.value(QStringLiteral("DentroDaBacia")).toBool());
  EXPECT_EQ(r.Json.value(QStringLiteral("CodTrecho")).toInt(), -9999);
  EXPECT_EQ(r.Json.value(QStringLiteral("VazoesTradicional"))
                .toObject()
                .value(QStringLiteral("Q710"))
                .toDouble(),
            0.0);
  EXPECT_TRUE(r.Json.value(QStringLiteral("OutorgadaEstadual")).toObject().isEmpty());
  EXPECT_TRUE(r.Json.value(QStringLiteral("Mensagens"))
                  .toVariant()
                  .toStringList()
                  .contains(QStringLiteral("A seção escolhida está fora da hidrografia. Escolha "
                                           "uma seção sobre um curso d'água.")));
  EXPECT_EQ(Registros("Ponto"), 1);
}

TEST_F(SecaoCli, ForaDaBaciaNaoEscreveNada) {
  // Place a section first, so that the layer holds a point to keep.
  ASSERT_EQ(SecaoXY(Secao("cabeceira")).Codigo, 0);
  const QFileInfo antes(Camada("Ponto"));
  const QDateTime modificado = antes.lastModified();
  const TSaida r = SecaoXY(Secao("foraDaBacia"));
  EXPECT_EQ(r.Codigo, 3);
  EXPECT_FALSE(r.Json.value(QStringLiteral("DentroDaBacia")).toBool(true));
  EXPECT_EQ(r.Json.value(QStringLiteral("Mensagens")).toVariant().toStringList(),
            QStringList{QStringLiteral("A seção de interesse está fora do limite da bacia.")});
  EXPECT_EQ(QFileInfo(Camada("Ponto")).lastModified(), modificado);
  EXPECT_EQ(Registros("Ponto"), 1);
}

TEST_F(SecaoCli, ArgumentosInvalidos) {
  EXPECT_EQ(Executa({QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("secao")}).Codigo,
            2);
  EXPECT_EQ(Executa({QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("secao"),
                     QStringLiteral("--xy"), QStringLiteral("a"), QStringLiteral("1")})
                .Codigo,
            2);
  const TSaida r =
      Executa({QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("secao"),
               QStringLiteral("--latlong"), QStringLiteral("1529"), QStringLiteral("470910")});
  EXPECT_EQ(r.Codigo, 2);
  EXPECT_TRUE(r.Erro.contains(QStringLiteral("Favor inserir os valores de Latitude e Longitude.")));
  // 99 seconds are a typing mistake, not 16° 37' 39": refused, naming the field, nothing placed.
  const TSaida segundos =
      Executa({QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("secao"),
               QStringLiteral("--latlong"), QStringLiteral("163699"), QStringLiteral("461328")});
  EXPECT_EQ(segundos.Codigo, 2);
  EXPECT_TRUE(segundos.Erro.contains(QStringLiteral("Latitude: \"163699\"")) &&
              segundos.Erro.contains(QStringLiteral("os segundos (99)")))
      << segundos.Erro.toStdString();
  EXPECT_TRUE(segundos.Json.isEmpty());
  // A folder without data: the start-up's failure, exit 1.
  TPastaTemporaria vazia;
  EXPECT_EQ(Executa({QStringLiteral("--dados"), vazia.Caminho(), QStringLiteral("secao"),
                     QStringLiteral("--xy"), QStringLiteral("1"), QStringLiteral("1")})
                .Codigo,
            1);
}

// Where the flows came from and which grants were counted: the new keys beside every old one,
// and the monthly tables equal, month by month, to the sum of the grants listed as counted.
TEST_F(SecaoCli, OrigemEOutorgasConsideradas) {
  for (const char* nome : {"principal", "cabeceira"}) {
    const TSaida r = SecaoXY(Secao(nome), {QStringLiteral("--outorgas")});
    ASSERT_EQ(r.Codigo, 0) << r.Erro.toStdString();
    const QJsonObject& j = r.Json;
    for (const char* chave :
         {"VazoesTradicional", "OutorgadaEstadual", "OutorgadaFederal", "Mensagens", "AreaDrenagem",
          "Origem", "OutorgasConsideradas", "OutorgasDescartadas"})
      EXPECT_TRUE(j.contains(QString::fromLatin1(chave))) << nome << " " << chave;

    const QJsonObject origem = j.value(QStringLiteral("Origem")).toObject();
    const QJsonObject trad = origem.value(QStringLiteral("Tradicional")).toObject();
    EXPECT_FALSE(trad.value(QStringLiteral("Equacoes")).toArray().isEmpty()) << nome;
    for (const auto& e : trad.value(QStringLiteral("Equacoes")).toArray())
      EXPECT_DOUBLE_EQ(e.toObject().value(QStringLiteral("AreaAvaliada")).toDouble(),
                       j.value(QStringLiteral("AreaDrenagem")).toDouble());
    // Every flow of 0 says why; every estimated flow has no reason.
    for (const char* metodo : {"Tradicional", "Proporcional", "Conservacao"}) {
      const QJsonObject v = origem.value(QString::fromLatin1(metodo))
                                .toObject()
                                .value(QStringLiteral("Vazoes"))
                                .toObject();
      for (const auto& q : v) {
        const QJsonObject f = q.toObject();
        EXPECT_EQ(f.value(QStringLiteral("Vazao")).toDouble() == 0.0,
                  f.value(QStringLiteral("Motivo")).isString())
            << nome << " " << metodo;
      }
    }

    std::map<QString, double> estadual, federal;
    const QJsonArray consideradas = j.value(QStringLiteral("OutorgasConsideradas")).toArray();
    for (const auto& v : consideradas) {
      const QJsonObject o = v.toObject();
      const bool ana = o.value(QStringLiteral("Cadastro")).toString() == QStringLiteral("ANA");
      const QDate primeiro = QDate::fromString(
          o.value(QStringLiteral("PrimeiroMes")).toString() + "-01", QStringLiteral("yyyy-MM-dd"));
      ASSERT_TRUE(primeiro.isValid());
      EXPECT_FALSE(o.value(QStringLiteral("Regra")).toString().isEmpty());
      for (int k = 0; k < o.value(QStringLiteral("Meses")).toInt(); ++k) {
        const QDate d = primeiro.addMonths(k);
        const QJsonValue vazao = o.value(QStringLiteral("Vazao"));
        const double q =
            vazao.isArray() ? vazao.toArray().at(d.month() - 1).toDouble() : vazao.toDouble();
        (ana ? federal : estadual)[d.toString(QStringLiteral("yyyy-MM"))] += q;
      }
    }
    for (const auto& [tabela, soma] :
         {std::pair{"OutorgadaEstadual", &estadual}, std::pair{"OutorgadaFederal", &federal}}) {
      const QJsonObject meses = j.value(QString::fromLatin1(tabela)).toObject();
      for (auto it = meses.begin(); it != meses.end(); ++it)
        EXPECT_NEAR(it.value().toDouble(), (*soma)[it.key()], 1e-9)
            << tabela << " " << it.key().toStdString();
      for (const auto& [mes, v] : *soma) {
        if (v != 0.0) {
          EXPECT_TRUE(meses.contains(mes)) << tabela << " " << mes.toStdString();
        }
      }
    }
    const qint64 examinadas =
        consideradas.size() + j.value(QStringLiteral("OutorgasDescartadas")).toArray().size();
    EXPECT_EQ(examinadas, Registros("Out_Sup_Signif_AQEM") + Registros("Out_Sup_Insignif_AQEM") +
                              Registros("Out_Sup_ANA"));
    for (const auto& v : j.value(QStringLiteral("OutorgasDescartadas")).toArray())
      EXPECT_FALSE(v.toObject().value(QStringLiteral("Motivo")).toString().isEmpty());
    if (QString::fromLatin1(nome) == QStringLiteral("principal") &&
        Registros("Out_Sup_Signif_AQEM") > 0) {
      // Below the junction in unit 312, grants of regions 1 and 2 count by the region rule.
      bool regiao = false;
      for (const auto& v : consideradas)
        regiao = regiao || v.toObject()
                               .value(QStringLiteral("Regra"))
                               .toString()
                               .startsWith(QStringLiteral("seção no Rio Paracatu na região 3"));
      EXPECT_TRUE(regiao);
    }
  }
}

// The lists of examined grants come only when asked for, wherever the option stands; without
// them the object is the same, with how many grants each list would hold.
TEST_F(SecaoCli, ListasDeOutorgasSoComAOpcao) {
  const QJsonObject s = Secao("principal");
  const TSaida curta = SecaoXY(s);
  const TSaida completa =
      Executa({QStringLiteral("--dados"), Pasta->Caminho(), QStringLiteral("secao"),
               QStringLiteral("--outorgas"), QStringLiteral("--xy"),
               QString::number(s.value(QStringLiteral("X")).toDouble(), 'f', 6),
               QString::number(s.value(QStringLiteral("Y")).toDouble(), 'f', 6)});
  ASSERT_EQ(curta.Codigo, 0) << curta.Erro.toStdString();
  ASSERT_EQ(completa.Codigo, 0) << completa.Erro.toStdString();
  QJsonObject semListas = completa.Json;
  QJsonObject j = curta.Json;
  for (const char* lista : {"OutorgasConsideradas", "OutorgasDescartadas"}) {
    EXPECT_FALSE(j.contains(QString::fromLatin1(lista)));
    const QJsonArray a = completa.Json.value(QString::fromLatin1(lista)).toArray();
    EXPECT_EQ(j.value(QStringLiteral("Num") + QString::fromLatin1(lista)).toInteger(), a.size());
    semListas.remove(QString::fromLatin1(lista));
  }
  if (Registros("Out_Sup_Signif_AQEM") > 0) {
    EXPECT_GT(j.value(QStringLiteral("NumOutorgasConsideradas")).toInteger(), 0);
  }
  semListas.remove(QStringLiteral("Mensagens"));
  j.remove(QStringLiteral("Mensagens"));
  EXPECT_EQ(j, semListas);
  // Outside the basin nothing was examined.
  const TSaida fora = SecaoXY(Secao("foraDaBacia"), {QStringLiteral("--outorgas")});
  EXPECT_EQ(fora.Codigo, 3);
  EXPECT_EQ(fora.Json.value(QStringLiteral("NumOutorgasConsideradas")).toInteger(-1), 0);
  EXPECT_TRUE(fora.Json.value(QStringLiteral("OutorgasConsideradas")).toArray().isEmpty());
}
