#include "data/LeitorXlsx.h"

#include <QDateTime>
#include <QLocale>
#include <map>

#include "base/Erro.h"
#include "data/FormatoNumero.h"
#include "data/PacoteXlsx.h"
#include "data/TabelaFolhaXls.h"

namespace {

// A sheet holds at most 1,048,576 rows and 16,384 columns.
constexpr int kMaxLinhas = 1048576;
constexpr int kMaxColunas = 16384;

bool Verdade(QStringView v) { return v == u"1" || v == u"true"; }

bool Base1904(const QString& arquivo) {
  bool base1904 = false;
  TMembro livro(arquivo, QStringLiteral("xl/workbook.xml"));
  Percorre(livro, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
    if (t != QXmlStreamReader::StartElement || xml.name() != QLatin1String("workbookPr"))
      return true;
    base1904 = Verdade(xml.attributes().value(QLatin1String("date1904")));
    return false;
  });
  return base1904;
}

// What each cell format (by its index in cellXfs) shows numbers as.
std::vector<TTipoCelulaXls> TiposDosEstilos(const QString& arquivo) {
  std::map<int, TTipoCelulaXls> formatos;
  std::vector<TTipoCelulaXls> tipos;
  TMembro estilos(arquivo, QStringLiteral("xl/styles.xml"));
  if (!estilos.Aberto()) return tipos;
  bool emXfs = false;
  const bool ok = Percorre(estilos, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
    if (t == QXmlStreamReader::StartElement) {
      const auto nome = xml.name();
      const auto a = xml.attributes();
      if (nome == QLatin1String("numFmt")) {
        formatos[a.value(QLatin1String("numFmtId")).toInt()] =
            TipoDoFormato(a.value(QLatin1String("formatCode")).toString());
      } else if (nome == QLatin1String("cellXfs")) {
        emXfs = true;
      } else if (emXfs && nome == QLatin1String("xf")) {
        const int id = a.value(QLatin1String("numFmtId")).toInt();
        const auto f = formatos.find(id);
        TTipoCelulaXls tipo =
            f != formatos.end() ? f->second : TipoDoFormatoEmbutido(static_cast<std::uint16_t>(id));
        tipos.push_back(tipo == TTipoCelulaXls::Nula ? TTipoCelulaXls::Real : tipo);
      }
    } else if (t == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs")) {
      return false;
    }
    return true;
  });
  if (!ok) FalhaXlsx(arquivo, QStringLiteral("os formatos das células não podem ser lidos."));
  return tipos;
}

std::vector<QString> TextosCompartilhados(const QString& arquivo) {
  std::vector<QString> textos;
  TMembro membro(arquivo, QStringLiteral("xl/sharedStrings.xml"));
  if (!membro.Aberto()) return textos;
  const bool ok = Percorre(membro, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
    if (t == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
      textos.push_back(TextoDoItem(xml, QLatin1StringView("si"), &membro));
    return true;
  });
  if (!ok)
    FalhaXlsx(arquivo, QStringLiteral("os textos da pasta de trabalho não podem ser lidos."));
  return textos;
}

// One cell as read: its kind attribute, format index and value text.
struct TCelulaLida {
  int Linha = -1, Coluna = -1;
  QString Tipo;
  int Estilo = 0;
  QString Valor;
  bool TemValor = false;
};

// Keeps the cell read; false when it names a shared string that does not exist (damage).
bool Guarda(const TCelulaLida& c, const std::vector<TTipoCelulaXls>& estilos,
            const std::vector<QString>& compartilhados, TFolhaXls& folha) {
  if (!c.TemValor || c.Linha < 0 || c.Linha >= kMaxLinhas || c.Coluna < 0 ||
      c.Coluna >= kMaxColunas)
    return true;
  const auto texto = [&](const QString& s) {
    // An empty text is an empty cell.
    if (s.isEmpty()) return;
    TCelulaXls& cel = folha.Define(static_cast<unsigned>(c.Linha), static_cast<unsigned>(c.Coluna));
    cel.Tipo = TTipoCelulaXls::Texto;
    cel.Texto = static_cast<std::uint32_t>(folha.Textos.size());
    folha.Textos.push_back(s);
  };
  if (c.Tipo == u"s") {
    bool ok = false;
    const qulonglong i = c.Valor.trimmed().toULongLong(&ok);
    if (!ok || i >= compartilhados.size()) return false;
    texto(compartilhados[i]);
    return true;
  }
  if (c.Tipo == u"inlineStr" || c.Tipo == u"str") {
    texto(c.Valor);
    return true;
  }
  if (c.Tipo == u"e") return true;  // an error value (#N/D, #DIV/0!...) holds no data
  if (c.Tipo == u"d") {
    const QDateTime dt = QDateTime::fromString(c.Valor.trimmed(), Qt::ISODate);
    if (!dt.isValid()) {
      texto(c.Valor);
      return true;
    }
    TCelulaXls& cel = folha.Define(static_cast<unsigned>(c.Linha), static_cast<unsigned>(c.Coluna));
    cel.Tipo = TTipoCelulaXls::DataHora;
    cel.Valor = TTabelaPlanilha::DiasDeData(dt);
    return true;
  }
  const QString v = c.Valor.trimmed();
  bool ok = false;
  const double valor = QLocale::c().toDouble(v, &ok);
  if (!ok) return true;
  TCelulaXls& cel = folha.Define(static_cast<unsigned>(c.Linha), static_cast<unsigned>(c.Coluna));
  cel.Valor = valor;
  if (c.Tipo == u"b") {
    cel.Tipo = TTipoCelulaXls::Inteiro;
    cel.Valor = valor != 0 ? 1 : 0;
    return true;
  }
  const TTipoCelulaXls tipo = c.Estilo >= 0 && static_cast<std::size_t>(c.Estilo) < estilos.size()
                                  ? estilos[static_cast<std::size_t>(c.Estilo)]
                                  : TTipoCelulaXls::Real;
  // Written without a fraction or exponent and within an integer's range: an integer.
  bool inteiro = false;
  v.toInt(&inteiro);
  cel.Tipo = tipo == TTipoCelulaXls::Real && inteiro ? TTipoCelulaXls::Inteiro : tipo;
  return true;
}

}  // namespace

void LeXlsx(const QString& arquivo, const QString& folha,
            std::vector<TTabelaPlanilha::TColuna>& colunas,
            std::vector<std::vector<QVariant>>& linhas) {
  const QString parte = ParteDaFolha(arquivo, folha);
  const bool base1904 = Base1904(arquivo);
  const std::vector<TTipoCelulaXls> estilos = TiposDosEstilos(arquivo);
  const std::vector<QString> compartilhados = TextosCompartilhados(arquivo);

  TFolhaXls f;
  TMembro membro(arquivo, parte);
  if (!membro.Aberto())
    FalhaXlsx(arquivo, QStringLiteral("a folha \"%1\" não pode ser lida.").arg(folha));
  int linha = -1;
  int proxima = 0;
  bool naCelula = false, noValor = false;
  TCelulaLida c;
  QString textoInexistente;
  const bool ok = Percorre(membro, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
    if (t == QXmlStreamReader::StartElement) {
      const auto nome = xml.name();
      const auto a = xml.attributes();
      if (nome == QLatin1String("row")) {
        const int r = a.value(QLatin1String("r")).toInt();
        linha = r >= 1 ? r - 1 : linha + 1;
        proxima = 0;
      } else if (nome == QLatin1String("c") && linha >= 0) {
        c = TCelulaLida{};
        const auto ref = a.value(QLatin1String("r"));
        c.Coluna = ref.isEmpty() ? proxima : ColunaXlsx(ref);
        c.Linha = ref.isEmpty() ? linha : LinhaXlsx(ref);
        proxima = c.Coluna + 1;
        c.Tipo = a.value(QLatin1String("t")).toString();
        c.Estilo = a.value(QLatin1String("s")).toInt();
        naCelula = true;
      } else if (naCelula && nome == QLatin1String("v")) {
        noValor = true;
        c.TemValor = true;
      } else if (naCelula && nome == QLatin1String("is")) {
        c.Valor = TextoDoItem(xml, QLatin1StringView("is"), &membro);
        c.TemValor = true;
      }
    } else if (t == QXmlStreamReader::Characters && noValor) {
      c.Valor += xml.text();
    } else if (t == QXmlStreamReader::EndElement) {
      const auto nome = xml.name();
      if (nome == QLatin1String("v")) {
        noValor = false;
      } else if (nome == QLatin1String("c") && naCelula) {
        naCelula = false;
        if (!Guarda(c, estilos, compartilhados, f)) {
          textoInexistente = c.Valor.trimmed();
          return false;
        }
      } else if (nome == QLatin1String("sheetData")) {
        return false;
      }
    }
    return true;
  });
  if (!textoInexistente.isNull())
    FalhaXlsx(arquivo,
              QStringLiteral("a folha \"%1\" usa o texto compartilhado %2, que não existe.")
                  .arg(folha, textoInexistente));
  if (!ok)
    FalhaXlsx(arquivo, QStringLiteral("a folha \"%1\" está danificada ou truncada.").arg(folha));
  TabelaDaFolha(f, base1904, folha, colunas, linhas);
}
