#pragma once
// (to be replaced by the map engine)
#include <QString>
class TCamada {
 public:
  const QString& Nome() const { return Nome_; }

 private:
  QString Nome_;
};
