#pragma once
// Progress of the section's computations reaches the main window once per grant record, tens of
// thousands of times in a fraction of a second. A display needs only the notifications that
// change what it shows: a new text, or the bar moved by one of `Passos` steps (and the last
// position). This filter passes those on and drops the rest, so painting never costs the
// computation its speed.

#include <QString>
#include <cstdint>
#include <functional>

class TFiltroProgresso {
 public:
  using TAlvo = std::function<void(std::int32_t max, std::int32_t posicao, const QString& texto)>;

  explicit TFiltroProgresso(TAlvo alvo, int passos = 200)
      : Alvo_(std::move(alvo)), Passos_(passos > 0 ? passos : 1) {}

  void operator()(std::int32_t max, std::int32_t posicao, const QString& texto) {
    const std::int64_t passo =
        max > 0 ? std::int64_t{posicao} * Passos_ / max : std::int64_t{posicao};
    if (texto == Texto_ && max == Max_ && passo == Passo_ && posicao != max) return;
    Texto_ = texto;
    Max_ = max;
    Passo_ = passo;
    if (Alvo_) Alvo_(max, posicao, texto);
  }

 private:
  TAlvo Alvo_;
  int Passos_;
  QString Texto_;
  std::int32_t Max_ = -1;
  std::int64_t Passo_ = -1;
};
