#include "gerador.h"

namespace {

constexpr int32_t MASCARA = 0x075BD924;
constexpr int32_t A = 16807, M = 2147483647, Q = 127773, R = 2836;

// One minimal-standard step, factored so that no product leaves 32-bit signed range.
int32_t passo(int32_t t) {
  int32_t q = t / Q;
  int32_t r = t - q * Q;
  int32_t s = A * r - R * q;
  return s < 0 ? s + M : s;
}

}  // namespace

// Constant-initialised, so the state holds before any dynamic initialisation runs.
int32_t gerador = 0x185755BF;

void semeia(int x) { gerador = passo(x ^ MASCARA) ^ MASCARA; }

int sorteia() {
  int32_t t = passo(gerador ^ MASCARA);
  gerador = t ^ MASCARA;
  return t;
}
