#include "grants/gui/TSeletorMes.h"

#include <QKeyEvent>
#include <QRegularExpression>

#include "base/Convencoes.h"

QDate MesDigitado(const QString& texto) {
  static const QRegularExpression completo(QStringLiteral("^(?:(\\d{2})/?|(\\d)/)(\\d{4})$"));
  const QRegularExpressionMatch m = completo.match(texto);
  if (!m.hasMatch()) return {};
  const int mes = (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1)).toInt();
  const int ano = m.captured(3).toInt();
  if (mes < 1 || mes > 12 || ano < Convencao::AnoInicial || ano > Convencao::AnoFinal) return {};
  return QDate(ano, mes, 1);
}

TSeletorMes::TSeletorMes(QWidget* parent) : QDateEdit(parent) {}

void TSeletorMes::focusInEvent(QFocusEvent* evento) {
  Digitado_.clear();
  QDateEdit::focusInEvent(evento);
}

void TSeletorMes::keyPressEvent(QKeyEvent* evento) {
  const QString t = evento->text();
  const bool digito = t.size() == 1 && (t.at(0).isDigit() || t.at(0) == QLatin1Char('/'));
  if (!digito) {
    // Any other key (arrows, Backspace) edits the field the usual way; what is typed next starts
    // again at the month.
    Digitado_.clear();
    QDateEdit::keyPressEvent(evento);
    return;
  }
  // Typing always starts at the month, wherever a click or Tab left the cursor.
  if (Digitado_.isEmpty()) setCurrentSection(QDateTimeEdit::MonthSection);
  Digitado_ += t;
  QDateEdit::keyPressEvent(evento);
  const QDate mes = MesDigitado(Digitado_);
  if (!mes.isValid()) {
    if (Digitado_.size() >= 7) Digitado_.clear();
    return;
  }
  Digitado_.clear();
  setDate(mes);
  Saindo_ = true;
  focusNextPrevChild(true);
  Saindo_ = false;
}

bool TSeletorMes::event(QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Tab || tecla == Qt::Key_Backtab) {
      Saindo_ = true;
      const bool tratado = QDateEdit::event(evento);
      Saindo_ = false;
      return tratado;
    }
  }
  return QDateEdit::event(evento);
}

// The picker also steps between its own sections through here (a typed "/" moves to the year);
// only Tab and a complete month leave it.
bool TSeletorMes::focusNextPrevChild(bool proximo) {
  return Saindo_ ? QWidget::focusNextPrevChild(proximo) : QDateEdit::focusNextPrevChild(proximo);
}
