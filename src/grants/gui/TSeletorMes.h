#pragma once
// The month pickers of the grant window take a month and year as analysts type them: "012000",
// "01/2000" or "1/2000" fill the field wherever the cursor stood, and the focus moves on to the
// next field once the year is complete.

#include <QDateEdit>

class TSeletorMes : public QDateEdit {
  Q_OBJECT
 public:
  explicit TSeletorMes(QWidget* parent = nullptr);

 protected:
  void focusInEvent(QFocusEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  bool event(QEvent* evento) override;
  // Tab leaves the field, as in every other field of the window, instead of stepping from the
  // month to the year: typing already moves from one to the other.
  bool focusNextPrevChild(bool proximo) override;

 private:
  QString Digitado_;     // the digits and separator typed since the field was entered
  bool Saindo_ = false;  // Tab or a complete month: the focus leaves the field
};

// The month a typed text names ("012000", "01/2000", "1/2000"); invalid while it is incomplete
// or names no month.
QDate MesDigitado(const QString& texto);
