#include "data/TitulosXlsx.h"

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>
#include <memory>
#include <string_view>

#include "base/Erro.h"
#include "data/PacoteXlsx.h"

namespace {

// The shared strings of the given indices, found by a scan of the raw items: a workbook writes
// the headings' strings wherever it likes (after thousands of data strings, often), and parsing
// every item before them would cost more than the rest of the start-up's check. A part the scan
// cannot read with confidence (comments, CDATA, prefixed elements, too few items) is parsed
// whole instead.
QMap<int, QString> TextosCompartilhados(const QString& arquivo, const QSet<int>& indices) {
  const int maior = *std::max_element(indices.begin(), indices.end());
  QMap<int, QString> textos;
  int indice = -1;
  bool seguro = true;
  {
    TMembro membro(arquivo, QStringLiteral("xl/sharedStrings.xml"));
    QByteArray dados;
    qsizetype pos = 0;
    bool mais = true;
    while (seguro && indice < maior) {
      // The next item's start tag, "<si>", "<si ...>" or "<si/>", and its end.
      const qsizetype inicio = dados.indexOf("<si", pos);
      qsizetype fim = -1;
      if (inicio >= 0 && inicio + 3 < dados.size()) {
        const char prox = dados[inicio + 3];
        if (prox != '>' && prox != '/' && prox != ' ' && prox != '\t' && prox != '\r' &&
            prox != '\n') {
          pos = inicio + 3;  // another element whose name starts with "si"
          continue;
        }
        const qsizetype fimTag = dados.indexOf('>', inicio);
        if (fimTag > inicio && dados[fimTag - 1] == '/') {
          fim = fimTag + 1;
        } else if (fimTag > inicio) {
          const qsizetype fecha = dados.indexOf("</si>", fimTag);
          if (fecha >= 0) fim = fecha + 5;
        }
      }
      if (fim < 0) {
        if (!mais) break;  // the part ended before the last index wanted
        QByteArray pedaco(256 * 1024, Qt::Uninitialized);
        const qsizetype lidos = membro.Le(pedaco.data(), pedaco.size());
        mais = lidos > 0;
        dados.append(pedaco.constData(), lidos);
        continue;
      }
      // Comments and CDATA may hide tags from a scan of the bytes.
      const std::string_view trecho(dados.constData() + pos, static_cast<std::size_t>(fim - pos));
      if (trecho.find("<!") != std::string_view::npos) {
        seguro = false;
        break;
      }
      ++indice;
      if (indices.contains(indice)) {
        QXmlStreamReader xml(dados.mid(inicio, fim - inicio));
        textos.insert(indice, TextoDoItem(xml));
        if (xml.hasError()) seguro = false;
      }
      pos = fim;
    }
    if (seguro && indice >= maior) return textos;
  }
  // The whole part, item by item.
  textos.clear();
  TMembro membro(arquivo, QStringLiteral("xl/sharedStrings.xml"));
  indice = -1;
  Percorre(membro, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType t) {
    if (t != QXmlStreamReader::StartElement || xml.name() != QLatin1String("si")) return true;
    ++indice;
    const QString texto = TextoDoItem(xml, QLatin1StringView("si"), &membro);
    if (indices.contains(indice)) textos.insert(indice, texto);
    return indice < maior;
  });
  return textos;
}

}  // namespace

QStringList TitulosXlsx(const QString& arquivo, const QString& folha) {
  const QString parte = ParteDaFolha(arquivo, folha);

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
      FalhaXlsx(arquivo, QStringLiteral("a folha \"%1\" não pode ser lida.").arg(folha));
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
          const int c = ColunaXlsx(xml.attributes().value(QLatin1String("r")));
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

  // The shared strings the headings use.
  QSet<int> usados;
  for (const TCelula& c : celulas)
    if (c.Compartilhado >= 0) usados.insert(c.Compartilhado);
  if (!usados.isEmpty()) {
    const QMap<int, QString> textos = TextosCompartilhados(arquivo, usados);
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
  if (!livro.Aberto()) FalhaXlsx(arquivo, QStringLiteral("não é um pacote do Excel (.xlsx)."));
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
  if (!documento) FalhaXlsx(arquivo, QStringLiteral("o índice das folhas não pode ser lido."));
  return folhas;
}
