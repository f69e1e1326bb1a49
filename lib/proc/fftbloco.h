// Power-of-two transforms of LARGURA lines side by side: each butterfly is one vector operation
// over the lines. Every line goes through the very operations, in the same order, of the
// one-line transform of fft.cpp, so the bits are the same; only the work is shared.
#pragma once

#include <cstdint>
#include <vector>

#include "../core/tipos.h"

constexpr int LARGURA = 8;  // lines per block

// Bits of x in reverse order, without branches (a counting loop mispredicts too often).
inline uint32_t reverte(uint32_t x) {
  x = ((x >> 1) & 0x55555555u) | ((x & 0x55555555u) << 1);
  x = ((x >> 2) & 0x33333333u) | ((x & 0x33333333u) << 2);
  x = ((x >> 4) & 0x0F0F0F0Fu) | ((x & 0x0F0F0F0Fu) << 4);
  x = ((x >> 8) & 0x00FF00FFu) | ((x & 0x00FF00FFu) << 8);
  return (x >> 16) | (x << 16);
}

// Whether this processor runs AVX2.
bool temavx2();

class BLOCOFFT {
 public:
  // n must be a power of two; the twiddle table (W_init) must be built for a multiple of n.
  explicit BLOCOFFT(int n);

  // Element t of line b, stored where the butterflies want it (bit-reversed order).
  void poe(int t, int b, const CPXD& v) {
    const int i = posicao_[t] * LARGURA + b;
    re_[i] = v.real();
    im_[i] = v.imag();
  }
  // Element k of line b of the transform, in natural order.
  CPXD pega(int k, int b) const { return CPXD(re_[k * LARGURA + b], im_[k * LARGURA + b]); }
  // Sets every element of lines b .. LARGURA-1 to zero.
  void zera(int b);

  // Lines 0 .. nb-1 from an image: element t of line b at base[t * passoelem + b * passolinha].
  // cheia[b] tells whether line b has a nonzero element.
  void carrega(const CPXF* base, int nb, size_t passolinha, size_t passoelem, bool* cheia);
  // Writes back the lines b < nb with usa[b], each element times escala, rounded to float.
  void guarda(CPXF* base, int nb, size_t passolinha, size_t passoelem, const bool* usa,
              double escala) const;

  // Unscaled transform of every line, exponent negative when direta, in the widest vectors
  // the processor has; avx2 chooses them (the bits are the same either way).
  void transforma(bool direta);
  void transforma(bool direta, bool avx2);

 private:
  int n_;
  std::vector<int> posicao_;
  std::vector<double> re_, im_;  // element t of line b at t * LARGURA + b
};
