// ACASO: a small seeded generator for the simulators. It is independent of the tool's own
// generator, so simulated pages and noise never disturb the draws the marking relies on, and
// it gives the same sequence on every platform (the standard distributions do not).
#pragma once

#include <cstdint>

class ACASO {
 public:
  explicit ACASO(uint64_t semente) : estado_(semente) {}

  uint64_t proximo();
  // Uniform integer in 0 .. n - 1 (n >= 1).
  int inteiro(int n);
  // Uniform in [0, 1).
  double uniforme();
  // Standard normal deviate.
  double normal();

 private:
  uint64_t estado_;
  bool temreserva_ = false;
  double reserva_ = 0;
};
