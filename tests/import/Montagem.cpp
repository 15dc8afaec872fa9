#include "Montagem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryFile>
#include <QUuid>

#include "data/Esquema.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "import/EsquemaOutorgas.h"

namespace {

QJsonValue Celula(const QVariant& v) {
  if (!v.isValid()) return QJsonValue();
  if (v.typeId() == QMetaType::QDate)
    return QJsonObject{{QStringLiteral("data"), v.toDate().toString(Qt::ISODate)}};
  if (v.typeId() == QMetaType::QString) return v.toString();
  return v.toDouble();
}

void Poligono(TRegistros& r, double x0, double x1, double y0, double y1) {
  r.AdicionaNovo();
  r.DefineForma(TForma::Poligono({{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}}));
}

}  // namespace

QStringList Montagem::ColunasOutorgas() {
  return {QStringLiteral("Nº Processo"),
          QStringLiteral("Data entrada"),
          QStringLiteral("Requerente"),
          QStringLiteral("Nº Portaria"),
          QStringLiteral("Data Publicação"),
          QStringLiteral("Município"),
          QStringLiteral("Rio Estadual"),
          QStringLiteral("Rio Federal"),
          QStringLiteral("Recurso hídrico"),
          QStringLiteral("Latitude"),
          QStringLiteral("Longitude"),
          QStringLiteral("Vazão (m³/s)"),
          QStringLiteral("Vazão (m³/h)"),
          QStringLiteral("Local"),
          QStringLiteral("Tipo Outorga"),
          QStringLiteral("Obs"),
          QStringLiteral("Validade (anos)"),
          QStringLiteral("Finalidade"),
          QStringLiteral("Uso"),
          QStringLiteral("Profundidade (m)"),
          QStringLiteral("NE/ND")};
}

QStringList Montagem::ColunasCertidoes() {
  return {QStringLiteral("Nº Processo"),
          QStringLiteral("Data entrada"),
          QStringLiteral("Requerente"),
          QStringLiteral("Nº Certidão"),
          QStringLiteral("Data Expedição"),
          QStringLiteral("Município"),
          QStringLiteral("Rio Estadual"),
          QStringLiteral("Rio Federal"),
          QStringLiteral("Recurso hídrico"),
          QStringLiteral("Latitude"),
          QStringLiteral("Longitude"),
          QStringLiteral("Vazão (m³/s)"),
          QStringLiteral("Vazão (m³/h)"),
          QStringLiteral("Tipo"),
          QStringLiteral("Obs"),
          QStringLiteral("Validade (anos)"),
          QStringLiteral("Local"),
          QStringLiteral("Finalidade"),
          QStringLiteral("Uso"),
          QStringLiteral("UPGRH"),
          QStringLiteral("Profundidade (m)"),
          QStringLiteral("NE/ND"),
          QStringLiteral("F23")};
}

QStringList Montagem::ColunasAna() {
  QStringList c{QStringLiteral("NomeReq"),
                QStringLiteral("NrPort01"),
                QStringLiteral("DataPub01"),
                QStringLiteral("DataVenc01"),
                QStringLiteral("NrPort02"),
                QStringLiteral("DataPub02"),
                QStringLiteral("DataVenc02"),
                QStringLiteral("Latitude"),
                QStringLiteral("Hemisferio"),
                QStringLiteral("Longitude"),
                QStringLiteral("Uf"),
                QStringLiteral("NOME_SIMPLIFICADO_IBGE"),
                QStringLiteral("TipoMan"),
                QStringLiteral("Rios"),
                QStringLiteral("Bacia1"),
                QStringLiteral("Finalidade"),
                QStringLiteral("Qc01 (m³/h)"),
                QStringLiteral("Tc01 (h/dia)"),
                QStringLiteral("Pc01 (dias/mês)")};
  for (int m = 2; m <= 12; ++m) {
    const QString mm = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
    c << QStringLiteral("Qc") + mm << QStringLiteral("Tc") + mm << QStringLiteral("Pc") + mm;
  }
  c << QStringLiteral("Abastecimento") << QStringLiteral("Aquicultura")
    << QStringLiteral("Indústria") << QStringLiteral("Irrigação") << QStringLiteral("Saneamento")
    << QStringLiteral("Mineração") << QStringLiteral("PequenosUsos")
    << QStringLiteral("Hidrogeração") << QStringLiteral("Termogeração") << QStringLiteral("Obras")
    << QStringLiteral("Diversos") << QStringLiteral("Serviços") << QStringLiteral("Travessia")
    << QStringLiteral("Navegação") << QStringLiteral("Lazer") << QStringLiteral("Outros");
  return c;
}

void Montagem::EscreveLivro(const QString& arquivo, const QList<TFolha>& folhas) {
  QJsonArray jsonFolhas;
  for (const TFolha& f : folhas) {
    QJsonArray linhas;
    for (const QVariantMap& l : f.Linhas) {
      QJsonArray celulas;
      for (const QString& c : f.Colunas) celulas.append(Celula(l.value(c)));
      for (auto it = l.begin(); it != l.end(); ++it)
        EXPECT_TRUE(f.Colunas.contains(it.key()))
            << "coluna desconhecida: " << it.key().toStdString();
      linhas.append(celulas);
    }
    jsonFolhas.append(
        QJsonObject{{QStringLiteral("nome"), f.Nome},
                    {QStringLiteral("colunas"), QJsonArray::fromStringList(f.Colunas)},
                    {QStringLiteral("linhas"), linhas}});
  }
  QTemporaryFile descricao(QDir::tempPath() + QStringLiteral("/torveda-livro-XXXXXX.json"));
  ASSERT_TRUE(descricao.open());
  descricao.write(QJsonDocument(QJsonObject{{QStringLiteral("arquivo"), arquivo},
                                            {QStringLiteral("folhas"), jsonFolhas}})
                      .toJson(QJsonDocument::Compact));
  descricao.flush();
  QFile::remove(arquivo);
  QProcess p;
  p.start(QStringLiteral(TORVEDA_PYTHON),
          {QStringLiteral(TORVEDA_ESCREVE_REGISTROS), descricao.fileName()});
  const bool ok =
      p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  ASSERT_TRUE(ok) << "escreve_registros.py falhou: " << p.readAllStandardError().toStdString()
                  << p.errorString().toStdString();
}

QList<Montagem::TFolha> Montagem::LivroAqem(const QList<QVariantMap>& superficial,
                                            const QList<QVariantMap>& certidoes,
                                            const QList<QVariantMap>& subterranea) {
  return {{QStringLiteral("Outorgas Água Superficial"), ColunasOutorgas(), superficial},
          {QStringLiteral("Certidões de Uso Insignificante"), ColunasCertidoes(), certidoes},
          {QStringLiteral("Outorgas Água Subterrânea"), ColunasOutorgas(), subterranea}};
}

QList<Montagem::TFolha> Montagem::LivroAna(const QList<QVariantMap>& linhas) {
  return {{QStringLiteral("Outorgas ANA"), ColunasAna(), linhas}};
}

void Montagem::CriaCamadas(const QString& pasta) {
  QDir().mkpath(pasta);
  {
    auto limite = TDadosShape::Cria(pasta + QStringLiteral("/Limite.shp"), TTipoGeometria::Poligono,
                                    {TCampo::Inteiro(QStringLiteral("ID"))});
    TRegistros r(limite, {});
    Poligono(r, XMin, XMax, YMin, YMax);
    r.Define(QStringLiteral("ID"), 1);
    r.FimEdicao();
  }
  {
    auto regioes =
        TDadosShape::Cria(pasta + QStringLiteral("/Reg_Met_Tradicional.shp"),
                          TTipoGeometria::Poligono, {TCampo::Inteiro(QStringLiteral("Regiao"))});
    TRegistros r(regioes, {});
    Poligono(r, XMin, XDivisa, YMin, YMax);
    r.Define(QStringLiteral("Regiao"), 1);
    r.Atualiza();
    Poligono(r, XDivisa, XMax, YMin, YMax);
    r.Define(QStringLiteral("Regiao"), 2);
    r.FimEdicao();
  }
  const std::pair<const char*, const std::vector<TAtributo>*> grants[] = {
      {"Out_Sup_Signif_AQEM", &EsquemaOutorgas::Significantes()},
      {"Out_Sup_Insignif_AQEM", &EsquemaOutorgas::Insignificantes()},
      {"Out_Sub_Signif_AQEM", &EsquemaOutorgas::Significantes()},
      {"Out_Sub_Insignif_AQEM", &EsquemaOutorgas::Insignificantes()},
      {"Out_Sup_ANA", &EsquemaOutorgas::Ana()}};
  for (const auto& [nome, atributos] : grants) {
    auto dados =
        TDadosShape::Cria(pasta + QLatin1Char('/') + QLatin1String(nome) + QStringLiteral(".shp"),
                          TTipoGeometria::Ponto, EsquemaOutorgas::Campos(*atributos));
    TRegistros r(dados, {});
    r.AdicionaNovo();
    r.DefinePonto(P0);
    r.Define(QStringLiteral("ID"), 99);
    r.FimEdicao();
  }
}

std::unique_ptr<TCamada> Montagem::AbreCamada(const QString& pasta, const QString& nome) {
  QString erro;
  auto dados = TDadosShape::Abre(pasta + QLatin1Char('/') + nome + QStringLiteral(".shp"), &erro);
  EXPECT_NE(dados, nullptr) << erro.toStdString();
  auto camada = std::make_unique<TCamada>(nome);
  camada->DefineDados(dados);
  return camada;
}

void Montagem::CriaArvore(const TCaminhos& caminhos) {
  QDir().mkpath(caminhos.DadosBD());
  CriaCamadas(QDir::cleanPath(caminhos.DadosSIG()));
  const QString nome = QUuid::createUuid().toString();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    db.setDatabaseName(caminhos.BaseDados());
    ASSERT_TRUE(db.open());
    CriaEsquema(db);
    db.close();
  }
  QSqlDatabase::removeDatabase(nome);
}

QString Montagem::Cli() { return QStringLiteral(TORVEDA_CLI); }

Montagem::TRetrato Montagem::Retrato(const QString& pasta, const QString& camada) {
  TRetrato r;
  for (const char* ext : {"shp", "shx", "dbf", "prj", "cpg"}) {
    QFile f(pasta + QLatin1Char('/') + camada + QLatin1Char('.') + QLatin1String(ext));
    r.Bytes += QByteArray(ext) + ':';
    if (f.open(QIODevice::ReadOnly)) r.Bytes += f.readAll();
  }
  QProcess ogrinfo;
  ogrinfo.start(QStringLiteral("ogrinfo"),
                {QStringLiteral("-ro"), QStringLiteral("-al"),
                 pasta + QLatin1Char('/') + camada + QStringLiteral(".shp")});
  if (ogrinfo.waitForFinished(60000) && ogrinfo.exitCode() == 0)
    r.Gdal = QString::fromUtf8(ogrinfo.readAllStandardOutput());
  EXPECT_TRUE(r.Gdal.contains(QStringLiteral("Feature Count"))) << camada.toStdString();
  return r;
}
