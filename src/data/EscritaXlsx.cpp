#include "data/EscritaXlsx.h"

#include <cpl_conv.h>
#include <cpl_error.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <charconv>
#include <cmath>
#include <filesystem>

#include "base/Erro.h"
#include "data/Permissoes.h"

namespace {

// XML text: the five reserved characters escaped, and the control characters XML 1.0 cannot
// hold dropped.
QByteArray Escapa(const QString& texto) {
  QByteArray saida;
  const QByteArray utf8 = texto.toUtf8();
  saida.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '&':
        saida += "&amp;";
        break;
      case '<':
        saida += "&lt;";
        break;
      case '>':
        saida += "&gt;";
        break;
      case '"':
        saida += "&quot;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') break;
        saida += c;
    }
  }
  return saida;
}

QByteArray Celula(int coluna, int linha) {
  QByteArray ref;
  for (int n = coluna + 1; n > 0; n = (n - 1) / 26)
    ref.prepend(static_cast<char>('A' + (n - 1) % 26));
  return ref + QByteArray::number(linha);
}

QByteArray Numero(double d) {
  char texto[32];
  const auto r = std::to_chars(texto, texto + sizeof texto, d);
  return QByteArray(texto, static_cast<qsizetype>(r.ptr - texto));
}

const char* const Cabecalho = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char* const Principal = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const Relacoes = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Removes a file at the end of the scope unless told to keep it.
class TRemoveArquivo {
 public:
  explicit TRemoveArquivo(QString arquivo) : Arquivo_(std::move(arquivo)) {}
  ~TRemoveArquivo() {
    if (!Arquivo_.isEmpty()) QFile::remove(Arquivo_);
  }
  TRemoveArquivo(const TRemoveArquivo&) = delete;
  TRemoveArquivo& operator=(const TRemoveArquivo&) = delete;
  void Mantem() { Arquivo_.clear(); }

 private:
  QString Arquivo_;
};

struct TFechaZip {
  void operator()(void* zip) const {
    if (zip) CPLCloseZip(zip);
  }
};

void Escreve(void* zip, const char* nome, const QByteArray& conteudo) {
  if (CPLCreateFileInZip(zip, nome, nullptr) != CE_None ||
      CPLWriteFileInZip(zip, conteudo.constData(), static_cast<int>(conteudo.size())) != CE_None ||
      CPLCloseFileInZip(zip) != CE_None)
    throw ETorveda(QStringLiteral("Erro ao gravar a pasta de trabalho: ") +
                   QString::fromUtf8(CPLGetLastErrorMsg()));
}

}  // namespace

int TEscritorXlsx::IndiceTexto(const QString& texto) {
  const auto achado = IndiceTextos_.constFind(texto);
  if (achado != IndiceTextos_.constEnd()) return *achado;
  const int i = static_cast<int>(Textos_.size());
  Textos_ << texto;
  IndiceTextos_.insert(texto, i);
  return i;
}

void TEscritorXlsx::AdicionaFolha(const QString& nome, const QStringList& cabecalhos,
                                  const std::vector<std::vector<QVariant>>& linhas) {
  QByteArray xml = Cabecalho;
  xml += QByteArray("<worksheet xmlns=\"") + Principal + "\">\n";
  // The heading row stays in view while the rows scroll.
  xml +=
      "<sheetViews><sheetView workbookViewId=\"0\"><pane ySplit=\"1\" topLeftCell=\"A2\" "
      "activePane=\"bottomLeft\" state=\"frozen\"/></sheetView></sheetViews>\n<sheetData>\n";
  xml += "<row r=\"1\">";
  for (int k = 0; k < cabecalhos.size(); ++k)
    xml += "<c r=\"" + Celula(k, 1) + "\" t=\"s\" s=\"1\"><v>" +
           QByteArray::number(IndiceTexto(cabecalhos[k])) + "</v></c>";
  xml += "</row>\n";
  int numero = 1;
  for (const auto& linha : linhas) {
    ++numero;
    xml += "<row r=\"" + QByteArray::number(numero) + "\">";
    for (size_t k = 0; k < linha.size(); ++k) {
      const QVariant& v = linha[k];
      if (v.isNull()) continue;
      const QByteArray ref = Celula(static_cast<int>(k), numero);
      switch (v.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
          xml += "<c r=\"" + ref + "\"><v>" + QByteArray::number(v.toLongLong()) + "</v></c>";
          break;
        case QMetaType::Double:
          xml += "<c r=\"" + ref + "\"><v>" + Numero(v.toDouble()) + "</v></c>";
          break;
        default:
          xml += "<c r=\"" + ref + "\" t=\"s\"><v>" +
                 QByteArray::number(IndiceTexto(v.toString())) + "</v></c>";
      }
    }
    xml += "</row>\n";
  }
  xml += "</sheetData>\n</worksheet>\n";
  Nomes_ << nome;
  Folhas_.push_back(std::move(xml));
}

void TEscritorXlsx::Salva(const QString& arquivo) const {
  const QFileInfo info(arquivo);
  QTemporaryFile temporario(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".XXXXXX"));
  if (!temporario.open())
    throw ETorveda(QStringLiteral("Não foi possível criar um arquivo em %1: %2")
                       .arg(info.absolutePath(), temporario.errorString()));
  temporario.close();
  QFile::remove(temporario.fileName());  // the zip writer creates its file itself
  TRemoveArquivo restos(temporario.fileName());

  {
    CPLErrorReset();
    std::unique_ptr<void, TFechaZip> zip(
        CPLCreateZip(temporario.fileName().toUtf8().constData(), nullptr));
    if (!zip)
      throw ETorveda(QStringLiteral("Não foi possível criar %1: %2")
                         .arg(arquivo, QString::fromUtf8(CPLGetLastErrorMsg())));
    const int n = static_cast<int>(Folhas_.size());

    QByteArray tipos = Cabecalho;
    tipos +=
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">\n"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>\n"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>\n"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>\n"
        "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>\n"
        "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>\n";
    for (int i = 1; i <= n; ++i)
      tipos += "<Override PartName=\"/xl/worksheets/sheet" + QByteArray::number(i) +
               ".xml\" ContentType=\"application/"
               "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>\n";
    tipos += "</Types>\n";
    Escreve(zip.get(), "[Content_Types].xml", tipos);

    Escreve(zip.get(), "_rels/.rels",
            QByteArray(Cabecalho) +
                "<Relationships "
                "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">\n"
                "<Relationship Id=\"rId1\" Type=\"" +
                Relacoes + "/officeDocument\" Target=\"xl/workbook.xml\"/>\n</Relationships>\n");

    QByteArray livro = Cabecalho;
    livro += QByteArray("<workbook xmlns=\"") + Principal + "\" xmlns:r=\"" + Relacoes +
             "\">\n<sheets>\n";
    QByteArray relacoes = Cabecalho;
    relacoes +=
        "<Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">\n";
    for (int i = 1; i <= n; ++i) {
      const QByteArray id = "rId" + QByteArray::number(i);
      livro += "<sheet name=\"" + Escapa(Nomes_[i - 1]) + "\" sheetId=\"" + QByteArray::number(i) +
               "\" r:id=\"" + id + "\"/>\n";
      relacoes += "<Relationship Id=\"" + id + "\" Type=\"" + Relacoes +
                  "/worksheet\" Target=\"worksheets/sheet" + QByteArray::number(i) + ".xml\"/>\n";
    }
    livro += "</sheets>\n</workbook>\n";
    relacoes += "<Relationship Id=\"rId" + QByteArray::number(n + 1) + "\" Type=\"" + Relacoes +
                "/styles\" Target=\"styles.xml\"/>\n";
    relacoes += "<Relationship Id=\"rId" + QByteArray::number(n + 2) + "\" Type=\"" + Relacoes +
                "/sharedStrings\" Target=\"sharedStrings.xml\"/>\n</Relationships>\n";
    Escreve(zip.get(), "xl/workbook.xml", livro);
    Escreve(zip.get(), "xl/_rels/workbook.xml.rels", relacoes);

    Escreve(zip.get(), "xl/styles.xml",
            QByteArray(Cabecalho) + "<styleSheet xmlns=\"" + Principal +
                "\">\n"
                "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
                "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>\n"
                "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
                "<fill><patternFill patternType=\"gray125\"/></fill></fills>\n"
                "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/>"
                "</border></borders>\n"
                "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                "borderId=\"0\"/></cellStyleXfs>\n"
                "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                "borderId=\"0\" xfId=\"0\"/><xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" "
                "borderId=\"0\" xfId=\"0\" applyFont=\"1\"/></cellXfs>\n"
                "</styleSheet>\n");

    QByteArray textos = Cabecalho;
    textos += QByteArray("<sst xmlns=\"") + Principal + "\" count=\"" +
              QByteArray::number(Textos_.size()) + "\" uniqueCount=\"" +
              QByteArray::number(Textos_.size()) + "\">\n";
    for (const QString& t : Textos_)
      textos += "<si><t xml:space=\"preserve\">" + Escapa(t) + "</t></si>\n";
    textos += "</sst>\n";
    Escreve(zip.get(), "xl/sharedStrings.xml", textos);

    for (int i = 1; i <= n; ++i)
      Escreve(zip.get(), ("xl/worksheets/sheet" + QByteArray::number(i) + ".xml").constData(),
              Folhas_[static_cast<size_t>(i - 1)]);

    void* z = zip.release();
    if (CPLCloseZip(z) != CE_None)
      throw ETorveda(QStringLiteral("Erro ao gravar %1: %2")
                         .arg(arquivo, QString::fromUtf8(CPLGetLastErrorMsg())));
  }

  permissoes::DefineComoNoDestino(temporario.fileName(), arquivo);
  std::error_code erro;
  std::filesystem::rename(QFile::encodeName(temporario.fileName()).constData(),
                          QFile::encodeName(arquivo).constData(), erro);
  if (erro)
    throw ETorveda(QStringLiteral("Não foi possível gravar %1: %2")
                       .arg(arquivo, QString::fromLocal8Bit(erro.message())));
  restos.Mantem();
}
