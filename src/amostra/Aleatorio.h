#pragma once
// A small deterministic generator (splitmix64). The standard distributions are not used because
// their results differ between library implementations; the sample must be the same file for the
// same seed wherever it is built.

#include <cmath>
#include <cstdint>

class TAleatorio {
 public:
  explicit TAleatorio(std::uint64_t semente) : Estado_(semente ^ 0x9E3779B97F4A7C15ull) {}

  std::uint64_t Proximo() {
    std::uint64_t z = (Estado_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Real() { return static_cast<double>(Proximo() >> 11) * (1.0 / 9007199254740992.0); }
  // Uniform in [a, b).
  double Real(double a, double b) { return a + (b - a) * Real(); }
  // Uniform in [a, b], both included.
  int Inteiro(int a, int b) {
    return a + static_cast<int>(Proximo() % static_cast<std::uint64_t>(b - a + 1));
  }
  bool Chance(double p) { return Real() < p; }

  // A value in [0, 1) fixed by the seed and two lattice coordinates (for noise fields).
  static double Hash(std::uint64_t semente, std::int64_t i, std::int64_t j) {
    std::uint64_t z = semente * 0x9E3779B97F4A7C15ull +
                      static_cast<std::uint64_t>(i) * 0xD6E8FEB86659FD93ull +
                      static_cast<std::uint64_t>(j) * 0xA0761D6478BD642Full;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
  }

 private:
  std::uint64_t Estado_;
};
