#pragma once
// The seed of a randomized test: fixed, so that a run repeats the last one, unless
// TORVEDA_SEMENTE gives another (a failure prints the seed it ran with; set it to replay).

#include <QByteArray>
#include <cstdlib>

inline unsigned SementeTeste(unsigned padrao) {
  const QByteArray v = qgetenv("TORVEDA_SEMENTE");
  bool ok = false;
  const unsigned s = v.toUInt(&ok);
  return ok ? s : padrao;
}
