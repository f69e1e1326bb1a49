#include "proc/fftbloco.h"

#include <cstdint>

#include "proc/fft.h"

namespace {

// The butterflies are written once for any vector of doubles and always inlined, so that each
// entry point below compiles them for its own instruction set.
#define SEMPRE inline __attribute__((always_inline))
// Wide vectors cross no call boundary here: every function taking one is inlined.
#pragma GCC diagnostic ignored "-Wpsabi"

typedef double V2 __attribute__((vector_size(2 * sizeof(double))));  // every x86-64
typedef double V4 __attribute__((vector_size(4 * sizeof(double))));  // AVX2

template <class V>
constexpr int LANES = sizeof(V) / sizeof(double);

// One complex element of LANES<V> lines.
template <class V>
struct C {
  V r, i;
};

template <class V>
SEMPRE C<V> soma(const C<V>& a, const C<V>& b) {
  return {a.r + b.r, a.i + b.i};
}
template <class V>
SEMPRE C<V> dif(const C<V>& a, const C<V>& b) {
  return {a.r - b.r, a.i - b.i};
}

// x in every lane (a sum with zero would turn -0 into +0).
template <class V>
SEMPRE V difunde(double x) {
  V v;
  for (int j = 0; j < LANES<V>; j++) v[j] = x;
  return v;
}

// The twiddle tabW[k], conjugated for the negative exponent (N), in every lane.
template <bool N, class V>
SEMPRE C<V> fator(long long k) {
  return {difunde<V>(tabW[k].real()), difunde<V>(N ? -tabW[k].imag() : tabW[k].imag())};
}

// a * w, with the operand order of the one-line transform.
template <class V>
SEMPRE C<V> mult(const C<V>& a, const C<V>& w) {
  return {a.r * w.r - a.i * w.i, a.r * w.i + a.i * w.r};
}

// Times -i (N) or i, exact.
template <bool N, class V>
SEMPRE C<V> giro(const C<V>& a) {
  return N ? C<V>{a.i, -a.r} : C<V>{-a.i, a.r};
}

// Lanes g * LANES .. of element k.
template <class V>
SEMPRE C<V> carrega(const double* re, const double* im, int k, int g) {
  C<V> v;
  __builtin_memcpy(&v.r, re + k * LARGURA + g * LANES<V>, sizeof(V));
  __builtin_memcpy(&v.i, im + k * LARGURA + g * LANES<V>, sizeof(V));
  return v;
}
template <class V>
SEMPRE void guarda(double* re, double* im, int k, int g, const C<V>& v) {
  __builtin_memcpy(re + k * LARGURA + g * LANES<V>, &v.r, sizeof(V));
  __builtin_memcpy(im + k * LARGURA + g * LANES<V>, &v.i, sizeof(V));
}

// The first two stages: twiddles 1 and i.
template <bool N, class V>
SEMPRE void estagios12(double* re, double* im, int n) {
  constexpr int G = LARGURA / LANES<V>;
  if (n == 2) {
    for (int g = 0; g < G; g++) {
      const C<V> t = carrega<V>(re, im, 1, g), x0 = carrega<V>(re, im, 0, g);
      guarda(re, im, 1, g, dif(x0, t));
      guarda(re, im, 0, g, soma(x0, t));
    }
    return;
  }
  for (int b = 0; b < n; b += 4)
    for (int g = 0; g < G; g++) {
      const C<V> x0 = carrega<V>(re, im, b, g), x1 = carrega<V>(re, im, b + 1, g);
      const C<V> x2 = carrega<V>(re, im, b + 2, g), x3 = carrega<V>(re, im, b + 3, g);
      const C<V> b0 = soma(x0, x1), b1 = dif(x0, x1), b2 = soma(x2, x3);
      const C<V> b3 = giro<N>(dif(x2, x3));
      guarda(re, im, b, g, soma(b0, b2));
      guarda(re, im, b + 2, g, dif(b0, b2));
      guarda(re, im, b + 1, g, soma(b1, b3));
      guarda(re, im, b + 3, g, dif(b1, b3));
    }
}

// Stages of half-sizes h and 2h as one radix-4 step (st: twiddle stride of the second).
template <bool N, class V>
SEMPRE void estagiosduplos(double* re, double* im, int n, int h, long long st) {
  constexpr int G = LARGURA / LANES<V>;
  for (int b = 0; b < n; b += 4 * h) {
    double* yr = re + b * LARGURA;
    double* yi = im + b * LARGURA;
    for (int k = 0; k < h; k++) {
      const C<V> w1 = fator<N, V>(2 * k * st), w2 = fator<N, V>(k * st);
      const C<V> w3 = fator<N, V>(3 * k * st);
      for (int g = 0; g < G; g++) {
        const C<V> t1 = mult(carrega<V>(yr, yi, k + h, g), w1);
        const C<V> a = mult(carrega<V>(yr, yi, k + 2 * h, g), w2);
        const C<V> c = mult(carrega<V>(yr, yi, k + 3 * h, g), w3);
        const C<V> y0 = carrega<V>(yr, yi, k, g);
        const C<V> b0 = soma(y0, t1), b1 = dif(y0, t1), u2 = soma(a, c);
        const C<V> u3 = giro<N>(dif(a, c));
        guarda(yr, yi, k, g, soma(b0, u2));
        guarda(yr, yi, k + 2 * h, g, dif(b0, u2));
        guarda(yr, yi, k + h, g, soma(b1, u3));
        guarda(yr, yi, k + 3 * h, g, dif(b1, u3));
      }
    }
  }
}

// The last stage when the stages are odd in number.
template <bool N, class V>
SEMPRE void estagio(double* re, double* im, int n, int h, long long st) {
  constexpr int G = LARGURA / LANES<V>;
  for (int b = 0; b < n; b += 2 * h) {
    double* yr = re + b * LARGURA;
    double* yi = im + b * LARGURA;
    for (int k = 0; k < h; k++) {
      const C<V> w = fator<N, V>(k * st);
      for (int g = 0; g < G; g++) {
        const C<V> t = mult(carrega<V>(yr, yi, k + h, g), w);
        const C<V> y0 = carrega<V>(yr, yi, k, g);
        guarda(yr, yi, k + h, g, dif(y0, t));
        guarda(yr, yi, k, g, soma(y0, t));
      }
    }
  }
}

template <bool N, class V>
SEMPRE void estagios(double* re, double* im, int n) {
  if (n < 2) return;
  estagios12<N, V>(re, im, n);
  const long long passo = nW / n;
  int h = 4;
  for (; 4 * h <= n; h *= 4) estagiosduplos<N, V>(re, im, n, h, passo * (n / (4 * h)));
  if (h < n) estagio<N, V>(re, im, n, h, passo * (n / (2 * h)));
}

void estagios2(double* re, double* im, int n, bool direta) {
  if (direta)
    estagios<true, V2>(re, im, n);
  else
    estagios<false, V2>(re, im, n);
}

// Twice the lanes per instruction; no fused multiply-add, which would change the bits.
__attribute__((target("avx2"))) void estagios4(double* re, double* im, int n, bool direta) {
  if (direta)
    estagios<true, V4>(re, im, n);
  else
    estagios<false, V4>(re, im, n);
}

}  // namespace

BLOCOFFT::BLOCOFFT(int n)
    : n_(n), posicao_(n), re_(static_cast<size_t>(n) * LARGURA), im_(re_.size()) {
  int bits = 0;
  while ((1 << bits) < n) bits++;
  for (int t = 0; t < n; t++)
    posicao_[t] = bits ? static_cast<int>(reverte(static_cast<uint32_t>(t)) >> (32 - bits)) : 0;
}

void BLOCOFFT::zera(int b) {
  for (int t = 0; t < n_; t++)
    for (int j = b; j < LARGURA; j++) re_[t * LARGURA + j] = im_[t * LARGURA + j] = 0;
}

namespace {

typedef float F4 __attribute__((vector_size(4 * sizeof(float))));
typedef double D4 __attribute__((vector_size(4 * sizeof(double))));
typedef long long M2 __attribute__((vector_size(2 * sizeof(long long))));

// Two complex floats {r0, i0, r1, i1} to the pairs {r0, r1} and {i0, i1} in double.
inline void separa(const float* f, double* r, double* i) {
  F4 q;
  __builtin_memcpy(&q, f, sizeof q);
  const D4 d = __builtin_convertvector(q, D4);
  const V2 pr = __builtin_shufflevector(d, d, 0, 2), pi = __builtin_shufflevector(d, d, 1, 3);
  __builtin_memcpy(r, &pr, sizeof pr);
  __builtin_memcpy(i, &pi, sizeof pi);
}

// The inverse of separa, each value times escala and rounded to float.
inline void junta(const double* r, const double* i, double escala, float* f) {
  V2 pr, pi;
  __builtin_memcpy(&pr, r, sizeof pr);
  __builtin_memcpy(&pi, i, sizeof pi);
  const D4 d = __builtin_shufflevector(pr * escala, pi * escala, 0, 2, 1, 3);
  const F4 q = __builtin_convertvector(d, F4);
  __builtin_memcpy(f, &q, sizeof q);
}

}  // namespace

// Lines that are the columns of a block of LARGURA are read a whole cache line at a time;
// other lines element by element.
void BLOCOFFT::carrega(const CPXF* base, int nb, size_t passolinha, size_t passoelem, bool* cheia) {
  if (passolinha == 1 && nb == LARGURA) {
    M2 nz[LARGURA / 2] = {};
    for (int t = 0; t < n_; t++) {
      const float* f = reinterpret_cast<const float*>(base + t * passoelem);
      double* r = &re_[static_cast<size_t>(posicao_[t]) * LARGURA];
      double* i = &im_[static_cast<size_t>(posicao_[t]) * LARGURA];
      for (int g = 0; g < LARGURA / 2; g++) {
        separa(f + 4 * g, r + 2 * g, i + 2 * g);
        V2 pr, pi;
        __builtin_memcpy(&pr, r + 2 * g, sizeof pr);
        __builtin_memcpy(&pi, i + 2 * g, sizeof pi);
        nz[g] |= (pr != 0.0) | (pi != 0.0);
      }
    }
    for (int b = 0; b < LARGURA; b++) cheia[b] = nz[b / 2][b % 2] != 0;
    return;
  }
  for (int b = 0; b < nb; b++) cheia[b] = false;
  for (int t = 0; t < n_; t++) {
    const CPXF* x = base + t * passoelem;
    const size_t k = static_cast<size_t>(posicao_[t]) * LARGURA;
    for (int b = 0; b < nb; b++) {
      const CPXF v = x[b * passolinha];
      re_[k + b] = v.real();
      im_[k + b] = v.imag();
      cheia[b] |= v != 0.0f;
    }
  }
}

void BLOCOFFT::guarda(CPXF* base, int nb, size_t passolinha, size_t passoelem, const bool* usa,
                      double escala) const {
  bool todas = nb == LARGURA;
  for (int b = 0; b < nb; b++) todas &= usa[b];
  if (passolinha == 1 && todas) {
    for (int t = 0; t < n_; t++) {
      float* f = reinterpret_cast<float*>(base + t * passoelem);
      const double* r = &re_[static_cast<size_t>(t) * LARGURA];
      const double* i = &im_[static_cast<size_t>(t) * LARGURA];
      for (int g = 0; g < LARGURA / 2; g++) junta(r + 2 * g, i + 2 * g, escala, f + 4 * g);
    }
    return;
  }
  for (int t = 0; t < n_; t++) {
    CPXF* x = base + t * passoelem;
    const size_t k = static_cast<size_t>(t) * LARGURA;
    for (int b = 0; b < nb; b++)
      if (usa[b])
        x[b * passolinha] =
            CPXF(static_cast<float>(re_[k + b] * escala), static_cast<float>(im_[k + b] * escala));
  }
}

bool temavx2() {
  static const bool tem = __builtin_cpu_supports("avx2");
  return tem;
}

void BLOCOFFT::transforma(bool direta) { transforma(direta, temavx2()); }

void BLOCOFFT::transforma(bool direta, bool avx2) {
  if (avx2)
    estagios4(re_.data(), im_.data(), n_, direta);
  else
    estagios2(re_.data(), im_.data(), n_, direta);
}
