#include "proc/logicos.h"

#include "core/aborta.h"

namespace {

// Word by word: fill bits combine too, harmlessly, since they carry no pixel.
template <class F>
IMGBIN combinabits(const IMGBIN& a, const IMGBIN& b, F f, const char* erro) {
  if (a.nl() != b.nl() || a.nc() != b.nc()) aborta(erro);
  IMGBIN r(a.nl(), a.nc());
  for (int i = 0; i < r.nw(); i++) r.data[i] = f(a.data[i], b.data[i]);
  r.backg = f(a.backg, b.backg);
  return r;
}

}  // namespace

IMGBIN operator^(const IMGBIN& a, const IMGBIN& b) {
  return combinabits(a, b, [](auto x, auto y) { return x ^ y; },
                     "Erro IMGBIN::operator^ - As imagens nao tem o mesmo tamanho");
}

IMGBIN operator||(const IMGBIN& a, const IMGBIN& b) {
  return combinabits(a, b, [](auto x, auto y) { return x | y; },
                     "Erro IMGBIN::operator|| - As imagens nao tem o mesmo tamanho");
}
