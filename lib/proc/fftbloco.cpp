#include "proc/fftbloco.h"

#include <cstdint>

#include "proc/fft.h"

namespace {

// Two lanes of the block: the widest vector every x86-64 has. A butterfly runs once per pair of
// lanes, so its values stay in registers.
typedef double V2 __attribute__((vector_size(2 * sizeof(double))));
constexpr int PARES = LARGURA / 2;

// One complex element of two lines.
struct C {
  V2 r, i;
};

inline C soma(const C& a, const C& b) { return {a.r + b.r, a.i + b.i}; }
inline C dif(const C& a, const C& b) { return {a.r - b.r, a.i - b.i}; }

// The twiddle tabW[k], conjugated for the negative exponent (N), in both lanes.
struct W {
  V2 r, i;
};
template <bool N>
inline W fator(long long k) {
  const double r = tabW[k].real(), i = N ? -tabW[k].imag() : tabW[k].imag();
  return {V2{r, r}, V2{i, i}};
}

// a * w, with the operand order of the one-line transform.
inline C mult(const C& a, const W& w) { return {a.r * w.r - a.i * w.i, a.r * w.i + a.i * w.r}; }

// Times -i (N) or i, exact.
template <bool N>
inline C giro(const C& a) {
  return N ? C{a.i, -a.r} : C{-a.i, a.r};
}

// Lanes 2g, 2g+1 of element k.
inline C carrega(const double* re, const double* im, int k, int g) {
  C v;
  __builtin_memcpy(&v.r, re + k * LARGURA + 2 * g, sizeof(V2));
  __builtin_memcpy(&v.i, im + k * LARGURA + 2 * g, sizeof(V2));
  return v;
}
inline void guarda(double* re, double* im, int k, int g, const C& v) {
  __builtin_memcpy(re + k * LARGURA + 2 * g, &v.r, sizeof(V2));
  __builtin_memcpy(im + k * LARGURA + 2 * g, &v.i, sizeof(V2));
}

// The first two stages: twiddles 1 and i.
template <bool N>
void estagios12(double* re, double* im, int n) {
  if (n == 2) {
    for (int g = 0; g < PARES; g++) {
      const C t = carrega(re, im, 1, g), x0 = carrega(re, im, 0, g);
      guarda(re, im, 1, g, dif(x0, t));
      guarda(re, im, 0, g, soma(x0, t));
    }
    return;
  }
  for (int b = 0; b < n; b += 4)
    for (int g = 0; g < PARES; g++) {
      const C x0 = carrega(re, im, b, g), x1 = carrega(re, im, b + 1, g);
      const C x2 = carrega(re, im, b + 2, g), x3 = carrega(re, im, b + 3, g);
      const C b0 = soma(x0, x1), b1 = dif(x0, x1), b2 = soma(x2, x3), b3 = giro<N>(dif(x2, x3));
      guarda(re, im, b, g, soma(b0, b2));
      guarda(re, im, b + 2, g, dif(b0, b2));
      guarda(re, im, b + 1, g, soma(b1, b3));
      guarda(re, im, b + 3, g, dif(b1, b3));
    }
}

// Stages of half-sizes h and 2h as one radix-4 step (st: twiddle stride of the second).
template <bool N>
void estagiosduplos(double* re, double* im, int n, int h, long long st) {
  for (int b = 0; b < n; b += 4 * h) {
    double* yr = re + b * LARGURA;
    double* yi = im + b * LARGURA;
    for (int k = 0; k < h; k++) {
      const W w1 = fator<N>(2 * k * st), w2 = fator<N>(k * st), w3 = fator<N>(3 * k * st);
      for (int g = 0; g < PARES; g++) {
        const C t1 = mult(carrega(yr, yi, k + h, g), w1);
        const C a = mult(carrega(yr, yi, k + 2 * h, g), w2);
        const C c = mult(carrega(yr, yi, k + 3 * h, g), w3);
        const C y0 = carrega(yr, yi, k, g);
        const C b0 = soma(y0, t1), b1 = dif(y0, t1), u2 = soma(a, c), u3 = giro<N>(dif(a, c));
        guarda(yr, yi, k, g, soma(b0, u2));
        guarda(yr, yi, k + 2 * h, g, dif(b0, u2));
        guarda(yr, yi, k + h, g, soma(b1, u3));
        guarda(yr, yi, k + 3 * h, g, dif(b1, u3));
      }
    }
  }
}

// The last stage when the stages are odd in number.
template <bool N>
void estagio(double* re, double* im, int n, int h, long long st) {
  for (int b = 0; b < n; b += 2 * h) {
    double* yr = re + b * LARGURA;
    double* yi = im + b * LARGURA;
    for (int k = 0; k < h; k++) {
      const W w = fator<N>(k * st);
      for (int g = 0; g < PARES; g++) {
        const C t = mult(carrega(yr, yi, k + h, g), w);
        const C y0 = carrega(yr, yi, k, g);
        guarda(yr, yi, k + h, g, dif(y0, t));
        guarda(yr, yi, k, g, soma(y0, t));
      }
    }
  }
}

template <bool N>
void estagios(double* re, double* im, int n) {
  if (n < 2) return;
  estagios12<N>(re, im, n);
  const long long passo = nW / n;
  int h = 4;
  for (; 4 * h <= n; h *= 4) estagiosduplos<N>(re, im, n, h, passo * (n / (4 * h)));
  if (h < n) estagio<N>(re, im, n, h, passo * (n / (2 * h)));
}

}  // namespace

BLOCOFFT::BLOCOFFT(int n)
    : n_(n), posicao_(n), re_(static_cast<size_t>(n) * LARGURA), im_(re_.size()) {
  int bits = 0;
  while ((1 << bits) < n) bits++;
  for (int t = 0; t < n; t++) {
    uint32_t r = 0;
    for (int k = 0; k < bits; k++) r |= ((t >> k) & 1u) << (bits - 1 - k);
    posicao_[t] = static_cast<int>(r);
  }
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
    M2 nz[PARES] = {};
    for (int t = 0; t < n_; t++) {
      const float* f = reinterpret_cast<const float*>(base + t * passoelem);
      double* r = &re_[static_cast<size_t>(posicao_[t]) * LARGURA];
      double* i = &im_[static_cast<size_t>(posicao_[t]) * LARGURA];
      for (int g = 0; g < PARES; g++) {
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
      for (int g = 0; g < PARES; g++) junta(r + 2 * g, i + 2 * g, escala, f + 4 * g);
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

void BLOCOFFT::transforma(bool direta) {
  if (direta)
    estagios<true>(re_.data(), im_.data(), n_);
  else
    estagios<false>(re_.data(), im_.data(), n_);
}
