#include "data/PacoteXlsx.h"

#include <QByteArray>

#include "base/Erro.h"

TMembro::TMembro(const QString& arquivo, const QString& membro)
    : F_(VSIFOpenL((QStringLiteral("/vsizip/{") + arquivo + QStringLiteral("}/") + membro).toUtf8(),
                   "rb")) {}

qsizetype TMembro::Le(char* destino, qsizetype n) {
  if (!F_) return 0;
  return static_cast<qsizetype>(VSIFReadL(destino, 1, static_cast<size_t>(n), F_.get()));
}

bool TMembro::Alimenta(QXmlStreamReader& xml) {
  if (!F_) return false;
  QByteArray pedaco(64 * 1024, Qt::Uninitialized);
  const size_t lidos = VSIFReadL(pedaco.data(), 1, static_cast<size_t>(pedaco.size()), F_.get());
  if (lidos == 0) return false;
  pedaco.truncate(static_cast<qsizetype>(lidos));
  xml.addData(pedaco);
  return true;
}

int ColunaXlsx(QStringView ref) {
  int c = 0;
  bool letras = false;
  for (QChar ch : ref) {
    if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z')) {
      // Past any column a sheet can have; the caller refuses it.
      if (c > 1 << 20) return -1;
      c = c * 26 + (ch.unicode() - 'A' + 1);
      letras = true;
    } else {
      break;
    }
  }
  return letras ? c - 1 : -1;
}

int LinhaXlsx(QStringView ref) {
  qsizetype i = 0;
  while (i < ref.size() && ref[i] >= QLatin1Char('A') && ref[i] <= QLatin1Char('Z')) ++i;
  bool ok = false;
  const int n = ref.mid(i).toInt(&ok);
  return ok && n >= 1 ? n - 1 : -1;
}

void FalhaXlsx(const QString& arquivo, const QString& detalhe) {
  throw ETorveda(QStringLiteral("Não foi possível abrir o arquivo %1 como planilha do Excel: %2")
                     .arg(arquivo, detalhe));
}

QString TextoDoItem(QXmlStreamReader& xml, QLatin1StringView fim, TMembro* membro) {
  QString texto;
  int fonetica = 0;
  bool noTexto = false;
  for (;;) {
    const auto t = xml.readNext();
    if (t == QXmlStreamReader::Invalid) {
      if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && membro &&
          membro->Alimenta(xml))
        continue;
      break;
    }
    if (t == QXmlStreamReader::EndDocument) break;
    if (t == QXmlStreamReader::StartElement) {
      if (xml.name() == QLatin1String("rPh"))
        ++fonetica;
      else if (xml.name() == QLatin1String("t") && fonetica == 0)
        noTexto = true;
    } else if (t == QXmlStreamReader::Characters && noTexto) {
      texto += xml.text();
    } else if (t == QXmlStreamReader::EndElement) {
      if (xml.name() == QLatin1String("t"))
        noTexto = false;
      else if (xml.name() == QLatin1String("rPh"))
        --fonetica;
      else if (xml.name() == fim)
        break;
    }
  }
  return texto;
}

namespace {

QString Caminho(QString alvo) {
  if (alvo.startsWith(QLatin1Char('/'))) return alvo.mid(1);
  return QStringLiteral("xl/") + alvo;
}

}  // namespace

QString ParteDaFolha(const QString& arquivo, const QString& folha) {
  // The sheet's relation id, then its part.
  QString relacao;
  {
    TMembro livro(arquivo, QStringLiteral("xl/workbook.xml"));
    if (!livro.Aberto()) FalhaXlsx(arquivo, QStringLiteral("não é um pacote do Excel (.xlsx)."));
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
    FalhaXlsx(arquivo, QStringLiteral("a folha \"%1\" não tem conteúdo.").arg(folha));
  return parte;
}
