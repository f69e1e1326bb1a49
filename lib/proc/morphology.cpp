#include "proc/morphology.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

// Bit 1 is white. Erosao looks for white in the window (OR of the bits), dilatacao for black
// (AND). Outside pixels are the identity of the combination, so they never decide a window.
struct OU {
  static constexpr uint32_t fora = 0;
  static uint32_t junta(uint32_t a, uint32_t b) { return a | b; }
};
struct E {
  static constexpr uint32_t fora = 0xFFFFFFFFu;
  static uint32_t junta(uint32_t a, uint32_t b) { return a & b; }
};

// Window along one axis: 'antes' cells before the output cell, 'tam' cells in all. Outside
// cells never decide, so both reaches are clipped to the axis length (huge windows stay cheap).
struct JANELA {
  int antes, tam;
};

JANELA janela(int n, int antes, int len) {
  int depois = std::min(n - 1 - antes, len - 1);
  antes = std::min(antes, len - 1);
  return {antes, antes + depois + 1};
}

// Forward windows by doubling: passo(k) combines every cell with the cell k further on.
// Steps 1, 2, 4, ..., p/2 leave windows of p cells; a last step of n - p < p overlaps two of
// them (the combination is idempotent) into windows of n.
template <class F>
void dobra(int n, F passo) {
  int p = 1;
  for (; p <= n / 2; p *= 2) passo(p);
  if (n > p) passo(n - p);
}

// Word i of a bit row moved k columns towards column 0 (adiante) or away from it (atras).
inline uint32_t adiante(const uint32_t* x, int i, int k) {
  const uint32_t* p = x + i + (k >> 5);
  int s = k & 31;
  return s ? (p[0] << s) | (p[1] >> (32 - s)) : p[0];
}

inline uint32_t atras(const uint32_t* x, int i, int k) {
  const uint32_t* p = x + i - (k >> 5);
  int s = k & 31;
  return s ? (p[0] >> s) | (p[-1] << (32 - s)) : p[0];
}

// Horizontal pass, one row at a time. The row is laid out in the buffer from column -antes, so
// that the forward window starting at buffer column c is the window of output column c. The
// words before and after hold outside pixels and are never written.
template <class OP>
class LINHA {
 public:
  LINHA(const IMGBIN& img, JANELA jn)
      : jn_(jn),
        nwl_(img.nwl()),
        nwe_(((img.nc() - 1 + jn.antes) >> 5) + 1),
        frente_((jn.antes >> 5) + 1),
        final_(img.mascarafinal()),
        buf_(static_cast<size_t>(frente_ + nwe_ + ((jn.tam - 1) >> 5) + 1), OP::fora) {}

  void passa(const uint32_t* src, uint32_t* dst) {
    uint32_t* x = buf_.data() + frente_;
    std::copy(src, src + nwl_, x);
    x[nwl_ - 1] = (x[nwl_ - 1] & final_) | (OP::fora & ~final_);
    std::fill(x + nwl_, x + nwe_, OP::fora);
    for (int i = nwe_ - 1; i >= 0; i--) x[i] = atras(x, i, jn_.antes);
    dobra(jn_.tam, [&](int k) {
      for (int i = 0; i < nwe_; i++) x[i] = OP::junta(x[i], adiante(x, i, k));
    });
    std::copy(x, x + nwl_, dst);
  }

 private:
  JANELA jn_;
  int nwl_, nwe_, frente_;
  uint32_t final_;
  std::vector<uint32_t> buf_;
};

// Vertical pass in place over nlin rows of nwl words: row r becomes the combination of rows
// r .. r + tam - 1, rows past the end being outside.
template <class OP>
void verticais(uint32_t* t, int nlin, int nwl, int tam) {
  dobra(tam, [&](int k) {
    for (int r = 0; r + k < nlin; r++) {
      uint32_t* a = t + static_cast<size_t>(r) * nwl;
      const uint32_t* b = a + static_cast<size_t>(k) * nwl;
      for (int i = 0; i < nwl; i++) a[i] = OP::junta(a[i], b[i]);
    }
  });
}

// Separable: rows first, into a work block laid out from row -antes like LINHA's buffer, then
// columns over it; its first nl rows are the result.
template <class OP>
IMGBIN morfologia(const IMGBIN& img, int h, int w, int antesh, int antesw) {
  IMGBIN r(img.nl(), img.nc());
  r.lc = img.lc;
  r.cc = img.cc;
  r.backg = OP::fora != 0;
  if (r.n() == 0) return r;
  if (h <= 0 || w <= 0) {
    r.preenche(r.backg);
    return r;
  }
  JANELA jl = janela(h, antesh, img.nl());
  int nwl = img.nwl(), nlin = img.nl() + jl.antes;
  std::vector<uint32_t> t(static_cast<size_t>(nlin) * nwl, OP::fora);
  LINHA<OP> linha(img, janela(w, antesw, img.nc()));
  for (int l = 0; l < img.nl(); l++)
    linha.passa(img.lin[l], t.data() + static_cast<size_t>(l + jl.antes) * nwl);
  verticais<OP>(t.data(), nlin, nwl, jl.tam);
  std::copy(t.data(), t.data() + r.nw(), r.data);
  return r;
}

}  // namespace

IMGBIN erosao(const IMGBIN& img, int h, int w) { return morfologia<OU>(img, h, w, h / 2, w / 2); }

IMGBIN dilatacao(const IMGBIN& img, int h, int w) {
  return morfologia<E>(img, h, w, (h - 1) / 2, (w - 1) / 2);
}
