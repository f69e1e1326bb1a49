#include "core/tipos.h"

#include "core/aborta.h"

int paraint(double v) {
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  if (v != v) return 0;  // NaN has no integer value; zero is the safe choice
  return static_cast<int>(v);
}

PONTO2::operator PONTOI2() const { return PONTOI2(paraint(l), paraint(c)); }

double& PONTO3::operator()(int i) {
  if (i < 0 || i > 2) aborta("Indice invalida PONTO3");
  return x[i];
}

std::ostream& operator<<(std::ostream& os, const PONTOI2& p) {
  return os << '[' << p.l << ' ' << p.c << ']';
}
