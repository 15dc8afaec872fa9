#include "data/TitulosXlsx.h"

#include <cpl_vsi.h>

#include <QByteArray>
#include <QMap>
#include <QXmlStreamReader>
#include <memory>

#include "base/Erro.h"

namespace {

struct TFechaVsi {
  void operator()(VSILFILE* f) const {
    if (f) VSIFCloseL(f);
  }
};
using TArquivoVsi = std::unique_ptr<VSILFILE, TFechaVsi>;

// One member of the package, read a piece at a time.
class TMembro {
 public:
  TMembro(const QString& arquivo, const QString& membro)
      : F_(VSIFOpenL(
            (QStringLiteral("/vsizip/{") + arquivo + QStringLiteral("}/") + membro).toUtf8(),
            "rb")) {}
  bool Aberto() const { return F_ != nullptr; }
  // Feeds the reader the next piece; false at the end.
  bool Alimenta(QXmlStreamReader& xml) {
    if (!F_) return false;
    QByteArray pedaco(64 * 1024, Qt::Uninitialized);
    const size_t lidos = VSIFReadL(pedaco.data(), 1, static_cast<size_t>(pedaco.size()), F_.get());
    if (lidos == 0) return false;
    pedaco.truncate(static_cast<qsizetype>(lidos));
    xml.addData(pedaco);
    return true;
  }

 private:
  TArquivoVsi F_;
};

// Walks the member's elements, feeding more as needed; `visita` returns false to stop.
template <typename F>
void Percorre(TMembro& membro, F&& visita) {
  QXmlStreamReader xml;
  bool fim = !membro.Alimenta(xml);
  for (;;) {
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::Invalid) {
      if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !fim) {
        fim = !membro.Alimenta(xml);
        continue;
      }
      return;
    }
    if (token == QXmlStreamReader::EndDocument) return;
    if (!visita(xml, token)) return;
  }
}

// Column index of a reference like "AB1" (0 for "A").
int Coluna(QStringView ref) {
  int c = 0;
  bool letras = false;
  for (QChar ch : ref) {
    if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z')) {
      c = c * 26 + (ch.unicode() - 'A' + 1);
      letras = true;
    } else {
      break;
    }
  }
  return letras ? c - 1 : -1;
}

QString Caminho(QString alvo) {
  if (alvo.startsWith(QLatin1Char('/'))) return alvo.mid(1);
  return QStringLiteral("xl/") + alvo;
}

[[noreturn]] void Falha(const QString& arquivo, const QString& detalhe) {
  throw ETorveda(QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel: %2")
                     .arg(arquivo, detalhe));
}

}  // namespace

QStringList TitulosXlsx(const QString& arquivo, const QString& folha) {
  // The sheet's relation id, then its part.
  QString relacao;
  {
    TMembro livro(arquivo, QStringLiteral("xl/workbook.xml"));
    if (!livro.Aberto()) Falha(arquivo, QStringLiteral("não é um pacote do Excel (.xlsx)."));
    Percorre(livro, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
      if (t == QXmlStreamReader::StartElement && xml.name() == QLatin1String("sheet") &&
          xml.attributes().value(QLatin1String("name")) == folha) {
        for (const auto& a : xml.attributes())
          if (a.name() == QLatin1String("id")) relacao = a.value().toString();
        return false;
      }
      return true;
    });
  }
  if (relacao.isEmpty())
    throw ETorveda(QStringLiteral("A planilha %1 não tem a folha \"%2\".").arg(arquivo, folha));
  QString parte;
  {
    TMembro rels(arquivo, QStringLiteral("xl/_rels/workbook.xml.rels"));
    Percorre(rels, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
      if (t == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Relationship") &&
          xml.attributes().value(QLatin1String("Id")) == relacao) {
        parte = Caminho(xml.attributes().value(QLatin1String("Target")).toString());
        return false;
      }
      return true;
    });
  }
  if (parte.isEmpty())
    Falha(arquivo, QStringLiteral("a folha \"%1\" não tem conteúdo.").arg(folha));

  // The first row's cells: a shared-string index, an inline text or something else.
  struct TCelula {
    int Compartilhado = -1;
    QString Texto;
    bool EhTexto = false;
  };
  QMap<int, TCelula> celulas;
  {
    TMembro folhaXml(arquivo, parte);
    if (!folhaXml.Aberto())
      Falha(arquivo, QStringLiteral("a folha \"%1\" não pode ser lida.").arg(folha));
    bool naLinha = false;
    bool noValor = false;
    int proxima = 0;
    int atual = -1;
    QString tipo;
    QString valor;
    Percorre(folhaXml, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
      if (t == QXmlStreamReader::StartElement) {
        const auto nome = xml.name();
        if (nome == QLatin1String("row")) {
          naLinha = true;
        } else if (naLinha && nome == QLatin1String("c")) {
          const int c = Coluna(xml.attributes().value(QLatin1String("r")));
          atual = c >= 0 ? c : proxima;
          proxima = atual + 1;
          tipo = xml.attributes().value(QLatin1String("t")).toString();
          celulas[atual];
        } else if (atual >= 0 && (nome == QLatin1String("v") || nome == QLatin1String("t"))) {
          noValor = true;
          valor.clear();
        }
      } else if (t == QXmlStreamReader::Characters && noValor) {
        valor += xml.text();
      } else if (t == QXmlStreamReader::EndElement) {
        const auto nome = xml.name();
        if (nome == QLatin1String("row")) return false;
        if (nome == QLatin1String("c")) atual = -1;
        if (noValor && (nome == QLatin1String("v") || nome == QLatin1String("t"))) {
          noValor = false;
          TCelula& cel = celulas[atual];
          if (tipo == QLatin1String("s")) {
            bool ok = false;
            const int i = valor.toInt(&ok);
            if (ok && i >= 0) cel.Compartilhado = i;
          } else if (tipo == QLatin1String("inlineStr") || tipo == QLatin1String("str")) {
            cel.Texto += valor;
            cel.EhTexto = true;
          }
        }
      }
      return true;
    });
  }

  // The shared strings up to the last one the headings use.
  int maior = -1;
  for (const TCelula& c : celulas) maior = std::max(maior, c.Compartilhado);
  if (maior >= 0) {
    QMap<int, QString> textos;
    TMembro compartilhados(arquivo, QStringLiteral("xl/sharedStrings.xml"));
    int indice = -1;
    int profundidadeFonetica = 0;
    bool noTexto = false;
    QString texto;
    Percorre(compartilhados, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
      if (t == QXmlStreamReader::StartElement) {
        if (xml.name() == QLatin1String("si")) {
          ++indice;
          texto.clear();
        } else if (xml.name() == QLatin1String("rPh")) {
          ++profundidadeFonetica;
        } else if (xml.name() == QLatin1String("t") && profundidadeFonetica == 0) {
          noTexto = true;
        }
      } else if (t == QXmlStreamReader::Characters && noTexto) {
        texto += xml.text();
      } else if (t == QXmlStreamReader::EndElement) {
        if (xml.name() == QLatin1String("t")) {
          noTexto = false;
        } else if (xml.name() == QLatin1String("rPh")) {
          --profundidadeFonetica;
        } else if (xml.name() == QLatin1String("si")) {
          textos.insert(indice, texto);
          if (indice >= maior) return false;
        }
      }
      return true;
    });
    for (TCelula& c : celulas)
      if (c.Compartilhado >= 0 && textos.contains(c.Compartilhado)) {
        c.Texto = textos.value(c.Compartilhado);
        c.EhTexto = true;
      }
  }

  QStringList titulos;
  const int n = celulas.isEmpty() ? 0 : celulas.lastKey() + 1;
  for (int i = 0; i < n; ++i) {
    const TCelula c = celulas.value(i);
    titulos << (c.EhTexto && !c.Texto.isEmpty() ? c.Texto : QStringLiteral("Field%1").arg(i + 1));
  }
  return titulos;
}

QStringList FolhasXlsx(const QString& arquivo) {
  TMembro livro(arquivo, QStringLiteral("xl/workbook.xml"));
  if (!livro.Aberto()) Falha(arquivo, QStringLiteral("não é um pacote do Excel (.xlsx)."));
  QStringList folhas;
  bool documento = false;
  Percorre(livro, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
    if (t == QXmlStreamReader::StartElement) {
      documento = true;
      if (xml.name() == QLatin1String("sheet"))
        folhas << xml.attributes().value(QLatin1String("name")).toString();
    }
    return true;
  });
  if (!documento) Falha(arquivo, QStringLiteral("o índice das folhas não pode ser lido."));
  return folhas;
}
