// IMGBIN: black-and-white image, 32 pixels to a word, true = white.
// Pixel (l, c) is bit 0x80000000 >> (c & 31) of word c >> 5 of row l; rows start on a word.
#pragma once

#include <cstdint>
#include <type_traits>

#include "conversao.h"

class IMGBIN {
 public:
  typedef bool PIXEL;
  static constexpr const char* NOME = "IMGBIN";

  // Reference to one bit: a pixel, or the backg flag.
  class BIT {
   public:
    BIT(uint32_t* w, uint32_t m) : w_(w), m_(m), b_(nullptr) {}
    explicit BIT(bool* b) : w_(nullptr), m_(0), b_(b) {}
    operator bool() const { return b_ ? *b_ : (*w_ & m_) != 0; }
    BIT& operator=(bool v) {
      if (b_)
        *b_ = v;
      else if (v)
        *w_ |= m_;
      else
        *w_ &= ~m_;
      return *this;
    }
    BIT& operator=(const BIT& o) { return *this = static_cast<bool>(o); }

   private:
    uint32_t* w_;
    uint32_t m_;
    bool* b_;
  };

  uint32_t* data = nullptr;
  uint32_t** lin = nullptr;
  bool backg = true;
  int lc = 0, cc = 0;

  IMGBIN() { aloca(0, 0); }
  IMGBIN(int nl, int nc) { aloca(nl, nc); }
  IMGBIN(int nl, int nc, bool v) {
    aloca(nl, nc);
    preenche(v);
  }
  IMGBIN(const IMGBIN& o);
  IMGBIN(IMGBIN&& o) noexcept { toma(o); }
  template <class S,
            class = std::enable_if_t<eh_imagem<S>::value && !std::is_same<S, IMGBIN>::value>>
  explicit IMGBIN(const S& s) {
    aloca(s.nl(), s.nc());
    converte(*this, s);
  }
  ~IMGBIN() { libera(); }

  IMGBIN& operator=(const IMGBIN& o);
  IMGBIN& operator=(IMGBIN&& o) noexcept;
  template <class S,
            class = std::enable_if_t<eh_imagem<S>::value && !std::is_same<S, IMGBIN>::value>>
  IMGBIN& operator=(const S& s) {
    if (s.nl() != nl_ || s.nc() != nc_) {
      libera();
      aloca(s.nl(), s.nc());
    }
    converte(*this, s);
    return *this;
  }

  // Sizes, words per row, centre and backg; storage when both sizes are at least 1.
  // The shape is core/forma.h's (no pixels: 0 x 0); a word or pixel count beyond an int
  // is out of memory.
  void aloca(int nl, int nc);
  void resize(int nl, int nc);

  int nl() const { return nl_; }
  int nc() const { return nc_; }
  int n() const { return n_; }
  int nwl() const { return nwl_; }
  int nw() const { return nw_; }

  // Every word, fill bits included.
  void preenche(bool v);

  // Mode n: the pixel, or the backg bit outside.
  BIT operator()(int l, int c) {
    return dentro(l, c) ? BIT(lin[l] + (c >> 5), 0x80000000u >> (c & 31)) : BIT(&backg);
  }
  bool operator()(int l, int c) const { return dentro(l, c) ? pega(l, c) : backg; }
  BIT operator()(int l, int c, int modo);

  // Unchecked reads and writes inside the image, for loops that stay within it.
  bool pega(int l, int c) const { return (lin[l][c >> 5] & (0x80000000u >> (c & 31))) != 0; }
  void poe(int l, int c, bool v) {
    uint32_t m = 0x80000000u >> (c & 31);
    if (v)
      lin[l][c >> 5] |= m;
    else
      lin[l][c >> 5] &= ~m;
  }
  bool dentro(int l, int c) const {
    return static_cast<unsigned>(l) < static_cast<unsigned>(nl_) &&
           static_cast<unsigned>(c) < static_cast<unsigned>(nc_);
  }
  // Mask of the meaningful bits of the last word of a row.
  uint32_t mascarafinal() const { return nc_ % 32 ? ~(0xFFFFFFFFu >> (nc_ % 32)) : 0xFFFFFFFFu; }

  // File operations (io/bmp.cpp, io/mat.cpp, io/hex.cpp).
  void LeBmp(const char* nome);
  void ImpBmp(const char* nome) const;
  void LeTxt(const char* nome);
  void ImpTxt(const char* nome) const;
  void ImpHex(const char* nome) const;

 private:
  int nl_ = 0, nc_ = 0, n_ = 0, nwl_ = 0, nw_ = 0;
  void libera();
  void copia(const IMGBIN& o);
  void toma(IMGBIN& o);
};

// Bitwise AND of the pixel bits: black where either operand is black.
IMGBIN operator&&(const IMGBIN& a, const IMGBIN& b);

// f(l, c) for every black pixel, row by row and left to right. Words of white pixels are
// skipped whole, so a sparse image costs about its word count.
template <class F>
void cadapreto(const IMGBIN& img, F f) {
  const int nwl = img.nwl();
  for (int l = 0; l < img.nl(); l++) {
    const uint32_t* w = img.lin[l];
    for (int k = 0; k < nwl; k++) {
      uint32_t p = ~w[k];
      if (k == nwl - 1) p &= img.mascarafinal();
      while (p) {
        const int b = __builtin_clz(p);
        f(l, 32 * k + b);
        p &= ~(0x80000000u >> b);
      }
    }
  }
}
