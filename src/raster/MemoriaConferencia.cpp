#include "raster/MemoriaConferencia.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include "raster/Formatos.h"

namespace {

// The first line names the file and the rule set: a memory written under other rules (or a file
// of the same name that is not ours) is not trusted.
const QByteArray Cabecalho = QByteArrayLiteral("TORVEDA conferencia das grades 1");

// Longer than any memory we write: a foreign file of that name is not read into memory.
constexpr qint64 TamanhoMaximo = 64 * 1024;

QString Marca(const QString& arquivo) {
  const QFileInfo info(arquivo);
  if (!info.isFile()) return QStringLiteral("-");
  return QStringLiteral("%1 %2")
      .arg(info.size())
      .arg(info.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch());
}

}  // namespace

const QString TMemoriaConferencia::NomeArquivo = QStringLiteral("conferencia_grades.txt");

TMemoriaConferencia::TMemoriaConferencia(const QString& pasta)
    : Arquivo_(pasta.endsWith(QLatin1Char('/')) ? pasta + NomeArquivo
                                                : pasta + QLatin1Char('/') + NomeArquivo) {
  QFile f(Arquivo_);
  if (!f.open(QIODevice::ReadOnly) || f.size() > TamanhoMaximo) return;
  const QList<QByteArray> linhas = f.readAll().split('\n');
  if (linhas.isEmpty() || linhas.first().trimmed() != Cabecalho) return;
  for (qsizetype i = 1; i < linhas.size(); ++i) {
    const QString linha = QString::fromUtf8(linhas[i]).trimmed();
    const qsizetype tab = linha.indexOf(QLatin1Char('\t'));
    if (tab <= 0) continue;
    Grades_[linha.left(tab)] = linha.mid(tab + 1);
  }
}

QString TMemoriaConferencia::Assinatura(const QString& arquivoGrade) {
  if (!QFileInfo(arquivoGrade).isFile()) return {};
  return Marca(arquivoGrade) + QLatin1Char(' ') +
         Marca(Formatos::Irmao(arquivoGrade, QStringLiteral("flt")));
}

bool TMemoriaConferencia::Conferida(const QString& arquivoGrade) const {
  const auto it = Grades_.find(QFileInfo(arquivoGrade).fileName());
  if (it == Grades_.end()) return false;
  const QString agora = Assinatura(arquivoGrade);
  return !agora.isEmpty() && agora == it->second;
}

void TMemoriaConferencia::Registra(const QString& arquivoGrade) {
  const QString assinatura = Assinatura(arquivoGrade);
  if (assinatura.isEmpty()) return;
  QString& atual = Grades_[QFileInfo(arquivoGrade).fileName()];
  if (atual == assinatura) return;
  atual = assinatura;
  Alterada_ = true;
}

void TMemoriaConferencia::Esquece(const QString& arquivoGrade) {
  if (Grades_.erase(QFileInfo(arquivoGrade).fileName()) > 0) Alterada_ = true;
}

void TMemoriaConferencia::Grava() const {
  if (!Alterada_) return;
  QSaveFile f(Arquivo_);
  if (!f.open(QIODevice::WriteOnly)) return;
  QByteArray texto = Cabecalho + '\n';
  for (const auto& [nome, assinatura] : Grades_)
    texto += (nome + QLatin1Char('\t') + assinatura).toUtf8() + '\n';
  if (f.write(texto) == texto.size()) f.commit();
}
