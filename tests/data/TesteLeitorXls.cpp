// The .xls reader of our own against the program's earlier reader (FreeXL), cell by cell and type
// by type, on workbooks written by xlwt and by a record-level writer of the tests; the cases the
// earlier reader could not read (formula results, strings over more than two records); and
// damaged files, which must give a message naming the file, never a crash or a hang.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>

#include "ArvoreDados.h"
#include "LeitorXlsReferencia.h"
#include "base/Erro.h"
#include "data/LeitorXls.h"

namespace {

// The workbooks of escreve_xls.py, written once per run.
QString PastaXls() {
  static QTemporaryDir pasta(QDir::tempPath() + QStringLiteral("/torveda-xls-XXXXXX"));
  static const bool escrita = [] {
    QProcess p;
    p.start(QStringLiteral(TORVEDA_PYTHON), {QStringLiteral(TORVEDA_ESCREVE_XLS), pasta.path()});
    const bool ok =
        p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok) ADD_FAILURE() << "escreve_xls.py falhou: " << p.readAllStandardError().toStdString();
    return ok;
  }();
  (void)escrita;
  return pasta.path();
}

std::string Mostra(const QVariant& v) {
  if (v.isNull()) return "(nulo)";
  return QStringLiteral("%1 %2")
      .arg(QString::fromLatin1(v.typeName()),
           v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 17) : v.toString())
      .toStdString();
}

bool Iguais(const QVariant& a, const QVariant& b) {
  if (a.isNull() || b.isNull()) return a.isNull() && b.isNull();
  return a.typeId() == b.typeId() && a == b;
}

struct TLida {
  QStringList Titulos;
  std::vector<TTabelaPlanilha::TColuna> Colunas;
  std::vector<std::vector<QVariant>> Linhas;
};

template <class TLeitor>
TLida Le(TLeitor& leitor, const QString& folha) {
  TLida l;
  l.Titulos = leitor.Titulos(folha);
  leitor.Le(folha, l.Colunas, l.Linhas);
  // A row may stop at its last cell.
  for (auto& linha : l.Linhas) linha.resize(l.Colunas.size());
  return l;
}

// `diferentes`: columns the earlier reader misread (a unit format taken for a time), left out.
void ComparaComReferencia(const QString& arquivo, const QStringList& diferentes = {}) {
  SCOPED_TRACE(arquivo.toStdString());
  TLeitorXlsReferencia referencia(arquivo);
  TLeitorXls nosso(arquivo);
  ASSERT_EQ(nosso.Folhas(), referencia.Folhas());
  for (const QString& folha : referencia.Folhas()) {
    SCOPED_TRACE(folha.toStdString());
    const TLida esperada = Le(referencia, folha);
    const TLida lida = Le(nosso, folha);
    EXPECT_EQ(lida.Titulos, esperada.Titulos);
    ASSERT_EQ(lida.Colunas.size(), esperada.Colunas.size());
    for (std::size_t j = 0; j < lida.Colunas.size(); ++j) {
      EXPECT_EQ(lida.Colunas[j].Titulo, esperada.Colunas[j].Titulo);
      if (diferentes.contains(esperada.Colunas[j].Titulo)) continue;
      EXPECT_EQ(lida.Colunas[j].Tipo, esperada.Colunas[j].Tipo)
          << "coluna " << esperada.Colunas[j].Titulo.toStdString();
    }
    ASSERT_EQ(lida.Linhas.size(), esperada.Linhas.size());
    int diferencas = 0;
    for (std::size_t i = 0; i < lida.Linhas.size(); ++i)
      for (std::size_t j = 0; j < lida.Colunas.size(); ++j)
        if (!diferentes.contains(esperada.Colunas[j].Titulo) &&
            !Iguais(lida.Linhas[i][j], esperada.Linhas[i][j])) {
          ADD_FAILURE() << "linha " << i + 1 << ", coluna "
                        << esperada.Colunas[j].Titulo.toStdString() << ": lido "
                        << Mostra(lida.Linhas[i][j]) << ", esperado "
                        << Mostra(esperada.Linhas[i][j]);
          if (++diferencas == 10) return;
        }
  }
}

QString Erro(const QString& arquivo) {
  try {
    TLeitorXls leitor(arquivo);
    for (const QString& folha : leitor.Folhas()) Le(leitor, folha);
  } catch (const ETorveda& e) {
    return e.mensagem();
  }
  return {};
}

QDateTime Utc(int a, int m, int d, int h = 0, int mi = 0, int s = 0) {
  return QDateTime(QDate(a, m, d), QTime(h, mi, s), QTimeZone::utc());
}

}  // namespace

// xlwt's workbooks: the register fixtures, a sheet of mixed cell types, and 3,000 rows of every
// cell kind with dates counted from 1900 and from 1904.
TEST(LeitorXls, IgualAoLeitorAnteriorNasPlanilhasDoXlwt) {
  for (const char* nome : {"aqem", "ana", "aqem_sem_certidoes", "ana_folha_errada", "ana_vazia",
                           "aqem_sem_titulo", "mista", "grande", "grande_1904"})
    ComparaComReferencia(TArvoreDados::PastaPlanilhas() + QLatin1Char('/') +
                         QString::fromLatin1(nome) + QStringLiteral(".xls"));
}

// Records xlwt never writes: every compact number form, MULRK, blanks, labels, logical values,
// built-in and custom date formats, 1904 dates, shared strings over many CONTINUE records with rich
// text and phonetic runs, 4096-byte sectors, the small-sector stream and extra DIFAT sectors; and
// an Excel 5.0/95 workbook, whose texts are code page 1252 bytes.
TEST(LeitorXls, IgualAoLeitorAnteriorNosRegistrosDeOutrasOrigens) {
  for (const char* nome : {"varios", "base1904", "sst_longo", "setor4096", "pequeno", "difat",
                           "biff5", "pequeno_biff5"})
    ComparaComReferencia(
        PastaXls() + QLatin1Char('/') + QString::fromLatin1(nome) + QStringLiteral(".xls"),
        {QStringLiteral("unidade")});
}

// A unit in quotes ('#,##0.00 "m³/s"') shows a number, not a time of day: the earlier reader
// read 2.5 as 12:00.
TEST(LeitorXls, FormatoComUnidadeEhNumero) {
  TLeitorXls leitor(PastaXls() + QStringLiteral("/varios.xls"));
  const TLida l = Le(leitor, QStringLiteral("Números"));
  ASSERT_EQ(l.Colunas[7].Titulo, QStringLiteral("unidade"));
  EXPECT_EQ(l.Colunas[7].Tipo, TTipoColunaPlanilha::Numero);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(l.Linhas[r][7], QVariant(2.5 * (r + 1))) << r;
}

// The declared sheet extent is a hint: every row present is read. A stray cell at the last row
// and column keeps no grid up to it, and the empty rows before it are no rows.
TEST(LeitorXls, ExtensaoDeclaradaECelulaPerdida) {
  TLeitorXls curtas(PastaXls() + QStringLiteral("/dimensoes_curtas.xls"));
  TLida l = Le(curtas, QStringLiteral("Registro"));
  ASSERT_EQ(l.Linhas.size(), 160u);
  EXPECT_EQ(l.Linhas[159][0], QVariant(QStringLiteral("linha 160")));
  EXPECT_EQ(l.Linhas[159][1], QVariant(160.0));

  TLeitorXls perdida(PastaXls() + QStringLiteral("/celula_perdida.xls"));
  std::vector<TTabelaPlanilha::TColuna> colunas;
  std::vector<std::vector<QVariant>> linhas;
  perdida.Le(QStringLiteral("Registro"), colunas, linhas);
  EXPECT_EQ(colunas.size(), 256u);
  ASSERT_EQ(linhas.size(), 3u);
  for (const auto& linha : linhas) EXPECT_EQ(linha.size(), 2u);
  EXPECT_EQ(linhas[2][1], QVariant(0.75));
}

// In an Excel 5.0/95 workbook a custom date format makes its numbers dates too, and a formula's
// text is read in the workbook's code page.
TEST(LeitorXls, FormatoPersonalizadoDoExcel95) {
  TLeitorXls leitor(PastaXls() + QStringLiteral("/biff5_formato.xls"));
  ASSERT_EQ(leitor.Folhas(), QStringList({QStringLiteral("Registro €uro")}));
  const auto [titulos, colunas, linhas] = Le(leitor, leitor.Folhas().front());
  ASSERT_EQ(colunas.size(), 8u);
  EXPECT_EQ(colunas[3].Tipo, TTipoColunaPlanilha::Data);
  ASSERT_GE(linhas.size(), 1u);
  EXPECT_EQ(linhas[0][3], QVariant(Utc(1982, 2, 19)));
  EXPECT_EQ(linhas[0][6], QVariant(QStringLiteral("fórmula €")));
}

// A string longer than two records (the earlier reader failed on it) comes out whole.
TEST(LeitorXls, TextoEmMaisDeDoisRegistros) {
  TLeitorXls leitor(PastaXls() + QStringLiteral("/texto_enorme.xls"));
  std::vector<TTabelaPlanilha::TColuna> colunas;
  std::vector<std::vector<QVariant>> linhas;
  leitor.Le(QStringLiteral("Enorme"), colunas, linhas);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(linhas[0][0].toString(), QStringLiteral("Ŝ") + QStringLiteral("ção").repeated(6000));
  EXPECT_EQ(linhas[1][0].toString(), QString(20000, QLatin1Char('x')));
  EXPECT_EQ(linhas[2][0].toString(), QStringLiteral("fim"));
}

// Formulas give their cached results (the earlier reader left them empty): a number, a date, a
// text from the record after the formula, a logical value as 0/1; an error holds no data, in a
// formula or in a cell of its own. A day count beyond any calendar is an empty date.
TEST(LeitorXls, ResultadosDeFormulas) {
  TLeitorXls leitor(PastaXls() + QStringLiteral("/formulas.xls"));
  const auto [titulos, colunas, linhas] = Le(leitor, QStringLiteral("Fórmulas"));
  ASSERT_EQ(colunas.size(), 8u);
  const TTipoColunaPlanilha N = TTipoColunaPlanilha::Numero, T = TTipoColunaPlanilha::Texto,
                            D = TTipoColunaPlanilha::Data;
  const TTipoColunaPlanilha tipos[] = {N, D, T, N, N, T, N, D};
  for (int j = 0; j < 8; ++j) EXPECT_EQ(colunas[j].Tipo, tipos[j]) << j;
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(linhas[0][0], QVariant(2.5));
  EXPECT_EQ(linhas[0][1], QVariant(Utc(2000, 1, 1)));
  EXPECT_EQ(linhas[0][2], QVariant(QStringLiteral("Resultado ção")));
  EXPECT_EQ(linhas[0][3], QVariant(1.0));
  EXPECT_TRUE(linhas[0][4].isNull());
  EXPECT_TRUE(linhas[0][5].isNull());
  EXPECT_TRUE(linhas[0][6].isNull());
  EXPECT_EQ(linhas[1][0], QVariant(3.0));
  EXPECT_EQ(linhas[1][3], QVariant(0.0));
  EXPECT_EQ(linhas[1][4], QVariant(1.0));
  EXPECT_EQ(linhas[1][6], QVariant(1.0));
  EXPECT_TRUE(linhas[0][7].isNull());
  EXPECT_EQ(linhas[1][7], QVariant(Utc(2000, 1, 1)));
}

// Headings: a heading that is no text, or is missing, is named after its column.
TEST(LeitorXls, TitulosQueNaoSaoTexto) {
  TLeitorXls leitor(PastaXls() + QStringLiteral("/varios.xls"));
  EXPECT_EQ(leitor.Titulos(QStringLiteral("Só títulos")),
            QStringList({"a", "Field2", "c", "Field4", "e"}));
  EXPECT_TRUE(leitor.Titulos(QStringLiteral("Vazia")).isEmpty());
}

// Headings are found without reading on to the rows: a stream cut inside the last sheet's rows
// still gives its headings, and the message comes when the rows are read.
TEST(LeitorXls, TitulosSemLerAsLinhas) {
  const QString arquivo = PastaXls() + QStringLiteral("/dano_registro.xls");
  TLeitorXls leitor(arquivo);
  const QString ultima = leitor.Folhas().last();
  EXPECT_EQ(leitor.Titulos(ultima), QStringList({"texto", "número"}));
  std::vector<TTabelaPlanilha::TColuna> colunas;
  std::vector<std::vector<QVariant>> linhas;
  try {
    leitor.Le(ultima, colunas, linhas);
    ADD_FAILURE() << "a folha truncada foi lida";
  } catch (const ETorveda& e) {
    EXPECT_TRUE(e.mensagem().contains(arquivo)) << e.mensagem().toStdString();
  }
}

// Damaged containers and records: a message naming the file, no crash, no endless walk.
TEST(LeitorXls, ArquivosDanificados) {
  for (const char* nome : {"dano_ciclo", "dano_setor", "dano_ciclo_mini", "dano_difat",
                           "dano_registro", "dano_nome", "sem_livro"}) {
    const QString arquivo =
        PastaXls() + QLatin1Char('/') + QString::fromLatin1(nome) + QStringLiteral(".xls");
    const QString erro = Erro(arquivo);
    EXPECT_TRUE(erro.contains(arquivo)) << nome << ": " << erro.toStdString();
  }
  // Truncated anywhere: either still whole enough to read or refused with the file's name.
  QTemporaryDir pasta;
  for (const char* nome : {"varios", "sst_longo", "pequeno", "setor4096", "biff5"}) {
    QFile f(PastaXls() + QLatin1Char('/') + QString::fromLatin1(nome) + QStringLiteral(".xls"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    int recusados = 0;
    for (qsizetype n = 0; n < bytes.size(); n += 509) {
      const QString arquivo = pasta.filePath(QStringLiteral("cortado.xls"));
      QFile saida(arquivo);
      ASSERT_TRUE(saida.open(QIODevice::WriteOnly | QIODevice::Truncate));
      saida.write(bytes.left(n));
      saida.close();
      const QString erro = Erro(arquivo);
      if (!erro.isEmpty()) {
        ++recusados;
        EXPECT_TRUE(erro.contains(arquivo)) << erro.toStdString();
      }
    }
    EXPECT_GT(recusados, 0) << nome;
  }
}
