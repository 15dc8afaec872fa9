// The start-up's reading of an .xlsx heading row, on packages written here: the headings' shared
// strings found wherever the workbook put them, with rich text, phonetic guides and entities,
// and the same answer when the strings part holds what a scan of its bytes cannot trust.
#include <cpl_conv.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QTemporaryDir>

#include "data/TitulosXlsx.h"

namespace {

const QByteArray Ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// A one-sheet package "Folha" whose first row points at the shared strings `indices`.
QString Pacote(const QTemporaryDir& pasta, const char* nome, const std::vector<int>& indices,
               const QByteArray& compartilhados) {
  const QString arquivo = pasta.filePath(QString::fromLatin1(nome));
  void* zip = CPLCreateZip(arquivo.toUtf8().constData(), nullptr);
  EXPECT_TRUE(zip);
  auto membro = [&](const char* caminho, const QByteArray& conteudo) {
    EXPECT_EQ(CPLCreateFileInZip(zip, caminho, nullptr), CE_None);
    EXPECT_EQ(CPLWriteFileInZip(zip, conteudo.constData(), static_cast<int>(conteudo.size())),
              CE_None);
    EXPECT_EQ(CPLCloseFileInZip(zip), CE_None);
  };
  membro("xl/workbook.xml", "<?xml version=\"1.0\"?><workbook xmlns=\"" + Ns +
                                "\" xmlns:r=\"r\"><sheets><sheet name=\"Folha\" sheetId=\"1\" "
                                "r:id=\"rId1\"/></sheets></workbook>");
  membro("xl/_rels/workbook.xml.rels",
         "<?xml version=\"1.0\"?><Relationships><Relationship Id=\"rId1\" "
         "Target=\"worksheets/sheet1.xml\"/></Relationships>");
  QByteArray linha;
  for (std::size_t i = 0; i < indices.size(); ++i)
    linha += "<c r=\"" + QByteArray(1, static_cast<char>('A' + i)) + "1\" t=\"s\"><v>" +
             QByteArray::number(indices[i]) + "</v></c>";
  membro("xl/worksheets/sheet1.xml", "<?xml version=\"1.0\"?><worksheet xmlns=\"" + Ns +
                                         "\"><sheetData><row r=\"1\">" + linha +
                                         "</row><row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c>"
                                         "</row></sheetData></worksheet>");
  membro("xl/sharedStrings.xml", compartilhados);
  EXPECT_EQ(CPLCloseZip(zip), CE_None);
  return arquivo;
}

// Thousands of data strings first (some empty, some with attributes), then the headings'.
QByteArray Itens(const QByteArray& antesDosTitulos, const char* abre = "<sst xmlns=\"",
                 const char* prefixo = "") {
  const QByteArray p(prefixo);
  QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + QByteArray(abre) + Ns + "\">";
  for (int i = 0; i < 3000; ++i)
    x += i % 7 == 0   ? "<" + p + "si/>"
         : i % 5 == 0 ? "<" + p + "si ><" + p + "t xml:space=\"preserve\"> dado " +
                            QByteArray::number(i) + "</" + p + "t></" + p + "si>"
                      : "<" + p + "si><" + p + "t>Fazenda " + QByteArray::number(i) + "</" + p +
                            "t></" + p + "si>\n";
  x += antesDosTitulos;
  x += "<" + p + "si><" + p + "t>Nº Processo</" + p + "t></" + p + "si>";  // 3000
  // Rich text in runs, with a phonetic guide that is no part of the text.
  x += "<" + p + "si><" + p + "r><" + p + "t>Vazão </" + p + "t></" + p + "r><" + p + "r><" + p +
       "rPr><" + p + "b/></" + p + "rPr><" + p + "t>(m³/s)</" + p + "t></" + p + "r><" + p +
       "rPh sb=\"0\" eb=\"1\"><" + p + "t>ふりがな</" + p + "t></" + p + "rPh></" + p +
       "si>";                                                                    // 3001
  x += "<" + p + "si><" + p + "t>Rio &amp; Córrego</" + p + "t></" + p + "si>";  // 3002
  x += "</" + p + "sst>";
  return x;
}

const QStringList Esperados{"Nº Processo", "Vazão (m³/s)", "Rio & Córrego", "Fazenda 1"};

}  // namespace

TEST(TitulosXlsx, TextosCompartilhadosOndeQuerQueEstejam) {
  QTemporaryDir pasta;
  ASSERT_TRUE(pasta.isValid());
  const std::vector<int> indices{3000, 3001, 3002, 1};
  EXPECT_EQ(TitulosXlsx(Pacote(pasta, "simples.xlsx", indices, Itens({})), "Folha"), Esperados);
  // A comment or CDATA among the items: the part is parsed whole, with the same answer.
  EXPECT_EQ(TitulosXlsx(Pacote(pasta, "comentario.xlsx", indices, Itens("<!-- <si> -->")), "Folha"),
            Esperados);
  EXPECT_EQ(TitulosXlsx(Pacote(pasta, "cdata.xlsx", {3001, 3002, 3003, 1},
                               Itens("<si><t><![CDATA[a </si> b]]></t></si>")),
                        "Folha"),
            Esperados);
  // Elements with a namespace prefix.
  EXPECT_EQ(
      TitulosXlsx(Pacote(pasta, "prefixo.xlsx", indices, Itens({}, "<x:sst xmlns:x=\"", "x:")),
                  "Folha"),
      Esperados);
}

TEST(TitulosXlsx, IndiceAlemDosTextosViraCampoNumerado) {
  QTemporaryDir pasta;
  ASSERT_TRUE(pasta.isValid());
  EXPECT_EQ(TitulosXlsx(Pacote(pasta, "curto.xlsx", {3000, 9999}, Itens({})), "Folha"),
            (QStringList{"Nº Processo", "Field2"}));
  // A part cut in the middle of an item.
  QByteArray cortado = Itens({});
  cortado.truncate(cortado.indexOf("Rio &amp;"));
  EXPECT_EQ(TitulosXlsx(Pacote(pasta, "cortado.xlsx", {3000, 3002}, cortado), "Folha"),
            (QStringList{"Nº Processo", "Field2"}));
}
