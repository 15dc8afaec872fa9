// Start-up over damaged data trees: each damaged file is a failed load whose message starts with
// the step's own message and then says which file is wrong and how, both in `torveda-cli
// verifica` and in the windowed program's start-up (through the scripted presenter). Commands that
// compute from the basin refuse to run on such a tree.

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <functional>
#include <limits>

#include "amostra/Amostra.h"
#include "app/gui/TfrmMain.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "sistema/TSistema.h"

namespace {

const QString ErroHeader = QStringLiteral("Erro ao abrir o arquivo Header.hdr");
const QString ErroMatrizes = QStringLiteral(
    "Erro ao abrir as Matrizes: hidro_mapeada.hdr, hidro_sem_esp.hdr, dir_esc.hdr, e "
    "fluxo_ac.hdr");
const QString ErroMunicipios = QStringLiteral("Erro ao abrir os municípios no formato shape");
const QString Matrizes = QStringLiteral("Dados/DadosSIG/Matrizes/");
const QString Municipios = QStringLiteral("Dados/DadosSIG/Municipios");
const QString Base = QStringLiteral("Dados/DadosBD/TORVEDA.sqlite");

void CopiaArvore(const QString& de, const QString& para) {
  QDirIterator it(de, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString arquivo = it.next();
    const QString destino = para + arquivo.mid(de.size());
    QDir().mkpath(QFileInfo(destino).path());
    QFile::copy(arquivo, destino);
  }
}

QByteArray Le(const QString& arquivo) {
  QFile f(arquivo);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Escreve(const QString& arquivo, const QByteArray& conteudo) {
  QFile f(arquivo);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(conteudo);
}

// Rewrites the header line of that field (the label padded to 14 characters, then the value).
void TrocaCampo(const QString& arquivo, const char* campo, const QByteArray& valor) {
  QList<QByteArray> linhas = Le(arquivo).split('\n');
  bool trocou = false;
  for (QByteArray& l : linhas)
    if (l.trimmed().toLower().startsWith(QByteArray(campo).toLower() + ' ')) {
      l = QByteArray(campo).leftJustified(14, ' ') + valor + '\r';
      trocou = true;
    }
  QVERIFY2(trocou, campo);
  Escreve(arquivo, linhas.join('\n'));
}

void Trunca(const QString& arquivo, qint64 tamanho) {
  QFile f(arquivo);
  QVERIFY(f.resize(tamanho));
}

void ExecutaSql(const QString& arquivo, const QString& sql) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dano"));
    db.setDatabaseName(arquivo);
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("dano"));
}

// Writes one cell of a .flt grid in place (the test hosts are little-endian).
void TrocaCelula(const QString& flt, qint64 indice, float valor) {
  QFile f(flt);
  QVERIFY(f.open(QIODevice::ReadWrite));
  QVERIFY(f.seek(indice * 4));
  f.write(reinterpret_cast<const char*>(&valor), 4);
}

struct TDano {
  const char* Nome;
  std::function<void(const QString& dir)> Aplica;
  QString Mensagem;       // the step's own message, which the failure starts with
  QStringList Detalhe;    // what the rest of the failure must say (the file and the fault)
  bool MostradoNoInicio;  // a message box at start-up (the layers fail silently)
};

const std::vector<TDano>& Danos() {
  static const std::vector<TDano> danos = {
      {"header com dimensoes menores que as grades",
       [](const QString& d) {
         TrocaCampo(d + Matrizes + QStringLiteral("Header.hdr"), "ncols", "75");
         TrocaCampo(d + Matrizes + QStringLiteral("Header.hdr"), "nrows", "75");
       },
       ErroMatrizes,
       {QStringLiteral("hidro_mapeada.hdr"), QStringLiteral("colunas 200"), QStringLiteral("(75)")},
       true},
      {"grade com outro numero de linhas",
       [](const QString& d) {
         TrocaCampo(d + Matrizes + QStringLiteral("hidro_sem_esp.hdr"), "nrows", "199");
       },
       ErroMatrizes,
       {QStringLiteral("hidro_sem_esp.hdr"), QStringLiteral("linhas 199")},
       true},
      {"grade com outro canto",
       [](const QString& d) {
         const QString hdr = d + Matrizes + QStringLiteral("dir_esc.hdr");
         const QList<QByteArray> linhas = Le(hdr).split('\n');
         const double x = linhas[2].mid(14).trimmed().toDouble();
         TrocaCampo(hdr, "xllcorner", QByteArray::number(x + 50, 'f', 3));
       },
       ErroMatrizes,
       {QStringLiteral("dir_esc.hdr"), QStringLiteral("canto inferior esquerdo")},
       true},
      {"grade com outro tamanho de celula",
       [](const QString& d) {
         TrocaCampo(d + Matrizes + QStringLiteral("fluxo_ac.hdr"), "cellsize", "25");
       },
       ErroMatrizes,
       {QStringLiteral("fluxo_ac.hdr"), QStringLiteral("tamanho da célula 25")},
       true},
      {"cabecalho de grade vazio",
       [](const QString& d) { Escreve(d + Matrizes + QStringLiteral("hidro_mapeada.hdr"), {}); },
       ErroMatrizes,
       {QStringLiteral("hidro_mapeada.hdr"), QStringLiteral("vazio")},
       true},
      {"cabecalho de grade sem linhas",
       [](const QString& d) {
         const QString hdr = d + Matrizes + QStringLiteral("hidro_sem_esp.hdr");
         Escreve(hdr, Le(hdr).split('\n').mid(0, 3).join('\n'));
       },
       ErroMatrizes,
       {QStringLiteral("hidro_sem_esp.hdr"), QStringLiteral("falta a linha 4 (yllcorner)")},
       true},
      {"dados de grade curtos",
       [](const QString& d) { Trunca(d + Matrizes + QStringLiteral("dir_esc.flt"), 1000); },
       ErroMatrizes,
       {QStringLiteral("dir_esc.flt"), QStringLiteral("1000 bytes")},
       true},
      {"header com celula zero",
       [](const QString& d) {
         TrocaCampo(d + Matrizes + QStringLiteral("Header.hdr"), "cellsize", "0");
       },
       ErroHeader,
       {QStringLiteral("Header.hdr"), QStringLiteral("cellsize vale 0")},
       true},
      {"header com celula negativa",
       [](const QString& d) {
         TrocaCampo(d + Matrizes + QStringLiteral("Header.hdr"), "cellsize", "-50");
       },
       ErroHeader,
       {QStringLiteral("Header.hdr"), QStringLiteral("cellsize vale -50")},
       true},
      {"header com dimensoes absurdas",
       [](const QString& d) {
         TrocaCampo(d + Matrizes + QStringLiteral("Header.hdr"), "nrows", "2000000000");
       },
       ErroHeader,
       {QStringLiteral("Header.hdr"), QStringLiteral("nrows vale 2000000000")},
       true},
      {"direcoes em laco",
       [](const QString& d) {
         TrocaCelula(d + Matrizes + QStringLiteral("dir_esc.flt"), 0, 1);
         TrocaCelula(d + Matrizes + QStringLiteral("dir_esc.flt"), 1, 16);
       },
       ErroMatrizes,
       {QStringLiteral("dir_esc.hdr"), QStringLiteral("laço de 2 células"),
        QStringLiteral("coluna 1, linha 1")},
       true},
      {"direcao com codigo invalido",
       [](const QString& d) { TrocaCelula(d + Matrizes + QStringLiteral("dir_esc.flt"), 0, 3); },
       ErroMatrizes,
       {QStringLiteral("dir_esc.hdr"),
        QStringLiteral("coluna 1, linha 1 tem o código de direção 3")},
       true},
      {"acumulacao negativa",
       [](const QString& d) { TrocaCelula(d + Matrizes + QStringLiteral("fluxo_ac.flt"), 5, -2); },
       ErroMatrizes,
       {QStringLiteral("fluxo_ac.hdr"), QStringLiteral("coluna 6, linha 1 vale -2")},
       true},
      {"drenagem mapeada infinita",
       [](const QString& d) {
         TrocaCelula(d + Matrizes + QStringLiteral("hidro_mapeada.flt"), 7,
                     std::numeric_limits<float>::infinity());
       },
       ErroMatrizes,
       {QStringLiteral("hidro_mapeada.hdr"), QStringLiteral("coluna 8, linha 1 vale inf")},
       true},
      {"camada sem dbf",
       [](const QString& d) { QVERIFY(QFile::remove(d + Municipios + QStringLiteral(".dbf"))); },
       ErroMunicipios,
       {QStringLiteral("Municipios.dbf"), QStringLiteral("Falta")},
       false},
      {"camada com dbf truncado",
       [](const QString& d) {
         const QString dbf = d + Municipios + QStringLiteral(".dbf");
         Trunca(dbf, QFileInfo(dbf).size() / 2);
       },
       ErroMunicipios,
       {QStringLiteral("Municipios.dbf"), QStringLiteral("truncado")},
       false},
      {"camada com shp de lixo",
       [](const QString& d) {
         const QString shp = d + Municipios + QStringLiteral(".shp");
         QByteArray b = Le(shp);
         for (qsizetype i = 100; i < b.size(); ++i) b[i] = static_cast<char>(i * 37);
         Escreve(shp, b);
       },
       ErroMunicipios,
       {QStringLiteral("Municipios.shp"), QStringLiteral("corrompido")},
       false},
      {"base vazia",
       [](const QString& d) { Trunca(d + Base, 0); },
       QStringLiteral("O banco de dados "),
       {QStringLiteral("TORVEDA.sqlite"), QStringLiteral("vazio")},
       true},
      {"base sem tabela",
       [](const QString& d) { ExecutaSql(d + Base, QStringLiteral("DROP TABLE Rios")); },
       QStringLiteral("O banco de dados "),
       {QStringLiteral("TORVEDA.sqlite"), QStringLiteral("falta a tabela Rios")},
       true},
      {"base sem coluna",
       [](const QString& d) {
         ExecutaSql(d + Base, QStringLiteral("ALTER TABLE EQ_Conservacao DROP COLUMN codRio"));
       },
       QStringLiteral("O banco de dados "),
       {QStringLiteral("TORVEDA.sqlite"),
        QStringLiteral("falta a coluna codRio na tabela EQ_Conservacao")},
       true},
      {"estacao com vazao negativa",
       [](const QString& d) {
         ExecutaSql(d + Base, QStringLiteral("UPDATE EstFluviometricas SET Q90Ob = -0.5 WHERE "
                                             "CodEstFlu = (SELECT min(CodEstFlu) FROM "
                                             "EstFluviometricas)"));
       },
       QStringLiteral("O banco de dados "),
       {QStringLiteral("TORVEDA.sqlite"), QStringLiteral("tabela EstFluviometricas, CodEstFlu "),
        QStringLiteral("coluna Q90Ob: a vazão -0,5 m³/s é negativa.")},
       true},
      {"equacao que da vazao negativa",
       [](const QString& d) {
         ExecutaSql(d + Base, QStringLiteral("UPDATE EQ_Tradicional SET B0 = -B0 WHERE Modelo = "
                                             "'Pot'"));
       },
       QStringLiteral("O banco de dados "),
       {QStringLiteral("tabela EQ_Tradicional, codEQQuintaro "),
        QStringLiteral("coluna B0: o modelo Pot dá vazão negativa")},
       true},
      {"restricao sem linha",
       [](const QString& d) {
         ExecutaSql(d + Base, QStringLiteral("UPDATE EQ_Conservacao SET codRestricao = 999"));
       },
       QStringLiteral("O banco de dados "),
       {QStringLiteral("tabela EQ_Conservacao, codEQPelmar "),
        QStringLiteral("coluna codRestricao: a restrição 999 não tem linha em Restricoes")},
       true},
      {"VarMinima que nao nomeia vazao",
       [](const QString& d) {
         ExecutaSql(d + Base, QStringLiteral("UPDATE EQ_Tradicional SET VarMinima = 'Q7' WHERE "
                                             "codEQQuintaro = (SELECT max(codEQQuintaro) FROM "
                                             "EQ_Tradicional)"));
       },
       QStringLiteral("O banco de dados "),
       {QStringLiteral("coluna VarMinima: \"Q7\" não nomeia uma vazão; os nomes aceitos são "
                       "Q710Ob, Q90Ob")},
       true},
  };
  return danos;
}

bool Descreve(const QString& mensagem, const TDano& dano) {
  if (!mensagem.startsWith(dano.Mensagem)) return false;
  for (const QString& d : dano.Detalhe)
    if (!mensagem.contains(d)) return false;
  return true;
}

struct TSaida {
  int Codigo = -1;
  QJsonObject Json;
  QString Erro;
};

TSaida Executa(const QString& dados, const QStringList& argumentos) {
  QProcess p;
  p.start(QStringLiteral(TORVEDA_CLI), QStringList{QStringLiteral("--dados"), dados} + argumentos);
  TSaida s;
  if (!p.waitForFinished(120000)) return s;
  s.Codigo = p.exitCode();
  s.Json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
  // Qt's own notices about the environment are not the program's messages.
  QStringList linhas = QString::fromUtf8(p.readAllStandardError()).split(QLatin1Char('\n'));
  linhas.removeIf([](const QString& l) { return l.startsWith(QStringLiteral("QStandardPaths:")); });
  s.Erro = linhas.join(QLatin1Char('\n'));
  return s;
}

}  // namespace

class TesteCargasDanificadas : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TOpcoesAmostra opcoes;
    opcoes.Colunas = opcoes.Linhas = 200;
    const QJsonObject resumo = GeraAmostra(Original.Caminho(), opcoes);
    Secao = resumo.value(QStringLiteral("secoes"))
                .toObject()
                .value(QStringLiteral("principal"))
                .toObject();
    // The sound tree loads whole: every failure below comes from its one damaged file.
    const TSaida s = Executa(Original.Caminho(), {QStringLiteral("verifica")});
    QCOMPARE(s.Codigo, 0);
  }

  void init() {
    Pasta = std::make_unique<TPastaTemporaria>();
    CopiaArvore(Original.Caminho(), Pasta->Caminho());
  }
  void cleanup() { Pasta.reset(); }

  void verificaNomeiaArquivoEDefeito_data() { Linhas(); }
  void verificaNomeiaArquivoEDefeito() {
    QFETCH(int, indice);
    const TDano& dano = Danos()[static_cast<std::size_t>(indice)];
    dano.Aplica(Pasta->Caminho() + QLatin1Char('/'));
    const TSaida s = Executa(Pasta->Caminho(), {QStringLiteral("verifica")});
    QCOMPARE(s.Codigo, 1);
    int falhas = 0;
    bool achou = false;
    for (const QJsonValue& v : s.Json.value(QStringLiteral("cargas")).toArray()) {
      const QJsonObject c = v.toObject();
      if (c.value(QStringLiteral("ok")).toBool()) continue;
      ++falhas;
      achou = achou || Descreve(c.value(QStringLiteral("mensagem")).toString(), dano);
    }
    QVERIFY2(achou, qPrintable(QJsonDocument(s.Json).toJson()));
    // One damaged file, one failed load (a grid failure also stops the grids after it).
    QVERIFY2(falhas == 1, qPrintable(QJsonDocument(s.Json).toJson()));
  }

  void inicioDaJanelaMostraOMesmo_data() { Linhas(); }
  void inicioDaJanelaMostraOMesmo() {
    QFETCH(int, indice);
    const TDano& dano = Danos()[static_cast<std::size_t>(indice)];
    dano.Aplica(Pasta->Caminho() + QLatin1Char('/'));
    TApresentadorRoteirizado apresentador;
    TSistema sistema(TCaminhos(Pasta->Caminho(), QStringLiteral("TORVEDA")));
    TfrmMain frm(sistema, apresentador);
    sistema.CriaDataModule(apresentador);
    const QStringList erros = apresentador.Textos(TApresentadorRoteirizado::TTipo::Erro);
    if (dano.MostradoNoInicio) {
      QCOMPARE(erros.size(), 1);
      QVERIFY2(Descreve(erros.first(), dano), qPrintable(erros.first()));
    } else {
      // A layer fails silently at start-up; the location window tells when it is opened.
      QVERIFY2(erros.isEmpty(), qPrintable(erros.join(u'|')));
      QVERIFY2(Descreve(sistema.ErroInicial(), dano), qPrintable(sistema.ErroInicial()));
    }
    const bool dosMapas = dano.Mensagem != QStringLiteral("O banco de dados ");
    QCOMPARE(sistema.MapasCarregados, !dosMapas);
  }

  // A section computed from grids that did not load would be made up: the command says why it
  // cannot run, that message first, and exits 1 without printing a section.
  void secaoEAnaliseRecusamArvoreQueFalhou() {
    Danos()[0].Aplica(Pasta->Caminho() + QLatin1Char('/'));
    const QStringList xy = {QStringLiteral("--xy"),
                            QString::number(Secao.value(QStringLiteral("X")).toDouble(), 'f', 3),
                            QString::number(Secao.value(QStringLiteral("Y")).toDouble(), 'f', 3)};
    const TSaida secao = Executa(Pasta->Caminho(), QStringList{QStringLiteral("secao")} + xy);
    QCOMPARE(secao.Codigo, 1);
    QVERIFY(secao.Json.isEmpty());
    QVERIFY2(secao.Erro.startsWith(QStringLiteral("Erro: ") + ErroMatrizes + QLatin1Char('\n') +
                                   QStringLiteral("hidro_mapeada.hdr")),
             qPrintable(secao.Erro));

    const TSaida analise =
        Executa(Pasta->Caminho(),
                QStringList{QStringLiteral("analise")} + xy +
                    QStringList{QStringLiteral("--inicio"), QStringLiteral("01/2000"),
                                QStringLiteral("--fim"), QStringLiteral("12/2000"),
                                QStringLiteral("--vazao"), QStringLiteral("0,1"),
                                QStringLiteral("--percentual"), QStringLiteral("30"),
                                QStringLiteral("--referencia"), QStringLiteral("Q710"),
                                QStringLiteral("--metodo"), QStringLiteral("Tradicional")});
    QCOMPARE(analise.Codigo, 1);
    QVERIFY2(analise.Erro.startsWith(QStringLiteral("Erro: ") + ErroMatrizes),
             qPrintable(analise.Erro));
  }

  // A computation stops only for a layer it reads, with that layer's message; a damaged layer
  // it never reads (the roads, the groundwater grants) does not keep it from running.
  void secaoSoExigeAsCamadasQueLe() {
    const QStringList args = {QStringLiteral("secao"), QStringLiteral("--xy"),
                              QString::number(Secao.value(QStringLiteral("X")).toDouble(), 'f', 3),
                              QString::number(Secao.value(QStringLiteral("Y")).toDouble(), 'f', 3)};
    const QString pasta = Pasta->Caminho() + QLatin1Char('/');
    for (const char* alheia : {"Estradas", "Out_Sub_Signif_AQEM"})
      QVERIFY(QFile::remove(pasta + QStringLiteral("Dados/DadosSIG/") + QLatin1String(alheia) +
                            QStringLiteral(".dbf")));
    const TSaida livre = Executa(Pasta->Caminho(), args);
    QVERIFY2(livre.Codigo == 0, qPrintable(livre.Erro));
    QVERIFY(!livre.Json.isEmpty());

    QVERIFY(QFile::remove(pasta + Municipios + QStringLiteral(".dbf")));
    const TSaida presa = Executa(Pasta->Caminho(), args);
    QCOMPARE(presa.Codigo, 1);
    QVERIFY(presa.Json.isEmpty());
    QVERIFY2(presa.Erro.startsWith(QStringLiteral("Erro: ") + ErroMunicipios),
             qPrintable(presa.Erro));
  }

  // The register workbooks are the imports' business: a computation runs without them.
  void secaoCorreSemAsPlanilhas() {
    for (const QString& f : QDir(Pasta->Caminho() + QStringLiteral("/Dados/DadosBD"))
                                .entryList({QStringLiteral("*_Outorgas_*")}, QDir::Files))
      QVERIFY(QFile::remove(Pasta->Caminho() + QStringLiteral("/Dados/DadosBD/") + f));
    const TSaida s = Executa(
        Pasta->Caminho(), {QStringLiteral("secao"), QStringLiteral("--xy"),
                           QString::number(Secao.value(QStringLiteral("X")).toDouble(), 'f', 3),
                           QString::number(Secao.value(QStringLiteral("Y")).toDouble(), 'f', 3)});
    QVERIFY2(s.Codigo == 0, qPrintable(s.Erro));
  }

 private:
  static void Linhas() {
    QTest::addColumn<int>("indice");
    for (std::size_t i = 0; i < Danos().size(); ++i)
      QTest::newRow(Danos()[i].Nome) << static_cast<int>(i);
  }

  TPastaTemporaria Original;
  QJsonObject Secao;
  std::unique_ptr<TPastaTemporaria> Pasta;
};

QTEST_MAIN(TesteCargasDanificadas)
#include "TesteCargasDanificadas.moc"
