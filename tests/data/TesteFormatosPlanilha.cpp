// Registers whose number columns carry units, colours, negative and zero sections in their
// formats, as written by python3-xlwt and as saved from those files by LibreOffice (.xls and
// .xlsx): every flow, coordinate and document number reads as the number written, every date as
// its date, and the three files read alike. Damaged copies are refused naming the file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

#include "base/Erro.h"
#include "data/ColunasOutorgas.h"
#include "data/EscritaXlsx.h"
#include "data/TLivroPlanilha.h"
#include "data/TTabelaPlanilha.h"

namespace {

namespace C = ColunasOutorgas;

QString PastaXlwt() {
  static QTemporaryDir pasta(QDir::tempPath() + QStringLiteral("/torveda-unidades-XXXXXX"));
  static const bool escrita = [] {
    QProcess p;
    p.start(QStringLiteral(TORVEDA_PYTHON),
            {QStringLiteral(TORVEDA_ESCREVE_UNIDADES), pasta.path()});
    const bool ok =
        p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok)
      ADD_FAILURE() << "escreve_unidades.py falhou: " << p.readAllStandardError().toStdString();
    return ok;
  }();
  (void)escrita;
  return pasta.path();
}

// The register `nome` ("aqem" or "ana") as xlwt wrote it and as LibreOffice saved it.
QStringList Arquivos(const QString& nome) {
  const QString fixas = QStringLiteral(TORVEDA_PLANILHAS_FIXAS) + QLatin1Char('/');
  return {PastaXlwt() + QLatin1Char('/') + nome + QStringLiteral("_unidades.xls"),
          fixas + nome + QStringLiteral("_unidades_libreoffice.xls"),
          fixas + nome + QStringLiteral("_unidades_libreoffice.xlsx")};
}

struct TAberta {
  TLivroPlanilha Livro;
  TTabelaPlanilha Tabela;
  TAberta(const QString& arquivo, const QString& folha) : Tabela(folha) {
    Livro.DefineArquivo(arquivo);
    Livro.Abre();
    Tabela.Abre(Livro);
  }
  // The column's numbers, row by row (blank cells 0).
  std::vector<double> Numeros(const QString& coluna) {
    std::vector<double> v;
    for (Tabela.Primeiro(); !Tabela.Fim(); Tabela.Proximo()) v.push_back(Tabela.Numero(coluna));
    return v;
  }
};

double Dia(int a, int m, int d) { return QDate(1899, 12, 30).daysTo(QDate(a, m, d)); }

}  // namespace

TEST(FormatosPlanilha, RegistroEstadualLidoComoEscrito) {
  for (const QString& arquivo : Arquivos(QStringLiteral("aqem"))) {
    SCOPED_TRACE(arquivo.toStdString());
    TAberta sub(arquivo, C::FolhaSubterranea);
    // A groundwater grant of 3,6 m³/h was read as 0,6 (a time of day), and 88,3 as 0,3.
    EXPECT_EQ(sub.Numeros(QStringLiteral("Vazão (m³/h)")),
              (std::vector<double>{3.6, 88.3, 0.0, 12.25}));
    EXPECT_EQ(sub.Tabela.TipoColuna(QStringLiteral("Vazão (m³/h)")), TTipoColunaPlanilha::Numero);
    EXPECT_EQ(sub.Numeros(QStringLiteral("Latitude")),
              (std::vector<double>{180000, 180001, 180002, 180003}));
    EXPECT_EQ(sub.Numeros(QStringLiteral("Nº Portaria")), (std::vector<double>{77, 0, 0, 0}));
    EXPECT_EQ(sub.Numeros(QStringLiteral("Data Publicação"))[0], Dia(2001, 2, 28));

    TAberta sup(arquivo, C::FolhaSuperficial);
    // Colours, a negative section and a zero section whose text has date letters in it.
    EXPECT_EQ(sup.Numeros(QStringLiteral("Vazão (m³/s)")), (std::vector<double>{0.25, 1.75, 0}));
    EXPECT_EQ(sup.Numeros(QStringLiteral("Longitude")),
              (std::vector<double>{434512, 460159, 460158}));
    EXPECT_EQ(sup.Numeros(QStringLiteral("Validade (anos)")), (std::vector<double>{10, 5, 0}));
    sup.Tabela.Primeiro();
    EXPECT_EQ(sup.Tabela.Data(QStringLiteral("Data entrada")), Dia(2005, 3, 15));
    EXPECT_EQ(sup.Tabela.Texto(QStringLiteral("Nº Portaria")), QStringLiteral("101"));

    TAberta cert(arquivo, C::FolhaInsignificante);
    EXPECT_EQ(cert.Numeros(QStringLiteral("Vazão (m³/s)")), (std::vector<double>{0.0015}));
    EXPECT_EQ(cert.Numeros(QStringLiteral("Vazão (m³/h)")), (std::vector<double>{1234.5}));
    EXPECT_EQ(cert.Numeros(QStringLiteral("Data Expedição")),
              (std::vector<double>{Dia(2012, 7, 9)}));
  }
}

TEST(FormatosPlanilha, RegistroFederalLidoComoEscrito) {
  for (const QString& arquivo : Arquivos(QStringLiteral("ana"))) {
    SCOPED_TRACE(arquivo.toStdString());
    TAberta ana(arquivo, C::FolhaAna);
    ASSERT_EQ(ana.Tabela.NumLinhas(), 2);
    ana.Tabela.Primeiro();
    // A January total of 15 012 m³/h (4,17 m³/s) was read as a time of day.
    const char* const meses[] = {"Qc01 (m³/h)", "Qc02", "Qc03", "Qc04", "Qc05", "Qc06"};
    const double esperados[] = {15012.0, 4.17, 72.5, -3.5, 0.0, 1500.125};
    for (int m = 0; m < 6; ++m)
      EXPECT_EQ(ana.Tabela.Numero(QString::fromUtf8(meses[m])), esperados[m]) << meses[m];
    EXPECT_EQ(ana.Tabela.Numero(QStringLiteral("NrPort01")), 412.0);
    EXPECT_EQ(ana.Tabela.Data(QStringLiteral("DataPub01")), Dia(2004, 11, 3));
    EXPECT_EQ(ana.Tabela.Texto(QStringLiteral("Latitude")), QStringLiteral("19°45'30\""));
    ana.Tabela.Proximo();
    // A coordinate written as a number with a locale code reads as its digits.
    EXPECT_EQ(ana.Tabela.Texto(QStringLiteral("Latitude")), QStringLiteral("171005"));
    EXPECT_EQ(ana.Tabela.Numero(QStringLiteral("Qc01 (m³/h)")), 0.5);
  }
}

// The .xls written by xlwt, the .xls and the .xlsx saved by LibreOffice give the same tables:
// headings, column types and every cell.
TEST(FormatosPlanilha, MesmasTabelasDeCadaArquivo) {
  const std::pair<const char*, QStringList> registros[] = {
      {"aqem", {C::FolhaSuperficial, C::FolhaInsignificante, C::FolhaSubterranea}},
      {"ana", {C::FolhaAna}}};
  for (const auto& [nome, folhas] : registros) {
    const QStringList arquivos = Arquivos(QString::fromLatin1(nome));
    for (const QString& folha : folhas) {
      TAberta base(arquivos[0], folha);
      for (qsizetype k = 1; k < arquivos.size(); ++k) {
        SCOPED_TRACE((arquivos[k] + QLatin1Char(' ') + folha).toStdString());
        TAberta outra(arquivos[k], folha);
        ASSERT_EQ(outra.Tabela.Colunas(), base.Tabela.Colunas());
        ASSERT_EQ(outra.Tabela.NumLinhas(), base.Tabela.NumLinhas());
        for (const QString& c : base.Tabela.Colunas()) {
          EXPECT_EQ(outra.Tabela.TipoColuna(c), base.Tabela.TipoColuna(c)) << c.toStdString();
          for (base.Tabela.Primeiro(), outra.Tabela.Primeiro(); !base.Tabela.Fim();
               base.Tabela.Proximo(), outra.Tabela.Proximo())
            EXPECT_EQ(outra.Tabela.Valor(c), base.Tabela.Valor(c))
                << c.toStdString() << ", linha " << base.Tabela.Linha() + 2;
        }
      }
    }
  }
}

// Damaged copies: cut anywhere, or with a sheet cut inside a whole package, each is refused with
// a message naming the file (or still whole enough to read), never a crash.
TEST(FormatosPlanilha, CopiasDanificadas) {
  const auto erro = [](const QString& arquivo) -> QString {
    try {
      TLivroPlanilha livro;
      livro.DefineArquivo(arquivo);
      livro.Abre();
      for (const QString& folha : livro.Folhas()) TTabelaPlanilha(folha).Abre(livro);
    } catch (const ETorveda& e) {
      return e.mensagem();
    }
    return {};
  };
  const QString cortada =
      QStringLiteral(TORVEDA_PLANILHAS_FIXAS) + QStringLiteral("/aqem_unidades_folha_cortada.xlsx");
  EXPECT_TRUE(erro(cortada).contains(cortada)) << erro(cortada).toStdString();

  QTemporaryDir pasta;
  for (const QString& origem : Arquivos(QStringLiteral("aqem")).mid(1)) {
    QFile f(origem);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QString arquivo = pasta.filePath(QStringLiteral("cortado.") + QFileInfo(origem).suffix());
    int recusados = 0;
    for (qsizetype n = 0; n < bytes.size(); n += 397) {
      QFile saida(arquivo);
      ASSERT_TRUE(saida.open(QIODevice::WriteOnly | QIODevice::Truncate));
      saida.write(bytes.left(n));
      saida.close();
      const QString e = erro(arquivo);
      if (!e.isEmpty()) {
        ++recusados;
        EXPECT_TRUE(e.contains(arquivo)) << e.toStdString();
      }
    }
    EXPECT_GT(recusados, 0) << origem.toStdString();
  }
}

// Shared strings and sheet data far larger than one piece of the package read at a time: every
// text and number comes back whole (a text that straddled two pieces once came back cut).
TEST(FormatosPlanilha, XlsxGrande) {
  QTemporaryDir pasta;
  const QString arquivo = pasta.filePath(QStringLiteral("grande.xlsx"));
  std::vector<std::vector<QVariant>> linhas;
  for (int i = 0; i < 6000; ++i)
    linhas.push_back({QStringLiteral("Requerente nº %1 — São João").arg(i), 0.1 * i});
  TEscritorXlsx escritor;
  escritor.AdicionaFolha(C::FolhaAna, {QStringLiteral("NomeReq"), QStringLiteral("Qc02")}, linhas);
  escritor.Salva(arquivo);
  TAberta lida(arquivo, C::FolhaAna);
  ASSERT_EQ(lida.Tabela.NumLinhas(), 6000);
  int i = 0;
  for (lida.Tabela.Primeiro(); !lida.Tabela.Fim(); lida.Tabela.Proximo(), ++i) {
    ASSERT_EQ(lida.Tabela.Texto(QStringLiteral("NomeReq")), linhas[i][0].toString()) << i;
    ASSERT_EQ(lida.Tabela.Numero(QStringLiteral("Qc02")), 0.1 * i) << i;
  }
}
