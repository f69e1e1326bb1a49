#include "acaso.h"

#include <cmath>

// splitmix64: every seed, zero included, gives a well-mixed sequence.
uint64_t ACASO::proximo() {
  uint64_t z = (estado_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int ACASO::inteiro(int n) { return static_cast<int>(uniforme() * n); }

double ACASO::uniforme() { return static_cast<double>(proximo() >> 11) * (1.0 / 9007199254740992.0); }

// Box-Muller, keeping the second deviate of each pair.
double ACASO::normal() {
  if (temreserva_) {
    temreserva_ = false;
    return reserva_;
  }
  double u = 1.0 - uniforme();  // in (0, 1], so the logarithm is finite
  double v = uniforme();
  double r = std::sqrt(-2.0 * std::log(u));
  reserva_ = r * std::sin(6.283185307179586 * v);
  temreserva_ = true;
  return r * std::cos(6.283185307179586 * v);
}
